// The canvas mouse per tool: press at cell (2, 3), one move to (10, 8), release there.
#include <gtest/gtest.h>

#include "tools/tools_fixture.h"

using namespace tools_test;

namespace {

using Calls = std::vector<std::string>;

constexpr PixelCell kGrey = 0x00808080u, kBlack = 0x00000000u, kWhite = 0x00FFFFFFu;

struct CellColour {
  int x, y;
  PixelCell colour;
};

struct ToolCase {
  int32_t tool;
  int originCentre;          // state of gadget 90 (94 the other way), -1 leaves them
  std::vector<CellColour> cells;   // what lands on the grey image, drawing colour black
  int undoSteps;             // undo points the stroke made
  int32_t linestateAfter;    // after the release
  Calls calls = {};          // routines still standing in (the brush-form stamp)
};

// Press at cell (2, 3), one move to (10, 8), release there.
const ToolCase kTools[] = {
    {34, -1, {}, 0, -1},    // lasso: checked below
    {35, -1, {}, 0, -1},
    {36, -1, {}, 0, -1},
    {37, -1, {}, 0, -1},    // the wand ends the action itself
    {38, -1, {}, 0, 38},
    {39, -1, {}, 0, 0},
    {40, -1, {{2, 3, kGrey}, {10, 8, kGrey}}, 1, -1},
    {41, -1, {{2, 3, kBlack}, {6, 5, kBlack}, {10, 8, kBlack}, {11, 8, kGrey}}, 1, -1},
    {42, -1, {{0, 1, kBlack}, {5, 6, kBlack}, {10, 8, kBlack}, {13, 11, kBlack}, {14, 8, kGrey}}, 1, -1},
    {45, -1, {{0, 1, kWhite}, {10, 8, kWhite}, {14, 8, kGrey}}, 1, -1},
    {58, -1, {{2, 3, kGrey}}, 1, -1},
    {44, -1, {{30, 25, kGrey}}, 1, -1},
    {46, -1, {{0, 0, kBlack}, {39, 29, kBlack}}, 1, 0},
    {47, -1, {{2, 3, kGrey}, {10, 8, kGrey}}, 0, 47},
    {48, -1, {{2, 3, kBlack}, {12, 3, kBlack}, {2, 13, kBlack}, {13, 3, kGrey}}, 1, -1},
    {49, 1, {{10, 3, kBlack}, {2, 8, kBlack}, {11, 3, kGrey}, {2, 9, kGrey}}, 1, -1},
    {49, 0, {{2, 5, kBlack}, {10, 5, kBlack}, {6, 7, kBlack}, {6, 8, kGrey}}, 1, -1},
    {50, 0, {{2, 3, kBlack}, {10, 8, kBlack}, {11, 8, kGrey}, {1, 3, kGrey}}, 1, -1},
    {50, 1, {{0, 0, kBlack}, {10, 8, kBlack}, {11, 8, kGrey}}, 1, -1},
    {51, -1, {{2, 3, kGrey}}, 1, 51},
    {52, -1, {{2, 3, kBlack}, {6, 5, kBlack}, {10, 8, kBlack}, {2, 4, kGrey}}, 1, -1},
    {53, -1, {{2, 3, kBlack}, {10, 3, kBlack}, {10, 8, kGrey}}, 1, -1},
    {54, 1, {{2, 3, kBlack}, {11, 3, kBlack}, {2, 9, kBlack}, {12, 3, kGrey}, {2, 10, kGrey}}, 1, -1},
    {55, -1, {{2, 3, kGrey}}, 0, 0},
    {56, -1, {}, 1, -1, {}},   // the stamp itself (checked below)
    {57, 1, {}, 0, -1},
    {126, -1, {}, 0, -1},
};

int32_t UndoAfter(int32_t state, int steps) {
  for (int i = 0; i < steps; ++i) state = state + 1 > std::max(maxundo, 1) ? 1 : state + 1;
  return state;
}

}  // namespace

