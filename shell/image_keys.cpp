// The keyboard of the drawing view: the image shortcut commands, key presses on window 0
// (scrolling, tool values, colour steps, the keyboard-mode cursor) and key releases, and
// the shortcut commands of the effects view.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "documents/documents.h"
#include "effects/effects.h"
#include "shell/shell.h"
#include "toolkit/toolkit.h"
#include "tools/tools.h"


namespace {

enum : int32_t {
  VkShift = 0x10, VkControl = 0x11, VkLeft = 0x25, VkUp = 0x26, VkRight = 0x27, VkDown = 0x28,
  VkB = 0x42, VkD = 0x44, VkG = 0x47, VkR = 0x52, VkT = 0x54, VkY = 0x59, VkZ = 0x5A,
  VkNumpad0 = 0x60,
};

// Zooms one step of the zoom list (gadget 60) in or out; at the end of the list nothing.
void ZoomStep(int32_t direction) {
  const int32_t s = tk::gadgetState(60);
  if (direction > 0 ? s >= 4 : s <= 0) return;
  tk::setGadgetState(60, s + direction);
  const float z = float(std::atof(tk::gadgetText(60).c_str()));
  if (z > 0.0f) length = z;
  UpdateZoomedSizes();
  UpdateScrollBars();
  RedrawCanvas();
  DrawRulers();
}

void SetFillMode(int32_t mode) {
  tk::setGadgetState(104, mode);
  tk::setGadgetState(189, mode);
  fillstate = uint8_t(tk::gadgetState(104));
}

// Ctrl raises, Shift lowers the gadget's state by one.
int32_t StepByModifier(int32_t state) {
  if (controlpressed == 1 && shiftpressed == 0) return state + 1;
  if (shiftpressed == 1 && controlpressed == 0) return state - 1;
  return state;
}

void StepColourChannel(int32_t gadget, uint8_t* channel) {
  int32_t s = tk::gadgetState(gadget);
  if (controlpressed == 1 && shiftpressed == 0 && s < 255) ++s;
  else if (shiftpressed == 1 && controlpressed == 0 && s > 0) --s;
  else return;
  tk::setGadgetState(gadget, s);
  *channel = uint8_t(s);
  tk::setGadgetText(gadget, std::to_string(s));
  UpdateColourRatios();
  UpdateColourDisplays();
  UpdateKeyboardStatusBar();
}

}  // namespace

int32_t ArrowScroll(int32_t position, int32_t maximum, int32_t direction, int32_t ctrl, int32_t shift) {
  int32_t step = 1;
  if (ctrl == 1 && shift == 1) step = 100;
  else if (ctrl == 1) step = 10;
  else if (shift == 1) step = 50;
  if (direction > 0) {
    position += step;
    if (position > maximum) position = maximum;
  } else {
    position -= step;
    if (position < 0) position = 0;
  }
  return position;
}

void OnImageShortcut(int32_t id) {
  if (PendingHandlerSpy) PendingHandlerSpy("OnImageShortcut", id);
  if (Keydrawmode == 0) {
    switch (id) {
      case 370: NewImageDialog(Settings.startWidth + 1, Settings.startHeight + 1); return;
      case 369: SaveImage(); return;
      case 371: OpenImageFile(); return;
      case 372: CloseImage(CurrentImage); return;
      case 374: CopyImageToClipboard(); return;
      case 378: CutImage(); return;
      case 375: PasteClipboardImage(0, 0); return;
      case 376: InsertImageFromFile(0, 0); return;
      default: break;
    }
  }
  if (id >= 380 && id <= 389) {
    SetFillMode(id - 379);
    if (KeyboardModus == 1) UpdateKeyboardStatusBar();
  } else if (id >= 392 && id <= 416) {
    static const int32_t toolByLetter[25] = {34, 35, 36, 38, 39, 40, 58, 43, 44, 41, 42, 45, 48,
                                             49, 50, 54, 52, 53, 51, 47, 46, 37, 55, 57, 56};
    UpdateToolOptions(toolByLetter[id - 392]);
  } else if (id == 417) {
    ZoomStep(1);
  } else if (id == 418) {
    ZoomStep(-1);
  } else if (id >= 419 && id <= 422) {
    tk::setGadgetState(10, id - 419);
  } else if (id == 423) {
    ShowShortcutWindow(KeyboardModus == 1 ? 1 : 0);
  } else if (id == 424) {
    if (KeyboardModus == 0) EnterKeyboardMode();
    else LeaveKeyboardMode();
    DropPendingEvents();
  } else if (id == 425) {
    if (KeyboardModus == 1) {
      if (Keydrawmode == 0) LowerKeyboardPen();
      else LiftKeyboardPen();
    }
  }
}

