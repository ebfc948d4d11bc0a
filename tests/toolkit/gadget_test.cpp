// Gadgets driven through real widgets: user input raises the right gadget events,
// program changes raise none, and state, text and items read back what was set.
#include <gtest/gtest.h>

#include <QAbstractSlider>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QScrollArea>
#include <QSplitter>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>
#include <vector>

#include "toolkit/internal.h"
#include "toolkit/toolkit.h"

using namespace tk;

namespace {

constexpr int kWin = 77;

class GadgetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(openWindow(kWin, 10, 10, 640, 480, "Gadgets", WfCaption), kWin);
    drainEvents();
  }
  void TearDown() override {
    closeWindow(kWin);
    drainEvents();
  }
  QWidget* w(int g) { return detail::gadgetWidget(g); }

  // The next gadget event within half a second (other events are skipped).
  Event nextGadgetEvent() {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < 500) {
      if (waitEvent(100) == EvGadget) return currentEvent();
    }
    return Event{};
  }
  void expectEvent(int gadget, int type) {
    Event e = nextGadgetEvent();
    EXPECT_EQ(e.code, EvGadget) << "gadget " << gadget;
    EXPECT_EQ(e.gadget, gadget);
    EXPECT_EQ(e.window, kWin);
    EXPECT_EQ(e.type, type) << "gadget " << gadget;
  }
  int gadgetEventsQueued() {
    int n = 0;
    while (pollEvent() != EvNone)
      if (currentEvent().code == EvGadget) ++n;
    return n;
  }
  // Near the left edge: on a check box or option that is the box itself.
  void click(int g, Qt::MouseButton b = Qt::LeftButton) {
    QTest::mouseClick(w(g), b, Qt::NoModifier, QPoint(6, w(g)->height() / 2));
  }
};

TEST_F(GadgetTest, NumbersAndBadInput) {
  int a = label(-1, 0, 0, 50, 20, "a");
  int b = label(-1, 0, 30, 50, 20, "b");
  EXPECT_GE(a, 0);
  EXPECT_NE(a, b);
  EXPECT_EQ(gadgetKind(a), GkLabel);
  EXPECT_EQ(gadgetWindow(a), kWin);
  EXPECT_EQ(button(5, 0, 0, 50, 20, "x"), 5);
  EXPECT_EQ(checkBox(5, 0, 0, 50, 20, "y"), 5);   // the number is taken over
  EXPECT_EQ(gadgetKind(5), GkCheckBox);
  freeGadget(5);
  EXPECT_FALSE(isGadget(5));
  freeGadget(5);
  // Unknown gadgets and items do nothing.
  setGadgetState(4711, 1);
  setGadgetText(4711, "x");
  EXPECT_EQ(gadgetState(4711), 0);
  EXPECT_EQ(gadgetText(4711), "");
  EXPECT_EQ(countGadgetItems(4711), 0);
  EXPECT_EQ(addGadgetItem(4711, -1, "x"), -1);
  EXPECT_EQ(addGadgetItem(a, -1, "x"), -1);
  int l = listBox(-1, 0, 0, 100, 100);
  EXPECT_EQ(gadgetItemText(l, 3), "");
  removeGadgetItem(l, 3);
  setGadgetItemText(l, -1, "x");
  EXPECT_EQ(gadgetKind(4711), GkNone);
  // Without a window there is nowhere to put a gadget.
  closeWindow(kWin);
  EXPECT_EQ(label(-1, 0, 0, 10, 10, "x"), -1);
}

TEST_F(GadgetTest, ClicksRaiseTheirEventTypes) {
  struct Case { int gadget; Qt::MouseButton button; int type; int stateAfter; };
  int push = button(10, 0, 0, 80, 25, "OK");
  int toggle = button(11, 90, 0, 80, 25, "F", GfToggle);
  int check = checkBox(12, 180, 0, 100, 25, "Rot");
  int link = hyperlink(13, 290, 0, 100, 20, "Seite", 0xFF0000);
  int img = imageButton(14, 400, 0, 40, 40, -1, GfToggle);
  const Case cases[] = {
      {push, Qt::LeftButton, EtButtonClick, 0},   {toggle, Qt::LeftButton, EtButtonClick, 1},
      {toggle, Qt::RightButton, EtButtonMenu, 1}, {check, Qt::LeftButton, EtLeftClick, 1},
      {link, Qt::LeftButton, EtLeftClick, 0},     {img, Qt::LeftButton, EtButtonClick, 1},
      {push, Qt::RightButton, EtButtonMenu, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.gadget);
    click(c.gadget, c.button);
    expectEvent(c.gadget, c.type);
    EXPECT_EQ(gadgetState(c.gadget), c.stateAfter);
  }
}

