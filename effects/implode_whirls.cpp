// Implode, explode and the two whirls: radial distortions around the centre of the image or
// of the marked area, walked ring by ring (effects/kernels_rings.h); and the channel mixing
// (ColorEffekt), each channel the mean of the other two.
//
// The whole-image forms and the marked twins count and step their rings differently and
// are kept so on purpose: the whole-image implode walks each ring with step 1 / r (three
// turns) in strength + 1 passes, its explode moves by `strength` rings in one pass; the
// twins step 6.3 / n over one turn in `strength` passes of one ring each. The whirls share
// their ring walk and hole filling: radius 0 is never divided by. The whole-image whirl
// marks the centre as written and counts the flag bytes the image had before (flag 1 is
// "written"), then clears every flag; the twin keeps its markers beside the area and leaves
// the flags alone. A hole without a written neighbour keeps its colour.
//
// Only the colour bytes move; every cell keeps its flag byte (but the whole-image whirls,
// which end with all flags 0).
#include <algorithm>
#include <cstring>
#include <new>
#include <vector>

#include "documents/documents.h"
#include "effects/effects.h"
#include "effects/area_frame.h"
#include "effects/frame.h"
#include "effects/kernels_mixing.h"
#include "effects/kernels_rings.h"

namespace {

// The ring map and the markers of the whirls, kept between runs like TransformCopy, so that
// a run on a picture of the same size allocates nothing (but for many implode passes, which
// take the map's power). The twins work on AreaTransformCopy, which is one cell again when
// they return.
std::vector<int32_t> RingMap(1);
std::vector<uint8_t> WhirlMarks(1);

fx::Span AreaCells() { return fx::AreaCellsSpan(); }
void BeginMarked() { fx::BeginAreaEffect(); }
void EndMarked(int32_t quiet) {
  AreaTransformCopy.assign(1, 0);
  fx::EndAreaEffect(quiet);
}

int32_t OuterRadius(const fx::Span& s) { return Distance((s.width - 1) / 2, (s.height - 1) / 2); }

// Whole-image implode: every pass walks each ring three times round with step 1 / r and
// moves its colours one ring inwards.
void ImplodeImage(const fx::Span& s, int32_t strength) {
  const int32_t R = OuterRadius(s);
  const fx::RingFrame f = fx::RingFrameOf(s);
  fx::ResetRingMap(RingMap, s);
  for (int32_t r = R; r >= 1; --r) {
    const int32_t count = fx::RingCount(6.0L * (long double)fx::PiFloat, r);
    const float step = float(1.0L / (long double)r);
    fx::WalkRingPairs(f, r - 1, r, count, step, [](int64_t inner, int64_t outer) { RingMap[inner] = int32_t(outer); });
  }
  fx::ApplyRingMap(s, TransformCopy, RingMap, int64_t(strength) + 1);
}

// Whole-image explode: one pass; the ring at radius r takes the colours of the same angle
// at radius r - strength (through the centre when that is negative).
void ExplodeImage(const fx::Span& s, int32_t strength) {
  const int32_t R = OuterRadius(s);
  const fx::RingFrame f = fx::RingFrameOf(s);
  TransformCopy.assign(s.cells, s.cells + size_t(s.height) * s.stride);
  const fx::Cell* copy = TransformCopy.data();
  for (int32_t r = R; r >= 1; --r) {
    const int32_t count = fx::RingCount(2.0L * (long double)fx::PiFloat, r);
    const float step = float((long double)strength / (long double)r);
    fx::WalkRingPairs(f, r, double(r) - double(strength), count, step, [&](int64_t target, int64_t source) {
      s.cells[target] = (s.cells[target] & fx::FlagMask) | (copy[source] & fx::ColourMask);
    });
  }
}

// The twins' implode (inwards) and explode (outwards): `strength` passes of one ring each,
// n + 1 points a ring with step 6.3 / n.
void RingPassesArea(const fx::Span& s, int32_t strength, bool inwards) {
  if (strength < 1 || s.empty()) return;
  const int32_t R = OuterRadius(s);
  const fx::RingFrame f = fx::RingFrameOf(s);
  fx::ResetRingMap(RingMap, s);
  for (int32_t r = R; r >= 1; --r) {
    const int32_t n = fx::RingCount((inwards ? 6.0L : 2.0L) * (long double)fx::PiFloat, r);
    const float step = float(6.3L / (long double)n);
    if (inwards) {
      fx::WalkRingPairs(f, r - 1, r, n, step, [](int64_t p2, int64_t p1) { RingMap[p2] = int32_t(p1); });
    } else {
      fx::WalkRingPairs(f, r, r - 1, n, step, [](int64_t p1, int64_t p2) { RingMap[p1] = int32_t(p2); });
    }
  }
  fx::ApplyRingMap(s, AreaTransformCopy, RingMap, strength);
}

// The whirl's ring phase and hole filling. `marks` must already hold the markers the walk
// starts from (column by column); centreMarked: the centre counts as written.
void WhirlCells(const fx::Span& s, const fx::Cell* copy, int32_t strength, int32_t direction, bool centreMarked) {
  const int32_t R = OuterRadius(s);
  const fx::RingFrame f = fx::RingFrameOf(s);
  if (centreMarked) WhirlMarks[size_t(f.cx) * s.height + f.cy] = 1;
  for (int32_t r = 1; r <= R; ++r) {
    const int32_t count = fx::RingCount(6.3L, r);
    const float step = float((long double)strength / (long double)r);
    fx::WhirlRing(s, copy, WhirlMarks.data(), f, r, count, step, direction);
  }
  fx::FillWhirlHoles(s, WhirlMarks.data());
}

int32_t WhirlImage(int32_t strength, int32_t quiet, int32_t direction) {
  fx::BeginEffect(quiet);
  const fx::Span s = fx::ImageSpan();
  TransformCopy.assign(s.cells, s.cells + size_t(s.height) * s.stride);
  // The flags the image holds are the markers the walk starts from, column by column.
  WhirlMarks.resize(size_t(s.width) * s.height);
  for (int32_t y = 0; y < s.height; ++y) {
    const fx::Cell* row = s.row(y);
    for (int32_t x = 0; x < s.width; ++x) WhirlMarks[size_t(x) * s.height + y] = uint8_t(row[x] >> 24);
  }
  WhirlCells(s, TransformCopy.data(), strength, direction, true);
  ClearPixelFlags();
  fx::EndEffect(quiet);
  return 0;
}

int32_t WhirlArea(int32_t strength, int32_t quiet, int32_t direction) {
  BeginMarked();
  const fx::Span s = AreaCells();
  if (s.empty()) {
    EndMarked(quiet);
    return 0;
  }
  AreaTransformCopy.assign(s.cells, s.cells + size_t(s.height) * s.stride);
  WhirlMarks.assign(size_t(s.width) * s.height, 0);
  WhirlCells(s, AreaTransformCopy.data(), strength, direction, false);
  EndMarked(quiet);
  return 0;
}

}  // namespace

