// Whole-array operations: changing the image size (scaling, or a new canvas around the
// old picture), pixel buffers to images, row flips and the colour statistics.
#ifdef __SSE2__
#include <emmintrin.h>
#endif
#include <algorithm>
#include <cstring>
#include <string>

#include "documents/documents.h"
#include "documents/view_internal.h"
#include "toolkit/toolkit.h"

std::vector<PixelCell> ResizeCopyPixels;
int8_t MaxRot = 0, MaxGruen = 0, MaxBlau = 0, MinRot = 0, MinGruen = 0, MinBlau = 0;
int32_t AllRot = 0, AllGruen = 0, AllBlau = 0;

namespace {

// Nearest-cell scaling, used when the toolkit cannot scale.
void ScaleNearest(const std::vector<PixelCell>& src, int32_t sw, int32_t sh, std::vector<PixelCell>& dst,
                  int32_t dw, int32_t dh) {
  std::vector<int32_t> cols(dw);
  for (int32_t x = 0; x < dw; ++x) cols[x] = int32_t(int64_t(x) * sw / dw);
  for (int32_t y = 0; y < dh; ++y) {
    const PixelCell* s = src.data() + size_t(int64_t(y) * sh / dh) * sw;
    PixelCell* d = dst.data() + size_t(y) * dw;
    for (int32_t x = 0; x < dw; ++x) d[x] = s[cols[x]];
  }
}

// One axis of the canvas change: how many cells are copied, from where, to where.
struct CanvasAxis {
  int32_t count, from, to;
};

CanvasAxis Axis(int32_t oldLast, int32_t newLast, int32_t offset) {
  if (oldLast >= newLast) {
    offset = std::clamp(offset, 0, oldLast - newLast);
    return {newLast + 1, offset, 0};
  }
  offset = std::clamp(offset, 0, newLast - oldLast);
  return {oldLast + 1, 0, offset};
}

// Moves an old plane into a new one as the canvas change does; new cells get `fill`.
template <typename T>
void MovePlane(const std::vector<T>& old, int32_t oldW, std::vector<T>& out, int32_t newW, int32_t newH,
               CanvasAxis ax, CanvasAxis ay, T fill, T mask) {
  out.assign(size_t(newW) * newH, fill);
  for (int32_t j = 0; j < ay.count; ++j) {
    const T* s = old.data() + size_t(ay.from + j) * oldW + ax.from;
    T* d = out.data() + size_t(ay.to + j) * newW + ax.to;
    for (int32_t i = 0; i < ax.count; ++i) d[i] = s[i] & mask;
  }
}

}  // namespace

void ChangeImageSize(int32_t newLastX, int32_t newLastY, int32_t mode, int32_t offsetX,
                     int32_t offsetY, int32_t red, int32_t green, int32_t blue, uint8_t quiet) {
  // A last index below 1 means a one-cell side; only a size beyond the cell limit is refused.
  newLastX = std::max(newLastX, 0);
  newLastY = std::max(newLastY, 0);
  const size_t cells = CellsOfExtents(newLastX, newLastY);
  if (cells == 0) return;
  mode = mode >= 2 ? 1 : (mode < 0 ? 0 : mode);
  if (tk::isGadget(63)) tk::setGadgetText(63, std::to_string(newLastX + 1));
  if (tk::isGadget(64)) tk::setGadgetText(64, std::to_string(newLastY + 1));
  if (newLastX == bildlang && newLastY == bildhoch) return;
  if (quiet == 0) CreateUndoPoint();
  const int32_t oldW = bildlang + 1, oldH = bildhoch + 1;
  const int32_t newW = newLastX + 1, newH = newLastY + 1;
  if (mode == 0) {
    ResizeCopyPixels.swap(ImagePixels);
    ImagePixels.assign(cells, 0);
    bool scaled = false;
    if (tk::createImage(23, oldW, oldH) >= 0) {
      if (tk::pixelsToImage(23, ResizeCopyPixels.data(), oldW, oldH, oldW) &&
          tk::resizeImage(23, newW, newH) && tk::imageWidth(23) == newW && tk::imageHeight(23) == newH) {
        scaled = tk::imageToPixels(23, ImagePixels.data(), newW, newH, newW);
      }
      tk::freeImage(23);
    }
    if (!scaled) ScaleNearest(ResizeCopyPixels, oldW, oldH, ImagePixels, newW, newH);
    if (Colornumber == 1) IndexPlane.assign(cells, 0);
  } else {
    const CanvasAxis ax = Axis(bildlang, newLastX, offsetX);
    const CanvasAxis ay = Axis(bildhoch, newLastY, offsetY);
    const PixelCell fill = (uint32_t(blue) & 0xFF) | ((uint32_t(green) & 0xFF) << 8) |
                           ((uint32_t(red) & 0xFF) << 16);
    ResizeCopyPixels.swap(ImagePixels);
    MovePlane<PixelCell>(ResizeCopyPixels, oldW, ImagePixels, newW, newH, ax, ay, fill, 0x00FFFFFFu);
    if (Colornumber == 1) {
      std::vector<uint8_t> plane;
      if (IndexPlane.size() == size_t(oldW) * oldH) {
        MovePlane<uint8_t>(IndexPlane, oldW, plane, newW, newH, ax, ay, 0, 0xFF);
      } else {
        plane.assign(cells, 0);
      }
      IndexPlane.swap(plane);
    }
  }
  ResizeCopyPixels.clear();
  ResizeCopyPixels.shrink_to_fit();
  bildlang = newLastX;
  bildhoch = newLastY;
  if (CurrentImage >= 0 && CurrentImage < static_cast<int32_t>(ImageRecords.size())) {
    ImageRecords[CurrentImage].laenge = bildlang;
    ImageRecords[CurrentImage].hoehe = bildhoch;
  }
  HeldImage.assign(cells, 0);
  UpdateZoomedSizes();
  UpdateScrollBars();
}

