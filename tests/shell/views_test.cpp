// View switching, keyboard mode and pen, the marked-area and drawing panels, shortcut sets
// and the status bars of each view.
#include <QApplication>
#include <QMouseEvent>
#include <QWidget>
#include <algorithm>

#include "loops_fixture.h"
#include "toolkit/internal.h"

using namespace loops_test;

extern uint8_t fillstate;   // the painting tools' colour effect while drawing

namespace {

int ShownPanel() {
  int shown = -1, count = 0;
  for (int p : {9, 120, 352, 495, 582})
    if (!tk::gadgetHidden(p)) {
      shown = p;
      ++count;
    }
  return count == 1 ? shown : -count;
}

int OnlyStatusBar() {
  int bar = -1, count = 0;
  for (int b = 0; b <= 5; ++b)
    if (tk::isStatusBar(b)) {
      bar = b;
      ++count;
    }
  return count == 1 ? bar : -count;
}

class ViewsTest : public LoopsTest {
 protected:
  void SetUp() override {
    LoopsTest::SetUp();
    ImageRecords[CurrentImage].WindowState = 9;
    RemoveImageShortcuts();
    AddImageShortcuts();
  }
  void TearDown() override {
    areamark = 0;
    KeyboardModus = 0;
    SwitchMainView(9);
    LoopsTest::TearDown();
  }
};

}  // namespace

TEST_F(ViewsTest, EverySwitchShowsItsPanelMenuBarStatusBarAndMode) {
  struct Case {
    int32_t panel;
    uint8_t area, keyboard;
    int shown, menu, bar, header, mode;
    const char* label;
    int shortcutKey;   // a key only this view's set has
  };
  const Case cases[] = {
      {495, 0, 0, 495, 1, 1, 13, ModeScript, "ScriptEditor", tk::ModCtrl + 'B'},
      {9, 0, 0, 9, 0, 0, 10, ModeDraw, "  Operationen", 'A'},
      {352, 0, 0, 352, 0, 2, 14, ModeEffects, " Effekte", tk::ModCtrl + 'Z'},
      {9, 0, 1, 9, 0, 3, 10, ModeKeyboard, "  Operationen", 'A'},
      {9, 1, 0, 120, 0, 4, 11, ModeArea, "  Operationen", 'A'},
      {495, 0, 0, 495, 1, 1, 13, ModeScript, "ScriptEditor", tk::ModCtrl + 'B'},
      {9, 3, 0, 582, 0, 5, 12, ModeText, "  Operationen", 0},
      {352, 0, 0, 352, 0, 2, 14, ModeEffects, " Effekte", tk::ModCtrl + 'Z'},
      {9, 2, 0, 120, 0, 4, 11, ModeArea, "  Operationen", 'A'},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("panel " + std::to_string(c.panel) + " area " + std::to_string(c.area));
    areamark = c.area;
    KeyboardModus = c.keyboard;
    NextMode = 0;
    SwitchMainView(c.panel);
    EXPECT_EQ(ShownPanel(), c.shown);
    EXPECT_EQ(tk::attachedMenu(0), c.menu);
    EXPECT_EQ(OnlyStatusBar(), c.bar);
    EXPECT_EQ(tk::gadgetState(2), c.header);
    EXPECT_EQ(NextMode, c.mode);
    EXPECT_EQ(tk::gadgetText(3), c.label);
    EXPECT_EQ(ImageRecords[CurrentImage].WindowState, c.shown);
    if (c.shortcutKey) {
      EXPECT_EQ(cutsda, 1);
      EXPECT_TRUE(tk::hasShortcut(0, c.shortcutKey));
    }
    // Only the set of the view shown is in force.
    const bool script = c.panel == 495, panelSet = c.panel == 352;
    EXPECT_EQ(tk::hasShortcut(0, tk::ModAlt + 'B'), script);
    EXPECT_EQ(tk::hasShortcut(0, tk::ModCtrl + 'Y'), panelSet);
    if (c.shortcutKey) {
      EXPECT_EQ(tk::hasShortcut(0, 'A'), !script && !panelSet);
    }
    if (c.shown == 582) AddImageShortcuts();   // the text loop's focus test would install it
  }
}

