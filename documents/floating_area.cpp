// The floating area: a rectangle of cells lifted out of the image into AreaPixels, shown
// over the image (image 22 at the current zoom), inverted, re-grabbed and merged back.
//
// Area cell (x, y) lies over image cell (startx + horz2 + x, starty + vert2 + y); that
// cell may be off the image after a move. The flag byte says what a cell is: 0 outside
// the area's shape, 1 part of it, 2 painted over inside it, 255 a transient mark of the
// lasso's border flood.
#include <algorithm>
#include <cstring>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "documents/documents.h"
#include "documents/view_internal.h"
#include "shell/shell.h"
#include "toolkit/toolkit.h"

uint8_t AreaMergeOption = 0;

namespace {

constexpr uint32_t ColourMask = 0x00FFFFFFu;
constexpr uint32_t FlagMask = 0xFF000000u;

inline uint8_t FlagOf(PixelCell c) { return uint8_t(c >> 24); }

// The overlay colour as a cell: the inverse of the image's average colour.
PixelCell OverlayCell() {
  const uint32_t r = 255 - (uint32_t(AllRot) & 0xFF);
  const uint32_t g = 255 - (uint32_t(AllGruen) & 0xFF);
  const uint32_t b = 255 - (uint32_t(AllBlau) & 0xFF);
  return b | (g << 8) | (r << 16);
}

bool AreaHoldsItsCells() {
  return arealang >= 0 && areahoch >= 0 &&
         AreaPixels.size() >= (size_t(arealang) + 1) * (size_t(areahoch) + 1);
}

// Image 22 at the zoomed extent of the area.
void MakeAreaViewImage() {
  docs::EnsureImage(22, std::max(AreaZoomMaxX + 1, 1), std::max(AreaZoomMaxY + 1, 1));
}

// The cells of one area row as the view shows them. iy: the image row beneath it.
void ShownRow(const PixelCell* area, int32_t n, int64_t ix0, int64_t iy, PixelCell overlay, PixelCell* out) {
  const bool rowInside = iy >= 0 && iy <= bildhoch;
  const PixelCell* image = rowInside ? ImagePixels.data() + size_t(iy) * (size_t(bildlang) + 1) : nullptr;
  for (int32_t x = 0; x < n; ++x) {
    const PixelCell a = area[x];
    const uint8_t f = FlagOf(a);
    const int64_t ix = ix0 + x;
    PixelCell c;
    if (f == 0 && rowInside && ix >= 0 && ix <= bildlang) c = image[ix];
    else if (f == 1) c = a;
    else c = overlay;
    out[x] = (c & ColourMask) | FlagMask;
  }
}

// For every pixel along one side of the zoomed view (zoom above 1), the area cell it
// shows: cell k covers the square of Int(length) + 1 pixels from Int(k * length); where
// squares overlap, the later cell wins; pixels past the last square show the last cell.
std::vector<int32_t> CellOfPixel(int32_t pixels, int32_t lastCell, double L) {
  std::vector<int32_t> map(size_t(std::max(pixels, 0)), 0);
  for (int32_t k = 0; k <= lastCell; ++k) {
    const int64_t from = int64_t(k * L);
    if (from >= pixels) break;
    const int64_t to = (k == lastCell) ? pixels : std::min<int64_t>(pixels, int64_t((k + 1) * L));
    for (int64_t p = from; p < to; ++p) map[size_t(p)] = k;
  }
  return map;
}

// One row of the merge. Copy writes blue, green and red. Mode 130 copies every flag from
// 1 to 127 (read signed); 131 copies flag 1 and averages flag 2 (the floor of (area +
// image) / 2 in each channel); 132 copies flag 1. The merge clears the image's flags
// afterwards, so the row's flags are cleared here on the way (the cells written carry 0).
inline PixelCell MergeCell(PixelCell a, PixelCell d, int32_t mode) {
  const uint32_t f = a >> 24;
  if (mode == 131) {
    if (f == 1) return a & ColourMask;
    if (f == 2) return (a & d & ColourMask) + (((a ^ d) & 0x00FEFEFEu) >> 1);
    return d & ColourMask;
  }
  if (mode == 132) return (f == 1 ? a : d) & ColourMask;
  return (f - 1u < 127u ? a : d) & ColourMask;
}

void MergeRow(PixelCell* image, const PixelCell* area, int32_t n, int32_t mode) {
  int32_t i = 0;
#if defined(__SSE2__)
  // Four cells at a time, the same choices as MergeCell made with masks.
  const __m128i colour = _mm_set1_epi32(int(ColourMask));
  const __m128i one = _mm_set1_epi32(1), two = _mm_set1_epi32(2), zero = _mm_setzero_si128();
  const __m128i top = _mm_set1_epi32(128), halfMask = _mm_set1_epi32(0x00FEFEFE);
  for (; i + 4 <= n; i += 4) {
    const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(area + i));
    const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(image + i));
    const __m128i f = _mm_srli_epi32(a, 24);
    __m128i take, out = a;
    if (mode == 131) {
      const __m128i m1 = _mm_cmpeq_epi32(f, one), m2 = _mm_cmpeq_epi32(f, two);
      const __m128i avg = _mm_add_epi32(_mm_and_si128(a, d),
                                        _mm_srli_epi32(_mm_and_si128(_mm_xor_si128(a, d), halfMask), 1));
      out = _mm_or_si128(_mm_and_si128(m1, a), _mm_andnot_si128(m1, avg));
      take = _mm_or_si128(m1, m2);
    } else if (mode == 132) {
      take = _mm_cmpeq_epi32(f, one);
    } else {
      take = _mm_and_si128(_mm_cmpgt_epi32(f, zero), _mm_cmplt_epi32(f, top));
    }
    const __m128i cell = _mm_or_si128(_mm_and_si128(take, out), _mm_andnot_si128(take, d));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(image + i), _mm_and_si128(cell, colour));
  }
