// Toolkit layer: the rich editor, requesters and shell calls.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace tk {

// ---- rich editor ----------------------------------------------------------------------
// A rich-text gadget (focus class "RichEdit20A"). Offsets count characters; a line
// break counts as one character ("\r" in the text this layer hands out).
// Key presses are queued as EvKeyDown/EvKeyUp first; the typed character is inserted
// when the program next waits or polls, so its key handler sees the text before.
int richEditor(int num, int x, int y, int w, int h, unsigned flags = 0);
std::string richText(int gadget);
void setRichText(int gadget, const std::string& text);
void richGetSelection(int gadget, int32_t* start, int32_t* end);
void richSetSelection(int gadget, int32_t start, int32_t end);   // end -1: to the end
std::string richSelectedText(int gadget);
void richReplaceSelection(int gadget, const std::string& text, bool canUndo);
int32_t richLineFromChar(int gadget, int32_t offset);   // -1: the caret's line
int32_t richLineIndex(int gadget, int32_t line);        // first offset of line; -1: caret's line
int32_t richLineCount(int gadget);
int32_t richLineLength(int gadget, int32_t offset);
std::string richLine(int gadget, int32_t line);
int32_t richTextLength(int gadget);
void richHideSelection(int gadget, bool hide);
struct CharFormat {
  enum : unsigned { HasColor = 1, HasBold = 2, HasItalic = 4, HasUnderline = 8, HasFace = 16, HasSize = 32 };
  unsigned mask = 0;
  uint32_t color = 0;          // ColorValue
  bool bold = false, italic = false, underline = false;
  std::string face;            // at most 31 characters
  int32_t heightTwips = 200;   // 20 twips per point
};
void richSetCharFormat(int gadget, const CharFormat& f);     // on the selection
CharFormat richCharFormat(int gadget);                       // of the selection start
void richSetBackground(int gadget, uint32_t colorValue);
void richEmptyUndo(int gadget);
bool richCanUndo(int gadget);
void richUndo(int gadget);
enum FindFlags : unsigned { FindDown = 1, FindWholeWord = 2, FindMatchCase = 4 };
// Searches [from, to) (to -1: end; upwards when FindDown is not set, from > to).
// Returns the offset of the match, -1 none; *matchEnd set to its end.
int32_t richFind(int gadget, const std::string& what, int32_t from, int32_t to, unsigned flags,
                 int32_t* matchEnd = nullptr);
void richScrollCaret(int gadget);

// ---- requesters ---------------------------------------------------------------------------
// In test mode every requester takes its answer from a queue filled by the test; one
// that opens with no answer queued throws TestRequesterError (the test fails at once).
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
struct FontChoice { std::string face; int size = 10; unsigned style = 0; uint32_t color = 0; };
bool fontRequester(FontChoice& inOut);

struct TestRequesterError { std::string what; };
namespace test {
void enable(bool on);                         // test mode on: requesters never block
bool enabled();
void queueResult(int result);                 // message requesters
void queueString(const std::string& answer);  // input, file, folder requesters ("" = cancel)
void queueFileAnswer(const std::string& path, int pattern);
void queueColor(int64_t colorValue);          // -1 = cancel
void queueFont(const FontChoice& f, bool ok);
int pending();
void clear();
// What the requesters showed, in order: "title|text" for messages, "title" otherwise.
std::vector<std::string>& shown();
}  // namespace test

// ---- shell --------------------------------------------------------------------------------------
// Starts a program without waiting; false when it could not start.
bool runProgram(const std::string& program, const std::string& arguments = "",
                const std::string& workingFolder = "");
// Opens a file, folder or address with the desktop's handler.
bool openWithShell(const std::string& target);
void testSetShellRecorder(std::vector<std::string>* record);  // tests: record instead of run

}  // namespace tk
