// Kernels of the tone, silhouette, channel-shift, soften/sharpen, line-doubling, squint,
// channel-setting and attribute effects, over spans (see kernels.h), shared by the
// whole-image effects and their marked twins. Where a result depends only on one channel
// value or on a cell's channel sum, the rule is turned into a table first and the walk is
// one lookup per cell.
#pragma once
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

#include "effects/kernels.h"

namespace fx {

// ---- rules of the cell's channel sum ----------------------------------------------------------
// New colour bytes looked up from r + g + b (0..765); flags kept.
inline void MapFromSum(const Span& s, const Cell* colourOfSum) {
  ForEachRow(s, [colourOfSum](Cell* p, int32_t n) {
    for (int32_t i = 0; i < n; ++i) {
      const Cell c = p[i];
      p[i] = (c & FlagMask) | colourOfSum[(c & 0xFF) + ((c >> 8) & 0xFF) + ((c >> 16) & 0xFF)];
    }
  });
}
// Each channel through `bright` when r + g + b >= threshold, else through `dark`. Both
// tables of a channel lie in one array of 512 (dark first), so the choice is an offset.
struct SumChannelTables {
  Cell red[512];
  Cell green[512];
  Cell blue[512];
};
inline void MapChannelsBySum(const Span& s, const SumChannelTables& t, int32_t threshold) {
  ForEachRow(s, [&](Cell* p, int32_t n) {
    for (int32_t i = 0; i < n; ++i) {
      const Cell c = p[i];
      const int32_t sum = int32_t((c & 0xFF) + ((c >> 8) & 0xFF) + ((c >> 16) & 0xFF));
      const uint32_t off = uint32_t(sum >= threshold) << 8;
      p[i] = (c & FlagMask) | t.red[off | ((c >> 16) & 0xFF)] | t.green[off | ((c >> 8) & 0xFF)] |
             t.blue[off | (c & 0xFF)];
    }
  });
}

// ---- channel planes --------------------------------------------------------------------------
// Byte `byte` (0 blue, 1 green, 2 red) of every cell := value.
inline void SetChannelByte(const Span& s, int32_t byte, uint8_t value) {
  const Cell keep = ~(Cell(0xFF) << (8 * byte)), put = Cell(value) << (8 * byte);
  ForEachRow(s, [=](Cell* p, int32_t n) {
    for (int32_t i = 0; i < n; ++i) p[i] = (p[i] & keep) | put;
  });
}
// Byte `byte` moved by d cells along the rows (horizontal) or the columns. A forward move
// (towards higher indices) visits its targets from the far end, each reading the cell d
// before it; a backward move visits them from the near end, each reading the cell d after
// it. Targets whose source lies outside keep their byte; with a negative d every target
// reads a cell the same walk has already written, so the strip at the far edge repeats.
inline void ShiftPlane(const Span& s, int32_t byte, bool horizontal, bool forward, int32_t d) {
  if (d == 0 || s.empty()) return;
  uint8_t* base = reinterpret_cast<uint8_t*>(s.cells) + byte;
  const int64_t step = forward ? -int64_t(d) : int64_t(d);   // source = target + step
  const int64_t n = horizontal ? s.width : s.height;
  // targets whose source lies inside
  const int64_t lo = std::max<int64_t>(0, -step), hi = std::min<int64_t>(n - 1, n - 1 - step);
  if (lo > hi) return;
  if (horizontal) {
    for (int32_t y = 0; y < s.height; ++y) {
      uint8_t* p = base + 4 * y * s.stride;
      if (forward) {
        for (int64_t t = hi; t >= lo; --t) p[4 * t] = p[4 * (t + step)];
      } else {
        for (int64_t t = lo; t <= hi; ++t) p[4 * t] = p[4 * (t + step)];
      }
    }
  } else {
    auto copyRow = [&](int64_t t) {
      uint8_t* dst = base + 4 * t * s.stride;
      const uint8_t* src = base + 4 * (t + step) * s.stride;
      for (int32_t x = 0; x < s.width; ++x) dst[4 * x] = src[4 * x];
    };
    if (forward) {
      for (int64_t t = hi; t >= lo; --t) copyRow(t);
    } else {
      for (int64_t t = lo; t <= hi; ++t) copyRow(t);
    }
  }
}

// Largest and smallest unsigned value (0..255) of each channel over the span, red, green,
// blue; an empty span leaves 0 and 255.
inline void ChannelExtremes(const Span& s, int32_t maxima[3], int32_t minima[3]) {
  uint8_t mx[16] = {}, mn[16];
  std::memset(mn, 0xFF, sizeof mn);
#if defined(__SSE2__)
  __m128i vmx = _mm_setzero_si128(), vmn = _mm_set1_epi8(char(0xFF));
#endif
  for (int32_t y = 0; y < s.height; ++y) {
    const Cell* p = s.row(y);
    int32_t i = 0;
#if defined(__SSE2__)
    for (; i + 4 <= s.width; i += 4) {
      const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
      vmx = _mm_max_epu8(vmx, c);
      vmn = _mm_min_epu8(vmn, c);
    }
#endif
    for (; i < s.width; ++i)
      for (int k = 0; k < 3; ++k) {
        const uint8_t v = uint8_t(p[i] >> (8 * k));
        mx[k] = std::max(mx[k], v);
        mn[k] = std::min(mn[k], v);
      }
  }
#if defined(__SSE2__)
  uint8_t a[16], b[16];
  _mm_storeu_si128(reinterpret_cast<__m128i*>(a), vmx);
  _mm_storeu_si128(reinterpret_cast<__m128i*>(b), vmn);
  for (int j = 0; j < 16; ++j) {
    mx[j % 4] = std::max(mx[j % 4], a[j]);
    mn[j % 4] = std::min(mn[j % 4], b[j]);
  }
#endif
  for (int k = 0; k < 3; ++k) {   // byte 2 is red
    maxima[2 - k] = mx[k];
    minima[2 - k] = mn[k];
  }
}

// ---- soften and sharpen ------------------------------------------------------------------------
// Every inner cell (1 <= x <= width - 2, 1 <= y <= height - 2), per channel on signed values:
// a := the sum of the eight neighbours divided by 8, truncated towards zero; the value moves
// by `toward` in the direction of a (a > v: v + toward, a < v: v - toward) and by `equal`
// when a = v; the result is clamped to -128..127. Every value is computed from the span as
// it was; border cells and flags stay. `rows` is scratch for two rows.
inline int32_t SoftSharpValue(int32_t v, int32_t a, int32_t toward, int32_t equal) {
  const int32_t n = v + (a > v ? toward : a < v ? -toward : equal);
  return n < -128 ? -128 : n > 127 ? 127 : n;
}
inline Cell SoftSharpCell(const Cell* up, const Cell* mid, const Cell* down, int32_t x, int32_t toward,
                          int32_t equal) {
  Cell out = mid[x] & FlagMask;
  for (uint32_t sh = 0; sh <= 16; sh += 8) {
    auto v = [sh](Cell c) { return int32_t((c >> sh) & 0xFF) - 128; };
    const int32_t sum = v(up[x - 1]) + v(up[x]) + v(up[x + 1]) + v(mid[x - 1]) + v(mid[x + 1]) + v(down[x - 1]) +
                        v(down[x]) + v(down[x + 1]);
    out |= Cell(SoftSharpValue(v(mid[x]), sum / 8, toward, equal) + 128) << sh;
  }
  return out;
}
inline void SoftSharpCells(const Span& s, int32_t toward, int32_t equal, std::vector<Cell>& rows) {
  if (s.width < 3 || s.height < 3) return;
  // A step of 255 already carries every value to the end of the range.
  toward = std::clamp(toward, -255, 255);
  equal = std::clamp(equal, -255, 255);
  const size_t w = size_t(s.width);
  if (rows.size() != 2 * w) rows.assign(2 * w, 0);
  Cell* prev = rows.data();       // row y - 1 as it was
  Cell* cur = rows.data() + w;    // row y as it was
  std::memcpy(prev, s.row(0), w * sizeof(Cell));
#if defined(__SSE2__)
  const __m128i zero = _mm_setzero_si128(), flags = _mm_set1_epi32(int32_t(FlagMask));
  const __m128i k = _mm_set1_epi16(int16_t(toward)), nk = _mm_set1_epi16(int16_t(-toward));
  const __m128i e = _mm_set1_epi16(int16_t(equal)), bias = _mm_set1_epi16(128), off = _mm_set1_epi16(1024);
  const __m128i seven = _mm_set1_epi16(7);
#endif
  for (int32_t y = 1; y + 1 < s.height; ++y) {
    std::memcpy(cur, s.row(y), w * sizeof(Cell));
    const Cell* down = s.row(y + 1);
    Cell* out = s.row(y);
    int32_t x = 1;
#if defined(__SSE2__)
    auto ld = [](const Cell* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); };
    auto half = [&](__m128i a0, __m128i a1, __m128i a2, __m128i b0, __m128i b1, __m128i b2, __m128i c0,
                    __m128i c1, __m128i c2) {
      // eight neighbours summed unsigned, then signed: sum - 8 x 128
      const __m128i sum = _mm_sub_epi16(
          _mm_add_epi16(_mm_add_epi16(_mm_add_epi16(a0, a1), _mm_add_epi16(a2, b0)),
                        _mm_add_epi16(_mm_add_epi16(b2, c0), _mm_add_epi16(c1, c2))),
          off);
      // division by 8 truncated towards zero
      const __m128i a = _mm_srai_epi16(_mm_add_epi16(sum, _mm_and_si128(_mm_srai_epi16(sum, 15), seven)), 3);
      const __m128i v = _mm_sub_epi16(b1, bias);
      const __m128i gt = _mm_cmpgt_epi16(a, v), lt = _mm_cmpgt_epi16(v, a);
      const __m128i step = _mm_or_si128(_mm_or_si128(_mm_and_si128(gt, k), _mm_and_si128(lt, nk)),
                                        _mm_andnot_si128(_mm_or_si128(gt, lt), e));
      return _mm_add_epi16(_mm_add_epi16(v, step), bias);   // packing saturates to 0..255
    };
    for (; x + 4 < s.width; x += 4) {
      const __m128i a0 = ld(prev + x - 1), a1 = ld(prev + x), a2 = ld(prev + x + 1);
      const __m128i b0 = ld(cur + x - 1), b1 = ld(cur + x), b2 = ld(cur + x + 1);
      const __m128i c0 = ld(down + x - 1), c1 = ld(down + x), c2 = ld(down + x + 1);
      auto lo = [&](__m128i q) { return _mm_unpacklo_epi8(q, zero); };
      auto hi = [&](__m128i q) { return _mm_unpackhi_epi8(q, zero); };
      const __m128i rl = half(lo(a0), lo(a1), lo(a2), lo(b0), lo(b1), lo(b2), lo(c0), lo(c1), lo(c2));
      const __m128i rh = half(hi(a0), hi(a1), hi(a2), hi(b0), hi(b1), hi(b2), hi(c0), hi(c1), hi(c2));
      const __m128i r = _mm_packus_epi16(rl, rh);
      _mm_storeu_si128(reinterpret_cast<__m128i*>(out + x),
                       _mm_or_si128(_mm_and_si128(b1, flags), _mm_andnot_si128(flags, r)));
    }
#endif
    for (; x + 1 < s.width; ++x) out[x] = SoftSharpCell(prev, cur, down, x, toward, equal);
    std::swap(prev, cur);
  }
}

