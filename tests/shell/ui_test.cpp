// The interface as start-up builds it: windows, panels and gadgets, menus, popups, the tool
// bar, the interface images and the tooltips.
#include <gtest/gtest.h>

#include <QAction>
#include <QPixmap>
#include <QToolBar>
#include <QWidget>
#include <climits>
#include <filesystem>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "documents/documents.h"
#include "shell/shell.h"
#include "toolkit/internal.h"
#include "toolkit/toolkit.h"
#include "tools/tools.h"

namespace {

constexpr int NA = INT_MIN;   // a value the table does not check

// Builds the interface afresh, as start-up does, for the tests of this suite. When the whole
// program had been started in this process before, it is started again afterwards, so the
// tests that follow find it as start-up left it.
class UiTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    startedBefore_ = !SplashStatusLog.empty();
    bildx = 250;
    CanvasTop = 92;
    areaxmax = 672;
    areaymax = 592;
    LoadResources();
    tk::createImage(6, 400, 400);
    tk::createImage(7, 400, 20);
    ASSERT_EQ(OpenMainWindow(), 1);
    CreateMenus();
    CreateWindowsAndGadgets();
    SetUpGadgetContents();
    for (int w = 0; w <= 25; ++w)
      if (tk::isWindow(w)) tk::hideWindow(w, false);
    for (int w : {1, 8, 3, 2, 22}) tk::hideWindow(w, true);
    tk::processPending();
  }
  static void TearDownTestSuite() {
    tk::drainEvents();
    if (!startedBefore_) return;
    SplashStatusLog.clear();
    SplashWaitMs = 0;
    tk::test::clear();
    EXPECT_EQ(StartUp(true), 0);
    tk::useWindow(0);
  }
  static inline bool startedBefore_ = false;
};

std::string Section(const std::string& listing, const std::string& title) {
  // The lines of one menu-bar title up to the next title.
  std::istringstream in(listing);
  std::string line, out;
  bool inside = false;
  while (std::getline(in, line)) {
    if (!line.empty() && line[0] != ' ') {
      inside = (line == title);
      continue;
    }
    if (inside) out += line + "\n";
  }
  return out;
}

std::vector<std::string> Titles(const std::string& listing) {
  std::istringstream in(listing);
  std::string line;
  std::vector<std::string> out;
  while (std::getline(in, line))
    if (!line.empty() && line[0] != ' ') out.push_back(line);
  return out;
}

std::set<int> Ids(const std::string& listing) {
  std::istringstream in(listing);
  std::string line;
  std::set<int> out;
  while (std::getline(in, line)) {
    size_t p = line.find_first_not_of(' ');
    if (p != std::string::npos && std::isdigit(static_cast<unsigned char>(line[p])))
      out.insert(std::stoi(line.substr(p)));
  }
  return out;
}

TEST_F(UiTest, WindowsHaveTheirTitlesSizesOwnersAndVisibility) {
  struct Row { int num; const char* title; int w, h, owner; bool hidden; };
  const Row rows[] = {
      {0, "Corvalen", 1018, 700, -1, false},
      {43, "Parent", 10, 10, -1, true},
      {27, "Farbe wählen", 220, 280, 0, true},
      {3, "Finden/Ersetzen", 405, 150, 0, true},
      {2, "Debugger", 300, 300, 0, true},
      {1, "Einstellungen...", 500, 400, 43, true},
      {8, "Effekte-Colormove", 255, 120, 43, true},
      {22, "PinselForm", 300, 300, 43, true},
      {28, "Schon gewusst?", 400, 300, 0, true},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE("window " + std::to_string(r.num));
    ASSERT_TRUE(tk::isWindow(r.num));
    EXPECT_EQ(tk::windowTitle(r.num), r.title);
    EXPECT_EQ(tk::windowWidth(r.num), r.w);
    EXPECT_EQ(tk::windowHeight(r.num), r.h);
    EXPECT_EQ(tk::detail::window(r.num)->owner, r.owner);
    EXPECT_EQ(tk::windowHidden(r.num), r.hidden);
  }
  if (tk::isWindow(25)) {   // the splash, until start-up closes it
    EXPECT_EQ(tk::windowWidth(25), 400);
    EXPECT_EQ(tk::windowHeight(25), 420);
    EXPECT_EQ(tk::detail::window(25)->owner, 0);
    EXPECT_EQ(tk::gadgetWindow(0), 25);
    EXPECT_EQ(tk::gadgetY(1), 400);
  }
}

