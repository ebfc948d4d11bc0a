// Palettes and 256-colour images: palette files (.pal, 256 x red, green, blue) in the
// folder "Palettes/", palettes made from the image or from an image file, the palette
// chooser (window 18), mapping the image onto the palette and the ways into and out of
// the palette mode.
#include <algorithm>
#include <string>

#include "documents/documents.h"
#include "documents/files_internal.h"
#include "shell/shell.h"
#include "toolkit/toolkit.h"

namespace {

const char kFolder[] = "Palettes/";
constexpr int kChooser = 18, kStrip = 49, kPreview = 50;

std::string PaletteFile(const std::string& name) { return kFolder + name + ".pal"; }

bool WriteRgb(const std::string& file, const uint8_t rgb[768]) {
  if (!tk::folderExists(kFolder)) tk::createFolder(kFolder);
  if (tk::writeWholeFile(file, rgb, 768)) return true;
  files::ReportWriteFailed(file);
  return false;
}

// The palette of a picture: brought to 16 x 16, entry 16 x + y is the colour at (x, y).
bool PaletteOfPicture(const uint32_t* cells, int w, int h, const std::string& name) {
  const int image = tk::createImage(-1, w, h);
  std::vector<uint32_t> small(256);
  const bool ok = image >= 0 && tk::pixelsToImage(image, cells, w, h, w) && tk::resizeImage(image, 16, 16, true) &&
                  tk::imageToPixels(image, small.data(), 16, 16, 16);
  if (image >= 0) tk::freeImage(image);
  if (!ok) {
    files::ReportWriteFailed(PaletteFile(name));
    return false;
  }
  uint8_t rgb[768];
  for (int x = 0; x < 16; ++x)
    for (int y = 0; y < 16; ++y) {
      const uint32_t c = small[size_t(y) * 16 + x];
      uint8_t* e = rgb + 3 * (16 * x + y);
      e[0] = uint8_t(c >> 16);
      e[1] = uint8_t(c >> 8);
      e[2] = uint8_t(c);
    }
  const bool written = WriteRgb(PaletteFile(name), rgb);
  ListPalettes();
  return written;
}

void PaletteToRgb(uint8_t rgb[768]) {
  for (int k = 0; k < 256; ++k) {
    const PixelCell c = k < int(Palette.size()) ? Palette[k] : 0;
    rgb[3 * k] = uint8_t(c >> 16);
    rgb[3 * k + 1] = uint8_t(c >> 8);
    rgb[3 * k + 2] = uint8_t(c);
  }
}

void ShowPreview() { tk::setGadgetAttribute(718, tk::AttrImage, kPreview); }

// "Palette hinzufügen": a palette file copied into the folder under a new name.
void AddPaletteFile() {
  const std::string from = tk::openFileRequester("Palette auswählen", "", "Paletten|*.pal*", 0);
  if (from.empty()) return;
  std::string name = files::FilePart(from);
  if (name.size() > 4) name.resize(name.size() - 4);
  for (;;) {
    name = tk::inputRequester("Name eingeben", "Unter welchem Namen soll die Palette gespeichert werden?", name);
    if (name.empty()) return;
    if (!tk::fileExists(PaletteFile(name))) break;
    tk::messageRequester("Error",
                         "Eine Palette mit diesem Namen ist bereits vorhanden,\rBitte anderen Dateinamen eingeben oder "
                         "abbrechen drücken",
                         tk::MsgOk);
  }
  std::vector<uint8_t> data;
  if (!files::ReadWhole(from, data, "Error")) return;
  uint8_t rgb[768];
  layouts::ParsePalette(data.data(), data.size(), rgb);
  WriteRgb(PaletteFile(name), rgb);
  ListPalettes();
}

}  // namespace

void PaintPaletteStrip(int32_t image) {
  uint8_t rgb[768];
  PaletteToRgb(rgb);
  files::PaintStrip(image, rgb);
}

