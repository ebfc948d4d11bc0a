// The distortion tool: the image is cut into four rectangles at the press cell P, and
// each is stretched so that their common corner follows the mouse cell Q. Toolkit image
// 33 holds the whole image and 34 to 37 the four parts (top-left, top-right, bottom-left,
// bottom-right) from the press to the release or the cancel. The image keeps its extents
// all along: Q may reach one past the last cell (the far edge) without the image arrays
// being read past their end, and a part of no width or height is left out.
#include <algorithm>

#include "documents/documents.h"
#include "toolkit/toolkit.h"
#include "tools/tools.h"

namespace {

int32_t gPressX = 0, gPressY = 0;   // P, image cells
int32_t gCornerX = 0, gCornerY = 0; // Q of the last preview, image cells
bool gPartsMade = false;

void FreeParts() {
  for (int image : {34, 35, 36, 37})
    if (tk::isImage(image)) tk::freeImage(image);
  gPartsMade = false;
}

// Cuts image 33 at P and stretches the parts so that their common corner lies at Q.
void MakeParts(int32_t qx, int32_t qy) {
  FreeParts();
  const int32_t W = bildlang + 1, H = bildhoch + 1, px = gPressX, py = gPressY;
  struct Part {
    int image, x, y, w, h, tw, th;
  };
  const Part parts[4] = {
      {34, 0, 0, px, py, qx, qy},
      {35, px, 0, W - px, py, W - qx, qy},
      {36, 0, py, px, H - py, qx, H - qy},
      {37, px, py, W - px, H - py, W - qx, H - qy},
  };
  for (const Part& p : parts) {
    if (p.w <= 0 || p.h <= 0 || p.tw <= 0 || p.th <= 0) continue;
    if (tk::grabImage(33, p.image, p.x, p.y, p.w, p.h) < 0) continue;
    tk::resizeImage(p.image, p.tw, p.th);
  }
  gCornerX = qx;
  gCornerY = qy;
  gPartsMade = true;
}

// The parts drawn with their corners at (0, 0), (Q.x, 0), (0, Q.y), (Q.x, Q.y) plus offset.
void DrawParts(int32_t ox, int32_t oy) {
  const int32_t at[4][2] = {{0, 0}, {gCornerX, 0}, {0, gCornerY}, {gCornerX, gCornerY}};
  for (int k = 0; k < 4; ++k)
    if (tk::isImage(34 + k)) tk::drawImage(34 + k, at[k][0] + ox, at[k][1] + oy);
}

}  // namespace

void StartDistortion() {
  HoldImage();
  const int32_t W = bildlang + 1, H = bildhoch + 1;
  FreeParts();
  if (tk::createImage(33, W, H, 32) == 33) {
    // the cells top-down, flags off: the picture holds colours only
    uint32_t* cells = nullptr;
    int stride = 0;
    cells = tk::imageCells(33, &stride);
    if (cells) {
      for (int32_t y = 0; y < H; ++y)
        for (int32_t x = 0; x < W; ++x)
          cells[size_t(y) * size_t(stride) + size_t(x)] = ImagePixels[size_t(y) * size_t(W) + size_t(x)] & 0x00FFFFFFu;
      tk::imageChanged(33);
    }
  }
  BeginAreaSelection();
  gPressX = std::clamp(startx + horz, 0, bildlang);
  gPressY = std::clamp(starty + vert, 0, bildhoch);
  gCornerX = gPressX;
  gCornerY = gPressY;
}

void PreviewDistortion() {
  if (!tk::isImage(33)) return;
  UpdateAreaSelection();
  // Q may lie on the far edge, one past the last cell
  const int32_t qx = std::clamp(areax + horz, 0, bildlang + 1), qy = std::clamp(areay + vert, 0, bildhoch + 1);
  MakeParts(qx, qy);
  if (!tk::isImage(1)) return;
  PrepareViewImages();
  if (!tk::startDrawing(tk::imageOutput(1))) return;
  DrawParts(-horz, -vert);
  DrawToolOutline(lang, hoch);
  tk::stopDrawing();
  ShowImageOnCanvas(1);
}

void FinishDistortion() {
  const int32_t W = bildlang + 1, H = bildhoch + 1;
  if (tk::isImage(33) && tk::startDrawing(tk::imageOutput(33))) {
    if (gPartsMade) DrawParts(0, 0);
    tk::stopDrawing();
  }
  CreateUndoPointFromHold();
  if (tk::isImage(33) && tk::imageWidth(33) == W && tk::imageHeight(33) == H)
    tk::imageToPixels(33, ImagePixels.data(), W, H, W);
  for (PixelCell& c : ImagePixels) c &= 0x00FFFFFFu;
  FreeParts();
  if (tk::isImage(33)) tk::freeImage(33);
}

void CancelDistortion() {
  RestoreHeldImage();
  RedrawCanvas();
  FreeParts();
  if (tk::isImage(33)) tk::freeImage(33);
}
