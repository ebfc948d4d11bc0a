// Speed of the reliefs, the amplify effects and the marked bitwise and intensity twins.
// Whole-image effects on a 4000 x 3000 image against a plain copy of the image's cells;
// the twins on a 2000 x 2000 area of that image against a plain copy of the area's cells,
// each in the same rounds. Effects run quiet (no undo point, no redraw, no refresh).
// The amplify twins judge against the whole image's average, so their figure includes one
// pass over the whole image; "(UpdateAverageColors)" shows that pass alone.
// Run by hand: QT_QPA_PLATFORM=offscreen ./relief_amplify_bench [part of a case name]
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
  const int w = 4000, h = 3000, aw = 2000, ah = 2000, rounds = 7;
  SetImageDimensions(h, w, 1);
  uint32_t state = 12345;
  for (auto& c : ImagePixels) {
    state = state * 1664525u + 1013904223u;
    c = (state >> 8) & 0x00FFFFFF;
  }
  const std::vector<PixelCell> image = ImagePixels;
  std::vector<PixelCell> area(size_t(aw) * ah);
  for (size_t i = 0; i < area.size(); ++i) area[i] = image[i] | (i % 3 ? 0x01000000u : 0u);
  std::vector<PixelCell> target(image.size());

  const std::string only = argc > 1 ? argv[1] : "";
  // Each round starts from the same cells (untimed), then times the effect and the copy.
  auto bench = [&](const char* name, bool marked, const std::function<void()>& effect) {
    if (std::string(name).find(only) == std::string::npos) return;
    std::vector<double> mine, ref;
    for (int r = 0; r <= rounds; ++r) {
      std::copy(image.begin(), image.end(), ImagePixels.begin());
      AreaPixels = area;
      arealang = aw - 1;
      areahoch = ah - 1;
      const double m = msOnce(effect);
      const double p = marked ? msOnce([&] { std::copy(AreaPixels.begin(), AreaPixels.end(), target.begin()); })
                              : msOnce([&] { std::copy(ImagePixels.begin(), ImagePixels.end(), target.begin()); });
      if (r == 0) continue;   // warm-up
      mine.push_back(m);
      ref.push_back(p);
    }
    const double a = median(mine), b = median(ref);
    std::printf("%-34s %8.2f ms  copy %6.2f ms  ratio=%.2f\n", name, a, b, a / b);
  };

  bench("(UpdateAverageColors)", false, [] { UpdateAverageColors(); });
  bench("ColorRelief 0", false, [] { ColorRelief(0, 1); });
  bench("BrightColorRelief 2", false, [] { BrightColorRelief(2, 1); });
  bench("NormalRelief 1", false, [] { NormalRelief(1, 1); });
  bench("BrightNormalRelief 3", false, [] { BrightNormalRelief(3, 1); });
  bench("AmplifyBrightAreas", false, [] { AmplifyBrightAreas(30, 1); });
  bench("AmplifyDarkRedAreas", false, [] { AmplifyDarkRedAreas(30, 1); });
  bench("ColorRelief_Marked 0", true, [] { ColorRelief_Marked(0, 1); });
  bench("BrightNormalRelief_Marked 2", true, [] { BrightNormalRelief_Marked(2, 1); });
  bench("AmplifyBrightAreas_Marked", true, [] { AmplifyBrightAreas_Marked(30, 1); });
  bench("AmplifyDarkBlueAreas_Marked", true, [] { AmplifyDarkBlueAreas_Marked(30, 1); });
  bench("XorWithColor_Marked", true, [] { XorWithColor_Marked(0x123456, 1); });
  bench("AndWithColor_Marked", true, [] { AndWithColor_Marked(0x123456, 1); });
  bench("OrWithValue_Marked", true, [] { OrWithValue_Marked(0x81, 1); });
  bench("ChangeColorIntensity_Marked", true, [] { ChangeColorIntensity_Marked(20, 1); });
  return 0;
}
