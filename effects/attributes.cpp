// Colour attributes: contrast, brightness and channel offsets, on the image, on the marked
// area (with a transparency that blends each area cell with the image cell under it), and
// as live previews of both that leave the cells as they are.
//
// Per channel: a negative contrast moves the value towards the image mean of its channel
// without passing it, a positive one moves all three channels of a cell up when its channel
// sum is at least the sum of the means and down otherwise; brightness and the channel's
// offset are added; the result is clamped once, at the end (after the blend on the area).
// Parameters are signed bytes. The image kernels keep the caller's error-location code.
#include <algorithm>
#include <cmath>

#include "effects/area_frame.h"
#include "effects/effects.h"
#include "effects/frame.h"
#include "effects/kernels_tone.h"
#include "toolkit/toolkit.h"

namespace {

fx::AttributeSettings Settings(int32_t contrast, int32_t brightness, int32_t red, int32_t green, int32_t blue) {
  fx::AttributeSettings a;
  a.contrast = int8_t(contrast);
  a.brightness = int8_t(brightness);
  a.offset[0] = int8_t(red);
  a.offset[1] = int8_t(green);
  a.offset[2] = int8_t(blue);
  a.mean[0] = AllRot;
  a.mean[1] = AllGruen;
  a.mean[2] = AllBlau;
  return a;
}

bool OptionSet(int32_t gadget) { return tk::isGadget(gadget) && tk::gadgetState(gadget) != 0; }

void ResetAreaSliders() {
  for (int32_t g : {139, 142, 145, 147, 149})
    if (tk::isGadget(g)) tk::setGadgetState(g, 128);
  if (tk::isGadget(151)) tk::setGadgetState(151, 0);
}

// The transparency blend of the area: each channel value (before the clamp) becomes
// RoundNearest(value x k1) + RoundNearest(image value x k2), k1 = (100 - t) / 100 and
// k2 = t / 100 as 32-bit floats, both products stored as floats first. Tables hold both
// terms: the adjusted values lie within -384..638.
struct Blend {
  static constexpr int32_t Low = -512, High = 767;
  int32_t own[High - Low + 1];
  int32_t under[256];
  void build(int32_t transparency) {
    const float k1 = float(double(100 - transparency) / 100.0), k2 = float(double(transparency) / 100.0);
    for (int32_t v = Low; v <= High; ++v) own[v - Low] = RoundNearest(float(double(v) * double(k1)));
    for (int32_t u = 0; u < 256; ++u) under[u] = RoundNearest(float(double(u) * double(k2)));
  }
  int32_t mix(int32_t value, int32_t imageValue) const { return own[value - Low] + under[imageValue]; }
};

// The area kernel with the blend: imageAt(x, y) is the image cell under span cell (x, y), or
// nullptr where that lies outside the image.
template <class ImageAt>
void BlendedAttributeCells(const fx::Span& s, const fx::AttributeSettings& a, const Blend& blend, ImageAt imageAt) {
  // the adjusted values before the clamp, [bright][channel][u]
  static int16_t adjusted[2][3][256];
  for (int b = 0; b < 2; ++b)
    for (int k = 0; k < 3; ++k)
      for (int32_t u = 0; u < 256; ++u) adjusted[b][k][u] = int16_t(a.adjust(k, u, b != 0));
  const int32_t threshold = a.meanSum();
  for (int32_t y = 0; y < s.height; ++y) {
    fx::Cell* p = s.row(y);
    for (int32_t x = 0; x < s.width; ++x) {
      const fx::Cell c = p[x];
      const int32_t u[3] = {fx::RedOf(c), fx::GreenOf(c), fx::BlueOf(c)};
      const int b = u[0] + u[1] + u[2] >= threshold;
      const fx::Cell* under = imageAt(x, y);
      int32_t out[3];
      for (int k = 0; k < 3; ++k) {
        int32_t v = adjusted[b][k][u[k]];
        if (under) v = blend.mix(v, (*under >> (16 - 8 * k)) & 0xFF);
        out[k] = fx::ClampByte(v);
      }
      p[x] = (c & fx::FlagMask) | fx::ColourBytes(out[0], out[1], out[2]);
    }
  }
}

std::vector<fx::Cell> PreviewSaved;   // the image cells the preview changes for one redraw

}  // namespace

int32_t Attributes(int32_t contrast, int32_t brightness, int32_t red, int32_t green, int32_t blue, uint8_t quiet) {
  if (quiet == 0) CreateUndoPoint();
  UpdateAverageColors();
  fx::AttributeCells(fx::ImageSpan(), Settings(contrast, brightness, red, green, blue));
  fx::CountedLoopDone();
  if (quiet == 0) {
    RedrawCanvas();
    if (areamark >= 1) RefreshView();
  }
  return 0;
}

