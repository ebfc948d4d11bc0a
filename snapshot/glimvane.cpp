// Glimvane: windows, settings, tray icon and menu, the clipboard look on the timer and the
// numbering and saving of snapshots.
//
// A picture counts as new by the clipboard's change count alone (the same picture copied
// twice is two snapshots; one left on the clipboard is one). A walk (a recording) runs from
// the start or from the last "OK" of the time or interval window, and each walk has the full
// recording time. A new run numbers its walks after the highest walk already in
// "Screenshots", so no earlier snapshot is overwritten.
#include <algorithm>
#include <cstdlib>

#include "snapshot/snapshot.h"
#include "toolkit/toolkit.h"

std::string SnapshotExtensions[3] = {".bmp", ".jpg", ".png"};
std::string SnapshotFormatNames[3] = {"Bitmap", "JPEG", "PNG"};
int32_t RecordingTimeMs = 0;
int32_t CheckInterval = 3;
int32_t ElapsedTime = 0;
uint32_t LastClipboardBitmap = 0;
int32_t SnapshotFormat = 0;
int32_t JpegQuality = 7;
int32_t WalkNumber = 0;
int32_t ShotNumber = 0;
int32_t QuitFlag = 0;
int32_t WindowInsteadOfTray = 0;

namespace {

constexpr int TimerWindow = 1, TimeWindow = 2, IntervalWindow = 3, FormatWindow = 4, SmallWindow = 5;
constexpr int Timer = 1, TrayIcon = 1, Popup = 1, IconImage = 1, SnapshotImage = 2, MenuImage = 3;
enum : int {
  SpinHours = 1, SpinMinutes = 2, SpinSeconds = 3, TimeOk = 4, TimeCancel = 5, SpinInterval = 6,
  IntervalOk = 7, IntervalCancel = 8, FormatList = 9, QualitySlider = 10, FormatOk = 11,
  FormatCancel = 12, MenuButton = 13,
};
enum : int {
  MenuTime = 1, MenuInterval = 2, MenuFormat = 3, MenuOpenFolder = 4, MenuCopyFolder = 5,
  MenuEmptyFolder = 6, MenuAbout = 7, MenuQuit = 8, MenuPicture = 9,
};
const char* const kFolder = "Screenshots";
const char* const kSettings = "Einstellungen.ini";
constexpr unsigned SettingsFrame = tk::WfCaption | tk::WfSystemMenu | tk::WfHidden;

// A snapshot that could not be saved is told once a run.
bool gSaveFailureTold = false;

void setSpin(int gadget, int32_t value) {
  tk::setGadgetState(gadget, value);
  tk::setGadgetText(gadget, std::to_string(value));
}

int32_t spin(int gadget) { return tk::gadgetState(gadget); }

void startTimer() {
  tk::addTimer(TimerWindow, Timer, CheckInterval * 1000, SaveNewClipboardImage);
}

// A new walk: the next number, the whole recording time again, the timer at its period.
void startWalk() {
  ++WalkNumber;
  ElapsedTime = 0;
  startTimer();
}

void showSettingsWindow(int window) {
  tk::hideWindow(window, false);
  tk::activateWindow(window);
}

void enableQualityFor(int32_t format) { tk::disableGadget(QualitySlider, format != 1); }

void restoreFormatWindow() {
  tk::hideWindow(FormatWindow, true);
  tk::setGadgetState(FormatList, SnapshotFormat);
  tk::setGadgetState(QualitySlider, JpegQuality);
  enableQualityFor(SnapshotFormat);
}

void buildWindows() {
  tk::openWindow(TimeWindow, 200, 200, 400, 70, "Zeit", SettingsFrame, TimerWindow);
  tk::label(-1, 0, 5, 60, 20, "Stunden:");
  tk::spinField(SpinHours, 60, 5, 60, 20, 0, 2);
  tk::label(-1, 140, 5, 60, 20, "Minuten:");
  tk::spinField(SpinMinutes, 200, 5, 60, 20, 0, 59);
  tk::label(-1, 280, 5, 60, 20, "Sekunden:");
  tk::spinField(SpinSeconds, 340, 5, 60, 20, 0, 59);
  tk::button(TimeOk, 30, 40, 160, 30, "OK");
  tk::button(TimeCancel, 210, 40, 160, 30, "Abbrechen");

  tk::openWindow(IntervalWindow, 400, 400, 200, 40, "Prüfintervall", SettingsFrame, TimeWindow);
  tk::label(-1, 0, 0, 100, 20, "Auf Bild prüfen alle");
  tk::spinField(SpinInterval, 100, 0, 40, 20, 2, 60);
  tk::label(-1, 140, 0, 60, 20, "Sekunden");
  tk::button(IntervalOk, 0, 20, 100, 20, "OK");
  tk::button(IntervalCancel, 100, 20, 100, 20, "Abbrechen");

  tk::openWindow(FormatWindow, 100, 100, 200, 100, "Format", SettingsFrame);
  tk::comboBox(FormatList, 0, 0, 200, 200);
  tk::label(-1, 0, 40, 100, 20, "Komprimierung");
  tk::slider(QualitySlider, 100, 40, 100, 20, 1, 10);
  tk::button(FormatOk, 0, 60, 100, 20, "OK");
  tk::button(FormatCancel, 100, 60, 100, 20, "Abbrechen");
  for (const std::string& name : SnapshotFormatNames) tk::addGadgetItem(FormatList, -1, name);
}

void buildPopupMenu() {
  tk::createPopupMenu(Popup);
  tk::menuItem(MenuPicture, "", tk::isImage(MenuImage) ? MenuImage : -1);
  tk::menuSeparator();
  tk::menuItem(MenuTime, "AufnahmeZeit einstellen");
  tk::menuItem(MenuInterval, "Prüfinterval einstellen");
  tk::menuItem(MenuFormat, "Format");
  tk::menuSeparator();
  tk::menuItem(MenuOpenFolder, "Ordner öffnen");
  tk::menuItem(MenuCopyFolder, "Ordner kopieren");
  tk::menuItem(MenuEmptyFolder, "Ordner leeren");
  tk::menuSeparator();
  tk::menuItem(MenuAbout, "About");
  tk::menuItem(MenuQuit, "Beenden");
  tk::enableMenuItem(Popup, MenuPicture, false);
}

// Without a tray the tool shows a small window of its own with the menu behind a button,
// and says so once.
void showWindowInsteadOfTray() {
  WindowInsteadOfTray = 1;
  tk::openWindow(SmallWindow, 100, 100, 260, 70, "Glimvane", tk::WfCaption | tk::WfSystemMenu);
  tk::label(-1, 5, 5, 250, 30, "Glimvane sammelt Bilder aus der Zwischenablage.", tk::GfMultiLine);
  tk::button(MenuButton, 5, 38, 250, 26, "Menü...");
  if (tk::isImage(IconImage)) tk::setWindowIcon(SmallWindow, IconImage);
  tk::messageRequester("Glimvane",
                       "Der Desktop hat keinen Infobereich (Tray) für das Symbol von Glimvane.\r"
                       "Glimvane zeigt deshalb ein kleines Fenster; sein Menü erreichen sie über den "
                       "Knopf \"Menü...\". Schließen des Fensters beendet Glimvane.",
                       tk::MsgOk | tk::MsgInfo);
}

void copyFolder() {
  const std::string target = tk::folderRequester("Pfad wählen", "");
  if (target.empty()) return;
  const std::string to = target.back() == '/' || target.back() == '\\' ? target : target + "/";
  for (const tk::FolderEntry& e : tk::listFolder(kFolder, "*.*"))
    if (!e.isFolder) tk::copyFile(std::string(kFolder) + "/" + e.name, to + e.name);
}

void emptyFolder() {
  for (const tk::FolderEntry& e : tk::listFolder(kFolder, "*.*"))
    if (!e.isFolder) tk::deleteFile(std::string(kFolder) + "/" + e.name);
  tk::deleteFolder(kFolder, false);
  tk::createFolder(kFolder);
  WalkNumber = 0;
  ShotNumber = 0;
}

void onMenu(int id) {
  switch (id) {
    case MenuTime: showSettingsWindow(TimeWindow); break;
    case MenuInterval: showSettingsWindow(IntervalWindow); break;
    case MenuFormat: showSettingsWindow(FormatWindow); break;
    case MenuOpenFolder:
      tk::createFolder(kFolder);
      tk::openWithShell(tk::resolvePath(kFolder));
      break;
    case MenuCopyFolder: copyFolder(); break;
    case MenuEmptyFolder: emptyFolder(); break;
    case MenuAbout:
      tk::messageRequester("About Glimvane",
                           "Glimvane sammelt Bilder aus der Zwischenablage.\r\r"
                           "Während der Aufnahmezeit prüft es in festen Abständen, ob ein neues Bild in der "
                           "Zwischenablage liegt, und speichert es als nummerierte Datei im Ordner "
                           "\"Screenshots\".\r\rEin Werkzeug zu Corvalen.",
                           tk::MsgOk | tk::MsgInfo);
      break;
    case MenuQuit: QuitFlag = 1; break;
  }
}

void onGadget(int gadget) {
  switch (gadget) {
    case SpinHours: case SpinMinutes: case SpinSeconds: case SpinInterval:
      tk::setGadgetText(gadget, std::to_string(spin(gadget)));
      tk::drainEvents();
      break;
    case FormatList: enableQualityFor(tk::gadgetState(FormatList)); break;
    case TimeOk:
      RecordingTimeMs = (spin(SpinHours) * 3600 + spin(SpinMinutes) * 60 + spin(SpinSeconds)) * 1000;
      startWalk();
      tk::hideWindow(TimeWindow, true);
      break;
    case TimeCancel: {
      tk::hideWindow(TimeWindow, true);
      int32_t h, m, s;
      SplitRecordingTime(RecordingTimeMs, h, m, s);
      setSpin(SpinHours, h);
      setSpin(SpinMinutes, m);
      setSpin(SpinSeconds, s);
      break;
    }
    case IntervalOk:
      CheckInterval = std::clamp(spin(SpinInterval), 2, 60);
      tk::hideWindow(IntervalWindow, true);
      startWalk();
      break;
    case IntervalCancel:
      tk::hideWindow(IntervalWindow, true);
      setSpin(SpinInterval, CheckInterval);
      break;
    case FormatOk:
      tk::hideWindow(FormatWindow, true);
      JpegQuality = std::clamp(tk::gadgetState(QualitySlider), 1, 10);
      SnapshotFormat = std::clamp(tk::gadgetState(FormatList), 0, 2);
      break;
    case FormatCancel: restoreFormatWindow(); break;
    case MenuButton: tk::showPopupMenu(Popup, FormatWindow); break;
  }
}

// "Screen_Walk<w>_number<n>.<ext>": w, or -1 when the name is not a snapshot's.
int32_t walkOfName(const std::string& name) {
  static const std::string prefix = "Screen_Walk";
  if (name.size() <= prefix.size() || tk::compareNoCase(name.substr(0, prefix.size()), prefix) != 0) return -1;
  size_t i = prefix.size(), start = i;
  int64_t walk = 0;
  while (i < name.size() && name[i] >= '0' && name[i] <= '9' && i - start < 9) walk = walk * 10 + (name[i++] - '0');
  if (i == start || name.compare(i, 7, "_number") != 0) return -1;
  return int32_t(walk);
}

}  // namespace