void ListPalettes() {
  if (!tk::isGadget(717)) return;
  tk::clearGadgetItems(717);
  for (const tk::FolderEntry& e : tk::listFolder(kFolder, "*.pal")) {
    if (e.isFolder || e.name == "." || e.name == "..") continue;
    if (files::Lower(files::ExtensionOf(e.name)) != "pal") continue;
    tk::addGadgetItem(717, -1, e.name.substr(0, e.name.size() - 4));
  }
}

int32_t SavePaletteFile(int32_t stripImage, const std::string& name) {
  if (!tk::isImage(stripImage)) return 0;
  uint8_t rgb[768];
  files::StripToRgb(stripImage, 5, rgb);
  return WriteRgb(PaletteFile(name), rgb) ? 1 : 0;
}

int32_t PaletteFromImage(const std::string& name) {
  const int w = bildlang + 1, h = bildhoch + 1;
  if (ImagePixels.size() < size_t(w) * size_t(h)) return 0;
  return PaletteOfPicture(ImagePixels.data(), w, h, name) ? 1 : 0;
}

int32_t PaletteFromImageFile(const std::string& file, const std::string& name) {
  files::LoadedPicture p;
  if (!files::ReadRaster(file, p)) return 0;
  return PaletteOfPicture(p.cells.data(), p.width, p.height, name) ? 1 : 0;
}

int32_t PaletteChooser() {
  OnErrorCode1 = 5;
  if (tk::openWindow(kChooser, 300, 100, 530, 400, "Palette wählen", tk::WfCaption | tk::WfSystemMenu) < 0) return -1;
  tk::disableWindow(0, true);
  tk::activateWindow(kChooser);
  PaintPaletteStrip(kPreview);
  tk::listBox(717, 5, 5, 480, 300);
  tk::imageGadget(718, 10, 310, 512, 20, kPreview);
  tk::button(721, 10, 338, 160, 24, "Palette hinzufügen");
  tk::button(722, 180, 338, 160, 24, "Palette bearbeiten");
  tk::button(723, 350, 338, 160, 24, "Palette erstellen");
  tk::button(719, 10, 368, 200, 26, "OK");
  tk::button(720, 310, 368, 200, 26, "Abbrechen");
  ListPalettes();
  int32_t result = -1;
  if (tk::countGadgetItems(717) == 0) {
    tk::messageRequester("Error", "Keine paletten gefunden", tk::MsgOk);
  } else {
    for (bool open = true; open;) {
      const int ev = tk::waitEvent();
      if (tk::eventWindow() != kChooser) continue;
      if (ev == tk::EvClose) break;
      if (ev != tk::EvGadget) continue;
      switch (tk::eventGadget()) {
        case 717: {
          const int item = tk::gadgetState(717);
          if (item < 0) break;
          std::vector<uint8_t> data;
          if (!files::ReadWhole(PaletteFile(tk::gadgetItemText(717, item)), data, "Error")) break;
          uint8_t rgb[768];
          layouts::ParsePalette(data.data(), data.size(), rgb);
          files::PaintStrip(kPreview, rgb);
          ShowPreview();
          break;
        }
        case 719: {
          tk::copyImage(kPreview, kStrip);
          Palette.assign(256, 0);
          for (int k = 0; k < 256; ++k) {
            const uint32_t c = files::StripColour(kStrip, 2 * k + 1, 1);
            Palette[k] = PixelCell((c >> 16) & 0xFF) | (c & 0xFF00) | PixelCell(c & 0xFF) << 16;
          }
          result = 1;
          open = false;
          break;
        }
        case 720: open = false; break;
        case 721: AddPaletteFile(); break;
        case 722:
        case 723: {
          const bool fresh = tk::eventGadget() == 723;
          if (PaletteEditor(fresh ? -1 : kPreview) > -1) {
            tk::copyImage(51, kPreview);
            ShowPreview();
            ListPalettes();
          }
          // The editor gave the main window back; the chooser is still modal.
          tk::disableWindow(0, true);
          tk::activateWindow(kChooser);
          break;
        }
        default: break;
      }
    }
  }
  tk::closeWindow(kChooser);
  tk::disableWindow(0, false);
  tk::useWindow(0);
  return result;
}

