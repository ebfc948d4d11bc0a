// Small valid BMP, TGA and icon files of every kind our readers take, each with the
// cells it decodes to. The fuzz seed corpus and the codec tests are built from these.
#pragma once
#include <cstdint>
#include <cstring>
#include <vector>

#include "toolkit/codecs/codecs.h"

namespace samples {

using Bytes = std::vector<uint8_t>;

inline void put16(Bytes& o, uint32_t v) { o.push_back(uint8_t(v)); o.push_back(uint8_t(v >> 8)); }
inline void put32(Bytes& o, uint32_t v) { put16(o, v & 0xFFFF); put16(o, v >> 16); }
inline void set32(Bytes& o, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) o[at + i] = uint8_t(v >> (8 * i));
}
inline void set16(Bytes& o, size_t at, uint32_t v) { o[at] = uint8_t(v); o[at + 1] = uint8_t(v >> 8); }

inline uint32_t rgb(uint32_t r, uint32_t g, uint32_t b, uint32_t a = 0xFF) {
  return (a << 24) | ((r & 255) << 16) | ((g & 255) << 8) | (b & 255);
}
inline uint32_t paletteColour(int i) { return rgb(i * 37 + 5, i * 91 + 17, i * 13 + 101); }
inline uint32_t expand5(uint32_t v) { return (v << 3) | (v >> 2); }
inline uint32_t expand6(uint32_t v) { return (v << 2) | (v >> 4); }

// A picture with varied cells; alpha varies too when asked, else 0xFF.
inline tk::codec::Picture picture(int w, int h, bool alpha) {
  tk::codec::Picture p;
  p.w = w;
  p.h = h;
  p.hasAlpha = alpha;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      p.cells.push_back(rgb(x * 40 + y, y * 60 + 3, x * 7 + y * 9, alpha ? (x * 50 + y * 31) & 255 : 0xFF));
  return p;
}

struct Bmp {
  int bpp = 24;
  int header = 40;        // 12, 40, 108 or 124
  uint32_t comp = 0;      // 0 none, 1 RLE8, 2 RLE4, 3 bit fields (16: 5-6-5, 32: with alpha)
  bool topDown = false;
  int w = 7, h = 3;
};

inline int bmpIndex(int x, int y, int bpp) { return (x * 3 + y * 5) % (1 << (bpp < 8 ? bpp : 4)); }

// Packs one row of palette indices as RLE8/RLE4: even rows as runs, odd rows stored.
inline void rleRow(Bytes& o, const std::vector<int>& idx, bool eight, bool runs) {
  const int w = int(idx.size());
  if (runs || w < 3) {
    for (int x = 0; x < w;) {
      int k = 1;
      while (x + k < w && idx[x + k] == idx[x] && k < 255) ++k;
      o.push_back(uint8_t(k));
      o.push_back(uint8_t(eight ? idx[x] : idx[x] * 17));
      x += k;
    }
  } else {
    o.push_back(0);
    o.push_back(uint8_t(w));
    size_t bytes = eight ? w : (w + 1) / 2;
    size_t at = o.size();
    o.resize(at + ((bytes + 1) & ~size_t(1)), 0);
    for (int x = 0; x < w; ++x) {
      if (eight) o[at + x] = uint8_t(idx[x]);
      else o[at + x / 2] |= uint8_t(x & 1 ? idx[x] : idx[x] << 4);
    }
  }
  o.push_back(0);   // end of line
  o.push_back(0);
}

