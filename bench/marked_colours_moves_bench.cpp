// Speed of the marked-area colour, channel-order and moving twins on a 2000 x 2000 area of a
// 4000 x 3000 image, each against a plain copy of the area's cells in the same rounds, and of
// the custom formula effect in cells per second (a five-operator x2 formula, y2 = #y).
// Twins run quiet (no refresh): the figure is the pixel work alone.
// Run by hand: QT_QPA_PLATFORM=offscreen ./marked_colours_moves_bench [part of a case name]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "documents/documents.h"
#include "effects/effects.h"
#include "script/script.h"
#include "shell/shell.h"
#include "toolkit/toolkit.h"
#include "bench_util.h"

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  tk::init(argc, argv);
  tk::test::enable(true);
  ResetDocumentsState();
  ResetEffectsState();
  ResetScriptState();
  const int w = 4000, h = 3000, side = 2000, rounds = 7;
  SetImageDimensions(h, w, 1);
  uint32_t state = 12345;
  for (auto& c : ImagePixels) {
    state = state * 1664525u + 1013904223u;
    c = (state >> 8) & 0x00FFFFFF;
  }
  MarkArea(500, 500, 500 + side - 1, 500 + side - 1, 0, 0, 1);
  for (auto& c : AreaPixels) c |= 0x01000000u;
  const std::vector<PixelCell> start = AreaPixels;
  std::vector<PixelCell> target(start.size());
  tk::randomSeed(1);

  auto restore = [&] {
    arealang = areahoch = side - 1;
    AreaPixels = start;
  };
  auto plainCopy = [&] { std::copy(AreaPixels.begin(), AreaPixels.end(), target.begin()); };
  const std::string only = argc > 1 ? argv[1] : "";
  auto bench = [&](const char* name, const std::function<void()>& effect) {
    if (std::string(name).find(only) == std::string::npos) return;
    std::vector<double> mine, ref;
    for (int r = 0; r <= rounds; ++r) {
      restore();
      const double m = msOnce(effect);
      restore();
      const double p = msOnce(plainCopy);
      if (r == 0) continue;   // warm-up
      mine.push_back(m);
      ref.push_back(p);
    }
    const double a = median(mine), b = median(ref);
    std::printf("%-26s %8.2f ms  copy %6.2f ms  ratio=%.2f\n", name, a, b, a / b);
  };

  bench("FillImage_Marked", [] { FillImage_Marked(1, 2, 3, 1); });
  bench("ColorTurn_Marked", [] { ColorTurn_Marked(1); });
  bench("Colorturn_Middle_Marked", [] { Colorturn_Middle_Marked(1); });
  bench("InvertFarNear_Marked", [] { InvertFarNear_Marked(1); });
  bench("InvertLowerHalf_Marked", [] { InvertLowerHalf_Marked(1); });
  bench("Solarize_Marked", [] { Solarize_Marked(1); });
  bench("SpecialEffect_Marked 2", [] { SpecialEffect_Marked(2, 1); });
  bench("Corny_Marked 10", [] { Corny_Marked(10, 1); });
  bench("BlackWhite_Marked", [] { BlackWhite_Marked(1); });
  bench("GreyFromRed_Marked", [] { GreyFromRed_Marked(1); });
  bench("GreyFromRedGreen_Marked", [] { GreyFromRedGreen_Marked(1); });
  bench("BiChromaticDithering_Mkd", [] { BiChromaticDithering_Marked(255, 0, 0, 0, 0, 255, 1); });
  bench("UnClear_Marked 5", [] { UnClear_Marked(5, 1); });
  bench("XtremeColors_Marked", [] { XtremeColors_Marked(1); });
  bench("GBR_Marked from RGB", [] { GBR_Marked(1, 1); });
  bench("Blur_Up_Marked", [] { Blur_Up_Marked(1); });
  bench("Blur_Left_Marked", [] { Blur_Left_Marked(1); });
  bench("Mirror_X_Marked", [] { Mirror_X_Marked(1); });
  bench("Mirror_Y_Marked", [] { Mirror_Y_Marked(1); });
  bench("Turn_90_Marked", [] { Turn_90_Marked(1); });
  bench("Turn_180_Marked", [] { Turn_180_Marked(1); });
  bench("Turn_270_Marked", [] { Turn_270_Marked(1); });
  bench("RotateFree_Marked 30", [] { RotateFree_Marked(30.0f, 1); });

  // The custom formula effect: cells per second over a 600 x 500 image and area.
  const std::string x2 = "#x+#y*2-#x/3+1";   // five operators
  if (std::string("OwnEffect").find(only) != std::string::npos || only.empty()) {
    SetImageDimensions(500, 600, 1);
    const double ms = msOnce([&] { OwnEffect(x2, "#y", 1); });
    std::printf("%-26s %8.2f ms  cells/s %.0f  allok %d\n", "OwnEffect", ms, 600.0 * 500 / (ms / 1000), allok);
    const double mc = msOnce([&] { OwnEffect("Max(#x,2)+#y*2-#x/3", "#y", 1); });
    std::printf("%-26s %8.2f ms  cells/s %.0f  allok %d\n", "OwnEffect with a call", mc, 600.0 * 500 / (mc / 1000), allok);
    MarkArea(0, 0, 599, 499, 0, 0, 1);
    const double mm = msOnce([&] { OwnEffect_Marked(x2, "#y", 1); });
    std::printf("%-26s %8.2f ms  cells/s %.0f  allok %d\n", "OwnEffect_Marked", mm, 600.0 * 500 / (mm / 1000), allok);
  }
  return 0;
}
