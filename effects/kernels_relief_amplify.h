// Kernels of the relief and amplify families over spans (see kernels.h).
//
// Relief: every cell that has its three neighbours of the light direction inside the span
// becomes D = 3 M - (N1 + N2 + N3) per channel, M its own channel byte and N1..N3 those of
// the neighbours, all unsigned. The neighbours are the cell beside it (dx), the cell above
// or below it (dy) and the diagonal one between them:
//   direction 0: dx +1, dy +1    direction 1: dx -1, dy +1
//   direction 2: dx -1, dy -1    direction 3: dx +1, dy -1
// The column and the row the neighbours run out of get a fixed colour instead.
//
// The result is built in place: rows are taken in the order that leaves every neighbour
// row unchanged until it is no longer needed (top to bottom when the neighbours lie
// below, bottom to top when above), and each row is computed into a row buffer before it
// is written back, so every D reads the cells as they were before the run.
//
// Amplify: cells beyond a threshold (on the sum of the three channels or on one channel)
// move by a signed change, clamped to 0..255. Each cell is judged from its own value
// only, so one pass in place gives what a copy would.
#pragma once
#include <cstdint>
#include <cstring>

#include "effects/kernels.h"

namespace fx {

struct ReliefStyle {
  bool normal = false;     // one grey value from dR + dG + dB instead of one value per channel
  bool bright = false;     // clamped to -128..127 (plus the bias) instead of 0..255
  int32_t brightBias = 0;  // added to a bright value before its low 8 bits are stored
  bool keepFlags = false;  // false: every flag byte of the span becomes 0
};

inline int32_t ReliefDx(int32_t direction) { return direction == 0 || direction == 3 ? 1 : -1; }
inline int32_t ReliefDy(int32_t direction) { return direction == 0 || direction == 1 ? 1 : -1; }

// The colour bytes of one computed cell.
inline Cell ReliefColour(Cell m, Cell a, Cell b, Cell c, const ReliefStyle& st) {
  auto d = [&](uint32_t shift) {
    auto ch = [shift](Cell x) { return int32_t((x >> shift) & 0xFF); };
    return 3 * ch(m) - ch(a) - ch(b) - ch(c);
  };
  auto store = [&st](int32_t v) {
    if (st.bright) return (std::clamp(v, -128, 127) + st.brightBias) & 0xFF;
    return std::clamp(v, 0, 255);
  };
  if (st.normal) return GreyBytes(uint32_t(store(d(16) + d(8) + d(0))));
  return ColourBytes(store(d(16)), store(d(8)), store(d(0)));
}

// out[i] := the relief of m[i] against a[i], b[i], c[i] (beside, above or below, diagonal),
// with m[i]'s flag or 0.
inline void ReliefRow(const Cell* m, const Cell* a, const Cell* b, const Cell* c, int32_t n, const ReliefStyle& st,
                      Cell* out) {
  const Cell flagKeep = st.keepFlags ? FlagMask : 0u;
  int32_t i = 0;
#if defined(__SSE2__)
  const __m128i zero = _mm_setzero_si128();
  const __m128i colourLanes = _mm_set1_epi32(int32_t(ColourMask)), flagLanes = _mm_set1_epi32(int32_t(flagKeep));
  const __m128i bias = _mm_set1_epi8(char(st.brightBias));
  // four int16 lanes per cell: blue, green, red, flag; the flag lane is left out of sums
  const __m128i noFlag = _mm_set_epi16(0, -1, -1, -1, 0, -1, -1, -1);
  auto diff = [&](__m128i mm, __m128i aa, __m128i bb, __m128i cc, bool high) {
    auto widen = [&](__m128i v) { return high ? _mm_unpackhi_epi8(v, zero) : _mm_unpacklo_epi8(v, zero); };
    const __m128i wm = widen(mm);
    const __m128i three = _mm_add_epi16(wm, _mm_add_epi16(wm, wm));
    return _mm_sub_epi16(three, _mm_add_epi16(widen(aa), _mm_add_epi16(widen(bb), widen(cc))));
  };
  // dR + dG + dB of each cell into all four of its lanes (-2295..2295 fits 16 bits)
  auto cellSums = [&](__m128i d) {
    d = _mm_and_si128(d, noFlag);
    const __m128i s1 = _mm_add_epi16(d, _mm_srli_epi64(d, 16));
    const __m128i s2 = _mm_add_epi16(s1, _mm_srli_epi64(s1, 32));
    return _mm_shufflehi_epi16(_mm_shufflelo_epi16(s2, 0), 0);
  };
  for (; i + 4 <= n; i += 4) {
    const __m128i mm = _mm_loadu_si128(reinterpret_cast<const __m128i*>(m + i));
    const __m128i aa = _mm_loadu_si128(reinterpret_cast<const __m128i*>(a + i));
    const __m128i bb = _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + i));
    const __m128i cc = _mm_loadu_si128(reinterpret_cast<const __m128i*>(c + i));
    __m128i lo = diff(mm, aa, bb, cc, false), hi = diff(mm, aa, bb, cc, true);
    if (st.normal) {
      lo = cellSums(lo);
      hi = cellSums(hi);
    }
    // the packs saturate exactly as the clamps do
    const __m128i r = st.bright ? _mm_add_epi8(_mm_packs_epi16(lo, hi), bias) : _mm_packus_epi16(lo, hi);
    const __m128i cell = _mm_or_si128(_mm_and_si128(r, colourLanes), _mm_and_si128(mm, flagLanes));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), cell);
  }
