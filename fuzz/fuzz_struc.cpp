// libFuzzer target: the structure reader; what it accepts writes back to the same bytes.
#include <cstdlib>
#include <cstring>

#include "documents/file_layouts.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  layouts::GreyMap map;
  if (!layouts::ParseStructure(data, size, map)) return 0;
  std::vector<uint8_t> back;
  layouts::BuildStructure(map, back);
  if (back.size() > size || std::memcmp(back.data(), data, back.size()) != 0) std::abort();
  return 0;
}
