// Debugging, assertion, undo, constant, point and locate commands.
#include <cmath>

#include "documents/documents.h"
#include "script/commands.h"
#include "shell/shell.h"
#include "toolkit/toolkit.h"
#include "tools/tools.h"

using namespace script_cmd;

namespace {

bool IsString(const std::string& t) { return t.size() >= 2 && t.front() == '"' && t.back() == '"'; }

void SetConstant(size_t position, int32_t value) {
  if (position < SystemConstantTable.size()) SystemConstantTable[position].value = std::to_string(value);
}

// The locate regions: the whole image as it was when the region was opened, the
// MinLocate corner and the extents that MaxLocate replaced.
std::vector<PixelCell> MinLocateCopy, MaxLocateCopy;
int32_t MinLocateX = 0, MinLocateY = 0, MinLocateLastX = 0, MinLocateLastY = 0;
int32_t MaxLocateLastX = 0, MaxLocateLastY = 0;

// The image becomes its cells from (x0, y0) to (x1, y1), flags cleared.
void CutRegion(int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
  const size_t oldStride = size_t(bildlang) + 1, w = size_t(x1 - x0) + 1, h = size_t(y1 - y0) + 1;
  std::vector<PixelCell> region(w * h);
  for (size_t v = 0; v < h; ++v) {
    const PixelCell* src = &ImagePixels[(size_t(y0) + v) * oldStride + size_t(x0)];
    for (size_t u = 0; u < w; ++u) region[v * w + u] = src[u] & 0x00FFFFFFu;
  }
  ImagePixels.swap(region);
  bildlang = x1 - x0;
  bildhoch = y1 - y0;
  UpdateZoomedSizes();
}

// The region's colours go back into `copy` at (x0, y0); the copy becomes the image with
// last indices (lastX, lastY).
void WriteRegionBack(std::vector<PixelCell>& copy, int32_t x0, int32_t y0, int32_t lastX, int32_t lastY) {
  const size_t stride = size_t(lastX) + 1, w = size_t(bildlang) + 1, h = size_t(bildhoch) + 1;
  for (size_t v = 0; v < h; ++v) {
    PixelCell* dst = &copy[(size_t(y0) + v) * stride + size_t(x0)];
    const PixelCell* src = &ImagePixels[v * w];
    for (size_t u = 0; u < w; ++u) dst[u] = (dst[u] & 0xFF000000u) | (src[u] & 0x00FFFFFFu);
  }
  ImagePixels.swap(copy);
  copy.clear();
  copy.shrink_to_fit();
  bildlang = lastX;
  bildhoch = lastY;
  UpdateZoomedSizes();
}

void EndMin() {
  WriteRegionBack(MinLocateCopy, MinLocateX, MinLocateY, MinLocateLastX, MinLocateLastY);
  MinLocateState = 0;
}
void EndMax() {
  WriteRegionBack(MaxLocateCopy, 0, 0, MaxLocateLastX, MaxLocateLastY);
  MaxLocateState = 0;
}

const char* const kSectionOpen = "Die StructureSection muss  vorher geschlossen werden";

}  // namespace

void CmdDebug() {
  if (!NeedCount(1)) return;
  if (!IsNumberText(StatementArgs[1])) return ReportScriptError(kNumberE);
  tk::addGadgetItem(511, -1, StatementArgs[1]);
}

void CmdDebugS() {
  if (!NeedCount(1)) return;
  if (!IsString(StatementArgs[1])) return ReportScriptError("Hier wird ein String erwartet");
  tk::addGadgetItem(511, -1, StatementArgs[1].substr(1, StatementArgs[1].size() - 2));
}

void CmdDebugImage() {
  if (isimage != 1) return ReportScriptError("Kein Bild da zum Debuggen");
  RedrawCanvas();
}

void CmdShowDebug() {
  if (!NeedCount(1)) return;
  const int32_t v = TextToInteger(StatementArgs[1]);
  if (!NeedRange(v, 0, 1, "Wert muss zwischen 0 und 1 sein")) return;
  if (v == 1) {
    tk::hideWindow(2, false);
  } else {
    tk::hideWindow(2, true);
    tk::activateWindow(0);
  }
}

void CmdErrorMessage() {
  if (!NeedCount(5)) return;
  const auto& a = StatementArgs;
  if (!IsNumberText(a[1]) || !IsString(a[2]) || !IsNumberText(a[3]) || !IsString(a[4]) || !IsNumberText(a[5]))
    return ReportScriptError("Falsche Art von Parameter: String statt Zahl oder umgekehrt");
  const std::string op = a[2].substr(1, a[2].size() - 2);
  if (TestCondition(TextToInteger(a[1]), op, TextToInteger(a[3])) == 0)
    ReportScriptError("ErrorMessage: " + a[4].substr(1, a[4].size() - 2));
}

void CmdUndo() { Undo(1); }
void CmdCreateUndoPoint() { CreateUndoPoint(); }

void CmdUpdateConstants() {
  if (!NeedImage()) return;
  SetConstant(3, bildlang + 1);
  SetConstant(4, bildhoch + 1);
  SetConstant(20, (bildlang + 1) / 2);
  SetConstant(21, (bildhoch + 1) / 2);
}

