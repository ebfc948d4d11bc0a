// Opening an image file into a new slot and writing the active image back: the open and
// save commands, the save requester's name rules, the writer dispatch by extension and
// the raster readers and writer (BMP, JPEG, PNG, and TIFF and TGA for reading).
//
// Opening reads and checks the whole file before it touches anything: the active image is
// parked only once the new picture is in memory, so a cancelled or failed open leaves the
// active image, its path and its slot exactly as they were. Writes go to a file beside the
// target that replaces it only when complete; a failed write keeps the old file and is
// always told to the user.
#include <algorithm>
#include <cctype>
#include <string>

#include "documents/documents.h"
#include "documents/files_internal.h"
#include "effects/effects.h"
#include "script/script.h"
#include "shell/shell.h"
#include "toolkit/codecs/codecs.h"
#include "toolkit/toolkit.h"
#include "tools/tools.h"

namespace {

const char* const kExtensions[9] = {"bmp", "jpg", "png", "ico", "struc", "cod", "df", "cur", "tbmp"};
const char kOpenFilter[] =
    "Bilddateien|*.bmp;*.trb;*.jpg;*.JPG;*.png;*.tif;*.tga;*.cod;*.df|Bitmap(*.bmp)|*.bmp|Icons(*.ico)|*.ico|"
    "JPEG|*.jpg|PNG|*png|TGA|*.tga|TIFF|*.tif|Structur|*.struc|Bildcode|*.cod|PinselSpitze|*.df";
const char kSaveFilter[] = "Bitmap|*.bmp|JPEG|*.jpg|PNG|*.png|Symbol|*.ico|Structur|*.struc|Bildcode|*.cod|PinselSpitze|*.df";

const std::string& ExtensionName(int i) {
  static std::string fallback[9];
  if (i < 0 || i > 8) i = 0;
  if (!FileExtensions[i].empty()) return FileExtensions[i];
  fallback[i] = kExtensions[i];
  return fallback[i];
}

// Extensions the save requester keeps as the user typed them (then replaced by the chosen
// pattern's when they differ from it); any other is appended to.
bool KnownSaveExtension(const std::string& e) {
  static const char* const known[] = {"JPG", "jpg", "bmp", "BMP", "PNG", "png", "ico", "ICO", "CUR",
                                      "cur", "struc", "STRUC", "cod", "COD", "df", "DF"};
  for (const char* k : known)
    if (e == k) return true;
  return false;
}

// Formats a save can write.
bool Writable(const std::string& file) {
  const std::string e = files::Lower(files::ExtensionOf(file));
  return e == "bmp" || e == "jpg" || e == "png" || e == "ico" || e == "struc" || e == "cod" || e == "df";
}

std::string TabCaption(const std::string& path) {
  const std::string name = files::FilePart(path);
  return name.size() > 10 ? name.substr(0, 8) + ".." : name;
}

void SetMenuCheck(int id, bool on) {
  for (int m : {0, 1})
    if (tk::isMenu(m)) tk::setMenuItemChecked(m, id, on);
}

void RemoveAnyShortcutSet() {
  if (cutsda != 1) return;
  if (tk::hasShortcut(0, tk::ModCtrl + 'B')) RemoveScriptShortcuts();
  else if (tk::hasShortcut(0, tk::ModCtrl + 'Z')) RemovePanelShortcuts();
  else RemoveImageShortcuts();
}

void SetTooltip(int32_t slot, const std::string& name) {
  if (Settings.Tooltips == 1) tk::setGadgetToolTip(160 + slot, name);
}

// The reader of an open by the file's extension.
bool ReadForOpen(const std::string& file, files::LoadedPicture& p) {
  const std::string e = files::Lower(files::ExtensionOf(file));
  if (e == "bmp" || e == "tga" || e == "tif" || e == "tiff" || e == "jpg" || e == "jpeg" || e == "png")
    return files::ReadRaster(file, p);
  if (e == "ico") return files::ChooseIcon(file, p);
  if (e == "struc") return files::ReadStructureData(file, p);
  if (e == "cod") return files::ReadCodeData(file, p);
  if (e == "df") return files::ReadBrushFormData(file, p);
  tk::messageRequester("Error", "Dieses Dateiformat kann nicht geöffnet werden:\r" + file, tk::MsgOk | tk::MsgError);
  return false;
}

// The new slot shows the drawing panel (an image) or the script editor (a script source).
void ShowOpenedPanel(bool script) {
  for (int p : {9, 120, 352, 495, 582}) tk::hideGadget(p, p != (script ? 495 : 9));
  RemoveAnyShortcutSet();
  FreeStatusBars();
  if (script) {
    ImageRecords[CurrentImage].WindowState = 495;
    tk::attachMenu(1, 0);
    tk::setGadgetState(2, 13);
    HideDrawSettingsBar();
    CreateScriptStatusBar();
    for (int id : {237, 219, 221}) tk::hideToolBarButton(5, id, false);
    AddScriptShortcuts();
    NextMode = ModeScript;
  } else {
    ImageRecords[CurrentImage].WindowState = 9;
    tk::attachMenu(0, 0);
    tk::setGadgetState(2, 10);
    AddImageShortcuts();
    CreateMainStatusBar();
    if (tk::isMenu(0) && tk::menuItemChecked(0, 193)) ShowDrawSettingsBar();
    for (int id : {237, 219, 221}) tk::hideToolBarButton(5, id, true);
    NextMode = ModeDraw;
  }
}

}  // namespace