TEST_F(GadgetTest, ConsecutiveOptionsFormOneGroup) {
  option(20, 0, 0, 100, 20, "A1");
  option(21, 0, 20, 100, 20, "A2");
  label(22, 0, 40, 100, 20, "-");   // ends the group
  option(23, 0, 60, 100, 20, "B1");
  option(24, 0, 80, 100, 20, "B2");
  setGadgetState(20, 1);
  setGadgetState(23, 1);
  EXPECT_EQ(gadgetEventsQueued(), 0);
  click(21);
  expectEvent(21, EtLeftClick);
  EXPECT_EQ(gadgetState(20), 0);
  EXPECT_EQ(gadgetState(21), 1);
  EXPECT_EQ(gadgetState(23), 1);   // the other group keeps its choice
  click(24);
  expectEvent(24, EtLeftClick);
  EXPECT_EQ(gadgetState(23), 0);
  EXPECT_EQ(gadgetState(21), 1);
  setGadgetState(24, 0);            // the program may clear a whole group
  EXPECT_EQ(gadgetState(24), 0);
}

TEST_F(GadgetTest, StringFieldTypingAndFocus) {
  int f = stringField(30, 0, 0, 100, 20, "", GfNumbers);
  int g = stringField(31, 0, 30, 100, 20, "x");
  EXPECT_STREQ(w(f)->property("tkClass").toByteArray().constData(), "Edit");
  activateWindow(kWin);
  (void)QTest::qWaitForWindowActive(detail::window(kWin)->top);
  setActiveGadget(f);
  expectEvent(f, EtFocus);
  QTest::keyClicks(w(f), "12a3");
  EXPECT_EQ(gadgetText(f), "123");
  expectEvent(f, EtChange);
  setActiveGadget(g);
  Event e = nextGadgetEvent();
  while (e.code == EvGadget && e.type == EtChange) e = nextGadgetEvent();
  EXPECT_EQ(e.gadget, f);
  EXPECT_EQ(e.type, EtLostFocus);
  EXPECT_EQ(activeGadget(), g);
  drainEvents();
  setGadgetText(f, "42");
  EXPECT_EQ(gadgetEventsQueued(), 0);
  EXPECT_EQ(gadgetText(f), "42");
}

TEST_F(GadgetTest, ValueGadgetsReportUserChanges) {
  int s = slider(40, 0, 0, 160, 20, 1, 200);
  int sp = spinField(41, 0, 30, 100, 20, 1, 400);
  activateWindow(kWin);
  setGadgetState(s, 10);
  setActiveGadget(s);
  drainEvents();
  QTest::keyClick(w(s), Qt::Key_Right);
  expectEvent(s, EtChange);
  EXPECT_EQ(gadgetState(s), 11);
  // The spin shows a free text while its value stays a number.
  setGadgetState(sp, 2);
  setGadgetText(sp, "Radius: 2");
  EXPECT_EQ(gadgetState(sp), 2);
  EXPECT_EQ(gadgetAttribute(sp, AttrSpinValue), 2);
  EXPECT_EQ(gadgetText(sp), "Radius: 2");
  setGadgetAttribute(sp, AttrSpinValue, 7);
  EXPECT_EQ(gadgetText(sp), "Radius: 2");
  setActiveGadget(sp);
  drainEvents();
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
  expectEvent(sp, EtChange);
  EXPECT_EQ(gadgetState(sp), 8);
  setGadgetState(sp, 1000);   // clamped to the range
  EXPECT_EQ(gadgetState(sp), 400);
  EXPECT_EQ(gadgetText(sp), "400");
  // A combo choice by keyboard is a selection (type 1, what the text panel waits for).
  int c = comboBox(42, 0, 60, 100, 300);
  for (const char* t : {"8", "9", "10"}) addGadgetItem(c, -1, t);
  setGadgetState(c, 0);
  setActiveGadget(c);
  drainEvents();
  QTest::keyClick(w(c), Qt::Key_Down);
  expectEvent(c, EtLeftClick);
  EXPECT_EQ(gadgetText(c), "9");
  // Typing into the editor is a change.
  int ed = editor(43, 0, 90, 200, 100);
  setActiveGadget(ed);
  drainEvents();
  QTest::keyClicks(w(ed), "ab");
  expectEvent(ed, EtChange);
  EXPECT_EQ(gadgetText(ed), "ab");
}

