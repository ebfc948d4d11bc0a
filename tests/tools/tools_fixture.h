// The painting tools' tests run in the started program: a small white image, zoom 1, no
// scroll, and the mouse placed over image cells.
#pragma once
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "documents/documents.h"
#include "shell/loops_fixture.h"
#include "shell/shell.h"
#include "toolkit/toolkit.h"
#include "tools/tools.h"

namespace tools_test {

using loops_test::EnsureProgramStarted;

// The calls of the tool routines and colour services (stand-ins) that a step made, without
// the handlers themselves.
struct ToolCalls {
  loops_test::Recorder rec;
  std::vector<std::string> Take() {
    std::vector<std::string> out;
    for (const auto& c : rec.calls) {
      const std::string& n = c.first;
      if (n == "UpdateToolOptions" || n == "OnCanvasLeftUp" || n == "OnRightButton" || n == "OnToolGadget" ||
          n == "OnDrawBarGadget" || n == "OnToolOptionPopup" || n.rfind("LoadBrushFormFile", 0) == 0)
        continue;
      out.push_back(n);
    }
    rec.calls.clear();
    return out;
  }
};

class ToolsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureProgramStarted();
    tk::drainEvents();
    tk::test::clear();
    KeyboardModus = 0;
    MakeImage(40, 30);
    linestate = 0;
    CanvasButtonDown = 0;
    vieleckwork = 0;
    PolygonMarkPoints.clear();
    drawstep = 100;
    drawforms_length = 2;
    fillstate = 0;
  }
  void TearDown() override {
    tk::testSetWindowMouse(0, -2, 0);
    tk::drainEvents();
  }

  static void MakeImage(int w, int h) {
    ASSERT_EQ(SetImageDimensions(h, w, 1), 1);
    std::fill(ImagePixels.begin(), ImagePixels.end(), 0x00FFFFFFu);
    horz = vert = horz2 = vert2 = 0;
    length = 1.0f;
    UpdateZoomedSizes();
  }
  // The mouse over image cell (x, y) at zoom 1 and no scroll.
  static void MouseAt(int x, int y) { tk::testSetWindowMouse(0, bildx + x + 1, CanvasTop + y + 1); }
};

}  // namespace tools_test

namespace tools_test {

// Cell (x, y) of the image, colour only.
inline PixelCell ColourAt(int x, int y) {
  return ImagePixels[size_t(y) * (size_t(bildlang) + 1) + size_t(x)] & 0x00FFFFFFu;
}
inline void Fill(PixelCell colour) { std::fill(ImagePixels.begin(), ImagePixels.end(), colour); }
// Number of cells whose colour differs from `colour`.
inline int CellsNot(PixelCell colour) {
  int n = 0;
  for (PixelCell p : ImagePixels) n += (p & 0x00FFFFFFu) != colour;
  return n;
}
inline bool NoFlags() {
  for (PixelCell p : ImagePixels)
    if (p >> 24) return false;
  return true;
}
// The cells whose colour is not `colour`, as (x, y) pairs in row order.
inline std::vector<std::pair<int, int>> CellsOtherThan(PixelCell colour) {
  std::vector<std::pair<int, int>> out;
  for (int y = 0; y <= bildhoch; ++y)
    for (int x = 0; x <= bildlang; ++x)
      if (ColourAt(x, y) != colour) out.push_back({x, y});
  return out;
}

}  // namespace tools_test
