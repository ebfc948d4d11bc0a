// The frame every whole-image effect shares: undo point and redraw only when interactive,
// the error code each effect sets or keeps, flags kept by the colour effects, the loop
// counters the two loop forms leave, and the signed form.
#include <functional>
#include <string>

#include "effects/effects_fixture.h"

namespace {

using FrameTest = EffectsFixture;

struct EffectCase {
  const char* name;
  std::function<void(uint8_t quiet)> run;
  bool setsErrorCode;
  bool keepsFlags;   // colour effects keep every flag byte
};

// Every effect of the families with parameters that change the test image.
std::vector<EffectCase> AllEffects() {
  return {
      {"RGB", [](uint8_t q) { RGB(4, q); }, true, true},
      {"BGR", [](uint8_t q) { BGR(1, q); }, true, true},
      {"ColorTurn", [](uint8_t q) { ColorTurn(q); }, true, true},
      {"Colorturn_Middle", [](uint8_t q) { Colorturn_Middle(q); }, true, true},
      {"InvertFarNear", [](uint8_t q) { InvertFarNear(q); }, true, true},
      {"InvertLowerHalf", [](uint8_t q) { InvertLowerHalf(q); }, true, true},
      {"Solarize", [](uint8_t q) { Solarize(q); }, true, true},
      {"FillImage", [](uint8_t q) { FillImage(1, 2, 3, q); }, true, true},
      {"BlackWhite", [](uint8_t q) { BlackWhite(q); }, true, true},
      {"GreyFromMinimum", [](uint8_t q) { GreyFromMinimum(q); }, false, true},
      {"GreyFromMaximum", [](uint8_t q) { GreyFromMaximum(q); }, false, true},
      {"GreyFromRed", [](uint8_t q) { GreyFromRed(q); }, false, true},
      {"GreyFromGreen", [](uint8_t q) { GreyFromGreen(q); }, false, true},
      {"GreyFromBlue", [](uint8_t q) { GreyFromBlue(q); }, false, true},
      {"GreyFromRedGreen", [](uint8_t q) { GreyFromRedGreen(q); }, false, true},
      {"GreyFromRedBlue", [](uint8_t q) { GreyFromRedBlue(q); }, false, true},
      {"GreyFromGreenBlue", [](uint8_t q) { GreyFromGreenBlue(q); }, false, true},
      {"BiChromaticDithering", [](uint8_t q) { BiChromaticDithering(255, 0, 0, 0, 0, 255, q); }, true, true},
      {"XtremeColors", [](uint8_t q) { XtremeColors(q); }, true, true},
      {"ChangeColorIntensity", [](uint8_t q) { ChangeColorIntensity(20, q); }, false, true},
      {"XorWithValue", [](uint8_t q) { XorWithValue(0x55, q); }, false, true},
      {"XorWithColor", [](uint8_t q) { XorWithColor(0x123456, q); }, false, true},
      {"AndWithValue", [](uint8_t q) { AndWithValue(0x0F, q); }, false, true},
      {"AndWithColor", [](uint8_t q) { AndWithColor(0x0F0F0F, q); }, false, false},
      {"OrWithValue", [](uint8_t q) { OrWithValue(0x81, q); }, false, true},
      {"OrWithColor", [](uint8_t q) { OrWithColor(0x818181, q); }, false, true},
      {"AddBrightnessNoise", [](uint8_t q) { AddBrightnessNoise(40, q); }, true, true},
      {"Corny", [](uint8_t q) { Corny(40, q); }, true, true},
      {"AddSingleColorNoise", [](uint8_t q) { AddSingleColorNoise(0xFFFFFF, 40, q); }, true, true},
      {"Chess", [](uint8_t q) { Chess(2, 0, q); }, true, true},
      {"ChessCircle", [](uint8_t q) { ChessCircle(1, q); }, true, true},
      {"Wind_Up", [](uint8_t q) { Wind_Up(3, q); }, true, true},
      {"Wind_Down", [](uint8_t q) { Wind_Down(3, q); }, true, true},
      {"Wind_Left", [](uint8_t q) { Wind_Left(3, q); }, true, true},
      {"Wind_Right", [](uint8_t q) { Wind_Right(3, q); }, true, true},
      {"UnClear", [](uint8_t q) { UnClear(10, q); }, true, true},
      {"Blur_Up", [](uint8_t q) { Blur_Up(q); }, true, true},
      {"Blur_Down", [](uint8_t q) { Blur_Down(q); }, true, true},
      {"Blur_Left", [](uint8_t q) { Blur_Left(q); }, true, true},
      {"Blur_Right", [](uint8_t q) { Blur_Right(q); }, true, true},
      {"SpecialEffect", [](uint8_t q) { SpecialEffect(2, q); }, true, true},
      {"ColorSpectrum", [](uint8_t q) { ColorSpectrum(q); }, true, true},
      {"Mirror_X", [](uint8_t q) { Mirror_X(q); }, true, true},
      {"Mirror_Y", [](uint8_t q) { Mirror_Y(q); }, true, true},
      {"Turn_90", [](uint8_t q) { Turn_90(q); }, true, false},
      {"Turn_180", [](uint8_t q) { Turn_180(q); }, true, false},
      {"Turn_270", [](uint8_t q) { Turn_270(q); }, true, false},
      {"RotateFree", [](uint8_t q) { RotateFree(30.0f, 0x00FF00, q); }, false, false},
  };
}

// A 7 x 6 image of varied colours inside 20..230 (so the spectrum has work), with a flag
// on every third cell.
std::vector<PixelCell> VariedImage() {
  std::vector<PixelCell> cells;
  for (int i = 0; i < 42; ++i)
    cells.push_back(EffectsFixture::C(20 + (i * 37) % 211, 20 + (i * 53) % 211, 20 + (i * 91) % 211, i % 3 == 0 ? 1 : 0));
  return cells;
}

}  // namespace

