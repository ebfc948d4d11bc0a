// Channel orders: RGB .. BGR bring the image from the order it stands in (the image's
// colororder) into their own and return their own code, which the caller stores. Each
// code names, for the stored red, green and blue byte in turn, which of the image's own
// channels it holds, so RGB always gives the image its own colours back.
//
// An image already in the effect's order is left alone: no undo point, no redraw. A code
// outside 1..6 changes no cell but still gets its undo point, and the effect's code is
// returned. The error code is set to the effects' in every case.
#include "effects/effects.h"
#include "effects/frame.h"

namespace {

// For each code 1..6, the own channel (0 red, 1 green, 2 blue) in stored red, green, blue.
constexpr int32_t OwnChannels[7][3] = {
    {0, 1, 2}, {0, 1, 2}, {0, 2, 1}, {1, 0, 2}, {1, 2, 0}, {2, 0, 1}, {2, 1, 0},
};
// Byte number of stored red, green, blue.
constexpr int32_t ByteOf[3] = {2, 1, 0};

int32_t BringIntoOrder(int32_t target, uint8_t current, int32_t quiet) {
  if (current == target) {
    OnErrorCode1 = fx::EffectErrorCode;
    return target;
  }
  fx::BeginEffect(quiet);
  if (current >= 1 && current <= 6) {
    // New stored channel j takes the old stored channel that holds the own channel that
    // the target wants in place j.
    int32_t source[3] = {};
    for (int32_t j = 0; j < 3; ++j)
      for (int32_t k = 0; k < 3; ++k)
        if (OwnChannels[current][k] == OwnChannels[target][j]) source[j] = ByteOf[k];
    ResetLoopCounters();
    fx::PermuteChannels(fx::ImageSpan(), source[0], source[1], source[2]);
    fx::ResetLoopDone();
    fx::EndEffect(quiet);
  }
  return target;
}

}  // namespace

int32_t RGB(uint8_t current, int32_t quiet) { return BringIntoOrder(1, current, quiet); }
int32_t RBG(uint8_t current, int32_t quiet) { return BringIntoOrder(2, current, quiet); }
int32_t GRB(uint8_t current, int32_t quiet) { return BringIntoOrder(3, current, quiet); }
int32_t GBR(uint8_t current, int32_t quiet) { return BringIntoOrder(4, current, quiet); }
int32_t BRG(uint8_t current, int32_t quiet) { return BringIntoOrder(5, current, quiet); }
int32_t BGR(uint8_t current, int32_t quiet) { return BringIntoOrder(6, current, quiet); }
