// Channel orders of the marked area: RGB_Marked .. BGR_Marked bring the area's cells from the
// order they stand in (the caller's areacolororder) into their own and return their own code,
// which the caller stores back. A code names, for the stored red, green and blue byte in turn,
// which true channel it holds. A current code equal to the target, or outside 1..6, changes no
// cell; the code, the error-location code and the refresh happen in every case.
#include "effects/area_frame.h"
#include "effects/effects.h"

namespace {

// For each code 1..6, the true channel (0 red, 1 green, 2 blue) in stored red, green, blue.
constexpr int32_t TrueChannels[7][3] = {
    {0, 1, 2}, {0, 1, 2}, {0, 2, 1}, {1, 0, 2}, {1, 2, 0}, {2, 0, 1}, {2, 1, 0},
};
constexpr int32_t ByteOf[3] = {2, 1, 0};   // byte number of stored red, green, blue

int32_t BringAreaIntoOrder(int32_t target, uint8_t current, int32_t quiet) {
  fx::BeginAreaEffect();
  if (current != target && current >= 1 && current <= 6) {
    // New stored channel j takes the old stored channel that holds the true channel the
    // target wants in place j.
    int32_t source[3] = {};
    for (int32_t j = 0; j < 3; ++j)
      for (int32_t k = 0; k < 3; ++k)
        if (TrueChannels[current][k] == TrueChannels[target][j]) source[j] = ByteOf[k];
    ResetLoopCounters();
    fx::PermuteChannels(fx::AreaSpan(), source[0], source[1], source[2]);
    fx::AreaLoopDone();
  }
  fx::EndAreaEffect(quiet);
  return target;
}

}  // namespace

int32_t RGB_Marked(uint8_t current, int32_t quiet) { return BringAreaIntoOrder(1, current, quiet); }
int32_t RBG_Marked(uint8_t current, int32_t quiet) { return BringAreaIntoOrder(2, current, quiet); }
int32_t GRB_Marked(uint8_t current, int32_t quiet) { return BringAreaIntoOrder(3, current, quiet); }
int32_t GBR_Marked(uint8_t current, int32_t quiet) { return BringAreaIntoOrder(4, current, quiet); }
int32_t BRG_Marked(uint8_t current, int32_t quiet) { return BringAreaIntoOrder(5, current, quiet); }
int32_t BGR_Marked(uint8_t current, int32_t quiet) { return BringAreaIntoOrder(6, current, quiet); }
