// libFuzzer target: the palette reader (any length gives 768 bytes, the file's first).
#include <cstdlib>
#include <cstring>

#include "documents/file_layouts.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  uint8_t rgb[layouts::PaletteFileSize];
  layouts::ParsePalette(data, size, rgb);
  const size_t n = size < sizeof rgb ? size : sizeof rgb;
  if (n && std::memcmp(rgb, data, n) != 0) std::abort();
  for (size_t i = n; i < sizeof rgb; ++i)
    if (rgb[i] != 0) std::abort();
  return 0;
}
