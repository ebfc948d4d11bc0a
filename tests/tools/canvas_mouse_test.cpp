// The canvas mouse per tool: press at cell (2, 3), one move to (10, 8), release there.
#include <gtest/gtest.h>

#include "tools/tools_fixture.h"

using namespace tools_test;

namespace {

using Calls = std::vector<std::string>;

struct ToolCase {
  int32_t tool;
  int originCentre;        // state of gadget 90 (94 the other way), -1 leaves them
  Calls press, drag, release;
  int32_t linestateAfter;  // after the release
};

const ToolCase kTools[] = {
    {34, -1, {}, {"MarkOutlineSegment 2 3 10 8"}, {"MarkOutlineSegment 10 8 2 3"}, -1},   // then the lasso is closed
    {35, -1, {}, {}, {}, -1},   // the rectangle becomes the area (checked below)
    {36, -1, {}, {"PreviewCircleMark 2 3 10"}, {"CircleMark 2 3 10"}, -1},
    {37, -1, {}, {}, {"MagicStick 10 8"}, 37},   // the wand resets it itself
    {38, -1, {"StartPolygonMark 2 3"}, {}, {}, 38},
    {39, -1, {"PickColor"}, {}, {"PickColor"}, 0},
    {40, -1, {"StartDistortion"}, {"PreviewDistortion"}, {"FinishDistortion"}, -1},
    {41, -1, {"DrawFreehandSegment 2 3 2 3"}, {"DrawFreehandSegment 2 3 10 8"}, {}, -1},
    {42, -1, {"Brush 2 3 2 3 0"}, {"Brush 10 8 2 3 0"}, {}, -1},
    {45, -1, {"Brush 2 3 2 3 255"}, {"Brush 10 8 2 3 255"}, {}, -1},
    {58, -1, {}, {"Smear 10 8 2 3"}, {}, -1},
    {44, -1, {"SprayPaint 2 3 20 20"}, {"SprayPaint 10 8 20 20"}, {}, -1},
    {46, -1, {"FloodFill 2 3"}, {}, {}, 0},
    {47, -1, {}, {"PreviewBezierCurve 2 3 2 3 2 3 10 8"}, {}, 47},
    {48, -1, {}, {"PreviewEllipse 2 3 10 10"}, {"DrawEllipse 2 3 10 10 474"}, -1},
    {49, 1, {}, {"PreviewEllipse 2 3 8 5"}, {"DrawEllipse 2 3 8 5 476"}, -1},
    {49, 0, {}, {"PreviewEllipse 6 5 4 2"}, {"DrawEllipse 6 5 4 2 476"}, -1},
    {50, 0, {}, {}, {"Box 2 3 8 5 478"}, -1},
    {50, 1, {}, {}, {"Box -6 -2 16 10 478"}, -1},
    {51, -1, {}, {"PreviewLine 2 3 10 8"}, {}, 51},
    {52, -1, {}, {"PreviewLine 2 3 10 8"}, {"DrawLine 2 3 10 8 467"}, -1},
    {53, -1, {}, {"PreviewLine 2 3 10 3"}, {"DrawLine 2 3 10 3 467"}, -1},
    {54, 1, {}, {"PreviewRhombus 2 3 8 5"}, {"Rhombus 2 3 9 6 484"}, -1},
    {55, -1, {"StoreCompassCentre 2 3"}, {}, {}, 0},
    {56, -1, {}, {}, {}, -1},   // the stamp itself (checked below)
    {57, 1, {}, {}, {"ColorRangePipette 2 3 8 5 1"}, -1},
    {126, -1, {}, {}, {}, -1},
};

}  // namespace

