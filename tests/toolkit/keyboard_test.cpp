// Keys: virtual-key codes of key events, shortcuts per window, the focus class.
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

#include "toolkit/internal.h"
#include "toolkit/toolkit.h"

namespace {

struct KeyboardTest : testing::Test {
  QWidget* plain = nullptr;    // a control that takes no text
  QLineEdit* edit = nullptr;

  void SetUp() override {
    tk::openWindow(60, 0, 0, 300, 200, "k", tk::WfSystemMenu);
    QWidget* client = tk::detail::window(60)->client;
    plain = new QWidget(client);
    plain->setProperty("tkClass", "Button");
    plain->setFocusPolicy(Qt::StrongFocus);
    plain->setGeometry(0, 0, 50, 20);
    plain->show();
    edit = new QLineEdit(client);
    edit->setProperty("tkClass", "Edit");
    edit->setGeometry(0, 30, 100, 20);
    edit->show();
    tk::activateWindow(60);
    tk::processPending();
    focus(plain);
  }
  void TearDown() override {
    tk::closeWindow(60);
    tk::closeWindow(61);
    tk::drainEvents();
  }
  void focus(QWidget* w) {
    w->setFocus();
    tk::processPending();
    tk::drainEvents();
  }
  // The events of one key stroke, in order: "D41" key down, "U41" key up, "M369" menu
  // event. The modifier keys' own down and up events are left out.
  std::string press(Qt::Key key, Qt::KeyboardModifiers mods = {}) {
    QWidget* target = QApplication::focusWidget();
    if (key < 0x7F) {
      QTest::keyClick(target, key, mods);
    } else {
      // QTest knows no text for these keys: send them as the platform would.
      QKeyEvent down(QEvent::KeyPress, key, mods), up(QEvent::KeyRelease, key, mods);
      QApplication::sendEvent(target, &down);
      QApplication::sendEvent(target, &up);
    }
    std::string out;
    while (int code = tk::pollEvent()) {
      if ((code == tk::EvKeyDown || code == tk::EvKeyUp) &&
          (tk::eventWParam() < 0x10 || tk::eventWParam() > 0x12)) {
        char buf[32];
        snprintf(buf, sizeof buf, "%s%X ", code == tk::EvKeyDown ? "D" : "U", int(tk::eventWParam()));
        out += buf;
      } else if (code == tk::EvMenu) {
        out += "M" + std::to_string(tk::eventMenu()) + " ";
      }
    }
    return out;
  }
};

TEST_F(KeyboardTest, VirtualKeyCodes) {
  struct Case { Qt::Key key; Qt::KeyboardModifiers mods; int vk; };
  const Qt::KeyboardModifiers none, pad = Qt::KeypadModifier, shift = Qt::ShiftModifier;
  const Case cases[] = {
      {Qt::Key_A, none, 0x41}, {Qt::Key_Z, none, 0x5A}, {Qt::Key_A, shift, 0x41},
      {Qt::Key_0, none, 0x30}, {Qt::Key_9, none, 0x39},
      {Qt::Key_F1, none, 0x70}, {Qt::Key_F12, none, 0x7B},
      {Qt::Key_Left, none, 0x25}, {Qt::Key_Up, none, 0x26}, {Qt::Key_Right, none, 0x27},
      {Qt::Key_Down, none, 0x28},
      {Qt::Key_0, pad, 0x60}, {Qt::Key_9, pad, 0x69}, {Qt::Key_Asterisk, pad, 0x6A},
      {Qt::Key_Plus, pad, 0x6B}, {Qt::Key_Minus, pad, 0x6D}, {Qt::Key_Period, pad, 0x6E},
      {Qt::Key_Comma, pad, 0x6E}, {Qt::Key_Slash, pad, 0x6F}, {Qt::Key_Enter, pad, 0x0D},
      {Qt::Key_Home, pad, 0x24},
      {Qt::Key_Return, none, 0x0D}, {Qt::Key_Space, none, 0x20}, {Qt::Key_Escape, none, 0x1B},
      {Qt::Key_Backspace, none, 0x08}, {Qt::Key_Delete, none, 0x2E}, {Qt::Key_Insert, none, 0x2D},
      {Qt::Key_Home, none, 0x24}, {Qt::Key_End, none, 0x23}, {Qt::Key_PageUp, none, 0x21},
      {Qt::Key_PageDown, none, 0x22},
      // US layout OEM keys
      {Qt::Key_Semicolon, none, 0xBA}, {Qt::Key_Equal, none, 0xBB}, {Qt::Key_Comma, none, 0xBC},
      {Qt::Key_Minus, none, 0xBD}, {Qt::Key_Period, none, 0xBE}, {Qt::Key_Slash, none, 0xBF},
      {Qt::Key_QuoteLeft, none, 0xC0}, {Qt::Key_BracketLeft, none, 0xDB},
      {Qt::Key_Backslash, none, 0xDC}, {Qt::Key_BracketRight, none, 0xDD},
      {Qt::Key_Apostrophe, none, 0xDE},
      // German layout
      {Qt::Key_Udiaeresis, none, 0xBA}, {Qt::Key_Plus, none, 0xBB}, {Qt::Key_NumberSign, none, 0xBF},
      {Qt::Key_Odiaeresis, none, 0xC0}, {Qt::Key_ssharp, none, 0xDB},
      {Qt::Key_Dead_Circumflex, none, 0xDC}, {Qt::Key_Dead_Acute, none, 0xDD},
      {Qt::Key_Adiaeresis, none, 0xDE}, {Qt::Key_Less, none, 0xE2},
      {Qt::Key_Exclam, shift, 0x31}, {Qt::Key_QuoteDbl, shift, 0x32}, {Qt::Key_Slash, shift, 0x37},
      {Qt::Key_Equal, shift, 0x30}, {Qt::Key_Question, shift, 0xDB}, {Qt::Key_Asterisk, shift, 0xBB},
      {Qt::Key_Greater, shift, 0xE2}, {Qt::Key_Underscore, shift, 0xBD},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "Qt key 0x" << std::hex << c.key << " mods 0x" << int(c.mods));
    focus(plain);
    char want[32];
    snprintf(want, sizeof want, "D%X U%X ", c.vk, c.vk);
    // Tab and Escape may move the focus; the key events come first.
    EXPECT_EQ(press(c.key, c.mods), want);
  }
}

