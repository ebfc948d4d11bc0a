// libFuzzer target: the icon and cursor reader, the chosen entry and every entry.
#include "toolkit/codecs/codecs.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  tk::codec::Picture p;
  std::string err;
  tk::codec::decodeICO(data, size, p, err);
  int n = tk::codec::countICOEntries(data, size);
  for (int i = 0; i < n && i < 8; ++i) tk::codec::decodeICO(data, size, p, err, i);
  return 0;
}
