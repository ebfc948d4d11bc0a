// Tone, silhouette, channel shift, soften and sharpen, on the image and on the marked area.
//
// Toning keeps a cell's channel sum and spreads it by the shares of the tone colour; a
// channel that would pass 255 hands half of its overflow (RoundNearest, halves down) to the
// other two, red's first, then green's, then blue's. The result depends only on the cell's
// channel sum, so both forms build a table of the 766 sums and look each cell up. The area
// form works on the sum minus 3 and one above it (its own arithmetic, kept on purpose).
//
// The silhouette compares the channel sum with the sum of the image means (the area form
// uses the image means too). The channel shift moves each plane in place in its own
// visiting order, which is what makes a negative distance repeat the far strip.
//
// Soft and sharp drawing: a positive strength pulls every inner value towards the truncated
// mean of its eight neighbours (and past it when the strength is larger than the distance),
// a negative strength pushes it away. On the image a value equal to the mean moves down by
// the strength (up when sharpening); on the area it stays. Border cells never change.
#include <algorithm>

#include "effects/area_frame.h"
#include "effects/effects.h"
#include "effects/frame.h"
#include "effects/kernels_tone.h"

namespace {

// Shares of the tone colour as 32-bit floats; false when the colour is black (no shares).
bool ToneShares(int32_t r, int32_t g, int32_t b, float share[3]) {
  const double sum = double(r) + double(g) + double(b);
  if (sum == 0.0) return false;
  share[0] = float(double(r) / sum);
  share[1] = float(double(g) / sum);
  share[2] = float(double(b) / sum);
  return true;
}

// RoundNearest of the product of a channel sum and a share, kept inside the range where a
// share from a colour far outside 0..255 cannot overflow the integer (colours from the
// dialog and the scripts never come near it).
int32_t ScaledSum(int32_t sum, float share) {
  const float p = std::clamp(float(double(sum) * double(share)), -1.0e9f, 1.0e9f);
  return RoundNearest(p);
}

// Half an overflow, as the hand-on rounds it.
int32_t HalfOf(int32_t overflow) { return RoundNearest(float(overflow) / 2.0f); }

// The toned colour of every channel sum, image form: n := RoundNearest(s x share) (the
// product stored as a float first); from 255 up the channel is 255 and the rest overflows.
void ImageToneTable(const float share[3], fx::Cell table[766]) {
  for (int32_t s = 0; s <= 765; ++s) {
    int32_t ch[3], over[3];
    for (int k = 0; k < 3; ++k) {
      const int32_t n = ScaledSum(s, share[k]);
      ch[k] = n < 255 ? n : 255;
      over[k] = n < 255 ? 0 : n - 255;
    }
    // red's overflow to green and blue, green's to red and blue, blue's to green and red
    static const int kTo[3][2] = {{1, 2}, {0, 2}, {1, 0}};
    for (int k = 0; k < 3; ++k) {
      if (over[k] <= 0) continue;
      const int32_t h = HalfOf(over[k]);
      for (int t : kTo[k]) ch[t] = std::min(255, ch[t] + h);
    }
    table[s] = fx::ColourBytes(ch[0], ch[1], ch[2]);
  }
}

// The area form on signed values: T := s - 3, n := RoundNearest(T x share) - 127; from 128
// up the channel is 127 and n - 127 overflows; the hand-on stops at 127. A channel below
// the signed range stays at -128 (the near-black sums 0 and 1 would otherwise wrap to the
// top of the range).
void AreaToneTable(const float share[3], fx::Cell table[766]) {
  for (int32_t s = 0; s <= 765; ++s) {
    const int32_t t = s - 3;
    int32_t ch[3], over[3];
    for (int k = 0; k < 3; ++k) {
      const int32_t n = ScaledSum(t, share[k]) - 127;
      ch[k] = n >= 128 ? 127 : std::max(n, -128);
      over[k] = n >= 128 ? n - 127 : 0;
    }
    static const int kTo[3][2] = {{1, 2}, {0, 2}, {1, 0}};
    for (int k = 0; k < 3; ++k) {
      if (over[k] <= 0) continue;
      const int32_t h = HalfOf(over[k]);
      for (int q : kTo[k]) ch[q] = std::min(127, ch[q] + h);
    }
    table[s] = fx::ColourBytes(ch[0] + 128, ch[1] + 128, ch[2] + 128);
  }
}

// White where the channel sum is above `threshold`, black elsewhere.
void ShadowTable(int32_t threshold, fx::Cell table[766]) {
  for (int32_t s = 0; s <= 765; ++s) table[s] = s > threshold ? fx::ColourMask : 0;
}

// The channel passes of the shift, red, green, blue; `forward`/`horizontal` of each code.
struct ShiftMove {
  bool valid, horizontal, forward;
};
void ShiftChannels(const fx::Span& span, const int32_t distance[3], const int32_t direction[3],
                   ShiftMove (*move)(int32_t)) {
  for (int k = 0; k < 3; ++k) {
    const ShiftMove m = move(direction[k]);
    if (m.valid) fx::ShiftPlane(span, 2 - k, m.horizontal, m.forward, distance[k]);
  }
}
// Image codes: 1 right, 2 left, 3 down, 4 up.
ShiftMove ImageShift(int32_t code) {
  switch (code) {
    case 1: return {true, true, true};
    case 2: return {true, true, false};
    case 3: return {true, false, true};
    case 4: return {true, false, false};
    default: return {false, false, false};
  }
}
// Area codes: 1 right, 2 left, 3 up, 4 down.
ShiftMove AreaShift(int32_t code) {
  switch (code) {
    case 1: return {true, true, true};
    case 2: return {true, true, false};
    case 3: return {true, false, false};
    case 4: return {true, false, true};
    default: return {false, false, false};
  }
}

std::vector<fx::Cell> SoftenRows;   // two rows of the span as they were

}  // namespace

