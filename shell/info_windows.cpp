// The small informational windows: about (23) with its thanks detail (24), the welcome
// window (30) that shows a help page of the program folder, and the shortcut overview (37)
// read from "Data/Key.list". Each lives only during its procedure's call and runs its own
// loop while the main window waits, disabled.
#include <algorithm>
#include <array>
#include <cctype>

#include "documents/documents.h"
#include "script/script.h"
#include "shell/modal_loop.h"
#include "shell/shell.h"
#include "toolkit/toolkit.h"

namespace {

// The version as the update check compares it; the about window shows the same.
const char* const kVersionText = "0_74Final";
const char* const kWebAddress = "www.corvalen.example";
const char* const kWebPage = "http://www.corvalen.example/";
const char* const kMailAddress = "autor@corvalen.example";
const char* const kForumAddress = "http://forum.corvalen.example/";

constexpr int AboutWindow = 23, ThanksWindow = 24, WelcomeWindow = 30, ShortcutWindow = 37;
constexpr uint32_t AboutBackground = 251 | (253 << 8) | (236 << 16);
constexpr uint32_t AboutText = 51 | (0 << 8) | (170 << 16);
constexpr uint32_t Red = 0x0000FF, Blue = 0xFF0000;
constexpr int VkReturn = 13, VkEscape = 27, VkSpace = 32, VkF = 70;
constexpr int MenuWelcomeClose = 448, MenuWelcomeForum = 449;
// Key.list is a few kilobytes; a file beyond this is not a shortcut list.
constexpr int64_t MaxKeyListBytes = 1 << 20;

std::array<int32_t, ThanksListSize> ThanksGadgets = {-1, -1, -1, -1, -1, -1, -1};

// "0_74Final" as the user reads it: "0.74 Final".
std::string versionForDisplay() {
  std::string out;
  for (const char* p = kVersionText; *p; ++p) {
    if (std::isalpha(uint8_t(*p)) && !out.empty() && std::isdigit(uint8_t(out.back()))) out += ' ';
    out += *p == '_' ? '.' : *p;
  }
  return out;
}

// The thanks entries the about window lists: 0 to ThanksLastIndex, at most the table.
int32_t lastThanksIndex() {
  return std::clamp<int32_t>(ThanksLastIndex, 0, int32_t(std::min<size_t>(ThanksList.size(), ThanksListSize)) - 1);
}

const ThanksEntry& thanksEntry(int32_t i) {
  static const ThanksEntry empty;
  return i >= 0 && size_t(i) < ThanksList.size() ? ThanksList[size_t(i)] : empty;
}

// The picture behind Space in the about window (image 15), drawn here.
void drawAboutPicture() {
  tk::createImage(15, 446, 460, 24, AboutBackground);
  if (!tk::startDrawing(tk::imageOutput(15))) return;
  for (int y = 0; y < 460; y += 4) {
    const uint32_t v = uint32_t(120 + y * 120 / 460);
    tk::box(0, y, 446, 4, (v / 2) | (v / 3 << 8) | (v << 16));
  }
  for (int r = 200; r > 0; r -= 25) tk::circle(223, 230, r, (uint32_t(r) & 0xFF) | 0x00A0FF00);
  tk::drawingMode(tk::DrawTransparent);
  tk::drawingFont(13);
  tk::drawText(150, 215, "Corvalen " + versionForDisplay(), 0xFFFFFF, 0);
  tk::stopDrawing();
}

void removeMainShortcuts(int32_t state) {
  if (state == 495) RemoveScriptShortcuts();
  else if (state == 9 || state == 120 || state == 582) RemoveImageShortcuts();
}

void addMainShortcuts(int32_t state) {
  if (state == 495) AddScriptShortcuts();
  else if (state == 9 || state == 120 || state == 582) AddImageShortcuts();
}

int32_t currentWindowState() {
  return CurrentImage >= 0 && size_t(CurrentImage) < ImageRecords.size() ? ImageRecords[size_t(CurrentImage)].WindowState
                                                                         : 0;
}

void backToMainWindow() {
  tk::disableWindow(0, false);
  tk::useWindow(0);
  tk::activateWindow(0);
  tk::bringToFront(0);
}

}  // namespace

