// The colour information window "FarbInformationen" (window 42): how many cells of the
// current image have each red, green and blue value, drawn as curves into image 143, with
// an optional grey curve of the three channels' whole-number mean.
#include <algorithm>
#include <cmath>

#include "documents/documents.h"
#include "effects/dialog_internal.h"
#include "effects/effects.h"
#include "toolkit/toolkit.h"

std::array<int32_t, 256> HistogramRed{}, HistogramGreen{}, HistogramBlue{};

int32_t CountColorHistogram(std::array<int32_t, 256>& red, std::array<int32_t, 256>& green,
                            std::array<int32_t, 256>& blue) {
  const size_t cells = std::min(ImagePixels.size(), (size_t(bildlang) + 1) * (size_t(bildhoch) + 1));
  for (size_t i = 0; i < cells; ++i) {
    const PixelCell c = ImagePixels[i];
    ++blue[c & 0xFF];
    ++green[(c >> 8) & 0xFF];
    ++red[(c >> 16) & 0xFF];
  }
  return 0;
}

int32_t DrawColorHistogram(int32_t image, int32_t red, int32_t green, int32_t blue, int32_t all) {
  HistogramRed.fill(0);
  HistogramGreen.fill(0);
  HistogramBlue.fill(0);
  CountColorHistogram(HistogramRed, HistogramGreen, HistogramBlue);
  int32_t maxCount = 0;
  for (const auto* t : {&HistogramRed, &HistogramGreen, &HistogramBlue})
    maxCount = std::max(maxCount, *std::max_element(t->begin(), t->end()));
  // An image without cells draws flat curves on the base line.
  maxCount = std::max(maxCount, 1);
  if (!tk::isImage(image) || !tk::startDrawing(tk::imageOutput(image))) return 0;
  const double wi = tk::imageWidth(image), hi = tk::imageHeight(image);
  const double sy = hi / maxCount, sx = (wi - 10) / 255.0;
  const int32_t b = int32_t(hi) - 10;
  const bool on[4] = {red != 0, green != 0, blue != 0, all != 0};
  const uint32_t colour[4] = {DialogColor(255, 0, 0), DialogColor(0, 255, 0), DialogColor(0, 0, 255),
                              DialogColor(170, 170, 170)};
  int32_t previousX = 0, previous[4] = {b, b, b, b};
  for (int v = 0; v < 256; ++v) {
    const int32_t x = int32_t(std::lround(sx * v));
    const int32_t counts[4] = {HistogramRed[v], HistogramGreen[v], HistogramBlue[v],
                               int32_t((int64_t(HistogramRed[v]) + HistogramGreen[v] + HistogramBlue[v]) / 3)};
    for (int k = 0; k < 4; ++k) {
      const int32_t height = int32_t(std::lround(b - counts[k] * sy));
      if (on[k]) tk::line(previousX + 5, previous[k] + 5, x + 5, height + 5, colour[k]);
      previous[k] = height;
    }
    previousX = x;
  }
  tk::stopDrawing();
  return 0;
}

namespace {

void ShowHistogram() {
  if (tk::createImage(143, 266, 220, 24, 0xFFFFFF) < 0) return;
  DrawColorHistogram(143, tk::gadgetState(826), tk::gadgetState(827), tk::gadgetState(828), tk::gadgetState(830));
  tk::setGadgetAttribute(825, tk::AttrImage, 143);
}

}  // namespace

int32_t ColorInformationWindow() {
  tk::disableWindow(0, true);
  if (tk::openWindow(42, 200, 200, 275, 335, "FarbInformationen", tk::WfCaption | tk::WfSystemMenu, 43) < 0) {
    tk::disableWindow(0, false);
    return 0;
  }
  tk::activateWindow(42);
  tk::useWindow(42);
  tk::imageGadget(825, 5, 5, 266, 220, -1);
  tk::checkBox(826, 5, 230, 100, 20, "Rot");
  tk::checkBox(827, 5, 250, 100, 20, "Gruen");
  tk::checkBox(828, 5, 270, 100, 20, "Blau");
  tk::checkBox(830, 5, 290, 100, 20, "Alle");
  tk::button(831, 110, 230, 150, 100, "OK");
  for (int g : {826, 827, 828, 830}) tk::setGadgetState(g, 1);
  ShowHistogram();
  for (bool open = true; open;) {
    KeepDialogInFront(42);
    const int ev = tk::waitEvent();
    if (IsDialogCancel(ev, 42)) break;
    if (ev != tk::EvGadget) continue;
    const int g = tk::eventGadget();
    if (g >= 826 && g <= 830) ShowHistogram();
    else if (g == 831) open = false;
  }
  CloseDialogWindow(42);
  return 0;
}
