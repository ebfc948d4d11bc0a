// The canvas: rendering the visible part of the image at the zoom, the scroll bars, and
// the window procedures of the canvas, its scroll bars and the splitter.
//
// A redraw writes the view once, straight into the picture the canvas gadget shows.
// View image 0 (the plain view) and image 1 (the tools' copy of it) are filled from that
// picture only when something reads them or before something else draws on the picture
// (PrepareViewImages); while the picture holds overlays, image 0 holds the plain view.
// Which image cell a view pixel shows is held in one table per axis, rebuilt only when
// the geometry (zoom, scroll, view or image size) changes, so a redraw at a fixed view
// size allocates nothing.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "documents/documents.h"
#include "documents/view_internal.h"
#include "shell/shell.h"
#include "toolkit/toolkit.h"
#include "tools/tools.h"

using docs::Round;

// Bottom-up view buffer of the old bitmap transfer; the view now goes straight into
// image 0 and this array stays at one cell.
std::vector<PixelCell> CanvasViewPixels(1);
int32_t scrollmaxx = 0, scrollmaxY = 0;

namespace docs {

bool CanvasHoldsView = false;

namespace {
// Images 0 and 1 lag behind the canvas picture: it holds the plain view of the last
// redraw, which they do not hold yet. Set only while the picture is exactly that view.
bool gViewImageBehind = false;
bool gCopyImageBehind = false;
}  // namespace

void CanvasShowsView() {
  if (CanvasHoldsView || gViewImageBehind) return;
  int cw = 0, ch = 0, cs = 0;
  if (CanvasCells(&cw, &ch, &cs)) CopyImageCells(0, tk::canvasImage(11));
}

void ForgetCanvasPicture() { gViewImageBehind = gCopyImageBehind = false; }

void CanvasPictureChanging() {
  int cw = 0, ch = 0, cs = 0;
  if (gViewImageBehind && CanvasCells(&cw, &ch, &cs)) CopyImageCells(tk::canvasImage(11), 0);
  gViewImageBehind = false;
}

uint32_t BackgroundCell() {
  // The settings keep the canvas background as blue, green, red.
  return uint32_t(Settings.imageBackground[0]) | (uint32_t(Settings.imageBackground[1]) << 8) |
         (uint32_t(Settings.imageBackground[2]) << 16);
}

uint32_t* CanvasCells(int* w, int* h, int* stride) {
  if (!tk::isGadget(11)) return nullptr;
  const int img = tk::canvasImage(11);
  if (img < 0 || !tk::isImage(img)) return nullptr;
  *w = tk::imageWidth(img);
  *h = tk::imageHeight(img);
  return tk::imageCells(img, stride);
}

bool EnsureImage(int num, int w, int h) {
  if (w < 1 || h < 1) return false;
  if (tk::isImage(num) && tk::imageWidth(num) == w && tk::imageHeight(num) == h) return true;
  // White, as a ruler strip is before its marks are drawn.
  return tk::createImage(num, w, h, 24, 0xFFFFFF) >= 0;
}

void CopyImageCells(int src, int dst) {
  int ss = 0, ds = 0;
  const uint32_t* s = tk::imageCells(src, &ss);
  uint32_t* d = tk::imageCells(dst, &ds);
  if (!s || !d || s == d) return;
  const int w = std::min(tk::imageWidth(src), tk::imageWidth(dst));
  const int h = std::min(tk::imageHeight(src), tk::imageHeight(dst));
  for (int y = 0; y < h; ++y) std::memcpy(d + size_t(y) * ds, s + size_t(y) * ss, size_t(w) * 4);
  tk::imageChanged(dst);
}

}  // namespace docs

