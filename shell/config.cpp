// Settings record and the two configuration files: "Konfigurations/Konfig.ini" (read at
// start, written by the settings window) and "Konfigurations/Last.ini" (last tool and
// window state, read at start and written at quit); the instance number in
// "Undo/startet.ind" and the instance's undo folders.
#include <algorithm>
#include <cstdlib>

#include "documents/documents.h"
#include "shell/shell.h"
#include "tools/tools.h"
#include "toolkit/toolkit.h"

// ---- state of other parts that the configuration fills --------------------------------
// Declared here as the configuration uses them; their owners define them.
void ShowSplashStatus(const std::string& text);
void ApplyColorButtonStyle(int32_t style);
void RefreshStyleSample(int32_t n);
void ShowBackgroundColor(int32_t colour);
void UpdateColourDisplays();
void LoadBrushForms();
void ReloadStructures();

SettingsRecord Settings;
LastStateRecord LastState;
int32_t maxundo = 0;
int32_t EditUndoDepth = 0;
uint32_t CustomColours[17] = {};
int32_t CVNIndex = 0;
uint8_t UndoAvailable = 1;
std::vector<int32_t> InstanceList;

namespace {

const char* const kKonfig = "Konfigurations/Konfig.ini";
const char* const kLast = "Konfigurations/Last.ini";
const char* const kInstances = "Undo/startet.ind";
const char* const kInstanceLock = "Undo/startet.lock";

// Style n = 1..5: the reader's and the writer's spelling of the key stems.
const char* const kStyleRead[6] = {"", "Normal", "Function", "Constant", "String", "comment"};
const char* const kStyleWrite[6] = {"", "Normal", "Function", "Constant", "String", "Comment"};

// Settings window gadgets.
enum : int {
  GadFolder = 514, GadTooltips = 516, GadUpdate = 517, GadTDT = 518, GadWidth = 520,
  GadHeight = 521, GadUndo = 523, GadFace0 = 524, GadSize0 = 529, GadBold0 = 534,
  GadItalic0 = 539, GadUnderline0 = 544, GadSwatch0 = 549, GadTabwidth = 561,
  GadRueckwidth = 562, GadEditUndo = 563, GadBanner0 = 564, GadIconsOn = 567,
  GadIconsOff = 568, GadBackUp = 574, GadCreateError = 575, GadShowToolbar = 576,
};

uint32_t colourValue(uint8_t r, uint8_t g, uint8_t b) { return r | (g << 8) | (uint32_t(b) << 16); }

void fillImage(int image, int w, int h, uint32_t colour) {
  if (!tk::isImage(image) || !tk::startDrawing(tk::imageOutput(image))) return;
  tk::box(0, 0, w, h, colour);
  tk::stopDrawing();
}

int gadgetStateOr(int gadget, int fallback) {
  return tk::isGadget(gadget) ? tk::gadgetState(gadget) : fallback;
}

int32_t gadgetNumberOr(int gadget, int32_t fallback) {
  if (!tk::isGadget(gadget)) return fallback;
  return int32_t(std::strtol(tk::gadgetText(gadget).c_str(), nullptr, 10));
}

void setMenuCheck(int id, bool on) {
  for (int menu = 0; menu <= 1; ++menu)
    if (tk::isMenu(menu)) tk::setMenuItemChecked(menu, id, on);
}

// ---- the instance list ------------------------------------------------------------------

// At most this many numbers are read from "Undo/startet.ind" (the newest, at its end):
// a list that grew past it holds stale numbers of copies that were killed, and reading
// it whole would hold up every start while the list is locked.
constexpr int64_t kMaxInstanceEntries = 4096;

bool readInstanceFile(std::vector<int32_t>& list) {
  list.clear();
  int64_t size = tk::fileSizeOf(kInstances);
  if (size == -1) return true;   // no copy has run yet
  if (size < 0) return false;    // a folder in its place
  int file = tk::readFile(-1, kInstances);
  if (file < 0) return false;
  int64_t count = tk::fileSize(file) / 4;
  int64_t first = std::max<int64_t>(0, count - kMaxInstanceEntries);
  tk::fileSeek(file, first * 4);
  list.resize(size_t(count - first));
  size_t got = tk::readData(file, list.data(), list.size() * 4);
  tk::closeFile(file);
  list.resize(got / 4);
  for (int32_t& n : list) {   // the file is little endian
    auto* b = reinterpret_cast<const uint8_t*>(&n);
    n = int32_t(uint32_t(b[0]) | (uint32_t(b[1]) << 8) | (uint32_t(b[2]) << 16) | (uint32_t(b[3]) << 24));
  }
  return true;
}

// Writes the list (replacing the file only when the whole write succeeded) and reads it
// back: true only when the file then holds exactly the list.
bool writeInstanceFile(const std::vector<int32_t>& list) {
  std::vector<uint8_t> bytes;
  bytes.reserve(list.size() * 4);
  for (int32_t n : list)
    for (int i = 0; i < 4; ++i) bytes.push_back(uint8_t(uint32_t(n) >> (8 * i)));
  if (!tk::writeWholeFile(kInstances, bytes.data(), bytes.size())) return false;
  std::vector<uint8_t> back;
  return tk::readWholeFile(kInstances, back) && back == bytes;
}

int lockInstances() {
  tk::createFolder("Undo");
  return tk::lockFile(kInstanceLock);
}

// The lowest number from 1 upward that the list does not hold, in one pass.
int32_t lowestFreeNumber(const std::vector<int32_t>& list) {
  std::vector<uint8_t> taken(list.size() + 2, 0);
  for (int32_t n : list)
    if (n >= 1 && size_t(n) < taken.size()) taken[size_t(n)] = 1;
  int32_t n = 1;
  while (taken[size_t(n)]) ++n;
  return n;
}

// ---- Konfig.ini ----------------------------------------------------------------------------

void readStyles() {
  tk::preferenceGroup("Editorstyle");
  for (int n = 1; n <= 5; ++n) {
    CharFormatRecord& f = Settings.formats[n];
    std::string stem = kStyleRead[n];
    f.face = tk::readPreferenceString(stem + "_Font", "Arial").substr(0, 31);
    int32_t size = std::clamp(tk::readPreferenceLong(stem + "_Size", 10), 1, 1638);
    f.height = size * 20;
    f.effects = uint32_t(tk::readPreferenceLong(stem + "_Format", 0)) & 7u;
    // The colour key of the comment style is spelled "Comment_Color".
    f.color = uint32_t(tk::readPreferenceLong(std::string(kStyleWrite[n]) + "_Color", 0));
    if (tk::isGadget(GadFace0 + n)) tk::setGadgetText(GadFace0 + n, f.face);
    if (tk::isGadget(GadSize0 + n)) tk::setGadgetState(GadSize0 + n, size - 1);
    if (tk::isGadget(GadBold0 + n)) tk::setGadgetState(GadBold0 + n, (f.effects & 1) ? 1 : 0);
    if (tk::isGadget(GadItalic0 + n)) tk::setGadgetState(GadItalic0 + n, (f.effects & 2) ? 1 : 0);
    if (tk::isGadget(GadUnderline0 + n)) tk::setGadgetState(GadUnderline0 + n, (f.effects & 4) ? 1 : 0);
    if (tk::isImage(103 + n)) {
      fillImage(103 + n, 200, 50, f.color);
      if (tk::isGadget(GadSwatch0 + n)) tk::setGadgetAttribute(GadSwatch0 + n, tk::AttrImage, 103 + n);
    }
  }
  Settings.All_BG = tk::readPreferenceLong("All_BG", 0xFFFFFF);
  ShowBackgroundColor(Settings.All_BG);
  Settings.Tabwidth = uint8_t(tk::readPreferenceLong("Tabwidth", 3));
  Settings.Rueckwidth = uint8_t(tk::readPreferenceLong("Rueckwidth", 0));
  Settings.Edit_Undo = tk::readPreferenceLong("Edit_Undo", 200);
  EditUndoDepth = Settings.Edit_Undo;
  if (tk::isGadget(GadTabwidth)) tk::setGadgetState(GadTabwidth, Settings.Tabwidth);
  if (tk::isGadget(GadRueckwidth)) tk::setGadgetState(GadRueckwidth, Settings.Rueckwidth);
  if (tk::isGadget(GadEditUndo)) tk::setGadgetState(GadEditUndo, Settings.Edit_Undo);
}

void readStylesGroupAndErrors() {
  tk::preferenceGroup("Styles");
  Settings.Banner = uint8_t(tk::readPreferenceLong("Banner", 1));
  Settings.Icons_unten = uint8_t(tk::readPreferenceLong("Icons_unten", 1));
  Settings.Colorbutton = uint8_t(tk::readPreferenceLong("Colorbutton", 1));
  uint32_t back = uint32_t(tk::readPreferenceLong("Backcolor_Imagefenster", int32_t(colourValue(140, 140, 140))));
  Settings.imageBackground[0] = uint8_t(back >> 16);   // blue
  Settings.imageBackground[1] = uint8_t(back >> 8);    // green
  Settings.imageBackground[2] = uint8_t(back);         // red
  if (Settings.Banner <= 2 && tk::isGadget(GadBanner0 + Settings.Banner))
    tk::setGadgetState(GadBanner0 + Settings.Banner, 1);
  if (Settings.Icons_unten <= 1 && tk::isGadget(GadIconsOff - Settings.Icons_unten))
    tk::setGadgetState(GadIconsOff - Settings.Icons_unten, 1);
  ApplyColorButtonStyle(Settings.Colorbutton);
  if (tk::isImage(110) && tk::startDrawing(tk::imageOutput(110))) {
    uint32_t c = back & 0xFFFFFF;
    auto contrast = [](uint32_t v) { return v > 128 ? v - 128 : v + 127; };
    uint32_t label = contrast(c & 255) | (contrast((c >> 8) & 255) << 8) | (contrast(c >> 16) << 16);
    tk::box(0, 0, 200, 40, c);
    tk::drawingMode(tk::DrawTransparent);
    tk::drawingFont(15);
    tk::drawText(5, 5, "Zeichenfenster-Hintergrund", label, 0);
    tk::stopDrawing();
    if (tk::isGadget(570)) tk::setGadgetAttribute(570, tk::AttrImage, 110);
  }

  tk::preferenceGroup("Error");
  Settings.BackUp = uint8_t(tk::readPreferenceLong("BackUp", 1));
  Settings.CreateError = uint8_t(tk::readPreferenceLong("CreateError", 1));
  Settings.ShowToolbar = uint8_t(tk::readPreferenceLong("ShowToolbar", 1));
  if (tk::isGadget(GadBackUp)) tk::setGadgetState(GadBackUp, Settings.BackUp);
  if (tk::isGadget(GadCreateError)) tk::setGadgetState(GadCreateError, Settings.CreateError);
  if (tk::isGadget(GadShowToolbar)) tk::setGadgetState(GadShowToolbar, Settings.ShowToolbar);
}

// The blank start image: white, at the configured start size, marked new.
void PrepareStartImage() {
  SetImageDimensions(bildhoch + 1, bildlang + 1, 1);
  std::fill(ImagePixels.begin(), ImagePixels.end(), PixelCell(0x00FFFFFF));
  UpdateAverageColors();   // the overlays take the contrast to this image's colours
  if (ImageRecords.size() > 1) ImageRecords[1].DebugState = 1;
}

// ---- Last.ini --------------------------------------------------------------------------------

// The main window's stored placement, brought onto the desktop: a size of 0 or less
// takes the default, no side is larger than the desktop or smaller than a usable window,
// and the whole window lies on the desktop.
void KeepWindowOnDesktop(LastStateRecord& s) {
  const int32_t dw = std::max(tk::desktopWidth(), 1), dh = std::max(tk::desktopHeight(), 1);
  if (s.FensterWidth <= 0) s.FensterWidth = 1024;
  if (s.FensterHeight <= 0) s.FensterHeight = 730;
  s.FensterWidth = std::clamp(s.FensterWidth, std::min(320, dw), dw);
  s.FensterHeight = std::clamp(s.FensterHeight, std::min(240, dh), dh);
  s.FensterXPos = std::clamp(s.FensterXPos, 0, dw - s.FensterWidth);
  s.FensterYPos = std::clamp(s.FensterYPos, 0, dh - s.FensterHeight);
}

void applyLastState() {
  const LastStateRecord& s = LastState;
  TipNumber = s.Tip;
  Rot = uint8_t((s.Farbe & 255) - 128);
  Gruen = uint8_t(((s.Farbe >> 8) & 255) - 128);
  Blau = uint8_t(((s.Farbe >> 16) & 255) - 128);
  fillstate = uint8_t(s.Fuellart);
  for (int g : {104, 189})
    if (tk::isGadget(g)) tk::setGadgetState(g, s.Fuellart);
  paintstate = s.Gadgetstate;
  drawform_current = s.Pinsel_form;
  drawforms_length = s.Pinsel_Radius;
  for (int g : {89, 174})
    if (tk::isGadget(g)) {
      tk::setGadgetState(g, s.Pinsel_Radius);
      tk::setGadgetText(g, "Radius: " + std::to_string(s.Pinsel_Radius));
    }
  drawstep = s.Pinsel_Drawsteps;
  for (int g : {100, 185})
    if (tk::isGadget(g)) tk::setGadgetState(g, s.Pinsel_Drawsteps);
  for (int g : {98, 183})
    if (tk::isGadget(g)) tk::setGadgetText(g, "DrawSteps: " + std::to_string(s.Pinsel_Drawsteps));
  for (int g : {90, 175})
    if (tk::isGadget(g)) tk::setGadgetState(g, s.Radiusmessung);
  GridActive = uint8_t(s.GitterAktiv);
  GridWidth = s.GitterBreite;
  GridHorz = uint8_t(s.GitterHorz);
  GridVert = uint8_t(s.GitterVert);
  setMenuCheck(183, s.GitterHorz != 0);
  setMenuCheck(184, s.GitterVert != 0);
  setMenuCheck(185, s.LinealAktiv != 0);
  setMenuCheck(186, s.LinealForm == 1);
  setMenuCheck(187, s.LinealForm != 1);
  setMenuCheck(188, s.LinealHorz != 0);
  setMenuCheck(189, s.LinealVert != 0);
  for (int k = 0; k < 10; ++k) fillImage(59 + k, 40, 20, uint32_t(s.AltFarbe[k]) & 0xFFFFFF);
  // Kreis, Ellipse, Box, Raute, Spray, Zirkel into words 1, 2, 0, 4, 3, 5, each at least
  // its start value.
  static const int kWord[6] = {1, 2, 0, 4, 3, 5};
  static const int kDefault[6] = {474, 476, 478, 484, 480, 486};
  for (int i = 0; i < 6; ++i) ToolFormStates[kWord[i]] = int16_t(std::max(s.Formstate[i], kDefault[i]));
  setMenuCheck(193, s.EinstellBar != 0);
  setMenuCheck(194, s.Farbfenster != 0);
  KeepWindowOnDesktop(LastState);
  if (tk::isWindow(0)) tk::resizeWindow(0, s.FensterXPos, s.FensterYPos, s.FensterWidth, s.FensterHeight);
}

// Takes the current values from the program's state into LastState.
void collectLastState() {
  LastStateRecord& s = LastState;
  s.Tip = TipNumber;
  s.Farbe = (int8_t(Rot) + 128) + (int8_t(Gruen) + 128) * 256 + (int8_t(Blau) + 128) * 65536;
  s.Fuellart = fillstate;
  s.Gadgetstate = paintstate;
  s.Pinsel_form = drawform_current;
  s.Pinsel_Radius = drawforms_length;
  s.Pinsel_Drawsteps = drawstep;
  s.Radiusmessung = gadgetStateOr(90, s.Radiusmessung);
  s.GitterAktiv = GridActive;
  s.GitterBreite = GridWidth;
  s.GitterHorz = GridHorz;
  s.GitterVert = GridVert;
  if (tk::isMenu(0)) {
    s.LinealAktiv = tk::menuItemChecked(0, 185) ? 1 : 0;
    s.LinealForm = tk::menuItemChecked(0, 186) ? 1 : 0;
    s.LinealHorz = tk::menuItemChecked(0, 188) ? 1 : 0;
    s.LinealVert = tk::menuItemChecked(0, 189) ? 1 : 0;
    s.EinstellBar = tk::menuItemChecked(0, 193) ? 1 : 0;
    s.Farbfenster = tk::menuItemChecked(0, 194) ? 1 : 0;
  }
  for (int k = 0; k < 10; ++k) {
    if (!tk::isImage(59 + k) || !tk::startDrawing(tk::imageOutput(59 + k))) continue;
    s.AltFarbe[k] = int32_t(tk::point(10, 10) & 0xFFFFFF);
    tk::stopDrawing();
  }
  static const int kWord[6] = {1, 2, 0, 4, 3, 5};
  for (int i = 0; i < 6; ++i) s.Formstate[i] = ToolFormStates[kWord[i]];
  if (tk::isWindow(0)) {
    s.FensterXPos = tk::windowX(0);
    s.FensterYPos = tk::windowY(0);
    s.FensterWidth = tk::windowWidth(0);
    s.FensterHeight = tk::windowHeight(0);
  }
}

}  // namespace

