// Printing and the print preview. The image is printed at one pixel per printer dot over
// as many pages as it needs, a column of pages at a time: tile (i, j) covers x from
// (i - 1) * PW and y from (j - 1) * PH, PW x PH being the printer's page in dots.
// The preview (window 6) draws that layout scaled into image 30, pages side by side.
//
// Work images: 29 the copy of the image, 30 the preview picture, 32 one tile. Scratch
// files go to the instance folder.
#include <algorithm>
#include <string>
#include <tuple>

#include "documents/documents.h"
#include "shell/shell.h"
#include "toolkit/toolkit.h"

namespace {

constexpr int32_t ViewW = 1000, ViewH = 640;   // the preview picture, image 30
constexpr uint32_t Grey = 100 | (100 << 8) | (100 << 16);
constexpr uint32_t White = 0xFFFFFF;

// The last layout the preview drew: a render with other values resets the scroll ranges.
int32_t gLastZoom = -1, gLastMode = -1, gLastPortrait = -1;
bool gRendering = false;   // our own changes of the scroll bars are not scroll requests

struct Tiling {
  int32_t pw = 0, ph = 0;   // page in dots
  int32_t nx = 0, ny = 0;   // columns and rows of pages
};

Tiling TilesFor(int32_t pw, int32_t ph, int32_t w, int32_t h) {
  Tiling t;
  t.pw = pw;
  t.ph = ph;
  if (pw > 0 && ph > 0) {
    t.nx = int32_t((int64_t(w) + pw - 1) / pw);
    t.ny = int32_t((int64_t(h) + ph - 1) / ph);
  }
  return t;
}

// The shown name of the active image: the text of its tab, else its record's name.
std::string DisplayName() {
  const int tab = 160 + CurrentImage;
  if (tk::isGadget(tab) && !tk::gadgetText(tab).empty()) return tk::gadgetText(tab);
  if (CurrentImage >= 0 && CurrentImage < int32_t(ImageRecords.size())) return ImageRecords[CurrentImage].DisplayName;
  return std::string();
}

// Image 29 becomes a copy of the image (top row first).
bool CopyImageForPrint() {
  const int w = bildlang + 1, h = bildhoch + 1;
  if (ImagePixels.size() < size_t(w) * size_t(h) || tk::createImage(29, w, h) < 0) return false;
  return tk::pixelsToImage(29, ImagePixels.data(), w, h, w);
}

void NoPrinterMessage(const std::string& title) {
  tk::messageRequester(title,
                       "Es ist kein Drucker eingerichtet.\r"
                       "Bitte richten Sie zuerst einen Drucker ein.",
                       tk::MsgOk | tk::MsgError);
}

void EmptyPageMessage(const std::string& title) {
  tk::messageRequester(title,
                       "Der Drucker meldet eine Seite von 0 Pixeln.\r"
                       "Bitte prüfen Sie die Einstellungen des Druckers.",
                       tk::MsgOk | tk::MsgError);
}

// A scratch picture in the instance folder; only while this copy may write there.
void SaveScratch(int image, const std::string& name) {
  if (UndoAvailable == 1 && CVNIndex > 0) tk::saveImage(image, InstanceFolder() + name, tk::FormatBMP);
}

// The current orientation, zoom and scroll positions of the preview window.
void RenderFromGadgets(int32_t scrollX, int32_t scrollY) {
  RenderPrintPreview((tk::gadgetState(603) + 1) * 5, 0, uint8_t(tk::gadgetState(601) == 1 ? 1 : 0), scrollX,
                     scrollY);
}

}  // namespace

bool PrinterPageSize(int32_t& width, int32_t& height) {
  int w = 0, h = 0;
  const bool present = tk::printerPage(&w, &h);
  width = w;
  height = h;
  return present;
}

int32_t DefaultPrinterResolution() {
  // Asked once: the rulers redraw on every scroll, the printer system is slow to ask.
  static int32_t resolution = -1;
  if (resolution < 0) {
    int32_t w = 0, h = 0;
    PrinterPageSize(w, h);
    resolution = std::max(w, 0);
  }
  return resolution;
}