void SplitRecordingTime(int32_t ms, int32_t& hours, int32_t& minutes, int32_t& seconds) {
  const int32_t total = ms / 1000;
  hours = total / 3600;
  minutes = (total - hours * 3600) / 60;
  seconds = total - hours * 3600 - minutes * 60;
}

std::string SnapshotFileName() {
  return std::string(kFolder) + "/Screen_Walk" + std::to_string(WalkNumber) + "_number" + std::to_string(ShotNumber) +
         SnapshotExtensions[std::clamp(SnapshotFormat, 0, 2)];
}

int32_t NextFreeWalkNumber() {
  int32_t highest = -1;
  for (const tk::FolderEntry& e : tk::listFolder(kFolder, "Screen_Walk*"))
    if (!e.isFolder) highest = std::max(highest, walkOfName(e.name));
  return highest < 0 || highest == INT32_MAX ? 0 : highest + 1;
}

void ReadSnapshotSettings() {
  tk::openPreferences(kSettings);
  tk::preferenceGroup("");
  // Values outside what the fields can show are brought into their ranges.
  setSpin(SpinHours, std::clamp(tk::readPreferenceLong("Stunden", 0), 0, 2));
  setSpin(SpinMinutes, std::clamp(tk::readPreferenceLong("Minuten", 10), 0, 59));
  setSpin(SpinSeconds, std::clamp(tk::readPreferenceLong("Sekunden", 0), 0, 59));
  setSpin(SpinInterval, std::clamp(tk::readPreferenceLong("Prufzeit", 3), 2, 60));
  tk::setGadgetState(FormatList, std::clamp(tk::readPreferenceLong("Format", 0), 0, 2));
  tk::setGadgetState(QualitySlider, std::clamp(tk::readPreferenceLong("Komprimierung", 7), 1, 10));
  tk::closePreferences();
  enableQualityFor(tk::gadgetState(FormatList));
}