// ---- instance number ----------------------------------------------------------------------

int32_t ClaimInstanceNumber() {
  CVNIndex = 0;
  UndoAvailable = 0;
  int lock = lockInstances();
  if (lock < 0) return 0;
  std::vector<int32_t> list;
  if (readInstanceFile(list)) {
    int32_t n = lowestFreeNumber(list);
    list.push_back(n);
    if (writeInstanceFile(list)) {
      InstanceList = std::move(list);
      CVNIndex = n;
      UndoAvailable = 1;
    }
  }
  tk::unlockFile(lock);
  return CVNIndex;
}

void ReleaseInstanceNumber() {
  if (UndoAvailable == 0 || CVNIndex <= 0) return;   // this copy never held a number
  int lock = lockInstances();
  if (lock < 0) return;
  std::vector<int32_t> list;
  if (readInstanceFile(list)) {
    std::vector<int32_t> rest;
    for (int32_t n : list)
      if (n != CVNIndex) rest.push_back(n);
    if (writeInstanceFile(rest)) InstanceList = std::move(rest);
  }
  tk::unlockFile(lock);
}

void CreateInstanceUndoFolders() {
  if (UndoAvailable == 0) return;
  std::string folder = "Undo/Undo" + std::to_string(CVNIndex);
  tk::createFolder(folder);
  for (int k = 1; k <= 10; ++k) tk::createFolder(folder + "/Undo" + std::to_string(k));
}

