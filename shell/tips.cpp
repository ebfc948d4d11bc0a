// Tip of the day: window 28 shows one text of "Tips/Tip_<n>.txt" at a time, with buttons
// for the next and the previous tip. TipNumber is always the tip that Next shows (it is
// kept in Last.ini across runs); TipCount the tips found at start.
#include <algorithm>
#include <vector>

#include "documents/documents.h"
#include "shell/modal_loop.h"
#include "shell/shell.h"
#include "toolkit/toolkit.h"

int32_t TipCount = 0;

namespace {

constexpr int TipWindow = 28, TipEditor = 756, GadClose = 753, GadPrevious = 754, GadNext = 755;
// Only the start of a larger file is shown: a tip is a few lines.
constexpr size_t MaxTipBytes = 64 * 1024;
// Probing stops here at the latest, however many files there are.
constexpr int32_t MaxTips = 100000;

std::string tipFile(int32_t n) { return "Tips/Tip_" + std::to_string(n) + ".txt"; }

// The number after n, back to 1 after the last tip.
int32_t following(int32_t n) { return n + 1 > TipCount ? 1 : n + 1; }
int32_t preceding(int32_t n) { return n - 1 < 1 ? std::max(TipCount, 1) : n - 1; }

void showAndAdvance() {
  ShowTip(TipNumber);
  TipNumber = following(TipNumber);
}

}  // namespace

// Tips are counted by trying Tip_1, Tip_2, ... in order until one is missing, so the order
// in which the folder lists its files does not matter (Tip_10 sorts before Tip_2).
void CountTips() {
  OnErrorCode1 = 38;
  TipCount = 0;
  while (TipCount < MaxTips && tk::fileSizeOf(tipFile(TipCount + 1)) >= 0) ++TipCount;
}

void ShowTip(int32_t n) {
  OnErrorCode1 = 38;
  std::vector<uint8_t> bytes;
  if (tk::fileSizeOf(tipFile(n)) < 0 || !tk::readWholeFile(tipFile(n), bytes)) return;
  if (bytes.size() > MaxTipBytes) bytes.resize(MaxTipBytes);
  // Line by line as the file holds them (CR LF, CR or LF), each as a line of the editor.
  std::string text, line;
  for (size_t i = 0; i < bytes.size(); ++i) {
    const char c = char(bytes[i]);
    if (c == '\r' || c == '\n') {
      if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
      text += line + "\r";
      line.clear();
    } else {
      line += c == '\0' ? ' ' : c;
    }
  }
  if (!line.empty()) text += line + "\r";
  tk::setRichText(TipEditor, text);
}

void ShowTipOfTheDay() {
  OnErrorCode1 = 38;
  // A number from Last.ini that names no tip starts again at the first.
  if (TipNumber < 1 || TipNumber > TipCount) TipNumber = 1;
  tk::hideWindow(TipWindow, false);
  tk::setWindowIcon(TipWindow, 38);
  tk::activateWindow(TipWindow);
  if (TipCount == 0) tk::setRichText(TipEditor, "");
  showAndAdvance();
  ModalTurns turns;
  while (turns.more()) {
    const int ev = ModalTurns::wait(TipWindow);
    if (ev == tk::EvClose && tk::eventWindow() == TipWindow) break;
    if (ev != tk::EvGadget) continue;
    const int g = tk::eventGadget();
    if (g == GadClose) break;
    if (g == GadNext) {
      showAndAdvance();
    } else if (g == GadPrevious) {
      // TipNumber names the tip after the one on display: step back two.
      TipNumber = preceding(preceding(TipNumber));
      showAndAdvance();
    }
  }
  tk::hideWindow(TipWindow, true);
  if (tk::isWindow(0)) tk::setWindowCallback(0, MainWindowCallback);
}
