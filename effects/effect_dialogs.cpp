// The parameter dialogs of the effects that take more than one value: colour moving
// (window 8, built once and only shown, so it keeps the user's last settings), colour ranges
// (window 10), relief direction (41), motion and sprinkling (12), the own formula effect (13)
// and two-colour dithering (14). Each runs its own loop over a disabled main window and
// starts its effect only after the window is gone.
#include <algorithm>
#include <string>

#include "documents/documents.h"
#include "effects/dialog_internal.h"
#include "effects/effects.h"
#include "shell/shell.h"
#include "toolkit/toolkit.h"

uint8_t ColorRangeRecord[9] = {};

int32_t ColormoveDialog(int32_t marked) {
  OnErrorCode1 = 13;
  if (!tk::isWindow(8)) return 0;
  tk::hideWindow(8, false);
  tk::disableWindow(0, true);
  tk::activateWindow(8);
  tk::useWindow(8);
  bool run = false;
  for (bool open = true; open;) {
    KeepDialogInFront(8);
    const int ev = tk::waitEvent();
    LastEvent = ev;
    if (IsDialogCancel(ev, 8)) break;
    if (ev != tk::EvGadget) continue;
    const int g = tk::eventGadget();
    if (g == 607 || g == 610 || g == 613) {
      const bool off = tk::gadgetState(g) == 0;
      tk::disableGadget(g + 1, off);
      tk::disableGadget(g + 2, off);
    } else if (g == 608 || g == 611 || g == 614) {
      tk::setGadgetText(g, std::to_string(tk::gadgetState(g)));
      DropPendingEvents();
    } else if (g == 616) {
      run = true;
      open = false;
    } else if (g == 617) {
      open = false;
    }
  }
  int32_t amount[3] = {}, direction[3] = {};
  for (int i = 0; i < 3; ++i) {
    const int g = 607 + 3 * i;
    if (tk::gadgetState(g) == 0) continue;
    amount[i] = std::clamp(FieldNumber(tk::gadgetText(g + 1)), 0, 10);
    direction[i] = std::clamp(tk::gadgetState(g + 2), 0, 3) + 1;
  }
  // Window 8 stays for the next call, hidden, with what the user set.
  tk::hideWindow(8, true);
  tk::disableWindow(0, false);
  tk::setWindowCallback(0, MainWindowCallback);
  tk::useWindow(0);
  tk::activateWindow(0);
  if (!run) return 0;
  const char* name = marked != 0 ? "Colormove_Marked" : "Colormove";
  ReportEffectCall(FormatEffectCall(name, {double(amount[0]), double(amount[1]), double(amount[2]),
                                           double(direction[0]), double(direction[1]), double(direction[2]), 0}));
  if (marked != 0)
    Colormove_Marked(amount[0], amount[1], amount[2], direction[0], direction[1], direction[2], 0);
  else
    Colormove(amount[0], amount[1], amount[2], direction[0], direction[1], direction[2], 0);
  return 0;
}