#endif
  for (; i < n; ++i) image[i] = MergeCell(area[i], image[i], mode);
}

// Whether any cell of a row holds a flag. The merge clears the image's flags only in rows
// that hold one (most often none do), so that a clean image is only read.
bool RowHasFlags(const PixelCell* row, size_t n) {
  size_t i = 0;
#if defined(__SSE2__)
  __m128i any = _mm_setzero_si128();
  for (; i + 4 <= n; i += 4) any = _mm_or_si128(any, _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + i)));
  if (_mm_movemask_epi8(_mm_cmpeq_epi32(_mm_srli_epi32(any, 24), _mm_setzero_si128())) != 0xFFFF) return true;
#endif
  uint32_t rest = 0;
  for (; i < n; ++i) rest |= row[i];
  return (rest & FlagMask) != 0;
}

// The area is gone: its arrays shrink to one cell and its view image is freed.
void FreeArea() {
  AreaPixels.assign(1, 0);
  AreaPixels.shrink_to_fit();
  AreaViewPixels.assign(1, 0);
  AreaViewPixels.shrink_to_fit();
  if (tk::isImage(22)) tk::freeImage(22);
}

// Breadth-first flood over flag-0 cells of the area, from every edge cell, marking what
// it reaches with 255: the cells that the outline does not enclose.
std::vector<int32_t> FloodQueue;

void FindOutlineInterior() {
  const int32_t w = arealang + 1, h = areahoch + 1;
  PixelCell* cells = AreaPixels.data();
  FloodQueue.clear();
  auto seed = [&](int32_t x, int32_t y) {
    PixelCell& c = cells[size_t(y) * w + x];
    if (FlagOf(c) != 0) return;
    c = (c & ColourMask) | FlagMask;
    FloodQueue.push_back(int32_t(size_t(y) * w + x));
  };
  auto flood = [&] {
    for (size_t head = 0; head < FloodQueue.size(); ++head) {
      const int32_t i = FloodQueue[head];
      const int32_t x = i % w, y = i / w;
      if (x > 0) seed(x - 1, y);
      if (x + 1 < w) seed(x + 1, y);
      if (y > 0) seed(x, y - 1);
      if (y + 1 < h) seed(x, y + 1);
    }
    FloodQueue.clear();
  };
  for (int32_t x = 0; x < w; ++x) { seed(x, 0); flood(); }
  for (int32_t x = 0; x < w; ++x) { seed(x, h - 1); flood(); }
  for (int32_t y = 0; y < h; ++y) { seed(0, y); flood(); }
  for (int32_t y = 0; y < h; ++y) { seed(w - 1, y); flood(); }
  FloodQueue.shrink_to_fit();
  for (PixelCell& c : AreaPixels) {
    const uint8_t f = FlagOf(c);
    if (f == 255) c &= ColourMask;
    else if (f == 0) c = (c & ColourMask) | 0x01000000u;
  }
}

}  // namespace

