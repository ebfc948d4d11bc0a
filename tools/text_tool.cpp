// Tool 43 "Text einfügen": a dragged box becomes a floating text field edited on the text
// panel (582). The box's background (image mixed with the background colour by the
// transparency slider) lives in AreaPixels, rows bottom-up; every edit renders it into
// image 22 and draws the text lines on it. "OK" writes image 22 into the image.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

#include "documents/documents.h"
#include "shell/shell.h"
#include "toolkit/toolkit.h"
#include "tools/tools.h"

int32_t TextLeft = 0, TextTop = 0;
int32_t fontsize = 12;
uint8_t text_bgrot = 255, text_bggruen = 255, text_bgblau = 255;

namespace {

constexpr int kTextImage = 22;
constexpr int kTextSwatch = 72, kBackgroundSwatch = 73;

uint32_t ColourValue(int r, int g, int b) { return uint32_t(r) | uint32_t(g) << 8 | uint32_t(b) << 16; }

// A label channel that stands out from the swatch channel under it.
int Contrast(int c) { return c < 128 ? c + 128 : c - 128; }

// Swatch `image` (120 x 40) in the colour, with its label in the contrasting colour.
void PaintSwatch(int image, uint8_t r, uint8_t g, uint8_t b, int x, const char* label) {
  if (!tk::isImage(image)) tk::createImage(image, 120, 40, 24);
  if (!tk::startDrawing(tk::imageOutput(image))) return;
  tk::drawingMode(tk::DrawDefault);
  tk::box(0, 0, 120, 40, ColourValue(r, g, b));
  tk::drawingMode(tk::DrawTransparent);
  tk::drawingFont(-1);
  tk::drawText(x, 10, label, ColourValue(Contrast(r), Contrast(g), Contrast(b)), 0);
  tk::drawingMode(tk::DrawDefault);
  tk::stopDrawing();
}

void ShowSwatch(int gadget, int image) {
  if (tk::isGadget(gadget)) tk::setGadgetAttribute(gadget, tk::AttrImage, image);
}

size_t BoxCells() { return size_t(arealang + 1) * size_t(areahoch + 1); }

// The box is open: its background cells are there.
bool BoxOpen() { return arealang >= 0 && areahoch >= 0 && AreaPixels.size() == BoxCells(); }

int32_t RoundHalfEven(double v) { return int32_t(std::nearbyint(v)); }

std::string SelectedFace() {
  const int item = tk::gadgetState(585);
  return item >= 0 ? tk::gadgetItemText(585, item) : tk::gadgetText(585);
}

}  // namespace

void FillFontList() {
  if (!tk::isGadget(585)) return;
  tk::clearGadgetItems(585);
  for (const std::string& face : tk::fontFamilies()) tk::addGadgetItem(585, -1, face);
  tk::setGadgetState(585, 0);
}

void StartTextBox(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t scrollX, int32_t scrollY) {
  TextLeft = std::min(x1, x2);
  TextTop = std::min(y1, y2);
  arealang = std::abs(x2 - x1);
  areahoch = std::abs(y2 - y1);
  Startareax = TextLeft + scrollX;
  startareay = TextTop + scrollY;
  startx = TextLeft;
  starty = TextTop;
  oldx = std::max(x1, x2);
  oldy = std::max(y1, y2);
  horz2 = scrollX;
  vert2 = scrollY;
  AreaZoomMaxX = RoundHalfEven(double(arealang) * length);
  AreaZoomMaxY = RoundHalfEven(double(areahoch) * length);
  mousex = RoundHalfEven(double(oldx) * length);
  mousey = RoundHalfEven(double(oldy) * length);

  PaintSwatch(kTextSwatch, Rot, Gruen, Blau, 40, "Text");
  text_bgrot = text_bggruen = text_bgblau = 255;
  PaintSwatch(kBackgroundSwatch, text_bgrot, text_bggruen, text_bgblau, 20, "Hintergrund");
  ShowSwatch(591, kTextSwatch);
  ShowSwatch(595, kBackgroundSwatch);
  if (tk::isGadget(585)) tk::setGadgetState(585, 0);
  if (tk::isGadget(586)) tk::setGadgetState(586, 11);
  for (int g : {587, 588, 589})
    if (tk::isGadget(g)) tk::setGadgetState(g, 0);
  if (tk::isGadget(584)) tk::setRichText(584, "");

  NextMode = ModeText;
  FreeStatusBars();
  CreateTextStatusBar();
  AreaPixels.assign(BoxCells(), 0);
  // The background first, so that the first composed view already shows the box.
  RenderTextPreview();
  LoadTextFont();
}