int32_t ColorRangesDialog() {
  OnErrorCode1 = 13;
  if (!OpenDialogWindow(10, 300, 150, 260, 150, "Farbreichweiten")) return -1;
  tk::label(626, 60, 5, 60, 20, "Minimum");
  tk::label(627, 120, 5, 60, 20, "Maximum");
  tk::label(628, 190, 5, 60, 20, "Wendepunkt");
  const char* rows[3] = {"Rot", "Gruen", "Blau"};
  for (int c = 0; c < 3; ++c) {
    const int g = 629 + 4 * c, y = 30 + 30 * c;
    tk::label(g + 1, 10, y, 60, 20, rows[c]);
    tk::spinField(g, 70, y, 60, 20, 0, 128);
    tk::setGadgetState(g, 0);
    tk::spinField(g + 2, 130, y, 60, 20, 0, 127);
    tk::setGadgetState(g + 2, 127);
    tk::setGadgetText(g + 2, "255");
    tk::spinField(g + 3, 190, y, 60, 20, 0, 100);
    tk::setGadgetState(g + 3, 50);
    tk::setGadgetText(g + 3, "0");
  }
  tk::button(641, 70, 120, 120, 20, "OK");
  int32_t result = -1;
  for (bool open = true; open;) {
    KeepDialogInFront(10);
    const int ev = tk::waitEvent();
    LastEvent = ev;
    if (IsDialogCancel(ev, 10)) break;
    if (ev != tk::EvGadget) continue;
    const int g = tk::eventGadget();
    if (g >= 629 && g <= 640 && (g - 629) % 4 != 1) {
      // The fields show what the value means: maximum 128..255, turning point -50..50.
      const int kind = (g - 629) % 4;
      const int32_t v = tk::gadgetState(g);
      tk::setGadgetText(g, std::to_string(kind == 0 ? v : kind == 2 ? v + 128 : v - 50));
      DropPendingEvents();
    } else if (g == 641) {
      for (int c = 0; c < 3; ++c) {
        const int g0 = 629 + 4 * c;
        ColorRangeRecord[3 * c] = uint8_t(tk::gadgetState(g0 + 2) + 128);
        ColorRangeRecord[3 * c + 1] = uint8_t(tk::gadgetState(g0 + 3) - 50);
        ColorRangeRecord[3 * c + 2] = uint8_t(tk::gadgetState(g0));
      }
      result = 0;
      open = false;
    }
  }
  CloseDialogWindow(10);
  return result;
}

std::array<int32_t, 9> ColorspecArguments(const uint8_t record[9]) {
  std::array<int32_t, 9> a{};
  for (int c = 0; c < 3; ++c) {
    a[3 * c] = record[3 * c + 2];                    // minimum
    a[3 * c + 1] = record[3 * c];                    // maximum
    a[3 * c + 2] = int8_t(record[3 * c + 1]);        // turning point, signed
  }
  return a;
}

int32_t RunColorRangesCommand(int32_t marked) {
  if (ColorRangesDialog() < 0) return 0;
  const std::array<int32_t, 9> a = ColorspecArguments(ColorRangeRecord);
  ReportEffectCall(FormatEffectCall(marked != 0 ? "SetColorspec_Marked" : "SetColorspec",
                                    {double(a[0]), double(a[1]), double(a[2]), double(a[3]), double(a[4]),
                                     double(a[5]), double(a[6]), double(a[7]), double(a[8]), 0}));
  if (marked != 0)
    SetColorspec_Marked(uint8_t(a[0]), uint8_t(a[1]), uint8_t(a[2]), uint8_t(a[3]), uint8_t(a[4]), uint8_t(a[5]),
                        uint8_t(a[6]), uint8_t(a[7]), uint8_t(a[8]), 0);
  else
    SetColorspec(a[0], a[1], a[2], a[3], a[4], a[5], a[6], a[7], a[8], 0);
  return 0;
}

int32_t ReliefDirectionDialog() {
  OnErrorCode1 = 13;
  if (!OpenDialogWindow(41, 200, 200, 200, 200, "Relief")) return -1;
  tk::label(-1, 0, 0, 200, 40, "Stellen sie die Reliefrichtung ein", tk::GfMultiLine);
  const char* names[4] = {"Links Oben -> Rechts Unten", "Rechts Oben -> Links Onten", "Links Unten -> Rechts Oben",
                          "Rechts Unten -> Links Oben"};
  for (int i = 0; i < 4; ++i) tk::option(485 + i, 10, 40 + 20 * i, 180, 20, names[i]);
  tk::button(489, 20, 140, 70, 30, "Abbrechen");
  tk::button(490, 110, 140, 70, 30, "OK");
  int32_t result = -1;
  for (bool open = true; open;) {
    const int ev = tk::waitEvent();
    if (IsDialogCancel(ev, 41)) break;
    if (ev != tk::EvGadget) continue;
    if (tk::eventGadget() == 489) {
      open = false;
    } else if (tk::eventGadget() == 490) {
      result = 0;
      for (int i = 3; i >= 0; --i)
        if (tk::gadgetState(485 + i) == 1) result = i;
      open = false;
    }
  }
  CloseDialogWindow(41);
  return result;
}

