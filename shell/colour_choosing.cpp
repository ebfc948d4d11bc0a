// The drawing colour: picking it, the strip of the ten most recent colours (images 59..68,
// 59 the newest, popup 16) and every place that shows it (the colour buttons, the current-
// colour field 805 and the colour window's fields).
#include <cstdint>
#include <cstdio>
#include <string>

#include "documents/documents.h"
#include "shell/shell.h"
#include "toolkit/toolkit.h"

namespace {

uint32_t DrawingColour() { return uint32_t(Rot) | uint32_t(Gruen) << 8 | uint32_t(Blau) << 16; }

void FillImage(int32_t image, int32_t w, int32_t h, uint32_t colour) {
  if (!tk::isImage(image)) tk::createImage(image, w, h);
  if (!tk::startDrawing(tk::imageOutput(image))) return;
  tk::box(0, 0, w, h, colour);
  tk::stopDrawing();
}

// A colour field with its label written in the contrast colour on a transparent ground.
void FillLabelledImage(int32_t image, int32_t w, int32_t h, int32_t x, int32_t y, int32_t font, uint32_t colour,
                       uint32_t contrast) {
  if (!tk::isImage(image)) tk::createImage(image, w, h);
  if (!tk::startDrawing(tk::imageOutput(image))) return;
  tk::box(0, 0, w, h, colour);
  if (tk::isFont(font)) tk::drawingFont(font);
  tk::drawingMode(tk::DrawTransparent);
  tk::drawText(x, y, "Farbe wählen", contrast, colour);
  tk::stopDrawing();
}

void ShowImageIn(int32_t gadget, int32_t image) {
  if (tk::isGadget(gadget)) tk::setGadgetAttribute(gadget, tk::AttrImage, image);
}

void SetTextIfChanged(int32_t gadget, const std::string& text) {
  if (tk::isGadget(gadget) && tk::gadgetText(gadget) != text) tk::setGadgetText(gadget, text);
}

}  // namespace

uint32_t ContrastColour(uint32_t colour) {
  uint32_t out = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    const uint32_t v = colour >> shift & 0xFF;
    out |= (v < 128 ? v + 128 : v - 128) << shift;
  }
  return out;
}

std::string ColourHexText(uint8_t red, uint8_t green, uint8_t blue) {
  char text[8];
  std::snprintf(text, sizeof text, "%02X%02X%02X", red, green, blue);
  return text;
}

int64_t ShowSystemColourDialog(uint32_t initial) {
  // The dialog is modal over every window of the program; the windows come back afterwards.
  SetWindowsEnabled(0);
  const int64_t c = tk::colorRequester(initial & 0xFFFFFF, &CustomColours[1]);
  SetWindowsEnabled(1);
  return c < 0 ? -1 : c & 0xFFFFFF;
}

void ChooseCurrentColour() {
  OnErrorCode1 = 4;
  const int64_t c = Colornumber == 0 ? ShowSystemColourDialog(DrawingColour()) : ChoosePaletteColor();
  if (c < 0) return;
  Rot = uint8_t(c);
  Gruen = uint8_t(c >> 8);
  Blau = uint8_t(c >> 16);
  UpdateColourDisplays();
}

int32_t CurrentColourChanged() {
  if (!tk::isImage(59) || !tk::startDrawing(tk::imageOutput(59))) return 1;
  const uint32_t newest = tk::point(10, 10) & 0xFFFFFF;
  tk::stopDrawing();
  return newest != DrawingColour() ? 1 : 0;
}

void PushRecentColour() {
  for (int32_t k = 67; k >= 59; --k)
    if (tk::isImage(k)) tk::copyImage(k, k + 1);
  FillImage(59, 40, 20, DrawingColour());
  tk::freeMenu(16);
  if (!tk::createPopupMenu(16)) return;
  for (int32_t i = 0; i <= 9; ++i) tk::menuItem(451 + i, "", 59 + i);
}

// The shares red / sum, green / sum, blue / sum of the drawing colour; black has equal
// shares, so that the brightness bar makes it a grey.
void UpdateColourRatios() {
  const float sum = float(Rot) + float(Gruen) + float(Blau);
  if (sum <= 0.0f) {
    TintShareRed = TintShareGreen = TintShareBlue = 1.0f / 3.0f;
    return;
  }
  TintShareRed = float(Rot) / sum;
  TintShareGreen = float(Gruen) / sum;
  TintShareBlue = float(Blau) / sum;
}

void UpdateColourDisplays() {
  const uint32_t colour = DrawingColour();
  const uint32_t contrast = ContrastColour(colour);
  switch (Settings.Colorbutton) {
    case 2:
      FillImage(56, 110, 70, colour);
      for (int32_t g = 22; g <= 25; ++g) ShowImageIn(g, 56);
      break;
    case 3:
      FillImage(57, 220, 35, colour);
      for (int32_t g = 30; g <= 33; ++g) ShowImageIn(g, 57);
      break;
    default:
      FillLabelledImage(55, 220, 70, 15, 15, 1, colour, contrast);
      for (int32_t g = 14; g <= 17; ++g) ShowImageIn(g, 55);
      break;
  }
  // The current-colour field of the colour window shows the colour in every layout.
  FillLabelledImage(58, 130, 50, 5, 12, 2, colour, contrast);
  ShowImageIn(805, 58);

  const uint8_t channel[3] = {Rot, Gruen, Blau};
  for (int32_t i = 0; i < 3; ++i) {
    const std::string text = std::to_string(channel[i]);
    if (tk::isGadget(816 + 2 * i)) {
      tk::setGadgetState(816 + 2 * i, channel[i]);
      SetTextIfChanged(816 + 2 * i, text);
    }
    if (tk::isGadget(811 + 2 * i)) tk::setGadgetState(811 + 2 * i, channel[i]);
    SetTextIfChanged(806 + i, text);
  }
  SetTextIfChanged(822, ColourHexText(Rot, Gruen, Blau));
  UpdateColourRatios();
}
