// Lines, boxes, rhombi and ellipses: the cells each covers, their clipping at the image's
// edges and the degenerate sizes.
#include <gtest/gtest.h>

#include "tools/tools_fixture.h"

using namespace tools_test;

namespace {
constexpr PixelCell kWhite = 0x00FFFFFFu;
using Cells = std::vector<std::pair<int, int>>;
}  // namespace

TEST_F(ToolsTest, LinesCoverTheCellsOfTheirFloatSteps) {
  struct Case {
    int x1, y1, x2, y2, option;
    Cells cells;
  };
  const Case cases[] = {
      {0, 0, 3, 1, 467, {{0, 0}, {1, 0}, {2, 0}, {3, 1}}},   // floor of i x 1/3
      {3, 1, 0, 0, 467, {{0, 0}, {1, 0}, {2, 0}, {3, 1}}},   // the ends are exchanged first
      {5, 5, 5, 5, 467, {{5, 5}}},
      {5, 5, 5, 5, 471, {{3, 5}, {4, 5}, {5, 5}, {6, 5}, {7, 5}}},   // no length: a run of 2w + 1
      {2, 2, 2, 4, 469, {{1, 2}, {2, 2}, {3, 2}, {1, 3}, {2, 3}, {3, 3}, {1, 4}, {2, 4}, {3, 4}}},
      {2, 2, 4, 2, 469, {{2, 1}, {3, 1}, {4, 1}, {2, 2}, {3, 2}, {4, 2}, {2, 3}, {3, 3}, {4, 3}}},
      {4, 0, 1, 3, 467, {{4, 0}, {3, 1}, {2, 2}, {1, 3}}},
      {-2, 0, 1, 0, 467, {{0, 0}, {1, 0}}},   // cells off the image are skipped
  };
  Rot = Gruen = Blau = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.x1) + "," + std::to_string(c.y1) + " - " + std::to_string(c.x2) + "," +
                 std::to_string(c.y2) + " option " + std::to_string(c.option));
    Fill(kWhite);
    DrawLine(c.x1, c.y1, c.x2, c.y2, 0, 0, 0, 1.0f, c.option);
    Cells want = c.cells;
    std::sort(want.begin(), want.end(), [](auto a, auto b) { return a.second != b.second ? a.second < b.second : a.first < b.first; });
    EXPECT_EQ(CellsOtherThan(kWhite), want);
  }
  // the scroll is added to both ends
  Fill(kWhite);
  DrawLine(0, 0, 3, 1, 10, 20, 0, 1.0f, 467);
  EXPECT_EQ(CellsOtherThan(kWhite), (Cells{{10, 20}, {11, 20}, {12, 20}, {13, 21}}));
}

TEST_F(ToolsTest, BoxCoversItsCornersInclusiveFilledOrOutlined) {
  Rot = Gruen = Blau = 0;
  Box(2, 3, 0, 0, 0, 0, 478, 0, 1.0f, 1);
  EXPECT_EQ(CellsOtherThan(kWhite), (Cells{{2, 3}}));
  Fill(kWhite);
  Box(2, 3, 0, 0, 0, 0, 479, 0, 1.0f, 1);
  EXPECT_EQ(CellsOtherThan(kWhite), (Cells{{2, 3}}));
  Fill(kWhite);
  Box(4, 4, -2, -2, 0, 0, 478, 0, 1.0f, 1);   // negative extents reach left and up
  EXPECT_EQ(CellsOtherThan(kWhite).size(), 9u);
  EXPECT_EQ(ColourAt(2, 2), 0u);
  Fill(kWhite);
  Box(1, 1, 3, 2, 0, 0, 479, 0, 1.0f, 1);   // outline: 4 x 3 cells less the middle two
  EXPECT_EQ(CellsOtherThan(kWhite).size(), 10u);
  EXPECT_EQ(ColourAt(2, 2), kWhite);
  Fill(kWhite);
  Box(-100, -100, 1000, 1000, 0, 0, 478, 0, 1.0f, 1);   // clipped to the image
  EXPECT_EQ(CellsNot(0), 0);
}

TEST_F(ToolsTest, RhombusFilledOutlinedOrNotAtAll) {
  Rot = Gruen = Blau = 0;
  Rhombus(10, 10, 2, 2, 0, 0, 0, 1.0f, 484, 1);
  EXPECT_EQ(CellsOtherThan(kWhite).size(), 13u);   // rows of 1, 3, 5, 3, 1
  EXPECT_EQ(ColourAt(8, 10), 0u);
  EXPECT_EQ(ColourAt(9, 9), 0u);
  EXPECT_EQ(ColourAt(8, 9), kWhite);
  Fill(kWhite);
  Rhombus(10, 10, 2, 2, 0, 0, 0, 1.0f, 485, 1);
  EXPECT_EQ(CellsOtherThan(kWhite).size(), 8u);
  EXPECT_EQ(ColourAt(10, 10), kWhite);
  Fill(kWhite);
  Rhombus(10, 10, 2, 2, 0, 0, 0, 1.0f, 478, 1);   // the box's option draws no rhombus
  EXPECT_EQ(CellsNot(kWhite), 0);
}

