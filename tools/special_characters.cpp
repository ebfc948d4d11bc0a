// The special-character chooser: window 21 shows the 256 single-byte characters of a font
// as a 16 x 16 grid of buttons (751 + code) and returns the one clicked.
#include <cstdio>
#include <string>

#include "shell/shell.h"
#include "toolkit/toolkit.h"
#include "tools/tools.h"

namespace {

constexpr int kWindow = 21, kFont = 3, kAsciiLabel = 749, kHexLabel = 750, kFirstButton = 751;

// Code 0 has no character: its button chooses nothing.
std::string CharacterOf(int code) { return code > 0 && code <= 255 ? std::string(1, char(code)) : std::string(); }

}  // namespace

void SpecialCharacterLabels(int32_t mx, int32_t my, std::string& ascii, std::string& hex) {
  ascii.clear();
  hex.clear();
  if (mx < 0 || my < 0) return;   // the mouse is not over the window
  const int32_t column = (mx - 1) / 20, row = (my - 1) / 20;
  if (column < 0 || row < 0) return;
  const int32_t code = row * 16 + column;
  char digits[16];
  std::snprintf(digits, sizeof digits, "%X", unsigned(code));
  // Below the grid the codes run past 255; they have no character to show.
  ascii = "ASCII: " + CharacterOf(code);
  hex = "Hex:     " + std::string(digits);
}

std::string ChooseSpecialCharacter(const std::string& face) {
  if (tk::openWindow(kWindow, 100, 100, 320, 360, "SonderZeichen einfügen",
                     tk::WfCaption | tk::WfSystemMenu | tk::WfTopmost, 43) < 0)
    return "";
  tk::disableWindow(0, true);
  tk::label(kAsciiLabel, 0, 340, 160, 20, "Ascii:  ");
  tk::label(kHexLabel, 160, 340, 160, 20, "Hex:  ");
  tk::loadFont(kFont, face, 12);
  for (int i = 0; i < 256; ++i) {
    tk::button(kFirstButton + i, (i % 16) * 20 + 1, (i / 16) * 20 + 1, 20, 20, CharacterOf(i));
    tk::setGadgetFont(kFirstButton + i, kFont);
  }
  tk::bringToFront(kWindow);
  std::string result;
  std::string ascii, hex;
  for (int32_t turns = 0;; ++turns) {
    if (LoopTurnLimit > 0 && turns >= LoopTurnLimit) break;
    SpecialCharacterLabels(tk::windowMouseX(kWindow), tk::windowMouseY(kWindow), ascii, hex);
    if (!ascii.empty()) {
      if (tk::gadgetText(kAsciiLabel) != ascii) tk::setGadgetText(kAsciiLabel, ascii);
      if (tk::gadgetText(kHexLabel) != hex) tk::setGadgetText(kHexLabel, hex);
    }
    if (tk::activeWindow() == 0) tk::bringToFront(kWindow);
    const int ev = tk::waitEvent(LoopWaitMs);
    if (ev == tk::EvNone && LoopWaitMs >= 0) break;   // tests: nothing more will come
    if (ev == tk::EvGadget) {
      const int code = tk::eventGadget() - kFirstButton;
      if (code >= 0 && code <= 255) {
        result = CharacterOf(code);
        if (!result.empty()) break;
      }
    } else if (ev == tk::EvClose && tk::eventWindow() == kWindow) {
      break;
    }
  }
  tk::closeWindow(kWindow);
  tk::disableWindow(0, false);
  return result;
}
