// Selection outlines: the free-hand, polygon and circle marks draw a closed outline into
// the flag bytes of the image (flag 1), shown on the view as they go, and hand it to the
// floating area, which fills its inside and lifts it into the marked area. Outline points
// are kept on the image in image cells, so a scrolled view never marks outside it.
#include <algorithm>
#include <cmath>

#include "documents/documents.h"
#include "shell/shell.h"
#include "toolkit/toolkit.h"
#include "tools/strokes_internal.h"
#include "tools/tools.h"

using namespace strokes;

namespace {

// The drawing colour that the polygon mark's first click replaced, until it is put back.
bool gPolygonColourHeld = false;
uint8_t gHeldRot = 0, gHeldGruen = 0, gHeldBlau = 0;

// One outline dot on the view, one pixel right of and below its cell at zoom 1.
void ShowOutlineDot(int64_t x, int64_t y, uint32_t colour) {
  const double L = length;
  if (L == 1.0) {
    if (x >= 0 && y >= 0 && x <= areaxmax && y <= areaymax) tk::plot(int(x + 1), int(y + 1), colour);
  } else if (L < 1.0) {
    if (x >= 0 && y >= 0 && x <= areaxmax && y <= areaymax)
      tk::plot(int(std::lround(double(x) * L)), int(std::lround(double(y) * L)), colour);
  } else if (x >= -1 && y >= -1 && double(x) * L <= areaxmax && double(y) * L <= areaymax) {
    const int z = int(std::lround(L));
    tk::box(int(std::lround(double(x) * L)), int(std::lround(double(y) * L)), z, z, colour);
  }
}

}  // namespace

void MarkOutlineSegment(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t horz, int32_t vert,
                        int32_t quiet) {
  const bool view = quiet == 0 && BeginViewDrawing();
  const uint32_t colour = InverseAverageColour();
  int64_t ax = x1, ay = y1, bx = x2, by = y2;
  OrderEnds(ax, ay, bx, by);
  const LineSteps s = StepsOf(bx - ax, by - ay);
  // far beyond the image every point clamps to its edge: the walk stops there
  const int64_t n = std::min<int64_t>(s.n, 4 * (int64_t(bildlang) + int64_t(bildhoch) + 4) +
                                               std::abs(int64_t(horz)) + std::abs(int64_t(vert)));
  for (int64_t i = 0; i <= n; ++i) {
    // the point is kept on the image in image cells, then seen from the view again
    const int64_t cx = std::clamp<int64_t>(ax + s.Dx(i) + horz, 0, bildlang);
    const int64_t cy = std::clamp<int64_t>(ay + s.Dy(i) + vert, 0, bildhoch);
    if (view) ShowOutlineDot(cx - horz, cy - vert, colour);
    SetFlag(CellAt(cx, cy), 1);
  }
  if (view) {
    tk::stopDrawing();
    ShowImageOnCanvas(1);
  }
}

void StartPolygonMark(int32_t x, int32_t y, int32_t horz, int32_t vert) {
  vieleckwork = 1;
  linestate = 38;
  paintstate = 38;
  if (CurrentImage >= 0 && size_t(CurrentImage) < ImageRecords.size()) {
    uint8_t* fg = ImageRecords[size_t(CurrentImage)].fgcolor;
    fg[0] = Blau;
    fg[1] = Gruen;
    fg[2] = Rot;
  }
  gPolygonColourHeld = true;
  gHeldRot = Rot;
  gHeldGruen = Gruen;
  gHeldBlau = Blau;
  Rot = uint8_t(127 - AllRot);
  Gruen = uint8_t(127 - AllGruen);
  Blau = uint8_t(127 - AllBlau);
  for (int g : {88, 173, 60})
    if (tk::isGadget(g)) tk::disableGadget(g, true);
  PolygonMarkPoints.clear();
  PolygonMarkPoints.push_back({x, y, horz, vert});
}

void AddPolygonMarkPoint(int32_t x, int32_t y, int32_t horz, int32_t vert) {
  if (!PolygonMarkPoints.empty()) {
    // the last point seen from this click's scroll: its image cell stays where it was
    const PolygonMarkPoint& last = PolygonMarkPoints.back();
    MarkOutlineSegment(x, y, last.x + last.horz - horz, last.y + last.vert - vert, horz, vert, 0);
  }
  PolygonMarkPoints.push_back({x, y, horz, vert});
}

void RestorePolygonMarkColour() {
  if (!gPolygonColourHeld) return;
  gPolygonColourHeld = false;
  Rot = gHeldRot;
  Gruen = gHeldGruen;
  Blau = gHeldBlau;
}

void ClosePolygonMark() {
  vieleckwork = 0;
  if (PolygonMarkPoints.empty()) {
    RestorePolygonMarkColour();
    return;
  }
  const PolygonMarkPoint first = PolygonMarkPoints.front(), last = PolygonMarkPoints.back();
  MarkOutlineSegment(last.x, last.y, first.x + first.horz - last.horz, first.y + first.vert - last.vert, last.horz,
                     last.vert, 1);
  areamark = 2;
  linestate = 0;
  // The outline's bounding box, widened by one cell where the image has room, becomes
  // the area, placed at the present scroll; what the outline encloses is its shape.
  FinishLassoSelection(horz, vert, 0);
  PolygonMarkPoints.clear();
  RestorePolygonMarkColour();
}

void CircleMark(int32_t cx, int32_t cy, int32_t horz, int32_t vert, int32_t radius, uint8_t quiet) {
  const float r = float(std::min<int64_t>(std::abs(int64_t(radius)), 1000000));
  // every point is moved onto the image (in image cells) before its segment is marked
  auto onImage = [&](int32_t& x, int32_t& y) {
    x = int32_t(std::clamp<int64_t>(int64_t(x) + horz, 0, bildlang) - horz);
    y = int32_t(std::clamp<int64_t>(int64_t(y) + vert, 0, bildhoch) - vert);
  };
  int32_t p0x, p0y, lx, ly;
  int32_t prevX = 0, prevY = 0;
  bool first = true;
  EllipseOutline(
      cx, cy, r, r,
      [&](int32_t px, int32_t py, int32_t x, int32_t y) {
        if (first) {
          prevX = px;
          prevY = py;
          first = false;
        }
        onImage(x, y);
        MarkOutlineSegment(prevX, prevY, x, y, horz, vert, 1);
        prevX = x;
        prevY = y;
      },
      p0x, p0y, lx, ly);
  MarkOutlineSegment(p0x, p0y, prevX, prevY, horz, vert, 1);
  FinishLassoSelection(horz, vert, quiet);
}

void PreviewCircleMark(int32_t cx, int32_t cy, int32_t radius) {
  if (!BeginPreview()) return;
  const float r = float(std::min<int64_t>(std::abs(int64_t(radius)), 100000));
  const uint32_t c = InverseAverageColour();
  const uint8_t rr = c & 0xFF, gg = (c >> 8) & 0xFF, bb = (c >> 16) & 0xFF;
  int32_t p0x, p0y, lx, ly;
  EllipseOutline(
      cx, cy, r, r, [&](int32_t px, int32_t py, int32_t x, int32_t y) { PreviewLineSegment(px, py, x, y, rr, gg, bb); },
      p0x, p0y, lx, ly);
  PreviewLineSegment(p0x, p0y, lx, ly, rr, gg, bb);
  EndPreview();
}