int32_t MarkArea(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t dx, int32_t dy, uint8_t quiet) {
  OnErrorCode2 = 2;
  // The rectangle is kept on the image: each corner's image cell (corner + offset) is
  // clamped to the image, so that every area cell starts over an image cell.
  auto clip = [](int64_t v, int32_t d, int32_t last) {
    return int32_t(std::clamp<int64_t>(v + d, 0, last) - d);
  };
  x1 = clip(x1, dx, bildlang);
  x2 = clip(x2, dx, bildlang);
  y1 = clip(y1, dy, bildhoch);
  y2 = clip(y2, dy, bildhoch);
  startx = std::min(x1, x2);
  arealang = std::abs(x2 - x1);
  Startareax = startx + dx;
  starty = std::min(y1, y2);
  areahoch = std::abs(y2 - y1);
  startareay = starty + dy;
  oldx = std::max(x1, x2);
  oldy = std::max(y1, y2);
  horz2 = dx;
  vert2 = dy;
  const double L = length;
  AreaZoomMaxX = RoundNearest(float(arealang * L));
  AreaZoomMaxY = RoundNearest(float(areahoch * L));
  mousex = RoundNearest(float(oldx * L));
  mousey = RoundNearest(float(oldy * L));
  MakeAreaViewImage();
  const int32_t w = arealang + 1, h = areahoch + 1;
  AreaPixels.assign(size_t(w) * h, 0);
  if (KeyboardModus == 1) {
    KeyboardModus_hold = 1;
    LeaveKeyboardMode();
  }
  if (quiet == 0) ShowAreaPanel();
  const size_t stride = size_t(bildlang) + 1;
  for (int32_t y = 0; y < h; ++y) {
    const PixelCell* src = ImagePixels.data() + size_t(starty + dy + y) * stride + size_t(startx + dx);
    std::memcpy(AreaPixels.data() + size_t(y) * w, src, size_t(w) * sizeof(PixelCell));
  }
  areacolororder = 1;
  if (quiet == 0) RefreshView();
  OnErrorCode2 = 0;
  return 0;
}

int32_t FinishLassoSelection(int32_t dx, int32_t dy, uint8_t quiet) {
  // 1. The bounding box of the outline (flag 1) in the image.
  int32_t sx = bildlang, sy = bildhoch, ox = 0, oy = 0;
  bool any = false;
  const size_t stride = size_t(bildlang) + 1;
  for (int32_t y = 0; y <= bildhoch; ++y) {
    const PixelCell* row = ImagePixels.data() + size_t(y) * stride;
    for (int32_t x = 0; x <= bildlang; ++x) {
      if (FlagOf(row[x]) != 1) continue;
      any = true;
      sx = std::min(sx, x);
      sy = std::min(sy, y);
      ox = std::max(ox, x);
      oy = std::max(oy, y);
    }
  }
  if (!any) {
    // No outline was drawn: there is nothing to select.
    ClearPixelFlags();
    return 0;
  }
  // 2. One cell of room around it, where the image has it.
  if (sx > 0) --sx;
  if (sy > 0) --sy;
  if (int64_t(ox) + dx < bildlang) ++ox;
  if (int64_t(oy) + dy < bildhoch) ++oy;
  ox = std::min(ox, bildlang);
  oy = std::min(oy, bildhoch);
  // 3. The box becomes the area; its cells carry the image's flags (outline 1, else 0).
  MarkArea(sx - dx, sy - dy, ox - dx, oy - dy, dx, dy, quiet);
  // 4. Placed at the current scroll position (the offset the callers pass).
  Startareax = startx + horz;
  startareay = starty + vert;
  horz2 = horz;
  vert2 = vert;
  // 5. What the outline encloses is the area's shape.
  FindOutlineInterior();
  // 6.
  ClearPixelFlags();
  if (quiet == 0) RefreshView();
  return 1;
}

