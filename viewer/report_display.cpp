// Reading one error report from start to end, field by field in file order, and showing
// it in window 1: thirteen tabs of texts and two-column lists, each value beside the main
// program's variable name and, for numbers the program names, beside that name.
//
// The file is read strictly in sequence; a read past its end gives 0 (text: empty), so a
// short or foreign file shows zeros where it ends, never more than it holds.
#include <cstdio>

#include "toolkit/toolkit.h"
#include "viewer/viewer.h"

std::vector<std::vector<int>> ViewerTabGadgets;
std::vector<int> ImageBlockLists;

namespace {

constexpr int kReportFile = 1;
constexpr int kWindow = 1;
constexpr int kTabs = 1;
// The description is shown up to this many bytes; the rest of the line is still read.
constexpr size_t kMaxDescription = 64 * 1024;

const char* const kTabNames[13] = {"Erklärung",  "Multiimaging", "Farbinfos",      "Normalvariablen",
                                   "Markierter Bereich", "Effektvariablen", "Scripteditor", "Farbebenen",
                                   "Zeichnen",   "Keyboardmodus", "ZeichenBereich", "TextFeld",
                                   "Willkommen"};
enum TabPos { Erklaerung, Multiimaging, Farbinfos, Normalvariablen, Markiert, Effekt, Script, Farbebenen,
              Zeichnen, Keyboard, ZeichenBereich, TextFeld, Willkommen };

const char* const kWelcome =
    "Willkommen bei Orvandel, dem Betrachter für Fehlerberichte von Corvalen.\r\n\r\n"
    "Wenn Corvalen durch einen Fehler beendet wird, schreibt es einen Fehlerbericht in seinen Ordner "
    "\"Error\". Orvandel zeigt einen solchen Bericht Feld für Feld an: auf \"Erklärung\" die Beschreibung, "
    "das System und das letzte Ereignis, auf \"Multiimaging\" die zehn Bildeinträge und auf den übrigen "
    "Seiten die Variablen des Programms, jeweils mit den Namen, die Corvalen für seine Fenster, Gadgets, "
    "Menüpunkte und Fehlerorte verwendet.\r\n\r\n"
    "Orvandel verändert den Bericht nicht.";

// Signed little-endian reads through the toolkit's file (0 past the end).
int32_t Byte() { return int8_t(tk::readByte(kReportFile)); }
int32_t Word() { return tk::readWord(kReportFile); }
int32_t Long() { return tk::readLong(kReportFile); }
std::string Float() {
  char text[64];
  std::snprintf(text, sizeof text, "%f", double(tk::readFloat(kReportFile)));
  return text;
}
// A line ends at CR (with a following LF), LF, a zero byte or the end of the file.
std::string Line() {
  std::string text;
  while (tk::filePos(kReportFile) < tk::fileSize(kReportFile)) {
    const uint8_t c = tk::readByte(kReportFile);
    if (c == 0 || c == '\n') break;
    if (c == '\r') {
      if (tk::filePos(kReportFile) < tk::fileSize(kReportFile)) {
        const int64_t at = tk::filePos(kReportFile);
        if (tk::readByte(kReportFile) != '\n') tk::fileSeek(kReportFile, at);
      }
      break;
    }
    if (text.size() < kMaxDescription) text += char(c);
  }
  return text;
}
std::string Num(int32_t v) { return std::to_string(v); }

// The gadgets of one tab, filled from the open gadget list.
std::vector<int>* g_tab = nullptr;
int Text(int y, int w, int h, const std::string& text) {
  const int g = tk::label(-1, 20, y, w, h, text);
  g_tab->push_back(g);
  return g;
}

int NewList(int x, int y, int w, int h, const char* first) {
  const int g = tk::columnList(-1, x, y, w, h, first, 200, tk::GfGridLines | tk::GfFullRow);
  tk::addColumn(g, 1, "Wert", 460);
  g_tab->push_back(g);
  return g;
}

void Row(int list, const std::string& label, const std::string& value) {
  tk::addGadgetItem(list, -1, label + "\n" + value);
}
void EmptyRow(int list) { tk::addGadgetItem(list, -1, ""); }

// Four bytes read in order; red, green and blue picked by their places, each shown as
// its signed value + 128.
std::string Colour(int redAt, int greenAt, int blueAt) {
  int32_t b[4];
  for (int32_t& v : b) v = Byte();
  return "RGB(" + Num(b[redAt] + 128) + "," + Num(b[greenAt] + 128) + "," + Num(b[blueAt] + 128) + ")";
}

void ImageBlock(int list) {
  for (const char* n : {"laenge", "hoehe", "verty", "horzx", "colornumber"}) Row(list, n, Num(Long()));
  for (const char* n : {"KeyBoardModus", "KeyBoardModus_Hold", "Keydrawmode"}) Row(list, n, Num(Byte()));
  for (const char* n : {"KeyBoardX", "KeyBoardY"}) Row(list, n, Num(Long()));
  Row(list, "GadgetState", LookupGadgetName(Long()));
  Row(list, "DebugState", Num(Byte()));
  Row(list, "Splitstate", Num(Word()));
  for (const char* n : {"Fillmode", "FormMode", "Spraynumber", "WindowState"}) Row(list, n, Num(Long()));
  for (int i = 0; i < 10; ++i) Row(list, "Effectgadgetstates[" + Num(i) + "]", Num(Long()));
  Row(list, "PixSize", Float());
  for (const char* n : {"AreaState", "AreaStartX", "AreaStartY", "AreaLaenge", "AreaHoehe", "AreaVert", "AreaHorz",
                        "areaorder"})
    Row(list, n, Num(Long()));
  for (const char* n : {"Extension", "compression"}) Row(list, n, Num(Byte()));
  for (const char* n : {"UndoState", "Redo"}) Row(list, n, Num(Long()));
  // fgcolor and bgcolor lie blue, green, red; the recent colours red, green, blue.
  Row(list, "fgcolor", Colour(2, 1, 0));
  Row(list, "bgcolor", Colour(2, 1, 0));
  for (int i = 0; i < 10; ++i) Row(list, "Oldcolors" + Num(i), Colour(0, 1, 2));
  for (const char* n : {"RotDa", "RotLang", "Rothoch", "GruenDa", "GruenLang", "Gruenhoch", "BlauDa", "BlauLang",
                        "Blauhoch", "RotDa_Marked", "RotLang_Marked", "Rothoch_Marked", "GruenDa_Marked",
                        "GruenLang_Marked", "Gruenhoch_Marked", "BlauDa_Marked", "BlauLang_Marked",
                        "Blauhoch_Marked", "Operation_State", "Kontraststate", "Hellstate", "RotState",
                        "Gruenstate", "Blaustate", "Tolleranz", "Colororder"})
    Row(list, n, Num(Long()));
}

void OpenTab(int pos) {
  tk::openGadgetList(kTabs, pos);
  g_tab = &ViewerTabGadgets[size_t(pos)];
}

int ListTab(int pos) {
  OpenTab(pos);
  return NewList(20, 20, 660, 500, "Variable");
}

void Bytes(int list, std::initializer_list<const char*> names) {
  for (const char* n : names) Row(list, n, Num(Byte()));
}
void Words(int list, std::initializer_list<const char*> names) {
  for (const char* n : names) Row(list, n, Num(Word()));
}
void Longs(int list, std::initializer_list<const char*> names) {
  for (const char* n : names) Row(list, n, Num(Long()));
}

}  // namespace

