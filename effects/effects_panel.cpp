// The effects panel (panel 352): choosing an effect of the structure-effect table, keeping
// its settings container consistent, and running it once on the whole image.
#include <algorithm>
#include <cmath>
#include <vector>

#include "documents/documents.h"
#include "effects/effects.h"
#include "shell/shell.h"
#include "toolkit/toolkit.h"
#include "tools/tools.h"

namespace {

// The colour of pixel (x, y) of a colour field's image as red, green, blue.
struct Rgb { int32_t r = 0, g = 0, b = 0; };
Rgb ImageColour(int image, int x, int y) {
  const int w = tk::imageWidth(image), h = tk::imageHeight(image);
  if (w <= x || h <= y) return {};
  std::vector<uint32_t> cells(size_t(w) * size_t(h));
  if (!tk::imageToPixels(image, cells.data(), w, h, w)) return {};
  const uint32_t c = cells[size_t(y) * size_t(w) + size_t(x)];
  return {int32_t((c >> 16) & 0xFF), int32_t((c >> 8) & 0xFF), int32_t(c & 0xFF)};
}

int32_t TextNumber(const std::string& text) {
  size_t i = text.find_first_not_of(' ');
  if (i == std::string::npos) return 0;
  bool neg = false;
  if (text[i] == '-' || text[i] == '+') neg = text[i++] == '-';
  int64_t v = 0;
  while (i < text.size() && text[i] >= '0' && text[i] <= '9' && v < 100000000000LL) v = v * 10 + (text[i++] - '0');
  return int32_t(std::clamp<int64_t>(neg ? -v : v, INT32_MIN, INT32_MAX));
}

void DropQueued() {
  while (tk::queuedEvents() > 0) tk::pollEvent();
}

void SetNumberText(int gadget, int shown) {
  tk::setGadgetText(gadget, std::to_string(shown));
  DropQueued();
}

void FillColourField(int image, int w, int h, uint32_t colour, int gadget) {
  tk::createImage(image, w, h, 24, colour);
  tk::setGadgetAttribute(gadget, tk::AttrImage, image);
}

void SecondLevel(bool show, bool button) {
  for (int c : {441, 452, 463})
    for (int g = c + 7; g <= c + 10; ++g) tk::hideGadget(g, !show);
  tk::hideGadget(478, !button);
}

// The first pair splits the ramp at the turning point, the second pair covers the part of
// each first slider below (Min) or above (Max) its value.
void RangeLayout(int c, int gadget) {
  const int T = c + 1, min1 = c + 3, max1 = c + 5, min2 = c + 7, max2 = c + 9;
  const int t = tk::gadgetState(T);
  const bool all = gadget == T;
  if (all) {
    tk::resizeGadget(min1, -1, -1, t, 20);
    tk::resizeGadget(max1, tk::gadgetX(T) + t, -1, 256 - t, 20);
  }
  if (all || gadget == min1) tk::resizeGadget(min2, -1, -1, tk::gadgetState(min1) * tk::gadgetWidth(min1) / 128, 20);
  if (all || gadget == max1) {
    const int w = tk::gadgetWidth(max1), v = tk::gadgetState(max1);
    tk::resizeGadget(max2, tk::gadgetX(max1) + v * w / 128, -1, (128 - v) * w / 128, 20);
  }
}

float Phase(int slider) { return std::cos((float(tk::gadgetState(slider)) / 10.0f + 17.0f) / 100.0f); }

void Preview(float xPhase, float yPhase) {
  for (int i = 0; i < 2; ++i)
    EffectPreview(float(tk::gadgetState(434)), float(tk::gadgetState(432)), float(tk::gadgetState(428)),
                  float(tk::gadgetState(426)), xPhase * 100.0f, yPhase * 100.0f, 423);
}

void SelectionChanged() {
  for (int c = 357; c <= 369; ++c) tk::hideGadget(c, true);
  const int pos = tk::gadgetState(355);
  if (pos < 0 || size_t(pos) >= StructureEffectTable.size()) return;
  const StructureEffectEntry& e = StructureEffectTable[size_t(pos)];
  tk::setGadgetText(353, "Erklärung:  " + e.help);
  if (e.settingsPanel < 221 || e.settingsPanel > 233) return;
  tk::hideGadget(e.settingsPanel + 136, false);
  switch (e.settingsPanel) {
    case 221: for (int g : {372, 375, 378, 380, 382}) tk::setGadgetState(g, 128); break;
    case 222: tk::setGadgetState(390, 0); tk::setGadgetText(391, "Stärke: 0"); break;
    case 223: if (tk::isImage(42)) tk::setGadgetAttribute(392, tk::AttrImage, 42); break;
    case 224: tk::setGadgetState(394, 0); SetNumberText(394, 0); break;
    case 225:
      for (int g : {395, 398, 401}) tk::setGadgetState(g, 1);
      for (int g : {397, 400, 403}) tk::setGadgetState(g, 0);
      for (int g : {396, 399, 402}) { tk::setGadgetState(g, 0); tk::setGadgetText(g, "0"); }
      break;
    case 226:
      // The fields hold minimum, maximum - 128 and turning point + 50, shown as the values.
      for (int c = 0; c < 3; ++c) {
        const int g = 407 + 4 * c;
        tk::setGadgetState(g, 0);
        tk::setGadgetText(g, "0");
        tk::setGadgetState(g + 2, 127);
        tk::setGadgetText(g + 2, "255");
        tk::setGadgetState(g + 3, 50);
        tk::setGadgetText(g + 3, "128");
      }
      break;
    case 227: tk::setGadgetText(420, "128"); break;
    case 228: tk::setGadgetState(422, 0); break;
    case 230:
      for (int g : {442, 444, 448, 453, 455, 459, 464, 466, 470}) tk::setGadgetState(g, 128);
      for (int c : {441, 452, 463}) RangeLayout(c, c + 1);
      tk::setGadgetState(474, 1);
      SecondLevel(false, false);
      break;
    default: break;
  }
}

}  // namespace

