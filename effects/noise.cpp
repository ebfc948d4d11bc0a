// Noise effects: a random offset added to the signed channel values of every cell, one
// offset for all three channels (AddBrightnessNoise), one per channel (Corny) or one per
// channel scaled by a colour (AddSingleColorNoise). A channel whose result would leave
// -127..127 keeps its value. The draws come from tk::random, cell by cell in the order of
// the reset loop (column by column, each from the top), red before green before blue, so
// that a seed gives the same image every time.
#include "effects/effects.h"
#include "effects/frame.h"
#include "toolkit/toolkit.h"

namespace {

int32_t Draw(int32_t bound) { return tk::random(bound); }

int32_t RunNoise(int32_t strength, int32_t quiet, bool perChannel) {
  fx::BeginEffect(quiet);
  ResetLoopCounters();
  fx::BrightnessNoise(fx::ImageSpan(), strength, perChannel, Draw);
  fx::ResetLoopDone();
  fx::EndEffect(quiet);
  return 0;
}

}  // namespace

int32_t AddBrightnessNoise(int32_t strength, int32_t quiet) { return RunNoise(strength, quiet, false); }

int32_t Corny(int32_t strength, int32_t quiet) { return RunNoise(strength, quiet, true); }

int32_t AddSingleColorNoise(int32_t colour, int32_t strength, int32_t quiet) {
  fx::BeginEffect(quiet);
  ResetLoopCounters();
  const uint32_t c = uint32_t(colour);
  fx::ColourNoise(fx::ImageSpan(), int32_t(c & 0xFF), int32_t((c >> 8) & 0xFF), int32_t((c >> 16) & 0xFF),
                  strength, Draw);
  fx::ResetLoopDone();
  fx::EndEffect(quiet);
  return 0;
}
