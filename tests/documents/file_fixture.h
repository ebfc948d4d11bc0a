// Test helper for the image files: the slot fixture plus sample files of every raster
// format written into the temporary program folder (BMP, PNG and JPEG by the layer's
// writers, TGA by hand, TIFF through libtiff, 8- and 16-bit BMPs by hand).
#pragma once
#include <tiffio.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "documents/slot_fixture.h"
#include "toolkit/codecs/codecs.h"

struct FileFixture : SlotFixture {
  using ByteVec = std::vector<uint8_t>;

  // A w x h picture that names each cell's place: red runs from 0 at the left to 255 at
  // the right, green likewise from the top to the bottom, blue is the seed. Smooth enough
  // at 64 x 48 for JPEG to keep every cell close; upside down or mirrored it is far off.
  static std::vector<PixelCell> Picture(int w, int h, int seed) {
    std::vector<PixelCell> cells(size_t(w) * h);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        cells[size_t(y) * w + x] = PixelCell(seed & 0xFF) | PixelCell(y * 255 / std::max(h - 1, 1)) << 8 |
                                   PixelCell(x * 255 / std::max(w - 1, 1)) << 16;
    return cells;
  }
  static tk::codec::Picture CodecPicture(int w, int h, int seed) {
    tk::codec::Picture p;
    p.w = w;
    p.h = h;
    p.cells = Picture(w, h, seed);
    for (uint32_t& c : p.cells) c |= 0xFF000000u;
    return p;
  }
  void Write(const std::string& name, const ByteVec& b) const { ASSERT_TRUE(tk::writeWholeFile(folder + name, b.data(), b.size())); }

  static void Put16(ByteVec& b, uint32_t v) {
    b.push_back(uint8_t(v));
    b.push_back(uint8_t(v >> 8));
  }
  static void Put32(ByteVec& b, uint32_t v) {
    Put16(b, v & 0xFFFF);
    Put16(b, v >> 16);
  }
  // A BMP of `bits` (8: `palette` entries; 16: 5-5-5) whose rows are given top row first.
  static ByteVec HandBmp(int w, int h, int bits, const std::vector<uint32_t>& palette, const ByteVec& rowsTopFirst) {
    const size_t stride = ((size_t(w) * bits / 8) + 3) & ~size_t(3);
    const uint32_t offset = uint32_t(14 + 40 + 4 * palette.size());
    ByteVec b = {'B', 'M'};
    Put32(b, uint32_t(offset + stride * h));
    Put32(b, 0);
    Put32(b, offset);
    Put32(b, 40);
    Put32(b, uint32_t(w));
    Put32(b, uint32_t(h));
    Put16(b, 1);
    Put16(b, uint32_t(bits));
    Put32(b, 0);
    Put32(b, uint32_t(stride * h));
    Put32(b, 2835);
    Put32(b, 2835);
    Put32(b, uint32_t(palette.size()));
    Put32(b, 0);
    for (uint32_t c : palette) Put32(b, c & 0xFFFFFF);
    const size_t rowBytes = size_t(w) * bits / 8;
    for (int r = h - 1; r >= 0; --r) {
      b.insert(b.end(), rowsTopFirst.begin() + r * rowBytes, rowsTopFirst.begin() + (r + 1) * rowBytes);
      b.resize(b.size() + (stride - rowBytes), 0);
    }
    return b;
  }
  // An uncompressed 24-bit TGA, rows stored bottom first.
  static ByteVec HandTga(const tk::codec::Picture& p) {
    ByteVec b(18, 0);
    b[2] = 2;
    b[12] = uint8_t(p.w);
    b[13] = uint8_t(p.w >> 8);
    b[14] = uint8_t(p.h);
    b[15] = uint8_t(p.h >> 8);
    b[16] = 24;
    for (int y = p.h - 1; y >= 0; --y)
      for (int x = 0; x < p.w; ++x) {
        const uint32_t c = p.cells[size_t(y) * p.w + x];
        b.push_back(uint8_t(c));
        b.push_back(uint8_t(c >> 8));
        b.push_back(uint8_t(c >> 16));
      }
    return b;
  }
  static bool WriteTiff(const std::string& path, const tk::codec::Picture& p) {
    TIFF* t = TIFFOpen(path.c_str(), "w");
    if (!t) return false;
    TIFFSetField(t, TIFFTAG_IMAGEWIDTH, p.w);
    TIFFSetField(t, TIFFTAG_IMAGELENGTH, p.h);
    TIFFSetField(t, TIFFTAG_BITSPERSAMPLE, 8);
    TIFFSetField(t, TIFFTAG_SAMPLESPERPIXEL, 3);
    TIFFSetField(t, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
    TIFFSetField(t, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(t, TIFFTAG_ROWSPERSTRIP, 4);
    std::vector<uint8_t> row(size_t(p.w) * 3);
    for (int y = 0; y < p.h; ++y) {
      for (int x = 0; x < p.w; ++x) {
        const uint32_t c = p.cells[size_t(y) * p.w + x];
        row[3 * x] = uint8_t(c >> 16);
        row[3 * x + 1] = uint8_t(c >> 8);
        row[3 * x + 2] = uint8_t(c);
      }
      TIFFWriteScanline(t, row.data(), uint32_t(y), 0);
    }
    TIFFClose(t);
    return true;
  }
  // One sample file of each raster kind, each w x h with its own seed; returns the names.
  std::vector<std::string> RasterSamples(int w, int h) const {
    std::vector<std::string> names;
    ByteVec b;
    tk::codec::encodeBMP(CodecPicture(w, h, 1), b, 24);
    Write("sample.bmp", b);
    b.clear();
    tk::codec::encodePNG(CodecPicture(w, h, 2), b);
    Write("sample.png", b);
    b.clear();
    tk::codec::encodeJPEG(CodecPicture(w, h, 3), b, 95);
    Write("sample.jpg", b);
    Write("sample.tga", HandTga(CodecPicture(w, h, 4)));
    EXPECT_TRUE(WriteTiff(folder + "sample.tif", CodecPicture(w, h, 5)));
    return {"sample.bmp", "sample.png", "sample.jpg", "sample.tga", "sample.tif"};
  }
  // Every channel of the two pictures within `tolerance`; the flag byte is not compared.
  static ::testing::AssertionResult Near(const std::vector<PixelCell>& got, const std::vector<PixelCell>& want,
                                         int tolerance) {
    if (got.size() != want.size()) return ::testing::AssertionFailure() << "size " << got.size() << " != " << want.size();
    for (size_t i = 0; i < got.size(); ++i)
      for (int c = 0; c < 3; ++c) {
        const int a = int(got[i] >> (8 * c) & 0xFF), b = int(want[i] >> (8 * c) & 0xFF);
        if (std::abs(a - b) > tolerance)
          return ::testing::AssertionFailure() << "cell " << i << " channel " << c << ": " << a << " != " << b;
      }
    return ::testing::AssertionSuccess();
  }
};
