// Writes the fuzz seed corpus: every sample file into <dir>/bmp, <dir>/tga, <dir>/ico.
#include <cstdio>
#include <string>

#include "fuzz/samples.h"

static void save(const std::string& path, const samples::Bytes& b) {
  if (FILE* f = std::fopen(path.c_str(), "wb")) {
    std::fwrite(b.data(), 1, b.size(), f);
    std::fclose(f);
  }
}

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  const std::string dir = argv[1];
  int i = 0;
  for (samples::Bmp s : {samples::Bmp{1, 40}, {4, 40}, {8, 40}, {8, 12}, {16, 40}, {16, 40, 3},
                         {16, 124, 3}, {24, 40}, {24, 40, 0, true}, {32, 40}, {32, 108, 3},
                         {32, 124, 3}, {8, 40, 1}, {4, 40, 2}, {4, 40, 2, false, 9, 4}})
    save(dir + "/bmp/seed" + std::to_string(i++), samples::bmp(s));
  for (samples::Tga s : {samples::Tga{1, 8}, {9, 8}, {2, 16}, {2, 24, true}, {2, 32}, {10, 16},
                         {10, 24}, {10, 32, true}, {3, 8}, {11, 8}})
    save(dir + "/tga/seed" + std::to_string(i++), samples::tga(s));
  std::vector<samples::Bytes> entries;
  for (int bpp : {1, 4, 8, 24, 32}) entries.push_back(samples::iconDIB(bpp, 5 + bpp % 7, 4));
  save(dir + "/ico/seed-all", samples::iconFile(entries));
  for (size_t k = 0; k < entries.size(); ++k)
    save(dir + "/ico/seed" + std::to_string(k), samples::iconFile({entries[k]}, 1 + k % 2));
  samples::Bytes png;
  tk::codec::encodePNG(samples::picture(6, 5, true), png, true);
  save(dir + "/ico/seed-png", samples::iconFile({png}));
  samples::Bytes ico;
  tk::codec::encodeICO({samples::picture(16, 16, true), samples::picture(8, 8, true)}, ico, true, 3, 4);
  save(dir + "/ico/seed-cur", ico);
  return 0;
}