TEST_F(GadgetTest, ScrollBarCallbackMayKeepTheEvent) {
  int sb = scrollBar(50, 0, 0, 200, 20, 0, 30, 5);
  struct Seen { int msg; intptr_t wp, lp; };
  std::vector<Seen> seen;
  int keep = 1, place = -1;   // place >= 0: the program puts the bar there itself
  setGadgetCallback(sb, [&](int g, int msg, intptr_t wp, intptr_t lp) {
    EXPECT_EQ(g, sb);
    seen.push_back({msg, wp, lp});
    if (msg == EvScroll && place >= 0) setGadgetState(sb, place);
    return keep;
  });
  auto* bar = static_cast<QAbstractSlider*>(w(sb));
  // Each user action first comes as its request with the position it would reach.
  const struct { QAbstractSlider::SliderAction action; int request, from, would; } requests[] = {
      {QAbstractSlider::SliderSingleStepAdd, SbLineDown, 10, 11},
      {QAbstractSlider::SliderSingleStepSub, SbLineUp, 10, 9},
      {QAbstractSlider::SliderPageStepAdd, SbPageDown, 10, 15},
      {QAbstractSlider::SliderPageStepSub, SbPageUp, 10, 5},
      {QAbstractSlider::SliderToMinimum, SbTop, 10, 0},
      {QAbstractSlider::SliderToMaximum, SbBottom, 10, 30},
  };
  for (const auto& r : requests) {
    setGadgetState(sb, r.from);
    seen.clear();
    bar->triggerAction(r.action);
    ASSERT_EQ(seen.size(), 1u) << r.request;   // handled: no value event follows
    EXPECT_EQ(seen[0].msg, EvScroll);
    EXPECT_EQ(seen[0].wp, r.request);
    EXPECT_EQ(seen[0].lp, r.would);
    EXPECT_EQ(gadgetState(sb), r.from) << r.request;   // the program left it where it was
  }
  EXPECT_EQ(gadgetEventsQueued(), 0);
  // A handled request leaves the bar where the program put it.
  place = 17;
  bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
  EXPECT_EQ(gadgetState(sb), 17);
  EXPECT_EQ(bar->sliderPosition(), 17);
  place = -1;
  // Not handled: the bar moves by itself and reports the value as before.
  keep = 0;
  seen.clear();
  bar->triggerAction(QAbstractSlider::SliderToMaximum);
  expectEvent(sb, EtChange);
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[1].msg, EvGadget);
  EXPECT_EQ(seen[1].wp, 30);
  setGadgetState(sb, 3);
  EXPECT_EQ(seen.size(), 2u);
  EXPECT_EQ(gadgetState(sb), 3);
  setGadgetAttribute(sb, AttrMaximum, 2);
  EXPECT_EQ(gadgetState(sb), 2);
  EXPECT_EQ(gadgetAttribute(sb, AttrPageLength), 5);
}

TEST_F(GadgetTest, ListSelectionDoubleAndRightClick) {
  int l = listBox(60, 0, 0, 200, 150);
  for (const char* t : {"eins", "zwei", "drei"}) addGadgetItem(l, -1, t);
  auto* lw = static_cast<QListWidget*>(w(l));
  QRect r1 = lw->visualItemRect(lw->item(1));
  QTest::mouseClick(lw->viewport(), Qt::LeftButton, Qt::NoModifier, r1.center());
  expectEvent(l, EtLeftClick);
  EXPECT_EQ(gadgetState(l), 1);
  EXPECT_EQ(gadgetText(l), "zwei");
  QTest::mouseDClick(lw->viewport(), Qt::LeftButton, Qt::NoModifier, r1.center());
  Event e = nextGadgetEvent();
  EXPECT_EQ(e.type, EtLeftDoubleClick);
  QTest::mouseClick(lw->viewport(), Qt::RightButton, Qt::NoModifier, r1.center());
  expectEvent(l, EtRightClick);

  int t = tree(61, 210, 0, 200, 150);
  addGadgetItem(t, -1, "Wurzel", -1, 0);
  addGadgetItem(t, -1, "Kind", -1, 1);
  addGadgetItem(t, -1, "Zweig", -1, 0);
  auto* tw = static_cast<QTreeWidget*>(w(t));
  tw->expandAll();
  QTest::mouseClick(tw->viewport(), Qt::LeftButton, Qt::NoModifier,
                    tw->visualItemRect(tw->topLevelItem(1)).center());
  expectEvent(t, EtLeftClick);
  EXPECT_EQ(gadgetState(t), 2);   // flat index: Wurzel, Kind, Zweig
}

