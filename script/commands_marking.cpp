// Marking commands: lifting a rectangle of the image into the area and writing it back.
#include "documents/documents.h"
#include "script/commands.h"

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
