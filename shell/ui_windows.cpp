// The windows of the main program and every panel and gadget in them, built once at
// start-up; afterwards they are only shown, hidden, enabled and disabled.
#include <cstdlib>
#include <string>

#include "documents/documents.h"
#include "script/script.h"
#include "shell/shell.h"
#include "tools/tools.h"
#include "toolkit/toolkit.h"

namespace {

// Pictures of the tool buttons, loaded from "Data/": image ToolImageBase + gadget.
constexpr int ToolImageBase = 900;

constexpr unsigned MainFrame = tk::WfCaption | tk::WfSystemMenu | tk::WfSizing | tk::WfMinimize |
                               tk::WfMaximize;
constexpr unsigned DialogFrame = tk::WfCaption | tk::WfSystemMenu | tk::WfHidden;

// Font numbers of the tab panel of the drawing panel and of the "Hintergrund" button.
constexpr int FontDrawPanel = 18;
constexpr int FontBackgroundButton = 19;

// The tab panel of the colour field of the effects settings (a free number).
int gColourTab = -1;

// The three forms of the current-colour field at the bottom of tab `tab` (0..3) of the
// drawing panel; only the first is shown until the colour-button style is applied.
void CurrentColourFields(int tab) {
  tk::imageButton(14 + tab, 0, 450, 220, 70, 55);
  tk::imageGadget(22 + tab, 0, 450, 110, 70, 56);
  tk::button(18 + tab, 110, tab == 3 ? 460 : 450, 110, 70, "Farbe auswählen", tk::GfMultiLine);
  tk::imageGadget(30 + tab, 0, 450, 220, 35, 57);
  tk::button(26 + tab, 0, 485, 220, 35, "Farbe auswählen", tk::GfMultiLine);
  for (int g : {18 + tab, 22 + tab, 26 + tab, 30 + tab}) tk::hideGadget(g, true);
}

void ToolButton(int gadget, int x, int y, const std::string& name) {
  const int image = ToolImageBase + gadget;
  if (tk::loadImage(image, "Data/" + name + ".png") < 0) tk::freeImage(image);
  tk::imageButton(gadget, x, y, 40, 40, image, tk::GfToggle);
}

// ---- window 0 -----------------------------------------------------------------------

void BuildCanvasArea(int W, int H) {
  tk::container(7, bildx - 30, CanvasTop - 30, W - bildx - 10, H - 100);
  tk::imageGadget(4, 30, 0, areaxmax, 30, 17);
  tk::imageGadget(5, 0, 30, 30, areaymax, 18);
  tk::canvas(11, 30, 30, 704, 576);
  areaxmax = tk::gadgetWidth(11);
  areaymax = tk::gadgetHeight(11);
  tk::resizeGadget(4, 30, 0, areaxmax, 30);
  tk::resizeGadget(5, 0, 30, 30, areaymax);
  tk::scrollBar(12, 30, areaymax + 30, areaxmax, 20, 0, 0, 1);
  tk::scrollBar(13, areaxmax + 30, 30, 20, areaymax, 0, 0, 1, tk::GfVertical);
  tk::closeGadgetList();

  tk::createImage(17, areaxmax, 30, 24, 0xFFFFFF);
  tk::createImage(18, 30, areaymax, 24, 0xFFFFFF);
  tk::createImage(0, areaxmax, areaymax);
  tk::createImage(3, areaxmax, areaymax);
}

void BuildDrawSettingsBar() {
  tk::container(171, 0, 30, 1024, 60);
  tk::panel(172, 0, -21, 1024, 81);
  tk::addGadgetItem(172, -1, "");
  tk::label(176, 20, 20, 95, 20, "Toleranzgrenze:");
  tk::spinField(177, 120, 20, 40, 20, 0, 127);
  tk::checkBox(178, 250, 20, 120, 20, "Weiche Ränder");
  tk::imageButton(173, 10, 10, 100, 40, 116);
  tk::spinField(174, 115, 20, 80, 20, 1, 400);
  tk::spinField(180, 115, 20, 80, 20, 10, 400);
  tk::option(175, 200, 10, 125, 20, "Ausgangspunkt Mitte");
  tk::option(179, 200, 30, 125, 20, "Ausgangspunkt Seite");
  tk::checkBox(181, 200, 10, 120, 20, "X Spiegelverkehrt");
  tk::checkBox(182, 200, 30, 120, 20, "Y Spiegelverkehrt");
  tk::frame(183, 325, 5, 220, 50, "DrawSteps: 1");
  tk::button(184, 335, 25, 20, 20, "-");
  tk::slider(185, 355, 25, 160, 20, 1, 200);
  tk::button(186, 515, 25, 20, 20, "+");
  tk::checkBox(187, 550, 10, 170, 20, "Übermalen erlauben");
  tk::comboBox(189, 550, 30, 170, 300);
  tk::frame(190, 725, 5, 204, 50, "Transparenz");
  tk::imageButton(191, 735, 25, 20, 20, 83);
  tk::slider(192, 755, 25, 152, 20, 0, 255);
  tk::imageButton(193, 907, 25, 20, 20, 84);
  tk::closeGadgetList();   // panel 172
  tk::closeGadgetList();   // container 171
  for (int g = 173; g <= 187; ++g) tk::hideGadget(g, true);
  tk::hideGadget(171, true);
}

void BuildDrawingPanel() {
  tk::scrollArea(9, 0, 0, 240, 570, 230, 550, 1);
  tk::panel(10, 0, 0, 230, 550);

  tk::addGadgetItem(10, -1, "Zeichnen");
  struct Tool { int gadget; const char* name; };
  static const Tool kTools[7][4] = {
      {{34, "Lasso"}, {35, "Viereckmarkieren"}, {36, "KreisMark"}, {38, "Vieleckmark"}},
      {{39, "Pipette"}, {40, "Verzerren"}, {58, "Wisch"}, {43, "Text"}},
      {{44, "Sprühdose"}, {41, "Freihand"}, {42, "Pinsel"}, {45, "Radiergummi"}},
      {{48, "Kreis"}, {49, "Ellipse"}, {50, "Viereck"}, {54, "Raute"}},
      {{52, "Linie"}, {53, "Linie_Autograde"}, {51, "Vieleck"}, {47, "Bezier"}},
      {{46, "Fill"}, {37, "Zauberstab"}, {55, "Zirkel"}, {57, "Pipette_Area"}},
      {{56, "Drawform"}, {0, nullptr}, {0, nullptr}, {0, nullptr}},
  };
  for (int row = 0; row < 7; ++row)
    for (int col = 0; col < 4; ++col)
      if (kTools[row][col].name)
        ToolButton(kTools[row][col].gadget, 35 + 40 * col, 10 + 40 * row, kTools[row][col].name);
  CurrentColourFields(0);

  tk::addGadgetItem(10, -1, "Einstellungen");
  tk::label(91, 20, 10, 80, 20, "Toleranzgrenze:");
  tk::spinField(92, 120, 10, 40, 20, 0, 127);
  tk::checkBox(93, 20, 60, 150, 20, "Weiche Ränder");
  tk::imageButton(88, 70, 20, 100, 40, 116);
  tk::spinField(89, 50, 70, 140, 20, 1, 400);
  tk::option(90, 50, 100, 150, 20, "Ausgangspunkt Mitte");
  tk::option(94, 50, 120, 150, 20, "Ausgangspunkt Seite");
  tk::spinField(95, 20, 100, 100, 20, 10, 400);
  tk::checkBox(96, 20, 120, 150, 20, "X Spiegelverkehrt");
  tk::checkBox(97, 20, 140, 150, 20, "Y Spiegelverkehrt");
  tk::frame(98, 5, 170, 220, 40, "DrawSteps: 1");
  tk::button(99, 15, 185, 20, 20, "-");
  tk::slider(100, 35, 185, 160, 20, 1, 200);
  tk::button(101, 195, 185, 20, 20, "+");
  tk::checkBox(102, 20, 270, 170, 20, "Übermalen erlauben");
  tk::frame(103, 10, 300, 190, 50, "Farbeffekte");
  tk::comboBox(104, 10, 320, 170, 300);
  tk::frame(105, 8, 370, 204, 50, "Transparenz");
  tk::imageButton(106, 10, 390, 20, 20, 83);
  tk::slider(107, 30, 390, 152, 20, 0, 255);
  tk::imageButton(108, 182, 390, 20, 20, 84);
  CurrentColourFields(1);

  tk::addGadgetItem(10, -1, "Format");
  tk::label(61, 10, 45, 70, 20, "Pixelgröße:");
  tk::comboBox(60, 80, 40, 100, 200);
  tk::label(62, 30, 120, 160, 40, "Bildgröße ändern:\r\nBreite               Höhe", tk::GfMultiLine);
  tk::stringField(63, 20, 160, 60, 20, "", tk::GfNumbers);
  tk::stringField(64, 100, 160, 60, 20, "", tk::GfNumbers);
  tk::checkBox(65, 20, 185, 200, 20, "Größenverhältnis beibehalten");
  tk::label(66, 10, 230, 70, 20, "Sondergröße:");
  tk::comboBox(67, 80, 225, 100, 100);
  tk::checkBox(68, 10, 285, 180, 20, "Bildgröße beibehalten");
  tk::comboBox(69, 50, 305, 100, 100);
  tk::imageButton(70, 50, 340, 100, 20, 24);
  tk::button(71, 60, 385, 80, 20, "Anpassen");
  CurrentColourFields(2);

  tk::addGadgetItem(10, -1, "Farben");
  tk::frame(72, 5, 20, 185, 250, "Farbwerte/Kontrast/Helligkeit");
  tk::imageGadget(73, 5, 30, 20, 20, 79);
  tk::slider(74, 25, 30, 170, 20, 0, 255);
  tk::imageGadget(75, 195, 30, 20, 20, 80);
  tk::imageGadget(76, 5, 60, 20, 20, 81);
  tk::slider(77, 25, 60, 170, 20, 0, 255);
  tk::imageGadget(78, 195, 60, 20, 20, 82);
  tk::imageGadget(79, 10, 130, 20, 20, 76);
  tk::slider(80, 35, 130, 170, 20, 0, 255);
  tk::imageGadget(81, 10, 150, 20, 20, 77);
  tk::slider(82, 35, 150, 170, 20, 0, 255);
  tk::imageGadget(83, 10, 170, 20, 20, 78);
  tk::slider(84, 35, 170, 170, 20, 0, 255);
  tk::button(85, 10, 210, 60, 20, "Test");
  tk::button(86, 75, 210, 40, 20, "OK");
  tk::button(87, 120, 210, 65, 20, "Abbrechen");
  CurrentColourFields(3);

  tk::closeGadgetList();   // panel 10
  tk::closeGadgetList();   // scroll area 9

  for (int g = 88; g <= 102; ++g) tk::hideGadget(g, true);
  tk::setGadgetState(102, 1);
  tk::disableGadget(69, true);
  for (int g : {74, 77, 80, 82, 84}) tk::setGadgetState(g, 128);
}

void BuildAreaPanel() {
  tk::scrollArea(120, 0, 0, 240, 570, 240, 570, 1);
  tk::panel(121, 10, 0, 210, 550);

  tk::addGadgetItem(121, -1, "Optionen");
  tk::button(122, 10, 10, 190, 20, "Effekte");
  tk::button(123, 10, 30, 190, 20, "StructureSection");
  tk::button(124, 10, 50, 190, 20, "Markierten Bereich umkehren");
  tk::frame(129, 5, 80, 200, 90, "Randbearbeitung");
  tk::option(130, 10, 100, 180, 20, "Rand mit verändern");
  tk::option(131, 10, 120, 180, 20, "Rand abweichen");
  tk::option(132, 10, 140, 180, 20, "Rand nicht verändern");
  tk::frame(125, 5, 200, 200, 50, "", tk::GfFlat);
  const int moveImage = ToolImageBase + 126;
  if (tk::loadImage(moveImage, "Data/Mark_verschieb.png") < 0) tk::freeImage(moveImage);
  tk::imageButton(126, 50, 210, 30, 30, moveImage, tk::GfToggle);
  tk::frame(133, 5, 260, 195, 200, "Einstellungen", tk::GfSunken);
  tk::checkBox(134, 20, 290, 170, 20, "Direkt verschieben");
  tk::checkBox(135, 20, 320, 170, 20, "Rottöne anzeigen");
  tk::checkBox(136, 20, 340, 170, 20, "Grüntöne anzeigen");
  tk::checkBox(137, 20, 360, 170, 20, "Blautöne anzeigen");
  tk::button(158, 10, 500, 45, 20, "OK");
  tk::button(159, 60, 500, 55, 20, "Abbrechen");
  tk::button(160, 120, 500, 80, 20, "Zurücksetzen");

  tk::addGadgetItem(121, -1, "Farbwerte");
  tk::imageGadget(138, 5, 20, 20, 20, 79);
  tk::slider(139, 25, 20, 150, 20, 0, 255);
  tk::imageGadget(140, 175, 20, 20, 20, 80);
  tk::imageGadget(141, 5, 60, 20, 20, 81);
  tk::slider(142, 25, 60, 150, 20, 0, 255);
  tk::imageGadget(143, 175, 60, 20, 20, 82);
  tk::imageGadget(144, 5, 100, 20, 20, 76);
  tk::slider(145, 25, 100, 170, 20, 0, 255);
  tk::imageGadget(146, 5, 140, 20, 20, 77);
  tk::slider(147, 25, 140, 170, 20, 0, 255);
  tk::imageGadget(148, 5, 180, 20, 20, 78);
  tk::slider(149, 25, 180, 170, 20, 0, 255);
  tk::imageGadget(150, 5, 220, 20, 20, 83);
  tk::slider(151, 25, 220, 150, 20, 0, 100);
  tk::imageGadget(152, 175, 220, 20, 20, 84);
  tk::option(153, 25, 260, 150, 20, "Im Bereich");
  tk::option(154, 25, 280, 150, 20, "Ausserhalb");
  tk::button(155, 10, 320, 60, 20, "Test");
  tk::button(156, 75, 320, 40, 20, "OK");
  tk::button(157, 120, 320, 65, 20, "Abbrechen");

  tk::closeGadgetList();   // panel 121
  tk::closeGadgetList();   // scroll area 120

  tk::setGadgetState(153, 1);
  for (int g : {139, 142, 145, 147, 149}) tk::setGadgetState(g, 128);
  tk::hideGadget(120, true);
}

// One row of three colour-range sliders for a channel: container c with the strip,
// "Wendepunkt" and the two Min/Max pairs: turning point c + 1, first pair c + 3 / c + 5,
// second pair c + 7 / c + 9 with their captions c + 8 / c + 10.
void ColourRangeRow(int c, int y) {
  tk::container(c, 0, y, 430, 120);
  tk::imageGadget(-1, 5, 5, 415, 20, -1, tk::GfBorder);
  tk::label(-1, 5, 30, 70, 20, "Wendepunkt");
  tk::slider(c + 1, 80, 30, 256, 20, 1, 254);
  tk::label(c + 2, 5, 55, 70, 20, "Min");
  tk::slider(c + 3, 80, 55, 128, 20, 0, 128);
  tk::label(c + 4, 340, 55, 40, 20, "Max");
  tk::slider(c + 5, 208, 55, 128, 20, 0, 128);
  tk::label(c + 8, 5, 85, 70, 20, "Min");
  tk::slider(c + 7, 80, 85, 128, 20, 0, 128);
  tk::label(c + 10, 340, 85, 40, 20, "Max");
  tk::slider(c + 9, 208, 85, 128, 20, 0, 128);
  tk::closeGadgetList();
  for (int g : {c + 1, c + 3, c + 5, c + 7, c + 9}) tk::setGadgetState(g, 128);
  for (int g = c + 7; g <= c + 10; ++g) tk::hideGadget(g, true);
}

void BuildEffectsPanel() {
  tk::scrollArea(352, 0, 0, 240, 570, 240, 570, 1);
  tk::panel(354, 0, 0, 240, 560);

  tk::addGadgetItem(354, -1, "     Effekte           ");
  tk::listBox(355, 5, 5, 230, 420);
  tk::textBox(353, 0, 425, 240, 50, "Erklärung: ");
  tk::button(356, 0, 475, 240, 40, "Ausführen");

  tk::addGadgetItem(354, -1, "       Einstellungen            ");
  // 357: contrast, brightness and the three channels.
  tk::container(357, 0, 0, 235, 200);
  tk::imageGadget(371, 5, 10, 20, 20, 79);
  tk::slider(372, 25, 10, 180, 20, 0, 255);
  tk::imageGadget(373, 205, 10, 20, 20, 80);
  tk::imageGadget(374, 5, 40, 20, 20, 81);
  tk::slider(375, 25, 40, 180, 20, 0, 255);
  tk::imageGadget(376, 205, 40, 20, 20, 82);
  tk::imageGadget(377, 5, 80, 20, 20, 76);
  tk::slider(378, 25, 80, 180, 20, 0, 254);
  tk::imageGadget(379, 5, 110, 20, 20, 77);
  tk::slider(380, 25, 110, 180, 20, 0, 254);
  tk::imageGadget(381, 5, 140, 20, 20, 78);
  tk::slider(382, 25, 140, 180, 20, 0, 254);
  tk::closeGadgetList();
  for (int g : {372, 375, 378, 380, 382}) tk::setGadgetState(g, 128);

  tk::container(358, 0, 0, 235, 70);
  tk::label(391, 10, 10, 200, 20, "Stärke: 0");
  tk::slider(390, 10, 35, 210, 20, 0, 100);
  tk::closeGadgetList();

  tk::container(359, 0, 0, 235, 100);
  gColourTab = tk::panel(-1, 0, 0, 230, 90);
  tk::addGadgetItem(gColourTab, -1, "   Farbe wählen    ");
  tk::imageButton(392, 10, 10, 100, 20, 40);
  tk::closeGadgetList();
  tk::closeGadgetList();

  tk::container(360, 0, 0, 235, 40);
  tk::label(393, 10, 10, 60, 20, "Special:");
  tk::spinField(394, 70, 10, 60, 20, 0, 3);
  tk::closeGadgetList();

  tk::scrollArea(361, 0, 0, 235, 110, 230, 100, 1);
  const int channelBoxes[3] = {395, 398, 401};
  const char* channelNames[3] = {"Rot", "Gruen", "Blau"};
  for (int i = 0; i < 3; ++i) {
    const int g = channelBoxes[i], y = 10 + 30 * i;
    tk::checkBox(g, 5, y, 60, 20, channelNames[i]);
    tk::spinField(g + 1, 65, y, 45, 20, 1, 10);
    tk::comboBox(g + 2, 115, y, 110, 100);
  }
  tk::closeGadgetList();

  tk::scrollArea(362, 0, 0, 235, 130, 230, 120, 1);
  tk::label(-1, 45, 5, 60, 20, "Minimum");
  tk::label(-1, 105, 5, 60, 20, "Maximum");
  tk::label(-1, 165, 5, 65, 20, "Wendepunkt");
  for (int i = 0; i < 3; ++i) {
    const int g = 407 + 4 * i, y = 30 + 30 * i;
    tk::label(-1, 5, y, 40, 20, channelNames[i]);
    tk::spinField(g, 45, y, 55, 20, 0, 128);
    tk::spinField(g + 2, 105, y, 55, 20, 0, 127);
    tk::spinField(g + 3, 165, y, 55, 20, 0, 100);
  }
  tk::closeGadgetList();

  tk::container(363, 0, 0, 235, 80);
  tk::label(419, 5, 5, 225, 40, "Geben sie den Farbwert ein (Wert:0-255)", tk::GfMultiLine);
  tk::stringField(420, 5, 50, 80, 20, "", tk::GfNumbers);
  tk::closeGadgetList();

  tk::container(364, 0, 0, 235, 40);
  tk::label(421, 5, 10, 60, 20, "Richtung");
  tk::comboBox(422, 70, 5, 130, 100);
  tk::closeGadgetList();

  tk::container(365, 0, 0, 235, 400);
  tk::imageGadget(423, 42, 5, 150, 150, 43);
  tk::panel(424, 0, 160, 235, 235);
  const char* axes[2] = {"XAchse", "YAchse"};
  for (int a = 0; a < 2; ++a) {
    const int g = 426 + 6 * a;   // Breite; Amplitude g + 2; Anfang g + 4
    tk::addGadgetItem(424, -1, axes[a]);
    tk::label(-1, 10, 5, 90, 20, "Amplitude:0");
    tk::label(-1, 110, 5, 90, 20, "Anfang:0%");
    tk::slider(g + 2, 30, 25, 25, 130, 1, 200, tk::GfVertical);
    tk::slider(g + 4, 130, 25, 25, 130, 1, 200, tk::GfVertical);
    tk::label(-1, 10, 160, 90, 20, "Breite:100");
    tk::slider(g, 10, 180, 210, 20, 1, 200);
  }
  tk::closeGadgetList();   // panel 424
  tk::closeGadgetList();   // container 365
  for (int g : {426, 430, 432, 436}) tk::setGadgetState(g, 100);

  tk::scrollArea(366, 0, 0, 235, 470, 435, 480, 1);
  ColourRangeRow(441, 0);
  ColourRangeRow(452, 120);
  ColourRangeRow(463, 240);
  tk::imageButton(478, 5, 365, 100, 20, 44);
  tk::option(474, 5, 390, 300, 20, "Aufstocken");
  tk::option(475, 5, 410, 300, 20, "Aufstocken in Bereich");
  tk::option(476, 5, 430, 300, 20, "Durch Farbe ersetzen- RGB-Unabhängig");
  tk::option(477, 5, 450, 300, 20, "Durch Farbe ersetzen");
  tk::closeGadgetList();
  tk::hideGadget(478, true);
  tk::setGadgetState(474, 1);

  tk::container(367, 0, 0, 235, 60);
  tk::label(-1, 5, 5, 25, 20, "X=");
  tk::stringField(437, 30, 5, 100, 20, "", tk::GfNumbers);
  tk::label(-1, 5, 30, 25, 20, "Y=");
  tk::stringField(438, 30, 30, 100, 20, "", tk::GfNumbers);
  tk::closeGadgetList();

  tk::container(368, 0, 0, 235, 60);
  tk::label(-1, 5, 5, 30, 20, "X2=");
  tk::stringField(439, 35, 5, 190, 20, "");
  tk::label(-1, 5, 30, 30, 20, "Y2=");
  tk::stringField(440, 35, 30, 190, 20, "");
  tk::closeGadgetList();

  tk::container(369, 0, 0, 235, 60);
  tk::label(-1, 5, 5, 60, 20, "Weiß");
  tk::imageButton(479, 65, 5, 80, 20, 45);
  tk::label(-1, 5, 30, 60, 20, "Schwarz");
  tk::imageButton(480, 65, 30, 80, 20, 46);
  tk::closeGadgetList();

  tk::closeGadgetList();   // panel 354
  tk::closeGadgetList();   // scroll area 352

  for (int g = 357; g <= 369; ++g) tk::hideGadget(g, true);
  tk::hideGadget(352, true);
}

void BuildScriptPanel() {
  tk::container(495, 0, 0, 240, 560);
  tk::richEditor(496, 5, 5, 230, 495);
  PrepareScriptEditor();
  tk::textBox(497, 0, 500, 240, 60, "");
  tk::closeGadgetList();
  tk::hideGadget(495, true);
}

void BuildTextPanel() {
  tk::scrollArea(582, 0, 0, 240, 570, 240, 570, 1);
  tk::richEditor(584, 10, 20, 220, 200, tk::GfWordWrap);
  tk::comboBox(585, 10, 240, 110, 300);
  tk::comboBox(586, 120, 240, 50, 300);
  tk::button(587, 170, 240, 20, 20, "F", tk::GfToggle);
  tk::button(588, 190, 240, 20, 20, "K", tk::GfToggle);
  tk::button(589, 210, 240, 20, 20, "U", tk::GfToggle);
  tk::button(590, 10, 270, 220, 22, "Sonderzeichen einfügen");
  tk::frame(-1, 5, 305, 225, 55, "Hintergrundtransparenz", tk::GfSunken);
  tk::imageGadget(592, 10, 330, 20, 20, 83);
  tk::slider(593, 30, 330, 140, 20, 0, 100);
  tk::imageGadget(594, 170, 330, 20, 20, 84);
  tk::imageButton(591, 0, 370, 120, 40, 72);
  tk::imageButton(595, 120, 370, 120, 40, 73);
  tk::button(596, 10, 420, 100, 25, "OK");
  tk::button(597, 120, 420, 100, 25, "Abbrechen");
  tk::closeGadgetList();
  tk::setGadgetState(593, 1);
  tk::hideGadget(582, true);
}

void BuildMainWindow() {
  tk::useWindow(0);
  const int W = tk::windowWidth(0), H = tk::windowHeight(0);

  BuildCanvasArea(W, H);

  tk::container(8, 0, 0, bildx, H - 79);
  BuildDrawingPanel();
  BuildAreaPanel();
  BuildEffectsPanel();
  BuildScriptPanel();
  BuildTextPanel();
  tk::closeGadgetList();   // container 8

  // The panel header above the side-panel column, with its label on top.
  tk::imageGadget(2, 8, CanvasTop - 59, 230, 29, 10);
  tk::label(3, 8, CanvasTop - 59, 230, 29, "Operationen", tk::GfCenter);

  tk::splitter(6, 0, CanvasTop - 30, W, H - 100, 8, 7);

  // Document tabs.
  for (int k = 1; k <= 10; ++k) {
    const int g = 160 + k;
    tk::button(g, 300 + 70 * (k - 1), CanvasTop - 62, 70, 32, "Unbenannt" + std::to_string(k),
               tk::GfToggle);
    if (k > 1) tk::hideGadget(g, true);
  }
  tk::setGadgetState(161, 1);

  BuildDrawSettingsBar();

  // The canvas window procedures.
  SubclassCanvasGadget(12);
  SubclassCanvasGadget(13);
  tk::setGadgetCallback(11, CanvasGadgetProc);
  tk::setGadgetCallback(6, SplitterGadgetProc);
  tk::setGadgetState(6, bildx);
  // The splitter puts the canvas container right of the side-panel column and its
  // divider: the view starts where the container really is, from the first frame on
  // (the splitter's procedure keeps it so on every drag; a resize leaves the column).
  bildx = tk::gadgetX(7) + 30;
}

// ---- the other windows ----------------------------------------------------------------

// Colours of the "Palette" tab: row 0 a grey ramp, rows 1..15 hues (see the table of
// the colour window).
void PaletteCellColour(int row, int col, int* r, int* g, int* b) {
  if (row == 0) {
    *r = *g = *b = 17 * col;
    return;
  }
  const int i = col + 1, H = 255 * i / 16, Q = 255 * i / 32;
  const bool left = col < 8;
  switch (row) {
    case 1: *r = H; *g = left ? Q : 0; *b = left ? 0 : Q; break;
    case 2: *r = H; *g = 0; *b = 0; break;
    case 3: *r = H; *g = Q; *b = Q; break;
    case 4: *r = H; *g = H; *b = Q; break;
    case 5: *r = H; *g = H; *b = 0; break;
    case 6: *r = left ? Q : 0; *g = H; *b = left ? 0 : Q; break;
    case 7: *r = 0; *g = H; *b = 0; break;
    case 8: *r = Q; *g = H; *b = Q; break;
    case 9: *r = Q; *g = H; *b = H; break;
    case 10: *r = 0; *g = H; *b = H; break;
    case 11: *r = 0; *g = 0; *b = H; break;
    case 12: *r = 0; *g = Q; *b = H; break;
    case 13: *r = Q; *g = Q; *b = H; break;
    case 14: *r = H; *g = Q; *b = H; break;
    default: *r = H; *g = 0; *b = H; break;
  }
}

void BuildColourWindow() {
  tk::openWindow(27, 600, 80, 220, 280, "Farbe wählen", DialogFrame, 0);
  tk::panel(809, 0, 0, 240, 215);

  tk::addGadgetItem(809, -1, "Palette");
  for (int row = 0; row < 16; ++row)
    for (int col = 0; col < 16; ++col) {
      int r, g, b;
      PaletteCellColour(row, col, &r, &g, &b);
      CreatePaletteCell(uint8_t(r), uint8_t(g), uint8_t(b), col, row);
    }

  tk::addGadgetItem(809, -1, "Regler");
  for (int i = 0; i < 3; ++i) {
    const int x = 5 + 75 * i;
    tk::slider(811 + 2 * i, x, 2, 25, 182, 0, 255, tk::GfVertical);
    tk::imageGadget(810 + 2 * i, x + 30, 2, 10, 182, 69 + i);
  }

  tk::addGadgetItem(809, -1, "Spin");
  for (int i = 0; i < 3; ++i) {
    tk::imageGadget(817 + 2 * i, 10, 15 + 40 * i, 20, 20, 76 + i);
    tk::spinField(816 + 2 * i, 40, 15 + 40 * i, 80, 20, 0, 255);
  }

  tk::addGadgetItem(809, -1, "Hex");
  tk::label(-1, 10, 22, 12, 20, "#");
  tk::stringField(822, 25, 20, 100, 20, "");
  tk::button(823, 25, 50, 120, 25, "Farbe erstellen");

  tk::addGadgetItem(809, -1, "Hell");
  tk::label(-1, 10, 5, 15, 185, "H\r\ne\r\nl\r\nl\r\ni\r\ng\r\nk\r\ne\r\ni\r\nt", tk::GfMultiLine);
  tk::slider(824, 40, 2, 25, 182, 0, 768, tk::GfVertical);
  tk::closeGadgetList();   // panel 809

  tk::label(-1, 5, 220, 35, 18, "Rot:");
  tk::label(-1, 5, 240, 35, 18, "Grün:");
  tk::label(-1, 5, 260, 35, 18, "Blau:");
  tk::stringField(806, 40, 219, 35, 18, "", tk::GfNumbers);
  tk::stringField(807, 40, 239, 35, 18, "", tk::GfNumbers);
  tk::stringField(808, 40, 259, 35, 18, "", tk::GfNumbers);
  tk::imageButton(805, 80, 220, 130, 50, 58);
}

void BuildFindWindow() {
  tk::openWindow(3, 300, 200, 405, 150, "Finden/Ersetzen", DialogFrame, 0);
  tk::label(498, 5, 7, 110, 20, "Finden:");
  tk::label(500, 5, 32, 110, 20, "Ersetzen mit:");
  tk::stringField(499, 120, 5, 260, 20, "");
  tk::stringField(501, 120, 30, 260, 20, "");
  tk::checkBox(507, 5, 60, 150, 20, "Ganze Wörter");
  tk::checkBox(508, 5, 82, 150, 20, "Groß/Kleinschreibung");
  tk::option(509, 170, 60, 150, 20, "Vorwärts suchen");
  tk::option(510, 170, 82, 150, 20, "Rückwärts suchen");
  tk::button(506, 5, 115, 125, 25, "Zum Anfang springen");
  tk::button(502, 135, 115, 60, 25, "Suchen");
  tk::button(503, 200, 115, 60, 25, "Ersetzen");
  tk::button(504, 265, 115, 70, 25, "Alle Ersetzen");
  tk::button(505, 340, 115, 60, 25, "Abbrechen");
  tk::setGadgetState(509, 1);
}

void BuildDebuggerWindow() {
  tk::openWindow(2, 300, 200, 300, 300, "Debugger", tk::WfCaption | tk::WfSizing | tk::WfHidden, 0);
  tk::listBox(511, 1, 1, 298, 298);
}

void BuildSettingsWindow() {
  tk::openWindow(1, 300, 120, 500, 400, "Einstellungen...", DialogFrame, 43);
  CreateSettingsSwatches();
  tk::panel(512, 0, 5, 500, 360);

  tk::addGadgetItem(512, -1, "Hauptprogramm");
  tk::frame(513, 10, 10, 470, 55, "Standardverzeichnis");
  tk::stringField(514, 20, 30, 400, 20, "");
  tk::button(515, 430, 30, 40, 20, "...");
  tk::checkBox(516, 20, 80, 300, 20, "Tooltips aktivieren");
  tk::checkBox(517, 20, 105, 300, 20, "Updateprüfung nach jedem Start");
  tk::checkBox(518, 20, 130, 300, 20, "'Tip des Tages' bei jedem Start");
  tk::frame(519, 10, 165, 470, 55, "Startgröße (Breite, Höhe)");
  tk::stringField(520, 20, 185, 80, 20, "", tk::GfNumbers);
  tk::stringField(521, 110, 185, 80, 20, "", tk::GfNumbers);
  tk::label(522, 20, 240, 180, 20, "Menge an möglichen Undos");
  tk::spinField(523, 210, 238, 80, 20, 2, 10000);

  tk::addGadgetItem(512, -1, "Scripteditor");
  tk::panel(524, 0, 0, 235, 160);
  const char* styleTabs[5] = {"Normal", "Funktionen(", "#Variablen", "\"Strings\"", ";Kommentare"};
  for (int i = 0; i < 5; ++i) {
    tk::addGadgetItem(524, -1, styleTabs[i]);
    tk::comboBox(525 + i, 5, 5, 215, 300);
    tk::comboBox(530 + i, 5, 35, 60, 300);
    tk::button(535 + i, 75, 35, 20, 20, "F", tk::GfToggle);
    tk::button(540 + i, 100, 35, 20, 20, "K", tk::GfToggle);
    tk::button(545 + i, 125, 35, 20, 20, "U", tk::GfToggle);
    tk::imageButton(550 + i, 5, 65, 200, 50, 104 + i);
  }
  tk::closeGadgetList();   // panel 524
  for (int i = 0; i < 5; ++i) tk::richEditor(555 + i, 240, 20 + 40 * i, 250, 40);
  tk::imageButton(560, 5, 170, 200, 20, 109);
  tk::label(-1, 5, 202, 130, 20, "Tab-Weite:");
  tk::spinField(561, 140, 200, 80, 20, 1, 10);
  tk::label(-1, 5, 227, 130, 20, "Einrückweite:");
  tk::spinField(562, 140, 225, 80, 20, 0, 10);
  tk::label(-1, 5, 252, 130, 20, "Maximale Undomenge:");
  tk::spinField(563, 140, 250, 80, 20, 10, 10000);

  tk::addGadgetItem(512, -1, "Styles");
  tk::frame(-1, 10, 5, 470, 80, "", tk::GfSunken);
  tk::option(564, 20, 10, 300, 20, "Banner anzeigen");
  tk::option(565, 20, 32, 300, 20, "Text anzeigen");
  tk::option(566, 20, 54, 300, 20, "Nichts anzeigen");
  tk::frame(-1, 10, 90, 470, 55, "", tk::GfSunken);
  tk::option(567, 20, 95, 300, 20, "RGB-Icons anzeigen");
  tk::option(568, 20, 117, 300, 20, "RGB-Text anzeigen");
  tk::imageButton(570, 20, 155, 200, 40, 110);
  tk::frame(-1, 10, 205, 470, 80, "", tk::GfSunken);
  tk::option(571, 20, 210, 400, 20, "Farbiger Button mit \"Farbe wählen\"");
  tk::option(572, 20, 232, 400, 20, "Button und Farbfeld nebeneinander");
  tk::option(573, 20, 254, 400, 20, "Button und Farbfeld untereinander");

  tk::addGadgetItem(512, -1, "Bei Absturz");
  tk::checkBox(574, 20, 15, 450, 20, "Backups erstellen, wenn Fehler auftreten");
  tk::checkBox(575, 20, 40, 450, 20, "Fehlerprotokoll erstellen, wenn Fehler auftreten");
  tk::checkBox(576, 20, 65, 450, 20, "Bei Neustart nach Fehler Fehlerbericht-tool-button einblenden");
  tk::button(577, 20, 110, 200, 25, "Fehlerberichte einsehen");
  tk::button(578, 20, 145, 200, 25, "Fehlerberichte senden");
  tk::closeGadgetList();   // panel 512

  tk::button(579, 170, 370, 100, 25, "OK");
  tk::button(580, 280, 370, 100, 25, "Abbrechen");
  tk::button(581, 390, 370, 100, 25, "Übernehmen");
}

void BuildColormoveWindow() {
  tk::openWindow(8, 250, 100, 255, 120, "Effekte-Colormove", DialogFrame, 43);
  const char* names[3] = {"Rot", "Gruen", "Blau"};
  for (int i = 0; i < 3; ++i) {
    const int g = 607 + 3 * i, y = 5 + 25 * i;
    tk::checkBox(g, 5, y, 60, 20, names[i]);
    tk::spinField(g + 1, 70, y, 50, 20, 1, 10);
    tk::comboBox(g + 2, 125, y, 125, 100);
    tk::setGadgetState(g, 1);
  }
  tk::button(616, 40, 88, 80, 25, "OK");
  tk::button(617, 135, 88, 80, 25, "Abbrechen");
}

void BuildBrushFormWindow() {
  tk::openWindow(22, 100, 200, 300, 300, "PinselForm", DialogFrame, 43);
  tk::columnList(491, 0, 0, 200, 300, "", 200, tk::GfFullRow);
  tk::imageGadget(492, 230, 40, 40, 40, -1);
  tk::button(493, 210, 200, 80, 25, "OK");
  tk::button(494, 210, 235, 80, 25, "Abbrechen");
}

void BuildTipsWindow() {
  tk::openWindow(28, 400, 200, 400, 300, "Schon gewusst?", DialogFrame, 0);
  tk::richEditor(756, 0, 0, 400, 250, tk::GfWordWrap);
  tk::button(754, 10, 262, 100, 28, "Vorheriger");
  tk::button(755, 120, 262, 100, 28, "Nächster");
  tk::button(753, 290, 262, 100, 28, "Fertig");
}

void AddItems(int gadget, std::initializer_list<const char*> items, int select) {
  for (const char* t : items) tk::addGadgetItem(gadget, -1, t);
  if (select >= 0) tk::setGadgetState(gadget, select);
}

}  // namespace

