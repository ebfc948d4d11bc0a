// Colour kernels of the effects: each works on a rectangle of cells handed to it as a span
// (first cell, row stride, width, height), so the whole-image effects and their marked-area
// twins run the same code on ImagePixels or AreaPixels. A kernel touches only the cells of
// its span; undo points, error codes, loop counters and redraws stay with the callers.
//
// Cells are 32 bits: byte 0 blue, 1 green, 2 red, 3 flag. Unless a kernel says otherwise it
// writes bytes 0 to 2 and keeps the flag byte.
//
// Kernels whose result cannot depend on the order of visits walk the span row by row (the
// fast order). Kernels that draw random numbers walk it column by column, top to bottom
// in each column, because that is the order in which the draws are taken.
#pragma once
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace fx {

using Cell = uint32_t;
constexpr Cell FlagMask = 0xFF000000u;
constexpr Cell ColourMask = 0x00FFFFFFu;

struct Span {
  Cell* cells = nullptr;
  ptrdiff_t stride = 0;   // cells from one row to the next
  int32_t width = 0;
  int32_t height = 0;
  Cell* row(int32_t y) const { return cells + y * stride; }
  Cell& at(int32_t x, int32_t y) const { return cells[y * stride + x]; }
  bool empty() const { return cells == nullptr || width <= 0 || height <= 0; }
};

inline int32_t RedOf(Cell c) { return int32_t((c >> 16) & 0xFF); }
inline int32_t GreenOf(Cell c) { return int32_t((c >> 8) & 0xFF); }
inline int32_t BlueOf(Cell c) { return int32_t(c & 0xFF); }
// The colour bytes of (red, green, blue), each cut to its low 8 bits.
inline Cell ColourBytes(int32_t red, int32_t green, int32_t blue) {
  return (Cell(red) & 0xFF) << 16 | (Cell(green) & 0xFF) << 8 | (Cell(blue) & 0xFF);
}
// One grey value in all three colour bytes.
inline Cell GreyBytes(uint32_t grey) { return (grey & 0xFF) * 0x010101u; }
// floor(sum / 3) for 0 <= sum <= 765, without a division.
inline uint32_t DivideBy3(uint32_t sum) { return (sum * 43691u) >> 17; }

template <class RowFn>
inline void ForEachRow(const Span& s, RowFn fn) {
  for (int32_t y = 0; y < s.height; ++y) fn(s.row(y), s.width);
}

// ---- bitwise, whole cells or colour bytes ------------------------------------------------
// cell := cell XOR mask (ColorTurn is mask 0xFFFFFF, the signed form 0x808080).
inline void XorCells(const Span& s, Cell mask) {
  ForEachRow(s, [mask](Cell* p, int32_t n) {
    for (int32_t i = 0; i < n; ++i) p[i] ^= mask;
  });
}
inline void AndCells(const Span& s, Cell mask) {
  ForEachRow(s, [mask](Cell* p, int32_t n) {
    for (int32_t i = 0; i < n; ++i) p[i] &= mask;
  });
}
inline void OrCells(const Span& s, Cell mask) {
  ForEachRow(s, [mask](Cell* p, int32_t n) {
    for (int32_t i = 0; i < n; ++i) p[i] |= mask;
  });
}
// Colour bytes := colour, flags kept.
inline void FillColour(const Span& s, Cell colour) {
  colour &= ColourMask;
  ForEachRow(s, [colour](Cell* p, int32_t n) {
    for (int32_t i = 0; i < n; ++i) p[i] = (p[i] & FlagMask) | colour;
  });
}

// ---- one table per channel ---------------------------------------------------------------
// Each channel's new value looked up from its old one. The tables hold the new value
// already moved to its byte (red << 16, green << 8, blue), so a cell costs three loads.
struct ChannelTables {
  Cell red[256];
  Cell green[256];
  Cell blue[256];
  // Builds the tables from one rule per channel: rule(channel 0 red / 1 green / 2 blue, u).
  template <class Rule>
  void build(Rule rule) {
    for (int32_t u = 0; u < 256; ++u) {
      red[u] = (Cell(rule(0, u)) & 0xFF) << 16;
      green[u] = (Cell(rule(1, u)) & 0xFF) << 8;
      blue[u] = Cell(rule(2, u)) & 0xFF;
    }
  }
};
inline void MapChannels(const Span& s, const ChannelTables& t) {
  ForEachRow(s, [&t](Cell* p, int32_t n) {
    for (int32_t i = 0; i < n; ++i) {
      const Cell c = p[i];
      p[i] = (c & FlagMask) | t.red[(c >> 16) & 0xFF] | t.green[(c >> 8) & 0xFF] | t.blue[c & 0xFF];
    }
  });
}

// The same for rules that are plain arithmetic: rule(u, channel) gets the unsigned values
// u of four cells at once (channel 0 red, 1 green, 2 blue) and gives the new values, kept
// as their low 8 bits. Rules use Select in place of branches.
using V4 = int32_t __attribute__((vector_size(16)));
inline V4 Splat(int32_t x) { return V4{x, x, x, x}; }
inline V4 Select(V4 mask, V4 a, V4 b) { return (mask & a) | (~mask & b); }
inline V4 Clamp(V4 v, int32_t low, int32_t high) {
  return Select(v < low, Splat(low), Select(v > high, Splat(high), v));
}
// Runs f(four cells as V4) over every row, the last up to three cells padded.
template <class Four>
inline void ForEachFour(const Span& s, Four f) {
  ForEachRow(s, [&f](Cell* p, int32_t n) {
    int32_t i = 0;
    for (; i + 4 <= n; i += 4) {
      V4 c;
      std::memcpy(&c, p + i, sizeof c);
      c = f(c);
      std::memcpy(p + i, &c, sizeof c);
    }
    if (i < n) {
      Cell t[4] = {};
      std::memcpy(t, p + i, size_t(n - i) * sizeof(Cell));
      V4 c;
      std::memcpy(&c, t, sizeof c);
      c = f(c);
      std::memcpy(t, &c, sizeof c);
      std::memcpy(p + i, t, size_t(n - i) * sizeof(Cell));
    }
  });
}
template <class Rule>
inline void MapChannelsBy(const Span& s, Rule rule) {
  ForEachFour(s, [&rule](V4 c) {
    const V4 m = Splat(0xFF);
    const V4 r = rule((c >> 16) & m, 0) & m, g = rule((c >> 8) & m, 1) & m, b = rule(c & m, 2) & m;
    return (c & Splat(int32_t(FlagMask))) | r << 16 | g << 8 | b;
  });
}

#if defined(__SSE2__)
// Byte lanes: sixteen bytes are four cells, the bytes 3, 7, 11 and 15 their flags. A rule
// gets every byte in the signed form (u XOR 0x80, read as a signed byte) and gives signed
// bytes back; the byte arithmetic wraps, which is the "low 8 bits" of the rules. Flags
// are put back as they were.
template <class Sixteen>
inline void ForEachSixteen(const Span& s, Sixteen f) {
  ForEachRow(s, [&f](Cell* p, int32_t n) {
    int32_t i = 0;
    for (; i + 4 <= n; i += 4) {
      const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
      _mm_storeu_si128(reinterpret_cast<__m128i*>(p + i), f(c));
    }
    if (i < n) {
      Cell t[4] = {};
      std::memcpy(t, p + i, size_t(n - i) * sizeof(Cell));
      const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(t));
      _mm_storeu_si128(reinterpret_cast<__m128i*>(t), f(c));
      std::memcpy(p + i, t, size_t(n - i) * sizeof(Cell));
    }
  });
}
template <class SignedRule>
inline void MapSignedBytes(const Span& s, SignedRule rule) {
  const __m128i flip = _mm_set1_epi8(char(0x80)), flags = _mm_set1_epi32(int32_t(FlagMask));
  ForEachSixteen(s, [&](__m128i c) {
    const __m128i r = _mm_xor_si128(rule(_mm_xor_si128(c, flip)), flip);
    return _mm_or_si128(_mm_and_si128(c, flags), _mm_andnot_si128(flags, r));
  });
}
// Per-channel constants in byte lanes: red in byte 2, green in 1, blue in 0 of each cell.
inline __m128i ChannelLanes(int32_t red, int32_t green, int32_t blue) {
  return _mm_set1_epi32(int32_t(ColourBytes(red, green, blue)));
}
inline __m128i SelectBytes(__m128i mask, __m128i a, __m128i b) {
  return _mm_or_si128(_mm_and_si128(mask, a), _mm_andnot_si128(mask, b));
}
#endif

