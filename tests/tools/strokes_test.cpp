// The stroke routines (pen, brush, spray, smear) and the Bézier curve drawn with the pen.
#include <gtest/gtest.h>

#include <cmath>

#include "tools/tools_fixture.h"

using namespace tools_test;

namespace {
constexpr PixelCell kWhite = 0x00FFFFFFu;
using Cells = std::vector<std::pair<int, int>>;

// Scripted draws for the spray: the values in turn, each brought into 0..n.
std::vector<int32_t> gDraws;
size_t gNext = 0;
int32_t ScriptedRandom(int32_t n) {
  const int32_t v = gDraws.empty() ? 0 : gDraws[gNext++ % gDraws.size()];
  return std::clamp(v, 0, std::max(n, 0));
}

struct RandomScript {
  explicit RandomScript(std::vector<int32_t> draws) {
    gDraws = std::move(draws);
    gNext = 0;
    ToolRandom = &ScriptedRandom;
  }
  ~RandomScript() { ToolRandom = &tk::random; }
};
}  // namespace

TEST_F(ToolsTest, PenDrawsItsSegmentAndMirrorsInImageCells) {
  Rot = Gruen = Blau = 0;
  DrawFreehandSegment(1, 1, 4, 2, 0, 0, 0, 1.0f, 0, 0, 0, 1);
  EXPECT_EQ(CellsOtherThan(kWhite), (Cells{{1, 1}, {2, 1}, {3, 1}, {4, 2}}));
  // scrolled five cells right: view cell 2 is image cell 7, mirrored 39 - 7 = 32
  Fill(kWhite);
  DrawFreehandSegment(2, 3, 2, 3, 5, 0, 0, 1.0f, 0, 1, 0, 1);
  EXPECT_EQ(CellsOtherThan(kWhite), (Cells{{32, 3}}));
}

TEST_F(ToolsTest, ZeroLengthBrushStrokeIsOneStamp) {
  Rot = Gruen = Blau = 0;
  drawforms_length = 2;
  BrushFormGrey.clear();   // no form: the whole square paints
  Brush(10, 10, 10, 10, 0, 0, 0, 0.5f, 0, 1.0f, 0, 0, 1);
  // 2r + 2 cells from -r to r + 1, each painted once: half of white
  const auto cells = CellsOtherThan(kWhite);
  ASSERT_EQ(cells.size(), 36u);
  EXPECT_EQ(cells.front(), (std::pair{8, 8}));
  EXPECT_EQ(cells.back(), (std::pair{13, 13}));
  const PixelCell once = ColourAt(8, 8);
  EXPECT_TRUE(once == 0x007F7F7Fu || once == 0x00808080u);
  for (auto [x, y] : cells) EXPECT_EQ(ColourAt(x, y), once);
}

TEST_F(ToolsTest, WithoutOverpaintAStrokeNeverDarkensACellTwice) {
  Rot = Gruen = Blau = 0;
  drawforms_length = 2;
  BrushFormGrey.clear();
  for (uint8_t noRepaint : {uint8_t(1), uint8_t(0)}) {
    Fill(kWhite);
    // back and forth over the same cells within one stroke
    Brush(5, 10, 15, 10, 0, 0, 0, 0.5f, noRepaint, 1.0f, 0, 0, 1);
    Brush(15, 10, 5, 11, 0, 0, 0, 0.5f, noRepaint, 1.0f, 0, 0, 1);
    DrawFreehandSegment(5, 10, 15, 10, 0, 0, 0, 0.5f, noRepaint, 0, 0, 1);
    PixelCell darkest = kWhite;
    for (auto [x, y] : CellsOtherThan(kWhite)) darkest = std::min(darkest, ColourAt(x, y));
    if (noRepaint) EXPECT_GE(darkest, 0x007F7F7Fu);
    else EXPECT_LT(darkest, 0x00404040u);   // painted over and over
    ClearPixelFlags();
  }
}

TEST_F(ToolsTest, BrushFormGreyDecidesHowMuchEachCellTakes) {
  Rot = Gruen = Blau = 0;
  drawforms_length = 1;                 // a 4 x 4 form
  BrushFormGrey.assign(16, 0);
  BrushFormGrey[0] = 255;             // never paints
  BrushFormGrey[5] = 128;             // about half
  Brush(10, 10, 10, 10, 0, 0, 0, 1.0f, 1, 1.0f, 0, 0, 1);
  EXPECT_EQ(ColourAt(9, 9), kWhite);
  EXPECT_EQ(ColourAt(10, 10), 0x00808080u);   // opacity 127 / 255: 255 x 128 / 255 of white kept
  EXPECT_EQ(ColourAt(12, 12), 0u);
  BrushFormGrey.clear();
  ClearPixelFlags();
}

