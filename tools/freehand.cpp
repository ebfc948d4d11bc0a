// The stroke routines: the freehand pen (one-cell line between mouse points), the brush
// and the eraser (the brush form stamped along the path), the spray can (random dots
// round the mouse) and the smear (colour carried along the path in a small buffer), and
// the white stamps of the script's point command. All paint through DrawPixel except the
// smear, which mixes the channels itself. With allowreadraw set no cell is painted twice
// in one stroke: a painted cell gets flag 2 and cells of flag 2 or more are skipped; the
// release of the stroke clears the flags.
#include <algorithm>
#include <cmath>

#include "documents/documents.h"
#include "toolkit/toolkit.h"
#include "tools/strokes_internal.h"
#include "tools/tools.h"

using namespace strokes;

int32_t (*ToolRandom)(int32_t n) = &tk::random;

namespace {

// A mirrored point is the image cell on the other side of the image's middle, given
// back relative to the view like any other point.
void Mirror(int64_t& x, int64_t& y, int32_t horz, int32_t vert, uint8_t mirrorX, uint8_t mirrorY) {
  if (mirrorX == 1) x = int64_t(bildlang) - (x + horz) - horz;
  if (mirrorY == 1) y = int64_t(bildhoch) - (y + vert) - vert;
}

// The grey of the brush form at stamp cell (i, j): 0 paints fully, 255 not at all. The
// form is a square of side 2r + 2; without a form of that size the stamp paints fully.
struct BrushGreys {
  const uint8_t* data = nullptr;
  size_t side = 0;
  explicit BrushGreys(int32_t r) {
    const size_t want = size_t(2 * int64_t(r) + 2);
    if (r >= 0 && BrushFormGrey.size() == want * want) {
      data = BrushFormGrey.data();
      side = want;
    }
  }
  uint8_t At(int64_t i, int64_t j) const { return data ? data[size_t(j) * side + size_t(i)] : 0; }
};

int32_t Radius() { return std::clamp(drawforms_length, 0, 400); }

// The stamps of a stroke are shown straight on the canvas picture, as they are made;
// the release redraws the whole view.
struct StampView {
  bool open = false;
  explicit StampView(uint8_t quiet) {
    if (quiet != 0 || !tk::isGadget(11)) return;
    PrepareViewImages();
    const int picture = tk::canvasImage(11);
    open = picture >= 0 && tk::startDrawing(tk::imageOutput(picture));
  }
  ~StampView() {
    if (open) tk::stopDrawing();
  }
};

// The view refresh of one stamp's rectangle.
void ShowStamp(int64_t sx0, int64_t sy0, int32_t size, int32_t horz, int32_t vert) {
  const int64_t x = sx0 - horz, y = sy0 - vert;
  if (x > INT32_MAX / 2 || y > INT32_MAX / 2 || x < INT32_MIN / 2 || y < INT32_MIN / 2) return;
  RedrawImageRect(int32_t(x), int32_t(y), size + 1, size + 1, horz, vert);
}

}  // namespace

void DrawFreehandSegment(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t horz, int32_t vert,
                         int32_t drawMode, float opacity, uint8_t allowreadraw, uint8_t mirrorX, uint8_t mirrorY,
                         uint8_t quiet) {
  int64_t ax = x1, ay = y1, bx = x2, by = y2;
  Mirror(ax, ay, horz, vert, mirrorX, mirrorY);
  Mirror(bx, by, horz, vert, mirrorX, mirrorY);
  const bool view = quiet == 0 && BeginViewDrawing();
  OrderEnds(ax, ay, bx, by);
  const LineSteps s = StepsOf(bx - ax, by - ay);
  const int8_t mode = int8_t(drawMode);
  // the points beyond the image along the major axis are skipped unwalked
  int64_t i0 = 0, i1 = s.n;
  if (s.xMajor()) {
    const int64_t a = ax + horz;
    i0 = s.sx > 0 ? std::max<int64_t>(0, -a) : std::max<int64_t>(0, a - bildlang);
    i1 = s.sx > 0 ? std::min<int64_t>(s.n, bildlang - a) : std::min<int64_t>(s.n, a);
  } else if (s.sy == 1.0f || s.sy == -1.0f) {
    const int64_t a = ay + vert;
    i0 = s.sy > 0 ? std::max<int64_t>(0, -a) : std::max<int64_t>(0, a - bildhoch);
    i1 = s.sy > 0 ? std::min<int64_t>(s.n, bildhoch - a) : std::min<int64_t>(s.n, a);
  }
  for (int64_t i = i0; i <= i1; ++i) {
    const int64_t px = ax + s.Dx(i), py = ay + s.Dy(i);
    const int64_t cx = px + horz, cy = py + vert;
    if (!InImage(cx, cy)) continue;
    PixelCell& cell = CellAt(cx, cy);
    if (allowreadraw != 0 && FlagOf(cell) >= 2) continue;
    DrawPixel(int32_t(cy), int32_t(cx), mode, opacity);
    if (allowreadraw == 1) SetFlag(cell, 2);
    if (view) DrawPixelToView(int32_t(py), int32_t(px), vert, horz);
  }
  if (view) EndViewDrawing();
}

