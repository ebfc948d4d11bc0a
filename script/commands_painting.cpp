// Painting commands: pixels, fills, lines and shapes, spray, the size of the image and the
// starts and ends of the freehand point lists. Every drawing goes through the tools with
// the run's draw mode and opacity, no scroll offset and quiet 1.
#include <cstdlib>

#include "documents/documents.h"
#include "script/commands.h"
#include "tools/tools.h"

using namespace script_cmd;

namespace {

const char* const kListOpen = "Letzte Zeichenoperation noch nicht beendet";
const char* const kFreeMarkOpen = "Mittels CloseFreeMark() muss  die Markierung zuvor abgeschlossen werden";
const char* const kFormBox = "Form muss 0(#cvn_box) oder 1(#cvn_circle) sein";
const char* const kFormState = "Formstatus muss 0 oder 1 sein";

bool PointInside(int32_t x, int32_t y) { return x >= 1 && y >= 1 && x <= bildlang + 1 && y <= bildhoch + 1; }

// Draw modes 1 and 2 mark the cells they paint; the next drawing starts with clear flags.
void AfterShape() {
  if (ScriptDrawMode == 1 || ScriptDrawMode == 2) ClearPixelFlags();
}

// Brush and Smear: two arguments, the stroke starts with one stamp at the point.
bool StartStroke(int32_t mode, int32_t* v) {
  if (!NeedImage() || !NeedCount(2)) return false;
  if (PointMode > 0) return ReportScriptError(kListOpen), false;
  if (FreeMarkOpen == 1) return ReportScriptError(kFreeMarkOpen), false;
  if (!NeedNumbers(2, kNumberE, v)) return false;
  PreviousPointX = v[1] - 1;
  PreviousPointY = v[2] - 1;
  // The width and form of Rubber stay as they are: these strokes use the brush form.
  PointMode = mode;
  return true;
}

}  // namespace

void CmdFreePaint() {
  int32_t v[3];
  if (!NeedImage() || !NeedCount(2)) return;
  if (PointMode > 0) return ReportScriptError(kListOpen);
  if (FreeMarkOpen == 1) return ReportScriptError(kFreeMarkOpen);
  if (!NeedNumbers(2, kNumberE, v)) return;
  PreviousPointX = v[1] - 1;
  PreviousPointY = v[2] - 1;
  if (!PointInside(v[1], v[2])) return ReportScriptError("Angegebener Punkt ausserhalb des Bildes");
  PointMode = 1;
}

void CmdBrush() {
  int32_t v[3];
  if (!StartStroke(2, v)) return;
  ::Brush(PreviousPointX, PreviousPointY, PreviousPointX, PreviousPointY, 0, 0, ScriptDrawMode, ScriptOpacity, 0,
          float(drawstep) / 100.0f, 0, 0, 1);
}

void CmdSmear() {
  int32_t v[3];
  if (!StartStroke(4, v)) return;
  ::Smear(PreviousPointX, PreviousPointY, PreviousPointX, PreviousPointY, 0, 0, ScriptOpacity, 0,
          float(drawstep) / 100.0f, 1);
}

void CmdRubber() {
  int32_t v[5];
  if (!NeedImage() || !NeedCount(4)) return;
  if (PointMode > 0) return ReportScriptError(kListOpen);
  if (FreeMarkOpen == 1) return ReportScriptError(kFreeMarkOpen);
  if (!NeedNumbers(4, kNumberE, v)) return;
  PreviousPointX = v[1] - 1;
  PreviousPointY = v[2] - 1;
  if (!PointInside(v[1], v[2])) return ReportScriptError("Angegebener Punkt ausserhalb des Bildes");
  if (v[3] < 0) return ReportScriptError("Breite kann nicht negativ sein");
  if (!NeedRange(v[4], 0, 1, kFormBox)) return;
  ScriptDrawWidth = v[3];
  ScriptDrawShape = v[4];
  PointMode = 3;
}

void CmdEndPointList() {
  if (NeedImage()) PointMode = 0;
}

void CmdPlot() {
  int32_t v[3];
  if (!NeedImage() || !NeedCount(2) || !NeedNumbers(2, kNumberE, v)) return;
  if (!PointInside(v[1], v[2])) return ReportScriptError("Angegebener Punkt ausserhalb des Bereichs");
  DrawPixel(v[2] - 1, v[1] - 1, int8_t(ScriptDrawMode), ScriptOpacity);
}

void CmdFill() {
  int32_t v[5];
  if (!NeedImage() || !NeedCount(4) || !NeedNumbers(4, kNumberE, v)) return;
  tolleranz = v[3] & 0xFF;
  if (!PointInside(v[1], v[2])) return ReportScriptError("Angegebener Punkt ausserhalb des Bereichs");
  if (!NeedRange(v[3], 0, 255, "Tolleranzwert muss zwischen 0 und 255 liegen")) return;
  if (v[4] == 0) FloodFill(v[1] - 1, v[2] - 1, ScriptDrawMode, ScriptOpacity, 1);
  else FloodFillTransparent(v[1] - 1, v[2] - 1, ScriptDrawMode, ScriptOpacity, 1);
}

