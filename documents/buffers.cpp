// Picture buffers: ten numbered copies of a marked area or of the whole image in the
// instance folder ("Buffer<n>.buf": last x, last y, then the cells), with the user's label
// on their two menu entries (ids 156 + n and 244 + n), recalled as a floating area.
#include <algorithm>
#include <string>

#include "documents/documents.h"
#include "shell/shell.h"
#include "toolkit/toolkit.h"

std::string PictureBufferLabels[11];

namespace {


std::string BufferFile(int32_t n) { return InstanceFolder() + "Buffer" + std::to_string(n) + ".buf"; }

int32_t StoreBuffer(int32_t n, const std::string& label, int32_t lastX, int32_t lastY,
                    const std::vector<PixelCell>& cells) {
  if (n < 1 || n > 10) return 0;
  const size_t count = (size_t(lastX) + 1) * (size_t(lastY) + 1);
  if (lastX < 0 || lastY < 0 || cells.size() < count) return 0;
  const int32_t head[2] = {lastX, lastY};
  const tk::DataBlock blocks[2] = {{head, sizeof(head)}, {cells.data(), count * sizeof(PixelCell)}};
  if (!tk::writeWholeFileBlocks(BufferFile(n), blocks, 2)) {
    tk::messageRequester("Fehler",
                         "Der Zwischenspeicher " + std::to_string(n) +
                             " konnte nicht geschrieben werden.\rDer Datenträger ist voll oder nicht beschreibbar.",
                         tk::MsgOk | tk::MsgError);
    return 0;
  }
  const std::string text = std::to_string(n) + ".) " + label;
  for (int id : {156 + n, 244 + n})
    for (int m = 0; m <= 20; ++m)
      if (tk::isMenu(m)) tk::setMenuItemText(m, id, text);
  PictureBufferLabels[n] = label;
  return 1;
}

}  // namespace

void MarkAreaPixels() {
  for (PixelCell& c : AreaPixels) c = (c & 0x00FFFFFFu) | 0x01000000u;
}

int32_t StoreAreaBuffer(int32_t n, const std::string& label) {
  return StoreBuffer(n, label, arealang, areahoch, AreaPixels);
}

int32_t StoreImageBuffer(int32_t n, const std::string& label) {
  if (n < 1 || n > 10) return 0;
  ClearPixelFlags();
  return StoreBuffer(n, label, bildlang, bildhoch, ImagePixels);
}

void RecallBuffer(int32_t n, int32_t x, int32_t y) {
  if (n < 1 || n > 10) return;
  const int f = tk::readFile(-1, BufferFile(n));
  if (f < 0) return;
  // The extents must describe exactly the cells that follow.
  const int64_t size = tk::fileSize(f);
  const int32_t lastX = tk::readLong(f), lastY = tk::readLong(f);
  const size_t cells = CellsOfExtents(lastX, lastY);
  if (cells == 0 || size != int64_t(8 + cells * 4)) {
    tk::closeFile(f);
    tk::messageRequester("Fehler", "Der Zwischenspeicher " + std::to_string(n) + " ist beschädigt.",
                         tk::MsgOk | tk::MsgError);
    return;
  }
  std::vector<PixelCell> area(cells);
  const bool read = tk::readData(f, area.data(), cells * 4) == cells * 4;
  tk::closeFile(f);
  if (!read) return;
  arealang = lastX;
  areahoch = lastY;
  startx = x;
  starty = y;
  AreaPixels.swap(area);
  AreaZoomMaxX = RoundNearest(arealang * length);
  AreaZoomMaxY = RoundNearest(areahoch * length);
  if (tk::isImage(22)) tk::resizeImage(22, std::max(AreaZoomMaxX, 1), std::max(AreaZoomMaxY, 1));
  else tk::createImage(22, std::max(AreaZoomMaxX, 1), std::max(AreaZoomMaxY, 1));
  // A buffer without any positive flag has no shape: all of it is inside the area.
  int8_t top = -128;
  for (PixelCell c : AreaPixels) top = std::max(top, int8_t(c >> 24));
  if (top <= 0) MarkAreaPixels();
  areamark = 2;
  ShowAreaPanel();
  oldx = startx + arealang;
  oldy = starty + areahoch;
  mousex = RoundNearest(oldx * length);
  mousey = RoundNearest(oldy * length);
  areacolororder = 1;
  Startareax = startx + horz;
  startareay = starty + vert;
  if (CurrentImage >= 1 && CurrentImage <= 10) ImageRecords[CurrentImage].WindowState = 120;
  RefreshView();
}
