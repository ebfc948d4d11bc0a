// Per-cell colour effects: channel orders, inversions and fill, greys, colour operations
// and the spectrum correction, with the values their rules give.
#include <algorithm>
#include <cstdlib>
#include <functional>
#include <string>

#include "effects/effects_fixture.h"

namespace {

using ColourEffectsTest = EffectsFixture;

using OrderEffect = int32_t (*)(uint8_t, int32_t);
const OrderEffect kOrders[7] = {nullptr, RGB, RBG, GRB, GBR, BRG, BGR};

}  // namespace

TEST_F(ColourEffectsTest, ChannelOrdersPermuteAsTheTableOfAllPairsSays) {
  // Source byte of the new red, green and blue for current order K (rows), target T.
  const int table[7][7][3] = {
      {},
      {{}, {2, 1, 0}, {2, 0, 1}, {1, 2, 0}, {1, 0, 2}, {0, 2, 1}, {0, 1, 2}},
      {{}, {2, 0, 1}, {2, 1, 0}, {0, 2, 1}, {0, 1, 2}, {1, 2, 0}, {1, 0, 2}},
      {{}, {1, 2, 0}, {1, 0, 2}, {2, 1, 0}, {2, 0, 1}, {0, 1, 2}, {0, 2, 1}},
      {{}, {0, 2, 1}, {0, 1, 2}, {2, 0, 1}, {2, 1, 0}, {1, 0, 2}, {1, 2, 0}},
      {{}, {1, 0, 2}, {1, 2, 0}, {0, 1, 2}, {0, 2, 1}, {2, 1, 0}, {2, 0, 1}},
      {{}, {0, 1, 2}, {0, 2, 1}, {1, 0, 2}, {1, 2, 0}, {2, 0, 1}, {2, 1, 0}},
  };
  const PixelCell cell = C(0x11, 0x22, 0x33, 7);   // bytes: 2 = 0x11, 1 = 0x22, 0 = 0x33
  const int byteValue[3] = {0x33, 0x22, 0x11};
  for (int k = 1; k <= 6; ++k) {
    for (int t = 1; t <= 6; ++t) {
      SCOPED_TRACE(::testing::Message() << "current " << k << " target " << t);
      SetImage(1, 1, {cell});
      EXPECT_EQ(kOrders[t](uint8_t(k), 1), t);
      const auto* src = table[k][t];
      EXPECT_EQ(ImagePixels[0], C(byteValue[src[0]], byteValue[src[1]], byteValue[src[2]], 7));
    }
  }
}

TEST_F(ColourEffectsTest, ChannelOrderRulesAroundTheCode) {
  SetImage(2, 1, {C(1, 2, 3), C(200, 100, 50, 1)});
  const auto original = ImagePixels;
  // Already in its order: nothing at all.
  const int32_t undo = undostate;
  MarkCanvas();
  EXPECT_EQ(RGB(1, 0), 1);
  EXPECT_EQ(undostate, undo);
  EXPECT_FALSE(Redrawn());
  EXPECT_EQ(ImagePixels, original);
  // There and back is exact; the second identical call changes nothing.
  colororder = GBR(1, 1);
  EXPECT_EQ(colororder, 4);
  EXPECT_EQ(ImagePixels[1], C(100, 50, 200, 1));   // GBR: red holds own green, green own blue, blue own red
  EXPECT_EQ(GBR(colororder, 1), 4);
  EXPECT_EQ(ImagePixels[1], C(100, 50, 200, 1));
  colororder = RGB(colororder, 1);
  EXPECT_EQ(ImagePixels, original);
  // An unknown current code: undo point, no change, no redraw, the own code back.
  MarkCanvas();
  EXPECT_EQ(RBG(0, 0), 2);
  EXPECT_EQ(undostate, undo % maxundo + 1);
  EXPECT_EQ(ImagePixels, original);
  EXPECT_FALSE(Redrawn());
}

