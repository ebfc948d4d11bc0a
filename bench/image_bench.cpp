// Speed of the pixel transfers and the display copy against a plain memcpy of the
// same amount of memory. Run by hand: QT_QPA_PLATFORM=offscreen ./image_bench
#include <QApplication>
#include <QPixmap>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <vector>

#include "bench/bench_util.h"
#include "toolkit/internal.h"
#include "toolkit/tk_image.h"

namespace {

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  tk::init(argc, argv);
  const int w = 4000, h = 3000, rounds = 20;
  const double mb = double(w) * h * 4 / (1024.0 * 1024.0);
  std::vector<uint32_t> cells(size_t(w) * h, 0x01203040), other(cells.size());
  if (tk::createImage(1, w, h, 24, 0) != 1) return 1;

  auto report = [&](const char* what, double ms) {
    std::printf("%-28s %8.2f ms  %8.0f MB/s\n", what, ms, mb / (ms / 1000.0));
  };
  report("memcpy", msPer(rounds, [&] { std::memcpy(other.data(), cells.data(), cells.size() * 4); }));
  report("pixelsToImage top-down", msPer(rounds, [&] { tk::pixelsToImage(1, cells.data(), w, h, w); }));
  report("pixelsToImage bottom-up", msPer(rounds, [&] { tk::pixelsToImage(1, cells.data(), w, h, w, true); }));
  report("imageToPixels top-down", msPer(rounds, [&] { tk::imageToPixels(1, other.data(), w, h, w); }));
  report("imageToPixels bottom-up", msPer(rounds, [&] { tk::imageToPixels(1, other.data(), w, h, w, true); }));
  report("imagePixmap after a change", msPer(rounds, [&] {
    tk::imageChanged(1);
    QPixmap p = tk::detail::imagePixmap(1);
  }));
  report("imagePixmap unchanged", msPer(rounds, [&] { QPixmap p = tk::detail::imagePixmap(1); }));
  tk::freeImage(1);
  return 0;
}
