// The marked area as a span, and the refresh that ends a marked effect, for the relief,
// amplify and bitwise twins.
#pragma once
#include <cstdint>

#include "documents/documents.h"
#include "effects/kernels.h"

namespace fx {

// False when there is no area whose cells the buffer holds: the twins then change nothing.
inline bool AreaHoldsCells() {
  return arealang >= 0 && areahoch >= 0 &&
         AreaPixels.size() >= (size_t(arealang) + 1) * (size_t(areahoch) + 1);
}
inline Span AreaCellSpan() {
  return Span{AreaPixels.data(), ptrdiff_t(arealang) + 1, arealang + 1, areahoch + 1};
}
inline void EndAreaEffect(int32_t quiet) {
  if (quiet == 0) RefreshView();
}

}  // namespace fx
