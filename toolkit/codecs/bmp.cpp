// BMP: reads 1, 4, 8, 16, 24 and 32 bits (core, info, V4 and V5 headers; bottom-up and
// top-down; RLE4, RLE8 and bit fields), writes 24 and 32 bits. The DIB part also reads
// the pictures inside icons and cursors.
#include <algorithm>
#include <bit>
#include <cstring>

#include "toolkit/codecs/codec_util.h"

namespace tk::codec {
namespace {
using namespace detail;

// Run-length pictures: cells allowed per byte of pixel data, plus a free allowance.
constexpr uint64_t kRleCellsPerByte = 256;
constexpr uint64_t kRleFreeCells = uint64_t(1) << 20;

enum : uint32_t { BiRGB = 0, BiRLE8 = 1, BiRLE4 = 2, BiBitfields = 3, BiAlphaBitfields = 6 };

// One colour channel of a bit-field pixel, scaled to 8 bits.
struct Channel {
  uint32_t mask = 0;
  int shift = 0, width = 0;
  uint8_t table[256] = {};   // a channel without mask bits reads table[0]: 0
  void set(uint32_t m) {
    mask = m;
    if (!m) { shift = width = 0; return; }
    shift = std::countr_zero(m);
    width = 32 - std::countl_zero(m >> shift);   // value never exceeds 2^width - 1
    if (width <= 8) {
      // Bit replication: 5 bits abcde give abcdeabc.
      for (uint32_t v = 0; v < (1u << width); ++v) {
        uint32_t x = 0;
        for (int s = 8 - width; s > -width; s -= width) x |= s >= 0 ? v << s : v >> -s;
        table[v] = uint8_t(x);
      }
    }
  }
  uint32_t get(uint32_t px) const {
    uint32_t v = (px & mask) >> shift;
    return width <= 8 ? table[v] : (v >> (width - 8)) & 0xFF;
  }
};

struct Dib {
  int64_t w = 0, h = 0;
  bool topDown = false;
  int bpp = 0;
  uint32_t comp = BiRGB;
  uint32_t masks[4] = {0, 0, 0, 0};   // red, green, blue, alpha
  uint32_t palette[256] = {};
  int palCount = 0;
  size_t tableEnd = 0;                // offset past header, masks and colour table
};

// Parses the header at d (n bytes to the end of the data). icon: the height counts
// the AND mask rows too.
bool parseHeader(const uint8_t* d, size_t n, bool icon, Dib& b, std::string& err) {
  if (n < 4) return fail(err, "truncated BMP header");
  uint32_t hs = le32(d);
  if (hs != 12 && hs != 40 && hs != 52 && hs != 56 && hs != 108 && hs != 124)
    return fail(err, "unsupported BMP header");
  if (hs > n) return fail(err, "truncated BMP header");
  uint64_t clrUsed = 0;
  int entry = 4;
  if (hs == 12) {
    b.w = le16(d + 4);
    b.h = le16(d + 6);
    b.bpp = le16(d + 10);
    entry = 3;
  } else {
    b.w = int32_t(le32(d + 4));
    b.h = int32_t(le32(d + 8));
    b.bpp = le16(d + 14);
    b.comp = le32(d + 16);
    clrUsed = le32(d + 32);
  }
  if (b.h < 0) {
    b.topDown = true;
    b.h = -b.h;
  }
  if (icon) b.h /= 2;
  if (b.w <= 0 || b.h <= 0) return fail(err, "BMP has no cells");
  if (b.w * b.h > MaxCells) return fail(err, "BMP too large");
  int bpp = b.bpp;
  if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32)
    return fail(err, "unsupported BMP depth");
  switch (b.comp) {
    case BiRGB: break;
    case BiRLE8: if (bpp != 8) return fail(err, "RLE8 needs 8 bits"); break;
    case BiRLE4: if (bpp != 4) return fail(err, "RLE4 needs 4 bits"); break;
    case BiBitfields:
    case BiAlphaBitfields:
      if (bpp != 16 && bpp != 32) return fail(err, "bit fields need 16 or 32 bits");
      break;
    default: return fail(err, "unsupported BMP compression");
  }
  size_t pos = hs;
  if (b.comp == BiBitfields || b.comp == BiAlphaBitfields) {
    int count = b.comp == BiAlphaBitfields ? 4 : 3;
    if (hs >= 52) {
      for (int i = 0; i < 3; ++i) b.masks[i] = le32(d + 40 + 4 * i);
      if (hs >= 56) b.masks[3] = le32(d + 52);
    } else {   // the masks follow a 40-byte header
      if (n - pos < size_t(4 * count)) return fail(err, "truncated BMP masks");
      for (int i = 0; i < count; ++i) b.masks[i] = le32(d + pos + 4 * i);
      pos += 4 * count;
    }
    if (!b.masks[0] && !b.masks[1] && !b.masks[2]) return fail(err, "BMP bit fields are empty");
  } else if (bpp == 16) {
    b.masks[0] = 0x7C00; b.masks[1] = 0x03E0; b.masks[2] = 0x001F;
  }
  uint64_t entries = clrUsed ? clrUsed : (bpp <= 8 ? (1u << bpp) : 0);
  if (hs == 12 && bpp <= 8) entries = 1u << bpp;
  if (entries > (n - pos) / entry) return fail(err, "truncated BMP colour table");
  if (bpp <= 8) {
    b.palCount = int(std::min<uint64_t>(entries, 1u << bpp));
    for (int i = 0; i < b.palCount; ++i) {
      const uint8_t* e = d + pos + size_t(i) * entry;
      b.palette[i] = 0xFF000000u | (uint32_t(e[2]) << 16) | (uint32_t(e[1]) << 8) | e[0];
    }
  }
  b.tableEnd = pos + size_t(entries) * entry;
  return true;
}

inline uint32_t* rowOf(Picture& out, const Dib& b, int64_t fileRow) {
  int64_t y = b.topDown ? fileRow : b.h - 1 - fileRow;
  return out.cells.data() + size_t(y) * size_t(b.w);
}

// RLE4 / RLE8 pixel data. Cells it skips stay opaque black.
bool decodeRLE(const uint8_t* s, size_t n, const Dib& b, Picture& out, std::string& err) {
  std::fill(out.cells.begin(), out.cells.end(), 0xFF000000u);
  const bool eight = b.comp == BiRLE8;
  const int64_t w = b.w, h = b.h;
  int64_t x = 0, y = 0;
  size_t p = 0;
  unsigned bad = 0;   // a palette index past the table
  for (;;) {
    if (n - p < 2) {
      if (y >= h) break;
      return fail(err, "truncated RLE data");
    }
    unsigned c = s[p], v = s[p + 1];
    p += 2;
    if (c) {
      if (y >= h || x + c > w) return fail(err, "RLE run past the row");
      uint32_t* row = rowOf(out, b, y) + x;
      if (eight) {
        bad |= v >= unsigned(b.palCount);
        uint32_t col = b.palette[v & 0xFF];
        for (unsigned i = 0; i < c; ++i) row[i] = col;
      } else {
        unsigned hi = v >> 4, lo = v & 15;
        bad |= hi >= unsigned(b.palCount) || lo >= unsigned(b.palCount);
        uint32_t cols[2] = {b.palette[hi], b.palette[lo]};
        for (unsigned i = 0; i < c; ++i) row[i] = cols[i & 1];
      }
      x += c;
    } else if (v == 0) {   // end of line
      x = 0;
      ++y;
    } else if (v == 1) {   // end of picture
      break;
    } else if (v == 2) {   // move
      if (n - p < 2) return fail(err, "truncated RLE data");
      x += s[p];
      y += s[p + 1];
      p += 2;
      if (x > w || y > h) return fail(err, "RLE move past the picture");
    } else {               // v cells stored as they are, padded to 16 bits
      size_t bytes = eight ? v : (v + 1) / 2;
      size_t padded = (bytes + 1) & ~size_t(1);
      if (n - p < padded) return fail(err, "truncated RLE data");
      if (y >= h || x + v > w) return fail(err, "RLE run past the row");
      uint32_t* row = rowOf(out, b, y) + x;
      const uint8_t* q = s + p;
      for (unsigned i = 0; i < v; ++i) {
        unsigned idx = eight ? q[i] : (i & 1 ? q[i / 2] & 15 : q[i / 2] >> 4);
        bad |= idx >= unsigned(b.palCount);
        row[i] = b.palette[idx & 0xFF];
      }
      x += v;
      p += padded;
    }
  }
  if (bad) return fail(err, "BMP palette index out of range");
  return true;
}

// Uncompressed rows from s (at least stride * h bytes).
bool decodeRows(const uint8_t* s, size_t stride, const Dib& b, Picture& out, std::string& err) {
  const int64_t w = b.w;
  unsigned bad = 0;
  if (b.bpp <= 8) {
    const int bpp = b.bpp, perByte = 8 / bpp;
    const unsigned maskBits = (1u << bpp) - 1;
    const unsigned limit = unsigned(b.palCount);
    for (int64_t r = 0; r < b.h; ++r) {
      const uint8_t* q = s + size_t(r) * stride;
      uint32_t* row = rowOf(out, b, r);
      if (bpp == 8) {
        for (int64_t x = 0; x < w; ++x) {
          unsigned idx = q[x];
          bad |= idx >= limit;
          row[x] = b.palette[idx];
        }
      } else {
        for (int64_t x = 0; x < w; ++x) {
          int sh = 8 - bpp * int(x % perByte + 1);
          unsigned idx = (q[x / perByte] >> sh) & maskBits;
          bad |= idx >= limit;
          row[x] = b.palette[idx];
        }
      }
    }
    if (bad) return fail(err, "BMP palette index out of range");
    return true;
  }
  if (b.bpp == 24) {
    for (int64_t r = 0; r < b.h; ++r) {
      const uint8_t* q = s + size_t(r) * stride;
      uint32_t* row = rowOf(out, b, r);
      for (int64_t x = 0; x < w; ++x, q += 3)
        row[x] = 0xFF000000u | (uint32_t(q[2]) << 16) | (uint32_t(q[1]) << 8) | q[0];
    }
    return true;
  }
  const bool standard32 = b.bpp == 32 && (b.comp == BiRGB || (b.masks[0] == 0xFF0000 &&
                          b.masks[1] == 0xFF00 && b.masks[2] == 0xFF &&
                          (b.masks[3] == 0 || b.masks[3] == 0xFF000000u)));
  if (standard32) {
    for (int64_t r = 0; r < b.h; ++r) std::memcpy(rowOf(out, b, r), s + size_t(r) * stride, w * 4);
    if (b.comp != BiRGB && b.masks[3] == 0)
      for (uint32_t& c : out.cells) c |= 0xFF000000u;
    return true;
  }
  Channel ch[4];
  for (int i = 0; i < 4; ++i) ch[i].set(b.masks[i]);
  const bool alpha = b.masks[3] != 0;
  for (int64_t r = 0; r < b.h; ++r) {
    const uint8_t* q = s + size_t(r) * stride;
    uint32_t* row = rowOf(out, b, r);
    for (int64_t x = 0; x < w; ++x) {
      uint32_t px = b.bpp == 16 ? le16(q + 2 * x) : le32(q + 4 * x);
      uint32_t a = alpha ? ch[3].get(px) : 0xFF;
      row[x] = (a << 24) | (ch[0].get(px) << 16) | (ch[1].get(px) << 8) | ch[2].get(px);
    }
  }
  return true;
}

bool allAlphaZero(const Picture& p) {
  for (uint32_t c : p.cells)
    if (c >> 24) return false;
  return true;
}

// Header at d; pixel data at d + bitsOff; n bytes from d to the end of the data.
bool decodeDib(const uint8_t* d, size_t n, size_t bitsOff, bool fromFile, bool icon,
               Picture& out, std::string& err) {
  Dib b;
  if (!parseHeader(d, n, icon, b, err)) return false;
  if (!fromFile) bitsOff = b.tableEnd;
  if (bitsOff > n) return fail(err, "BMP pixel offset past the end");
  const uint8_t* s = d + bitsOff;
  size_t avail = n - bitsOff;
  size_t stride = size_t((b.w * b.bpp + 31) / 32) * 4;
  bool rle = b.comp == BiRLE4 || b.comp == BiRLE8;
  // Stored rows must all be in the data before the picture is made. Run-length data
  // paints at most 255 cells a 2-byte code; what its skips leave is bounded too, so a
  // header far larger than its data is a broken file, not a reason to allocate.
  if (!rle && uint64_t(stride) * uint64_t(b.h) > avail) return fail(err, "truncated BMP pixels");
  if (rle && uint64_t(b.w) * uint64_t(b.h) > kRleCellsPerByte * uint64_t(avail) + kRleFreeCells)
    return fail(err, "RLE data too short for the BMP size");
  Picture p;
  p.w = int(b.w);
  p.h = int(b.h);
  p.cells.resize(size_t(b.w) * size_t(b.h));
  if (rle ? !decodeRLE(s, avail, b, p, err) : !decodeRows(s, stride, b, p, err)) return false;
  if (icon) {
    p.hasAlpha = true;
    if (b.bpp != 32 || allAlphaZero(p)) {
      for (uint32_t& c : p.cells) c |= 0xFF000000u;
      size_t maskStride = size_t((b.w + 31) / 32) * 4;
      size_t maskOff = stride * size_t(b.h);
      if (!rle && avail - maskOff >= maskStride * size_t(b.h)) {   // else opaque
        for (int64_t r = 0; r < b.h; ++r) {
          const uint8_t* q = s + maskOff + size_t(r) * maskStride;
          uint32_t* row = rowOf(p, b, r);
          for (int64_t x = 0; x < b.w; ++x)
            if ((q[x >> 3] >> (7 - (x & 7))) & 1) row[x] &= 0x00FFFFFFu;
        }
      }
    }
  } else if (b.bpp == 32 && b.comp == BiRGB) {
    // The fourth byte is alpha or a flag byte; all zero means the writer left it unused.
    p.hasAlpha = !allAlphaZero(p);
    if (!p.hasAlpha)
      for (uint32_t& c : p.cells) c |= 0xFF000000u;
  } else {
    p.hasAlpha = b.masks[3] != 0 && (b.bpp == 16 || b.bpp == 32) && b.comp != BiRGB;
  }
  out = std::move(p);
  return true;
}

}  // namespace

