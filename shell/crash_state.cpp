// The crash state "Undo/hold.error" at the next start: the offer to load the backups, the
// restoring of the image records, slot folders and the current image, and the blinking
// error-report button that reminds of the reports.
#include <algorithm>
#include <string>
#include <vector>

#include "documents/documents.h"
#include "shell/crash_io.h"
#include "shell/shell.h"
#include "toolkit/toolkit.h"

uint8_t ErrorBlinkOn = 0;
uint8_t BlinkPhase = 0;

namespace {

const char* const kCrashState = "Undo/hold.error";

// What a crash-state file holds, read whole before anything of it is used.
struct CrashState {
  int32_t instance = 0;
  int32_t count = 0;
  std::vector<ImageRecord> records;   // 1..count
  int32_t current = 0;
  std::vector<uint8_t> pixels;
};

// False when the file is not a whole crash state: an instance number below 1, an image
// count outside 1..10, a block or the current image number missing or out of range, or
// fewer pixel bytes than the current record's extents need.
bool ReadCrashState(CrashState& s) {
  const int f = tk::readFile(-1, kCrashState);
  if (f < 0) return false;
  bool ok = tk::fileSize(f) >= 9;
  if (ok) {
    s.instance = tk::readLong(f);
    s.count = tk::readLong(f);
    ok = s.instance >= 1 && s.count >= 1 && s.count <= 10;
  }
  if (ok) {
    s.records.assign(size_t(s.count) + 1, ImageRecord{});
    for (int32_t i = 1; i <= s.count && ok; ++i) ok = ReadImageRecordBlock(f, s.records[size_t(i)]);
  }
  if (ok) {
    ok = tk::filePos(f) < tk::fileSize(f);
    s.current = tk::readByte(f);
    ok = ok && s.current >= 1 && s.current <= s.count;
  }
  if (ok) {
    const ImageRecord& r = s.records[size_t(s.current)];
    const size_t cells = CellsOfExtents(r.laenge, r.hoehe);
    ok = cells > 0 && tk::fileSize(f) - tk::filePos(f) >= int64_t(cells) * 4;
    if (ok) {
      s.pixels.resize(cells * 4);
      ok = tk::readData(f, s.pixels.data(), s.pixels.size()) == s.pixels.size();
    }
  }
  tk::closeFile(f);
  return ok;
}

// Copies every file of `from` with its subfolders into `to`.
void CopyFolder(const std::string& from, const std::string& to) {
  tk::createFolder(to);
  for (const tk::FolderEntry& e : tk::listFolder(from, "*")) {
    if (e.name == "." || e.name == "..") continue;
    if (e.isFolder) CopyFolder(from + e.name + "/", to + e.name + "/");
    else tk::copyFile(from + e.name, to + e.name);
  }
}

std::string InstanceFolderOf(int32_t n) { return "Undo/Undo" + std::to_string(n) + "/"; }

// A crashed copy's folder may be touched only when no running copy holds that number now.
bool HeldByAnotherCopy(int32_t n) {
  return n != CVNIndex && std::find(InstanceList.begin(), InstanceList.end(), n) != InstanceList.end();
}

// The tab text of a display name: its file part, cut to 8 characters and ".." when it
// is longer than 10.
std::string TabCaption(const std::string& name) {
  const size_t slash = name.find_last_of("\\/");
  std::string part = slash == std::string::npos ? name : name.substr(slash + 1);
  if (part.size() > 10) part = part.substr(0, 8) + "..";
  return part;
}

void Restore(const CrashState& s) {
  const std::string own = InstanceFolder();
  // 3. The crashed copy's slot folders become this copy's (nothing to do when it is the
  // same number).
  if (s.instance != CVNIndex && !HeldByAnotherCopy(s.instance) && tk::folderExists(InstanceFolderOf(s.instance)))
    CopyFolder(InstanceFolderOf(s.instance), own);
  CreateInstanceUndoFolders();
  // 4. The current image's cells, which only the crash state held.
  tk::writeWholeFile(SlotFolder(s.current) + "Image.zs", s.pixels.data(), s.pixels.size());
  // 5. Records and tabs.
  for (int32_t i = 1; i <= s.count; ++i) ImageRecords[size_t(i)] = s.records[size_t(i)];
  ImageCount = s.count;
  CurrentImage = 0;
  for (int32_t i = 1; i <= 10; ++i) {
    if (!tk::isGadget(160 + i)) continue;
    tk::hideGadget(160 + i, i > s.count);
    if (i <= s.count) tk::setGadgetText(160 + i, TabCaption(ImageRecords[size_t(i)].DisplayName));
  }
  // 6. The current image comes back live.
  RestoreImageSlot(s.current);
  CurrentImage = s.current;
  for (int32_t i = 1; i <= 10; ++i)
    if (tk::isGadget(160 + i)) tk::setGadgetState(160 + i, i == s.current ? 1 : 0);
  RedrawCanvas();
  // 7.
  if (s.instance != CVNIndex && !HeldByAnotherCopy(s.instance)) tk::deleteFolder(InstanceFolderOf(s.instance));
}

// No: nothing of the crashed state may come back later, and this copy's folders exist.
void Discard(int32_t crashed) {
  if (crashed == CVNIndex) tk::deleteFolder(InstanceFolder());
  else if (crashed >= 1 && !HeldByAnotherCopy(crashed)) tk::deleteFolder(InstanceFolderOf(crashed));
  CreateInstanceUndoFolders();
}

}  // namespace

