// The composed canvas: view image 0 with the keyboard crosshair, the floating area and
// its frame and the grid laid over it, and the two rulers beside the canvas.
//
// The canvas gadget's own picture is the composed view: it holds the plain view (written
// there by the redraw, or copied from view image 0) and the overlays are drawn on it.
#include <algorithm>
#include <cmath>
#include <string>

#include "documents/documents.h"
#include "documents/view_internal.h"
#include "toolkit/toolkit.h"

using docs::Round;

uint8_t GridActive = 0;
int32_t GridWidth = 100;
uint8_t GridHorz = 1, GridVert = 1;
int32_t AreaScreenX = 0, AreaScreenY = 0;
int32_t AreaZoomMaxX = 0, AreaZoomMaxY = 0;

namespace {

uint32_t OverlayColor() {
  const uint32_t r = 255 - (uint32_t(AllRot) & 0xFF);
  const uint32_t g = 255 - (uint32_t(AllGruen) & 0xFF);
  const uint32_t b = 255 - (uint32_t(AllBlau) & 0xFF);
  return r | (g << 8) | (b << 16);
}

int CanvasImageNumber() { return tk::isGadget(11) ? tk::canvasImage(11) : -1; }

// The first grid line after scroll position p: the next multiple of W beyond the edge.
int64_t GridPhase(int64_t p, int64_t W) {
  const int64_t fl = (p >= 0) ? p / W : -((-p + W - 1) / W);
  return W - (p - fl * W);
}

// The grid lines shifted by (x0, y0) on the open drawing output. thinBelowOne: one-pixel
// lines below 100 %.
void GridLines(int32_t x0, int32_t y0, bool thinBelowOne) {
  const int64_t W = GridWidth;
  if (W < 1) return;
  const uint32_t color = OverlayColor();
  const double L = length;
  if (L == 1.0) {
    if (GridHorz == 1) {
      for (int64_t y = GridPhase(vert, W); y < areaymax; y += W)
        tk::line(x0, int(y0 + y), x0 + areaxmax, int(y0 + y), color);
    }
    if (GridVert == 1) {
      for (int64_t x = GridPhase(horz, W); x < areaxmax; x += W)
        tk::line(int(x0 + x), y0, int(x0 + x), y0 + areaymax, color);
    }
    return;
  }
  // Bars one zoomed cell thick (at least one pixel), placed on the zoomed grid.
  const int thick = (thinBelowOne && L < 1.0) ? 1 : std::max(1, Round(L));
  if (GridHorz == 1) {
    for (int64_t y = Round(GridPhase(vert, W) * L); y < areaymax;) {
      tk::box(x0, int(y0 + y), areaxmax, thick, color);
      y = std::max<int64_t>(y + 1, Round(W * L + y));
    }
  }
  if (GridVert == 1) {
    for (int64_t x = Round(GridPhase(horz, W) * L); x < areaxmax;) {
      tk::box(int(x0 + x), y0, thick, areaymax, color);
      x = std::max<int64_t>(x + 1, Round(W * L + x));
    }
  }
}

// The canvas picture gets the plain view, ready for overlays to be drawn on it.
void CanvasFromView() {
  docs::CanvasShowsView();
  docs::CanvasPictureChanging();
}

}  // namespace

