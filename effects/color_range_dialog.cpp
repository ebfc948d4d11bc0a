// The dialog "Farbbereich ausräumen" (window 15): per channel a turning point on a scale of
// 256 pixels, one pixel a colour step, and a range around it given by sliders whose width
// follows the turning point. A range slider's value is its state (0..128) scaled to its
// current width, so the arithmetic below keeps the widths beside the states.
#include <algorithm>
#include <string>

#include "documents/documents.h"
#include "effects/dialog_internal.h"
#include "effects/effects.h"
#include "shell/shell.h"
#include "toolkit/toolkit.h"

void ClearRangeTurnMoved(ClearRangeChannel& c) {
  c.wInnerMin = c.turn;
  c.wInnerMax = 256 - c.turn;
  ClearRangeInnerMinMoved(c);
  ClearRangeInnerMaxMoved(c);
}

void ClearRangeInnerMinMoved(ClearRangeChannel& c) { c.wOuterMin = c.innerMin * c.wInnerMin / 128; }

void ClearRangeInnerMaxMoved(ClearRangeChannel& c) { c.wOuterMax = (128 - c.innerMax) * c.wInnerMax / 128; }

int32_t ClearRangeOuterMaxX(const ClearRangeChannel& c) { return c.turn + c.innerMax * c.wInnerMax / 128; }

std::array<int32_t, 5> ClearRangeValues(const ClearRangeChannel& c) {
  const int32_t min = c.innerMin * c.wInnerMin / 128;
  const int32_t max = c.turn + c.innerMax * c.wInnerMax / 128;
  const int32_t outerMin = min - (128 - c.outerMin) * c.wOuterMin / 128;
  const int32_t outerMax = max + c.outerMax * c.wOuterMax / 128;
  return {min, max, c.turn, outerMin, outerMax};
}

namespace {

constexpr int ScaleX = 105;   // where the scale starts inside a channel panel

// Gadget numbers of channel k (0 red, 1 green, 2 blue).
struct RangeGadgets {
  int turn, innerMin, innerMax, outerMin, outerMax;
};
RangeGadgets GadgetsOf(int k) {
  const int b = 672 + 11 * k;
  return {b, b + 2, b + 4, b + 6, b + 8};
}

void BuildChannelPanel(int k, int y, uint32_t colour, int strip) {
  const RangeGadgets g = GadgetsOf(k);
  tk::container(-1, 5, y, 415, 90, tk::GfBorder);
  FillDialogSwatch(strip, 415, 20, colour);
  tk::imageGadget(-1, 0, 0, 415, 20, strip);
  tk::label(g.turn + 1, 5, 25, 100, 20, "Wendepunkt");
  tk::slider(g.turn, ScaleX, 25, 256, 20, 1, 254);
  tk::label(g.innerMin + 1, 55, 45, 50, 20, "Min");
  tk::slider(g.innerMin, ScaleX, 45, 128, 20, 0, 128);
  tk::slider(g.innerMax, 233, 45, 128, 20, 0, 128);
  tk::label(g.innerMax + 1, 361, 45, 50, 20, "Max");
  tk::label(g.outerMin + 1, 55, 65, 50, 20, "Min");
  tk::slider(g.outerMin, ScaleX, 65, 128, 20, 0, 128);
  tk::slider(g.outerMax, 233, 65, 128, 20, 0, 128);
  tk::label(g.outerMax + 1, 361, 65, 50, 20, "Max");
  tk::closeGadgetList();
  tk::setGadgetState(g.turn, 128);
  tk::setGadgetState(g.innerMin, 128);
  tk::setGadgetState(g.outerMin, 128);
}

void ShowOuterRows(bool show) {
  for (int k = 0; k < 3; ++k) {
    const RangeGadgets g = GadgetsOf(k);
    for (int n : {g.outerMin, g.outerMin + 1, g.outerMax, g.outerMax + 1}) tk::hideGadget(n, !show);
  }
}

void ReadStates(int k, ClearRangeChannel& c) {
  const RangeGadgets g = GadgetsOf(k);
  c.turn = tk::gadgetState(g.turn);
  c.innerMin = tk::gadgetState(g.innerMin);
  c.innerMax = tk::gadgetState(g.innerMax);
  c.outerMin = tk::gadgetState(g.outerMin);
  c.outerMax = tk::gadgetState(g.outerMax);
}

void PlaceSliders(int k, const ClearRangeChannel& c) {
  const RangeGadgets g = GadgetsOf(k);
  tk::resizeGadget(g.innerMin, ScaleX, -1, c.wInnerMin, 20);
  tk::resizeGadget(g.innerMax, ScaleX + c.turn, -1, c.wInnerMax, 20);
  tk::resizeGadget(g.outerMin, ScaleX, -1, c.wOuterMin, 20);
  tk::resizeGadget(g.outerMax, ScaleX + ClearRangeOuterMaxX(c), -1, c.wOuterMax, 20);
}

}  // namespace