// Option 467 + width: the line's half-width is (width + 1) / 2.
void CmdLine() {
  int32_t v[7];
  if (!NeedImage() || !NeedCount(6) || !NeedNumbers(6, kNumberV, v)) return;
  if (!NeedRange(v[6], 0, 1, "Formparameter muss 0(#cvn_box) oder 1(#cvn_circle) sein")) return;
  if (v[5] < 0) return ReportScriptError("Breite muss positiv sein");
  DrawLine(v[1] - 1, v[2] - 1, v[3] - 1, v[4] - 1, 0, 0, ScriptDrawMode, ScriptOpacity, 467 + v[5]);
  AfterShape();
}

void CmdCircle() {
  int32_t v[5];
  if (!NeedImage() || !NeedCount(4) || !NeedNumbers(4, kNumberE, v) || !NeedRange(v[4], 0, 1, kFormState)) return;
  DrawEllipse(v[1] - 1, v[2] - 1, v[3], v[3], 0, 0, ScriptDrawMode, ScriptOpacity, 474 + v[4]);
  AfterShape();
}

void CmdEllipse() {
  int32_t v[6];
  if (!NeedImage() || !NeedCount(5) || !NeedNumbers(5, kNumberE, v) || !NeedRange(v[5], 0, 1, kFormState)) return;
  DrawEllipse(v[1] - 1, v[2] - 1, v[3], v[4], 0, 0, ScriptDrawMode, ScriptOpacity, 476 + v[5]);
  AfterShape();
}

void CmdRhombus() {
  int32_t v[6];
  if (!NeedImage() || !NeedCount(5) || !NeedNumbers(5, kNumberE, v) || !NeedRange(v[5], 0, 1, kFormState)) return;
  ::Rhombus(v[1] - 1, v[2] - 1, v[3], v[4], 0, 0, ScriptDrawMode, ScriptOpacity, 484 + v[5], 1);
  AfterShape();
}

// The corner is taken as given: Box(1, 1, 2, 2, 0) fills the 3 x 3 cells from cell (1, 1).
void CmdBox() {
  int32_t v[6];
  if (!NeedImage() || !NeedCount(5) || !NeedNumbers(5, kNumberV, v) || !NeedRange(v[5], 0, 1, kFormBox)) return;
  ::Box(v[1], v[2], v[3], v[4], 0, 0, 478 + v[5], ScriptDrawMode, ScriptOpacity, 1);
  AfterShape();
}

void CmdSpray() {
  int32_t v[6];
  if (!NeedImage() || !NeedCount(5) || !NeedNumbers(5, kNumberV, v) || !NeedRange(v[4], 0, 1, kFormBox)) return;
  if (v[3] < 0) return ReportScriptError("Negative Menge nicht möglich");
  if (v[5] <= 0) return ReportScriptError("Negative Breite und 0 nicht möglich");
  if (v[4] == 0) SprayPaint(v[2], v[1], 0, 0, v[5], v[3], ScriptDrawMode, ScriptOpacity, 0, 0, 0, 1);
  else SprayPaintCircle(v[2], v[1], 0, 0, v[5], v[3], ScriptDrawMode, ScriptOpacity, 0, 0, 0, 1);
  AfterShape();
}

void CmdResize() {
  if (!NeedImage()) return;
  if (PointMode > 0) return ReportScriptError("Zeichenoperationen müssen vor dem Resizen beendet werden");
  if (StructureSectionOpen) return ReportScriptError("StructureSection muss vor dem Resizen beendet werden");
  int32_t v[9];
  if (!NeedCount(8) || !NeedNumbers(8, kNumberE, v)) return;
  const char* size = "Die angegebene Größe muss zwischen 0 udn 3999 liegen";
  if (!NeedRange(v[1], 2, 4000, size) || !NeedRange(v[2], 2, 4000, size)) return;
  if (!NeedRange(v[3], 0, 1, "Modus muss zwischen 0 und 1 liegen")) return;
  if (v[3] == 1) {
    if (!NeedRange(v[6], 0, 255, "Rotwert muss zwischen 0 und 255 liegen") ||
        !NeedRange(v[7], 0, 255, "Gruenwert muss zwischen 0 und 255 liegen") ||
        !NeedRange(v[8], 0, 255, "Blauwert muss zwischen 0 und 255 liegen"))
      return;
    const int32_t dx = std::abs(bildlang - (v[1] - 1)), dy = std::abs(bildhoch - (v[2] - 1));
    if (!NeedRange(v[4] - 1, 0, dx, "'x' muss zwischen 1 und der Differenz von alter und neuer Bildlänge liegen") ||
        !NeedRange(v[5] - 1, 0, dy, "'y' muss zwischen 1 und der Differenz von alter und neuer Bildhöhe liegen"))
      return;
  }
  ChangeImageSize(v[1] - 1, v[2] - 1, v[3], v[4] - 1, v[5] - 1, v[6], v[7], v[8], 1);
}