namespace {

// ---- per-axis source tables ------------------------------------------------------------
// For each view pixel 0..viewMax the image index it shows, or -1 for background. The
// pixels showing the image always form one run [first, end). Zoomed out, that run is also
// kept as pieces of one source step each, so a row is copied piece by piece.
struct SourceRun {
  int32_t x, len, src, step;
};

struct AxisTable {
  std::vector<int32_t> src;
  std::vector<SourceRun> runs;   // zoom below 1 only
  bool doubled = false;          // zoom 2: pixel first + i shows cell src[first] + i / 2
  int32_t first = 0, end = 0;
  // geometry the table was built for
  float zoom = -1.0f;
  int32_t viewMax = -1, last = -1, scroll = 0;
};

void BuildAxis(AxisTable& t, int32_t viewMax, int32_t last, int32_t scroll, float zoom) {
  if (t.zoom == zoom && t.viewMax == viewMax && t.last == last && t.scroll == scroll) return;
  t.zoom = zoom;
  t.viewMax = viewMax;
  t.last = last;
  t.scroll = scroll;
  const int32_t n = viewMax + 1;
  t.src.assign(n, -1);
  const int32_t visibleLast = last - scroll;   // last image cell counted from the scroll
  auto put = [&](int32_t p, int64_t c) {
    const int64_t s = int64_t(scroll) + c;
    if (p >= 0 && p < n && c <= visibleLast && s >= 0 && s <= last) t.src[p] = int32_t(s);
  };
  if (zoom == 1.0f) {
    int32_t v = visibleLast;
    if (v > viewMax) v = viewMax - 1;
    for (int32_t p = 0; p <= v && p < n; ++p) put(p, p);
  } else if (zoom > 1.0f) {
    // Blocks: image cell c covers the pixels from round(c * zoom) up to the next block;
    // only blocks that start at or before round(viewMax - zoom) are shown.
    const int32_t cut = Round(viewMax - static_cast<double>(zoom));
    for (int64_t c = 0; c <= visibleLast; ++c) {
      const int32_t s0 = Round(static_cast<double>(c) * zoom);
      if (s0 > cut) break;
      const int32_t s1 = std::min(Round(static_cast<double>(c + 1) * zoom), n);
      for (int32_t p = s0; p < s1; ++p) put(p, c);
    }
  } else if (zoom > 0.0f) {
    // The view in image cells, (w + 1) cells scaled onto (viewMax + 1) pixels.
    const int64_t w = Round(viewMax / static_cast<double>(zoom));
    const int64_t v = std::min<int64_t>(visibleLast, w);
    for (int32_t p = 0; p < n; ++p) {
      const int64_t b = int64_t(p) * (w + 1) / n;
      if (b <= v) put(p, b);
    }
  }
  t.first = 0;
  while (t.first < n && t.src[t.first] < 0) ++t.first;
  t.end = t.first;
  while (t.end < n && t.src[t.end] >= 0) ++t.end;
  t.doubled = zoom == 2.0f && t.end > t.first;
  for (int32_t x = t.first; t.doubled && x < t.end; ++x)
    t.doubled = t.src[x] == t.src[t.first] + (x - t.first) / 2;
  t.runs.clear();
  if (zoom < 1.0f) {
    for (int32_t x = t.first; x < t.end;) {
      const int32_t step = x + 1 < t.end ? t.src[x + 1] - t.src[x] : 1;
      int32_t len = 1;
      while (x + len < t.end && t.src[x + len] - t.src[x + len - 1] == step) ++len;
      t.runs.push_back({x, len, t.src[x], step});
      x += len;
    }
  }
}

// d[i] := s[2 i] for i < len (the usual step when zoomed out to a half).
void CopyEverySecond(uint32_t* d, const uint32_t* s, int32_t len) {
  int32_t i = 0;
#if defined(__SSE2__)
  // Four at a time; the last group is left to the plain loop, so no read goes past s[2 len - 2].
  for (; i + 4 < len; i += 4) {
    const __m128 a = _mm_loadu_ps(reinterpret_cast<const float*>(s + 2 * i));
    const __m128 b = _mm_loadu_ps(reinterpret_cast<const float*>(s + 2 * i + 4));
    _mm_storeu_ps(reinterpret_cast<float*>(d + i), _mm_shuffle_ps(a, b, _MM_SHUFFLE(2, 0, 2, 0)));
  }
#endif
  for (; i < len; ++i) d[i] = s[2 * i];
}

// d[i] := s[i / 2] for i < len (zoom 2: every cell two pixels wide).
void CopyDoubled(uint32_t* d, const uint32_t* s, int32_t len) {
  int32_t i = 0;
#if defined(__SSE2__)
  for (; i + 8 <= len; i += 8) {
    const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i / 2));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(d + i), _mm_unpacklo_epi32(a, a));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(d + i + 4), _mm_unpackhi_epi32(a, a));
  }
#endif
  for (; i < len; ++i) d[i] = s[i / 2];
}

AxisTable gCols, gRows;

