// Channel setting and spectrum stretching, on the image and on the marked area.
//
// The setters give one channel byte a fixed value (a negative value does nothing at all).
// SetColorspec stretches or compresses each channel around a turning point so that the
// span's current signed extremes land on the new ones: d := v - turn, d > 0 scaled by
// newMax / max, d < 0 by newMin / min, each product stored as a 32-bit float and floored,
// the result kept as its low 8 bits. A channel whose current extreme is 0 (the factor would
// be infinite) is left as it is. Every rule depends on the channel value alone, so it is a
// table per channel.
//
// Colorspectrum_Marked is the area's form of the spectrum correction: the image's extremes,
// s > 0 times 1 + (127 - max) / 127 and s <= 0 times 1 + (min + 128) / 128 rounded by
// RoundNearest (halves down, unlike the image form); a value of the area beyond the image's
// extremes is clamped to the signed range instead of wrapping.
#include <algorithm>
#include <cmath>

#include "effects/area_frame.h"
#include "effects/effects.h"
#include "effects/frame.h"
#include "effects/kernels_tone.h"

namespace {

int32_t SetChannelImage(int32_t byte, int32_t value, uint8_t quiet) {
  if (value < 0) return 0;
  fx::BeginEffect(quiet);
  fx::SetChannelByte(fx::ImageSpan(), byte, uint8_t(value));
  fx::CountedLoopDone();
  fx::EndEffect(quiet);
  return 0;
}

int32_t SetChannelArea(int32_t byte, int32_t value, uint8_t quiet, bool refreshAlways) {
  if (value < 0) return 0;
  fx::BeginAreaEffect();
  fx::SetChannelByte(fx::AreaSpan(), byte, uint8_t(value));
  fx::AreaLoopDone();
  if (refreshAlways) RefreshView();
  else fx::EndAreaEffect(quiet);
  return 0;
}

// The spectrum of the span: minima and maxima as unsigned 0..255, limits as given (low
// bytes, 0..255 meaning -128..127), turning points as signed bytes.
void StretchSpectrum(const fx::Span& span, const uint8_t minimum[3], const uint8_t maximum[3],
                     const int8_t turn[3]) {
  int32_t hi[3], lo[3];
  fx::ChannelExtremes(span, hi, lo);
  float up[3], down[3];
  bool keep[3];
  for (int k = 0; k < 3; ++k) {
    const int32_t newMin = int32_t(minimum[k]) - 128, newMax = int32_t(maximum[k]) - 128;
    const int32_t M = hi[k] - 128, m = lo[k] - 128;
    up[k] = down[k] = 1.0f;
    keep[k] = false;
    if (newMax >= 0 && newMin <= 0) {
      if (M == 0 || m == 0) {
        keep[k] = true;   // no finite factor: the channel stays
      } else {
        up[k] = float(double(newMax) / double(M));
        down[k] = float(double(newMin) / double(m));
      }
    }
  }
  static fx::ChannelTables tables;
  tables.build([&](int32_t channel, int32_t u) {
    if (keep[channel]) return u;
    const int32_t t = turn[channel];
    int32_t d = u - 128 - t;
    if (d > 0) d = int32_t(std::floor(float(double(d) * double(up[channel]))));
    else if (d < 0) d = int32_t(std::floor(float(double(d) * double(down[channel]))));
    return t + d + 128;   // low 8 bits kept by the table
  });
  fx::MapChannels(span, tables);
}

}  // namespace

int32_t SetRedColors(int32_t value, uint8_t quiet) { return SetChannelImage(2, value, quiet); }
int32_t SetGreenColors(int32_t value, uint8_t quiet) { return SetChannelImage(1, value, quiet); }
int32_t SetBlueColors(int32_t value, uint8_t quiet) { return SetChannelImage(0, value, quiet); }

// The red twin refreshes the view whatever quiet is; green and blue only when interactive.
int32_t SetRedColors_Marked(int32_t value, uint8_t quiet) { return SetChannelArea(2, value, quiet, true); }
int32_t SetGreenColors_Marked(int32_t value, uint8_t quiet) { return SetChannelArea(1, value, quiet, false); }
int32_t SetBlueColors_Marked(int32_t value, uint8_t quiet) { return SetChannelArea(0, value, quiet, false); }

int32_t SetColorspec(int32_t redMin, int32_t redMax, int32_t redTurn, int32_t greenMin, int32_t greenMax,
                     int32_t greenTurn, int32_t blueMin, int32_t blueMax, int32_t blueTurn, uint8_t quiet) {
  fx::BeginEffect(quiet);
  const uint8_t minimum[3] = {uint8_t(redMin), uint8_t(greenMin), uint8_t(blueMin)};
  const uint8_t maximum[3] = {uint8_t(redMax), uint8_t(greenMax), uint8_t(blueMax)};
  const int8_t turn[3] = {int8_t(redTurn), int8_t(greenTurn), int8_t(blueTurn)};
  StretchSpectrum(fx::ImageSpan(), minimum, maximum, turn);
  fx::CountedLoopDone();
  fx::EndEffect(quiet);
  return 0;
}

int32_t SetColorspec_Marked(uint8_t redMin, uint8_t redMax, uint8_t redTurn, uint8_t greenMin, uint8_t greenMax,
                            uint8_t greenTurn, uint8_t blueMin, uint8_t blueMax, uint8_t blueTurn, uint8_t quiet) {
  fx::BeginAreaEffect();
  const uint8_t minimum[3] = {redMin, greenMin, blueMin};
  const uint8_t maximum[3] = {redMax, greenMax, blueMax};
  const int8_t turn[3] = {int8_t(redTurn), int8_t(greenTurn), int8_t(blueTurn)};
  StretchSpectrum(fx::AreaSpan(), minimum, maximum, turn);
  fx::AreaLoopDone();
  fx::EndAreaEffect(quiet);
  return 0;
}

int32_t Colorspectrum_Marked(uint8_t quiet) {
  fx::BeginAreaEffect();
  UpdateMinMaxColors();
  if (MaxRot == 127 && MaxGruen == 127 && MaxBlau == 127 && MinRot == -128 && MinGruen == -128 &&
      MinBlau == -128)
    return 0;   // every channel of the image already reaches both ends
  // A quiet run belongs to a script, whose own undo point covers it.
  if (quiet == 0) CreateUndoPoint();
  const int32_t maxima[3] = {MaxRot, MaxGruen, MaxBlau}, minima[3] = {MinRot, MinGruen, MinBlau};
  float up[3], down[3];
  for (int k = 0; k < 3; ++k) {
    up[k] = float(1.0 + double(127 - maxima[k]) / 127.0);
    down[k] = float(1.0 + double(minima[k] + 128) / 128.0);
  }
  static fx::ChannelTables tables;
  tables.build([&](int32_t channel, int32_t u) {
    const int32_t s = u - 128;
    const int32_t n = RoundNearest(float(double(s) * double(s > 0 ? up[channel] : down[channel])));
    return std::clamp(n, -128, 127) + 128;
  });
  fx::MapChannels(fx::AreaSpan(), tables);
  fx::AreaLoopDone();
  fx::EndAreaEffect(quiet);
  return 0;
}
