// Wind, smear (UnClear), blur and the specials. The wind and blur effects work in place:
// a cell written earlier in a run is read again by later steps, so the wind walks each
// row (or column) in its own direction and draws its random run lengths in exactly that
// order, rows top to bottom (columns left to right). A wind strength of 0 or below would
// give runs of no length; the effect then returns before anything happens.
//
// Blur_Right does what Blur_Left does: scripts and stored structures rely on it.
#include <cstdint>

#include "effects/effects.h"
#include "effects/frame.h"
#include "effects/kernels_geometry.h"
#include "toolkit/toolkit.h"

namespace {

int32_t Draw(int32_t bound) { return tk::random(bound); }

int32_t RunWind(int32_t strength, int32_t quiet, bool alongRows, bool fromEnd) {
  if (strength <= 0) return 0;
  fx::BeginEffect(quiet);
  if (alongRows) fx::WindAlongRows(fx::ImageSpan(), strength, fromEnd, Draw);
  else fx::WindAlongColumns(fx::ImageSpan(), strength, fromEnd, Draw);
  fx::EndEffect(quiet);
  return 0;
}

template <class Kernel>
int32_t RunShift(int32_t quiet, Kernel kernel) {
  fx::BeginEffect(quiet);
  ResetLoopCounters();
  kernel(fx::ImageSpan());
  fx::ResetLoopDone();
  fx::EndEffect(quiet);
  return 0;
}

}  // namespace

int32_t Wind_Left(int32_t strength, int32_t quiet) { return RunWind(strength, quiet, true, false); }
int32_t Wind_Right(int32_t strength, int32_t quiet) { return RunWind(strength, quiet, true, true); }
int32_t Wind_Up(int32_t strength, int32_t quiet) { return RunWind(strength, quiet, false, false); }
int32_t Wind_Down(int32_t strength, int32_t quiet) { return RunWind(strength, quiet, false, true); }

int32_t UnClear(int32_t strength, int32_t quiet) {
  fx::BeginEffect(quiet);
  UpdateAverageColors();
  ResetLoopCounters();
  AverageColorToSigned();
  fx::SmearCells(fx::ImageSpan(), strength, AllRot, AllGruen, AllBlau);
  fx::ResetLoopDone();
  AverageColorToUnsigned();
  fx::EndEffect(quiet);
  return 0;
}

int32_t Blur_Up(int32_t quiet) {
  return RunShift(quiet, [](const fx::Span& s) { fx::BlurColumnsUp(s, 1); });
}
int32_t Blur_Down(int32_t quiet) {
  return RunShift(quiet, [](const fx::Span& s) { fx::BlurColumnsUp(s, 0); });
}
int32_t Blur_Left(int32_t quiet) {
  return RunShift(quiet, [](const fx::Span& s) { fx::BlurRowsLeft(s); });
}
int32_t Blur_Right(int32_t quiet) {
  return RunShift(quiet, [](const fx::Span& s) { fx::BlurRowsLeft(s); });
}

int32_t SpecialEffect(int32_t mode, int32_t quiet) {
  // mode 1 (and below): the even rows; 2: cells with both indices even; 3 (and above):
  // the even columns.
  return RunShift(quiet, [mode](const fx::Span& s) { fx::ComplementGrid(s, mode < 2 ? 1 : 2, mode > 2 ? 1 : 2); });
}
