// The six mode loops: each waits for the next event, keeps its mode's shortcut set in step
// with the keyboard focus and hands the event to a handler by kind and id range. What
// differs between the loops is data: one ModeSpec per mode below.
#include <climits>

#include "documents/documents.h"
#include "effects/effects.h"
#include "script/script.h"
#include "shell/shell.h"
#include "toolkit/toolkit.h"
#include "tools/tools.h"

int32_t LastEvent = 0;
int32_t controlpressed = 0, shiftpressed = 0;

namespace {

using MenuHandler = void (*)(int32_t id);
using GadgetHandler = void (*)(int32_t gadget);

// One row of a menu-id table: ids lo..hi go to handler (nullptr: nobody).
struct MenuRoute {
  int32_t lo, hi;
  MenuHandler handler;
};

// ---- menu-id tables ---------------------------------------------------------------------
constexpr int32_t Lowest = INT_MIN, Highest = INT_MAX;

const MenuRoute DrawMenu[] = {
    {Lowest, 237, OnMainMenu},
    {238, 254, OnInsertPopup},
    {255, 367, OnAreaEffectsPopup},
    {368, 449, OnImageShortcut},
    {450, 460, OnSwatch},
    {461, 465, OnErrorReportPopup},
    {466, Highest, OnToolOptionPopup},
};
const MenuRoute ScriptMenu[] = {
    {Lowest, 237, OnScriptMenu},
    {238, 449, OnScriptShortcut},
    {450, 465, OnErrorReportPopup},
    {466, Highest, nullptr},
};
const MenuRoute AreaMenu[] = {
    {Lowest, 237, OnMainMenu},
    {238, 254, OnInsertPopup},
    {255, 367, OnAreaEffectsPopup},
    {368, 465, OnErrorReportPopup},
    {466, Highest, nullptr},
};
const MenuRoute KeyboardMenu[] = {   // pen up
    {Lowest, 237, OnMainMenu},
    {238, 254, OnInsertPopup},
    {255, 449, OnImageShortcut},
    {450, 465, OnSwatch},
    {466, Highest, OnToolOptionPopup},
};
const MenuRoute KeyboardPenDownMenu[] = {
    {Lowest, Highest, OnImageShortcut},
};
const MenuRoute TextMenu[] = {
    {Lowest, 237, OnMainMenu},
    {238, 449, OnImageShortcut},
    {450, 465, OnErrorReportPopup},
    {466, Highest, nullptr},
};
const MenuRoute EffectsMenu[] = {
    {Lowest, 237, OnMainMenu},
    {238, 254, OnInsertPopup},
    {255, 449, OnPanelShortcut},
    {450, 465, OnErrorReportPopup},
    {466, Highest, nullptr},
};

struct MenuTable {
  const MenuRoute* rows;
  int count;
};
template <int N>
constexpr MenuTable Table(const MenuRoute (&rows)[N]) { return {rows, N}; }

// ---- the modes --------------------------------------------------------------------------
enum class After { None, Busy, Idle };
enum class Focus { None, Image, Script, Panel };

struct GadgetRoutes {
  bool anyWindow;             // the ranges apply to gadgets of every window, not only window 0
  bool tabs;                  // 161..170 to OnDocumentTab
  GadgetHandler bar;          // 171..193
  GadgetHandler tools;        // 10..108
  GadgetHandler other;
  GadgetHandler window3;      // gadgets of the find/replace window (when not anyWindow)
  After after;
};

struct ModeSpec {
  int32_t mode;
  MenuTable menu;
  bool menuBusy;
  GadgetRoutes gadgets;
  void (*keyDown)();
  void (*keyUp)();
  bool keysNotFromWindow3;    // key handlers skipped while window 3 is active
  bool leftUpCanvas;          // 514: OnCanvasLeftUp when the mouse is over the image
  bool leftUpEditUndo;        // 514: CreateEditUndo(5)
  bool rightDown;             // 516: OnRightButton
  int resize;                 // 0 none, 1 resize step, 2 resize step with busy sign
  bool close27, close3;
  Focus focus;
};

const ModeSpec Specs[] = {
    {ModeDraw, Table(DrawMenu), true,
     {true, true, OnDrawBarGadget, OnToolGadget, OnMainGadget, nullptr, After::Busy},
     OnImageKeyDown, OnImageKeyUp, false, true, false, true, 2, true, false, Focus::Image},
    {ModeScript, Table(ScriptMenu), false,
     {false, true, nullptr, nullptr, nullptr, OnFindReplace, After::None},
     OnScriptKeyDown, OnScriptKeyUp, true, false, true, false, 1, false, true, Focus::Script},
    {ModeArea, Table(AreaMenu), false,
     {false, true, OnOperationsGadget, OnOperationsGadget, OnOperationsGadget, nullptr, After::Idle},
     nullptr, nullptr, false, false, false, true, 1, false, false, Focus::None},
    {ModeKeyboard, Table(KeyboardMenu), false,
     {true, true, OnDrawBarGadget, OnToolGadget, OnMainGadget, nullptr, After::None},
     OnImageKeyDown, OnImageKeyUp, false, false, false, false, 0, true, false, Focus::None},
    {ModeText, Table(TextMenu), false,
     {false, true, OnDrawBarGadget, OnTextPanelGadget, OnTextPanelGadget, OnFindReplace, After::Idle},
     nullptr, nullptr, false, false, false, false, 1, false, false, Focus::Image},
    {ModeEffects, Table(EffectsMenu), false,
     {false, true, OnEffectsPanelGadget, OnEffectsPanelGadget, OnEffectsPanelGadget, nullptr, After::None},
     nullptr, nullptr, false, false, false, true, 1, false, false, Focus::Panel},
};

const ModeSpec& SpecOf(int32_t mode) {
  for (const ModeSpec& s : Specs)
    if (s.mode == mode) return s;
  return Specs[0];
}

bool PenDown(const ModeSpec& s) { return s.mode == ModeKeyboard && Keydrawmode == 1; }

const MenuRoute* FindRoute(const ModeSpec& s, int32_t id) {
  const MenuTable t = PenDown(s) ? Table(KeyboardPenDownMenu) : s.menu;
  for (int i = 0; i < t.count; ++i)
    if (id >= t.rows[i].lo && id <= t.rows[i].hi) return &t.rows[i];
  return nullptr;
}

// ---- steps shared by the loops ----------------------------------------------------------
void ClearErrorCodes() {
  OnErrorCode1 = 0;
  OnErrorCode2 = 0;
}

int WaitForEvent() {
  LastEvent = tk::waitEvent(LoopWaitMs);
  return LastEvent;
}

// Removes the mode's set once when the focus enters a text field, installs it once when
// the focus leaves.
void FocusTest(Focus which) {
  void (*add)() = nullptr;
  void (*remove)() = nullptr;
  switch (which) {
    case Focus::Image: add = AddImageShortcuts; remove = RemoveImageShortcuts; break;
    case Focus::Script: add = AddScriptShortcuts; remove = RemoveScriptShortcuts; break;
    case Focus::Panel: add = AddPanelShortcuts; remove = RemovePanelShortcuts; break;
    case Focus::None: return;
  }
  const std::string cls = tk::focusClassName().substr(0, 100);
  const bool textField = cls == "RichEdit20A" || cls == "Edit";
  if (textField) {
    if (cutsda == 1) {
      remove();
      CreateEditUndo(6);
    }
  } else if (cutsda == 0) {
    if (which == Focus::Script) controlpressed = shiftpressed = 0;
    add();
  }
}

void ResizeStep(bool drawMode) {
  tk::drainEvents();
  tk::useWindow(0);
  if (tk::windowWidth(0) > 400 && tk::windowHeight(0) > 260) {
    const int mx = tk::windowMouseX(0);   // -1 outside the window
    if (!drawMode || mx < 10 || mx > 300) LayoutCanvasArea();
  }
  tk::bringToFront(0);
  for (int w = 1; w <= 31; ++w)
    if (tk::isWindow(w)) tk::bringToFront(w);
}

void CloseStep(const ModeSpec& s) {
  const int w = tk::eventWindow();
  if (w == 0) {
    NextMode = ModeQuit;
  } else if (w == 27 && s.close27) {
    ToggleMenuItemCheck(0, 194);
    tk::hideWindow(27, !tk::menuItemChecked(0, 194));
  } else if (w == 3 && s.close3) {
    tk::hideWindow(3, true);
  }
}

void DispatchGadget(const ModeSpec& s) {
  const int g = tk::eventGadget(), w = tk::eventWindow();
  const GadgetRoutes& r = s.gadgets;
  if (PenDown(s)) {
    if ((g >= 14 && g <= 58) || g == 92) OnToolGadget(g);
    return;
  }
  if (!r.anyWindow && w == 3) {
    if (r.window3) r.window3(g);
  } else if (r.anyWindow || w == 0) {
    if (g >= 161 && g <= 170) {
      if (r.tabs) OnDocumentTab(tk::eventType(), g);
    } else if (g >= 171 && g <= 193) {
      if (r.bar) r.bar(g);
    } else if (g >= 10 && g <= 108) {
      if (r.tools) r.tools(g);
    } else if (r.other) {
      r.other(g);
    }
  }
}

void Dispatch(const ModeSpec& s, int ev) {
  switch (ev) {
    case tk::EvMenu: {
      const int id = tk::eventMenu();
      const MenuRoute* route = FindRoute(s, id);
      if (!route || !route->handler) return;
      if (s.menuBusy) SetBusySign(true);
      route->handler(id);
      if (s.menuBusy) SetBusySign(false);
      return;
    }
    case tk::EvGadget: {
      if (s.mode == ModeScript && tk::eventGadget() == 496) RemoveScriptShortcuts();
      if (s.gadgets.after == After::Busy) SetBusySign(true);
      DispatchGadget(s);
      if (s.gadgets.after != After::None) SetBusySign(false);
      return;
    }
    case tk::EvKeyDown:
    case tk::EvKeyUp: {
      void (*h)() = ev == tk::EvKeyDown ? s.keyDown : s.keyUp;
      if (!h || (s.keysNotFromWindow3 && tk::activeWindow() == 3)) return;
      h();
      return;
    }
    case tk::EvLeftUp:
      if (s.leftUpCanvas && MouseInImage() == 1) OnCanvasLeftUp();
      if (s.leftUpEditUndo) CreateEditUndo(5);
      return;
    case tk::EvRightDown:
      if (s.rightDown) OnRightButton();
      return;
    case tk::EvResize:
      if (s.resize == 0) return;
      if (s.resize == 2) SetBusySign(true);
      ResizeStep(s.mode == ModeDraw);
      if (s.resize == 2) SetBusySign(false);
      return;
    case tk::EvClose:
      CloseStep(s);
      return;
    default:
      return;
  }
}

// The turn's work before the wait, by mode.
void BeforeWait(const ModeSpec& s) {
  if (s.mode == ModeDraw) {
    const int arrow = CursorTable[4], sizing = CursorTable[5];
    if (MouseInImage() == 1) {
      const int tool = ToolCursor >= 0 && ToolCursor < 6 ? CursorTable[ToolCursor] : arrow;
      tk::setGadgetCursor(11, tool);
      tk::setGadgetCursor(6, linestate > 0 ? tool : sizing);
    } else {
      tk::setGadgetCursor(11, arrow);
      tk::setGadgetCursor(6, linestate > 0 ? CursorTable[1] : sizing);
    }
    if (tk::isGadget(paintstate) && tk::gadgetState(paintstate) == 0) tk::setGadgetState(paintstate, 1);
  } else if (s.mode == ModeScript) {
    if (!tk::keyDown(0x11)) controlpressed = 0;
    if (!tk::keyDown(0x10)) shiftpressed = 0;
  }
}

void AfterWait(const ModeSpec& s) {
  switch (s.mode) {
    case ModeDraw:
      if (linestate <= 0) FocusTest(Focus::Image);
      break;
    case ModeText:
      if (linestate <= 0 || KeyboardModus > 0) FocusTest(Focus::Image);
      break;
    default:
      FocusTest(s.focus);
      break;
  }
}

int32_t RunModeLoop(int32_t mode) {
  const ModeSpec& s = SpecOf(mode);
  NextMode = 0;
  for (int32_t turns = 1;; ++turns) {
    ClearErrorCodes();
    BeforeWait(s);
    const int ev = WaitForEvent();
    AfterWait(s);
    Dispatch(s, ev);
    if (mode == ModeText && tk::eventType() == 1 &&
        (tk::eventGadget() == 585 || tk::eventGadget() == 586))
      LoadTextFont();
    if (NextMode != 0 || (LoopTurnLimit > 0 && turns >= LoopTurnLimit)) break;
  }
  if (mode == ModeArea) LastEvent = 0;
  return NextMode;
}

}  // namespace

void SetBusySign(bool busy) {
  if (busy && !tk::isStatusBar(0)) return;
  tk::setStatusBarImage(0, 20, busy ? 101 : 100);
}

int32_t ModeLoopDraw() { return RunModeLoop(ModeDraw); }
int32_t ModeLoopScript() { return RunModeLoop(ModeScript); }
int32_t ModeLoopArea() { return RunModeLoop(ModeArea); }
int32_t ModeLoopKeyboard() { return RunModeLoop(ModeKeyboard); }
int32_t ModeLoopText() { return RunModeLoop(ModeText); }
int32_t ModeLoopEffects() { return RunModeLoop(ModeEffects); }
