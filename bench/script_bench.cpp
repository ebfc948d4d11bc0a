// Speed of the script interpreter: a run of For loops with assignments of three-operand
// expressions, string joins and one If per turn, through RunScript without the progress
// window, against the same count of trivial C++ loop bodies.
// Run by hand: QT_QPA_PLATFORM=offscreen ./script_bench
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <new>
#include <string>

#include "documents/documents.h"
#include "script/script.h"
#include "shell/shell.h"
#include "toolkit/toolkit.h"

// Every allocation of the program is counted, so that the run's steady state can show
// that it allocates nothing per statement.
static long long g_allocations = 0;
void* operator new(size_t n) {
  ++g_allocations;
  if (void* p = std::malloc(n ? n : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, size_t) noexcept { std::free(p); }

namespace {

double Seconds(const std::function<void()>& f) {
  const auto t0 = std::chrono::steady_clock::now();
  f();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  tk::init(argc, argv);
  tk::test::enable(true);
  const std::string folder =
      (std::filesystem::temp_directory_path() / ("script_bench_" + std::to_string(::getpid()))).string() + "/";
  for (int k = 1; k <= 10; ++k) std::filesystem::create_directories(folder + "Undo/Undo1/Undo" + std::to_string(k));
  // The built program folder (beside the bench folder) holds "Data/Functions.dat".
  const std::filesystem::path self = std::filesystem::absolute(argv[0]);
  tk::setProgramFolder((self.parent_path().parent_path() / "Corvalen").string() + "/");
  ResetDocumentsState();
  ResetScriptState();
  LoadScriptTables();
  tk::setProgramFolder(folder);
  CVNIndex = 1;
  maxundo = 10;
  SetImageDimensions(100, 100, 1);
  tk::openWindow(1, 0, 0, 300, 300, "Bench", tk::WfHidden);
  tk::richEditor(496, 0, 0, 300, 300);

  const int turns = 200000;
  // Seven statements a turn: three assignments, If, one assignment inside it, EndIf, Next.
  const std::string script =
      "#s = \"\"\r"
      "For(#i, 1, " + std::to_string(turns) + ", 1)\r"
      "#a = #i*2+1\r"
      "#b = #a-#i/2\r"
      "#t = \"ab\"+\"cd\"+\"ef\"\r"
      "If(#a, \">\", 100)\r"
      "#c = #c+1\r"
      "EndIf()\r"
      "Next()\r";
  tk::setRichText(496, script);
  RunScript(496, 0);   // warm-up: the buffers grow to their sizes
  const long long statements = 7LL * turns;
  const long long allocationsBefore = g_allocations;
  const double script_s = Seconds([] { RunScript(496, 0); });
  const long long allocations = g_allocations - allocationsBefore;
  volatile long long sink = 0;
  const double plain_s = Seconds([&] {
    for (long long i = 0; i < statements; ++i) sink = sink + (i * 2 + 1);
  });
  std::printf(
      "script_run statements/s=%.0f (%lld statements in %.3f s, %lld allocations in the whole run) "
      "plain_loop_bodies/s=%.0f ratio=%.1f%s\n",
      double(statements) / script_s, statements, script_s, allocations, double(statements) / plain_s,
      script_s / plain_s, allok == 1 ? "" : " (the run failed)");
  std::fflush(stdout);

  // The formula effects' entry: one evaluation per cell of a 500 x 500 pass.
  CellFormula formula;
  PrepareCellFormula(formula, "#x*2+Max(#y,3)-Pos(#x-#y)");
  int32_t value = 0;
  long long sum = 0;
  EvaluateCellFormula(formula, 1, 1, &value);   // sizes the buffers
  const long long cellAllocationsBefore = g_allocations;
  const int side = 500;
  const double formula_s = Seconds([&] {
    for (int x = 0; x < side; ++x)
      for (int y = 0; y < side; ++y)
        if (EvaluateCellFormula(formula, x, y, &value) == 1) sum += value;
  });
  const long long cellAllocations = g_allocations - cellAllocationsBefore;
  volatile long long plainSum = 0;
  const double plainCells_s = Seconds([&] {
    for (int x = 0; x < side; ++x)
      for (int y = 0; y < side; ++y) plainSum = plainSum + (x * 2 + std::max(y, 3) - std::abs(x - y));
  });
  std::printf("cell_formula cells/s=%.0f (%d cells, %lld allocations, sum %lld) ratio=%.1f\n",
              double(side) * side / formula_s, side * side, cellAllocations, sum, formula_s / plainCells_s);
  std::fflush(stdout);
  std::filesystem::remove_all(folder);
  return allok == 1 ? 0 : 1;
}