// Renders the view into `view` (stride in cells).
void RenderView(uint32_t* view, int vstride) {
  const int32_t W = areaxmax + 1, H = areaymax + 1;
  BuildAxis(gCols, areaxmax, bildlang, horz, length);
  BuildAxis(gRows, areaymax, bildhoch, vert, length);
  // A row of background cells: the background parts of a row are copied from it.
  const uint32_t bgCell = docs::BackgroundCell();
  static std::vector<uint32_t> bgRow;
  if (bgRow.size() < size_t(W) || bgRow[0] != bgCell) bgRow.assign(size_t(W), bgCell);
  const uint32_t* bg = bgRow.data();
  const size_t istride = size_t(bildlang) + 1;
  const PixelCell* img = ImagePixels.data();
  const int32_t* col = gCols.src.data();
  const int32_t x0 = gCols.first, x1 = gCols.end;
  const bool contiguous = (length == 1.0f);
  int32_t prevSrc = -2;
  for (int32_t y = 0; y < H; ++y) {
    uint32_t* d = view + size_t(y) * vstride;
    const int32_t sy = gRows.src[y];
    if (sy >= 0 && sy == prevSrc) {
      std::memcpy(d, d - vstride, size_t(W) * 4);
    } else if (sy < 0 || x0 >= x1) {
      std::memcpy(d, bg, size_t(W) * 4);
    } else {
      const PixelCell* s = img + size_t(sy) * istride;
      std::memcpy(d, bg, size_t(x0) * 4);
      if (contiguous) {
        std::memcpy(d + x0, s + col[x0], size_t(x1 - x0) * 4);
      } else if (gCols.doubled) {
        CopyDoubled(d + x0, s + col[x0], x1 - x0);
      } else if (!gCols.runs.empty()) {
        for (const SourceRun& r : gCols.runs) {
          uint32_t* dd = d + r.x;
          const PixelCell* ss = s + r.src;
          if (r.step == 1) {
            std::memcpy(dd, ss, size_t(r.len) * 4);
          } else if (r.step == 2) {
            CopyEverySecond(dd, ss, r.len);
          } else {
            for (int32_t i = 0; i < r.len; ++i) dd[i] = ss[size_t(i) * r.step];
          }
        }
      } else {
        for (int32_t x = x0; x < x1; ++x) d[x] = s[col[x]];
      }
      std::memcpy(d + x1, bg, size_t(W - x1) * 4);
    }
    prevSrc = sy;
  }
}

// Scroll updates of our own must not come back as scroll requests.
bool gSettingBars = false;
bool gSplitterDrag = false;

void SetBarState(int gadget, int value) {
  if (!tk::isGadget(gadget)) return;
  gSettingBars = true;
  tk::setGadgetState(gadget, value);
  gSettingBars = false;
}

}  // namespace

void RedrawCanvas() {
  OnErrorCode2 = 7;
  const int W = areaxmax + 1, H = areaymax + 1;
  if (W >= 1 && H >= 1 && docs::EnsureImage(0, W, H) && docs::EnsureImage(1, W, H)) {
    int cs = 0, cw = 0, ch = 0;
    uint32_t* cv = docs::CanvasCells(&cw, &ch, &cs);
    if (cv && cw == W && ch == H) {
      RenderView(cv, cs);
      docs::gViewImageBehind = docs::gCopyImageBehind = true;
      docs::CanvasHoldsView = true;
    } else {
      // No canvas of the view's size: the view goes into image 0 and is shown from there.
      int s0 = 0;
      if (uint32_t* v0 = tk::imageCells(0, &s0)) {
        RenderView(v0, s0);
        tk::imageChanged(0);
      }
      docs::gViewImageBehind = false;
      docs::gCopyImageBehind = true;
    }
    if (areamark > 1) RenderAreaView();
    ComposeCanvasView();
    docs::CanvasHoldsView = false;
  }
  OnErrorCode2 = 0;
}

void PrepareViewImages() {
  docs::CanvasPictureChanging();
  if (docs::gCopyImageBehind) {
    docs::CopyImageCells(0, 1);
    docs::gCopyImageBehind = false;
  }
}