int32_t RunPanelEffect() {
  OnErrorCode2 = 6;
  const int row = tk::gadgetState(355);
  const std::string name = row >= 0 ? tk::gadgetItemText(355, row) : std::string();
  static const int kOrder[] = {0,  1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21,
                               22, 23, 24, 25, 26, 27, 28, 29, 30, 31, 32, 33, 34, 35, 36, 37, 38, 39, 40, 41, 42, 45,
                               44, 46, 43, 47, 48, 49, 50, 51, 52, 53, 54, 55, 56, 57, 58, 62, 63, 60, 61};
  int pos = -1;
  for (int p : kOrder)
    if (size_t(p) < StructureEffectTable.size() && StructureEffectTable[size_t(p)].name == name && !name.empty()) {
      pos = p;
      break;
    }
  const int s390 = tk::gadgetState(390), atLeast1 = std::max(s390, 1);
  auto off = [](int g) { return tk::gadgetState(g) - 128; };
  switch (pos) {
    case 0: { const Rgb c = ImageColour(42, 10, 10); FillImage(c.r, c.g, c.b, 0); break; }
    case 1: Attributes(off(372), off(375), off(378), off(380), off(382), 0); break;
    case 2: case 3: SwitchRedChannel(pos - 2, 0); break;
    case 4: case 5: SwitchGreenChannel(pos - 4, 0); break;
    case 6: case 7: SwitchBlueChannel(pos - 6, 0); break;
    case 8: ColorTurn(0); break;
    case 9: Colorturn_Middle(0); break;
    case 10: BlackWhite(0); break;
    case 11: {
      const Rgb w = ImageColour(45, 5, 5), b = ImageColour(46, 5, 5);
      BiChromaticDithering(w.r, w.g, w.b, b.r, b.g, b.b, 0);
      break;
    }
    case 12: Corny(s390, 0); break;
    case 13: Chess(atLeast1, 0, 0); break;
    case 14: ChessCircle(atLeast1, 0); break;
    case 15: Wind_Up(atLeast1, 0); break;
    case 16: Wind_Down(atLeast1, 0); break;
    case 17: Wind_Left(atLeast1, 0); break;
    case 18: Wind_Right(atLeast1, 0); break;
    case 19: XtremeColors(0); break;
    case 20: { const Rgb c = ImageColour(42, 10, 10); Coloring(c.r, c.g, c.b, 0); break; }
    case 21: UnClear(5, 0); break;
    case 22: SpecialEffect(tk::gadgetState(394), 0); break;
    case 23: Blur_Up(0); break;
    case 24: Blur_Down(0); break;
    case 25: Blur_Left(0); break;
    case 26: Blur_Right(0); break;
    case 27: Mirror_X(0); break;
    case 28: Mirror_Y(0); break;
    case 29: colororder = uint8_t(RGB(colororder, 0)); break;
    case 30: colororder = uint8_t(RBG(colororder, 0)); break;
    case 31: colororder = uint8_t(GRB(colororder, 0)); break;
    case 32: colororder = uint8_t(GBR(colororder, 0)); break;
    case 33: colororder = uint8_t(BRG(colororder, 0)); break;
    case 34: colororder = uint8_t(BGR(colororder, 0)); break;
    case 35: {
      int32_t d[3] = {0, 0, 0}, dir[3] = {0, 0, 0};
      for (int c = 0; c < 3; ++c) {
        const int box = 395 + 3 * c;
        if (!tk::gadgetState(box)) continue;
        d[c] = tk::gadgetState(box + 1);
        dir[c] = tk::gadgetState(box + 2) + 1;
      }
      Colormove(d[0], d[1], d[2], dir[0], dir[1], dir[2], 0);
      break;
    }
    case 36: Shadow(0); break;
    case 37: ColorSpectrum(0); break;
    case 38: {
      // In SetColorspec's own form: minimum as shown, maximum + 128, turning point signed.
      int32_t a[9];
      for (int c = 0; c < 3; ++c) {
        const int g = 407 + 4 * c;
        a[3 * c] = tk::gadgetState(g);
        a[3 * c + 1] = tk::gadgetState(g + 2) + 128;
        a[3 * c + 2] = tk::gadgetState(g + 3) - 50;
      }
      SetColorspec(a[0], a[1], a[2], a[3], a[4], a[5], a[6], a[7], a[8], 0);
      break;
    }
    case 39: SetRedColors(TextNumber(tk::gadgetText(420)), 0); break;
    case 40: SetGreenColors(TextNumber(tk::gadgetText(420)), 0); break;
    case 41: SetBlueColors(TextNumber(tk::gadgetText(420)), 0); break;
    case 42: RedDataFromBlueData(0); break;
    case 43: RedDataFromGreenData(0); break;
    case 44: GreenDataFromRedData(0); break;
    case 45: GreenDataFromBlueData(0); break;
    case 46: BlueDataFromRedData(0); break;
    case 47: BlueDataFromGreenData(0); break;
    case 48: Linedouble(0); break;
    case 49: Linedouble_mirror(0); break;
    case 50:
      // By the direction's label: "Nach Rechts", "Nach Links", "Nach Oben", "Nach Unten".
      switch (tk::gadgetState(422)) {
        case 0: BarsRight(0); break;
        case 1: BarsLeft(0); break;
        case 2: BarsUp(0); break;
        case 3: BarsDown(0); break;
        default: break;
      }
      break;
    case 51: LogicalBars(0); break;
    case 52: { const Rgb c = ImageColour(42, 10, 10); ColorBars(uint8_t(c.r), uint8_t(c.g), uint8_t(c.b), 0); break; }
    case 53: SoftSharpDraw(0, -s390 / 5); break;
    case 54: SoftSharpDraw(0, s390 / 5); break;
    case 55: Incircle(0); break;
    case 56:
      Waves(float(tk::gadgetState(428)), float(tk::gadgetState(426)), float(tk::gadgetState(434)),
            float(tk::gadgetState(432)), int8_t(tk::gadgetState(430) - 100), int8_t(tk::gadgetState(436) - 100), 0);
      break;
    case 57: BlowUp(s390, s390, 0); break;
    case 60: Explode(s390, 0); break;
    case 61: Implode(s390, 0); break;
    case 62: Whirl_Left(s390, 0); break;
    case 63: Whirl_Right(s390, 0); break;
    default: break;   // 58: the panel offers no values for it
  }
  OnErrorCode2 = 0;
  return 0;
}