void RenderAreaView() {
  if (!AreaHoldsItsCells()) {
    OnErrorCode1 = 1;
    OnErrorCode2 = 0;
    return;
  }
  const int32_t aw = arealang + 1, ah = areahoch + 1;
  const int64_t ix0 = int64_t(startx) + horz2, iy0 = int64_t(starty) + vert2;
  const PixelCell overlay = OverlayCell();
  const double L = length;
  if (L <= 1.0) {
    // One pixel a cell; below 100 % the library scales it down afterwards.
    if (docs::EnsureImage(22, aw, ah)) {
      int stride = 0;
      if (uint32_t* out = tk::imageCells(22, &stride)) {
        for (int32_t y = 0; y < ah; ++y)
          ShownRow(AreaPixels.data() + size_t(y) * aw, aw, ix0, iy0 + y, overlay, out + size_t(y) * stride);
        tk::imageChanged(22);
      }
      if (L < 1.0) tk::resizeImage(22, std::max(AreaZoomMaxX + 1, 1), std::max(AreaZoomMaxY + 1, 1));
    }
  } else {
    const int32_t W = std::max(AreaZoomMaxX + 1, 1), H = std::max(AreaZoomMaxY + 1, 1);
    if (docs::EnsureImage(22, W, H)) {
      int stride = 0;
      if (uint32_t* out = tk::imageCells(22, &stride)) {
        const std::vector<int32_t> colCell = CellOfPixel(W, arealang, L);
        const std::vector<int32_t> rowCell = CellOfPixel(H, areahoch, L);
        std::vector<PixelCell> shown(static_cast<size_t>(aw));
        int32_t shownRow = -1;
        for (int32_t py = 0; py < H; ++py) {
          const int32_t y = rowCell[size_t(py)];
          if (y != shownRow) {
            ShownRow(AreaPixels.data() + size_t(y) * aw, aw, ix0, iy0 + y, overlay, shown.data());
            shownRow = y;
          }
          uint32_t* o = out + size_t(py) * stride;
          for (int32_t px = 0; px < W; ++px) o[px] = shown[size_t(colCell[size_t(px)])];
        }
        tk::imageChanged(22);
      }
    }
  }
  OnErrorCode1 = 1;
  OnErrorCode2 = 0;
}

void RefreshView() {
  RenderAreaView();
  ComposeCanvasView();
}

void InvertAreaSelection() {
  if (!AreaHoldsItsCells()) return;
  const size_t stride = size_t(bildlang) + 1;
  // 1.-2. The image with the area laid onto it; flag 1 marks what the new area takes.
  std::vector<PixelCell> temp(ImagePixels);
  for (PixelCell& c : temp) c = (c & ColourMask) | 0x01000000u;
  const int32_t aw = arealang + 1;
  const int64_t ix0 = int64_t(startx) + horz2, iy0 = int64_t(starty) + vert2;
  for (int32_t y = 0; y <= areahoch; ++y) {
    const int64_t iy = iy0 + y;
    if (iy < 0 || iy > bildhoch) continue;
    for (int32_t x = 0; x <= arealang; ++x) {
      const int64_t ix = ix0 + x;
      if (ix < 0 || ix > bildlang) continue;
      const PixelCell a = AreaPixels[size_t(y) * aw + x];
      const uint8_t f = FlagOf(a);
      const uint32_t nf = f == 2 ? 2u : (f != 0 ? 0u : 1u);
      temp[size_t(iy) * stride + size_t(ix)] = (a & ColourMask) | (nf << 24);
    }
  }
  // 3. The bounding box of flag 1.
  int32_t bx0 = bildlang + 1, by0 = bildhoch + 1, bx1 = -1, by1 = -1;
  for (int32_t y = 0; y <= bildhoch; ++y) {
    const PixelCell* row = temp.data() + size_t(y) * stride;
    for (int32_t x = 0; x <= bildlang; ++x) {
      if (FlagOf(row[x]) != 1) continue;
      bx0 = std::min(bx0, x);
      by0 = std::min(by0, y);
      bx1 = std::max(bx1, x);
      by1 = std::max(by1, y);
    }
  }
  if (bx1 < 0) {
    // The area covered all of the image: nothing is left to select, so the area is
    // dropped and the image stays as it is.
    temp.clear();
    FreeArea();
    areamark = 0;
    areacolororder = 1;
    ClearPixelFlags();
    ShowDrawPanel();
    RedrawCanvas();
    return;
  }
  arealang = bx1 - bx0;
  areahoch = by1 - by0;
  const int32_t nw = arealang + 1;
  std::vector<PixelCell> area(size_t(nw) * (size_t(areahoch) + 1));
  for (int32_t y = 0; y <= areahoch; ++y)
    std::memcpy(area.data() + size_t(y) * nw, temp.data() + size_t(by0 + y) * stride + size_t(bx0),
                size_t(nw) * sizeof(PixelCell));
  AreaPixels.swap(area);
  startx = bx0;
  starty = by0;
  horz2 = 0;
  vert2 = 0;
  AreaZoomMaxX = RoundNearest(float(arealang * double(length)));
  AreaZoomMaxY = RoundNearest(float(areahoch * double(length)));
  MakeAreaViewImage();
  RefreshView();
}