TEST_F(ColourEffectsTest, InversionsPerChannelValue) {
  struct Case {
    const char* name;
    std::function<void()> run;
    std::vector<std::pair<int, int>> values;   // unsigned in -> out
  };
  const std::vector<Case> cases = {
      {"ColorTurn", [] { ColorTurn(1); }, {{0, 255}, {127, 128}, {200, 55}}},
      {"InvertFarNear", [] { InvertFarNear(1); }, {{128, 128}, {0, 128}, {127, 1}, {129, 0}, {130, 255}, {255, 130}}},
      {"InvertLowerHalf", [] { InvertLowerHalf(1); }, {{0, 255}, {127, 128}, {128, 128}, {255, 255}}},
      {"Solarize", [] { Solarize(1); }, {{0, 0}, {127, 127}, {128, 127}, {255, 0}}},
  };
  for (const auto& c : cases) {
    for (const auto& [in, out] : c.values) {
      SCOPED_TRACE(std::string(c.name) + " " + std::to_string(in));
      SetImage(1, 1, {C(in, in, in, 3)});
      c.run();
      EXPECT_EQ(ImagePixels[0], C(out, out, out, 3));
    }
  }
  // Twice ColorTurn is the identity; only the colour bytes turn.
  SetImage(2, 1, {C(1, 2, 3, 9), C(250, 128, 0)});
  ColorTurn(1);
  ColorTurn(1);
  EXPECT_EQ(ImagePixels, (std::vector<PixelCell>{C(1, 2, 3, 9), C(250, 128, 0)}));
}

TEST_F(ColourEffectsTest, ColorturnMiddleMirrorsAroundTheMeanAndClamps) {
  // Mean red 200, green 10, blue 128.
  SetImage(3, 1, {C(100, 0, 128), C(250, 0, 128), C(250, 30, 128)});
  Colorturn_Middle(1);
  EXPECT_EQ(ImagePixels[0], C(255, 20, 128));   // 300 clamped
  EXPECT_EQ(ImagePixels[1], C(150, 20, 128));
  EXPECT_EQ(ImagePixels[2], C(150, 0, 128));     // -10 clamped
  EXPECT_EQ(AllRot, 200);
  EXPECT_EQ(AllGruen, 10);
  // The means are taken again on every run.
  Colorturn_Middle(1);
  EXPECT_EQ(AllRot, 185);
}

TEST_F(ColourEffectsTest, FillImageStoresTheLowBytesAndKeepsFlags) {
  SetImage(2, 1, {C(1, 2, 3, 5), C(4, 5, 6)});
  FillImage(300, -1, 0, 1);
  EXPECT_EQ(ImagePixels, (std::vector<PixelCell>{C(44, 255, 0, 5), C(44, 255, 0)}));
}

TEST_F(ColourEffectsTest, GreyValues) {
  struct Case {
    const char* name;
    std::function<void()> run;
    PixelCell in;
    int grey;
  };
  const std::vector<Case> cases = {
      {"BlackWhite", [] { BlackWhite(1); }, C(255, 255, 254), 254},
      {"BlackWhite", [] { BlackWhite(1); }, C(0, 0, 1), 0},
      {"BlackWhite", [] { BlackWhite(1); }, C(100, 101, 103), 101},
      {"GreyFromMaximum", [] { GreyFromMaximum(1); }, C(128, 128, 128), 0},
      {"GreyFromMaximum", [] { GreyFromMaximum(1); }, C(0, 255, 128), 128},
      {"GreyFromMaximum", [] { GreyFromMaximum(1); }, C(120, 140, 128), 12},
      {"GreyFromMinimum", [] { GreyFromMinimum(1); }, C(0, 255, 128), 0},
      {"GreyFromMinimum", [] { GreyFromMinimum(1); }, C(0, 0, 0), 128},
      {"GreyFromMinimum", [] { GreyFromMinimum(1); }, C(20, 250, 60), 68},
      {"GreyFromRed", [] { GreyFromRed(1); }, C(10, 20, 30), 10},
      {"GreyFromGreen", [] { GreyFromGreen(1); }, C(10, 20, 30), 20},
      {"GreyFromBlue", [] { GreyFromBlue(1); }, C(10, 20, 30), 30},
      {"GreyFromRedGreen", [] { GreyFromRedGreen(1); }, C(255, 0, 9), 127},
      {"GreyFromRedBlue", [] { GreyFromRedBlue(1); }, C(255, 77, 0), 127},
      {"GreyFromGreenBlue", [] { GreyFromGreenBlue(1); }, C(9, 255, 254), 254},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    SetImage(1, 1, {c.in | PixelCell(2) << 24});
    c.run();
    EXPECT_EQ(ImagePixels[0], C(c.grey, c.grey, c.grey, 2));
  }
}