TEST_F(ToolsTest, EachToolRunsItsPressDragAndReleaseSteps) {
  ToolFormStates[4] = 484;
  for (const ToolCase& c : kTools) {
    SCOPED_TRACE("tool " + std::to_string(c.tool) + " origin " + std::to_string(c.originCentre));
    UpdateToolOptions(c.tool);
    if (c.originCentre >= 0) {
      tk::setGadgetState(90, c.originCentre);
      tk::setGadgetState(94, 1 - c.originCentre);
    }
    linestate = 0;
    if (c.tool == 56) {   // form 0 of the shipped library, in black at full opacity
      std::fill(ImagePixels.begin(), ImagePixels.end(), 0x00FFFFFFu);
      ToolFormStates[8] = 0;
      Rot = Gruen = Blau = 0;
      transstate = 1.0f;
    }
    ToolCalls calls;
    MouseAt(2, 3);
    OnCanvasLeftDown();
    EXPECT_EQ(calls.Take(), c.press) << "press";
    EXPECT_EQ(CanvasButtonDown, 1);
    MouseAt(10, 8);
    if (linestate > 0) ToolDispatch();
    EXPECT_EQ(calls.Take(), c.drag) << "drag";
    OnCanvasLeftUp();
    EXPECT_EQ(calls.Take(), c.release) << "release";
    EXPECT_EQ(linestate, c.linestateAfter);
    if (c.tool == 56) {   // "Eckig" (all black) stretched over cells (2, 3) .. (10, 8)
      const auto at = [](int x, int y) { return ImagePixels[size_t(y) * (bildlang + 1) + x] & 0xFFFFFFu; };
      EXPECT_EQ(at(2, 3), 0xFFFFFFu);   // the form's first cell never paints
      EXPECT_EQ(at(3, 3), 0x202020u);   // next to it a blend with that cell
      EXPECT_EQ(at(4, 3), 0u);
      EXPECT_EQ(at(10, 8), 0u);
      EXPECT_EQ(at(11, 8), 0xFFFFFFu);
      EXPECT_EQ(at(10, 9), 0xFFFFFFu);
    }
    if (c.tool == 35) {   // the box from the press to the release cell is marked
      EXPECT_EQ(arealang, 8);
      EXPECT_EQ(areahoch, 5);
    }
    if (c.tool != 38) EXPECT_EQ(CanvasButtonDown, 0);
    // every release leaves no working flags behind (the polygon mark keeps its outline)
    if (c.tool != 38) {
      for (PixelCell p : ImagePixels) ASSERT_EQ(p >> 24, 0u);
    }
  }
  UpdateToolOptions(42);
}

TEST_F(ToolsTest, PressOutsideTheImageRunsNoTool) {
  UpdateToolOptions(41);
  ToolCalls calls;
  MouseAt(60, 3);
  OnCanvasLeftDown();
  EXPECT_TRUE(calls.Take().empty());
  EXPECT_EQ(CanvasButtonDown, 0);
  EXPECT_EQ(linestate, 0);
}

TEST_F(ToolsTest, PenClickMakesOneDotAndOneUndoStep) {
  UpdateToolOptions(41);
  const int32_t before = undostate;
  ToolCalls calls;
  MouseAt(5, 6);
  OnCanvasLeftDown();
  OnCanvasLeftUp();
  EXPECT_EQ(calls.Take(), (Calls{"DrawFreehandSegment 5 6 5 6"}));
  EXPECT_EQ(undostate, before + 1 > maxundo ? 1 : before + 1);
  // the queued copy of a release that came with the press is handled by the press
  tk::Event up;
  up.code = tk::EvLeftUp;
  up.window = 0;
  up.gadget = 11;
  tk::postEvent(up);
  const int32_t second = undostate;
  OnCanvasLeftDown();
  EXPECT_EQ(linestate, -1);
  EXPECT_NE(undostate, second);
  EXPECT_EQ(tk::queuedEvents(), 0);
}

TEST_F(ToolsTest, FirstRightClickAfterAStrokeOnlyResetsTheRunningTool) {
  UpdateToolOptions(52);
  MouseAt(2, 3);
  OnCanvasLeftDown();
  MouseAt(10, 8);
  OnCanvasLeftUp();
  ASSERT_EQ(linestate, -1);
  rightklick_x = rightklick_y = -7;
  OnRightButton();
  EXPECT_EQ(linestate, 0);
  EXPECT_EQ(rightklick_x, -7);   // no canvas popup
  OnRightButton();
  EXPECT_EQ(rightklick_x, 10);   // the popup's cell
  EXPECT_EQ(rightklick_y, 8);
}

TEST_F(ToolsTest, RightClickDuringAStrokeRestoresTheHeldImage) {
  UpdateToolOptions(42);
  MouseAt(2, 3);
  OnCanvasLeftDown();
  ImagePixels[0] = 0x00123456;   // painted meanwhile
  OnRightButton();
  EXPECT_EQ(ImagePixels[0], 0x00FFFFFFu);
  EXPECT_EQ(linestate, 0);
}

TEST_F(ToolsTest, CancelledPolygonLeavesNothingToCloseAndUnlocksItsControls) {
  UpdateToolOptions(51);
  const int32_t before = undostate;
  MouseAt(2, 3);
  OnCanvasLeftDown();
  OnCanvasLeftUp();
  EXPECT_EQ(vieleckwork, 1);
  EXPECT_TRUE(tk::gadgetDisabled(88));
  EXPECT_NE(undostate, before);
  MouseAt(10, 8);
  OnCanvasLeftDown();   // second corner: one edge
  OnCanvasLeftUp();
  OnRightButton();      // cancel: the polygon is undone
  EXPECT_EQ(undostate, before);
  EXPECT_EQ(vieleckwork, 0);
  EXPECT_FALSE(tk::gadgetDisabled(88));
  EXPECT_FALSE(tk::gadgetDisabled(60));
  ToolCalls calls;
  UpdateToolOptions(52);   // no closing edge of the cancelled polygon
  EXPECT_TRUE(calls.Take().empty());
}

