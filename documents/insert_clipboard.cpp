// Pictures entering the image as a floating area (an image file, the clipboard) and the
// image or the area leaving through the clipboard; cutting fills what was copied with
// the colour of the background swatch.
//
// Carrier images: 22 the area view, 26 the picture taken from the clipboard, 27 the
// area and 28 the image on their way to the clipboard, 24 the swatch whose pixel
// (20, 10) is the cut colour.
#include <algorithm>
#include <string>

#include "documents/documents.h"
#include "shell/shell.h"
#include "toolkit/toolkit.h"

namespace {

// The globals of a new area that has no shape, placed with its origin at (x, y).
void PlaceNewArea(int32_t x, int32_t y) {
  startx = x;
  starty = y;
  oldx = startx + arealang;
  oldy = starty + areahoch;
  mousex = RoundNearest(float(oldx * double(length)));
  mousey = RoundNearest(float(oldy * double(length)));
  AreaZoomMaxX = RoundNearest(float(arealang * double(length)));
  AreaZoomMaxY = RoundNearest(float(areahoch * double(length)));
  areacolororder = 1;
  Startareax = startx + horz;
  startareay = starty + vert;
}

// The cells of image `image` become the area (top row first, flag bytes as they are).
// False, with nothing changed, when the picture is larger than an image may be.
bool AreaFromImage(int image) {
  const int w = tk::imageWidth(image), h = tk::imageHeight(image);
  const size_t cells = CellsOfExtents(w - 1, h - 1);
  if (cells == 0) return false;
  std::vector<PixelCell> area(cells);
  if (!tk::imageToPixels(image, area.data(), w, h, w)) return false;
  AreaPixels.swap(area);
  arealang = w - 1;
  areahoch = h - 1;
  return true;
}

// The flag bytes of a pasted picture form a shape only when they hold nothing but 0, 1
// and 2, with at least one cell not 0 (a picture this program copied); anything else
// (an opaque picture, real transparency) is pasted whole.
bool CarriesShape(const std::vector<PixelCell>& cells) {
  uint32_t seen = 0;
  for (PixelCell c : cells) {
    const uint32_t f = c >> 24;
    if (f > 2) return false;
    seen |= f;
  }
  return seen != 0;
}

void TooLargeMessage(const std::string& title) {
  tk::messageRequester(title,
                       "Das Bild ist zu groß, um als Bereich eingefügt zu werden.\r"
                       "Es wurde nichts verändert.",
                       tk::MsgOk | tk::MsgError);
}

// The cells of an array into a new carrier image, then onto the clipboard.
bool CellsToClipboard(int carrier, const std::vector<PixelCell>& cells, int32_t lastX, int32_t lastY) {
  const int w = lastX + 1, h = lastY + 1;
  if (lastX < 0 || lastY < 0 || cells.size() < size_t(w) * size_t(h)) return false;
  if (tk::createImage(carrier, w, h, 32) < 0) return false;
  const bool ok = tk::pixelsToImage(carrier, cells.data(), w, h, w) && tk::setClipboardImage(carrier);
  tk::freeImage(carrier);
  if (!ok) {
    tk::messageRequester("Fehler", "Das Bild konnte nicht in die Zwischenablage gelegt werden.",
                         tk::MsgOk | tk::MsgError);
  }
  return ok;
}

// The cut colour as a cell (blue, green, red): pixel (20, 10) of the swatch image 24,
// white while there is no swatch.
PixelCell CutColour() {
  int stride = 0;
  const uint32_t* cells = tk::imageCells(24, &stride);
  if (!cells || tk::imageWidth(24) <= 20 || tk::imageHeight(24) <= 10) return 0x00FFFFFFu;
  return cells[size_t(10) * stride + 20] & 0x00FFFFFFu;
}

void FillColour(std::vector<PixelCell>& cells, size_t count, PixelCell colour) {
  count = std::min(count, cells.size());
  for (size_t i = 0; i < count; ++i) cells[i] = (cells[i] & 0xFF000000u) | colour;
}

}  // namespace

