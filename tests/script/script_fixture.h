// Shared by the script language tests: tables loaded from the shipped data file, a
// temporary program folder, an editor gadget and the boxes the requesters showed.
#pragma once
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "script/script.h"
#include "shell/shell.h"
#include "toolkit/toolkit.h"

class ScriptFixture : public ::testing::Test {
 protected:
  std::string folder;
  static constexpr int kEditor = 9801;

  void SetUp() override {
    tk::setProgramFolder(PROGRAM_FOLDER);
    ResetScriptState();
    LoadScriptTables();
    folder = (std::filesystem::temp_directory_path() /
              ("cv_script_" + std::to_string(::getpid()) + "_" + std::to_string(counter++)))
                 .string() + "/";
    std::filesystem::create_directories(folder);
    tk::setProgramFolder(folder);
    tk::test::clear();
    allok = 1;
    ScriptErrorLine = 1;
    ScriptErrorName = "Test";
  }
  void TearDown() override {
    tk::test::clear();
    tk::setProgramFolder(PROGRAM_FOLDER);
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
    ResetScriptState();
  }
  // Runs f with `answers` OK answers queued; returns "title|text" of every box shown.
  template <class F>
  std::vector<std::string> Boxes(F f, int answers = 4) {
    tk::test::clear();
    for (int i = 0; i < answers; ++i) tk::test::queueResult(tk::ResultOk);
    f();
    std::vector<std::string> shown = tk::test::shown();
    tk::test::clear();
    return shown;
  }
  static void Editor(const std::string& text) {
    if (!tk::isGadget(kEditor)) {
      tk::openWindow(9800, 0, 0, 300, 300, "Editor", tk::WfHidden);
      tk::richEditor(kEditor, 0, 0, 300, 300);
    }
    tk::setRichText(kEditor, text);
  }
  // The statement list the preprocessor makes of text, as "name|arguments|line".
  std::vector<std::string> Preprocess(const std::string& text) {
    Editor(text);
    allok = 1;
    PreprocessScript(kEditor);
    std::vector<std::string> out;
    for (const Statement& s : StatementList) out.push_back(s.name + "|" + s.arguments + "|" + std::to_string(s.line));
    return out;
  }
  void WriteFile(const std::string& name, const std::string& text) {
    tk::writeWholeFile(folder + name, text.data(), text.size());
  }
  static const ScriptVariable* Var(const std::string& name) {
    for (const ScriptVariable& v : VariableList)
      if (v.name == name) return &v;
    return nullptr;
  }
  static int counter;
};
inline int ScriptFixture::counter = 0;