TEST_F(ToolsTest, ZeroRadiusEllipseAndRhombusDrawTheirLine) {
  Rot = Gruen = Blau = 0;
  // no height: the row of the width; no width: the column of the height
  Rhombus(10, 10, 3, 0, 0, 0, 0, 1.0f, 484, 1);
  EXPECT_EQ(CellsOtherThan(kWhite), (Cells{{7, 10}, {8, 10}, {9, 10}, {10, 10}, {11, 10}, {12, 10}, {13, 10}}));
  Fill(kWhite);
  Rhombus(10, 10, 0, 2, 0, 0, 0, 1.0f, 484, 1);
  EXPECT_EQ(CellsOtherThan(kWhite), (Cells{{10, 8}, {10, 9}, {10, 10}, {10, 11}, {10, 12}}));
  Fill(kWhite);
  DrawEllipse(10, 10, 0, 2, 0, 0, 0, 1.0f, 474);
  EXPECT_EQ(CellsOtherThan(kWhite), (Cells{{10, 8}, {10, 9}, {10, 10}, {10, 11}, {10, 12}}));
  Fill(kWhite);
  DrawEllipse(10, 10, 0, 0, 0, 0, 0, 1.0f, 476);
  EXPECT_EQ(CellsOtherThan(kWhite), (Cells{{10, 10}}));
}

TEST_F(ToolsTest, EllipseFilledAndOutlineOnAndOffTheImage) {
  Rot = Gruen = Blau = 0;
  DrawEllipse(10, 10, 3, 2, 0, 0, 0, 1.0f, 476);
  // columns i = 0..3 of half-height round(sqrt(1 - (i/3)^2) x 2): 2, 2, 1, 0
  EXPECT_EQ(CellsOtherThan(kWhite).size(), size_t(5 + 2 * (5 + 3 + 1)));
  EXPECT_EQ(ColourAt(13, 10), 0u);
  EXPECT_EQ(ColourAt(13, 9), kWhite);
  // the outline starts at the top and closes
  Fill(kWhite);
  DrawEllipse(15, 15, 6, 6, 0, 0, 0, 1.0f, 1);
  EXPECT_EQ(ColourAt(15, 9), 0u);
  EXPECT_EQ(ColourAt(15, 15), kWhite);
  EXPECT_EQ(ColourAt(21, 15), kWhite);   // floor(6 x sin): the right side lies on column 20
  EXPECT_EQ(ColourAt(20, 15), 0u);
  // near the edge whole segments drop out, and no cell beyond the image is touched
  Fill(kWhite);
  DrawEllipse(2, 15, 6, 6, 0, 0, 0, 1.0f, 1);
  EXPECT_EQ(ColourAt(0, 15), kWhite);
  EXPECT_EQ(ColourAt(7, 15), 0u);
}

TEST_F(ToolsTest, FarOffShapesCostNothingForTheirSizeAndStayOnTheImage) {
  Rot = Gruen = Blau = 0;
  // a horizontal line steps 0.001 down per cell: 2000000000 cells on, it is far below
  DrawLine(-2000000000, 0, 2000000000, 0, 0, 0, 0, 1.0f, 467);
  EXPECT_EQ(CellsNot(kWhite), 0);
  DrawLine(-500, 0, 500, 0, 0, 0, 0, 1.0f, 467);   // still on row 0 here
  for (int x = 0; x < 40; ++x) EXPECT_EQ(ColourAt(x, 0), 0u);
  Fill(kWhite);
  // a filled ellipse centred far to the left whose right end reaches column 10
  DrawEllipse(-1000000, 15, 1000010, 5, 0, 0, 0, 1.0f, 474);
  EXPECT_EQ(ColourAt(0, 15), 0u);
  EXPECT_EQ(ColourAt(10, 15), 0u);
  EXPECT_EQ(ColourAt(11, 15), kWhite);
  EXPECT_EQ(ColourAt(0, 21), kWhite);
  Fill(kWhite);
  Rhombus(20, 15, 2000000000, 2000000000, 0, 0, 0, 1.0f, 484, 1);
  Box(-2000000000, -2000000000, 2000000000, 2000000000, 0, 0, 478, 0, 1.0f, 1);
  EXPECT_EQ(CellsNot(0), 0);
  Rot = 5;
  ColorRangePipette(-1000000, 15, 1000010, 2000000000, 2);   // only the black cells it reaches
  EXPECT_EQ(Rot, 0);
}
