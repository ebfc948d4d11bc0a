// The script editor's keys and the script view's shortcut commands. The toolkit carries
// out a key in the editor before the program sees its key-down (Tab, Ctrl+Z and Ctrl+Y
// excepted: the editor leaves those to the program), so the handlers here record the
// edit that has just happened.
#include <algorithm>

#include "documents/documents.h"
#include "script/script.h"
#include "shell/shell.h"
#include "toolkit/toolkit.h"

namespace {

constexpr int Ed = ScriptEditorGadget;
enum Vk : int {
  VkBack = 0x08, VkTab = 0x09, VkReturn = 0x0D, VkShift = 0x10, VkControl = 0x11, VkSpace = 0x20,
  VkPrior = 0x21, VkNext = 0x22, VkEnd = 0x23, VkHome = 0x24, VkLeft = 0x25, VkUp = 0x26, VkRight = 0x27,
  VkDown = 0x28, VkDelete = 0x2E, VkF5 = 0x74,
};

bool CtrlHeld() { return controlpressed == 1 || tk::keyDown(VkControl); }
bool ShiftHeld() { return shiftpressed == 1 || tk::keyDown(VkShift); }

void Record(int32_t code) { CreateEditUndo(code); }

enum class Block { Indent, Comment, StringExpression };

// The block commands on the selection: a selection ending in a line break keeps that break
// as it is, behind the result.
void BlockCommand(Block kind) {
  int32_t s = 0, e = 0;
  tk::richGetSelection(Ed, &s, &e);
  std::string sel = tk::richSelectedText(Ed);
  EditCaptureTexts[0] = sel;
  const bool hadSelection = s != e;
  const bool trailingBreak = !sel.empty() && sel.back() == '\r';
  if (trailingBreak) sel.pop_back();
  std::string out;
  switch (kind) {
    case Block::Indent: {
      const std::string blanks(Settings.Tabwidth, ' ');
      out = blanks;
      for (char c : sel) {
        out += c;
        if (c == '\r') out += blanks;
      }
      break;
    }
    case Block::Comment:
      out = ";";
      for (char c : sel) {
        out += c;
        if (c == '\r') out += ';';
      }
      break;
    case Block::StringExpression: out = TextToStringExpression(sel); break;
  }
  if (trailingBreak) out += '\r';
  tk::richReplaceSelection(Ed, out, false);
  RemoveScriptShortcuts();
  tk::setActiveGadget(Ed);
  const int32_t length = EditorTextLength(out);
  tk::richSetSelection(Ed, s, s + length);
  EditCaptureDone = 0;
  EditCaptureTexts[0] = trailingBreak ? sel + '\r' : sel;
  Record(2);
  if (!hadSelection) tk::richSetSelection(Ed, s + length, s + length);
  // Colour every line the result touches.
  HighlightScriptLines(tk::richLineFromChar(Ed, s), tk::richLineFromChar(Ed, s + length));
  mayhighlight = 0;
  UpdateScriptStatusBar();
}

void SelectAll() { tk::richSetSelection(Ed, 0, -1); }

void ShowFindWindow() {
  if (!tk::isWindow(3)) return;
  tk::hideWindow(3, false);
  tk::bringToFront(3);
  tk::activateWindow(3);
}

void RunEditorScript() { RunScript(Ed, tk::menuItemChecked(1, 236) ? 1 : 0); }

void NewImage() { NewImageDialog(Settings.startWidth + 1, Settings.startHeight + 1); }

}  // namespace

// Colours every line of the text that ends at the caret and is `text` long (a paste or an
// insertion), and records the hints of procedures declared in it.
void ColourInsertedText(const std::string& text) {
  int32_t s = 0, e = 0;
  tk::richGetSelection(Ed, &s, &e);
  const int32_t start = std::max(0, e - EditorTextLength(text));
  const int32_t first = tk::richLineFromChar(Ed, start);
  HighlightScriptLines(first, tk::richLineFromChar(Ed, e));
  // The hints of procedures declared on the lines that it ended.
  int32_t breaks = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    if (text[i] == '\r' || text[i] == '\n') ++breaks;
  }
  for (int32_t k = 0; k < breaks; ++k) RecordProcedureHintOfLine(first + k);
  UpdateScriptStatusBar();
}

