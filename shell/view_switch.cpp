// Main-window state: the keyboard pen, keyboard mode, the marked-area and drawing panels and
// the switch between the image, effects and script views. Each switch flips a fixed list of
// menu items, toolbar buttons and gadgets and names the next mode.
#include "documents/documents.h"
#include "shell/shell.h"
#include "toolkit/toolkit.h"
#include "tools/tools.h"

uint8_t KeyboardModus_hold = 0;
uint8_t DrawBarCheckHold = 0;
int32_t ToolBeforeArea = 0;
int32_t ToolBeforeView = 0;

namespace {

constexpr int PenMenuItems[] = {19, 20, 23, 24, 25, 2,  3,  9,  4,   7,   0,   1,   6,   5,   11,  16,
                                33, 32, 34, 36, 35, 37, 38, 40, 39,  41,  243, 241, 244, 242, 240, 239};
constexpr int PenToolBarButtons[] = {3, 2, 9, 10, 4, 7, 0, 1, 6, 11, 16, 5};
constexpr int PenGadgets[] = {63, 64, 67, 68, 69, 70, 71, 74, 77, 80, 82, 84, 85, 86, 87};
constexpr int SidePanels[] = {495, 352, 120, 9, 582};
constexpr int ScriptToolBarButtons[] = {237, 219, 221};

// The image view's menu items: menu 0 and the canvas popup 17. The script view's menu 1
// and the tool bar (whose buttons share some of these ids) keep their state.
void EnableImageMenuItem(int id, bool enable) {
  tk::enableMenuItem(0, id, enable);
  tk::enableMenuItem(17, id, enable);
}

void SetPenControls(bool enable) {
  for (int id : PenMenuItems) EnableImageMenuItem(id, enable);
  for (int id : PenToolBarButtons) tk::disableToolBarButton(5, id, !enable);
  for (int g : PenGadgets) tk::disableGadget(g, !enable);
  if (enable) tk::disableGadget(69, tk::gadgetState(68) == 0);   // the anchor follows its check box
}

void EnableBufferItems(bool enable) {
  for (int id = 157; id <= 166; ++id) tk::enableMenuId(id, enable);
  for (int id = 245; id <= 254; ++id) tk::enableMenuId(id, enable);
}

void ShowHeader(int image) { tk::setGadgetState(2, image); }

void SetScriptButtonsHidden(bool hide) {
  for (int id : ScriptToolBarButtons) tk::hideToolBarButton(5, id, hide);
}

// The script and effects views have no current tool; the tool of the image view is kept
// for the way back.
void NoToolCurrent() {
  if (paintstate > 0) {
    ToolBeforeView = paintstate;
    tk::setGadgetState(paintstate, 0);
  }
  paintstate = 0;
}

}  // namespace

void LowerKeyboardPen() {
  OnErrorCode1 = 16;
  Keydrawmode = 1;
  SetPenControls(false);
  tk::setStatusBarImage(3, 30, 103);
}

void LiftKeyboardPen() {
  OnErrorCode1 = 17;
  Keydrawmode = 0;
  SetPenControls(true);
  if (tk::isStatusBar(3)) tk::setStatusBarImage(3, 30, 102);
  OnCanvasLeftUp();
}

void EnterKeyboardMode() {
  KeyboardModus = 1;
  FreeStatusBars();
  CreateKeyboardStatusBar();
  ComposeCanvasView();
  NextMode = ModeKeyboard;
}

void LeaveKeyboardMode() {
  KeyboardModus = 0;
  FreeStatusBars();
  CreateMainStatusBar();
  if (Keydrawmode == 1) LiftKeyboardPen();
  ComposeCanvasView();
  NextMode = ModeDraw;
}

void ShowAreaPanel() {
  DrawBarCheckHold = tk::menuItemChecked(0, 193) ? 1 : 0;
  HideDrawSettingsBar();
  FreeStatusBars();
  if (areamark < 3) CreateAreaStatusBar(); else CreateTextStatusBar();
  for (int id : {30, 31, 243, 244, 168}) tk::enableMenuId(id, true);
  for (int id : {33, 32, 240, 239, 193}) tk::enableMenuId(id, false);
  EnableBufferItems(false);
  for (int g : {135, 136, 137}) tk::setGadgetState(g, 1);
  tk::setGadgetState(130, 1);
  tk::setGadgetState(131, 0);
  tk::setGadgetState(132, 0);
  AreaMergeOption = 0;
  tk::hideGadget(120, false);
  tk::hideGadget(9, true);
  tk::hideWindow(27, true);
  ShowHeader(11);
  tk::setGadgetText(3, "Markierter Bereich");
  ToolBeforeArea = paintstate;
  if (paintstate == 38) tk::setGadgetState(38, 0);
  UpdateToolOptions(126);
  NextMode = ModeArea;
}