int32_t ComposeCanvasView() {
  const int canvas = CanvasImageNumber();
  if (canvas < 0 || !tk::isImage(0)) return 0;
  if (KeyboardModus == 1 && Keydrawmode == 0) {
    CanvasFromView();
    UpdateCursorPosition();
    const uint32_t color = OverlayColor();
    if (tk::startDrawing(tk::imageOutput(canvas))) {
      if (length == 1.0f) {
        // Extents of 3 are three pixels from the cursor: cells lang - 2 .. lang + 2.
        tk::line(lang, hoch, lang + 2, hoch, color);
        tk::line(lang, hoch, lang - 2, hoch, color);
        tk::line(lang, hoch, lang, hoch + 2, color);
        tk::line(lang, hoch, lang, hoch - 2, color);
      } else {
        const double L = length;
        const int X = Round(lang * L), Y = Round(hoch * L);
        const int l3 = Round(3 * L), l1 = Round(L);
        tk::box(X, Y, l3, l1, color);
        tk::box(Round(X - 2 * L), Y, l3, l1, color);
        tk::box(X, Y, l1, l3, color);
        tk::box(X, Round(Y - 2 * L), l1, l3, color);
      }
      tk::stopDrawing();
    }
    DrawGrid();
  } else if (areamark >= 1) {
    CanvasFromView();
    const double L = length;
    AreaScreenX = (startx - horz + horz2 <= showareamaxx) ? Round((startx - horz + horz2) * L) : areaxmax;
    AreaScreenY = (starty - vert + vert2 <= showareamaxy) ? Round((starty - vert + vert2) * L) : areaymax;
    if (tk::startDrawing(tk::imageOutput(canvas))) {
      if (tk::isImage(22)) {
        if (areamark == 1) {
          tk::drawImage(22, Round((Startareax - horz) * L), Round((startareay - vert) * L));
        } else {
          tk::drawImage(22, Round((startx - horz + horz2) * L), Round((starty - vert + vert2) * L));
        }
      }
      if (areamark == 1 || areamark == 3) {
        const uint32_t c = OverlayColor();
        const int ax = AreaScreenX, ay = AreaScreenY;
        const int bx = AreaScreenX + AreaZoomMaxX, by = AreaScreenY + AreaZoomMaxY;
        tk::line(ax, ay, bx, ay, c);
        tk::line(ax, ay, ax, by, c);
        tk::line(bx, ay, bx, by, c);
        tk::line(ax, by, bx, by, c);
      }
      tk::stopDrawing();
    }
    DrawGrid();
  } else if (GridActive != 0) {
    CanvasFromView();
    DrawGrid();
  } else {
    docs::CanvasShowsView();   // the view itself, without a copy when it is there already
  }
  tk::imageChanged(canvas);
  return 0;
}

void DrawGrid() {
  OnErrorCode2 = 19;
  const int canvas = CanvasImageNumber();
  if (GridActive == 1 && canvas >= 0) docs::CanvasPictureChanging();
  if (GridActive == 1 && canvas >= 0 && tk::startDrawing(tk::imageOutput(canvas))) {
    GridLines(0, 0, false);
    tk::stopDrawing();
  }
  OnErrorCode2 = 0;
}

void DrawGridAt(int32_t x0, int32_t y0) {
  if (GridActive == 1) GridLines(x0, y0, true);
}

// The tool's outline on a preview being drawn: the grid, when it is on, so that a tool's
// preview shows it as the composed canvas does.
void DrawToolOutline(int32_t, int32_t) { DrawGridAt(0, 0); }

void DrawGridOnWindow() {
  if (GridActive != 1 || !tk::startDrawing(tk::windowOutput(0))) return;
  GridLines(bildx, CanvasTop, true);
  tk::stopDrawing();
}

// ---- rulers ---------------------------------------------------------------------------------