void RenderTextPreview() {
  if (!BoxOpen()) return;
  const int t = tk::isGadget(593) ? std::clamp(tk::gadgetState(593), 0, 100) : 0;
  const size_t w = size_t(arealang) + 1, stride = size_t(bildlang) + 1;
  const int bg[3] = {text_bgblau, text_bggruen, text_bgrot};   // cell byte order
  for (int32_t i = 0; i <= areahoch; ++i) {
    const int64_t y = int64_t(starty) + vert2 + i;
    PixelCell* row = AreaPixels.data() + size_t(areahoch - i) * w;
    for (int32_t j = 0; j <= arealang; ++j) {
      const int64_t x = int64_t(startx) + horz2 + j;
      const bool inside = x >= 0 && x <= bildlang && y >= 0 && y <= bildhoch;
      const PixelCell image = inside ? ImagePixels[size_t(y) * stride + size_t(x)] : 0;
      PixelCell cell = 0;
      for (int c = 0; c < 3; ++c) {
        const int v = int((image >> (8 * c)) & 0xFF);
        // Beside the image there is only the background.
        const int mixed = inside ? RoundHalfEven(v * t / 100.0 + bg[c] * (100 - t) / 100.0) : bg[c];
        cell |= uint32_t(std::clamp(mixed, 0, 255)) << (8 * c);
      }
      row[j] = cell;
    }
  }
  CreateTextImage();
}

void CreateTextImage() {
  if (!BoxOpen()) return;
  const int w = arealang + 1, h = areahoch + 1;
  if (!tk::isImage(kTextImage) || tk::imageWidth(kTextImage) != w || tk::imageHeight(kTextImage) != h)
    if (tk::createImage(kTextImage, w, h, 32) < 0) return;
  PixelBufferToImage(kTextImage, AreaPixels.data(), w, h);
}

void DrawTextLines() {
  CreateTextImage();
  const std::string text = tk::isGadget(584) ? tk::richText(584) : std::string();
  if (tk::isImage(kTextImage) && BoxOpen() && tk::startDrawing(tk::imageOutput(kTextImage))) {
    tk::drawingMode(tk::DrawTransparent);
    tk::drawingFont(0);
    const uint32_t colour = ColourValue(Rot, Gruen, Blau);
    size_t from = 0;
    for (int32_t i = 0;; ++i) {
      const size_t cr = text.find('\r', from);
      const std::string line = text.substr(from, cr == std::string::npos ? std::string::npos : cr - from);
      tk::drawText(0, RoundHalfEven(double(i) * fontsize * 1.5), line, colour, 0);
      if (cr == std::string::npos) break;
      from = cr + 1;
    }
    tk::drawingMode(tk::DrawDefault);
    tk::stopDrawing();
  }
  ComposeCanvasView();
}

void LoadTextFont() {
  if (PendingHandlerSpy) PendingHandlerSpy("LoadTextFont", -1);
  unsigned style = 0;
  if (tk::gadgetState(587) == 1) style |= tk::FontBold;
  if (tk::gadgetState(588) == 1) style |= tk::FontItalic;
  if (tk::gadgetState(589) == 1) style |= tk::FontUnderline;
  const int sizeItem = tk::gadgetState(586);
  const int size = sizeItem >= 0 ? std::atoi(tk::gadgetItemText(586, sizeItem).c_str()) : 0;
  fontsize = size >= 1 && size <= 72 ? size : 12;
  tk::loadFont(0, SelectedFace(), fontsize, style);
  if (tk::isGadget(584)) tk::setGadgetFont(584, 0);
  DrawTextLines();
}