TEST_F(GadgetTest, ProgramChangesRaiseNoEvents) {
  int l = listBox(-1, 0, 0, 100, 100);
  int c = comboBox(-1, 0, 110, 100, 200);
  int t = tree(-1, 110, 0, 100, 100);
  int cl = columnList(-1, 220, 0, 200, 100, "Name", 80);
  int p = panel(-1, 0, 250, 200, 100);
  addGadgetItem(p, -1, "a");
  addGadgetItem(p, -1, "b");
  closeGadgetList();
  for (int g : {l, c, t, cl}) {
    addGadgetItem(g, -1, "x");
    addGadgetItem(g, -1, "y");
  }
  int e = editor(-1, 300, 200, 100, 100);
  int s = slider(-1, 300, 310, 100, 20, 0, 10);
  int cb = checkBox(-1, 410, 310, 100, 20, "c");
  int tg = button(-1, 410, 340, 100, 20, "t", GfToggle);
  for (int g : {l, c, t, cl, p, s, cb, tg}) setGadgetState(g, 1);
  setGadgetText(e, "Text");
  removeGadgetItem(l, 0);
  clearGadgetItems(c);
  setGadgetItemState(cl, 0, ItemSelected);
  EXPECT_EQ(gadgetEventsQueued(), 0);
}