int32_t OpenMainWindow() {
  if (tk::openWindow(0, 0, 0, 1018, 700, "Corvalen", MainFrame | tk::WfHidden) < 0) return 0;
  tk::openWindow(43, 0, 0, 10, 10, "Parent", tk::WfCaption | tk::WfHidden);
  tk::richEditor(837, 0, 0, 10, 10);
  tk::openWindow(25, 300, 200, 400, 420, "", tk::WfBorderless | tk::WfTopmost, 0);
  tk::imageGadget(0, 0, 0, 400, 400, 6);
  tk::imageGadget(1, 0, 400, 400, 20, 7);
  ShowSplashStatus("Fenster erstellen(versteckt)");
  tk::useWindow(0);
  return 1;
}

void CreateWindowsAndGadgets() {
  CreateBlackWhiteSwatches();
  BuildMainWindow();
  BuildColourWindow();
  BuildFindWindow();
  BuildDebuggerWindow();
  BuildSettingsWindow();
  BuildColormoveWindow();
  BuildBrushFormWindow();
  BuildTipsWindow();
  tk::useWindow(0);
}

void SetUpGadgetContents() {
  tk::loadFont(13, "Arial", 14, tk::FontBold);
  tk::loadFont(14, "Arial", 12, tk::FontItalic);
  tk::loadFont(15, "Arial", 12, tk::FontUnderline);
  tk::loadFont(16, "Arial", 10, tk::FontBold | tk::FontUnderline);
  tk::loadFont(17, "Verdana", 40, tk::FontBold);
  tk::loadFont(2, "Times New Roman", 16, tk::FontBold | tk::FontUnderline);
  tk::loadFont(1, "Times New Roman", 20, tk::FontBold | tk::FontUnderline);
  tk::loadFont(11, "Arial", 10);
  tk::loadFont(12, "Arial", 5);
  tk::loadFont(9, "Verdana", 10, tk::FontUnderline);
  tk::loadFont(FontDrawPanel, "Tahoma", 8);
  tk::loadFont(FontBackgroundButton, "Arial", 9);
  tk::setGadgetFont(587, 13);
  tk::setGadgetFont(588, 14);
  tk::setGadgetFont(589, 15);
  tk::setGadgetFont(356, 1);
  tk::setGadgetFont(3, 1);
  tk::setGadgetFont(10, FontDrawPanel);
  tk::setGadgetFont(560, FontBackgroundButton);

  AddItems(60, {"0.25", "0.5", "0.75", "1", "2", "4", "8", "16"}, 3);
  AddItems(67, {"Momentan", "Icon", "Druckerseite", "CdHülle", "Kasettenhülle", "Screen:1024X768",
                "Screen:800X600", "Screen:640X480"}, 0);
  AddItems(69, {"links oben", "links Mitte", "links unten", "Mitte oben", "Mitte", "Mitte unten",
                "Rechts oben", "Rechts", "Rechts unten"}, 0);
  for (int g : {104, 189})
    AddItems(g, {"Füllen", "Tonen", "Farben umkehren", "Graustufen", "Xtremecolors", "Schattenwand",
                 "Spiegeln Vertikal", "Spiegeln Horizontal", "Spiegeln Total", "Aufrauhen",
                 "Aufhellen", "Abdunkeln", "Solarisation"}, 0);
  for (int g : {397, 400, 403, 609, 612, 615, 422})
    AddItems(g, {"Nach Rechts", "Nach Links", "Nach Oben", "Nach Unten"}, 0);
  for (int g : {396, 399, 402, 608, 611, 614}) tk::setGadgetState(g, 1);
  for (int g : {409, 413, 417}) {
    tk::setGadgetState(g, 127);
    tk::setGadgetText(g, "255");
  }
  for (int g : {410, 414, 418}) {
    tk::setGadgetState(g, 50);
    tk::setGadgetText(g, "0");
  }
  for (int g : {407, 411, 415}) tk::setGadgetText(g, "0");
  for (int g : {92, 177}) {
    tk::setGadgetState(g, tolleranz);
    tk::setGadgetText(g, std::to_string(tolleranz));
  }
  tk::setGadgetState(89, 2);
  tk::setGadgetText(89, "Radius: 2");

  for (int size = 1; size <= 72; ++size) {
    const std::string s = std::to_string(size);
    tk::addGadgetItem(586, -1, s);
    for (int i = 0; i < 5; ++i) tk::addGadgetItem(530 + i, -1, s);
  }
  const std::vector<std::string> faces = tk::fontFamilies();
  for (int i = 0; i < 5; ++i)
    for (const std::string& f : faces) tk::addGadgetItem(525 + i, -1, f);

  for (const StructureEffectEntry& e : StructureEffectTable) tk::addGadgetItem(355, -1, e.name);

  LoadStartFont();
}

void LoadStartFont() {
  tk::loadFont(0, tk::gadgetText(585), std::atoi(tk::gadgetText(586).c_str()));
}
