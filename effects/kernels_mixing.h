// Per-cell kernels over spans (see kernels.h) of the channel mixing, the channel copies and
// the colour-range clearing. All write only the colour bytes and keep the flag byte.
#pragma once
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "effects/kernels.h"

namespace fx {

// Each channel becomes the mean of the other two, taken of the signed values (u - 128)
// and truncated towards zero, so a mean between two values goes towards 128.
inline void MixOtherChannels(const Span& s) {
  ForEachFour(s, [](V4 c) {
    const V4 m = Splat(0xFF);
    const V4 r = ((c >> 16) & m) - 128, g = ((c >> 8) & m) - 128, b = (c & m) - 128;
    auto half = [](V4 v) { return (v + ((v >> 31) & 1)) >> 1; };   // v / 2 towards zero
    const V4 nr = (half(g + b) + 128) & m, ng = (half(r + b) + 128) & m, nb = (half(r + g) + 128) & m;
    return (c & Splat(int32_t(FlagMask))) | nr << 16 | ng << 8 | nb;
  });
}

// The byte `target` (0 blue, 1 green, 2 red) of every cell := its byte `source`.
inline void CopyChannel(const Span& s, int32_t target, int32_t source) {
  const uint32_t ts = uint32_t(target) * 8, ss = uint32_t(source) * 8;
  const Cell keep = ~(Cell(0xFF) << ts);
  ForEachRow(s, [=](Cell* p, int32_t n) {
    for (int32_t i = 0; i < n; ++i) p[i] = (p[i] & keep) | ((p[i] >> ss) & 0xFF) << ts;
  });
}

// ---- colour-range clearing ----------------------------------------------------------------
// One channel's band: a value v is inside when low < v < high (both bounds excluded); turn
// splits it; outerLow and outerHigh are where mode 2 sends the bounds.
struct ColourBand {
  int32_t low = 0, high = 0, turn = 0, outerLow = 0, outerHigh = 0;
  bool inside(int32_t v) const { return low < v && v < high; }
};

// New value of a channel value v in modes 1 and 2. The factors are 32-bit floats, each
// quotient taken in extended precision first; a half of the band whose factor is infinite
// or not a number keeps its values.
struct BandRule {
  int32_t mode = 0;
  ColourBand band;
  float lowFactor = 0, highFactor = 0;   // mode 1: down, up; mode 2: kdown, kup
  void prepare() {
    auto quotient = [](int64_t a, int64_t b) { return float((long double)a / (long double)b); };
    if (mode == 1) {
      lowFactor = quotient(band.low, band.turn);
      highFactor = quotient(band.high, band.turn);
    } else if (mode == 2) {
      lowFactor = quotient(int64_t(band.low) - band.outerLow, int64_t(band.turn) - band.low);
      highFactor = quotient(int64_t(band.outerHigh) - band.high, int64_t(band.high) - band.turn);
    }
  }
  int32_t apply(int32_t v) const {
    if (!band.inside(v)) return v;
    const bool lower = v < band.turn;
    const float k = lower ? lowFactor : highFactor;
    if (!std::isfinite(k)) return v;
    if (mode == 1) {
      const double r = std::nearbyint(double(v) * double(k));
      return r > 255 ? 255 : LowByteOf(r);
    }
    const double r = lower ? double(band.low) - double(int64_t(band.turn) - v) * double(k)
                           : double(band.high) + double(int64_t(v) - band.turn) * double(k);
    return LowByteOf(std::nearbyint(r));
  }
  // A whole number stored as its low 8 bits; one far beyond any integer gives 0, as the
  // processor's out-of-range conversion does.
  static int32_t LowByteOf(double r) {
    if (!(std::fabs(r) < 4.0e18)) return 0;
    return int32_t(int64_t(r) & 0xFF);
  }
};

// Modes 1 and 2 push or squeeze every channel's band on its own; mode 3 gives a channel in
// its band the replacement's value (red, green, blue unsigned, low 8 bits); mode 4 gives
// the whole replacement colour to cells whose three channels all lie in their bands. Any
// other mode changes nothing.
inline void ClearColourRangeCells(const Span& s, const ColourBand bands[3], int32_t mode, int32_t red,
                                  int32_t green, int32_t blue) {
#if defined(__SSE2__)
  if (mode == 3 || mode == 4) {
    // A band is the byte range first..last of 0..255: v is inside when (v - first) taken as
    // a byte is at most last - first. Lanes: red in byte 2, green 1, blue 0; a channel
    // without an inside value, and the flag byte, are never inside.
    int32_t first[3], width[3], enabled[3];
    for (int32_t k = 0; k < 3; ++k) {
      const int64_t f = std::max<int64_t>(int64_t(bands[k].low) + 1, 0), l = std::min<int64_t>(int64_t(bands[k].high) - 1, 255);
      enabled[k] = f <= l ? 0xFF : 0;
      first[k] = f <= l ? int32_t(f) : 0;
      width[k] = f <= l ? int32_t(l - f) : 0;
    }
    const __m128i firstLanes = ChannelLanes(first[0], first[1], first[2]);
    const __m128i widthLanes = ChannelLanes(width[0], width[1], width[2]);
    const __m128i enabledLanes = ChannelLanes(enabled[0], enabled[1], enabled[2]);
    const __m128i colour = ChannelLanes(red, green, blue), colourMask = _mm_set1_epi32(int32_t(ColourMask));
    ForEachSixteen(s, [&](__m128i c) {
      const __m128i d = _mm_sub_epi8(c, firstLanes);
      __m128i inside = _mm_and_si128(_mm_cmpeq_epi8(_mm_min_epu8(d, widthLanes), d), enabledLanes);
      if (mode == 4) inside = _mm_and_si128(_mm_cmpeq_epi32(_mm_and_si128(inside, colourMask), colourMask), colourMask);
      return SelectBytes(inside, colour, c);
    });
    return;
  }
#endif
  if (mode == 1 || mode == 2 || mode == 3) {
    BandRule rules[3];
    for (int32_t k = 0; k < 3; ++k) {
      rules[k].mode = mode;
      rules[k].band = bands[k];
      rules[k].prepare();
    }
    const int32_t replacement[3] = {red, green, blue};
    ChannelTables tables;
    tables.build([&](int32_t channel, int32_t u) {
      if (mode == 3) return bands[channel].inside(u) ? replacement[channel] : u;
      return rules[channel].apply(u);
    });
    MapChannels(s, tables);
  } else if (mode == 4) {
    // one bit per channel: 4 red, 2 green, 1 blue; 7 is "all inside"
    uint8_t inRed[256], inGreen[256], inBlue[256];
    for (int32_t u = 0; u < 256; ++u) {
      inRed[u] = bands[0].inside(u) ? 4 : 0;
      inGreen[u] = bands[1].inside(u) ? 2 : 0;
      inBlue[u] = bands[2].inside(u) ? 1 : 0;
    }
    const Cell colour = ColourBytes(red, green, blue);
    ForEachRow(s, [&](Cell* p, int32_t n) {
      for (int32_t i = 0; i < n; ++i) {
        const Cell c = p[i];
        // all ones where the three channels are inside, without a branch
        const Cell all = Cell(0) - Cell((inRed[(c >> 16) & 0xFF] | inGreen[(c >> 8) & 0xFF] | inBlue[c & 0xFF]) == 7);
        p[i] = (c & ~(all & ColourMask)) | (colour & all);
      }
    });
  }
}

}  // namespace fx