TEST_F(ColourEffectsTest, ColourOperationValues) {
  struct Case {
    const char* name;
    std::function<void()> run;
    PixelCell in, out;
  };
  const std::vector<Case> cases = {
      {"gradient white", [] { BiChromaticDithering(255, 0, 0, 0, 0, 255, 1); }, C(255, 255, 255), C(255, 0, 0)},
      {"gradient black", [] { BiChromaticDithering(255, 0, 0, 0, 0, 255, 1); }, C(0, 0, 0), C(0, 0, 255)},
      {"gradient level 127", [] { BiChromaticDithering(255, 0, 0, 0, 0, 255, 1); }, C(127, 127, 128), C(127, 0, 128)},
      {"gradient truncates each half", [] { BiChromaticDithering(100, 0, 0, 100, 0, 0, 1); }, C(1, 1, 1), C(99, 0, 0)},
      {"xtreme", [] { XtremeColors(1); }, C(128, 129, 0), C(0, 255, 0)},
      {"intensity +32", [] { ChangeColorIntensity(32, 1); }, C(200, 100, 100), C(232, 68, 68)},
      {"intensity on grey", [] { ChangeColorIntensity(32, 1); }, C(90, 90, 90), C(90, 90, 90)},
      {"intensity clamps", [] { ChangeColorIntensity(32, 1); }, C(250, 10, 130), C(255, 0, 130)},
      {"intensity -32 pulls together", [] { ChangeColorIntensity(-32, 1); }, C(200, 100, 100), C(168, 132, 132)},
      {"xor value 255 = ColorTurn", [] { XorWithValue(255, 1); }, C(0, 100, 255), C(255, 155, 0)},
      {"and value", [] { AndWithValue(0x0F, 1); }, C(0xAB, 0xCD, 0xEF), C(0x0B, 0x0D, 0x0F)},
      {"or value", [] { OrWithValue(0x80, 1); }, C(0x01, 0x02, 0x83), C(0x81, 0x82, 0x83)},
      {"xor colour, red in the low byte", [] { XorWithColor(0x0000FF, 1); }, C(0x0F, 0, 0), C(0xF0, 0, 0)},
      {"or colour", [] { OrWithColor(0x030201, 1); }, C(0, 0, 0), C(1, 2, 3)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    SetImage(1, 1, {c.in | PixelCell(6) << 24});
    c.run();
    EXPECT_EQ(ImagePixels[0], c.out | PixelCell(6) << 24);
  }
}

TEST_F(ColourEffectsTest, ColorSpectrumStretchesEachHalf) {
  // Red: max 228 (signed 100), min 0: up = 1 + 27/127, down = 1. Green and blue reach both ends.
  SetImage(3, 1, {C(228, 0, 0), C(150, 255, 255), C(0, 128, 128)});
  ColorSpectrum(1);
  EXPECT_EQ(ImagePixels, (std::vector<PixelCell>{C(249, 0, 0), C(155, 255, 255), C(0, 128, 128)}));
  // Again: the stretch goes further.
  ColorSpectrum(1);
  EXPECT_EQ(R(ImagePixels[0]), 255);   // 121 * (1 + 6/127) = 126.7 -> 127

  // A black and a white cell: nothing to do, not even an undo point.
  SetImage(2, 1, {C(0, 0, 0), C(255, 255, 255)});
  int32_t undo = undostate;
  ColorSpectrum(0);
  EXPECT_EQ(undostate, undo);
  // Mid grey: factors 2, but 0 stays 0; the undo point is made.
  SetImage(2, 1, {C(128, 128, 128), C(128, 128, 128)});
  undo = undostate;
  ColorSpectrum(0);
  EXPECT_EQ(undostate, undo % maxundo + 1);
  EXPECT_EQ(ImagePixels[0], C(128, 128, 128));
  // Lower half: min -100 (u 28) gives down = 1 + 28/128; -50 * 1.21875 = -60.94 -> -61.
  SetImage(2, 1, {C(28, 0, 255), C(78, 255, 0)});
  ColorSpectrum(1);
  EXPECT_EQ(R(ImagePixels[0]), 6);   // -100 * 1.21875 = -121.875 -> -122
  EXPECT_EQ(R(ImagePixels[1]), 67);
}

TEST_F(ColourEffectsTest, EveryChannelValueAndFlagThroughThePerCellRules) {
  // All 256 values in every channel (shifted per channel) on a 7-wide image, so that rows
  // end in partial groups of cells, against the rules in unsigned values.
  const int w = 7, h = 37;
  std::vector<PixelCell> start;
  for (int i = 0; i < w * h; ++i) start.push_back(C(i % 256, (i + 85) % 256, (i + 170) % 256, i % 251));
  struct Case {
    const char* name;
    std::function<void()> run;
    std::function<int(int u, int channel, PixelCell cell)> rule;
  };
  const std::vector<Case> cases = {
      {"InvertFarNear", [] { InvertFarNear(1); },
       [](int u, int, PixelCell) { return u == 128 ? 128 : u <= 127 ? 128 - u : u == 129 ? 0 : 385 - u; }},
      {"InvertLowerHalf", [] { InvertLowerHalf(1); }, [](int u, int, PixelCell) { return u <= 127 ? 255 - u : u; }},
      {"Solarize", [] { Solarize(1); }, [](int u, int, PixelCell) { return u >= 128 ? 255 - u : u; }},
      {"XtremeColors", [] { XtremeColors(1); }, [](int u, int, PixelCell) { return u > 128 ? 255 : 0; }},
      {"GreyFromMaximum", [] { GreyFromMaximum(1); },
       [](int, int, PixelCell c) { return std::max({std::abs(128 - R(c)), std::abs(128 - G(c)), std::abs(128 - B(c))}); }},
      {"GreyFromMinimum", [] { GreyFromMinimum(1); },
       [](int, int, PixelCell c) { return std::min({std::abs(128 - R(c)), std::abs(128 - G(c)), std::abs(128 - B(c))}); }},
      {"ChangeColorIntensity 100", [] { ChangeColorIntensity(100, 1); },
       [](int u, int, PixelCell c) {
         const int l = (R(c) + G(c) + B(c)) / 3;
         return std::clamp(u > l ? u + 100 : u < l ? u - 100 : u, 0, 255);
       }},
      {"ChangeColorIntensity -128", [] { ChangeColorIntensity(-128, 1); },
       [](int u, int, PixelCell c) {
         const int l = (R(c) + G(c) + B(c)) / 3;
         return std::clamp(u > l ? u - 128 : u < l ? u + 128 : u, 0, 255);
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    SetImage(w, h, start);
    c.run();
    for (int i = 0; i < w * h; ++i) {
      const PixelCell s = start[i];
      ASSERT_EQ(ImagePixels[i], C(c.rule(R(s), 0, s), c.rule(G(s), 1, s), c.rule(B(s), 2, s), F(s))) << i;
    }
  }
  // UnClear: each channel moves towards its signed mean A by the strength; past 127 it
  // stops at 127, at -128 or below at -127.
  for (int strength : {1, 50, 127, 128, 255}) {
    SCOPED_TRACE(strength);
    SetImage(w, h, start);
    UpdateAverageColors();
    const int a[3] = {AllRot - 128, AllGruen - 128, AllBlau - 128};
    UnClear(strength, 1);
    auto smear = [strength](int u, int mean) {
      const int s = u - 128;
      const int out = s < mean ? std::min(s + strength, 127) : s > mean ? std::max(s - strength, -127) : s;
      return out + 128;
    };
    for (int i = 0; i < w * h; ++i) {
      const PixelCell s = start[i];
      ASSERT_EQ(ImagePixels[i], C(smear(R(s), a[0]), smear(G(s), a[1]), smear(B(s), a[2]), F(s))) << i;
    }
  }
  // Colorturn_Middle: u -> 2m - u clamped, m each channel's floored mean.
  SetImage(w, h, start);
  UpdateAverageColors();
  const int m[3] = {AllRot, AllGruen, AllBlau};
  Colorturn_Middle(1);
  for (int i = 0; i < w * h; ++i) {
    const PixelCell s = start[i];
    auto turn = [](int u, int mean) { return std::clamp(2 * mean - u, 0, 255); };
    ASSERT_EQ(ImagePixels[i], C(turn(R(s), m[0]), turn(G(s), m[1]), turn(B(s), m[2]), F(s))) << i;
  }
}
