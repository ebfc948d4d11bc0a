// Helpers shared by the codec sources: byte access, failure messages and the DIB
// reader the BMP and icon readers have in common.
#pragma once
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

// A DIB as stored in an icon or cursor entry: info header, colour table, colour rows,
// then the AND mask; the header's height counts both. The result has alpha: from the
// 32-bit cells when any is non-zero, else from the AND mask.
bool decodeIconDIB(const uint8_t* d, size_t n, Picture& out, std::string& err);

}  // namespace tk::codec::detail