void UpdateScrollBars() {
  horz = 0;
  vert = 0;
  const double L = length;
  int32_t mx = 0, my = 0;
  if (showareamaxx < bildlang) mx = static_cast<int32_t>(std::ceil((maxx - areaxmax + L - 1) / L));
  if (showareamaxy < bildhoch) my = static_cast<int32_t>(std::ceil((maxy - areaymax + L - 1) / L));
  if (areaxmax < Round(bildlang * L + 10 * L)) mx += showareamaxx / 2;
  if (areaymax < Round(bildhoch * L + 10 * L)) my += showareamaxy / 2;
  scrollmaxx = std::max(mx, 0);
  scrollmaxY = std::max(my, 0);
  const int pageY = scrollmaxY > 0 ? areaymax / scrollmaxY : 0;
  const int pageX = scrollmaxx > 0 ? areaxmax / scrollmaxx : 0;
  gSettingBars = true;
  if (tk::isGadget(12)) {
    tk::setGadgetAttribute(12, tk::AttrMinimum, 0);
    tk::setGadgetAttribute(12, tk::AttrMaximum, scrollmaxx);
    tk::setGadgetAttribute(12, tk::AttrPageLength, pageX);
    tk::setGadgetState(12, 0);
    tk::hideGadget(12, scrollmaxx == 0);
  }
  if (tk::isGadget(13)) {
    tk::setGadgetAttribute(13, tk::AttrMinimum, 0);
    tk::setGadgetAttribute(13, tk::AttrMaximum, scrollmaxY);
    tk::setGadgetAttribute(13, tk::AttrPageLength, pageY);
    tk::setGadgetState(13, 0);
    tk::hideGadget(13, scrollmaxY == 0);
  }
  gSettingBars = false;
}

void CanvasScrollRequest(int32_t gadget, int32_t request, int32_t position) {
  const bool vertical = (gadget == 13);
  if (!vertical && gadget != 12) return;
  const int32_t maximum = vertical ? scrollmaxY : scrollmaxx;
  if (maximum < 1) return;
  int32_t& pos = vertical ? vert : horz;
  const int32_t step = maximum / 10;
  int32_t p = pos;
  switch (request) {
    case ScrollTop: p = 0; break;
    case ScrollBottom: p = maximum; break;
    case ScrollLineUp: if (p > 0) p -= 1; break;
    case ScrollLineDown: if (p < maximum) p += 1; break;
    case ScrollPageUp: if (p > 0) p -= std::min(step, p); break;
    case ScrollPageDown: if (p < maximum) p += std::min(step, maximum - p); break;
    case ScrollThumbPosition:
    case ScrollThumbTrack: p = std::clamp(position, 0, maximum); break;
    default: return;
  }
  if (p == pos) return;
  pos = p;
  if (vertical) {
    mousey = Round(static_cast<double>(areay - vert + vert2) * length + length);
  } else {
    mousex = Round(static_cast<double>(areax - horz + horz2) * length + length);
  }
  SetBarState(gadget, p);
  const bool polygon = linestate == 38 && PolygonMarkPoints.size() > 1 && tk::isImage(1);
  if (polygon) PrepareViewImages();
  if (polygon && tk::startDrawing(tk::imageOutput(1))) {
    auto it = PolygonMarkPoints.begin();
    int32_t px = it->x + it->horz - horz, py = it->y + it->vert - vert;
    for (++it; it != PolygonMarkPoints.end(); ++it) {
      const int32_t nx = it->x + it->horz - horz, ny = it->y + it->vert - vert;
      MarkOutlineSegment(px, py, nx, ny, horz, vert, 0);
      px = nx;
      py = ny;
    }
    tk::stopDrawing();
  }
  RedrawCanvas();
  DrawRulers();
}

static_assert(int(ScrollLineUp) == tk::SbLineUp && int(ScrollLineDown) == tk::SbLineDown &&
              int(ScrollPageUp) == tk::SbPageUp && int(ScrollPageDown) == tk::SbPageDown &&
              int(ScrollThumbPosition) == tk::SbThumbPosition && int(ScrollThumbTrack) == tk::SbThumbTrack &&
              int(ScrollTop) == tk::SbTop && int(ScrollBottom) == tk::SbBottom,
              "the canvas takes the toolkit's scroll request codes as they are");