// ---- Konfig.ini ----------------------------------------------------------------------------

// The panel header is either the picture (image gadget 2) or the large label 3.
void ApplyPanelHeaderStyle() {
  if (tk::isGadget(2)) tk::hideGadget(2, Settings.Banner != 0);
  if (tk::isGadget(3)) tk::hideGadget(3, Settings.Banner != 1);
}

void LoadConfiguration() {
  OnErrorCode1 = 19;
  // A missing or unreadable file reads as every key missing: each setting takes its
  // default and the instance number is still claimed.
  Settings.loaded = tk::openPreferences(kKonfig) ? 1 : 0;

  tk::preferenceGroup("All");
  Settings.defaultFolder = tk::readPreferenceString("name", "");
  Settings.Tooltips = uint8_t(tk::readPreferenceLong("Tooltips", 0));
  Settings.TDT = uint8_t(tk::readPreferenceLong("TDT", 1));
  Settings.Update = uint8_t(tk::readPreferenceLong("Update", 0));
  if (tk::isGadget(GadFolder)) tk::setGadgetText(GadFolder, Settings.defaultFolder);
  if (tk::isGadget(GadTooltips)) tk::setGadgetState(GadTooltips, Settings.Tooltips);
  if (tk::isGadget(GadTDT)) tk::setGadgetState(GadTDT, Settings.TDT);
  if (tk::isGadget(GadUpdate)) tk::setGadgetState(GadUpdate, Settings.Update);

  ShowSplashStatus("Konfigurationen laden...");

  // Clamped to what the image arrays can hold before anything uses them.
  int32_t width = tk::readPreferenceLong("width", 100);
  int32_t height = tk::readPreferenceLong("height", 100);
  ClampImageSize(width, height);
  Settings.startWidth = width - 1;
  Settings.startHeight = height - 1;
  CurrentImage = 1;
  ImageCount = 1;
  bildlang = Settings.startWidth;
  bildhoch = Settings.startHeight;

  maxundo = std::max(tk::readPreferenceLong("Undo", 10), 1);
  if (tk::isGadget(GadUndo)) {
    tk::setGadgetState(GadUndo, maxundo);
    tk::setGadgetText(GadUndo, std::to_string(maxundo));
  }

  if (ClaimInstanceNumber() == 0)
    tk::messageRequester("Fehler",
                         "Die Liste der laufenden Programme (Undo/startet.ind) konnte nicht gesperrt oder "
                         "geschrieben werden.\r\rRückgängig ist für diese Programmkopie nicht verfügbar: "
                         "sie legt keine Undo-Dateien an.",
                         tk::MsgOk | tk::MsgWarning);

  PrepareStartImage();
  if (tk::isGadget(GadWidth)) tk::setGadgetText(GadWidth, std::to_string(width));
  if (tk::isGadget(GadHeight)) tk::setGadgetText(GadHeight, std::to_string(height));

  readStyles();

  tk::preferenceGroup("PickColor");
  for (int i = 1; i <= 16; ++i)
    CustomColours[i] = uint32_t(tk::readPreferenceLong("Color" + std::to_string(i), 0));

  UpdateColourDisplays();
  readStylesGroupAndErrors();
  tk::closePreferences();

  for (CharFormatRecord& f : Settings.formats) {
    f.size = 60;
    f.mask = 0xE0000007u;
  }
  ShowSplashStatus("PinselFormen laden");
  LoadBrushForms();
  ShowSplashStatus("Structures laden");
  ReloadStructures();
  ShowSplashStatus("Konfigurationen Laden");
  LoadLastState();
  UpdateColourDisplays();   // the drawing colour of the last run
  if (tk::isStatusBar(0)) UpdateMainStatusBar();
  for (int n = 1; n <= 5; ++n) RefreshStyleSample(n);

  if (tk::fileSizeOf("Undo/hold.error") <= 0) CreateInstanceUndoFolders();

  SetToolbarTooltips(Settings.Tooltips);
  ApplyPanelHeaderStyle();
}

