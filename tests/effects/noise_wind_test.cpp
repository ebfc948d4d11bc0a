// Effects that draw random numbers (noise, wind) checked against a given sequence of
// draws: the order and bounds of the draws and the exact cells they give. Also the smear
// (UnClear), the blurs and the specials.
#include <functional>
#include <string>

#include "effects/effects_fixture.h"

namespace {

using NoiseWindTest = EffectsFixture;

// A w x h image whose cell i has red i * 10 + 5 (and green, blue from it), flag i.
std::vector<PixelCell> Numbered(int w, int h) {
  std::vector<PixelCell> cells;
  for (int i = 0; i < w * h; ++i) cells.push_back(EffectsFixture::C(i * 10 + 5, 100 + i, 200 - i, i));
  return cells;
}
// The colour of cell `from` with the flag of cell `flagOf` in a Numbered image.
PixelCell ColourOf(int from, int flagOf) {
  return (EffectsFixture::C(from * 10 + 5, 100 + from, 200 - from) & 0xFFFFFF) | PixelCell(flagOf) << 24;
}

}  // namespace

TEST_F(NoiseWindTest, BrightnessNoiseOneDrawPerCellColumnByColumn) {
  // Strength 10, half 5. Cells visited (0,0), (0,1), (1,0), (1,1).
  SetImage(2, 2, {C(100, 0, 255, 1), C(10, 20, 30), C(128, 128, 128), C(255, 1, 3)});
  ScriptDraws({7, 0, 128, 6});
  AddBrightnessNoise(10, 1);
  EXPECT_EQ(drawBounds, (std::vector<int32_t>{10, 10, 10, 10}));
  EXPECT_EQ(At(0, 0), C(102, 2, 255, 1));    // +2; 255 + 2 leaves the range and stays
  EXPECT_EQ(At(0, 1), C(123, 123, 123));     // -5
  EXPECT_EQ(At(1, 0), C(10, 20, 30));        // 128 is -128 in a signed byte: all out of range
  EXPECT_EQ(At(1, 1), C(255, 2, 4));         // +1; 255 stays, never wrapped
}

TEST_F(NoiseWindTest, CornyDrawsRedGreenBlueAndStrengthOneOnlyRaises) {
  SetImage(1, 2, {C(100, 100, 100), C(0, 255, 128)});
  ScriptDraws({0, 5, 10, 6, 4, 9});
  Corny(10, 1);
  EXPECT_EQ(drawBounds.size(), 6u);
  EXPECT_EQ(ImagePixels, (std::vector<PixelCell>{C(95, 100, 105), C(1, 254, 132)}));
  // Strength 1: half 0, so each channel stays or rises by 1; 0 can only rise.
  SetImage(1, 1, {C(0, 0, 0)});
  ScriptDraws({1, 0, 1});
  Corny(1, 1);
  EXPECT_EQ(ImagePixels[0], C(1, 0, 1));
}

TEST_F(NoiseWindTest, SingleColourNoiseScalesByTheColour) {
  // Colour red 255, green 0, blue 128 (red in the low byte); strength 10: centres 4, 0, 2.
  const int32_t colour = 255 | 128 << 16;
  SetImage(1, 1, {C(50, 60, 70, 4)});
  ScriptDraws({10, 10, 10});
  AddSingleColorNoise(colour, 10, 1);
  EXPECT_EQ(drawBounds, (std::vector<int32_t>{10, 10, 10}));
  EXPECT_EQ(ImagePixels[0], C(56, 60, 73, 4));   // n = 10, 0, 5
  // Black adds nothing whatever is drawn.
  SetImage(1, 1, {C(50, 60, 70)});
  ScriptDraws({10, 3, 7});
  AddSingleColorNoise(0, 10, 1);
  EXPECT_EQ(ImagePixels[0], C(50, 60, 70));
}

