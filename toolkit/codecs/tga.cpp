// TGA reader: colour-mapped, true-colour and grey pictures (types 1, 2, 3), stored or
// run-length packed (9, 10, 11), 8/15/16/24/32 bits, either origin.
#include <algorithm>

#include "toolkit/codecs/codec_util.h"

namespace tk::codec {
namespace {
using namespace detail;

inline uint32_t expand5(uint32_t v) { return (v << 3) | (v >> 2); }

inline uint32_t from16(uint32_t v, bool alpha) {
  uint32_t a = alpha ? ((v & 0x8000) ? 0xFF : 0) : 0xFF;
  return (a << 24) | (expand5((v >> 10) & 31) << 16) | (expand5((v >> 5) & 31) << 8) |
         expand5(v & 31);
}

// count pixels of `bytes` each from d + pos into cells: stored (rle false; the caller
// checked that the data holds them all) or packed, where the cells grow packet by packet.
// Returns false when the data ends early or a run passes the last cell.
template <class Conv>
bool readCells(const uint8_t* d, size_t n, size_t pos, bool rle, size_t bytes,
               std::vector<uint32_t>& cells, size_t count, Conv conv, std::string& err) {
  if (!rle) {
    cells.resize(count);
    uint32_t* dst = cells.data();
    const uint8_t* q = d + pos;
    for (size_t i = 0; i < count; ++i, q += bytes) dst[i] = conv(q);
    return true;
  }
  GrowingCells out(cells, count);
  while (out.size() < count) {
    if (pos >= n) return fail(err, "truncated TGA data");
    unsigned hdr = d[pos++];
    size_t k = (hdr & 0x7F) + 1;
    if (k > count - out.size()) return fail(err, "TGA run past the last cell");
    if (hdr & 0x80) {
      if (n - pos < bytes) return fail(err, "truncated TGA data");
      uint32_t c = conv(d + pos);
      pos += bytes;
      uint32_t* dst = out.extend(k);
      if (!dst) return fail(err, "TGA: out of memory");
      std::fill(dst, dst + k, c);
    } else {
      if ((n - pos) / bytes < k) return fail(err, "truncated TGA data");
      uint32_t* dst = out.extend(k);
      if (!dst) return fail(err, "TGA: out of memory");
      const uint8_t* q = d + pos;
      for (size_t j = 0; j < k; ++j, q += bytes) dst[j] = conv(q);
      pos += k * bytes;
    }
  }
  return true;
}

}  // namespace

bool decodeTGA(const uint8_t* d, size_t n, Picture& out, std::string& err) {
  if (n < 18) return fail(err, "truncated TGA header");
  const unsigned idLen = d[0], cmType = d[1], type = d[2];
  const unsigned cmFirst = le16(d + 3), cmLen = le16(d + 5), cmBits = d[7];
  const int64_t w = le16(d + 12), h = le16(d + 14);
  const unsigned bpp = d[16], desc = d[17];
  const unsigned kind = type & 7;
  const bool rle = type & 8;
  if ((type & ~8u) != kind || kind < 1 || kind > 3 || cmType > 1)
    return fail(err, "unsupported TGA type");
  if (w == 0 || h == 0) return fail(err, "TGA has no cells");
  if (w * h > MaxCells) return fail(err, "TGA too large");
  size_t pos = 18 + idLen;
  if (pos > n) return fail(err, "truncated TGA header");

  std::vector<uint32_t> pal;
  bool palAlpha = false;
  if (cmType == 1) {
    size_t eb = cmBits == 15 || cmBits == 16 ? 2 : cmBits == 24 ? 3 : cmBits == 32 ? 4 : 0;
    if (!eb) return fail(err, "unsupported TGA colour map");
    if ((n - pos) / eb < cmLen) return fail(err, "truncated TGA colour map");
    pal.resize(cmLen);
    for (size_t i = 0; i < cmLen; ++i) {
      const uint8_t* e = d + pos + i * eb;
      if (eb == 2) pal[i] = from16(le16(e), false);
      else pal[i] = (eb == 4 ? uint32_t(e[3]) << 24 : 0xFF000000u) | (uint32_t(e[2]) << 16) |
                    (uint32_t(e[1]) << 8) | e[0];
    }
    palAlpha = eb == 4;
    pos += size_t(cmLen) * eb;
  }
  if (kind == 1 && (cmType != 1 || (bpp != 8 && bpp != 16)))
    return fail(err, "bad TGA colour-mapped picture");
  if (kind == 2 && bpp != 15 && bpp != 16 && bpp != 24 && bpp != 32)
    return fail(err, "unsupported TGA depth");
  if (kind == 3 && bpp != 8 && bpp != 16) return fail(err, "unsupported TGA grey depth");

  const size_t bytes = (bpp + 7) / 8, count = size_t(w) * size_t(h);
  const size_t avail = n - pos;
  // A packet of 1 + bytes yields at most 128 cells: the data bounds the picture.
  if (rle ? count / 128 > avail : count > avail / bytes) return fail(err, "truncated TGA data");

  Picture p;
  p.w = int(w);
  p.h = int(h);
  std::vector<uint32_t>& dst = p.cells;
  const unsigned alphaBits = desc & 15;
  bool ok = false, alphaCells = false;
  if (kind == 1) {
    unsigned bad = 0;
    const uint32_t* table = pal.data();
    const size_t len = pal.size();
    auto look = [&](size_t v) {
      size_t i = v - cmFirst;   // wraps when below the first entry
      bad |= i >= len;
      return i < len ? table[i] : 0u;
    };
    if (bytes == 1) ok = readCells(d, n, pos, rle, 1, dst, count, [&](const uint8_t* q) { return look(q[0]); }, err);
    else ok = readCells(d, n, pos, rle, 2, dst, count, [&](const uint8_t* q) { return look(le16(q)); }, err);
    if (ok && bad) return fail(err, "TGA colour index out of range");
    alphaCells = palAlpha;
  } else if (kind == 3) {
    if (bytes == 1)
      ok = readCells(d, n, pos, rle, 1, dst, count, [](const uint8_t* q) {
        return 0xFF000000u | q[0] * 0x010101u; }, err);
    else
      ok = readCells(d, n, pos, rle, 2, dst, count, [](const uint8_t* q) {
        return (uint32_t(q[1]) << 24) | q[0] * 0x010101u; }, err);
    alphaCells = bytes == 2;
  } else if (bytes == 2) {
    bool a = alphaBits >= 1;
    ok = readCells(d, n, pos, rle, 2, dst, count, [a](const uint8_t* q) { return from16(le16(q), a); }, err);
    alphaCells = a;
  } else if (bytes == 3) {
    ok = readCells(d, n, pos, rle, 3, dst, count, [](const uint8_t* q) {
      return 0xFF000000u | (uint32_t(q[2]) << 16) | (uint32_t(q[1]) << 8) | q[0]; }, err);
  } else {
    ok = readCells(d, n, pos, rle, 4, dst, count, [](const uint8_t* q) { return le32(q); }, err);
    alphaCells = true;
  }
  if (!ok) return false;
  uint32_t* cells = p.cells.data();
  if (alphaCells) {
    // Some writers leave the alpha bytes zero: such a picture is opaque.
    p.hasAlpha = std::any_of(p.cells.begin(), p.cells.end(), [](uint32_t c) { return c >> 24; });
    if (!p.hasAlpha)
      for (uint32_t& c : p.cells) c |= 0xFF000000u;
  }
  if (!(desc & 0x20))   // bottom-up rows
    for (int64_t y = 0; y < h / 2; ++y)
      std::swap_ranges(cells + y * w, cells + (y + 1) * w, cells + (h - 1 - y) * w);
  if (desc & 0x10)      // right to left
    for (int64_t y = 0; y < h; ++y) std::reverse(cells + y * w, cells + (y + 1) * w);
  out = std::move(p);
  return true;
}

}  // namespace tk::codec
