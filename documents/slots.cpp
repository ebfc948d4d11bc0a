// The open images' slots: parking the live image in its slot (record, texts and the files
// of its slot folder), making a parked image live again, switching between them by their
// tabs, closing one (the later slots move down) and the desktop wallpaper copy.
//
// A parked image's pixels live only in its slot folder ("Image.zs", consumed by the
// restore), a live image's only in memory: so a store that cannot write its files parks
// nothing and leaves the image live, and callers stop there.
#include <algorithm>
#include <cmath>
#include <string>

#include "documents/documents.h"
#include "effects/effects.h"
#include "script/script.h"
#include "shell/shell.h"
#include "toolkit/toolkit.h"
#include "tools/tools.h"

namespace {

constexpr int kPanels[] = {9, 120, 352, 495, 582};
constexpr int kScriptButtons[] = {237, 219, 221};
constexpr int kPanelGadgets[] = {10, 74, 77, 80, 82, 84};

// Everything a slot folder may hold besides the step files.
const char* const kSlotFiles[] = {"Image.zs", "Area.zs", "redhold.hold", "greenhold.hold", "bluehold.hold",
                                  "code.proc", "data.ub", "data.rb"};

bool ValidSlot(int32_t slot) { return slot >= 1 && slot <= 10; }

bool IsStepFile(const std::string& name) {
  auto ends = [&](const char* e) {
    const size_t n = std::char_traits<char>::length(e);
    return name.size() > n && tk::compareNoCase(name.substr(name.size() - n), e) == 0;
  };
  return ends(".undo") || ends(".redo");
}

// Deletes the slot files and every undo and redo step of a slot.
void ClearSlotFolder(int32_t slot) {
  const std::string folder = SlotFolder(slot);
  for (const char* f : kSlotFiles) tk::deleteFile(folder + f);
  for (const tk::FolderEntry& e : tk::listFolder(folder, "*.*"))
    if (!e.isFolder && IsStepFile(e.name)) tk::deleteFile(folder + e.name);
}

// Moves every slot file and step of slot `from` into the emptied slot `to`.
void MoveSlotFolder(int32_t from, int32_t to) {
  const std::string src = SlotFolder(from), dst = SlotFolder(to);
  tk::createFolder(dst);
  for (const tk::FolderEntry& e : tk::listFolder(src, "*.*")) {
    if (e.isFolder) continue;
    tk::deleteFile(dst + e.name);
    if (!tk::renameFile(src + e.name, dst + e.name) && tk::copyFile(src + e.name, dst + e.name))
      tk::deleteFile(src + e.name);
  }
}

// Reads a whole file of exactly `bytes` bytes into dst; false (dst untouched) otherwise.
bool ReadExact(const std::string& path, void* dst, size_t bytes) {
  const int f = tk::readFile(-1, path);
  if (f < 0) return false;
  const bool ok = tk::fileSize(f) == int64_t(bytes) && tk::readData(f, dst, bytes) == bytes;
  tk::closeFile(f);
  return ok;
}

void SetMenuCheck(int id, bool on) {
  for (int m : {0, 1})
    if (tk::isMenu(m)) tk::setMenuItemChecked(m, id, on);
}

void SetAreaMenuItems(bool area) {
  for (int id : {30, 31, 243, 244}) tk::enableMenuId(id, area);
  for (int id : {32, 33, 239, 240}) tk::enableMenuId(id, !area);
}

// Removes whichever shortcut set is installed (each set has a key no other set uses).
void RemoveInstalledShortcuts() {
  if (cutsda != 1) return;
  if (tk::hasShortcut(0, tk::ModCtrl + 'B')) RemoveScriptShortcuts();
  else if (tk::hasShortcut(0, tk::ModCtrl + 'Z')) RemovePanelShortcuts();
  else RemoveImageShortcuts();
}

// Shows the panel of a restored image with its header picture, menu bar, tool bar buttons
// and shortcut set; the other panels are hidden.
void ShowRecordPanel(int32_t panel) {
  FreeStatusBars();
  RemoveInstalledShortcuts();
  cutsda = 0;
  for (int p : kPanels) tk::hideGadget(p, p != panel);
  const bool script = panel == 495;
  tk::attachMenu(script ? 1 : 0, 0);
  for (int id : kScriptButtons) tk::hideToolBarButton(5, id, !script);
  int header = 10;
  switch (panel) {
    case 495: header = 13; break;
    case 120: header = 11; break;
    case 582: header = 12; break;
    case 352: header = 14; break;
    default: break;
  }
  tk::setGadgetState(2, header);
  if (script) AddScriptShortcuts();
  else if (panel == 352) AddPanelShortcuts();
  else AddImageShortcuts();
}

void CreatePanelStatusBar(int32_t panel) {
  switch (panel) {
    case 495: CreateScriptStatusBar(); break;
    case 352: CreateEffectsStatusBar(); break;
    case 120: CreateAreaStatusBar(); break;
    case 582: CreateTextStatusBar(); break;
    default:
      if (KeyboardModus == 1) EnterKeyboardMode();
      else CreateMainStatusBar();
      break;
  }
}

int32_t ModeOfPanel(int32_t panel) {
  switch (panel) {
    case 495: return ModeScript;
    case 352: return ModeEffects;
    case 120: return ModeArea;
    case 582: return ModeText;
    default: return KeyboardModus ? ModeKeyboard : ModeDraw;
  }
}

// The drawing-settings bar goes with the drawing panel only; the mode follows the panel.
void FollowActivePanel() {
  const int32_t panel = ImageRecords[CurrentImage].WindowState;
  if (tk::isMenu(0) && tk::menuItemChecked(0, 193) && panel == 9) ShowDrawSettingsBar();
  else HideDrawSettingsBar();
  if (panel != 0) NextMode = ModeOfPanel(panel);
}

void SelectTab(int32_t slot) {
  for (int k = 1; k <= 10; ++k) tk::setGadgetState(160 + k, k == slot ? 1 : 0);
}

// The script editor's text, coloured line by line from the top.
void SetEditorText(const std::string& code) {
  if (!tk::isGadget(496)) return;
  tk::setRichText(496, code);
  tk::richSetSelection(496, 0, 0);
  HighlightScriptLines(0, tk::richLineCount(496) - 1);
}

// The swatch of the image's second colour (image 24, 100 x 20).
void PaintBackgroundSwatch(const ImageRecord& r) {
  if (!tk::isImage(24) || !tk::startDrawing(tk::imageOutput(24))) return;
  tk::box(0, 0, 100, 20, uint32_t(r.bgcolor[2]) | uint32_t(r.bgcolor[1]) << 8 | uint32_t(r.bgcolor[0]) << 16);
  tk::stopDrawing();
}

struct HoldChannel {
  const char* file;
  std::vector<uint8_t>* hold;
  int32_t* width;
  int32_t* height;
  int menuItem;
};
const HoldChannel kHolds[3] = {
    {"redhold.hold", &RedHold, &RedHoldWidth, &RedHoldHeight, 34},
    {"greenhold.hold", &GreenHold, &GreenHoldWidth, &GreenHoldHeight, 36},
    {"bluehold.hold", &BlueHold, &BlueHoldWidth, &BlueHoldHeight, 35},
};

void StoreFailed() {
  tk::messageRequester("Fehler", "Der Zwischenspeicher konnte nicht erstellt werden", tk::MsgOk | tk::MsgError);
}

}  // namespace