TEST_F(UiTest, GadgetsHaveTheirKindPlaceTextAndVisibility) {
  struct Row { int num, window; tk::GadgetKind kind; int x, y, w, h; const char* text; int hidden; };
  using K = tk::GadgetKind;
  const Row rows[] = {
      // canvas area, splitter, header, document tabs
      {11, 0, K::GkCanvas, 30, 30, 704, 576, nullptr, false},
      {4, 0, K::GkImage, 30, 0, 704, 30, nullptr, false},
      {5, 0, K::GkImage, 0, 30, 30, 576, nullptr, false},
      {12, 0, K::GkScrollBar, 30, 606, 704, 20, nullptr, NA},
      {13, 0, K::GkScrollBar, 734, 30, 20, 576, nullptr, NA},
      {6, 0, K::GkSplitter, 0, 62, 1018, 600, nullptr, false},
      {7, 0, K::GkContainer, NA, NA, NA, NA, nullptr, false},
      {8, 0, K::GkContainer, NA, NA, NA, NA, nullptr, false},
      {2, 0, K::GkImage, 8, 33, 230, 29, nullptr, false},
      {3, 0, K::GkLabel, 8, 33, 230, 29, "Operationen", false},
      {161, 0, K::GkButton, 300, 30, 70, 32, "Unbenannt1", false},
      {165, 0, K::GkButton, 580, 30, 70, 32, "Unbenannt5", true},
      {170, 0, K::GkButton, 930, 30, 70, 32, "Unbenannt10", true},
      // drawing-settings bar
      {171, 0, K::GkContainer, 0, 30, 1024, 60, nullptr, true},
      {172, 0, K::GkPanel, 0, -21, 1024, 81, nullptr, false},
      {176, 0, K::GkLabel, 20, 20, NA, NA, "Toleranzgrenze:", true},
      {177, 0, K::GkSpin, 120, 20, 40, 20, nullptr, true},
      {173, 0, K::GkImageButton, 10, 10, 100, 40, nullptr, true},
      {180, 0, K::GkSpin, 115, 20, 80, 20, nullptr, true},
      {179, 0, K::GkOption, 200, 30, NA, NA, "Ausgangspunkt Seite", true},
      {183, 0, K::GkFrame, 325, 5, 220, 50, "DrawSteps: 1", true},
      {186, 0, K::GkButton, 515, 25, NA, NA, "+", true},
      {187, 0, K::GkCheckBox, 550, 10, NA, NA, "Übermalen erlauben", true},
      {189, 0, K::GkCombo, 550, 30, 170, NA, nullptr, false},
      {190, 0, K::GkFrame, 725, 5, 204, 50, "Transparenz", false},
      {192, 0, K::GkSlider, 755, 25, 152, 20, nullptr, false},
      {193, 0, K::GkImageButton, 907, 25, 20, 20, nullptr, false},
      // drawing panel 9
      {9, 0, K::GkScrollArea, 0, 0, 240, 570, nullptr, false},
      {10, 0, K::GkPanel, 0, 0, 230, 550, nullptr, false},
      {34, 0, K::GkImageButton, 35, 10, 40, 40, nullptr, false},
      {38, 0, K::GkImageButton, 155, 10, 40, 40, nullptr, false},
      {58, 0, K::GkImageButton, 115, 50, 40, 40, nullptr, false},
      {47, 0, K::GkImageButton, 155, 170, 40, 40, nullptr, false},
      {57, 0, K::GkImageButton, 155, 210, 40, 40, nullptr, false},
      {56, 0, K::GkImageButton, 35, 250, 40, 40, nullptr, false},
      {14, 0, K::GkImageButton, 0, 450, 220, 70, nullptr, false},
      {17, 0, K::GkImageButton, 0, 450, 220, 70, nullptr, false},
      {22, 0, K::GkImage, 0, 450, 110, 70, nullptr, true},
      {18, 0, K::GkButton, 110, 450, 110, 70, "Farbe auswählen", true},
      {21, 0, K::GkButton, 110, 460, 110, 70, "Farbe auswählen", true},
      {33, 0, K::GkImage, 0, 450, 220, 35, nullptr, true},
      {29, 0, K::GkButton, 0, 485, 220, 35, "Farbe auswählen", true},
      {91, 0, K::GkLabel, 20, 10, 80, 20, "Toleranzgrenze:", true},
      {88, 0, K::GkImageButton, 70, 20, 100, 40, nullptr, true},
      {89, 0, K::GkSpin, 50, 70, 140, 20, "Radius: 2", true},
      {94, 0, K::GkOption, 50, 120, NA, NA, "Ausgangspunkt Seite", true},
      {98, 0, K::GkFrame, 5, 170, 220, 40, "DrawSteps: 1", true},
      {102, 0, K::GkCheckBox, 20, 270, NA, NA, "Übermalen erlauben", true},
      {103, 0, K::GkFrame, 10, 300, 190, 50, "Farbeffekte", false},
      {104, 0, K::GkCombo, 10, 320, 170, NA, "Füllen", false},
      {106, 0, K::GkImageButton, 10, 390, 20, 20, nullptr, false},
      {107, 0, K::GkSlider, 30, 390, 152, 20, nullptr, false},
      {108, 0, K::GkImageButton, 182, 390, 20, 20, nullptr, false},
      {60, 0, K::GkCombo, 80, 40, 100, NA, "1", false},
      {62, 0, K::GkLabel, 30, 120, 160, 40, "Bildgröße ändern:\r\nBreite               Höhe", false},
      {64, 0, K::GkString, 100, 160, NA, NA, "", false},
      {65, 0, K::GkCheckBox, 20, 185, NA, NA, "Größenverhältnis beibehalten", false},
      {67, 0, K::GkCombo, 80, 225, 100, NA, "Momentan", false},
      {69, 0, K::GkCombo, 50, 305, 100, NA, "links oben", false},
      {70, 0, K::GkImageButton, 50, 340, 100, 20, nullptr, false},
      {71, 0, K::GkButton, 60, 385, 80, 20, "Anpassen", false},
      {72, 0, K::GkFrame, 5, 20, 185, 250, "Farbwerte/Kontrast/Helligkeit", false},
      {77, 0, K::GkSlider, 25, 60, 170, 20, nullptr, false},
      {84, 0, K::GkSlider, 35, 170, 170, 20, nullptr, false},
      {83, 0, K::GkImage, NA, NA, NA, NA, nullptr, false},
      {86, 0, K::GkButton, 75, 210, NA, NA, "OK", false},
      // marked-area panel 120
      {120, 0, K::GkScrollArea, 0, 0, 240, 570, nullptr, true},
      {121, 0, K::GkPanel, 10, 0, 210, 550, nullptr, false},
      {124, 0, K::GkButton, 10, 50, 190, 20, "Markierten Bereich umkehren", false},
      {129, 0, K::GkFrame, 5, 80, 200, 90, "Randbearbeitung", false},
      {132, 0, K::GkOption, 10, 140, NA, NA, "Rand nicht verändern", false},
      {125, 0, K::GkFrame, 5, 200, 200, 50, "", false},
      {126, 0, K::GkImageButton, 50, 210, 30, 30, nullptr, false},
      {133, 0, K::GkFrame, 5, 260, 195, 200, "Einstellungen", false},
      {137, 0, K::GkCheckBox, 20, 360, NA, NA, "Blautöne anzeigen", false},
      {160, 0, K::GkButton, 120, 500, NA, NA, "Zurücksetzen", false},
      {142, 0, K::GkSlider, 25, 60, 150, 20, nullptr, false},
      {149, 0, K::GkSlider, 25, 180, 170, 20, nullptr, false},
      {151, 0, K::GkSlider, 25, 220, 150, 20, nullptr, false},
      {154, 0, K::GkOption, NA, NA, NA, NA, "Ausserhalb", false},
      {157, 0, K::GkButton, NA, 320, NA, NA, "Abbrechen", false},
      // effects panel 352
      {352, 0, K::GkScrollArea, 0, 0, 240, 570, nullptr, true},
      {354, 0, K::GkPanel, 0, 0, 240, 560, nullptr, false},
      {355, 0, K::GkList, 5, 5, 230, 420, nullptr, false},
      {353, 0, K::GkTextBox, 0, 425, 240, 50, "Erklärung: ", false},
      {356, 0, K::GkButton, 0, 475, 240, 40, "Ausführen", false},
      {357, 0, K::GkContainer, 0, 0, NA, NA, nullptr, true},
      {361, 0, K::GkScrollArea, 0, 0, NA, NA, nullptr, true},
      {366, 0, K::GkScrollArea, 0, 0, NA, NA, nullptr, true},
      {369, 0, K::GkContainer, 0, 0, NA, NA, nullptr, true},
      {391, 0, K::GkLabel, NA, NA, NA, NA, "Stärke: 0", false},
      {392, 0, K::GkImageButton, NA, NA, NA, NA, nullptr, false},
      {394, 0, K::GkSpin, NA, NA, NA, NA, nullptr, false},
      {419, 0, K::GkLabel, NA, NA, NA, NA, "Geben sie den Farbwert ein (Wert:0-255)", false},
      {423, 0, K::GkImage, NA, NA, NA, NA, nullptr, false},
      {428, 0, K::GkSlider, NA, NA, NA, NA, nullptr, false},
      {441, 0, K::GkContainer, NA, NA, NA, NA, nullptr, false},
      {449, 0, K::GkLabel, NA, NA, NA, NA, nullptr, true},
      {450, 0, K::GkSlider, NA, NA, NA, NA, nullptr, true},
      {446, 0, K::GkSlider, NA, NA, NA, NA, nullptr, false},
      {478, 0, K::GkImageButton, NA, NA, NA, NA, nullptr, true},
      {476, 0, K::GkOption, NA, NA, NA, NA, "Durch Farbe ersetzen- RGB-Unabhängig", false},
      {437, 0, K::GkString, NA, NA, NA, NA, nullptr, false},
      {440, 0, K::GkString, NA, NA, NA, NA, nullptr, false},
      {480, 0, K::GkImageButton, NA, NA, NA, NA, nullptr, false},
      // script panel 495 and text panel 582
      {495, 0, K::GkContainer, 0, 0, 240, 560, nullptr, true},
      {496, 0, K::GkRichEdit, 5, 5, 230, 495, nullptr, false},
      {497, 0, K::GkTextBox, 0, 500, 240, 60, nullptr, false},
      {582, 0, K::GkScrollArea, 0, 0, 240, 570, nullptr, true},
      {584, 0, K::GkRichEdit, 10, 20, 220, 200, nullptr, false},
      {585, 0, K::GkCombo, 10, 240, 110, NA, nullptr, false},
      {586, 0, K::GkCombo, 120, 240, 50, NA, nullptr, false},
      {588, 0, K::GkButton, 190, 240, 20, 20, "K", false},
      {590, 0, K::GkButton, NA, NA, NA, NA, "Sonderzeichen einfügen", false},
      {593, 0, K::GkSlider, 30, 330, 140, 20, nullptr, false},
      {591, 0, K::GkImageButton, NA, NA, NA, NA, nullptr, false},
      {597, 0, K::GkButton, NA, NA, NA, NA, "Abbrechen", false},
      // colour window 27
      {809, 27, K::GkPanel, 0, 0, 240, 215, nullptr, false},
      {813, 27, K::GkSlider, 80, NA, NA, NA, nullptr, false},
      {812, 27, K::GkImage, NA, NA, NA, NA, nullptr, false},
      {820, 27, K::GkSpin, NA, NA, NA, NA, nullptr, false},
      {822, 27, K::GkString, NA, NA, NA, NA, nullptr, false},
      {823, 27, K::GkButton, NA, NA, NA, NA, "Farbe erstellen", false},
      {824, 27, K::GkSlider, NA, NA, NA, NA, nullptr, false},
      {807, 27, K::GkString, NA, NA, NA, NA, nullptr, false},
      {805, 27, K::GkImageButton, 80, 220, 130, 50, nullptr, false},
      // find and replace 3, debugger 2
      {498, 3, K::GkLabel, NA, NA, NA, NA, "Finden:", false},
      {501, 3, K::GkString, 120, 30, 260, 20, nullptr, false},
      {508, 3, K::GkCheckBox, NA, NA, NA, NA, "Groß/Kleinschreibung", false},
      {510, 3, K::GkOption, NA, NA, NA, NA, "Rückwärts suchen", false},
      {506, 3, K::GkButton, NA, NA, NA, NA, "Zum Anfang springen", false},
      {504, 3, K::GkButton, NA, NA, NA, NA, "Alle Ersetzen", false},
      {511, 2, K::GkList, 1, 1, NA, NA, nullptr, false},
      // settings 1
      {512, 1, K::GkPanel, 0, 5, 500, 360, nullptr, false},
      {515, 1, K::GkButton, NA, NA, NA, NA, "...", false},
      {518, 1, K::GkCheckBox, NA, NA, NA, NA, "'Tip des Tages' bei jedem Start", false},
      {522, 1, K::GkLabel, NA, NA, NA, NA, "Menge an möglichen Undos", false},
      {523, 1, K::GkSpin, NA, NA, NA, NA, nullptr, false},
      {529, 1, K::GkCombo, NA, NA, NA, NA, nullptr, false},
      {539, 1, K::GkButton, NA, NA, NA, NA, "F", false},
      {554, 1, K::GkImageButton, NA, NA, 200, 50, nullptr, false},
      {557, 1, K::GkRichEdit, 240, 100, 250, 40, nullptr, false},
      {560, 1, K::GkImageButton, NA, NA, NA, NA, nullptr, false},
      {563, 1, K::GkSpin, NA, NA, NA, NA, nullptr, false},
      {566, 1, K::GkOption, NA, NA, NA, NA, "Nichts anzeigen", false},
      {571, 1, K::GkOption, NA, NA, NA, NA, "Farbiger Button mit \"Farbe wählen\"", false},
      {576, 1, K::GkCheckBox, NA, NA, NA, NA,
       "Bei Neustart nach Fehler Fehlerbericht-tool-button einblenden", false},
      {578, 1, K::GkButton, NA, NA, NA, NA, "Fehlerberichte senden", false},
      {581, 1, K::GkButton, NA, NA, NA, NA, "Übernehmen", false},
      // Colormove 8, brush forms 22, tips 28, parent 43
      {613, 8, K::GkCheckBox, NA, NA, NA, NA, "Blau", false},
      {614, 8, K::GkSpin, NA, NA, NA, NA, nullptr, false},
      {615, 8, K::GkCombo, NA, NA, NA, NA, "Nach Rechts", false},
      {617, 8, K::GkButton, NA, NA, NA, NA, "Abbrechen", false},
      {491, 22, K::GkColumnList, 0, 0, 200, 300, nullptr, false},
      {492, 22, K::GkImage, 230, 40, 40, 40, nullptr, false},
      {494, 22, K::GkButton, NA, NA, NA, NA, "Abbrechen", false},
      {756, 28, K::GkRichEdit, 0, 0, 400, 250, nullptr, false},
      {754, 28, K::GkButton, NA, NA, NA, NA, "Vorheriger", false},
      {753, 28, K::GkButton, NA, NA, NA, NA, "Fertig", false},
      {837, 43, K::GkRichEdit, 0, 0, 10, 10, nullptr, false},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE("gadget " + std::to_string(r.num));
    ASSERT_TRUE(tk::isGadget(r.num));
    EXPECT_EQ(tk::gadgetKind(r.num), r.kind);
    EXPECT_EQ(tk::gadgetWindow(r.num), r.window);
    if (r.x != NA) { EXPECT_EQ(tk::gadgetX(r.num), r.x); }
    if (r.y != NA) { EXPECT_EQ(tk::gadgetY(r.num), r.y); }
    if (r.w != NA) { EXPECT_EQ(tk::gadgetWidth(r.num), r.w); }
    if (r.h != NA) { EXPECT_EQ(tk::gadgetHeight(r.num), r.h); }
    if (r.text) { EXPECT_EQ(tk::gadgetText(r.num), r.text); }
    if (r.hidden != NA) { EXPECT_EQ(tk::gadgetHidden(r.num), r.hidden != 0); }
  }
}