TEST_F(NoiseWindTest, SeededNoiseRepeats) {
  const std::vector<PixelCell> start = Numbered(5, 4);
  std::vector<std::vector<PixelCell>> results;
  for (int run = 0; run < 2; ++run) {
    SetImage(5, 4, start);
    tk::randomSeed(99);
    Corny(40, 1);
    AddBrightnessNoise(40, 1);
    results.push_back(ImagePixels);
  }
  EXPECT_EQ(results[0], results[1]);
  EXPECT_NE(results[0], start);
}

TEST_F(NoiseWindTest, WindRunsTakeTheColourOfTheirFirstCell) {
  // Six cells in a line; draws 2, 0, 5: runs 0..2, 3, 4..5 (the 5 cut to the end).
  struct Case {
    const char* name;
    int w, h;
    std::function<void()> run;
    std::vector<int> from;   // the colour each cell ends with
  };
  const std::vector<Case> cases = {
      {"left", 6, 1, [] { Wind_Left(2, 1); }, {0, 0, 0, 3, 4, 4}},
      {"right", 6, 1, [] { Wind_Right(2, 1); }, {1, 1, 2, 5, 5, 5}},
      {"up", 1, 6, [] { Wind_Up(2, 1); }, {0, 0, 0, 3, 4, 4}},
      {"down", 1, 6, [] { Wind_Down(2, 1); }, {1, 1, 2, 5, 5, 5}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    SetImage(c.w, c.h, Numbered(c.w, c.h));
    ScriptDraws({2, 0, 5});
    c.run();
    EXPECT_EQ(drawBounds, (std::vector<int32_t>{2, 2, 2}));
    for (int i = 0; i < 6; ++i) EXPECT_EQ(ImagePixels[i], ColourOf(c.from[i], i)) << i;
  }
  // Rows are walked top to bottom, each taking its own draws.
  SetImage(3, 2, Numbered(3, 2));
  ScriptDraws({2, 0, 1});
  Wind_Left(2, 1);
  EXPECT_EQ(ImagePixels, (std::vector<PixelCell>{ColourOf(0, 0), ColourOf(0, 1), ColourOf(0, 2), ColourOf(3, 3),
                                                 ColourOf(4, 4), ColourOf(4, 5)}));
  // Columns left to right for the vertical winds.
  SetImage(2, 3, Numbered(2, 3));
  ScriptDraws({2, 0, 1});
  Wind_Up(2, 1);
  EXPECT_EQ(ImagePixels, (std::vector<PixelCell>{ColourOf(0, 0), ColourOf(1, 1), ColourOf(0, 2), ColourOf(3, 3),
                                                 ColourOf(0, 4), ColourOf(3, 5)}));
}

TEST_F(NoiseWindTest, WindWithoutWorkChangesNothing) {
  // One cell wide (or high): no draw, no change.
  for (auto run : std::vector<std::function<void()>>{[] { Wind_Left(4, 1); }, [] { Wind_Right(4, 1); }}) {
    SetImage(1, 5, Numbered(1, 5));
    ScriptDraws({});
    run();
    EXPECT_EQ(ImagePixels, Numbered(1, 5));
  }
  for (auto run : std::vector<std::function<void()>>{[] { Wind_Up(4, 1); }, [] { Wind_Down(4, 1); }}) {
    SetImage(5, 1, Numbered(5, 1));
    ScriptDraws({});
    run();
    EXPECT_EQ(ImagePixels, Numbered(5, 1));
  }
  // A strength of 0 or below: no undo point, no change, no redraw.
  for (int strength : {0, -3}) {
    SetImage(4, 4, Numbered(4, 4));
    ScriptDraws({});
    const int32_t undo = undostate;
    MarkCanvas();
    Wind_Left(strength, 0);
    Wind_Down(strength, 0);
    EXPECT_EQ(undostate, undo);
    EXPECT_FALSE(Redrawn());
    EXPECT_EQ(ImagePixels, Numbered(4, 4));
  }
}

TEST_F(NoiseWindTest, UnClearMovesEachChannelTowardsItsMean) {
  // Red mean 150 (signed 22); green and blue at their means stay.
  struct Case {
    int strength, low, high;
  };
  for (const Case& c : {Case{10, 110, 190}, Case{100, 200, 100}, Case{300, 255, 1}}) {
    SCOPED_TRACE(c.strength);
    SetImage(2, 1, {C(100, 40, 9, 1), C(200, 40, 9)});
    UnClear(c.strength, 1);
    EXPECT_EQ(ImagePixels, (std::vector<PixelCell>{C(c.low, 40, 9, 1), C(c.high, 40, 9)}));
    EXPECT_EQ(AllRot, 150);
  }
  SetImage(3, 3, std::vector<PixelCell>(9, C(77, 77, 77)));
  UnClear(50, 1);
  EXPECT_EQ(ImagePixels, std::vector<PixelCell>(9, C(77, 77, 77)));
}

TEST_F(NoiseWindTest, BlursShiftAlternateColumnsOrRows) {
  // 5 x 5: Blur_Up moves rows 2 and 3 of the even columns up into rows 1 and 2.
  SetImage(5, 5, Numbered(5, 5));
  Blur_Up(1);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 5; ++x) {
      const int i = y * 5 + x;
      const bool moved = x % 2 == 0 && (y == 1 || y == 2);
      EXPECT_EQ(ImagePixels[i], ColourOf(moved ? i + 5 : i, i)) << x << "," << y;
    }
  // Three rows: Blur_Up changes nothing, Blur_Down only row 0 of column 0.
  SetImage(4, 3, Numbered(4, 3));
  Blur_Up(1);
  EXPECT_EQ(ImagePixels, Numbered(4, 3));
  Blur_Down(1);
  for (int i = 0; i < 12; ++i) EXPECT_EQ(ImagePixels[i], ColourOf(i == 0 ? 4 : i, i)) << i;
  // Blur_Left and Blur_Right alike: even rows, columns 1..width - 3 from the right.
  for (auto run : std::vector<std::function<void()>>{[] { Blur_Left(1); }, [] { Blur_Right(1); }}) {
    SetImage(5, 3, Numbered(5, 3));
    run();
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 5; ++x) {
        const int i = y * 5 + x;
        const bool moved = y % 2 == 0 && x >= 1 && x <= 2;
        EXPECT_EQ(ImagePixels[i], ColourOf(moved ? i + 1 : i, i)) << x << "," << y;
      }
  }
}

