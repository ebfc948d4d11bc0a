// The steps every whole-image effect shares around its pixel work, for the effect files of
// this folder: the span of the image, the undo point and error code before, the loop
// counters and the redraw after.
#pragma once
#include <cstdint>

#include "documents/documents.h"
#include "effects/kernels.h"

namespace fx {

constexpr int32_t EffectErrorCode = 12;   // "effect" in the error reports

inline Span ImageSpan() {
  return Span{ImagePixels.data(), ptrdiff_t(bildlang) + 1, bildlang + 1, bildhoch + 1};
}

// Undo point when interactive; error code 12 unless the effect keeps the caller's.
inline void BeginEffect(int32_t quiet, bool setErrorCode = true) {
  if (quiet == 0) CreateUndoPoint();
  if (setErrorCode) OnErrorCode1 = EffectErrorCode;
}
inline void EndEffect(int32_t quiet) {
  if (quiet == 0) RedrawCanvas();
}

// The loop counters as the two loop forms leave them: x outer from 0 to bildlang, y inner;
// the counted form leaves y past the last row, the reset form sets it back to 0.
inline void CountedLoopDone() {
  lang = bildlang + 1;
  hoch = bildhoch + 1;
}
inline void ResetLoopDone() {
  lang = bildlang + 1;
  hoch = 0;
}

}  // namespace fx
