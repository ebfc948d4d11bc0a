// Image codecs: round trips of every format we write, each kind of file our readers
// take, TIFF through libtiff, and broken files that must fail cleanly.
#include <gtest/gtest.h>
#include <tiffio.h>
#include <zlib.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>

#include "alloc_probe.h"
#include "fuzz/samples.h"
#include "toolkit/codecs/codecs.h"

using namespace tk::codec;
using samples::Bytes;

namespace {

bool decodeAny(const Bytes& b, Picture& p, std::string& err, const std::string& hint = "") {
  return decode(b.data(), b.size(), p, err, hint);
}

Picture decoded(const Bytes& b, const std::string& hint = "") {
  Picture p;
  std::string err;
  EXPECT_TRUE(decodeAny(b, p, err, hint)) << err;
  return p;
}

uint32_t opaque(uint32_t c) { return c | 0xFF000000u; }

std::vector<uint32_t> opaqueCells(const Picture& p) {
  std::vector<uint32_t> v = p.cells;
  for (uint32_t& c : v) c = opaque(c);
  return v;
}

// ---- round trips ------------------------------------------------------------------------

TEST(CodecRoundTrip, Bmp24KeepsColoursAndReadsOpaque) {
  Picture src = samples::picture(7, 5, true);   // odd width: padded rows
  Bytes f;
  ASSERT_TRUE(encodeBMP(src, f, 24));
  Picture p = decoded(f);
  EXPECT_EQ(p.w, 7);
  EXPECT_EQ(p.h, 5);
  EXPECT_EQ(p.cells, opaqueCells(src));
  EXPECT_FALSE(p.hasAlpha);
}

TEST(CodecRoundTrip, Bmp32KeepsEveryByte) {
  for (bool zeroFourthByte : {false, true}) {
    Picture src = samples::picture(6, 4, true);
    if (zeroFourthByte)
      for (uint32_t& c : src.cells) c &= 0x00FFFFFF;
    Bytes f;
    ASSERT_TRUE(encodeBMP(src, f, 32));
    EXPECT_EQ(decoded(f).cells, src.cells) << zeroFourthByte;
  }
}

TEST(CodecRoundTrip, PngWithAndWithoutAlpha) {
  Picture src = samples::picture(9, 6, true);
  Bytes withA, without;
  ASSERT_TRUE(encodePNG(src, withA, true));
  ASSERT_TRUE(encodePNG(src, without, false));
  Picture a = decoded(withA), b = decoded(without);
  EXPECT_EQ(a.cells, src.cells);
  EXPECT_TRUE(a.hasAlpha);
  EXPECT_EQ(b.cells, opaqueCells(src));
  EXPECT_FALSE(b.hasAlpha);
}

TEST(CodecRoundTrip, JpegStaysCloseAtQuality90) {
  Picture src;
  src.w = 64;
  src.h = 48;
  for (int y = 0; y < src.h; ++y)
    for (int x = 0; x < src.w; ++x) src.cells.push_back(samples::rgb(x * 4, y * 5, 128 + x - y));
  Bytes f;
  ASSERT_TRUE(encodeJPEG(src, f, 90));
  Picture p = decoded(f);
  ASSERT_EQ(p.cells.size(), src.cells.size());
  int worst = 0;
  double sum = 0;
  for (size_t i = 0; i < p.cells.size(); ++i) {
    EXPECT_EQ(p.cells[i] >> 24, 0xFFu);
    for (int s = 0; s < 24; s += 8) {
      int d = std::abs(int((p.cells[i] >> s) & 255) - int((src.cells[i] >> s) & 255));
      worst = std::max(worst, d);
      sum += d;
    }
  }
  EXPECT_LE(worst, 12);
  EXPECT_LE(sum / (p.cells.size() * 3), 2.0);
}

TEST(CodecRoundTrip, IconSizesReadBackByIndexAndLargest) {
  std::vector<Picture> sizes = {samples::picture(16, 16, true), samples::picture(48, 48, true),
                                samples::picture(32, 32, true), samples::picture(256, 256, true)};
  Bytes f;
  ASSERT_TRUE(encodeICO(sizes, f));
  EXPECT_EQ(sniff(f.data(), f.size()), Format::ICO);
  ASSERT_EQ(countICOEntries(f.data(), f.size()), 4);
  for (int i = 0; i < 4; ++i) {
    Picture p;
    std::string err;
    ASSERT_TRUE(decodeICO(f.data(), f.size(), p, err, i)) << err;
    EXPECT_EQ(p.cells, sizes[i].cells) << i;
    EXPECT_TRUE(p.hasAlpha);
  }
  EXPECT_EQ(decoded(f).w, 256);
}

TEST(CodecRoundTrip, CursorKeepsHotspotScaledPerEntry) {
  Bytes f;
  ASSERT_TRUE(encodeICO({samples::picture(32, 32, true), samples::picture(64, 64, true)}, f, true, 5, 7));
  EXPECT_EQ(sniff(f.data(), f.size()), Format::CUR);
  auto at16 = [&](size_t i) { return f[i] | f[i + 1] << 8; };
  EXPECT_EQ(at16(6 + 4), 5);
  EXPECT_EQ(at16(6 + 6), 7);
  EXPECT_EQ(at16(22 + 4), 10);
  EXPECT_EQ(at16(22 + 6), 14);
  EXPECT_EQ(decoded(f).cells, samples::picture(64, 64, true).cells);
}

TEST(CodecRoundTrip, WritersRefuseWhatTheyCannotStore) {
  Bytes f;
  Picture bad = samples::picture(4, 4, false);
  bad.cells.pop_back();
  EXPECT_FALSE(encodeBMP(bad, f));
  EXPECT_FALSE(encodePNG(bad, f));
  EXPECT_FALSE(encodeJPEG(bad, f, 90));
  EXPECT_FALSE(encodeBMP(samples::picture(4, 4, false), f, 16));
  EXPECT_FALSE(encodeICO({samples::picture(257, 1, false)}, f));
  EXPECT_FALSE(encodeICO({}, f));
  EXPECT_TRUE(f.empty());
}

// ---- our readers: every kind of file they take -------------------------------------------

struct BmpCase { const char* name; samples::Bmp s; };

TEST(BmpRead, EveryDepthAndHeader) {
  const BmpCase cases[] = {
      {"1 bit", {1, 40}},                {"4 bits", {4, 40}},
      {"8 bits", {8, 40}},               {"8 bits core header", {8, 12}},
      {"24 bits core header", {24, 12}}, {"1 bit top-down", {1, 40, 0, true}},
      {"16 bits 5-5-5", {16, 40}},       {"16 bits 5-6-5 fields", {16, 40, 3}},
      {"16 bits 5-6-5 V5", {16, 124, 3}}, {"24 bits", {24, 40}},
      {"24 bits top-down", {24, 40, 0, true}}, {"24 bits V5", {24, 124}},
      {"32 bits", {32, 40}},             {"32 bits fields, no alpha", {32, 40, 3}},
      {"32 bits V4 alpha", {32, 108, 3}}, {"32 bits V5 alpha top-down", {32, 124, 3, true}},
      {"RLE8", {8, 40, 1}},              {"RLE4", {4, 40, 2}},
      {"RLE4 odd width", {4, 40, 2, false, 9, 4}},
  };
  for (const BmpCase& c : cases) {
    std::vector<uint32_t> expect;
    Bytes f = samples::bmp(c.s, &expect);
    Picture p;
    std::string err;
    ASSERT_TRUE(decodeBMP(f.data(), f.size(), p, err)) << c.name << ": " << err;
    EXPECT_EQ(p.w, c.s.w) << c.name;
    EXPECT_EQ(p.cells, expect) << c.name;
  }
}

TEST(BmpRead, RleMovesAndSkippedCells) {
  // 4x3 RLE8: row 0 a run of 2, then a move to row 2 column 1, one cell, end.
  std::vector<uint32_t> expect;
  Bytes f = samples::bmp({8, 40, 1, false, 4, 3}, &expect);
  f.resize(samples::Bytes::size_type(f[10] | f[11] << 8));
  f.insert(f.end(), {2, 3, 0, 2, 1, 2, 1, 5, 0, 1});
  Picture p;
  std::string err;
  ASSERT_TRUE(decodeBMP(f.data(), f.size(), p, err)) << err;
  const uint32_t k = 0xFF000000u, c3 = samples::paletteColour(3), c5 = samples::paletteColour(5);
  EXPECT_EQ(p.cells, (std::vector<uint32_t>{k, k, k, c5, k, k, k, k, c3, c3, k, k}));
}

struct TgaCase { const char* name; samples::Tga s; };

TEST(TgaRead, EveryTypeDepthAndOrigin) {
  const TgaCase cases[] = {
      {"mapped", {1, 8}},        {"mapped top", {1, 8, true}},  {"mapped RLE", {9, 8}},
      {"16 bits", {2, 16}},      {"24 bits", {2, 24}},          {"24 bits top", {2, 24, true}},
      {"32 bits", {2, 32}},      {"16 bits RLE", {10, 16}},     {"24 bits RLE", {10, 24}},
      {"32 bits RLE top", {10, 32, true}}, {"grey", {3, 8}},   {"grey RLE", {11, 8}},
      {"RLE over rows", {10, 24, false, 5, 7}},
  };
  for (const TgaCase& c : cases) {
    std::vector<uint32_t> expect;
    Bytes f = samples::tga(c.s, &expect);
    Picture p;
    std::string err;
    ASSERT_TRUE(decodeTGA(f.data(), f.size(), p, err)) << c.name << ": " << err;
    EXPECT_EQ(p.cells, expect) << c.name;
  }
}

TEST(TgaRead, FoundByNameOrFooter) {
  Bytes f = samples::tga({2, 24});
  EXPECT_EQ(sniff(f.data(), f.size()), Format::Unknown);
  EXPECT_EQ(sniff(f.data(), f.size(), "C:\\Pictures\\Sky.TGA"), Format::TGA);
  EXPECT_EQ(decoded(f, "sky.tga").w, 6);
  const char footer[] = "\0\0\0\0\0\0\0\0TRUEVISION-XFILE.";
  f.insert(f.end(), footer, footer + sizeof footer);
  EXPECT_EQ(sniff(f.data(), f.size()), Format::TGA);
}

TEST(IcoRead, DibEntriesOfEveryDepthAndPng) {
  std::vector<std::vector<uint32_t>> expect(5);
  const int depths[] = {1, 4, 8, 24, 32};
  std::vector<Bytes> entries;
  for (int i = 0; i < 5; ++i) entries.push_back(samples::iconDIB(depths[i], 9 + i, 5, &expect[i]));
  Picture png = samples::picture(40, 40, true);
  Bytes pngBytes;
  ASSERT_TRUE(encodePNG(png, pngBytes, true));
  entries.push_back(pngBytes);
  for (int type : {1, 2}) {
    Bytes f = samples::iconFile(entries, type);
    for (int i = 0; i < 5; ++i) {
      Picture p;
      std::string err;
      ASSERT_TRUE(decodeICO(f.data(), f.size(), p, err, i)) << depths[i] << ": " << err;
      EXPECT_EQ(p.cells, expect[i]) << depths[i];
    }
    EXPECT_EQ(decoded(f).cells, png.cells);   // the largest
  }
}

TEST(IcoRead, LargestThenDeepest) {
  std::vector<uint32_t> e8, e32;
  Bytes f = samples::iconFile({samples::iconDIB(8, 16, 16, &e8), samples::iconDIB(32, 16, 16, &e32),
                               samples::iconDIB(24, 8, 8)});
  EXPECT_EQ(decoded(f).cells, e32);
}

TEST(Sniff, MagicBytes) {
  const struct { Bytes b; Format f; } cases[] = {
      {{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'}, Format::PNG},
      {{0xFF, 0xD8, 0xFF, 0xE0}, Format::JPEG},
      {{'I', 'I', '*', 0}, Format::TIFF},
      {{'M', 'M', 0, '*'}, Format::TIFF},
      {{'B', 'M', 0, 0}, Format::BMP},
      {{0, 0, 1, 0, 1, 0}, Format::ICO},
      {{0, 0, 2, 0, 3, 0}, Format::CUR},
      {{0, 0, 1, 0, 0, 0}, Format::Unknown},
      {{'G', 'I', 'F', '8'}, Format::Unknown},
      {{}, Format::Unknown},
  };
  for (const auto& c : cases) EXPECT_EQ(sniff(c.b.data(), c.b.size()), c.f) << int(c.f);
}

// ---- TIFF ---------------------------------------------------------------------------------

Picture writeTiff(const std::string& path, bool alpha) {
  Picture src = samples::picture(11, 7, alpha);
  TIFF* t = TIFFOpen(path.c_str(), "w");
  EXPECT_TRUE(t);
  if (!t) return src;
  const int spp = alpha ? 4 : 3;
  TIFFSetField(t, TIFFTAG_IMAGEWIDTH, src.w);
  TIFFSetField(t, TIFFTAG_IMAGELENGTH, src.h);
  TIFFSetField(t, TIFFTAG_BITSPERSAMPLE, 8);
  TIFFSetField(t, TIFFTAG_SAMPLESPERPIXEL, spp);
  TIFFSetField(t, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
  TIFFSetField(t, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
  TIFFSetField(t, TIFFTAG_COMPRESSION, COMPRESSION_LZW);
  TIFFSetField(t, TIFFTAG_ROWSPERSTRIP, 3);
  if (alpha) {
    uint16_t kind = EXTRASAMPLE_UNASSALPHA;
    TIFFSetField(t, TIFFTAG_EXTRASAMPLES, 1, &kind);
  }
  std::vector<uint8_t> row(src.w * spp);
  for (int y = 0; y < src.h; ++y) {
    for (int x = 0; x < src.w; ++x) {
      uint32_t c = src.cells[y * src.w + x];
      uint8_t* q = row.data() + x * spp;
      q[0] = uint8_t(c >> 16);
      q[1] = uint8_t(c >> 8);
      q[2] = uint8_t(c);
      if (alpha) q[3] = uint8_t(c >> 24);
    }
    TIFFWriteScanline(t, row.data(), y, 0);
  }
  TIFFClose(t);
  return src;
}

Bytes readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), {});
}

TEST(TiffRead, FromFileAndFromMemory) {
  for (bool alpha : {false, true}) {
    std::string path = testing::TempDir() + "codec_test_" + std::to_string(alpha) + ".tif";
    Picture src = writeTiff(path, alpha);
    Picture a, b;
    std::string err;
    ASSERT_TRUE(decodeTIFFFile(path, a, err)) << err;
    Bytes f = readFile(path);
    EXPECT_EQ(sniff(f.data(), f.size()), Format::TIFF);
    ASSERT_TRUE(decodeTIFF(f.data(), f.size(), b, err)) << err;
    EXPECT_EQ(a.cells, b.cells);
    ASSERT_EQ(b.cells.size(), src.cells.size());
    for (size_t i = 0; i < src.cells.size(); ++i) {
      // libtiff hands alpha pictures over premultiplied: colours come back rounded.
      uint32_t x = b.cells[i], y = src.cells[i], alphaOf = y >> 24;
      ASSERT_EQ(x >> 24, alphaOf) << i;
      int tol = alpha ? (alphaOf ? 255 / int(alphaOf) + 1 : 255) : 0;
      for (int s = 0; s < 24; s += 8)
        EXPECT_LE(std::abs(int((x >> s) & 255) - int((y >> s) & 255)), tol) << i;
    }
    EXPECT_EQ(b.hasAlpha, alpha);
    std::filesystem::remove(path);
  }
  Picture p;
  std::string err;
  EXPECT_FALSE(decodeTIFFFile(testing::TempDir() + "no_such_file.tif", p, err));
  EXPECT_FALSE(err.empty());
}

// ---- broken files ---------------------------------------------------------------------------

using Decoder = std::function<bool(const Bytes&, Picture&, std::string&)>;
const Decoder viaBMP = [](const Bytes& b, Picture& p, std::string& e) { return decodeBMP(b.data(), b.size(), p, e); };
const Decoder viaTGA = [](const Bytes& b, Picture& p, std::string& e) { return decodeTGA(b.data(), b.size(), p, e); };
const Decoder viaICO = [](const Bytes& b, Picture& p, std::string& e) { return decodeICO(b.data(), b.size(), p, e); };
const Decoder viaAny = [](const Bytes& b, Picture& p, std::string& e) { return decodeAny(b, p, e); };

Bytes edited(Bytes b, const std::function<void(Bytes&)>& f) {
  f(b);
  return b;
}

// The file with its pixel data (from the offset in its header) replaced.
Bytes bmpPixels(const samples::Bmp& s, Bytes pixels) {
  Bytes b = samples::bmp(s);
  b.resize(b[10] | b[11] << 8);
  b.insert(b.end(), pixels.begin(), pixels.end());
  return b;
}

// PNG chunk at `at` rewritten by f, its CRC fixed.
Bytes pngChunkEdited(size_t at, const std::function<void(Bytes&)>& f) {
  Bytes b;
  encodePNG(samples::picture(5, 5, false), b, false);
  f(b);
  uint32_t len = b[at] << 24 | b[at + 1] << 16 | b[at + 2] << 8 | b[at + 3];
  uint32_t crc = crc32(0, b.data() + at + 4, len + 4);
  for (int i = 0; i < 4; ++i) b[at + 8 + len + i] = uint8_t(crc >> (24 - 8 * i));
  return b;
}

struct Broken { const char* name; Bytes file; Decoder dec; };

std::vector<Broken> brokenFiles() {
  using namespace samples;
  const Bmp b8{8, 40}, rle8{8, 40, 1}, rle4{4, 40, 2}, f16{16, 40, 3};
  const Bytes bmp8 = bmp(b8);
  const uint32_t bits8 = bmp8[10];
  const Bytes tMap = tga({1, 8}), tRle = tga({10, 24}), t24 = tga({2, 24});
  const Bytes ico = iconFile({iconDIB(8, 9, 5), iconDIB(32, 9, 5)});
  Bytes png;
  encodePNG(picture(5, 5, false), png, false);
  Bytes jpeg;
  encodeJPEG(picture(16, 16, false), jpeg, 80);
  const std::string tifPath = testing::TempDir() + "codec_broken.tif";
  writeTiff(tifPath, false);
  const Bytes tif = readFile(tifPath);
  std::filesystem::remove(tifPath);
  const Bytes dib24 = iconDIB(24, 9, 5);
  auto ed = [](const Bytes& b, const std::function<void(Bytes&)>& f) { return edited(b, f); };
  // Both entries' DIB headers of `ico` edited at `field`.
  auto entries = [&](const std::function<void(Bytes&, size_t)>& f) {
    return edited(ico, [&](Bytes& b) { f(b, b[18] | b[19] << 8); f(b, b[34] | b[35] << 8); });
  };
  return {
      {"bmp empty", {}, viaBMP},
      {"bmp width zero", ed(bmp8, [](Bytes& b) { set32(b, 18, 0); }), viaBMP},
      {"bmp height zero", ed(bmp8, [](Bytes& b) { set32(b, 22, 0); }), viaBMP},
      {"bmp width negative", ed(bmp8, [](Bytes& b) { set32(b, 18, uint32_t(-7)); }), viaBMP},
      {"bmp height most negative", ed(bmp8, [](Bytes& b) { set32(b, 22, 0x80000000u); }), viaBMP},
      {"bmp huge size", ed(bmp8, [](Bytes& b) { set32(b, 18, 0x10000); set32(b, 22, 0x10000); }), viaBMP},
      {"bmp largest size, no data", ed(bmp8, [](Bytes& b) { set32(b, 18, 0x4000); set32(b, 22, 0x4000); }), viaBMP},
      {"bmp pixel offset past end", ed(bmp8, [](Bytes& b) { set32(b, 10, 0xFFFFFF00u); }), viaBMP},
      {"bmp pixel offset in header", ed(bmp8, [](Bytes& b) { set32(b, 10, 20); }), viaBMP},
      {"bmp pixel offset zero", ed(bmp8, [](Bytes& b) { set32(b, 10, 0); }), viaBMP},
      {"bmp header size huge", ed(bmp8, [](Bytes& b) { set32(b, 14, 0xFFFFFFF0u); }), viaBMP},
      {"bmp header size unknown", ed(bmp8, [](Bytes& b) { set32(b, 14, 41); }), viaBMP},
      {"bmp header size zero", ed(bmp8, [](Bytes& b) { set32(b, 14, 0); }), viaBMP},
      {"bmp depth 7", ed(bmp8, [](Bytes& b) { set16(b, 28, 7); }), viaBMP},
      {"bmp depth zero", ed(bmp8, [](Bytes& b) { set16(b, 28, 0); }), viaBMP},
      {"bmp compression unknown", ed(bmp8, [](Bytes& b) { set32(b, 30, 4); }), viaBMP},
      {"bmp RLE8 on 24 bits", ed(bmp(Bmp{24, 40}), [](Bytes& b) { set32(b, 30, 1); }), viaBMP},
      {"bmp bit fields on 24 bits", ed(bmp(Bmp{24, 40}), [](Bytes& b) { set32(b, 30, 3); }), viaBMP},
      {"bmp bit fields empty", ed(bmp(f16), [](Bytes& b) { set32(b, 54, 0); set32(b, 58, 0); set32(b, 62, 0); }), viaBMP},
      {"bmp colour count huge", ed(bmp8, [](Bytes& b) { set32(b, 46, 0x40000000); }), viaBMP},
      {"bmp colour count past end", ed(bmp8, [](Bytes& b) { set32(b, 46, 0x1000); }), viaBMP},
      {"bmp palette index out of range", ed(bmp8, [&](Bytes& b) { b[bits8 + 3] = 200; }), viaBMP},
      {"bmp truncated pixels", ed(bmp8, [](Bytes& b) { b.pop_back(); }), viaBMP},
      {"bmp RLE8 run past row", bmpPixels(rle8, {200, 1, 0, 1}), viaBMP},
      {"bmp RLE8 stored run past row", bmpPixels(rle8, {0, 10, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 1}), viaBMP},
      {"bmp RLE8 stored run truncated", bmpPixels(rle8, {0, 6, 1, 2}), viaBMP},
      {"bmp RLE8 move past picture", bmpPixels(rle8, {0, 2, 0, 50, 1, 1, 0, 1}), viaBMP},
      {"bmp RLE8 move truncated", bmpPixels(rle8, {0, 2, 1}), viaBMP},
      {"bmp RLE8 rows past picture", bmpPixels(rle8, {0, 0, 0, 0, 0, 0, 1, 1, 0, 1}), viaBMP},
      {"bmp RLE8 no end", bmpPixels(rle8, {2, 1}), viaBMP},
      {"bmp RLE8 no data", bmpPixels(rle8, {}), viaBMP},
      {"bmp RLE8 index out of range", bmpPixels(rle8, {2, 200, 0, 1}), viaBMP},
      {"bmp RLE4 run past row", bmpPixels(rle4, {9, 0x11, 0, 1}), viaBMP},
      {"bmp RLE4 index out of range", ed(bmpPixels(rle4, {0, 3, 0x12, 0xF0, 0, 1}), [](Bytes& b) { set32(b, 46, 2); }), viaBMP},
      {"tga empty", {}, viaTGA},
      {"tga header only", Bytes(tMap.begin(), tMap.begin() + 18), viaTGA},
      {"tga width zero", ed(t24, [](Bytes& b) { set16(b, 12, 0); }), viaTGA},
      {"tga height zero", ed(t24, [](Bytes& b) { set16(b, 14, 0); }), viaTGA},
      {"tga huge size", ed(t24, [](Bytes& b) { set16(b, 12, 0xFFFF); set16(b, 14, 0xFFFF); }), viaTGA},
      {"tga large RLE, little data", ed(tRle, [](Bytes& b) { set16(b, 12, 16000); set16(b, 14, 16000); }), viaTGA},
      {"tga type 4", ed(t24, [](Bytes& b) { b[2] = 4; }), viaTGA},
      {"tga type 32", ed(t24, [](Bytes& b) { b[2] = 32; }), viaTGA},
      {"tga depth 12", ed(t24, [](Bytes& b) { b[16] = 12; }), viaTGA},
      {"tga depth zero", ed(t24, [](Bytes& b) { b[16] = 0; }), viaTGA},
      {"tga id past end", ed(t24, [](Bytes& b) { b[0] = 255; b.resize(60); }), viaTGA},
      {"tga mapped without map", ed(tMap, [](Bytes& b) { b[1] = 0; }), viaTGA},
      {"tga map type 2", ed(t24, [](Bytes& b) { b[1] = 2; }), viaTGA},
      {"tga map depth 12", ed(tMap, [](Bytes& b) { b[7] = 12; }), viaTGA},
      {"tga map past end", ed(tMap, [](Bytes& b) { set16(b, 5, 0xFFFF); }), viaTGA},
      {"tga index past map", ed(tMap, [](Bytes& b) { b.back() = 200; }), viaTGA},
      {"tga index below map", ed(tMap, [](Bytes& b) { b.back() = 0; }), viaTGA},
      {"tga RLE run past end", ed(tRle, [](Bytes& b) { b[18] = 0xFF; }), viaTGA},
      {"tga RLE truncated", ed(tRle, [](Bytes& b) { b.resize(b.size() - 2); }), viaTGA},
      {"ico empty", {}, viaICO},
      {"ico no entries", ed(ico, [](Bytes& b) { set16(b, 4, 0); }), viaICO},
      {"ico type 3", ed(ico, [](Bytes& b) { set16(b, 2, 3); }), viaICO},
      {"ico entries past end", ed(ico, [](Bytes& b) { set16(b, 4, 1000); }), viaICO},
      {"ico offsets past end", ed(ico, [](Bytes& b) { set32(b, 18, 0xFFFFFFF0u); set32(b, 34, 0xFFFFFFF0u); }), viaICO},
      {"ico sizes past end", ed(ico, [](Bytes& b) { set32(b, 14, 0xFFFFFFF0u); set32(b, 30, 0xFFFFFFF0u); }), viaICO},
      {"ico sizes zero", ed(ico, [](Bytes& b) { set32(b, 14, 0); set32(b, 30, 0); }), viaICO},
      {"ico entry width huge", entries([](Bytes& b, size_t at) { set32(b, at + 4, 0x7FFFFFFF); }), viaICO},
      {"ico entry height huge", entries([](Bytes& b, size_t at) { set32(b, at + 8, 0x7FFFFFFE); }), viaICO},
      {"ico entry depth 7", entries([](Bytes& b, size_t at) { set16(b, at + 14, 7); }), viaICO},
      {"ico entry header unknown", entries([](Bytes& b, size_t at) { set32(b, at, 1000); }), viaICO},
      {"ico entry colours past end", entries([](Bytes& b, size_t at) { set32(b, at + 32, 0x10000000); }), viaICO},
      {"ico entry truncated", iconFile({Bytes(dib24.begin(), dib24.begin() + 60)}), viaICO},
      {"ico PNG entry truncated", iconFile({Bytes(png.begin(), png.end() - 30)}), viaICO},
      {"png header only", Bytes(png.begin(), png.begin() + 33), viaAny},
      {"png bad CRC", ed(png, [](Bytes& b) { b[20] ^= 1; }), viaAny},
      {"png huge size", pngChunkEdited(8, [](Bytes& b) { b[16] = b[20] = 0; b[17] = b[21] = 1; b[18] = b[22] = 0x86; }), viaAny},
      {"png width zero", pngChunkEdited(8, [](Bytes& b) { b[19] = 0; }), viaAny},
      {"png bad depth", pngChunkEdited(8, [](Bytes& b) { b[24] = 7; }), viaAny},
      {"jpeg signature only", {0xFF, 0xD8, 0xFF}, viaAny},
      {"jpeg header only", Bytes(jpeg.begin(), jpeg.begin() + 20), viaAny},
      {"jpeg garbage", ed(jpeg, [](Bytes& b) { std::fill(b.begin() + 3, b.end(), 0x5A); }), viaAny},
      {"tiff header only", Bytes(tif.begin(), tif.begin() + 8), viaAny},
      {"tiff directory past end", ed(tif, [](Bytes& b) { set32(b, 4, 0x7FFFFFF0); }), viaAny},
      {"tiff truncated", Bytes(tif.begin(), tif.begin() + tif.size() / 3), viaAny},
      {"unknown format", {'G', 'I', 'F', '8', '9', 'a'}, viaAny},
  };
}

TEST(BrokenFiles, EachFailsCleanly) {
  for (const Broken& c : brokenFiles()) {
    Picture p;
    p.w = 123;
    std::string err;
    EXPECT_FALSE(c.dec(c.file, p, err)) << c.name;
    EXPECT_FALSE(err.empty()) << c.name;
    EXPECT_EQ(p.w, 123) << c.name << ": the picture is left alone";
  }
}

TEST(BrokenFiles, CutShortFilesFailOrGiveTheWholePicture) {
  struct Sample { const char* name; Bytes file; std::vector<uint32_t> cells; Decoder dec; };
  std::vector<Sample> all;
  for (auto s : {samples::Bmp{1, 40}, samples::Bmp{8, 12}, samples::Bmp{16, 40, 3},
                 samples::Bmp{32, 124, 3}, samples::Bmp{8, 40, 1}, samples::Bmp{4, 40, 2}}) {
    Sample x{"bmp", {}, {}, viaBMP};
    x.file = samples::bmp(s, &x.cells);
    all.push_back(x);
  }
  for (auto s : {samples::Tga{1, 8}, samples::Tga{9, 8}, samples::Tga{10, 32}, samples::Tga{2, 16}}) {
    Sample x{"tga", {}, {}, viaTGA};
    x.file = samples::tga(s, &x.cells);
    all.push_back(x);
  }
  Sample ico{"ico", {}, {}, viaICO};
  ico.file = samples::iconFile({samples::iconDIB(4, 9, 5, &ico.cells)});
  all.push_back(ico);
  for (const Sample& s : all)
    for (size_t n = 0; n < s.file.size(); ++n) {
      Bytes cut(s.file.begin(), s.file.begin() + n);
      Picture p;
      std::string err;
      if (s.dec(cut, p, err)) EXPECT_EQ(p.cells, s.cells) << s.name << " cut to " << n;
      else EXPECT_FALSE(err.empty()) << s.name << " cut to " << n;
    }
}

// A TIFF of one strip whose directory then claims w x h.
Bytes tiffClaiming(uint32_t w, uint32_t h, uint16_t compression) {
  const std::string path = testing::TempDir() + "codec_claim.tif";
  TIFF* t = TIFFOpen(path.c_str(), "w");
  EXPECT_TRUE(t);
  if (!t) return {};
  TIFFSetField(t, TIFFTAG_IMAGEWIDTH, 8);
  TIFFSetField(t, TIFFTAG_IMAGELENGTH, 8);
  TIFFSetField(t, TIFFTAG_BITSPERSAMPLE, 8);
  TIFFSetField(t, TIFFTAG_SAMPLESPERPIXEL, 3);
  TIFFSetField(t, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
  TIFFSetField(t, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
  TIFFSetField(t, TIFFTAG_COMPRESSION, compression);
  TIFFSetField(t, TIFFTAG_ROWSPERSTRIP, 8);
  std::vector<uint8_t> row(24, 0x40);
  for (int y = 0; y < 8; ++y) TIFFWriteScanline(t, row.data(), y, 0);
  TIFFClose(t);
  Bytes b = readFile(path);
  std::filesystem::remove(path);
  // Little-endian directory: width (256), length (257) and rows per strip (278).
  const size_t ifd = b[4] | b[5] << 8 | b[6] << 16 | size_t(b[7]) << 24;
  const size_t count = b[ifd] | b[ifd + 1] << 8;
  for (size_t i = 0; i < count; ++i) {
    const size_t e = ifd + 2 + 12 * i;
    const unsigned tag = b[e] | b[e + 1] << 8, type = b[e + 2] | b[e + 3] << 8;
    const uint32_t v = tag == 256 ? w : (tag == 257 || tag == 278) ? h : 0;
    if (!v) continue;
    if (type == 3) samples::set16(b, e + 8, v);
    else samples::set32(b, e + 8, v);
  }
  return b;
}

// The offset of the first marker `code` in a JPEG file.
size_t jpegMarker(const Bytes& b, uint8_t code) {
  for (size_t i = 0; i + 1 < b.size(); ++i)
    if (b[i] == 0xFF && b[i + 1] == code) return i;
  return 0;
}

// Small files whose headers claim a picture of up to a GiB: each fails without ever
// asking for more than its data could fill.
TEST(BrokenFiles, SmallFilesNeverAllocateWhatTheirHeadersClaim) {
  using namespace samples;
  const Bmp rle8{8, 40, 1};
  Bytes png;
  encodePNG(picture(5, 5, false), png, false);
  // 16384 x 16384, cut to 65 bytes: the header and the start of the data.
  Bytes png65 = pngChunkEdited(8, [](Bytes& b) { set32(b, 16, 0); set32(b, 20, 0); b[17] = b[21] = 0x40; });
  png65.resize(65);
  Bytes jpeg;
  encodeJPEG(picture(16, 16, false), jpeg, 80);
  const size_t sof = jpegMarker(jpeg, 0xC0);
  // Height and width (big endian) after the length and the precision.
  Bytes jpegHuge = edited(jpeg, [&](Bytes& b) { b[sof + 5] = b[sof + 7] = 0x3E; b[sof + 6] = b[sof + 8] = 0x80; });
  // Run-length TGA, 16384 x 16384 grey, with 2 MB of stored packets (a small share of it).
  Bytes tgaHuge = tga({11, 8});
  tgaHuge.resize(18);
  set16(tgaHuge, 12, 16384);
  set16(tgaHuge, 14, 16384);
  while (tgaHuge.size() < (size_t(2) << 20)) {
    tgaHuge.push_back(0x7F);
    tgaHuge.insert(tgaHuge.end(), 128, 0x33);
  }
  Bytes rleBmp = bmpPixels(rle8, Bytes(1024, 0));   // end-of-line codes only
  set32(rleBmp, 18, 16384);
  set32(rleBmp, 22, 16384);
  Bytes rleBmpEnd = bmpPixels(rle8, {0, 1});         // ends at once
  set32(rleBmpEnd, 18, 16384);
  set32(rleBmpEnd, 22, 16384);

  struct Case { const char* name; Bytes file; Decoder dec; };
  const Case cases[] = {
      {"1 KB run-length BMP", rleBmp, viaBMP},
      {"run-length BMP ending at once", rleBmpEnd, viaBMP},
      {"65-byte PNG", png65, viaAny},
      {"87-byte ICO", iconFile({png65}), viaICO},
      {"2 MB run-length TGA", tgaHuge, viaTGA},
      {"JPEG data for 16 x 16", jpegHuge, viaAny},
      {"LZW TIFF of one small strip", tiffClaiming(16000, 16000, COMPRESSION_LZW), viaAny},
      {"stored TIFF of one small strip", tiffClaiming(16000, 16000, COMPRESSION_NONE), viaAny},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Picture p;
    std::string err;
    bool ok = true;
    alloc_probe::Ceiling ceiling(size_t(64) << 20);
    EXPECT_NO_THROW(ok = c.dec(c.file, p, err));
    EXPECT_FALSE(ok);
    EXPECT_FALSE(err.empty());
    EXPECT_EQ(ceiling.refused(), 0u) << "largest request " << ceiling.largest();
  }
}

// A legitimate large picture still opens, from every packed format.
TEST(BrokenFiles, LargePackedPicturesStillOpen) {
  Picture big;
  big.w = 3000;
  big.h = 2000;
  big.cells.assign(size_t(big.w) * big.h, 0xFF336699u);
  for (int y = 0; y < big.h; y += 7) big.cells[size_t(y) * big.w + y % big.w] = 0xFF000000u;
  Bytes png, jpeg;
  ASSERT_TRUE(encodePNG(big, png, false));
  ASSERT_TRUE(encodeJPEG(big, jpeg, 90));
  Bytes tgaRle = {0, 0, 11, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xB8, 0x0B, 0xD0, 0x07, 8, 0x20};
  for (size_t left = size_t(big.w) * big.h; left; left -= std::min<size_t>(left, 128)) {
    tgaRle.push_back(uint8_t(0x80 | (std::min<size_t>(left, 128) - 1)));
    tgaRle.push_back(0x99);
  }
  for (const Bytes* f : {&png, &jpeg, &tgaRle}) {
    Picture p;
    std::string err;
    EXPECT_TRUE(decodeAny(*f, p, err, "big.tga")) << err;
    EXPECT_EQ(p.w, big.w);
    EXPECT_EQ(p.h, big.h);
    EXPECT_EQ(p.cells.size(), big.cells.size());
  }
}

// A bit-field channel with no mask bits reads as 0.
TEST(BmpRead, BitFieldChannelWithoutMaskReadsZero) {
  std::vector<uint32_t> cells;
  Bytes b = samples::bmp(samples::Bmp{16, 40, 3}, &cells);
  samples::set32(b, 58, 0);   // green
  Picture p;
  std::string err;
  ASSERT_TRUE(decodeBMP(b.data(), b.size(), p, err)) << err;
  ASSERT_EQ(p.cells.size(), cells.size());
  for (size_t i = 0; i < cells.size(); ++i) EXPECT_EQ(p.cells[i], cells[i] & 0xFFFF00FFu) << i;
}

// Files the fuzzers found, named after their target, and any committed by hand.
TEST(BrokenFiles, FoundFilesReplay) {
  namespace fs = std::filesystem;
  fs::path dir = fs::path(TEST_DATA_DIR) / "codecs";
  if (!fs::exists(dir)) GTEST_SKIP() << "no saved files";
  for (const auto& e : fs::recursive_directory_iterator(dir)) {
    if (!e.is_regular_file()) continue;
    std::string name = e.path().filename().string();
    Bytes b = readFile(e.path().string());
    Picture p;
    std::string err;
    bool ok = name.rfind("bmp", 0) == 0   ? viaBMP(b, p, err)
              : name.rfind("tga", 0) == 0 ? viaTGA(b, p, err)
              : name.rfind("ico", 0) == 0 ? viaICO(b, p, err)
                                          : decodeAny(b, p, err, name);
    if (ok) EXPECT_EQ(p.cells.size(), size_t(p.w) * p.h) << name;
    else EXPECT_FALSE(err.empty()) << name;
  }
}

}  // namespace
