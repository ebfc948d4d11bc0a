// Colour effects of the marked area: fill, the inversions, the lattice inversion, colour
// noise, greyscale and the channel greys, two-colour dithering, the smear towards the image
// average and the extreme colours. Every cell of the area's rectangle is changed from its own
// colour bytes (and the image's averages); the flag byte is never read or written.
//
// Where a rule is the whole-image rule, the whole-image kernel runs on the area's span. Three
// rules are the area's own and exact on purpose:
// - the inversion around the average computes 2A - s with the unsigned average A and the
//   signed value s, keeps the low 8 bits and cuts a stored byte above 127 to 127;
// - the smear compares the signed value with the unsigned average and keeps the low 8 bits;
// - the noise draws ceiling(Random(amount) - amount / 2) per channel, red, green, blue, cell
//   by cell column by column, and puts a result that leaves -128..127 at the end it passed.
// These are rules on the signed value s = u - 128 that the tables below apply to the stored
// byte u directly, so the area never passes through the signed form.
#include <cmath>

#include "effects/area_frame.h"
#include "effects/effects.h"
#include "effects/kernels_geometry.h"
#include "toolkit/toolkit.h"

namespace {

// An amount that arrives above 127 (or as -128, a 128 read as signed) counts as 127.
int32_t AreaAmount(int32_t amount) {
  const int32_t u = amount & 0xFF;
  return u > 127 ? 127 : u;
}

template <class Kernel>
int32_t RunColour(int32_t quiet, Kernel kernel, bool setErrorCode = true) {
  fx::BeginAreaEffect(setErrorCode);
  kernel(fx::AreaSpan());
  fx::AreaLoopDone();
  fx::EndAreaEffect(quiet);
  return 0;
}

// Per channel rule on the signed value s and the channel's image average A (0..255, red,
// green, blue); the result is kept to its low 8 bits.
template <class Rule>
void MapSignedWithAverages(const fx::Span& s, Rule rule) {
  const int32_t average[3] = {AllRot, AllGruen, AllBlau};
  static fx::ChannelTables tables;
  tables.build([&](int32_t channel, int32_t u) { return rule(u - 128, average[channel]) + 128; });
  fx::MapChannels(s, tables);
}

}  // namespace

int32_t FillImage_Marked(int32_t red, int32_t green, int32_t blue, int32_t quiet) {
  return RunColour(quiet, [&](const fx::Span& s) { fx::FillColour(s, fx::ColourBytes(red, green, blue)); });
}

int32_t ColorTurn_Marked(int32_t quiet) {
  return RunColour(quiet, [](const fx::Span& s) { fx::XorCells(s, fx::ColourMask); });
}

int32_t Colorturn_Middle_Marked(int32_t quiet) {
  fx::BeginAreaEffect();
  UpdateAverageColors();
  MapSignedWithAverages(fx::AreaSpan(), [](int32_t v, int32_t a) {
    const int32_t stored = (2 * a - v) & 0xFF;   // the signed-form byte
    return int32_t(int8_t(uint8_t(stored > 127 ? 127 : stored)));
  });
  fx::AreaLoopDone();
  fx::EndAreaEffect(quiet);
  return 0;
}

int32_t InvertFarNear_Marked(int32_t quiet) { return RunColour(quiet, fx::InvertFarNearCells); }
int32_t InvertLowerHalf_Marked(int32_t quiet) { return RunColour(quiet, fx::InvertLowerHalfCells); }
int32_t Solarize_Marked(int32_t quiet) { return RunColour(quiet, fx::SolarizeCells); }
int32_t XtremeColors_Marked(int32_t quiet) { return RunColour(quiet, fx::XtremeCells); }

int32_t SpecialEffect_Marked(int32_t number, int32_t quiet) {
  fx::BeginAreaEffect();
  const int32_t stepX = number < 2 ? 1 : 2, stepY = number > 2 ? 1 : 2;
  fx::ComplementGrid(fx::AreaSpan(), stepX, stepY);
  // The stepped loops end at the first column and row past the last.
  lang = (arealang / stepX + 1) * stepX;
  hoch = (areahoch / stepY + 1) * stepY;
  fx::EndAreaEffect(quiet);
  return 0;
}

