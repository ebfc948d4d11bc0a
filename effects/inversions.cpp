// Inversions of the channel values and the fill of the whole image. The inversions are
// rules on the signed value s = u - 128 of each channel, the result stored as its low 8
// bits. On processors with byte lanes each rule works on the bytes of four cells at once
// (the byte arithmetic wraps, which is the "low 8 bits"); elsewhere on the unsigned values
// four cells at a time. Either way the image never passes through the signed form, and
// flag bytes are kept.
#include "effects/effects.h"
#include "effects/frame.h"

namespace {

// Runs a per-channel signed rule over the image: s -> rule(channel, s), low 8 bits kept.
template <class SignedRule>
void MapSigned(SignedRule rule) {
  fx::MapChannelsBy(fx::ImageSpan(), [&rule](fx::V4 u, int32_t channel) { return rule(channel, u - 128) + 128; });
}

}  // namespace

int32_t ColorTurn(int32_t quiet) {
  fx::BeginEffect(quiet);
  ResetLoopCounters();
  // s -> -s - 1 is u -> 255 - u: the complement of the colour bytes.
  fx::XorCells(fx::ImageSpan(), fx::ColourMask);
  fx::ResetLoopDone();
  fx::EndEffect(quiet);
  return 0;
}

int32_t Colorturn_Middle(int32_t quiet) {
  UpdateAverageColors();   // before the undo point, as the means are of the image as it is
  fx::BeginEffect(quiet);
  AverageColorToSigned();
#if defined(__SSE2__)
  // 2A - s clamped to -128..127 is (A - s) + A with signed saturation at both steps: a
  // first step that saturates leaves a final value beyond the same end.
  const __m128i a = fx::ChannelLanes(AllRot, AllGruen, AllBlau);
  fx::MapSignedBytes(fx::ImageSpan(), [a](__m128i s) { return _mm_adds_epi8(_mm_subs_epi8(a, s), a); });
#else
  const int32_t mean[3] = {AllRot, AllGruen, AllBlau};
  MapSigned([&](int32_t channel, fx::V4 s) {
    const int32_t a = mean[channel];
    return fx::Clamp(a - (s - a), -128, 127);
  });
#endif
  fx::CountedLoopDone();
  AverageColorToUnsigned();
  fx::EndEffect(quiet);
  return 0;
}

int32_t InvertFarNear(uint8_t quiet) {
  fx::BeginEffect(quiet);
  // 128 stays; the halves are mirrored into each other around it.
#if defined(__SSE2__)
  fx::MapSignedBytes(fx::ImageSpan(), [](__m128i s) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i positive = _mm_sub_epi8(_mm_set1_epi8(-127), s);   // 129 - s, low 8 bits
    const __m128i negative = _mm_sub_epi8(_mm_set1_epi8(-128), s);
    return _mm_andnot_si128(_mm_cmpeq_epi8(s, zero), fx::SelectBytes(_mm_cmpgt_epi8(s, zero), positive, negative));
  });
#else
  MapSigned([](int32_t, fx::V4 s) { return fx::Select(s == 0, s, fx::Select(s > 0, 129 - s, -128 - s)); });
#endif
  fx::CountedLoopDone();
  fx::EndEffect(quiet);
  return 0;
}

int32_t InvertLowerHalf(uint8_t quiet) {
  fx::BeginEffect(quiet);
#if defined(__SSE2__)
  // -s - 1 is the complement of s
  fx::MapSignedBytes(fx::ImageSpan(), [](__m128i s) { return _mm_xor_si128(s, _mm_cmplt_epi8(s, _mm_setzero_si128())); });
#else
  MapSigned([](int32_t, fx::V4 s) { return fx::Select(s < 0, -s - 1, s); });
#endif
  fx::CountedLoopDone();
  fx::EndEffect(quiet);
  return 0;
}

int32_t Solarize(uint8_t quiet) {
  fx::BeginEffect(quiet);
#if defined(__SSE2__)
  fx::MapSignedBytes(fx::ImageSpan(), [](__m128i s) { return _mm_xor_si128(s, _mm_cmpgt_epi8(s, _mm_set1_epi8(-1))); });
#else
  MapSigned([](int32_t, fx::V4 s) { return fx::Select(s >= 0, -s - 1, s); });
#endif
  fx::CountedLoopDone();
  fx::EndEffect(quiet);
  return 0;
}

int32_t FillImage(int32_t red, int32_t green, int32_t blue, int32_t quiet) {
  fx::BeginEffect(quiet);
  fx::FillColour(fx::ImageSpan(), fx::ColourBytes(red, green, blue));
  fx::CountedLoopDone();
  fx::EndEffect(quiet);
  return 0;
}
