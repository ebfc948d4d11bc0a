// The program's own files: icons (8-bit with a palette, several sizes in one file, the
// chooser of one icon and the sizes dialog), structures (.struc), brush forms (.df) and
// script sources (.cod). The byte layouts are in file_layouts.cpp; here they meet the
// live image, the windows and the messages.
//
// Writers never change the image: the grey map of a structure or brush form and the
// reduced, palette-mapped copy of an icon are made in memory, so the user's undo and redo
// history stays as it was.
#include <algorithm>
#include <string>

#include "documents/documents.h"
#include "documents/files_internal.h"
#include "script/script.h"
#include "shell/shell.h"
#include "toolkit/codecs/codecs.h"
#include "toolkit/toolkit.h"

namespace {

constexpr int kIconWindow = 33, kSizesWindow = 32;
constexpr int kMaxChooserIcons = 8;   // buttons 797..804

// The grey value of a cell: the rounded mean of its three channels.
uint8_t GreyOf(PixelCell c) {
  const unsigned sum = (c & 0xFF) + ((c >> 8) & 0xFF) + ((c >> 16) & 0xFF);
  return uint8_t((sum + 1) / 3);
}

std::vector<uint8_t> GreyMapOfImage() {
  const size_t cells = std::min(CellsOfExtents(bildlang, bildhoch), ImagePixels.size());
  std::vector<uint8_t> grey(cells);
  for (size_t i = 0; i < cells; ++i) grey[i] = GreyOf(ImagePixels[i]);
  return grey;
}

// A picture without palette indices becomes the live image.
int32_t InstallTrueColour(files::LoadedPicture& p) {
  const uint8_t keep = Colornumber;
  Colornumber = 0;
  if (!files::InstallPicture(p, 0)) {
    Colornumber = keep;
    return 0;
  }
  IndexPlane.assign(1, 0);
  RedrawCanvas();
  return 1;
}

// Entry i (0-based) of an icon file's bytes: an 8-bit palette icon as such, any other
// kind (true colour, PNG inside) through the layer's icon reader as a true-colour picture
// whose flag byte marks the transparent cells with 1.
bool DecodeEntry(const std::vector<uint8_t>& data, int i, files::LoadedPicture& out) {
  std::vector<layouts::IconEntry> entries;
  if (!layouts::ParseIconDirectory(data.data(), data.size(), entries) || i < 0 || size_t(i) >= entries.size())
    return false;
  layouts::IconImage icon;
  if (layouts::DecodeIconEntry(data.data(), data.size(), entries[size_t(i)], icon)) {
    if (CellsOfExtents(icon.width - 1, icon.height - 1) == 0) return false;
    out.kind = files::LoadedPicture::Palette8;
    out.width = icon.width;
    out.height = icon.height;
    std::copy(icon.palette, icon.palette + 256, out.palette);
    out.bytes.swap(icon.indices);
    return true;
  }
  tk::codec::Picture pic;
  std::string err;
  if (!tk::codec::decodeICO(data.data(), data.size(), pic, err, i) || CellsOfExtents(pic.w - 1, pic.h - 1) == 0 ||
      pic.cells.size() != size_t(pic.w) * size_t(pic.h))
    return false;
  out.kind = files::LoadedPicture::Raster;
  out.width = pic.w;
  out.height = pic.h;
  out.cells.swap(pic.cells);
  for (uint32_t& c : out.cells) c = (c & 0x00FFFFFFu) | ((c >> 24) == 0 ? 0x01000000u : 0u);
  return true;
}

// Runs a small modal window's loop until `pick` returns >= 0 or the window is closed (-1).
template <class Pick>
int RunSmallWindow(int window, Pick pick) {
  for (;;) {
    const int ev = tk::waitEvent();
    if (tk::eventWindow() != window) {
      if (ev == tk::EvFocus && tk::activeWindow() == 0) tk::activateWindow(window);
      continue;
    }
    if (ev == tk::EvClose) return -1;
    if (ev != tk::EvGadget) continue;
    const int chosen = pick(tk::eventGadget());
    if (chosen >= 0) return chosen;
  }
}

void CloseSmallWindow(int window) {
  tk::closeWindow(window);
  tk::disableWindow(0, false);
  tk::useWindow(0);
}

}  // namespace

