// Lines, boxes, rhombi and ellipses, drawn cell by cell through DrawPixel so that every
// draw mode and the opacity apply as for the brush; and their previews on the view.
// The line steps in 32-bit floats exactly as the stored drawings expect (a line from
// (0, 0) to (3, 1) covers (0, 0), (1, 0), (2, 0), (3, 1)); the ellipse outline takes 631
// steps of 0.01 radian. Points arrive relative to the visible top-left cell with the
// scroll beside them, and each routine adds the scroll itself.
#include <algorithm>
#include <cmath>

#include "documents/documents.h"
#include "toolkit/toolkit.h"
#include "tools/strokes_internal.h"
#include "tools/tools.h"

namespace strokes {

bool BeginPreview() {
  if (!tk::isImage(1) || !tk::isImage(0)) return false;
  PrepareViewImages();
  if (!tk::startDrawing(tk::imageOutput(1))) return false;
  tk::drawImage(0, 0, 0);
  return true;
}

void EndPreview() {
  DrawToolOutline(lang, hoch);
  tk::stopDrawing();
  ShowImageOnCanvas(1);
}

bool BeginViewDrawing() {
  if (!tk::isImage(1)) return false;
  PrepareViewImages();
  return tk::startDrawing(tk::imageOutput(1));
}

void EndViewDrawing() {
  DrawToolOutline(lang, hoch);
  tk::stopDrawing();
  ShowImageOnCanvas(1);
}

void PlotZoomed(int64_t x, int64_t y, uint32_t colour) {
  const double L = length;
  if (std::abs(x) > 1000000 || std::abs(y) > 1000000) return;   // far off any view
  if (L == 1.0) tk::plot(int(x), int(y), colour);
  else if (L < 1.0) tk::plot(int(std::lround(double(x) * L)), int(std::lround(double(y) * L)), colour);
  else {
    const int z = int(std::lround(L));
    tk::box(int(std::lround(double(x) * L)), int(std::lround(double(y) * L)), z, z, colour);
  }
}

}  // namespace strokes

using namespace strokes;

namespace {

// The cells of the inclusive range lo..hi of `major` (start a, step +-1) that fall in 0..last.
void ClipMajor(int64_t a, float step, int64_t n, int64_t last, int64_t& i0, int64_t& i1) {
  if (step > 0) {
    i0 = std::max<int64_t>(0, -a);
    i1 = std::min<int64_t>(n, last - a);
  } else {
    i0 = std::max<int64_t>(0, a - last);
    i1 = std::min<int64_t>(n, a);
  }
}

// The 2w + 1 passes of a line in image cells, each point given to `cell`.
template <class F>
void WalkWideLine(int64_t x1, int64_t y1, int64_t x2, int64_t y2, int32_t w, int64_t lastX, int64_t lastY,
                  F&& cell) {
  if (x1 >= x2 && y1 >= y2) {
    std::swap(x1, x2);
    std::swap(y1, y2);
  }
  const LineSteps s = StepsOf(x2 - x1, y2 - y1);
  int64_t i0 = 0, i1 = s.n;
  // only the stretch whose major coordinate lies in the image can put a cell on it
  if (s.xMajor()) ClipMajor(x1, s.sx, s.n, lastX, i0, i1);
  else if (s.sy == 1.0f || s.sy == -1.0f) ClipMajor(y1, s.sy, s.n, lastY, i0, i1);
  for (int32_t o = -w; o <= w; ++o)
    for (int64_t i = i0; i <= i1; ++i) {
      const int64_t px = x1 + s.Dx(i), py = y1 + s.Dy(i);
      if (s.xMajor()) cell(px, py + o);
      else cell(px + o, py);
    }
}

int32_t HalfWidth(int32_t widthOption) { return std::clamp((widthOption - 466) / 2, 0, 10000); }

uint32_t DrawingColour() { return ColourValue(Rot, Gruen, Blau); }

// The half width of a rhombus row r (|r| <= b): round(|a / b * (b - |r|)|); a rhombus with
// no height is the line of its width.
int64_t RhombusHalf(int64_t a, int64_t b, int64_t r) {
  if (b == 0) return a;
  const float k = float(a) / float(b);
  return int64_t(std::nearbyint(std::fabs(k * float(b - std::abs(r)))));
}

// The column height of an ellipse column i (0..rx): RoundNearest(sqrt(1 - (i / rx)^2) * ry);
// an ellipse with no width is the line of its height.
int64_t EllipseColumn(int64_t i, int64_t rx, int64_t ry) {
  if (rx == 0) return ry;
  const float q = float(i) / float(rx);
  return RoundNearest(std::sqrt(std::max(0.0f, 1.0f - q * q)) * float(ry));
}

}  // namespace

void DrawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t horz, int32_t vert, int32_t drawMode,
              float opacity, int32_t widthOption) {
  const int8_t mode = int8_t(drawMode);
  WalkWideLine(int64_t(x1) + horz, int64_t(y1) + vert, int64_t(x2) + horz, int64_t(y2) + vert,
               HalfWidth(widthOption), bildlang, bildhoch, [&](int64_t x, int64_t y) {
                 if (InImage(x, y)) DrawPixel(int32_t(y), int32_t(x), mode, opacity);
               });
}

