// Wind, smear (UnClear), blur and the specials. The wind and blur effects work in place:
// a cell written earlier in a run is read again by later steps, so the wind walks each
// row (or column) in its own direction and draws its random run lengths in exactly that
// order, rows top to bottom (columns left to right). A wind strength of 0 or below would
// give runs of no length; the effect then returns before anything happens.
//
// Blur_Right does what Blur_Left does: scripts and stored structures rely on it.
#include <cstdint>

#include "effects/effects.h"
#include "effects/frame.h"
#include "effects/kernels_geometry.h"
#include "toolkit/toolkit.h"

namespace {

int32_t Draw(int32_t bound) { return tk::random(bound); }

int32_t RunWind(int32_t strength, int32_t quiet, bool alongRows, bool fromEnd) {
  if (strength <= 0) return 0;
  fx::BeginEffect(quiet);
  if (alongRows) fx::WindAlongRows(fx::ImageSpan(), strength, fromEnd, Draw);
  else fx::WindAlongColumns(fx::ImageSpan(), strength, fromEnd, Draw);
  fx::EndEffect(quiet);
  return 0;
}

template <class Kernel>
int32_t RunShift(int32_t quiet, Kernel kernel) {
  fx::BeginEffect(quiet);
  ResetLoopCounters();
  kernel(fx::ImageSpan());
  fx::ResetLoopDone();
  fx::EndEffect(quiet);
  return 0;
}

}  // namespace

int32_t Wind_Left(int32_t strength, int32_t quiet) { return RunWind(strength, quiet, true, false); }
int32_t Wind_Right(int32_t strength, int32_t quiet) { return RunWind(strength, quiet, true, true); }
int32_t Wind_Up(int32_t strength, int32_t quiet) { return RunWind(strength, quiet, false, false); }
int32_t Wind_Down(int32_t strength, int32_t quiet) { return RunWind(strength, quiet, false, true); }

int32_t UnClear(int32_t strength, int32_t quiet) {
  fx::BeginEffect(quiet);
  UpdateAverageColors();
  ResetLoopCounters();
  AverageColorToSigned();
  // Each channel moves towards its signed mean by the strength and may pass beyond it;
  // a result outside the signed range stops at 127 or -127.
  const int32_t mean[3] = {AllRot, AllGruen, AllBlau};
#if defined(__SSE2__)
  const bool inBytes = strength >= 0 && strength <= 127;
#else
  const bool inBytes = false;
#endif
  if (inBytes) {
#if defined(__SSE2__)
    // Byte lanes: signed saturation stops a move up at 127; a move down that reaches -128
    // stops at -127, one above where saturation leaves it.
    const __m128i a = fx::ChannelLanes(AllRot, AllGruen, AllBlau), step = _mm_set1_epi8(char(strength));
    fx::MapSignedBytes(fx::ImageSpan(), [&](__m128i s) {
      const __m128i up = _mm_adds_epi8(s, step);
      __m128i down = _mm_subs_epi8(s, step);
      down = _mm_sub_epi8(down, _mm_cmpeq_epi8(down, _mm_set1_epi8(-128)));
      return fx::SelectBytes(_mm_cmplt_epi8(s, a), up, fx::SelectBytes(_mm_cmpgt_epi8(s, a), down, s));
    });
#endif
  } else {
    // The strength brought into -512..512 without changing a result: from 256 up every
    // move leaves the signed range and stops at 127 or -127; from -256 down no move stops
    // and only the low 8 bits are stored, so a step of the same remainder modulo 256 does.
    int32_t step = strength;
    if (strength > 512) step = 512;
    else if (strength <= -256) step = -512 + ((strength % 256) + 256) % 256;
    fx::MapChannelsBy(fx::ImageSpan(), [&](fx::V4 u, int32_t channel) {
      const fx::V4 s = u - 128, a = fx::Splat(mean[channel]);
      const fx::V4 up = fx::Select(s + step >= 128, fx::Splat(127), s + step);
      const fx::V4 down = fx::Select(s - step <= -128, fx::Splat(-127), s - step);
      return fx::Select(s < a, up, fx::Select(s > a, down, s)) + 128;
    });
  }
  fx::ResetLoopDone();
  AverageColorToUnsigned();
  fx::EndEffect(quiet);
  return 0;
}

int32_t Blur_Up(int32_t quiet) {
  return RunShift(quiet, [](const fx::Span& s) { fx::BlurColumnsUp(s, 1); });
}
int32_t Blur_Down(int32_t quiet) {
  return RunShift(quiet, [](const fx::Span& s) { fx::BlurColumnsUp(s, 0); });
}
int32_t Blur_Left(int32_t quiet) {
  return RunShift(quiet, [](const fx::Span& s) { fx::BlurRowsLeft(s); });
}
int32_t Blur_Right(int32_t quiet) {
  return RunShift(quiet, [](const fx::Span& s) { fx::BlurRowsLeft(s); });
}

int32_t SpecialEffect(int32_t mode, int32_t quiet) {
  // mode 1 (and below): the even rows; 2: cells with both indices even; 3 (and above):
  // the even columns.
  return RunShift(quiet, [mode](const fx::Span& s) { fx::ComplementGrid(s, mode < 2 ? 1 : 2, mode > 2 ? 1 : 2); });
}