TEST_F(ToolsTest, OpenPolygonIsClosedWhenAnotherToolIsChosen) {
  UpdateToolOptions(51);
  MouseAt(2, 3);
  OnCanvasLeftDown();
  OnCanvasLeftUp();
  MouseAt(10, 8);
  ToolCalls calls;
  OnCanvasLeftDown();
  OnCanvasLeftUp();
  EXPECT_EQ(calls.Take(), (Calls{"DrawLine 2 3 10 8 467"}));
  UpdateToolOptions(52);
  EXPECT_EQ(calls.Take(), (Calls{"DrawLine 2 3 10 8 467"}));
  EXPECT_EQ(vieleckwork, 0);
  EXPECT_TRUE(PolygonMarkPoints.empty());
  EXPECT_FALSE(tk::gadgetDisabled(60));
}

TEST_F(ToolsTest, StraightLineWithEqualExtentsIsHorizontal) {
  UpdateToolOptions(53);
  ToolCalls calls;
  MouseAt(2, 3);
  OnCanvasLeftDown();
  MouseAt(7, 8);
  ToolDispatch();
  OnCanvasLeftUp();
  EXPECT_EQ(calls.Take(), (Calls{"PreviewLine 2 3 7 3", "DrawLine 2 3 7 3 467"}));
}

TEST_F(ToolsTest, BezierTakesFourPresses) {
  UpdateToolOptions(47);
  ToolCalls calls;
  const int points[4][2] = {{2, 3}, {10, 8}, {4, 9}, {12, 1}};
  // first press: start and end; the drag moves the end, then the second control, the first
  MouseAt(2, 3);
  OnCanvasLeftDown();
  MouseAt(10, 8);
  ToolDispatch();
  OnCanvasLeftUp();
  EXPECT_EQ(currentbezier, 3);
  for (int k = 2; k < 4; ++k) {
    MouseAt(points[k - 1][0], points[k - 1][1]);
    OnCanvasLeftDown();
    MouseAt(points[k][0], points[k][1]);
    ToolDispatch();
    OnCanvasLeftUp();
  }
  EXPECT_EQ(currentbezier, 1);
  calls.Take();
  OnCanvasLeftDown();   // fourth press draws
  EXPECT_EQ(calls.Take(), (Calls{"DrawBezierCurve 2 3 12 1 4 9 10 8"}));
  EXPECT_EQ(currentbezier, -1);
}

TEST_F(ToolsTest, CompassSetsCentreThenRadiusThenDraws) {
  UpdateToolOptions(55);
  ToolCalls calls;
  for (auto [x, y] : {std::pair{5, 5}, std::pair{9, 5}, std::pair{7, 2}}) {
    MouseAt(x, y);
    OnCanvasLeftDown();
    OnCanvasLeftUp();
  }
  EXPECT_EQ(calls.Take(), (Calls{"StoreCompassCentre 5 5", "StoreCompassRadius 9 5", "DrawCompass 9 5",
                                 "DrawCompass 7 2"}));
  EXPECT_EQ(CompassClicks, 2);
  // another tool commits the compass drawing held since its first press
  const int32_t before = undostate;
  UpdateToolOptions(42);
  EXPECT_NE(undostate, before);
  EXPECT_EQ(CompassClicks, 0);
}

TEST_F(ToolsTest, CanvasPopupOpensAgainAfterAFill) {
  UpdateToolOptions(46);
  MouseAt(4, 4);
  OnCanvasLeftDown();
  OnCanvasLeftUp();
  EXPECT_EQ(CanvasButtonDown, 0);
  rightklick_x = -7;
  OnRightButton();
  EXPECT_EQ(rightklick_x, 4);
}

TEST_F(ToolsTest, PolygonEdgesJoinThePressedCellsAcrossAScroll) {
  MakeImage(100, 100);
  UpdateToolOptions(51);
  MouseAt(2, 3);
  OnCanvasLeftDown();
  OnCanvasLeftUp();
  horz = 5;   // the view scrolled right by five cells
  ToolCalls calls;
  MouseAt(10, 8);
  OnCanvasLeftDown();
  OnCanvasLeftUp();
  // image cells (2, 3) and (15, 8), at the present scroll view cells (-3, 3) and (10, 8)
  EXPECT_EQ(calls.Take(), (Calls{"DrawLine -3 3 10 8 467"}));
  UpdateToolOptions(52);
  EXPECT_EQ(calls.Take(), (Calls{"DrawLine -3 3 10 8 467"}));
  horz = 0;
}