TEST_F(UiTest, PanelsHaveTheirTabs) {
  struct Row { int panel; std::vector<std::string> tabs; };
  const Row rows[] = {
      {10, {"Zeichnen", "Einstellungen", "Format", "Farben"}},
      {121, {"Optionen", "Farbwerte"}},
      {354, {"     Effekte           ", "       Einstellungen            "}},
      {172, {""}},
      {424, {"XAchse", "YAchse"}},
      {809, {"Palette", "Regler", "Spin", "Hex", "Hell"}},
      {512, {"Hauptprogramm", "Scripteditor", "Styles", "Bei Absturz"}},
      {524, {"Normal", "Funktionen(", "#Variablen", "\"Strings\"", ";Kommentare"}},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE("panel " + std::to_string(r.panel));
    std::vector<std::string> tabs;
    for (int i = 0; i < tk::countGadgetItems(r.panel); ++i) tabs.push_back(tk::gadgetItemText(r.panel, i));
    EXPECT_EQ(tabs, r.tabs);
  }
}

TEST_F(UiTest, GadgetsStartWithTheirValuesAndItems) {
  struct State { int gadget, state; };
  const State states[] = {
      {161, 1}, {162, 0}, {102, 1}, {60, 3}, {67, 0}, {69, 0}, {104, 0}, {189, 0},
      {74, 128}, {77, 128}, {80, 128}, {82, 128}, {84, 128}, {139, 128}, {142, 128},
      {145, 128}, {147, 128}, {149, 128}, {153, 1}, {154, 0}, {474, 1}, {475, 0}, {509, 1},
      {607, 1}, {610, 1}, {613, 1}, {593, 1}, {426, 100}, {430, 100}, {432, 100}, {436, 100},
      {428, 1}, {372, 128}, {382, 128}, {442, 128}, {472, 128}, {409, 127}, {413, 127},
      {417, 127}, {410, 50}, {414, 50}, {418, 50}, {407, 0}, {396, 1}, {399, 1}, {402, 1},
      {608, 1}, {611, 1}, {614, 1}, {422, 0}, {89, 2}, {92, tolleranz}, {177, tolleranz},
  };
  for (const State& s : states) {
    SCOPED_TRACE("gadget " + std::to_string(s.gadget));
    EXPECT_EQ(tk::gadgetState(s.gadget), s.state);
  }
  struct Text { int gadget; std::string text; };
  const Text texts[] = {{409, "255"}, {417, "255"}, {410, "0"}, {418, "0"}, {407, "0"},
                        {415, "0"}, {396, "1"}, {608, "1"}, {92, std::to_string(tolleranz)},
                        {397, "Nach Rechts"}, {422, "Nach Rechts"}};
  for (const Text& t : texts) EXPECT_EQ(tk::gadgetText(t.gadget), t.text) << "gadget " << t.gadget;
  EXPECT_TRUE(tk::gadgetDisabled(69));
  EXPECT_FALSE(tk::gadgetDisabled(68));

  struct Items { int gadget; std::vector<std::string> items; };
  const std::vector<std::string> effects = {
      "Füllen", "Tonen", "Farben umkehren", "Graustufen", "Xtremecolors", "Schattenwand",
      "Spiegeln Vertikal", "Spiegeln Horizontal", "Spiegeln Total", "Aufrauhen", "Aufhellen",
      "Abdunkeln", "Solarisation"};
  const std::vector<std::string> directions = {"Nach Rechts", "Nach Links", "Nach Oben", "Nach Unten"};
  const Items lists[] = {
      {60, {"0.25", "0.5", "0.75", "1", "2", "4", "8", "16"}},
      {67, {"Momentan", "Icon", "Druckerseite", "CdHülle", "Kasettenhülle", "Screen:1024X768",
            "Screen:800X600", "Screen:640X480"}},
      {69, {"links oben", "links Mitte", "links unten", "Mitte oben", "Mitte", "Mitte unten",
            "Rechts oben", "Rechts", "Rechts unten"}},
      {104, effects}, {189, effects},
      {397, directions}, {400, directions}, {403, directions}, {609, directions},
      {612, directions}, {615, directions}, {422, directions},
  };
  for (const Items& l : lists) {
    std::vector<std::string> got;
    for (int i = 0; i < tk::countGadgetItems(l.gadget); ++i) got.push_back(tk::gadgetItemText(l.gadget, i));
    EXPECT_EQ(got, l.items) << "gadget " << l.gadget;
  }
  for (int g : {586, 530, 534}) {
    ASSERT_EQ(tk::countGadgetItems(g), 72) << "gadget " << g;
    EXPECT_EQ(tk::gadgetItemText(g, 0), "1");
    EXPECT_EQ(tk::gadgetItemText(g, 71), "72");
  }
  ASSERT_EQ(tk::countGadgetItems(355), int(StructureEffectTable.size()));
  for (size_t i = 0; i < StructureEffectTable.size(); ++i)
    EXPECT_EQ(tk::gadgetItemText(355, int(i)), StructureEffectTable[i].name);
}

