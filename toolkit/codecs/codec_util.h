// Helpers shared by the codec sources: byte access, failure messages and the DIB
// reader the BMP and icon readers have in common.
#pragma once
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "toolkit/codecs/codecs.h"

namespace tk::codec::detail {

inline bool fail(std::string& err, const char* msg) {
  err = msg;
  return false;
}

inline uint16_t le16(const uint8_t* p) { return uint16_t(p[0] | (p[1] << 8)); }
inline uint32_t le32(const uint8_t* p) {
  return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}
inline uint32_t be32(const uint8_t* p) {
  return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | uint32_t(p[3]);
}
inline void put16(std::vector<uint8_t>& o, uint32_t v) {
  o.push_back(uint8_t(v));
  o.push_back(uint8_t(v >> 8));
}
inline void put32(std::vector<uint8_t>& o, uint32_t v) {
  put16(o, v & 0xFFFF);
  put16(o, v >> 16);
}

// w*h cells, both positive and within MaxCells.
inline bool sizeOk(int64_t w, int64_t h) { return w > 0 && h > 0 && w * h <= MaxCells; }
inline bool validPicture(const Picture& p) {
  return sizeOk(p.w, p.h) && p.cells.size() == size_t(p.w) * size_t(p.h);
}

// Pictures that must be allocated whole before their data is read (interlaced PNG,
// TIFF): at most this many cells per byte of the file, beyond a free allowance. Flat
// pictures packed harder than that are broken or hostile in practice.
constexpr uint64_t kWholeCellsPerByte = 1024;
constexpr uint64_t kWholeFreeCells = uint64_t(1) << 24;
inline bool wholeFits(uint64_t w, uint64_t h, uint64_t bytes) {
  return w * h <= kWholeCellsPerByte * bytes + kWholeFreeCells;
}

// The cells of a picture being decoded, grown with the cells actually decoded: the
// storage doubles from a small start and never passes the whole picture, so a broken
// file that ends early fails after an allocation in proportion to what it held, not to
// what its header claimed.
class GrowingCells {
 public:
  GrowingCells(std::vector<uint32_t>& cells, size_t total) : v_(cells), total_(total) { v_.clear(); }
  size_t size() const { return v_.size(); }
  // Room for the next n cells (not past the total); nullptr when out of memory or past
  // the end. The pointer is valid until the next call.
  // The picture will hold `cells` cells, read from `bytes` bytes of data: when the data
  // could fill them (wholeFits), the storage is taken at once instead of by doubling.
  void expect(uint64_t cells, uint64_t bytes) noexcept {
    if (cells > total_ || !wholeFits(cells, 1, bytes)) return;
    try {
      v_.reserve(size_t(cells));
    } catch (...) {
    }
  }
  // Drops cells extended but not filled (never grows).
  void shrinkTo(size_t n) noexcept {
    if (n < v_.size()) v_.resize(n);
  }
  uint32_t* extend(size_t n) noexcept {
    const size_t at = v_.size();
    if (n > total_ - at) return nullptr;
    try {
      if (at + n > v_.capacity()) {
        size_t cap = std::max<size_t>({at + n, v_.capacity() * 2, size_t(1) << 16});
        v_.reserve(std::min(cap, total_));
      }
      v_.resize(at + n);
    } catch (...) {
      return nullptr;
    }
    return v_.data() + at;
  }

 private:
  std::vector<uint32_t>& v_;
  size_t total_;
};

// A DIB as stored in an icon or cursor entry: info header, colour table, colour rows,
// then the AND mask; the header's height counts both. The result has alpha: from the
// 32-bit cells when any is non-zero, else from the AND mask.
bool decodeIconDIB(const uint8_t* d, size_t n, Picture& out, std::string& err);

}  // namespace tk::codec::detail
