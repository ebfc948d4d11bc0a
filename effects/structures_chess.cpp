// Chess and circle structures. Chess replaces square fields by their mean colour (the
// means of the signed channel values, floored); the last column and row of the target
// are never changed, as scripts and stored structures expect. ChessCircle paints the image
// in its mean colour and then a filled circle in each block's own mean colour.
//
// A size that would give no fields at all (0 or below) returns before anything happens,
// undo point included. A chess size of 1 keeps its undo point but changes nothing and
// does not redraw.
#include <algorithm>
#include <cstring>
#include <new>

#include "effects/effects.h"
#include "effects/frame.h"
#include "effects/kernels_geometry.h"
#include "effects/kernels_grids.h"

int32_t Chess(int32_t size, uint8_t mode, int32_t quiet) {
  if (size <= 0) return 0;
  if (mode == 1) {
    // The marked area: no undo point, the caller's error code, any size; the view is
    // refreshed whatever quiet is.
    if (size <= 1) return 0;
    const size_t cells = (size_t(arealang) + 1) * (size_t(areahoch) + 1);
    if (arealang < 0 || areahoch < 0 || AreaPixels.size() < cells) return 0;
    fx::ChessFields(fx::Span{AreaPixels.data(), ptrdiff_t(arealang) + 1, arealang + 1, areahoch + 1}, size);
    RefreshView();
    return 0;
  }
  fx::BeginEffect(quiet);
  if (size <= 1) return 0;
  if (size > 100) size = 100;
  fx::ChessFields(fx::ImageSpan(), size);
  fx::EndEffect(quiet);
  return 0;
}

int32_t ChessCircle(int32_t size, uint8_t quiet) {
  if (size <= 0) return 0;
  const size_t cells = ImagePixels.size();
  try {
    CircleCopy.resize(cells);   // keeps its memory between runs of the same size
  } catch (const std::bad_alloc&) {
    return 0;                   // without the copy nothing changes
  }
  fx::BeginEffect(quiet);
  UpdateAverageColors();
  // The tiles' means are taken of the image as it was (their sums in the signed form).
  std::copy(ImagePixels.begin(), ImagePixels.end(), CircleCopy.begin());
  PixelCell* copy = CircleCopy.data();
  AverageColorToSigned();
  const fx::Span image = fx::ImageSpan();
  // The signed mean written and the form taken off again is the unsigned mean.
  fx::FillColour(image, fx::ColourBytes(AllRot + 128, AllGruen + 128, AllBlau + 128));
  fx::CircleTiles(image, fx::Span{copy, image.stride, image.width, image.height}, size, 1, Distance);
  fx::CountedLoopDone();
  AverageColorToUnsigned();
  fx::EndEffect(quiet);
  return 0;
}