TEST_F(ViewsTest, ScriptViewShowsTheDebuggerAsItsMenuItemSays) {
  tk::setMenuItemChecked(1, 234, true);
  SwitchMainView(495);
  EXPECT_FALSE(tk::windowHidden(2));
  SwitchMainView(9);
  EXPECT_TRUE(tk::windowHidden(2));
  tk::setMenuItemChecked(1, 234, false);
  SwitchMainView(495);
  EXPECT_TRUE(tk::windowHidden(2));
  tk::setMenuItemChecked(1, 234, true);
}

TEST_F(ViewsTest, ImageViewShowsTheColourWindowOnlyWhenItsItemIsChecked) {
  for (bool checked : {true, false}) {
    tk::setMenuItemChecked(0, 194, checked);
    SwitchMainView(352);
    EXPECT_TRUE(tk::windowHidden(27));
    SwitchMainView(9);
    EXPECT_EQ(tk::windowHidden(27), !checked);
  }
}

TEST_F(ViewsTest, AreaPanelAndBackToTheDrawingPanel) {
  Recorder rec;
  paintstate = 38;
  tk::setGadgetState(38, 1);
  tk::setMenuItemChecked(0, 193, false);
  tk::setMenuItemChecked(0, 194, true);
  for (int g : {131, 132}) tk::setGadgetState(g, 1);
  areamark = 1;
  ShowAreaPanel();
  EXPECT_EQ(NextMode, ModeArea);
  EXPECT_EQ(ShownPanel(), 120);
  EXPECT_EQ(OnlyStatusBar(), 4);
  EXPECT_TRUE(tk::windowHidden(27));
  EXPECT_EQ(tk::gadgetText(3), "Markierter Bereich");
  EXPECT_EQ(tk::gadgetState(2), 11);
  for (int id : {30, 31, 243, 244, 168}) EXPECT_TRUE(tk::menuIdEnabled(id)) << id;
  for (int id : {33, 32, 240, 239, 193, 157, 166, 245, 254}) EXPECT_FALSE(tk::menuIdEnabled(id)) << id;
  for (int g : {135, 136, 137, 130}) EXPECT_EQ(tk::gadgetState(g), 1) << g;
  for (int g : {131, 132}) EXPECT_EQ(tk::gadgetState(g), 0) << g;
  EXPECT_EQ(tk::gadgetState(38), 0);
  EXPECT_EQ(ToolBeforeArea, 38);
  ASSERT_FALSE(rec.calls.empty());
  EXPECT_EQ(rec.calls.back(), std::make_pair(std::string("UpdateToolOptions"), 126));

  rec.calls.clear();
  ShowDrawPanel();
  EXPECT_EQ(NextMode, ModeDraw);
  EXPECT_EQ(ShownPanel(), 9);
  EXPECT_EQ(OnlyStatusBar(), 0);
  EXPECT_EQ(tk::gadgetState(2), 10);
  EXPECT_FALSE(tk::windowHidden(27));
  for (int id : {30, 31, 243, 244, 168}) EXPECT_FALSE(tk::menuIdEnabled(id)) << id;
  for (int id : {33, 32, 240, 239, 193, 157, 166, 245, 254, 17, 102}) EXPECT_TRUE(tk::menuIdEnabled(id)) << id;
  EXPECT_FALSE(tk::menuItemChecked(0, 193));
  ASSERT_FALSE(rec.calls.empty());
  EXPECT_EQ(rec.calls.front(), std::make_pair(std::string("UpdateToolOptions"), 38));
  tk::setMenuItemChecked(0, 194, false);
  tk::hideWindow(27, true);
  paintstate = 0;
}

TEST_F(ViewsTest, DrawingPanelReturnsToKeyboardModeKeptWhileTheAreaWasShown) {
  areamark = 1;
  ShowAreaPanel();
  KeyboardModus_hold = 1;
  ShowDrawPanel();
  EXPECT_EQ(KeyboardModus, 1);
  EXPECT_EQ(OnlyStatusBar(), 3);
  KeyboardModus_hold = 0;
  ShowDrawPanel();
  EXPECT_EQ(OnlyStatusBar(), 0);
}

