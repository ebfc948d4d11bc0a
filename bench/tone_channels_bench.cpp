// Speed of the tone, line, squint, channel-setter, attribute and channel-switch effects on a
// 4000 x 3000 image and of their marked twins on a 2000 x 2000 area, each against a plain
// copy of the cells it works on, in the same rounds. Effects run quiet.
// Run by hand: QT_QPA_PLATFORM=offscreen ./tone_channels_bench [part of a case name]
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
  const std::vector<PixelCell> start = ImagePixels;
  const std::vector<PixelCell> areaStart(start.begin(), start.begin() + size_t(aw) * ah);
  std::vector<PixelCell> target(start.size());

  const std::string only = argc > 1 ? argv[1] : "";
  // area: the twin works on a 2000 x 2000 area and the copy is of the area's cells.
  auto bench = [&](const char* name, bool area, const std::function<void()>& effect) {
    if (std::string(name).find(only) == std::string::npos) return;
    std::vector<double> mine, ref;
    for (int r = 0; r <= rounds; ++r) {
      if (bildlang != w - 1 || bildhoch != h - 1) SetImageDimensions(h, w, 1);
      std::copy(start.begin(), start.end(), ImagePixels.begin());
      arealang = aw - 1;
      areahoch = ah - 1;
      AreaPixels = areaStart;
      const double m = msOnce(effect);
      const std::vector<PixelCell>& src = area ? AreaPixels : ImagePixels;
      const double p = msOnce([&] { std::copy(src.begin(), src.end(), target.begin()); });
      if (r == 0) continue;   // warm-up
      mine.push_back(m);
      ref.push_back(p);
    }
    const double a = median(mine), b = median(ref);
    std::printf("%-26s %8.2f ms  copy %6.2f ms  ratio=%.2f\n", name, a, b, a / b);
  };

  // The statistics passes over the whole image that some effects take first (Shadow, the
  // attributes and their twins the means, Colorspectrum_Marked the extremes).
  bench("(UpdateAverageColors)", false, [] { UpdateAverageColors(); });
  bench("(UpdateMinMaxColors)", false, [] { UpdateMinMaxColors(); });
  bench("Coloring", false, [] { Coloring(200, 100, 50, 1); });
  bench("Shadow", false, [] { Shadow(1); });
  bench("Colormove 3,-2,5", false, [] { Colormove(3, 2, 5, 1, 4, 2, 1); });
  bench("SoftSharpDraw 10", false, [] { SoftSharpDraw(1, 10); });
  bench("SoftSharpDraw -10", false, [] { SoftSharpDraw(1, -10); });
  bench("Linedouble", false, [] { Linedouble(1); });
  bench("Linedouble_mirror", false, [] { Linedouble_mirror(1); });
  bench("Incircle", false, [] { Incircle(1); });
  bench("SquintEffect 30", false, [] { SquintEffect(30, 1); });
  bench("SetRedColors", false, [] { SetRedColors(77, 1); });
  bench("SetColorspec", false, [] { SetColorspec(30, 220, 10, 0, 255, 0, 10, 200, -20, 1); });
  bench("Attributes -20", false, [] { Attributes(-20, 5, 3, 0, -4, 1); });
  bench("Attributes +20", false, [] { Attributes(20, 5, 3, 0, -4, 1); });
  bench("SwitchRedChannel out+back", false, [] {
    SwitchRedChannel(0, 1);
    SwitchRedChannel(1, 1);
  });
  bench("Coloring_Marked", true, [] { Coloring_Marked(200, 100, 50, 1); });
  bench("Shadow_Marked", true, [] { Shadow_Marked(1); });
  bench("Colormove_Marked", true, [] { Colormove_Marked(3, 2, 5, 1, 4, 2, 1); });
  bench("SoftSharpDraw_Marked 5", true, [] { SoftSharpDraw_Marked(5, 1); });
  bench("Linedouble_Marked", true, [] { Linedouble_Marked(1); });
  bench("Incircle_Marked", true, [] { Incircle_Marked(1); });
  bench("SquintEffect_Marked 30", true, [] { SquintEffect_Marked(30, 1); });
  bench("SetGreenColors_Marked", true, [] { SetGreenColors_Marked(77, 1); });
  bench("SetColorspec_Marked", true, [] { SetColorspec_Marked(30, 220, 10, 0, 255, 0, 10, 200, 236, 1); });
  bench("Colorspectrum_Marked", true, [] { Colorspectrum_Marked(1); });
  bench("ColorBars_Marked", true, [] { ColorBars_Marked(1, 2, 3, 1); });
  bench("BarsLeft_Marked", true, [] { BarsLeft_Marked(1); });
  bench("BarsDown_Marked", true, [] { BarsDown_Marked(1); });
  bench("Attributes_Marked", true, [] { Attributes_Marked(-20, 5, 3, 0, -4, 0, 1); });
  bench("Attributes_Marked 40%", true, [] { Attributes_Marked(-20, 5, 3, 0, -4, 40, 1); });
  return 0;
}
