// Waves, roll and sprinkle, for the image and the marked area: effects that move colours
// between cells and leave the flag bytes where they are. Every cell is read from a copy of
// the cells as they stood before (before each wave, for the waves).
//
// Waves: the first wave shifts each column up or down by a sine of x, the second each row
// left or right by a sine of y. The wrap-around adds or takes off the last index, not the
// count, as stored structures expect. The image's waves run only with an amplitude above
// 0; the area's run always. An axis whose last index is 0 cannot be wrapped into and
// stays as it is, and a width whose step is not finite (0) gives no wave on that axis.
//
// Roll: content moves right by dx and down by dy, wrapping modulo the width and height.
// Sprinkle: each cell takes the colour of a random cell within dx and dy, clamped to the
// edges; the draws come x first, two per cell, column by column. A negative reach draws
// from the range 0..0.
//
// The copies keep their memory between runs, so a run on cells of the same count
// allocates nothing; without the memory for its copy an effect changes nothing.
#include <algorithm>
#include <new>
#include <vector>

#include "effects/area_frame.h"
#include "effects/effects.h"
#include "effects/frame.h"
#include "effects/kernels_moves.h"
#include "toolkit/toolkit.h"

std::vector<PixelCell> WaveCopy(1), AreaWaveCopy(1);

namespace {

int32_t Draw(int32_t bound) { return tk::random(bound); }

// Offsets of the positions along each wave, kept between runs.
std::vector<fx::WaveOffset> OffsetsAlongX, OffsetsAlongY;
std::vector<int64_t> WaveTargets;
std::vector<int32_t> SprinkleDraws;   // the draws of one strip of columns

bool AreaReady() {
  const size_t cells = (size_t(arealang) + 1) * (size_t(areahoch) + 1);
  return arealang >= 0 && areahoch >= 0 && AreaPixels.size() >= cells;
}

// `copy` sized to the cells of s; false without the memory.
bool SizeCopy(std::vector<PixelCell>& copy, const fx::Span& s) {
  try {
    copy.resize(size_t(s.width) * size_t(s.height));
  } catch (const std::bad_alloc&) {
    return false;
  }
  return true;
}
fx::Span CopyOf(std::vector<PixelCell>& copy, const fx::Span& s) {
  std::copy(s.cells, s.cells + size_t(s.width) * size_t(s.height), copy.begin());
  return fx::Span{copy.data(), s.width, s.width, s.height};
}

// Both waves on s through `copy` (sized already). Each wave copies s and scatters from
// the copy back into s: s still holds the same cells, so the places no cell lands on
// keep theirs.
void RunWaves(const fx::Span& s, std::vector<PixelCell>& copy, float xAmplitude, float xWidth, float yAmplitude,
              float yWidth, int32_t xStart, int32_t yStart, bool onlyPositive) {
  const int64_t lastX = s.width - 1, lastY = s.height - 1;
  if ((!onlyPositive || xAmplitude > 0) && lastY > 0 &&
      fx::WaveOffsets(xAmplitude, xWidth, xStart, s.width, lastY, OffsetsAlongX))
    fx::WaveAlongRows(CopyOf(copy, s), s, OffsetsAlongX, WaveTargets);
  if ((!onlyPositive || yAmplitude > 0) && lastX > 0 &&
      fx::WaveOffsets(yAmplitude, yWidth, yStart, s.height, lastX, OffsetsAlongY))
    fx::WaveAlongColumns(CopyOf(copy, s), s, OffsetsAlongY);
}

}  // namespace

int32_t Waves(float xAmplitude, float xWidth, float yAmplitude, float yWidth, int8_t xStart, int8_t yStart,
              uint8_t quiet) {
  const fx::Span image = fx::ImageSpan();
  if (!SizeCopy(WaveCopy, image)) return 0;
  fx::BeginEffect(quiet);
  RunWaves(image, WaveCopy, xAmplitude, xWidth, yAmplitude, yWidth, xStart, yStart, true);
  fx::CountedLoopDone();
  fx::EndEffect(quiet);
  return 0;
}

int32_t Waves_Marked(float xAmplitude, float xWidth, float yAmplitude, float yWidth, int8_t xStart, int8_t yStart,
                     uint8_t quiet) {
  fx::BeginAreaEffect();
  if (!AreaReady()) return 0;
  const fx::Span area = fx::AreaSpan();
  if (!SizeCopy(AreaWaveCopy, area)) return 0;
  RunWaves(area, AreaWaveCopy, xAmplitude, xWidth, yAmplitude, yWidth, xStart, yStart, false);
  fx::AreaLoopDone();
  fx::EndAreaEffect(quiet);
  return 0;
}

int32_t MoveImage(int32_t dx, int32_t dy, uint8_t quiet) {
  const fx::Span image = fx::ImageSpan();
  if (!SizeCopy(TransformCopy, image)) return 0;
  fx::BeginEffect(quiet);
  fx::RollCells(CopyOf(TransformCopy, image), image, dx, dy);
  fx::CountedLoopDone();
  fx::EndEffect(quiet);
  return 0;
}

int32_t MoveImage_Marked(int32_t dx, int32_t dy, int32_t quiet) {
  fx::BeginAreaEffect();
  if (!AreaReady()) return 0;
  const fx::Span area = fx::AreaSpan();
  if (!SizeCopy(AreaTransformCopy, area)) return 0;
  fx::RollCells(CopyOf(AreaTransformCopy, area), area, dx, dy);
  fx::AreaLoopDone();
  fx::EndAreaEffect(quiet);
  return 0;
}

int32_t BlowUp(int32_t dx, int32_t dy, uint8_t quiet) {
  const fx::Span image = fx::ImageSpan();
  if (!SizeCopy(TransformCopy, image)) return 0;
  fx::BeginEffect(quiet);
  fx::SprinkleCells(CopyOf(TransformCopy, image), image, dx, dy, Draw, SprinkleDraws);
  fx::CountedLoopDone();
  fx::EndEffect(quiet);
  return 0;
}

int32_t BlowUp_Marked(int32_t dx, int32_t dy, int32_t quiet) {
  fx::BeginAreaEffect();
  if (!AreaReady()) return 0;
  const fx::Span area = fx::AreaSpan();
  if (!SizeCopy(AreaTransformCopy, area)) return 0;
  fx::SprinkleCells(CopyOf(AreaTransformCopy, area), area, dx, dy, Draw, SprinkleDraws);
  fx::AreaLoopDone();
  fx::EndAreaEffect(quiet);
  return 0;
}