int32_t ClearColorRangeDialog(int32_t marked) {
  OnErrorCode1 = 13;
  if (!OpenDialogWindow(15, 100, 100, 425, 520, "Farbbereich ausräumen")) return 0;
  const int strips[3] = {tk::createImage(-1, 415, 20), tk::createImage(-1, 415, 20), tk::createImage(-1, 415, 20)};
  BuildChannelPanel(0, 5, DialogColor(255, 0, 0), strips[0]);
  BuildChannelPanel(1, 120, DialogColor(0, 255, 0), strips[1]);
  BuildChannelPanel(2, 220, DialogColor(0, 0, 255), strips[2]);
  FillDialogSwatch(44, 200, 40, DialogColor(Rot, Gruen, Blau));
  tk::imageButton(708, 100, 330, 200, 40, 44);
  tk::frame(-1, 80, 385, 240, 90, "");
  tk::option(704, 100, 390, 200, 20, "Aufstocken");
  tk::option(705, 100, 410, 200, 20, "Aufstocken in Bereich");
  tk::option(706, 100, 430, 200, 20, "Durch Farbe ersetzen- RGB-Unabhängig");
  tk::option(707, 100, 450, 200, 20, "Durch Farbe ersetzen");
  tk::button(709, 50, 480, 100, 30, "OK");
  tk::button(710, 250, 480, 100, 30, "Abbrechen");
  tk::setGadgetState(704, 1);
  ShowOuterRows(false);
  tk::hideGadget(708, true);

  ClearRangeChannel channel[3];
  int32_t mode = 1;
  bool run = false;
  for (bool open = true; open;) {
    KeepDialogInFront(15);
    const int ev = tk::waitEvent();
    LastEvent = ev;
    if (IsDialogCancel(ev, 15)) break;
    if (ev != tk::EvGadget) continue;
    const int g = tk::eventGadget();
    if (g >= 672 && g <= 703) {
      const int k = (g - 672) / 11;
      const RangeGadgets gs = GadgetsOf(k);
      ClearRangeChannel& c = channel[k];
      ReadStates(k, c);
      if (g == gs.turn) ClearRangeTurnMoved(c);
      else if (g == gs.innerMin) ClearRangeInnerMinMoved(c);
      else if (g == gs.innerMax) ClearRangeInnerMaxMoved(c);
      PlaceSliders(k, c);
      DropPendingEvents();
    } else if (g >= 704 && g <= 707) {
      mode = g - 703;
      ShowOuterRows(mode == 2);
      tk::hideGadget(708, mode < 3);
    } else if (g == 708) {
      ChooseCurrentColour();
      tk::activateWindow(15);
      FillDialogSwatch(44, 200, 40, DialogColor(Rot, Gruen, Blau));
      tk::setGadgetAttribute(708, tk::AttrImage, 44);
    } else if (g == 709) {
      for (int k = 0; k < 3; ++k) ReadStates(k, channel[k]);
      run = true;
      open = false;
    } else if (g == 710) {
      open = false;
    }
  }
  CloseDialogWindow(15);
  for (int s : strips) tk::freeImage(s);
  if (!run) return 0;
  std::array<int32_t, 5> v[3];
  for (int k = 0; k < 3; ++k) v[k] = ClearRangeValues(channel[k]);
  // The marked twin takes the replacement colour in the signed form (value - 128), the
  // whole-image effect as the unsigned values it stores.
  const bool area = marked != 0;
  const int32_t shift = area ? 128 : 0;
  const int32_t r = int32_t(Rot) - shift, gr = int32_t(Gruen) - shift, b = int32_t(Blau) - shift;
  ReportEffectCall(FormatEffectCall(
      area ? "ClearColorRange_Marked" : "ClearColorRange",
      {double(v[0][0]), double(v[0][1]), double(v[0][2]), double(v[1][0]), double(v[1][1]), double(v[1][2]),
       double(v[2][0]), double(v[2][1]), double(v[2][2]), double(v[0][3]), double(v[0][4]), double(v[1][3]),
       double(v[1][4]), double(v[2][3]), double(v[2][4]), double(r), double(gr), double(b), double(mode), 0}));
  if (area)
    ClearColorRange_Marked(v[0][0], v[0][1], v[0][2], v[1][0], v[1][1], v[1][2], v[2][0], v[2][1], v[2][2], v[0][3],
                           v[0][4], v[1][3], v[1][4], v[2][3], v[2][4], r, gr, b, mode, 0);
  else
    ClearColorRange(v[0][0], v[0][1], v[0][2], v[1][0], v[1][1], v[1][2], v[2][0], v[2][1], v[2][2], v[0][3],
                    v[0][4], v[1][3], v[1][4], v[2][3], v[2][4], r, gr, b, mode, 0);
  return 0;
}
