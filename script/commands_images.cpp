// Image commands: which image a run works on.
#include "documents/documents.h"
#include "script/commands.h"
#include "toolkit/toolkit.h"

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

namespace {

const char* const kNothingToSave = "Kein Bild zum Speichern da";
const char* const kPathText = "Dateipfad muss ein String, Kompression ein Wert sein.";

bool IsString(const std::string& t) { return t.size() >= 2 && t.front() == '"' && t.back() == '"'; }

// The text after the last "." of the path's last component, upper-cased (a to z and the
// characters from 224 on lose 32); empty when that component has no dot.
std::string Extension(const std::string& path) {
  for (size_t i = path.size(); i-- > 0;) {
    const char c = path[i];
    if (c == '\\' || c == '/') return "";
    if (c == '.') {
      std::string e = path.substr(i + 1);
      for (char& ch : e) {
        const unsigned char u = static_cast<unsigned char>(ch);
        if ((u >= 'a' && u <= 'z') || u >= 224) ch = char(u - 32);
      }
      return e;
    }
  }
  return "";
}

std::string PathArgument(size_t i) {
  return ResolveScriptPath(StatementArgs[i].substr(1, StatementArgs[i].size() - 2));
}

}  // namespace

void CmdSaveBitmap() {
  if (isimage != 1) return ReportScriptError(kNothingToSave);
  if (!NeedCount(2)) return;
  if (!IsString(StatementArgs[1]) || !IsNumberText(StatementArgs[2])) return ReportScriptError(kPathText);
  const int32_t level = TextToInteger(StatementArgs[2]);
  if (!NeedRange(level, 0, 10, "Kompression muss zwischen 0 und 10 liegen")) return;
  const std::string path = PathArgument(1);
  const std::string ext = Extension(path);
  if (ext != "BMP" && ext != "JPG" && ext != "PNG") return ReportScriptError("Falsches Dateiformat");
  if (ext == "JPG" && CurrentImage >= 1 && size_t(CurrentImage) < ImageRecords.size())
    ImageRecords[size_t(CurrentImage)].compression = int8_t(level);
  SaveBitmap(path, 1);
}

void CmdSaveStructure() {
  if (isimage != 1) return ReportScriptError(kNothingToSave);
  if (!NeedCount(1)) return;
  if (!IsString(StatementArgs[1])) return ReportScriptError(kPathText);
  const std::string path = PathArgument(1);
  if (Extension(path) != "STRUC") return ReportScriptError("Falsches Dateiformat");
  SaveStructure(path);
}

void CmdSaveDrawForm() {
  if (isimage != 1) return ReportScriptError(kNothingToSave);
  if (!NeedCount(1)) return;
  if (!IsString(StatementArgs[1])) return ReportScriptError(kPathText);
  const std::string path = PathArgument(1);
  if (Extension(path) != "DF") return ReportScriptError("Falsches Dateiformat");
  SaveBrushForm(path);
}

// The file must exist before its type is looked at.
void CmdOpenBitmap() {
  if (isimage != 0) return ReportScriptError("Kein Bild zum Laden da");
  if (!NeedCount(1)) return;
  if (!IsString(StatementArgs[1])) return ReportScriptError("Dateipfad muss ein String sein");
  const std::string path = PathArgument(1);
  const int f = tk::readFile(-1, path);
  if (f < 0) return ReportScriptError("Datei nicht gefunden");
  tk::closeFile(f);
  const std::string ext = Extension(path);
  if (ext == "BMP") LoadBitmapImage(path);
  else if (ext == "JPG") LoadJpegImage(path);
  else if (ext == "PNG") LoadPngImage(path);
  else return ReportScriptError("Falsches Dateiformat");
  isimage = 1;
}
