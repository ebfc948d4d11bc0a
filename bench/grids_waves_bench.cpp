// Speed of the grid effects, waves, roll, sprinkle and expand areas on a 4000 x 3000 image,
// and of the marked twins of the waves, roll, sprinkle, logical bars, circle structure,
// winds and expand areas on a 2000 x 2000 area of it, each against a plain copy of the
// cells worked on (the image, or the area) in the same rounds. Effects run quiet.
// Run by hand: QT_QPA_PLATFORM=offscreen ./grids_waves_bench [part of a case name]
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
  auto next = [&state] {
    state = state * 1664525u + 1013904223u;
    return state >> 8;
  };
  // A photo-like image: smooth gradients with a little noise, so that the expand effects
  // find bright and dark regions rather than a uniform threshold.
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const uint32_t r = (x * 255 / w + (next() & 15)) & 0xFF, g = (y * 255 / h + (next() & 15)) & 0xFF;
      ImagePixels[size_t(y) * w + x] = r << 16 | g << 8 | ((r + g) / 2);
    }
  const std::vector<PixelCell> start = ImagePixels;
  std::vector<PixelCell> areaStart(size_t(aw) * ah);
  for (int y = 0; y < ah; ++y)
    for (int x = 0; x < aw; ++x) areaStart[size_t(y) * aw + x] = start[size_t(y + 500) * w + x + 1000] | 0x01000000u;
  std::vector<PixelCell> target(start.size());
  tk::randomSeed(1);

  const std::string only = argc > 1 ? argv[1] : "";
  // Each round starts from the same cells (untimed), then times the effect and the copy.
  auto bench = [&](const char* name, bool onArea, const std::function<void()>& effect) {
    if (std::string(name).find(only) == std::string::npos) return;
    std::vector<double> mine, ref;
    for (int r = 0; r <= rounds; ++r) {
      std::copy(start.begin(), start.end(), ImagePixels.begin());
      AreaPixels = areaStart;
      arealang = aw - 1;
      areahoch = ah - 1;
      const double m = msOnce(effect);
      const double p = onArea ? msOnce([&] { std::copy(AreaPixels.begin(), AreaPixels.end(), target.begin()); })
                              : msOnce([&] { std::copy(ImagePixels.begin(), ImagePixels.end(), target.begin()); });
      if (r == 0) continue;   // warm-up
      mine.push_back(m);
      ref.push_back(p);
    }
    const double a = median(mine), b = median(ref);
    std::printf("%-28s %8.2f ms  copy %6.2f ms  ratio=%.2f\n", name, a, b, a / b);
  };

  bench("ColorBars", false, [] { ColorBars(255, 0, 0, 1); });
  bench("BarsLeft", false, [] { BarsLeft(1); });
  bench("BarsRight", false, [] { BarsRight(1); });
  bench("BarsDown", false, [] { BarsDown(1); });
  bench("BarsUp", false, [] { BarsUp(1); });
  bench("LogicalBars", false, [] { LogicalBars(1); });
  bench("Waves 20/300 both", false, [] { Waves(20.0f, 300.0f, 15.0f, 200.0f, 10, -20, 1); });
  bench("Waves 20/300 x only", false, [] { Waves(20.0f, 300.0f, 0.0f, 200.0f, 10, -20, 1); });
  bench("Waves 0.4 x only", false, [] { Waves(0.4f, 300.0f, 0.0f, 200.0f, 10, -20, 1); });
  bench("Waves 3/300 x only", false, [] { Waves(3.0f, 300.0f, 0.0f, 200.0f, 10, -20, 1); });
  bench("Waves 20/3000 x only", false, [] { Waves(20.0f, 3000.0f, 0.0f, 200.0f, 10, -20, 1); });
  bench("MoveImage 123,-45", false, [] { MoveImage(123, -45, 1); });
  bench("BlowUp 3,3", false, [] { BlowUp(3, 3, 1); });
  bench("(draws for BlowUp)", false, [] {
    for (int i = 0; i < 2 * w * h; ++i) tk::random(6);
  });
  bench("ExpandBrightAreas 1", false, [] { ExpandBrightAreas(1, 1); });
  bench("ExpandBrightAreas 10", false, [] { ExpandBrightAreas(10, 1); });
  bench("ExpandDarkRedAreas 1", false, [] { ExpandDarkRedAreas(1, 1); });

  bench("LogicalBars_Marked", true, [] { LogicalBars_Marked(1); });
  bench("Waves_Marked 20/300", true, [] { Waves_Marked(20.0f, 300.0f, 15.0f, 200.0f, 10, -20, 1); });
  bench("MoveImage_Marked 123,-45", true, [] { MoveImage_Marked(123, -45, 1); });
  bench("BlowUp_Marked 3,3", true, [] { BlowUp_Marked(3, 3, 1); });
  bench("ChessCircle_Marked 8", true, [] { ChessCircle_Marked(8, 1); });
  bench("Wind_Left_Marked 4", true, [] { Wind_Left_Marked(4, 1); });
  bench("Wind_Up_Marked 4", true, [] { Wind_Up_Marked(4, 1); });
  bench("ExpandBrightAreas_Marked 1", true, [] { ExpandBrightAreas_Marked(1, 1); });
  bench("ExpandDarkBlueAreas_Marked 1", true, [] { ExpandDarkBlueAreas_Marked(1, 1); });
  return 0;
}