int32_t ZoomListEntry(float z) {
  static const float kZooms[8] = {0.25f, 0.5f, 0.75f, 1.0f, 2.0f, 4.0f, 8.0f, 16.0f};
  if (!(z > 0)) return 3;
  int best = 0;
  for (int i = 1; i < 8; ++i)
    if (std::fabs(std::log(z / kZooms[i])) < std::fabs(std::log(z / kZooms[best]))) best = i;
  return best;
}

int32_t StoreImageSlot() {
  if (!ValidSlot(CurrentImage)) return 0;
  OnErrorCode2 = 9;
  ImageRecord& r = ImageRecords[CurrentImage];
  r.laenge = bildlang;
  r.hoehe = bildhoch;
  r.verty = vert;
  r.horzx = horz;
  r.GadgetState = paintstate;
  if (tk::isGadget(6)) r.Splitstate = int16_t(tk::gadgetState(6));
  r.colornumber = Colornumber;
  r.KeyBoardModus = KeyboardModus;
  r.KeyBoardModus_Hold = KeyboardModus_hold;
  r.Keydrawmode = Keydrawmode;
  r.KeyBoardX = KeyboardX;
  r.KeyBoardY = KeyboardY;
  r.PixSize = length;
  ImageTexts[CurrentImage].path = ImagePath;
  r.AreaState = areamark;
  r.AreaStartX = startx;
  r.AreaStartY = starty;
  r.AreaLaenge = arealang;
  r.AreaHoehe = areahoch;
  r.AreaVert = vert2;
  r.AreaHorz = horz2;
  if (tk::isGadget(496)) {
    // The editor hands out lines joined by CR; the slot keeps CR LF.
    std::string code;
    for (char c : tk::richText(496)) {
      if (c == '\r') code += "\r\n";
      else code += c;
    }
    ImageTexts[CurrentImage].code = code;
  }
  r.UndoState = undostate;
  r.Redo = RedoState;
  r.fgcolor[0] = Blau;
  r.fgcolor[1] = Gruen;
  r.fgcolor[2] = Rot;
  r.RotDa = tk::isMenu(0) && tk::menuItemChecked(0, 34);
  r.GruenDa = tk::isMenu(0) && tk::menuItemChecked(0, 36);
  r.BlauDa = tk::isMenu(0) && tk::menuItemChecked(0, 35);
  int32_t* const panelStates[6] = {&r.Operation_State, &r.Kontraststate, &r.Hellstate,
                                   &r.RotState, &r.Gruenstate, &r.Blaustate};
  for (int i = 0; i < 6; ++i)
    if (tk::isGadget(kPanelGadgets[i])) *panelStates[i] = tk::gadgetState(kPanelGadgets[i]);
  r.Tolleranz = tolleranz;
  r.Colororder = colororder;
  r.areaorder = areacolororder;
  r.RotLang = RedHoldWidth;
  r.Rothoch = RedHoldHeight;
  r.GruenLang = GreenHoldWidth;
  r.Gruenhoch = GreenHoldHeight;
  r.BlauLang = BlueHoldWidth;
  r.Blauhoch = BlueHoldHeight;

  // The files: all or nothing.
  const std::string folder = SlotFolder(CurrentImage);
  if (!tk::folderExists(folder)) tk::createFolder(folder);
  std::vector<std::string> written;
  auto write = [&](const char* name, const void* data, size_t bytes) {
    if (!tk::writeWholeFile(folder + name, data, bytes)) return false;
    written.push_back(folder + name);
    return true;
  };
  bool ok = true;
  const int32_t heldOut[3] = {r.RotDa, r.GruenDa, r.BlauDa};
  for (int c = 0; c < 3 && ok; ++c) {
    if (heldOut[c] != 1) continue;
    const HoldChannel& h = kHolds[c];
    const size_t n = std::min(CellsOfExtents(*h.width, *h.height), h.hold->size());
    ok = write(h.file, h.hold->data(), n);
  }
  if (ok) {
    if (VariableList.empty()) {
      tk::deleteFile(folder + "code.proc");
    } else {
      std::string text;
      for (const ScriptVariable& v : VariableList) text += v.name + "\r\n" + v.value + "\r\n";
      ok = write("code.proc", text.data(), text.size());
    }
  }
  if (ok) ok = write("Image.zs", ImagePixels.data(), std::min(CellsOfExtents(bildlang, bildhoch), ImagePixels.size()) * 4);
  if (ok && areamark > 0)
    ok = write("Area.zs", AreaPixels.data(), std::min(CellsOfExtents(arealang, areahoch), AreaPixels.size()) * 4);
  if (!ok) {
    for (const std::string& f : written) tk::deleteFile(f);
    StoreFailed();
    OnErrorCode2 = 0;
    return 0;
  }
  SaveEditUndoLists();
  if (KeyboardModus == 1) LeaveKeyboardMode();
  OnErrorCode2 = 0;
  return 1;
}

