// Shared by the script editor tests: the real program started once per test process, the
// script view shown, its editor (gadget 496) focused and empty, five distinct style
// colours, and real key presses delivered through the script view's mode loop.
#pragma once
#include <QTest>

#include "documents/documents.h"
#include "script/script.h"
#include "shell/loops_fixture.h"
#include "toolkit/internal.h"

namespace editor_test {

constexpr int Ed = ScriptEditorGadget;
// Style n shows in colour kStyleColour[n].
constexpr uint32_t kStyleColour[6] = {0, 0x000001, 0x0000F0, 0x00F000, 0xF00000, 0x505050};

class EditorTest : public ::testing::Test {
 public:
  void SetUp() override {
    loops_test::EnsureProgramStarted();
    tk::drainEvents();
    SwitchMainView(495);
    CurrentMode = ModeScript;
    NextMode = 0;
    for (int n = 1; n <= 5; ++n) {
      ScriptStyleFormats[n] = CharFormatRecord{};
      ScriptStyleFormats[n].face = "Arial";
      ScriptStyleFormats[n].height = 200;
      ScriptStyleFormats[n].color = kStyleColour[n];
    }
    EditUndoDepth = 200;
    Settings.Tabwidth = 3;
    Settings.Rueckwidth = 3;
    tk::setRichText(Ed, "");
    ResetScriptEditorState();
    tk::activateWindow(0);
    tk::setActiveGadget(Ed);
    tk::processPending();
    RemoveScriptShortcuts();
    tk::drainEvents();
    tk::test::clear();
  }
  void TearDown() override {
    for (int vk : {0x10, 0x11}) tk::testSetKeyDown(vk, -1);
    controlpressed = shiftpressed = 0;
    tk::drainEvents();
    tk::test::clear();
  }

  static void Turns() {
    for (int i = 0; i < 50 && (tk::queuedEvents() > 0 || i == 0); ++i) loops_test::RunOneTurn(ModeScript);
  }
  // One key pressed and released in the editor, each half handled by the script loop as
  // the program would (held Ctrl or Shift shows in the key state while the key is down).
  static void Key(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    Press(key, mods);
    Release(key, mods);
  }
  static void Press(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier, bool autoRepeat = false) {
    if (mods & Qt::ControlModifier) tk::testSetKeyDown(0x11, 1);
    if (mods & Qt::ShiftModifier) tk::testSetKeyDown(0x10, 1);
    QWidget* w = tk::detail::gadgetWidget(Ed);
    QKeyEvent e(QEvent::KeyPress, key, mods, KeyText(key, mods), autoRepeat);
    QApplication::sendEvent(w, &e);
    Turns();
  }
  static void Release(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QWidget* w = tk::detail::gadgetWidget(Ed);
    QKeyEvent e(QEvent::KeyRelease, key, mods, KeyText(key, mods));
    QApplication::sendEvent(w, &e);
    Turns();
    tk::testSetKeyDown(0x11, -1);
    tk::testSetKeyDown(0x10, -1);
  }
  static void Type(const std::string& text) {
    for (char c : text) {
      if (c == '\r') Key(Qt::Key_Return);
      else Key(CharKey(c), (c >= 'A' && c <= 'Z') ? Qt::ShiftModifier : Qt::NoModifier);
    }
  }
  static QString KeyText(Qt::Key key, Qt::KeyboardModifiers mods) {
    if (mods & Qt::ControlModifier) return QString();
    if (key == Qt::Key_Return) return QStringLiteral("\r");
    if (key == Qt::Key_Tab) return QStringLiteral("\t");
    if (key >= Qt::Key_A && key <= Qt::Key_Z) {
      const QChar c(char16_t(((mods & Qt::ShiftModifier) ? 'A' : 'a') + (key - Qt::Key_A)));
      return QString(c);
    }
    if (key >= Qt::Key_Space && key < Qt::Key_A) return QString(QChar(char16_t(key)));
    return QString();
  }
  static Qt::Key CharKey(char c) {
    if (c >= 'a' && c <= 'z') return Qt::Key(Qt::Key_A + (c - 'a'));
    if (c >= 'A' && c <= 'Z') return Qt::Key(Qt::Key_A + (c - 'A'));
    return Qt::Key(uint8_t(c));   // digits and punctuation share their codes
  }
  static std::string Text() { return tk::richText(Ed); }
  static void Set(const std::string& text, int32_t s, int32_t e) {
    tk::setRichText(Ed, text);
    tk::richSetSelection(Ed, s, e);
    EditCaptureDone = 0;
    CreateEditUndo(5);
    EditCaptureDone = 0;
  }
  // The colour of the character at offset `at`.
  static uint32_t ColourAt(int32_t at) {
    int32_t s = 0, e = 0;
    tk::richGetSelection(Ed, &s, &e);
    tk::richSetSelection(Ed, at, at + 1);
    const uint32_t c = tk::richCharFormat(Ed).color;
    tk::richSetSelection(Ed, s, e);
    return c;
  }
};

}  // namespace editor_test
