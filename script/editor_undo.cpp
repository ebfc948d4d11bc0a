// The script editor's own undo and redo. The editor's built-in undo record is emptied at
// every recorded edit, so both histories are the program's: two lists of steps, kept per
// image (saved into the image's slot folder when it is put away).
//
// Order of events: the toolkit carries out a key before the program sees its key-down,
// so every step is recorded after its edit. The text an edit removed comes from the
// capture the previous call left in EditCaptureTexts.
#include <algorithm>

#include "documents/documents.h"
#include "script/script.h"
#include "shell/shell.h"
#include "toolkit/toolkit.h"

std::list<EditStep> EditUndoList;
std::list<EditStep> EditRedoList;
uint8_t EditCaptureDone = 0;
std::string EditCaptureTexts[3];
int32_t InsertedTextLength = 0;
uint8_t EditEnterKey = 0;

namespace {

constexpr int Ed = ScriptEditorGadget;
std::string UndoReadText;     // what EditUndo found in the range it is about to replace

void CapSteps(std::list<EditStep>& list) {
  const size_t depth = size_t(std::max(EditUndoDepth, 0));
  while (list.size() > depth) list.pop_front();
}

// The character before / after an offset without moving the selection ("\r" for a line
// break, "" at the ends).
std::string CharBefore(int32_t at) {
  if (at <= 0) return std::string();
  const int32_t line = tk::richLineFromChar(Ed, at);
  const int32_t start = tk::richLineIndex(Ed, line);
  if (at > start) {
    const std::string text = tk::richLine(Ed, line);
    const size_t col = size_t(at - start - 1);
    return col < text.size() ? text.substr(col, 1) : std::string();
  }
  return "\r";
}

std::string CharAfter(int32_t at) {
  if (at >= tk::richTextLength(Ed)) return std::string();
  const int32_t line = tk::richLineFromChar(Ed, at);
  const std::string text = tk::richLine(Ed, line);
  const size_t col = size_t(at - tk::richLineIndex(Ed, line));
  return col < text.size() ? text.substr(col, 1) : std::string("\r");
}

void Capture() {
  int32_t s = 0, e = 0;
  tk::richGetSelection(Ed, &s, &e);
  EditCaptureTexts[0] = tk::richSelectedText(Ed);
  if (s == e) {
    EditCaptureTexts[1] = CharBefore(s);
    EditCaptureTexts[2] = CharAfter(s);
  } else {
    EditCaptureTexts[1] = EditCaptureTexts[0];
    EditCaptureTexts[2] = EditCaptureTexts[0];
  }
}

void WriteTriple(int file, int32_t position, int32_t end, const std::string& text) {
  tk::writeLong(file, position);
  tk::writeLong(file, end);
  tk::writeLong(file, int32_t(text.size()));
  if (!text.empty()) tk::writeData(file, text.data(), text.size());
}

// Reads one (position, end, text) triple; false when the data ends inside it or a length
// does not fit what is left.
bool ReadTriple(const std::vector<uint8_t>& d, size_t& at, int32_t& position, int32_t& end, std::string& text) {
  auto readLong = [&](int32_t& v) {
    if (d.size() - at < 4) return false;
    v = int32_t(uint32_t(d[at]) | uint32_t(d[at + 1]) << 8 | uint32_t(d[at + 2]) << 16 | uint32_t(d[at + 3]) << 24);
    at += 4;
    return true;
  };
  int32_t n = 0;
  if (!readLong(position) || !readLong(end) || !readLong(n)) return false;
  if (n < 0 || size_t(n) > d.size() - at) return false;
  text.assign(reinterpret_cast<const char*>(d.data()) + at, size_t(n));
  at += size_t(n);
  return true;
}

std::string FolderOfSlot(int32_t slot) { return SlotFolder(slot); }

}  // namespace

int32_t EditorTextLength(const std::string& text) {
  int32_t n = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    ++n;
  }
  return n;
}

void CreateEditUndo(int32_t code) {
  OnErrorCode2 = 5;
  if (EditCaptureDone == 1) {
    OnErrorCode2 = 0;
    return;
  }
  tk::richEmptyUndo(Ed);
  int32_t s = 0, e = 0;
  tk::richGetSelection(Ed, &s, &e);
  if (code != 5 && code >= 0 && code <= 8) {
    EditStep step;
    step.text = code == 3 ? EditCaptureTexts[1] : code == 4 ? EditCaptureTexts[2] : EditCaptureTexts[0];
    bool record = true;
    switch (code) {
      case 0:   // the typed character stands before the caret now
        record = s == e && s >= 1;
        step.position = s - 1;
        step.end = s;
        break;
      case 1: {   // the paste is done: the caret stands behind the pasted text
        const int32_t pasted = EditorTextLength(tk::clipboardText());
        step.position = std::max(0, s - pasted);
        step.end = s;
        break;
      }
      case 2: step.position = s; step.end = e; break;
      case 3:
      case 4: step.position = s; step.end = s; break;
      case 6:
        // Only the Enter key inserted a line break before the caret; the mode loop's call
        // when the editor gets the focus changed nothing and only captures.
        record = EditEnterKey == 1 && s >= 1;
        step.position = s - 1;
        step.end = e;
        break;
      case 7:
      case 8: step.position = std::max(0, s - InsertedTextLength); step.end = s; break;
    }
    if (record) {
      EditRedoList.clear();   // a new edit ends the redo chain
      EditUndoList.push_back(std::move(step));
      CapSteps(EditUndoList);
    }
  }
  Capture();
  EditCaptureDone = 1;
  OnErrorCode2 = 0;
}

