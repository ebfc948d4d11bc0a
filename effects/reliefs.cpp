// Reliefs: each cell is replaced by how far it stands out from its three neighbours in the
// light direction (see kernels_relief_amplify.h), per channel (the colour reliefs) or
// summed into one grey value (the normal reliefs), around black or, in the bright members,
// clamped to -128..127. The whole image stores a bright value plus 128 and clears every flag byte;
// the marked area stores it as its 8-bit two's complement (a uniform area comes out 0,
// not 128) and keeps its flags, as the area's merge relies on them.
//
// A direction outside 0..3 returns before anything happens, undo point included. The
// reliefs keep the caller's error code.
#include <cstdint>
#include <vector>

#include "effects/area_frame.h"
#include "effects/effects.h"
#include "effects/frame.h"
#include "effects/kernels_relief_amplify.h"

namespace {

// The counters as the column-by-column walk leaves them: lang from its first column
// towards the left-out one, stopping on it; hoch likewise within each column, set only
// when a column was walked.
void ReliefLoopDone(int32_t direction, int32_t lastX, int32_t lastY) {
  lang = fx::ReliefDx(direction) > 0 ? lastX : 0;
  if (lastX >= 1) hoch = fx::ReliefDy(direction) > 0 ? lastY : 0;
}

int32_t RunRelief(int32_t direction, uint8_t quiet, bool normal, bool bright) {
  if (direction < 0 || direction > 3) return 0;
  fx::BeginEffect(quiet, false);
  std::vector<fx::Cell> row(size_t(bildlang) + 1);
  fx::ReliefCells(fx::ImageSpan(), direction, fx::ReliefStyle{normal, bright, 128, false}, row.data());
  ReliefLoopDone(direction, bildlang, bildhoch);
  fx::EndEffect(quiet);
  return 0;
}

int32_t RunReliefMarked(int32_t direction, uint8_t quiet, bool normal, bool bright) {
  if (direction < 0 || direction > 3 || !fx::AreaHoldsCells()) return 0;
  std::vector<fx::Cell> row(size_t(arealang) + 1);
  fx::ReliefCells(fx::AreaSpan(), direction, fx::ReliefStyle{normal, bright, 0, true}, row.data());
  ReliefLoopDone(direction, arealang, areahoch);
  fx::EndAreaEffect(quiet);
  return 0;
}

}  // namespace

int32_t ColorRelief(int32_t direction, uint8_t quiet) { return RunRelief(direction, quiet, false, false); }
int32_t BrightColorRelief(int32_t direction, uint8_t quiet) { return RunRelief(direction, quiet, false, true); }
int32_t NormalRelief(int32_t direction, uint8_t quiet) { return RunRelief(direction, quiet, true, false); }
int32_t BrightNormalRelief(int32_t direction, uint8_t quiet) { return RunRelief(direction, quiet, true, true); }

int32_t ColorRelief_Marked(int32_t direction, uint8_t quiet) { return RunReliefMarked(direction, quiet, false, false); }
int32_t BrightColorRelief_Marked(int32_t direction, uint8_t quiet) {
  return RunReliefMarked(direction, quiet, false, true);
}
int32_t NormalRelief_Marked(int32_t direction, uint8_t quiet) { return RunReliefMarked(direction, quiet, true, false); }
int32_t BrightNormalRelief_Marked(int32_t direction, uint8_t quiet) {
  return RunReliefMarked(direction, quiet, true, true);
}