TEST_F(UiTest, CanvasAreaFollowsTheCanvasGadget) {
  EXPECT_EQ(areaxmax, tk::gadgetWidth(11));
  EXPECT_EQ(areaymax, tk::gadgetHeight(11));
  EXPECT_EQ(tk::imageWidth(17), areaxmax);
  EXPECT_EQ(tk::imageHeight(17), 30);
  EXPECT_EQ(tk::imageWidth(18), 30);
  EXPECT_EQ(tk::imageHeight(18), areaymax);
  EXPECT_TRUE(tk::isImage(0));
  EXPECT_TRUE(tk::isImage(3));
  // The side-panel column keeps its width; the view starts where the canvas really is.
  EXPECT_EQ(tk::gadgetState(6), 250);
  EXPECT_EQ(tk::gadgetX(7) + 30, bildx);
}

const char* const kMenu0 =
    "Datei\n"
    "  17 Neu                        Strg+N\n"
    "  18 Öffnen                   Strg+O\n"
    "  19 Speichern               Strg+S\n"
    "  20 Speichern als\n"
    "  ---\n"
    "  22 Zu Pinselformen hinzufügen\n"
    "  21 Zu Structures hinzufügen\n"
    "  ---\n"
    "  23 Schließen              Strg+W\n"
    "  24 Alle Schließen\n"
    "  ---\n"
    "  1 SeitenAnsicht\n"
    "  0 Drucken\n"
    "  ---\n"
    "  25 Einstellungen...\n"
    "  ---\n"
    "  26 Beenden\n"
    "Bearbeiten\n"
    "  5 Rückgängig                       Strg+Z\n"
    "  6 Wiederholen                      Strg+Z\n"
    "  27 Umbenennen\n"
    "  ---\n"
    "  > Farbwerte\n"
    "    34 Rottöne anzeigen\n"
    "    36 Grüntöne anzeigen\n"
    "    35 Blautöne anzeigen\n"
    "  > Farben\n"
    "    37 16.000.000 Farben  [x]\n"
    "    38 256 Farben \n"
    "  40 Palette laden\n"
    "  39 Palette erstellen\n"
    "  41 Bild an Palette anpassen\n"
    "  42 Durchschnittsfarben aktualisieren\n"
    "Effekte\n"
    "  146 Füllen\n"
    "  ---\n"
    "  > FarbEffekte\n"
    "    > Graustufen\n"
    "      45 Graustufen RGB\n"
    "      > Extremwerte\n"
    "        46 Minimalwerte\n"
    "        47 Maximalwerte\n"
    "      > 1 Farbkanal\n"
    "        48 Rot\n"
    "        49 Gruen\n"
    "        50 Blau\n"
    "      > 2 Farbkanäle\n"
    "        51 Rot + Grün\n"
    "        52 Rot + Blau\n"
    "        53 Grün + Blau\n"
    "    54 Zweifarbenverlauf\n"
    "    ---\n"
    "    74 Xtreme Colors\n"
    "    75 Schattenriss\n"
    "    > Xor-Effekte\n"
    "      58 Xor-Effekt mit Festwert\n"
    "      59 Xor-Effekt mit Farbwert\n"
    "    > Or-Effekte\n"
    "      62 Or-Effekt mit Festwert\n"
    "      63 Or-Effekt mit Farbwert\n"
    "    > And-Effekte\n"
    "      60 And-Effekt mit Festwert\n"
    "      61 And-Effekt mit Farbwert\n"
    "    ---\n"
    "    151 ColorEffekt\n"
    "    106 Tonen\n"
    "    107 Colormove\n"
    "    114 Farbintensität ändern\n"
    "    > Farbumkehrung\n"
    "      43 Standard\n"
    "      44 Am Durchschnitt\n"
    "      ---\n"
    "      56 Untere Hälfte\n"
    "      55 Obere Hälfte/Solarisation\n"
    "      57 Farbfernnah\n"
    "    > Farben vertauschen\n"
    "      97 RGB\n"
    "      98 RBG\n"
    "      99 GRB\n"
    "      100 GBR\n"
    "      101 BRG\n"
    "      102 BGR\n"
    "    > Farbspectrum\n"
    "      103 Farbspektrum korrigieren\n"
    "      104 Farbspektrum anpassen\n"
    "      105 Farbbereich ausräumen\n"
    "    > Farbwert gleichstellen\n"
    "      117 Rot\n"
    "      118 Gruen\n"
    "      119 Blau\n"
    "    > Farbwerte kopieren\n"
    "      138 Rotwerte    =   Grünwerte\n"
    "      136 Rotwerte    =    Blauwerte\n"
    "      ---\n"
    "      140 Grünwerte   =   Rotwerte\n"
    "      137 Grünwerte  =    Blauwerte\n"
    "      ---\n"
    "      141 Blauwerte    =   Rotwerte\n"
    "      139 Blauwerte   =   Grünwerte\n"
    "  > Verformungen\n"
    "    147 WellenEffekt\n"
    "    148 Verschiebeeffekt\n"
    "    ---\n"
    "    > Spiegeln\n"
    "      91 Horizontal\n"
    "      92 Vertical\n"
    "    > Drehen\n"
    "      93 90°\n"
    "      94 180°\n"
    "      95 270°\n"
    "      ---\n"
    "      96 Frei drehen\n"
    "    > Sprengen\n"
    "      152 Implodieren\n"
    "      153 Explodieren\n"
    "      149 Sprenkeln\n"
    "    > Strudel\n"
    "      155 Linksherum\n"
    "      154 Rechtsherum\n"
    "    ---\n"
    "    77 VerformungsEffekte\n"
    "    150 Eigene Effektfunktion\n"
    "  > FotoEffekte\n"
    "    > Farbbereiche hervorheben\n"
    "      120 Helle Bereiche erweitern\n"
    "      121 Dunkle Bereiche erweitern\n"
    "      ---\n"
    "      122 Helle, rote Bereiche erweitern\n"
    "      123 Dunkle, rote Bereiche erweitern\n"
    "      ---\n"
    "      124 Helle, gruene Bereiche erweitern\n"
    "      125 Dunkle, gruene Bereiche erweitern\n"
    "      ---\n"
    "      126 Helle, blaue Bereiche erweitern\n"
    "      127 Dunkle, blaue Bereiche erweitern\n"
    "    > Farbbereiche verstärken\n"
    "      128 Helle Bereiche verstärken\n"
    "      129 Dunkle Bereiche verstärken\n"
    "      ---\n"
    "      130 Helle, rote Bereiche verstärken\n"
    "      131 Dunkle, rote Bereiche verstärken\n"
    "      ---\n"
    "      132 Helle, gruene Bereiche verstärken\n"
    "      133 Dunkle, gruene Bereiche verstärken\n"
    "      ---\n"
    "      134 Helle, blaue Bereiche verstärken\n"
    "      135 Dunkle, blaue Bereiche verstärken\n"
    "    108 Weichzeichnen\n"
    "    109 Scharfzeichnen\n"
    "    115 Schärfen\n"
    "    115 UnSchärfen\n"
    "  > Sonstige\n"
    "    > Relief\n"
    "      142 Farbiges Relief\n"
    "      143 Helles, farbiges Relief\n"
    "      144 Normales Relief\n"
    "      145 Helles, normales Relief\n"
    "    > Verrauschen\n"
    "      64 Bunt Verrauschen\n"
    "      66 Helligkeitsrauschen\n"
    "      65 Einfarbig verrauschen\n"
    "    73 Verwischen\n"
    "    112 Schieleffekt\n"
    "    113 Incircle\n"
    "    > Strukturieren\n"
    "      67 Schacheffekt\n"
    "      68 Kreisflächestruktur\n"
    "    > Wind\n"
    "      69 Von Oben\n"
    "      70 Von Unten\n"
    "      71 Von Links\n"
    "      72 Von Rechts\n"
    "    > Blur\n"
    "      84 nach oben\n"
    "      85 nach unten\n"
    "      86 nach links\n"
    "      87 nach rechts\n"
    "    ---\n"
    "    ---\n"
    "    > Specials\n"
    "      88 Special 1\n"
    "      89 Special 2\n"
    "      90 Special 3\n"
    "    > Linedoubling\n"
    "      110 Linedouble\n"
    "      111 Linedouble_mirror\n"
    "    > Gittereffekte\n"
    "      78 FarbGitter\n"
    "      79 LinksGitter\n"
    "      80 rechtsGitter\n"
    "      81 ObenGitter\n"
    "      82 UntenGitter\n"
    "      83 LogischesGitter\n"
    "Bild\n"
    "  156 Größe ändern\n"
    "  > Einfügen\n"
    "    32 Einfügen aus                        Shift+V\n"
    "    33 Einfügen                              Strg+V\n"
    "    ---\n"
    "    157 1.) <Leer>\n"
    "    158 2.) <Leer>\n"
    "    159 3.) <Leer>\n"
    "    160 4.) <Leer>\n"
    "    161 5.) <Leer>\n"
    "    162 6.) <Leer>\n"
    "    163 7.) <Leer>\n"
    "    164 8.) <Leer>\n"
    "    165 9.) <Leer>\n"
    "    166 10.) <Leer>\n"
    "  > Kopieren&Ausschneiden\n"
    "    28 Kopieren                             Strg+C\n"
    "    29 Ausschneiden                     Strg+X\n"
    "    167 Bild in Zwischenspeicher legen\n"
    "    ---\n"
    "    30 Bereich kopieren                 Shift+C [-]\n"
    "    31 Bereich ausschneiden         Shift+X [-]\n"
    "    168 Markierten Bereich in Zwischenspeicher legen\n"
    "Ansicht\n"
    "  8 OperationenFenster\n"
    "  9 EditorFenster\n"
    "  10 EffekteFenster\n"
    "  ---\n"
    "  1 DruckVorschau\n"
    "  7 VollbildVorschau\n"
    "  ---\n"
    "  > GitterNetz\n"
    "    170 Kein Gitter [x]\n"
    "    > In Pixel\n"
    "      171 Alle 10 Pixel\n"
    "      172 Alle 50 Pixel\n"
    "      173 Alle 100 Pixel\n"
    "      174 Alle 150 Pixel\n"
    "      175 Alle 200 Pixel\n"
    "      176 Alle 250 Pixel\n"
    "    > In Zentimeter\n"
    "      177 Alle 0.5 cm\n"
    "      178 Alle 1 cm\n"
    "      179 Alle 1,5 cm\n"
    "      180 Alle 2 cm\n"
    "      181 Alle 2,5cm\n"
    "      182 Alle 3 cm\n"
    "    183 Horizontale Linien\n"
    "    184 Vertikale Linien\n"
    "  > Lineal\n"
    "    185 Lineal anzeigen\n"
    "    ---\n"
    "    186 In Zentimetern\n"
    "    187 In Pixeln\n"
    "    ---\n"
    "    188 Horizontale Leiste\n"
    "    189 Vertikale Leiste\n"
    "  > Fensteraufteilung\n"
    "    191 Nur ZeichenFenster\n"
    "    192 Nur Operationen/Effekte\n"
    "    190 Normaleeinstellung\n"
    "  ---\n"
    "  193 Zusatzleiste für Zeicheneinstellungen anzeigen\n"
    "  194 Farbfenster anzeigen\n"
    "  ---\n"
    "  195 Farbverteilung anzeigen\n"
    "Extras\n"
    "  196 DesktopHintergrund setzen\n"
    "  197 Text in Bild verschlüsseln\n"
    "  198 Verschlüsselten Text aus Bild lesen\n"
    "  199 Glimvane starten\n"
    "  200 Pavetticreator starten\n"
    "  201 Oxbrel-Hilfsprogramm zur Erstellung von Ambigrammen\n"
    "Hilfe\n"
    "  > FAQ\n"
    "    209 Wie erstelle ich ein Icon?\n"
    "    202 Wie ändere ich die Größe eines Bildes?\n"
    "    210 Wie schließe ich ein Vieleck?\n"
    "    208 Was kann die Vollbildvorschau?\n"
    "    206 Wie stelle ich die Zeichenfunktionen ein?\n"
    "    204 Was sind StructureSections, wie funktionieren sie?\n"
    "    205 Wie stelle ich die Lineale ein?\n"
    "    207 Wie stelle ich die Gitternetzlinien ein?\n"
    "  211 Hilfe                                      F1\n"
    "  212 Das Tutorial\n"
    "  213 Tastenkürzel                Strg+ Space\n"
    "  ---\n"
    "  214 About\n";

