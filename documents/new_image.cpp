// New images: the dialog "Neues Bild erstellen" (window 7), a blank image in the next free
// slot with a fresh record, and the blank pixel arrays themselves.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

#include "documents/documents.h"
#include "shell/shell.h"
#include "toolkit/toolkit.h"
#include "tools/tools.h"

namespace {


uint32_t ColourValue(uint8_t r, uint8_t g, uint8_t b) { return r | uint32_t(g) << 8 | uint32_t(b) << 16; }

void SetMenuCheck(int id, bool on) {
  for (int m : {0, 1})
    if (tk::isMenu(m)) tk::setMenuItemChecked(m, id, on);
}

std::string FilePart(const std::string& path) {
  const size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The palette strip (image 49): entry k at x = 2k, two pixels wide; marker < 0: none.
void DrawPaletteStrip(int marker) {
  if (!tk::isImage(49) || !tk::startDrawing(tk::imageOutput(49))) return;
  for (int k = 0; k < 256 && k < int(Palette.size()); ++k) {
    const PixelCell c = Palette[k];
    tk::box(2 * k, 0, 2, 20, ColourValue(uint8_t(c >> 16), uint8_t(c >> 8), uint8_t(c)));
  }
  if (marker >= 0) {
    tk::box(2 * marker, 0, 2, 4, 0xFFFFFF);
    tk::box(2 * marker, 16, 2, 4, 0x000000);
  }
  tk::stopDrawing();
  tk::setGadgetAttribute(764, tk::AttrImage, 49);
}

void FillSwatch(int image, int w, int h, uint32_t colour) {
  if (!tk::isImage(image)) tk::createImage(image, w, h);
  if (!tk::startDrawing(tk::imageOutput(image))) return;
  tk::box(0, 0, w, h, colour);
  tk::stopDrawing();
}

// Width and height of size-list entry `entry` of combo 758.
bool PresetSize(int entry, int& w, int& h) {
  const double dw = tk::desktopWidth(), dh = tk::desktopHeight();
  const int presets = tk::countGadgetItems(67) > 0 ? tk::countGadgetItems(67) : 8;
  switch (entry) {
    case 0: w = bildlang + 1; h = bildhoch + 1; return true;
    case 1: w = h = 32; return true;
    case 2: w = int(dw); h = int(dh); return true;
    case 3:
      // A page on the screen: the longer desktop side takes the page's long side.
      if (dw >= dh) {
        w = int(std::nearbyint(dw * 12.6 / 29.7));
        h = int(std::nearbyint(dh * 12.5 / 21.1));
      } else {
        w = int(std::nearbyint(dw * 12.5 / 21.1));
        h = int(std::nearbyint(dh * 12.6 / 29.7));
      }
      return true;
    case 4: w = int(std::nearbyint(dw * 10.7 / 21.0)); h = int(std::nearbyint(dh * 10.7 / 29.8)); return true;
    case 5: w = 1024; h = 768; return true;
    case 6: w = 800; h = 640; return true;
    case 7: w = 640; h = 480; return true;
    default: {
      const int slot = entry - presets + 1;
      if (slot < 1 || slot > ImageCount || slot > 10) return false;
      w = ImageRecords[slot].laenge + 1;
      h = ImageRecords[slot].hoehe + 1;
      if (slot == CurrentImage) {
        w = bildlang + 1;
        h = bildhoch + 1;
      }
      return true;
    }
  }
}

void BuildNewImageWindow(int32_t width, int32_t height) {
  const int title = tk::label(-1, 0, 5, 640, 40,
                              "In diesem Dialog können sie die Größe und Farbe sowie die Farbmenge des neuen "
                              "Bildes erstellen");
  tk::setGadgetFont(title, 15);
  tk::label(-1, 110, 40, 160, 20, "Name des neuen Bildes:");
  tk::stringField(757, 270, 40, 200, 20, "Unbenannt" + std::to_string(ImageCount) + ".bmp");
  tk::frame(-1, 110, 70, 380, 100, "Bildgröße einstellen");
  tk::label(-1, 120, 90, 100, 20, "Gleiche Maße wie:");
  tk::comboBox(758, 220, 90, 260, 200);
  for (int i = 0; i < tk::countGadgetItems(67); ++i) tk::addGadgetItem(758, -1, tk::gadgetItemText(67, i));
  for (int k = 1; k <= ImageCount && k <= 10; ++k) tk::addGadgetItem(758, -1, FilePart(ImageRecords[k].DisplayName));
  tk::setGadgetState(758, 0);
  tk::label(-1, 120, 120, 100, 20, "Bildbreite:");
  tk::label(-1, 120, 140, 100, 20, "Bildhöhe:");
  tk::stringField(759, 220, 120, 100, 20, std::to_string(width), tk::GfNumbers);
  tk::stringField(760, 220, 140, 100, 20, std::to_string(height), tk::GfNumbers);
  tk::panel(761, 10, 200, 640, 160);
  tk::addGadgetItem(761, -1, "   16 Millionen Farben   ");
  tk::imageButton(762, 190, 50, 220, 60, 55);
  tk::addGadgetItem(761, -1, "   256 Farben Farbpallette   ");
  tk::slider(763, 22, 20, 512, 20, 0, 255);
  tk::imageButton(764, 20, 40, 520, 20, 49);
  FillSwatch(52, 60, 60, 0);
  tk::imageGadget(765, 560, 20, 60, 60, 52);
  tk::closeGadgetList();
  tk::setGadgetState(761, 0);
  tk::button(766, 40, 360, 100, 30, "OK");
  tk::button(767, 460, 360, 100, 30, "Abbrechen");
}

}  // namespace

void CreateBitmap(int32_t lastX, int32_t lastY, uint8_t paletteMode, uint8_t red, uint8_t green,
                  uint8_t blue, int32_t paletteIndex) {
  length = 1.0f;
  SetImageDimensions(lastY + 1, lastX + 1, 0);
  const size_t cells = (size_t(bildlang) + 1) * (size_t(bildhoch) + 1);
  if (paletteMode == 1) IndexPlane.assign(cells, uint8_t(std::clamp(paletteIndex, 0, 255)));
  std::fill(ImagePixels.begin(), ImagePixels.end(), PixelCell(blue) | PixelCell(green) << 8 | PixelCell(red) << 16);
}

void CreateImageSlot(int32_t lastX, int32_t lastY, uint8_t red, uint8_t green, uint8_t blue,
                     uint8_t paletteMode, int32_t paletteIndex, const std::string& name) {
  if (ImageCount >= 10) {
    tk::messageRequester("Kein Weiteres Bild möglich", "Bitte schließen sie ein Bild, bevor sie ein neues Öffnen",
                         tk::MsgOk);
    return;
  }
  // A size of 0 (or less) is one pixel; one beyond what the arrays take is refused.
  lastX = std::max(lastX, 0);
  lastY = std::max(lastY, 0);
  if (CellsOfExtents(lastX, lastY) == 0) {
    tk::messageRequester("Fehler", "Das Bild ist zu groß.", tk::MsgOk | tk::MsgError);
    return;
  }
  // With no image open nothing is parked: the 1 x 1 stand-in belongs to no slot.
  if (ImageCount > 0 && StoreImageSlot() == 0) return;
  const int32_t left = CurrentImage;
  lang = hoch = 0;
  Colornumber = paletteMode;
  bildlang = lastX;
  bildhoch = lastY;
  CreateBitmap(bildlang, bildhoch, paletteMode, red, green, blue, paletteIndex);
  ImagePath.clear();

  areamark = 0;
  vert = horz = vert2 = horz2 = 0;
  length = 1.0f;
  tolleranz = 5;
  Rot = red;
  Gruen = green;
  Blau = blue;
  undostate = 1;
  RedoState = 0;
  UpdateToolOptions(41);
  for (int g : {11, 12, 13}) tk::hideGadget(g, false);
  for (int id : {34, 36, 35}) SetMenuCheck(id, false);
  SetMenuCheck(37, paletteMode == 1);
  SetMenuCheck(38, paletteMode != 1);
  tk::setGadgetState(10, 0);
  for (int g : {74, 77, 80, 82, 84}) tk::setGadgetState(g, 128);
  if (tk::isGadget(496)) tk::setRichText(496, "");
  FreeStatusBars();
  CreateMainStatusBar();
  AddImageShortcuts();
  if (Settings.Tooltips == 1 && ImageCount > 0) tk::setGadgetToolTip(160 + left, ImageRecords[left].DisplayName);

  ImageCount += 1;
  CurrentImage = ImageCount;
  ImageRecord& r = ImageRecords[CurrentImage];
  r = ImageRecord{};
  r.DisplayName = name;
  r.Extension = 255;
  r.WindowState = 9;
  r.bgcolor[0] = r.bgcolor[1] = r.bgcolor[2] = 255;
  r.DebugState = 1;
  r.laenge = bildlang;
  r.hoehe = bildhoch;
  r.Splitstate = 260;
  r.colornumber = paletteMode;
  ImageTexts[CurrentImage] = ImageTextPair{};
  tk::hideGadget(160 + ImageCount, false);
  SwitchImage(CurrentImage);
}

void NewImageDialog(int32_t width, int32_t height) {
  // The main window is disabled while the dialog is open; a window it owned would be
  // disabled with it, so the dialog stands on its own and is brought to the front.
  if (tk::openWindow(7, 200, 200, 660, 400, "Neues Bild erstellen", tk::WfCaption | tk::WfSystemMenu) < 0)
    return;
  tk::disableWindow(0, true);
  tk::activateWindow(7);
  BuildNewImageWindow(width, height);
  int chosenPreset = 0;
  bool create = false;
  for (bool open = true; open;) {
    const int ev = tk::waitEvent();
    if (tk::eventWindow() != 7) continue;
    if (ev == tk::EvClose) break;
    if (ev != tk::EvGadget) continue;
    switch (tk::eventGadget()) {
      case 758: {
        const int entry = tk::gadgetState(758);
        int w = 0, h = 0;
        if (entry == chosenPreset || !PresetSize(entry, w, h)) break;
        chosenPreset = entry;
        tk::setGadgetText(759, std::to_string(w));
        tk::setGadgetText(760, std::to_string(h));
        break;
      }
      case 762: {
        const int64_t c = ShowSystemColourDialog(ColourValue(Rot, Gruen, Blau));
        if (c < 0) break;
        Rot = uint8_t(c);
        Gruen = uint8_t(c >> 8);
        Blau = uint8_t(c >> 16);
        UpdateColourDisplays();
        FillSwatch(55, 220, 70, uint32_t(c));
        tk::setGadgetAttribute(762, tk::AttrImage, 55);
        break;
      }
      case 764:
        PaletteChooser();
        DrawPaletteStrip(tk::gadgetState(763));
        break;
      case 763: {
        const int entry = std::clamp(tk::gadgetState(763), 0, 255);
        DrawPaletteStrip(entry);
        const PixelCell c = Palette.size() > size_t(entry) ? Palette[entry] : 0;
        FillSwatch(52, 60, 60, ColourValue(uint8_t(c >> 16), uint8_t(c >> 8), uint8_t(c)));
        tk::setGadgetState(765, 52);
        break;
      }
      case 766:
        create = true;
        open = false;
        break;
      case 767:
        open = false;
        break;
      default:
        break;
    }
  }
  const bool palette = tk::gadgetState(761) == 1;
  const int entry = std::clamp(tk::gadgetState(763), 0, 255);
  const int32_t lastX = std::atoi(tk::gadgetText(759).c_str()) - 1;
  const int32_t lastY = std::atoi(tk::gadgetText(760).c_str()) - 1;
  const std::string name = tk::gadgetText(757);
  tk::closeWindow(7);
  tk::disableWindow(0, false);
  tk::useWindow(0);
  if (!create) return;
  if (palette && Palette.size() > size_t(entry)) {
    const PixelCell c = Palette[entry];
    Rot = uint8_t(c >> 16);
    Gruen = uint8_t(c >> 8);
    Blau = uint8_t(c);
  }
  CreateImageSlot(lastX, lastY, Rot, Gruen, Blau, palette ? 1 : 0, entry, name);
}