namespace {

constexpr uint32_t kBlack = 0, kWhite = 0xFFFFFF;

// One unit of the ruler scale: its length in screen pixels, its number of minor steps,
// and the number written at unit k.
struct RulerScale {
  double unitPixels;       // screen pixels per unit
  int minor;               // minor marks per unit
  int64_t cellsPerUnit;    // pixel scale: image cells per unit; 0 for centimetres
};

RulerScale Scale(bool centimetres) {
  const double L = length;
  if (centimetres) {
    const int P = std::max(30, Round(DefaultPrinterResolution() * L / 29.7));
    return {double(P), 10, 0};
  }
  // Pixel scale: 1, 2, 5, 10, 20, 50 ... image cells a unit, at least 50 screen pixels.
  int64_t u = 1;
  for (int i = 0; u * L < 50 && i < 40; ++i) u = (i % 3 == 1) ? u * 5 / 2 : u * 2;
  return {u * L, u >= 10 ? 10 : int(u), u};
}

// Draws the marks of one ruler on the open output. along: the ruler's length in pixels;
// scroll: horz or vert; mark(pos, depth, thickness): a mark of depth pixels at pos.
template <typename Mark, typename Number>
void RulerMarks(int along, int32_t scroll, bool centimetres, Mark mark, Number number) {
  const double L = length;
  const RulerScale s = Scale(centimetres);
  const int thick = std::max(1, Round(L));
  if (centimetres) {
    const int P = int(s.unitPixels);
    int64_t x = Round(-scroll * L);
    if (x < -P) x += ((-x) / P - 1) * P;   // skip the units left of the ruler
    const int minorStep = P / 10;
    for (; x < along; x += P) {
      if (minorStep > 0) {
        for (int i = 1; i < 10; ++i) mark(int(x + i * minorStep), 2, thick);
      }
      mark(int(x + P / 2), 5, thick);
      mark(int(x), 10, thick);
      number(int(x), std::to_string(Round((scroll * L + x) / P)));
    }
    return;
  }
  const int64_t u = s.cellsPerUnit;
  const int64_t k0 = scroll / u;
  for (int64_t k = k0;; ++k) {
    const int64_t cell = k * u;
    const int64_t x = Round((cell - scroll) * L);
    if (x >= along) break;
    for (int i = 1; i < s.minor; ++i) {
      if (i * 2 == s.minor) continue;
      mark(int(Round((cell + i * (u / s.minor) - scroll) * L)), 2, thick);
    }
    mark(int(Round((cell + u / 2.0 - scroll) * L)), 5, thick);
    mark(int(x), 10, thick);
    number(int(x), std::to_string(cell));
  }
}

}  // namespace

void DrawRulers() {
  if (!tk::isMenu(0) || !tk::menuItemChecked(0, 185)) return;
  const bool cm = tk::menuItemChecked(0, 186);
  if (tk::menuItemChecked(0, 188)) {
    const int w = std::max(areaxmax, 1);
    if (docs::EnsureImage(17, w, 30) && tk::startDrawing(tk::imageOutput(17))) {
      tk::drawingMode(tk::DrawDefault);
      tk::box(0, 0, w, 30, kWhite);
      tk::line(0, 29, w - 1, 29, kBlack);
      RulerMarks(
          areaxmax, horz, cm,
          [](int x, int depth, int thick) { tk::box(x, 30 - depth, thick, depth, kBlack); },
          [](int x, const std::string& t) {
            tk::drawingMode(tk::DrawTransparent);
            tk::drawText(x - 5, 5, t, kBlack, kWhite);
            tk::drawingMode(tk::DrawDefault);
          });
      tk::stopDrawing();
      if (tk::isGadget(4)) tk::setGadgetAttribute(4, tk::AttrImage, 17);
    }
  }
  if (tk::menuItemChecked(0, 189)) {
    const int h = std::max(areaymax, 1);
    if (docs::EnsureImage(18, 30, h) && tk::startDrawing(tk::imageOutput(18))) {
      tk::drawingMode(tk::DrawDefault);
      tk::box(0, 0, 30, h, kWhite);
      tk::line(29, 0, 29, h - 1, kBlack);
      RulerMarks(
          areaymax, vert, cm,
          [](int y, int depth, int thick) { tk::box(30 - depth, y, depth, thick, kBlack); },
          [](int y, const std::string& t) {
            tk::drawingMode(tk::DrawTransparent);
            tk::drawText(1, y + 2, t, kBlack, kWhite);
            tk::drawingMode(tk::DrawDefault);
          });
      tk::stopDrawing();
      if (tk::isGadget(5)) tk::setGadgetAttribute(5, tk::AttrImage, 18);
    }
  }
}