namespace files {

bool ChooseIcon(const std::string& file, LoadedPicture& out) {
  std::vector<uint8_t> data;
  if (!ReadWhole(file, data, "Fehler")) return false;
  std::vector<layouts::IconEntry> entries;
  if (!layouts::ParseIconDirectory(data.data(), data.size(), entries)) {
    ReportBroken(file, "Fehler");
    return false;
  }
  const int count = int(std::min<size_t>(entries.size(), kMaxChooserIcons));
  if (tk::openWindow(kIconWindow, 400, 100, 300, 100 * count + 100, "Icons", tk::WfCaption | tk::WfSystemMenu) < 0)
    return false;
  tk::disableWindow(0, true);
  tk::activateWindow(kIconWindow);
  tk::label(-1, 0, 0, 300, 100,
            "Das Icon enthält mehrere Icons, die Verschiedene Größen haben.\rWelches Icon wollen sie bearbeiten?");
  std::vector<int> previews;
  for (int i = 1; i <= count; ++i) {
    const layouts::IconEntry& e = entries[size_t(i - 1)];
    tk::button(796 + i, 10, 100 * i, 80, 20, "Bearbeiten");
    tk::label(-1, 100, 100 * i, 100, 40, "Format:\rBreite/Höhe: " + std::to_string(e.width));
    std::vector<uint8_t> single;
    int image = -1;
    if (layouts::SingleIconFile(data.data(), data.size(), i - 1, single))
      image = tk::loadImageFromMemory(-1, single.data(), single.size());
    if (image >= 0) previews.push_back(image);
    tk::imageGadget(-1, 200, 100 * i, e.width, e.height, image);
  }
  const int chosen = RunSmallWindow(kIconWindow, [&](int g) { return g >= 797 && g <= 796 + count ? g - 796 : -1; });
  CloseSmallWindow(kIconWindow);
  for (int image : previews) tk::freeImage(image);
  if (chosen < 1) return false;   // closed: nothing chosen
  if (!DecodeEntry(data, chosen - 1, out)) {
    ReportBroken(file, "Fehler");
    return false;
  }
  return true;
}

bool ReadIconEntry(const std::string& file, int32_t entry, LoadedPicture& out) {
  std::vector<uint8_t> data;
  if (!ReadWhole(file, data, "Fehler")) return false;
  if (!DecodeEntry(data, entry - 1, out)) {
    ReportBroken(file, "Fehler");
    return false;
  }
  return true;
}

bool ReadStructureData(const std::string& file, LoadedPicture& out) {
  std::vector<uint8_t> data;
  if (!ReadWhole(file, data, "Fehler")) return false;
  layouts::GreyMap map;
  if (!layouts::ParseStructure(data.data(), data.size(), map) || CellsOfExtents(map.lastX, map.lastY) == 0) {
    ReportBroken(file, "Fehler");
    return false;
  }
  out.kind = LoadedPicture::Grey;
  out.width = map.lastX + 1;
  out.height = map.lastY + 1;
  out.bytes.swap(map.grey);
  return true;
}

bool ReadBrushFormData(const std::string& file, LoadedPicture& out) {
  std::vector<uint8_t> data;
  if (!ReadWhole(file, data, "Fehler")) return false;
  layouts::BrushFormData form;
  if (!layouts::ParseBrushForm(data.data(), data.size(), form) || CellsOfExtents(form.side - 1, form.side - 1) == 0) {
    ReportBroken(file, "Fehler");
    return false;
  }
  out.kind = LoadedPicture::Grey;
  out.width = out.height = form.side;
  out.bytes.swap(form.grey);
  return true;
}

bool ReadCodeData(const std::string& file, LoadedPicture& out) {
  std::vector<uint8_t> data;
  if (!ReadWhole(file, data, "Fehler")) return false;
  out.kind = LoadedPicture::Code;
  out.text = layouts::ParseCodeText(data.data(), data.size());
  return true;
}

void InstallCode(const std::string& text) {
  if (CurrentImage >= 1 && CurrentImage <= 10) ImageTexts[CurrentImage].code = text;
  if (!tk::isGadget(496)) return;
  tk::setRichText(496, text);
  // Coloured line by line, laid out once.
  tk::richSetSelection(496, 0, 0);
  HighlightScriptLines(0, tk::richLineCount(496) - 1);
}

}  // namespace files

// ---- icons ------------------------------------------------------------------------------

int32_t OpenIconFile(const std::string& file) {
  files::LoadedPicture p;
  if (!files::ChooseIcon(file, p)) return 0;
  if (p.kind != files::LoadedPicture::Palette8) return InstallTrueColour(p);
  Colornumber = 1;
  if (!files::InstallPicture(p, 0)) return 0;
  RedrawCanvas();
  return 1;
}

int32_t DecodeIconImage(const std::string& file, int32_t i) {
  files::LoadedPicture p;
  if (!files::ReadIconEntry(file, i, p)) return 0;
  if (p.kind != files::LoadedPicture::Palette8) return InstallTrueColour(p);
  const uint8_t keep = Colornumber;
  Colornumber = 1;
  if (!files::InstallPicture(p, 0)) {
    Colornumber = keep;
    return 0;
  }
  RedrawCanvas();
  return 1;
}

