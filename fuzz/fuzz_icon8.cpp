// libFuzzer target: the program's own icon reader (directory, 8-bit entries, the single
// icon files of the chooser).
#include <cstdlib>

#include "documents/file_layouts.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<layouts::IconEntry> entries;
  if (!layouts::ParseIconDirectory(data, size, entries)) return 0;
  for (size_t i = 0; i < entries.size() && i < 8; ++i) {
    layouts::IconImage icon;
    if (layouts::DecodeIconEntry(data, size, entries[i], icon) &&
        icon.indices.size() != size_t(icon.width) * size_t(icon.height))
      std::abort();
    std::vector<uint8_t> single;
    layouts::SingleIconFile(data, size, int(i), single);
  }
  return 0;
}
