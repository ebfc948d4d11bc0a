// Whether AreaPixels holds the cells of the area its last indices describe. The relief,
// amplify and bitwise twins check it first and change nothing without an area, so a stray
// call can never reach past the buffer.
#pragma once
#include "documents/documents.h"

namespace fx {

inline bool AreaHoldsCells() {
  return arealang >= 0 && areahoch >= 0 &&
         AreaPixels.size() >= (size_t(arealang) + 1) * (size_t(areahoch) + 1);
}

}  // namespace fx
