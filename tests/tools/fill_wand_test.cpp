// Flood fill and magic wand: the region, the tolerance against the start colour, the
// transparent fill's fading, the flags left behind and the wand's marked area.
#include <gtest/gtest.h>

#include "tools/tools_fixture.h"

using namespace tools_test;

namespace {
constexpr PixelCell kWhite = 0x00FFFFFFu;
}

TEST_F(ToolsTest, FillOfAUniformImagePaintsEveryCellOnceAndLeavesNoFlag) {
  MakeImage(4000, 3000);   // a walk of twelve million cells runs on the queue, not the stack
  Rot = Gruen = Blau = 0;
  tolleranz = 0;
  FloodFill(1234, 567, 0, 1.0f, 1);
  EXPECT_EQ(FillCount, 4000 * 3000);
  EXPECT_EQ(CellsNot(0), 0);
  EXPECT_TRUE(NoFlags());
  MakeImage(40, 30);
}

TEST_F(ToolsTest, CheckerboardFillReachesNoDiagonalNeighbour) {
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x) ImagePixels[size_t(y) * 40 + x] = ((x + y) % 2) ? 0u : kWhite;
  Rot = 255, Gruen = 0, Blau = 0;
  tolleranz = 5;
  ImagePixels[size_t(20) * 40 + 30] |= 0x02000000u;   // a flag left from elsewhere is cleared too
  FloodFill(4, 4, 0, 1.0f, 1);
  EXPECT_EQ(FillCount, 1);
  EXPECT_EQ(ColourAt(4, 4), 0x00FF0000u);
  EXPECT_EQ(ColourAt(5, 5), kWhite);
  EXPECT_TRUE(NoFlags());
}

TEST_F(ToolsTest, FillToleranceIsMeasuredFromTheStartColour) {
  // a gradient of red 0, 3, 6, ... along x: with tolerance 4 only reds 0..4 of the seed
  // row's neighbours match, however small each step is
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x) ImagePixels[size_t(y) * 40 + x] = PixelCell(3 * x) << 16;
  Rot = Gruen = 0, Blau = 255;
  tolleranz = 4;
  FloodFill(0, 0, 0, 1.0f, 1);
  EXPECT_EQ(FillCount, 2 * 30);   // columns 0 and 1 (red 0 and 3)
  EXPECT_EQ(ColourAt(1, 29), 0x000000FFu);
  EXPECT_EQ(ColourAt(2, 0), PixelCell(6) << 16);
  // a tolerance byte above 127 is negative: only the start cell
  Fill(kWhite);
  tolleranz = 200;
  FloodFill(3, 3, 0, 1.0f, 1);
  EXPECT_EQ(FillCount, 1);
}

TEST_F(ToolsTest, FillOutsideTheImageDoesNothing) {
  Rot = Gruen = Blau = 0;
  for (auto [x, y] : {std::pair{-1, 0}, std::pair{40, 0}, std::pair{0, 30}}) {
    FloodFill(x, y, 0, 1.0f, 1);
    FloodFillTransparent(x, y, 0, 1.0f, 1);
  }
  EXPECT_EQ(CellsNot(kWhite), 0);
}

TEST_F(ToolsTest, TransparentFillFadesTowardsTheToleranceEdge) {
  // left half white, a column of (250, 250, 250) in the middle, the rest (200, ...)
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x)
      ImagePixels[size_t(y) * 40 + x] = x < 20 ? kWhite : x == 20 ? 0x00FAFAFAu : 0x00C8C8C8u;
  Rot = Gruen = Blau = 0;
  tolleranz = 10;
  FloodFillTransparent(0, 0, 0, 1.0f, 1);
  EXPECT_EQ(ColourAt(19, 29), 0u);   // the seed colour takes the full paint
  // distance 15 of 30: a = 0.5, round(0 * 0.5 + 250 * 0.5) = 125
  EXPECT_EQ(ColourAt(20, 0), 0x007D7D7Du);
  EXPECT_EQ(ColourAt(21, 0), 0x00C8C8C8u);   // beyond the tolerance
  EXPECT_TRUE(NoFlags());
  // tolerance 0: exactly the cells of the seed colour, fully painted
  Fill(kWhite);
  ImagePixels[5] = 0x00FEFFFFu;
  tolleranz = 0;
  FloodFillTransparent(0, 1, 0, 1.0f, 1);
  EXPECT_EQ(CellsNot(0), 1);
  EXPECT_EQ(ColourAt(5, 0), 0x00FEFFFFu);
}

