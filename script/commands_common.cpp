// Checks shared by the command families: image, argument count, numbers, ranges and the
// marked area.
#include "script/commands.h"

namespace script_cmd {

const char* const kNoImage =
    "Es muss ein Bild,Icon oder Cursor  erstellt werden,\rbevor irgendwelche Operationen darauf ausgeführt "
    "werden können";
const char* const kNoImageWaves =
    "Es muss ein Bild, Icon oder Cursor erstellt werden,\rbevor irgendwelche Operationen darauf ausgeführt "
    "werden können";
const char* const kNumberE = "Hier wird ein numerischer Wert erwartet";
const char* const kNumberV = "Hier wird ein numerischer Wert verlangt";

bool NeedImage(const char* message) {
  if (isimage == 1) return true;
  ReportScriptError(message);
  return false;
}

bool NeedCount(int32_t n) {
  if (ScriptArgumentCount == n) return true;
  ReportScriptError("Falsche Anzahl an Parametern");
  return false;
}

void ConvertNumbers(int32_t n, int32_t* v) {
  for (int32_t i = 1; i <= n; ++i) v[i] = TextToInteger(StatementArgs[size_t(i)]);
}

bool NeedNumbers(int32_t n, const char* message, int32_t* v) {
  for (int32_t i = 1; i <= n; ++i)
    if (!IsNumberText(StatementArgs[size_t(i)])) {
      ReportScriptError(message);
      return false;
    }
  ConvertNumbers(n, v);
  return true;
}

bool NeedRange(int32_t value, int32_t lo, int32_t hi, const char* message) {
  if (value >= lo && value <= hi) return true;
  ReportScriptError(message);
  return false;
}

bool NeedArea(const char* message) {
  if (MarkState != 0) return true;
  ReportScriptError(message);
  return false;
}

bool NeedClosedMark() {
  if (FreeMarkOpen != 1) return true;
  ReportScriptError("Markierung muss abgeschlossen werden,bevor darauf Funktionen ausgeführt werden können");
  return false;
}

}  // namespace script_cmd