int32_t IconSizesDialog(const std::string& file) {
  if (tk::openWindow(kSizesWindow, 200, 200, 200, 180, "Icongrößen", tk::WfCaption | tk::WfSystemMenu) < 0) return 0;
  tk::disableWindow(0, true);
  tk::activateWindow(kSizesWindow);
  tk::label(-1, 0, 0, 200, 60,
            "Eine Icondatei kann mehrere Icons verschiedener Größen enthalten. Welche Bildgrößen sollen diesem Icon "
            "hinzugefügt werden?",
            tk::GfMultiLine);
  tk::checkBox(792, 0, 60, 200, 20, "Icongröße 16*16");
  tk::checkBox(793, 0, 80, 200, 20, "Icongröße 32*32");
  tk::checkBox(794, 0, 100, 200, 20, "Icongröße 64*64");
  tk::button(795, 0, 140, 200, 40, "OK");
  const int done = RunSmallWindow(kSizesWindow, [](int g) { return g == 795 ? 1 : -1; });
  const bool with16 = tk::gadgetState(792) == 1, with32 = tk::gadgetState(793) == 1,
             with64 = tk::gadgetState(794) == 1;
  CloseSmallWindow(kSizesWindow);
  if (done != 1 || !(with16 || with32 || with64)) return 0;   // nothing written
  return WriteIconFile(file, with16, with32, with64);
}

int32_t WriteIconFile(const std::string& file, uint8_t with16, uint8_t with32, uint8_t with64) {
  if (!with16 && !with32 && !with64) return 1;
  // The icon's picture: the image brought to 64 x 64 (flag bytes from the nearest cell),
  // then mapped onto the palette, all in a copy.
  const int w = bildlang + 1, h = bildhoch + 1;
  std::vector<PixelCell> cells(64 * 64);
  if (w == 64 && h == 64 && ImagePixels.size() >= cells.size()) {
    std::copy(ImagePixels.begin(), ImagePixels.begin() + cells.size(), cells.begin());
  } else {
    const int image = tk::createImage(-1, w, h);
    const bool ok = image >= 0 && ImagePixels.size() >= size_t(w) * size_t(h) &&
                    tk::pixelsToImage(image, ImagePixels.data(), w, h, w) && tk::resizeImage(image, 64, 64, true) &&
                    tk::imageToPixels(image, cells.data(), 64, 64, 64);
    if (image >= 0) tk::freeImage(image);
    if (!ok) {
      files::ReportWriteFailed(file);
      return 0;
    }
  }
  std::vector<PixelCell> palette(Palette);
  palette.resize(256, 0);
  std::vector<uint8_t> index(cells.size());
  layouts::QuantizeCells(cells.data(), index.data(), cells.size(), palette.data());
  std::vector<uint8_t> bytes;
  layouts::BuildIcon(cells.data(), index.data(), palette.data(), with16, with32, with64, bytes);
  if (!tk::writeWholeFile(file, bytes.data(), bytes.size())) {
    files::ReportWriteFailed(file);
    return 0;
  }
  return 1;
}

// ---- structures and brush forms -----------------------------------------------------------

int32_t SaveStructure(const std::string& file) {
  layouts::GreyMap map;
  map.lastX = bildlang;
  map.lastY = bildhoch;
  map.grey = GreyMapOfImage();
  std::vector<uint8_t> bytes;
  layouts::BuildStructure(map, bytes);
  if (!tk::writeWholeFile(file, bytes.data(), bytes.size())) {
    tk::messageRequester("Fehler", "Datei konnte nicht erstellt werden\rÜberprüfen sie den Dateipfad",
                         tk::MsgOk | tk::MsgError);
    return 0;
  }
  return 1;
}

int32_t ReadStructureFile(const std::string& file) {
  files::LoadedPicture p;
  return files::ReadStructureData(file, p) ? InstallTrueColour(p) : 0;
}

int32_t SaveBrushForm(const std::string& file) {
  if (bildlang != bildhoch) {
    tk::messageRequester("Fehler", "Die Breite einer Pinselform muss gleich ihrer Höhe sein", tk::MsgOk | tk::MsgError);
    return 0;
  }
  layouts::BrushFormData form;
  form.side = bildlang + 1;
  form.grey = GreyMapOfImage();
  // The largest and smallest red of the grey picture, in the signed form.
  uint8_t hi = 0, lo = 255;
  for (uint8_t g : form.grey) {
    hi = std::max(hi, g);
    lo = std::min(lo, g);
  }
  form.maxRot = int8_t(int(hi) - 128);
  form.minRot = int8_t(int(lo) - 128);
  std::vector<uint8_t> bytes;
  layouts::BuildBrushForm(form, bytes);
  if (!tk::writeWholeFile(file, bytes.data(), bytes.size())) {
    files::ReportWriteFailed(file);
    return 0;
  }
  return 1;
}

int32_t ReadBrushFormImage(const std::string& file) {
  files::LoadedPicture p;
  return files::ReadBrushFormData(file, p) ? InstallTrueColour(p) : 0;
}

// ---- script sources ---------------------------------------------------------------------

int32_t SaveCodeFile(const std::string& file) {
  // The editor hands out lines joined by CR; the file keeps CR LF, with no line end added.
  std::string text;
  for (char c : tk::richText(496)) {
    if (c == '\r') text += "\r\n";
    else text += c;
  }
  if (!tk::writeWholeFile(file, text.data(), text.size())) {
    files::ReportWriteFailed(file);
    return 0;
  }
  return 1;
}

int32_t LoadCodeFile(const std::string& file) {
  files::LoadedPicture p;
  if (!files::ReadCodeData(file, p)) return 0;
  files::InstallCode(p.text);
  return 1;
}