int CanvasWindowProc(int gadget, int msg, intptr_t wParam, intptr_t lParam) {
  const bool bar = gadget == 12 || gadget == 13;
  if (msg == tk::EvScroll && bar) {
    // Every request of the user is ours: the bar moves only where the request puts it
    // (page steps of a tenth of the range, not the bar's own page).
    CanvasScrollRequest(gadget, int32_t(wParam), int32_t(lParam));
    return 1;
  }
  if (msg == tk::EvGadget && bar && !gSettingBars) {
    CanvasScrollRequest(gadget, ScrollThumbPosition, tk::gadgetState(gadget));
  } else if (msg == tk::EvLeftUp) {
    OnCanvasLeftUp();
  }
  return 0;
}

void SubclassCanvasGadget(int32_t gadget) {
  if (tk::isGadget(gadget)) tk::setGadgetCallback(gadget, CanvasWindowProc);
}

namespace {
void MouseMoveOverCanvas() {
  if (linestate > 0) {
    ToolDispatch();
  } else if (tk::isStatusBar(0)) {
    UpdateMainStatusBar();
  }
}
}  // namespace

int CanvasGadgetProc(int gadget, int msg, intptr_t wParam, intptr_t lParam) {
  if (KeyboardModus) return 0;
  switch (msg) {
    case tk::EvLeftDown: OnCanvasLeftDown(); break;
    case tk::EvMouseMove: MouseMoveOverCanvas(); break;
    case tk::EvLeftUp: OnCanvasLeftUp(); break;
    default: break;
  }
  return 0;
}

int SplitterGadgetProc(int gadget, int msg, intptr_t wParam, intptr_t lParam) {
  if (KeyboardModus) return 0;
  switch (msg) {
    case tk::EvLeftDown: gSplitterDrag = true; break;
    case tk::EvLeftUp: gSplitterDrag = false; break;
    case tk::EvMouseMove:
      if (!gSplitterDrag) {
        MouseMoveOverCanvas();
      } else if (tk::isGadget(7) && tk::gadgetX(6) + 30 != bildx) {
        bildx = tk::gadgetX(7) + 30;
        LayoutCanvasArea();
        for (int panel : {352, 120, 9, 582, 495}) {
          if (tk::isGadget(panel)) tk::resizeGadget(panel, 0, 0, bildx - 30, 560);
        }
        if (tk::isGadget(496)) tk::resizeGadget(496, 5, 5, bildx - 40, 495);
        if (tk::isGadget(497)) tk::resizeGadget(497, 5, 500, bildx - 40, 60);
      }
      break;
    default: break;
  }
  return 0;
}

void SetSplitterPosition(int32_t position) {
  if (!tk::isGadget(6)) return;
  tk::setGadgetState(6, position);
  SplitterGadgetProc(6, tk::EvLeftDown, position, 0);
  SplitterGadgetProc(6, tk::EvMouseMove, position, 0);
  SplitterGadgetProc(6, tk::EvLeftUp, position, 0);
}

int MainWindowCallback(int window, int msg, intptr_t wParam, intptr_t lParam) {
  if (linestate != 0 || KeyboardModus) return 0;
  if (window == 0 && msg == tk::EvMouseMove && tk::isStatusBar(0)) UpdateMainStatusBar();
  if (window == 2 && msg == tk::EvResize && tk::isGadget(511)) {
    tk::resizeGadget(511, 0, 0, tk::windowWidth(2), tk::windowHeight(2));
  }
  return 0;
}

// ---- single cells and rectangles --------------------------------------------------------

namespace {
inline uint32_t ColorValueOf(PixelCell c) {
  return ((c >> 16) & 0xFF) | (c & 0xFF00) | ((c & 0xFF) << 16);
}
}  // namespace

void DrawPixelToView(int32_t row, int32_t column, int32_t rowOffset, int32_t columnOffset) {
  if (row < 0 || column < 0) return;
  if (row * static_cast<double>(length) > areaymax || column * static_cast<double>(length) > areaxmax) return;
  const int64_t iy = int64_t(row) + rowOffset, ix = int64_t(column) + columnOffset;
  if (iy < 0 || ix < 0 || iy > bildhoch || ix > bildlang) return;
  const uint32_t color = ColorValueOf(ImagePixels[size_t(iy) * (size_t(bildlang) + 1) + size_t(ix)]);
  if (length == 1.0f) {
    tk::plot(column, row, color);
  } else if (length < 1.0f) {
    tk::plot(Round(column * static_cast<double>(length)), Round(row * static_cast<double>(length)), color);
  } else {
    const int z = Round(length);
    tk::box(Round(column * static_cast<double>(length)), Round(row * static_cast<double>(length)), z, z, color);
  }
}

