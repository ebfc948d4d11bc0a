// libFuzzer target: the JPEG reader.
#include "toolkit/codecs/codecs.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  tk::codec::Picture p;
  std::string err;
  tk::codec::decodeJPEG(data, size, p, err);
  return 0;
}
