// Loading a brush-form file (.df) as the current brush: the grey map, rescaled to the
// radius in effect, its value range stretched back to the stored extremes, and the
// tools' cell array made ready for it.
#include <algorithm>
#include <cmath>
#include <vector>

#include "documents/documents.h"
#include "documents/file_layouts.h"
#include "toolkit/toolkit.h"

std::vector<uint8_t> BrushFormGrey(1, 255);
std::vector<PixelCell> BrushFormCells(4, 0);

namespace {

constexpr int kScratchImage = 139;

// A radius the arrays can take: 0 .. MaxBrushFormRadius.
int32_t ClampRadius(int32_t radius) { return std::clamp(radius, int32_t(0), MaxBrushFormRadius); }

void SizeBrushFormCells(int32_t result) {
  const size_t side = size_t(2) * size_t(result) + 2;
  BrushFormCells.assign(side * side, 0);
}

// The smoothing of a resize pulls the extremes towards the middle: stretch each half of
// the range back so that the largest and smallest value again meet the stored settings.
// A half whose extreme is 0 has nothing to stretch (every cell of it lies on 128).
void StretchToSettings(std::vector<uint8_t>& grey, int8_t upper, int8_t lower) {
  int hi = -128, lo = 127;
  for (uint8_t g : grey) {
    hi = std::max(hi, int(g) - 128);
    lo = std::min(lo, int(g) - 128);
  }
  if (lo == lower) return;
  const float sHi = hi != 0 ? float(upper) / float(hi) : 1.0f;
  const float sLo = lo != 0 ? float(lower) / float(lo) : 1.0f;
  for (uint8_t& g : grey) {
    const float s = g <= 128 ? sLo : sHi;
    const float v = std::nearbyint((float(g) - 128.0f) * s + 128.0f);
    g = uint8_t(std::clamp(v, 0.0f, 255.0f));
  }
}

// Resizes the side x side grey map to `target` x `target` through the scratch image.
// False when the image could not be had (the map stays as it was).
bool Rescale(std::vector<uint8_t>& grey, int32_t side, int32_t target) {
  if (tk::createImage(kScratchImage, side, side, 32) < 0) return false;
  std::vector<PixelCell> cells(grey.size());
  for (size_t i = 0; i < grey.size(); ++i) cells[i] = uint32_t(grey[i]) * 0x010101u;
  PixelBufferToImage(kScratchImage, cells.data(), side, side);
  bool ok = tk::resizeImage(kScratchImage, target, target, true);
  if (ok) {
    cells.assign(size_t(target) * size_t(target), 0);
    ok = tk::imageToPixels(kScratchImage, cells.data(), target, target, target, true);
    if (ok) {
      grey.resize(cells.size());
      for (size_t i = 0; i < cells.size(); ++i) grey[i] = uint8_t(cells[i] >> 16);   // red
    }
  }
  tk::freeImage(kScratchImage);
  return ok;
}

}  // namespace

int32_t LoadBrushFormFile(const std::string& path, int32_t radius) {
  radius = ClampRadius(radius);
  std::vector<uint8_t> data;
  if (tk::fileSizeOf(path) < 0 || !tk::readWholeFile(path, data)) {
    SizeBrushFormCells(0);
    return 0;
  }
  layouts::BrushFormData form;
  if (!layouts::ParseBrushForm(data.data(), data.size(), form) || CellsOfExtents(form.side - 1, form.side - 1) == 0) {
    tk::messageRequester("Fehler", "Die Pinselform ist beschädigt und wird nicht verwendet:\r" + path,
                         tk::MsgOk | tk::MsgError);
    SizeBrushFormCells(0);
    return 0;
  }
  const int32_t target = 2 * radius + 2;   // cells a side of a form of this radius
  if (form.side != target) {
    if (!Rescale(form.grey, form.side, target)) {
      SizeBrushFormCells(0);
      return 0;
    }
    StretchToSettings(form.grey, form.maxRot, form.minRot);
  }
  // Either way the form now has 2 * radius + 2 cells a side: the radius is the result,
  // so the brush never reaches past the map it stamps.
  BrushFormGrey.swap(form.grey);
  SizeBrushFormCells(radius);
  return radius;
}
