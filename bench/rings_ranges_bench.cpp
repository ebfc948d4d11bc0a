// Speed of implode, explode, the whirls, the channel mixing, the colour-range clearing and
// the channel copies: the whole-image forms on a 4000 x 3000 image against a plain copy of
// the image, the marked twins on a 2000 x 2000 area against a plain copy of the area, each
// in the same rounds. Effects run quiet (no undo point, no redraw).
// Run by hand: QT_QPA_PLATFORM=offscreen ./rings_ranges_bench [part of a case name]
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
  const int w = 4000, h = 3000, aw = 2000, ah = 2000;
  SetImageDimensions(h, w, 1);
  uint32_t state = 12345;
  auto next = [&state] {
    state = state * 1664525u + 1013904223u;
    return (state >> 8) & 0x00FFFFFF;
  };
  for (auto& c : ImagePixels) c = next();
  const std::vector<PixelCell> start = ImagePixels;
  std::vector<PixelCell> areaStart(size_t(aw) * ah);
  for (auto& c : areaStart) c = next() | (next() & 1) << 24;
  std::vector<PixelCell> target(start.size());

  const std::string only = argc > 1 ? argv[1] : "";
  // Each round starts from the same cells (untimed), then times the effect and the copy.
  auto bench = [&](const char* name, bool area, int rounds, const std::function<void()>& effect) {
    if (std::string(name).find(only) == std::string::npos) return;
    std::vector<double> mine, ref;
    for (int r = 0; r <= rounds; ++r) {
      if (area) {
        AreaPixels = areaStart;
        arealang = aw - 1;
        areahoch = ah - 1;
      } else {
        std::copy(start.begin(), start.end(), ImagePixels.begin());
      }
      const double m = msOnce(effect);
      const double p = msOnce([&] {
        if (area) std::copy(AreaPixels.begin(), AreaPixels.end(), target.begin());
        else std::copy(ImagePixels.begin(), ImagePixels.end(), target.begin());
      });
      if (r == 0) continue;   // warm-up
      mine.push_back(m);
      ref.push_back(p);
    }
    const double a = median(mine), b = median(ref);
    std::printf("%-34s %9.2f ms  copy %6.2f ms  ratio=%.2f\n", name, a, b, a / b);
  };

  bench("ColorEffekt", false, 7, [] { ColorEffekt(1); });
  bench("ClearColorRange mode 1", false, 7,
        [] { ClearColorRange(50, 200, 100, 20, 220, 120, 0, 255, 128, 0, 255, 0, 255, 0, 255, 0, 0, 0, 1, 1); });
  bench("ClearColorRange mode 2", false, 7,
        [] { ClearColorRange(50, 200, 100, 20, 220, 120, 0, 255, 128, 0, 255, 0, 255, 0, 255, 0, 0, 0, 2, 1); });
  bench("ClearColorRange mode 3", false, 7,
        [] { ClearColorRange(50, 200, 100, 20, 220, 120, 0, 255, 128, 0, 255, 0, 255, 0, 255, 9, 8, 7, 3, 1); });
  bench("ClearColorRange mode 4", false, 7,
        [] { ClearColorRange(50, 200, 100, 20, 220, 120, 0, 255, 128, 0, 255, 0, 255, 0, 255, 9, 8, 7, 4, 1); });
  bench("RedDataFromBlueData", false, 7, [] { RedDataFromBlueData(1); });
  bench("GreenDataFromRedData", false, 7, [] { GreenDataFromRedData(1); });
  bench("Implode 4", false, 3, [] { Implode(4, 1); });
  bench("Explode 4", false, 3, [] { Explode(4, 1); });
  bench("Whirl_Right 4", false, 3, [] { Whirl_Right(4, 1); });
  bench("Whirl_Left 4", false, 3, [] { Whirl_Left(4, 1); });

  bench("ColorEffekt_Marked", true, 7, [] { ColorEffekt_Marked(1); });
  bench("ClearColorRange_Marked mode 2", true, 7, [] {
    ClearColorRange_Marked(50, 200, 100, 20, 220, 120, 0, 255, 128, 0, 255, 0, 255, 0, 255, 0, 0, 0, 2, 1);
  });
  bench("ClearColorRange_Marked mode 4", true, 7, [] {
    ClearColorRange_Marked(50, 200, 100, 20, 220, 120, 0, 255, 128, 0, 255, 0, 255, 0, 255, 9, 8, 7, 4, 1);
  });
  bench("BlueDataFromGreenData_Marked", true, 7, [] { BlueDataFromGreenData_Marked(1); });
  bench("Implode_Marked 10", true, 3, [] { Implode_Marked(10, 1); });
  bench("Implode_Marked 200", true, 3, [] { Implode_Marked(200, 1); });
  bench("Explode_Marked 10", true, 3, [] { Explode_Marked(10, 1); });
  bench("Whirl_Right_Marked 10", true, 3, [] { Whirl_Right_Marked(10, 1); });
  bench("Whirl_Left_Marked 10", true, 3, [] { Whirl_Left_Marked(10, 1); });
  return 0;
}
