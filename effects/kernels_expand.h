// The expand-areas kernel over a span (see kernels.h): cells brighter (or darker) than a
// fixed threshold push themselves and their eight neighbours one step further, pass after
// pass.
//
// A pass judges every cell on the span as it stood at the start of the pass, and every
// touched cell moves by exactly one step from its own value, however many qualifying
// cells touch it. So a pass is "touched := the 3 x 3 neighbourhood of a qualifying cell;
// touched channels := clamp(value + step)", independent of the order of visits. It runs
// in place, row by row, with the marks of three rows kept aside: a row's marks are taken
// before the row above it is written, so every mark is of the pass's starting values.
#pragma once
#include <cstdint>
#include <cstring>

#include "effects/kernels.h"

namespace fx {

struct ExpandRule {
  int32_t channel = -1;    // -1: the sum of red, green and blue; else the byte (0 blue, 1 green, 2 red)
  int32_t threshold = 0;   // compared strictly with the sum or the channel
  bool bright = true;      // qualifies above the threshold (else below)
  int32_t step = 1;        // +1 or -1
};

// Marks of one row: mark[x + 1] = 1 when one of the cells x - 1, x, x + 1 qualifies.
// `qualify` (width + 2 bytes) is scratch; both rows are padded with a 0 at each end.
inline void ExpandRowMarks(const Cell* row, int32_t width, const ExpandRule& rule, uint8_t* qualify, uint8_t* mark) {
  qualify[0] = 0;
  qualify[width + 1] = 0;
  const int32_t t = rule.threshold;
  if (rule.channel < 0) {
    for (int32_t x = 0; x < width; ++x) {
      const Cell c = row[x];
      const int32_t sum = int32_t(c & 0xFF) + int32_t((c >> 8) & 0xFF) + int32_t((c >> 16) & 0xFF);
      qualify[x + 1] = rule.bright ? sum > t : sum < t;
    }
  } else {
    const uint32_t sh = uint32_t(rule.channel) * 8;
    for (int32_t x = 0; x < width; ++x) {
      const int32_t v = int32_t((row[x] >> sh) & 0xFF);
      qualify[x + 1] = rule.bright ? v > t : v < t;
    }
  }
  mark[0] = 0;
  mark[width + 1] = 0;
  for (int32_t x = 1; x <= width; ++x) mark[x] = qualify[x - 1] | qualify[x] | qualify[x + 1];
}

// One step on the changed channels of the cells whose mark (of this row or the rows above
// and below) is set, each clamped to 0..255; returns true when a byte changed.
inline bool ExpandRowStep(Cell* row, int32_t width, const uint8_t* above, const uint8_t* here, const uint8_t* below,
                          Cell channelOnes, bool up) {
  Cell changed = 0;
  int32_t x = 0;
#if defined(__SSE2__)
  const __m128i ones = _mm_set1_epi32(int32_t(channelOnes)), zero = _mm_setzero_si128();
  __m128i diff = zero;
  for (; x + 4 <= width; x += 4) {
    uint32_t m4, a4, b4;
    std::memcpy(&m4, here + x + 1, 4);
    std::memcpy(&a4, above + x + 1, 4);
    std::memcpy(&b4, below + x + 1, 4);
    // the four mark bytes widened to one lane each, all ones where set
    __m128i m = _mm_cvtsi32_si128(int32_t(m4 | a4 | b4));
    m = _mm_unpacklo_epi16(_mm_unpacklo_epi8(m, zero), zero);
    m = _mm_cmpgt_epi32(m, zero);
    __m128i* p = reinterpret_cast<__m128i*>(row + x);
    const __m128i c = _mm_loadu_si128(p);
    const __m128i delta = _mm_and_si128(m, ones);
    const __m128i n = up ? _mm_adds_epu8(c, delta) : _mm_subs_epu8(c, delta);
    diff = _mm_or_si128(diff, _mm_xor_si128(n, c));
    _mm_storeu_si128(p, n);
  }
  changed = Cell(_mm_movemask_epi8(_mm_cmpeq_epi8(diff, zero)) != 0xFFFF);
#endif
  for (; x < width; ++x) {
    if (!(above[x + 1] | here[x + 1] | below[x + 1])) continue;
    const Cell c = row[x];
    Cell n = c;
    for (uint32_t sh = 0; sh < 24; sh += 8) {
      if (!((channelOnes >> sh) & 1)) continue;
      const int32_t v = int32_t((c >> sh) & 0xFF) + (up ? 1 : -1);
      if (v < 0 || v > 255) continue;
      n = (n & ~(Cell(0xFF) << sh)) | Cell(v) << sh;
    }
    changed |= n ^ c;
    row[x] = n;
  }
  return changed != 0;
}

// One pass over the span; `scratch` holds 4 x (width + 2) bytes. Returns true when a cell
// changed: a pass that changes nothing would change nothing every time after it.
inline bool ExpandPass(const Span& s, const ExpandRule& rule, uint8_t* scratch) {
  if (s.empty()) return false;
  const int32_t w = s.width;
  const size_t n = size_t(w) + 2;
  uint8_t* qualify = scratch;
  uint8_t* rows[3] = {scratch + n, scratch + 2 * n, scratch + 3 * n};   // above, here, below
  const Cell channelOnes = rule.channel < 0 ? 0x010101u : Cell(1) << (8 * rule.channel);
  const bool up = rule.step > 0;
  std::memset(rows[0], 0, n);
  ExpandRowMarks(s.row(0), w, rule, qualify, rows[1]);
  bool changed = false;
  for (int32_t y = 0; y < s.height; ++y) {
    if (y + 1 < s.height) ExpandRowMarks(s.row(y + 1), w, rule, qualify, rows[2]);
    else std::memset(rows[2], 0, n);
    changed |= ExpandRowStep(s.row(y), w, rows[0], rows[1], rows[2], channelOnes, up);
    uint8_t* t = rows[0];
    rows[0] = rows[1];
    rows[1] = rows[2];
    rows[2] = t;
  }
  return changed;
}

}  // namespace fx
