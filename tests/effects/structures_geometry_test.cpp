// Chess and circle structures, turns, free rotation and mirrors.
#include <cmath>
#include <functional>
#include <string>

#include "effects/effects_fixture.h"

namespace {

using StructuresGeometryTest = EffectsFixture;

std::vector<PixelCell> Numbered(int w, int h) {
  std::vector<PixelCell> cells;
  for (int i = 0; i < w * h; ++i) cells.push_back(EffectsFixture::C(i * 7, 255 - i, i * 3 + 1, i));
  return cells;
}

}  // namespace

TEST_F(StructuresGeometryTest, ChessFieldsTakeTheFlooredSignedMeanAndSpareTheLastColumnAndRow) {
  // 9 x 9, size 4: four whole fields, empty remainders. Red alternates 0 / 1 (signed mean
  // -127.5, floored to -128), green 254 / 255 (126.5 -> 126).
  std::vector<PixelCell> cells;
  for (int i = 0; i < 81; ++i) cells.push_back(C(i % 2, 254 + i % 2, 50, i % 2));
  SetImage(9, 9, cells);
  Chess(4, 0, 1);
  for (int y = 0; y < 9; ++y)
    for (int x = 0; x < 9; ++x) {
      const int i = y * 9 + x;
      const PixelCell expected = (x == 8 || y == 8) ? cells[i] : C(0, 254, 50, i % 2);
      EXPECT_EQ(ImagePixels[i], expected) << x << "," << y;
    }
  // 10 x 7, size 4: fields below x 8 and y 4, strips and corner to x 8 and y 5, each region
  // in one colour; column 9 and row 6 stay.
  SetImage(10, 7, Numbered(10, 7));
  Chess(4, 0, 1);
  auto region = [](int x) { return x < 4 ? 0 : x < 8 ? 1 : 2; };
  for (int y = 0; y < 7; ++y)
    for (int x = 0; x < 10; ++x) {
      const int i = y * 10 + x;
      if (x == 9 || y == 6) {
        EXPECT_EQ(ImagePixels[i], Numbered(10, 7)[i]);
        continue;
      }
      const int x0 = region(x) * 4, y0 = y < 4 ? 0 : 4;
      EXPECT_EQ(ImagePixels[i] & 0xFFFFFF, ImagePixels[y0 * 10 + x0] & 0xFFFFFF) << x << "," << y;
    }
  // The corner x 8, y 4..5: red 80 and 150 (the low bytes of 7 * 48 and 7 * 58).
  EXPECT_EQ(R(At(8, 4)), 115);
}

TEST_F(StructuresGeometryTest, ChessSizeLimitsAndMarkedArea) {
  // From 300 the image takes 100.
  SetImage(205, 3, Numbered(205, 3));
  Chess(100, 0, 1);
  const auto with100 = ImagePixels;
  SetImage(205, 3, Numbered(205, 3));
  Chess(300, 0, 1);
  EXPECT_EQ(ImagePixels, with100);
  // Size 1: undo point, nothing changes, no redraw. Size 0 or below: not even the undo point.
  SetImage(4, 4, Numbered(4, 4));
  MarkCanvas();
  int32_t undo = undostate;
  Chess(1, 0, 0);
  EXPECT_EQ(undostate, undo % maxundo + 1);
  EXPECT_FALSE(Redrawn());
  EXPECT_EQ(ImagePixels, Numbered(4, 4));
  undo = undostate;
  Chess(0, 0, 0);
  Chess(-5, 0, 0);
  ChessCircle(0, 0);
  ChessCircle(-1, 0);
  EXPECT_EQ(undostate, undo);
  EXPECT_EQ(ImagePixels, Numbered(4, 4));
  // The marked area takes its size unlimited, and never an undo point.
  arealang = 301;
  areahoch = 1;
  AreaPixels.assign(302 * 2, 0);
  for (int x = 0; x < 302; ++x) AreaPixels[x] = C(x % 200, 0, 0);
  undo = undostate;
  Chess(300, 1, 0);
  EXPECT_EQ(undostate, undo);
  for (int x = 1; x < 300; ++x) ASSERT_EQ(AreaPixels[x], AreaPixels[0]) << x;   // one strip of 300 cells
  EXPECT_EQ(AreaPixels[301], C(101, 0, 0));                                      // the last column stays
}

TEST_F(StructuresGeometryTest, ChessCircleBlocksWithTruncatedMeans) {
  // 7 x 7 of grey 100 with (0, 0) at 200; size 1: blocks every 3 cells, only their centres
  // (1, 1), (1, 4), (4, 1), (4, 4) take the block's mean, the rest the image mean (102).
  std::vector<PixelCell> cells(49, C(100, 100, 100, 1));
  cells[0] = C(200, 200, 200, 1);
  SetImage(7, 7, cells);
  ChessCircle(1, 1);
  for (int y = 0; y < 7; ++y)
    for (int x = 0; x < 7; ++x) {
      int v = 102;
      if (x == 1 && y == 1) v = 107;   // signed sum -348 over 16 cells, -21.75 truncated
      else if ((x == 1 || x == 4) && (y == 1 || y == 4)) v = 100;
      EXPECT_EQ(At(x, y), C(v, v, v, 1)) << x << "," << y;
    }
  // Smaller than one block: one block cut to the image, one circle around (4, 4) reaching
  // the cells within distance 3.
  std::vector<PixelCell> small(9, C(0, 0, 0));
  small[8] = C(255, 255, 255);
  SetImage(3, 3, small);
  ChessCircle(4, 1);
  for (int i = 0; i < 9; ++i) {
    const bool inCircle = i == 5 || i == 7 || i == 8;   // (2, 1), (1, 2), (2, 2)
    EXPECT_EQ(ImagePixels[i], inCircle ? C(29, 29, 29) : C(28, 28, 28)) << i;   // -99.67 truncated; 28.33 floored
  }
}