void RestoreImageSlot(int32_t slot) {
  if (!ValidSlot(slot)) return;
  OnErrorCode2 = 8;
  const ImageRecord r = ImageRecords[slot];
  // 1. The live state from the record; extents that cannot be an image become 1 x 1.
  const bool extentsOk = CellsOfExtents(r.laenge, r.hoehe) > 0;
  bildlang = extentsOk ? r.laenge : 0;
  bildhoch = extentsOk ? r.hoehe : 0;
  paintstate = r.GadgetState;
  Colornumber = uint8_t(r.colornumber);
  KeyboardModus = r.KeyBoardModus;
  KeyboardModus_hold = r.KeyBoardModus_Hold;
  Keydrawmode = r.Keydrawmode;
  KeyboardX = r.KeyBoardX;
  KeyboardY = r.KeyBoardY;
  length = (r.PixSize > 0 && std::isfinite(r.PixSize)) ? r.PixSize : 1.0f;
  ImagePath = ImageTexts[slot].path;
  areamark = uint8_t(r.AreaState);
  startx = r.AreaStartX;
  starty = r.AreaStartY;
  arealang = r.AreaLaenge;
  areahoch = r.AreaHoehe;
  vert2 = r.AreaVert;
  horz2 = r.AreaHorz;
  undostate = r.UndoState;
  RedoState = r.Redo;
  Blau = r.fgcolor[0];
  Gruen = r.fgcolor[1];
  Rot = r.fgcolor[2];
  tolleranz = r.Tolleranz;
  colororder = uint8_t(r.Colororder);
  areacolororder = uint8_t(r.areaorder);
  RedHoldWidth = r.RotLang;
  RedHoldHeight = r.Rothoch;
  GreenHoldWidth = r.GruenLang;
  GreenHoldHeight = r.Gruenhoch;
  BlueHoldWidth = r.BlauLang;
  BlueHoldHeight = r.Blauhoch;
  const int32_t heldOut[3] = {r.RotDa, r.GruenDa, r.BlauDa};
  if (areamark > 0 && CellsOfExtents(arealang, areahoch) == 0) areamark = 0;   // no area fits those extents

  // 2. The pixel arrays at the record's size (and the size into the record).
  const size_t cells = CellsOfExtents(bildlang, bildhoch);
  if (ImagePixels.size() == cells && Colornumber == 0 && ImageRecords[slot].laenge == bildlang &&
      ImageRecords[slot].hoehe == bildhoch) {
    // Already that size: the cells are read over below.
  } else {
    const int32_t keep = CurrentImage;
    CurrentImage = slot;
    SetImageDimensions(bildhoch + 1, bildlang + 1, 1);
    CurrentImage = keep;
  }
  ImageRecords[slot].laenge = bildlang;
  ImageRecords[slot].hoehe = bildhoch;

  // 3.-4. Menu items of the area and the channel switches.
  SetAreaMenuItems(areamark > 0);
  for (int c = 0; c < 3; ++c) SetMenuCheck(kHolds[c].menuItem, heldOut[c] == 1);

  // 5.-6. The script text and the editor's own undo.
  SetEditorText(ImageTexts[slot].code);
  LoadEditUndoLists(slot);

  // 7.-8. Panel gadgets, the second colour and the palette items.
  const int32_t panelStates[6] = {r.Operation_State, r.Kontraststate, r.Hellstate,
                                  r.RotState, r.Gruenstate, r.Blaustate};
  for (int i = 0; i < 6; ++i) tk::setGadgetState(kPanelGadgets[i], panelStates[i]);
  PaintBackgroundSwatch(r);
  if (tk::isMenu(0)) {
    tk::setMenuItemChecked(0, 37, Colornumber != 1);
    tk::setMenuItemChecked(0, 38, Colornumber == 1);
  }
  if (Colornumber == 1) tk::setGadgetAttribute(70, tk::AttrImage, 24);

  // 9.-10. The image's panel and the zoom list.
  const int32_t panel = r.WindowState;
  ShowRecordPanel(panel);
  tk::setGadgetState(60, ZoomListEntry(length));

  // 11.-12. The cells, the area and the held channels from the slot folder.
  const std::string folder = SlotFolder(slot);
  if (ReadExact(folder + "Image.zs", ImagePixels.data(), cells * 4)) {
    tk::deleteFile(folder + "Image.zs");
    tk::setGadgetText(63, std::to_string(bildlang + 1));
    tk::setGadgetText(64, std::to_string(bildhoch + 1));
    UpdateAverageColors();
  } else {
    tk::messageRequester("Fehler", "Hier liegt das korn im Pfeffer\r" + folder + "Image.zs", tk::MsgOk | tk::MsgError);
  }
  if (areamark > 0) {
    const size_t areaCells = CellsOfExtents(arealang, areahoch);
    AreaPixels.assign(areaCells, 0);
    if (ReadExact(folder + "Area.zs", AreaPixels.data(), areaCells * 4)) tk::deleteFile(folder + "Area.zs");
    oldx = startx + arealang;
    oldy = starty + areahoch;
    AreaZoomMaxX = RoundNearest(arealang * length);
    AreaZoomMaxY = RoundNearest(areahoch * length);
    mousex = RoundNearest((oldx - horz + horz2) * length);
    mousey = RoundNearest((oldy - vert + vert2) * length);
    Startareax = startx + horz2;
    startareay = starty + vert2;
    areax = startx;
    areay = starty;
    if (tk::isImage(22)) tk::resizeImage(22, AreaZoomMaxX + 1, AreaZoomMaxY + 1);
    else tk::createImage(22, AreaZoomMaxX + 1, AreaZoomMaxY + 1);
    RefreshView();
  } else {
    tk::deleteFile(folder + "Area.zs");   // a stale one must never come back with this image
  }
  UpdateZoomedSizes();
  UpdateScrollBars();
  vert = std::clamp(r.verty, 0, std::max(scrollmaxY, 0));
  horz = std::clamp(r.horzx, 0, std::max(scrollmaxx, 0));
  LayoutCanvasArea();   // keeps the scroll position
  tk::setGadgetState(12, horz);
  tk::setGadgetState(13, vert);
  for (int c = 0; c < 3; ++c) {
    if (heldOut[c] != 1) continue;
    const HoldChannel& h = kHolds[c];
    const size_t n = CellsOfExtents(*h.width, *h.height);
    std::vector<uint8_t> bytes(n);
    if (n > 0 && ReadExact(folder + h.file, bytes.data(), n)) {
      h.hold->swap(bytes);
      SetMenuCheck(h.menuItem, true);
    }
  }

  // 13. The panel's status bar (or keyboard mode again).
  CreatePanelStatusBar(panel);

  // 14. The script variables of the image.
  VariableList.clear();
  const int f = tk::readFile(-1, folder + "code.proc");
  if (f >= 0) {
    while (tk::filePos(f) < tk::fileSize(f)) {
      ScriptVariable v;
      v.name = tk::readLine(f);
      v.value = tk::readLine(f);
      VariableList.push_back(std::move(v));
    }
    tk::closeFile(f);
  }

  // 15. Tool options, splitter, rulers, colour displays.
  for (int g = 88; g <= 102; ++g) tk::hideGadget(g, true);
  for (int g = 173; g <= 187; ++g) tk::hideGadget(g, true);
  UpdateToolOptions(paintstate);
  if (r.Splitstate > 0) SetSplitterPosition(r.Splitstate);
  DrawRulers();
  UpdateColourDisplays();
  CurrentImage = slot;
  OnErrorCode2 = 0;
}