// ---- the per-channel rules of the inversions, Xtreme Colors, the smear and the spectrum --
// Each rule is on the signed value s = u - 128 of a channel, stored as its low 8 bits.
// Means and extremes come in the signed form.

// 128 stays; the halves are mirrored into each other around it.
inline void InvertFarNearCells(const Span& s) {
#if defined(__SSE2__)
  MapSignedBytes(s, [](__m128i v) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i positive = _mm_sub_epi8(_mm_set1_epi8(-127), v);   // 129 - s, low 8 bits
    const __m128i negative = _mm_sub_epi8(_mm_set1_epi8(-128), v);
    return _mm_andnot_si128(_mm_cmpeq_epi8(v, zero), SelectBytes(_mm_cmpgt_epi8(v, zero), positive, negative));
  });
#else
  MapChannelsBy(s, [](V4 u, int32_t) {
    const V4 v = u - 128;
    return Select(v == 0, v, Select(v > 0, 129 - v, -128 - v)) + 128;
  });
#endif
}
// s < 0 becomes -s - 1, the complement of s.
inline void InvertLowerHalfCells(const Span& s) {
#if defined(__SSE2__)
  MapSignedBytes(s, [](__m128i v) { return _mm_xor_si128(v, _mm_cmplt_epi8(v, _mm_setzero_si128())); });
#else
  MapChannelsBy(s, [](V4 u, int32_t) { return Select(u < 128, 255 - u, u); });
#endif
}
// s >= 0 becomes -s - 1.
inline void SolarizeCells(const Span& s) {
#if defined(__SSE2__)
  MapSignedBytes(s, [](__m128i v) { return _mm_xor_si128(v, _mm_cmpgt_epi8(v, _mm_set1_epi8(-1))); });
#else
  MapChannelsBy(s, [](V4 u, int32_t) { return Select(u >= 128, 255 - u, u); });
#endif
}
// s becomes 2A - s clamped to -128..127, A the channel's signed mean.
inline void TurnAtMeanCells(const Span& s, int32_t meanRed, int32_t meanGreen, int32_t meanBlue) {
#if defined(__SSE2__)
  // (A - s) + A with signed saturation at both steps: a first step that saturates leaves
  // a final value beyond the same end.
  const __m128i a = ChannelLanes(meanRed, meanGreen, meanBlue);
  MapSignedBytes(s, [a](__m128i v) { return _mm_adds_epi8(_mm_subs_epi8(a, v), a); });
#else
  const int32_t mean[3] = {meanRed, meanGreen, meanBlue};
  MapChannelsBy(s, [&mean](V4 u, int32_t channel) { return Clamp(2 * mean[channel] - (u - 128), -128, 127) + 128; });
#endif
}
// s > 0 becomes 127, everything else -128.
inline void XtremeCells(const Span& s) {
#if defined(__SSE2__)
  // all ones where s > 0; XOR 0x80 turns that into 127 and nothing into -128
  MapSignedBytes(s, [](__m128i v) {
    return _mm_xor_si128(_mm_cmpgt_epi8(v, _mm_setzero_si128()), _mm_set1_epi8(char(0x80)));
  });
#else
  MapChannelsBy(s, [](V4 u, int32_t) { return (u - 128 > 0) & 255; });
#endif
}
// Each channel moves towards its signed mean A by the strength and may pass beyond it: up
// to at most 127, down to at least -127 (a move that reaches -128 stops at -127).
inline void SmearCells(const Span& s, int32_t strength, int32_t meanRed, int32_t meanGreen, int32_t meanBlue) {
#if defined(__SSE2__)
  if (strength >= 0 && strength <= 127) {
    // signed saturation stops a move up at 127 and a move down at -128, one below -127
    const __m128i a = ChannelLanes(meanRed, meanGreen, meanBlue), step = _mm_set1_epi8(char(strength));
    MapSignedBytes(s, [&](__m128i v) {
      const __m128i up = _mm_adds_epi8(v, step);
      __m128i down = _mm_subs_epi8(v, step);
      down = _mm_sub_epi8(down, _mm_cmpeq_epi8(down, _mm_set1_epi8(-128)));
      return SelectBytes(_mm_cmplt_epi8(v, a), up, SelectBytes(_mm_cmpgt_epi8(v, a), down, v));
    });
    return;
  }
#endif
  // The strength brought into -512..512 without changing a result: from 256 up every move
  // leaves the signed range and stops at 127 or -127; from -256 down no move stops and only
  // the low 8 bits are stored, so a step of the same remainder modulo 256 does.
  int32_t step = strength;
  if (strength > 512) step = 512;
  else if (strength <= -256) step = -512 + ((strength % 256) + 256) % 256;
  const int32_t mean[3] = {meanRed, meanGreen, meanBlue};
  MapChannelsBy(s, [&](V4 u, int32_t channel) {
    const V4 v = u - 128, a = Splat(mean[channel]);
    const V4 up = Select(v + step >= 128, Splat(127), v + step);
    const V4 down = Select(v - step <= -128, Splat(-127), v - step);
    return Select(v < a, up, Select(v > a, down, v)) + 128;
  });
}
// s >= 0 becomes s x up, s < 0 becomes s x down of its channel (red, green, blue), the
// product formed exactly and rounded to the nearest integer, halves to even.
inline void SpectrumCells(const Span& s, const float up[3], const float down[3]) {
  static ChannelTables tables;
  tables.build([&](int32_t channel, int32_t u) {
    const int32_t v = u - 128;
    return int32_t(std::nearbyint(double(v) * (v >= 0 ? up[channel] : down[channel]))) + 128;
  });
  MapChannels(s, tables);
}

