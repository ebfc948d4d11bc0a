// Canvas geometry: zoomed extents, mouse to cell, the rectangle drag and the layout of
// the canvas area inside the main window.
#include <algorithm>
#include <cmath>

#include "documents/documents.h"
#include "documents/view_internal.h"
#include "toolkit/toolkit.h"

using docs::Round;

void UpdateZoomedSizes() {
  maxx = Round(static_cast<double>(bildlang) * length);
  maxy = Round(static_cast<double>(bildhoch) * length);
  showareamaxx = docs::Floor(areaxmax / static_cast<double>(length));
  showareamaxy = docs::Floor(areaymax / static_cast<double>(length));
}

namespace {

// The mouse cell as the two image tests see it (counted from the first visible cell).
void MouseCell(int32_t& cx, int32_t& cy) {
  const int mx = tk::windowMouseX(0), my = tk::windowMouseY(0);
  cx = Round((mx - bildx) / static_cast<double>(length));
  cy = Round((my - CanvasTop) / static_cast<double>(length));
}

}  // namespace

int32_t MouseInImage() {
  if (KeyboardModus) return 1;
  int32_t cx, cy;
  MouseCell(cx, cy);
  if (cx < 0 || cy < 0 || cx > bildlang - horz || cy > bildhoch - vert) return 0;
  if (tk::activeWindow() == 27) return 0;
  return 1;
}

int32_t MouseInImageInterior() {
  if (KeyboardModus) return 1;
  int32_t cx, cy;
  MouseCell(cx, cy);
  return (cx > 0 && cy > 0 && cx < bildlang - horz - 1 && cy < bildhoch - vert - 1) ? 1 : 0;
}

void UpdateCursorPosition() {
  if (KeyboardModus) {
    lang = KeyboardX;
    hoch = KeyboardY;
    return;
  }
  const int mx = tk::windowMouseX(0), my = tk::windowMouseY(0);
  const double half = length / 2.0;
  lang = Round(std::trunc(mx - bildx - half) / length);
  hoch = Round(std::trunc(my - CanvasTop - half) / length);
  KeyboardX = std::clamp(lang, 0, std::max(bildlang, 0));
  KeyboardY = std::clamp(hoch, 0, std::max(bildhoch, 0));
}

namespace {

void BeginSelection(bool keepScroll) {
  UpdateCursorPosition();
  startx = lang;
  starty = hoch;
  if (!keepScroll) {
    vert2 = vert;
    horz2 = horz;
  }
  oldx = startx;
  oldy = starty;
  mousey = starty + vert2 + 1;
  mousex = startx + horz2 + 1;
  arealang = 1;
  areahoch = 1;
}

void FinishSelection(bool clampToImage) {
  if (MouseInImage() == 1) UpdateAreaSelection();
  oldx = RoundNearest(mousex / length);
  oldy = RoundNearest(mousey / length);
  if (clampToImage) {
    auto cx = [](int32_t& v) { v = std::clamp(v, 0, std::max(bildlang, 0)); };
    auto cy = [](int32_t& v) { v = std::clamp(v, 0, std::max(bildhoch, 0)); };
    cx(areax);
    cy(areay);
    cx(startx);
    cy(starty);
    cx(oldx);
    cy(oldy);
  }
  arealang = areax - startx;
  areahoch = areay - starty;
}

}  // namespace

void BeginAreaSelection() { BeginSelection(false); }
void BeginAreaSelectionKeepScroll() { BeginSelection(true); }

void UpdateAreaSelection() {
  oldx = Round(mousex / static_cast<double>(length) + horz - horz2);
  oldy = Round(mousey / static_cast<double>(length) + vert - vert2);
  UpdateCursorPosition();
  areax = lang;
  areay = hoch;
  mousex = Round(static_cast<double>(lang - horz + horz2) * length + length);
  mousey = Round(static_cast<double>(hoch - vert + vert2) * length + length);
  arealang = areax - startx + 1;
  areahoch = areay - starty + 1;
}

void FinishAreaSelection() { FinishSelection(true); }
void FinishAreaSelectionUnclamped() { FinishSelection(false); }

void LayoutCanvasArea() {
  OnErrorCode1 = 29;
  const int W = tk::windowWidth(0), H = tk::windowHeight(0);
  if (W < 317 || H < 159 || bildx >= W - 60) return;
  tk::resizeGadget(6, 0, CanvasTop - 30, W, H - CanvasTop - 10);
  // A multiple of 16 pixels plus one; never below one pixel.
  areaxmax = std::max(0, 16 * docs::Floor((W - bildx - SM_CXHSCROLL - 5) / 16.0));
  areaymax = std::max(0, 16 * docs::Floor((H - (CanvasTop + 37) - SM_CXVSCROLL) / 16.0));
  tk::resizeGadget(11, 30, 30, areaxmax + 1, areaymax + 1);
  docs::EnsureImage(0, areaxmax + 1, areaymax + 1);
  docs::EnsureImage(1, areaxmax + 1, areaymax + 1);
  tk::resizeGadget(4, 30, 0, std::max(areaxmax, 1), 30);
  docs::EnsureImage(17, std::max(areaxmax, 1), 30);
  tk::resizeGadget(5, 0, 30, 30, std::max(areaymax, 1));
  docs::EnsureImage(18, 30, std::max(areaymax, 1));
  tk::resizeGadget(12, 30, areaymax + 31, areaxmax + 1, 20);
  tk::resizeGadget(13, areaxmax + 31, 30, 20, std::max(areaymax, 1));
  DrawRulers();
  UpdateZoomedSizes();
  const int32_t h = horz, v = vert, h2 = horz2, v2 = vert2;
  UpdateScrollBars();
  horz = h;
  vert = v;
  horz2 = h2;
  vert2 = v2;
  if (tk::isGadget(13)) tk::setGadgetState(13, vert);
  if (tk::isGadget(12)) tk::setGadgetState(12, horz);
  RedrawCanvas();
}

void GrabVisibleView() {
  if (!tk::isImage(0)) return;
  PrepareViewImages();
  const int w = (areaxmax <= bildlang * static_cast<double>(length))
                    ? areaxmax + 1
                    : Round(bildlang * static_cast<double>(length));
  const int h = (areaymax <= bildhoch * static_cast<double>(length))
                    ? areaymax + 1
                    : Round(bildhoch * static_cast<double>(length) + 1);
  tk::grabImage(0, 2, 0, 0, std::max(w, 1), std::max(h, 1));
}
