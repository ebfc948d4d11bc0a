// Turns by 90, 180 and 270 degrees, the free rotation and the two mirrors. Turns move
// whole cells, flags included; the mirrors exchange only the colour bytes; the free
// rotation samples bilinearly onto a larger canvas and gives every cell the flag byte of
// the background value. Quarter turns and the free rotation change the image's extents
// through SetImageDimensions; their copies (TurnCopy, TransformCopy) keep their memory
// between runs, so a run on an image of the same size allocates nothing of its own.
//
// The free rotation reduces its angle to 0 .. 360 first (scripts may pass any angle) and
// refuses, before its undo point, an angle that is not a number or a canvas larger than
// the image limit; then it turns by whole quarters and rotates by the rest, below 90.
// Without the memory for their copy the turns and the rotation change nothing.
#include <cmath>
#include <new>
#include <string>

#include "effects/effects.h"
#include "effects/frame.h"
#include "effects/kernels_geometry.h"
#include "shell/shell.h"
#include "toolkit/toolkit.h"

namespace {

void ShowExtents() {
  tk::setGadgetText(63, std::to_string(bildlang + 1));
  tk::setGadgetText(64, std::to_string(bildhoch + 1));
  UpdateZoomedSizes();
  UpdateScrollBars();
}

int32_t TurnQuarterFrame(int32_t quiet, bool clockwise) {
  // The copy is made ready first: without the memory for it the turn does nothing at all.
  try {
    TurnCopy.resize(ImagePixels.size());
  } catch (const std::bad_alloc&) {
    return 0;
  }
  fx::BeginEffect(quiet);
  const int32_t oldWidth = bildlang + 1, oldHeight = bildhoch + 1;
  std::copy(ImagePixels.begin(), ImagePixels.end(), TurnCopy.begin());
  // Height and width exchange; a refused size leaves the image as it was.
  if (SetImageDimensions(oldWidth, oldHeight, 1) == 0) return 0;
  fx::TurnQuarter(fx::Span{TurnCopy.data(), oldWidth, oldWidth, oldHeight}, fx::ImageSpan(), clockwise);
  fx::CountedLoopDone();
  ShowExtents();
  fx::EndEffect(quiet);
  return 0;
}

}  // namespace

int32_t Turn_90(int32_t quiet) { return TurnQuarterFrame(quiet, true); }
int32_t Turn_270(int32_t quiet) { return TurnQuarterFrame(quiet, false); }

int32_t Turn_180(int32_t quiet) {
  fx::BeginEffect(quiet);
  fx::TurnHalf(fx::ImageSpan());
  fx::CountedLoopDone();
  fx::EndEffect(quiet);
  return 0;
}

int32_t RotateFree(float angle, int32_t background, uint8_t quiet) {
  if (!std::isfinite(angle)) return 0;
  float a = std::fmod(angle, 360.0f);
  if (a < 0) a += 360.0f;
  if (a >= 360.0f) a = 0.0f;
  int32_t quarter = 0;   // the whole turn taken first
  if (a >= 270) quarter = 270;
  else if (a >= 180) quarter = 180;
  else if (a >= 90) quarter = 90;
  a -= float(quarter);
  const bool swapped = quarter == 90 || quarter == 270;
  const int32_t lastX = swapped ? bildhoch : bildlang, lastY = swapped ? bildlang : bildhoch;
  const float u = float(CosDegrees(a)), v = float(SinDegrees(a));
  const double newLastX = std::nearbyint(double(u) * (double(lastX) + 1) + double(v) * (double(lastY) + 1) - 1);
  const double newLastY = std::nearbyint(double(u) * (double(lastY) + 1) + double(v) * (double(lastX) + 1) - 1);
  if (!(newLastX >= 0 && newLastY >= 0 && newLastX < 2147483647.0 && newLastY < 2147483647.0)) return 0;
  const int32_t W = int32_t(newLastX), H = int32_t(newLastY);
  const size_t cells = CellsOfExtents(W, H);
  if (cells == 0) return 0;
  try {
    TransformCopy.resize(cells);
  } catch (const std::bad_alloc&) {
    return 0;
  }
  if (quiet == 0) CreateUndoPoint();
  if (quarter == 270) Turn_270(1);
  else if (quarter == 180) Turn_180(1);
  else if (quarter == 90) Turn_90(1);
  std::fill(TransformCopy.begin(), TransformCopy.end(), PixelCell(uint32_t(background)));
  const fx::Span canvas{TransformCopy.data(), ptrdiff_t(W) + 1, W + 1, H + 1};
  fx::RotateBilinear(fx::ImageSpan(), canvas, u, v, PixelCell(uint32_t(background)));
  if (SetImageDimensions(H + 1, W + 1, 1) == 1) {
    // The new image's cells are the canvas; the copy keeps the other block for next time.
    ImagePixels.swap(TransformCopy);
    fx::CountedLoopDone();
  }
  fx::EndEffect(quiet);
  return 0;
}

int32_t Mirror_X(int32_t quiet) {
  fx::BeginEffect(quiet);
  fx::MirrorColumns(fx::ImageSpan());
  lang = bildlang / 2 + 1;
  hoch = bildhoch + 1;
  fx::EndEffect(quiet);
  return 0;
}

int32_t Mirror_Y(int32_t quiet) {
  fx::BeginEffect(quiet);
  fx::MirrorRows(fx::ImageSpan());
  lang = bildlang + 1;
  hoch = bildhoch / 2 + 1;
  fx::EndEffect(quiet);
  return 0;
}
