// Colour spectrum correction: each channel stretched towards the full range, above the
// middle by up = 1 + (127 - max) / 127 and below it by down = 1 + (min + 128) / 128 (the
// channel's signed extremes), each signed value multiplied by its factor and rounded to
// the nearest integer, halves to even. The factors are linear approximations of a full
// stretch, kept as 32-bit floats: a run can be repeated and stretches further.
#include "effects/effects.h"
#include "effects/frame.h"

int32_t ColorSpectrum(int32_t quiet) {
  UpdateMinMaxColors();
  if (MaxRot == 127 && MaxGruen == 127 && MaxBlau == 127 && MinRot == -128 && MinGruen == -128 &&
      MinBlau == -128)
    return 0;   // every channel already reaches both ends
  fx::BeginEffect(quiet);
  const int32_t maxima[3] = {MaxRot, MaxGruen, MaxBlau}, minima[3] = {MinRot, MinGruen, MinBlau};
  float up[3], down[3];
  for (int32_t k = 0; k < 3; ++k) {
    up[k] = float(1.0 + double(127 - maxima[k]) / 127.0);
    down[k] = float(1.0 + double(minima[k] + 128) / 128.0);
  }
  ResetLoopCounters();
  fx::SpectrumCells(fx::ImageSpan(), up, down);
  fx::ResetLoopDone();
  fx::EndEffect(quiet);
  return 0;
}
