// The tool-option popups (pictures of line widths, filled or outlined shapes, spray
// patterns, compass styles, pipette shapes) and the drawing-settings bar, whose gadgets
// are the panel's option gadgets + 85.
#include "documents/documents.h"
#include "shell/shell.h"
#include "tools/tool_options_internal.h"
#include "toolkit/toolkit.h"
#include "tools/tools.h"

using namespace tools_ui;

namespace {
// Each tool's popup: its option ids, the ToolFormStates word and the picture of the first.
struct OptionPopupRow {
  int tool, first, last, word, image;
};
const OptionPopupRow kPopups[] = {
    {51, 467, 473, 6, 116}, {52, 467, 473, 6, 116}, {53, 467, 473, 6, 116},
    {50, 478, 479, 0, 128}, {48, 474, 475, 1, 124}, {49, 476, 477, 2, 126},
    {54, 484, 485, 4, 134}, {55, 486, 487, 5, 136}, {44, 480, 483, 3, 130},
};
}  // namespace

void OnToolOptionPopup(int32_t id) {
  if (PendingHandlerSpy) PendingHandlerSpy("OnToolOptionPopup", id);
  if (id < 467 || id > 490) return;
  if (paintstate == 57) {
    if (id < 488) return;
    ToolOption = id;
    ToolFormStates[7] = int16_t(id);
    ShowOptionImage(id == 488 ? 129 : id == 489 ? 125 : 135);
    return;
  }
  for (const OptionPopupRow& p : kPopups) {
    if (p.tool != paintstate) continue;
    // An id of another tool's popup leaves this tool's option alone.
    if (id < p.first || id > p.last) return;
    ToolOption = id;
    ToolFormStates[p.word] = int16_t(id);
    ShowOptionImage(p.image + (id - p.first));
    if (paintstate == 44) {
      static const int kAmounts[4] = {40, 80, 20, 40};
      SetTwinSpins(95, "Menge: ", kAmounts[id - 480]);
    }
    return;
  }
}

void OnDrawBarGadget(int32_t gadget) {
  if (PendingHandlerSpy) PendingHandlerSpy("OnDrawBarGadget", gadget);
  switch (gadget) {
    case 173: OptionButton(174); return;
    case 177:
      SetTolerance(State(177));
      FocusCanvas();
      RaiseToleranceForSoftEdges(178);
      Drain();
      return;
    case 178:
      RaiseToleranceForSoftEdges(178);
      SetState(93, State(178));
      return;
    case 174:
      SetRadius(State(174));
      FocusCanvas();
      Drain();
      return;
    case 180:
      SetTwinSpins(95, "Menge: ", CapSprayAmount(State(180)));
      Drain();
      return;
    case 181: mirrorxstate = uint8_t(State(181)); SetState(96, mirrorxstate); return;
    case 182: mirrorystate = uint8_t(State(182)); SetState(97, mirrorystate); return;
    case 179: SetState(94, 1); SetState(90, 0); return;
    case 175: SetState(94, 0); SetState(90, 1); return;
    case 185: SetDrawStep(State(185)); return;
    case 184: SetDrawStep(1); return;
    case 186: SetDrawStep(200); return;
    case 187: allowreadraw = uint8_t(1 - State(187)); SetState(102, State(187)); return;
    case 191: transstate = 1.0f; SetOpacitySliders(0); return;
    case 192: transstate = float(255 - State(192)) / 255.0f; SetState(107, State(192)); return;
    case 193: transstate = 0.0f; SetOpacitySliders(255); return;
    case 189:
      WaitForComboDropDown(189);
      fillstate = uint8_t(State(189) < 0 ? 0 : State(189) > 12 ? 12 : State(189));
      SetState(104, fillstate);
      FocusCanvas();
      Drain();
      return;
    default: return;
  }
}
