// Grid effects: the colour checkerboard (ColorBars), the bars that copy a neighbour into
// every second cell of the checkerboard or every second row, and the logical bars that
// replace the checkerboard cells by the mean of their neighbours, for the image and (the
// logical bars) for the marked area. All write the colour bytes only.
//
// The logical bars work in place in a fixed order of steps, edges first, then the inside,
// then the corners; their means are of the signed channel values, truncated towards zero.
// On an image or area one cell wide or high the neighbours that would lie outside are left
// out of a mean, and a cell with none inside keeps its colour.
#include <cstdint>

#include "effects/area_frame.h"
#include "effects/effects.h"
#include "effects/frame.h"
#include "effects/kernels_grids.h"

namespace {

template <class Kernel>
int32_t RunGrid(int32_t quiet, Kernel kernel) {
  fx::BeginEffect(quiet);
  kernel(fx::ImageSpan());
  fx::CountedLoopDone();
  fx::EndEffect(quiet);
  return 0;
}

}  // namespace

int32_t ColorBars(uint8_t red, uint8_t green, uint8_t blue, int32_t quiet) {
  return RunGrid(quiet, [=](const fx::Span& s) { fx::ColourCheckerboard(s, fx::ColourBytes(red, green, blue)); });
}
int32_t BarsLeft(int32_t quiet) { return RunGrid(quiet, fx::BarsFromLeft); }
int32_t BarsRight(int32_t quiet) { return RunGrid(quiet, fx::BarsFromRight); }
int32_t BarsDown(int32_t quiet) { return RunGrid(quiet, fx::EvenRowsFromBelow); }
int32_t BarsUp(int32_t quiet) { return RunGrid(quiet, fx::OddRowsFromAbove); }
int32_t LogicalBars(int32_t quiet) { return RunGrid(quiet, fx::LogicalBarsCells); }

int32_t LogicalBars_Marked(uint8_t quiet) {
  fx::BeginAreaEffect();
  const size_t cells = (size_t(arealang) + 1) * (size_t(areahoch) + 1);
  if (arealang < 0 || areahoch < 0 || AreaPixels.size() < cells) return 0;
  // This twin stores the image before it works, as the popup's undo expects.
  if (quiet == 0) CreateUndoPoint();
  fx::LogicalBarsCells(fx::AreaSpan());
  fx::AreaLoopDone();
  fx::EndAreaEffect(quiet);
  return 0;
}