TEST_F(ToolsTest, EachToolRunsItsPressDragAndReleaseSteps) {
  ToolFormStates[4] = 484;
  for (const ToolCase& c : kTools) {
    SCOPED_TRACE("tool " + std::to_string(c.tool) + " origin " + std::to_string(c.originCentre));
    std::fill(ImagePixels.begin(), ImagePixels.end(), kGrey);
    UpdateAverageColors();
    areamark = 0;
    Rot = Gruen = Blau = 0;
    UpdateToolOptions(c.tool);
    if (c.originCentre >= 0) {
      tk::setGadgetState(90, c.originCentre);
      tk::setGadgetState(94, 1 - c.originCentre);
    }
    if (c.tool == 56) {   // form 0 of the shipped library, in black at full opacity, on white
      std::fill(ImagePixels.begin(), ImagePixels.end(), kWhite);
      ToolFormStates[8] = 0;
      transstate = 1.0f;
    }
    linestate = 0;
    const int32_t undoBefore = undostate;
    ToolCalls calls;
    MouseAt(2, 3);
    OnCanvasLeftDown();
    EXPECT_EQ(CanvasButtonDown, 1);
    MouseAt(10, 8);
    if (linestate > 0) ToolDispatch();
    OnCanvasLeftUp();
    EXPECT_EQ(calls.Take(), c.calls);
    EXPECT_EQ(linestate, c.linestateAfter);
    EXPECT_EQ(undostate, UndoAfter(undoBefore, c.undoSteps));
    for (const CellColour& cell : c.cells)
      EXPECT_EQ(ImagePixels[size_t(cell.y) * 40 + size_t(cell.x)] & 0x00FFFFFFu, cell.colour)
          << "cell " << cell.x << ", " << cell.y;
    switch (c.tool) {
      case 34:   // the outline there and back encloses nothing but itself
        EXPECT_EQ(areamark, 2);
        EXPECT_EQ(paintstate, 126);
        break;
      case 56: {   // "Eckig" (all black) stretched over cells (2, 3) .. (10, 8)
        const auto at = [](int x, int y) { return ImagePixels[size_t(y) * (bildlang + 1) + x] & 0xFFFFFFu; };
        EXPECT_EQ(at(2, 3), 0xFFFFFFu);   // the form's first cell never paints
        EXPECT_EQ(at(3, 3), 0x202020u);   // next to it a blend with that cell
        EXPECT_EQ(at(4, 3), 0u);
        EXPECT_EQ(at(10, 8), 0u);
        EXPECT_EQ(at(11, 8), 0xFFFFFFu);
        EXPECT_EQ(at(10, 9), 0xFFFFFFu);
        break;
      }
      case 35:   // the box from the press to the release cell is marked
        EXPECT_EQ(areamark, 2);
        EXPECT_EQ(arealang, 8);
        EXPECT_EQ(areahoch, 5);
        break;
      case 36:   // radius Distance(8, 5) + 1 = 10 round (2, 3), kept on the image: the
                 // outline reaches x 11 and y 12 (floor of 10 x sin), one cell of room added
        EXPECT_EQ(areamark, 2);
        EXPECT_EQ(Startareax, 0);
        EXPECT_EQ(startareay, 0);
        EXPECT_EQ(arealang, 12);
        EXPECT_EQ(areahoch, 13);
        break;
      case 37:   // one colour everywhere: the whole image
        EXPECT_EQ(areamark, 2);
        EXPECT_EQ(arealang, 39);
        EXPECT_EQ(areahoch, 29);
        break;
      case 38:
        EXPECT_EQ(vieleckwork, 1);
        EXPECT_EQ(PolygonMarkPoints.size(), 1u);
        break;
      case 39:   // the grey under the mouse
        EXPECT_EQ(Rot, 0x80);
        break;
      case 57:   // the grey average of the box
        EXPECT_EQ(Rot, 0x80);
        EXPECT_EQ(Blau, 0x80);
        break;
      case 44: {   // the spray put dots round both points, none elsewhere
        int changed = 0;
        for (int y = 0; y < 30; ++y)
          for (int x = 0; x < 40; ++x)
            if ((ImagePixels[size_t(y) * 40 + x] & 0x00FFFFFFu) != kGrey) {
              ++changed;
              EXPECT_TRUE((std::abs(x - 2) <= 10 && std::abs(y - 3) <= 10) ||
                          (std::abs(x - 10) <= 10 && std::abs(y - 8) <= 10));
            }
        EXPECT_GT(changed, 0);
        break;
      }
      default: break;
    }
    // every release leaves no working flags behind (the polygon mark keeps its outline)
    if (c.tool != 38) {
      EXPECT_EQ(CanvasButtonDown, 0);
      for (PixelCell p : ImagePixels) ASSERT_EQ(p >> 24, 0u);
    }
    if (c.tool == 38) {
      OnRightButton();   // the open polygon mark is dropped
      EXPECT_EQ(vieleckwork, 0);
      EXPECT_EQ(Rot, 0);   // and the drawing colour its click replaced comes back
    }
    if (c.tool == 51) OnRightButton();
    areamark = 0;
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
  Rot = Gruen = Blau = 0;
  const int32_t before = undostate;
  MouseAt(5, 6);
  OnCanvasLeftDown();
  OnCanvasLeftUp();
  int painted = 0;
  for (PixelCell p : ImagePixels) painted += (p & 0x00FFFFFFu) != 0x00FFFFFFu;
  EXPECT_EQ(painted, 1);   // one dot
  EXPECT_EQ(ImagePixels[6 * 40 + 5], 0u);
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
  Rot = Gruen = Blau = 0;
  OnCanvasLeftDown();
  OnCanvasLeftUp();
  EXPECT_EQ(ImagePixels[5 * 40 + 6], 0u);    // the edge (2, 3) - (10, 8)
  ImagePixels[5 * 40 + 6] = 0x00FFFFFFu;
  UpdateToolOptions(52);
  EXPECT_EQ(ImagePixels[5 * 40 + 6], 0u);    // the closing edge back over it
  EXPECT_EQ(vieleckwork, 0);
  EXPECT_TRUE(PolygonMarkPoints.empty());
  EXPECT_FALSE(tk::gadgetDisabled(60));
}

TEST_F(ToolsTest, StraightLineWithEqualExtentsIsHorizontal) {
  UpdateToolOptions(53);
  Rot = Gruen = Blau = 0;
  MouseAt(2, 3);
  OnCanvasLeftDown();
  MouseAt(7, 8);
  ToolDispatch();
  OnCanvasLeftUp();
  for (int x = 2; x <= 7; ++x) EXPECT_EQ(ImagePixels[3 * 40 + x], 0u) << x;
  EXPECT_EQ(ImagePixels[8 * 40 + 7], 0x00FFFFFFu);
}

TEST_F(ToolsTest, BezierTakesFourPresses) {
  UpdateToolOptions(47);
  Rot = Gruen = Blau = 0;
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
  EXPECT_EQ(BezierPoints[1].x, 12);
  EXPECT_EQ(BezierPoints[2].x, 4);
  for (PixelCell p : ImagePixels) ASSERT_EQ(p, 0x00FFFFFFu);   // previews only so far
  const int32_t before = undostate;
  OnCanvasLeftDown();   // fourth press draws, from (2, 3) to (10, 8)
  EXPECT_EQ(currentbezier, -1);
  EXPECT_EQ(ImagePixels[3 * 40 + 2], 0u);
  EXPECT_EQ(ImagePixels[8 * 40 + 10], 0u);
  EXPECT_NE(undostate, before);
}

TEST_F(ToolsTest, CompassSetsCentreThenRadiusThenDraws) {
  UpdateToolOptions(55);
  Rot = Gruen = Blau = 0;
  // centre (5, 5); radius 4 at (9, 5); each drawing press is one undo step of its own
  const int32_t before = undostate;
  int32_t steps[3];
  int k = 0;
  for (auto [x, y] : {std::pair{5, 5}, std::pair{9, 5}, std::pair{7, 2}}) {
    MouseAt(x, y);
    OnCanvasLeftDown();
    OnCanvasLeftUp();
    steps[k++] = undostate;
  }
  EXPECT_EQ(steps[0], before);
  EXPECT_NE(steps[1], steps[0]);
  EXPECT_NE(steps[2], steps[1]);
  EXPECT_EQ(CompassClicks, 2);
  EXPECT_EQ(CompassRadius, 4);
  for (auto [x, y] : {std::pair{9, 5}, std::pair{6, 5}, std::pair{8, 2}, std::pair{5, 5}})
    EXPECT_EQ(ImagePixels[size_t(y) * 40 + size_t(x)], 0u) << x << ", " << y;
  EXPECT_EQ(CompassHeld, 0);   // nothing is left held for another command to run over
  // leaving the tool has nothing more to commit
  const int32_t after = undostate;
  UpdateToolOptions(42);
  EXPECT_EQ(undostate, after);
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
  Rot = Gruen = Blau = 0;
  MouseAt(10, 8);
  OnCanvasLeftDown();
  OnCanvasLeftUp();
  // the edge joins image cells (2, 3) and (15, 8)
  for (auto [x, y] : {std::pair{2, 3}, std::pair{15, 8}, std::pair{8, 5}})
    EXPECT_EQ(ImagePixels[size_t(y) * 100 + size_t(x)], 0u) << x << ", " << y;
  EXPECT_EQ(ImagePixels[3 * 100 + 7], 0x00FFFFFFu);
  horz = 0;
}

TEST_F(ToolsTest, BrushStampsShowOnTheCanvasBeforeTheRelease) {
  UpdateToolOptions(42);
  Rot = Gruen = Blau = 0;
  RedrawCanvas();
  MouseAt(5, 6);
  OnCanvasLeftDown();
  int stride = 0;
  const uint32_t* picture = tk::imageCells(tk::canvasImage(11), &stride);
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(picture[size_t(6) * size_t(stride) + 5] & 0x00FFFFFFu, 0u);
  EXPECT_EQ(picture[size_t(6) * size_t(stride) + 20] & 0x00FFFFFFu, 0x00FFFFFFu);
  OnCanvasLeftUp();
}
