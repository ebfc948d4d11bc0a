// Line doubling, block turning and squint, on the image and on the marked area.
//
// Line doubling copies every even column into the odd column to its right (mirrored: upside
// down); block turning moves the colours of every 2 x 2 block one place clockwise; the
// squint blends each column with its mirror column by the strength in percent, on signed
// values, rounded to the nearest integer with halves to even. Only the colour bytes move.
// None of them reads a cell that it has written, so all walk row by row.
#include <algorithm>

#include "effects/area_frame.h"
#include "effects/effects.h"
#include "effects/frame.h"
#include "effects/kernels_tone.h"

namespace {

// Where a loop from `first` in steps of two ends after passing `last`.
int32_t PastStepTwo(int32_t first, int32_t last) { return last < first ? first : first + ((last - first) / 2 + 1) * 2; }

void LineDoubleImage(bool mirrored, uint8_t quiet) {
  fx::BeginEffect(quiet);
  fx::LineDoubleCells(fx::ImageSpan(), mirrored);
  lang = PastStepTwo(0, bildlang);
  hoch = bildhoch + 1;
  fx::EndEffect(quiet);
}

}  // namespace

int32_t Linedouble(uint8_t quiet) {
  LineDoubleImage(false, quiet);
  return 0;
}

int32_t Linedouble_mirror(uint8_t quiet) {
  LineDoubleImage(true, quiet);
  return 0;
}

int32_t Incircle(uint8_t quiet) {
  fx::BeginEffect(quiet);
  fx::TurnBlocksClockwise(fx::ImageSpan());
  lang = PastStepTwo(1, bildlang);
  hoch = PastStepTwo(1, bildhoch);
  fx::EndEffect(quiet);
  return 0;
}

int32_t SquintEffect(uint8_t strength, uint8_t quiet) {
  fx::BeginEffect(quiet);
  fx::SquintCells(fx::ImageSpan(), strength);
  lang = bildlang / 2 + 1;
  hoch = bildhoch + 1;
  fx::EndEffect(quiet);
  return 0;
}

// The area twins: the same kernels on AreaPixels. Linedouble_Marked refreshes the view
// whatever quiet is.
int32_t Linedouble_Marked(uint8_t quiet) {
  fx::BeginAreaEffect();
  fx::LineDoubleCells(fx::AreaSpan(), false);
  lang = PastStepTwo(0, arealang);
  hoch = areahoch + 1;
  RefreshView();
  return 0;
}

int32_t Linedouble_mirror_Marked(uint8_t quiet) {
  fx::BeginAreaEffect();
  fx::LineDoubleCells(fx::AreaSpan(), true);
  lang = PastStepTwo(0, arealang);
  hoch = areahoch + 1;
  fx::EndAreaEffect(quiet);
  return 0;
}

int32_t Incircle_Marked(uint8_t quiet) {
  fx::BeginAreaEffect();
  fx::TurnBlocksClockwise(fx::AreaSpan());
  lang = PastStepTwo(1, arealang);
  hoch = PastStepTwo(1, areahoch);
  fx::EndAreaEffect(quiet);
  return 0;
}

int32_t SquintEffect_Marked(uint8_t strength, uint8_t quiet) {
  fx::BeginAreaEffect();
  fx::SquintCells(fx::AreaSpan(), strength);
  lang = arealang / 2 + 1;
  hoch = areahoch + 1;
  fx::EndAreaEffect(quiet);
  return 0;
}
