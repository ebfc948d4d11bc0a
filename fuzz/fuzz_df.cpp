// libFuzzer target: the brush-form reader; what it accepts writes back to the same bytes.
#include <cstdlib>
#include <cstring>

#include "documents/file_layouts.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  layouts::BrushFormData form;
  if (!layouts::ParseBrushForm(data, size, form)) return 0;
  if (form.grey.size() != size_t(form.side) * size_t(form.side)) std::abort();
  std::vector<uint8_t> back;
  layouts::BuildBrushForm(form, back);
  if (back.size() > size || std::memcmp(back.data(), data, back.size()) != 0) std::abort();
  return 0;
}