void QuantizeToPalette(uint8_t quiet) {
  if (!quiet) CreateUndoPoint();
  const size_t cells = std::min(CellsOfExtents(bildlang, bildhoch), ImagePixels.size());
  Palette.resize(256, 0);
  IndexPlane.assign(cells, 0);
  layouts::QuantizeCells(ImagePixels.data(), IndexPlane.data(), cells, Palette.data());
  if (!quiet) RedrawCanvas();
}

void ApplyPalette(int32_t mode) {
  if (mode == 2) {
    QuantizeToPalette(0);
    return;
  }
  if (mode != 1) return;
  const size_t cells = std::min(CellsOfExtents(bildlang, bildhoch), ImagePixels.size());
  if (IndexPlane.size() != cells) {
    // No indices to recolour by (a true-colour image): map the colours instead.
    QuantizeToPalette(0);
    return;
  }
  Palette.resize(256, 0);
  for (size_t i = 0; i < cells; ++i)
    ImagePixels[i] = (ImagePixels[i] & 0xFF000000u) | (Palette[IndexPlane[i]] & 0x00FFFFFFu);
  RedrawCanvas();
}

int32_t AskPaletteTransferMode() {
  const int window = tk::openWindow(-1, 300, 200, 320, 110, "Wie übertragen", tk::WfCaption | tk::WfSystemMenu);
  if (window < 0) return 0;
  tk::disableWindow(0, true);
  tk::activateWindow(window);
  tk::label(746, 10, 5, 300, 40, "Sollen die Farbwerte angepasst werden, oder nach dem Index angepasst werden?",
            tk::GfMultiLine);
  tk::button(747, 10, 60, 140, 30, "Am Index");
  tk::button(748, 170, 60, 140, 30, "Anpassen");
  int32_t result = 0;
  for (;;) {
    const int ev = tk::waitEvent();
    if (tk::eventWindow() != window) continue;
    if (ev == tk::EvClose) break;
    if (ev != tk::EvGadget) continue;
    if (tk::eventGadget() == 747) result = 1;
    if (tk::eventGadget() == 748) result = 2;
    if (result) break;
  }
  tk::closeWindow(window);
  tk::disableWindow(0, false);
  tk::useWindow(0);
  return result;
}

void FreeIndexPlane() { IndexPlane.assign(1, 0); }

int32_t MakePaletteImage() {
  if (PaletteChooser() == -1) return 0;   // nothing chosen: the image stays as it was
  Colornumber = 1;
  if (tk::isMenu(0)) {
    tk::setMenuItemChecked(0, 37, false);
    tk::setMenuItemChecked(0, 38, true);
  }
  QuantizeToPalette(0);
  const PixelCell first = Palette.empty() ? 0 : Palette[0];
  Rot = uint8_t(first >> 16);
  Gruen = uint8_t(first >> 8);
  Blau = uint8_t(first);
  if (!tk::isImage(24)) tk::createImage(24, 100, 20);
  if (tk::startDrawing(tk::imageOutput(24))) {
    tk::box(0, 0, 100, 20, Rot | uint32_t(Gruen) << 8 | uint32_t(Blau) << 16);
    tk::stopDrawing();
  }
  tk::setGadgetAttribute(70, tk::AttrImage, 24);
  return 1;
}

void MakeTrueColourImage() {
  Colornumber = 0;
  if (tk::isMenu(0)) {
    tk::setMenuItemChecked(0, 37, true);
    tk::setMenuItemChecked(0, 38, false);
  }
  FreeIndexPlane();
}