void OnScriptKeyDown() {
  mayhighlight = 1;
  EditCaptureDone = 0;
  const int vk = int(tk::eventWParam());
  const bool ctrl = CtrlHeld();
  switch (vk) {
    case VkF5: RunEditorScript(); return;
    case 'A': ctrl ? SelectAll() : Record(0); return;
    case 'W': ctrl ? CloseImage(CurrentImage) : Record(0); return;
    case 'N': ctrl ? NewImage() : Record(0); return;
    case 'O': ctrl ? OpenImageFile() : Record(0); return;
    case 'S': ctrl ? void(SaveImage()) : Record(0); return;
    case 'F': ctrl ? ShowFindWindow() : Record(0); return;
    case VkTab: BlockCommand(Block::Indent); return;
    case 'B': ctrl ? BlockCommand(Block::Comment) : Record(0); return;
    case 'T': ctrl ? BlockCommand(Block::StringExpression) : Record(0); return;
    case 'C': Record(ctrl ? 5 : 0); return;
    case 'X': Record(ctrl ? 4 : 0); return;
    case VkShift: shiftpressed = 1; return;
    case VkControl: controlpressed = 1; return;
    case VkBack: UpdateScriptStatusBar(); Record(3); return;
    case VkDelete: UpdateScriptStatusBar(); Record(4); return;
    case 'Z':
      if (ctrl) {
        EditUndo();
        mayhighlight = 0;
      } else {
        Record(0);
      }
      UpdateScriptStatusBar();
      return;
    case 'Y':
      if (ctrl) {
        EditRedo();
        mayhighlight = 0;
      } else {
        Record(0);
      }
      UpdateScriptStatusBar();
      return;
    case 'V':
      if (ctrl) {
        Record(1);
        mayhighlight = 0;
        ColourInsertedText(tk::clipboardText());
      } else {
        Record(0);
      }
      UpdateScriptStatusBar();
      return;
    case VkReturn:
      EditEnterKey = 1;
      Record(6);
      EditEnterKey = 0;
      return;
    default: {
      // Keys that move the caret or type nothing record no step.
      const bool moves = (vk >= VkPrior && vk <= VkDown);
      const bool typesNothing = vk == 0x12 || vk == 0x13 || vk == 0x14 || vk == 0x1B || vk == 0x2C || vk == 0x2D ||
                                (vk >= 0x5B && vk <= 0x5D) || (vk >= 0x70 && vk <= 0x87) || vk == 0x90 || vk == 0x91;
      Record(ctrl || moves || typesNothing ? 5 : 0);
      return;
    }
  }
}

void OnScriptKeyUp() {
  const int vk = int(tk::eventWParam());
  switch (vk) {
    case VkShift: shiftpressed = 0; UpdateScriptStatusBar(); break;
    case VkControl: controlpressed = 0; UpdateScriptStatusBar(); break;
    case VkReturn:
      RecordProcedureHint();
      AutoIndent();
      UpdateScriptStatusBar();
      break;
    case VkLeft:
    case VkUp:
    case VkRight:
    case VkDown:
    case VkHome:
    case VkEnd:
    case VkPrior:
    case VkNext: {
      const bool arrow = vk >= VkLeft && vk <= VkDown;
      if (!ShiftHeld() && mayhighlight == 1 && (arrow || !CtrlHeld())) {
        HighlightSyntax();
        Record(5);
        mayhighlight = 0;
      } else {
        Record(5);
        UpdateScriptStatusBar();
      }
      break;
    }
    case VkSpace:
      if (!CtrlHeld()) {
        if (mayhighlight == 1) {
          HighlightSyntax();
          Record(0);
          mayhighlight = 0;
        }
      } else {
        ShowShortcutWindow(2);
        controlpressed = 0;
      }
      break;
    default:
      if (!CtrlHeld() && mayhighlight == 1) {
        HighlightSyntax();
        CaptureCharBeforeCaret();
        mayhighlight = 0;
      } else {
        UpdateScriptStatusBar();
      }
      break;
  }
  EditCaptureDone = 0;
}

void OnScriptShortcut(int32_t id) {
  switch (id) {
    case 435: SaveImage(); break;
    case 436: NewImage(); break;
    case 437: CloseImage(CurrentImage); break;
    case 438: OpenImageFile(); break;
    case 439:
      if (controlpressed == 1) {
        EditCaptureDone = 0;
        BlockCommand(Block::Comment);
      } else {
        mayhighlight = 1;
      }
      UpdateScriptStatusBar();
      break;
    case 440: RunEditorScript(); break;
    case 441: tk::setClipboardText(tk::richSelectedText(Ed)); break;
    case 442: {   // cut: recorded as a removal of the selection
      EditCaptureDone = 0;
      Record(5);
      tk::setClipboardText(tk::richSelectedText(Ed));
      tk::richReplaceSelection(Ed, "", false);
      EditCaptureDone = 0;
      Record(4);
      HighlightSyntax();
      break;
    }
    case 443: {
      EditCaptureDone = 0;
      Record(5);
      const std::string clip = tk::clipboardText();
      tk::richReplaceSelection(Ed, clip, false);
      EditCaptureDone = 0;
      Record(1);
      ColourInsertedText(clip);
      break;
    }
    case 444: break;
    case 445: ShowFindWindow(); break;
    case 446: SelectAll(); break;
    case 447: ShowShortcutWindow(2); break;
    default: break;
  }
}

// The keys the editor leaves to the program: the block indent and the editor's history.
void PrepareScriptEditor() {
  tk::richIgnoreKeys(Ed, {VkTab, tk::ModShift + VkTab, tk::ModCtrl + VkTab, tk::ModCtrl + 'Z', tk::ModCtrl + 'Y',
                          tk::ModCtrl + tk::ModShift + 'Z'});
}
