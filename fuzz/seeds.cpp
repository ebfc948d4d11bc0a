// Writes the fuzz seed corpus: every sample file into <dir>/bmp, <dir>/tga, <dir>/ico,
// and small PNG, JPEG (baseline and progressive) and TIFF files into <dir>/png,
// <dir>/jpeg, <dir>/tiff.
#include <cstdio>
#include <string>
#include <tuple>

// jpeglib.h needs size_t and FILE declared first.
#include <jpeglib.h>
#include <tiffio.h>

#include "fuzz/samples.h"

// A progressive JPEG of the picture (the writer of the codecs makes baseline only).
static samples::Bytes progressiveJpeg(const tk::codec::Picture& p) {
  jpeg_compress_struct c;
  jpeg_error_mgr e;
  c.err = jpeg_std_error(&e);
  jpeg_create_compress(&c);
  unsigned char* mem = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&c, &mem, &size);
  c.image_width = p.w;
  c.image_height = p.h;
  c.input_components = 4;
  c.in_color_space = JCS_EXT_BGRX;
  jpeg_set_defaults(&c);
  jpeg_simple_progression(&c);
  jpeg_start_compress(&c, TRUE);
  while (c.next_scanline < c.image_height) {
    JSAMPROW row = reinterpret_cast<JSAMPROW>(const_cast<uint32_t*>(p.cells.data()) + c.next_scanline * p.w);
    jpeg_write_scanlines(&c, &row, 1);
  }
  jpeg_finish_compress(&c);
  jpeg_destroy_compress(&c);
  samples::Bytes out(mem, mem + size);
  free(mem);
  return out;
}

// A small RGB TIFF file in one of the packings libtiff writes.
static void saveTiff(const std::string& path, int compression, int rowsPerStrip, bool tiled) {
  tk::codec::Picture p = samples::picture(16, 16, false);
  TIFF* t = TIFFOpen(path.c_str(), "w");
  if (!t) return;
  TIFFSetField(t, TIFFTAG_IMAGEWIDTH, p.w);
  TIFFSetField(t, TIFFTAG_IMAGELENGTH, p.h);
  TIFFSetField(t, TIFFTAG_BITSPERSAMPLE, 8);
  TIFFSetField(t, TIFFTAG_SAMPLESPERPIXEL, 3);
  TIFFSetField(t, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
  TIFFSetField(t, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
  TIFFSetField(t, TIFFTAG_COMPRESSION, compression);
  std::vector<uint8_t> rgb(size_t(p.w) * p.h * 3);
  for (size_t i = 0; i < p.cells.size(); ++i) {
    rgb[3 * i] = uint8_t(p.cells[i] >> 16);
    rgb[3 * i + 1] = uint8_t(p.cells[i] >> 8);
    rgb[3 * i + 2] = uint8_t(p.cells[i]);
  }
  if (tiled) {
    TIFFSetField(t, TIFFTAG_TILEWIDTH, 16);
    TIFFSetField(t, TIFFTAG_TILELENGTH, 16);
    TIFFWriteEncodedTile(t, 0, rgb.data(), tmsize_t(rgb.size()));
  } else {
    TIFFSetField(t, TIFFTAG_ROWSPERSTRIP, rowsPerStrip);
    for (int y = 0; y < p.h; ++y) TIFFWriteScanline(t, rgb.data() + size_t(y) * p.w * 3, y, 0);
  }
  TIFFClose(t);
}

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
  for (auto [w, h, alpha] : {std::tuple{6, 5, true}, {16, 16, false}, {33, 7, false}}) {
    samples::Bytes b;
    tk::codec::encodePNG(samples::picture(w, h, alpha), b, alpha);
    save(dir + "/png/seed" + std::to_string(i++), b);
    b.clear();
    tk::codec::encodeJPEG(samples::picture(w, h, false), b, 40 + w);
    save(dir + "/jpeg/seed" + std::to_string(i++), b);
  }
  save(dir + "/jpeg/seed-progressive", progressiveJpeg(samples::picture(24, 16, false)));
  saveTiff(dir + "/tiff/seed-none", COMPRESSION_NONE, 4, false);
  saveTiff(dir + "/tiff/seed-lzw", COMPRESSION_LZW, 5, false);
  saveTiff(dir + "/tiff/seed-deflate", COMPRESSION_ADOBE_DEFLATE, 16, false);
  saveTiff(dir + "/tiff/seed-packbits", COMPRESSION_PACKBITS, 3, false);
  saveTiff(dir + "/tiff/seed-tiled", COMPRESSION_LZW, 0, true);
  return 0;
}
