// Writes the seed corpus of the program's own file readers: a few valid files of each
// kind into <dir>/struc, <dir>/df, <dir>/pal, <dir>/cod and <dir>/icon8.
#include <cstdio>
#include <string>
#include <vector>

#include "documents/file_layouts.h"

static void save(const std::string& path, const std::vector<uint8_t>& b) {
  if (FILE* f = std::fopen(path.c_str(), "wb")) {
    std::fwrite(b.data(), 1, b.size(), f);
    std::fclose(f);
  }
}

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  const std::string dir = argv[1];
  std::vector<uint8_t> b;
  for (int w : {1, 3, 17}) {
    layouts::GreyMap map;
    map.lastX = w - 1;
    map.lastY = 1;
    for (int i = 0; i < 2 * w; ++i) map.grey.push_back(uint8_t(i * 37));
    layouts::BuildStructure(map, b);
    save(dir + "/struc/seed" + std::to_string(w), b);
    layouts::BrushFormData form;
    form.side = w;
    form.maxRot = 127;
    form.minRot = -128;
    form.grey.assign(size_t(w) * w, uint8_t(w * 9));
    layouts::BuildBrushForm(form, b);
    save(dir + "/df/seed" + std::to_string(w), b);
  }
  b.clear();
  for (int i = 0; i < 768; ++i) b.push_back(uint8_t(i * 7));
  save(dir + "/pal/full", b);
  b.resize(100);
  save(dir + "/pal/short", b);
  const std::string code = "; Kopf\r\nCreateBitmap(10,10)\nSaveBitmap(\"a.bmp\",7)\rEnde";
  save(dir + "/cod/seed", std::vector<uint8_t>(code.begin(), code.end()));
  std::vector<uint32_t> cells(64 * 64), palette(256);
  std::vector<uint8_t> index(64 * 64);
  for (int i = 0; i < 256; ++i) palette[i] = uint32_t(i) * 0x010101u;
  for (int i = 0; i < 64 * 64; ++i) {
    index[i] = uint8_t(i);
    cells[i] = palette[index[i]] | (i % 3 == 0 ? 0x01000000u : 0);
  }
  layouts::BuildIcon(cells.data(), index.data(), palette.data(), true, true, true, b);
  save(dir + "/icon8/all", b);
  layouts::BuildIcon(cells.data(), index.data(), palette.data(), true, false, false, b);
  save(dir + "/icon8/small", b);
  return 0;
}