// ---- channel order -----------------------------------------------------------------------
// New red, green, blue := old byte sourceRed, sourceGreen, sourceBlue (byte numbers 0..2).
inline void PermuteChannels(const Span& s, int32_t sourceRed, int32_t sourceGreen, int32_t sourceBlue) {
  const uint32_t sr = uint32_t(sourceRed) * 8, sg = uint32_t(sourceGreen) * 8, sb = uint32_t(sourceBlue) * 8;
  ForEachRow(s, [=](Cell* p, int32_t n) {
    for (int32_t i = 0; i < n; ++i) {
      const Cell c = p[i];
      p[i] = (c & FlagMask) | ((c >> sr) & 0xFF) << 16 | ((c >> sg) & 0xFF) << 8 | ((c >> sb) & 0xFF);
    }
  });
}

// ---- greys -------------------------------------------------------------------------------
// floor((r + g + b) / 3) into all three bytes.
inline void GreyFromMean(const Span& s) {
  ForEachRow(s, [](Cell* p, int32_t n) {
    for (int32_t i = 0; i < n; ++i) {
      const Cell c = p[i];
      const uint32_t sum = (c & 0xFF) + ((c >> 8) & 0xFF) + ((c >> 16) & 0xFF);
      p[i] = (c & FlagMask) | GreyBytes(DivideBy3(sum));
    }
  });
}
// The channel in byte `byte` (0 blue, 1 green, 2 red) into all three bytes.
inline void GreyFromChannel(const Span& s, int32_t byte) {
  const uint32_t sh = uint32_t(byte) * 8;
  ForEachRow(s, [sh](Cell* p, int32_t n) {
    for (int32_t i = 0; i < n; ++i) {
      const Cell c = p[i];
      p[i] = (c & FlagMask) | GreyBytes((c >> sh) & 0xFF);
    }
  });
}
// (a + b) div 2 of the channels in bytes byteA and byteB into all three bytes.
inline void GreyFromPair(const Span& s, int32_t byteA, int32_t byteB) {
  const uint32_t sa = uint32_t(byteA) * 8, sb = uint32_t(byteB) * 8;
  ForEachRow(s, [sa, sb](Cell* p, int32_t n) {
    for (int32_t i = 0; i < n; ++i) {
      const Cell c = p[i];
      p[i] = (c & FlagMask) | GreyBytes((((c >> sa) & 0xFF) + ((c >> sb) & 0xFF)) >> 1);
    }
  });
}
// The largest (or smallest) distance abs(128 - u) of the three channels, 0..128, into all
// three bytes. `distances` receives the last cell's three distances (red, green, blue),
// the state a cell-by-cell walk through them leaves.
inline void GreyFromExtremes(const Span& s, bool largest, int32_t* distances) {
#if defined(__SSE2__)
  // In bytes: the distance is the absolute value of the signed form (128 for u = 0 wraps
  // to the unsigned byte 128); byte 0 then takes the extreme of bytes 0, 1 and 2.
  ForEachSixteen(s, [largest](__m128i c) {
    const __m128i v = _mm_xor_si128(c, _mm_set1_epi8(char(0x80)));
    const __m128i negative = _mm_cmplt_epi8(v, _mm_setzero_si128());
    const __m128i d = _mm_sub_epi8(_mm_xor_si128(v, negative), negative);
    const __m128i d1 = _mm_srli_epi32(d, 8), d2 = _mm_srli_epi32(d, 16);
    const __m128i e = _mm_and_si128(largest ? _mm_max_epu8(d, _mm_max_epu8(d1, d2)) : _mm_min_epu8(d, _mm_min_epu8(d1, d2)),
                                    _mm_set1_epi32(0xFF));
    const __m128i grey = _mm_or_si128(_mm_or_si128(e, _mm_slli_epi32(e, 8)), _mm_slli_epi32(e, 16));
    return _mm_or_si128(_mm_and_si128(c, _mm_set1_epi32(int32_t(FlagMask))), grey);
  });
#else
  ForEachFour(s, [largest](V4 c) {
    const V4 m = Splat(0xFF);
    auto distance = [](V4 u) { return Select(u < 128, 128 - u, u - 128); };
    const V4 dr = distance((c >> 16) & m), dg = distance((c >> 8) & m), db = distance(c & m);
    // the minimum starts at 128, which every distance reaches at most
    V4 e = largest ? Select(dg > dr, dg, dr) : Select(dg < dr, dg, dr);
    e = largest ? Select(db > e, db, e) : Select(db < e, db, e);
    return (c & Splat(int32_t(FlagMask))) | e << 16 | e << 8 | e;
  });
#endif
  if (!s.empty()) {
    const Cell c = s.at(s.width - 1, s.height - 1);
    distances[0] = std::abs(128 - RedOf(c));
    distances[1] = std::abs(128 - GreenOf(c));
    distances[2] = std::abs(128 - BlueOf(c));
  }
}

