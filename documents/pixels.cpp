// Pixel arrays of the active image, the image globals and the per-pixel brush.
#include <algorithm>
#include <cstring>
#include <new>

#include "documents/documents.h"
#include "documents/view_internal.h"
#include "toolkit/toolkit.h"

std::vector<PixelCell> ImagePixels(1);
std::vector<PixelCell> AreaPixels(1);
std::vector<PixelCell> AreaViewPixels(1);
std::vector<uint8_t> IndexPlane(1);
std::vector<PixelCell> Palette(256);
std::vector<PixelCell> RectTransferPixels;

int32_t bildlang = 0, bildhoch = 0;
int32_t lang = 0, hoch = 0;
float length = 1.0f;
int32_t maxx = 0, maxy = 0;
int32_t horz = 0, vert = 0;
int32_t bildx = 250, CanvasTop = 92;
int32_t areaxmax = 0, areaymax = 0;
int32_t showareamaxx = 0, showareamaxy = 0;
uint8_t areamark = 0;
int32_t arealang = 0, areahoch = 0;
int32_t startx = 0, starty = 0, Startareax = 0, startareay = 0;
int32_t horz2 = 0, vert2 = 0;
int32_t areax = 0, areay = 0;
int32_t mousex = 0, mousey = 0, oldx = 0, oldy = 0;
uint8_t Colornumber = 0;
int8_t PaletteIndex = 0;
uint8_t Rot = 0, Gruen = 0, Blau = 0;
float TintShareRed = 0.0f, TintShareGreen = 0.0f, TintShareBlue = 0.0f;
int32_t OnErrorCode1 = 0, OnErrorCode2 = 0;
uint8_t KeyboardModus = 0, Keydrawmode = 0;
int32_t KeyboardX = 0, KeyboardY = 0;

namespace {

inline uint32_t Cell(uint32_t r, uint32_t g, uint32_t b, uint32_t flag) {
  return (b & 0xFF) | ((g & 0xFF) << 8) | ((r & 0xFF) << 16) | (flag << 24);
}

// Tint: each share of the channel sum; what passes 255 is handed half to the other two.
void Tint(int r, int g, int b, int& nr, int& ng, int& nb) {
  const float s = static_cast<float>(r + g + b);
  int v[3] = {docs::RoundFast(s * TintShareRed), docs::RoundFast(s * TintShareGreen),
              docs::RoundFast(s * TintShareBlue)};
  int excess[3] = {0, 0, 0};
  for (int i = 0; i < 3; ++i) {
    if (v[i] > 255) {
      excess[i] = v[i] - 255;
      v[i] = 255;
    }
  }
  auto add = [](int& c, int e) { c = (c + e >= 256) ? 255 : c + e; };
  add(v[1], excess[0] / 2);
  add(v[2], excess[0] / 2);
  add(v[0], excess[1] / 2);
  add(v[2], excess[1] / 2);
  add(v[1], excess[2] / 2);
  add(v[0], excess[2] / 2);
  nr = v[0];
  ng = v[1];
  nb = v[2];
}

inline int Clamp255(int v) { return v < 0 ? 0 : (v > 255 ? 255 : v); }

}  // namespace

namespace {

// Every mode and opacity; DrawPixel keeps the plain opaque brush to itself.
__attribute__((noinline)) void DrawPixelBlended(int32_t row, int32_t column, int8_t mode, float opacity) {
  const size_t stride = static_cast<size_t>(bildlang) + 1;
  PixelCell& cell = ImagePixels[static_cast<size_t>(row) * stride + column];
  const uint32_t old = cell;
  const int b = old & 0xFF, g = (old >> 8) & 0xFF, r = (old >> 16) & 0xFF;
  uint32_t flag = old >> 24;
  int nr = 0, ng = 0, nb = 0;
  switch (static_cast<uint8_t>(mode)) {
    case 0:
      nr = Rot;
      ng = Gruen;
      nb = Blau;
      break;
    case 1:
      Tint(r, g, b, nr, ng, nb);
      break;
    case 2:
      if (flag != 0) {
        nr = r;
        ng = g;
        nb = b;
      } else {
        nr = 255 - r;
        ng = 255 - g;
        nb = 255 - b;
        flag = 1;
      }
      break;
    case 3:
      nr = ng = nb = (r + g + b) / 3;
      break;
    case 4:
      nr = r >= 128 ? 255 : 0;
      ng = g >= 128 ? 255 : 0;
      nb = b >= 128 ? 255 : 0;
      break;
    case 5:
      nr = ng = nb = (r + g + b >= 384) ? 255 : 0;
      break;
    case 6:
    case 7:
    case 8: {
      const int32_t sy = (mode == 7) ? row : bildhoch - row;
      const int32_t sx = (mode == 6) ? column : bildlang - column;
      const uint32_t m = ImagePixels[static_cast<size_t>(sy) * stride + sx];
      nb = m & 0xFF;
      ng = (m >> 8) & 0xFF;
      nr = (m >> 16) & 0xFF;
      break;
    }
    case 9:
      nr = Clamp255(r + tk::random(100) - 50);
      ng = Clamp255(g + tk::random(100) - 50);
      nb = Clamp255(b + tk::random(100) - 50);
      break;
    case 10:
      nr = std::min(r + 50, 255);
      ng = std::min(g + 50, 255);
      nb = std::min(b + 50, 255);
      break;
    case 11:
      nr = std::max(r - 20, 0);
      ng = std::max(g - 20, 0);
      nb = std::max(b - 20, 0);
      break;
    case 12:
      nr = r >= 128 ? 255 - r : 0;
      ng = g >= 128 ? 255 - g : 0;
      nb = b >= 128 ? 255 - b : 0;
      break;
    case 255:
      nr = ng = nb = 255;
      break;
    default:
      break;  // black
  }
  if (opacity == 1.0f) {
    // old * 0 + new * 1 is exactly new: no blending needed.
    cell = Cell(nr, ng, nb, flag);
  } else {
    const float keep = 1.0f - opacity;
    const int br = docs::RoundFast(static_cast<float>(r) * keep + static_cast<float>(nr) * opacity);
    const int bg = docs::RoundFast(static_cast<float>(g) * keep + static_cast<float>(ng) * opacity);
    const int bb = docs::RoundFast(static_cast<float>(b) * keep + static_cast<float>(nb) * opacity);
    cell = Cell(br, bg, bb, flag);
  }
  if (Colornumber == 1) {
    const size_t i = static_cast<size_t>(row) * stride + column;
    if (i < IndexPlane.size()) IndexPlane[i] = static_cast<uint8_t>(PaletteIndex + 128);
  }
}

}  // namespace

