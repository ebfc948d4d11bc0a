// The steps every marked-area twin shares around its pixel work, for the effect
// files of this folder: the span of AreaPixels that the kernels of kernels.h and
// kernels_geometry.h take, the error-location code on entry, the loop counters as the
// column-outer, row-inner walk leaves them, and the refresh at the end.
//
// A marked twin never makes an undo point unless its family says so (an undo point stores the
// image, not the area), never reads the flag byte for a colour rule, and refreshes with
// RefreshView, which lays the area over the image, instead of RedrawCanvas.
//
// The area helpers themselves (ToggleAreaSignedForm, ResizeAreaBuffer, SampleAreaBilinear)
// are declared in effects.h; they are defined in area_frame.cpp.
#pragma once
#include <cstdint>

#include "documents/documents.h"
#include "effects/frame.h"
#include "effects/kernels.h"

namespace fx {

// The whole area as a span: (arealang + 1) x (areahoch + 1) cells, rows of arealang + 1.
inline Span AreaSpan() {
  return Span{AreaPixels.data(), ptrdiff_t(arealang) + 1, arealang + 1, areahoch + 1};
}
// Whether AreaPixels holds the cells its last indices describe. Twins reached without an area
// (a stray script or structure call) check it and change nothing instead of reading past the
// buffer.
inline bool AreaHoldsCells() {
  return arealang >= 0 && areahoch >= 0 &&
         AreaPixels.size() >= (size_t(arealang) + 1) * (size_t(areahoch) + 1);
}
// The area as a span when it is held, else an empty span, on which the kernels do nothing.
inline Span AreaCellsSpan() { return AreaHoldsCells() ? AreaSpan() : Span{}; }
// Cell (x, y) of the area; the caller keeps x in 0..arealang and y in 0..areahoch.
inline PixelCell& AreaCell(int32_t x, int32_t y) {
  return AreaPixels[size_t(y) * (size_t(arealang) + 1) + size_t(x)];
}

// Entry of a marked twin: error-location code 12 unless the family keeps the caller's (the
// six channel greys, RotateFree_Marked, ResetAttributeSliders). No undo point.
inline void BeginAreaEffect(bool setErrorCode = true) {
  if (setErrorCode) OnErrorCode1 = EffectErrorCode;
}
// Exit of a marked twin: RefreshView when interactive (quiet 0), nothing otherwise.
inline void EndAreaEffect(int32_t quiet) {
  if (quiet == 0) RefreshView();
}

// The loop counters as the area walk leaves them: lang from 0 to arealang outer, hoch from 0
// to areahoch inner; the counted form leaves both one past their last value.
inline void AreaLoopDone() {
  lang = arealang + 1;
  hoch = areahoch + 1;
}

}  // namespace fx