TEST_F(ToolsTest, WandOnAnIsolatedCellMarksThatCellAlone) {
  ImagePixels[size_t(7) * 40 + 9] = 0x00123456u;
  tolleranz = 0;
  MagicStick(9, 7, 1);
  EXPECT_EQ(areamark, 2);
  EXPECT_EQ(linestate, -1);
  EXPECT_EQ(arealang, 0);
  EXPECT_EQ(areahoch, 0);
  EXPECT_EQ(Startareax, 9);
  EXPECT_EQ(startareay, 7);
  ASSERT_EQ(AreaPixels.size(), 1u);
  EXPECT_EQ(AreaPixels[0], 0x01123456u);
  EXPECT_TRUE(NoFlags());
}

TEST_F(ToolsTest, WandFlagsRegionBorderCellsInsideItsBox) {
  // a plus sign of five black cells round (10, 10): its box is 3 x 3; the corners of the
  // box are outside the region (0) and every region cell touches one of them, the centre
  // diagonally (2)
  for (auto [x, y] : {std::pair{10, 10}, std::pair{9, 10}, std::pair{11, 10}, std::pair{10, 9}, std::pair{10, 11}})
    ImagePixels[size_t(y) * 40 + x] = 0;
  tolleranz = 0;
  MagicStick(10, 10, 1);
  ASSERT_EQ(arealang, 2);
  ASSERT_EQ(areahoch, 2);
  const uint32_t flags[9] = {0, 2, 0, 2, 2, 2, 0, 2, 0};
  for (int i = 0; i < 9; ++i) EXPECT_EQ(AreaPixels[i] >> 24, flags[i]) << i;
  EXPECT_EQ(CellsNot(kWhite), 5);   // the wand paints nothing
  // a 3 x 3 block: only its middle has no neighbour outside the region
  Fill(kWhite);
  for (int y = 4; y <= 6; ++y)
    for (int x = 4; x <= 6; ++x) ImagePixels[size_t(y) * 40 + x] = 0;
  MagicStick(5, 5, 1);
  ASSERT_EQ(AreaPixels.size(), 9u);
  for (int i = 0; i < 9; ++i) EXPECT_EQ(AreaPixels[i] >> 24, 1u) << i;   // neighbours outside the area do not count
}

TEST_F(ToolsTest, FillPaintsTheConnectedRegionWhateverTheDrawMode) {
  // a noisy image of three greys: the region is the 4-connected cells within the
  // tolerance of the start cell, found here by a plain walk of the colours
  MakeImage(60, 45);
  tk::randomSeed(11);
  for (PixelCell& p : ImagePixels) p = 0x00010101u * PixelCell(100 + 3 * tk::random(4));
  std::vector<PixelCell> image = ImagePixels;
  tolleranz = 6;
  const PixelCell seed = image[size_t(20) * 60 + 30];
  auto near = [&](PixelCell c) { return std::abs(int(c & 0xFF) - int(seed & 0xFF)) <= 6; };
  std::vector<char> in(image.size(), 0);
  std::vector<int> todo{20 * 60 + 30};
  in[todo[0]] = 1;
  while (!todo.empty()) {
    const int i = todo.back();
    todo.pop_back();
    const int x = i % 60, y = i / 60;
    for (auto [dx, dy] : {std::pair{-1, 0}, std::pair{1, 0}, std::pair{0, 1}, std::pair{0, -1}}) {
      const int nx = x + dx, ny = y + dy;
      if (nx < 0 || ny < 0 || nx >= 60 || ny >= 45 || in[ny * 60 + nx] || !near(image[ny * 60 + nx])) continue;
      in[ny * 60 + nx] = 1;
      todo.push_back(ny * 60 + nx);
    }
  }
  const int regionSize = int(std::count(in.begin(), in.end(), 1));
  ASSERT_GT(regionSize, 50);
  ASSERT_LT(regionSize, 60 * 45);
  Rot = 255, Gruen = Blau = 0;
  struct Mode {
    int mode;
    float opacity;
  };
  for (Mode m : {Mode{0, 1.0f}, Mode{0, 0.5f}, Mode{2, 1.0f}, Mode{9, 1.0f}}) {
    SCOPED_TRACE("mode " + std::to_string(m.mode));
    ImagePixels = image;
    FloodFill(30, 20, m.mode, m.opacity, 1);
    EXPECT_EQ(FillCount, regionSize);
    for (size_t i = 0; i < image.size(); ++i) {
      if (!in[i]) {
        ASSERT_EQ(ImagePixels[i], image[i]) << i;
      } else if (m.mode == 2) {   // inverted once each
        ASSERT_EQ(ImagePixels[i], image[i] ^ 0x00FFFFFFu) << i;
      }
    }
    EXPECT_TRUE(NoFlags());
  }
  MakeImage(40, 30);
}
