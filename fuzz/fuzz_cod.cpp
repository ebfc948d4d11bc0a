// libFuzzer target: the script-source reader; every line comes back ended by CR LF.
#include <cstdlib>

#include "documents/file_layouts.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text = layouts::ParseCodeText(data, size);
  if (!text.empty() && (text.size() < 2 || text.compare(text.size() - 2, 2, "\r\n") != 0)) std::abort();
  for (size_t i = 0; i < text.size(); ++i)
    if ((text[i] == '\r') != (i + 1 < text.size() && text[i + 1] == '\n' && text[i] == '\r')) std::abort();
  return 0;
}
