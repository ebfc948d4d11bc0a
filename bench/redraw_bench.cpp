// Speed of the canvas redraw and of DrawPixel against a plain memcpy of the same number
// of bytes in the same run. Run by hand: QT_QPA_PLATFORM=offscreen ./redraw_bench
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <vector>

#include "bench/bench_util.h"
#include "documents/documents.h"
#include "toolkit/toolkit.h"

namespace {

double copyMs(size_t bytes, int rounds) {
  std::vector<uint8_t> a(bytes, 1), b(bytes, 2);
  return msPer(rounds, [&] { std::memcpy(b.data(), a.data(), bytes); });
}

void line(const char* name, double ms, double copy) {
  std::printf("%s ms=%.2f copy_ms=%.2f ratio=%.2f\n", name, ms, copy, ms / copy);
}

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  tk::init(argc, argv);
  const int W = 4000, H = 3000, VW = 1920, VH = 1080, rounds = 20;
  tk::openWindow(0, 0, 0, 2300, 1300, "bench", tk::WfHidden);
  tk::canvas(11, 30, 30, VW, VH);
  SetImageDimensions(H, W, 0);
  for (size_t i = 0; i < ImagePixels.size(); ++i) ImagePixels[i] = uint32_t(i * 2654435761u) & 0xFFFFFF;
  areaxmax = VW - 1;
  areaymax = VH - 1;
  const double viewCopy = copyMs(size_t(VW) * VH * 4, rounds);
  const struct { const char* name; float zoom; } zooms[] = {
      {"redraw_zoom_0.25", 0.25f}, {"redraw_zoom_0.5", 0.5f}, {"redraw_zoom_1", 1.0f},
      {"redraw_zoom_2", 2.0f}, {"redraw_zoom_16", 16.0f}};
  for (const auto& z : zooms) {
    length = z.zoom;
    UpdateZoomedSizes();
    UpdateScrollBars();
    horz = 100;
    vert = 100;
    line(z.name, msPer(rounds, [] { RedrawCanvas(); }), viewCopy);
  }
  const double imageCopy = copyMs(size_t(W) * H * 4, rounds / 4);
  Rot = 10;
  Gruen = 20;
  Blau = 30;
  for (float opacity : {1.0f, 0.5f}) {
    const double ms = msPer(rounds / 4, [opacity] {
      for (int32_t y = 0; y <= bildhoch; ++y)
        for (int32_t x = 0; x <= bildlang; ++x) DrawPixel(y, x, 0, opacity);
    });
    line(opacity == 1.0f ? "drawpixel_mode0_opaque" : "drawpixel_mode0_half", ms, imageCopy);
  }
  return 0;
}