int32_t OpenAboutWindow() {
  OnErrorCode1 = 1;
  tk::disableWindow(0, true);
  tk::loadImage(8, "Data/banner.png");
  tk::loadImage(9, "Data/banner_danke.png");
  if (tk::openWindow(AboutWindow, 0, 0, 446, 460, "!!!!!About  Corvalen!!!",
                     tk::WfCaption | tk::WfSystemMenu | tk::WfCentered | tk::WfTopmost, 43) >= 0) {
    tk::setWindowColor(AboutWindow, AboutBackground);
    drawAboutPicture();
    tk::imageGadget(116, 0, 0, 446, 460, 15);
    tk::hideGadget(116, true);
    tk::imageGadget(109, 30, 0, 400, 80, tk::isImage(8) ? 8 : -1);
    tk::loadFont(10, "Arial", 18, tk::FontUnderline);
    tk::hyperlink(110, 10, 90, 310, 40, std::string(4, ' ') + kWebAddress + std::string(11, ' '), Blue);
    tk::setGadgetFont(110, 10);
    tk::label(111, 30, 140, 400, 60,
              "Corvalen " + versionForDisplay() + "\rein Bildbearbeitungsprogramm der Corvalen-Entwickler\r2026",
              tk::GfCenter | tk::GfMultiLine);
    tk::hyperlink(112, 210, 210, 400, 20, "Mail me", Red);
    tk::label(113, 30, 250, 400, 40, "Dank an:");
    tk::container(114, 20, 290, 406, 120, tk::GfBorder);
    ThanksGadgets.fill(-1);
    for (int32_t i = 0; i <= lastThanksIndex(); ++i)
      ThanksGadgets[size_t(i)] = tk::hyperlink(-1, 0, 24 * i, 406, 24, std::string(6, ' ') + thanksEntry(i).name, Red);
    tk::closeGadgetList();
    tk::label(115, 50, 420, 300, 20, "(Auf einen der Einträge klicken, um Details zu lesen.)");
    tk::setGadgetFont(113, 13);
    for (int g : {111, 113, 115}) tk::setGadgetColor(g, tk::ColorFront, AboutText);

    ModalTurns turns;
    while (turns.more()) {
      const int ev = ModalTurns::wait(AboutWindow);
      if (ev == tk::EvClose && tk::eventWindow() == AboutWindow) break;
      if (ev == tk::EvKeyUp && tk::eventWParam() == VkSpace) {
        // Space shows the picture over the whole window, and the texts again.
        const bool showPicture = tk::gadgetHidden(116);
        for (int g : {109, 114, 110, 112, 111, 113, 115}) tk::hideGadget(g, showPicture);
        tk::hideGadget(116, !showPicture);
      } else if (ev == tk::EvGadget) {
        const int g = tk::eventGadget();
        if (g == 110) {
          tk::openWithShell(kWebPage);
        } else if (g == 112) {
          tk::openWithShell(std::string("MailTo:") + kMailAddress);
        } else {
          for (int32_t i = 0; i <= lastThanksIndex(); ++i)
            if (ThanksGadgets[size_t(i)] == g) {
              ShowThanksDetail(i);
              break;
            }
        }
      }
    }
    tk::closeWindow(AboutWindow);
    ThanksGadgets.fill(-1);
  }
  for (int image : {15, 8, 9}) tk::freeImage(image);
  backToMainWindow();
  return 0;
}

int32_t ShowThanksDetail(int32_t index) {
  if (index < 0 || index >= ThanksListSize) return 0;
  const ThanksEntry& entry = thanksEntry(index);
  tk::disableWindow(AboutWindow, true);
  if (tk::openWindow(ThanksWindow, 20, 20, 460, 460, "Danke an " + entry.name,
                     tk::WfCaption | tk::WfSystemMenu | tk::WfTopmost, 43) >= 0) {
    tk::setWindowColor(ThanksWindow, AboutBackground);
    tk::imageGadget(117, 30, 0, 400, 80, tk::isImage(9) ? 9 : -1);
    tk::label(118, 0, 100, 460, 300, entry.text, tk::GfMultiLine);
    tk::hyperlink(119, 100, 400, 460, 40, entry.link, Red);
    tk::setGadgetFont(119, 15);
    tk::setGadgetFont(118, 13);
    tk::setGadgetColor(118, tk::ColorFront, AboutText);
    ModalTurns turns;
    while (turns.more()) {
      const int ev = ModalTurns::wait(ThanksWindow);
      if (ev == tk::EvClose && tk::eventWindow() == ThanksWindow) break;
      if (ev == tk::EvGadget && tk::eventGadget() == 119 && !entry.link.empty()) tk::openWithShell(entry.link);
    }
    tk::closeWindow(ThanksWindow);
  }
  tk::disableWindow(AboutWindow, false);
  if (tk::isWindow(AboutWindow)) tk::useWindow(AboutWindow);
  return 0;
}

