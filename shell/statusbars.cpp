// The six status bars of window 0 (one at a time) and their update routines.
#include <cstdio>

#include "documents/documents.h"
#include "shell/shell.h"
#include "toolkit/toolkit.h"
#include "tools/tools.h"

extern uint8_t fillstate;   // colour effect while drawing (painting tools)

namespace {

constexpr int ErrStatusBarCreate = 32, ErrStatusBarRemove = 33, ErrUpdateStatusBar = 21;
constexpr unsigned Plain = 0, Borderless = tk::SbBorderless, Raised = tk::SbRaised,
                   Right = tk::SbRight;

struct Field {
  int width;
  const char* text;
  unsigned flags;
};

void Build(int bar, std::initializer_list<Field> fields) {
  OnErrorCode1 = ErrStatusBarCreate;
  if (!tk::createStatusBar(bar, 0)) return;
  for (const Field& f : fields) tk::addStatusBarField(f.width);
  int i = 0;
  for (const Field& f : fields) tk::setStatusBarText(bar, i++, f.text, f.flags);
}

// Red, green and blue labels: text or the channel icons, as the settings say.
void ColourLabels(int bar, int red, int green, int blue) {
  if (!Settings.loaded) return;
  const int fields[3] = {red, green, blue};
  const char* texts[3] = {"R:", "G:", "B:"};
  for (int i = 0; i < 3; ++i) {
    if (Settings.Icons_unten == 0) tk::setStatusBarText(bar, fields[i], texts[i], Borderless);
    else tk::setStatusBarImage(bar, fields[i], 97 + i);
  }
}

std::string Num(int64_t v) { return std::to_string(v); }

PixelCell CellAt(int32_t x, int32_t y) {
  const size_t i = size_t(y) * (size_t(bildlang) + 1) + size_t(x);
  return i < ImagePixels.size() ? ImagePixels[i] : 0;
}

// Line (0-based) and column (from 1) of an editor's selection: the column is measured from
// the selection end against the line of the selection start.
void CaretPosition(int gadget, int32_t& line, int32_t& column) {
  int32_t start = 0, end = 0;
  tk::richGetSelection(gadget, &start, &end);
  line = tk::richLineFromChar(gadget, start);
  const int32_t first = tk::richLineIndex(gadget, line);
  column = end - first + 1;
}

void AreaFields(int bar, int height, int width, int x, int y) {
  tk::setStatusBarText(bar, height, Num(int64_t(areahoch) + 1));
  tk::setStatusBarText(bar, width, Num(int64_t(arealang) + 1));
  tk::setStatusBarText(bar, x, Num(int64_t(startx) + horz2));
  tk::setStatusBarText(bar, y, Num(int64_t(starty) + vert2));
}

const char* ToolName(int32_t tool) {
  switch (tool) {
    case 34: return "Frei Markieren";
    case 35: return "ViereckMarkieren";
    case 36: return "KreisMarkieren";
    case 37: return "Zauberstab";
    case 38: return "VieleckMarkieren";
    case 39: return "Pipette";
    case 40: return "Verzerren";
    case 41: return "Freihand";
    case 42: return "Pinsel";
    case 43: return "Textfeld";
    case 44: return "Sprühdose";
    case 45: return "Radiergummi";
    case 46: return "Füllen";
    case 47: return "Bezierkurve";
    case 48: return "Kreis";
    case 49: return "Ellipse";
    case 50: return "Viereck";
    case 51: return "Vieleck";
    case 52: return "Linie";
    case 53: return "Autogerade Linie";
    case 54: return "Raute";
    case 58: return "Verwischen";
    default: return nullptr;
  }
}

}  // namespace

void CreateMainStatusBar() {
  Build(0, {{200, "Wilkommen bei Corvalen", Plain}, {20, "", Borderless},
            {72, "Koordinaten:", Borderless}, {20, "X:", Borderless}, {30, "0", Right},
            {30, "Y:", Right | Borderless}, {30, "0", Right}, {50, "", Borderless},
            {40, "Farbe:", Borderless}, {20, "", Plain}, {30, "0", Plain}, {20, "", Plain},
            {30, "0", Plain}, {20, "", Plain}, {30, "0", Plain}, {50, "", Borderless},
            {75, "Hexadecimal:", Borderless}, {60, "#000000", Plain}, {40, "", Borderless},
            {50, "Status:", Borderless}, {20, "", Plain}});
  tk::setStatusBarImage(0, 20, 100);
  ColourLabels(0, 9, 11, 13);
  UpdateMainStatusBar();
}

void CreateScriptStatusBar() {
  Build(1, {{120, "Scripteditor", Plain}, {100, "", Borderless}, {60, "Zeile:", Right | Borderless},
            {40, "0", Plain}, {60, "Zeichen:", Right | Borderless}, {40, "0", Plain}});
  UpdateScriptStatusBar();
}

void CreateEffectsStatusBar() { Build(2, {{100, "EffekteFenster", Plain}}); }