void Brush(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t horz, int32_t vert, int32_t drawMode,
           float opacity, uint8_t allowreadraw, float step, uint8_t mirrorX, uint8_t mirrorY, uint8_t quiet) {
  if (!(step >= 1.0f)) step = 1.0f;   // also a step that is not a number
  int64_t ax = x1, ay = y1, bx = x2, by = y2;
  Mirror(ax, ay, horz, vert, mirrorX, mirrorY);
  Mirror(bx, by, horz, vert, mirrorX, mirrorY);
  OrderEnds(ax, ay, bx, by);
  const LineSteps s = StepsOf(bx - ax, by - ay);
  const int32_t r = Radius(), size = 2 * r + 1;
  const BrushGreys greys(r);
  const float X = float(ax - r + horz), Y = float(ay - r + vert);
  const int8_t mode = int8_t(drawMode);
  const StampView view(quiet);
  for (float t = 0.0f; t <= float(s.n); t += step) {
    if (t + step == t) break;   // a stroke too long for the float steps ends where they stop
    const int64_t sx0 = int64_t(std::nearbyint(t * s.sx + X)), sy0 = int64_t(std::nearbyint(t * s.sy + Y));
    const int64_t j0 = std::max<int64_t>(0, -sy0), j1 = std::min<int64_t>(size, bildhoch - sy0);
    const int64_t i0 = std::max<int64_t>(0, -sx0), i1 = std::min<int64_t>(size, bildlang - sx0);
    for (int64_t i = i0; i <= i1; ++i)
      for (int64_t j = j0; j <= j1; ++j) {
        PixelCell& cell = CellAt(sx0 + i, sy0 + j);
        const uint8_t g = greys.At(i, j);
        if (allowreadraw != 0 && (FlagOf(cell) >= 2 || g == 255)) continue;
        DrawPixel(int32_t(sy0 + j), int32_t(sx0 + i), mode, opacity * float(255 - g) / 255.0f);
        if (allowreadraw == 1) SetFlag(cell, 2);
      }
    if (view.open) ShowStamp(sx0, sy0, size, horz, vert);
  }
}

void Smear(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t horz, int32_t vert, float opacity,
           uint8_t allowreadraw, float step, uint8_t quiet) {
  if (!(step >= 1.0f)) step = 1.0f;
  const LineSteps s = StepsOf(int64_t(x2) - x1, int64_t(y2) - y1);
  const int32_t r = Radius(), size = 2 * r + 1;
  if (SmearBufferSide < size + 1) SizeSmearBuffer(std::max(r, 1));
  if (SmearBufferSide < size + 1) return;
  const BrushGreys greys(r);
  const float X = float(int64_t(x1) - r + horz), Y = float(int64_t(y1) - r + vert);
  const size_t side = size_t(SmearBufferSide);
  const StampView view(quiet);
  auto stamp = [&](float t) {
    const int64_t sx0 = int64_t(std::nearbyint(t * s.sx + X)), sy0 = int64_t(std::nearbyint(t * s.sy + Y));
    const int64_t j0 = std::max<int64_t>(0, -sy0), j1 = std::min<int64_t>(size, bildhoch - sy0);
    const int64_t i0 = std::max<int64_t>(0, -sx0), i1 = std::min<int64_t>(size, bildlang - sx0);
    for (int64_t i = i0; i <= i1; ++i)
      for (int64_t j = j0; j <= j1; ++j) {
        PixelCell& cell = CellAt(sx0 + i, sy0 + j);
        if (allowreadraw != 0 && FlagOf(cell) >= 2) continue;
        const float a = opacity * float(255 - greys.At(i, j)) / 255.0f;
        uint32_t& carried = SmearBuffer[size_t(j) * side + size_t(i)];
        uint32_t out = cell & 0xFF000000u, kept = 0;
        for (int shift = 0; shift <= 16; shift += 8) {
          const float c = float((carried >> shift) & 0xFF), im = float((cell >> shift) & 0xFF);
          kept |= cell & (0xFFu << shift);
          out |= (uint32_t(int32_t(std::nearbyint(c * a + im * (1.0f - a)))) & 0xFF) << shift;
        }
        carried = kept;   // the buffer picks up what lay under it
        cell = out;
      }
    if (view.open) ShowStamp(sx0, sy0, size, horz, vert);
  };
  // the stamps run towards the previous point
  if (X > float(x2)) {
    for (float t = 0.0f; t <= float(s.n) && t + step != t; t += step) stamp(t);
  } else {
    for (float t = float(s.n); t >= 0.0f && t - step != t; t -= step) stamp(t);
  }
}

