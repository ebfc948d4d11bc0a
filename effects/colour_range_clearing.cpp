// Colour-range clearing ("Farbbereich ausräumen") on the whole image and on the marked area:
// per channel a band low < v < high (both bounds excluded) split at a turning point is
// pushed out beyond its bounds (mode 1), squeezed onto two outer bands (mode 2), or replaced
// by a colour, channel by channel (mode 3) or only where all three channels lie in their
// bands (mode 4); any other mode changes nothing. Every channel's new value depends only
// on its old one, so modes 1 to 3 run as three lookup tables.
//
// The whole-image effect takes the replacement colour as unsigned values; the twin takes it
// in the signed form (value - 128), as the drawing colour's bytes come to it. A half band
// whose factor would be infinite or not a number (mode 1 with turning point 0) keeps its
// values.
#include "documents/documents.h"
#include "effects/effects.h"
#include "effects/area_frame.h"
#include "effects/frame.h"
#include "effects/kernels_mixing.h"

namespace {

void Bands(fx::ColourBand bands[3], int32_t redMin, int32_t redMax, int32_t redTurn, int32_t greenMin,
           int32_t greenMax, int32_t greenTurn, int32_t blueMin, int32_t blueMax, int32_t blueTurn,
           int32_t redOuterMin, int32_t redOuterMax, int32_t greenOuterMin, int32_t greenOuterMax,
           int32_t blueOuterMin, int32_t blueOuterMax) {
  bands[0] = fx::ColourBand{redMin, redMax, redTurn, redOuterMin, redOuterMax};
  bands[1] = fx::ColourBand{greenMin, greenMax, greenTurn, greenOuterMin, greenOuterMax};
  bands[2] = fx::ColourBand{blueMin, blueMax, blueTurn, blueOuterMin, blueOuterMax};
}

}  // namespace

int32_t ClearColorRange(int32_t redMin, int32_t redMax, int32_t redTurn, int32_t greenMin, int32_t greenMax,
                        int32_t greenTurn, int32_t blueMin, int32_t blueMax, int32_t blueTurn, int32_t redOuterMin,
                        int32_t redOuterMax, int32_t greenOuterMin, int32_t greenOuterMax, int32_t blueOuterMin,
                        int32_t blueOuterMax, int32_t newRed, int32_t newGreen, int32_t newBlue, int32_t mode,
                        uint8_t quiet) {
  fx::BeginEffect(quiet);
  fx::ColourBand bands[3];
  Bands(bands, redMin, redMax, redTurn, greenMin, greenMax, greenTurn, blueMin, blueMax, blueTurn, redOuterMin,
        redOuterMax, greenOuterMin, greenOuterMax, blueOuterMin, blueOuterMax);
  fx::ClearColourRangeCells(fx::ImageSpan(), bands, mode, newRed, newGreen, newBlue);
  if (mode >= 1 && mode <= 4) fx::CountedLoopDone();
  fx::EndEffect(quiet);
  return 0;
}

int32_t ClearColorRange_Marked(int32_t redMin, int32_t redMax, int32_t redTurn, int32_t greenMin,
                               int32_t greenMax, int32_t greenTurn, int32_t blueMin, int32_t blueMax,
                               int32_t blueTurn, int32_t redOuterMin, int32_t redOuterMax, int32_t greenOuterMin,
                               int32_t greenOuterMax, int32_t blueOuterMin, int32_t blueOuterMax, int32_t newRed,
                               int32_t newGreen, int32_t newBlue, int32_t mode, int32_t quiet) {
  fx::BeginAreaEffect();
  fx::ColourBand bands[3];
  Bands(bands, redMin, redMax, redTurn, greenMin, greenMax, greenTurn, blueMin, blueMax, blueTurn, redOuterMin,
        redOuterMax, greenOuterMin, greenOuterMax, blueOuterMin, blueOuterMax);
  const fx::Span area = fx::AreaCellsSpan();
  // the signed replacement lands in the signed form's byte, which is value + 128 unsigned
  fx::ClearColourRangeCells(area, bands, mode, newRed + 128, newGreen + 128, newBlue + 128);
  if (mode >= 1 && mode <= 4) fx::AreaLoopDone();
  fx::EndAreaEffect(quiet);
  return 0;
}