// ---- line doubling, block turning, squint --------------------------------------------------------
// Colour bytes of column x + 1 := column x for x = 0, 2, 4 ... while x + 1 is in the span;
// mirrored: (x + 1, H - y) := (x, y), H the last row.
inline void LineDoubleCells(const Span& s, bool mirrored) {
  for (int32_t y = 0; y < s.height; ++y) {
    const Cell* src = s.row(y);
    Cell* dst = s.row(mirrored ? s.height - 1 - y : y);
    for (int32_t x = 0; x + 1 < s.width; x += 2) dst[x + 1] = (dst[x + 1] & FlagMask) | (src[x] & ColourMask);
  }
}
// Every 2 x 2 block with its bottom-right cell at odd (x, y): colours one place clockwise
// (bottom-right := top-right := top-left := bottom-left := old bottom-right).
inline void TurnBlocksClockwise(const Span& s) {
  for (int32_t y = 1; y < s.height; y += 2) {
    Cell* top = s.row(y - 1);
    Cell* bottom = s.row(y);
    for (int32_t x = 1; x < s.width; x += 2) {
      const Cell saved = bottom[x] & ColourMask;
      bottom[x] = (bottom[x] & FlagMask) | (top[x] & ColourMask);
      top[x] = (top[x] & FlagMask) | (top[x - 1] & ColourMask);
      top[x - 1] = (top[x - 1] & FlagMask) | (bottom[x - 1] & ColourMask);
      bottom[x - 1] = (bottom[x - 1] & FlagMask) | saved;
    }
  }
}
// Column x and its mirror column m = width - 1 - x, for x up to (width - 1) / 2, per channel
// on signed values v (column x) and w (column m): v := round(v b + w a), w := round(v a + w b)
// from the old values, a = strength / 100 and b = 1 - a as 32-bit floats (strength above 100
// taken as 100), rounded to the nearest integer, halves to even. The products of a byte and
// a float are exact in double, so the table of every (v, w) pair holds the exact results.
inline void SquintCells(const Span& s, int32_t strength) {
  if (strength > 100) strength = 100;
  if (strength < 0) strength = 0;
  static uint16_t table[65536];   // [u << 8 | w]: new u in the low byte, new w in the high byte
  static int32_t built = -1;
  if (built != strength) {
    const float a = float(double(strength) / 100.0), b = float(1.0 - double(a));
    for (int32_t u = 0; u < 256; ++u)
      for (int32_t w = 0; w < 256; ++w) {
        const double v1 = u - 128, v2 = w - 128;
        const int32_t n1 = int32_t(std::nearbyint(v1 * b + v2 * a)), n2 = int32_t(std::nearbyint(v1 * a + v2 * b));
        table[u << 8 | w] = uint16_t(((n1 + 128) & 0xFF) | ((n2 + 128) & 0xFF) << 8);
      }
    built = strength;
  }
  ForEachRow(s, [](Cell* p, int32_t n) {
    for (int32_t x = 0, m = n - 1; x < m; ++x, --m) {
      const Cell l = p[x], r = p[m];
      Cell nl = l & FlagMask, nr = r & FlagMask;
      for (uint32_t sh = 0; sh <= 16; sh += 8) {
        const uint32_t t = table[((l >> sh) & 0xFF) << 8 | ((r >> sh) & 0xFF)];
        nl |= (t & 0xFF) << sh;
        nr |= (t >> 8) << sh;
      }
      p[x] = nl;
      p[m] = nr;
    }
  });
}

