// Shared by the tool routines: the stepping of a straight line in 32-bit floats, the
// 631-step outline of ellipses and circle marks, and small view helpers.
#pragma once
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "documents/documents.h"

namespace strokes {

// A line of n + 1 points (x1 + floor(i * sx), y1 + floor(i * sy)), i = 0..n. The major
// axis steps by exactly 1 or -1, the other by the slope; a zero step becomes 0.001, so a
// line whose end points coincide counts as y-major (its width passes lie side by side).
struct LineSteps {
  float sx = 0.0f, sy = 0.0f;
  int64_t n = 0;
  bool xMajor() const { return sx == 1.0f || sx == -1.0f; }
  int64_t Dx(int64_t i) const { return int64_t(std::floor(float(i) * sx)); }
  int64_t Dy(int64_t i) const { return int64_t(std::floor(float(i) * sy)); }
};

inline LineSteps StepsOf(int64_t dx, int64_t dy) {
  LineSteps s;
  const int64_t ax = dx < 0 ? -dx : dx, ay = dy < 0 ? -dy : dy;
  s.n = std::max(ax, ay);
  if (ax > ay) {
    s.sx = 1.0f;
    s.sy = float(dy) / float(dx);
  } else if (ay > 0) {
    s.sy = 1.0f;
    s.sx = float(dx) / float(dy);
  } else {
    // no length: the slope 0 / 0 is taken as 0 (set to 0.001 below), never computed
    s.sy = 1.0f;
    s.sx = 0.0f;
  }
  if (ay <= ax && dx < 0) {
    s.sx = -1.0f;
    if (ax != ay) s.sy = -s.sy;
  } else if (ax <= ay && dy < 0) {
    s.sy = -1.0f;
    s.sx = -s.sx;
  }
  if (s.sx == 0.0f) s.sx = 0.001f;
  else if (s.sy == 0.0f) s.sy = 0.001f;
  return s;
}

// The pen and the brush walk every line from its lower-left end: the end points are
// exchanged when the first lies right of and below (or on) the second.
inline void OrderEnds(int64_t& x1, int64_t& y1, int64_t& x2, int64_t& y2) {
  if (x1 >= x2 && y1 >= y2) {
    std::swap(x1, x2);
    std::swap(y1, y2);
  }
}

inline bool InImage(int64_t x, int64_t y) { return x >= 0 && y >= 0 && x <= bildlang && y <= bildhoch; }

inline PixelCell& CellAt(int64_t x, int64_t y) {
  return ImagePixels[size_t(y) * (size_t(bildlang) + 1) + size_t(x)];
}
inline uint8_t FlagOf(PixelCell c) { return uint8_t(c >> 24); }
inline void SetFlag(PixelCell& c, uint32_t flag) { c = (c & 0x00FFFFFFu) | (flag << 24); }

// The outline of an ellipse in 631 steps of 0.01 radian (32-bit angles), starting at its
// top and running clockwise on the screen: f(previous, point) for every step.
template <class F>
void EllipseOutline(int32_t cx, int32_t cy, float rx, float ry, F&& f, int32_t& p0x, int32_t& p0y,
                    int32_t& lastX, int32_t& lastY) {
  auto at = [&](float angle, int32_t& x, int32_t& y) {
    x = int32_t(std::clamp(double(cx) + std::floor(double(rx) * std::sin(double(angle))), -2e9, 2e9));
    y = int32_t(std::clamp(double(cy) + std::floor(double(-ry) * std::cos(double(angle))), -2e9, 2e9));
  };
  at(0.01f, p0x, p0y);
  int32_t px = p0x, py = p0y;
  float angle = 0.0f;
  for (int k = 0; k < 631; ++k) {
    angle = angle + 0.01f;
    int32_t x, y;
    at(angle, x, y);
    f(px, py, x, y);
    px = x;
    py = y;
  }
  lastX = px;
  lastY = py;
}

// The offsets i in 0..reach for which column c - i or c + i lies in 0..last, as at most
// two runs in increasing order, so that far-off shapes cost nothing for their size.
template <class F>
void ForEachReachingOffset(int64_t c, int64_t reach, int64_t last, F&& f) {
  // c - i in 0..last: i in c - last .. c; c + i in 0..last: i in -c .. last - c
  int64_t a1 = std::max<int64_t>(c - last, 0), b1 = std::min<int64_t>(c, reach);
  int64_t a2 = std::max<int64_t>(-c, 0), b2 = std::min<int64_t>(last - c, reach);
  if (a1 > a2 || (a1 == a2 && b1 > b2)) {
    std::swap(a1, a2);
    std::swap(b1, b2);
  }
  if (a1 > b1) {   // the first run is empty: the second alone
    for (int64_t i = a2; i <= b2; ++i) f(i);
    return;
  }
  if (a2 > b2) {
    for (int64_t i = a1; i <= b1; ++i) f(i);
    return;
  }
  if (a2 <= b1 + 1) {   // overlapping or touching: one run
    for (int64_t i = a1; i <= std::max(b1, b2); ++i) f(i);
    return;
  }
  for (int64_t i = a1; i <= b1; ++i) f(i);
  for (int64_t i = a2; i <= b2; ++i) f(i);
}

inline uint32_t ColourValue(uint8_t r, uint8_t g, uint8_t b) {
  return uint32_t(r) | (uint32_t(g) << 8) | (uint32_t(b) << 16);
}
inline uint32_t InverseAverageColour() {
  return ColourValue(uint8_t(255 - (AllRot & 0xFF)), uint8_t(255 - (AllGruen & 0xFF)),
                     uint8_t(255 - (AllBlau & 0xFF)));
}

// Starts drawing on view image 1 over a copy of the canvas picture (image 0); false when
// there is no view to draw on.
bool BeginPreview();
// Tool outline, end of drawing, image 1 shown on the canvas.
void EndPreview();
// Starts drawing on view image 1 as it stands.
bool BeginViewDrawing();
void EndViewDrawing();
// One view cell in `colour` at the zoom: a point at zoom 1 or below, else a filled square.
void PlotZoomed(int64_t x, int64_t y, uint32_t colour);

}  // namespace strokes