bool detail::decodeIconDIB(const uint8_t* d, size_t n, Picture& out, std::string& err) {
  return decodeDib(d, n, 0, false, true, out, err);
}

bool decodeBMP(const uint8_t* data, size_t n, Picture& out, std::string& err) {
  if (n < 18 || data[0] != 'B' || data[1] != 'M') return fail(err, "not a BMP file");
  uint32_t off = le32(data + 10);
  uint32_t hs = le32(data + 14);
  if (off < 14 || off - 14 < std::min<uint32_t>(hs, 40)) return fail(err, "bad BMP pixel offset");
  return decodeDib(data + 14, n - 14, off - 14, true, false, out, err);
}

bool encodeBMP(const Picture& p, std::vector<uint8_t>& out, int bmpDepth) {
  if (!validPicture(p) || (bmpDepth != 24 && bmpDepth != 32)) return false;
  const size_t w = p.w, h = p.h;
  const size_t stride = bmpDepth == 32 ? w * 4 : (w * 3 + 3) & ~size_t(3);
  const uint32_t hs = bmpDepth == 32 ? 124 : 40;   // V5 header: carries the alpha mask
  const uint64_t bits = uint64_t(stride) * h, total = 14 + hs + bits;
  if (total > 0xFFFFFFFFu) return false;
  size_t base = out.size();
  out.reserve(base + total);
  out.push_back('B');
  out.push_back('M');
  put32(out, uint32_t(total));
  put32(out, 0);
  put32(out, 14 + hs);
  put32(out, hs);
  put32(out, uint32_t(w));
  put32(out, uint32_t(h));   // bottom-up
  put16(out, 1);
  put16(out, bmpDepth);
  put32(out, bmpDepth == 32 ? BiBitfields : BiRGB);
  put32(out, uint32_t(bits));
  put32(out, 2835);   // 72 dpi
  put32(out, 2835);
  put32(out, 0);
  put32(out, 0);
  if (bmpDepth == 32) {
    put32(out, 0x00FF0000);
    put32(out, 0x0000FF00);
    put32(out, 0x000000FF);
    put32(out, 0xFF000000);
    put32(out, 0x73524742);   // 'sRGB'
    out.insert(out.end(), 48, 0);   // end points and gamma
    put32(out, 4);            // rendering intent: pictures
    out.insert(out.end(), 12, 0);   // no profile
  }
  out.resize(base + total);
  uint8_t* dst = out.data() + base + 14 + hs;
  for (size_t r = 0; r < h; ++r, dst += stride) {
    const uint32_t* row = p.cells.data() + (h - 1 - r) * w;
    if (bmpDepth == 32) {
      std::memcpy(dst, row, w * 4);
    } else {
      uint8_t* q = dst;
      for (size_t x = 0; x < w; ++x, q += 3) {
        uint32_t c = row[x];
        q[0] = uint8_t(c);
        q[1] = uint8_t(c >> 8);
        q[2] = uint8_t(c >> 16);
      }
    }
  }
  return true;
}

}  // namespace tk::codec