void PixelBufferToImage(int32_t image, const PixelCell* buffer, int32_t width, int32_t height) {
  OnErrorCode2 = 3;
  if (buffer && width > 0 && height > 0 && tk::isImage(image)) {
    tk::pixelsToImage(image, buffer, width, height, width, true);
  }
  OnErrorCode2 = 0;
}

void FlipBufferRows(PixelCell* buffer, int32_t width, int32_t height) {
  if (!buffer || width < 1 || height < 2) return;
  for (int32_t y = 0, z = height - 1; y < z; ++y, --z) {
    std::swap_ranges(buffer + size_t(y) * width, buffer + size_t(y + 1) * width, buffer + size_t(z) * width);
  }
}

void FlipImageRows() {
  OnErrorCode2 = 18;
  FlipBufferRows(ImagePixels.data(), bildlang + 1, bildhoch + 1);
  hoch = RoundNearest(bildhoch / 2.0f) + 1;
  OnErrorCode2 = 0;
}

void FlipAreaRows() {
  OnErrorCode2 = 17;
  if (AreaPixels.size() >= (size_t(arealang) + 1) * (size_t(areahoch) + 1)) {
    FlipBufferRows(AreaPixels.data(), arealang + 1, areahoch + 1);
  }
  hoch = RoundNearest(areahoch / 2.0f) + 1;
  OnErrorCode2 = 0;
}

int32_t UpdateMinMaxColors() {
  // The signed form of a channel is its value - 128; scanning it directly leaves the
  // image as it was, as the toggling around the scan did.
  int mr = 0, mg = 0, mb = 0, nr = 255, ng = 255, nb = 255;
  const PixelCell* p = ImagePixels.data();
  const size_t n = ImagePixels.size();
  size_t i = 0;
#ifdef __SSE2__
  // Four cells at a time: byte-wise extremes, the channels read off their lanes at the end.
  if (n >= 4) {
    __m128i hi = _mm_setzero_si128(), lo = _mm_set1_epi8(char(0xFF));
    for (; i + 4 <= n; i += 4) {
      const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
      hi = _mm_max_epu8(hi, v);
      lo = _mm_min_epu8(lo, v);
    }
    alignas(16) uint8_t h[16], l[16];
    _mm_store_si128(reinterpret_cast<__m128i*>(h), hi);
    _mm_store_si128(reinterpret_cast<__m128i*>(l), lo);
    for (int k = 0; k < 16; k += 4) {
      mb = std::max<int>(mb, h[k]), mg = std::max<int>(mg, h[k + 1]), mr = std::max<int>(mr, h[k + 2]);
      nb = std::min<int>(nb, l[k]), ng = std::min<int>(ng, l[k + 1]), nr = std::min<int>(nr, l[k + 2]);
    }
  }
#endif
  for (; i < n; ++i) {
    const PixelCell c = p[i];
    const int b = c & 0xFF, g = (c >> 8) & 0xFF, r = (c >> 16) & 0xFF;
    mr = std::max(mr, r);
    mg = std::max(mg, g);
    mb = std::max(mb, b);
    nr = std::min(nr, r);
    ng = std::min(ng, g);
    nb = std::min(nb, b);
  }
  MaxRot = int8_t(mr - 128);
  MaxGruen = int8_t(mg - 128);
  MaxBlau = int8_t(mb - 128);
  MinRot = int8_t(nr - 128);
  MinGruen = int8_t(ng - 128);
  MinBlau = int8_t(nb - 128);
  lang = bildlang + 1;
  hoch = bildhoch + 1;
  return 0;
}

int32_t UpdateAverageColors() {
  uint64_t sr = 0, sg = 0, sb = 0;
  const PixelCell* p = ImagePixels.data();
  const size_t cells = ImagePixels.size();
  size_t i = 0;
#ifdef __SSE2__
  // Four cells at a time: one channel's bytes masked out and summed by the byte-difference
  // sum against zero, into 64-bit lanes that cannot overflow.
  {
    const __m128i maskB = _mm_set1_epi32(0xFF), zero = _mm_setzero_si128();
    __m128i accB = zero, accG = zero, accR = zero;
    for (; i + 4 <= cells; i += 4) {
      const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
      accB = _mm_add_epi64(accB, _mm_sad_epu8(_mm_and_si128(v, maskB), zero));
      accG = _mm_add_epi64(accG, _mm_sad_epu8(_mm_and_si128(_mm_srli_epi32(v, 8), maskB), zero));
      accR = _mm_add_epi64(accR, _mm_sad_epu8(_mm_and_si128(_mm_srli_epi32(v, 16), maskB), zero));
    }
    alignas(16) uint64_t b[2], g[2], r[2];
    _mm_store_si128(reinterpret_cast<__m128i*>(b), accB);
    _mm_store_si128(reinterpret_cast<__m128i*>(g), accG);
    _mm_store_si128(reinterpret_cast<__m128i*>(r), accR);
    sb = b[0] + b[1], sg = g[0] + g[1], sr = r[0] + r[1];
  }
#endif
  for (; i < cells; ++i) {
    const PixelCell c = p[i];
    sb += c & 0xFF;
    sg += (c >> 8) & 0xFF;
    sr += (c >> 16) & 0xFF;
  }
  const uint64_t n = (uint64_t(bildlang) + 1) * (uint64_t(bildhoch) + 1);
  AllRot = int32_t((sr / n) & 0xFF);
  AllGruen = int32_t((sg / n) & 0xFF);
  AllBlau = int32_t((sb / n) & 0xFF);
  lang = bildlang + 1;
  hoch = bildhoch + 1;
  return 0;
}