void WriteSnapshotSettings() {
  int32_t h, m, s;
  SplitRecordingTime(RecordingTimeMs, h, m, s);
  tk::createPreferences(kSettings);
  tk::preferenceGroup("");
  tk::writePreferenceLong("Stunden", h);
  tk::writePreferenceLong("Minuten", m);
  tk::writePreferenceLong("Sekunden", s);
  tk::writePreferenceLong("Prufzeit", CheckInterval);
  tk::writePreferenceLong("Format", SnapshotFormat);
  tk::writePreferenceLong("Komprimierung", JpegQuality);
  tk::closePreferences();
}

bool GlimvaneStart() {
  QuitFlag = 0;
  if (tk::openWindow(TimerWindow, 100, 100, 0, 0, "Screenshot", tk::WfCaption | tk::WfHidden) < 0) return false;
  buildWindows();
  ReadSnapshotSettings();
  CheckInterval = spin(SpinInterval);
  RecordingTimeMs = (spin(SpinHours) * 3600 + spin(SpinMinutes) * 60 + spin(SpinSeconds)) * 1000;
  SnapshotFormat = tk::gadgetState(FormatList);
  JpegQuality = tk::gadgetState(QualitySlider);
  tk::createFolder(kFolder);
  WalkNumber = NextFreeWalkNumber();
  ShotNumber = 0;
  ElapsedTime = 0;
  // The clipboard's change count from now on; what lies there already counts as new.
  tk::clipboardSerial();

  if (tk::loadImage(IconImage, "Icon.ico") < 0) tk::freeImage(IconImage);
  if (tk::loadImage(MenuImage, "Menubar.bmp") < 0) tk::freeImage(MenuImage);
  buildPopupMenu();
  // The recording starts before the note on a missing tray, which waits for the user.
  startTimer();
  if (tk::trayAvailable()) {
    tk::addTrayIcon(TrayIcon, FormatWindow, tk::isImage(IconImage) ? IconImage : -1);
    tk::setTrayIconToolTip(TrayIcon, "Glimvane");
  } else {
    showWindowInsteadOfTray();
  }
  return true;
}