void SaveConfiguration() {
  tk::createFolder("Konfigurations");
  tk::createPreferences(kKonfig);

  tk::preferenceGroup("All");
  std::string folder = tk::isGadget(GadFolder) ? tk::gadgetText(GadFolder) : Settings.defaultFolder;
  tk::writePreferenceString("name", folder);
  tk::writePreferenceLong("Tooltips", gadgetStateOr(GadTooltips, Settings.Tooltips));
  tk::writePreferenceLong("TDT", gadgetStateOr(GadTDT, Settings.TDT));
  tk::writePreferenceLong("Update", gadgetStateOr(GadUpdate, Settings.Update));
  tk::writePreferenceLong("Width", gadgetNumberOr(GadWidth, Settings.startWidth + 1));
  tk::writePreferenceLong("Height", gadgetNumberOr(GadHeight, Settings.startHeight + 1));
  tk::writePreferenceLong("Undo", gadgetStateOr(GadUndo, maxundo));

  tk::preferenceGroup("Editorstyle");
  for (int n = 1; n <= 5; ++n) {
    const CharFormatRecord& f = Settings.formats[n];
    std::string stem = kStyleWrite[n];
    tk::writePreferenceString(stem + "_Font", f.face);
    tk::writePreferenceLong(stem + "_Size", f.height / 20);
    tk::writePreferenceLong(stem + "_Format", int32_t(f.effects & 7u));
    tk::writePreferenceLong(stem + "_Color", int32_t(f.color));
  }
  tk::writePreferenceLong("All_BG", Settings.All_BG);
  tk::writePreferenceLong("Tabwidth", Settings.Tabwidth);
  tk::writePreferenceLong("Rueckwidth", Settings.Rueckwidth);
  tk::writePreferenceLong("Edit_Undo", Settings.Edit_Undo);

  tk::preferenceGroup("PickColor");
  for (int i = 1; i <= 16; ++i) tk::writePreferenceLong("Color" + std::to_string(i), int32_t(CustomColours[i]));

  tk::preferenceGroup("Styles");
  tk::writePreferenceLong("Banner", Settings.Banner);
  tk::writePreferenceLong("Icons_unten", Settings.Icons_unten);
  tk::writePreferenceLong("Colorbutton", Settings.Colorbutton);
  tk::writePreferenceLong("Backcolor_ImageFenster",
                          int32_t(colourValue(Settings.imageBackground[2], Settings.imageBackground[1],
                                              Settings.imageBackground[0])));

  tk::preferenceGroup("Error");
  tk::writePreferenceLong("BackUp", gadgetStateOr(GadBackUp, Settings.BackUp));
  tk::writePreferenceLong("CreateError", gadgetStateOr(GadCreateError, Settings.CreateError));
  tk::writePreferenceLong("ShowToolbar", gadgetStateOr(GadShowToolbar, Settings.ShowToolbar));
  tk::closePreferences();

  ApplyColorButtonStyle(Settings.Colorbutton);
  ApplyPanelHeaderStyle();
  RedrawCanvas();
}

