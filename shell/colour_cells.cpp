// Small routines of the main window: the colour cells of the "Palette" tab, showing and
// hiding the drawing-settings bar, the brush-form selection and its chooser, the swatches,
// the program folder, enabling all windows, waiting for a combo's list, menu item texts.
#include <string>

#include "documents/documents.h"
#include "shell/shell.h"
#include "toolkit/toolkit.h"
#include "tools/tools.h"

PaletteCell PaletteCells[16][16];
uint8_t DrawBarShown = 0;

void CreatePaletteCell(uint8_t red, uint8_t green, uint8_t blue, int32_t column, int32_t row) {
  if (column < 0 || column > 15 || row < 0 || row > 15) return;
  PaletteCell& cell = PaletteCells[column][row];
  const uint32_t colour = uint32_t(red) | (uint32_t(green) << 8) | (uint32_t(blue) << 16);
  cell.image = tk::createImage(-1, 12, 12, 24, colour);
  cell.red = red;
  cell.green = green;
  cell.blue = blue;
  cell.gadget = tk::imageGadget(-1, column * 12 + 10, row * 12, 12, 12, cell.image);
  tk::setGadgetToolTip(cell.gadget, "RGB(" + std::to_string(red) + "," + std::to_string(green) + "," +
                                        std::to_string(blue) + ")");
}

namespace {
// The panel header and the document tabs sit just above the canvas, wherever it starts.
void PlaceBarSurroundings(int32_t top) {
  CanvasTop = top;
  for (int g : {2, 3})
    if (tk::isGadget(g)) tk::resizeGadget(g, 8, CanvasTop - 59, 230, 29);
  if (tk::isGadget(170))
    for (int k = 0; k < 10; ++k) tk::resizeGadget(161 + k, 300 + 70 * k, CanvasTop - 62, 70, 32);
  LayoutCanvasArea();
}
}  // namespace

void ShowDrawSettingsBar() {
  if (DrawBarShown != 0) return;
  tk::hideGadget(171, false);
  tk::setMenuItemChecked(0, 193, true);
  PlaceBarSurroundings(155);
  DrawBarShown = 1;
}

void HideDrawSettingsBar() {
  if (DrawBarShown != 1) return;
  tk::hideGadget(171, true);
  tk::setMenuItemChecked(0, 193, false);
  PlaceBarSurroundings(92);
  DrawBarShown = 0;
}

int32_t GetColourWindowMouseX() {
  tk::useWindow(27);
  return tk::windowMouseX(27);
}

int32_t GetColourWindowMouseY() {
  tk::useWindow(27);
  return tk::windowMouseY(27);
}

void SelectBrushForm(int32_t form, int32_t radius) {
  drawform_current = form;
  const int file = tk::readFile(-1, "Forms/writeforms.tx");
  if (file < 0) return;
  for (int32_t i = 0; i < form && !tk::eof(file); ++i) tk::readLine(file);
  const std::string path = "Forms/" + tk::readLine(file);
  tk::closeFile(file);
  drawforms_length = LoadBrushFormFile(path, radius);
}

int32_t ChooseBrushForm() {
  OnErrorCode1 = 11;   // #onerror_1_drawform
  tk::disableWindow(0, true);
  tk::hideWindow(22, false);
  tk::useWindow(22);
  tk::bringToFront(22);
  int32_t result = -1;
  for (bool done = false; !done;) {
    const int ev = tk::waitEvent(LoopWaitMs);
    if (tk::activeWindow() == 0) tk::bringToFront(22);
    if (ev == tk::EvNone && LoopWaitMs >= 0) break;   // tests: nothing more will come
    if (ev == tk::EvGadget) {
      switch (tk::eventGadget()) {
        case 491: {
          const int image = 140 + tk::gadgetState(491);
          if (tk::gadgetState(491) >= 0 && tk::isImage(image)) tk::setGadgetState(492, image);
          break;
        }
        case 493: result = tk::gadgetState(491); done = true; break;
        case 494: result = -1; done = true; break;
        default: break;
      }
    } else if (ev == tk::EvClose && tk::eventWindow() == 22) {
      result = -1;
      done = true;
    }
  }
  tk::hideWindow(22, true);
  tk::disableWindow(0, false);
  tk::useWindow(0);
  return result;
}

std::string GetProgramFolder() { return tk::programFolder(); }

void CreateBlackWhiteSwatches() {
  tk::createImage(45, 80, 20, 24, 0xFFFFFF);
  tk::createImage(46, 80, 20, 24, 0x000000);
}

void SetWindowsEnabled(uint8_t state) {
  for (int w = 0; w <= 25; ++w)
    if (tk::isWindow(w)) tk::disableWindow(w, state == 0);
}

// The gadget event of a combo arrives once the user has picked; while its list is still
// open this sleeps until the pick (or the list closing), so the caller reads the result.
void WaitForComboDropDown(int32_t gadget) { tk::waitComboClosed(gadget); }

void SetMenuItemText(int32_t menu, int32_t id, const std::string& text) {
  tk::setMenuItemText(menu, id, text);
}