TEST_F(NoiseWindTest, SpecialEffectModes) {
  // Which cells of a 3 x 3 image are complemented, for modes 0 .. 5.
  const std::vector<std::pair<int, std::string>> cases = {
      {0, "111000111"}, {1, "111000111"}, {2, "101000101"}, {3, "101101101"}, {5, "101101101"},
  };
  for (const auto& [mode, pattern] : cases) {
    SCOPED_TRACE(mode);
    SetImage(3, 3, Numbered(3, 3));
    SpecialEffect(mode, 1);
    for (int i = 0; i < 9; ++i)
      EXPECT_EQ(ImagePixels[i], pattern[i] == '1' ? Numbered(3, 3)[i] ^ 0xFFFFFFu : Numbered(3, 3)[i]) << i;
  }
}

TEST_F(NoiseWindTest, UnClearWithLargeOrNegativeStrengths) {
  // Mean red 150 (signed 22): 100 (s -28) moves up, 200 (s 72) down; a negative strength
  // moves them apart and stores the low 8 bits of the result.
  struct Case {
    int strength, low, high;
  };
  for (const Case& c : {Case{1000000, 255, 1}, Case{-100, 0, 44}, Case{-1000, 124, 176}, Case{-2147483647, 101, 199}}) {
    SCOPED_TRACE(c.strength);
    SetImage(2, 1, {C(100, 40, 9), C(200, 40, 9)});
    UnClear(c.strength, 1);
    EXPECT_EQ(R(ImagePixels[0]), c.low);
    EXPECT_EQ(R(ImagePixels[1]), c.high);
  }
}
