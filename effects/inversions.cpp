// Inversions of the channel values and the fill of the whole image. The inversions are
// rules on the signed value s = u - 128 of each channel, the result stored as its low 8
// bits; each rule is applied to u directly (s + 128 in, s' + 128 out), so the image never
// passes through the signed form. Flag bytes are kept.
#include <algorithm>

#include "effects/effects.h"
#include "effects/frame.h"

namespace {

// Runs a per-channel signed rule over the image: s -> rule(channel, s), low 8 bits kept.
template <class SignedRule>
void MapSigned(SignedRule rule) {
  fx::MapChannelsBy(fx::ImageSpan(), [&rule](fx::V4 u, int32_t channel) { return rule(channel, u - 128) + 128; });
}

}  // namespace

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
  const int32_t mean[3] = {AllRot, AllGruen, AllBlau};
  MapSigned([&](int32_t channel, fx::V4 s) {
    const int32_t a = mean[channel];
    return fx::Clamp(a - (s - a), -128, 127);
  });
  fx::CountedLoopDone();
  AverageColorToUnsigned();
  fx::EndEffect(quiet);
  return 0;
}

int32_t InvertFarNear(uint8_t quiet) {
  fx::BeginEffect(quiet);
  // 128 stays; the halves are mirrored into each other around it.
  MapSigned([](int32_t, fx::V4 s) { return fx::Select(s == 0, s, fx::Select(s > 0, 129 - s, -128 - s)); });
  fx::CountedLoopDone();
  fx::EndEffect(quiet);
  return 0;
}

int32_t InvertLowerHalf(uint8_t quiet) {
  fx::BeginEffect(quiet);
  MapSigned([](int32_t, fx::V4 s) { return fx::Select(s < 0, -s - 1, s); });
  fx::CountedLoopDone();
  fx::EndEffect(quiet);
  return 0;
}

int32_t Solarize(uint8_t quiet) {
  fx::BeginEffect(quiet);
  MapSigned([](int32_t, fx::V4 s) { return fx::Select(s >= 0, -s - 1, s); });
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