// ---- opening ----------------------------------------------------------------------------

void OpenImageFile() {
  OnErrorCode1 = 22;
  if (ImageCount >= 10) {
    tk::messageRequester("Nicht möglich",
                         "Sie können nicht mehr als 10 Bilder gleichzeitig bearbeiten,\r bitte schließen sie eine "
                         "Datei,\r bevor sie fortfahren",
                         tk::MsgOk);
    return;
  }
  const std::string file = tk::openFileRequester("Öffnen", Settings.defaultFolder, kOpenFilter, 0);
  if (file.empty()) return;
  files::LoadedPicture p;
  if (!ReadForOpen(file, p)) return;
  const bool script = p.kind == files::LoadedPicture::Code;
  if (ImageCount > 0 && StoreImageSlot() == 0) return;   // told; the image stays live
  const int32_t left = CurrentImage;
  const bool hadImage = ImageCount > 0;
  const ImageRecord leftRecord = hadImage ? ImageRecords[left] : ImageRecord{};

  // The new slot and its fresh record.
  const int32_t slot = ImageCount + 1;
  ImageRecords[slot] = ImageRecord{};
  ImageTexts[slot] = ImageTextPair{};
  const int32_t keepCount = ImageCount;
  ImageCount = slot;
  CurrentImage = slot;
  length = 1.0f;
  areamark = 0;
  vert = horz = vert2 = horz2 = 0;
  undostate = 1;
  RedoState = 0;
  KeyboardModus = 0;
  Keydrawmode = 0;
  const uint8_t keepColours = Colornumber;
  if (!script) {
    Colornumber = p.kind == files::LoadedPicture::Palette8 ? 1 : 0;
    if (!files::InstallPicture(p, 1)) {
      // No room for the picture: back to the image that was active.
      Colornumber = keepColours;
      ImageCount = keepCount;
      CurrentImage = left;
      ImageRecords[slot] = ImageRecord{};
      if (hadImage) RestoreImageSlot(left);
      return;
    }
  } else {
    // A script source has no picture of its own: a white one of the size last shown, so
    // that no other image's pixels come back under the script's name.
    Colornumber = 0;
    if (SetImageDimensions(bildhoch + 1, bildlang + 1, 1) == 0) SetImageDimensions(1, 1, 1);
    std::fill(ImagePixels.begin(), ImagePixels.end(), PixelCell(0x00FFFFFF));
    IndexPlane.assign(1, 0);
  }
  if (hadImage) tk::hideGadget(leftRecord.WindowState, true);
  tk::setGadgetState(60, 3);
  DrawRulers();

  tk::setGadgetText(63, std::to_string(bildlang + 1));
  tk::setGadgetText(64, std::to_string(bildhoch + 1));
  for (int g : {11, 12, 13}) tk::hideGadget(g, false);

  ImageRecord& r = ImageRecords[slot];
  r.compression = 7;
  r.Splitstate = 260;
  r.KeyBoardModus = 0;
  r.Keydrawmode = 0;
  r.colornumber = Colornumber;
  r.bgcolor[0] = r.bgcolor[1] = r.bgcolor[2] = 255;
  for (int id : {34, 36, 35}) SetMenuCheck(id, false);
  if (tk::isMenu(0)) {
    tk::setMenuItemChecked(0, 37, Colornumber != 1);
    tk::setMenuItemChecked(0, 38, Colornumber == 1);
  }
  if (script) {
    files::InstallCode(p.text);
  } else {
    ImageTexts[slot].code.clear();
    if (tk::isGadget(496)) tk::setRichText(496, "");
  }
  ShowOpenedPanel(script);

  // The tab, the names and the format.
  tk::setGadgetText(160 + slot, TabCaption(file));
  tk::hideGadget(160 + slot, false);
  for (int k = 1; k <= 10; ++k) tk::setGadgetState(160 + k, k == slot ? 1 : 0);
  ImagePath = file;
  ImageTexts[slot].path = file;
  r.DisplayName = file;
  r.DebugState = 1;
  r.Extension = 255;
  const std::string e = files::Lower(files::ExtensionOf(file));
  for (int i = 0; i < 9; ++i)
    if (e == ExtensionName(i)) r.Extension = uint8_t(i);
  SetTooltip(slot, file);
  if (hadImage) SetTooltip(left, leftRecord.DisplayName);

  colororder = 1;
  areamark = 0;
  UpdateZoomedSizes();
  UpdateScrollBars();
  RedrawCanvas();
}

