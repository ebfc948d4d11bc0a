// The marked-area panel (panel 120): area effects, the structure fill of the area, the area
// tools, channel switches, colour attributes, and putting the area back or dropping it.
#include "documents/documents.h"
#include "effects/effects.h"
#include "script/script.h"
#include "shell/shell.h"
#include "toolkit/toolkit.h"
#include "tools/tools.h"

namespace {

int8_t SliderOffset(int gadget) { return int8_t(tk::gadgetState(gadget) - 128); }

// Channels still held out of the area: put back before the area is merged, or forgotten
// when it is dropped; either way the next area starts with every channel shown.
void EndHeldAreaChannels(bool putBack) {
  if (putBack) {
    if (rotisaway_marked) SwitchRedChannel_Marked(1, 1);
    if (gruenisaway_marked) SwitchGreenChannel_Marked(1, 1);
    if (blauisaway_marked) SwitchBlueChannel_Marked(1, 1);
  }
  ResetChannelSwitches();
}

void LeaveAreaMode() {
  areacolororder = 1;
  NextMode = ModeDraw;
}

}  // namespace

void OnOperationsGadget(int32_t gadget) {
  if (PendingHandlerSpy) PendingHandlerSpy("OnOperationsGadget", gadget);
  switch (gadget) {
    case 122: tk::showPopupMenu(14, 0); break;
    case 123: OpenStructureDialog(1); break;
    case 124: InvertAreaSelection(); break;
    case 160: RegrabAreaFromImage(); break;
    case 126: case 127: case 128:
      for (int g : {126, 127, 128})
        if (tk::isGadget(g)) tk::setGadgetState(g, 0);
      tk::setGadgetState(gadget, 1);
      paintstate = gadget;
      if (gadget == 126) tk::activateWindow(0);
      break;
    case 130: case 131: case 132: AreaMergeOption = uint8_t(gadget - 130); break;
    case 135: SwitchRedChannel_Marked(tk::gadgetState(135), 0); break;
    case 136: SwitchGreenChannel_Marked(tk::gadgetState(136), 0); break;
    case 137: SwitchBlueChannel_Marked(tk::gadgetState(137), 0); break;
    case 155:
      PreviewAreaAdjustment(SliderOffset(139), SliderOffset(142), SliderOffset(145), SliderOffset(147),
                            SliderOffset(149), int8_t(tk::gadgetState(151)));
      break;
    case 156:
      Attributes_Marked(SliderOffset(139), SliderOffset(142), SliderOffset(145), SliderOffset(147),
                        SliderOffset(149), int8_t(tk::gadgetState(151)), 0);
      break;
    case 153: case 154: case 157: ResetAttributeSliders(); break;
    case 158:
      EndHeldAreaChannels(true);
      CreateUndoPoint();
      MergeAreaIntoImage(130 + AreaMergeOption);
      areamark = 0;
      ShowDrawPanel();
      if (CurrentImage > 0 && size_t(CurrentImage) < ImageRecords.size()) ImageRecords[CurrentImage].WindowState = 9;
      RedrawCanvas();
      KeyboardModus = KeyboardModus_hold;
      if (tk::isGadget(38)) tk::setGadgetState(38, 0);
      LeaveAreaMode();
      while (tk::queuedEvents() > 0) tk::pollEvent();
      break;
    case 159:
      EndHeldAreaChannels(false);
      tk::freeImage(22);
      AreaPixels.assign(1, 0);
      AreaViewPixels.assign(1, 0);
      fillstate = 1;
      ClearPixelFlags();
      fillstate = 0;
      areamark = 0;
      ShowDrawPanel();
      RedrawCanvas();
      LeaveAreaMode();
      break;
    default: break;
  }
}