int32_t MotionEffectDialog(int32_t mode, int32_t marked) {
  OnErrorCode1 = 13;
  if (!OpenDialogWindow(12, 100, 100, 334, 200, mode == 1 ? "Sprenkler" : "BewegungsEffekt")) return 0;
  tk::label(-1, 0, 0, 334, 50,
            mode == 1 ? "Durch die Sprenkler  wird das Bild verfälscht"
                      : "Mit dem Verschiebeeffekt wird  das Bild in X- und Y- Richtung \"gerollt\",\r"
                        "das heißt,was am ende rausgeht, kommt am Anfang wieder rein!",
            tk::GfMultiLine);
  tk::label(-1, 0, 50, 80, 20, "X-Verschiebung:");
  tk::stringField(658, 80, 50, 50, 20, "0", tk::GfNumbers);
  tk::label(-1, 0, 75, 80, 20, "Y-Verschiebung:");
  tk::stringField(659, 80, 75, 50, 20, "0", tk::GfNumbers);
  tk::button(660, 50, 130, 100, 30, "OK");
  tk::button(661, 170, 130, 100, 30, "Abbrechen");
  int32_t x = 0, y = 0;
  for (bool open = true; open;) {
    if (tk::activeWindow() == 0) tk::activateWindow(12);
    const int ev = tk::waitEvent();
    LastEvent = ev;
    if (IsDialogCancel(ev, 12)) break;
    if (ev != tk::EvGadget) continue;
    if (tk::eventGadget() == 660) {
      x = FieldNumber(tk::gadgetText(658));
      y = FieldNumber(tk::gadgetText(659));
      open = false;
    } else if (tk::eventGadget() == 661) {
      open = false;
    }
  }
  CloseDialogWindow(12);
  if ((x == 0 && y == 0) || (mode != 0 && mode != 1)) return 0;
  // The main window stays disabled while the effect runs.
  tk::disableWindow(0, true);
  const bool area = uint8_t(marked) != 0;
  const std::string name = std::string(mode == 0 ? "MoveImage" : "BlowUp") + (area ? "_Marked" : "");
  ReportEffectCall(FormatEffectCall(name, {double(x), double(y), 0}));
  if (mode == 0) {
    if (area) MoveImage_Marked(x, y, 0);
    else MoveImage(x, y, 0);
  } else {
    if (area) BlowUp_Marked(x, y, 0);
    else BlowUp(x, y, 0);
  }
  tk::disableWindow(0, false);
  return 0;
}

namespace {

const char* const OwnEffectHelp =
    "Mit dem eigenen Effekt lässt sich das Bild manipu-\rlieren.\rDazu wird für jeden pixel  #x/#y mit Hilfe der "
    "zwei \rangegebenen Funktionen die neue Position \r#x2/#y2 errechnet.\rfür die Funktion gelten folgende "
    "Regeln:\r -die Syntax entspricht der des Editors\r -folgende Funktionen können aufgerufen werden:\r -sin, "
    "cos, tan\r -Random\r -min, max, pos\r       -Sqr, Pow\r  -die Variablen:\r - #x für die x-Position\r"
    "#cvn_width für die Bildlänge\r#cvn_height für die Bildhöhe\r - #y für die y-Position\r - CVN-Constanten: "
    "#cvn_pi\r -Ergebnisse<0 oder >bild-länge/höhe werden \r automatisch angepasst";

}  // namespace