// A BMP file; *expect gets its cells, top row first.
inline Bytes bmp(const Bmp& s, std::vector<uint32_t>* expect = nullptr) {
  const int w = s.w, h = s.h, bpp = s.bpp;
  const bool core = s.header == 12;
  const int palCount = bpp <= 8 ? (bpp < 8 || core ? 1 << bpp : 16) : 0;
  const int entry = core ? 3 : 4;
  const bool masksAfter = s.comp == 3 && s.header == 40;
  const bool alphaMask = s.comp == 3 && bpp == 32 && s.header > 40;
  Bytes pix;
  std::vector<uint32_t> cells(size_t(w) * h);
  const size_t stride = ((size_t(w) * bpp + 31) / 32) * 4;
  for (int r = 0; r < h; ++r) {   // file rows
    int y = s.topDown ? r : h - 1 - r;
    Bytes row(stride, 0);
    std::vector<int> idx(w);
    for (int x = 0; x < w; ++x) {
      uint32_t& c = cells[size_t(y) * w + x];
      if (bpp <= 8) {
        idx[x] = bmpIndex(x, y, bpp);
        c = paletteColour(idx[x]);
        int per = 8 / bpp;
        row[x / per] |= uint8_t(idx[x] << (8 - bpp * (x % per + 1)));
      } else if (bpp == 16) {
        uint32_t r5 = (x * 7 + y) & 31, g = (x + y * 5) & (s.comp == 3 ? 63 : 31), b5 = (x * 3) & 31;
        uint32_t v = s.comp == 3 ? (r5 << 11 | g << 5 | b5) : (r5 << 10 | g << 5 | b5);
        c = rgb(expand5(r5), s.comp == 3 ? expand6(g) : expand5(g), expand5(b5));
        row[2 * x] = uint8_t(v);
        row[2 * x + 1] = uint8_t(v >> 8);
      } else {
        c = rgb(x * 40 + y, y * 60 + 3, x * 7 + y * 9, alphaMask ? (x * 50 + y * 31) & 255 : 0xFF);
        uint8_t* q = row.data() + x * (bpp / 8);
        q[0] = uint8_t(c);
        q[1] = uint8_t(c >> 8);
        q[2] = uint8_t(c >> 16);
        if (bpp == 32) q[3] = uint8_t(c >> 24);
      }
    }
    if (s.comp == 1 || s.comp == 2) rleRow(pix, idx, s.comp == 1, r % 2 == 0);
    else pix.insert(pix.end(), row.begin(), row.end());
  }
  if (s.comp == 1 || s.comp == 2) {
    pix.push_back(0);
    pix.push_back(1);
  }
  const size_t tableBytes = size_t(palCount) * entry + (masksAfter ? 12 : 0);
  const uint32_t off = 14 + s.header + uint32_t(tableBytes);
  Bytes o;
  o.push_back('B');
  o.push_back('M');
  put32(o, uint32_t(off + pix.size()));
  put32(o, 0);
  put32(o, off);
  put32(o, s.header);
  if (core) {
    put16(o, w);
    put16(o, h);
    put16(o, 1);
    put16(o, bpp);
  } else {
    put32(o, w);
    put32(o, s.topDown ? uint32_t(-h) : uint32_t(h));
    put16(o, 1);
    put16(o, bpp);
    put32(o, s.comp);
    put32(o, uint32_t(pix.size()));
    put32(o, 2835);
    put32(o, 2835);
    put32(o, bpp <= 8 ? palCount : 0);
    put32(o, 0);
    uint32_t masks[4] = {0, 0, 0, 0};
    if (s.comp == 3 && bpp == 16) { masks[0] = 0xF800; masks[1] = 0x07E0; masks[2] = 0x001F; }
    if (s.comp == 3 && bpp == 32) { masks[0] = 0xFF0000; masks[1] = 0xFF00; masks[2] = 0xFF; masks[3] = 0xFF000000; }
    if (masksAfter) {
      for (int i = 0; i < 3; ++i) put32(o, masks[i]);
    } else if (s.header > 40) {
      for (int i = 0; i < 4; ++i) put32(o, masks[i]);
      o.resize(14 + s.header, 0);
    }
  }
  for (int i = 0; i < palCount; ++i) {
    uint32_t c = paletteColour(i);
    o.push_back(uint8_t(c));
    o.push_back(uint8_t(c >> 8));
    o.push_back(uint8_t(c >> 16));
    if (!core) o.push_back(0);
  }
  o.insert(o.end(), pix.begin(), pix.end());
  if (expect) *expect = cells;
  return o;
}

struct Tga {
  int type = 2;           // 1, 2, 3, 9, 10, 11
  int bpp = 24;           // 8 (types 1, 3), 16, 24, 32
  bool topOrigin = false;
  int w = 6, h = 4;
};

