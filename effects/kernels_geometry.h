// Geometric kernels of the effects over spans (see kernels.h): wind, blur, the specials,
// mirrors, turns, the bilinear free rotation, the chess fields and the circle blocks.
// Where an effect reads cells that it has already written, the kernel keeps the visiting
// order that makes the result; everywhere else it walks row by row.
#pragma once
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "effects/kernels.h"

namespace fx {

// Rounding to the nearest integer, halves to even (the processor's default rounding), and
// the float truncation and ceiling of the rotation, without library calls. Adding and
// taking away 1.5 x 2^52 leaves a double with no fraction bits, rounded the default way;
// it is exact for |x| < 2^51 (the build never reassociates floating-point sums). Positions stay far inside the 32-bit range (an image has at
// most 2^28 cells).
inline double RoundHalfEven(double x) {
  constexpr double Magic = 6755399441055744.0;
  return (x + Magic) - Magic;
}
inline float TruncFloat(float x) { return float(int32_t(x)); }
inline float CeilFloat(float x) {
  const float t = TruncFloat(x);
  return t < x ? t + 1.0f : t;
}

// ---- wind ----------------------------------------------------------------------------------
// One walk along `count` cells at p, p + step, ...: from position 0, a draw k (0..strength)
// paints the colour of the run's first cell into the k cells after it (cut at the end),
// and the next run starts after them. Positions past the last are never reached.
template <class Draw>
inline void WindWalk(Cell* p, ptrdiff_t step, int32_t count, int32_t strength, Draw& draw) {
  const int64_t last = int64_t(count) - 1;
  int64_t x = 0;
  while (x < last) {
    int64_t k = draw(strength);
    if (k < 0) k = 0;
    if (x + k > last) k = last - x;
    const Cell colour = p[x * step] & ColourMask;
    for (int64_t i = x + 1; i <= x + k; ++i) p[i * step] = (p[i * step] & FlagMask) | colour;
    x += k + 1;
  }
}
// Rows top to bottom, each walked from the left (fromEnd false) or from the right.
template <class Draw>
inline void WindAlongRows(const Span& s, int32_t strength, bool fromEnd, Draw draw) {
  for (int32_t y = 0; y < s.height; ++y) {
    Cell* row = s.row(y);
    if (fromEnd) WindWalk(row + (s.width - 1), -1, s.width, strength, draw);
    else WindWalk(row, 1, s.width, strength, draw);
  }
}
// Columns left to right, each walked from the top (fromEnd false) or from the bottom.
template <class Draw>
inline void WindAlongColumns(const Span& s, int32_t strength, bool fromEnd, Draw draw) {
  for (int32_t x = 0; x < s.width; ++x) {
    if (fromEnd) WindWalk(s.row(s.height - 1) + x, -s.stride, s.height, strength, draw);
    else WindWalk(s.cells + x, s.stride, s.height, strength, draw);
  }
}

// ---- blur ----------------------------------------------------------------------------------
// Cells of the even columns take the colour of the cell below: column 0 from row
// firstRowColumn0, the other even columns from row 1, each down to row height - 3. Every
// source lies below its target and is read before it is written, so the rows can go top
// to bottom across the whole width.
inline void BlurColumnsUp(const Span& s, int32_t firstRowColumn0) {
  for (int32_t y = firstRowColumn0; y < 1 && y <= s.height - 3; ++y)
    s.at(0, y) = (s.at(0, y) & FlagMask) | (s.at(0, y + 1) & ColourMask);
  for (int32_t y = 1; y <= s.height - 3; ++y) {
    Cell* p = s.row(y);
    const Cell* below = s.row(y + 1);
    for (int32_t x = 0; x < s.width; x += 2) p[x] = (p[x] & FlagMask) | (below[x] & ColourMask);
  }
}
// Cells of the even rows, columns 1..width - 3, take the colour of the cell to the right.
inline void BlurRowsLeft(const Span& s) {
  for (int32_t y = 0; y < s.height; y += 2) {
    Cell* p = s.row(y);
    for (int32_t x = 1; x <= s.width - 3; ++x) p[x] = (p[x] & FlagMask) | (p[x + 1] & ColourMask);
  }
}

// ---- specials ------------------------------------------------------------------------------
// Colour bytes complemented on every stepX-th column and stepY-th row from the first.
inline void ComplementGrid(const Span& s, int32_t stepX, int32_t stepY) {
  for (int32_t y = 0; y < s.height; y += stepY) {
    Cell* p = s.row(y);
    for (int32_t x = 0; x < s.width; x += stepX) p[x] ^= ColourMask;
  }
}

// ---- mirrors -------------------------------------------------------------------------------
// Colour bytes of column x exchanged with column width - 1 - x for x = 0..lastX / 2 (a
// middle column with itself); flags stay where they are.
inline void MirrorColumns(const Span& s) {
  const int32_t half = (s.width - 1) / 2;
  ForEachRow(s, [half](Cell* p, int32_t n) {
    for (int32_t x = 0, q = n - 1; x <= half; ++x, --q) {
      const Cell a = p[x], b = p[q];
      p[x] = (a & FlagMask) | (b & ColourMask);
      p[q] = (b & FlagMask) | (a & ColourMask);
    }
  });
}
// The same for rows y and height - 1 - y.
inline void MirrorRows(const Span& s) {
  const int32_t half = (s.height - 1) / 2;
  for (int32_t y = 0; y <= half; ++y) {
    Cell* a = s.row(y);
    Cell* b = s.row(s.height - 1 - y);
    for (int32_t x = 0; x < s.width; ++x) {
      const Cell ca = a[x], cb = b[x];
      a[x] = (ca & FlagMask) | (cb & ColourMask);
      b[x] = (cb & FlagMask) | (ca & ColourMask);
    }
  }
}

// ---- turns (whole cells, flags included) -----------------------------------------------------
// dst (src.height wide, src.width high) := src turned clockwise: dst(x, y) = src(y, H - x),
// H the last row of src; or anticlockwise: dst(x, y) = src(W - y, x). Tiles keep both
// sides in the cache.
inline void TurnQuarter(const Span& src, const Span& dst, bool clockwise) {
  constexpr int32_t T = 64;
  const int32_t lastSrcX = src.width - 1, lastSrcY = src.height - 1;
  for (int32_t ty = 0; ty < dst.height; ty += T) {
    const int32_t ey = std::min(dst.height, ty + T);
    for (int32_t tx = 0; tx < dst.width; tx += T) {
      const int32_t ex = std::min(dst.width, tx + T);
      for (int32_t y = ty; y < ey; ++y) {
        Cell* out = dst.row(y);
        if (clockwise) {
          for (int32_t x = tx; x < ex; ++x) out[x] = src.at(y, lastSrcY - x);
        } else {
          const Cell* column = src.cells + (lastSrcX - y);
          for (int32_t x = tx; x < ex; ++x) out[x] = column[x * src.stride];
        }
      }
    }
  }
}
// Half turn in place: dst(x, y) = src(W - x, H - y), cells read as they were.
inline void TurnHalf(const Span& s) {
  for (int32_t y = 0, q = s.height - 1; y <= q; ++y, --q) {
    Cell* a = s.row(y);
    Cell* b = s.row(q);
    if (y == q) {
      std::reverse(a, a + s.width);
    } else {
      for (int32_t x = 0; x < s.width; ++x) std::swap(a[x], b[s.width - 1 - x]);
    }
  }
}

// ---- free rotation --------------------------------------------------------------------------
// Fills dst (already holding the background everywhere) with src turned by the angle whose
// cosine and sine are u and v (0 <= angle < 90): for each target cell (x, y) the source
// position xs = x u + y v - H u v, ys = y u - x v + H v v (H the last row of src),
// computed in double and kept as floats; inside the source it is sampled bilinearly with
// each accumulation rounded to the nearest integer (halves to even), outside it keeps the
// background. Sources outside the image sample the background's colour.
inline void RotateBilinear(const Span& src, const Span& dst, float u, float v, Cell background) {
  // Red and green share one pair of doubles, blue the other: the same IEEE operations as
  // one channel at a time, two at once.
  using V2 = double __attribute__((vector_size(16)));
  constexpr double Magic = 6755399441055744.0;   // see RoundHalfEven
  auto round2 = [](V2 a) { return (a + Magic) - Magic; };
  auto colour = [](Cell c, V2& rg, V2& b) {
    rg = V2{double(RedOf(c)), double(GreenOf(c))};
    b = V2{double(BlueOf(c)), 0.0};
  };
  const int32_t lastX = src.width - 1, lastY = src.height - 1;
  const double huv = double(lastY) * u * v, hvv = double(lastY) * v * v;
  V2 bgRG, bgB;
  colour(background, bgRG, bgB);
  for (int32_t y = 0; y < dst.height; ++y) {
    Cell* out = dst.row(y);
    const double yu = double(y) * u, yv = double(y) * v;
    for (int32_t x = 0; x < dst.width; ++x) {
      const float xs = float(double(x) * u + yv - huv);
      const float ys = float(yu - double(x) * v + hvv);
      if (!(CeilFloat(ys) >= 0.0f && TruncFloat(ys) <= float(lastY) && CeilFloat(xs) >= 0.0f &&
            TruncFloat(xs) <= float(lastX)))
        continue;
      const int32_t x0 = int32_t(xs), x1 = int32_t(CeilFloat(xs));
      const int32_t y0 = int32_t(ys), y1 = int32_t(CeilFloat(ys));
      const float fx = xs - float(x0), gx = 1.0f - fx;
      const float fy = ys - float(y0), gy = 1.0f - fy;
      const Cell kept = out[x];
      V2 accRG = {0, 0}, accB = {0, 0};
      const bool inside = x0 >= 0 && y0 >= 0 && x1 <= lastX && y1 <= lastY;
      auto add = [&](int32_t sx, int32_t sy, double weight) {
        V2 rg = bgRG, b = bgB;
        if (inside || (sx >= 0 && sx <= lastX && sy >= 0 && sy <= lastY)) colour(src.at(sx, sy), rg, b);
        accRG = round2(accRG + weight * rg);
        accB = round2(accB + weight * b);
      };
      add(x0, y0, double(gx) * gy);
      add(x0, y1, double(gx) * fy);
      add(x1, y0, double(fx) * gy);
      add(x1, y1, double(fx) * fy);
      auto clamp = [](double a) { return int32_t(a < 0 ? 0 : a > 255 ? 255 : a); };
      out[x] = (kept & FlagMask) | ColourBytes(clamp(accRG[0]), clamp(accRG[1]), clamp(accB[0]));
    }
  }
}

// ---- chess fields -----------------------------------------------------------------------------
// The mosaic of the chess effect. Means are taken of the signed channel values (u - 128)
// and floored; L and H are the span's last indices. Whole fields of size x size cover
// x < Fw = floor(L / size) x size and y < Fh likewise; the remainder strips and the
// corner up to L - 1 and H - 1 get their own means; the last column and row stay.
inline void RegionMean(const Span& s, int32_t x0, int32_t x1, int32_t y0, int32_t y1) {
  if (x1 < x0 || y1 < y0) return;   // a region without cells
  int64_t sr = 0, sg = 0, sb = 0;
  for (int32_t y = y0; y <= y1; ++y) {
    const Cell* p = s.row(y);
    for (int32_t x = x0; x <= x1; ++x) {
      sr += RedOf(p[x]);
      sg += GreenOf(p[x]);
      sb += BlueOf(p[x]);
    }
  }
  const int64_t n = (int64_t(x1) - x0 + 1) * (int64_t(y1) - y0 + 1);
  auto mean = [n](int64_t sum) {   // signed sum: sum of u minus 128 per cell
    return int32_t(std::floor(double(sum - 128 * n) / double(n))) + 128;
  };
  const Cell colour = ColourBytes(mean(sr), mean(sg), mean(sb));
  for (int32_t y = y0; y <= y1; ++y) {
    Cell* p = s.row(y);
    for (int32_t x = x0; x <= x1; ++x) p[x] = (p[x] & FlagMask) | colour;
  }
}
inline void ChessFields(const Span& s, int32_t size) {
  const int32_t L = s.width - 1, H = s.height - 1;
  const int32_t fw = L / size * size, fh = H / size * size;
  for (int32_t x0 = 0; x0 < fw; x0 += size)
    for (int32_t y0 = 0; y0 < fh; y0 += size) RegionMean(s, x0, x0 + size - 1, y0, y0 + size - 1);
  RegionMean(s, fw, L - 1, fh, H - 1);
  for (int32_t x0 = 0; x0 < fw; x0 += size) RegionMean(s, x0, x0 + size - 1, fh, H - 1);
  for (int32_t y0 = 0; y0 < fh; y0 += size) RegionMean(s, fw, L - 1, y0, y0 + size - 1);
}

}  // namespace fx