// ---- colour attributes -----------------------------------------------------------------------------
// Contrast, brightness and the channel offsets of one channel value u (0..255), before the
// clamp: a negative contrast moves u towards the channel's mean without passing it, a
// positive one moves every channel of a bright cell (channel sum at least the sum of the
// means) up and of a dark cell down; then brightness and the channel's offset are added.
struct AttributeSettings {
  int32_t contrast = 0, brightness = 0;
  int32_t offset[3] = {0, 0, 0};   // red, green, blue
  int32_t mean[3] = {0, 0, 0};
  int32_t adjust(int32_t channel, int32_t u, bool bright) const {
    int32_t v = u;
    if (contrast < 0) {
      v = v <= mean[channel] ? std::min(v - contrast, mean[channel]) : std::max(v + contrast, mean[channel]);
    } else if (contrast > 0) {
      v += bright ? contrast : -contrast;
    }
    return v + brightness + offset[channel];
  }
  int32_t meanSum() const { return mean[0] + mean[1] + mean[2]; }
};
inline int32_t ClampByte(int32_t v) { return v < 0 ? 0 : v > 255 ? 255 : v; }
// The attribute kernel with its clamp to 0..255.
inline void AttributeCells(const Span& s, const AttributeSettings& a) {
  if (a.contrast > 0) {
    static SumChannelTables t;
    for (int32_t u = 0; u < 256; ++u)
      for (int32_t bright = 0; bright < 2; ++bright) {
        const int32_t i = bright << 8 | u;
        t.red[i] = Cell(ClampByte(a.adjust(0, u, bright))) << 16;
        t.green[i] = Cell(ClampByte(a.adjust(1, u, bright))) << 8;
        t.blue[i] = Cell(ClampByte(a.adjust(2, u, bright)));
      }
    MapChannelsBySum(s, t, a.meanSum());
  } else {
    static ChannelTables t;
    t.build([&](int32_t c, int32_t u) { return ClampByte(a.adjust(c, u, true)); });
    MapChannels(s, t);
  }
}

}  // namespace fx
