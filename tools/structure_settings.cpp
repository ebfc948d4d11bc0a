// The settings containers 221..233 of the structure dialog's "Effekteinstellungen" tab:
// building them, loading a list element into its container and storing every change back
// into the element at once.
//
// One encoding per value, the same for loading, storing and the engine:
//   colours (223, 233, the replacement colour of 230) plain 0..255 components;
//   colour attributes (221) slider state - 128;
//   colour ranges (226) in SetColorspec's own form: minimum = state (0..128),
//     maximum = state + 128 (128..255), turning point = state - 50 (signed);
//   Colormove (225) check boxes param7..9, distances param4..6, directions param19..21;
//   bars (228) the index of the label "Links", "Rechts", "Oben", "Unten";
//   waves (229) start sliders stored as state - 100 (param7, param8).
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "documents/documents.h"
#include "effects/effects.h"
#include "shell/shell.h"
#include "toolkit/toolkit.h"
#include "tools/tools.h"

namespace {

void FillSwatch(int32_t image, int32_t w, int32_t h, int32_t r, int32_t g, int32_t b) {
  const uint32_t colour = uint32_t(std::clamp(r, 0, 255)) | uint32_t(std::clamp(g, 0, 255)) << 8 |
                          uint32_t(std::clamp(b, 0, 255)) << 16;
  tk::createImage(image, w, h, 24, colour);
}

void ShowSwatch(int32_t gadget, int32_t image) { tk::setGadgetAttribute(gadget, tk::AttrImage, image); }

// The text as a whole number: blanks skipped, an optional sign, digits; none gives 0.
int32_t TextNumber(const std::string& text) {
  size_t i = text.find_first_not_of(' ');
  if (i == std::string::npos) return 0;
  bool neg = false;
  if (text[i] == '-' || text[i] == '+') neg = text[i++] == '-';
  int64_t v = 0;
  while (i < text.size() && text[i] >= '0' && text[i] <= '9' && v < 100000000000LL) v = v * 10 + (text[i++] - '0');
  v = neg ? -v : v;
  return int32_t(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}

const int kRangeT[3] = {313, 324, 335}, kRangeMin1[3] = {315, 326, 337}, kRangeMax1[3] = {317, 328, 339};
const int kRangeMin2[3] = {319, 330, 341}, kRangeMax2[3] = {321, 332, 343};

void RangeSecondRows(int32_t mode) {
  const bool pairs = mode == 2;
  for (int c = 0; c < 3; ++c) {
    for (int g : {kRangeMin2[c], kRangeMax2[c], kRangeMin2[c] + 1, kRangeMax2[c] + 1}) tk::hideGadget(g, !pairs);
  }
  tk::hideGadget(349, !(mode == 3 || mode == 4));
}

void WavePreview() {
  EffectPreview(float(tk::gadgetState(305)), float(tk::gadgetState(303)), float(tk::gadgetState(299)),
                float(tk::gadgetState(297)), 100.0f * std::cos((tk::gadgetState(301) / 10.0f + 17.0f) / 100.0f),
                100.0f * std::cos((tk::gadgetState(307) / 10.0f + 17.0f) / 100.0f), 292);
}

void SetNumber(int gadget, int value) {
  tk::setGadgetState(gadget, value);
  tk::setGadgetText(gadget, std::to_string(value));
}

}  // namespace

// Steps 1 to 4 of a channel's colour-range sliders: the first pair splits the 256-pixel ramp
// at the turning point, the second pair covers what lies below (Min) or above (Max) the
// first pair's values.
void ColourRangeGeometry(int32_t channel) {
  const int T = kRangeT[channel], min1 = kRangeMin1[channel], max1 = kRangeMax1[channel];
  const int t = tk::gadgetState(T);
  tk::resizeGadget(min1, -1, -1, std::max(t, 1), 20);
  tk::resizeGadget(max1, tk::gadgetX(T) + t, -1, std::max(256 - t, 1), 20);
  tk::resizeGadget(kRangeMin2[channel], -1, -1, std::max(tk::gadgetState(min1) * tk::gadgetWidth(min1) / 128, 1), 20);
  const int wMax = tk::gadgetWidth(max1), sMax = tk::gadgetState(max1);
  tk::resizeGadget(kRangeMax2[channel], tk::gadgetX(max1) + sMax * wMax / 128, -1,
                   std::max((128 - sMax) * wMax / 128, 1), 20);
}

void BuildStructureSettingsContainers() {
  const int W = 588, H = 500;
  tk::label(220, 5, 5, 200, 20, "Effekte");
  tk::container(221, 0, 30, W, H);
  tk::slider(236, 40, 10, 300, 20, 0, 255);
  tk::slider(239, 40, 40, 300, 20, 0, 255);
  tk::slider(242, 40, 70, 300, 20, 0, 254);
  tk::slider(244, 40, 100, 300, 20, 0, 254);
  tk::slider(246, 40, 130, 300, 20, 0, 254);
  tk::closeGadgetList();
  tk::container(222, 0, 30, W, H);
  tk::label(255, 10, 10, 150, 20, "Stärke: ");
  tk::slider(254, 10, 35, 300, 20, 0, 100);
  tk::closeGadgetList();
  tk::container(223, 0, 30, W, H);
  tk::createImage(40, 100, 20, 24, 0);
  tk::imageButton(256, 10, 10, 104, 24, 40);
  tk::closeGadgetList();
  tk::container(224, 0, 30, W, H);
  tk::label(257, 10, 10, 80, 20, "Special:");
  tk::spinField(258, 100, 10, 60, 20, 0, 3);
  tk::closeGadgetList();
  tk::container(225, 0, 30, W, H);
  const char* channels[3] = {"Rot", "Gruen", "Blau"};
  for (int c = 0; c < 3; ++c) {
    const int base = 259 + 3 * c;
    tk::checkBox(base, 10, 10 + 40 * c, 80, 20, channels[c]);
    tk::spinField(base + 1, 100, 10 + 40 * c, 60, 20, 1, 10);
    tk::setGadgetText(base + 1, "1");
    tk::comboBox(base + 2, 170, 10 + 40 * c, 150, 100);
    for (const char* d : {"Nach Rechts", "Nach Links", "Nach Oben", "Nach Unten"}) tk::addGadgetItem(base + 2, -1, d);
    tk::setGadgetState(base + 2, 0);
  }
  tk::closeGadgetList();
  tk::container(226, 0, 30, W, H);
  tk::label(268, 80, 5, 80, 20, "Minimum");
  tk::label(269, 170, 5, 80, 20, "Maximum");
  tk::label(270, 260, 5, 80, 20, "Wendepunkt");
  const int capt[3] = {272, 276, 280};
  for (int c = 0; c < 3; ++c) {
    const int y = 30 + 30 * c, base = 271 + 4 * c;
    tk::label(capt[c], 10, y, 60, 20, channels[c]);
    tk::spinField(base, 80, y, 80, 20, 0, 128);
    SetNumber(base, 0);
    tk::spinField(base + 2, 170, y, 80, 20, 0, 127);
    tk::setGadgetState(base + 2, 127);
    tk::setGadgetText(base + 2, "255");
    tk::spinField(base + 3, 260, y, 80, 20, 0, 100);
    tk::setGadgetState(base + 3, 50);
    tk::setGadgetText(base + 3, "128");
  }
  tk::closeGadgetList();
  tk::container(227, 0, 30, W, H);
  tk::label(284, 10, 10, 400, 20, "Geben sie den Farbwert ein (Wert:0-255)");
  tk::stringField(285, 10, 35, 100, 20, "0");
  tk::closeGadgetList();
  tk::container(228, 0, 30, W, H);
  tk::label(286, 10, 10, 100, 20, "Richtung");
  tk::comboBox(287, 10, 35, 150, 100);
  for (const char* d : {"Links", "Rechts", "Oben", "Unten"}) tk::addGadgetItem(287, -1, d);
  tk::setGadgetState(287, 0);
  tk::closeGadgetList();
  tk::container(229, 0, 30, W, H);
  tk::createImage(43, 150, 150, 24, 0xFFFFFF);
  tk::imageGadget(292, 10, 10, 150, 150, 43);
  tk::panel(293, 170, 10, 400, 300);
  const int firstCaption[2] = {296, 302};
  const char* axes[2] = {"XAchse", "YAchse"};
  for (int a = 0; a < 2; ++a) {
    const int b = firstCaption[a];   // caption width, width, caption amplitude, amplitude, caption start, start
    tk::addGadgetItem(293, -1, axes[a]);
    tk::label(b + 2, 10, 10, 120, 20, "Amplitude:1");
    tk::slider(b + 3, 10, 35, 20, 200, 1, 200, tk::GfVertical);
    tk::label(b + 4, 140, 10, 120, 20, "Anfang:0%");
    tk::slider(b + 5, 140, 35, 20, 200, 1, 110, tk::GfVertical);
    tk::setGadgetState(b + 5, 100);
    tk::label(b, 10, 240, 120, 20, "Breite:100");
    tk::slider(b + 1, 130, 240, 200, 20, 1, 200);
    tk::setGadgetState(b + 1, 100);
  }
  tk::closeGadgetList();
  tk::closeGadgetList();
  tk::container(230, 0, 30, W, H);
  const int rows[3] = {312, 323, 334};
  const uint32_t ramps[3] = {0x0000FF, 0x00FF00, 0xFF0000};
  for (int c = 0; c < 3; ++c) {
    const int y = 10 + 140 * c;
    tk::frame(rows[c], 5, y, 570, 130, channels[c]);
    const int ramp = tk::createImage(-1, 415, 20, 24, ramps[c]);
    tk::imageGadget(-1, 10, y + 20, 415, 20, ramp);
    tk::label(kRangeT[c] + 1, 440, y + 45, 100, 20, "Wendepunkt");
    tk::slider(kRangeT[c], 10, y + 45, 256, 20, 1, 254);
    tk::setGadgetState(kRangeT[c], 128);
    tk::slider(kRangeMin1[c], 10, y + 70, 128, 20, 0, 128);
    tk::setGadgetState(kRangeMin1[c], 128);
    tk::label(kRangeMin1[c] + 1, 440, y + 70, 40, 20, "Min");
    tk::slider(kRangeMax1[c], 138, y + 70, 128, 20, 0, 128);
    tk::label(kRangeMax1[c] + 1, 490, y + 70, 40, 20, "Max");
    tk::slider(kRangeMin2[c], 10, y + 95, 128, 20, 0, 128);
    tk::setGadgetState(kRangeMin2[c], 128);
    tk::label(kRangeMin2[c] + 1, 440, y + 95, 40, 20, "Min");
    tk::slider(kRangeMax2[c], 138, y + 95, 128, 20, 0, 128);
    tk::label(kRangeMax2[c] + 1, 490, y + 95, 40, 20, "Max");
  }
  tk::option(345, 10, 430, 130, 20, "Aufstocken");
  tk::option(346, 140, 430, 160, 20, "Aufstocken in Bereich");
  tk::option(347, 10, 455, 260, 20, "Durch Farbe ersetzen- RGB-Unabhängig");
  tk::option(348, 280, 455, 160, 20, "Durch Farbe ersetzen");
  tk::setGadgetState(345, 1);
  tk::createImage(44, 200, 40, 24, 0);
  tk::imageButton(349, 380, 420, 204, 44, 44);
  RangeSecondRows(1);
  tk::closeGadgetList();
  tk::container(231, 0, 30, W, H);
  tk::label(-1, 10, 10, 560, 40, "Geben sie hier ein, wie weit das Bild in x- und y-ausrichtung verschoben werden soll",
            tk::GfMultiLine);
  tk::label(-1, 10, 60, 30, 20, "X=");
  tk::stringField(308, 40, 60, 100, 20, "0");
  tk::label(-1, 10, 90, 30, 20, "Y=");
  tk::stringField(309, 40, 90, 100, 20, "0");
  tk::closeGadgetList();
  tk::container(232, 0, 30, W, H);
  tk::label(-1, 10, 10, 560, 40,
            "Geben sie hier die Effektfunktionen ein, nach denen das Bild verändert werden soll", tk::GfMultiLine);
  tk::label(-1, 10, 60, 30, 20, "X2=");
  tk::stringField(310, 40, 60, 500, 20, "");
  tk::label(-1, 10, 90, 30, 20, "Y2=");
  tk::stringField(311, 40, 90, 500, 20, "");
  tk::closeGadgetList();
  tk::container(233, 0, 30, W, H);
  tk::label(-1, 10, 10, 560, 40, "Wählen sie hier die Farben, durch die Schwarz und Weiß ersetzt werden sollen",
            tk::GfMultiLine);
  tk::label(-1, 10, 60, 60, 20, "Weiß");
  tk::createImage(45, 80, 20, 24, 0xFFFFFF);
  tk::imageButton(350, 80, 60, 84, 24, 45);
  tk::label(-1, 10, 90, 60, 20, "Schwarz");
  tk::createImage(46, 80, 20, 24, 0);
  tk::imageButton(351, 80, 90, 84, 24, 46);
  tk::closeGadgetList();
  for (int c = 221; c <= 233; ++c) tk::hideGadget(c, true);
  for (int c = 0; c < 3; ++c) ColourRangeGeometry(c);
}

void LoadEffectSettings(const EffectListEntry& e) {
  switch (e.settingsPanel) {
    case 221:
      tk::setGadgetState(236, e.param3 + 128);
      tk::setGadgetState(239, e.param2 + 128);
      tk::setGadgetState(242, e.param4 + 128);
      tk::setGadgetState(244, e.param5 + 128);
      tk::setGadgetState(246, e.param6 + 128);
      break;
    case 222: tk::setGadgetState(254, e.param2); break;
    case 223:
      FillSwatch(40, 100, 20, e.param4, e.param5, e.param6);
      ShowSwatch(256, 40);
      break;
    case 224: SetNumber(258, e.param3); break;
    case 225: {
      const int16_t on[3] = {e.param7, e.param8, e.param9}, dist[3] = {e.param4, e.param5, e.param6};
      const int16_t dir[3] = {e.param19, e.param20, e.param21};
      for (int c = 0; c < 3; ++c) {
        tk::setGadgetState(259 + 3 * c, on[c] != 0);
        SetNumber(260 + 3 * c, dist[c]);
        tk::setGadgetState(261 + 3 * c, std::clamp<int>(dir[c], 0, 3));
      }
      break;
    }
    case 226: {
      const int16_t mn[3] = {e.param10, e.param11, e.param12}, mx[3] = {e.param13, e.param14, e.param15};
      const int16_t tp[3] = {e.param16, e.param17, e.param18};
      for (int c = 0; c < 3; ++c) {
        const int base = 271 + 4 * c;
        SetNumber(base, std::clamp<int>(mn[c], 0, 128));
        tk::setGadgetState(base + 2, std::clamp(mx[c] - 128, 0, 127));
        tk::setGadgetText(base + 2, std::to_string(tk::gadgetState(base + 2) + 128));
        tk::setGadgetState(base + 3, std::clamp(tp[c] + 50, 0, 100));
        tk::setGadgetText(base + 3, std::to_string(tk::gadgetState(base + 3) + 78));
      }
      break;
    }
    case 227: {
      const std::string& n = e.name;
      const auto at = [](int p) { return size_t(p) < StructureEffectTable.size() ? StructureEffectTable[p].name : ""; };
      if (n == at(39)) tk::setGadgetText(285, std::to_string(e.param4));
      else if (n == at(40)) tk::setGadgetText(285, std::to_string(e.param5));
      else if (n == at(41)) tk::setGadgetText(285, std::to_string(e.param6));
      break;
    }
    case 228: tk::setGadgetState(287, e.param21); break;
    case 229:
      tk::setGadgetState(297, e.param2);
      tk::setGadgetState(299, e.param4);
      tk::setGadgetState(301, e.param7 + 100);
      tk::setGadgetState(303, e.param3);
      tk::setGadgetState(305, e.param5);
      tk::setGadgetState(307, e.param8 + 100);
      WavePreview();
      break;
    case 230: {
      const int16_t t[3] = {e.param16, e.param17, e.param18}, mn[3] = {e.param10, e.param11, e.param12};
      const int16_t mx[3] = {e.param13, e.param14, e.param15}, mn2[3] = {e.param7, e.param8, e.param9};
      const int16_t mx2[3] = {e.param19, e.param20, e.param21};
      for (int c = 0; c < 3; ++c) {
        tk::setGadgetState(kRangeT[c], t[c]);
        tk::setGadgetState(kRangeMin1[c], mn[c]);
        tk::setGadgetState(kRangeMax1[c], mx[c]);
        tk::setGadgetState(kRangeMin2[c], mn2[c]);
        tk::setGadgetState(kRangeMax2[c], mx2[c]);
        ColourRangeGeometry(c);
      }
      for (int o = 345; o <= 348; ++o) tk::setGadgetState(o, o == 344 + e.param3);
      RangeSecondRows(e.param3);
      break;
    }
    case 231:
      tk::setGadgetText(308, std::to_string(e.param2));
      tk::setGadgetText(309, std::to_string(e.param3));
      break;
    case 232:
      tk::setGadgetText(310, e.formula1);
      tk::setGadgetText(311, e.formula2);
      break;
    case 233:
      FillSwatch(45, 80, 20, e.param13, e.param14, e.param15);
      FillSwatch(46, 80, 20, e.param10, e.param11, e.param12);
      ShowSwatch(350, 45);
      ShowSwatch(351, 46);
      break;
    default: break;
  }
}

void ShowCurrentEffectSettings(const EffectList& list) {
  for (int c = 221; c <= 233; ++c) tk::hideGadget(c, true);
  if (list.current < 0 || size_t(list.current) >= list.items.size()) return;
  const EffectListEntry& e = list.items[size_t(list.current)];
  if (e.settingsPanel >= 221 && e.settingsPanel <= 233) {
    tk::hideGadget(e.settingsPanel, false);
    LoadEffectSettings(e);
  }
}

int32_t UpdateEffectSettingsPanel(int32_t gadget) {
  EffectList& list = tk::gadgetState(201) ? BlackEffectList : WhiteEffectList;
  EffectListEntry* e = list.current >= 0 && size_t(list.current) < list.items.size()
                           ? &list.items[size_t(list.current)] : nullptr;
  EffectListEntry scratch;   // takes the values when the list is empty
  EffectListEntry& el = e ? *e : scratch;
  const int S = tk::gadgetState(gadget);
  auto w16 = [](int v) { return int16_t(v); };
  switch (gadget) {
    case 236: el.param3 = S - 128; break;
    case 239: el.param2 = S - 128; break;
    case 242: el.param4 = w16(S - 128); break;
    case 244: el.param5 = w16(S - 128); break;
    case 246: el.param6 = w16(S - 128); break;
    case 254:
      tk::setGadgetText(255, "Stärke: " + std::to_string(S));
      el.param2 = S;
      break;
    case 256: {
      const int64_t c = ShowSystemColourDialog(uint32_t(Rot) | uint32_t(Gruen) << 8 | uint32_t(Blau) << 16);
      if (c < 0) break;
      el.param4 = w16(c & 0xFF);
      el.param5 = w16((c >> 8) & 0xFF);
      el.param6 = w16((c >> 16) & 0xFF);
      FillSwatch(40, 100, 20, el.param4, el.param5, el.param6);
      ShowSwatch(256, 40);
      break;
    }
    case 258: SetNumber(258, S); el.param3 = S; break;
    case 260: case 263: case 266: {
      SetNumber(gadget, S);
      const int c = (gadget - 260) / 3;
      (c == 0 ? el.param4 : c == 1 ? el.param5 : el.param6) = w16(S);
      break;
    }
    case 261: case 264: case 267: {
      const int c = (gadget - 261) / 3;
      (c == 0 ? el.param19 : c == 1 ? el.param20 : el.param21) = w16(S);
      break;
    }
    case 259: case 262: case 265: {
      const int c = (gadget - 259) / 3;
      (c == 0 ? el.param7 : c == 1 ? el.param8 : el.param9) = w16(S != 0);
      break;
    }
    case 271: case 275: case 279: {
      SetNumber(gadget, S);
      const int c = (gadget - 271) / 4;
      (c == 0 ? el.param10 : c == 1 ? el.param11 : el.param12) = w16(S);
      break;
    }
    case 273: case 277: case 281: {
      tk::setGadgetText(gadget, std::to_string(S + 128));
      const int c = (gadget - 273) / 4;
      (c == 0 ? el.param13 : c == 1 ? el.param14 : el.param15) = w16(S + 128);
      break;
    }
    case 274: case 278: case 282: {
      tk::setGadgetText(gadget, std::to_string(S + 78));
      const int c = (gadget - 274) / 4;
      (c == 0 ? el.param16 : c == 1 ? el.param17 : el.param18) = w16(S - 50);
      break;
    }
    case 285: {
      const int32_t typed = TextNumber(tk::gadgetText(285));
      if (typed > 255) tk::setGadgetText(285, "255");
      else if (typed < 0) tk::setGadgetText(285, "0");
      const int32_t v = std::clamp(TextNumber(tk::gadgetText(285)), 0, 255);
      const auto at = [](int p) { return size_t(p) < StructureEffectTable.size() ? StructureEffectTable[p].name : ""; };
      if (el.name == at(39)) el.param4 = w16(v);
      else if (el.name == at(40)) el.param5 = w16(v);
      else if (el.name == at(41)) el.param6 = w16(v);
      break;
    }
    case 287: el.param21 = w16(S); break;
    case 297: tk::setGadgetText(296, "Breite:" + std::to_string(S)); el.param2 = S; WavePreview(); break;
    case 299: tk::setGadgetText(298, "Amplitude:" + std::to_string(S)); el.param4 = w16(S); WavePreview(); break;
    case 301: tk::setGadgetText(300, "Anfang:" + std::to_string(S - 100) + "%"); el.param7 = w16(S - 100); WavePreview(); break;
    case 303: tk::setGadgetText(302, "Breite:" + std::to_string(S)); el.param3 = S; WavePreview(); break;
    case 305: tk::setGadgetText(304, "Amplitude:" + std::to_string(S)); el.param5 = w16(S); WavePreview(); break;
    case 307: tk::setGadgetText(306, "Anfang:" + std::to_string(S - 100) + "%"); el.param8 = w16(S - 100); WavePreview(); break;
    case 308: el.param2 = TextNumber(tk::gadgetText(308)); break;
    case 309: el.param3 = TextNumber(tk::gadgetText(309)); break;
    case 310: el.formula1 = tk::gadgetText(310); break;
    case 311: el.formula2 = tk::gadgetText(311); break;
    case 345: case 346: case 347: case 348:
      el.param3 = gadget - 344;
      RangeSecondRows(gadget - 344);
      break;
    case 349:
      ChooseCurrentColour();
      FillSwatch(44, 200, 40, Rot, Gruen, Blau);
      ShowSwatch(349, 44);
      // The replacement colour of the colour-range clearing, plain 0..255.
      el.param4 = Rot;
      el.param5 = Gruen;
      el.param6 = Blau;
      break;
    case 350: case 351: {
      const int64_t c = ShowSystemColourDialog(gadget == 350 ? 0xFFFFFFu : 0u);
      if (c < 0) break;
      const int16_t r = w16(c & 0xFF), g = w16((c >> 8) & 0xFF), b = w16((c >> 16) & 0xFF);
      if (gadget == 350) { el.param13 = r; el.param14 = g; el.param15 = b; }
      else { el.param10 = r; el.param11 = g; el.param12 = b; }
      FillSwatch(gadget == 350 ? 45 : 46, 80, 20, r, g, b);
      ShowSwatch(gadget, gadget == 350 ? 45 : 46);
      break;
    }
    default: {
      for (int c = 0; c < 3; ++c) {
        int16_t* five[3][5] = {{&el.param16, &el.param10, &el.param13, &el.param7, &el.param19},
                               {&el.param17, &el.param11, &el.param14, &el.param8, &el.param20},
                               {&el.param18, &el.param12, &el.param15, &el.param9, &el.param21}};
        const int gs[5] = {kRangeT[c], kRangeMin1[c], kRangeMax1[c], kRangeMin2[c], kRangeMax2[c]};
        for (int k = 0; k < 5; ++k) {
          if (gadget != gs[k]) continue;
          ColourRangeGeometry(c);
          for (int j = 0; j < 5; ++j) *five[c][j] = w16(tk::gadgetState(gs[j]));
          return 0;
        }
      }
      break;
    }
  }
  return 0;
}
