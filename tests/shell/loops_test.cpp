// The mode loops: menu ids, gadget events, keys, mouse buttons and close requests reach the
// handler each mode's table names; the busy sign; the main loop's mode bookkeeping.
#include <QTest>

#include "effects/dialog_driver.h"
#include "loops_fixture.h"
#include "script/script.h"
#include "toolkit/internal.h"

using namespace loops_test;

namespace {

using Calls = std::vector<std::pair<std::string, int>>;

Calls One(const char* h, int id) { return {{h, id}}; }

// Pen-down keyboard mode is its own column.
constexpr int32_t PenDown = 70;

int32_t RunInMode(int32_t mode) {
  if (mode == PenDown) {
    Keydrawmode = 1;
    const int32_t r = RunOneTurn(ModeKeyboard);
    Keydrawmode = 0;
    return r;
  }
  return RunOneTurn(mode);
}

struct MenuCase {
  int32_t mode;
  int id;
  const char* handler;   // "" = none
};

// The handlers are the real ones: the ids chosen inside each range have no command, so
// that the table sees the routing alone (the commands run in menu_commands_test).
const MenuCase kMenuCases[] = {
    // Draw
    {ModeDraw, 2, "OnMainMenu"}, {ModeDraw, 237, "OnMainMenu"}, {ModeDraw, 238, "OnInsertPopup"},
    {ModeDraw, 238, "OnInsertPopup"}, {ModeDraw, 255, "OnAreaEffectsPopup"}, {ModeDraw, 367, "OnAreaEffectsPopup"},
    {ModeDraw, 368, "OnImageShortcut"}, {ModeDraw, 449, "OnImageShortcut"}, {ModeDraw, 450, "OnSwatch"},
    {ModeDraw, 460, "OnSwatch"}, {ModeDraw, 461, "OnErrorReportPopup"}, {ModeDraw, 464, "OnErrorReportPopup"},
    {ModeDraw, 466, "OnToolOptionPopup"}, {ModeDraw, 490, "OnToolOptionPopup"},
    // Script
    // (ids below 450 reach the script editor's own handlers: ScriptViewHandlersAreReached)
    {ModeScript, 450, "OnErrorReportPopup"},
    {ModeScript, 464, "OnErrorReportPopup"}, {ModeScript, 466, ""}, {ModeScript, 480, ""},
    // Area: 368..449 and the swatches go to the error-report popup
    {ModeArea, 2, "OnMainMenu"}, {ModeArea, 238, "OnInsertPopup"}, {ModeArea, 255, "OnAreaEffectsPopup"},
    {ModeArea, 367, "OnAreaEffectsPopup"}, {ModeArea, 368, "OnErrorReportPopup"}, {ModeArea, 449, "OnErrorReportPopup"},
    {ModeArea, 455, "OnErrorReportPopup"}, {ModeArea, 464, "OnErrorReportPopup"}, {ModeArea, 466, ""},
    // Keyboard, pen up
    {ModeKeyboard, 2, "OnMainMenu"}, {ModeKeyboard, 238, "OnInsertPopup"}, {ModeKeyboard, 255, "OnImageShortcut"},
    {ModeKeyboard, 426, "OnImageShortcut"}, {ModeKeyboard, 450, "OnSwatch"}, {ModeKeyboard, 463, "OnSwatch"},
    {ModeKeyboard, 467, "OnToolOptionPopup"},
    // Keyboard, pen down: everything is an image shortcut
    {PenDown, 0, "OnImageShortcut"}, {PenDown, 17, "OnImageShortcut"}, {PenDown, 240, "OnImageShortcut"},
    {PenDown, 300, "OnImageShortcut"}, {PenDown, 455, "OnImageShortcut"}, {PenDown, 470, "OnImageShortcut"},
    // Text
    {ModeText, 2, "OnMainMenu"}, {ModeText, 238, "OnImageShortcut"}, {ModeText, 300, "OnImageShortcut"},
    {ModeText, 449, "OnImageShortcut"}, {ModeText, 455, "OnErrorReportPopup"}, {ModeText, 464, "OnErrorReportPopup"},
    {ModeText, 470, ""},
    // Effects
    {ModeEffects, 2, "OnMainMenu"}, {ModeEffects, 238, "OnInsertPopup"}, {ModeEffects, 255, "OnPanelShortcut"},
    {ModeEffects, 373, "OnPanelShortcut"}, {ModeEffects, 449, "OnPanelShortcut"}, {ModeEffects, 451, "OnErrorReportPopup"},
    {ModeEffects, 464, "OnErrorReportPopup"}, {ModeEffects, 466, ""},
};

}  // namespace