TEST_F(ToolsTest, SquareSprayPutsCountPlusOneDotsInsideItsSquare) {
  Rot = Gruen = Blau = 0;
  {
    RandomScript draws({0, 20});   // dx = -10, dy = 10
    SprayPaint(15, 20, 0, 0, 20, 0, 0, 1.0f, 0, 0, 0, 1);   // count 0: one dot
  }
  EXPECT_EQ(CellsOtherThan(kWhite), (Cells{{10, 25}}));
  Fill(kWhite);
  tk::randomSeed(7);
  SprayPaint(15, 20, 0, 0, 20, 200, 0, 1.0f, 0, 0, 0, 1);
  for (auto [x, y] : CellsOtherThan(kWhite)) {
    EXPECT_LE(std::abs(x - 20), 10);
    EXPECT_LE(std::abs(y - 15), 10);
  }
}

TEST_F(ToolsTest, RoundSprayStaysInItsRadius) {
  MakeImage(60, 60);
  Rot = Gruen = Blau = 0;
  const int r = 10, cx = 30, cy = 30;
  auto inDisc = [&] {
    for (auto [x, y] : CellsOtherThan(kWhite)) {
      const double d = std::hypot(x - cx, y - cy);
      EXPECT_LE(d, r + 0.5) << x << ", " << y;   // the column height is rounded to the nearest cell
    }
  };
  // scripted draws at the extremes: dx from -r to r, dy from 0 to the column's height,
  // and upwards when the third draw is 2
  for (int32_t a : {0, 1, 3, 7, 10, 13, 17, 19, 20})
    for (int32_t b : {0, 5, 100})
      for (int32_t c : {0, 1, 2}) {
        RandomScript draws({a, b, c});
        SprayPaintCircle(cy, cx, 0, 0, r, 0, 0, 1.0f, 0, 0, 0, 1);
      }
  EXPECT_EQ(ColourAt(cx - r, cy), 0u);   // draw 2r: dx = -r, height 0
  EXPECT_EQ(ColourAt(cx, cy - r), 0u);   // dx 0, dy the full height, turned up
  EXPECT_EQ(ColourAt(cx, cy + r), 0u);
  inDisc();
  Fill(kWhite);
  tk::randomSeed(3);
  SprayPaintCircle(cy, cx, 0, 0, r, 400, 0, 1.0f, 0, 0, 0, 1);
  inDisc();
  // one draw in three goes up: more dots below the centre than above
  int below = 0, above = 0;
  for (auto [x, y] : CellsOtherThan(kWhite)) {
    if (y > cy) ++below;
    if (y < cy) ++above;
  }
  EXPECT_GT(below, above);
  MakeImage(40, 30);
}

TEST_F(ToolsTest, SmearLaysDownWhatItCarriesAndPicksUpWhatItFinds) {
  drawforms_length = 1;
  BrushFormGrey.clear();
  SizeSmearBuffer(1);
  std::fill(SmearBuffer.begin(), SmearBuffer.end(), 0u);   // carrying black
  Smear(10, 10, 10, 10, 0, 0, 1.0f, 0, 1.0f, 1);
  EXPECT_EQ(CellsOtherThan(kWhite).size(), 16u);
  EXPECT_EQ(ColourAt(9, 9), 0u);
  for (uint32_t c : SmearBuffer) EXPECT_EQ(c, kWhite);
}

TEST_F(ToolsTest, BezierOfEqualPointsIsOneCellAndOfEndControlsIsItsSegment) {
  Rot = Gruen = Blau = 0;
  DrawBezierCurve(7, 7, 7, 7, 7, 7, 7, 7, 0, 0, 0, 1.0f, 1);
  EXPECT_EQ(CellsOtherThan(kWhite), (Cells{{7, 7}}));
  Fill(kWhite);
  DrawBezierCurve(0, 0, 0, 0, 9, 0, 9, 0, 0, 0, 0, 1.0f, 1);
  Cells row;
  for (int x = 0; x <= 9; ++x) row.push_back({x, 0});
  EXPECT_EQ(CellsOtherThan(kWhite), row);
  // the last of the twenty steps ends on the end point
  Fill(kWhite);
  DrawBezierCurve(1, 1, 30, 2, 2, 25, 20, 20, 0, 0, 0, 1.0f, 1);
  EXPECT_EQ(ColourAt(20, 20), 0u);
  EXPECT_EQ(ColourAt(1, 1), 0u);
}
