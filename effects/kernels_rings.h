// Ring kernels of the radial distortions (implode, explode, whirls) over spans (see
// kernels.h). The distortions walk concentric rings around a centre point by point; a
// ring point at radius r and angle a is (nearest(cx - r sin a), nearest(cy + r cos a)),
// each coordinate clamped into the span: angle 0 lies straight below the centre and growing
// angles turn towards the left. Angles and their steps are 32-bit floats; the sines and the
// products are taken in double, and nearest rounds halves to even.
//
// Every ring pass of implode and explode reads only from a copy of the cells as they were
// before the pass, so a pass is a fixed map "target cell takes the colour of source cell"
// (the last write of the rings wins). The map is built once with the trigonometry and then
// applied as a gather once per pass: passes after the first cost a memory pass each.
#pragma once
#include <cmath>
#include <cstdint>
#include <vector>

#include "effects/kernels.h"
#include "effects/kernels_geometry.h"

namespace fx {

// The 32-bit float nearest to pi, as the ring counts use it.
constexpr float PiFloat = 3.14159265358979f;

struct RingFrame {
  int32_t cx = 0, cy = 0;         // the centre: last indices halved, truncated
  int32_t lastX = 0, lastY = 0;   // clamp bounds
  ptrdiff_t stride = 0;
  // Cell index of the ring point at radius r and the angle whose sine and cosine are given.
  int64_t index(double r, double sine, double cosine) const {
    double x = RoundHalfEven(double(cx) - r * sine), y = RoundHalfEven(double(cy) + r * cosine);
    x = x < 0 ? 0 : x > lastX ? lastX : x;
    y = y < 0 ? 0 : y > lastY ? lastY : y;
    return int64_t(y) * stride + int64_t(x);
  }
};
inline RingFrame RingFrameOf(const Span& s) {
  return RingFrame{(s.width - 1) / 2, (s.height - 1) / 2, s.width - 1, s.height - 1, s.stride};
}

// nearest(k x r) for the ring counts, the product taken in extended precision.
inline int32_t RingCount(long double k, int32_t r) {
  const long double v = k * (long double)r;
  const long double f = std::floor(v), d = v - f;
  int64_t n = int64_t(f);
  if (d > 0.5L || (d == 0.5L && (n & 1))) ++n;
  return int32_t(n);
}

// The map starts as "every cell keeps its own colour".
inline void ResetRingMap(std::vector<int32_t>& map, const Span& s) {
  map.resize(size_t(s.height) * size_t(s.stride));
  for (size_t i = 0; i < map.size(); ++i) map[i] = int32_t(i);
}

// One ring of `count + 1` points: a := a + step before each point; visit(target, source)
// gets the cell indices of the point at radius rTo and of the point at radius rFrom of the
// same angle.
template <class Visit>
inline void WalkRingPairs(const RingFrame& f, double rTo, double rFrom, int32_t count, float step, Visit visit) {
  float a = 0.0f;
  for (int32_t i = 0; i <= count; ++i) {
    a += step;
    double sine, cosine;
    ::sincos(double(a), &sine, &cosine);
    visit(f.index(rTo, sine, cosine), f.index(rFrom, sine, cosine));
  }
}

// dst := src with each cell's colour bytes from src[map[cell]]; flags stay with their cells.
inline void GatherColours(const Cell* src, Cell* dst, const int32_t* map, size_t cells) {
  for (size_t i = 0; i < cells; ++i) dst[i] = (src[i] & FlagMask) | (src[map[i]] & ColourMask);
}

// Applies the map `passes` times to the cells of s; the result ends in s. A pass gathers
// from the cells as the pass before left them, so p passes give every cell the colour of
// cell map^p(cell) of the start: few passes run as gathers one after the other (`spare`,
// as large as the span, taking every other pass), many as one gather through the map's
// power, found by squaring, so any count ends soon.
inline void ApplyRingMap(const Span& s, std::vector<Cell>& spare, const std::vector<int32_t>& map, int64_t passes) {
  const size_t cells = size_t(s.height) * size_t(s.stride);
  if (passes <= 0) return;
  spare.resize(cells);
  if (passes <= 16) {
    Cell* a = s.cells;
    Cell* b = spare.data();
    for (int64_t p = 0; p < passes; ++p) {
      GatherColours(a, b, map.data(), cells);
      std::swap(a, b);
    }
    if (a != s.cells) std::copy(a, a + cells, s.cells);
    return;
  }
  // result := map^passes, base runs through map^(2^k)
  std::vector<int32_t> result(cells), powerA(map), powerB(cells);
  for (size_t i = 0; i < cells; ++i) result[i] = int32_t(i);
  for (int64_t e = passes; e > 0; e >>= 1) {
    if (e & 1)
      for (size_t i = 0; i < cells; ++i) result[i] = powerA[size_t(result[i])];
    if (e > 1) {
      for (size_t i = 0; i < cells; ++i) powerB[i] = powerA[size_t(powerA[i])];
      powerA.swap(powerB);
    }
  }
  std::copy(s.cells, s.cells + cells, spare.begin());
  GatherColours(spare.data(), s.cells, result.data(), cells);
}

// ---- whirls ---------------------------------------------------------------------------------
// One whirl ring at radius r >= 1: count + 1 points, a := a + step before each; the target
// at angle a takes the colour bytes of copy at the source angle a + step (direction 1) or
// a - step (direction -1), and its written-marker (marks, one byte a cell, laid out column
// by column: x * height + y) becomes 1.
inline void WhirlRing(const Span& s, const Cell* copy, uint8_t* marks, const RingFrame& f, int32_t r, int32_t count,
                      float step, int32_t direction) {
  float a = 0.0f;
  const double rr = r;
  for (int32_t i = 0; i <= count; ++i) {
    a += step;
    const double b = double(a) + direction * double(step);
    double sa, ca, sb, cb;
    ::sincos(double(a), &sa, &ca);
    ::sincos(b, &sb, &cb);
    const int64_t t = f.index(rr, sa, ca);
    const int64_t src = f.index(rr, sb, cb);
    s.cells[t] = (s.cells[t] & FlagMask) | (copy[src] & ColourMask);
    const int64_t y = t / f.stride, x = t - y * f.stride;
    marks[x * s.height + y] = 1;
  }
}

// Hole filling of the whirls: x from 1 to the last but one column (outer), y likewise
// (inner); a cell whose marker is 0 takes, per channel, the truncated mean of the unsigned
// values of those of its eight neighbours whose marker is 1, and is marked 1, so the holes
// after it count it. A hole without a marked neighbour keeps its colour and stays unmarked.
// The markers lie column by column (x * height + y), the visiting order, so the scan for
// holes reads them in memory order.
inline void FillWhirlHoles(const Span& s, uint8_t* marks) {
  const int32_t h = s.height;
  for (int32_t x = 1; x <= s.width - 2; ++x) {
    uint8_t* column = marks + int64_t(x) * h;
    for (int32_t y = 1; y <= h - 2; ++y) {
      if (column[y] != 0) continue;
      uint32_t sr = 0, sg = 0, sb = 0, n = 0;
      for (int32_t dx = -1; dx <= 1; ++dx) {
        const uint8_t* m = column + int64_t(dx) * h;
        const Cell* row = s.row(y - 1) + x + dx;
        for (int32_t dy = -1; dy <= 1; ++dy, row += s.stride) {
          if ((dx | dy) == 0 || m[y + dy] != 1) continue;
          const Cell c = *row;
          sr += (c >> 16) & 0xFF;
          sg += (c >> 8) & 0xFF;
          sb += c & 0xFF;
          ++n;
        }
      }
      if (n == 0) continue;
      Cell& c = s.at(x, y);
      c = (c & FlagMask) | ColourBytes(int32_t(sr / n), int32_t(sg / n), int32_t(sb / n));
      column[y] = 1;
    }
  }
}

}  // namespace fx
