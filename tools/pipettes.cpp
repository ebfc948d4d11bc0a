// The pipette (the colour under the mouse becomes the drawing colour), the colour-range
// pipette (the average colour of a box, ellipse or rhombus of cells, truncated), and the
// compass (a centre press, a radius press, then every press and drag draws towards the
// mouse on the circle: a spoke to the centre or the single cell on the circle).
#include <algorithm>
#include <cmath>
#include <string>

#include "documents/documents.h"
#include "shell/shell.h"
#include "toolkit/toolkit.h"
#include "tools/strokes_internal.h"
#include "tools/tools.h"

using strokes::ForEachReachingOffset;

int32_t CompassScrollX = 0, CompassScrollY = 0;
uint8_t CompassHeld = 0;

void PickColor() {
  if (MouseInImage() != 1) return;
  UpdateCursorPosition();
  const int64_t x = int64_t(lang) + horz, y = int64_t(hoch) + vert;
  if (!strokes::InImage(x, y)) return;
  const PixelCell c = strokes::CellAt(x, y);
  Rot = uint8_t(c >> 16);
  Gruen = uint8_t(c >> 8);
  Blau = uint8_t(c);
  const uint8_t values[3] = {Rot, Gruen, Blau};
  for (int k = 0; k < 3; ++k) {
    const int g = 816 + 2 * k;
    if (!tk::isGadget(g)) continue;
    tk::setGadgetState(g, values[k]);
    tk::setGadgetText(g, std::to_string(values[k]));
  }
  UpdateColourDisplays();
  UpdateColourRatios();
}

// ---- colour-range pipette ----

void ColorRangePipette(int32_t x, int32_t y, int32_t w, int32_t h, int32_t shape) {
  uint64_t sumR = 0, sumG = 0, sumB = 0, count = 0;
  auto add = [&](int64_t cx, int64_t cy) {
    const PixelCell c = strokes::CellAt(cx, cy);
    sumR += (c >> 16) & 0xFF;
    sumG += (c >> 8) & 0xFF;
    sumB += c & 0xFF;
    ++count;
  };
  const int64_t X = x, Y = y;
  if (shape == 1) {
    int64_t bx = X, by = Y, bw = w, bh = h;
    if (bx < 0) {
      bw += bx;
      bx = 0;
    }
    if (by < 0) {
      bh += by;
      by = 0;
    }
    if (bx + bw > bildlang) bw = int64_t(bildlang) - bx;
    if (by + bh > bildhoch) bh = int64_t(bildhoch) - by;
    if (bw > 0 && bh > 0)
      for (int64_t j = 0; j < bh; ++j)
        for (int64_t i = 0; i < bw; ++i) add(bx + i, by + j);
  } else if (shape == 2) {
    const int64_t W = std::abs(int64_t(w)), H = std::abs(int64_t(h));
    // the centre column is not summed: a radius of 0 sums nothing
    ForEachReachingOffset(X, W, bildlang, [&](int64_t i) {
      if (i == 0) return;
      const float q = float(i) / float(W);
      const int64_t hh = RoundNearest(std::sqrt(std::max(0.0f, 1.0f - q * q)) * float(H));
      for (int64_t col : {X - i, X + i}) {
        if (col < 0 || col > bildlang) continue;
        for (int64_t j = std::max<int64_t>(0, -Y); j <= std::min<int64_t>(hh, int64_t(bildhoch) - Y); ++j)
          add(col, Y + j);
        for (int64_t j = std::max<int64_t>(1, Y - bildhoch); j <= std::min<int64_t>(hh, Y); ++j) add(col, Y - j);
      }
    });
  } else if (shape == 3) {
    const int64_t A = std::min<int64_t>(std::abs(int64_t(w)), INT32_MAX / 4);
    const int64_t B = std::min<int64_t>(std::abs(int64_t(h)), INT32_MAX / 4);
    for (int64_t r = std::max(-B, -Y); r <= std::min(B, int64_t(bildhoch) - Y); ++r) {
      // a rhombus of no height is the row of its width
      const int64_t half =
          B == 0 ? A : int64_t(std::nearbyint(std::fabs(float(A) / float(B) * float(B - std::abs(r)))));
      for (int64_t q = std::max(-half, -X); q <= std::min(half, int64_t(bildlang) - X); ++q) add(X + q, Y + r);
    }
  }
  if (count == 0) return;
  PushRecentColour();
  Rot = uint8_t(sumR / count);
  Gruen = uint8_t(sumG / count);
  Blau = uint8_t(sumB / count);
  UpdateColourDisplays();
}