TEST_F(KeyboardTest, ShortcutsRaiseMenuEventsAndConsumeTheKey) {
  const Qt::KeyboardModifiers ctrl = Qt::ControlModifier;
  tk::addShortcut(60, tk::ModCtrl | 'S', 369);
  tk::addShortcut(60, tk::ModShift | 'C', 374);
  tk::addShortcut(60, 'A', 392);
  tk::addShortcut(60, tk::ModCtrl | 0x6B, 417);
  tk::addShortcut(60, tk::ModCtrl | 0x20, 423);
  tk::addShortcut(60, 0x60, 425);
  tk::addShortcut(60, tk::ModAlt | 'B', 444);
  EXPECT_TRUE(tk::hasShortcut(60, tk::ModCtrl | 'S'));
  EXPECT_FALSE(tk::hasShortcut(60, 'S'));
  EXPECT_FALSE(tk::hasShortcut(61, tk::ModCtrl | 'S'));

  EXPECT_EQ(press(Qt::Key_S, ctrl), "M369 U53 ");
  EXPECT_EQ(press(Qt::Key_C, Qt::ShiftModifier), "M374 U43 ");
  EXPECT_EQ(press(Qt::Key_A), "M392 U41 ");
  EXPECT_EQ(press(Qt::Key_Plus, ctrl | Qt::KeypadModifier), "M417 U6B ");
  EXPECT_EQ(press(Qt::Key_Space, ctrl), "M423 U20 ");
  EXPECT_EQ(press(Qt::Key_0, Qt::KeypadModifier), "M425 U60 ");
  EXPECT_EQ(press(Qt::Key_0), "D30 U30 ");             // the digit row is another key
  EXPECT_EQ(press(Qt::Key_B, Qt::AltModifier), "M444 U42 ");
  EXPECT_EQ(press(Qt::Key_S), "D53 U53 ");               // without Ctrl: a plain key
  EXPECT_EQ(press(Qt::Key_S, ctrl | Qt::ShiftModifier), "D53 U53 ");

  tk::removeShortcut(60, tk::ModCtrl | 'S');
  EXPECT_FALSE(tk::hasShortcut(60, tk::ModCtrl | 'S'));
  EXPECT_EQ(press(Qt::Key_S, ctrl), "D53 U53 ");
  tk::removeShortcut(60, 12345);   // not there: nothing happens
}

