// The marked area as a span for the effect kernels, guarded: a buffer that does not hold
// the area's extents (no area) gives an empty span, on which the kernels do nothing.
#pragma once
#include "effects/area_frame.h"

namespace fx {

inline Span AreaCellsSpan() {
  if (arealang < 0 || areahoch < 0 || AreaPixels.size() < (size_t(arealang) + 1) * (size_t(areahoch) + 1)) return Span{};
  return AreaSpan();
}

}  // namespace fx