int32_t Corny_Marked(int32_t amount, int32_t quiet) {
  fx::BeginAreaEffect();
  const int32_t a = AreaAmount(amount);
  const float half = float(a) / 2.0f;
  auto noisy = [&](uint32_t u) {
    const int32_t n = int32_t(fx::CeilFloat(float(tk::random(a)) - half));
    const int32_t t = int32_t(u) - 128 + n;
    if (t >= -128 && t <= 127) return uint32_t(t + 128);
    return n <= 0 ? 0u : 255u;
  };
  const fx::Span s = fx::AreaSpan();
  for (int32_t x = 0; x < s.width; ++x) {
    fx::Cell* p = s.cells + x;
    for (int32_t y = 0; y < s.height; ++y, p += s.stride) {
      const fx::Cell c = *p;
      const uint32_t r = noisy((c >> 16) & 0xFF);
      const uint32_t g = noisy((c >> 8) & 0xFF);
      const uint32_t b = noisy(c & 0xFF);
      *p = (c & fx::FlagMask) | r << 16 | g << 8 | b;
    }
  }
  fx::AreaLoopDone();
  fx::EndAreaEffect(quiet);
  return 0;
}

int32_t BlackWhite_Marked(int32_t quiet) {
  // ceiling((sR + sG + sB) / 3) is ceiling((R + G + B) / 3) - 128: 384 / 3 is whole.
  return RunColour(quiet, [](const fx::Span& s) {
    fx::ForEachRow(s, [](fx::Cell* p, int32_t n) {
      for (int32_t i = 0; i < n; ++i) {
        const fx::Cell c = p[i];
        const uint32_t sum = (c & 0xFF) + ((c >> 8) & 0xFF) + ((c >> 16) & 0xFF);
        p[i] = (c & fx::FlagMask) | fx::GreyBytes(fx::DivideBy3(sum + 2));
      }
    });
  });
}

// The channel greys keep the caller's error-location code.
int32_t GreyFromRed_Marked(int32_t quiet) {
  return RunColour(quiet, [](const fx::Span& s) { fx::GreyFromChannel(s, 2); }, false);
}
int32_t GreyFromGreen_Marked(int32_t quiet) {
  return RunColour(quiet, [](const fx::Span& s) { fx::GreyFromChannel(s, 1); }, false);
}
int32_t GreyFromBlue_Marked(int32_t quiet) {
  return RunColour(quiet, [](const fx::Span& s) { fx::GreyFromChannel(s, 0); }, false);
}
int32_t GreyFromRedGreen_Marked(int32_t quiet) {
  return RunColour(quiet, [](const fx::Span& s) { fx::GreyFromPair(s, 2, 1); }, false);
}
int32_t GreyFromRedBlue_Marked(int32_t quiet) {
  return RunColour(quiet, [](const fx::Span& s) { fx::GreyFromPair(s, 2, 0); }, false);
}
int32_t GreyFromGreenBlue_Marked(int32_t quiet) {
  return RunColour(quiet, [](const fx::Span& s) { fx::GreyFromPair(s, 1, 0); }, false);
}

int32_t BiChromaticDithering_Marked(int32_t red1, int32_t green1, int32_t blue1, int32_t red2, int32_t green2,
                                    int32_t blue2, uint8_t quiet) {
  return RunColour(quiet, [&](const fx::Span& s) { fx::BiChromaticCells(s, red1, green1, blue1, red2, green2, blue2); });
}

int32_t UnClear_Marked(int32_t amount, int32_t quiet) {
  fx::BeginAreaEffect();
  UpdateAverageColors();
  const int32_t a = AreaAmount(amount);
  MapSignedWithAverages(fx::AreaSpan(), [a](int32_t v, int32_t average) {
    if (v > average) return v - a;
    if (v < average) return v + a;
    return v;
  });
  fx::AreaLoopDone();
  fx::EndAreaEffect(quiet);
  return 0;
}