TEST_F(UiTest, ImageMenuListsEveryTitleAndItem) {
  EXPECT_EQ(tk::testMenuStructure(0), kMenu0);
  EXPECT_EQ(tk::attachedMenu(0), 0);
}

TEST_F(UiTest, ScriptMenuDiffersFromTheImageMenuWhereItShould) {
  const std::string m0 = tk::testMenuStructure(0), m1 = tk::testMenuStructure(1);
  EXPECT_EQ(Titles(m1), (std::vector<std::string>{"Datei", "Bearbeiten", "Einfügen...", "Ansicht",
                                                  "Erstellen", "Extras", "Hilfe"}));
  std::string file0 = Section(m0, "Datei");
  const std::string after21 = "  21 Zu Structures hinzufügen\n";
  file0.insert(file0.find(after21) + after21.size(), "  216 Quelltext in HTML exportieren\n");
  EXPECT_EQ(Section(m1, "Datei"), file0);
  EXPECT_EQ(Section(m1, "Bearbeiten"),
            "  5 Rückgängig                       Strg+Z\n"
            "  6 Wiederholen                      Strg+Z\n"
            "  27 Umbenennen\n"
            "  ---\n"
            "  3 Kopieren                             Strg+C\n"
            "  2 Ausschneiden                     Strg+X\n"
            "  ---\n"
            "  4 Einfügen                              Strg+V\n"
            "  ---\n"
            "  219 Suchen                                Strg+F\n"
            "  220 Alles Markieren                    Strg+A\n");
  EXPECT_EQ(Section(m1, "Einfügen..."),
            "  222 OpenBitmap()\n  223 SaveBitmap()\n  224 OpenTBit()\n  227 SelectPalette()\n"
            "  225 PasteBitmap()\n  226 PasteTBit()\n  ---\n  230 Sonderzeichen\n"
            "  231 Schrift/Größe/Attribute\n  ---\n  233 StructureSection\n  232 SetDrawForm\n"
            "  > Externen Code einfügen\n    228 Datei einfügen\n    229 IncludeFile()\n");
  std::string view0 = Section(m0, "Ansicht");
  view0 = view0.substr(0, view0.find("    190 Normaleeinstellung\n") + 27);
  view0.replace(view0.find("Nur Operationen/Effekte"), 23, "Nur Editor");
  EXPECT_EQ(Section(m1, "Ansicht"), view0);
  EXPECT_EQ(Section(m1, "Erstellen"),
            "  234 Debugger anzeigen [x]\n  235 Debugliste löschen\n  ---\n"
            "  236 Fortschrittsanzeiger\n  ---\n  237 Bild erstellen                     F5\n");
  EXPECT_EQ(Section(m1, "Extras"), Section(m0, "Extras"));
  EXPECT_EQ(Section(m1, "Hilfe"), Section(m0, "Hilfe"));
  // Menu 1 waits detached until the script view asks for it.
  for (int w = 0; w <= 43; ++w)
    if (tk::isWindow(w)) { EXPECT_NE(tk::attachedMenu(w), 1) << "window " << w; }
}

