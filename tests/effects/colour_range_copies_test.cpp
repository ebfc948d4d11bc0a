// Colour-range clearing and the channel copies, on the image and on the marked area.
#include <functional>
#include <vector>

#include "effects/effects_fixture.h"

namespace {

using ColourRangeCopiesTest = EffectsFixture;
using Cells = std::vector<PixelCell>;

void SetArea(int w, int h, const Cells& cells) {
  arealang = w - 1;
  areahoch = h - 1;
  AreaPixels = cells;
}

// One channel's band and its outer band; the other two channels get `other`.
struct Band {
  int low, high, turn, outerLow, outerHigh;
};

// Runs the whole-image effect (marked false) or the twin on one row of cells, red band `red`,
// green and blue band `other`; the replacement colour given unsigned.
Cells RunRange(bool marked, const Cells& in, Band red, Band other, int mode, int r = 0, int g = 0, int b = 0) {
  const Band& o = other;
  if (marked) {
    SetArea(int(in.size()), 1, in);
    ClearColorRange_Marked(red.low, red.high, red.turn, o.low, o.high, o.turn, o.low, o.high, o.turn, red.outerLow,
                           red.outerHigh, o.outerLow, o.outerHigh, o.outerLow, o.outerHigh, r - 128, g - 128, b - 128,
                           mode, 1);
    return AreaPixels;
  }
  EffectsFixture::SetImage(int(in.size()), 1, in);
  ClearColorRange(red.low, red.high, red.turn, o.low, o.high, o.turn, o.low, o.high, o.turn, red.outerLow,
                  red.outerHigh, o.outerLow, o.outerHigh, o.outerLow, o.outerHigh, r, g, b, mode, 1);
  return ImagePixels;
}

}  // namespace

TEST_F(ColourRangeCopiesTest, ColourRangeModesMoveOnlyValuesInsideTheirBand) {
  const Band none{0, 0, 0, 0, 0};   // no value inside
  struct Case {
    const char* what;
    Band red;
    int mode;
    std::vector<int> in, out;   // red values; green and blue are 50 and stay
  };
  const Case cases[] = {
      {"mode 1 at 100..200 turn 150", {100, 200, 150, 0, 0}, 1, {120, 160, 100, 200, 99, 150, 199}, {80, 213, 100, 200, 99, 200, 255}},
      {"mode 1 at 50..200 turn 100", {50, 200, 100, 0, 0}, 1, {80, 150, 51}, {40, 255, 26}},   // 25.5 to even: 26
      {"mode 2 at 100..200 turn 150 into 50, 250", {100, 200, 150, 50, 250}, 2, {120, 175, 101, 150}, {70, 225, 51, 200}},
      {"mode 2 at 50..200 turn 100 into 0, 255", {50, 200, 100, 0, 255}, 2, {75, 160}, {25, 233}},
      {"mode 2 past 255 keeps the low 8 bits", {0, 255, 10, 0, 600}, 2, {254}, {87}},   // 255 + 244 x 345 / 245 = 598.6: 599, low byte 87
      {"mode 1 turning point 0 keeps the channel", {0, 255, 0, 0, 0}, 1, {1, 128, 254}, {1, 128, 254}},
      {"mode 1 turning point 0, both bounds 0", {0, 0, 0, 0, 0}, 1, {0, 1}, {0, 1}},
      {"mode 2 turning point on a bound", {100, 200, 100, 0, 255}, 2, {101, 150}, {201, 228}},   // 200 + 50 x 0.55f = 227.5000006: 228
      {"mode 5", {0, 255, 128, 0, 255}, 5, {1, 128, 254}, {1, 128, 254}},
      {"mode 0", {0, 255, 128, 0, 255}, 0, {1, 254}, {1, 254}},
  };
  for (bool marked : {false, true})
    for (const Case& c : cases) {
      SCOPED_TRACE(::testing::Message() << c.what << (marked ? " marked" : ""));
      Cells in, out;
      for (size_t i = 0; i < c.in.size(); ++i) {
        in.push_back(C(c.in[i], 50, 50, int(i)));
        out.push_back(C(c.out[i], 50, 50, int(i)));
      }
      EXPECT_EQ(RunRange(marked, in, c.red, none, c.mode), out);
    }
}

TEST_F(ColourRangeCopiesTest, ColourRangeReplacementChannelByChannelOrWhole) {
  const Band red{100, 200, 150, 0, 0}, low{0, 10, 5, 0, 0}, green{100, 160, 130, 0, 0};
  const Cells in = {C(150, 150, 150, 1), C(150, 5, 5, 2), C(100, 5, 5, 3), C(150, 5, 150, 4)};
  for (bool marked : {false, true}) {
    SCOPED_TRACE(marked ? "marked" : "image");
    // Mode 3: red in its band takes the colour's red; green and blue bands 0..10.
    EXPECT_EQ(RunRange(marked, in, red, low, 3, 0, 0, 0),
              (Cells{C(0, 150, 150, 1), C(0, 0, 0, 2), C(100, 0, 0, 3), C(0, 0, 150, 4)}));
    // Mode 4: only the cell whose three channels are all inside.
    EXPECT_EQ(RunRange(marked, in, red, low, 4, 7, 8, 9),
              (Cells{C(150, 150, 150, 1), C(7, 8, 9, 2), C(100, 5, 5, 3), C(150, 5, 150, 4)}));
    EXPECT_EQ(RunRange(marked, in, red, green, 4, 7, 8, 9), (Cells{C(7, 8, 9, 1), in[1], in[2], in[3]}));
    // Bounds beyond 0..255 take every value in; a band 7..8 holds none.
    const Band all{-5, 300, 0, 0, 0}, empty{7, 8, 0, 0, 0};
    EXPECT_EQ(RunRange(marked, in, all, empty, 3, 1, 2, 3),
              (Cells{C(1, 150, 150, 1), C(1, 5, 5, 2), C(1, 5, 5, 3), C(1, 5, 150, 4)}));
    EXPECT_EQ(RunRange(marked, in, all, all, 4, 1, 2, 3), (Cells{C(1, 2, 3, 1), C(1, 2, 3, 2), C(1, 2, 3, 3), C(1, 2, 3, 4)}));
  }
}

