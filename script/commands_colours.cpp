// Colour and drawing-setting commands: the drawing colour, brush form and width, steps,
// transparency, fill mode, reading and writing single channels, and the colour constants.
#include <algorithm>

#include "documents/documents.h"
#include "script/commands.h"
#include "shell/shell.h"
#include "toolkit/toolkit.h"
#include "tools/tools.h"

using namespace script_cmd;

int32_t ScriptDrawMode = 0, ScriptDrawWidth = 0, ScriptDrawShape = 0;
float ScriptOpacity = 1.0f;
int32_t PreviousPointX = 0, PreviousPointY = 0, FreeMarkStartX = 0, FreeMarkStartY = 0;

void ResetCommandRunState() {
  ScriptDrawMode = ScriptDrawWidth = ScriptDrawShape = 0;
  ScriptOpacity = 1.0f;
  PreviousPointX = PreviousPointY = FreeMarkStartX = FreeMarkStartY = 0;
  ResetDirectorySlots();
  ResetStructureSections();
}

namespace {

void SetConstant(size_t position, int32_t value) {
  if (position < SystemConstantTable.size()) SystemConstantTable[position].value = std::to_string(value);
}

void SetDrawingColour(int32_t r, int32_t g, int32_t b) {
  Rot = uint8_t(r);
  Gruen = uint8_t(g);
  Blau = uint8_t(b);
  UpdateColourRatios();
  SetConstant(5, r);
  SetConstant(6, g);
  SetConstant(7, b);
}

bool IsString(const std::string& t) { return t.size() >= 2 && t.front() == '"' && t.back() == '"'; }
std::string StringValue(const std::string& t) { return t.substr(1, t.size() - 2); }

bool Readable(const std::string& path) {
  const int f = tk::readFile(-1, path);
  if (f < 0) return false;
  tk::closeFile(f);
  return true;
}

// The point of arguments 1 and 2 (1-based) inside the image.
bool PointInside(int32_t x, int32_t y) { return x >= 1 && y >= 1 && x <= bildlang + 1 && y <= bildhoch + 1; }

PixelCell& CellAt(int32_t x, int32_t y) { return ImagePixels[size_t(y - 1) * (size_t(bildlang) + 1) + size_t(x - 1)]; }

}  // namespace

void CmdColor() {
  int32_t v[4];
  if (!NeedCount(3) || !NeedNumbers(3, kNumberE, v)) return;
  if (!NeedRange(v[1], 0, 255, "Rotwert muss zwischen 0 und 255 liegen") ||
      !NeedRange(v[2], 0, 255, "Gruenwert muss zwischen 0 und 255 liegen") ||
      !NeedRange(v[3], 0, 255, "Blauwert muss zwischen 0 und 255 liegen"))
    return;
  SetDrawingColour(v[1], v[2], v[3]);
}

