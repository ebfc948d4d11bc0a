// The flood fill of a uniform 4000 x 3000 image and a 3000-cell brush stroke of width 50
// (radius 24, a stamp at every cell), each against a plain copy of the image in the same
// run. Run by hand: QT_QPA_PLATFORM=offscreen ./tools_bench
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "documents/documents.h"
#include "toolkit/toolkit.h"
#include "tools/tools.h"
#include "bench_util.h"

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  tk::init(argc, argv);
  tk::test::enable(true);
  ResetDocumentsState();
  ResetToolsState();
  const int w = 4000, h = 3000, rounds = 9;
  SetImageDimensions(h, w, 1);
  std::vector<PixelCell> copy(ImagePixels.size());
  auto plainCopy = [&] { std::memcpy(copy.data(), ImagePixels.data(), ImagePixels.size() * sizeof(PixelCell)); };
  Rot = Gruen = Blau = 0;
  tolleranz = 0;
  {
    std::vector<double> fill, ref;
    for (int r = 0; r < rounds; ++r) {
      std::fill(ImagePixels.begin(), ImagePixels.end(), 0x00FFFFFFu | (r & 1 ? 0x10u : 0u));
      fill.push_back(msOnce([] { FloodFill(2000, 1500, 0, 1.0f, 1); }));
      ref.push_back(msOnce(plainCopy));
      if (FillCount != w * h) {
        std::printf("flood fill: wrong count %d\n", FillCount);
        return 1;
      }
    }
    const double f = median(fill), c = median(ref);
    std::printf("flood fill of a uniform 4000x3000 image: %.2f ms, plain copy %.2f ms, ratio=%.2f\n", f, c, f / c);
  }
  {
    drawforms_length = 24;
    BrushFormGrey.clear();
    std::vector<double> stroke, ref;
    for (int r = 0; r < rounds; ++r) {
      stroke.push_back(msOnce([] { Brush(3500, 1500, 500, 1500, 0, 0, 0, 1.0f, 0, 1.0f, 0, 0, 1); }));
      ref.push_back(msOnce(plainCopy));
    }
    const double s = median(stroke), c = median(ref);
    std::printf("brush stroke of 3000 cells, width 50, on 4000x3000: %.2f ms, plain copy %.2f ms, ratio=%.2f\n", s,
                c, s / c);
  }
  return 0;
}
