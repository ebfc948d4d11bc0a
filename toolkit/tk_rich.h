// Toolkit layer: the rich editor, requesters and shell calls.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace tk {

// ---- rich editor ----------------------------------------------------------------------
// A rich-text gadget (focus class "RichEdit20A") taking plain text only (pasting drops
// formatting). Offsets count characters; a line break counts as one character. Text
// handed out joins the lines with "\r" (not "\r\n": convert where needed); text taken
// in may break lines with "\r\n", "\r" or "\n". Lines are the text's lines, not the
// wrapped rows on screen. Offsets out of range are clamped; an unknown gadget does
// nothing and reads as empty.
// Key presses are queued as EvKeyDown/EvKeyUp first; the typed character is inserted
// when the program next waits or polls, so its key handler sees the text before.
// Changes by the user raise EvGadget with type EtChange; the calls below do not.
// flags: GfReadOnly, GfWordWrap (without it lines do not wrap).
int richEditor(int num, int x, int y, int w, int h, unsigned flags = 0);
std::string richText(int gadget);
void setRichText(int gadget, const std::string& text);   // also empties the undo record
void richGetSelection(int gadget, int32_t* start, int32_t* end);   // start <= end
// Selects from start to end (the caret goes to end; end < start selects backwards).
// end -1: to the end; start -1: no selection, the caret stays at the selection's end.
void richSetSelection(int gadget, int32_t start, int32_t end);
std::string richSelectedText(int gadget);
// Replaces the selection; the caret follows the new text. canUndo: one undo step;
// without it the undo record is emptied (older steps would no longer fit the text).
void richReplaceSelection(int gadget, const std::string& text, bool canUndo);
int32_t richLineFromChar(int gadget, int32_t offset);   // -1: the caret's line
int32_t richLineIndex(int gadget, int32_t line);        // first offset of line; -1: caret's line; -1 if none
int32_t richLineCount(int gadget);
int32_t richLineLength(int gadget, int32_t offset);     // of the line holding offset (-1: caret's), no break
std::string richLine(int gadget, int32_t line);         // without its break; "" if none
int32_t richTextLength(int gadget);
// Hidden: the selection stays but is not highlighted (drawn in the plain text colour).
void richHideSelection(int gadget, bool hide);
struct CharFormat {
  enum : unsigned { HasColor = 1, HasBold = 2, HasItalic = 4, HasUnderline = 8, HasFace = 16, HasSize = 32 };
  unsigned mask = 0;
  uint32_t color = 0;          // ColorValue
  bool bold = false, italic = false, underline = false;
  std::string face;            // at most 31 characters
  int32_t heightTwips = 200;   // 20 twips per point
};
// The fields in mask, on the selection; with no selection, on what is typed next.
void richSetCharFormat(int gadget, const CharFormat& f);
// Of the first selected character (no selection: of what is typed next); mask all set.
CharFormat richCharFormat(int gadget);
void richSetBackground(int gadget, uint32_t colorValue);   // 0xFFFFFFFF: the standard one
void richEmptyUndo(int gadget);
bool richCanUndo(int gadget);
void richUndo(int gadget);
enum FindFlags : unsigned { FindDown = 1, FindWholeWord = 2, FindMatchCase = 4 };
// Finds `what` lying wholly between from and to. FindDown: the first match from `from`
// onwards (to -1: the end); without it, the last match ending at or before `from`
// (to -1: the start; from > to). Whole word: no letter, digit or '_' touches the match.
// Without FindMatchCase letters match either case. Returns the offset of the match,
// -1 none (also for an empty `what`); *matchEnd set to its end (-1 none).
int32_t richFind(int gadget, const std::string& what, int32_t from, int32_t to, unsigned flags,
                 int32_t* matchEnd = nullptr);
