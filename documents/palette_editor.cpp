// The palette editor (window 19, "Palette erstellen"): builds a palette of 256 colours on
// a strip of its own (image 51, entry k the 2 x 20 box at x = 2k), entry by entry or as
// colour ramps, loads and saves palette files and makes palettes from the image or an
// image file. It never touches Palette, the index plane or the image: the caller takes
// the strip over when the result is 51 ("Benutzen"), and nothing when it is -1.
#include <algorithm>
#include <cmath>
#include <string>

#include "documents/documents.h"
#include "documents/files_internal.h"
#include "shell/shell.h"
#include "toolkit/toolkit.h"

namespace {

constexpr int kWindow = 19, kStrip = 51, kPreview = 52;

struct EditorRun {
  uint32_t colour = 0;     // current colour, red + 256 green + 65536 blue
  int lastMark = 0;        // 0 or 255: where "Letzte noch bearbeitete Farbe" goes
  int rampFirst = 0;
  int32_t result = -1;
};

uint32_t Rgb(uint32_t r, uint32_t g, uint32_t b) { return r | g << 8 | b << 16; }
int Entry() { return std::clamp(tk::gadgetState(726), 0, 255); }
uint32_t EntryColour(int k) { return files::StripColour(kStrip, 2 * k + 1, 2); }

void FillPreview(uint32_t colour) {
  if (!tk::isImage(kPreview)) tk::createImage(kPreview, 100, 100);
  if (tk::startDrawing(tk::imageOutput(kPreview))) {
    tk::box(0, 0, 100, 100, colour);
    tk::stopDrawing();
  }
  tk::setGadgetAttribute(730, tk::AttrImage, kPreview);
}

void ShowStrip() { tk::setGadgetAttribute(727, tk::AttrImage, kStrip); }

void SetSpin(int gadget, int value) {
  tk::setGadgetState(gadget, value);
  tk::setGadgetText(gadget, std::to_string(value));
}

void ShowEntry(EditorRun& run) {
  const int k = Entry();
  run.colour = EntryColour(k);
  FillPreview(run.colour);
  tk::setGadgetText(729, "Farbe: " + std::to_string(k + 1));
  SetSpin(734, int(run.colour & 0xFF));
  SetSpin(735, int((run.colour >> 8) & 0xFF));
  SetSpin(736, int((run.colour >> 16) & 0xFF));
}

void PaintEntry(uint32_t colour) {
  files::FillStripEntry(kStrip, Entry(), colour);
  FillPreview(colour);
  ShowStrip();
}

void LoadIntoStrip(EditorRun& run, const std::string& path) {
  std::vector<uint8_t> data;
  if (!files::ReadWhole(path, data, "Fehler")) return;
  uint8_t rgb[768];
  layouts::ParsePalette(data.data(), data.size(), rgb);
  files::PaintStrip(kStrip, rgb);
  ShowStrip();
  tk::setGadgetState(726, 255);
  run.lastMark = 255;
  ShowEntry(run);
}

std::string AskPaletteName() {
  return tk::inputRequester("Name eingeben", "Unter welchem namen soll die Palette gespeichert werden?",
                            tk::gadgetText(160 + CurrentImage));
}

// One click of "Farben verbinden": the first click explains, the second notes entry a,
// the third paints the ramp from a to the entry then chosen.
void RampStep(EditorRun& run) {
  const std::string caption = tk::gadgetText(738);
  if (caption == "Farbe 1") {
    run.rampFirst = Entry();
    tk::messageRequester("Farben verbinden",
                         "Suchen sie die zweite Farbe aus und bestätigen sie durch \rneuen Klick auf diesen Button",
                         tk::MsgOk);
    tk::setGadgetText(738, "Farbe 2");
    return;
  }
  if (caption != "Farbe 2") {
    tk::messageRequester("Farben verbinden",
                         "Suchen sie die erste Farbe aus und bestätigen sie durch \rneuen Klick auf diesen Button",
                         tk::MsgOk);
    tk::setGadgetText(738, "Farbe 1");
    return;
  }
  int a = run.rampFirst, b = Entry();
  if (a > b) std::swap(a, b);
  const uint32_t A = EntryColour(a), B = EntryColour(b);
  const int n = b - a;
  if (n >= 2) {
    int from[3], step0[3];
    float d[3];
    for (int c = 0; c < 3; ++c) {
      from[c] = int((A >> (8 * c)) & 0xFF);
      step0[c] = int((B >> (8 * c)) & 0xFF) - from[c];
      d[c] = float(step0[c]) / float(n);
    }
    for (int i = a + 1; i < b; ++i) {
      int v[3];
      for (int c = 0; c < 3; ++c) {
        const float product = float(i - a) * d[c];   // rounded to single precision first
        v[c] = std::clamp(from[c] + int(std::floor(product)), 0, 255);
      }
      files::FillStripEntry(kStrip, i, Rgb(uint32_t(v[0]), uint32_t(v[1]), uint32_t(v[2])));
    }
  }
  tk::setGadgetText(738, "Farben verbinden");
  ShowStrip();
}

void SaveStrip(EditorRun& run) {
  const std::string path = tk::saveFileRequester("Palette speichern", "", "Palette|*.pal*", 0);
  if (!path.empty()) {
    uint8_t rgb[768];
    files::StripToRgb(kStrip, 2, rgb);
    if (!tk::writeWholeFile(path, rgb, sizeof rgb)) files::ReportWriteFailed(path);
    run.colour = EntryColour(255);
  }
  if (tk::messageRequester("Palettenverzeichnis", "Soll diese Palette zu den Standardpaletten hinzugefügt werden?",
                           tk::MsgYesNo) != tk::ResultYes)
    return;
  std::string proposed = files::FilePart(path);
  proposed.resize(proposed.size() > 4 ? proposed.size() - 4 : 0);
  const std::string name = tk::inputRequester(
      "Name", "Unter welchem Namen soll die Palette in das Standardverzeichnis eingetragen werden?", proposed);
  if (name.empty()) return;   // no name: nothing is added
  SavePaletteFile(kStrip, name);
}

void BuildWindow(const EditorRun& run) {
  tk::frame(-1, 0, 0, 600, 40, "Menu");
  tk::button(741, 10, 15, 140, 20, "Palette laden");
  tk::button(742, 160, 15, 140, 20, "Palette speichern");
  tk::button(743, 310, 15, 140, 20, "Palette Neu");
  tk::button(725, 5, 45, 20, 20, "-");
  tk::slider(726, 30, 45, 530, 20, 0, 255);
  tk::setGadgetState(726, 0);
  tk::button(724, 565, 45, 20, 20, "+");
  tk::imageGadget(727, 38, 70, 512, 20, kStrip);
  tk::button(728, 100, 95, 400, 20, "Letzte noch bearbeitete Farbe");
  tk::frame(-1, 60, 120, 500, 180, "Farbe");
  tk::label(729, 80, 140, 100, 20, "Farbe: 1");
  tk::imageGadget(730, 80, 160, 100, 100, kPreview);
  tk::label(731, 200, 160, 60, 20, "Rot");
  tk::label(732, 200, 190, 60, 20, "Gruen");
  tk::label(733, 200, 220, 60, 20, "Blau");
  tk::spinField(734, 260, 160, 100, 20, 0, 255);
  tk::spinField(735, 260, 190, 100, 20, 0, 255);
  tk::spinField(736, 260, 220, 100, 20, 0, 255);
  tk::button(737, 380, 160, 180, 40, "Farbe auswählen");
  tk::button(738, 380, 240, 180, 40, "Farben verbinden");
  tk::button(739, 60, 330, 200, 30, "Palette Aus bild erstellen");
  tk::button(740, 310, 330, 200, 30, "Palette Aus aktuellem Bild erstellen");
  tk::button(744, 10, 390, 250, 30, "Benutzen");
  tk::button(745, 280, 390, 250, 30, "Abbrechen");
  SetSpin(734, int(run.colour & 0xFF));
  SetSpin(735, int((run.colour >> 8) & 0xFF));
  SetSpin(736, int((run.colour >> 16) & 0xFF));
}

// One gadget event; false when the editor ends.
bool OnEditorGadget(EditorRun& run, int gadget) {
  switch (gadget) {
    case 724:
    case 725:
      tk::setGadgetState(726, std::clamp(Entry() + (gadget == 724 ? 1 : -1), 0, 255));
      ShowEntry(run);
      break;
    case 726: ShowEntry(run); break;
    case 728:
      tk::setGadgetState(726, run.lastMark);
      ShowEntry(run);
      break;
    case 734:
    case 735:
    case 736: {
      const int value = std::clamp(tk::gadgetState(gadget), 0, 255);
      tk::setGadgetText(gadget, std::to_string(value));
      run.colour = Rgb(uint32_t(std::clamp(tk::gadgetState(734), 0, 255)),
                       uint32_t(std::clamp(tk::gadgetState(735), 0, 255)),
                       uint32_t(std::clamp(tk::gadgetState(736), 0, 255)));
      PaintEntry(run.colour);
      break;
    }
    case 737: {
      const int64_t c = ShowSystemColourDialog(run.colour);
      if (c < 0) break;
      run.colour = uint32_t(c) & 0xFFFFFF;
      SetSpin(734, int(run.colour & 0xFF));
      SetSpin(735, int((run.colour >> 8) & 0xFF));
      SetSpin(736, int((run.colour >> 16) & 0xFF));
      PaintEntry(run.colour);
      break;
    }
    case 738: RampStep(run); break;
    case 741: {
      const std::string path = tk::openFileRequester("Palette auswählen", "", "Paletten|*.pal*", 0);
      if (!path.empty()) LoadIntoStrip(run, path);
      break;
    }
    case 742: SaveStrip(run); break;
    case 743:
      if (tk::messageRequester("Neu", "Sind sie sicher, dass die aktuelle Palette gelöscht werden soll?", tk::MsgYesNo) ==
          tk::ResultYes) {
        for (int k = 0; k < 256; ++k) files::FillStripEntry(kStrip, k, 0);
        FillPreview(0);
        ShowStrip();
        run.lastMark = 0;
      }
      break;
    case 740: {
      const std::string name = AskPaletteName();
      if (!name.empty() && PaletteFromImage(name) == 1) LoadIntoStrip(run, "Palettes/" + name + ".pal");
      break;
    }
    case 739: {
      const std::string file =
          tk::openFileRequester("Datei aussuchen", "", "BildDateien|*.bmp;*.jpg;*png;*tga;*tiff*", 0);
      if (file.empty()) break;
      const std::string name = AskPaletteName();
      if (!name.empty() && PaletteFromImageFile(file, name) == 1) LoadIntoStrip(run, "Palettes/" + name + ".pal");
      break;
    }
    case 744:
      run.result = kStrip;
      return false;
    case 745:
      run.result = -1;
      return false;
    default: break;
  }
  return true;
}

}  // namespace