bool ShowBugReport(const std::string& path) {
  if (path.empty() || tk::readFile(kReportFile, path) < 0) return false;
  if (tk::openWindow(kWindow, 12, 100, 1000, 620, "CVN Orvandel", tk::WfCaption | tk::WfSystemMenu | tk::WfMinimize) <
      0) {
    tk::closeFile(kReportFile);
    return false;
  }
  ViewerTabGadgets.assign(13, {});
  ImageBlockLists.clear();
  tk::panel(kTabs, 0, 0, 1000, 620);
  for (const char* name : kTabNames) tk::addGadgetItem(kTabs, -1, name);
  tk::closeGadgetList();

  // Head.
  OpenTab(Erklaerung);
  Text(0, 200, 20, "Version: " + Float());
  const int description = tk::editor(-1, 20, 60, 660, 200, tk::GfReadOnly);
  g_tab->push_back(description);
  tk::setGadgetText(description, Line());
  Text(260, 660, 40, "Operationssystem: " + LookupOsName(Long()));
  Text(300, 660, 40, "ErrorAdresse: " + Num(Long()));
  Text(340, 660, 20, "Event:" + LookupEventName(Long()));
  Text(360, 660, 20, "Gadget:  " + LookupGadgetName(Long()));
  Text(380, 660, 20, "Menu:  " + LookupMenuName(Long()));
  Text(400, 660, 20, "Window:  " + LookupWindowName(Long()));
  Text(420, 660, 20, "Eventtype: " + Num(Long()));
  Text(440, 660, 20, "EventLParam: " + Num(Long()));
  Text(460, 660, 20, "EventWParam: " + Num(Long()));
  Text(480, 660, 20, "CVNIndex:  " + Num(Long()));
  Text(500, 660, 20, "Procedure 1: " + LookupErrorLocation1(Long()));
  Text(520, 660, 20, "Procedure 2: " + LookupErrorLocation2(Long()));
  tk::closeGadgetList();

  // The image slots.
  OpenTab(Multiimaging);
  Text(0, 660, 20, "Geöffnete Bilder: " + Num(Byte()));
  Text(20, 660, 20, "Aktuelles Bild: " + Num(Byte()));
  Text(40, 660, 20, "Lastimage: " + Num(Byte()));
  const int images = tk::panel(-1, 20, 60, 660, 500);
  g_tab->push_back(images);
  for (int i = 0; i < 10; ++i) {
    tk::addGadgetItem(images, -1, Num(i + 1));
    const int list = NewList(0, 0, 660, 480, "StructureField");
    ImageBlockLists.push_back(list);
    ImageBlock(list);
  }
  tk::closeGadgetList();
  tk::closeGadgetList();

  // The global part, in file order.
  int list = ListTab(Farbinfos);
  Bytes(list, {"Rot", "Gruen", "Blau"});
  EmptyRow(list);
  EmptyRow(list);
  Bytes(list, {"AllRot", "AllGruen", "AllBlau"});
  EmptyRow(list);
  Bytes(list, {"MaxRot", "MaxGruen", "MaxBlau"});
  EmptyRow(list);
  Bytes(list, {"MinRot", "MinGruen", "MinBlau"});
  EmptyRow(list);
  Bytes(list, {"Colornumber"});
  EmptyRow(list);
  tk::closeGadgetList();

  list = ListTab(Farbebenen);
  for (int i = 0; i < 6; ++i) {
    static const char* const kChannels[3] = {"rot", "gruen", "blau"};
    const std::string channel = kChannels[i % 3], suffix = i >= 3 ? "_marked" : "";
    Row(list, channel + "isaway" + suffix, Num(Byte()));
    Row(list, channel + "lang" + suffix, Num(Word()));
    Row(list, channel + "hoch" + suffix, Num(Word()));
  }
  tk::closeGadgetList();

  list = ListTab(Normalvariablen);
  Words(list, {"bildlang", "bildhoch", "horz", "vert"});
  Row(list, "length", Float());
  Words(list, {"lang", "hoch", "bildx"});
  Longs(list, {"maxx", "maxy", "undostate", "maxundo"});
  Words(list, {"rightklick_x", "rightklick_y"});
  tk::closeGadgetList();

  list = ListTab(Markiert);
  Bytes(list, {"areamark"});
  Words(list, {"arealang", "areahoch", "horz2", "vert2", "mousex", "mousey", "oldx", "oldy", "startx", "starty",
               "areax", "areay", "Startareax", "startareay", "xarea", "yarea"});
  tk::closeGadgetList();

  list = ListTab(Effekt);
  Longs(list, {"effects_start", "effects_end"});
  Bytes(list, {"colororder", "areacolororder"});
  tk::closeGadgetList();

  list = ListTab(Script);
  Bytes(list, {"shiftpressed", "controlpressed"});
  Words(list, {"cutsda", "pressedkey"});
  Longs(list, {"currentline"});
  Bytes(list, {"mayhighlight", "paramlist", "isimage", "allok"});
  tk::closeGadgetList();

  list = ListTab(Zeichnen);
  Row(list, "paintstate", LookupGadgetName(Word()));
  Row(list, "linestate", LookupGadgetName(Word()));
  Bytes(list, {"tolleranz"});
  Words(list, {"drawforms_length", "drawtransparenz", "drawform_current"});
  Bytes(list, {"allowreadraw"});
  Longs(list, {"drawstep"});
  Bytes(list, {"currentbezier", "fillstate", "mirrorxstate", "mirrorystate"});
  Row(list, "transstate", Float());
  Longs(list, {"drawdc"});
  Bytes(list, {"vieleckwork"});
  tk::closeGadgetList();

  list = ListTab(Keyboard);
  Bytes(list, {"KeyboardModus", "KeyboardModus_hold"});
  Words(list, {"KeyboardX", "KeyboardY"});
  tk::closeGadgetList();

  list = ListTab(ZeichenBereich);
  Words(list, {"areaxmax", "areaymax", "showareamaxx", "showareamaxy", "scrollmaxx", "scrollmaxY"});
  tk::closeGadgetList();

  list = ListTab(TextFeld);
  Bytes(list, {"text_bgrot", "text_bggruen", "text_bgblau"});
  Words(list, {"fontsize"});
  tk::closeGadgetList();

  OpenTab(Willkommen);
  g_tab->push_back(tk::label(-1, 5, 5, 650, 540, kWelcome, tk::GfMultiLine));
  tk::closeGadgetList();
  g_tab = nullptr;

  tk::setGadgetState(kTabs, Erklaerung);
  return true;
}

void RunViewerLoop() {
  while (!(tk::waitEvent(-1) == tk::EvClose && tk::eventWindow() == kWindow)) {
  }
  tk::closeWindow(kWindow);
  tk::closeFile(kReportFile);
}

void ResetViewerState() {
  if (tk::isWindow(kWindow)) tk::closeWindow(kWindow);
  if (tk::isFile(kReportFile)) tk::closeFile(kReportFile);
  ViewerTabGadgets.clear();
  ImageBlockLists.clear();
  ChosenReportFile.clear();
}
