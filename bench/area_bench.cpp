// Merging a 2000 x 2000 area into a 4000 x 3000 image with each merge mode, against a
// plain copy of the area's rows into the image in the same run.
// Run by hand: QT_QPA_PLATFORM=offscreen ./area_bench
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "bench/bench_util.h"
#include "documents/documents.h"
#include "toolkit/toolkit.h"

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  tk::init(argc, argv);
  tk::test::enable(true);
  ResetDocumentsState();
  const int w = 4000, h = 3000, aw = 2000, ah = 2000, ax = 1000, ay = 500, rounds = 15;
  SetImageDimensions(h, w, 1);
  for (size_t i = 0; i < ImagePixels.size(); ++i) ImagePixels[i] = PixelCell(i * 2654435761u) & 0x00FFFFFFu;
  // A shaped area: flags 0, 1 and 2 mixed, as a lasso with painted cells leaves them.
  std::vector<PixelCell> area(size_t(aw) * ah);
  for (size_t i = 0; i < area.size(); ++i) {
    const uint32_t f = (i % 7 == 0) ? 0u : (i % 5 == 0 ? 2u : 1u);
    area[i] = (PixelCell(i * 40503u) & 0x00FFFFFFu) | (f << 24);
  }
  auto place = [&] {
    AreaPixels = area;   // the merge frees the area: put it back, untimed
    arealang = aw - 1;
    areahoch = ah - 1;
    startx = ax;
    starty = ay;
    horz2 = vert2 = 0;
  };
  // Median over the rounds, the reference timed in the same rounds.
  for (int mode : {130, 131, 132}) {
    std::vector<double> merge, copy;
    for (int r = 0; r < rounds; ++r) {
      place();
      merge.push_back(msOnce([&] { MergeAreaIntoImage(mode); }));
      copy.push_back(msOnce([&] {
        for (int y = 0; y < ah; ++y)
          std::memcpy(ImagePixels.data() + size_t(ay + y) * w + ax, area.data() + size_t(y) * aw,
                      size_t(aw) * sizeof(PixelCell));
      }));
    }
    std::nth_element(merge.begin(), merge.begin() + rounds / 2, merge.end());
    std::nth_element(copy.begin(), copy.begin() + rounds / 2, copy.end());
    const double m = merge[rounds / 2], c = copy[rounds / 2];
    std::printf("merge area 2000x2000 into 4000x3000, mode %d: %.2f ms, plain copy %.2f ms, ratio=%.2f\n", mode, m,
                c, m / c);
  }
  return 0;
}