TEST_F(LoopsTest, MenuIdsReachTheHandlerOfTheirModeAndRange) {
  for (const MenuCase& c : kMenuCases) {
    SCOPED_TRACE("mode " + std::to_string(c.mode) + " id " + std::to_string(c.id));
    Recorder rec;
    // The error-report popup's handler is real: its "not now" (464) stops the blinking,
    // an id without a row does nothing.
    const bool errorPopup = std::string(c.handler) == "OnErrorReportPopup";
    ErrorBlinkOn = 1;
    Post(tk::EvMenu, 0, -1, c.id);
    EXPECT_EQ(RunInMode(c.mode), 0);
    Calls expected = *c.handler && !errorPopup ? One(c.handler, c.id) : Calls{};
    // The main menu hands ids from 169 on to the view and help menu.
    if (std::string(c.handler) == "OnMainMenu" && c.id >= 169) expected.push_back({"OnViewHelpMenu", c.id});
    EXPECT_EQ(rec.Handlers(), expected);
    if (errorPopup) EXPECT_EQ(ErrorBlinkOn, c.id == 464 ? 0 : 1);
  }
}

TEST_F(LoopsTest, RealMenuItemReachesTheDrawLoop) {
  Recorder rec;
  ASSERT_TRUE(tk::testTriggerMenuItem(0, 170));
  RunOneTurn(ModeDraw);
  EXPECT_EQ(rec.Handlers(), (Calls{{"OnMainMenu", 170}, {"OnViewHelpMenu", 170}}));
}

namespace {

struct GadgetCase {
  int32_t mode;
  int window, gadget;
  const char* handler;
};

const GadgetCase kGadgetCases[] = {
    {ModeDraw, 0, 161, "OnDocumentTab"}, {ModeDraw, 0, 170, "OnDocumentTab"}, {ModeDraw, 0, 171, "OnDrawBarGadget"},
    {ModeDraw, 0, 193, "OnDrawBarGadget"}, {ModeDraw, 0, 10, "OnToolGadget"}, {ModeDraw, 0, 108, "OnToolGadget"},
    {ModeDraw, 27, 805, "OnMainGadget"}, {ModeDraw, 3, 502, "OnMainGadget"}, {ModeDraw, 0, 9, "OnMainGadget"},
    {ModeScript, 0, 161, "OnDocumentTab"}, {ModeScript, 0, 171, ""}, {ModeScript, 0, 40, ""},
    {ModeScript, 0, 496, ""},
    {ModeArea, 0, 165, "OnDocumentTab"}, {ModeArea, 0, 180, "OnOperationsGadget"}, {ModeArea, 0, 50, "OnOperationsGadget"},
    {ModeArea, 0, 158, "OnOperationsGadget"}, {ModeArea, 3, 502, ""},
    {ModeKeyboard, 0, 161, "OnDocumentTab"}, {ModeKeyboard, 0, 171, "OnDrawBarGadget"},
    {ModeKeyboard, 0, 60, "OnToolGadget"}, {ModeKeyboard, 27, 811, "OnMainGadget"},
    {PenDown, 0, 161, ""}, {PenDown, 0, 171, ""}, {PenDown, 0, 13, ""}, {PenDown, 0, 14, "OnToolGadget"},
    {PenDown, 0, 58, "OnToolGadget"}, {PenDown, 0, 59, ""}, {PenDown, 0, 92, "OnToolGadget"}, {PenDown, 0, 91, ""},
    {PenDown, 27, 811, ""},
    {ModeText, 0, 161, "OnDocumentTab"}, {ModeText, 0, 171, "OnDrawBarGadget"}, {ModeText, 0, 50, "OnTextPanelGadget"},
    {ModeText, 0, 584, "OnTextPanelGadget"},
    {ModeEffects, 0, 161, "OnDocumentTab"}, {ModeEffects, 0, 175, "OnEffectsPanelGadget"},
    {ModeEffects, 0, 20, "OnEffectsPanelGadget"}, {ModeEffects, 0, 356, "OnEffectsPanelGadget"}, {ModeEffects, 3, 502, ""},
};

}  // namespace

