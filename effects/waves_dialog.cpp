// The waves dialog "WellenEffekt" (window 11) and the preview renderer it shares with the
// effects panel and the structure dialog: two sine curves along each axis drawn into the
// 150 x 150 image 43, scaled from the current image to the preview. A full turn is 6.3
// here, as in the waves effect itself, so the preview shows what the effect will do.
#include <algorithm>
#include <cmath>
#include <string>

#include "documents/documents.h"
#include "effects/dialog_internal.h"
#include "effects/effects.h"
#include "shell/shell.h"
#include "toolkit/toolkit.h"

double WaveStartFactor(int32_t startSlider) { return 100.0 * std::cos((startSlider / 10.0 + 17.0) / 100.0); }

double WavePhaseStart(double startFactor) { return startFactor == 100.0 ? 99.0 : startFactor; }

int32_t WrapPreviewRow(int32_t raw, int32_t h, int32_t* turns) {
  int32_t k = 0;
  if (h > 0) {
    // As many whole h as bring the row into 0..h: added below 0, taken off above h.
    if (raw < 0) k = -int32_t((int64_t(-raw) + h - 1) / h);
    else if (raw > h) k = int32_t((int64_t(raw) - 1) / h);
  }
  if (turns) *turns = k;
  return int32_t(int64_t(raw) - int64_t(k) * h);
}

namespace {

constexpr uint32_t Red = 0x0000FF;
constexpr uint32_t White = 0xFFFFFF;

// One curve across the preview: `across` steps along the curve, positions wrapped into
// 0..`extent`; plot(i, v) maps a step and a position to preview coordinates.
template <class Line>
void DrawWaveCurve(int32_t across, int32_t extent, double step, double amplitude, double start, int32_t base,
                   Line line) {
  double phase = 6.3 / (100.0 - WavePhaseStart(start));
  int32_t previous = base, previousTurns = 0;
  for (int32_t i = 0; i <= across; ++i) {
    phase += step;
    const double v = std::sin(phase) * amplitude + base;
    // Values no curve can reach (a zero width from a caller) keep the base line.
    const int32_t raw = std::isfinite(v) && std::fabs(v) < 1e9 ? int32_t(std::lround(v)) : base;
    int32_t turns = 0;
    const int32_t now = WrapPreviewRow(raw, extent, &turns);
    if (turns > previousTurns) {          // left at the far edge, back in at the near one
      line(i - 1, previous, i, extent);
      line(i - 1, 0, i, now);
    } else if (turns < previousTurns) {   // left at the near edge
      line(i - 1, previous, i, 0);
      line(i - 1, extent, i, now);
    } else {
      line(i - 1, previous, i, now);
    }
    previous = now;
    previousTurns = turns;
  }
}

}  // namespace

int32_t EffectPreview(float yAmplitude, float yWidth, float xAmplitude, float xWidth, float xStart, float yStart,
                      int32_t gadget) {
  if (!tk::isImage(43)) tk::createImage(43, 150, 150, 24, White);
  const int32_t wi = tk::imageWidth(43), hi = tk::imageHeight(43);
  const int32_t w = wi - 2, h = hi - 2;
  const int32_t left = 75 - w / 2, top = 75 - h / 2;
  if (!tk::startDrawing(tk::imageOutput(43))) return 0;
  tk::drawingMode(tk::DrawDefault);
  tk::box(0, 0, wi, hi, White);
  tk::drawingMode(tk::DrawOutlined);
  tk::box(left, top, w + 1, h + 1, Red);
  tk::drawingMode(tk::DrawDefault);
  // A one-pixel image has last index 0: it scales as if it were two pixels wide.
  const double lastX = std::max(bildlang, 1), lastY = std::max(bildhoch, 1);
  const double xStep = 6.3 / (w / (lastX / xWidth));
  const double yStep = 6.3 / (h / (lastY / yWidth));
  const double ax = xAmplitude / lastY * h;
  const double ay = yAmplitude / lastX * w;
  for (int32_t base : {30, 120})
    DrawWaveCurve(w, h, xStep, ax, xStart, base, [&](int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
      tk::line(left + x1, top + y1, left + x2, top + y2, Red);
    });
  for (int32_t base : {wi / 5, 4 * wi / 5})
    DrawWaveCurve(h, w, yStep, ay, yStart, base, [&](int32_t y1, int32_t x1, int32_t y2, int32_t x2) {
      tk::line(left + x1, top + y1, left + x2, top + y2, Red);
    });
  tk::stopDrawing();
  if (tk::isGadget(gadget)) tk::setGadgetAttribute(gadget, tk::AttrImage, 43);
  return 0;
}

