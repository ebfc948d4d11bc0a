// Amplify areas: cells beyond the whole image's average colour move further away from it
// by the strength in one step, judged on the sum of the three channels or on one channel
// (comparisons strict, clamped to 0..255). The dark members negate the strength, so a
// positive strength darkens the dark cells. The marked twins judge the area's cells
// against the same whole-image average, not the area's own.
//
// Each cell depends on its own value only, so the pass works in place: no work array.
// The amplify effects keep the caller's error code and every flag byte.
#include <cstdint>

#include "effects/area_frame.h"
#include "effects/effects.h"
#include "effects/frame.h"
#include "effects/kernels_relief_amplify.h"

namespace {

// channel -1: the three-channel members; 0 red, 1 green, 2 blue.
int32_t Threshold(int32_t channel) {
  switch (channel) {
    case 0: return AllRot;
    case 1: return AllGruen;
    case 2: return AllBlau;
    default: return AllRot + AllGruen + AllBlau;
  }
}

int64_t Change(int32_t strength, bool bright) { return bright ? int64_t(strength) : -int64_t(strength); }

int32_t RunAmplify(int32_t strength, uint8_t quiet, int32_t channel, bool bright) {
  fx::BeginEffect(quiet, false);
  UpdateAverageColors();
  fx::AmplifyCells(fx::ImageSpan(), channel, bright, Threshold(channel), Change(strength, bright));
  fx::CountedLoopDone();
  fx::EndEffect(quiet);
  return 0;
}

int32_t RunAmplifyMarked(int32_t strength, uint8_t quiet, int32_t channel, bool bright) {
  UpdateAverageColors();
  if (!fx::AreaHoldsCells()) return 0;
  fx::AmplifyCells(fx::AreaSpan(), channel, bright, Threshold(channel), Change(strength, bright));
  fx::AreaLoopDone();
  fx::EndAreaEffect(quiet);
  return 0;
}

}  // namespace

int32_t AmplifyBrightAreas(int32_t strength, uint8_t quiet) { return RunAmplify(strength, quiet, -1, true); }
int32_t AmplifyDarkAreas(int32_t strength, uint8_t quiet) { return RunAmplify(strength, quiet, -1, false); }
int32_t AmplifyBrightRedAreas(int32_t strength, uint8_t quiet) { return RunAmplify(strength, quiet, 0, true); }
int32_t AmplifyDarkRedAreas(int32_t strength, uint8_t quiet) { return RunAmplify(strength, quiet, 0, false); }
int32_t AmplifyBrightGreenAreas(int32_t strength, uint8_t quiet) { return RunAmplify(strength, quiet, 1, true); }
int32_t AmplifyDarkGreenAreas(int32_t strength, uint8_t quiet) { return RunAmplify(strength, quiet, 1, false); }
int32_t AmplifyBrightBlueAreas(int32_t strength, uint8_t quiet) { return RunAmplify(strength, quiet, 2, true); }
int32_t AmplifyDarkBlueAreas(int32_t strength, uint8_t quiet) { return RunAmplify(strength, quiet, 2, false); }

int32_t AmplifyBrightAreas_Marked(int32_t strength, uint8_t quiet) {
  return RunAmplifyMarked(strength, quiet, -1, true);
}
int32_t AmplifyDarkAreas_Marked(int32_t strength, uint8_t quiet) { return RunAmplifyMarked(strength, quiet, -1, false); }
int32_t AmplifyBrightRedAreas_Marked(int32_t strength, uint8_t quiet) {
  return RunAmplifyMarked(strength, quiet, 0, true);
}
int32_t AmplifyDarkRedAreas_Marked(int32_t strength, uint8_t quiet) { return RunAmplifyMarked(strength, quiet, 0, false); }
int32_t AmplifyBrightGreenAreas_Marked(int32_t strength, uint8_t quiet) {
  return RunAmplifyMarked(strength, quiet, 1, true);
}
int32_t AmplifyDarkGreenAreas_Marked(int32_t strength, uint8_t quiet) {
  return RunAmplifyMarked(strength, quiet, 1, false);
}
int32_t AmplifyBrightBlueAreas_Marked(int32_t strength, uint8_t quiet) {
  return RunAmplifyMarked(strength, quiet, 2, true);
}
int32_t AmplifyDarkBlueAreas_Marked(int32_t value, uint8_t quiet) { return RunAmplifyMarked(value, quiet, 2, false); }
