// Moving effects of the marked area: the four line shifts, the two mirrors, the three quarter
// turns and the free rotation. Mirrors, turns and the rotation move whole cells, flag byte
// included, so the selected shape moves with its pixels; the line shifts copy the colour
// bytes only.
//
// The line shifts work in place in ascending order: each copy reads a cell that the walk has
// not changed yet, so the up and down shifts (and the left and right ones) give one result,
// with the first row (column) kept and the last one doubled.
//
// The quarter turns re-allocate the area at its new extents and bring the area's far corner,
// its zoomed extents and its display image (image 22) into step. The free rotation takes at
// most one quarter turn, then samples the area bilinearly onto a zero canvas of the rotated
// extents (black, flag 0 where no source lies: not part of the shape); the origin stays, the
// area grows or shrinks to the right and down.
#include <algorithm>
#include <cmath>

#include "effects/area_frame.h"
#include "effects/effects.h"
#include "effects/kernels_geometry.h"
#include "toolkit/toolkit.h"

namespace {

std::vector<uint32_t> AreaTurnCopy(1);   // the area before a quarter turn; 1 cell between turns

// Cells (x, y) of the even columns, rows 1 .. last - 1, take the colour of (x, y + 1).
int32_t ShiftColumns(int32_t quiet) {
  fx::BeginAreaEffect();
  const fx::Span s = fx::AreaSpan();
  for (int32_t y = 1; y <= areahoch - 1; ++y) {
    fx::Cell* p = s.row(y);
    const fx::Cell* below = s.row(y + 1);
    for (int32_t x = 0; x <= arealang; x += 2) p[x] = (p[x] & fx::FlagMask) | (below[x] & fx::ColourMask);
  }
  lang = (arealang / 2 + 1) * 2;
  hoch = std::max(areahoch, 1);
  fx::EndAreaEffect(quiet);
  return 0;
}

// Cells (x, y) of the even rows, columns 1 .. last - 1, take the colour of (x + 1, y).
int32_t ShiftRows(int32_t quiet) {
  fx::BeginAreaEffect();
  const fx::Span s = fx::AreaSpan();
  for (int32_t y = 0; y <= areahoch; y += 2) {
    fx::Cell* p = s.row(y);
    for (int32_t x = 1; x <= arealang - 1; ++x) p[x] = (p[x] & fx::FlagMask) | (p[x + 1] & fx::ColourMask);
  }
  lang = std::max(arealang, 1);
  hoch = (areahoch / 2 + 1) * 2;
  fx::EndAreaEffect(quiet);
  return 0;
}

// Undo point only when interactive: a script's run keeps its own single undo point.
void BeginMirror(int32_t quiet) {
  fx::BeginAreaEffect();
  if (quiet == 0) CreateUndoPoint();
}

// The far corner, the pointer's screen position, the zoomed extents and image 22 after the
// area's extents changed.
void AreaExtentsChanged() {
  oldx = startx + arealang;
  oldy = starty + areahoch;
  mousex = RoundNearest(float((double(oldx) - horz + horz2) * length + length));
  mousey = RoundNearest(float((double(oldy) - vert + vert2) * length + length));
  AreaZoomMaxX = RoundNearest(float(arealang) * length);
  AreaZoomMaxY = RoundNearest(float(areahoch) * length);
  if (tk::isImage(22)) tk::freeImage(22);
  tk::createImage(22, std::max(AreaZoomMaxX + 1, 1), std::max(AreaZoomMaxY + 1, 1));
}

// quarter: 90 clockwise, 180, 270 counter-clockwise.
int32_t TurnArea(int32_t quarter, int32_t quiet) {
  fx::BeginAreaEffect();
  // The old frame's four edges are drawn again from the image (view coordinates): right,
  // bottom, top, left.
  const int32_t x1 = startx + horz2 - horz, y1 = starty + vert2 - vert;
  const int32_t x2 = oldx + horz2 - horz, y2 = oldy + vert2 - vert;
  DrawImageRegionToView(x2, y1, x2, y2);
  DrawImageRegionToView(x1, y2, x2, y2);
  DrawImageRegionToView(x1, y1, x2, y1);
  DrawImageRegionToView(x1, y1, x1, y2);
  const int32_t oldWidth = arealang + 1, oldHeight = areahoch + 1;
  AreaTurnCopy.swap(AreaPixels);
  if (quarter != 180) std::swap(arealang, areahoch);
  AreaPixels.assign((size_t(arealang) + 1) * (size_t(areahoch) + 1), 0u);
  const fx::Span old{AreaTurnCopy.data(), oldWidth, oldWidth, oldHeight};
  if (quarter == 180) {
    std::copy_n(AreaTurnCopy.begin(), AreaPixels.size(), AreaPixels.begin());
    fx::TurnHalf(fx::AreaSpan());
  } else {
    fx::TurnQuarter(old, fx::AreaSpan(), quarter == 90);
  }
  AreaTurnCopy.assign(1, 0u);
  fx::AreaLoopDone();
  AreaExtentsChanged();
  if (quiet == 0) {
    RefreshView();
    RedrawCanvas();
  }
  return 0;
}

}  // namespace