// ---- Last.ini ------------------------------------------------------------------------------

void LoadLastState() {
  LastStateRecord& s = LastState;
  tk::openPreferences(kLast);
  tk::preferenceGroup("");
  s.Tip = tk::readPreferenceLong("Tip", 1);
  s.Farbe = tk::readPreferenceLong("Farbe", 0xFFFFFF);
  s.Fuellart = tk::readPreferenceLong("Füllart", 0);
  s.Gadgetstate = tk::readPreferenceLong("Gadgetstate", 42);
  tk::preferenceGroup("Pinsel");
  s.Pinsel_form = tk::readPreferenceLong("Pinsel_form", 1);
  s.Pinsel_Radius = tk::readPreferenceLong("Pinsel_Radius", 5);
  s.Pinsel_Drawsteps = tk::readPreferenceLong("Pinsel_Drawsteps", 1);
  tk::preferenceGroup("Ellipse");
  s.Radiusmessung = tk::readPreferenceLong("Radiusmessung", 1);
  s.Voll = tk::readPreferenceLong("Voll", 0);
  tk::preferenceGroup("GitterNetz");
  s.GitterAktiv = tk::readPreferenceLong("Aktiv", 0);
  s.GitterBreite = tk::readPreferenceLong("Breite", 100);
  s.GitterHorz = tk::readPreferenceLong("Horz", 1);
  s.GitterVert = tk::readPreferenceLong("Vert", 1);
  tk::preferenceGroup("Lineal");
  s.LinealAktiv = tk::readPreferenceLong("Aktiv", 0);
  s.LinealForm = tk::readPreferenceLong("Form", 0);
  s.LinealHorz = tk::readPreferenceLong("Horz", 1);
  s.LinealVert = tk::readPreferenceLong("Vert", 1);
  tk::preferenceGroup("Farbmenu");
  for (int k = 9; k >= 0; --k) s.AltFarbe[k] = tk::readPreferenceLong("AltFarbe" + std::to_string(k), 0xFFFFFF);
  tk::preferenceGroup("Formstate");
  static const char* const kForms[6] = {"Kreis", "Ellipse", "Box", "Raute", "Spray", "Zirkel"};
  static const int kDefault[6] = {474, 476, 478, 484, 480, 486};
  for (int i = 0; i < 6; ++i) s.Formstate[i] = tk::readPreferenceLong(kForms[i], kDefault[i]);
  tk::preferenceGroup("Misk");
  s.EinstellBar = tk::readPreferenceLong("EinstellBar", 0);
  s.Farbfenster = tk::readPreferenceLong("Farbfenster", 0);
  s.FensterXPos = tk::readPreferenceLong("FensterXPos", 0);
  s.FensterYPos = tk::readPreferenceLong("FensterYPos", 0);
  s.FensterWidth = tk::readPreferenceLong("FensterWidth", 1024);
  s.FensterHeight = tk::readPreferenceLong("FensterHeight", 730);
  tk::closePreferences();
  applyLastState();
}