TEST_F(LoopsTest, GadgetEventsReachTheHandlerOfTheirModeAndRange) {
  for (const GadgetCase& c : kGadgetCases) {
    SCOPED_TRACE("mode " + std::to_string(c.mode) + " window " + std::to_string(c.window) + " gadget " +
                 std::to_string(c.gadget));
    Recorder rec;
    // A tab's close request (type 1) reaches the real tab handler: it asks before closing.
    const bool tab = std::string(c.handler) == "OnDocumentTab";
    tk::test::clear();
    if (tab) tk::test::queueResult(tk::ResultCancel);
    tk::test::queueColor(-1);   // the drawing-colour field asks for a colour: cancelled
    Post(tk::EvGadget, c.window, c.gadget, -1, tk::EtLeftClick);
    RunInMode(c.mode);
    const Calls expected = *c.handler && !tab ? One(c.handler, c.gadget) : Calls{};
    Calls got;
    for (const auto& h : rec.Handlers())
      if (h.first != "LoadTextFont") got.push_back(h);
    EXPECT_EQ(got, expected);
    // The close question comes for a tab of an open image only (image 1 of 1 here).
    const bool asks = tab && c.gadget - 160 <= ImageCount;
    std::erase(tk::test::shown(), std::string("Farbe"));
    EXPECT_EQ(tk::test::shown(), asks ? std::vector<std::string>{"Speichern?|Wollen sie vor dem beenden Speichern?"}
                                      : std::vector<std::string>{});
    tk::test::clear();
  }
}

TEST_F(LoopsTest, TextLoopReloadsTheFontAfterFaceOrSizeChanges) {
  for (int g : {585, 586, 593}) {
    Recorder rec;
    Post(tk::EvGadget, 0, g, -1, tk::EtLeftClick);
    RunOneTurn(ModeText);
    const Calls expected = g == 593 ? One("OnTextPanelGadget", g)
                                    : Calls{{"OnTextPanelGadget", g}, {"LoadTextFont", -1}};
    EXPECT_EQ(rec.Handlers(), expected) << g;
  }
}