int32_t PaletteEditor(int32_t strip) {
  OnErrorCode1 = 5;
  EditorRun run;
  if (strip == -1 || !tk::isImage(strip)) {
    tk::createImage(kStrip, 512, 20, 24, 0);
    run.lastMark = 0;
  } else {
    tk::copyImage(strip, kStrip);
    run.lastMark = 255;
  }
  run.colour = files::StripColour(kStrip, 1, 10);
  tk::createImage(kPreview, 100, 100, 24, run.colour);
  if (tk::openWindow(kWindow, 300, 100, 600, 430, "Palette erstellen", tk::WfCaption | tk::WfSystemMenu) < 0) return -1;
  tk::disableWindow(0, true);
  tk::activateWindow(kWindow);
  BuildWindow(run);
  for (bool open = true; open;) {
    const int ev = tk::waitEvent();
    if (tk::eventWindow() != kWindow) continue;
    if (ev == tk::EvClose) {
      run.result = -1;
      break;
    }
    if (ev == tk::EvGadget) open = OnEditorGadget(run, tk::eventGadget());
  }
  tk::closeWindow(kWindow);
  tk::disableWindow(0, false);
  if (tk::isWindow(0)) {
    tk::setWindowCallback(0, MainWindowCallback);
    if (!tk::windowHidden(0)) tk::activateWindow(0);
  }
  tk::useWindow(0);
  return run.result;
}
