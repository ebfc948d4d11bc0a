// Displacement kernels over spans (see kernels.h): the sine waves, the roll with wrap-around
// and the sprinkle. Each moves the colour bytes of cells from a source span (the cells as
// they were) into a target span laid out like it; flag bytes stay where they are.
//
// Waves: the phase is a 32-bit float that starts at 6.3 / (100 - start) and grows by
// step = 6.3 / width before each use, 6.3 standing for a full turn. It restarts on every
// line and depends only on the position along the line, so the displacement of each
// position is worked out once per run, in extended precision, and every cell then costs
// integer work only. A cell at cross position p lands on rounded(offset + p), halves to
// even, taken exactly from the offset's whole part and fraction.
#pragma once
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "effects/kernels.h"

namespace fx {

// Where the cells of one position along a wave land.
struct WaveOffset {
  int64_t whole = 0;   // floor of the offset, brought near the wrap range (same wrap results)
  uint8_t kind = 0;    // 0 fraction below one half, 1 above, 2 exactly one half, 3 no move
  uint8_t odd = 0;     // the unreduced whole part is odd (for the halves)
};

// The offsets sin(phase) x amplitude of `count` positions along a wave whose cross
// extent has last index `last` (> 0). A step that is not finite (width 0) gives no
// wave at all: false. A position whose offset is not finite does not move.
inline bool WaveOffsets(float amplitude, float width, int32_t start, int32_t count, int64_t last,
                        std::vector<WaveOffset>& out) {
  if (start == 100) start = 99;
  const float step = 6.3f / width;
  if (!std::isfinite(step)) return false;
  out.resize(size_t(count));
  float phase = 6.3f / float(100 - start);
  for (int32_t i = 0; i < count; ++i) {
    phase = phase + step;
    const long double offset = sinl(static_cast<long double>(phase)) * static_cast<long double>(amplitude);
    WaveOffset& o = out[size_t(i)];
    if (!std::isfinite(offset)) {
      o = WaveOffset{0, 3, 0};
      continue;
    }
    long double whole = floorl(offset);
    const long double fraction = offset - whole;
    o.kind = fraction < 0.5L ? 0 : fraction > 0.5L ? 1 : 2;
    o.odd = fmodl(whole, 2.0L) != 0.0L;
    // Far beyond the range only the remainder modulo `last` and the side count: a value of
    // the same remainder two or three ranges out wraps to the same place.
    const long double range = static_cast<long double>(last);
    if (fabsl(whole) > 4 * range) {
      long double r = fmodl(whole, range);
      if (r < 0) r += range;
      whole = whole > 0 ? r + 2 * range : r - 3 * range;
    }
    o.whole = static_cast<int64_t>(whole);
  }
  return true;
}

// Position t wrapped into 0..last as the waves do it: last added while below 0, taken off
// while above last (the last index, not the count).
inline int64_t WrapByLast(int64_t t, int64_t last) {
  if (t < 0) {
    t %= last;
    return t < 0 ? t + last : t;
  }
  if (t > last) return (t - 1) % last + 1;
  return t;
}
inline int64_t WaveTarget(const WaveOffset& o, int64_t p, int64_t last) {
  if (o.kind == 3) return p;
  int64_t t = o.whole + p;
  if (o.kind == 1) ++t;
  else if (o.kind == 2 && ((o.odd ^ p) & 1)) ++t;   // the even neighbour of an odd x.5
  return WrapByLast(t, last);
}

// The shift of a position whose offset is not a tie: target = wrap(p + shift).
inline int64_t WaveShift(const WaveOffset& o) { return o.kind == 3 ? 0 : o.whole + (o.kind == 1); }

// Columns move up and down: cell (x, y) of src lands on (x, y') of dst, the offset by
// x. Rows top to bottom, so among cells landing on one place of a column the lowest
// source wins; columns never share a place, so the columns may go in strips, each strip
// top to bottom, which keeps the rows being written few and in the cache. Rows that the
// shift of every column of the strip keeps inside the span (ties aside) go without the wrap.
inline void WaveAlongRows(const Span& src, const Span& dst, const std::vector<WaveOffset>& offsetOfColumn,
                          std::vector<int64_t>& scratch) {
  constexpr int32_t Strip = 1024;
  const int64_t last = src.height - 1;
  const int32_t w = src.width;
  scratch.resize(size_t(w));
  for (int32_t x = 0; x < w; ++x) scratch[size_t(x)] = WaveShift(offsetOfColumn[size_t(x)]) * dst.stride + x;
  for (int32_t x0 = 0; x0 < w; x0 += Strip) {
    const int32_t x1 = std::min(w, x0 + Strip);
    int64_t low = 0, high = 0;   // extreme shifts of the strip's columns that are not ties
    bool ties = false;
    for (int32_t x = x0; x < x1; ++x) {
      const WaveOffset& o = offsetOfColumn[size_t(x)];
      if (o.kind == 2) {
        ties = true;
        continue;
      }
      low = std::min(low, WaveShift(o));
      high = std::max(high, WaveShift(o));
    }
    for (int32_t y = 0; y < src.height; ++y) {
      const Cell* p = src.row(y);
      if (y + low < 0 || y + high > last) {
        for (int32_t x = x0; x < x1; ++x) {
          Cell& d = dst.at(x, int32_t(WaveTarget(offsetOfColumn[size_t(x)], y, last)));
          d = (d & FlagMask) | (p[x] & ColourMask);
        }
        continue;
      }
      Cell* base = dst.row(y);
      const int64_t* to = scratch.data();
      if (!ties) {
        for (int32_t x = x0; x < x1; ++x) base[to[x]] = (base[to[x]] & FlagMask) | (p[x] & ColourMask);
        continue;
      }
      for (int32_t x = x0; x < x1; ++x) {
        const WaveOffset& o = offsetOfColumn[size_t(x)];
        Cell& d = o.kind == 2 ? dst.at(x, int32_t(WaveTarget(o, y, last))) : base[to[x]];
        d = (d & FlagMask) | (p[x] & ColourMask);
      }
    }
  }
}
// Rows move left and right: cell (x, y) lands on (x', y), the offset by y. Along each row
// from the left, so the rightmost source wins: the cells that wrap at the left end come
// first, then the straight run, then those that wrap at the right end.
inline void WaveAlongColumns(const Span& src, const Span& dst, const std::vector<WaveOffset>& offsetOfRow) {
  const int64_t last = src.width - 1;
  for (int32_t y = 0; y < src.height; ++y) {
    const Cell* p = src.row(y);
    Cell* d = dst.row(y);
    const WaveOffset& o = offsetOfRow[size_t(y)];
    auto one = [&](int32_t x) {
      Cell& c = d[WaveTarget(o, x, last)];
      c = (c & FlagMask) | (p[x] & ColourMask);
    };
    if (o.kind == 2) {
      for (int32_t x = 0; x <= last; ++x) one(x);
      continue;
    }
    const int64_t c = WaveShift(o);
    // x + c stays in 0..last for x in lo..hi
    const int64_t lo = std::max<int64_t>(0, -c), hi = std::min<int64_t>(last, last - c);
    if (lo > hi) {
      for (int32_t x = 0; x <= last; ++x) one(x);
      continue;
    }
    for (int32_t x = 0; x < lo; ++x) one(x);
    Cell* to = d + c;
    for (int64_t x = lo; x <= hi; ++x) to[x] = (to[x] & FlagMask) | (p[x] & ColourMask);
    for (int64_t x = hi + 1; x <= last; ++x) one(int32_t(x));
  }
}

// ---- roll ----------------------------------------------------------------------------------
// n modulo m in 0..m - 1.
inline int32_t Modulo(int64_t n, int64_t m) {
  const int64_t r = n % m;
  return int32_t(r < 0 ? r + m : r);
}
// dst(x, y) := colour of src((x - dx) mod width, (y - dy) mod height): the content moves
// right by dx and down by dy, and what leaves one edge comes back at the other.
inline void RollCells(const Span& src, const Span& dst, int64_t dx, int64_t dy) {
  const int32_t w = src.width;
  const int32_t sx0 = Modulo(-dx, w);   // source column of target column 0
  for (int32_t y = 0; y < src.height; ++y) {
    const Cell* p = src.row(Modulo(int64_t(y) - dy, src.height));
    Cell* d = dst.row(y);
    // target columns 0..w - 1 - sx0 read sx0..w - 1, the rest read from 0
    const int32_t first = w - sx0;
    for (int32_t x = 0; x < first; ++x) d[x] = (d[x] & FlagMask) | (p[sx0 + x] & ColourMask);
    for (int32_t x = first; x < w; ++x) d[x] = (d[x] & FlagMask) | (p[x - first] & ColourMask);
  }
}

// ---- sprinkle --------------------------------------------------------------------------------
// dst(x, y) := colour of src(x - dx + draw(2 dx), y - dy + draw(2 dy)), each clamped to the
// span. Two draws per cell, x first, column by column and top to bottom in each column,
// as that is the order in which they are taken. A negative reach draws from an empty
// range, which is taken as the range 0..0. The draws of a strip of columns are taken
// first, in their order, into `draws`; the strip is then written row by row, which keeps
// the walk through memory short.
template <class Draw>
inline void SprinkleCells(const Span& src, const Span& dst, int32_t dx, int32_t dy, Draw draw,
                          std::vector<int32_t>& draws) {
  auto range = [](int32_t d) {
    const int64_t r = 2 * int64_t(d);
    return int32_t(r < 0 ? 0 : r > INT32_MAX ? INT32_MAX : r);
  };
  const int32_t rx = range(dx), ry = range(dy);
  const int64_t lastX = src.width - 1, lastY = src.height - 1;
  auto clamp = [](int64_t v, int64_t last) { return v < 0 ? 0 : v > last ? last : v; };
  auto cell = [&](int32_t x, int32_t y, int32_t drawX, int32_t drawY) {
    const int64_t sx = clamp(int64_t(x) - dx + drawX, lastX);
    const int64_t sy = clamp(int64_t(y) - dy + drawY, lastY);
    Cell& d = dst.at(x, y);
    d = (d & FlagMask) | (src.at(int32_t(sx), int32_t(sy)) & ColourMask);
  };
  const int32_t strip = int32_t(std::clamp<int64_t>((int64_t(1) << 16) / src.height, 1, 16));
  if (strip == 1) {   // tall spans: a column at a time
    for (int32_t x = 0; x < src.width; ++x)
      for (int32_t y = 0; y < src.height; ++y) {
        const int32_t drawX = draw(rx);
        cell(x, y, drawX, draw(ry));
      }
    return;
  }
  draws.resize(size_t(strip) * 2 * size_t(src.height));
  for (int32_t x0 = 0; x0 < src.width; x0 += strip) {
    const int32_t n = std::min(strip, src.width - x0);
    for (int32_t i = 0; i < n; ++i) {
      int32_t* q = draws.data() + size_t(i) * 2 * size_t(src.height);
      for (int32_t y = 0; y < src.height; ++y, q += 2) {
        q[0] = draw(rx);
        q[1] = draw(ry);
      }
    }
    for (int32_t y = 0; y < src.height; ++y)
      for (int32_t i = 0; i < n; ++i) {
        const int32_t* q = draws.data() + (size_t(i) * size_t(src.height) + size_t(y)) * 2;
        cell(x0 + i, y, q[0], q[1]);
      }
  }
}

}  // namespace fx