TEST_F(FrameTest, InteractiveRunsMakeOneUndoPointAndRedrawQuietRunsNeither) {
  tk::randomSeed(3);
  for (const auto& e : AllEffects()) {
    for (uint8_t quiet : {uint8_t(0), uint8_t(1)}) {
      SCOPED_TRACE(std::string(e.name) + " quiet " + std::to_string(quiet));
      SetImage(7, 6, VariedImage());
      MarkCanvas();
      const int32_t before = undostate;
      const auto original = ImagePixels;
      e.run(quiet);
      EXPECT_NE(ImagePixels, original) << "the test image should change";
      EXPECT_EQ(undostate, quiet == 0 ? before % maxundo + 1 : before);
      EXPECT_EQ(Redrawn(), quiet == 0);
    }
  }
}

TEST_F(FrameTest, ErrorCodeAndFlagBytes) {
  tk::randomSeed(4);
  for (const auto& e : AllEffects()) {
    SCOPED_TRACE(e.name);
    SetImage(7, 6, VariedImage());
    OnErrorCode1 = 5;
    e.run(1);
    EXPECT_EQ(OnErrorCode1, e.setsErrorCode ? 12 : 5);
    if (!e.keepsFlags) continue;
    for (int i = 0; i < 42; ++i) ASSERT_EQ(int(ImagePixels[i] >> 24), i % 3 == 0 ? 1 : 0) << i;
  }
  // AndWithColor clears every flag byte; with white it keeps the colours.
  SetImage(7, 6, VariedImage());
  const auto original = ImagePixels;
  AndWithColor(0xFFFFFF, 1);
  for (int i = 0; i < 42; ++i) EXPECT_EQ(ImagePixels[i], original[i] & 0xFFFFFF) << i;
}

TEST_F(FrameTest, LoopCountersAsTheLoopFormsLeaveThem) {
  // A 1 x 1 image: each form visits the one cell; counted leaves y past it, reset at 0.
  struct Case {
    const char* name;
    std::function<void()> run;
    int32_t hochAfter;
  };
  const std::vector<Case> cases = {
      {"ColorTurn (reset)", [] { ColorTurn(1); }, 0},
      {"BlackWhite (reset)", [] { BlackWhite(1); }, 0},
      {"Corny (reset)", [] { Corny(5, 1); }, 0},
      {"InvertFarNear (counted)", [] { InvertFarNear(1); }, 1},
      {"FillImage (counted)", [] { FillImage(9, 9, 9, 1); }, 1},
      {"GreyFromRed (counted)", [] { GreyFromRed(1); }, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    SetImage(1, 1, {C(10, 200, 130)});
    lang = hoch = 77;
    c.run();
    EXPECT_EQ(lang, 1);
    EXPECT_EQ(hoch, c.hochAfter);
  }
  SetImage(1, 1, {C(10, 200, 130)});
  ColorTurn(1);
  EXPECT_EQ(ImagePixels[0], C(245, 55, 125)) << "the single cell is visited once";
}

TEST_F(FrameTest, SignedFormTwiceIsTheIdentityAndKeepsFlags) {
  SetImage(7, 6, VariedImage());
  const auto original = ImagePixels;
  ToggleImageSignedForm();
  for (int i = 0; i < 42; ++i) {
    EXPECT_EQ(ImagePixels[i], original[i] ^ 0x808080u) << i;   // 0 -> -128, 128 -> 0, 255 -> 127
  }
  ToggleImageSignedForm();
  EXPECT_EQ(ImagePixels, original);
  // The row comes first: (row 1, column 4) of a 7-wide image is cell 11.
  TogglePixelSignedForm(1, 4);
  for (int i = 0; i < 42; ++i) EXPECT_EQ(ImagePixels[i], i == 11 ? original[i] ^ 0x808080u : original[i]) << i;
  AllRot = 200;
  AllGruen = 0;
  AllBlau = 128;
  AverageColorToSigned();
  EXPECT_EQ(AllRot, 72);
  EXPECT_EQ(AllGruen, -128);
  EXPECT_EQ(AllBlau, 0);
  AverageColorToUnsigned();
  EXPECT_EQ(AllRot, 200);
}
