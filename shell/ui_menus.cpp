// Menu bars 0 (image view) and 1 (script view), the popup menus, tool bar 5 and the
// tooltip routine. Menu items, popup items, tool bar buttons and shortcuts share one
// command-id space.
#include <string>
#include <unordered_map>
#include <vector>

#include "shell/shell.h"
#include "toolkit/toolkit.h"

namespace {

// One line of a menu listing: an item, a separator, the start or the end of a sub-menu.
enum EntryKind : char { Item = 'i', Sep = '-', Sub = '>', End = '<' };
struct MenuEntry {
  EntryKind kind;
  int id;
  const char* text;
};

void BuildEntries(const std::vector<MenuEntry>& entries) {
  for (const MenuEntry& e : entries) {
    switch (e.kind) {
      case Item: tk::menuItem(e.id, e.text); break;
      case Sep: tk::menuSeparator(); break;
      case Sub: tk::openSubMenu(e.text); break;
      case End: tk::closeSubMenu(); break;
    }
  }
}

// The "Effekte" menu of menu 0.
const std::vector<MenuEntry> kEffectsMenu = {
    {Item, 146, "Füllen"},
    {Sep, 0, ""},
    {Sub, 0, "FarbEffekte"},
      {Sub, 0, "Graustufen"},
        {Item, 45, "Graustufen RGB"},
        {Sub, 0, "Extremwerte"},
          {Item, 46, "Minimalwerte"}, {Item, 47, "Maximalwerte"},
        {End, 0, ""},
        {Sub, 0, "1 Farbkanal"},
          {Item, 48, "Rot"}, {Item, 49, "Gruen"}, {Item, 50, "Blau"},
        {End, 0, ""},
        {Sub, 0, "2 Farbkanäle"},
          {Item, 51, "Rot + Grün"}, {Item, 52, "Rot + Blau"}, {Item, 53, "Grün + Blau"},
        {End, 0, ""},
      {End, 0, ""},
      {Item, 54, "Zweifarbenverlauf"},
      {Sep, 0, ""},
      {Item, 74, "Xtreme Colors"},
      {Item, 75, "Schattenriss"},
      {Sub, 0, "Xor-Effekte"},
        {Item, 58, "Xor-Effekt mit Festwert"}, {Item, 59, "Xor-Effekt mit Farbwert"},
      {End, 0, ""},
      {Sub, 0, "Or-Effekte"},
        {Item, 62, "Or-Effekt mit Festwert"}, {Item, 63, "Or-Effekt mit Farbwert"},
      {End, 0, ""},
      {Sub, 0, "And-Effekte"},
        {Item, 60, "And-Effekt mit Festwert"}, {Item, 61, "And-Effekt mit Farbwert"},
      {End, 0, ""},
      {Sep, 0, ""},
      {Item, 151, "ColorEffekt"},
      {Item, 106, "Tonen"},
      {Item, 107, "Colormove"},
      {Item, 114, "Farbintensität ändern"},
      {Sub, 0, "Farbumkehrung"},
        {Item, 43, "Standard"}, {Item, 44, "Am Durchschnitt"}, {Sep, 0, ""},
        {Item, 56, "Untere Hälfte"}, {Item, 55, "Obere Hälfte/Solarisation"},
        {Item, 57, "Farbfernnah"},
      {End, 0, ""},
      {Sub, 0, "Farben vertauschen"},
        {Item, 97, "RGB"}, {Item, 98, "RBG"}, {Item, 99, "GRB"}, {Item, 100, "GBR"},
        {Item, 101, "BRG"}, {Item, 102, "BGR"},
      {End, 0, ""},
      {Sub, 0, "Farbspectrum"},
        {Item, 103, "Farbspektrum korrigieren"}, {Item, 104, "Farbspektrum anpassen"},
        {Item, 105, "Farbbereich ausräumen"},
      {End, 0, ""},
      {Sub, 0, "Farbwert gleichstellen"},
        {Item, 117, "Rot"}, {Item, 118, "Gruen"}, {Item, 119, "Blau"},
      {End, 0, ""},
      {Sub, 0, "Farbwerte kopieren"},
        {Item, 138, "Rotwerte    =   Grünwerte"}, {Item, 136, "Rotwerte    =    Blauwerte"},
        {Sep, 0, ""},
        {Item, 140, "Grünwerte   =   Rotwerte"}, {Item, 137, "Grünwerte  =    Blauwerte"},
        {Sep, 0, ""},
        {Item, 141, "Blauwerte    =   Rotwerte"}, {Item, 139, "Blauwerte   =   Grünwerte"},
      {End, 0, ""},
    {End, 0, ""},
    {Sub, 0, "Verformungen"},
      {Item, 147, "WellenEffekt"},
      {Item, 148, "Verschiebeeffekt"},
      {Sep, 0, ""},
      {Sub, 0, "Spiegeln"},
        {Item, 91, "Horizontal"}, {Item, 92, "Vertical"},
      {End, 0, ""},
      {Sub, 0, "Drehen"},
        {Item, 93, "90°"}, {Item, 94, "180°"}, {Item, 95, "270°"}, {Sep, 0, ""},
        {Item, 96, "Frei drehen"},
      {End, 0, ""},
      {Sub, 0, "Sprengen"},
        {Item, 152, "Implodieren"}, {Item, 153, "Explodieren"}, {Item, 149, "Sprenkeln"},
      {End, 0, ""},
      {Sub, 0, "Strudel"},
        {Item, 155, "Linksherum"}, {Item, 154, "Rechtsherum"},
      {End, 0, ""},
      {Sep, 0, ""},
      {Item, 77, "VerformungsEffekte"},
      {Item, 150, "Eigene Effektfunktion"},
    {End, 0, ""},
    {Sub, 0, "FotoEffekte"},
      {Sub, 0, "Farbbereiche hervorheben"},
        {Item, 120, "Helle Bereiche erweitern"}, {Item, 121, "Dunkle Bereiche erweitern"},
        {Sep, 0, ""},
        {Item, 122, "Helle, rote Bereiche erweitern"}, {Item, 123, "Dunkle, rote Bereiche erweitern"},
        {Sep, 0, ""},
        {Item, 124, "Helle, gruene Bereiche erweitern"},
        {Item, 125, "Dunkle, gruene Bereiche erweitern"},
        {Sep, 0, ""},
        {Item, 126, "Helle, blaue Bereiche erweitern"},
        {Item, 127, "Dunkle, blaue Bereiche erweitern"},
      {End, 0, ""},
      {Sub, 0, "Farbbereiche verstärken"},
        {Item, 128, "Helle Bereiche verstärken"}, {Item, 129, "Dunkle Bereiche verstärken"},
        {Sep, 0, ""},
        {Item, 130, "Helle, rote Bereiche verstärken"},
        {Item, 131, "Dunkle, rote Bereiche verstärken"},
        {Sep, 0, ""},
        {Item, 132, "Helle, gruene Bereiche verstärken"},
        {Item, 133, "Dunkle, gruene Bereiche verstärken"},
        {Sep, 0, ""},
        {Item, 134, "Helle, blaue Bereiche verstärken"},
        {Item, 135, "Dunkle, blaue Bereiche verstärken"},
      {End, 0, ""},
      {Item, 108, "Weichzeichnen"},
      {Item, 109, "Scharfzeichnen"},
      {Item, 115, "Schärfen"},
      {Item, 115, "UnSchärfen"},
    {End, 0, ""},
    {Sub, 0, "Sonstige"},
      {Sub, 0, "Relief"},
        {Item, 142, "Farbiges Relief"}, {Item, 143, "Helles, farbiges Relief"},
        {Item, 144, "Normales Relief"}, {Item, 145, "Helles, normales Relief"},
      {End, 0, ""},
      {Sub, 0, "Verrauschen"},
        {Item, 64, "Bunt Verrauschen"}, {Item, 66, "Helligkeitsrauschen"},
        {Item, 65, "Einfarbig verrauschen"},
      {End, 0, ""},
      {Item, 73, "Verwischen"},
      {Item, 112, "Schieleffekt"},
      {Item, 113, "Incircle"},
      {Sub, 0, "Strukturieren"},
        {Item, 67, "Schacheffekt"}, {Item, 68, "Kreisflächestruktur"},
      {End, 0, ""},
      {Sub, 0, "Wind"},
        {Item, 69, "Von Oben"}, {Item, 70, "Von Unten"}, {Item, 71, "Von Links"},
        {Item, 72, "Von Rechts"},
      {End, 0, ""},
      {Sub, 0, "Blur"},
        {Item, 84, "nach oben"}, {Item, 85, "nach unten"}, {Item, 86, "nach links"},
        {Item, 87, "nach rechts"},
      {End, 0, ""},
      {Sep, 0, ""},
      {Sep, 0, ""},
      {Sub, 0, "Specials"},
        {Item, 88, "Special 1"}, {Item, 89, "Special 2"}, {Item, 90, "Special 3"},
      {End, 0, ""},
      {Sub, 0, "Linedoubling"},
        {Item, 110, "Linedouble"}, {Item, 111, "Linedouble_mirror"},
      {End, 0, ""},
      {Sub, 0, "Gittereffekte"},
        {Item, 78, "FarbGitter"}, {Item, 79, "LinksGitter"}, {Item, 80, "rechtsGitter"},
        {Item, 81, "ObenGitter"}, {Item, 82, "UntenGitter"}, {Item, 83, "LogischesGitter"},
      {End, 0, ""},
    {End, 0, ""},
};

// Ids of the marked-area copy of the effects menu (popup 14) by the menu 0 id they copy.
// Items without an entry are left out of the popup.
const std::unordered_map<int, int> kAreaEffectIds = {
    {146, 256}, {45, 262}, {48, 263}, {49, 264}, {50, 265}, {51, 266}, {52, 267}, {53, 268},
    {54, 269}, {74, 281}, {75, 282}, {58, 342}, {59, 343}, {62, 348}, {63, 349}, {60, 345},
    {61, 346}, {151, 355}, {106, 305}, {107, 306}, {114, 275}, {43, 257}, {44, 258},
    {56, 260}, {55, 259}, {57, 261}, {97, 362}, {98, 363}, {99, 364}, {100, 365},
    {101, 367}, {102, 366}, {103, 303}, {104, 304}, {105, 360}, {117, 313}, {118, 314},
    {119, 315}, {138, 334}, {136, 332}, {140, 336}, {137, 333}, {141, 337}, {139, 335},
    {147, 351}, {148, 352}, {91, 297}, {92, 298}, {93, 299}, {94, 300}, {95, 301},
    {96, 302}, {152, 356}, {153, 357}, {149, 353}, {155, 359}, {154, 358}, {77, 361},
    {150, 354}, {120, 316}, {121, 317}, {122, 318}, {123, 319}, {124, 320}, {125, 321},
    {126, 322}, {127, 323}, {128, 324}, {129, 325}, {130, 326}, {131, 327}, {132, 328},
    {133, 329}, {134, 330}, {135, 331}, {108, 307}, {109, 308}, {142, 338}, {143, 339},
    {144, 340}, {145, 341}, {64, 270}, {66, 272}, {65, 271}, {73, 280}, {112, 311},
    {113, 312}, {67, 273}, {68, 274}, {69, 276}, {70, 277}, {71, 278}, {72, 279},
    {84, 284}, {85, 285}, {86, 286}, {87, 287}, {88, 294}, {89, 295}, {90, 296},
    {110, 309}, {111, 310}, {78, 288}, {79, 289}, {80, 290}, {81, 291}, {82, 292},
    {83, 293},
};

// Popup 14: the effects menu with the area ids, without "Extremwerte", with "&" in the
// two-channel items and without "Schärfen"/"UnSchärfen".
void BuildAreaEffectsPopup() {
  int skipDepth = 0;   // > 0 while inside a left-out sub-menu
  for (const MenuEntry& e : kEffectsMenu) {
    if (skipDepth > 0) {
      if (e.kind == Sub) ++skipDepth;
      if (e.kind == End) --skipDepth;
      continue;
    }
    switch (e.kind) {
      case Item: {
        auto it = kAreaEffectIds.find(e.id);
        if (it == kAreaEffectIds.end()) break;
        std::string text = e.text;
        if (e.id == 51) text = "Rot & Grün";
        if (e.id == 52) text = "Rot & Blau";
        if (e.id == 53) text = "Grün & Blau";
        tk::menuItem(it->second, text);
        break;
      }
      case Sep: tk::menuSeparator(); break;
      case Sub:
        if (std::string(e.text) == "Extremwerte") skipDepth = 1;
        else tk::openSubMenu(e.text);
        break;
      case End: tk::closeSubMenu(); break;
    }
  }
}

void BuildFileMenu(bool script) {
  tk::menuTitle("Datei");
  tk::menuItem(17, "Neu                        Strg+N");
  tk::menuItem(18, "Öffnen                   Strg+O");
  tk::menuItem(19, "Speichern               Strg+S");
  tk::menuItem(20, "Speichern als");
  tk::menuSeparator();
  tk::menuItem(22, "Zu Pinselformen hinzufügen");
  tk::menuItem(21, "Zu Structures hinzufügen");
  if (script) tk::menuItem(216, "Quelltext in HTML exportieren");
  tk::menuSeparator();
  tk::menuItem(23, "Schließen              Strg+W");
  tk::menuItem(24, "Alle Schließen");
  tk::menuSeparator();
  tk::menuItem(1, "SeitenAnsicht");
  tk::menuItem(0, "Drucken");
  tk::menuSeparator();
  tk::menuItem(25, "Einstellungen...");
  tk::menuSeparator();
  tk::menuItem(26, "Beenden");
}

void BuildUndoItems() {
  tk::menuItem(5, "Rückgängig                       Strg+Z");
  tk::menuItem(6, "Wiederholen                      Strg+Z");
  tk::menuItem(27, "Umbenennen");
}

void BuildViewMenu(bool script) {
  tk::menuTitle("Ansicht");
  tk::menuItem(8, "OperationenFenster");
  tk::menuItem(9, "EditorFenster");
  tk::menuItem(10, "EffekteFenster");
  tk::menuSeparator();
  tk::menuItem(1, "DruckVorschau");
  tk::menuItem(7, "VollbildVorschau");
  tk::menuSeparator();
  BuildEntries({
      {Sub, 0, "GitterNetz"},
        {Item, 170, "Kein Gitter"},
        {Sub, 0, "In Pixel"},
          {Item, 171, "Alle 10 Pixel"}, {Item, 172, "Alle 50 Pixel"},
          {Item, 173, "Alle 100 Pixel"}, {Item, 174, "Alle 150 Pixel"},
          {Item, 175, "Alle 200 Pixel"}, {Item, 176, "Alle 250 Pixel"},
        {End, 0, ""},
        {Sub, 0, "In Zentimeter"},
          {Item, 177, "Alle 0.5 cm"}, {Item, 178, "Alle 1 cm"}, {Item, 179, "Alle 1,5 cm"},
          {Item, 180, "Alle 2 cm"}, {Item, 181, "Alle 2,5cm"}, {Item, 182, "Alle 3 cm"},
        {End, 0, ""},
        {Item, 183, "Horizontale Linien"},
        {Item, 184, "Vertikale Linien"},
      {End, 0, ""},
      {Sub, 0, "Lineal"},
        {Item, 185, "Lineal anzeigen"}, {Sep, 0, ""},
        {Item, 186, "In Zentimetern"}, {Item, 187, "In Pixeln"}, {Sep, 0, ""},
        {Item, 188, "Horizontale Leiste"}, {Item, 189, "Vertikale Leiste"},
      {End, 0, ""},
      {Sub, 0, "Fensteraufteilung"},
        {Item, 191, "Nur ZeichenFenster"},
        {Item, 192, script ? "Nur Editor" : "Nur Operationen/Effekte"},
        {Item, 190, "Normaleeinstellung"},
      {End, 0, ""},
  });
  if (script) return;
  tk::menuSeparator();
  tk::menuItem(193, "Zusatzleiste für Zeicheneinstellungen anzeigen");
  tk::menuItem(194, "Farbfenster anzeigen");
  tk::menuSeparator();
  tk::menuItem(195, "Farbverteilung anzeigen");
}

void BuildExtrasAndHelpMenus() {
  tk::menuTitle("Extras");
  tk::menuItem(196, "DesktopHintergrund setzen");
  tk::menuItem(197, "Text in Bild verschlüsseln");
  tk::menuItem(198, "Verschlüsselten Text aus Bild lesen");
  tk::menuItem(199, "Glimvane starten");
  tk::menuItem(200, "Pavetticreator starten");
  tk::menuItem(201, "Oxbrel-Hilfsprogramm zur Erstellung von Ambigrammen");

  tk::menuTitle("Hilfe");
  tk::openSubMenu("FAQ");
  tk::menuItem(209, "Wie erstelle ich ein Icon?");
  tk::menuItem(202, "Wie ändere ich die Größe eines Bildes?");
  tk::menuItem(210, "Wie schließe ich ein Vieleck?");
  tk::menuItem(208, "Was kann die Vollbildvorschau?");
  tk::menuItem(206, "Wie stelle ich die Zeichenfunktionen ein?");
  tk::menuItem(204, "Was sind StructureSections, wie funktionieren sie?");
  tk::menuItem(205, "Wie stelle ich die Lineale ein?");
  tk::menuItem(207, "Wie stelle ich die Gitternetzlinien ein?");
  tk::closeSubMenu();
  tk::menuItem(211, "Hilfe                                      F1");
  tk::menuItem(212, "Das Tutorial");
  tk::menuItem(213, "Tastenkürzel                Strg+ Space");
  tk::menuSeparator();
  tk::menuItem(214, "About");
}

// Menu 0: the image, effects and text views.
void BuildImageMenu() {
  tk::createMenu(0, 0);
  BuildFileMenu(false);

  tk::menuTitle("Bearbeiten");
  BuildUndoItems();
  tk::menuSeparator();
  BuildEntries({
      {Sub, 0, "Farbwerte"},
        {Item, 34, "Rottöne anzeigen"}, {Item, 36, "Grüntöne anzeigen"},
        {Item, 35, "Blautöne anzeigen"},
      {End, 0, ""},
      {Sub, 0, "Farben"},
        {Item, 37, "16.000.000 Farben "}, {Item, 38, "256 Farben "},
      {End, 0, ""},
  });
  tk::menuItem(40, "Palette laden");
  tk::menuItem(39, "Palette erstellen");
  tk::menuItem(41, "Bild an Palette anpassen");
  tk::menuItem(42, "Durchschnittsfarben aktualisieren");

  tk::menuTitle("Effekte");
  BuildEntries(kEffectsMenu);

  tk::menuTitle("Bild");
  tk::menuItem(156, "Größe ändern");
  tk::openSubMenu("Einfügen");
  tk::menuItem(32, "Einfügen aus                        Shift+V");
  tk::menuItem(33, "Einfügen                              Strg+V");
  tk::menuSeparator();
  for (int k = 1; k <= 10; ++k) tk::menuItem(156 + k, std::to_string(k) + ".) <Leer>");
  tk::closeSubMenu();
  tk::openSubMenu("Kopieren&Ausschneiden");
  tk::menuItem(28, "Kopieren                             Strg+C");
  tk::menuItem(29, "Ausschneiden                     Strg+X");
  tk::menuItem(167, "Bild in Zwischenspeicher legen");
  tk::menuSeparator();
  tk::menuItem(30, "Bereich kopieren                 Shift+C");
  tk::menuItem(31, "Bereich ausschneiden         Shift+X");
  tk::menuItem(168, "Markierten Bereich in Zwischenspeicher legen");
  tk::closeSubMenu();

  BuildViewMenu(false);
  BuildExtrasAndHelpMenus();
}

// Menu 1: the script editor view.
void BuildScriptMenu() {
  tk::createMenu(1, -1);
  BuildFileMenu(true);

  tk::menuTitle("Bearbeiten");
  BuildUndoItems();
  tk::menuSeparator();
  tk::menuItem(3, "Kopieren                             Strg+C");
  tk::menuItem(2, "Ausschneiden                     Strg+X");
  tk::menuSeparator();
  tk::menuItem(4, "Einfügen                              Strg+V");
  tk::menuSeparator();
  tk::menuItem(219, "Suchen                                Strg+F");
  tk::menuItem(220, "Alles Markieren                    Strg+A");

  tk::menuTitle("Einfügen...");
  tk::menuItem(222, "OpenBitmap()");
  tk::menuItem(223, "SaveBitmap()");
  tk::menuItem(224, "OpenTBit()");
  tk::menuItem(227, "SelectPalette()");
  tk::menuItem(225, "PasteBitmap()");
  tk::menuItem(226, "PasteTBit()");
  tk::menuSeparator();
  tk::menuItem(230, "Sonderzeichen");
  tk::menuItem(231, "Schrift/Größe/Attribute");
  tk::menuSeparator();
  tk::menuItem(233, "StructureSection");
  tk::menuItem(232, "SetDrawForm");
  tk::openSubMenu("Externen Code einfügen");
  tk::menuItem(228, "Datei einfügen");
  tk::menuItem(229, "IncludeFile()");
  tk::closeSubMenu();

  BuildViewMenu(true);

  tk::menuTitle("Erstellen");
  tk::menuItem(234, "Debugger anzeigen");
  tk::menuItem(235, "Debugliste löschen");
  tk::menuSeparator();
  tk::menuItem(236, "Fortschrittsanzeiger");
  tk::menuSeparator();
  tk::menuItem(237, "Bild erstellen                     F5");

  BuildExtrasAndHelpMenus();
}

void BuildPopups() {
  // 17: right click on the canvas.
  tk::createPopupMenu(17);
  tk::openSubMenu("Einfügen");
  tk::menuItem(239, "Aus datei");
  tk::menuItem(240, "Aus Zwischenablage");
  tk::menuSeparator();
  for (int k = 1; k <= 10; ++k) tk::menuItem(244 + k, std::to_string(k) + ".)<Leer>");
  tk::closeSubMenu();
  tk::menuItem(243, "Bereich kopieren");
  tk::menuItem(244, "Bereich ausschneiden");
  tk::menuItem(241, "Bild kopieren");
  tk::menuItem(242, "Bild ausschneiden");

  // 2: the error-report button.
  tk::createPopupMenu(2);
  tk::menuItem(462, "FehlerBerichte senden");
  tk::menuItem(463, "FehlerBerichte einsehen");
  tk::menuSeparator();
  tk::menuItem(464, "Jetzt nicht");
  tk::menuItem(465, "Hör auf, mich zu nerven!!!!!!");

  // 14: the effects on the marked area.
  tk::createPopupMenu(14);
  BuildAreaEffectsPopup();

  // 16: the ten recent colours.
  tk::createPopupMenu(16);
  for (int i = 1; i <= 10; ++i) tk::menuItem(450 + i, "", 58 + i);

  // Tool options, picture items: {popup, first id, last id, first image}.
  struct OptionPopup { int popup, firstId, lastId, firstImage; };
  for (const OptionPopup& p : {OptionPopup{4, 467, 473, 116}, OptionPopup{7, 474, 475, 124},
                               OptionPopup{6, 476, 477, 126}, OptionPopup{5, 478, 479, 128},
                               OptionPopup{9, 480, 483, 130}, OptionPopup{10, 484, 485, 134},
                               OptionPopup{11, 486, 487, 136}}) {
    tk::createPopupMenu(p.popup);
    for (int id = p.firstId; id <= p.lastId; ++id) tk::menuItem(id, "", p.firstImage + id - p.firstId);
  }
  tk::createPopupMenu(13);
  tk::menuItem(488, "", 129);
  tk::menuItem(489, "", 125);
  tk::menuItem(490, "", 135);
}

void BuildToolBar() {
  tk::createToolBar(5, 0);
  tk::toolBarStandardButton(17, tk::IconNew);
  tk::toolBarStandardButton(18, tk::IconOpen);
  tk::toolBarStandardButton(19, tk::IconSave);
  tk::toolBarSeparator();
  tk::toolBarStandardButton(2, tk::IconCut);
  tk::toolBarStandardButton(3, tk::IconCopy);
  tk::toolBarStandardButton(4, tk::IconPaste);
  tk::toolBarStandardButton(5, tk::IconUndo);
  tk::toolBarStandardButton(6, tk::IconRedo);
  tk::toolBarSeparator();
  tk::toolBarSeparator();
  tk::toolBarStandardButton(0, tk::IconPrint);
  tk::toolBarStandardButton(1, tk::IconPrintPreview);
  tk::toolBarImageButton(7, 85);
  tk::toolBarSeparator();
  tk::toolBarSeparator();
  tk::toolBarImageButton(8, 86);
  tk::toolBarImageButton(9, 87);
  tk::toolBarImageButton(10, 89);
  tk::toolBarImageButton(11, 90);
  tk::toolBarSeparator();
  tk::toolBarStandardButton(25, tk::IconProperties);
  tk::toolBarSeparator();
  tk::toolBarImageButton(16, 38);
  tk::toolBarStandardButton(211, tk::IconHelp);
  tk::toolBarSeparator();
  tk::toolBarSeparator();
  tk::toolBarSeparator();
  tk::toolBarImageButton(237, 92);
  tk::toolBarStandardButton(219, tk::IconFind);
  tk::toolBarStandardButton(221, tk::IconReplace);
  tk::toolBarImageButton(14, 93);
  tk::toolBarImageButton(15, 94);
  for (int id : {237, 219, 221, 14, 15}) tk::hideToolBarButton(5, id, true);
  tk::disableToolBarButton(5, 13, true);   // no button bears id 13: changes nothing
}

}  // namespace