void RegrabAreaFromImage() {
  if (!AreaHoldsItsCells()) return;
  const size_t stride = size_t(bildlang) + 1;
  const int32_t aw = arealang + 1;
  const int64_t ix0 = int64_t(startx) + horz2, iy0 = int64_t(starty) + vert2;
  for (int32_t y = 0; y <= areahoch; ++y) {
    const int64_t iy = iy0 + y;
    if (iy < 0 || iy > bildhoch) continue;
    const int64_t from = std::max<int64_t>(0, -ix0), to = std::min<int64_t>(arealang, bildlang - ix0);
    PixelCell* a = AreaPixels.data() + size_t(y) * aw;
    const PixelCell* img = ImagePixels.data() + size_t(iy) * stride;
    for (int64_t x = from; x <= to; ++x) a[x] = (a[x] & FlagMask) | (img[ix0 + x] & ColourMask);
  }
  RefreshView();
}

void MergeAreaIntoImage(int32_t mode) {
  if (mode != 131 && mode != 132) mode = 130;
  const bool area = AreaHoldsItsCells();
  const size_t stride = size_t(bildlang) + 1;
  const int32_t aw = arealang + 1;
  const int64_t ix0 = int64_t(startx) + horz2, iy0 = int64_t(starty) + vert2;
  const int64_t from = std::max<int64_t>(0, -ix0), to = std::min<int64_t>(arealang, bildlang - ix0);
  // Row by row: the area's row merged (which clears the flags it passes over), then the
  // flags of the rest of the image row cleared.
  auto clear = [](PixelCell* cells, size_t n) {
    if (RowHasFlags(cells, n))
      for (size_t x = 0; x < n; ++x) cells[x] &= ColourMask;
  };
  const size_t rows = ImagePixels.size() / stride;
  for (size_t y = 0; y < rows; ++y) {
    PixelCell* row = ImagePixels.data() + y * stride;
    const int64_t ay = int64_t(y) - iy0;
    if (area && from <= to && ay >= 0 && ay <= areahoch) {
      const size_t x0 = size_t(ix0 + from), x1 = size_t(ix0 + to) + 1;
      clear(row, x0);
      MergeRow(row + x0, AreaPixels.data() + size_t(ay) * aw + size_t(from), int32_t(x1 - x0), mode);
      clear(row + x1, stride - x1);
    } else {
      clear(row, stride);
    }
  }
  lang = bildlang + 1;
  hoch = bildhoch + 1;
  FreeArea();
}

void ApplyAreaMerge() {
  CreateUndoPoint();
  MergeAreaIntoImage(130 + AreaMergeOption);
  areamark = 0;
  areacolororder = 1;
  ShowDrawPanel();
  RedrawCanvas();
}