void Box(int32_t x, int32_t y, int32_t w, int32_t h, int32_t horz, int32_t vert, int32_t option, int32_t drawMode,
         float opacity, uint8_t quiet) {
  if (quiet == 0) CreateUndoPoint();
  int64_t bx = x, by = y, bw = w, bh = h;
  if (bw < 0) {
    bx += bw;
    bw = -bw;
  }
  if (bh < 0) {
    by += bh;
    bh = -bh;
  }
  if (option == 478) {
    const int64_t x0 = std::max<int64_t>(bx + horz, 0), x1 = std::min<int64_t>(bx + horz + bw, bildlang);
    const int64_t y0 = std::max<int64_t>(by + vert, 0), y1 = std::min<int64_t>(by + vert + bh, bildhoch);
    for (int64_t yy = y0; yy <= y1; ++yy)
      for (int64_t xx = x0; xx <= x1; ++xx) DrawPixel(int32_t(yy), int32_t(xx), int8_t(drawMode), opacity);
  } else {
    const auto c = [](int64_t v) { return int32_t(std::clamp<int64_t>(v, INT32_MIN / 2, INT32_MAX / 2)); };
    DrawLine(c(bx), c(by), c(bx), c(by + bh), horz, vert, drawMode, opacity, 467);
    DrawLine(c(bx), c(by + bh), c(bx + bw), c(by + bh), horz, vert, drawMode, opacity, 467);
    DrawLine(c(bx + bw), c(by), c(bx + bw), c(by + bh), horz, vert, drawMode, opacity, 467);
    DrawLine(c(bx), c(by), c(bx + bw), c(by), horz, vert, drawMode, opacity, 467);
  }
  if (quiet == 0) RedrawCanvas();
}

void Rhombus(int32_t cx, int32_t cy, int32_t hx, int32_t hy, int32_t horz, int32_t vert, int32_t drawMode,
             float opacity, int32_t option, uint8_t quiet) {
  if (quiet == 0) CreateUndoPoint();
  const int64_t x = int64_t(cx) + horz, y = int64_t(cy) + vert;
  const int64_t a = std::min<int64_t>(std::abs(int64_t(hx)), INT32_MAX / 4);
  const int64_t b = std::min<int64_t>(std::abs(int64_t(hy)), INT32_MAX / 4);
  if (option == 484) {
    const int64_t r0 = std::max(-b, -y), r1 = std::min(b, int64_t(bildhoch) - y);
    for (int64_t r = r0; r <= r1; ++r) {
      const int64_t half = RhombusHalf(a, b, r);
      const int64_t q0 = std::max(-half, -x), q1 = std::min(half, int64_t(bildlang) - x);
      for (int64_t q = q0; q <= q1; ++q) DrawPixel(int32_t(y + r), int32_t(x + q), int8_t(drawMode), opacity);
    }
  } else if (option == 485) {
    // the corners are image cells: no scroll is added again
    const auto c = [](int64_t v) { return int32_t(std::clamp<int64_t>(v, INT32_MIN / 2, INT32_MAX / 2)); };
    DrawLine(c(x - a), c(y), c(x), c(y - b), 0, 0, drawMode, opacity, 467);
    DrawLine(c(x - a), c(y), c(x), c(y + b), 0, 0, drawMode, opacity, 467);
    DrawLine(c(x + a), c(y), c(x), c(y - b), 0, 0, drawMode, opacity, 467);
    DrawLine(c(x + a), c(y), c(x), c(y + b), 0, 0, drawMode, opacity, 467);
  }
  if (quiet == 0) RedrawCanvas();
}

void DrawEllipse(int32_t cx, int32_t cy, int32_t rx, int32_t ry, int32_t horz, int32_t vert, int32_t drawMode,
                 float opacity, int32_t option) {
  const int64_t ax = std::min<int64_t>(std::abs(int64_t(rx)), INT32_MAX / 4);
  const int64_t ay = std::min<int64_t>(std::abs(int64_t(ry)), INT32_MAX / 4);
  const int8_t mode = int8_t(drawMode);
  if (option == 474 || option == 476) {
    const int64_t x = int64_t(cx) + horz, y = int64_t(cy) + vert;
    auto column = [&](int64_t col, int64_t h) {
      if (col < 0 || col > bildlang) return;
      // rows y .. y + h, then y - 1 .. y - h
      const int64_t lo = std::max<int64_t>(y - h, 0), hi = std::min<int64_t>(y + h, bildhoch);
      for (int64_t row = std::max(y, lo); row <= hi; ++row) DrawPixel(int32_t(row), int32_t(col), mode, opacity);
      for (int64_t row = std::min(y - 1, hi); row >= lo; --row) DrawPixel(int32_t(row), int32_t(col), mode, opacity);
    };
    // only the column offsets that put a column on the image are walked
    ForEachReachingOffset(x, ax, bildlang, [&](int64_t i) {
      const int64_t h = EllipseColumn(i, ax, ay);
      column(x - i, h);
      if (i > 0) column(x + i, h);
    });
    return;
  }
  int32_t p0x, p0y, lx, ly;
  EllipseOutline(
      cx, cy, float(ax), float(ay),
      [&](int32_t px, int32_t py, int32_t x, int32_t y) {
        // a segment touching the outside of the image is left out whole
        if (InImage(int64_t(px) + horz, int64_t(py) + vert) && InImage(int64_t(x) + horz, int64_t(y) + vert))
          DrawLine(px, py, x, y, horz, vert, drawMode, opacity, 467);
      },
      p0x, p0y, lx, ly);
  DrawLine(p0x, p0y, lx, ly, horz, vert, drawMode, opacity, 467);
}