void OnPanelShortcut(int32_t id) {
  if (PendingHandlerSpy) PendingHandlerSpy("OnPanelShortcut", id);
  switch (id) {
    case 370: NewImageDialog(Settings.startWidth + 1, Settings.startHeight + 1); break;
    case 369: SaveImage(); break;
    case 371: OpenImageFile(); break;
    case 372: CloseImage(CurrentImage); break;
    case 417: ZoomStep(1); break;
    case 418: ZoomStep(-1); break;
    case 423: ShowShortcutWindow(3); break;
    default: break;
  }
}

void OnImageKeyDown() {
  const int32_t key = int32_t(tk::eventWParam());
  if (PendingHandlerSpy) PendingHandlerSpy("OnImageKeyDown", key);
  if (key == VkControl) controlpressed = 1;
  if (key == VkShift) shiftpressed = 1;
  switch (key) {
    case VkRight:
    case VkLeft:
      horz = ArrowScroll(horz, scrollmaxx, key == VkRight ? 1 : -1, controlpressed, shiftpressed);
      tk::setGadgetState(12, horz);
      RedrawCanvas();
      DrawRulers();
      UpdateKeyboardStatusBar();
      break;
    case VkDown:
    case VkUp:
      vert = ArrowScroll(vert, scrollmaxY, key == VkDown ? 1 : -1, controlpressed, shiftpressed);
      tk::setGadgetState(13, vert);
      RedrawCanvas();
      DrawRulers();
      UpdateKeyboardStatusBar();
      break;
    case VkZ:
      if (controlpressed == 1 && Keydrawmode == 0) Undo(0);
      break;
    case VkY:
      if (controlpressed == 1 && Keydrawmode == 0) Redo();
      break;
    case VkT: {
      if (controlpressed == shiftpressed) break;
      tk::setGadgetState(107, StepByModifier(tk::gadgetState(107)));
      transstate = float(255 - tk::gadgetState(107)) / 255.0f;
      tk::setGadgetState(192, StepByModifier(tk::gadgetState(192)));
      transstate = float(255 - tk::gadgetState(192)) / 255.0f;
      UpdateKeyboardStatusBar();
      break;
    }
    case VkD: {
      if (controlpressed == shiftpressed) break;
      tk::setGadgetState(100, StepByModifier(tk::gadgetState(100)));
      tk::setGadgetState(185, StepByModifier(tk::gadgetState(185)));
      UpdateKeyboardStatusBar();
      drawstep = tk::gadgetState(100);
      tk::setGadgetText(98, "DrawStep: " + std::to_string(tk::gadgetState(100)) + "%");
      tk::setGadgetText(183, "DrawStep: " + std::to_string(tk::gadgetState(185)) + "%");
      break;
    }
    case VkR: StepColourChannel(816, &Rot); break;
    case VkG: StepColourChannel(818, &Gruen); break;
    case VkB: StepColourChannel(820, &Blau); break;
    case 220: SetFillMode(0); UpdateKeyboardStatusBar(); break;
    case 219: SetFillMode(11); UpdateKeyboardStatusBar(); break;
    case 221: SetFillMode(12); UpdateKeyboardStatusBar(); break;
    default: break;
  }
  if (KeyboardModus == 1 && key >= VkNumpad0 + 1 && key <= VkNumpad0 + 9 && key != VkNumpad0 + 5) {
    static const int32_t dx[10] = {0, -1, 0, 1, -1, 0, 1, -1, 0, 1};
    static const int32_t dy[10] = {0, 1, 1, 1, 0, 0, 0, -1, -1, -1};
    const int32_t n = key - VkNumpad0;
    KeyboardX += dx[n];
    KeyboardY += dy[n];
    if (KeyboardX < 0) KeyboardX = 0;
    if (KeyboardX > bildlang) KeyboardX = bildlang;
    if (KeyboardY < 0) KeyboardY = 0;
    if (KeyboardY > bildhoch) KeyboardY = bildhoch;
    if (Keydrawmode == 1) ToolDispatch();
    else ComposeCanvasView();
    UpdateKeyboardStatusBar();
  }
}

void OnImageKeyUp() {
  const int32_t key = int32_t(tk::eventWParam());
  if (PendingHandlerSpy) PendingHandlerSpy("OnImageKeyUp", key);
  if (key == VkControl) controlpressed = 0;
  if (key == VkShift) shiftpressed = 0;
}
