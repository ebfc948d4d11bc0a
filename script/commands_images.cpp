// Image commands: which image a run works on.
#include "documents/documents.h"
#include "script/commands.h"

using namespace script_cmd;

namespace {
const char* const kOldImage = "Altes Bild muss gelöscht werden, bevor Neues erstellt werden kann";
}

void CmdCreateBitmap() {
  if (isimage != 0) return ReportScriptError(kOldImage);
  int32_t v[7];
  if (!NeedCount(6) || !NeedNumbers(6, kNumberE, v)) return;
  if (v[1] < 1 || v[2] < 1) return ReportScriptError("Die Länge/Höhe eines Bildes kann nicht negativ sein");
  if (!NeedRange(v[4], 0, 255, "Rotwert muss zwischen 0 und 255 liegen") ||
      !NeedRange(v[5], 0, 255, "Gruenwert muss zwischen 0 und 255 liegen") ||
      !NeedRange(v[6], 0, 255, "Blauwert muss zwischen 0 und 255 liegen"))
    return;
  CreateBitmap(v[1] - 1, v[2] - 1, 0, uint8_t(v[4]), uint8_t(v[5]), uint8_t(v[6]), 0);
  isimage = 1;
}

void CmdUseCurrentImage() {
  if (isimage != 0) return ReportScriptError(kOldImage);
  isimage = 1;
}

void CmdFreeImage() {
  if (isimage != 1) return ReportScriptError("Es ist kein Bild vorhanden, welches freigegeben werden könnte");
  isimage = 0;
}