int32_t Coloring(int32_t r, int32_t g, int32_t b, uint8_t quiet) {
  fx::BeginEffect(quiet);
  float share[3];
  if (ToneShares(r, g, b, share)) {   // black: no shares, the image stays
    static fx::Cell table[766];
    ImageToneTable(share, table);
    fx::MapFromSum(fx::ImageSpan(), table);
  }
  fx::CountedLoopDone();
  fx::EndEffect(quiet);
  return 0;
}

int32_t Coloring_Marked(int32_t r, int32_t g, int32_t b, uint8_t quiet) {
  fx::BeginAreaEffect();
  float share[3];
  if (ToneShares(r, g, b, share)) {
    static fx::Cell table[766];
    AreaToneTable(share, table);
    fx::MapFromSum(fx::AreaSpan(), table);
  }
  fx::AreaLoopDone();
  fx::EndAreaEffect(quiet);
  return 0;
}

int32_t Shadow(uint8_t quiet) {
  fx::BeginEffect(quiet);
  UpdateAverageColors();
  AverageColorToSigned();
  static fx::Cell table[766];
  ShadowTable(AllRot + AllGruen + AllBlau + 384, table);   // the signed means back to a sum
  fx::MapFromSum(fx::ImageSpan(), table);
  AverageColorToUnsigned();
  fx::CountedLoopDone();
  fx::EndEffect(quiet);
  return 0;
}

int32_t Shadow_Marked(uint8_t quiet) {
  fx::BeginAreaEffect();
  UpdateAverageColors();
  AverageColorToSigned();   // the means are left in the signed form
  static fx::Cell table[766];
  ShadowTable(AllRot + AllGruen + AllBlau + 384, table);
  fx::MapFromSum(fx::AreaSpan(), table);
  fx::AreaLoopDone();
  fx::EndAreaEffect(quiet);
  return 0;
}

int32_t Colormove(int32_t redAmount, int32_t greenAmount, int32_t blueAmount, int32_t redDirection,
                  int32_t greenDirection, int32_t blueDirection, uint8_t quiet) {
  fx::BeginEffect(quiet);
  const int32_t distance[3] = {redAmount, greenAmount, blueAmount};
  const int32_t direction[3] = {redDirection, greenDirection, blueDirection};
  ShiftChannels(fx::ImageSpan(), distance, direction, ImageShift);
  fx::CountedLoopDone();
  fx::EndEffect(quiet);
  return 0;
}

int32_t Colormove_Marked(int32_t redAmount, int32_t greenAmount, int32_t blueAmount, int32_t redDirection,
                         int32_t greenDirection, int32_t blueDirection, uint8_t quiet) {
  fx::BeginAreaEffect();
  const int32_t distance[3] = {redAmount, greenAmount, blueAmount};
  const int32_t direction[3] = {redDirection, greenDirection, blueDirection};
  ShiftChannels(fx::AreaSpan(), distance, direction, AreaShift);
  fx::AreaLoopDone();
  fx::EndAreaEffect(quiet);
  return 0;
}

int32_t SoftSharpDraw(uint8_t quiet, int32_t strength) {
  fx::BeginEffect(quiet);
  // from 255 on every step reaches the end of the range; the clamp keeps -strength defined
  strength = std::clamp(strength, -255, 255);
  fx::SoftSharpCells(fx::ImageSpan(), strength, -strength, SoftenRows);
  SoftenRows.assign(1, 0);
  lang = std::max(bildlang, 1);
  hoch = std::max(bildhoch, 1);
  fx::EndEffect(quiet);
  return 0;
}

int32_t SoftSharpDraw_Marked(int32_t strength, uint8_t quiet) {
  fx::BeginAreaEffect();
  // an 8-bit strength: 128 means the strongest softening, not a sharpening
  strength = std::clamp(strength, -127, 127);
  fx::SoftSharpCells(fx::AreaSpan(), strength, 0, SoftenRows);
  SoftenRows.assign(1, 0);
  lang = std::max(arealang, 1);
  hoch = std::max(areahoch, 1);
  fx::EndAreaEffect(quiet);
  return 0;
}