// ---- colour operations ---------------------------------------------------------------------
// The level L = (r + g + b) div 3 of a cell picks its new colour bytes from a table of 256.
inline void MapFromLevel(const Span& s, const Cell* colourOfLevel) {
  ForEachRow(s, [colourOfLevel](Cell* p, int32_t n) {
    for (int32_t i = 0; i < n; ++i) {
      const Cell c = p[i];
      const uint32_t level = DivideBy3((c & 0xFF) + ((c >> 8) & 0xFF) + ((c >> 16) & 0xFF));
      p[i] = (c & FlagMask) | colourOfLevel[level];
    }
  });
}
// The two-colour gradient: new channel = (c1 x L) div 255 + (c2 x (255 - L)) div 255 of
// the matching channels of colour 1 and colour 2, truncating, low 8 bits kept.
inline void BiChromaticCells(const Span& s, int32_t r1, int32_t g1, int32_t b1, int32_t r2, int32_t g2, int32_t b2) {
  Cell colourOfLevel[256];
  for (int64_t level = 0; level < 256; ++level) {
    auto blend = [level](int64_t c1, int64_t c2) { return int32_t(c1 * level / 255 + c2 * (255 - level) / 255); };
    colourOfLevel[level] = ColourBytes(blend(r1, r2), blend(g1, g2), blend(b1, b2));
  }
  MapFromLevel(s, colourOfLevel);
}
// Channels above the level L = (r + g + b) div 3 move up by amount, channels below it
// down, each then clamped to 0..255.
inline void ChangeIntensity(const Span& s, int32_t amount) {
#if defined(__SSE2__)
  if (amount >= -128 && amount <= 127) {
    // Unsigned bytes with saturation: v + amount above the level and v - amount below it
    // stop at 0 and 255 exactly where the clamp would.
    const __m128i step = _mm_set1_epi8(char(amount < 0 ? -amount : amount));
    const bool raise = amount >= 0;
    const __m128i m = _mm_set1_epi32(0xFF), flip = _mm_set1_epi8(char(0x80));
    const __m128i flags = _mm_set1_epi32(int32_t(FlagMask));
    ForEachSixteen(s, [&](__m128i c) {
      const __m128i sum = _mm_add_epi32(_mm_add_epi32(_mm_and_si128(c, m), _mm_and_si128(_mm_srli_epi32(c, 8), m)),
                                        _mm_and_si128(_mm_srli_epi32(c, 16), m));
      // floor(sum / 3) = (sum x 21846) >> 16 for sums up to 765, in 16-bit lanes
      const __m128i level = _mm_mulhi_epu16(sum, _mm_set1_epi32(21846));
      const __m128i levels = _mm_or_si128(_mm_or_si128(level, _mm_slli_epi32(level, 8)), _mm_slli_epi32(level, 16));
      const __m128i sv = _mm_xor_si128(c, flip), sl = _mm_xor_si128(levels, flip);
      const __m128i above = _mm_cmpgt_epi8(sv, sl), below = _mm_cmpgt_epi8(sl, sv);
      const __m128i up = raise ? _mm_adds_epu8(c, step) : _mm_subs_epu8(c, step);
      const __m128i down = raise ? _mm_subs_epu8(c, step) : _mm_adds_epu8(c, step);
      const __m128i r = SelectBytes(above, up, SelectBytes(below, down, c));
      return _mm_or_si128(_mm_and_si128(c, flags), _mm_andnot_si128(flags, r));
    });
    return;
  }
#endif

  ForEachFour(s, [amount](V4 c) {
    const V4 m = Splat(0xFF);
    const V4 r = (c >> 16) & m, g = (c >> 8) & m, b = c & m;
    const V4 level = ((r + g + b) * 43691) >> 17;   // floor((r + g + b) / 3) for sums up to 765
    auto step = [&](V4 v) { return Clamp(v + (Select(v > level, Splat(amount), Splat(0)) - Select(v < level, Splat(amount), Splat(0))), 0, 255); };
    return (c & Splat(int32_t(FlagMask))) | step(r) << 16 | step(g) << 8 | step(b);
  });
}