TEST_F(UiTest, PopupsCarryTheirIds) {
  EXPECT_EQ(tk::testMenuStructure(17),
            "> Einfügen\n  239 Aus datei\n  240 Aus Zwischenablage\n  ---\n"
            "  245 1.)<Leer>\n  246 2.)<Leer>\n  247 3.)<Leer>\n  248 4.)<Leer>\n  249 5.)<Leer>\n"
            "  250 6.)<Leer>\n  251 7.)<Leer>\n  252 8.)<Leer>\n  253 9.)<Leer>\n  254 10.)<Leer>\n"
            "243 Bereich kopieren [-]\n244 Bereich ausschneiden [-]\n241 Bild kopieren\n"
            "242 Bild ausschneiden\n");
  EXPECT_EQ(tk::testMenuStructure(2),
            "462 FehlerBerichte senden\n463 FehlerBerichte einsehen\n---\n464 Jetzt nicht\n"
            "465 Hör auf, mich zu nerven!!!!!!\n");

  // Popup 14: every effect of the area, no "Extremwerte", no 115, "&" in the channel pairs.
  const std::string p14 = tk::testMenuStructure(14);
  std::set<int> expected;
  for (int id = 256; id <= 367; ++id) expected.insert(id);
  for (int missing : {283, 344, 347, 350}) expected.erase(missing);
  EXPECT_EQ(Ids(p14), expected);
  EXPECT_EQ(p14.find("Extremwerte"), std::string::npos);
  EXPECT_EQ(p14.find("Schärfen"), std::string::npos);
  EXPECT_NE(p14.find("    > 2 Farbkanäle\n      266 Rot & Grün\n      267 Rot & Blau\n      268 Grün & Blau\n"),
            std::string::npos);
  EXPECT_NE(p14.find("  > Farbwerte kopieren\n    334 Rotwerte    =   Grünwerte\n"
                     "    332 Rotwerte    =    Blauwerte\n    ---\n    336 "),
            std::string::npos);
  EXPECT_EQ(p14.substr(0, 21), "256 Füllen\n---\n> Farb");

  std::string recent;
  for (int id = 451; id <= 460; ++id) recent += std::to_string(id) + " \n";
  EXPECT_EQ(tk::testMenuStructure(16), recent);
  struct Popup { int num; std::set<int> ids; };
  const Popup options[] = {{4, {467, 468, 469, 470, 471, 472, 473}}, {7, {474, 475}}, {6, {476, 477}},
                           {5, {478, 479}}, {9, {480, 481, 482, 483}}, {10, {484, 485}},
                           {11, {486, 487}}, {13, {488, 489, 490}}};
  for (const Popup& p : options) EXPECT_EQ(Ids(tk::testMenuStructure(p.num)), p.ids) << "popup " << p.num;
}