void SwitchImage(int32_t slot) {
  OnErrorCode1 = 25;
  if (!ValidSlot(slot) || slot > std::max(ImageCount, int32_t(1))) return;
  if (StoreImageSlot() == 0) return;   // the image stays live and active
  RestoreImageSlot(slot);
  FollowActivePanel();
  SelectTab(CurrentImage);
}

void CloseImage(int32_t n) {
  OnErrorCode1 = 3;
  if (n < 1 || n > ImageCount || !ValidSlot(n)) return;
  const int answer = tk::messageRequester("Speichern?", "Wollen sie vor dem beenden Speichern?", tk::MsgYesNoCancel);
  if (answer == tk::ResultCancel) return;
  Lastimage = CurrentImage;
  if (n != CurrentImage) {
    if (StoreImageSlot() == 0) return;
    RestoreImageSlot(n);
  }
  if (answer == tk::ResultYes) {
    // Closed only when the image really was written; otherwise it stays open as it was.
    const std::string before = ImagePath;
    AskSaveFileName();
    const bool saved = !ImagePath.empty() && SaveImage() == 1;
    if (!saved) {
      if (ImagePath.empty()) ImagePath = before;
      if (Lastimage != n && StoreImageSlot() == 1) RestoreImageSlot(Lastimage);
      SelectTab(CurrentImage);
      FollowActivePanel();
      return;
    }
  }

  // 4.-7. Records, texts, tooltips and tab captions move down.
  for (int32_t i = n; i < ImageCount; ++i) {
    ImageRecords[i] = ImageRecords[i + 1];
    ImageTexts[i] = ImageTexts[i + 1];
  }
  ImageRecords[ImageCount] = ImageRecord{};
  ImageTexts[ImageCount] = ImageTextPair{};
  for (int k = 1; k <= 10; ++k) tk::setGadgetToolTip(160 + k, ImageTexts[k].path);
  for (int32_t i = n; i < ImageCount; ++i) tk::setGadgetText(160 + i, tk::gadgetText(161 + i));
  tk::hideGadget(160 + ImageCount, true);

  // 8.-9. The slot folders move down with them; the closed image's steps and the vacated
  // slot's files go, so no ring ever reaches into another image's history.
  for (int32_t i = n; i < ImageCount; ++i) {
    ClearSlotFolder(i);
    MoveSlotFolder(i + 1, i);
  }
  ClearSlotFolder(ImageCount);

  // 10. The image to show now.
  if (Lastimage > n) Lastimage -= 1;
  int32_t show = 0;
  if (Lastimage != n) show = Lastimage;
  else if (n < ImageCount) show = n;
  else if (n > 1) show = 1;
  ImageCount -= 1;
  if (show > 0) {
    RestoreImageSlot(show);
    SelectTab(show);
  }

  // 11. No image left: a 1 x 1 image that no record keeps, the canvas hidden.
  if (ImageCount == 0) {
    CurrentImage = 1;
    for (int g : {11, 12, 13}) tk::hideGadget(g, true);
    if (areamark > 0) {
      tk::freeImage(22);
      AreaPixels.assign(1, 0);
      AreaViewPixels.assign(1, 0);
      ClearPixelFlags();
      areamark = 0;
      RedrawCanvas();
      areacolororder = 1;
      tk::hideGadget(120, true);
      tk::hideGadget(9, false);
      tk::setGadgetState(2, 10);
      EnableMenuItems(0);
      SetAreaMenuItems(false);
    }
    ImagePath.clear();
    undostate = 1;
    RedoState = 0;
    SetImageDimensions(1, 1, 0);
  }
  FollowActivePanel();
}

void SetAsWallpaper() {
  // The desktop gets a BMP copy of the active image in the instance folder.
  const std::string file = InstanceFolder() + "Wallpaper.bmp";
  const int w = bildlang + 1, h = bildhoch + 1;
  bool saved = false;
  const int image = tk::createImage(-1, w, h);
  if (image >= 0) {
    saved = ImagePixels.size() >= size_t(w) * h && tk::pixelsToImage(image, ImagePixels.data(), w, h, w) &&
            tk::saveImage(image, file, tk::FormatBMP);
    tk::freeImage(image);
  }
  if (!saved) {
    tk::messageRequester("Fehler", "Das Hintergrundbild konnte nicht gespeichert werden.", tk::MsgOk | tk::MsgError);
    return;
  }
  if (!tk::setDesktopWallpaper(file)) {
    tk::deleteFile(file);
    tk::messageRequester("Fehler",
                         "Der Desktop hat nicht geantwortet: das Hintergrundbild konnte nicht gesetzt werden.",
                         tk::MsgOk | tk::MsgError);
  }
}