TEST_F(LoopsTest, KeysAndMouseButtonsPerMode) {
  struct Case {
    int32_t mode;
    int code;
    Calls expected;
  };
  const int vk = 0x41;  // A
  const Case cases[] = {
      {ModeDraw, tk::EvKeyDown, One("OnImageKeyDown", vk)}, {ModeDraw, tk::EvKeyUp, One("OnImageKeyUp", vk)},
      {ModeDraw, tk::EvRightDown, One("OnRightButton", -1)},
      {ModeScript, tk::EvRightDown, {}},
      {ModeArea, tk::EvKeyDown, {}}, {ModeArea, tk::EvLeftUp, {}}, {ModeArea, tk::EvRightDown, One("OnRightButton", -1)},
      {ModeKeyboard, tk::EvKeyDown, One("OnImageKeyDown", vk)}, {ModeKeyboard, tk::EvKeyUp, One("OnImageKeyUp", vk)},
      {ModeKeyboard, tk::EvRightDown, {}},
      {ModeText, tk::EvKeyDown, {}}, {ModeText, tk::EvKeyUp, {}}, {ModeText, tk::EvRightDown, {}},
      {ModeEffects, tk::EvKeyDown, {}}, {ModeEffects, tk::EvRightDown, One("OnRightButton", -1)},
      {ModeEffects, tk::EvLeftUp, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("mode " + std::to_string(c.mode) + " event " + std::to_string(c.code));
    Recorder rec;
    Post(c.code, 0, -1, -1, 0, vk);
    RunInMode(c.mode);
    Calls got;
    for (const auto& h : rec.Handlers())
      if (h.first != "CreateEditUndo" || h.second != 6) got.push_back(h);
    EXPECT_EQ(got, c.expected);
  }
}

TEST_F(LoopsTest, RealKeyPressReachesTheImageKeyHandlerWithItsVirtualKey) {
  tk::activateWindow(0);
  tk::processPending();
  tk::drainEvents();
  Recorder rec;
  QWidget* target = tk::detail::window(0)->client.data();
  QTest::keyPress(target, Qt::Key_Left);
  QTest::keyRelease(target, Qt::Key_Left);
  for (int turn = 0; turn < 4 && tk::queuedEvents() > 0; ++turn) RunOneTurn(ModeKeyboard);
  const Calls expected = {{"OnImageKeyDown", 0x25}, {"OnImageKeyUp", 0x25}};
  EXPECT_EQ(rec.Handlers(), expected);
}

TEST_F(LoopsTest, BusySignShowsWhileADrawCommandRuns) {
  ASSERT_TRUE(tk::isStatusBar(0));
  int during = -1;
  PendingHandlerSpy = [&](const char* h, int) {
    if (std::string(h) == "OnMainMenu") during = tk::statusBarImage(0, 20);
  };
  Post(tk::EvMenu, 0, -1, 2);
  RunOneTurn(ModeDraw);
  PendingHandlerSpy = nullptr;
  EXPECT_EQ(during, 101);
  EXPECT_EQ(tk::statusBarImage(0, 20), 100);

  // Area and text: idle after a gadget event, no busy sign before it.
  for (int32_t mode : {ModeArea, ModeText}) {
    tk::setStatusBarImage(0, 20, 101);
    during = -1;
    PendingHandlerSpy = [&](const char*, int) { during = tk::statusBarImage(0, 20); };
    Post(tk::EvGadget, 0, 50, -1, tk::EtLeftClick);
    RunOneTurn(mode);
    PendingHandlerSpy = nullptr;
    EXPECT_EQ(during, 101) << mode;
    EXPECT_EQ(tk::statusBarImage(0, 20), 100) << mode;
  }
}

TEST_F(LoopsTest, CloseRequestsPerMode) {
  for (int32_t mode : {ModeDraw, ModeScript, ModeArea, ModeKeyboard, ModeText, ModeEffects}) {
    Post(tk::EvClose, 0);
    EXPECT_EQ(RunOneTurn(mode), ModeQuit) << mode;
  }
  // The colour window: Draw and Keyboard flip item 194 and follow it; the others ignore it.
  for (int32_t mode : {ModeDraw, ModeKeyboard, ModeScript, ModeArea, ModeText, ModeEffects}) {
    tk::setMenuItemChecked(0, 194, true);
    tk::hideWindow(27, false);
    tk::processPending();
    tk::drainEvents();
    Post(tk::EvClose, 27);
    EXPECT_EQ(RunOneTurn(mode), 0);
    const bool served = mode == ModeDraw || mode == ModeKeyboard;
    EXPECT_EQ(tk::menuItemChecked(0, 194), !served) << mode;
    EXPECT_EQ(tk::windowHidden(27), served) << mode;
  }
  tk::setMenuItemChecked(0, 194, false);
  tk::processPending();
  tk::drainEvents();
  Post(tk::EvClose, 27);
  RunOneTurn(ModeDraw);
  EXPECT_TRUE(tk::menuItemChecked(0, 194));
  EXPECT_FALSE(tk::windowHidden(27));
  tk::setMenuItemChecked(0, 194, false);
  tk::hideWindow(27, true);
  // Find/replace: only the script view hides it.
  for (int32_t mode : {ModeScript, ModeDraw}) {
    tk::hideWindow(3, false);
    tk::processPending();
    tk::drainEvents();
    Post(tk::EvClose, 3);
    RunOneTurn(mode);
    EXPECT_EQ(tk::windowHidden(3), mode == ModeScript) << mode;
  }
  tk::hideWindow(3, true);
}

TEST_F(LoopsTest, ShortcutSetFollowsTheFocusOncePerChange) {
  tk::openWindow(60, 0, 0, 200, 100, "Fokus", tk::WfCaption);
  tk::stringField(900, 10, 10, 100, 20, "");
  tk::button(901, 10, 40, 100, 20, "OK");
  tk::useWindow(0);
  RemoveImageShortcuts();
  AddImageShortcuts();
  const int ctrlS = tk::ModCtrl + 'S';
  ASSERT_TRUE(tk::hasShortcut(0, ctrlS));

  tk::activateWindow(60);
  tk::setActiveGadget(900);
  tk::processPending();
  ASSERT_EQ(tk::focusClassName(), "Edit");
  // The editor's capture of CreateEditUndo(6) shows as EditCaptureDone.
  int undoSix = 0;
  auto turn = [&](int32_t mode) {
    EditCaptureDone = 0;
    RunOneTurn(mode);
    undoSix += EditCaptureDone;
  };
  Post(tk::EvFocus, 60);
  turn(ModeDraw);
  EXPECT_EQ(cutsda, 0);
  EXPECT_FALSE(tk::hasShortcut(0, ctrlS));
  EXPECT_EQ(undoSix, 1);
  Post(tk::EvFocus, 60);
  turn(ModeDraw);
  EXPECT_EQ(undoSix, 1);   // removed once only

  tk::setActiveGadget(901);
  tk::processPending();
  Post(tk::EvFocus, 60);
  turn(ModeDraw);
  EXPECT_EQ(cutsda, 1);
  EXPECT_TRUE(tk::hasShortcut(0, ctrlS));
  EXPECT_EQ(undoSix, 1);

  // While a tool action runs the draw loop leaves the set alone.
  tk::setActiveGadget(900);
  tk::processPending();
  linestate = 41;
  Post(tk::EvFocus, 60);
  turn(ModeDraw);
  EXPECT_EQ(cutsda, 1);
  linestate = 0;

  // The script loop does the same with the script set.
  RemoveImageShortcuts();
  tk::setActiveGadget(901);
  tk::processPending();
  controlpressed = shiftpressed = 1;
  Post(tk::EvFocus, 60);
  turn(ModeScript);
  EXPECT_TRUE(tk::hasShortcut(0, tk::ModCtrl + 'B'));
  EXPECT_EQ(controlpressed, 0);
  tk::setActiveGadget(900);
  tk::processPending();
  Post(tk::EvFocus, 60);
  turn(ModeScript);
  EXPECT_FALSE(tk::hasShortcut(0, tk::ModCtrl + 'B'));
  EXPECT_EQ(undoSix, 2);

  PendingHandlerSpy = nullptr;
  tk::closeWindow(60);
  tk::useWindow(0);
  AddImageShortcuts();
}

TEST_F(LoopsTest, CancelledQuitResumesTheModeItCameFrom) {
  Recorder rec;
  CurrentMode = ModeArea;
  PreviousMode = ModeArea;
  ModeBeforeLast = ModeDraw;
  tk::test::clear();
  Post(tk::EvClose, 0);
  {
    dialog_test::Drive d(35, {[] { dialog_test::Drive::Click(791); }});   // "Abbrechen": do not quit
    WithOneBoundedTurn(RunMainLoopTurn);
    EXPECT_TRUE(d.finished());
  }
  EXPECT_TRUE(rec.Handlers().empty());
  EXPECT_EQ(CurrentMode, ModeArea);
  EXPECT_EQ(PreviousMode, ModeArea);
  EXPECT_EQ(ModeBeforeLast, ModeDraw);
}

TEST_F(LoopsTest, LoopEndingWithNoModeKeepsTheModeThatRan) {
  PendingHandlerSpy = [](const char*, int) { NextMode = -1; };   // a quit cancelled inside a command
  CurrentMode = ModeEffects;
  PreviousMode = ModeEffects;
  ModeBeforeLast = ModeDraw;
  Post(tk::EvMenu, 0, -1, 2);   // no command: the spy acts for one
  WithOneBoundedTurn(RunMainLoopTurn);
  PendingHandlerSpy = nullptr;
  EXPECT_EQ(CurrentMode, ModeEffects);
  EXPECT_EQ(PreviousMode, ModeEffects);
}

TEST_F(LoopsTest, HandlerEndsTheLoopWithTheModeItNames) {
  PendingHandlerSpy = [](const char*, int) { NextMode = ModeScript; };
  CurrentMode = ModeDraw;
  PreviousMode = ModeDraw;
  ModeBeforeLast = ModeEffects;
  Post(tk::EvMenu, 0, -1, 2);   // no command: the spy acts for one
  RunMainLoopTurn();   // no turn limit: the handler ends the loop
  PendingHandlerSpy = nullptr;
  EXPECT_EQ(CurrentMode, ModeScript);
  EXPECT_EQ(PreviousMode, ModeScript);
  EXPECT_EQ(ModeBeforeLast, ModeDraw);
}

TEST_F(LoopsTest, ResizeLaysTheCanvasOutOnlyWhenBigEnoughAndTheMouseIsClearOfThePanel) {
  struct Case {
    int32_t mode;
    int w, h, mouseX;
    bool laidOut;
  };
  const Case cases[] = {
      {ModeDraw, 1018, 700, 350, true},   {ModeDraw, 1018, 700, 5, true},
      {ModeDraw, 1018, 700, 10, false},   {ModeDraw, 1018, 700, 300, false},
      {ModeDraw, 1018, 700, -1, true},    {ModeArea, 1018, 700, 100, true},
      {ModeArea, 400, 700, 350, false},   {ModeEffects, 1018, 260, 350, false},
      {ModeText, 401, 261, 100, true},    {ModeScript, 900, 600, 100, true},
      {ModeKeyboard, 1018, 700, 350, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("mode " + std::to_string(c.mode) + " " + std::to_string(c.w) + "x" + std::to_string(c.h) +
                 " mouse " + std::to_string(c.mouseX));
    tk::resizeWindow(0, -1, -1, c.w, c.h);
    tk::processPending();
    tk::drainEvents();
    tk::testSetWindowMouse(0, c.mouseX, c.mouseX < 0 ? -1 : 100);
    Post(tk::EvResize, 0);
    Post(tk::EvMenu, 0, -1, 99999);   // queued behind: the resize step drops it
    OnErrorCode1 = 0;
    RunOneTurn(c.mode);
    EXPECT_EQ(OnErrorCode1 == 29, c.laidOut);   // the canvas layout marks its error location
    if (c.mode != ModeKeyboard) {
      EXPECT_EQ(tk::queuedEvents(), 0);
    }
  }
  tk::testSetWindowMouse(0, -2, 0);
  tk::resizeWindow(0, -1, -1, 1018, 700);
  tk::processPending();
  tk::drainEvents();
}

TEST_F(LoopsTest, DrawLoopKeepsTheSelectedToolButtonPressed) {
  ASSERT_TRUE(tk::isGadget(41));
  paintstate = 41;
  tk::setGadgetState(41, 0);
  Post(tk::EvFocus, 0);
  RunOneTurn(ModeDraw);
  EXPECT_EQ(tk::gadgetState(41), 1);
  paintstate = 0;
}

TEST_F(LoopsTest, ScriptKeysAreNotTheEditorsWhileFindReplaceIsActive) {
  tk::hideWindow(3, false);
  tk::activateWindow(3);
  tk::processPending();
  if (tk::activeWindow() != 3) GTEST_SKIP() << "the platform gives window 3 no activation";
  tk::drainEvents();
  Recorder rec;
  Post(tk::EvKeyDown, 3, -1, -1, 0, 0x41);
  RunOneTurn(ModeScript);
  EXPECT_TRUE(rec.Handlers().empty());
  tk::hideWindow(3, true);
  tk::activateWindow(0);
  tk::processPending();
  tk::drainEvents();
}

// The script view's menu ids, shortcuts, keys, clicks and find-window gadgets reach the
// script editor's handlers (each shown by what it does).
TEST_F(LoopsTest, ScriptViewHandlersAreReached) {
  constexpr int Ed = ScriptEditorGadget;
  tk::addGadgetItem(511, -1, "Zeile");
  Post(tk::EvMenu, 0, -1, 235);   // OnScriptMenu: empties the debugger list
  RunOneTurn(ModeScript);
  EXPECT_EQ(tk::countGadgetItems(511), 0);
  tk::setRichText(Ed, "abc");
  tk::richSetSelection(Ed, 1, 1);
  Post(tk::EvMenu, 0, -1, 446);   // OnScriptShortcut: select all
  RunOneTurn(ModeScript);
  EXPECT_EQ(tk::richSelectedText(Ed), "abc");

  // Key down (a typed "c" before the caret) records a step; key up clears the capture
  // flag; a click's release captures the selection.
  ResetScriptEditorState();
  EditUndoDepth = 200;
  tk::richSetSelection(Ed, 3, 3);
  Post(tk::EvKeyDown, 0, Ed, -1, 0, 'C');
  RunOneTurn(ModeScript);
  EXPECT_EQ(EditUndoList.size(), 1u);
  EXPECT_EQ(EditCaptureDone, 1);
  Post(tk::EvKeyUp, 0, Ed, -1, 0, 'C');
  RunOneTurn(ModeScript);
  EXPECT_EQ(EditCaptureDone, 0);
  tk::richSetSelection(Ed, 0, 2);
  Post(tk::EvLeftUp, 0, Ed);
  RunOneTurn(ModeScript);
  EXPECT_EQ(EditCaptureTexts[0], "ab");

  // Window 3's close button hides it in the script and text views, not in the others.
  for (int32_t mode : {ModeScript, ModeText, ModeArea}) {
    tk::hideWindow(3, false);
    tk::processPending();
    tk::drainEvents();
    Post(tk::EvGadget, 3, 505, -1, tk::EtLeftClick);
    RunOneTurn(mode);
    EXPECT_EQ(tk::windowHidden(3), mode != ModeArea) << mode;
  }
  tk::hideWindow(3, true);
  ResetScriptEditorState();
}
