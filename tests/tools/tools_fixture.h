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