void SaveLastState() {
  collectLastState();
  const LastStateRecord& s = LastState;
  tk::createFolder("Konfigurations");
  tk::createPreferences(kLast);
  tk::preferenceGroup("");
  tk::writePreferenceLong("Tip", s.Tip);
  tk::writePreferenceLong("Farbe", s.Farbe);
  tk::writePreferenceLong("Füllart", s.Fuellart);
  tk::writePreferenceLong("Gadgetstate", s.Gadgetstate);
  tk::preferenceGroup("Pinsel");
  tk::writePreferenceLong("Pinsel_form", s.Pinsel_form);
  tk::writePreferenceLong("Pinsel_radius", s.Pinsel_Radius);
  tk::writePreferenceLong("Pinsel_Drawsteps", s.Pinsel_Drawsteps);
  tk::preferenceGroup("Ellipse");
  tk::writePreferenceLong("Radiusmessung", s.Radiusmessung);
  tk::writePreferenceLong("Voll", s.Voll);
  tk::preferenceGroup("GitterNetz");
  tk::writePreferenceLong("Aktiv", s.GitterAktiv);
  tk::writePreferenceLong("Breite", s.GitterBreite);
  tk::writePreferenceLong("Horz", s.GitterHorz);
  tk::writePreferenceLong("Vert", s.GitterVert);
  tk::preferenceGroup("Lineal");
  tk::writePreferenceLong("Aktiv", s.LinealAktiv);
  tk::writePreferenceLong("Form", s.LinealForm);
  tk::writePreferenceLong("Horz", s.LinealHorz);
  tk::writePreferenceLong("Vert", s.LinealVert);
  tk::preferenceGroup("Farbmenu");
  for (int k = 9; k >= 0; --k) tk::writePreferenceLong("AltFarbe" + std::to_string(k), s.AltFarbe[k]);
  tk::preferenceGroup("Formstate");
  static const char* const kForms[6] = {"Kreis", "Ellipse", "Box", "Raute", "Spray", "Zirkel"};
  for (int i = 0; i < 6; ++i) tk::writePreferenceLong(kForms[i], s.Formstate[i]);
  tk::preferenceGroup("Misk");
  tk::writePreferenceLong("EinstellBar", s.EinstellBar);
  tk::writePreferenceLong("Farbfenster", s.Farbfenster);
  tk::writePreferenceLong("FensterXPos", s.FensterXPos);
  tk::writePreferenceLong("FensterYPos", s.FensterYPos);
  tk::writePreferenceLong("FensterWidth", s.FensterWidth);
  tk::writePreferenceLong("FensterHeight", s.FensterHeight);
  tk::closePreferences();
}

void ResetConfigState() {
  Settings = SettingsRecord{};
  LastState = LastStateRecord{};
  maxundo = 0;
  EditUndoDepth = 0;
  std::fill(std::begin(CustomColours), std::end(CustomColours), 0u);
  CVNIndex = 0;
  UndoAvailable = 1;
  InstanceList.clear();
}
