// Inversions of the channel values and the fill of the whole image. The inversions are
// rules on the signed value s = u - 128 of each channel, the result stored as its low 8
// bits; their kernels (kernels.h) apply them to the stored bytes directly, so the image
// never passes through the signed form. Flag bytes are kept.
#include "effects/effects.h"
#include "effects/frame.h"

int32_t ColorTurn(int32_t quiet) {
  fx::BeginEffect(quiet);
  ResetLoopCounters();
  // s -> -s - 1 is u -> 255 - u: the complement of the colour bytes.
  fx::XorCells(fx::ImageSpan(), fx::ColourMask);
  fx::ResetLoopDone();
  fx::EndEffect(quiet);
  return 0;
}

int32_t Colorturn_Middle(int32_t quiet) {
  UpdateAverageColors();   // before the undo point, as the means are of the image as it is
  fx::BeginEffect(quiet);
  AverageColorToSigned();
  fx::TurnAtMeanCells(fx::ImageSpan(), AllRot, AllGruen, AllBlau);
  fx::CountedLoopDone();
  AverageColorToUnsigned();
  fx::EndEffect(quiet);
  return 0;
}

int32_t InvertFarNear(uint8_t quiet) {
  fx::BeginEffect(quiet);
  fx::InvertFarNearCells(fx::ImageSpan());
  fx::CountedLoopDone();
  fx::EndEffect(quiet);
  return 0;
}

int32_t InvertLowerHalf(uint8_t quiet) {
  fx::BeginEffect(quiet);
  fx::InvertLowerHalfCells(fx::ImageSpan());
  fx::CountedLoopDone();
  fx::EndEffect(quiet);
  return 0;
}

int32_t Solarize(uint8_t quiet) {
  fx::BeginEffect(quiet);
  fx::SolarizeCells(fx::ImageSpan());
  fx::CountedLoopDone();
  fx::EndEffect(quiet);
  return 0;
}

int32_t FillImage(int32_t red, int32_t green, int32_t blue, int32_t quiet) {
  fx::BeginEffect(quiet);
  fx::FillColour(fx::ImageSpan(), fx::ColourBytes(red, green, blue));
  fx::CountedLoopDone();
  fx::EndEffect(quiet);
  return 0;
}
