// Colour grid and bars on the marked area, with the whole image's kernels: a checkerboard of
// one colour whose cell (0, 0) is coloured, and four patterns that copy the colour bytes of
// every second cell (left and right: in a checkerboard) or of every second row from a
// neighbour.
#include "effects/area_frame.h"
#include "effects/effects.h"
#include "effects/kernels_grids.h"

namespace {

template <class Kernel>
int32_t Bars(Kernel kernel, uint8_t quiet) {
  fx::BeginAreaEffect();
  kernel(fx::AreaSpan());
  fx::AreaLoopDone();
  fx::EndAreaEffect(quiet);
  return 0;
}

}  // namespace

int32_t ColorBars_Marked(uint8_t red, uint8_t green, uint8_t blue, uint8_t quiet) {
  return Bars([=](const fx::Span& s) { fx::ColourCheckerboard(s, fx::ColourBytes(red, green, blue)); }, quiet);
}
int32_t BarsLeft_Marked(uint8_t quiet) { return Bars(fx::BarsFromLeft, quiet); }
int32_t BarsRight_Marked(uint8_t quiet) { return Bars(fx::BarsFromRight, quiet); }
int32_t BarsDown_Marked(uint8_t quiet) { return Bars(fx::EvenRowsFromBelow, quiet); }
int32_t BarsUp_Marked(uint8_t quiet) { return Bars(fx::OddRowsFromAbove, quiet); }