void ShowDrawPanel() {
  UpdateToolOptions(ToolBeforeArea);
  tk::setGadgetState(38, 0);
  FreeStatusBars();
  KeyboardModus = KeyboardModus_hold;
  if (KeyboardModus == 1) CreateKeyboardStatusBar(); else CreateMainStatusBar();
  tk::hideGadget(120, true);
  tk::hideGadget(9, false);
  ShowHeader(10);
  EnableMenuItems(0);
  for (int id : {30, 31, 243, 168, 244}) tk::enableMenuId(id, false);
  for (int id : {33, 32, 240, 239, 193}) tk::enableMenuId(id, true);
  EnableBufferItems(true);
  tk::setMenuItemChecked(0, 193, DrawBarCheckHold != 0);
  tk::hideWindow(27, !tk::menuItemChecked(0, 194));
  if (DrawBarCheckHold) ShowDrawSettingsBar();
  NextMode = ModeDraw;
}

void SwitchMainView(int32_t panel) {
  for (int p : SidePanels) tk::hideGadget(p, true);
  tk::detachMenu(0);
  FreeStatusBars();

  // The set of the view being left. A text field (582) runs on the image set too.
  const int32_t shown = ImageRecords[CurrentImage].WindowState;
  if (shown == 495) RemoveScriptShortcuts();
  else if (shown == 9 || shown == 120 || shown == 582) RemoveImageShortcuts();
  else if (shown == 352) RemovePanelShortcuts();

  int32_t nowShown = panel;
  if (panel == 495) {
    HideDrawSettingsBar();
    CreateScriptStatusBar();
    ShowHeader(13);
    tk::hideWindow(2, !tk::menuItemChecked(1, 234));
    tk::attachMenu(1, 0);
    SetScriptButtonsHidden(false);
    AddScriptShortcuts();
    NoToolCurrent();
    tk::hideGadget(495, false);
    tk::setGadgetText(3, "ScriptEditor");
    NextMode = ModeScript;
  } else if (panel == 9) {
    tk::hideWindow(2, true);
    tk::attachMenu(0, 0);
    SetScriptButtonsHidden(true);
    if (areamark == 0) {
      tk::hideWindow(27, !tk::menuItemChecked(0, 194));
      if (tk::menuItemChecked(0, 193)) ShowDrawSettingsBar();
      tk::hideGadget(9, false);
      // Keyboard mode keeps its own bar, as everywhere else it is shown.
      if (KeyboardModus == 1) CreateKeyboardStatusBar(); else CreateMainStatusBar();
      ShowHeader(10);
      AddImageShortcuts();
      NextMode = KeyboardModus == 1 ? ModeKeyboard : ModeDraw;
    } else if (areamark < 3) {
      tk::hideWindow(27, true);
      HideDrawSettingsBar();
      tk::hideGadget(120, false);
      CreateAreaStatusBar();
      ShowHeader(11);
      AddImageShortcuts();
      NextMode = ModeArea;
      nowShown = 120;
    } else {
      tk::hideWindow(27, true);
      HideDrawSettingsBar();
      tk::hideGadget(582, false);
      CreateTextStatusBar();
      ShowHeader(12);
      NextMode = ModeText;
      nowShown = 582;
    }
    if (paintstate == 0) paintstate = ToolBeforeView;   // none current while away
    if (paintstate > 0) UpdateToolOptions(paintstate);
    tk::setGadgetText(3, "  Operationen");
  } else if (panel == 352) {
    // The effects view keeps menu 0 and loses the script view's windows and buttons.
    tk::hideWindow(2, true);
    tk::attachMenu(0, 0);
    SetScriptButtonsHidden(true);
    tk::hideWindow(27, true);
    tk::hideGadget(352, false);
    ShowHeader(14);
    NoToolCurrent();
    AddPanelShortcuts();
    CreateEffectsStatusBar();
    tk::setGadgetText(3, " Effekte");
    NextMode = ModeEffects;
  }
  ImageRecords[CurrentImage].WindowState = nowShown;
}

void EnableMenuItems(int32_t flag) {
  // Menu 0 only: the tool bar buttons that share these ids keep their state.
  if (flag == 1) {
    for (int id = 0; id < 26; ++id) tk::enableMenuItem(0, id, false);
  } else {
    for (int id = 0; id <= 102; ++id) tk::enableMenuItem(0, id, true);
  }
}

void ToggleMenuItemCheck(int32_t menu, int32_t item) {
  tk::setMenuItemChecked(menu, item, !tk::menuItemChecked(menu, item));
}