void richScrollCaret(int gadget);
// Gives [start, end) the whole format f (every field, mask ignored) without touching the
// selection, the undo record or the view; the program's colouring uses it.
void richFormatRange(int gadget, int32_t start, int32_t end, const CharFormat& f);
// Replaces [start, end) by text outside the undo record (which is emptied) and without a
// change event; a selection around the range moves as the text does.
void richReplaceRange(int gadget, int32_t start, int32_t end, const std::string& text);
// Between these two (they nest), formats and replacements by the calls above are laid
// out once, at the end: many small changes to a long text cost one layout.
void richBeginChanges(int gadget);
void richEndChanges(int gadget);
// Keys (virtual key + ModShift/ModCtrl/ModAlt, tk_window.h) that the editor leaves alone:
// they still reach the program as EvKeyDown/EvKeyUp, which carries them out itself.
void richIgnoreKeys(int gadget, const std::vector<int>& keys);

// ---- requesters ---------------------------------------------------------------------------
// Modal: the program's windows are blocked while one is open. Text line breaks "\r".
// In test mode every requester takes its answer from a queue filled by the test; one
// that opens with no answer queued, or with an answer of another kind next (or a
// result the message has no button for), throws TestRequesterError (the test fails at
// once) and leaves the queue as it is. Colour and font requesters show as "Farbe" and
// "Schriftart" in test::shown().
enum MessageFlags : unsigned {
  MsgOk = 0, MsgYesNo = 1, MsgYesNoCancel = 2,
  MsgInfo = 0x10, MsgWarning = 0x20, MsgError = 0x40,
};
enum MessageResult : int { ResultOk = 1, ResultYes = 6, ResultNo = 7, ResultCancel = 2 };
int messageRequester(const std::string& title, const std::string& text, unsigned flags = MsgOk);
// Empty string when cancelled.
std::string inputRequester(const std::string& title, const std::string& prompt, const std::string& def);
// patterns "Name|*.ext;*.ext2|Name2|*.x"; *selectedPattern gets the chosen index.
std::string openFileRequester(const std::string& title, const std::string& defaultFile,
                              const std::string& patterns, int patternIndex = 0,
                              int* selectedPattern = nullptr);
std::string saveFileRequester(const std::string& title, const std::string& defaultFile,
                              const std::string& patterns, int patternIndex = 0,
                              int* selectedPattern = nullptr);
std::string folderRequester(const std::string& title, const std::string& initial);
// Returns the ColorValue, -1 when cancelled. customColors: 16 entries, read and updated.
int64_t colorRequester(uint32_t initial, uint32_t* customColors = nullptr);
// style: FontStyle bits (tk_image.h). color is kept as given (the chooser has no colour).
struct FontChoice { std::string face; int size = 10; unsigned style = 0; uint32_t color = 0; };
bool fontRequester(FontChoice& inOut);
// The file chooser's filters for a pattern string: "Name|*.a;*.b" gives "Name (*.a *.b)".
std::vector<std::string> fileFilters(const std::string& patterns);

struct TestRequesterError { std::string what; };
namespace test {
void enable(bool on);                         // test mode on: requesters never block
bool enabled();
void queueResult(int result);                 // message requesters
void queueString(const std::string& answer);  // input, file, folder requesters ("" = cancel)
void queueFileAnswer(const std::string& path, int pattern);   // file requesters; a plain
                                                              // string keeps the pattern in
void queueColor(int64_t colorValue);          // -1 = cancel
void queueFont(const FontChoice& f, bool ok);  // not ok: cancelled, inOut unchanged
int pending();
void clear();
// What the requesters showed, in order: "title|text" for messages, "title" otherwise.
std::vector<std::string>& shown();            // clear() empties it with the queue
}  // namespace test

// ---- shell --------------------------------------------------------------------------------------
// Starts a program without waiting; false when it could not start. The program path is
// resolved like every path (a bare name not in the program folder is looked up on the
// system's search path); arguments are split like a command line ("a \"b c\"": 2).
bool runProgram(const std::string& program, const std::string& arguments = "",
                const std::string& workingFolder = "");
// Opens a file, folder or address with the desktop's handler.
bool openWithShell(const std::string& target);
// Makes the image file the desktop's wallpaper through the desktop's wallpaper portal
// (session bus). False when no portal answers or it refuses; nothing changes then.
bool setDesktopWallpaper(const std::string& imageFile);
// Tests: record "run|resolved program|arguments|resolved folder", "open|target" or
// "wallpaper|resolved file" instead of acting (nullptr: act again).
void testSetShellRecorder(std::vector<std::string>* record);

}  // namespace tk