void SaveNewClipboardImage() {
  ElapsedTime += CheckInterval * 1000;
  if (ElapsedTime >= RecordingTimeMs) return;
  if (!tk::clipboardHasImage()) return;
  const uint32_t serial = tk::clipboardSerial();
  if (serial == LastClipboardBitmap) return;
  if (tk::clipboardImage(SnapshotImage) < 0) return;
  // The folder may have been removed while the tool ran: a snapshot is never lost for that.
  tk::createFolder(kFolder);
  static const tk::ImageFormat kFormats[3] = {tk::FormatBMP, tk::FormatJPEG, tk::FormatPNG};
  const bool saved = tk::saveImage(SnapshotImage, SnapshotFileName(), kFormats[std::clamp(SnapshotFormat, 0, 2)],
                                   std::clamp(JpegQuality, 1, 10));
  tk::freeImage(SnapshotImage);
  if (!saved) {
    // The picture stays "new": the next look tries again. Told once (the guard is set before
    // the message, whose own loop lets the timer tick again).
    if (!gSaveFailureTold) {
      gSaveFailureTold = true;
      tk::messageRequester("Glimvane",
                           "Ein Bild aus der Zwischenablage konnte nicht im Ordner \"Screenshots\" gespeichert "
                           "werden (" + tk::lastImageError() + ").\rGlimvane versucht es beim nächsten Prüfen erneut.",
                           tk::MsgOk | tk::MsgWarning);
    }
    return;
  }
  ++ShotNumber;
  LastClipboardBitmap = serial;
}

void OnGlimvaneEvent(int event) {
  switch (event) {
    case tk::EvTray: tk::showPopupMenu(Popup, FormatWindow); break;
    case tk::EvMenu: onMenu(tk::eventMenu()); break;
    case tk::EvGadget: onGadget(tk::eventGadget()); break;
    case tk::EvClose:
      if (tk::eventWindow() == TimeWindow || tk::eventWindow() == IntervalWindow) tk::hideWindow(tk::eventWindow(), true);
      else if (tk::eventWindow() == FormatWindow) restoreFormatWindow();
      else if (tk::eventWindow() == SmallWindow) QuitFlag = 1;
      break;
  }
}

void GlimvaneFinish() {
  WriteSnapshotSettings();
  tk::removeTrayIcon(TrayIcon);
  for (int w : {SmallWindow, FormatWindow, IntervalWindow, TimeWindow, TimerWindow}) tk::closeWindow(w);
}

int GlimvaneMain() {
  if (!GlimvaneStart()) return 1;
  while (QuitFlag == 0) OnGlimvaneEvent(tk::waitEvent(-1));
  GlimvaneFinish();
  return 0;
}

void ResetSnapshotState() {
  RecordingTimeMs = 0;
  CheckInterval = 3;
  ElapsedTime = 0;
  LastClipboardBitmap = 0;
  SnapshotFormat = 0;
  JpegQuality = 7;
  WalkNumber = 0;
  ShotNumber = 0;
  QuitFlag = 0;
  WindowInsteadOfTray = 0;
  gSaveFailureTold = false;
}