void OnEffectsPanelGadget(int32_t gadget) {
  if (PendingHandlerSpy) PendingHandlerSpy("OnEffectsPanelGadget", gadget);
  const int g = gadget;   // the event's gadget, as the mode loop passes it
  const uint32_t drawing = uint32_t(Rot) | uint32_t(Gruen) << 8 | uint32_t(Blau) << 16;
  switch (g) {
    case 356: RunPanelEffect(); break;
    case 355: SelectionChanged(); break;
    case 420: {
      const int32_t v = TextNumber(tk::gadgetText(420));
      if (v > 255) tk::setGadgetText(420, "255");
      else if (v < 0) tk::setGadgetText(420, "0");
      break;
    }
    case 392: {
      const int64_t c = ShowSystemColourDialog(drawing);
      if (c > 0) FillColourField(42, 100, 20, uint32_t(c), 392);
      break;
    }
    case 390: tk::setGadgetText(391, "Stärke: " + std::to_string(tk::gadgetState(390))); break;
    case 394: case 396: case 399: case 402: case 407: case 411: case 415: SetNumberText(g, tk::gadgetState(g)); break;
    case 409: case 413: case 417: SetNumberText(g, tk::gadgetState(g) + 128); break;
    case 410: case 414: case 418: SetNumberText(g, tk::gadgetState(g) + 78); break;
    case 430: tk::setGadgetText(429, "Anfang:" + std::to_string(tk::gadgetState(430) - 100) + "%"); Preview(Phase(430), 0); break;
    case 436: tk::setGadgetText(435, "Anfang:" + std::to_string(tk::gadgetState(436) - 100) + "%"); Preview(0, Phase(436)); break;
    case 428: case 434: tk::setGadgetText(g - 1, "Amplitude:" + std::to_string(tk::gadgetState(g))); Preview(0, 0); break;
    case 426: case 432: tk::setGadgetText(g - 1, "Breite:" + std::to_string(tk::gadgetState(g))); Preview(0, 0); break;
    case 442: case 444: case 446: RangeLayout(441, g); break;
    case 453: case 455: case 457: RangeLayout(452, g); break;
    case 464: case 466: case 468: RangeLayout(463, g); break;
    case 474: SecondLevel(false, false); break;
    case 475: SecondLevel(true, false); break;
    case 476: case 477: SecondLevel(false, true); break;
    case 478:
      ChooseCurrentColour();
      FillColourField(44, 200, 40, uint32_t(Rot) | uint32_t(Gruen) << 8 | uint32_t(Blau) << 16, 478);
      break;
    case 479: case 480: {
      const int64_t c = ShowSystemColourDialog(g == 479 ? 0xFFFFFFu : 0u);
      if (c >= 0) FillColourField(g == 479 ? 45 : 46, 80, 20, uint32_t(c), g);
      break;
    }
    default: break;
  }
}
