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
#include <cstddef>
#include <cstdint>

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
// three bytes. `distances` receives each cell's three distances in turn (red, green, blue).
inline void GreyFromExtremes(const Span& s, bool largest, int32_t* distances) {
  ForEachRow(s, [=](Cell* p, int32_t n) {
    for (int32_t i = 0; i < n; ++i) {
      const Cell c = p[i];
      distances[0] = 128 - RedOf(c);
      distances[1] = 128 - GreenOf(c);
      distances[2] = 128 - BlueOf(c);
      int32_t extreme = largest ? 0 : 128;
      for (int32_t k = 0; k < 3; ++k) {
        const int32_t d = distances[k] < 0 ? -distances[k] : distances[k];
        if (largest ? d > extreme : d < extreme) extreme = d;
      }
      p[i] = (c & FlagMask) | GreyBytes(uint32_t(extreme));
    }
  });
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
// Channels above the level L move up by amount, channels below it down, each clamped.
inline void ChangeIntensity(const Span& s, int32_t amount) {
  ForEachRow(s, [amount](Cell* p, int32_t n) {
    auto step = [amount](int32_t v, int32_t level) {
      if (v > level) v += amount;
      else if (v < level) v -= amount;
      return Cell(v < 0 ? 0 : v > 255 ? 255 : v);
    };
    for (int32_t i = 0; i < n; ++i) {
      const Cell c = p[i];
      const int32_t r = RedOf(c), g = GreenOf(c), b = BlueOf(c);
      const int32_t level = int32_t(DivideBy3(uint32_t(r + g + b)));
      p[i] = (c & FlagMask) | step(r, level) << 16 | step(g, level) << 8 | step(b, level);
    }
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