TEST_F(StructuresGeometryTest, QuarterTurnsMoveWholeCellsAndExchangeExtents) {
  tk::useWindow(0);
  tk::stringField(63, 0, 0, 50, 20, "");
  tk::stringField(64, 0, 20, 50, 20, "");
  SetImage(3, 2, Numbered(3, 2));
  Turn_90(1);
  EXPECT_EQ(bildlang, 1);
  EXPECT_EQ(bildhoch, 2);
  EXPECT_EQ(ImageRecords[CurrentImage].laenge, 1);
  EXPECT_EQ(tk::gadgetText(63), "2");
  EXPECT_EQ(tk::gadgetText(64), "3");
  // Clockwise: old rows 1, 0 become the columns; the old top-left ends top right.
  const auto n = Numbered(3, 2);
  EXPECT_EQ(ImagePixels, (std::vector<PixelCell>{n[3], n[0], n[4], n[1], n[5], n[2]}));
  Turn_270(1);
  EXPECT_EQ(ImagePixels, n);
  EXPECT_EQ(bildlang, 2);
  for (int k = 0; k < 4; ++k) Turn_90(1);
  EXPECT_EQ(ImagePixels, n);
  Turn_180(1);
  EXPECT_EQ(ImagePixels, (std::vector<PixelCell>{n[5], n[4], n[3], n[2], n[1], n[0]}));
  Turn_90(1);
  Turn_90(1);
  EXPECT_EQ(ImagePixels, n);
  // Odd sizes both ways, 180 in place with a middle row and column.
  SetImage(5, 3, Numbered(5, 3));
  Turn_180(1);
  Turn_90(1);
  Turn_90(1);
  EXPECT_EQ(ImagePixels, Numbered(5, 3));
}

TEST_F(StructuresGeometryTest, RotateFreeRestAngleAndWholeTurns) {
  const PixelCell bg = C(0, 255, 0, 9);
  // 0 degrees: every cell samples itself; flags become the background's.
  SetImage(4, 3, Numbered(4, 3));
  RotateFree(0.0f, int32_t(bg), 1);
  ASSERT_EQ(bildlang, 3);
  ASSERT_EQ(bildhoch, 2);
  for (int i = 0; i < 12; ++i) EXPECT_EQ(ImagePixels[i], (Numbered(4, 3)[i] & 0xFFFFFF) | 9u << 24) << i;
  // 90: the quarter turn, one undo point in all.
  SetImage(4, 3, Numbered(4, 3));
  Turn_90(1);
  const auto turned = ImagePixels;
  SetImage(4, 3, Numbered(4, 3));
  const int32_t undo = undostate;
  RotateFree(90.0f, int32_t(bg), 0);
  EXPECT_EQ(undostate, undo % maxundo + 1);
  ASSERT_EQ(ImagePixels.size(), turned.size());
  for (size_t i = 0; i < turned.size(); ++i) EXPECT_EQ(ImagePixels[i], (turned[i] & 0xFFFFFF) | 9u << 24) << i;
  // Angles outside 0..359 are taken modulo 360: 450 and -270 turn as 90.
  for (float a : {450.0f, -270.0f}) {
    SetImage(4, 3, Numbered(4, 3));
    RotateFree(a, int32_t(bg), 1);
    EXPECT_EQ(ImagePixels.size(), turned.size()) << a;
    EXPECT_EQ(ImagePixels[0], (turned[0] & 0xFFFFFF) | 9u << 24) << a;
  }
  // Not a number: nothing happens.
  SetImage(4, 3, Numbered(4, 3));
  RotateFree(float(NAN), int32_t(bg), 0);
  EXPECT_EQ(ImagePixels, Numbered(4, 3));
}

TEST_F(StructuresGeometryTest, RotateFree45On100x100) {
  SetImage(100, 100, std::vector<PixelCell>(10000, C(200, 100, 50)));
  const PixelCell bg = C(0, 0, 255);
  RotateFree(45.0f, int32_t(bg), 1);
  EXPECT_EQ(bildlang, 140);
  EXPECT_EQ(bildhoch, 140);
  EXPECT_EQ(ImagePixels.size(), 141u * 141u);
  // The four corners show the background, the middle the image.
  for (auto [x, y] : {std::pair{0, 0}, {140, 0}, {0, 140}, {140, 140}}) EXPECT_EQ(At(x, y), bg) << x << "," << y;
  EXPECT_EQ(At(70, 70), C(200, 100, 50));
  EXPECT_EQ(lang, 141);
}

TEST_F(StructuresGeometryTest, MirrorsExchangeColoursAndLeaveFlags) {
  for (auto [w, h] : {std::pair{1, 1}, {2, 3}, {3, 2}, {4, 5}, {5, 4}}) {
    SCOPED_TRACE(::testing::Message() << w << "x" << h);
    const auto n = Numbered(w, h);
    SetImage(w, h, n);
    Mirror_X(1);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        EXPECT_EQ(At(x, y), (n[y * w + (w - 1 - x)] & 0xFFFFFF) | (n[y * w + x] & 0xFF000000));
    Mirror_X(1);
    EXPECT_EQ(ImagePixels, n);
    Mirror_Y(1);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        EXPECT_EQ(At(x, y), (n[(h - 1 - y) * w + x] & 0xFFFFFF) | (n[y * w + x] & 0xFF000000));
    Mirror_Y(1);
    EXPECT_EQ(ImagePixels, n);
  }
}