void CaptureCharBeforeCaret() {
  int32_t s = 0, e = 0;
  tk::richGetSelection(Ed, &s, &e);
  if (s == e) EditCaptureTexts[1] = CharBefore(s);
}

void PushRedoStep() {
  OnErrorCode2 = 4;
  if (!EditUndoList.empty()) {
    const EditStep& u = EditUndoList.back();
    EditStep r;
    r.undonePosition = u.position;
    r.undoneEnd = u.end;
    r.undoneText = u.text;
    r.text = UndoReadText;
    r.position = u.position;
    r.end = u.position + EditorTextLength(u.text);
    EditRedoList.push_back(std::move(r));
    CapSteps(EditRedoList);
  }
  OnErrorCode2 = 0;
}

namespace {

// Puts `text` over [position, end) with the caret behind it, then shows the result.
void ReplaceRange(int32_t position, int32_t end, const std::string& text) {
  tk::richSetSelection(Ed, position, end);
  tk::richReplaceSelection(Ed, text, false);
  int32_t s = 0, e = 0;
  tk::richGetSelection(Ed, &s, &e);
  tk::richSetSelection(Ed, e, e);
}

void FinishHistoryMove() {
  tk::richHideSelection(Ed, false);
  tk::disableGadget(Ed, false);
  tk::setActiveGadget(Ed);
  RemoveScriptShortcuts();
}

}  // namespace

void EditUndo() {
  OnErrorCode1 = 40;
  if (EditUndoList.empty()) return;
  tk::richHideSelection(Ed, true);
  const EditStep& u = EditUndoList.back();
  tk::richSetSelection(Ed, u.position, u.end);
  UndoReadText = tk::richSelectedText(Ed);
  PushRedoStep();
  const EditStep step = u;
  EditUndoList.pop_back();
  ReplaceRange(step.position, step.end, step.text);
  FinishHistoryMove();
  tk::richScrollCaret(Ed);
  HighlightSyntax();
  Capture();   // the next step's removed text is taken from the text as it is now
}

void EditRedo() {
  OnErrorCode1 = 28;
  if (EditRedoList.empty()) return;
  const EditStep r = EditRedoList.back();
  EditRedoList.pop_back();
  EditStep back;
  back.position = r.undonePosition;
  back.end = r.undoneEnd;
  back.text = r.undoneText;
  EditUndoList.push_back(std::move(back));
  CapSteps(EditUndoList);
  tk::richHideSelection(Ed, true);
  ReplaceRange(r.position, r.end, r.text);
  FinishHistoryMove();
  tk::richScrollCaret(Ed);
  HighlightSyntax();
  Capture();   // the next step's removed text is taken from the text as it is now
}

// Each record: position, end and the text's byte count as 4-byte little-endian values,
// then the text's bytes. The count keeps texts with line breaks and long texts whole.
void SaveEditUndoLists() {
  if (UndoAvailable && CurrentImage >= 1 && CurrentImage <= 10) {
    const std::string folder = FolderOfSlot(CurrentImage);
    const int ub = tk::createFile(-1, folder + "data.ub");
    if (ub >= 0) {
      for (const EditStep& s : EditUndoList) WriteTriple(ub, s.position, s.end, s.text);
      tk::closeFile(ub);
    }
    const int rb = tk::createFile(-1, folder + "data.rb");
    if (rb >= 0) {
      for (const EditStep& s : EditRedoList) {
        WriteTriple(rb, s.undonePosition, s.undoneEnd, s.undoneText);
        WriteTriple(rb, s.position, s.end, s.text);
      }
      tk::closeFile(rb);
    }
  }
  EditUndoList.clear();
  EditRedoList.clear();
}

void LoadEditUndoLists(int32_t slot) {
  EditRedoList.clear();
  EditUndoList.clear();
  if (slot < 1 || slot > 10) return;
  const std::string folder = FolderOfSlot(slot);
  std::vector<uint8_t> data;
  if (tk::readWholeFile(folder + "data.rb", data)) {
    size_t at = 0;
    EditStep s;
    while (ReadTriple(data, at, s.undonePosition, s.undoneEnd, s.undoneText) &&
           ReadTriple(data, at, s.position, s.end, s.text))
      EditRedoList.push_back(s);
  }
  if (tk::readWholeFile(folder + "data.ub", data)) {
    size_t at = 0;
    EditStep s;
    while (ReadTriple(data, at, s.position, s.end, s.text)) EditUndoList.push_back(s);
  }
  CapSteps(EditUndoList);
  CapSteps(EditRedoList);
  tk::deleteFile(folder + "data.rb");
  tk::deleteFile(folder + "data.ub");
}

void ResetScriptEditorState() {
  EditUndoList.clear();
  EditRedoList.clear();
  EditCaptureDone = 0;
  for (std::string& t : EditCaptureTexts) t.clear();
  InsertedTextLength = 0;
  EditEnterKey = 0;
  UndoReadText.clear();
  ProcedureHints.clear();
  currentline = 0;
  FindStartPosition = -1;
}