int32_t Implode(int32_t strength, int32_t quiet) {
  fx::BeginEffect(quiet);
  if (strength >= 0) ImplodeImage(fx::ImageSpan(), strength);
  fx::EndEffect(quiet);
  return 0;
}

int32_t Explode(int32_t strength, int32_t quiet) {
  fx::BeginEffect(quiet);
  ExplodeImage(fx::ImageSpan(), strength);
  fx::EndEffect(quiet);
  return 0;
}

int32_t Whirl_Right(int32_t strength, int32_t quiet) { return WhirlImage(strength, quiet, 1); }
int32_t Whirl_Left(int32_t strength, int32_t quiet) { return WhirlImage(strength, quiet, -1); }

int32_t ColorEffekt(int32_t quiet) {
  fx::BeginEffect(quiet);
  fx::MixOtherChannels(fx::ImageSpan());
  fx::CountedLoopDone();
  fx::EndEffect(quiet);
  return 0;
}

int32_t Implode_Marked(int32_t strength, int32_t quiet) {
  BeginMarked();
  RingPassesArea(AreaCells(), strength, true);
  EndMarked(quiet);
  return 0;
}

int32_t Explode_Marked(int32_t strength, int32_t quiet) {
  BeginMarked();
  RingPassesArea(AreaCells(), strength, false);
  EndMarked(quiet);
  return 0;
}

int32_t Whirl_Right_Marked(int32_t strength, int32_t quiet) { return WhirlArea(strength, quiet, 1); }
int32_t Whirl_Left_Marked(int32_t strength, int32_t quiet) { return WhirlArea(strength, quiet, -1); }

int32_t ColorEffekt_Marked(int32_t quiet) {
  BeginMarked();
  fx::MixOtherChannels(AreaCells());
  fx::AreaLoopDone();
  EndMarked(quiet);
  return 0;
}
