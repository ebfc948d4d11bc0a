// Expand areas: the bright (or dark) regions grow, in brightness or in one channel, for the
// image and for the marked area. Every cell brighter (darker) than the whole image's
// average colour, strictly, moves itself and its eight neighbours one step per pass, the
// number of passes being |strength|; a negative strength steps the other way, and the
// dark members negate the strength first. The threshold is the image's average also for
// the area, refreshed at the start of every run and left in AllRot, AllGruen, AllBlau.
//
// A pass is the same whatever order it visits the cells in (see kernels_expand.h). A pass
// that changes nothing would change nothing every time again, so the passes stop there.
// No error-location code is set. The image's forms make an undo point and redraw when
// interactive; the twins make none and refresh the view.
#include <cstdint>
#include <cstdlib>
#include <new>

#include "effects/area_frame.h"
#include "effects/effects.h"
#include "effects/frame.h"
#include "effects/kernels_expand.h"

std::vector<PixelCell> EffectCopy(1);

namespace {

enum class Target { Image, Area };

// channel: -1 the sum of the three, 2 red, 1 green, 0 blue (its byte).
int32_t RunExpand(Target target, int32_t strength, uint8_t quiet, int32_t channel, bool bright) {
  if (target == Target::Image && quiet == 0) CreateUndoPoint();
  UpdateAverageColors();
  fx::Span s;
  if (target == Target::Image) {
    s = fx::ImageSpan();
  } else {
    const size_t cells = (size_t(arealang) + 1) * (size_t(areahoch) + 1);
    if (arealang >= 0 && areahoch >= 0 && AreaPixels.size() >= cells)
      s = fx::AreaSpan();
  }
  fx::ExpandRule rule;
  rule.channel = channel;
  rule.threshold = channel < 0 ? AllRot + AllGruen + AllBlau : channel == 2 ? AllRot : channel == 1 ? AllGruen : AllBlau;
  rule.bright = bright;
  int64_t signedStrength = bright ? int64_t(strength) : -int64_t(strength);
  rule.step = signedStrength < 0 ? -1 : 1;
  const int64_t passes = std::llabs(signedStrength);
  // The marks of three rows and one row of scratch, four bytes to a cell of the copy.
  bool ready = !s.empty();
  if (ready && passes > 0) {
    try {
      EffectCopy.resize((4 * (size_t(s.width) + 2) + 3) / 4);
    } catch (const std::bad_alloc&) {
      ready = false;
    }
  }
  if (ready) {
    uint8_t* scratch = reinterpret_cast<uint8_t*>(EffectCopy.data());
    for (int64_t pass = 0; pass < passes; ++pass)
      if (!fx::ExpandPass(s, rule, scratch)) break;
  }
  if (quiet == 0) {
    if (target == Target::Image) fx::EndEffect(quiet);
    else fx::EndAreaEffect(quiet);
  }
  return 0;
}

}  // namespace

int32_t ExpandBrightAreas(int32_t strength, uint8_t quiet) { return RunExpand(Target::Image, strength, quiet, -1, true); }
int32_t ExpandDarkAreas(int32_t strength, uint8_t quiet) { return RunExpand(Target::Image, strength, quiet, -1, false); }
int32_t ExpandBrightRedAreas(int32_t strength, uint8_t quiet) { return RunExpand(Target::Image, strength, quiet, 2, true); }
int32_t ExpandDarkRedAreas(int32_t strength, uint8_t quiet) { return RunExpand(Target::Image, strength, quiet, 2, false); }
int32_t ExpandBrightGreenAreas(int32_t strength, uint8_t quiet) { return RunExpand(Target::Image, strength, quiet, 1, true); }
int32_t ExpandDarkGreenAreas(int32_t strength, uint8_t quiet) { return RunExpand(Target::Image, strength, quiet, 1, false); }
int32_t ExpandBrightBlueAreas(int32_t strength, uint8_t quiet) { return RunExpand(Target::Image, strength, quiet, 0, true); }
int32_t ExpandDarkBlueAreas(int32_t strength, uint8_t quiet) { return RunExpand(Target::Image, strength, quiet, 0, false); }

int32_t ExpandBrightAreas_Marked(int32_t strength, uint8_t quiet) {
  return RunExpand(Target::Area, strength, quiet, -1, true);
}
int32_t ExpandDarkAreas_Marked(int32_t strength, uint8_t quiet) {
  return RunExpand(Target::Area, strength, quiet, -1, false);
}
int32_t ExpandBrightRedAreas_Marked(int32_t strength, uint8_t quiet) {
  return RunExpand(Target::Area, strength, quiet, 2, true);
}
int32_t ExpandDarkRedAreas_Marked(int32_t strength, uint8_t quiet) {
  return RunExpand(Target::Area, strength, quiet, 2, false);
}
int32_t ExpandBrightGreenAreas_Marked(int32_t strength, uint8_t quiet) {
  return RunExpand(Target::Area, strength, quiet, 1, true);
}
int32_t ExpandDarkGreenAreas_Marked(int32_t strength, uint8_t quiet) {
  return RunExpand(Target::Area, strength, quiet, 1, false);
}
int32_t ExpandBrightBlueAreas_Marked(int32_t strength, uint8_t quiet) {
  return RunExpand(Target::Area, strength, quiet, 0, true);
}
int32_t ExpandDarkBlueAreas_Marked(int32_t strength, uint8_t quiet) {
  return RunExpand(Target::Area, strength, quiet, 0, false);
}
