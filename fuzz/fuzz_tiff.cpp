// libFuzzer target: the TIFF reader (from memory).
#include "toolkit/codecs/codecs.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  tk::codec::Picture p;
  std::string err;
  tk::codec::decodeTIFF(data, size, p, err);
  return 0;
}