void RedrawImageRect(int32_t x, int32_t y, int32_t width, int32_t height, int32_t columnOffset,
                     int32_t rowOffset) {
  // Clip to the image cells that exist and to the visible cells.
  if (x < 0) { width += x; x = 0; }
  if (y < 0) { height += y; y = 0; }
  width = std::min<int64_t>(width, int64_t(bildlang) - columnOffset - x + 1);
  height = std::min<int64_t>(height, int64_t(bildhoch) - rowOffset - y + 1);
  width = std::min(width, showareamaxx + 1 - x);
  height = std::min(height, showareamaxy + 1 - y);
  if (width < 1 || height < 1 || columnOffset + x < 0 || rowOffset + y < 0) return;
  const double L = length;
  // The zoomed place of the rectangle, each cell filling the pixels of its block.
  const int32_t px0 = Round(x * L), py0 = Round(y * L);
  const int32_t pw = std::max(1, Round((x + width) * L) - px0);
  const int32_t ph = std::max(1, Round((y + height) * L) - py0);
  RectTransferPixels.resize(size_t(pw) * ph);
  const size_t istride = size_t(bildlang) + 1;
  for (int32_t j = 0; j < ph; ++j) {
    // the cell whose block holds pixel row py0 + j
    int32_t cy = docs::Floor((py0 + j + 0.5) / L);
    while (cy > y && Round(cy * L) > py0 + j) --cy;
    while (cy + 1 < y + height && Round((cy + 1) * L) <= py0 + j) ++cy;
    cy = std::clamp(cy, y, y + height - 1);
    const PixelCell* src = ImagePixels.data() + size_t(cy + rowOffset) * istride + columnOffset;
    for (int32_t i = 0; i < pw; ++i) {
      int32_t cx = docs::Floor((px0 + i + 0.5) / L);
      while (cx > x && Round(cx * L) > px0 + i) --cx;
      while (cx + 1 < x + width && Round((cx + 1) * L) <= px0 + i) ++cx;
      cx = std::clamp(cx, x, x + width - 1);
      RectTransferPixels[size_t(j) * pw + i] = src[cx];
    }
  }
  if (docs::EnsureImage(4, pw, ph) && tk::pixelsToImage(4, RectTransferPixels.data(), pw, ph, pw)) {
    tk::drawImage(4, px0, py0);
  }
}

void DrawImageRegionToView(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  if (x1 > x2) std::swap(x1, x2);
  if (y1 > y2) std::swap(y1, y2);
  x1 = std::max(x1, 0);
  y1 = std::max(y1, 0);
  x2 = std::min(x2, showareamaxx);
  y2 = std::min(y2, showareamaxy);
  if (x1 > x2 || y1 > y2 || !tk::isImage(1)) return;
  PrepareViewImages();
  if (!tk::startDrawing(tk::imageOutput(1))) return;
  const double L = length;
  const int z = std::max(1, Round(L));
  for (int32_t y = y1; y <= y2; ++y) {
    for (int32_t x = x1; x <= x2; ++x) {
      const int64_t ix = int64_t(x) + horz, iy = int64_t(y) + vert;
      if (ix > bildlang || iy > bildhoch) continue;
      const uint32_t color = ColorValueOf(ImagePixels[size_t(iy) * (size_t(bildlang) + 1) + size_t(ix)]);
      if (L < 2.0) {
        tk::plot(Round(x * L), Round(y * L), color);
      } else {
        tk::box(Round(x * L), Round(y * L), z, z, color);
      }
    }
  }
  tk::stopDrawing();
}

void ShowImageOnCanvas(int32_t image) {
  if (!tk::isGadget(11) || !tk::isImage(image)) return;
  PrepareViewImages();
  docs::CopyImageCells(image, tk::canvasImage(11));
}

// The zoom list (gadget 60) of the drawing panel: its text is the new zoom factor.
void ApplyZoomFromList() {
  const double z = std::atof(tk::gadgetText(60).c_str());
  if (!(z > 0)) return;
  length = static_cast<float>(z);
  UpdateZoomedSizes();
  UpdateScrollBars();
  DrawRulers();
  RedrawCanvas();
  tk::setActiveGadget(11);
  tk::drainEvents();
}
