// Speed of the undo store and of a slot switch on a 4000 x 3000 image, each against
// writing (and reading) the same bytes with one plain system call in the same run.
// Run by hand: QT_QPA_PLATFORM=offscreen ./undo_bench
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "bench/bench_util.h"
#include "documents/documents.h"
#include "shell/shell.h"
#include "toolkit/toolkit.h"

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  tk::init(argc, argv);
  tk::test::enable(true);
  const std::string folder =
      (std::filesystem::temp_directory_path() / ("undo_bench_" + std::to_string(::getpid()))).string() + "/";
  for (int k = 1; k <= 10; ++k) std::filesystem::create_directories(folder + "Undo/Undo1/Undo" + std::to_string(k));
  tk::setProgramFolder(folder);
  ResetDocumentsState();
  CVNIndex = 1;
  maxundo = 10;
  const int w = 4000, h = 3000, rounds = 10;
  const size_t bytes = size_t(w) * h * 4;
  SetImageDimensions(h, w, 1);
  for (size_t i = 0; i < ImagePixels.size(); ++i) ImagePixels[i] = PixelCell(i * 2654435761u);

  // The reference: one write of the same bytes to a file, one read of them back. It turns
  // through as many files as the ring holds, as the store does, so that both leave the same
  // amount of unwritten data to the kernel.
  int plainTurn = 0;
  std::string plain;
  std::vector<PixelCell> back(ImagePixels.size());
  auto plainWrite = [&] {
    plain = folder + "plain" + std::to_string(plainTurn++ % (maxundo + 1)) + ".bin";
    const int fd = ::open(plain.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (::write(fd, ImagePixels.data(), bytes) != ssize_t(bytes)) std::abort();
    ::close(fd);
  };
  auto plainRead = [&] {
    const int fd = ::open(plain.c_str(), O_RDONLY);
    if (::read(fd, back.data(), bytes) != ssize_t(bytes)) std::abort();
    ::close(fd);
  };
  // Median milliseconds of `op` after `prepare` (untimed), over the rounds; the references
  // are timed in the same rounds, so both see the same state of the machine.
  auto compare = [&](const char* what, const std::function<void()>& prepare, const std::function<void()>& op,
                     bool withRead) {
    std::vector<double> mine, ref;
    for (int r = 0; r <= rounds; ++r) {
      prepare();
      const double m = msOnce(op);
      const double p = msOnce(plainWrite) + (withRead ? msOnce(plainRead) : 0.0);
      if (r == 0) continue;   // warm-up
      mine.push_back(m);
      ref.push_back(p);
    }
    const double a = median(mine), b = median(ref);
    std::printf("%-18s %8.2f ms  plain %s %8.2f ms  ratio=%.2f\n", what, a, withRead ? "write+read" : "write     ",
                b, a / b);
  };
  auto nothing = [] {};
  compare("CreateUndoPoint", nothing, [] { CreateUndoPoint(); }, false);
  // Undo writes the redo step and reads the undo step; Redo writes an undo step and reads
  // the redo step; a switch parks the image and makes the parked one live.
  compare("Undo", [] { CreateUndoPoint(); }, [] { Undo(1); }, true);
  compare("Redo", [] { CreateUndoPoint(); Undo(1); }, [] { Redo(); }, true);
  compare("SwitchImage", nothing, [] { SwitchImage(1); }, true);

  tk::setProgramFolder("");
  std::filesystem::remove_all(folder);
  return 0;
}