// One round trip of state and text per kind.
TEST_F(GadgetTest, StateAndTextRoundTrip) {
  struct Case { const char* name; int gadget; int state; int stateBack; const char* text; const char* textBack; };
  int combo = comboBox(-1, 0, 0, 100, 200, GfEditable);
  addGadgetItem(combo, -1, "1");
  addGadgetItem(combo, -1, "72");
  int prog = progressBar(-1, 0, 30, 100, 20, 0, 50);
  int box = textBox(-1, 0, 60, 200, 80, "");
  int ed = editor(-1, 210, 60, 200, 80);
  int lbl = label(-1, 0, 150, 100, 40, "", GfMultiLine);
  int btn = button(-1, 0, 200, 100, 40, "", GfMultiLine);
  int fr = frame(-1, 210, 150, 100, 50, "Titel");
  int sunken = frame(-1, 210, 210, 100, 50, "", GfSunken);
  int chk = checkBox(-1, 0, 250, 100, 20, "");
  const Case cases[] = {
      {"combo", combo, 1, 1, "frei", "frei"},
      {"progress", prog, 60, 50, nullptr, nullptr},
      {"textbox", box, 0, 0, "a\r\nb\rc", "a\r\nb\r\nc"},
      {"editor", ed, 0, 0, "Zeile 1\r\nZeile 2", "Zeile 1\r\nZeile 2"},
      {"label", lbl, 0, 0, "Gr\xFC\xDF" "e\r\nzwei", "Gr\xFC\xDF" "e\r\nzwei"},
      {"button", btn, 0, 0, "Sonderzeichen einf\xFCgen", "Sonderzeichen einf\xFCgen"},
      {"frame", fr, 0, 0, "DrawSteps: 1", "DrawSteps: 1"},
      {"sunken frame", sunken, 0, 0, "x", "x"},
      {"check box", chk, 1, 1, "Wei\xDF" "e R\xE4nder", "Wei\xDF" "e R\xE4nder"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    setGadgetState(c.gadget, c.state);
    EXPECT_EQ(gadgetState(c.gadget), c.stateBack);
    if (c.text) {
      setGadgetText(c.gadget, c.text);
      EXPECT_EQ(gadgetText(c.gadget), c.textBack);
    }
  }
  EXPECT_STREQ(w(ed)->property("tkClass").toByteArray().constData(), "Edit");
  EXPECT_STREQ(w(combo)->property("tkClass").toByteArray().constData(), "Edit");
  EXPECT_EQ(gadgetText(combo), "frei");
}

TEST_F(GadgetTest, ItemsOfEveryListKind) {
  int kinds[] = {listBox(-1, 0, 0, 100, 100), comboBox(-1, 110, 0, 100, 200),
                 columnList(-1, 220, 0, 200, 100, "A", 50), tree(-1, 0, 110, 100, 100),
                 panel(-1, 110, 110, 200, 100)};
  closeGadgetList();
  for (int g : kinds) {
    SCOPED_TRACE(gadgetKind(g));
    EXPECT_EQ(addGadgetItem(g, -1, "b"), 0);
    EXPECT_EQ(addGadgetItem(g, -1, "d"), 1);
    EXPECT_EQ(addGadgetItem(g, 0, "a"), 0);
    EXPECT_EQ(addGadgetItem(g, 2, "c"), 2);
    EXPECT_EQ(countGadgetItems(g), 4);
    EXPECT_EQ(gadgetItemText(g, 0) + gadgetItemText(g, 1) + gadgetItemText(g, 2) + gadgetItemText(g, 3), "abcd");
    setGadgetItemText(g, 1, "B");
    removeGadgetItem(g, 0);
    EXPECT_EQ(gadgetItemText(g, 0), "B");
    setGadgetState(g, 2);
    EXPECT_EQ(gadgetState(g), 2);
    EXPECT_EQ(gadgetItemState(g, 2) & ItemSelected, ItemSelected);
    EXPECT_EQ(gadgetItemText(g, 9), "");
    clearGadgetItems(g);
    EXPECT_EQ(countGadgetItems(g), 0);
  }
}

TEST_F(GadgetTest, ColumnListColumnsAndChecks) {
  int cl = columnList(-1, 0, 0, 300, 150, "Datei", 100, GfCheckBoxes | GfFullRow);
  addColumn(cl, 1, "Gr\xF6\xDF" "e", 60);
  addGadgetItem(cl, -1, "a.png\n12");
  addGadgetItem(cl, -1, "b.png\n7");
  EXPECT_EQ(gadgetItemText(cl, 1, 1), "7");
  EXPECT_EQ(gadgetItemText(cl, 1, 2), "");
  setGadgetItemText(cl, 0, "13", 1);
  EXPECT_EQ(gadgetItemText(cl, 0, 1), "13");
  EXPECT_EQ(gadgetAttribute(cl, GadgetAttribute(AttrColumnWidth0 + 1)), 60);
  setGadgetItemState(cl, 1, ItemChecked);
  EXPECT_EQ(gadgetItemState(cl, 1), ItemChecked);
  EXPECT_EQ(gadgetItemState(cl, 0), 0);
}

TEST_F(GadgetTest, TreeLevelsBuildTheHierarchy) {
  int t = tree(-1, 0, 0, 200, 200);
  addGadgetItem(t, -1, "A", -1, 0);
  addGadgetItem(t, -1, "A1", -1, 1);
  addGadgetItem(t, -1, "A1x", -1, 2);
  addGadgetItem(t, -1, "A2", -1, 1);
  addGadgetItem(t, -1, "B", -1, 0);
  auto* tw = static_cast<QTreeWidget*>(w(t));
  ASSERT_EQ(tw->topLevelItemCount(), 2);
  EXPECT_EQ(tw->topLevelItem(0)->childCount(), 2);
  EXPECT_EQ(tw->topLevelItem(0)->child(0)->child(0)->text(0), "A1x");
  EXPECT_EQ(gadgetItemText(t, 3), "A2");
  // Inserting before B at level 1 makes it A's last child.
  EXPECT_EQ(addGadgetItem(t, 4, "A3", -1, 1), 4);
  EXPECT_EQ(tw->topLevelItem(0)->childCount(), 3);
  setGadgetItemState(t, 0, ItemExpanded);
  EXPECT_EQ(gadgetItemState(t, 0), ItemExpanded);
  removeGadgetItem(t, 0);   // with its children
  EXPECT_EQ(countGadgetItems(t), 1);
}

TEST_F(GadgetTest, PanelTabsOwnTheFollowingGadgets) {
  int outer = panel(100, 0, 0, 400, 300);
  addGadgetItem(outer, -1, "Eins");
  int a = button(101, 10, 10, 60, 20, "a");
  addGadgetItem(outer, -1, "Zwei");
  int inner = panel(102, 0, 0, 300, 200);
  addGadgetItem(inner, -1, "XAchse");
  int b = label(103, 5, 5, 60, 20, "b");
  addGadgetItem(inner, -1, "YAchse");
  int c = label(104, 5, 5, 60, 20, "c");
  closeGadgetList();
  int d = label(105, 40, 40, 60, 20, "d");   // back on the outer panel's second tab
  closeGadgetList();
  int e = label(106, 500, 10, 60, 20, "e");  // back in the window
  auto* ot = static_cast<QTabWidget*>(w(outer));
  auto* it = static_cast<QTabWidget*>(w(inner));
  EXPECT_EQ(w(a)->parentWidget(), ot->widget(0));
  EXPECT_EQ(w(inner)->parentWidget(), ot->widget(1));
  EXPECT_EQ(w(b)->parentWidget(), it->widget(0));
  EXPECT_EQ(w(c)->parentWidget(), it->widget(1));
  EXPECT_EQ(w(d)->parentWidget(), ot->widget(1));
  EXPECT_EQ(w(e)->parentWidget(), detail::window(kWin)->client.data());
  EXPECT_EQ(gadgetWindow(c), kWin);
  EXPECT_EQ(gadgetX(b), 5);
  // Clicking a tab switches and reports it.
  QTabBar* bar = ot->tabBar();
  QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->tabRect(1).center());
  expectEvent(outer, EtLeftClick);
  EXPECT_EQ(gadgetState(outer), 1);
  EXPECT_EQ(gadgetText(outer), "Zwei");
  // Reopening a tab adds to it.
  openGadgetList(outer, 0);
  int f = label(107, 10, 50, 60, 20, "f");
  closeGadgetList();
  EXPECT_EQ(w(f)->parentWidget(), ot->widget(0));
}