bool WriteCrashState() {
  crash_io::SetProgramFolder(tk::toUtf8(tk::programFolder()));
  return crash_io::WriteCrashStateRaw();
}

void RecoverAfterCrash() {
  if (tk::fileSizeOf(kCrashState) <= 0) return;
  // A copy without its own undo folders has nowhere to restore to: the backup stays for a
  // later start (the user was told at the configuration's loading).
  if (UndoAvailable == 0) return;
  const int answer = tk::messageRequester(
      "Datenrückstände erkannt",
      "Scheinbar wurde Corvalen zuletzt durch einen Fehler beendet\rEs konnten Backups der bearbeiteten Dateien "
      "erstellt werden.\rWollen sie diese Backups nun Laden?",
      tk::MsgYesNo);
  CrashState s;
  const bool whole = ReadCrashState(s);
  if (answer == tk::ResultYes) {
    if (whole) {
      Restore(s);
    } else {
      if (tk::fileExists(kCrashState))
        tk::messageRequester("Fehler",
                             "Die Sicherung (Undo/hold.error) ist beschädigt und konnte nicht geladen werden.",
                             tk::MsgOk | tk::MsgError);
      CreateInstanceUndoFolders();
    }
  } else {
    // The crashed number is the first long, even of a file that is otherwise damaged.
    int32_t crashed = s.instance;
    if (!whole) {
      const int f = tk::readFile(-1, kCrashState);
      crashed = f >= 0 && tk::fileSize(f) >= 4 ? tk::readLong(f) : 0;
      if (f >= 0) tk::closeFile(f);
    }
    Discard(crashed);
  }
  tk::deleteFile(kCrashState);
  if (Settings.ShowToolbar == 1) {
    ErrorBlinkOn = 1;
    tk::addTimer(0, 5, 800, BlinkErrorButton);
  }
}

void BlinkErrorButton() {
  tk::hideToolBarButton(5, 14 + BlinkPhase, false);
  BlinkPhase = uint8_t(1 - BlinkPhase);
  tk::hideToolBarButton(5, 14 + BlinkPhase, true);
}

void ResetCrashAndReportState() {
  ErrorBlinkOn = 0;
  BlinkPhase = 0;
  LastErrorAddress = 0;
  UpdateVersion.clear();
  UpdateAvailable = 0;
  BugReportRows.clear();
}
