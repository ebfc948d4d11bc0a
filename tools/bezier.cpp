// The cubic Bézier curve of the four points P0 (start), P1, P2 (controls) and P3 (end),
// in image cells. The curve is drawn as 20 pen segments: t grows by the 32-bit float
// 0x3D4CCCCC (one step below the float nearest 0.05) and is stored back as a 32-bit float
// each time, so it ends at 1.0000001 after 20 steps and the last segment ends on P3.
#include <bit>
#include <cmath>
#include <cstdint>

#include "documents/documents.h"
#include "toolkit/toolkit.h"
#include "tools/strokes_internal.h"
#include "tools/tools.h"

namespace {

constexpr float kBezierStep = std::bit_cast<float>(uint32_t(0x3D4CCCCC));

// The 21 points of the curve (t = 0 and the 20 steps), f(previous, point) per segment.
template <class F>
void WalkBezier(int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3, int32_t y3,
                F&& f) {
  const float sx = 3.0f * (float(x1) - float(x0)), qx = 3.0f * (float(x2) - float(x1)) - sx;
  const float px = float(x3) - float(x0) - sx - qx;
  const float sy = 3.0f * (float(y1) - float(y0)), qy = 3.0f * (float(y2) - float(y1)) - sy;
  const float py = float(y3) - float(y0) - sy - qy;
  int32_t prevX = x0, prevY = y0;
  volatile float t = 0.0f;   // kept in 32 bits between the steps
  while (t < 1.0f) {
    t = t + kBezierStep;
    const float tt = t;
    const int32_t x = int32_t(std::nearbyint(((px * tt + qx) * tt + sx) * tt + float(x0)));
    const int32_t y = int32_t(std::nearbyint(((py * tt + qy) * tt + sy) * tt + float(y0)));
    f(prevX, prevY, x, y);
    prevX = x;
    prevY = y;
  }
}

}  // namespace

void DrawBezierCurve(int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3,
                     int32_t y3, int32_t horz, int32_t vert, int32_t drawMode, float opacity, int32_t quiet) {
  if (quiet == 0) CreateUndoPoint();
  WalkBezier(x0, y0, x1, y1, x2, y2, x3, y3, [&](int32_t ax, int32_t ay, int32_t bx, int32_t by) {
    DrawFreehandSegment(ax - horz, ay - vert, bx - horz, by - vert, horz, vert, drawMode, opacity, 0, 0, 0, 1);
  });
  if (quiet == 0) RedrawCanvas();
}

void PreviewBezierCurve(int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3,
                        int32_t y3) {
  if (!strokes::BeginPreview()) return;
  WalkBezier(x0, y0, x1, y1, x2, y2, x3, y3, [&](int32_t ax, int32_t ay, int32_t bx, int32_t by) {
    PreviewLineSegment(ax - horz, ay - vert, bx - horz, by - vert, Rot, Gruen, Blau);
  });
  strokes::EndPreview();
}