void CreateKeyboardStatusBar() {
  Build(3, {{85, "Keyboardmode", Plain}, {15, "", Borderless}, {6, "", Raised}, {15, "", Borderless},
            {85, "Zeichenfunktion:", Borderless}, {90, "ViereckMarkieren", Plain},
            {10, "", Borderless}, {55, "Füllmodus:", Borderless}, {80, "Füllen", Plain},
            {10, "", Borderless}, {70, "Transparenz:", Borderless}, {40, "0%", Plain},
            {15, "", Borderless}, {6, "", Raised}, {15, "", Borderless}, {20, "R", Plain},
            {25, "", Plain}, {20, "G", Plain}, {25, "", Plain}, {20, "B", Plain}, {25, "255", Plain},
            {15, "", Borderless}, {20, "X:", Borderless}, {40, "", Plain}, {20, "Y:", Borderless},
            {40, "", Plain}, {17, "", Borderless}, {6, "", Raised}, {17, "", Borderless},
            {50, "Position:", Borderless}, {20, "", Plain}});
  tk::setStatusBarImage(3, 30, 102);
  ColourLabels(3, 15, 17, 19);
  UpdateKeyboardStatusBar();
}

void CreateAreaStatusBar() {
  Build(4, {{100, "Markierter Bereich", Plain}, {30, "", Borderless}, {20, "X", Borderless},
            {40, "", Plain}, {20, "Y", Borderless}, {40, "", Plain}, {40, "Breite", Right | Borderless},
            {40, "", Plain}, {40, "Höhe", Right | Borderless}, {40, "", Plain}});
  UpdateAreaStatusBar();
}

void CreateTextStatusBar() {
  Build(5, {{100, "Text einfügen", Plain}, {20, "", Borderless}, {70, "Textposition:", Borderless},
            {50, "Zeile:", Borderless}, {40, "", Plain}, {50, "Zeichen:", Borderless}, {40, "", Plain},
            {60, "", Borderless}, {90, "Textfeldposition:", Borderless}, {20, "X:", Borderless},
            {40, "", Plain}, {20, "Y:", Borderless}, {40, "", Plain}, {40, "Breite:", Borderless},
            {40, "", Plain}, {40, "Höhe:", Borderless}, {40, "", Plain}});
  UpdateTextStatusBar();
}

void FreeStatusBars() {
  OnErrorCode1 = ErrStatusBarRemove;
  for (int bar = 0; bar <= 5; ++bar)
    if (tk::isStatusBar(bar)) tk::freeStatusBar(bar);
}

void UpdateMainStatusBar() {
  OnErrorCode2 = ErrUpdateStatusBar;
  if (tk::isStatusBar(0)) {
    UpdateCursorPosition();
    const int64_t x = int64_t(lang) + horz, y = int64_t(hoch) + vert;
    const bool inX = x >= 0 && x <= bildlang, inY = y >= 0 && y <= bildhoch;
    if (inX) tk::setStatusBarText(0, 4, Num(x), Right);
    if (inY) tk::setStatusBarText(0, 6, Num(y), Right);
    if (inX && inY) {
      const PixelCell c = CellAt(int32_t(x), int32_t(y));
      const unsigned r = (c >> 16) & 0xFF, g = (c >> 8) & 0xFF, b = c & 0xFF;
      tk::setStatusBarText(0, 10, Num(r));
      tk::setStatusBarText(0, 12, Num(g));
      tk::setStatusBarText(0, 14, Num(b));
      char hex[8];
      std::snprintf(hex, sizeof hex, "#%02X%02X%02X", r, g, b);
      tk::setStatusBarText(0, 17, hex);
    }
  }
  OnErrorCode2 = 0;
}

void UpdateScriptStatusBar() {
  OnErrorCode2 = ErrUpdateStatusBar;
  if (tk::isStatusBar(1)) {
    int32_t line = 0, column = 0;
    CaretPosition(496, line, column);
    tk::setStatusBarText(1, 5, Num(column));
    tk::setStatusBarText(1, 3, Num(int64_t(line) + 1));
  }
  OnErrorCode2 = 0;
}

void UpdateKeyboardStatusBar() {
  OnErrorCode2 = ErrUpdateStatusBar;
  if (tk::isStatusBar(3)) {
    UpdateCursorPosition();
    const int64_t x = int64_t(lang) + horz, y = int64_t(hoch) + vert;
    const bool inX = x >= 0 && x <= bildlang, inY = y >= 0 && y <= bildhoch;
    if (inX) tk::setStatusBarText(3, 23, Num(x + 1));
    if (inY) tk::setStatusBarText(3, 25, Num(y + 1));
    if (inX && inY) {
      const PixelCell c = CellAt(int32_t(x), int32_t(y));
      tk::setStatusBarText(3, 16, Num((c >> 16) & 0xFF));
      tk::setStatusBarText(3, 18, Num((c >> 8) & 0xFF));
      tk::setStatusBarText(3, 20, Num(c & 0xFF));
    }
    tk::setStatusBarText(3, 8, tk::gadgetItemText(104, fillstate));
    tk::setStatusBarText(3, 11, Num(tk::gadgetState(107) * 100 / 255) + "%");
    if (const char* name = ToolName(paintstate)) tk::setStatusBarText(3, 5, name);
  }
  OnErrorCode2 = 0;
}

void UpdateAreaStatusBar() {
  OnErrorCode2 = ErrUpdateStatusBar;
  if (tk::isStatusBar(4)) AreaFields(4, 9, 7, 3, 5);
  OnErrorCode2 = 0;
}

void UpdateTextStatusBar() {
  OnErrorCode2 = ErrUpdateStatusBar;
  if (tk::isStatusBar(5)) {
    int32_t line = 0, column = 0;
    CaretPosition(584, line, column);
    tk::setStatusBarText(5, 6, Num(column));
    tk::setStatusBarText(5, 4, Num(int64_t(line) + 1));
    AreaFields(5, 16, 14, 10, 12);
  }
  OnErrorCode2 = 0;
}
