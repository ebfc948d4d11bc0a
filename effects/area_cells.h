// The marked area as a span for the effect kernels. A buffer that does not hold the area's
// extents (no area) gives an empty span, on which the kernels do nothing.
#pragma once
#include "documents/documents.h"
#include "effects/kernels.h"

namespace fx {

inline Span AreaCellsSpan() {
  if (arealang < 0 || areahoch < 0 || AreaPixels.size() < (size_t(arealang) + 1) * (size_t(areahoch) + 1)) return Span{};
  return Span{AreaPixels.data(), ptrdiff_t(arealang) + 1, arealang + 1, areahoch + 1};
}

}  // namespace fx
