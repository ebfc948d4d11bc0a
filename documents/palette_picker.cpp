// The drawing colour of a palette image, chosen from the palette strip (window 17): a
// slider over the 256 entries, the strip and a preview. The chosen entry is kept in
// PaletteIndex (entry - 128), which the per-pixel drawing writes into the index plane.
//
// Every entry can be chosen, black ones included: "cancelled" is -1, apart from every
// colour value, and the slider starts at the entry chosen last.
#include <algorithm>

#include "documents/documents.h"
#include "documents/files_internal.h"
#include "toolkit/toolkit.h"

namespace {

constexpr int kWindow = 17, kStrip = 49, kPreview = 54;

uint32_t EntryColour(int k) { return files::StripColour(kStrip, 2 * k + 1, 10); }

void FillPreview(uint32_t colour) {
  if (!tk::isImage(kPreview)) tk::createImage(kPreview, 100, 100);
  if (tk::startDrawing(tk::imageOutput(kPreview))) {
    tk::box(0, 0, 100, 100, colour);
    tk::stopDrawing();
  }
  tk::setGadgetAttribute(714, tk::AttrImage, kPreview);
}

}  // namespace

int64_t ChoosePaletteColor() {
  if (!tk::isImage(kStrip)) PaintPaletteStrip(kStrip);
  if (tk::openWindow(kWindow, 300, 100, 646, 130, "Farbe auswählen", tk::WfCaption | tk::WfSystemMenu) < 0) return -1;
  tk::disableWindow(0, true);
  tk::activateWindow(kWindow);
  const int current = std::clamp(int(PaletteIndex) + 128, 0, 255);
  FillPreview(EntryColour(current));
  tk::slider(711, 0, 10, 525, 20, 0, 255);
  tk::setGadgetState(711, current);
  tk::imageGadget(712, 5, 30, 512, 20, kStrip);
  tk::label(713, 535, 0, 100, 20, "Momentane Farbe:");
  tk::imageGadget(714, 535, 20, 100, 100, kPreview);
  tk::button(715, 10, 70, 200, 20, "OK");
  tk::button(716, 260, 70, 200, 20, "Abbrechen");
  int64_t result = -1;
  for (bool open = true; open;) {
    const int ev = tk::waitEvent();
    if (tk::eventWindow() != kWindow) continue;
    if (ev == tk::EvClose) break;
    if (ev != tk::EvGadget) continue;
    const int entry = std::clamp(tk::gadgetState(711), 0, 255);
    switch (tk::eventGadget()) {
      case 711: FillPreview(EntryColour(entry)); break;
      case 715:
        result = EntryColour(entry);
        PaletteIndex = int8_t(entry - 128);
        FillPreview(uint32_t(result));
        open = false;
        break;
      case 716: open = false; break;
      default: break;
    }
  }
  tk::closeWindow(kWindow);
  tk::disableWindow(0, false);
  if (tk::isWindow(0)) {
    tk::setWindowCallback(0, MainWindowCallback);
    if (!tk::windowHidden(0)) tk::activateWindow(0);
  }
  tk::useWindow(0);
  return result;
}