namespace {

template <class Pick>
void Spray(int32_t y, int32_t x, int32_t horz, int32_t vert, int32_t count, int32_t drawMode, float opacity,
           uint8_t allowreadraw, uint8_t mirrorX, uint8_t mirrorY, uint8_t quiet, Pick&& pick) {
  int64_t mx = x, my = y;
  Mirror(mx, my, horz, vert, mirrorX, mirrorY);
  const bool view = quiet == 0 && BeginViewDrawing();
  const int64_t dots = std::clamp<int64_t>(int64_t(count) + 1, 1, 1000000);
  for (int64_t k = 0; k < dots; ++k) {
    int64_t dx = 0, dy = 0;
    pick(dx, dy);
    const int64_t px = mx + dx, py = my + dy;
    if (px < 0 || py < 0 || px + horz < 0 || py + vert < 0 || px + horz > bildlang || py + vert > bildhoch) continue;
    PixelCell& cell = CellAt(px + horz, py + vert);
    if (allowreadraw != 0 && FlagOf(cell) >= 2) continue;
    DrawPixel(int32_t(py + vert), int32_t(px + horz), int8_t(drawMode), opacity);
    if (view) DrawPixelToView(int32_t(py), int32_t(px), vert, horz);
    if (allowreadraw == 1) SetFlag(cell, 2);
  }
  if (view) EndViewDrawing();
}

}  // namespace

void SprayPaint(int32_t y, int32_t x, int32_t horz, int32_t vert, int32_t size, int32_t count, int32_t drawMode,
                float opacity, uint8_t allowreadraw, uint8_t mirrorX, uint8_t mirrorY, uint8_t quiet) {
  const float half = float(size) / 2.0f;
  Spray(y, x, horz, vert, count, drawMode, opacity, allowreadraw, mirrorX, mirrorY, quiet,
        [&](int64_t& dx, int64_t& dy) {
          dx = int64_t(std::floor(float(ToolRandom(size)) - half));
          dy = int64_t(std::floor(float(ToolRandom(size)) - half));
        });
}

void SprayPaintCircle(int32_t y, int32_t x, int32_t horz, int32_t vert, int32_t radius, int32_t count,
                      int32_t drawMode, float opacity, uint8_t allowreadraw, uint8_t mirrorX, uint8_t mirrorY,
                      uint8_t quiet) {
  const int32_t r = std::clamp(radius, 0, 100000);
  Spray(y, x, horz, vert, count, drawMode, opacity, allowreadraw, mirrorX, mirrorY, quiet,
        [&](int64_t& dx, int64_t& dy) {
          dx = r - std::clamp(ToolRandom(2 * r), 0, 2 * r);
          const int32_t h = int32_t(std::nearbyint(std::sqrt(double(int64_t(r) * r - dx * dx))));
          dy = h - std::clamp(ToolRandom(h), 0, h);
          if (ToolRandom(2) > 1) dy = -dy;   // one draw in three goes up
        });
}

void DrawEllipseStroke(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t horz, int32_t vert, int32_t w,
                       int32_t h, int32_t mode, uint8_t quiet) {
  int64_t ax = x1, ay = y1, bx = x2, by = y2, sh = horz, sv = vert;
  if (mirrorxstate == 1) {
    ax = int64_t(bildlang) - ax;
    sh = -sh;
  }
  if (mirrorystate == 1) {
    ay = int64_t(bildhoch) - ay;
    sv = -sv;
  }
  OrderEnds(ax, ay, bx, by);
  const LineSteps s = StepsOf(bx - ax, by - ay);
  const int64_t n = std::min<int64_t>(s.n, 100000);
  if (mode == 0) {
    const int64_t hw = std::clamp<int64_t>(w / 2, 0, 10000), hh = std::clamp<int64_t>(h / 2, 0, 10000);
    const bool view = quiet == 0 && BeginViewDrawing();
    for (int64_t i = 0; i <= n; ++i) {
      const int64_t px = ax + s.Dx(i), py = ay + s.Dy(i);
      for (int64_t a = -hw; a <= hw; ++a)
        for (int64_t b = -hh; b <= hh; ++b) {
          const int64_t cx = px + a + sh, cy = py + b + sv;
          if (!InImage(cx, cy)) continue;
          PixelCell& cell = CellAt(cx, cy);
          cell = (cell & 0xFF000000u) | 0x00FFFFFFu;
          if (view) DrawPixelToView(int32_t(cy - vert), int32_t(cx - horz), vert, horz);
        }
    }
    if (view) EndViewDrawing();
  } else if (mode == 1) {
    const int32_t r = 2 * std::clamp(w / 2, 0, 10000);
    const uint8_t keptMode = fillstate, kr = Rot, kg = Gruen, kb = Blau;
    for (int64_t i = 0; i <= n; ++i) {
      const int64_t px = ax + s.Dx(i), py = ay + s.Dy(i);
      fillstate = 0;
      Rot = Gruen = Blau = 127;
      DrawEllipse(int32_t(px + sh), int32_t(py + sv), r, r, 0, 0, 1, transstate, 1);
      fillstate = keptMode;
      Rot = kr;
      Gruen = kg;
      Blau = kb;
    }
    if (quiet == 0) RedrawCanvas();
  }
}