// The preview changes the image cells that the view shows (the visible rectangle, cut at
// the image), redraws the view from them and puts them back: what the canvas shows is the
// kernel on exactly the cells it shows, at every zoom, and the image is as it was.
int32_t PreviewAttributes(int32_t contrast, int32_t brightness, int32_t red, int32_t green, int32_t blue) {
  UpdateAverageColors();
  const fx::AttributeSettings a = Settings(contrast, brightness, red, green, blue);
  const double zoom = length > 0.0f ? double(length) : 1.0;
  auto visible = [zoom](int32_t scroll, int32_t viewLast, int32_t imageLast, int32_t& first, int32_t& last) {
    first = std::clamp(scroll, 0, std::max(imageLast, 0));
    const int64_t cells = int64_t(std::ceil((double(viewLast) + 1.0) / zoom)) + 1;
    last = int32_t(std::min<int64_t>(imageLast, int64_t(first) + cells - 1));
  };
  int32_t x0 = 0, x1 = -1, y0 = 0, y1 = -1;
  visible(horz, areaxmax, bildlang, x0, x1);
  visible(vert, areaymax, bildhoch, y0, y1);
  const fx::Span image = fx::ImageSpan();
  const fx::Span shown{image.cells + ptrdiff_t(y0) * image.stride + x0, image.stride, std::max(x1 - x0 + 1, 0),
                       std::max(y1 - y0 + 1, 0)};
  const size_t cells = shown.empty() ? 0 : size_t(shown.width) * size_t(shown.height);
  if (PreviewSaved.size() < cells) PreviewSaved.resize(cells);
  for (int32_t y = 0; y < shown.height; ++y)
    std::copy(shown.row(y), shown.row(y) + shown.width, PreviewSaved.data() + size_t(y) * shown.width);
  fx::AttributeCells(shown, a);
  RedrawCanvas();
  for (int32_t y = 0; y < shown.height; ++y)
    std::copy(PreviewSaved.data() + size_t(y) * shown.width, PreviewSaved.data() + size_t(y + 1) * shown.width,
              shown.row(y));
  if (areamark >= 1) RefreshView();
  return 0;
}

int32_t Attributes_Marked(int8_t contrast, int8_t brightness, int8_t red, int8_t green, int8_t blue,
                          int8_t transparency, uint8_t quiet) {
  fx::BeginAreaEffect();
  if (OptionSet(154)) {
    // "Ausserhalb": the attributes go to the whole image, interactively
    Attributes(contrast, brightness, red, green, blue, 0);
  } else {
    UpdateAverageColors();
    const fx::AttributeSettings a = Settings(contrast, brightness, red, green, blue);
    if (transparency > 0) {
      static Blend blend;
      blend.build(transparency);
      const int64_t ix0 = int64_t(startx) + horz2, iy0 = int64_t(starty) + vert2;
      const size_t stride = size_t(bildlang) + 1;
      BlendedAttributeCells(fx::AreaSpan(), a, blend, [&](int32_t x, int32_t y) -> const fx::Cell* {
        const int64_t ix = ix0 + x, iy = iy0 + y;
        if (ix < 0 || iy < 0 || ix > bildlang || iy > bildhoch) return nullptr;
        return &ImagePixels[size_t(iy) * stride + size_t(ix)];
      });
    } else {
      fx::AttributeCells(fx::AreaSpan(), a);
    }
    AverageColorToSigned();   // the means are left in the signed form
    fx::AreaLoopDone();
    fx::EndAreaEffect(quiet);
  }
  ResetAreaSliders();
  return 0;
}

int32_t PreviewAreaAdjustment(int8_t contrast, int8_t brightness, int8_t red, int8_t green, int8_t blue,
                              int8_t transparency) {
  OnErrorCode1 = fx::EffectErrorCode;
  if (OptionSet(154)) {
    PreviewAttributes(contrast, brightness, red, green, blue);
    return 0;
  }
  RefreshView();   // the unchanged area in its display image 22, and the canvas
  int stride = 0;
  fx::Cell* pixels = tk::isImage(22) ? tk::imageCells(22, &stride) : nullptr;
  if (pixels) {
    UpdateAverageColors();
    const fx::AttributeSettings a = Settings(contrast, brightness, red, green, blue);
    const fx::Span shown{pixels, stride, tk::imageWidth(22), tk::imageHeight(22)};
    if (transparency > 0) {
      static Blend blend;
      blend.build(transparency);
      const double zoom = length > 0.0f ? double(length) : 1.0;
      const int64_t ix0 = int64_t(startx) + horz2, iy0 = int64_t(starty) + vert2;
      const size_t istride = size_t(bildlang) + 1;
      BlendedAttributeCells(shown, a, blend, [&](int32_t x, int32_t y) -> const fx::Cell* {
        const int64_t ix = ix0 + int64_t(std::floor(x / zoom)), iy = iy0 + int64_t(std::floor(y / zoom));
        if (ix < 0 || iy < 0 || ix > bildlang || iy > bildhoch) return nullptr;
        return &ImagePixels[size_t(iy) * istride + size_t(ix)];
      });
    } else {
      fx::AttributeCells(shown, a);
    }
    tk::imageChanged(22);
  }
  ComposeCanvasView();
  return 0;
}

int32_t ResetAttributeSliders() {
  if (!OptionSet(153)) {
    for (int32_t g : {74, 77, 80, 82, 84})
      if (tk::isGadget(g)) tk::setGadgetState(g, 128);
    RedrawCanvas();
  }
  RefreshView();
  ResetAreaSliders();
  return 0;
}