int32_t OpenWelcomeWindow(const std::string& address) {
  OnErrorCode1 = 14;
  if (tk::openWindow(WelcomeWindow, 200, 80, 700, 520, "", tk::WfBorderless, 43) >= 0) {
    tk::disableWindow(0, true);
    tk::bringToFront(WelcomeWindow);
    tk::textBox(780, 0, 0, 700, 500, "\r\n      Bitte Warten........");
    tk::setGadgetFont(780, 17);
    tk::stringField(-1, 0, 500, 700, 20,
                    "Drücken Sie 'Esc' oder 'Enter', um dieses Fenster zu schließen." + std::string(30, ' ') +
                        "Drücken sie auf 'F', um das 'Corvalen'-Forum aufzurufen.",
                    tk::GfReadOnly);
    const int32_t state = currentWindowState();
    removeMainShortcuts(state);
    tk::htmlView(779, 0, 0, 700, 500, "");
    tk::hideGadget(779, true);
    tk::addShortcut(WelcomeWindow, VkReturn, MenuWelcomeClose);
    tk::addShortcut(WelcomeWindow, VkEscape, MenuWelcomeClose);
    tk::addShortcut(WelcomeWindow, VkF, MenuWelcomeForum);
    // The page is read at once and its size is bounded, so the wait for it ends here.
    tk::loadHtmlPage(779, address);
    tk::hideGadget(780, true);
    tk::hideGadget(779, false);

    ModalTurns turns;
    while (turns.more()) {
      if (tk::activeWindow() == 0) tk::activateWindow(WelcomeWindow);
      const int ev = tk::waitEvent(LoopWaitMs);
      if (ev != tk::EvMenu) continue;
      if (tk::eventMenu() == MenuWelcomeClose) break;
      if (tk::eventMenu() == MenuWelcomeForum) tk::openWithShell(kForumAddress);
    }
    for (int key : {VkReturn, VkEscape, VkF}) tk::removeShortcut(WelcomeWindow, key);
    tk::closeWindow(WelcomeWindow);
    addMainShortcuts(state);
  }
  backToMainWindow();
  return 0;
}

int32_t ShowShortcutWindow(int32_t section) {
  if (tk::openWindow(ShortcutWindow, 500, 100, 500, 540, "Mögliche Tastenkürzel",
                     tk::WfCaption | tk::WfSystemMenu | tk::WfTopmost, 43) < 0)
    return 0;
  tk::disableWindow(0, true);
  tk::label(-1, 0, 3, 500, 40,
            "In diesem Fenster können sie alle für die jeweilige Einstellung gültigen Tastenkürzel einsehen.\r\n"
            "Tastenkürzel werden zum einfacheren und schnelleren arbeiten mit Corvalen genutzt",
            tk::GfCenter | tk::GfMultiLine);
  tk::panel(781, 0, 50, 500, 470);
  std::vector<uint8_t> bytes;
  const int64_t size = tk::fileSizeOf("Data/Key.list");
  bool ok = false;
  if (size < 0 || !tk::readWholeFile("Data/Key.list", bytes)) {
    tk::closeGadgetList();
    tk::messageRequester("Fehler", "Die Datei Key.list im Ordner Data wurde nicht gefunden", tk::MsgOk | tk::MsgError);
  } else if (size > MaxKeyListBytes) {
    tk::closeGadgetList();
    tk::messageRequester("Fehler", "Die Datei Key.list im Ordner Data ist beschädigt: sie ist viel zu groß.",
                         tk::MsgOk | tk::MsgError);
  } else {
    const std::vector<KeyListSection> sections = ParseKeyList(bytes);
    for (size_t i = 0; i < sections.size(); ++i) {
      const int list = 782 + int(i);
      tk::addGadgetItem(781, -1, sections[i].title);
      tk::columnList(list, 5, 5, 490, 440, "Tastenkürzel", 150, tk::GfGridLines | tk::GfBorder);
      tk::addColumn(list, 1, "Erklärung", 340);
      for (const auto& row : sections[i].rows) tk::addGadgetItem(list, -1, row.first + "\n" + row.second);
    }
    tk::closeGadgetList();
    tk::label(-1, 0, 520, 500, 20, "Durch Klick auf 'Enter' können sie dieses Fenster schließen", tk::GfBorder);
    // A section the file has no tab for shows the first tab.
    tk::setGadgetState(781, section >= 0 && size_t(section) < sections.size() ? section : 0);
    ok = true;
  }
  if (ok) {
    ModalTurns turns;
    while (turns.more()) {
      const int ev = ModalTurns::wait(ShortcutWindow);
      if (ev == tk::EvClose && tk::eventWindow() == ShortcutWindow) break;
      if (ev == tk::EvKeyUp && tk::eventWParam() == VkReturn) break;
    }
  }
  tk::disableWindow(0, false);
  tk::closeWindow(ShortcutWindow);
  backToMainWindow();
  return 0;
}

void ResetInfoWindowState() {
  ThanksGadgets.fill(-1);
  TipCount = 0;
  StatusIconsAtStart = -1;
}
