// Greyscale effects: one value written into the red, green and blue byte of every cell,
// flags kept. Only BlackWhite sets the effects' error code; the other eight keep the
// caller's. BlackWhite's floor((s_r + s_g + s_b) / 3) on the signed values is
// floor((r + g + b) / 3) - 128, so it is computed on the stored bytes directly.
#include "effects/effects.h"
#include "effects/frame.h"

namespace {

template <class Kernel>
int32_t RunGrey(uint8_t quiet, Kernel kernel) {
  fx::BeginEffect(quiet, false);
  kernel(fx::ImageSpan());
  fx::CountedLoopDone();
  fx::EndEffect(quiet);
  return 0;
}

int32_t FromExtremes(uint8_t quiet, bool largest) {
  fx::BeginEffect(quiet, false);
  ChannelDistances.assign(3, 0);
  fx::GreyFromExtremes(fx::ImageSpan(), largest, ChannelDistances.data());
  fx::CountedLoopDone();
  fx::EndEffect(quiet);
  return 0;
}

}  // namespace

int32_t BlackWhite(int32_t quiet) {
  fx::BeginEffect(quiet);
  ResetLoopCounters();
  fx::GreyFromMean(fx::ImageSpan());
  fx::ResetLoopDone();
  fx::EndEffect(quiet);
  return 0;
}

int32_t GreyFromMinimum(uint8_t quiet) { return FromExtremes(quiet, false); }
int32_t GreyFromMaximum(uint8_t quiet) { return FromExtremes(quiet, true); }

int32_t GreyFromRed(uint8_t quiet) {
  return RunGrey(quiet, [](const fx::Span& s) { fx::GreyFromChannel(s, 2); });
}
int32_t GreyFromGreen(uint8_t quiet) {
  return RunGrey(quiet, [](const fx::Span& s) { fx::GreyFromChannel(s, 1); });
}
int32_t GreyFromBlue(uint8_t quiet) {
  return RunGrey(quiet, [](const fx::Span& s) { fx::GreyFromChannel(s, 0); });
}
int32_t GreyFromRedGreen(uint8_t quiet) {
  return RunGrey(quiet, [](const fx::Span& s) { fx::GreyFromPair(s, 2, 1); });
}
int32_t GreyFromRedBlue(uint8_t quiet) {
  return RunGrey(quiet, [](const fx::Span& s) { fx::GreyFromPair(s, 2, 0); });
}
int32_t GreyFromGreenBlue(uint8_t quiet) {
  return RunGrey(quiet, [](const fx::Span& s) { fx::GreyFromPair(s, 1, 0); });
}
