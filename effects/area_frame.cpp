// The area helpers of the marked-area twins: the signed form of the area (bytes 0
// to 2 XOR 0x80, the flag byte never touched), the re-allocation of the area with its display
// image and zoomed extents, and the bilinear sample that the free rotation uses.
//
// Exact on purpose: SampleAreaBilinear rounds its running sums to the nearest integer, halves
// to even, after every one of its four additions, in the neighbour order (x0, y0), (x0, y1),
// (x1, y0), (x1, y1); the weights are float differences multiplied in double, as the whole-image
// rotation does (kernels_geometry.h), so both rotations give the same bytes.
#include <algorithm>

#include "effects/area_frame.h"
#include "effects/effects.h"
#include "effects/kernels_geometry.h"
#include "toolkit/toolkit.h"

std::vector<uint32_t> AreaTransformCopy(1);

int32_t ToggleAreaSignedForm() {
  const size_t cells = (size_t(arealang) + 1) * (size_t(areahoch) + 1);
  PixelCell* p = AreaPixels.data();
  const size_t n = std::min(cells, AreaPixels.size());
  for (size_t i = 0; i < n; ++i) p[i] ^= 0x808080u;
  return 0;
}

int32_t ResizeAreaBuffer(int32_t maxX, int32_t maxY, float zoom) {
  arealang = maxX;
  areahoch = maxY;
  const int32_t w = std::max(RoundNearest(float((double(arealang) + 1) * zoom)), 1);
  const int32_t h = std::max(RoundNearest(float((double(areahoch) + 1) * zoom)), 1);
  if (tk::isImage(22)) tk::freeImage(22);
  tk::createImage(22, w, h);
  // A fresh zero-filled block; the old cells are not kept (the caller fills the new one).
  AreaPixels.assign((size_t(arealang) + 1) * (size_t(areahoch) + 1), 0u);
  AreaZoomMaxX = RoundNearest(float(arealang) * length);
  AreaZoomMaxY = RoundNearest(float(areahoch) * length);
  return 0;
}

int32_t SampleAreaBilinear(PixelCell& cell, float x, float y) {
  const PixelCell background = cell;
  const int32_t x0 = int32_t(x), y0 = int32_t(y);
  const int32_t x1 = int32_t(fx::CeilFloat(x)), y1 = int32_t(fx::CeilFloat(y));
  const float fx_ = x - float(x0), fy = y - float(y0);
  const float gx = 1.0f - fx_, gy = 1.0f - fy;
  double red = 0, green = 0, blue = 0;
  uint32_t flag = 0;
  auto add = [&](int32_t sx, int32_t sy, double weight) {
    PixelCell c = background;
    if (sx >= 0 && sx <= arealang && sy >= 0 && sy <= areahoch) {
      c = fx::AreaCell(sx, sy);
      if ((c >> 24) != 0) flag = c >> 24;
    }
    red = fx::RoundHalfEven(red + weight * fx::RedOf(c));
    green = fx::RoundHalfEven(green + weight * fx::GreenOf(c));
    blue = fx::RoundHalfEven(blue + weight * fx::BlueOf(c));
  };
  add(x0, y0, double(gx) * gy);
  add(x0, y1, double(gx) * fy);
  add(x1, y0, double(fx_) * gy);
  add(x1, y1, double(fx_) * fy);
  auto clamp = [](double a) { return int32_t(a < 0 ? 0 : a > 255 ? 255 : a); };
  cell = fx::ColourBytes(clamp(red), clamp(green), clamp(blue)) | (flag << 24);
  return 0;
}