int32_t Blur_Up_Marked(int32_t quiet) { return ShiftColumns(quiet); }
int32_t Blur_Down_Marked(int32_t quiet) { return ShiftColumns(quiet); }
int32_t Blur_Left_Marked(int32_t quiet) { return ShiftRows(quiet); }
int32_t Blur_Right_Marked(int32_t quiet) { return ShiftRows(quiet); }

int32_t Mirror_X_Marked(int32_t quiet) {
  BeginMirror(quiet);
  fx::ForEachRow(fx::AreaSpan(), [](fx::Cell* p, int32_t n) { std::reverse(p, p + n); });
  lang = arealang / 2 + 1;
  hoch = areahoch + 1;
  fx::EndAreaEffect(quiet);
  return 0;
}

int32_t Mirror_Y_Marked(int32_t quiet) {
  BeginMirror(quiet);
  const fx::Span s = fx::AreaSpan();
  for (int32_t y = 0, q = areahoch; y < q; ++y, --q) std::swap_ranges(s.row(y), s.row(y) + s.width, s.row(q));
  lang = arealang + 1;
  hoch = areahoch / 2 + 1;
  fx::EndAreaEffect(quiet);
  return 0;
}

int32_t Turn_90_Marked(int32_t quiet) { return TurnArea(90, quiet); }
int32_t Turn_180_Marked(int32_t quiet) { return TurnArea(180, quiet); }
int32_t Turn_270_Marked(int32_t quiet) { return TurnArea(270, quiet); }

int32_t RotateFree_Marked(float angle, int32_t quiet) {
  if (angle >= 270) {
    Turn_270_Marked(1);
    angle -= 270;
  } else if (angle >= 180) {
    Turn_180_Marked(1);
    angle -= 180;
  } else if (angle >= 90) {
    Turn_90_Marked(1);
    angle -= 90;
  }
  const float cs = float(CosDegrees(angle)), sn = float(SinDegrees(angle));
  const int32_t W = arealang, H = areahoch;
  const double lastX = std::nearbyint(double(cs) * (W + 1) + double(sn) * (H + 1) - 1);
  const double lastY = std::nearbyint(double(cs) * (H + 1) + double(sn) * (W + 1) - 1);
  // A rest angle of 360 or more (or a negative one) is not reduced further; a canvas without
  // cells or past the image limit leaves the area as it is.
  if (!(lastX >= 0 && lastY >= 0 && lastX < 2147483647.0 && lastY < 2147483647.0)) return 0;
  const int32_t X = int32_t(lastX), Y = int32_t(lastY);
  const size_t cells = CellsOfExtents(X, Y);
  if (cells == 0) return 0;
  TransformCopy.assign(cells, 0u);
  const float fH = float(H);
  for (int32_t x = 0; x <= X; ++x) {
    for (int32_t y = 0; y <= Y; ++y) {
      const float fx = float(x), fy = float(y);
      const float sx = fx * cs - (cs * fH - fy) * sn;
      const float sy = fy * cs - (fx - sn * fH) * sn;
      if (fx::CeilFloat(sy) >= 0.0f && fx::TruncFloat(sy) <= fH && fx::CeilFloat(sx) >= 0.0f &&
          fx::TruncFloat(sx) <= float(W))
        SampleAreaBilinear(TransformCopy[size_t(y) * (size_t(X) + 1) + size_t(x)], sx, sy);
    }
  }
  lang = X + 1;
  hoch = Y + 1;
  ResizeAreaBuffer(X, Y, length);
  AreaPixels.swap(TransformCopy);
  TransformCopy.assign(1, 0u);
  oldx = startx + arealang;
  oldy = starty + areahoch;
  if (quiet == 0) {
    RefreshView();
    RedrawCanvas();
  }
  return 0;
}