#endif
  for (; i < n; ++i) out[i] = ReliefColour(m[i], a[i], b[i], c[i], st) | (m[i] & flagKeep);
}

// The whole relief of a span in direction 0..3; `rowBuffer` holds at least width cells.
// The left-out column and row become 127 grey in the bright styles, black otherwise.
inline void ReliefCells(const Span& s, int32_t direction, const ReliefStyle& st, Cell* rowBuffer) {
  if (s.empty()) return;
  const int32_t dx = ReliefDx(direction), dy = ReliefDy(direction);
  const int32_t n = s.width - 1, x0 = dx > 0 ? 0 : 1;
  if (n >= 1) {
    for (int32_t k = 0; k + 1 < s.height; ++k) {
      const int32_t y = dy > 0 ? k : s.height - 1 - k;
      Cell* row = s.row(y);
      const Cell* next = s.row(y + dy);
      ReliefRow(row + x0, row + x0 + dx, next + x0, next + x0 + dx, n, st, rowBuffer);
      std::memcpy(row + x0, rowBuffer, size_t(n) * sizeof(Cell));
    }
  }
  const Cell fill = st.bright ? GreyBytes(127) : 0u;
  const Cell flagKeep = st.keepFlags ? FlagMask : 0u;
  const int32_t edgeX = dx > 0 ? s.width - 1 : 0, edgeY = dy > 0 ? s.height - 1 : 0;
  for (int32_t y = 0; y < s.height; ++y) {
    Cell& e = s.at(edgeX, y);
    e = (e & flagKeep) | fill;
  }
  Cell* edgeRow = s.row(edgeY);
  for (int32_t x = 0; x < s.width; ++x) edgeRow[x] = (edgeRow[x] & flagKeep) | fill;
}

// ---- amplify ---------------------------------------------------------------------------------
// `channel` -1 judges r + g + b and changes all three channels; 0 red, 1 green, 2 blue judge
// and change that channel alone. A cell qualifies when its value is above the threshold
// (`bright`) or below it; each changed channel becomes v + change, clamped to 0..255.
inline void AmplifyCells(const Span& s, int32_t channel, bool bright, int32_t threshold, int64_t change) {
  const uint32_t shift = channel < 0 ? 0u : uint32_t(16 - 8 * channel);
  const Cell changed = channel < 0 ? ColourMask : Cell(0xFF) << shift;
#if defined(__SSE2__)
  // A step of 255 already takes every byte to its end, so the saturating byte arithmetic
  // with min(|change|, 255) clamps exactly as v + change would.
  const int64_t magnitude = change < 0 ? -change : change;
  const __m128i step = _mm_set1_epi8(char(magnitude > 255 ? 255 : magnitude));
  const bool up = change >= 0;
  const __m128i m = _mm_set1_epi32(0xFF), t = _mm_set1_epi32(threshold), lanes = _mm_set1_epi32(int32_t(changed));
  ForEachSixteen(s, [&](__m128i c) {
    __m128i v;
    if (channel < 0)
      v = _mm_add_epi32(_mm_add_epi32(_mm_and_si128(c, m), _mm_and_si128(_mm_srli_epi32(c, 8), m)),
                        _mm_and_si128(_mm_srli_epi32(c, 16), m));
    else
      v = _mm_and_si128(_mm_srl_epi32(c, _mm_cvtsi32_si128(int32_t(shift))), m);
    const __m128i qualifies = _mm_and_si128(bright ? _mm_cmpgt_epi32(v, t) : _mm_cmplt_epi32(v, t), lanes);
    return SelectBytes(qualifies, up ? _mm_adds_epu8(c, step) : _mm_subs_epu8(c, step), c);
  });
#else
  ForEachRow(s, [&](Cell* p, int32_t n) {
    for (int32_t i = 0; i < n; ++i) {
      const Cell c = p[i];
      const int32_t v = channel < 0 ? RedOf(c) + GreenOf(c) + BlueOf(c) : int32_t((c >> shift) & 0xFF);
      if (!(bright ? v > threshold : v < threshold)) continue;
      auto moved = [change](int32_t u) { return int32_t(std::clamp<int64_t>(u + change, 0, 255)); };
      Cell out = c & ~changed;
      for (uint32_t sh = 0; sh <= 16; sh += 8)
        if (changed & (Cell(0xFF) << sh)) out |= Cell(moved(int32_t((c >> sh) & 0xFF))) << sh;
      p[i] = out;
    }
  });
#endif
}

}  // namespace fx
