// The marked twins of the bitwise colour operations and of the change of colour intensity,
// on the kernels of the whole-image forms. None sets an error code or makes an undo point.
// The bitwise twins walk the area without the loop counters and keep every flag byte:
// AND with a colour puts the flag back, since the colour's mask has flag 0. A colour of 0
// (black) is a colour like any other.
#include <cstdint>

#include "effects/area_frame.h"
#include "effects/effects.h"
#include "effects/frame.h"

namespace {

// ColorValue (red in the low byte) as the cell's colour bytes, flag 0.
fx::Cell MaskOfColour(int32_t colour) {
  const uint32_t c = uint32_t(colour);
  return fx::ColourBytes(int32_t(c & 0xFF), int32_t((c >> 8) & 0xFF), int32_t((c >> 16) & 0xFF));
}

template <class Kernel>
int32_t RunBitwiseMarked(uint8_t quiet, Kernel kernel) {
  if (!fx::AreaHoldsCells()) return 0;
  kernel(fx::AreaSpan());
  fx::EndAreaEffect(quiet);
  return 0;
}

}  // namespace

int32_t XorWithValue_Marked(uint8_t value, uint8_t quiet) {
  return RunBitwiseMarked(quiet, [value](const fx::Span& s) { fx::XorCells(s, fx::GreyBytes(value)); });
}
int32_t XorWithColor_Marked(int32_t colour, uint8_t quiet) {
  return RunBitwiseMarked(quiet, [colour](const fx::Span& s) { fx::XorCells(s, MaskOfColour(colour)); });
}
int32_t AndWithValue_Marked(uint8_t value, uint8_t quiet) {
  return RunBitwiseMarked(quiet, [value](const fx::Span& s) { fx::AndCells(s, fx::GreyBytes(value) | fx::FlagMask); });
}
int32_t AndWithColor_Marked(int32_t colour, uint8_t quiet) {
  return RunBitwiseMarked(quiet, [colour](const fx::Span& s) { fx::AndCells(s, MaskOfColour(colour) | fx::FlagMask); });
}
int32_t OrWithValue_Marked(uint8_t value, uint8_t quiet) {
  return RunBitwiseMarked(quiet, [value](const fx::Span& s) { fx::OrCells(s, fx::GreyBytes(value)); });
}
int32_t OrWithColor_Marked(int32_t colour, uint8_t quiet) {
  return RunBitwiseMarked(quiet, [colour](const fx::Span& s) { fx::OrCells(s, MaskOfColour(colour)); });
}

int32_t ChangeColorIntensity_Marked(int8_t amount, uint8_t quiet) {
  if (!fx::AreaHoldsCells()) return 0;
  fx::ChangeIntensity(fx::AreaSpan(), amount);
  fx::AreaLoopDone();
  fx::EndAreaEffect(quiet);
  return 0;
}