// ---- compass ----

void StoreCompassCentre(int32_t x, int32_t y, int32_t scrollX, int32_t scrollY) {
  CompassCentreX = x;
  CompassCentreY = y;
  CompassScrollX = scrollX;
  CompassScrollY = scrollY;
}

void StoreCompassRadius(int32_t x, int32_t y) {
  const int64_t dx = int64_t(x) + horz - CompassScrollX - CompassCentreX;
  const int64_t dy = int64_t(y) + vert - CompassScrollY - CompassCentreY;
  CompassRadius = int32_t(std::min<double>(std::nearbyint(std::sqrt(double(dx * dx + dy * dy))), INT32_MAX));
}

void CompassPoint(float x, float y, float cx, float cy, float r, float& px, float& py) {
  float dx = std::fabs(x - cx), dy = std::fabs(y - cy);
  const float diagonal = r / std::sqrt(2.0f);
  if (dx == 0.0f && dy == 0.0f) {
    // the mouse on the centre: the point on the diagonal up and left
    dx = dy = diagonal;
  } else {
    // onto the square of half-side r, then the larger one onto the circle
    if (dx >= dy) {
      dy = dy * r / dx;
      dx = r;
    } else {
      dx = dx * r / dy;
      dy = r;
    }
    if (dx == dy) dx = dy = diagonal;
    else if (dx > dy) dx = std::sqrt(std::max(0.0f, r * r - dy * dy));
    else dy = std::sqrt(std::max(0.0f, r * r - dx * dx));
  }
  px = cx + (x - cx > 0 ? 1.0f : -1.0f) * dx;
  py = cy + (y - cy > 0 ? 1.0f : -1.0f) * dy;
}

void DrawCompass(float x, float y, float cx, float cy, float r, int32_t horz, int32_t vert, uint8_t mode,
                 float opacity, uint8_t noOverpaint) {
  float px, py;
  CompassPoint(x, y, cx, cy, r, px, py);
  const auto whole = [](float v) { return int32_t(std::clamp(std::nearbyint(double(v)), -1e9, 1e9)); };
  DrawFreehandSegment(whole(px), whole(py), whole(cx), whole(cy), horz, vert, mode, opacity, noOverpaint, 0, 0, 0);
}

void DrawCompassPixels(float x, float y, float cx, float cy, float r, int32_t horz, int32_t vert, uint8_t mode,
                       float opacity, uint8_t noOverpaint) {
  float px, py;
  CompassPoint(x, y, cx, cy, r, px, py);
  const float u = px + float(horz), v = py + float(vert);
  if (!(u >= 0.0f && v >= 0.0f && u <= float(bildlang) && v <= float(bildhoch))) return;
  if (noOverpaint != 0 && strokes::FlagOf(strokes::CellAt(int64_t(u), int64_t(v))) != 0) return;
  const int32_t row = std::min(int32_t(std::nearbyint(v)), bildhoch), col = std::min(int32_t(std::nearbyint(u)), bildlang);
  DrawPixel(row, col, int8_t(mode), opacity);
  if (strokes::BeginViewDrawing()) {
    DrawPixelToView(int32_t(std::nearbyint(py)), int32_t(std::nearbyint(px)), vert, horz);
    strokes::EndViewDrawing();
  }
}

// The compass holds the image at each drawing press and commits it at the release, so
// a held image never waits for another command.
void HoldCompassDrawing() {
  if (CompassHeld == 1) return;
  HoldImage();
  CompassHeld = 1;
}

void CommitCompassDrawing() {
  if (CompassHeld == 0) return;
  CompassHeld = 0;
  CreateUndoPointFromHold();
}

// The painting tools' own state back to its start (tests).
void ResetPaintingTools() {
  CompassScrollX = CompassScrollY = 0;
  CompassHeld = 0;
  FillCount = 0;
  ToolRandom = &tk::random;
  RestorePolygonMarkColour();
}
