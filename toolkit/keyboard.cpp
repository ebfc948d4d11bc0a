// Keyboard: Qt keys to Windows virtual-key codes, per-window shortcuts and the focus class.
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QWidget>
#include <map>

#include "toolkit/internal.h"

namespace tk {

namespace {

// window -> (key code with modifier bits -> menu id)
std::map<int, std::map<int, int>>& shortcuts() {
  static std::map<int, std::map<int, int>> s;
  return s;
}

int namedKey(int k) {
  switch (k) {
    case Qt::Key_Backspace: return 0x08;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return 0x09;
    case Qt::Key_Clear: return 0x0C;
    case Qt::Key_Return:
    case Qt::Key_Enter: return 0x0D;
    case Qt::Key_Shift: return 0x10;
    case Qt::Key_Control: return 0x11;
    case Qt::Key_Alt:
    case Qt::Key_AltGr: return 0x12;
    case Qt::Key_Pause: return 0x13;
    case Qt::Key_CapsLock: return 0x14;
    case Qt::Key_Escape: return 0x1B;
    case Qt::Key_Space: return 0x20;
    case Qt::Key_PageUp: return 0x21;
    case Qt::Key_PageDown: return 0x22;
    case Qt::Key_End: return 0x23;
    case Qt::Key_Home: return 0x24;
    case Qt::Key_Left: return 0x25;
    case Qt::Key_Up: return 0x26;
    case Qt::Key_Right: return 0x27;
    case Qt::Key_Down: return 0x28;
    case Qt::Key_Select: return 0x29;
    case Qt::Key_Print: return 0x2C;
    case Qt::Key_Insert: return 0x2D;
    case Qt::Key_Delete: return 0x2E;
    case Qt::Key_Help: return 0x2F;
    case Qt::Key_Meta:
    case Qt::Key_Super_L: return 0x5B;
    case Qt::Key_Super_R: return 0x5C;
    case Qt::Key_Menu: return 0x5D;
    case Qt::Key_NumLock: return 0x90;
    case Qt::Key_ScrollLock: return 0x91;
    default: break;
  }
  if (k >= Qt::Key_F1 && k <= Qt::Key_F24) return 0x70 + (k - Qt::Key_F1);
  return 0;
}

// Keys typed without Shift: the OEM keys of the US and the German layout (they agree
// where both have the character).
int plainSymbol(int k) {
  switch (k) {
    case Qt::Key_Semicolon: return 0xBA;
    case Qt::Key_Udiaeresis: return 0xBA;
    case Qt::Key_Equal: return 0xBB;
    case Qt::Key_Plus: return 0xBB;
    case Qt::Key_Comma: return 0xBC;
    case Qt::Key_Minus: return 0xBD;
    case Qt::Key_Period: return 0xBE;
    case Qt::Key_Slash: return 0xBF;
    case Qt::Key_NumberSign: return 0xBF;
    case Qt::Key_QuoteLeft: return 0xC0;
    case Qt::Key_Odiaeresis: return 0xC0;
    case Qt::Key_BracketLeft: return 0xDB;
    case Qt::Key_ssharp: return 0xDB;
    case Qt::Key_Backslash: return 0xDC;
    case Qt::Key_AsciiCircum:
    case Qt::Key_Dead_Circumflex: return 0xDC;
    case Qt::Key_BracketRight: return 0xDD;
    case Qt::Key_acute:
    case Qt::Key_Dead_Acute: return 0xDD;
    case Qt::Key_Apostrophe: return 0xDE;
    case Qt::Key_Adiaeresis: return 0xDE;
    case Qt::Key_Less:
    case Qt::Key_Bar: return 0xE2;
    default: return 0;
  }
}

// Characters typed with Shift: the German layout first (the program's users), then the
// US one for what German does not produce with Shift.
int shiftedSymbol(int k) {
  switch (k) {
    case Qt::Key_Exclam: return 0x31;
    case Qt::Key_QuoteDbl: return 0x32;
    case Qt::Key_section: return 0x33;
    case Qt::Key_Dollar: return 0x34;
    case Qt::Key_Percent: return 0x35;
    case Qt::Key_Ampersand: return 0x36;
    case Qt::Key_Slash: return 0x37;
    case Qt::Key_ParenLeft: return 0x38;
    case Qt::Key_ParenRight: return 0x39;
    case Qt::Key_Equal: return 0x30;
    case Qt::Key_Question: return 0xDB;
    case Qt::Key_QuoteLeft:
    case Qt::Key_Dead_Grave: return 0xDD;
    case Qt::Key_Asterisk: return 0xBB;
    case Qt::Key_Apostrophe: return 0xBF;
    case Qt::Key_Semicolon: return 0xBC;
    case Qt::Key_Colon: return 0xBE;
    case Qt::Key_Underscore: return 0xBD;
    case Qt::Key_Greater: return 0xE2;
    case Qt::Key_degree: return 0xDC;
    // US layout only
    case Qt::Key_At: return 0x32;
    case Qt::Key_NumberSign: return 0x33;
    case Qt::Key_AsciiCircum: return 0x36;
    case Qt::Key_Plus: return 0xBB;
    case Qt::Key_Less: return 0xBC;
    case Qt::Key_BraceLeft: return 0xDB;
    case Qt::Key_Bar: return 0xDC;
    case Qt::Key_BraceRight: return 0xDD;
    case Qt::Key_AsciiTilde: return 0xC0;
    default: return plainSymbol(k);
  }
}

int keypadKey(int k) {
  if (k >= Qt::Key_0 && k <= Qt::Key_9) return 0x60 + (k - Qt::Key_0);
  switch (k) {
    case Qt::Key_Asterisk: return 0x6A;
    case Qt::Key_Plus: return 0x6B;
    case Qt::Key_Minus: return 0x6D;
    case Qt::Key_Period:
    case Qt::Key_Comma: return 0x6E;   // the German numpad's decimal key gives ','
    case Qt::Key_Slash: return 0x6F;
    default: return namedKey(k);       // Enter, and the arrows etc. with NumLock off
  }
}

bool isTextWidgetClass(const QWidget* w) {
  if (qobject_cast<const QLineEdit*>(w) || qobject_cast<const QAbstractSpinBox*>(w) ||
      qobject_cast<const QPlainTextEdit*>(w))
    return true;
  if (auto* t = qobject_cast<const QTextEdit*>(w)) return !t->isReadOnly();
  if (auto* c = qobject_cast<const QComboBox*>(w)) return c->isEditable();
  return false;
}

}  // namespace

namespace detail {

int virtualKey(const QKeyEvent* e) {
  if (!e) return 0;
  int k = e->key();
  Qt::KeyboardModifiers m = e->modifiers();
  if (m & Qt::KeypadModifier) return keypadKey(k);
  if (k >= Qt::Key_A && k <= Qt::Key_Z) return k;   // same codes as the virtual keys
  if (k >= Qt::Key_0 && k <= Qt::Key_9) return k;
  if (int n = namedKey(k)) return n;
  // The digit row is the same on every layout: take the physical key where the
  // platform tells it (X11 key codes 10..19), so Shift+digit reads as the digit.
  if (QGuiApplication::platformName() == QLatin1String("xcb")) {
    quint32 sc = e->nativeScanCode();
    if (sc >= 10 && sc <= 18) return 0x31 + int(sc - 10);
    if (sc == 19) return 0x30;
  }
  if (m & Qt::ShiftModifier) return shiftedSymbol(k);
  return plainSymbol(k);
}

bool matchShortcut(int win, int key) {
  auto& all = shortcuts();
  auto w = all.find(win);
  if (w == all.end()) return false;
  auto s = w->second.find(key);
  if (s == w->second.end()) return false;
  // Typed text belongs to the field that has the focus.
  if (focusIsTextField()) return false;
  if (auto* rec = window(win); rec && rec->top && !rec->top->isEnabled()) return false;
  Event e;
  e.code = EvMenu;
  e.window = win;
  e.menu = s->second;
  postEvent(e);
  return true;
}

}  // namespace detail

void addShortcut(int window, int key, int menuId) { shortcuts()[window][key] = menuId; }

void removeShortcut(int window, int key) {
  auto& all = shortcuts();
  auto w = all.find(window);
  if (w == all.end()) return;
  w->second.erase(key);
  if (w->second.empty()) all.erase(w);
}

bool hasShortcut(int window, int key) {
  auto& all = shortcuts();
  auto w = all.find(window);
  return w != all.end() && w->second.count(key);
}

std::string focusClassName() {
  QWidget* f = QApplication::focusWidget();
  if (!f) return std::string();
  for (QWidget* w = f; w; w = w->parentWidget()) {
    QVariant v = w->property("tkClass");
    if (v.isValid()) return fromQt(v.toString());
    if (w->isWindow()) break;
  }
  // A control the program did not create (inside a requester, say): judged by its kind.
  if (isTextWidgetClass(f) || (f->parentWidget() && isTextWidgetClass(f->parentWidget())))
    return "Edit";
  return f->metaObject()->className();
}

bool focusIsTextField() {
  std::string c = focusClassName();
  return c == "Edit" || c == "RichEdit20A";
}

}  // namespace tk

namespace tk::detail {
// A closed window takes its shortcuts with it.
void forgetWindowShortcuts(int win) { shortcuts().erase(win); }
}  // namespace tk::detail