// ---- noise -------------------------------------------------------------------------------
// The signed value s of a channel (u - 128) moved to s + offset when that stays inside
// -127..127; otherwise the channel keeps its value (never wrapped, never clamped).
inline uint32_t NoisyChannel(uint32_t u, int32_t offset) {
  const int32_t v = int32_t(u) - 128 + offset;
  return (v >= -127 && v <= 127) ? uint32_t(v + 128) : u;
}
// draw(n) gives 0..n. One draw per cell (perChannel false) or one per channel, red first;
// a draw is held in a signed byte, so 128 counts as -128.
template <class Draw>
inline void BrightnessNoise(const Span& s, int32_t strength, bool perChannel, Draw draw) {
  const int32_t half = strength / 2;
  for (int32_t x = 0; x < s.width; ++x) {
    Cell* p = s.cells + x;
    for (int32_t y = 0; y < s.height; ++y, p += s.stride) {
      const Cell c = *p;
      int32_t n = int8_t(draw(strength));
      const uint32_t r = NoisyChannel((c >> 16) & 0xFF, n - half);
      if (perChannel) n = int8_t(draw(strength));
      const uint32_t g = NoisyChannel((c >> 8) & 0xFF, n - half);
      if (perChannel) n = int8_t(draw(strength));
      const uint32_t b = NoisyChannel(c & 0xFF, n - half);
      *p = (c & FlagMask) | r << 16 | g << 8 | b;
    }
  }
}
// Per channel k (red, green, blue) of the colour: centre (colour_k x strength) / 512, and
// n := floor(colour_k x draw / 255) held in a signed byte.
template <class Draw>
inline void ColourNoise(const Span& s, int32_t red, int32_t green, int32_t blue, int32_t strength, Draw draw) {
  const int32_t colour[3] = {red, green, blue};
  int32_t centre[3];
  for (int32_t k = 0; k < 3; ++k) centre[k] = int32_t(int64_t(colour[k]) * strength / 512);
  for (int32_t x = 0; x < s.width; ++x) {
    Cell* p = s.cells + x;
    for (int32_t y = 0; y < s.height; ++y, p += s.stride) {
      const Cell c = *p;
      uint32_t out[3];
      for (int32_t k = 0; k < 3; ++k) {
        const int64_t scaled = int64_t(colour[k]) * draw(strength);
        // floor of a non-negative quotient is the integer quotient
        const int32_t n = int8_t(int32_t(scaled / 255));
        out[k] = NoisyChannel((c >> (16 - 8 * k)) & 0xFF, n - centre[k]);
      }
      *p = (c & FlagMask) | out[0] << 16 | out[1] << 8 | out[2];
    }
  }
}

}  // namespace fx