namespace {

// The gadgets of one axis tab.
struct WaveTab {
  int amplitudeLabel, amplitude, startLabel, start, widthLabel, width;
};
constexpr WaveTab XTab = {648, 649, 650, 651, 646, 647};
constexpr WaveTab YTab = {654, 655, 656, 657, 652, 653};

void BuildWaveTab(const WaveTab& t) {
  tk::label(t.amplitudeLabel, 10, 2, 120, 20, "Amplitude:1");
  tk::slider(t.amplitude, 40, 22, 20, 230, 0, 200, tk::GfVertical);
  tk::label(t.startLabel, 130, 2, 120, 20, "Anfang:0%");
  tk::slider(t.start, 200, 22, 20, 230, 1, 110, tk::GfVertical);
  tk::setGadgetState(t.start, 55);
  tk::label(t.widthLabel, 80, 230, 140, 20, "Breite:100");
  tk::slider(t.width, 10, 250, 200, 20, 1, 200);
  tk::setGadgetState(t.width, 100);
}

}  // namespace

int32_t WavesDialog(int32_t marked) {
  OnErrorCode1 = 13;
  if (!OpenDialogWindow(11, 300, 100, 250, 500, "WellenEffekt")) return 0;
  if (!tk::isImage(43)) tk::createImage(43, 150, 150, 24, White);
  tk::imageGadget(642, 50, 0, 150, 150, 43);
  tk::panel(643, 0, 150, 250, 300);
  tk::addGadgetItem(643, -1, "XAchse");
  BuildWaveTab(XTab);
  tk::addGadgetItem(643, -1, "YAchse");
  BuildWaveTab(YTab);
  tk::closeGadgetList();
  tk::setGadgetState(643, 0);
  tk::button(644, 10, 460, 110, 30, "OK");
  tk::button(645, 130, 460, 110, 30, "Abbrechen");
  double xStart = WaveStartFactor(tk::gadgetState(XTab.start));
  double yStart = WaveStartFactor(tk::gadgetState(YTab.start));
  if (tk::startDrawing(tk::imageOutput(43))) {
    const int32_t wi = tk::imageWidth(43), hi = tk::imageHeight(43);
    tk::box(0, 0, wi, hi, White);
    tk::line(0, 30, wi - 1, 30, Red);
    tk::line(0, 120, wi - 1, 120, Red);
    tk::line(30, 0, 30, hi - 1, Red);
    tk::line(120, 0, 120, hi - 1, Red);
    tk::stopDrawing();
    tk::setGadgetAttribute(642, tk::AttrImage, 43);
  }
  const auto redraw = [&] {
    EffectPreview(float(tk::gadgetState(YTab.amplitude)), float(tk::gadgetState(YTab.width)),
                  float(tk::gadgetState(XTab.amplitude)), float(tk::gadgetState(XTab.width)), float(xStart),
                  float(yStart), 642);
  };
  bool run = false;
  for (bool open = true; open;) {
    KeepDialogInFront(11);
    const int ev = tk::waitEvent();
    LastEvent = ev;
    if (IsDialogCancel(ev, 11)) break;
    if (ev != tk::EvGadget) continue;
    const int g = tk::eventGadget();
    for (const WaveTab* t : {&XTab, &YTab}) {
      const int32_t v = tk::gadgetState(g);
      if (g == t->start) {
        tk::setGadgetText(t->startLabel, "Anfang:" + std::to_string(v - 100) + "%");
        (t == &XTab ? xStart : yStart) = WaveStartFactor(v);
        redraw();
      } else if (g == t->amplitude) {
        tk::setGadgetText(t->amplitudeLabel, "Amplitude:" + std::to_string(v));
        redraw();
      } else if (g == t->width) {
        tk::setGadgetText(t->widthLabel, "Breite:" + std::to_string(v));
        redraw();
      }
    }
    if (g == 644) {
      run = true;
      open = false;
    } else if (g == 645) {
      open = false;
    }
  }
  const float xa = float(tk::gadgetState(XTab.amplitude)), xw = float(tk::gadgetState(XTab.width));
  const float ya = float(tk::gadgetState(YTab.amplitude)), yw = float(tk::gadgetState(YTab.width));
  CloseDialogWindow(11);
  if (!run) return 0;
  const int8_t xs = int8_t(std::lround(xStart)), ys = int8_t(std::lround(yStart));
  const bool area = uint8_t(marked) != 0;
  ReportEffectCall(FormatEffectCall(area ? "Waves_Marked" : "Waves", {xa, xw, ya, yw, double(xs), double(ys), 0}));
  if (area) Waves_Marked(xa, xw, ya, yw, xs, ys, 0);
  else Waves(xa, xw, ya, yw, xs, ys, 0);
  return 0;
}
