// Channel switches: one colour channel of the image (or of the marked area) taken out into
// a hold array, leaving the channel at 0, and put back later over the overlap of the held
// extents and the current ones. Holding again while held, or putting back while shown,
// changes nothing, so the first held copy is never overwritten. While a channel is shown
// its hold array is one byte.
//
// The image's held state is its main-menu check mark (34 red, 36 green, 35 blue) wherever
// that menu exists, because opening, creating and switching documents set those marks; the
// flags below follow it and stand alone without a menu.
#include <algorithm>
#include <new>

#include "effects/effects.h"
#include "effects/frame.h"
#include "shell/shell.h"
#include "toolkit/toolkit.h"

int32_t rotisaway = 0, gruenisaway = 0, blauisaway = 0;
int32_t rotisaway_marked = 0, gruenisaway_marked = 0, blauisaway_marked = 0;
std::vector<uint8_t> RedHoldMarked(1), GreenHoldMarked(1), BlueHoldMarked(1);
int32_t RedHoldMarkedWidth = 0, RedHoldMarkedHeight = 0, GreenHoldMarkedWidth = 0, GreenHoldMarkedHeight = 0,
        BlueHoldMarkedWidth = 0, BlueHoldMarkedHeight = 0;

namespace {

struct Hold {
  int32_t byte;       // 2 red, 1 green, 0 blue
  int32_t& away;
  std::vector<uint8_t>& bytes;
  int32_t& width;     // last x and last y index when held out
  int32_t& height;
  int32_t menuItem;   // 0: none (the area)
};

// Takes the channel out of `cells` (last indices lastX, lastY) or puts it back; true when
// anything changed.
bool Switch(Hold h, int32_t on, std::vector<PixelCell>& cells, int32_t lastX, int32_t lastY) {
  const bool menu = h.menuItem != 0 && tk::isMenu(0) && !tk::menuItemText(0, h.menuItem).empty();
  if (menu) h.away = tk::menuItemChecked(0, h.menuItem) ? 1 : 0;
  const uint32_t sh = uint32_t(h.byte) * 8;
  const size_t stride = size_t(lastX) + 1;
  if (on == 0 && h.away == 0) {
    const size_t n = CellsOfExtents(lastX, lastY);
    if (n == 0 || cells.size() < n) return false;
    try {
      h.bytes.assign(n, 0);
    } catch (const std::bad_alloc&) {
      h.bytes.assign(1, 0);   // no room for the hold: the channel stays shown
      return false;
    }
    if (menu) ToggleMenuItemCheck(0, h.menuItem);
    h.width = lastX;
    h.height = lastY;
    const PixelCell clear = ~(PixelCell(0xFF) << sh);
    for (size_t i = 0; i < n; ++i) {
      h.bytes[i] = uint8_t(cells[i] >> sh);
      cells[i] &= clear;
    }
    h.away = 1;
    return true;
  }
  if (on > 0 && h.away == 1) {
    if (menu) ToggleMenuItemCheck(0, h.menuItem);
    const int32_t w = std::min(lastX, h.width), ht = std::min(lastY, h.height);
    const size_t heldStride = size_t(h.width) + 1;
    const PixelCell clear = ~(PixelCell(0xFF) << sh);
    for (int32_t y = 0; y <= ht; ++y)
      for (int32_t x = 0; x <= w; ++x) {
        const size_t from = size_t(y) * heldStride + size_t(x), to = size_t(y) * stride + size_t(x);
        if (from >= h.bytes.size() || to >= cells.size()) continue;   // a hold cut short keeps the rest
        cells[to] = (cells[to] & clear) | PixelCell(h.bytes[from]) << sh;
      }
    h.away = 0;
    h.bytes.assign(1, 0);
    return true;
  }
  return false;
}

int32_t SwitchImage(Hold h, int32_t on, int32_t quiet) {
  if (quiet == 0) CreateUndoPoint();
  Switch(h, on, ImagePixels, bildlang, bildhoch);
  if (quiet == 0) RedrawCanvas();
  return 0;
}

int32_t SwitchArea(Hold h, int32_t on, int32_t quiet) {
  Switch(h, on, AreaPixels, arealang, areahoch);
  if (quiet == 0) RefreshView();
  return 0;
}

}  // namespace

int32_t SwitchRedChannel(int32_t on, int32_t quiet) {
  return SwitchImage({2, rotisaway, RedHold, RedHoldWidth, RedHoldHeight, 34}, on, quiet);
}
int32_t SwitchGreenChannel(int32_t on, int32_t quiet) {
  return SwitchImage({1, gruenisaway, GreenHold, GreenHoldWidth, GreenHoldHeight, 36}, on, quiet);
}
int32_t SwitchBlueChannel(int32_t on, int32_t quiet) {
  return SwitchImage({0, blauisaway, BlueHold, BlueHoldWidth, BlueHoldHeight, 35}, on, quiet);
}
int32_t SwitchRedChannel_Marked(int32_t on, int32_t quiet) {
  return SwitchArea({2, rotisaway_marked, RedHoldMarked, RedHoldMarkedWidth, RedHoldMarkedHeight, 0}, on, quiet);
}
int32_t SwitchGreenChannel_Marked(int32_t on, int32_t quiet) {
  return SwitchArea({1, gruenisaway_marked, GreenHoldMarked, GreenHoldMarkedWidth, GreenHoldMarkedHeight, 0}, on,
                    quiet);
}
int32_t SwitchBlueChannel_Marked(int32_t on, int32_t quiet) {
  return SwitchArea({0, blauisaway_marked, BlueHoldMarked, BlueHoldMarkedWidth, BlueHoldMarkedHeight, 0}, on,
                    quiet);
}

void ResetChannelSwitches() {
  rotisaway = gruenisaway = blauisaway = 0;
  rotisaway_marked = gruenisaway_marked = blauisaway_marked = 0;
  RedHoldMarked.assign(1, 0);
  GreenHoldMarked.assign(1, 0);
  BlueHoldMarked.assign(1, 0);
  RedHoldMarkedWidth = RedHoldMarkedHeight = GreenHoldMarkedWidth = GreenHoldMarkedHeight = BlueHoldMarkedWidth =
      BlueHoldMarkedHeight = 0;
}