TEST_F(KeyboardTest, ShortcutsAreSilentInTextFields) {
  tk::addShortcut(60, tk::ModCtrl | 'S', 369);
  tk::addShortcut(60, 'A', 392);
  struct Case { const char* cls; bool silent; };
  const Case cases[] = {{"Edit", true}, {"RichEdit20A", true}, {"ListBox", false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.cls);
    edit->clear();
    edit->setProperty("tkClass", c.cls);
    focus(edit);
    EXPECT_EQ(tk::focusClassName(), c.cls);
    EXPECT_EQ(tk::focusIsTextField(), c.silent);
    EXPECT_EQ(press(Qt::Key_A), c.silent ? "D41 U41 " : "M392 U41 ");
    EXPECT_EQ(press(Qt::Key_S, Qt::ControlModifier), c.silent ? "D53 U53 " : "M369 U53 ");
    // Typed text reaches the field only when the key was not a shortcut.
    EXPECT_EQ(edit->text().toStdString(), c.silent ? "a" : "");
  }
}

TEST_F(KeyboardTest, FocusClassComesFromTheNearestMarkedAncestor) {
  auto* holder = new QWidget(tk::detail::window(60)->client);
  holder->setProperty("tkClass", "SysListView32");
  auto* inner = new QWidget(holder);
  inner->setFocusPolicy(Qt::StrongFocus);
  holder->show();
  focus(inner);
  EXPECT_EQ(tk::focusClassName(), "SysListView32");
  EXPECT_FALSE(tk::focusIsTextField());
  // A text field nobody marked (inside a requester, say) still counts as one.
  auto* bare = new QLineEdit;
  bare->show();
  bare->activateWindow();
  bare->setFocus();
  tk::processPending();
  if (QApplication::focusWidget() == bare) {
    EXPECT_TRUE(tk::focusIsTextField());
  }
  delete bare;
}

TEST_F(KeyboardTest, ShortcutsBelongToTheirWindow) {
  tk::addShortcut(61, 'A', 392);
  EXPECT_EQ(press(Qt::Key_A), "D41 U41 ");   // installed on another window
  tk::openWindow(61, 0, 0, 100, 100, "x", tk::WfHidden);
  tk::closeWindow(61);
  EXPECT_FALSE(tk::hasShortcut(61, 'A'));    // closing a window drops its shortcuts
}

TEST_F(KeyboardTest, KeyStateFollowsPressAndRelease) {
  QTest::keyPress(plain, Qt::Key_Q);
  EXPECT_TRUE(tk::keyDown(0x51));
  QTest::keyRelease(plain, Qt::Key_Q);
  EXPECT_FALSE(tk::keyDown(0x51));
  tk::testSetKeyDown(0x11, 1);
  EXPECT_TRUE(tk::keyDown(0x11));
  tk::testSetKeyDown(0x11, -1);
  EXPECT_FALSE(tk::keyDown(0x11));
}

}  // namespace