void DrawPixel(int32_t row, int32_t column, int8_t mode, float opacity) {
  if (mode != 0 || opacity != 1.0f || Colornumber != 0) {
    DrawPixelBlended(row, column, mode, opacity);
    return;
  }
  // The plain opaque brush of a true-colour image: the drawing colour, flag kept.
  PixelCell& cell = ImagePixels[static_cast<size_t>(row) * (static_cast<size_t>(bildlang) + 1) + column];
  cell = (cell & 0xFF000000u) | Cell(Rot, Gruen, Blau, 0);
}

int32_t ClearPixelFlags() {
  for (PixelCell& c : ImagePixels) c &= 0x00FFFFFFu;
  lang = bildlang + 1;
  hoch = bildhoch + 1;
  return 0;
}

int32_t ResetLoopCounters() {
  lang = 0;
  hoch = 0;
  return 0;
}

void FillLong(uint32_t value, void* address, size_t bytes) {
  uint32_t* p = static_cast<uint32_t*>(address);
  std::fill(p, p + bytes / 4, value);
}

int64_t ImageCellLimit = int64_t(1) << 28;

size_t CellsOfExtents(int32_t lastX, int32_t lastY) {
  if (lastX < 0 || lastY < 0) return 0;
  const uint64_t n = (uint64_t(lastX) + 1) * (uint64_t(lastY) + 1);
  return n > uint64_t(ImageCellLimit) ? 0 : size_t(n);
}

void ClampImageSize(int32_t& width, int32_t& height) {
  const int64_t limit = std::max<int64_t>(ImageCellLimit, 1);
  width = int32_t(std::clamp<int64_t>(width, 1, std::min<int64_t>(limit, INT32_MAX)));
  height = int32_t(std::clamp<int64_t>(height, 1, limit / width));
}

int32_t SetImageDimensions(int32_t height, int32_t width, int32_t store) {
  std::vector<PixelCell> pixels, held;
  std::vector<uint8_t> plane;
  bool made = false, inPlace = false;
  if (height >= 1 && width >= 1 && int64_t(height) * int64_t(width) <= ImageCellLimit) {
    const size_t cells = size_t(height) * size_t(width);
    if (ImagePixels.size() == cells && HeldImage.size() == cells &&
        (Colornumber != 1 || IndexPlane.size() == cells)) {
      // The same number of cells in new extents (a quarter turn): the arrays are cleared in
      // place, which spares a fresh allocation of the whole image twice over.
      std::fill(ImagePixels.begin(), ImagePixels.end(), 0);
      std::fill(HeldImage.begin(), HeldImage.end(), 0);
      if (Colornumber == 1) std::fill(IndexPlane.begin(), IndexPlane.end(), 0);
      made = inPlace = true;
    }
    // Otherwise all buffers are made before any is replaced, so a failed allocation leaves
    // the image as it was.
    else try {
      pixels.assign(cells, 0);
      held.assign(cells, 0);
      if (Colornumber == 1) plane.assign(cells, 0);
      made = true;
    } catch (const std::bad_alloc&) {
    }
  }
  if (!made) {
    // Refused: the globals keep describing the arrays. A caller that set them first
    // (or anything else that left them apart) gets a 1 x 1 image.
    const int64_t described = (int64_t(bildlang) + 1) * (int64_t(bildhoch) + 1);
    if (bildlang < 0 || bildhoch < 0 || described != int64_t(ImagePixels.size()) ||
        (Colornumber == 1 && IndexPlane.size() != ImagePixels.size())) {
      bildlang = bildhoch = 0;
      ImagePixels.assign(1, 0);
      HeldImage.assign(1, 0);
      if (Colornumber == 1) IndexPlane.assign(1, 0);
      UpdateZoomedSizes();
      UpdateScrollBars();
    }
    return 0;
  }
  bildhoch = height - 1;
  bildlang = width - 1;
  if (store == 1 && CurrentImage >= 0 && CurrentImage < static_cast<int32_t>(ImageRecords.size())) {
    ImageRecords[CurrentImage].laenge = width - 1;
    ImageRecords[CurrentImage].hoehe = height - 1;
  }
  if (!inPlace) {
    ImagePixels.swap(pixels);
    // The palette plane always covers the image while it is a palette image.
    if (Colornumber == 1) IndexPlane.swap(plane);
    HeldImage.swap(held);
  }
  UpdateZoomedSizes();
  UpdateScrollBars();
  return 1;
}