void ApplyTextBox() {
  OnErrorCode1 = 39;   // #onerror_1_text_ok
  CreateUndoPoint();
  if (BoxOpen() && tk::isImage(kTextImage)) {
    const int w = arealang + 1, h = areahoch + 1;
    tk::imageToPixels(kTextImage, AreaPixels.data(), w, h, w, true);
    const size_t stride = size_t(bildlang) + 1;
    for (int32_t i = 0; i <= areahoch; ++i) {
      // Only the part of the box that lies on the image is written.
      const int64_t y = int64_t(starty) + vert2 + i;
      if (y < 0 || y > bildhoch) continue;
      const PixelCell* row = AreaPixels.data() + size_t(areahoch - i) * size_t(w);
      for (int32_t j = 0; j <= arealang; ++j) {
        const int64_t x = int64_t(startx) + horz2 + j;
        if (x < 0 || x > bildlang) continue;
        PixelCell& cell = ImagePixels[size_t(y) * stride + size_t(x)];
        cell = (cell & 0xFF000000u) | (row[j] & 0x00FFFFFFu);
      }
    }
  }
  CloseTextTool();
}

void CloseTextTool() {
  AreaPixels.assign(1, 0);
  arealang = areahoch = 0;
  if (tk::isGadget(582)) tk::hideGadget(582, true);
  if (tk::isGadget(9)) tk::hideGadget(9, false);
  if (tk::isGadget(2)) tk::setGadgetState(2, 10);
  FreeStatusBars();
  CreateMainStatusBar();
  paintstate = 43;   // the text tool stays selected
  areamark = 0;
  if (DrawBarCheckHold == 1) ShowDrawSettingsBar();
  RedrawCanvas();
  if (CurrentImage >= 0 && size_t(CurrentImage) < ImageRecords.size())
    ImageRecords[size_t(CurrentImage)].WindowState = 9;
  NextMode = ModeDraw;
}

void OnTextPanelGadget(int32_t gadget) {
  if (PendingHandlerSpy) PendingHandlerSpy("OnTextPanelGadget", gadget);
  switch (gadget) {
    case 584:
      DrawTextLines();
      UpdateTextStatusBar();
      break;
    case 591:
      ChooseCurrentColour();
      PaintSwatch(kTextSwatch, Rot, Gruen, Blau, 40, "Text");
      ShowSwatch(591, kTextSwatch);
      DrawTextLines();
      break;
    case 595: {
      const int64_t c = ShowSystemColourDialog(ColourValue(Rot, Gruen, Blau));
      if (c < 0) break;   // cancelled: the background colour stays
      text_bgrot = uint8_t(c & 0xFF);
      text_bggruen = uint8_t((c >> 8) & 0xFF);
      text_bgblau = uint8_t((c >> 16) & 0xFF);
      PaintSwatch(kBackgroundSwatch, text_bgrot, text_bggruen, text_bgblau, 20, "Hintergrund");
      ShowSwatch(595, kBackgroundSwatch);
      RenderTextPreview();
      DrawTextLines();
      break;
    }
    case 587: case 588: case 589: LoadTextFont(); break;
    case 590: {
      const std::string ch = ChooseSpecialCharacter(SelectedFace());
      if (ch.empty() || !tk::isGadget(584)) break;
      tk::richReplaceSelection(584, ch, true);
      // A change made by the program raises no event of the editor: draw it here.
      DrawTextLines();
      break;
    }
    case 593:
      RenderTextPreview();
      DrawTextLines();
      break;
    case 596: ApplyTextBox(); break;
    case 597: CloseTextTool(); break;
    default: break;
  }
}