// A TGA file; *expect gets its cells, top row first. Colour-mapped files index a
// 24-bit map whose first entry is numbered 2.
inline Bytes tga(const Tga& s, std::vector<uint32_t>* expect = nullptr) {
  const int w = s.w, h = s.h, kind = s.type & 7, bytes = (s.bpp + 7) / 8;
  const int mapLen = 12, mapFirst = 2;
  std::vector<uint32_t> cells(size_t(w) * h);
  Bytes raw;   // pixels in file order
  for (int r = 0; r < h; ++r) {
    int y = s.topOrigin ? r : h - 1 - r;
    for (int x = 0; x < w; ++x) {
      int v = (x / 2 + y) % mapLen;   // pairs of equal cells give the packer runs
      uint32_t& c = cells[size_t(y) * w + x];
      if (kind == 1) {
        raw.push_back(uint8_t(v + mapFirst));
        c = paletteColour(v);
      } else if (kind == 3) {
        uint8_t g = uint8_t(v * 20);
        raw.push_back(g);
        c = rgb(g, g, g);
      } else if (bytes == 2) {
        uint32_t r5 = v * 2, g5 = v + 3, b5 = 31 - v, a = (x + y) & 1;
        put16(raw, a << 15 | r5 << 10 | g5 << 5 | b5);
        c = rgb(expand5(r5), expand5(g5), expand5(b5), a ? 0xFF : 0);
      } else {
        c = rgb(v * 20, 255 - v * 9, v * 5 + 7, bytes == 4 ? 40 + v * 16 : 0xFF);
        raw.push_back(uint8_t(c));
        raw.push_back(uint8_t(c >> 8));
        raw.push_back(uint8_t(c >> 16));
        if (bytes == 4) raw.push_back(uint8_t(c >> 24));
      }
    }
  }
  Bytes o = {0, uint8_t(kind == 1), uint8_t(s.type)};
  put16(o, kind == 1 ? mapFirst : 0);
  put16(o, kind == 1 ? mapLen : 0);
  o.push_back(kind == 1 ? 24 : 0);
  put16(o, 0);
  put16(o, 0);
  put16(o, w);
  put16(o, h);
  o.push_back(uint8_t(s.bpp));
  o.push_back(uint8_t((s.topOrigin ? 0x20 : 0) | (bytes == 4 ? 8 : bytes == 2 ? 1 : 0)));
  if (kind == 1)
    for (int i = 0; i < mapLen; ++i) {
      uint32_t c = paletteColour(i);
      o.push_back(uint8_t(c));
      o.push_back(uint8_t(c >> 8));
      o.push_back(uint8_t(c >> 16));
    }
  if (s.type < 9) {
    o.insert(o.end(), raw.begin(), raw.end());
  } else {   // runs of equal cells as run packets, the rest as stored packets
    const size_t n = size_t(w) * h;
    auto at = [&](size_t i) { return raw.data() + i * bytes; };
    for (size_t i = 0; i < n;) {
      size_t k = 1;
      while (i + k < n && k < 128 && std::memcmp(at(i), at(i + k), bytes) == 0) ++k;
      if (k > 1) {
        o.push_back(uint8_t(0x80 | (k - 1)));
        o.insert(o.end(), at(i), at(i) + bytes);
      } else {
        while (i + k < n && k < 128 && std::memcmp(at(i + k - 1), at(i + k), bytes) != 0) ++k;
        o.push_back(uint8_t(k - 1));
        o.insert(o.end(), at(i), at(i) + k * bytes);
      }
      i += k;
    }
  }
  if (expect) *expect = cells;
  return o;
}

// An icon entry as a DIB of depth bpp (1, 4, 8, 24 or 32) with its AND mask; the
// mask marks cells with x + y divisible by 3 transparent. *expect: the cells read.
inline Bytes iconDIB(int bpp, int w, int h, std::vector<uint32_t>* expect = nullptr) {
  Bmp s;
  s.bpp = bpp;
  s.w = w;
  s.h = h;
  std::vector<uint32_t> cells;
  Bytes f = bmp(s, &cells);
  Bytes d(f.begin() + 14, f.end());
  set32(d, 8, uint32_t(2 * h));
  size_t maskStride = ((size_t(w) + 31) / 32) * 4;
  for (int r = 0; r < h; ++r) {
    int y = h - 1 - r;
    Bytes m(maskStride, 0);
    for (int x = 0; x < w; ++x) {
      uint32_t& c = cells[size_t(y) * w + x];
      if (bpp == 32) continue;   // 32 bits: alpha from the cells
      if ((x + y) % 3 == 0) {
        m[x / 8] |= uint8_t(0x80 >> (x % 8));
        c &= 0x00FFFFFF;
      }
    }
    d.insert(d.end(), m.begin(), m.end());
  }
  if (bpp == 32) {   // 32-bit sample cells are opaque: give them varied alpha
    size_t stride = size_t(w) * 4, start = d.size() - maskStride * h - stride * h;
    for (int r = 0; r < h; ++r)
      for (int x = 0; x < w; ++x) {
        uint8_t a = uint8_t(x * 30 + r * 7);
        d[start + r * stride + x * 4 + 3] = a;
        uint32_t& c = cells[size_t(h - 1 - r) * w + x];
        c = (c & 0x00FFFFFF) | uint32_t(a) << 24;
      }
  }
  if (expect) *expect = cells;
  return d;
}

// An icon (type 1) or cursor (type 2) file holding the given entries.
inline Bytes iconFile(const std::vector<Bytes>& entries, int type = 1) {
  Bytes o;
  put16(o, 0);
  put16(o, type);
  put16(o, uint32_t(entries.size()));
  uint32_t off = 6 + 16 * uint32_t(entries.size());
  for (const Bytes& e : entries) {
    for (int i = 0; i < 4; ++i) o.push_back(0);   // sizes: the reader takes the entry's own
    put16(o, 1);                  // planes, or the cursor's hotspot x
    put16(o, type == 2 ? 2 : 32); // depth, or the hotspot y
    put32(o, uint32_t(e.size()));
    put32(o, off);
    off += uint32_t(e.size());
  }
  for (const Bytes& e : entries) o.insert(o.end(), e.begin(), e.end());
  return o;
}

}  // namespace samples
