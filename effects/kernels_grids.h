// Grid kernels over spans (see kernels.h): the checkerboard bars, the row doubling, the
// logical bars, and the circle tiles of both circle structures. The checkerboard is
// the set of cells (x, y) with x + y even.
//
// The bars read only cells they never write, so they walk row by row. The logical bars
// work in place and the order of their steps is part of the result: a later step reads
// what an earlier one wrote. Their means are of the signed channel values (u - 128),
// truncated towards zero, computed on the stored bytes without putting the signed form on.
#pragma once
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "effects/kernels.h"

namespace fx {

// ---- checkerboard bars -------------------------------------------------------------------------
// Every checkerboard cell takes the colour (flags kept).
inline void ColourCheckerboard(const Span& s, Cell colour) {
  colour &= ColourMask;
  for (int32_t y = 0; y < s.height; ++y) {
    Cell* p = s.row(y);
    for (int32_t x = y & 1; x < s.width; x += 2) p[x] = (p[x] & FlagMask) | colour;
  }
}
// Every cell off the checkerboard takes the colour of its left neighbour (BarsLeft).
inline void BarsFromLeft(const Span& s) {
  for (int32_t y = 0; y < s.height; ++y) {
    Cell* p = s.row(y);
    for (int32_t x = (y & 1) + 1; x < s.width; x += 2) p[x] = (p[x] & FlagMask) | (p[x - 1] & ColourMask);
  }
}
// Every checkerboard cell but those of the last column takes the colour of its right
// neighbour (BarsRight).
inline void BarsFromRight(const Span& s) {
  for (int32_t y = 0; y < s.height; ++y) {
    Cell* p = s.row(y);
    for (int32_t x = y & 1; x < s.width - 1; x += 2) p[x] = (p[x] & FlagMask) | (p[x + 1] & ColourMask);
  }
}
// Row `to` takes the colours of row `from`.
inline void CopyRowColours(const Span& s, int32_t to, int32_t from) {
  Cell* p = s.row(to);
  const Cell* q = s.row(from);
  for (int32_t x = 0; x < s.width; ++x) p[x] = (p[x] & FlagMask) | (q[x] & ColourMask);
}
// Every even row but a last one takes the row below it (BarsDown).
inline void EvenRowsFromBelow(const Span& s) {
  for (int32_t y = 0; y + 1 < s.height; y += 2) CopyRowColours(s, y, y + 1);
}
// Every odd row takes the row above it (BarsUp).
inline void OddRowsFromAbove(const Span& s) {
  for (int32_t y = 1; y < s.height; y += 2) CopyRowColours(s, y, y - 1);
}

// ---- logical bars ------------------------------------------------------------------------------
// Cell (x, y) := the per-channel mean of the signed values of those of the n listed cells
// that lie inside the span, truncated towards zero. With none inside the cell stays.
inline void MeanOfNeighbours(const Span& s, int32_t x, int32_t y, const int32_t (*at)[2], int32_t n) {
  int32_t sr = 0, sg = 0, sb = 0, count = 0;
  for (int32_t k = 0; k < n; ++k) {
    const int32_t nx = at[k][0], ny = at[k][1];
    if (nx < 0 || ny < 0 || nx >= s.width || ny >= s.height) continue;
    const Cell c = s.at(nx, ny);
    sr += RedOf(c) - 128;
    sg += GreenOf(c) - 128;
    sb += BlueOf(c) - 128;
    ++count;
  }
  if (count == 0) return;
  Cell& c = s.at(x, y);
  c = (c & FlagMask) | ColourBytes(sr / count + 128, sg / count + 128, sb / count + 128);
}
// The logical bars: the checkerboard cells of the edges, then of the inside, then the
// four corners, each by the mean of its neighbours as the steps before left them.
// Neighbours outside the span (spans one cell wide or high) are left out of a mean.
inline void LogicalBarsCells(const Span& s) {
  if (s.empty()) return;
  const int32_t L = s.width - 1, H = s.height - 1;
  auto mean3 = [&s](int32_t x, int32_t y, int32_t ax, int32_t ay, int32_t bx, int32_t by, int32_t cx, int32_t cy) {
    const int32_t at[3][2] = {{ax, ay}, {bx, by}, {cx, cy}};
    MeanOfNeighbours(s, x, y, at, 3);
  };
  for (int32_t y = 2; y <= H - 1; y += 2) mean3(0, y, 0, y - 1, 1, y, 0, y + 1);
  for (int32_t y = 1; y <= H - 1; y += 2) mean3(L, y, L, y - 1, L - 1, y, L, y + 1);
  for (int32_t x = 2; x <= L - 1; x += 2) mean3(x, 0, x - 1, 0, x, 1, x + 1, 0);
  for (int32_t x = 1; x <= L - 1; x += 2) mean3(x, H, x - 1, H, x, H - 1, x + 1, H);
  // The inner checkerboard cells read only cells off it, which this step never writes:
  // any order gives the same result, so the rows go top to bottom.
  for (int32_t y = 1; y <= H - 1; ++y) {
    Cell* p = s.row(y);
    const Cell* up = s.row(y - 1);
    const Cell* down = s.row(y + 1);
    for (int32_t x = 2 - (y & 1); x <= L - 1; x += 2) {
      const Cell a = p[x - 1], b = p[x + 1], c = up[x], d = down[x];
      const int32_t r = (RedOf(a) + RedOf(b) + RedOf(c) + RedOf(d) - 512) / 4;
      const int32_t g = (GreenOf(a) + GreenOf(b) + GreenOf(c) + GreenOf(d) - 512) / 4;
      const int32_t bl = (BlueOf(a) + BlueOf(b) + BlueOf(c) + BlueOf(d) - 512) / 4;
      p[x] = (p[x] & FlagMask) | ColourBytes(r + 128, g + 128, bl + 128);
    }
  }
  mean3(0, 0, 0, 1, 1, 1, 1, 0);
  mean3(0, H, 0, H - 1, 1, H - 1, 1, H);
  mean3(L, 0, L, 1, L - 1, 1, L - 1, 0);
  mean3(L, H, L, H - 1, L - 1, H - 1, L - 1, H);
}

// ---- circle tiles ------------------------------------------------------------------------------
// Tiles of w = 2 size + 1 cells from the origin, cut at the last index and sharing their
// border column and row with the next tile; the last column and row start none. Each tile's
// signed channel sums over `copy` (laid out like s, holding the cells as they were) are
// divided by (width value + extra) x (height value + extra), truncating towards zero, the
// values being the tile's last offsets; the cells of s in the tile whose integer distance
// from offset (size, size) is below size take those means. Later tiles win on the shared
// borders. The marked circle structure divides with extra 2, by more cells than it sums.
template <class DistanceFn>
inline void CircleTiles(const Span& s, const Span& copy, int32_t size, int32_t extra, DistanceFn distance) {
  const int32_t L = s.width - 1, H = s.height - 1;
  const int64_t w = 2 * int64_t(size) + 1;
  const bool exactSquares = size < (1 << 25);
  const int64_t size2 = int64_t(size) * size;
  for (int32_t x0 = 0; x0 < L;) {
    const int32_t wx = x0 + w > L ? L - x0 : int32_t(w);
    for (int32_t y0 = 0; y0 < H;) {
      const int32_t hy = y0 + w > H ? H - y0 : int32_t(w);
      int64_t sr = 0, sg = 0, sb = 0;
      for (int32_t y = y0; y <= y0 + hy; ++y) {
        const Cell* p = copy.row(y);
        for (int32_t x = x0; x <= x0 + wx; ++x) {
          sr += RedOf(p[x]);
          sg += GreenOf(p[x]);
          sb += BlueOf(p[x]);
        }
      }
      const int64_t cells = (int64_t(wx) + 1) * (int64_t(hy) + 1);
      const int64_t divisor = (int64_t(wx) + extra) * (int64_t(hy) + extra);
      auto mean = [&](int64_t sum) { return int32_t((sum - 128 * cells) / divisor) + 128; };
      const Cell colour = ColourBytes(mean(sr), mean(sg), mean(sb));
      for (int32_t y = y0; y <= y0 + hy; ++y) {
        Cell* p = s.row(y);
        const int32_t dy = (y - y0) - size;
        if (exactSquares) {
          // the row's cells with dx^2 < size^2 - dy^2: |dx| <= k, k^2 <= room - 1
          const int64_t room = size2 - int64_t(dy) * dy;
          if (room <= 0) continue;
          int64_t k = int64_t(std::sqrt(double(room - 1)));
          while (k * k > room - 1) --k;
          while ((k + 1) * (k + 1) <= room - 1) ++k;
          const int64_t from = std::max<int64_t>(x0, int64_t(x0) + size - k);
          const int64_t to = std::min<int64_t>(int64_t(x0) + wx, int64_t(x0) + size + k);
          for (int64_t x = from; x <= to; ++x) p[x] = (p[x] & FlagMask) | colour;
          continue;
        }
        for (int32_t x = x0; x <= x0 + wx; ++x)
          if (distance((x - x0) - size, dy) < size) p[x] = (p[x] & FlagMask) | colour;
      }
      y0 += hy;
    }
    x0 += wx;
  }
}

}  // namespace fx