int32_t OwnEffectDialog(int32_t marked) {
  OnErrorCode1 = 13;
  if (!OpenDialogWindow(13, 100, 100, 500, 400, "Eigene Effektfunktion")) return 0;
  tk::label(-1, 2, 10, 30, 20, "#x2=");
  tk::stringField(662, 32, 10, 200, 20, "#x");
  tk::label(-1, 2, 50, 30, 20, "#y2=");
  tk::stringField(663, 32, 50, 200, 20, "#y");
  tk::button(664, 50, 330, 100, 30, "OK");
  tk::button(665, 230, 330, 100, 30, "Abbrechen");
  tk::button(666, 400, 330, 80, 30, "Hilfe");
  tk::label(-1, 240, 2, 250, 300, OwnEffectHelp, tk::GfMultiLine);
  // A cancel is its own flag: a formula may read anything, "cancel" included.
  bool run = false;
  std::string x2, y2;
  for (bool open = true; open;) {
    KeepDialogInFront(13);
    const int ev = tk::waitEvent();
    LastEvent = ev;
    if (IsDialogCancel(ev, 13)) break;
    if (ev != tk::EvGadget) continue;
    if (tk::eventGadget() == 664) {
      x2 = tk::gadgetText(662);
      y2 = tk::gadgetText(663);
      run = true;
      open = false;
    } else if (tk::eventGadget() == 665) {
      open = false;
    }
  }
  CloseDialogWindow(13);
  if (!run) return 0;
  ReportEffectCall((marked != 0 ? "OwnEffect_Marked(" : "OwnEffect(") + x2 + ", " + y2 + ", 0)");
  if (marked != 0) OwnEffect_Marked(x2, y2, 0);
  else OwnEffect(x2, y2, 0);
  return 0;
}

int32_t BiChromaticDitheringDialog(int32_t marked) {
  OnErrorCode1 = 13;
  uint8_t c1[3] = {255, 255, 255}, c2[3] = {0, 0, 0};
  // The two colour fields start white and black on every call.
  CreateBlackWhiteSwatches();
  FillDialogSwatch(45, 80, 20, DialogColor(255, 255, 255));
  FillDialogSwatch(46, 80, 20, DialogColor(0, 0, 0));
  if (!OpenDialogWindow(14, 200, 200, 200, 200, "2FarbenVerlauf")) return 0;
  tk::label(-1, 0, 0, 200, 40, "In diesem Dialog können sie die zwei für den Effekt zu nutzenden Farbe wählen",
            tk::GfMultiLine);
  tk::label(-1, 30, 43, 124, 20, "Ersatzfarbe für Weiß:");
  tk::imageGadget(-1, 32, 63, 20, 20, 82);
  tk::label(-1, 52, 63, 20, 20, "=");
  tk::imageButton(667, 72, 63, 80, 20, 45);
  tk::label(-1, 30, 90, 124, 20, "Ersatzfarbe für Schwarz:");
  tk::imageGadget(-1, 32, 110, 20, 20, 81);
  tk::label(-1, 52, 110, 20, 20, "=");
  tk::imageButton(668, 72, 110, 80, 20, 46);
  tk::button(669, 0, 150, 100, 20, "OK");
  tk::button(670, 100, 150, 100, 20, "Abbrechen");
  bool run = false;
  for (bool open = true; open;) {
    KeepDialogInFront(14);
    const int ev = tk::waitEvent();
    LastEvent = ev;
    if (IsDialogCancel(ev, 14)) break;
    if (ev != tk::EvGadget) continue;
    const int g = tk::eventGadget();
    if (g == 667 || g == 668) {
      uint8_t* c = g == 667 ? c1 : c2;
      const int image = g == 667 ? 45 : 46;
      const int64_t chosen = ShowSystemColourDialog(DialogColor(c[0], c[1], c[2]));
      tk::activateWindow(14);
      if (chosen >= 0) {
        FillDialogSwatch(image, 80, 20, uint32_t(chosen));
        tk::setGadgetAttribute(g, tk::AttrImage, image);
        c[0] = uint8_t(chosen);
        c[1] = uint8_t(chosen >> 8);
        c[2] = uint8_t(chosen >> 16);
      }
    } else if (g == 669) {
      run = true;
      open = false;
    } else if (g == 670) {
      open = false;
    }
  }
  CloseDialogWindow(14);
  if (!run) return 0;
  const bool area = uint8_t(marked) != 0;
  ReportEffectCall(FormatEffectCall(area ? "BiChromaticDithering_Marked" : "BiChromaticDithering",
                                    {double(c1[0]), double(c1[1]), double(c1[2]), double(c2[0]), double(c2[1]),
                                     double(c2[2]), 0}));
  if (area) BiChromaticDithering_Marked(c1[0], c1[1], c1[2], c2[0], c2[1], c2[2], 0);
  else BiChromaticDithering(c1[0], c1[1], c1[2], c2[0], c2[1], c2[2], 0);
  return 0;
}
