// Test helper: the canvas fixture plus an instance folder "Undo/Undo1/Undo1..10" in a
// temporary program folder, the script editor gadget 496, ten undo steps per image and
// patterned images whose every cell tells where it came from.
#pragma once
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "documents/canvas_fixture.h"
#include "effects/effects.h"
#include "script/script.h"
#include "shell/shell.h"
#include "toolkit/toolkit.h"
#include "tools/tools.h"

struct SlotFixture : CanvasFixture {
  std::string oldFolder, folder;

  void SetUp() override {
    CanvasFixture::SetUp();
    ResetEffectsState();
    VariableList.clear();
    oldFolder = tk::programFolder();
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    folder = (std::filesystem::temp_directory_path() /
              ("slots_" + std::to_string(::getpid()) + "_" + info->name()))
                 .string() + "/";
    std::filesystem::remove_all(folder);
    for (int k = 1; k <= 10; ++k) std::filesystem::create_directories(folder + "Undo/Undo1/Undo" + std::to_string(k));
    tk::setProgramFolder(folder);
    CVNIndex = 1;
    maxundo = 10;
    tk::useWindow(0);
    tk::richEditor(496, 0, 0, 200, 100);
    tk::comboBox(60, 0, 100, 100, 200);
    for (const char* z : {"0.25", "0.5", "0.75", "1", "2", "4", "8", "16"}) tk::addGadgetItem(60, -1, z);
    for (int k = 1; k <= 10; ++k) tk::button(160 + k, 300 + 70 * (k - 1), 0, 70, 32, "Unbenannt" + std::to_string(k), tk::GfToggle);
    tk::test::clear();
    ImageCount = 1;
    CurrentImage = 1;
    ImageRecords[1].WindowState = 9;
  }

  void TearDown() override {
    EXPECT_EQ(tk::test::pending(), 0) << "an expected message never came";
    tk::test::clear();
    tk::setProgramFolder(oldFolder);
    std::filesystem::remove_all(folder);
    VariableList.clear();
    CanvasFixture::TearDown();
  }

  // Cell (x, y) of a patterned image: it names its position and the pattern's seed.
  static PixelCell PatternCell(int x, int y, int seed) {
    return PixelCell(x & 0xFF) | PixelCell(y & 0xFF) << 8 | PixelCell(seed & 0xFF) << 16;
  }
  static std::vector<PixelCell> Pattern(int w, int h, int seed) {
    std::vector<PixelCell> cells(size_t(w) * h);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) cells[size_t(y) * w + x] = PatternCell(x, y, seed);
    return cells;
  }
  // The live image becomes a w x h pattern (and its record knows the size).
  static void MakeImage(int w, int h, int seed) {
    SetImageDimensions(h, w, 1);
    ImagePixels = Pattern(w, h, seed);
  }
  // n open images (slot k: a (10 + k) x (5 + k) pattern with seed k), image n active.
  static void OpenImages(int n) {
    MakeImage(11, 6, 1);
    for (int k = 2; k <= n; ++k) {
      CreateImageSlot(0, 0, 0, 0, 0, 0, 0, "Bild" + std::to_string(k));
      MakeImage(10 + k, 5 + k, k);
    }
  }
  std::string Slot(int k) const { return folder + "Undo/Undo1/Undo" + std::to_string(k) + "/"; }
  static bool Exists(const std::string& path) { return std::filesystem::exists(path); }
  static std::vector<uint8_t> Bytes(const std::string& path) {
    std::vector<uint8_t> out;
    tk::readWholeFile(path, out);
    return out;
  }
};