int32_t AdoptBitmapAsImage(int32_t image, int32_t bitmap) {
  if (!tk::isImage(bitmap)) return 0;
  if (image == bitmap) return 1;
  const int taken = tk::copyImage(bitmap, image);
  tk::freeImage(bitmap);
  return taken == image ? 1 : 0;
}

int32_t InsertImageFile(const std::string& path, int32_t x, int32_t y, uint8_t quiet) {
  OnErrorCode1 = 24;
  if (path.empty()) return 0;
  // The decoders are chosen by content; the picture is read under a number of its own
  // so that a failed read leaves the area and its view as they are.
  const int loaded = tk::loadImage(-1, path);
  if (loaded < 0) {
    tk::messageRequester("Error", "Datei nicht gefunden", tk::MsgOk | tk::MsgError);
    return 0;
  }
  if (!AreaFromImage(loaded)) {
    tk::freeImage(loaded);
    TooLargeMessage("Error");
    return 0;
  }
  AdoptBitmapAsImage(22, loaded);
  MarkAreaPixels();
  PlaceNewArea(x, y);
  areamark = 2;
  if (quiet == 0) ShowAreaPanel();
  return 0;
}

int32_t PasteClipboardImage(int32_t x, int32_t y) {
  OnErrorCode1 = 23;
  if (!tk::clipboardHasImage()) {
    tk::messageRequester("Einfügen", "Kein Bild in der Zwischenablage vorhanden", tk::MsgOk | tk::MsgInfo);
    return 0;
  }
  // Every picture the clipboard offers arrives as 32-bit cells; one that cannot be
  // taken (damaged, or larger than an image may be) is refused, and nothing changes.
  const int handed = tk::clipboardImage(-1);
  if (handed < 0 || !AdoptBitmapAsImage(26, handed)) {
    tk::messageRequester("Problem beim Einfügen",
                         "Das Bild in der Zwischenablage kann nicht eingefügt werden.\r"
                         "Es ist beschädigt oder zu groß.",
                         tk::MsgOk | tk::MsgWarning);
    return 0;
  }
  if (!AreaFromImage(26)) {
    tk::freeImage(26);
    TooLargeMessage("Problem beim Einfügen");
    return 0;
  }
  tk::copyImage(26, 22);
  tk::freeImage(26);
  if (!CarriesShape(AreaPixels)) MarkAreaPixels();
  areamark = 2;
  ShowAreaPanel();
  PlaceNewArea(x, y);
  if (CurrentImage >= 1 && CurrentImage < int32_t(ImageRecords.size())) ImageRecords[CurrentImage].WindowState = 120;
  RefreshView();
  return 0;
}

int32_t CopyAreaToClipboard() {
  OnErrorCode1 = 7;
  CellsToClipboard(27, AreaPixels, arealang, areahoch);
  return 0;
}

int32_t CopyImageToClipboard() {
  OnErrorCode1 = 8;
  CellsToClipboard(28, ImagePixels, bildlang, bildhoch);
  return 0;
}

// A cut whose copy did not reach the clipboard leaves the cells as they are.
int32_t CutArea() {
  OnErrorCode1 = 9;
  if (!CellsToClipboard(27, AreaPixels, arealang, areahoch)) return 0;
  FillColour(AreaPixels, (size_t(arealang) + 1) * (size_t(areahoch) + 1), CutColour());
  if (areamark > 0) RefreshView();
  return 0;
}

int32_t CutImage() {
  OnErrorCode1 = 10;
  if (!CellsToClipboard(28, ImagePixels, bildlang, bildhoch)) return 0;
  FillColour(ImagePixels, (size_t(bildlang) + 1) * (size_t(bildhoch) + 1), CutColour());
  RedrawCanvas();
  return 0;
}

void UpdatePasteMenuItem() {
  tk::enableMenuId(33, tk::clipboardHasImage() && areamark == 0 && Keydrawmode == 0);
}
