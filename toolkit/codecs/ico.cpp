// Icons and cursors: reads DIB entries (1, 4, 8, 24, 32 bits with their AND mask) and
// PNG entries; writes 32-bit DIB entries with an AND mask, cursors with a hotspot.
#include <algorithm>
#include <cstring>

#include "toolkit/codecs/codec_util.h"

namespace tk::codec {
namespace {
using namespace detail;

const uint8_t PngSig[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

struct Entry {
  const uint8_t* data = nullptr;
  size_t size = 0;
  int64_t w = 0, h = 0;
  int depth = 0;
};

// The directory: false when it does not fit the data.
bool readDirectory(const uint8_t* d, size_t n, std::vector<Entry>* entries, int* count) {
  if (n < 6 || le16(d) != 0 || (le16(d + 2) != 1 && le16(d + 2) != 2)) return false;
  int c = le16(d + 4);
  if (c == 0 || (n - 6) / 16 < size_t(c)) return false;
  *count = c;
  if (!entries) return true;
  for (int i = 0; i < c; ++i) {
    const uint8_t* e = d + 6 + 16 * i;
    uint32_t size = le32(e + 8), off = le32(e + 12);
    Entry en;
    if (size > 0 && off <= n && size <= n - off) {
      en.data = d + off;
      en.size = size;
      // Sizes and depth from the picture itself: the directory's are often wrong.
      if (size >= 24 && std::memcmp(en.data, PngSig, 8) == 0) {
        en.w = std::min<uint32_t>(be32(en.data + 16), 1u << 24);
        en.h = std::min<uint32_t>(be32(en.data + 20), 1u << 24);
        en.depth = 32;
      } else if (size >= 16 && le32(en.data) >= 16) {
        en.w = int32_t(le32(en.data + 4));
        en.h = int32_t(le32(en.data + 8)) / 2;
        en.depth = le16(en.data + 14);
      }
    }
    entries->push_back(en);
  }
  return true;
}

}  // namespace

int countICOEntries(const uint8_t* data, size_t n) {
  int c = 0;
  return readDirectory(data, n, nullptr, &c) ? c : 0;
}

bool decodeICO(const uint8_t* data, size_t n, Picture& out, std::string& err, int index) {
  std::vector<Entry> entries;
  int count = 0;
  if (!readDirectory(data, n, &entries, &count)) return fail(err, "bad icon directory");
  if (index >= count) return fail(err, "no such icon entry");
  if (index < 0) {   // the largest, then the deepest
    for (int i = 0; i < count; ++i) {
      const Entry& e = entries[i];
      if (!e.data) continue;
      if (index < 0) { index = i; continue; }
      const Entry& b = entries[index];
      if (e.w * e.h > b.w * b.h || (e.w * e.h == b.w * b.h && e.depth > b.depth)) index = i;
    }
    if (index < 0) return fail(err, "icon entry past the end");
  }
  const Entry& e = entries[index];
  if (!e.data) return fail(err, "icon entry past the end");
  if (e.size >= 8 && std::memcmp(e.data, PngSig, 8) == 0) return decodePNG(e.data, e.size, out, err);
  return decodeIconDIB(e.data, e.size, out, err);
}

bool encodeICO(const std::vector<Picture>& entries, std::vector<uint8_t>& out, bool cursor,
               int hotX, int hotY) {
  if (entries.empty() || entries.size() > 0xFFFF) return false;
  for (const Picture& p : entries)
    if (!validPicture(p) || p.w > 256 || p.h > 256) return false;
  const size_t base = out.size();
  put16(out, 0);
  put16(out, cursor ? 2 : 1);
  put16(out, uint32_t(entries.size()));
  size_t offset = 6 + 16 * entries.size();
  const Picture& first = entries[0];
  for (const Picture& p : entries) {
    size_t maskStride = size_t((p.w + 31) / 32) * 4;
    size_t size = 40 + size_t(p.w) * p.h * 4 + maskStride * p.h;
    out.push_back(uint8_t(p.w & 0xFF));   // 256 is stored as 0
    out.push_back(uint8_t(p.h & 0xFF));
    out.push_back(0);
    out.push_back(0);
    if (cursor) {   // the hotspot is given for the first entry; others scale it
      put16(out, uint32_t(int64_t(hotX) * p.w / first.w));
      put16(out, uint32_t(int64_t(hotY) * p.h / first.h));
    } else {
      put16(out, 1);
      put16(out, 32);
    }
    put32(out, uint32_t(size));
    put32(out, uint32_t(offset));
    offset += size;
  }
  out.reserve(base + offset);
  for (const Picture& p : entries) {
    const size_t w = p.w, h = p.h, maskStride = ((w + 31) / 32) * 4;
    put32(out, 40);
    put32(out, uint32_t(w));
    put32(out, uint32_t(2 * h));
    put16(out, 1);
    put16(out, 32);
    put32(out, 0);
    put32(out, uint32_t(w * h * 4 + maskStride * h));
    out.insert(out.end(), 16, 0);
    size_t at = out.size();
    out.resize(at + w * h * 4 + maskStride * h);
    uint8_t* dst = out.data() + at;
    uint8_t* mask = dst + w * h * 4;
    for (size_t r = 0; r < h; ++r) {   // bottom-up
      const uint32_t* row = p.cells.data() + (h - 1 - r) * w;
      std::memcpy(dst + r * w * 4, row, w * 4);
      uint8_t* m = mask + r * maskStride;
      for (size_t x = 0; x < w; ++x)
        if ((row[x] >> 24) == 0) m[x >> 3] |= uint8_t(0x80 >> (x & 7));
    }
  }
  return true;
}

}  // namespace tk::codec
