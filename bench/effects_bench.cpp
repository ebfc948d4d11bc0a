// Speed of every whole-image effect of the frame's families on a 4000 x 3000 image, each
// against a plain copy of the image's cells into another array in the same rounds.
// Effects run quiet (no undo point, no redraw): the figure is the pixel work alone.
// Run by hand: QT_QPA_PLATFORM=offscreen ./effects_bench [part of a case name]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "documents/documents.h"
#include "effects/effects.h"
#include "toolkit/toolkit.h"
#include "bench_util.h"

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  tk::init(argc, argv);
  tk::test::enable(true);
  ResetDocumentsState();
  ResetEffectsState();
  const int w = 4000, h = 3000, rounds = 7;
  SetImageDimensions(h, w, 1);
  uint32_t state = 12345;
  for (auto& c : ImagePixels) {
    state = state * 1664525u + 1013904223u;
    c = (state >> 8) & 0x00FFFFFF;
  }
  const std::vector<PixelCell> start = ImagePixels;
  std::vector<PixelCell> target(start.size());
  tk::randomSeed(1);

  auto plainCopy = [&] { std::copy(ImagePixels.begin(), ImagePixels.end(), target.begin()); };
  // Each round starts from the same image (untimed), then times the effect and the copy.
  // An argument runs only the cases whose name contains it.
  const std::string only = argc > 1 ? argv[1] : "";
  auto bench = [&](const char* name, const std::function<void()>& effect) {
    if (std::string(name).find(only) == std::string::npos) return;
    std::vector<double> mine, ref;
    for (int r = 0; r <= rounds; ++r) {
      if (bildlang != w - 1 || bildhoch != h - 1) SetImageDimensions(h, w, 1);
      std::copy(start.begin(), start.end(), ImagePixels.begin());
      const double m = msOnce(effect);
      if (bildlang != w - 1 || bildhoch != h - 1) SetImageDimensions(h, w, 1);
      const double p = msOnce(plainCopy);
      if (r == 0) continue;   // warm-up
      mine.push_back(m);
      ref.push_back(p);
    }
    const double a = median(mine), b = median(ref);
    std::printf("%-22s %8.2f ms  copy %6.2f ms  ratio=%.2f\n", name, a, b, a / b);
  };

  // What the effects call of the documents, for reading the figures below: the statistics
  // passes (Colorturn_Middle, UnClear, ChessCircle take the means first, ColorSpectrum the
  // extremes) and the re-dimensioning of the turns and the free rotation.
  bench("(UpdateAverageColors)", [] { UpdateAverageColors(); });
  bench("(UpdateMinMaxColors)", [] { UpdateMinMaxColors(); });
  bench("(SetImageDimensions)", [] { SetImageDimensions(w, h, 1); });
  // The random draws alone: a wind of strength 4 takes about one draw per three cells of
  // the image (runs of 1 + 0..4 cells), Corny three per cell.
  bench("(draws for wind 4)", [] {
    for (int i = 0; i < w * h / 3; ++i) tk::random(4);
  });
  bench("RGB from BGR", [] { RGB(6, 1); });
  bench("GBR from RGB", [] { GBR(1, 1); });
  bench("ColorTurn", [] { ColorTurn(1); });
  bench("Colorturn_Middle", [] { Colorturn_Middle(1); });
  bench("InvertFarNear", [] { InvertFarNear(1); });
  bench("InvertLowerHalf", [] { InvertLowerHalf(1); });
  bench("Solarize", [] { Solarize(1); });
  bench("FillImage", [] { FillImage(10, 20, 30, 1); });
  bench("BlackWhite", [] { BlackWhite(1); });
  bench("GreyFromMinimum", [] { GreyFromMinimum(1); });
  bench("GreyFromMaximum", [] { GreyFromMaximum(1); });
  bench("GreyFromRed", [] { GreyFromRed(1); });
  bench("GreyFromGreen", [] { GreyFromGreen(1); });
  bench("GreyFromBlue", [] { GreyFromBlue(1); });
  bench("GreyFromRedGreen", [] { GreyFromRedGreen(1); });
  bench("GreyFromRedBlue", [] { GreyFromRedBlue(1); });
  bench("GreyFromGreenBlue", [] { GreyFromGreenBlue(1); });
  bench("BiChromaticDithering", [] { BiChromaticDithering(255, 0, 0, 0, 0, 255, 1); });
  bench("XtremeColors", [] { XtremeColors(1); });
  bench("ChangeColorIntensity", [] { ChangeColorIntensity(20, 1); });
  bench("XorWithValue", [] { XorWithValue(0x55, 1); });
  bench("XorWithColor", [] { XorWithColor(0x123456, 1); });
  bench("AndWithValue", [] { AndWithValue(0x0F, 1); });
  bench("AndWithColor", [] { AndWithColor(0x0F0F0F, 1); });
  bench("OrWithValue", [] { OrWithValue(0x81, 1); });
  bench("OrWithColor", [] { OrWithColor(0x818181, 1); });
  bench("ColorSpectrum", [] { ColorSpectrum(1); });
  bench("AddBrightnessNoise", [] { AddBrightnessNoise(20, 1); });
  bench("Corny", [] { Corny(20, 1); });
  bench("AddSingleColorNoise", [] { AddSingleColorNoise(0xFFFFFF, 20, 1); });
  bench("Chess 8", [] { Chess(8, 0, 1); });
  bench("ChessCircle 8", [] { ChessCircle(8, 1); });
  bench("Wind_Left 4", [] { Wind_Left(4, 1); });
  bench("Wind_Right 4", [] { Wind_Right(4, 1); });
  bench("Wind_Up 4", [] { Wind_Up(4, 1); });
  bench("Wind_Down 4", [] { Wind_Down(4, 1); });
  bench("UnClear", [] { UnClear(10, 1); });
  bench("Blur_Up", [] { Blur_Up(1); });
  bench("Blur_Down", [] { Blur_Down(1); });
  bench("Blur_Left", [] { Blur_Left(1); });
  bench("Blur_Right", [] { Blur_Right(1); });
  bench("SpecialEffect 2", [] { SpecialEffect(2, 1); });
  bench("Mirror_X", [] { Mirror_X(1); });
  bench("Mirror_Y", [] { Mirror_Y(1); });
  bench("Turn_90", [] { Turn_90(1); });
  bench("Turn_180", [] { Turn_180(1); });
  bench("Turn_270", [] { Turn_270(1); });
  bench("RotateFree 30", [] { RotateFree(30.0f, 0, 1); });
  bench("RotateFree 0", [] { RotateFree(0.0f, 0, 1); });
  return 0;
}
