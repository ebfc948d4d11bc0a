// The circle structure and the four winds on the marked area.
//
// ChessCircle_Marked paints the area in the whole image's mean colour, then in each tile
// of 2 size + 1 cells a disc in the tile's own mean. Its tile means divide by (width
// value + 2) x (height value + 2), more cells than the tile holds, which pulls every disc
// towards the middle grey; stored structures rely on that, so it stays. It stores the
// image before it works when interactive and redraws the whole canvas. A size below 1
// returns before anything happens.
//
// The winds walk the area in place, as the image's winds do, with one draw per run; a
// negative strength is taken as 0 (every run one cell long: nothing changes).
#include <algorithm>
#include <cstdint>
#include <new>

#include "effects/area_frame.h"
#include "effects/effects.h"
#include "effects/frame.h"
#include "effects/kernels_geometry.h"
#include "effects/kernels_grids.h"
#include "toolkit/toolkit.h"

namespace {

int32_t Draw(int32_t bound) { return tk::random(bound); }

bool AreaReady() {
  const size_t cells = (size_t(arealang) + 1) * (size_t(areahoch) + 1);
  return arealang >= 0 && areahoch >= 0 && AreaPixels.size() >= cells;
}

int32_t RunWind(int32_t strength, int32_t quiet, bool alongRows, bool fromEnd) {
  fx::BeginAreaEffect();
  if (!AreaReady()) return 0;
  strength = std::max(strength, 0);
  if (alongRows) fx::WindAlongRows(fx::AreaSpan(), strength, fromEnd, Draw);
  else fx::WindAlongColumns(fx::AreaSpan(), strength, fromEnd, Draw);
  fx::EndAreaEffect(quiet);
  return 0;
}

}  // namespace

int32_t Wind_Left_Marked(int32_t strength, int32_t quiet) { return RunWind(strength, quiet, true, false); }
int32_t Wind_Right_Marked(int32_t strength, int32_t quiet) { return RunWind(strength, quiet, true, true); }
int32_t Wind_Up_Marked(int32_t strength, int32_t quiet) { return RunWind(strength, quiet, false, false); }
int32_t Wind_Down_Marked(int32_t strength, int32_t quiet) { return RunWind(strength, quiet, false, true); }

int32_t ChessCircle_Marked(int32_t size, uint8_t quiet) {
  fx::BeginAreaEffect();
  if (size < 1 || !AreaReady()) return 0;
  const fx::Span area = fx::AreaSpan();
  const size_t cells = size_t(area.width) * size_t(area.height);
  try {
    CircleCopy.resize(cells);   // keeps its memory between runs of the same size
  } catch (const std::bad_alloc&) {
    return 0;
  }
  if (quiet == 0) CreateUndoPoint();
  UpdateAverageColors();
  std::copy(AreaPixels.begin(), AreaPixels.begin() + ptrdiff_t(cells), CircleCopy.begin());
  // The means are taken in the signed form and written back out of it: the stored
  // bytes are the unsigned values all along.
  AverageColorToSigned();
  fx::FillColour(area, fx::ColourBytes(AllRot + 128, AllGruen + 128, AllBlau + 128));
  fx::CircleTiles(area, fx::Span{CircleCopy.data(), area.width, area.width, area.height}, size, 2, Distance);
  AverageColorToUnsigned();
  fx::AreaLoopDone();
  if (quiet == 0) RedrawCanvas();
  return 0;
}