// ---- previews: the same geometry on view image 1 only ----

void PreviewLineSegment(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint8_t r, uint8_t g, uint8_t b) {
  const uint32_t colour = ColourValue(r, g, b);
  const double L = length;
  if (L == 1.0) {
    tk::line(x1, y1, x2, y2, colour);
  } else if (L < 1.0) {
    tk::line(int(x1 * L), int(y1 * L), int(x2 * L), int(y2 * L), colour);
  } else {
    // the view holds about areaxmax / L cells: points beyond it are not walked
    const int64_t lastX = int64_t(areaxmax / L) + 1, lastY = int64_t(areaymax / L) + 1;
    WalkWideLine(x1, y1, x2, y2, 0, lastX, lastY, [&](int64_t x, int64_t y) {
      if (x >= -1 && y >= -1 && x <= lastX && y <= lastY) PlotZoomed(x, y, colour);
    });
  }
}

void PreviewLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t widthOption) {
  if (!BeginPreview()) return;
  const uint32_t colour = DrawingColour();
  const int64_t lastX = int64_t(areaxmax / length) + 1, lastY = int64_t(areaymax / length) + 1;
  WalkWideLine(x1, y1, x2, y2, HalfWidth(widthOption), lastX, lastY, [&](int64_t x, int64_t y) {
    if (x >= 0 && y >= 0 && x <= lastX && y <= lastY) PlotZoomed(x, y, colour);
  });
  EndPreview();
}

void PreviewEllipse(int32_t cx, int32_t cy, int32_t rx, int32_t ry, int32_t option) {
  if (!BeginPreview()) return;
  const int64_t ax = std::min<int64_t>(std::abs(int64_t(rx)), 100000);
  const int64_t ay = std::min<int64_t>(std::abs(int64_t(ry)), 100000);
  const uint32_t colour = DrawingColour();
  const double L = length;
  if (option == 474 || option == 476) {
    for (int64_t i = 0; i <= ax; ++i) {
      const int64_t h = EllipseColumn(i, ax, ay);
      for (int64_t col : {int64_t(cx) - i, int64_t(cx) + i}) {
        const int px = int(std::lround(double(col) * L)), py = int(std::lround(double(cy - h) * L));
        tk::box(px, py, std::max(1, int(std::lround(L))), std::max(1, int(std::lround(double(2 * h + 1) * L))),
                colour);
        if (i == 0) break;
      }
    }
  } else {
    int32_t p0x, p0y, lx, ly;
    EllipseOutline(
        cx, cy, float(ax), float(ay),
        [&](int32_t px, int32_t py, int32_t x, int32_t y) { PreviewLineSegment(px, py, x, y, Rot, Gruen, Blau); },
        p0x, p0y, lx, ly);
    PreviewLineSegment(p0x, p0y, lx, ly, Rot, Gruen, Blau);
  }
  EndPreview();
}

void PreviewRhombus(int32_t cx, int32_t cy, int32_t hx, int32_t hy, int32_t option) {
  if (!BeginPreview()) return;
  const int64_t a = std::min<int64_t>(std::abs(int64_t(hx)), 100000);
  const int64_t b = std::min<int64_t>(std::abs(int64_t(hy)), 100000);
  const double L = length;
  if (option == 484) {
    const uint32_t colour = DrawingColour();
    for (int64_t r = -b; r <= b; ++r) {
      const int64_t half = RhombusHalf(a, b, r);
      tk::box(int(std::lround(double(cx - half) * L)), int(std::lround(double(cy + r) * L)),
              std::max(1, int(std::lround(double(2 * half + 1) * L))), std::max(1, int(std::lround(L))), colour);
    }
  } else if (option == 485) {
    const int32_t x = cx, y = cy, ia = int32_t(a), ib = int32_t(b);
    PreviewLineSegment(x - ia, y, x, y - ib, Rot, Gruen, Blau);
    PreviewLineSegment(x - ia, y, x, y + ib, Rot, Gruen, Blau);
    PreviewLineSegment(x + ia, y, x, y - ib, Rot, Gruen, Blau);
    PreviewLineSegment(x + ia, y, x, y + ib, Rot, Gruen, Blau);
  }
  EndPreview();
}