TEST_F(GadgetTest, ContainersScrollAreasAndGadgetAt) {
  int cont = container(110, 100, 100, 200, 100);
  int in = button(111, 10, 10, 50, 20, "in");
  closeGadgetList();
  int area = scrollArea(112, 320, 0, 240, 200, 230, 550, 1);
  int deep = label(113, 0, 500, 50, 20, "tief");
  closeGadgetList();
  EXPECT_EQ(w(in)->parentWidget(), w(cont));
  EXPECT_EQ(w(deep)->parentWidget(), static_cast<QScrollArea*>(w(area))->widget());
  EXPECT_EQ(gadgetAt(kWin, 115, 115), in);
  EXPECT_EQ(gadgetAt(kWin, 250, 180), cont);
  EXPECT_EQ(gadgetAt(kWin, 5, 470), -1);
  EXPECT_EQ(gadgetAttribute(area, AttrInnerHeight), 550);
  setGadgetAttribute(area, AttrScrollY, 100);
  EXPECT_EQ(gadgetAttribute(area, AttrScrollY), 100);
  resizeGadget(in, -1, 40, 80, -1);
  EXPECT_EQ(gadgetX(in), 10);
  EXPECT_EQ(gadgetY(in), 40);
  EXPECT_EQ(gadgetWidth(in), 80);
  EXPECT_EQ(gadgetHeight(in), 20);
  hideGadget(in, true);
  EXPECT_TRUE(gadgetHidden(in));
  EXPECT_EQ(gadgetAt(kWin, 115, 145), cont);
  disableGadget(cont, true);
  EXPECT_TRUE(gadgetDisabled(cont));
  EXPECT_FALSE(gadgetDisabled(in));
  setGadgetToolTip(cont, "Hilfe \xE4");
  EXPECT_EQ(gadgetToolTip(cont), "Hilfe \xE4");
  freeGadget(cont);   // takes its gadgets with it
  EXPECT_FALSE(isGadget(in));
}

