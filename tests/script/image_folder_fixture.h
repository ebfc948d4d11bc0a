// Script tests in the started program whose relative paths start in a folder of their own:
// for each test the current image's name is put inside that folder (the undo store stays
// where it is), and the name and the folder are given back afterwards.
#pragma once
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <string>
#include <system_error>

#include "documents/documents.h"
#include "script/script.h"
#include "shell/loops_fixture.h"
#include "toolkit/toolkit.h"

class ImageFolderScriptTest : public ::testing::Test {
 protected:
  explicit ImageFolderScriptTest(std::string prefix) : prefix_(std::move(prefix)) {}
  std::string savedName, folder;

  void SetUp() override {
    loops_test::EnsureProgramStarted();
    VariableList.clear();
    InvalidateVariableIndex();
    tk::test::clear();
    tk::drainEvents();
    savedName = ImageRecords[size_t(CurrentImage)].DisplayName;
    const std::string sub = prefix_ + std::to_string(::getpid());
    ImageRecords[size_t(CurrentImage)].DisplayName = sub + "\\Bild";
    folder = tk::programFolder() + sub + "/";
    std::filesystem::create_directories(folder);
  }
  void TearDown() override {
    tk::test::clear();
    ImageRecords[size_t(CurrentImage)].DisplayName = savedName;
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
  }

 private:
  std::string prefix_;
};