// ---- saving -----------------------------------------------------------------------------

void AskSaveFileName() {
  const ImageRecord& r = ImageRecords[std::clamp(CurrentImage, 1, 10)];
  int preselect = 0;
  if (r.Extension <= 6) preselect = r.Extension;
  else if (r.WindowState == 495) preselect = 5;
  int chosen = preselect;
  ImagePath = tk::saveFileRequester("Speichern", ImagePath, kSaveFilter, preselect, &chosen);
  if (ImagePath.empty()) return;
  chosen = std::clamp(chosen, 0, 6);
  const std::string& wanted = ExtensionName(chosen);
  const std::string e = files::ExtensionOf(ImagePath);
  const bool hasDot = files::FilePart(ImagePath).find('.') != std::string::npos;
  if (!hasDot || !KnownSaveExtension(e)) ImagePath += "." + wanted;
  else if (e != wanted) ImagePath = ImagePath.substr(0, ImagePath.size() - e.size()) + wanted;
  ImageRecords[std::clamp(CurrentImage, 1, 10)].Extension = uint8_t(chosen);
}

namespace {

// Save under a name asked for; the old name, format and tab come back unless the image
// was really written under the new one.
int32_t SaveUnderNewName() {
  ImageRecord& r = ImageRecords[std::clamp(CurrentImage, 1, 10)];
  const std::string before = ImagePath;
  const uint8_t extensionBefore = r.Extension;
  const std::string tabBefore = tk::gadgetText(160 + CurrentImage);
  AskSaveFileName();
  if (ImagePath.empty()) {
    ImagePath = before;
    r.Extension = extensionBefore;
    return 0;
  }
  tk::setGadgetText(160 + CurrentImage, files::FilePart(ImagePath));
  const int32_t written = WriteImageFile(ImagePath);
  if (written != 1) {
    ImagePath = before;
    r.Extension = extensionBefore;
    tk::setGadgetText(160 + CurrentImage, tabBefore);
  }
  return written;
}

}  // namespace

