// Marking commands: lifting a rectangle of the image into the area and writing it back.
#include "documents/documents.h"
#include "script/commands.h"
#include "toolkit/toolkit.h"
#include "tools/tools.h"

using namespace script_cmd;

void CmdMark() {
  if (!NeedImage()) return;
  if (MarkState > 0)
    return ReportScriptError("Der markierte Bereich muss geschlossen werden, bevor ein neuer aufgerufen werden kann");
  if (StructureSectionOpen) return ReportScriptError("Die StructureSection muss  vorher geschlossen werden");
  int32_t v[5];
  if (!NeedCount(4) || !NeedNumbers(4, "Hier wird ein Numerischer wert verlangt", v)) return;
  // Script coordinates count from 1; an empty rectangle is refused like one outside.
  const int64_t x = v[1] - 1, y = v[2] - 1, w = v[3], h = v[4];
  if (x < 0 || y < 0 || w < 1 || h < 1 || x + w - 1 > bildlang || y + h - 1 > bildhoch)
    return ReportScriptError("Einer oder mehrere der angegebenen Punkte ausserhalb des Bildes");
  startx = int32_t(x);
  starty = int32_t(y);
  arealang = int32_t(w - 1);
  areahoch = int32_t(h - 1);
  areacolororder = 1;
  const size_t stride = size_t(arealang) + 1, imageStride = size_t(bildlang) + 1;
  AreaPixels.assign(stride * (size_t(areahoch) + 1), 0);
  for (int32_t row = 0; row <= areahoch; ++row) {
    const PixelCell* src = &ImagePixels[(size_t(starty) + size_t(row)) * imageStride + size_t(startx)];
    PixelCell* dst = &AreaPixels[size_t(row) * stride];
    for (size_t col = 0; col < stride; ++col) dst[col] = (src[col] & 0x00FFFFFFu) | 0x01000000u;
  }
  MarkState = 1;
}

void CmdEndMark() {
  if (!NeedImage()) return;
  if (MarkState == 0) return ReportScriptError("Mark muss aufgerufen werden, bevor endmark aufgerufen werden kann");
  if (!NeedClosedMark()) return;
  if (PointMode > 0) return ReportScriptError("Der Zeichenmodus muss vor EndMark geschlossen werden");
  if (StructureSectionOpen) return ReportScriptError("Die StructureSection muss  vorher geschlossen werden");
  int32_t v[2];
  if (!NeedCount(1) || !NeedNumbers(1, "Hier wird ein numerischer wert erwartet", v)) return;
  if (!NeedRange(v[1], 0, 2, "Randbearbeitung muss einen Wert zwischen 0 und 2 enthalten")) return;
  areamark = uint8_t(MarkState);
  // The merge clips the area at the image's edges itself; arealang stays the area's row
  // stride, so it is not shortened here.
  const int32_t h = horz, vv = vert;
  horz = vert = 0;
  MergeAreaIntoImage(130 + v[1]);
  horz = h;
  vert = vv;
  MarkState = 0;
  areamark = 0;
}

namespace {
bool IsString(const std::string& t) { return t.size() >= 2 && t.front() == '"' && t.back() == '"'; }
bool PointInside(int32_t x, int32_t y) { return x >= 1 && y >= 1 && x <= bildlang + 1 && y <= bildhoch + 1; }
const char* const kMarkOpen = "Markierter Bereich muss vorher geschlossen werden";
const char* const kSectionOpen = "StructureSection muss vorher geschlossen werden";
}  // namespace

// The file is resolved as every other path of a script is.
void CmdPasteBitmap() {
  if (!NeedImage() || !NeedCount(3)) return;
  if (MarkState > 0) return ReportScriptError(kMarkOpen);
  if (StructureSectionOpen) return ReportScriptError(kSectionOpen);
  if (PointMode > 0) return ReportScriptError("Die Zeichenoperation muss zuvor abgeschlossen werden");
  if (!IsNumberText(StatementArgs[1]) || !IsNumberText(StatementArgs[2])) return ReportScriptError(kNumberE);
  if (!IsString(StatementArgs[3])) return ReportScriptError("Hier wird ein String erwartet");
  int32_t v[3];
  ConvertNumbers(2, v);
  if (!PointInside(v[1], v[2])) return ReportScriptError("Angegebener Punkt ausserhalb des Bereichs");
  const std::string path = ResolveScriptPath(StatementArgs[3].substr(1, StatementArgs[3].size() - 2));
  const int f = tk::readFile(-1, path);
  if (f < 0) return ReportScriptError("Datei nicht gefunden");
  tk::closeFile(f);
  InsertImageFile(path, v[1] - 1, v[2] - 1, 1);
  MarkState = 1;
}

void CmdCircleMark() {
  if (!NeedImage()) return;
  if (MarkState > 0)
    return ReportScriptError("Der markierte Bereich muss geschlossen werden, bevor ein neuer aufgerufen werden kann");
  if (StructureSectionOpen) return ReportScriptError("Die StructureSection muss  vorher geschlossen werden");
  int32_t v[4];
  if (!NeedCount(3) || !NeedNumbers(3, "Hier wird ein Numerischer wert verlangt", v)) return;
  if (!PointInside(v[1], v[2]))
    return ReportScriptError("Einer oder mehrere der angegebenen Punkte ausserhalb des Bildes");
  MarkState = 2;
  CircleMark(v[1] - 1, v[2] - 1, 0, 0, v[3], 1);
}

void CmdMagicStick() {
  if (!NeedImage()) return;
  if (MarkState > 0) return ReportScriptError(kMarkOpen);
  if (StructureSectionOpen) return ReportScriptError(kSectionOpen);
  int32_t v[4];
  if (!NeedCount(3) || !NeedNumbers(3, kNumberE, v)) return;
  if (!PointInside(v[1], v[2])) return ReportScriptError("Einer der angegebenen Punkte liegt ausserhalb des Bildes");
  tolleranz = v[3] & 0xFF;
  MagicStick(v[1] - 1, v[2] - 1, 1);
  MarkState = 2;
}

void CmdFreeMark() {
  if (!NeedImage()) return;
  if (MarkState > 0) return ReportScriptError(kMarkOpen);
  if (StructureSectionOpen) return ReportScriptError(kSectionOpen);
  int32_t v[3];
  if (!NeedCount(2) || !NeedNumbers(2, kNumberV, v)) return;
  if (!PointInside(v[1], v[2])) return ReportScriptError("Angegebener Punkt ausserhalb des Bildes");
  PreviousPointX = FreeMarkStartX = v[1] - 1;
  PreviousPointY = FreeMarkStartY = v[2] - 1;
  MarkState = 2;
  FreeMarkOpen = 1;
}

void CmdCloseFreeMark() {
  if (!NeedImage()) return;
  if (MarkState < 2) return ReportScriptError("Kein Frei markierter Bereich");
  MarkOutlineSegment(FreeMarkStartX, FreeMarkStartY, PreviousPointX, PreviousPointY, 0, 0, 1);
  FreeMarkOpen = 0;
  PreviousPointX = PreviousPointY = FreeMarkStartX = FreeMarkStartY = 0;
  FinishLassoSelection(0, 0, 1);
  MarkState = 2;
}
