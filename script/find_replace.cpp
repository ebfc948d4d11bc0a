// Find and replace in the script editor: window 3 searches the editor from its selection,
// forwards or backwards, and records every replacement as an editor undo step.
#include "script/script.h"
#include "shell/shell.h"
#include "toolkit/toolkit.h"

int32_t FindStartPosition = -1;

namespace {

constexpr int Ed = ScriptEditorGadget;
constexpr int GadWhat = 499, GadWith = 501, GadFind = 502, GadReplace = 503, GadReplaceAll = 504, GadClose = 505,
              GadToStart = 506, GadWholeWord = 507, GadMatchCase = 508, GadBackwards = 510;

bool Backwards() { return tk::gadgetState(GadBackwards) == 1; }

unsigned Flags() {
  unsigned f = Backwards() ? 0u : unsigned(tk::FindDown);
  if (tk::gadgetState(GadWholeWord) == 1) f |= tk::FindWholeWord;
  if (tk::gadgetState(GadMatchCase) == 1) f |= tk::FindMatchCase;
  return f;
}

void NotFound(const std::string& what) {
  tk::messageRequester("Ende", "'" + what + "'  konte nicht gefunden werden");
}

// An empty search text would match everywhere (and never end a replace-all).
bool Refused(const std::string& what) {
  if (!what.empty()) return false;
  tk::messageRequester("Fehler", "Bitte geben sie einen Suchtext ein.");
  return true;
}

// The next match from the selection: forwards from its end, backwards from its start.
int32_t FindFromSelection(const std::string& what, int32_t* matchEnd) {
  int32_t s = 0, e = 0;
  tk::richGetSelection(Ed, &s, &e);
  return Backwards() ? tk::richFind(Ed, what, s, 0, Flags(), matchEnd)
                     : tk::richFind(Ed, what, e, -1, Flags(), matchEnd);
}

void Capture() {
  EditCaptureDone = 0;
  CreateEditUndo(5);
}

// Replaces the selection by `with` and records it (code 8); the caret ends behind it.
void ReplaceSelection(const std::string& with) {
  Capture();
  InsertedTextLength = EditorTextLength(with);
  tk::richReplaceSelection(Ed, with, false);
  EditCaptureDone = 0;
  CreateEditUndo(8);
  ColourInsertedText(with);
}

void FindNext() {
  const std::string what = tk::gadgetText(GadWhat);
  if (Refused(what)) return;
  if (tk::gadgetText(GadFind) != "Weitersuchen") {
    tk::setGadgetText(GadFind, "Weitersuchen");
    FindStartPosition = Backwards() ? tk::richTextLength(Ed) : 0;
  }
  int32_t end = -1;
  const int32_t found = FindFromSelection(what, &end);
  if (found < 0) {
    FindStartPosition = -1;
    NotFound(what);
    return;
  }
  FindStartPosition = found;
  RemoveScriptShortcuts();
  tk::setActiveGadget(Ed);
  tk::richSetSelection(Ed, found, end);
  tk::richScrollCaret(Ed);
  Capture();
}

// Works from the selection to the end (or the start, backwards). A search after a
// replacement starts behind it (forwards) or at its start (backwards), so text inside a
// replacement is never found again and the loop ends even when the replacement holds
// the search text.
void ReplaceAll() {
  const std::string what = tk::gadgetText(GadWhat), with = tk::gadgetText(GadWith);
  if (Refused(what)) return;
  FindStartPosition = 0;
  for (;;) {
    int32_t end = -1;
    const int32_t found = FindFromSelection(what, &end);
    if (found < 0) {
      NotFound(what);
      return;
    }
    FindStartPosition = found;
    tk::richSetSelection(Ed, found, end);
    ReplaceSelection(with);
    if (Backwards()) tk::richSetSelection(Ed, found, found);
  }
}

}  // namespace

void OnFindReplace(int32_t gadget) {
  switch (gadget) {
    case GadWhat:
    case GadWholeWord:
    case GadMatchCase: tk::setGadgetText(GadFind, "Finden"); break;
    case GadToStart:
      tk::setGadgetText(GadFind, "Finden");
      tk::richSetSelection(Ed, 0, 0);
      Capture();
      break;
    case GadFind: FindNext(); break;
    case GadReplace: ReplaceSelection(tk::gadgetText(GadWith)); break;
    case GadReplaceAll: ReplaceAll(); break;
    case GadClose:
      tk::hideWindow(3, true);
      tk::setGadgetText(GadFind, "Finden");
      break;
    default: break;
  }
}
