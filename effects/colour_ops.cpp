// Colour operations: the two-colour gradient, Xtreme Colors, the change of colour
// intensity and the bitwise operations with a value or a colour. Integer division
// truncates towards zero throughout, as the gradient's blend of the two colours expects.
// ChangeColorIntensity and the six bitwise effects keep the caller's error code; the
// bitwise effects walk the cell array in memory order without the loop counters, and
// only AndWithColor reaches the flag byte (its mask has flag 0, so it clears every flag).
#include <cstdint>

#include "effects/effects.h"
#include "effects/frame.h"

namespace {

// Colour value (red in the low byte) as a cell mask: blue, green, red, flag 0.
fx::Cell MaskOfColour(int32_t colour) {
  const uint32_t c = uint32_t(colour);
  return fx::ColourBytes(int32_t(c & 0xFF), int32_t((c >> 8) & 0xFF), int32_t((c >> 16) & 0xFF));
}

template <class Kernel>
int32_t RunBitwise(uint8_t quiet, Kernel kernel) {
  fx::BeginEffect(quiet, false);
  kernel(fx::ImageSpan());
  fx::EndEffect(quiet);
  return 0;
}

}  // namespace

int32_t BiChromaticDithering(int32_t r1, int32_t g1, int32_t b1, int32_t r2, int32_t g2, int32_t b2,
                             uint8_t quiet) {
  fx::BeginEffect(quiet);
  fx::BiChromaticCells(fx::ImageSpan(), r1, g1, b1, r2, g2, b2);
  fx::CountedLoopDone();
  fx::EndEffect(quiet);
  return 0;
}

int32_t XtremeColors(int32_t quiet) {
  fx::BeginEffect(quiet);
  ResetLoopCounters();
  fx::XtremeCells(fx::ImageSpan());
  fx::ResetLoopDone();
  fx::EndEffect(quiet);
  return 0;
}

int32_t ChangeColorIntensity(int8_t amount, uint8_t quiet) {
  fx::BeginEffect(quiet, false);
  fx::ChangeIntensity(fx::ImageSpan(), amount);
  fx::CountedLoopDone();
  fx::EndEffect(quiet);
  return 0;
}

int32_t XorWithValue(uint8_t value, uint8_t quiet) {
  return RunBitwise(quiet, [value](const fx::Span& s) { fx::XorCells(s, fx::GreyBytes(value)); });
}
int32_t AndWithValue(uint8_t value, uint8_t quiet) {
  return RunBitwise(quiet, [value](const fx::Span& s) { fx::AndCells(s, fx::GreyBytes(value) | fx::FlagMask); });
}
int32_t OrWithValue(uint8_t value, uint8_t quiet) {
  return RunBitwise(quiet, [value](const fx::Span& s) { fx::OrCells(s, fx::GreyBytes(value)); });
}
int32_t XorWithColor(int32_t colour, uint8_t quiet) {
  return RunBitwise(quiet, [colour](const fx::Span& s) { fx::XorCells(s, MaskOfColour(colour)); });
}
int32_t AndWithColor(int32_t colour, uint8_t quiet) {
  return RunBitwise(quiet, [colour](const fx::Span& s) { fx::AndCells(s, MaskOfColour(colour)); });
}
int32_t OrWithColor(int32_t colour, uint8_t quiet) {
  return RunBitwise(quiet, [colour](const fx::Span& s) { fx::OrCells(s, MaskOfColour(colour)); });
}