TEST_F(ViewsTest, KeyboardModeAndPen) {
  Recorder rec;
  EnterKeyboardMode();
  EXPECT_EQ(KeyboardModus, 1);
  EXPECT_EQ(NextMode, ModeKeyboard);
  EXPECT_EQ(OnlyStatusBar(), 3);
  EXPECT_EQ(tk::statusBarImage(3, 30), 102);

  LowerKeyboardPen();
  EXPECT_EQ(Keydrawmode, 1);
  // Only the listed items of the image view's menu and popup, and the listed buttons.
  for (int id : {19, 20, 0, 1, 5, 6, 41}) EXPECT_FALSE(tk::menuItemEnabled(0, id)) << id;
  for (int id : {239, 244}) EXPECT_FALSE(tk::menuItemEnabled(17, id)) << id;
  for (int id : {19, 20, 0, 1, 5, 6}) EXPECT_TRUE(tk::menuItemEnabled(1, id)) << id;   // script view's
  for (int id : {17, 18, 21, 26}) EXPECT_TRUE(tk::menuItemEnabled(0, id)) << id;
  for (int id : {3, 2, 9, 10, 4, 7, 0, 1, 6, 11, 16, 5}) EXPECT_FALSE(tk::toolBarButtonEnabled(5, id)) << id;
  for (int id : {19, 25, 17, 18, 8}) EXPECT_TRUE(tk::toolBarButtonEnabled(5, id)) << id;
  EXPECT_EQ(tk::statusBarImage(3, 30), 103);
  EXPECT_EQ(OnErrorCode1, 16);

  // Leaving keyboard mode lifts the pen and hands the mouse release to the tools once.
  LeaveKeyboardMode();
  EXPECT_EQ(KeyboardModus, 0);
  EXPECT_EQ(Keydrawmode, 0);
  EXPECT_EQ(NextMode, ModeDraw);
  EXPECT_EQ(OnlyStatusBar(), 0);
  for (int id : {19, 20, 0, 1, 5, 6, 41}) EXPECT_TRUE(tk::menuItemEnabled(0, id)) << id;
  for (int id : {239, 244}) EXPECT_TRUE(tk::menuItemEnabled(17, id)) << id;
  for (int id : {3, 2, 5, 16}) EXPECT_TRUE(tk::toolBarButtonEnabled(5, id)) << id;
}

TEST_F(ViewsTest, MenuItemHelpers) {
  tk::setMenuItemChecked(0, 183, false);
  ToggleMenuItemCheck(0, 183);
  EXPECT_TRUE(tk::menuItemChecked(0, 183));
  ToggleMenuItemCheck(0, 183);
  EXPECT_FALSE(tk::menuItemChecked(0, 183));
  // Menu 0 alone: the script view's menu and the tool bar keep their state.
  EnableMenuItems(1);
  for (int id : {0, 17, 25}) EXPECT_FALSE(tk::menuItemEnabled(0, id)) << id;
  EXPECT_TRUE(tk::menuItemEnabled(0, 26));
  for (int id : {17, 25}) EXPECT_TRUE(tk::menuItemEnabled(1, id)) << id;
  for (int id : {17, 19, 25, 0}) EXPECT_TRUE(tk::toolBarButtonEnabled(5, id)) << id;
  EnableMenuItems(0);
  for (int id : {0, 17, 25, 102}) EXPECT_TRUE(tk::menuItemEnabled(0, id)) << id;
}

TEST_F(ViewsTest, ScriptAndEffectsViewsLeaveNoToolCurrent) {
  Recorder rec;
  paintstate = 41;
  tk::setGadgetState(41, 1);
  for (int panel : {495, 352}) {
    SwitchMainView(panel);
    EXPECT_EQ(paintstate, 0) << panel;
    EXPECT_EQ(tk::gadgetState(41), 0) << panel;
  }
  // Back in the image view the tool of before is current again.
  rec.calls.clear();
  SwitchMainView(9);
  EXPECT_EQ(paintstate, 41);
  const auto want = std::make_pair(std::string("UpdateToolOptions"), 41);
  EXPECT_NE(std::find(rec.calls.begin(), rec.calls.end(), want), rec.calls.end());
  paintstate = 0;
}