void RenderPrintPreview(int32_t zoom, int32_t mode, uint8_t portrait, int32_t scrollX, int32_t scrollY) {
  OnErrorCode2 = 20;
  // 1. A layout change resets the scroll ranges below.
  const bool changed = zoom != gLastZoom || mode != gLastMode || portrait != gLastPortrait;
  if (changed) {
    gLastZoom = zoom;
    gLastMode = mode;
    gLastPortrait = portrait;
  }
  // 2. The page, upright or turned for landscape.
  int32_t pw = 0, ph = 0;
  PrinterPageSize(pw, ph);
  if (portrait == 0) std::swap(pw, ph);
  const int32_t W = tk::imageWidth(29), H = tk::imageHeight(29);
  const Tiling t = TilesFor(pw, ph, W, H);
  zoom = std::max(zoom, 1);
  if (t.nx < 1 || t.ny < 1 || !tk::isImage(30)) {
    OnErrorCode2 = 0;
    return;
  }
  const int64_t spw = int64_t(pw) * zoom / 100, sph = int64_t(ph) * zoom / 100;
  // 3.-4. Grey ground, then the pages, a column at a time. Pages wholly outside the
  // picture are passed over.
  if (tk::startDrawing(tk::imageOutput(30))) {
    tk::drawingMode(tk::DrawDefault);
    tk::box(0, 0, ViewW, ViewH, Grey);
    int64_t X = 20 - int64_t(scrollX);
    for (int32_t i = 0; i < t.nx && X < ViewW; ++i, X += spw + 20) {
      if (X + spw < 0) continue;
      int64_t Y = 20 - int64_t(scrollY);
      for (int32_t j = 0; j < t.ny && Y < ViewH; ++j, Y += sph + 20) {
        if (Y + sph < 0) continue;
        const int32_t x0 = i * pw, y0 = j * ph;
        const int32_t tw = std::min(pw, W - x0), th = std::min(ph, H - y0);
        if (tw < pw || th < ph) tk::box(int(X), int(Y), int(spw), int(sph), White);
        const int64_t sw = int64_t(tw) * zoom / 100, sh = int64_t(th) * zoom / 100;
        if (sw < 1 || sh < 1) continue;
        if (tk::grabImage(29, 32, x0, y0, tw, th) == 32 && tk::resizeImage(32, int(sw), int(sh)))
          tk::drawImage(32, int(X), int(Y));
      }
    }
    tk::stopDrawing();
  }
  // 5.
  tk::imageChanged(30);
  if (tk::isGadget(606)) tk::setGadgetState(606, 30);
  if (changed) {
    const int64_t lw = (int64_t(pw) + 20) * t.nx + 20, lh = (int64_t(ph) + 20) * t.ny + 20;
    const bool wasRendering = gRendering;
    gRendering = true;
    for (auto [bar, extent, view] : {std::tuple{604, lw, ViewW}, std::tuple{605, lh, ViewH}}) {
      if (!tk::isGadget(bar)) continue;
      const int64_t range = std::clamp<int64_t>(extent * zoom / 100 - view, 0, 0x3FFFFFFF);
      tk::setGadgetAttribute(bar, tk::AttrPageLength, view);
      tk::setGadgetAttribute(bar, tk::AttrMaximum, int(range));
    }
    gRendering = wasRendering;
  }
  OnErrorCode2 = 0;
}

void HookPreviewScrollBar(int32_t gadget) { tk::setGadgetCallback(gadget, PreviewScrollCallback); }

int PreviewScrollCallback(int gadget, int msg, intptr_t wParam, intptr_t lParam) {
  if (gRendering || (gadget != 604 && gadget != 605)) return 0;
  // A request carries the position the bar moves to; a change its new value.
  int32_t pos;
  if (msg == tk::EvScroll) pos = int32_t(lParam);
  else if (msg == tk::EvGadget) pos = int32_t(wParam);
  else return 0;
  gRendering = true;
  if (gadget == 604) RenderFromGadgets(pos, tk::gadgetState(605));
  else RenderFromGadgets(tk::gadgetState(604), pos);
  gRendering = false;
  return 0;
}

