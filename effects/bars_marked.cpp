// Colour grid and bars on the marked area: a checkerboard of one colour whose cell (0, 0)
// is coloured, and four patterns that copy the colour bytes of every second cell (left and
// right: in a checkerboard) or of every second row from a neighbour. No cell that a pattern
// reads is written by it, so the rows can be walked in any order.
#include "effects/area_frame.h"
#include "effects/effects.h"
#include "effects/kernels_tone.h"

namespace {

int32_t Bars(bool alongRows, bool fromStart, uint8_t quiet) {
  fx::BeginAreaEffect();
  if (alongRows) fx::BarsAlongRows(fx::AreaSpan(), fromStart);
  else fx::BarsAlongColumns(fx::AreaSpan(), fromStart);
  fx::AreaLoopDone();
  fx::EndAreaEffect(quiet);
  return 0;
}

}  // namespace

int32_t ColorBars_Marked(uint8_t red, uint8_t green, uint8_t blue, uint8_t quiet) {
  fx::BeginAreaEffect();
  fx::ColourGridCells(fx::AreaSpan(), fx::ColourBytes(red, green, blue));
  fx::AreaLoopDone();
  fx::EndAreaEffect(quiet);
  return 0;
}

int32_t BarsLeft_Marked(uint8_t quiet) { return Bars(true, true, quiet); }
int32_t BarsRight_Marked(uint8_t quiet) { return Bars(true, false, quiet); }
int32_t BarsDown_Marked(uint8_t quiet) { return Bars(false, true, quiet); }
int32_t BarsUp_Marked(uint8_t quiet) { return Bars(false, false, quiet); }