int32_t SaveImage() {
  OnErrorCode1 = 31;
  // A never-saved image, or one read from a format that cannot be written, asks for a name.
  if (ImagePath.empty() || !Writable(ImagePath)) return SaveUnderNewName();
  return WriteImageFile(ImagePath);
}

int32_t SaveImageAs() {
  OnErrorCode1 = 31;
  return SaveUnderNewName();
}

int32_t WriteImageFile(const std::string& file) {
  OnErrorCode1 = 31;
  if (file.empty()) {
    RedrawCanvas();
    return 0;
  }
  const std::string e = files::Lower(files::ExtensionOf(file));
  int32_t written = 0;
  if (e == "bmp" || e == "jpg" || e == "png") written = SaveBitmap(file, 0);
  else if (e == "ico") written = IconSizesDialog(file);
  else if (e == "struc") written = SaveStructure(file);
  else if (e == "cod") written = SaveCodeFile(file);
  else if (e == "df") written = SaveBrushForm(file);
  else tk::messageRequester("Fehler", "In diesem Dateiformat kann nicht gespeichert werden:\r" + file, tk::MsgOk | tk::MsgError);
  if (written == 1 && CurrentImage >= 1 && CurrentImage <= 10) {
    ImageRecords[CurrentImage].DisplayName = file;
    SetTooltip(CurrentImage, file);
  }
  RedrawCanvas();
  return written;
}

// ---- raster readers and writer ----------------------------------------------------------

int32_t LoadBitmapImage(const std::string& file) {
  files::LoadedPicture p;
  if (!files::ReadRaster(file, p)) return 0;
  const uint8_t keep = Colornumber;
  Colornumber = 0;   // the file's picture has no palette indices
  if (!files::InstallPicture(p, 0)) {
    Colornumber = keep;
    return 0;
  }
  IndexPlane.assign(1, 0);
  return 1;
}

// The layer reads every raster format by its contents; the two names stay for callers.
int32_t LoadJpegImage(const std::string& file) { return LoadBitmapImage(file); }
int32_t LoadPngImage(const std::string& file) { return LoadBitmapImage(file); }

int32_t SaveBitmap(const std::string& file, uint8_t quiet) {
  const std::string e = files::Lower(files::ExtensionOf(file));
  tk::ImageFormat format = tk::FormatBMP;
  ImageRecord& r = ImageRecords[std::clamp(CurrentImage, 1, 10)];
  if (e == "jpg") {
    format = tk::FormatJPEG;
    if (!quiet) {
      const int32_t level = ImageQualityDialog(std::clamp<int32_t>(r.compression, 0, 10));
      r.compression = int8_t(std::clamp(level, -1, 10));
    }
    if (r.compression < 0) return 0;   // the quality question was cancelled
  } else if (e == "png") {
    format = tk::FormatPNG;
  }
  // The cells are lent to the layer's encoder as they stand (no copy of the image), then
  // written beside the file and renamed over it.
  tk::codec::Picture picture;
  picture.w = bildlang + 1;
  picture.h = bildhoch + 1;
  std::vector<uint8_t> bytes;
  bool ok = false;
  picture.cells.swap(ImagePixels);
  try {
    if (picture.cells.size() == CellsOfExtents(bildlang, bildhoch)) {
      switch (format) {
        case tk::FormatJPEG: {
          const int level = std::clamp<int>(r.compression, 0, 10);   // 0..10 -> 5..100
          ok = tk::codec::encodeJPEG(picture, bytes, 5 + (level * 95 + 5) / 10);
          break;
        }
        case tk::FormatPNG: ok = tk::codec::encodePNG(picture, bytes, false); break;
        default: ok = tk::codec::encodeBMP(picture, bytes, 24); break;
      }
    }
  } catch (...) {
    ok = false;
  }
  ImagePixels.swap(picture.cells);
  ok = ok && tk::writeWholeFile(file, bytes.data(), bytes.size());
  if (!ok) {
    files::ReportWriteFailed(file);
    return 0;
  }
  return 1;
}