TEST_F(GadgetTest, SplitterPutsItsPartsSideBySide) {
  int left = container(8, 0, 0, 100, 300);
  closeGadgetList();
  int right = container(7, 100, 0, 500, 300);
  closeGadgetList();
  int s = splitter(6, 0, 0, 600, 300, left, right);
  ASSERT_EQ(s, 6);
  QTest::qWait(0);
  setGadgetState(s, 250);
  EXPECT_EQ(gadgetState(s), 250);
  EXPECT_LT(gadgetX(left), gadgetX(right));
  EXPECT_EQ(gadgetY(left), gadgetY(right));
  EXPECT_GE(gadgetX(right), 250);
  // A resize of the splitter goes to the second part alone.
  const int rightX = gadgetX(right);
  for (int width : {800, 450, 600}) {
    resizeGadget(s, 0, 0, width, 300);
    QTest::qWait(0);
    EXPECT_EQ(gadgetState(s), 250) << width;
    EXPECT_EQ(gadgetX(right), rightX) << width;
  }
  EXPECT_EQ(splitter(-1, 0, 0, 10, 10, left, 4711), -1);
  // Dragging the divider reports the new position through the callback.
  std::vector<int> msgs;
  intptr_t lastPos = -1;
  setGadgetCallback(s, [&](int, int msg, intptr_t wp, intptr_t) {
    msgs.push_back(msg);
    if (msg == EvMouseMove) lastPos = wp;
    return 0;
  });
  QWidget* handle = static_cast<QSplitter*>(w(s))->handle(1);
  QPoint c = handle->rect().center();
  QTest::mousePress(handle, Qt::LeftButton, Qt::NoModifier, c);
  QTest::mouseMove(handle, c + QPoint(-50, 0));
  QTest::mouseRelease(handle, Qt::LeftButton, Qt::NoModifier, c + QPoint(-50, 0));
  ASSERT_FALSE(msgs.empty());
  EXPECT_EQ(msgs.front(), EvLeftDown);
  EXPECT_EQ(msgs.back(), EvLeftUp);
  EXPECT_EQ(lastPos, gadgetState(s));
  EXPECT_LT(gadgetState(s), 250);
}

TEST_F(GadgetTest, CanvasShowsItsImageAndDeliversRawMouse) {
  int cv = canvas(11, 30, 30, 200, 100);
  ASSERT_EQ(cv, 11);
  int img = canvasImage(cv);
  ASSERT_TRUE(isImage(img));
  EXPECT_EQ(imageWidth(img), 200);
  uint32_t cell = 0;
  ASSERT_TRUE(imageToPixels(img, &cell, 1, 1, 1));
  EXPECT_EQ(cell & 0xFFFFFF, 0xFFFFFFu);
  std::vector<std::pair<int, intptr_t>> got;
  setGadgetCallback(cv, [&](int g, int msg, intptr_t, intptr_t lp) {
    got.push_back({msg, lp});
    return 0;
  });
  QTest::mousePress(w(cv), Qt::LeftButton, Qt::NoModifier, QPoint(5, 7));
  QTest::mouseMove(w(cv), QPoint(9, 12));
  QTest::mouseRelease(w(cv), Qt::LeftButton, Qt::NoModifier, QPoint(9, 12));
  ASSERT_GE(got.size(), 3u);
  EXPECT_EQ(got.front(), (std::pair<int, intptr_t>{EvLeftDown, 5 | (7 << 16)}));
  EXPECT_EQ(got.back(), (std::pair<int, intptr_t>{EvLeftUp, 9 | (12 << 16)}));
  // Down and up are queued once each, with the gadget set.
  int downs = 0;
  while (pollEvent() != EvNone)
    if (currentEvent().code == EvLeftDown && currentEvent().gadget == cv) ++downs;
  EXPECT_EQ(downs, 1);
  // The picture follows a resize; freeing the gadget frees it.
  resizeGadget(cv, -1, -1, 300, 120);
  EXPECT_EQ(imageWidth(img), 300);
  freeGadget(cv);
  EXPECT_FALSE(isImage(img));
  canvas(cv, 0, 0, 50, 50);
  EXPECT_TRUE(isImage(img));
  closeWindow(kWin);   // the window takes the canvas and its picture with it
  EXPECT_FALSE(isImage(img));
  EXPECT_FALSE(isGadget(cv));
}

TEST_F(GadgetTest, ImageGadgetsFollowTheirImage) {
  ASSERT_EQ(createImage(900, 20, 10, 24, 0x0000FF), 900);
  int g = imageGadget(-1, 0, 0, 40, 40, 900);
  int b = imageButton(-1, 50, 0, 40, 40, 900);
  EXPECT_EQ(gadgetState(g), 900);
  EXPECT_EQ(gadgetAttribute(b, AttrImage), 900);
  auto* l = static_cast<QLabel*>(w(g));
  EXPECT_EQ(l->pixmap().width(), 20);
  resizeImage(900, 30, 10, false);
  imageChanged(900);
  EXPECT_EQ(l->pixmap().width(), 30);
  freeImage(900);
  EXPECT_TRUE(l->pixmap().isNull());
  setGadgetState(g, -1);
  EXPECT_EQ(gadgetState(g), -1);
}

}  // namespace