// The real main window after the real start-up: the mouse over the canvas names the cell
// under it, and the view fits the window, also after the window changed its size.
TEST_F(ViewsTest, MouseOverTheCanvasNamesTheCellUnderIt) {
  QWidget* canvas = tk::detail::gadgetWidget(11);
  QWidget* bar = tk::detail::gadgetWidget(13);
  QWidget* client = tk::detail::window(0)->client;
  ASSERT_TRUE(canvas && bar && client);
  ASSERT_TRUE(tk::isStatusBar(0));
  ASSERT_GT(bildlang, 20);
  ASSERT_GT(bildhoch, 10);
  horz = vert = 0;
  length = 2.0f;   // view pixel 2 c + 1 lies inside cell c
  for (auto [w, h] : {std::pair{0, 0}, std::pair{1200, 800}, std::pair{900, 640}}) {
    SCOPED_TRACE(::testing::Message() << w << "x" << h);
    if (w > 0) {
      tk::resizeWindow(0, -1, -1, w, h);
      tk::processPending();
      LayoutCanvasArea();
    }
    const QPoint origin = canvas->mapTo(client, QPoint(0, 0));
    EXPECT_EQ(origin.x(), bildx);
    EXPECT_EQ(origin.y(), CanvasTop);
    EXPECT_LE(bar->mapTo(client, QPoint(bar->width(), 0)).x(), tk::windowWidth(0));
    const QPoint at(2 * 20 + 1, 2 * 10 + 1);
    tk::testSetWindowMouse(0, origin.x() + at.x(), origin.y() + at.y());
    QMouseEvent move(QEvent::MouseMove, QPointF(at), canvas->mapToGlobal(QPointF(at)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(canvas, &move);
    EXPECT_EQ(tk::statusBarText(0, 4), "20");
    EXPECT_EQ(tk::statusBarText(0, 6), "10");
  }
  tk::testSetWindowMouse(0, -2, 0);
  length = 1.0f;
  tk::resizeWindow(0, -1, -1, 1018, 700);
  tk::processPending();
  LayoutCanvasArea();
}

// The start image's average colour is known from the start, so the grid over the white
// start image is drawn in black.
TEST_F(ViewsTest, GridOverTheStartImageIsDrawnInTheContrastColour) {
  EXPECT_EQ(AllRot, 255);
  EXPECT_EQ(AllGruen, 255);
  EXPECT_EQ(AllBlau, 255);
  std::fill(ImagePixels.begin(), ImagePixels.end(), PixelCell(0x00FFFFFF));
  horz = vert = 0;
  length = 1.0f;
  GridActive = 1;
  GridWidth = 10;
  RedrawCanvas();
  int stride = 0;
  const uint32_t* c = tk::imageCells(tk::canvasImage(11), &stride);
  ASSERT_TRUE(c);
  EXPECT_EQ(c[size_t(5) * stride + 10] & 0xFFFFFF, 0u);          // on a line: black
  EXPECT_EQ(c[size_t(5) * stride + 5] & 0xFFFFFF, 0xFFFFFFu);    // between: the white image
  GridActive = 0;
  RedrawCanvas();
}

// ---- shortcut sets ----

TEST_F(ViewsTest, ShortcutSetsInstallOnceAndRemoveTheirOwnKeys) {
  ASSERT_EQ(cutsda, 1);   // the image set
  EXPECT_TRUE(tk::hasShortcut(0, tk::ModCtrl + tk::ModShift * 0 + 'S'));
  EXPECT_TRUE(tk::hasShortcut(0, tk::ModShift + 'V'));
  EXPECT_TRUE(tk::hasShortcut(0, 'Y'));
  EXPECT_FALSE(tk::hasShortcut(0, 'Z'));
  EXPECT_FALSE(tk::hasShortcut(0, tk::ModCtrl + 'Z'));   // undo is a menu item in the image view
  EXPECT_TRUE(tk::hasShortcut(0, 0x60));                 // numeric keypad 0
  EXPECT_TRUE(tk::hasShortcut(0, tk::ModCtrl + 0x6B));
  // A second set while one is in: nothing changes.
  AddPanelShortcuts();
  EXPECT_FALSE(tk::hasShortcut(0, tk::ModCtrl + 'Z'));
  EXPECT_TRUE(tk::hasShortcut(0, 'A'));
  // Removing the wrong set clears the flag and removes only that set's keys.
  RemoveScriptShortcuts();
  EXPECT_EQ(cutsda, 0);
  EXPECT_FALSE(tk::hasShortcut(0, tk::ModCtrl + 'S'));   // Ctrl+S is in both sets
  EXPECT_TRUE(tk::hasShortcut(0, 'A'));
  RemoveImageShortcuts();                                // flag 0: nothing
  EXPECT_TRUE(tk::hasShortcut(0, 'A'));
  AddImageShortcuts();
  EXPECT_TRUE(tk::hasShortcut(0, tk::ModCtrl + 'S'));
}

TEST_F(ViewsTest, ShortcutRaisesTheMenuEventOfItsId) {
  tk::drainEvents();
  Recorder rec;
  Post(tk::EvMenu, 0, -1, 392);   // what 'A' of the image set raises
  RunOneTurn(ModeDraw);
  EXPECT_EQ(rec.Handlers(), (std::vector<std::pair<std::string, int>>{{"OnImageShortcut", 392}}));
}

// ---- status bars ----

namespace {

void MakeImage(int w, int h) {
  bildlang = w - 1;
  bildhoch = h - 1;
  ImagePixels.assign(size_t(w) * h, 0);
  horz = vert = 0;
  length = 1.0f;
}

}  // namespace

TEST_F(ViewsTest, MainStatusBarFollowsTheMouseOverTheCanvas) {
  MakeImage(4, 3);
  ImagePixels[2 * 4 + 3] = 0x00FF8000;   // (3, 2): red 255, green 128, blue 0
  Settings.loaded = 1;
  Settings.Icons_unten = 0;
  FreeStatusBars();
  CreateMainStatusBar();
  EXPECT_EQ(tk::statusBarText(0, 9), "R:");
  EXPECT_EQ(tk::statusBarText(0, 13), "B:");
  EXPECT_EQ(tk::statusBarText(0, 2), "Koordinaten:");
  // At zoom 1 the cell under the mouse is taken half a pixel up and left.
  tk::testSetWindowMouse(0, bildx + 4, CanvasTop + 3);
  MainWindowCallback(0, tk::EvMouseMove, 0, (CanvasTop + 3) << 16 | (bildx + 4));
  EXPECT_EQ(tk::statusBarText(0, 4), "3");
  EXPECT_EQ(tk::statusBarText(0, 6), "2");
  EXPECT_EQ(tk::statusBarText(0, 10), "255");
  EXPECT_EQ(tk::statusBarText(0, 12), "128");
  EXPECT_EQ(tk::statusBarText(0, 14), "0");
  EXPECT_EQ(tk::statusBarText(0, 17), "#FF8000");
  EXPECT_EQ(OnErrorCode2, 0);
  // Outside the image on the right: x stays, y follows; no colour.
  tk::testSetWindowMouse(0, bildx + 40, CanvasTop + 2);
  MainWindowCallback(0, tk::EvMouseMove, 0, 0);
  EXPECT_EQ(tk::statusBarText(0, 4), "3");
  EXPECT_EQ(tk::statusBarText(0, 6), "1");
  EXPECT_EQ(tk::statusBarText(0, 17), "#FF8000");
  // With the icons option the labels are the channel images.
  Settings.Icons_unten = 1;
  FreeStatusBars();
  CreateMainStatusBar();
  EXPECT_EQ(tk::statusBarImage(0, 9), 97);
  EXPECT_EQ(tk::statusBarImage(0, 11), 98);
  EXPECT_EQ(tk::statusBarImage(0, 13), 99);
  tk::testSetWindowMouse(0, -2, 0);
}

TEST_F(ViewsTest, KeyboardStatusBarCountsFromOne) {
  MakeImage(5, 5);
  ImagePixels[0] = 0x00102030;
  KeyboardModus = 1;
  KeyboardX = KeyboardY = 0;
  FreeStatusBars();
  paintstate = 58;
  tk::setGadgetState(107, 128);
  fillstate = 1;
  CreateKeyboardStatusBar();
  EXPECT_EQ(tk::statusBarText(3, 23), "1");
  EXPECT_EQ(tk::statusBarText(3, 25), "1");
  EXPECT_EQ(tk::statusBarText(3, 16), "16");
  EXPECT_EQ(tk::statusBarText(3, 18), "32");
  EXPECT_EQ(tk::statusBarText(3, 20), "48");
  EXPECT_EQ(tk::statusBarText(3, 11), "50%");
  EXPECT_EQ(tk::statusBarText(3, 8), tk::gadgetItemText(104, 1));
  EXPECT_EQ(tk::statusBarText(3, 5), "Verwischen");
  for (auto [state, text] : {std::pair{255, "100%"}, std::pair{1, "0%"}}) {
    tk::setGadgetState(107, state);
    UpdateKeyboardStatusBar();
    EXPECT_EQ(tk::statusBarText(3, 11), text);
  }
  for (int tool : {55, 56, 57, 126}) {
    paintstate = tool;
    UpdateKeyboardStatusBar();
    EXPECT_EQ(tk::statusBarText(3, 5), "Verwischen") << tool;
  }
  paintstate = 0;
  fillstate = 0;
  tk::setGadgetState(107, 0);
}

TEST_F(ViewsTest, ScriptAndTextBarsShowTheCaretFromOne) {
  tk::setRichText(496, "abc\rdefg");
  tk::richSetSelection(496, 0, 0);
  FreeStatusBars();
  CreateScriptStatusBar();
  EXPECT_EQ(tk::statusBarText(1, 3), "1");
  EXPECT_EQ(tk::statusBarText(1, 5), "1");
  tk::richSetSelection(496, 6, 6);
  UpdateScriptStatusBar();
  EXPECT_EQ(tk::statusBarText(1, 3), "2");
  EXPECT_EQ(tk::statusBarText(1, 5), "3");
  // A selection: the column of its end against the line of its start.
  tk::richSetSelection(496, 1, 6);
  UpdateScriptStatusBar();
  EXPECT_EQ(tk::statusBarText(1, 3), "1");
  EXPECT_EQ(tk::statusBarText(1, 5), "7");

  tk::setRichText(584, "xy");
  tk::richSetSelection(584, 2, 2);
  arealang = 9;
  areahoch = 4;
  startx = 3;
  starty = 7;
  horz2 = 1;
  vert2 = 2;
  FreeStatusBars();
  CreateTextStatusBar();
  EXPECT_EQ(tk::statusBarText(5, 4), "1");
  EXPECT_EQ(tk::statusBarText(5, 6), "3");
  EXPECT_EQ(tk::statusBarText(5, 14), "10");
  EXPECT_EQ(tk::statusBarText(5, 16), "5");
  EXPECT_EQ(tk::statusBarText(5, 10), "4");
  EXPECT_EQ(tk::statusBarText(5, 12), "9");
  FreeStatusBars();
  CreateAreaStatusBar();
  EXPECT_EQ(tk::statusBarText(4, 7), "10");
  EXPECT_EQ(tk::statusBarText(4, 9), "5");
  EXPECT_EQ(tk::statusBarText(4, 3), "4");
  EXPECT_EQ(tk::statusBarText(4, 5), "9");
  arealang = areahoch = startx = starty = horz2 = vert2 = 0;
}

TEST_F(ViewsTest, UpdatesOfAnotherViewsBarChangeNothing) {
  FreeStatusBars();
  CreateEffectsStatusBar();
  EXPECT_EQ(OnlyStatusBar(), 2);
  UpdateMainStatusBar();
  UpdateScriptStatusBar();
  UpdateKeyboardStatusBar();
  UpdateAreaStatusBar();
  UpdateTextStatusBar();
  EXPECT_EQ(OnlyStatusBar(), 2);
  EXPECT_EQ(tk::statusBarText(2, 0), "EffekteFenster");
  EXPECT_EQ(OnErrorCode2, 0);
}