TEST_F(UiTest, ToolBarButtonsInOrderWithTheScriptButtonsHidden) {
  QToolBar* bar = qobject_cast<QToolBar*>(tk::detail::window(0)->toolBar.data());
  ASSERT_NE(bar, nullptr);
  std::string order, hidden;
  for (QAction* a : bar->actions()) {
    if (a->isSeparator()) {
      order += "| ";
      continue;
    }
    order += std::to_string(a->data().toInt()) + " ";
    if (!a->isVisible()) hidden += std::to_string(a->data().toInt()) + " ";
  }
  EXPECT_EQ(order, "17 18 19 | 2 3 4 5 6 | | 0 1 7 | | 8 9 10 11 | 25 | 16 211 | | | 237 219 221 14 15 ");
  EXPECT_EQ(hidden, "237 219 221 14 15 ");
  tk::drainEvents();
  EXPECT_TRUE(tk::testClickToolBarButton(5, 8));
  ASSERT_EQ(tk::pollEvent(), tk::EvMenu);
  EXPECT_EQ(tk::eventMenu(), 8);
  EXPECT_FALSE(tk::testClickToolBarButton(5, 237));
}

TEST_F(UiTest, InitialChecksAndDisables) {
  EXPECT_TRUE(tk::menuItemChecked(0, 37));
  EXPECT_FALSE(tk::menuItemChecked(0, 38));
  EXPECT_TRUE(tk::menuItemChecked(0, 170));
  EXPECT_TRUE(tk::menuItemChecked(1, 170));
  EXPECT_TRUE(tk::menuItemChecked(1, 234));
  EXPECT_FALSE(tk::menuItemChecked(0, 193));
  for (int id : {30, 31, 243, 244}) EXPECT_FALSE(tk::menuIdEnabled(id)) << id;
  for (int id : {32, 33, 239, 240, 28, 29, 241, 242}) EXPECT_TRUE(tk::menuIdEnabled(id)) << id;
  // Both bars carry the commands they share: 0-27 and 170-214 trigger from either.
  for (int id : {0, 17, 25, 170, 190, 214}) {
    EXPECT_TRUE(tk::testTriggerMenuItem(0, id)) << id;
    EXPECT_TRUE(tk::testTriggerMenuItem(1, id)) << id;
  }
  tk::drainEvents();
}

