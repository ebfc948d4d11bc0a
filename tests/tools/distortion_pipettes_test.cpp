// The distortion tool through the canvas mouse, the pipettes and the compass point.
#include <gtest/gtest.h>

#include <cmath>

#include "tools/tools_fixture.h"

using namespace tools_test;

namespace {
constexpr PixelCell kWhite = 0x00FFFFFFu;

void Pattern() {
  for (int y = 0; y <= bildhoch; ++y)
    for (int x = 0; x <= bildlang; ++x)
      ImagePixels[size_t(y) * (size_t(bildlang) + 1) + size_t(x)] = PixelCell(x * 6) | (PixelCell(y * 8) << 8);
}
}  // namespace

TEST_F(ToolsTest, DistortionReleasedWhereItWasPressedChangesNothing) {
  UpdateToolOptions(40);
  Pattern();
  const std::vector<PixelCell> before = ImagePixels;
  const int32_t undoBefore = undostate;
  MouseAt(10, 8);
  OnCanvasLeftDown();
  EXPECT_EQ(bildlang, 39);   // the image keeps its extents during the drag
  ToolDispatch();
  OnCanvasLeftUp();
  EXPECT_EQ(ImagePixels, before);
  EXPECT_NE(undostate, undoBefore);
  Undo(0);
  EXPECT_EQ(undostate, undoBefore);
  EXPECT_EQ(ImagePixels, before);
  for (int image = 33; image <= 37; ++image) EXPECT_FALSE(tk::isImage(image));
  UpdateToolOptions(42);
}

TEST_F(ToolsTest, CancelledDistortionRestoresSizeAndCells) {
  UpdateToolOptions(40);
  Pattern();
  const std::vector<PixelCell> before = ImagePixels;
  MouseAt(10, 8);
  OnCanvasLeftDown();
  MouseAt(25, 20);
  ToolDispatch();
  EXPECT_EQ(bildlang, 39);
  EXPECT_EQ(bildhoch, 29);
  OnRightButton();
  EXPECT_EQ(bildlang, 39);
  EXPECT_EQ(bildhoch, 29);
  EXPECT_EQ(ImagePixels, before);
  EXPECT_EQ(linestate, 0);
  for (int image = 33; image <= 37; ++image) EXPECT_FALSE(tk::isImage(image));
  UpdateToolOptions(42);
}

TEST_F(ToolsTest, DistortionStretchesThePartsTowardsTheMouse) {
  UpdateToolOptions(40);
  // left half black, right half white; the corner at the boundary is dragged right
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x) ImagePixels[size_t(y) * 40 + x] = x < 20 ? 0u : kWhite;
  MouseAt(20, 15);
  OnCanvasLeftDown();
  MouseAt(30, 15);
  ToolDispatch();
  OnCanvasLeftUp();
  EXPECT_EQ(ColourAt(25, 15), 0u);
  EXPECT_EQ(ColourAt(35, 15), kWhite);
  EXPECT_EQ(bildlang, 39);
  // a press on column 0 has no parts left of it: nothing of no width is made
  MouseAt(0, 15);
  OnCanvasLeftDown();
  MouseAt(10, 10);
  ToolDispatch();
  OnCanvasLeftUp();
  EXPECT_EQ(bildlang, 39);
  EXPECT_TRUE(NoFlags());
  UpdateToolOptions(42);
}

TEST_F(ToolsTest, ColourRangePipetteAveragesTruncated) {
  ImagePixels[size_t(5) * 40 + 5] = 0x00010203u;
  ImagePixels[size_t(5) * 40 + 6] = 0x00020304u;
  Rot = Gruen = Blau = 99;
  ColorRangePipette(5, 5, 2, 1, 1);   // red 1 and 2 give 1
  EXPECT_EQ(Rot, 1);
  EXPECT_EQ(Gruen, 2);
  EXPECT_EQ(Blau, 3);
  ColorRangePipette(6, 5, 1, 1, 1);   // one cell: its colour
  EXPECT_EQ(Rot, 2);
  // nothing summed leaves the colour: a box off the image, an ellipse of no width, a
  // shape code of none
  for (auto [x, y, w, h, shape] : {std::tuple{50, 50, 5, 5, 1}, std::tuple{-9, 0, 5, 5, 1},
                                   std::tuple{10, 10, 0, 5, 2}, std::tuple{10, 10, 5, 5, 4}}) {
    Rot = 77;
    ColorRangePipette(x, y, w, h, shape);
    EXPECT_EQ(Rot, 77);
  }
  // a rhombus of no height sums its row
  Fill(0);
  ImagePixels[size_t(10) * 40 + 8] = 0x00FF0000u;
  ColorRangePipette(10, 10, 2, 0, 3);   // five cells, one of red 255
  EXPECT_EQ(Rot, 51);
}

TEST_F(ToolsTest, PipetteTakesTheColourUnderTheMouseOnly) {
  ImagePixels[size_t(3) * 40 + 4] = 0x00123456u;
  MouseAt(4, 3);
  PickColor();
  EXPECT_EQ(Rot, 0x12);
  EXPECT_EQ(Gruen, 0x34);
  EXPECT_EQ(Blau, 0x56);
  ASSERT_TRUE(tk::isGadget(816));
  EXPECT_EQ(tk::gadgetState(816), 0x12);
  MouseAt(60, 3);
  PickColor();
  EXPECT_EQ(Rot, 0x12);
}

TEST_F(ToolsTest, CompassPointLiesOnTheCircleTowardsTheMouse) {
  struct Case {
    float x, y, px, py;
  };
  const float d = 30.0f / std::sqrt(2.0f);
  const Case cases[] = {
      {100, 50, std::sqrt(900.0f - 225.0f), 15},   // not onto an axis: about (26, 15)
      {40, 40, d, d},                              // the diagonal
      {0, 0, -d, -d},                              // on the centre: up and left
      {0, 80, -0.0f, 30},                          // on the centre's column: the negative side
  };
  for (const Case& c : cases) {
    float px, py;
    CompassPoint(c.x, c.y, 0, 0, 30, px, py);
    EXPECT_NEAR(px, c.px, 1e-4) << c.x << ", " << c.y;
    EXPECT_NEAR(py, c.py, 1e-4) << c.x << ", " << c.y;
  }
  // a point off the image draws nothing
  DrawCompassPixels(100, 100, 100, 100, 5, 0, 0, 0, 1.0f, 0);
  EXPECT_EQ(CellsNot(kWhite), 0);
  Rot = Gruen = Blau = 0;
  DrawCompassPixels(20, 10, 10, 10, 5, 0, 0, 0, 1.0f, 0);
  EXPECT_EQ(ColourAt(15, 10), 0u);
}