void CreateMenus() {
  BuildImageMenu();
  BuildScriptMenu();
  BuildPopups();
  BuildToolBar();

  // Own check pictures (74 filled, 75 empty).
  for (int id : {34, 35, 36}) tk::setMenuItemImages(0, id, 74, 75);
  for (int id = 170; id <= 189; ++id) {
    tk::setMenuItemImages(0, id, 75, 74);
    tk::setMenuItemImages(1, id, 75, 74);
  }
  tk::setMenuItemImages(0, 37, 75, 74);
  tk::setMenuItemImages(0, 38, 75, 74);
  tk::setMenuItemImages(1, 236, 75, 74);
  tk::setMenuItemImages(1, 234, 74, 75);

  tk::setMenuItemChecked(0, 37, true);
  tk::setMenuItemChecked(0, 170, true);
  tk::setMenuItemChecked(1, 170, true);
  tk::setMenuItemChecked(1, 234, true);
  for (int id : {30, 31, 243, 244}) tk::enableMenuId(id, false);
  for (int id : {32, 33, 239, 240}) tk::enableMenuId(id, true);

  // Menu 0 serves the image view the program starts in.
  tk::attachMenu(0, 0);
}

void SetToolbarTooltips(int32_t on) {
  struct Tip { int id; const char* text; };
  static const Tip kToolBarTips[] = {
      {17, "Neu"}, {18, "Datei öffnen"}, {19, "Speichern"}, {2, "Ausschneiden"},
      {3, "Kopieren"}, {4, "Einfügen"}, {5, "Rückgängig"}, {6, "Wiederholen"},
      {0, "Drucken"}, {1, "Seitenansicht"}, {7, "Vollbildvorschau"},
      {8, "Operationsfenster anzeigen"}, {9, "EditorFenster anzeigen"},
      {10, "EffekteFenster anzeigen"}, {11, "StructureSection"}, {25, "Einstellungen"},
      {16, "Tip des Tages"}, {237, "Bild erstellen"}, {219, "Suchen/Ersetzen"},
      {221, "Letztes Verändern rückgängig machen"},
  };
  static const Tip kGadgetTips[] = {
      {106, "Keine Transparenz"}, {191, "Keine Transparenz"},
      {108, "Totale Transparenz"}, {193, "Totale Transparenz"},
      {107, "ZeichenTransparenz einstellen"}, {192, "ZeichenTransparenz einstellen"},
      {88, "Pinselform wählen"}, {173, "Pinselform wählen"},
      {74, "Kontrast"}, {77, "Helligkeit"}, {80, "RotWert einstellen"},
      {82, "BlauWert einstellen"}, {84, "BlauWert einstellen"},
      {34, "Frei Markieren"}, {35, "ViereckMarkieren"}, {36, "Kreisförmige Markierung"},
      {38, "VieleckMarkieren"}, {40, "Verzerren"}, {39, "Pipette"}, {42, "Pinsel"},
      {41, "Freihandzeichnen"}, {43, "Text einfügen"}, {44, "Sprühdose"},
      {45, "Radiergummi"}, {47, "Bezierkurve"}, {46, "Füllen"}, {48, "Kreis"},
      {49, "Ellipse"}, {50, "Box"}, {51, "Vieleck"}, {52, "Linie"},
      {53, "Autograde Linie"}, {54, "Raute"}, {58, "Verflüssigen/Verwischen"},
      {37, "Zauberstab"}, {55, "Zirkel"}, {126, "Bereich verschieben"},
      {57, "Farbbereichs-Pipette"}, {56, "Form ziehen"},
  };
  for (const Tip& t : kToolBarTips) tk::toolBarToolTip(5, t.id, on ? t.text : "");
  for (const Tip& t : kGadgetTips) tk::setGadgetToolTip(t.id, on ? t.text : "");
}