TEST_F(UiTest, TooltipsFollowTheSetting) {
  SetToolbarTooltips(1);
  EXPECT_EQ(tk::gadgetToolTip(34), "Frei Markieren");
  EXPECT_EQ(tk::gadgetToolTip(193), "Totale Transparenz");
  EXPECT_EQ(tk::gadgetToolTip(126), "Bereich verschieben");
  QToolBar* bar = qobject_cast<QToolBar*>(tk::detail::window(0)->toolBar.data());
  ASSERT_NE(bar, nullptr);
  auto tip = [&](int id) {
    for (QAction* a : bar->actions())
      if (!a->isSeparator() && a->data().toInt() == id) return tk::fromQt(a->toolTip());
    return std::string("?");
  };
  EXPECT_EQ(tip(221), "Letztes Verändern rückgängig machen");
  EXPECT_EQ(tip(18), "Datei öffnen");
  SetToolbarTooltips(0);
  EXPECT_EQ(tk::gadgetToolTip(34), "");
  EXPECT_EQ(tk::gadgetToolTip(84), "");
  EXPECT_EQ(tip(18), "");
}

TEST_F(UiTest, DrawnInterfaceImagesHaveTheirSizes) {
  struct Row { int first, last, w, h; };
  const Row rows[] = {{74, 75, 10, 10},   {43, 43, 150, 150}, {138, 138, 100, 40},
                      {59, 68, 40, 20},   {72, 73, 120, 40},  {76, 84, 20, 20},
                      {87, 87, 16, 16},   {92, 92, 16, 16},   {116, 135, 100, 40},
                      {140, 140, 100, 40}, {49, 49, 512, 20}, {40, 40, 100, 20},
                      {42, 42, 100, 20},  {24, 24, 100, 20},  {55, 55, 220, 70},
                      {56, 56, 110, 70},  {57, 57, 220, 35},  {58, 58, 130, 50},
                      {112, 115, 6, 12},  {69, 71, 10, 182}};
  int count = 0;
  for (const Row& r : rows)
    for (int n = r.first; n <= r.last; ++n, ++count) {
      SCOPED_TRACE("image " + std::to_string(n));
      ASSERT_TRUE(tk::isImage(n));
      EXPECT_EQ(tk::imageWidth(n), r.w);
      EXPECT_EQ(tk::imageHeight(n), r.h);
    }
  EXPECT_EQ(count, 63);
  // The line pictures grow by two pixels: 1, 3, ..., 15 black rows at x 50.
  for (int k = 0; k <= 7; ++k) {
    int stride = 0;
    const uint32_t* cells = tk::imageCells(116 + k, &stride);
    ASSERT_NE(cells, nullptr);
    int black = 0;
    for (int y = 0; y < 40; ++y) black += (cells[y * stride + 50] & 0xFFFFFF) == 0;
    EXPECT_EQ(black, 1 + 2 * k) << "image " << 116 + k;
    EXPECT_EQ(cells[0] & 0xFFFFFF, 0xFFFFFFu);
  }
}

TEST(UiResourcesTest, InterfaceFilesLoadWhenPresentAndStayAbsentOtherwise) {
  namespace fs = std::filesystem;
  const fs::path folder = fs::temp_directory_path() / ("corvalen_ui_" + std::to_string(::getpid()));
  fs::remove_all(folder);
  fs::create_directories(folder / "Data");
  tk::createImage(999, 33, 17, 24, 0x00FF00);
  ASSERT_TRUE(tk::saveImage(999, (folder / "Data" / "OK.ico").string(), tk::FormatPNG));
  ASSERT_TRUE(tk::saveImage(999, (folder / "Data" / "Operationenbar.png").string(), tk::FormatPNG));
  tk::freeImage(999);
  const std::string old = tk::programFolder();
  tk::setProgramFolder(folder.string() + "/");
  tk::test::clear();
  LoadResources();
  tk::setProgramFolder(old);
  EXPECT_TRUE(tk::test::shown().empty());
  EXPECT_EQ(tk::imageWidth(100), 33);   // "Data\OK.ico", written with a backslash
  EXPECT_EQ(tk::imageHeight(10), 17);
  for (int n : {85, 86, 89, 11, 14, 12, 13, 38, 97, 98, 99, 101, 102, 103, 90, 93, 94, 136, 137})
    EXPECT_FALSE(tk::isImage(n)) << "image " << n;
  fs::remove_all(folder);
  LoadResources();   // as the program folder has them
}

TEST_F(UiTest, MainWindowPicture) {
  QWidget* top = tk::detail::window(0)->top;
  ASSERT_NE(top, nullptr);
  tk::processPending();
  QPixmap shot = top->grab();
  EXPECT_FALSE(shot.isNull());
  const std::string path = std::string(PROGRAM_FOLDER) + "/../ui_window0.png";
  EXPECT_TRUE(shot.save(QString::fromStdString(path)));
}

}  // namespace