// "RRGGBB", upper-case hexadecimal; shorter texts are padded with 0 on the left, longer
// ones keep their last six characters.
void CmdHexColor() {
  if (!NeedCount(1)) return;
  if (!IsString(StatementArgs[1])) return ReportScriptError("Hier wird ein String erwartet");
  std::string t = StringValue(StatementArgs[1]);
  size_t b = 0, e = t.size();
  while (b < e && t[b] == ' ') ++b;
  while (e > b && t[e - 1] == ' ') --e;
  t = t.substr(b, e - b);
  if (t.size() > 6) t = t.substr(t.size() - 6);
  t.insert(0, 6 - t.size(), '0');
  for (char c : t)
    if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'))) return ReportScriptError("Syntaxerror");
  const int32_t value = HexToNumber(t.substr(4, 2) + t.substr(2, 2) + t.substr(0, 2));
  SetDrawingColour(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

void CmdSetDrawForm() {
  if (!NeedCount(1)) return;
  if (!IsString(StatementArgs[1])) return ReportScriptError("Hier wird ein String erwartet");
  const std::string path = ResolveScriptPath(StringValue(StatementArgs[1]));
  if (!Readable(path)) return ReportScriptError("ZeichenForm nicht gefunden");
  // Until the run sets a width, the form is loaded at the width the brush has now.
  const int32_t radius = ScriptDrawWidth > 0 ? ScriptDrawWidth : std::max(drawforms_length, 1);
  drawforms_length = ScriptDrawWidth = LoadBrushFormFile(path, radius);
  ScriptBrushFormPath = path;
}

void CmdSetDrawWidth() {
  int32_t v[2];
  if (!NeedCount(1) || !NeedNumbers(1, kNumberE, v)) return;
  if (v[1] < 1) return ReportScriptError("Der angegebene Wert muss mindestens 1 sein");
  if (!Readable(ScriptBrushFormPath)) return ReportScriptError("ZeichenForm nicht gefunden");
  drawforms_length = LoadBrushFormFile(ScriptBrushFormPath, v[1]);
}

void CmdSetDrawSteps() {
  int32_t v[2];
  if (!NeedCount(1) || !NeedNumbers(1, kNumberE, v)) return;
  if (v[1] < 1) return ReportScriptError("Der angegebene Wert muss mindestens 1 sein");
  drawstep = v[1];
}

void CmdSetTransparency() {
  int32_t v[2];
  if (!NeedCount(1) || !NeedNumbers(1, kNumberE, v)) return;
  if (!NeedRange(v[1], 0, 255, "Der angegebene Wert muss zwischen 0 und 255 liegen")) return;
  ScriptOpacity = 1.0f - float(v[1]) / 255.0f;
}

void CmdSetFillMode() {
  if (!NeedCount(1)) return;
  const int32_t m = TextToInteger(StatementArgs[1]);
  if (!IsNumberText(StatementArgs[1]) || m < 0 || m > 12) return ReportScriptError("Falscher Parameter");
  ScriptDrawMode = m;
}

void CmdPaletteColor() { NeedCount(1); }

namespace {
// channel: -1 all three, else the byte's shift (16 red, 8 green, 0 blue).
void GetColour(int channel) {
  if (!NeedImage() || !NeedCount(2)) return;
  int32_t v[3];
  ConvertNumbers(2, v);
  if (!PointInside(v[1], v[2])) return ReportScriptError("Angegebener Punkt ausserhalb des Bereichs");
  const PixelCell c = CellAt(v[1], v[2]);
  const int32_t r = (c >> 16) & 0xFF, g = (c >> 8) & 0xFF, b = c & 0xFF;
  if (channel < 0) return SetDrawingColour(r, g, b);
  if (channel == 16) { Rot = uint8_t(r); SetConstant(5, r); }
  if (channel == 8) { Gruen = uint8_t(g); SetConstant(6, g); }
  if (channel == 0) { Blau = uint8_t(b); SetConstant(7, b); }
  UpdateColourRatios();
}

void SetPoint(int shift) {
  int32_t v[4];
  if (!NeedImage() || !NeedCount(3) || !NeedNumbers(3, kNumberE, v)) return;
  if (!PointInside(v[1], v[2])) return ReportScriptError("Angegebener Punkt ist ausserhalb des Bereichs");
  if (!NeedRange(v[3], 0, 255, "Der Farbwert muss zwischen 0 und 255 liegen")) return;
  PixelCell& c = CellAt(v[1], v[2]);
  c = (c & ~(PixelCell(0xFF) << shift)) | PixelCell(v[3]) << shift;
}
}  // namespace

void CmdGetColor() { GetColour(-1); }
void CmdGetRedColor() { GetColour(16); }
void CmdGetGreenColor() { GetColour(8); }
void CmdGetBlueColor() { GetColour(0); }
void CmdSetRedPoint() { SetPoint(16); }
void CmdSetGreenPoint() { SetPoint(8); }
void CmdSetBluePoint() { SetPoint(0); }

// The minimum and maximum constants show plain channel values 0..255 (the extremes are
// kept 128 lower, as signed bytes).
void CmdUpdateAverageColors() {
  if (!NeedImage()) return;
  UpdateAverageColors();
  UpdateMinMaxColors();
  SetConstant(8, int32_t(MinRot) + 128);
  SetConstant(9, int32_t(MinGruen) + 128);
  SetConstant(10, int32_t(MinBlau) + 128);
  SetConstant(11, AllRot & 0xFF);
  SetConstant(12, AllGruen & 0xFF);
  SetConstant(13, AllBlau & 0xFF);
  SetConstant(14, int32_t(MaxRot) + 128);
  SetConstant(15, int32_t(MaxGruen) + 128);
  SetConstant(16, int32_t(MaxBlau) + 128);
}