TEST_F(ColourRangeCopiesTest, ColourRangeFrame) {
  SetImage(2, 1, {C(1, 2, 3), C(4, 5, 6)});
  for (int mode : {1, 7}) {
    MarkCanvas();
    const int32_t undo = undostate;
    OnErrorCode1 = 0;
    ClearColorRange(0, 255, 128, 0, 255, 128, 0, 255, 128, 0, 255, 0, 255, 0, 255, 0, 0, 0, mode, 0);
    EXPECT_EQ(undostate, undo % maxundo + 1);
    EXPECT_TRUE(Redrawn());
  }
  OnErrorCode1 = 0;
  ClearColorRange(0, 255, 128, 0, 255, 128, 0, 255, 128, 0, 255, 0, 255, 0, 255, 0, 0, 0, 7, 1);
  EXPECT_EQ(OnErrorCode1, 12);
  SetArea(1, 1, {C(1, 2, 3)});
  const int32_t undo = undostate;
  ClearColorRange_Marked(0, 255, 128, 0, 255, 128, 0, 255, 128, 0, 255, 0, 255, 0, 255, 0, 0, 0, 3, 0);
  EXPECT_EQ(AreaPixels[0], C(128, 128, 128));
  EXPECT_EQ(undostate, undo);
  OnErrorCode1 = 0;
  ClearColorRange_Marked(0, 255, 128, 0, 255, 128, 0, 255, 128, 0, 255, 0, 255, 0, 255, 0, 0, 0, 7, 1);
  EXPECT_EQ(OnErrorCode1, 12);
}

TEST_F(ColourRangeCopiesTest, ChannelCopiesWriteOnlyTheirTarget) {
  using Copy = int32_t (*)(int32_t);
  using CopyMarked = int32_t (*)(uint8_t);
  struct Case {
    Copy whole;
    CopyMarked twin;
    PixelCell out;
  };
  const PixelCell in = C(10, 20, 30, 5);
  const Case cases[] = {
      {RedDataFromBlueData, RedDataFromBlueData_Marked, C(30, 20, 30, 5)},
      {RedDataFromGreenData, RedDataFromGreenData_Marked, C(20, 20, 30, 5)},
      {GreenDataFromBlueData, GreenDataFromBlueData_Marked, C(10, 30, 30, 5)},
      {GreenDataFromRedData, GreenDataFromRedData_Marked, C(10, 10, 30, 5)},
      {BlueDataFromRedData, BlueDataFromRedData_Marked, C(10, 20, 10, 5)},
      {BlueDataFromGreenData, BlueDataFromGreenData_Marked, C(10, 20, 20, 5)},
  };
  for (const Case& c : cases) {
    SetImage(2, 2, Cells(4, in));
    SetArea(3, 1, Cells(3, in));
    EXPECT_EQ(c.whole(1), 0);
    EXPECT_EQ(c.twin(1), 0);
    EXPECT_EQ(ImagePixels, Cells(4, c.out));
    EXPECT_EQ(AreaPixels, Cells(3, c.out));
  }
  // Copies that undo each other's direction leave both channels at the first source.
  SetImage(1, 1, {in});
  RedDataFromBlueData(1);
  BlueDataFromRedData(1);
  EXPECT_EQ(ImagePixels[0], C(30, 20, 30, 5));
  SetArea(1, 1, {in});
  RedDataFromGreenData_Marked(1);
  GreenDataFromRedData_Marked(1);
  EXPECT_EQ(AreaPixels[0], C(20, 20, 30, 5));
}

TEST_F(ColourRangeCopiesTest, ChannelCopiesKeepTheErrorCodeAndUndoWhenInteractive) {
  SetImage(2, 1, {C(1, 2, 3), C(4, 5, 6)});
  SetArea(1, 1, {C(1, 2, 3)});
  for (int quiet : {0, 1}) {
    OnErrorCode1 = 77;
    MarkCanvas();
    int32_t undo = undostate;
    GreenDataFromBlueData(quiet);
    EXPECT_EQ(undostate, quiet ? undo : undo % maxundo + 1);
    EXPECT_EQ(Redrawn(), quiet == 0);
    undo = undostate;
    BlueDataFromGreenData_Marked(uint8_t(quiet));
    EXPECT_EQ(undostate, quiet ? undo : undo % maxundo + 1);
    if (quiet) EXPECT_EQ(OnErrorCode1, 77);   // an interactive run's undo point and redraw set their own
  }
}