int32_t OpenPrintPreview() {
  OnErrorCode1 = 27;
  int32_t pw = 0, ph = 0;
  if (!PrinterPageSize(pw, ph)) {
    NoPrinterMessage("Druckvorschau");
    return 0;
  }
  if (pw <= 0 || ph <= 0) {
    EmptyPageMessage("Druckvorschau");
    return 0;
  }
  // 1.-2.
  if (!CopyImageForPrint() || tk::createImage(30, ViewW, ViewH, 24, Grey) < 0) {
    tk::freeImage(29);
    tk::messageRequester("Druckvorschau", "Für die Druckvorschau reicht der Speicher nicht.",
                         tk::MsgOk | tk::MsgError);
    return 0;
  }
  const int prev = tk::currentWindow();
  if (tk::openWindow(6, 0, 0, 1020, 700, DisplayName() + " - Druckvorschau", tk::WfCaption | tk::WfSystemMenu) < 0) {
    tk::freeImage(29);
    tk::freeImage(30);
    return 0;
  }
  tk::button(598, 600, 10, 100, 20, "Schließen");
  tk::button(599, 480, 10, 100, 20, "Drucken");
  tk::option(600, 10, 10, 80, 20, "Querformat");
  tk::option(601, 110, 10, 80, 20, "Hochformat");
  tk::label(602, 210, 15, 100, 20, "Zoom:");
  tk::comboBox(603, 250, 10, 100, 400);
  tk::scrollBar(604, 0, 680, 1000, 20, 0, 0, ViewW);
  tk::scrollBar(605, 1000, 40, 20, 640, 0, 0, ViewH, tk::GfVertical);
  tk::imageGadget(606, 0, 40, 1000, 640, 30);
  for (int k = 0; k <= 40; ++k) tk::addGadgetItem(603, -1, std::to_string((k + 1) * 5) + "%");
  RenderPrintPreview(50, 1, 1, 0, 0);
  tk::setGadgetState(603, 1);
  tk::setGadgetState(600, 1);
  tk::hideWindow(0, true);
  HookPreviewScrollBar(604);
  HookPreviewScrollBar(605);
  RenderFromGadgets(tk::gadgetState(604), tk::gadgetState(605));
  // 3.
  int32_t entry = tk::gadgetState(603);
  for (;;) {
    const int ev = tk::waitEvent(-1);
    if (ev == tk::EvClose && tk::eventWindow() == 6) break;
    if (ev != tk::EvGadget) continue;
    const int g = tk::eventGadget();
    if (g == 598) break;
    if (g == 599) {
      PrintImage();
    } else if (g == 603) {
      if (tk::gadgetState(603) != entry) {
        RenderFromGadgets(tk::gadgetState(604), tk::gadgetState(605));
        tk::activateWindow(6);
        entry = tk::gadgetState(603);
      }
    } else if (g == 600 || g == 601) {
      RenderFromGadgets(tk::gadgetState(604), tk::gadgetState(605));
    }
  }
  // 4.
  RedrawCanvas();
  tk::closeWindow(6);
  tk::hideWindow(0, false);
  if (prev >= 0 && tk::isWindow(prev)) tk::useWindow(prev);
  tk::freeImage(29);
  tk::freeImage(30);
  tk::freeImage(32);
  LastEvent = 0;
  return 0;
}

int32_t PrintImage() {
  OnErrorCode2 = 10;
  int32_t pw = 0, ph = 0;
  if (!PrinterPageSize(pw, ph)) {
    NoPrinterMessage("Drucken");
    OnErrorCode2 = 0;
    return 0;
  }
  // 1. The copy of the image (kept as a scratch picture too).
  const bool previewOpen = tk::isWindow(6);   // it keeps its copy
  if (!CopyImageForPrint()) {
    tk::messageRequester("Drucken", "Für den Ausdruck reicht der Speicher nicht.", tk::MsgOk | tk::MsgError);
    OnErrorCode2 = 0;
    return 0;
  }
  SaveScratch(29, "Datei1.bmp");
  // 2.-3. The user picks the printer; its page decides the tiling.
  auto done = [&] {
    if (!previewOpen) tk::freeImage(29);
    tk::freeImage(32);
    OnErrorCode2 = 0;
    return 0;
  };
  if (!tk::printDialog(tk::isWindow(6) ? 6 : 0)) return done();
  tk::printJobPage(&pw, &ph);
  if (pw <= 0 || ph <= 0) {
    EmptyPageMessage("Drucken");
    return done();
  }
  const Tiling t = TilesFor(pw, ph, bildlang + 1, bildhoch + 1);
  // 4.-6.
  if (!tk::startPrintJob("Corvalen Ausdruck von " + DisplayName())) {
    tk::messageRequester("Drucken", "Der Druckauftrag konnte nicht begonnen werden.", tk::MsgOk | tk::MsgError);
    return done();
  }
  bool ok = true;
  for (int32_t i = 0; i < t.nx && ok; ++i) {
    for (int32_t j = 0; j < t.ny && ok; ++j) {
      const int32_t x0 = i * pw, y0 = j * ph;
      const int32_t tw = std::min(pw, bildlang + 1 - x0), th = std::min(ph, bildhoch + 1 - y0);
      ok = tk::grabImage(29, 32, x0, y0, tw, th) == 32;
      if (ok) SaveScratch(32, "Datei.bmp");
      ok = ok && tk::printImage(32, 0, 0);
      if (ok && !(i == t.nx - 1 && j == t.ny - 1)) ok = tk::printNewPage();
    }
  }
  if (!tk::endPrintJob() || !ok)
    tk::messageRequester("Drucken", "Beim Drucken ist ein Fehler aufgetreten.\rDer Ausdruck ist unvollständig.",
                         tk::MsgOk | tk::MsgError);
  return done();
}
