// The dialogs' arithmetic on its own: the spin-field filter, the colour-ranges record, the
// waves start factor and preview wrap, kept aspect and anchors, the colour-range sliders,
// the buffer entry text, and the histogram counts.
#include <gtest/gtest.h>

#include <cmath>

#include "documents/documents.h"
#include "effects/effects.h"

TEST(DialogArithmetic, SpinFieldFilterKeepsDigitsAndClamps) {
  struct Case {
    const char* typed;
    const char* last;
    int min, max;
    const char* accepted;
  } cases[] = {
      {"12a", "50", 0, 255, "50"},     // a letter puts back what stood there
      {"-5", "3", -10, 10, "3"},       // so does a minus sign
      {"1 2", "7", 0, 255, "7"},
      {"300", "50", 0, 255, "255"},    // above the maximum: the maximum
      {"2", "50", 5, 255, "5"},        // below the minimum: the minimum
      {"", "50", 5, 255, "5"},         // empty reads 0
      {"", "50", 0, 255, ""},
      {"007", "50", 0, 255, "007"},
      {"99999999999999999999", "1", 0, 255, "255"},   // no overflow
      {"128", "1", 0, 128, "128"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(FilterSpinText(c.typed, c.last, c.min, c.max), c.accepted) << c.typed;
}

TEST(DialogArithmetic, ColorRangesRecordReachesTheEffectInItsOrder) {
  // Red max 255, turn 0, min 0; green max 200, turn -50, min 128; blue max 128, turn 50, min 1.
  const uint8_t record[9] = {255, 0, 0, 200, uint8_t(-50), 128, 128, 50, 1};
  const std::array<int32_t, 9> expected = {0, 255, 0, 128, 200, -50, 1, 128, 50};
  EXPECT_EQ(ColorspecArguments(record), expected);
}

TEST(DialogArithmetic, WaveStartFactor) {
  EXPECT_NEAR(WaveStartFactor(1), 98.54, 0.01);
  EXPECT_NEAR(WaveStartFactor(55), 97.48, 0.01);
  EXPECT_NEAR(WaveStartFactor(110), 96.11, 0.01);
  // A start of exactly 100 would divide by zero: it counts as 99.
  EXPECT_EQ(WavePhaseStart(100.0), 99.0);
  EXPECT_EQ(WavePhaseStart(97.5), 97.5);
  EXPECT_EQ(WavePhaseStart(100.5), 100.5);
}

TEST(DialogArithmetic, PreviewRowsWrapIntoTheFrame) {
  struct Case {
    int raw, h, row, turns;
  } cases[] = {
      {0, 148, 0, 0},   {148, 148, 148, 0}, {149, 148, 1, 1},      {296, 148, 148, 1},
      {297, 148, 1, 2}, {-1, 148, 147, -1}, {-148, 148, 0, -1},    {-149, 148, 147, -2},
      {2000000000, 148, 2000000000 - 13513513 * 148, 13513513},
  };
  for (const Case& c : cases) {
    int32_t turns = 99;
    EXPECT_EQ(WrapPreviewRow(c.raw, c.h, &turns), c.row) << c.raw;
    EXPECT_EQ(turns, c.turns) << c.raw;
  }
}

TEST(DialogArithmetic, KeptAspectAndAnchors) {
  // 100 x 50: a width of 200 makes the height 100, a height of 25 the width 50.
  EXPECT_EQ(AspectSide(200, 100, 50), 100);
  EXPECT_EQ(AspectSide(25, 50, 100), 50);
  EXPECT_EQ(AspectSide(3, 100, 50), 1);                // whole-number division
  EXPECT_EQ(AspectSide(2000000000, 1, 1000), INT32_MAX);   // no overflow
  // Last indices 99 x 49 to 139 x 19: dx 40, dy 30 (halves truncated: 20, 15).
  const int32_t expected[9][2] = {{0, 0}, {0, 15}, {0, 30}, {20, 0}, {20, 15}, {20, 30}, {40, 0}, {40, 15}, {40, 30}};
  for (int a = 0; a < 9; ++a) {
    int32_t x = -1, y = -1;
    AnchorOffset(a, 99, 49, 139, 19, x, y);
    EXPECT_EQ(x, expected[a][0]) << a;
    EXPECT_EQ(y, expected[a][1]) << a;
  }
  int32_t x = -1, y = -1;
  AnchorOffset(4, 10, 10, 13, 13, x, y);   // odd differences: 3 / 2 = 1
  EXPECT_EQ(x, 1);
  EXPECT_EQ(y, 1);
}

TEST(DialogArithmetic, ResizePresets) {
  bildlang = 99;
  bildhoch = 49;
  struct Case {
    int preset, w, h;
  } cases[] = {{0, 100, 50}, {1, 32, 32}, {5, 1024, 768}, {6, 800, 600}, {7, 640, 480}};
  for (const Case& c : cases) {
    int32_t w = 0, h = 0;
    ASSERT_TRUE(ResizePresetSize(c.preset, w, h)) << c.preset;
    EXPECT_EQ(w, c.w) << c.preset;
    EXPECT_EQ(h, c.h) << c.preset;
  }
  int32_t w = 0, h = 0, pw = 0, ph = 0;
  ASSERT_TRUE(ResizePresetSize(2, pw, ph));   // the page, portrait
  EXPECT_LT(pw, ph);
  ASSERT_TRUE(ResizePresetSize(3, w, h));      // the CD case from the page's long and short side
  EXPECT_EQ(w, int32_t(std::lround(ph * 12.6 / 29.7)));
  EXPECT_FALSE(ResizePresetSize(8, w, h));
}

TEST(DialogArithmetic, ColorRangeSliders) {
  // At the start every value is 128.
  ClearRangeChannel c;
  const std::array<int32_t, 5> start = {128, 128, 128, 128, 128};
  EXPECT_EQ(ClearRangeValues(c), start);
  // A turning point of 200: inner Min 200 wide (full: min 200), inner Max 56 wide (full: 256).
  c.turn = 200;
  ClearRangeTurnMoved(c);
  EXPECT_EQ(c.wInnerMin, 200);
  EXPECT_EQ(c.wInnerMax, 56);
  EXPECT_EQ(ClearRangeValues(c)[0], 200);
  c.innerMax = 128;
  ClearRangeInnerMaxMoved(c);
  EXPECT_EQ(ClearRangeValues(c)[1], 256);
  EXPECT_EQ(c.wOuterMax, 0);
  // Half way: min 100 and the outer Min slider spans those 100 pixels.
  c.innerMin = 64;
  ClearRangeInnerMinMoved(c);
  EXPECT_EQ(c.wOuterMin, 100);
  c.outerMin = 0;
  EXPECT_EQ(ClearRangeValues(c)[3], 0);
  c.outerMin = 64;
  EXPECT_EQ(ClearRangeValues(c)[3], 50);
  // The outer Max slider starts where the inner range ends.
  ClearRangeChannel d;
  d.turn = 100;
  d.innerMax = 64;
  ClearRangeTurnMoved(d);
  EXPECT_EQ(d.wInnerMax, 156);
  EXPECT_EQ(ClearRangeOuterMaxX(d), 100 + 78);
  EXPECT_EQ(d.wOuterMax, 78);
  d.outerMax = 128;
  EXPECT_EQ(ClearRangeValues(d)[4], 178 + 78);
}

TEST(DialogArithmetic, BufferEntryDescription) {
  EXPECT_EQ(BufferEntryDescription("2.) Himmel"), " Himmel");
  EXPECT_EQ(BufferEntryDescription("3.) Kopf (links)"), " Kopf (links)");   // the rest, brackets too
  EXPECT_EQ(BufferEntryDescription("10.) "), " ");
  EXPECT_EQ(BufferEntryDescription("ohne"), "");
}

TEST(DialogArithmetic, HistogramCountsAddToTheTables) {
  bildlang = 2;
  bildhoch = 1;
  // Cells: byte 0 blue, 1 green, 2 red.
  ImagePixels = {0x00FF0000, 0x00FF0000, 0x0000FF00, 0x000000FF, 0x00102030, 0x00102030};
  std::array<int32_t, 256> r{}, g{}, b{};
  r[0x10] = 5;   // not cleared first
  CountColorHistogram(r, g, b);
  EXPECT_EQ(r[0xFF], 2);
  EXPECT_EQ(r[0x10], 7);
  EXPECT_EQ(r[0], 2);
  EXPECT_EQ(g[0xFF], 1);
  EXPECT_EQ(g[0x20], 2);
  EXPECT_EQ(g[0], 3);
  EXPECT_EQ(b[0xFF], 1);
  EXPECT_EQ(b[0x30], 2);
  EXPECT_EQ(b[0], 3);
}
