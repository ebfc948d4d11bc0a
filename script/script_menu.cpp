// The script view's menu (menu 1): the editor's commands, the file, view and image
// commands it shares with the main menu, the command templates, the debugger list and
// the run.
#include <algorithm>

#include "documents/documents.h"
#include "effects/effects.h"
#include "script/script.h"
#include "shell/shell.h"
#include "tools/tools.h"
#include "toolkit/toolkit.h"

namespace {

constexpr int Ed = ScriptEditorGadget;

std::string FilePart(const std::string& path) {
  const size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

ImageRecord& Record() { return ImageRecords[size_t(std::clamp(CurrentImage, 1, 10))]; }

void FocusEditor() {
  RemoveScriptShortcuts();
  tk::setActiveGadget(Ed);
}

// Puts `text` over the selection and records it as one step (code 7), coloured.
void InsertRecorded(const std::string& text) {
  EditCaptureDone = 0;
  CreateEditUndo(5);
  EditCaptureTexts[0] = tk::richSelectedText(Ed);
  tk::richReplaceSelection(Ed, text, false);
  InsertedTextLength = EditorTextLength(text);
  EditCaptureDone = 0;
  CreateEditUndo(7);
  ColourInsertedText(text);
  FocusEditor();
}

struct Template {
  int32_t id;
  bool save;
  const char* title;
  const char* filter;
  const char* head;   // before the quoted path
  const char* tail;   // after the closing quote
};

const Template kTemplates[] = {
    {222, false, "OpenBitmap()", "Bitmap|*.bmp|JPEG|*.jpg|PNG|*.png", "OpenBitmap(", ")"},
    {223, true, "SaveBitmap()", "Bitmap|*.bmp|JPEG|*.jpg|PNG|*.PNG", "SaveBitmap(", ","},
    {224, false, "OpenTBit()", "TBit|*.tbit", "OpenTBit(", ")"},
    {225, false, "PasteBitmap()", "Bitmap|*.bmp|JPEG|*.jpg|PNG|*.png|256 Farben Bitmap|*.bmp", "PasteBitmap(", ","},
    {226, false, "PasteTBit()", "TBit|*.tbit", "PasteTBit(", ","},
    {227, false, "SelectPalette()", "Palette|*.pal", "SelectPalette(", ")"},
    {229, false, "Externen Code einfügen", "BildCode|*.cod", "IncludeFile(", ")"},
    {232, false, "SetDrawForm()", "PinselSpitze|*.df", "SetDrawForm(", ")"},
    {233, false, "StructureSection()", "Structures|*.struc", "StructureSection(",
     ")\r\nWhiteEffects()\r\n\r\nEndWhiteEffects()\r\n\r\nBlackEffects()\r\n\r\nEndBlackEffects()\r\n"
     "EndStructureSection()"},
};

void InsertTemplate(const Template& t) {
  const std::string file = t.save ? tk::saveFileRequester(t.title, ImagePath, t.filter)
                                  : tk::openFileRequester(t.title, ImagePath, t.filter);
  if (file.empty()) return;
  InsertRecorded(std::string(t.head) + "\"" + file + "\"" + t.tail);
}

void InsertFontTemplate() {
  tk::FontChoice f;
  f.face = "Arial";
  f.size = 12;
  f.style = 0;
  if (!tk::fontRequester(f)) return;
  InsertRecorded("\"" + f.face + "\"," + std::to_string(f.size) + "," + FontStyleText(f.style));
}

// The file's lines, each with CR LF, inserted at the selection as one step.
void InsertCodeFile() {
  const std::string file = tk::openFileRequester("Externen Code einfügen", ImagePath, "BildCode|*.cod");
  if (file.empty()) return;
  const int f = tk::readFile(-1, file);
  if (f < 0) {
    tk::messageRequester("Fehler", "Datei nicht gefunden", tk::MsgOk | tk::MsgError);
    return;
  }
  std::string text;
  while (!tk::eof(f) && text.size() < MaxScriptTextLength) text += tk::readLine(f) + "\r\n";
  tk::closeFile(f);
  InsertRecorded(text);
}

void AddStructureFromImage() {
  std::string path = AddStructureDialog(FilePart(Record().DisplayName));
  if (path.empty()) return;
  const size_t dot = FilePart(path).rfind('.');
  if (dot == std::string::npos || FilePart(path).substr(dot + 1) != "struc") path += ".struc";
  const int32_t point = CreateUndoPoint();
  SaveStructure(path);
  if (point == 1) Undo(1);
  ReloadStructures();
}

void AddBrushFormFromImage() {
  const std::string name =
      tk::inputRequester("Name", "Wie soll die Pinselform heißen?", BrushFormNameOf(Record().DisplayName));
  if (name.empty()) return;   // cancelled
  const int32_t point = CreateUndoPoint();
  SaveBrushForm("Forms/" + name + ".df");
  if (point == 1) Undo(1);
  ReloadBrushForms();
}

// Closes images until none is left or the user keeps one (cancel, or a save that failed).
void CloseAllImages() {
  while (ImageCount > 0) {
    const int32_t before = ImageCount;
    CloseImage(1);
    if (ImageCount >= before) break;
  }
}

void RenameImage() {
  const int gadget = 160 + std::clamp(CurrentImage, 1, 10);
  const std::string name = tk::inputRequester("Bild umbenennen", "Geben sie den neuen namen ein", tk::gadgetText(gadget));
  if (!name.empty()) tk::setGadgetText(gadget, name);
}

void ExportHtml() {
  const std::string chosen = tk::saveFileRequester("Quelltext exportieren", Record().DisplayName, "HTML-Datei|*.html*");
  if (chosen.empty()) return;
  ExportScriptHtml(HtmlExportFileName(chosen));
}

}  // namespace

std::string BrushFormNameOf(const std::string& displayName) {
  std::string name = FilePart(displayName);
  for (size_t back : {5u, 4u, 6u})
    if (name.size() >= back && name[name.size() - back] == '.') {
      name.resize(name.size() - back);
      break;
    }
  return name;
}

std::string FontStyleText(unsigned style) {
  std::string s;
  auto add = [&](const char* word) { s += (s.empty() ? "" : "|") + std::string(word); };
  if (style & tk::FontBold) add("#cvn_bold");
  if (style & tk::FontItalic) add("#cvn_italic");
  if (style & tk::FontUnderline) add("#cvn_underline");
  return s;
}

void OnScriptMenu(int32_t id) {
  if (id >= 169 && id <= 214) {
    OnViewHelpMenu(id);
    return;
  }
  for (const Template& t : kTemplates)
    if (t.id == id) {
      InsertTemplate(t);
      return;
    }
  switch (id) {
    case 2: {
      tk::setClipboardText(tk::richSelectedText(Ed));
      EditCaptureDone = 0;
      CreateEditUndo(5);
      tk::richReplaceSelection(Ed, "", false);
      EditCaptureDone = 0;
      CreateEditUndo(4);
      HighlightSyntax();
      break;
    }
    case 3: tk::setClipboardText(tk::richSelectedText(Ed)); break;
    case 4: {
      EditCaptureDone = 0;
      CreateEditUndo(5);
      const std::string clip = tk::clipboardText();
      tk::richReplaceSelection(Ed, clip, false);
      EditCaptureDone = 0;
      CreateEditUndo(1);
      ColourInsertedText(clip);
      break;
    }
    case 5:
    case 217: EditUndo(); break;
    case 6:
    case 218: EditRedo(); break;
    case 219:
      if (tk::isWindow(3)) {
        tk::hideWindow(3, false);
        tk::bringToFront(3);
        tk::activateWindow(3);
      }
      break;
    case 220:
      mayhighlight = 0;
      tk::richSetSelection(Ed, 0, -1);
      FocusEditor();
      mayhighlight = 1;
      break;
    case 230: {
      const std::string ch = ChooseSpecialCharacter("Arial");
      if (!ch.empty()) InsertRecorded(ch);
      break;
    }
    case 228: InsertCodeFile(); break;
    case 231: InsertFontTemplate(); break;
    case 234: {
      // The item reads "Debugger anzeigen": the list shows while it is checked, as the view
      // switch shows it.
      ToggleMenuItemCheck(1, 234);
      const bool checked = tk::menuItemChecked(1, 234);
      tk::hideWindow(2, !checked);
      Record().DebugState = checked ? 1 : 0;
      break;
    }
    case 235: tk::clearGadgetItems(511); break;
    case 236: ToggleMenuItemCheck(1, 236); break;
    case 237: RunScript(Ed, tk::menuItemChecked(1, 236) ? 1 : 0); break;
    case 7: ShowFullScreenPreview(); break;
    case 8: SwitchMainView(9); NextMode = ModeDraw; break;
    case 9: SwitchMainView(495); NextMode = ModeScript; break;
    case 10: SwitchMainView(352); NextMode = ModeEffects; break;
    case 11: OpenStructureDialog(0); break;
    case 14:
    case 15: tk::showPopupMenu(2, std::max(tk::activeWindow(), 0)); break;
    case 16: ShowTipOfTheDay(); break;
    case 17: NewImageDialog(Settings.startWidth + 1, Settings.startHeight + 1); break;
    case 18: OpenImageFile(); break;
    case 19: SaveImage(); break;
    case 20: SaveImageAs(); break;
    case 21: AddStructureFromImage(); break;
    case 22: AddBrushFormFromImage(); break;
    case 23: CloseImage(CurrentImage); break;
    case 24: CloseAllImages(); break;
    case 25: OnSettingsEvent(); break;
    case 26: NextMode = ModeQuit; break;
    case 27: RenameImage(); break;
    case 42:
      UpdateAverageColors();
      RedrawCanvas();
      break;
    case 216: ExportHtml(); break;
    case 221: Undo(0); break;
    default: break;
  }
}