void CmdPoint() {
  if (!NeedImage() || !NeedCount(2)) return;
  const int32_t px = TextToInteger(StatementArgs[1]) - 1, py = TextToInteger(StatementArgs[2]) - 1;
  const int32_t step = drawstep * drawforms_length / 100;
  const bool farEnough = Distance(std::abs(PreviousPointX - px), std::abs(PreviousPointY - py)) >= step;
  const float stepF = float(drawstep * drawforms_length) / 100.0f;
  if (PointMode == 1) {
    DrawFreehandSegment(PreviousPointX, PreviousPointY, px, py, 0, 0, ScriptDrawMode, ScriptOpacity, 0, 0, 0, 1);
  } else if (PointMode == 2) {
    if (farEnough)
      ::Brush(PreviousPointX, PreviousPointY, px, py, 0, 0, ScriptDrawMode, ScriptOpacity, 0, stepF, 0, 0, 1);
  } else if (PointMode == 3) {
    DrawEllipseStroke(PreviousPointX, PreviousPointY, px, py, 0, 0, ScriptDrawWidth, ScriptDrawWidth,
                      ScriptDrawShape, 1);
  } else if (FreeMarkOpen == 1) {
    MarkOutlineSegment(PreviousPointX, PreviousPointY, px, py, 0, 0, 1);
  } else if (PointMode == 4) {
    if (farEnough) ::Smear(PreviousPointX, PreviousPointY, px, py, 0, 0, ScriptOpacity, 0, stepF, 1);
  } else {
    return ReportScriptError("Keine Funktion zugewiesen");
  }
  PreviousPointX = px;
  PreviousPointY = py;
}

void CmdMinLocate() {
  if (!NeedImage() || !NeedCount(2)) return;
  if (MinLocateState != 0)
    return ReportScriptError("EndMinLocate muss aufgerufen werden,bevor MinLocate erneut aufgerufen werden kann");
  if (MarkState != 0) return ReportScriptError("Der Markierte Bereich muss vor Minlocate geschlossen werden");
  if (PointMode != 0) return ReportScriptError("Der ZeichenModus muss vor Minlocate geschlossen werden");
  if (StructureSectionOpen) return ReportScriptError(kSectionOpen);
  int32_t v[3];
  if (!NeedNumbers(2, "Ein numersischer Wert wird hier erwartet", v)) return;
  const int32_t x0 = v[1] - 1, y0 = v[2] - 1;
  if (x0 < 0 || x0 > bildlang || y0 < 0 || y0 > bildhoch)
    return ReportScriptError("Die angegebenen Werte müssen zwischen 0 und der breite/Höhe des Gesamtbildes betragen");
  MinLocateCopy = ImagePixels;
  MinLocateX = x0;
  MinLocateY = y0;
  MinLocateLastX = bildlang;
  MinLocateLastY = bildhoch;
  CutRegion(x0, y0, bildlang, bildhoch);
  MinLocateState = MaxLocateState == 1 ? 2 : 1;
}

void CmdEndMinLocate() {
  if (!NeedImage()) return;
  if (MinLocateState == 0)
    return ReportScriptError("MinLocate muss aufgerufen werden,bevor EndMinLocate aufgerufen werden kann");
  if (MaxLocateState == 2) return ReportScriptError("EndMaxLocate fehlt");
  if (PointMode != 0) return ReportScriptError("Der ZeichenModus muss vor EndMinlocate geschlossen werden");
  if (MarkState != 0) return ReportScriptError("Der Markierte Bereich muss  vorher geschlossen werden");
  if (StructureSectionOpen) return ReportScriptError(kSectionOpen);
  EndMin();
}

void CmdMaxLocate() {
  if (!NeedImage() || !NeedCount(2)) return;
  if (MaxLocateState != 0)
    return ReportScriptError("EndMaxLocate muss aufgerufen werden,bevor MaxLocate erneut aufgerufen werden kann");
  if (MarkState != 0) return ReportScriptError("Der Markierte Bereich muss  vorher geschlossen werden");
  if (PointMode != 0) return ReportScriptError("Der ZeichenModus muss vor Maxlocate geschlossen werden");
  if (StructureSectionOpen) return ReportScriptError(kSectionOpen);
  int32_t v[3];
  if (!NeedNumbers(2, "Ein numerischer Wert wird hier verlangt", v)) return;
  const int32_t x1 = v[1] - 1, y1 = v[2] - 1;
  if (x1 < 0 || x1 > bildlang || y1 < 0 || y1 > bildhoch)
    return ReportScriptError("Die angegebenen Werte müssen zwischen 0 und der Breite/Höhe des Gesamtbildes betragen");
  MaxLocateCopy = ImagePixels;
  MaxLocateLastX = bildlang;
  MaxLocateLastY = bildhoch;
  CutRegion(0, 0, x1, y1);
  MaxLocateState = MinLocateState == 0 ? 1 : 2;
}

void CmdEndMaxLocate() {
  if (!NeedImage()) return;
  if (MaxLocateState == 0)
    return ReportScriptError("MaxLocate muss aufgerufen werden, bevor EndMaxLocate aufgerufen werden kann");
  if (MinLocateState == 2) return ReportScriptError("Abfolgefehler");
  if (PointMode != 0) return ReportScriptError("Der ZeichenModus muss vor EndMaxlocate geschlossen werden");
  if (MarkState != 0) return ReportScriptError("Der Markierte Bereich muss  vorher geschlossen werden");
  if (StructureSectionOpen) return ReportScriptError(kSectionOpen);
  EndMax();
}

// End of a run: a region still open after a successful run is written back (inner one
// first), so the image keeps its whole size; a failed run only drops the copies, its
// undo brings the image back.
void CloseOpenLocates(bool writeBack) {
  if (writeBack) {
    if (MinLocateState == 2 && MaxLocateState == 1) {
      EndMin();
      EndMax();
    } else if (MaxLocateState == 2 && MinLocateState == 1) {
      EndMax();
      EndMin();
    } else {
      if (MinLocateState) EndMin();
      if (MaxLocateState) EndMax();
    }
  }
  MinLocateCopy.clear();
  MinLocateCopy.shrink_to_fit();
  MaxLocateCopy.clear();
  MaxLocateCopy.shrink_to_fit();
}
