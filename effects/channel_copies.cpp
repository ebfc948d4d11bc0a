// Channel copies: one colour byte of every cell overwritten by another byte of the same
// cell, on the whole image and on the marked area. They leave OnErrorCode1 as it is; the
// marked twins make an undo point (of the image) when interactive, like the whole-image
// forms.
#include "documents/documents.h"
#include "effects/effects.h"
#include "effects/area_frame.h"
#include "effects/frame.h"
#include "effects/kernels_mixing.h"

namespace {

constexpr int32_t Blue = 0, Green = 1, Red = 2;   // byte numbers in a cell

int32_t CopyInImage(int32_t quiet, int32_t target, int32_t source) {
  fx::BeginEffect(quiet, false);
  fx::CopyChannel(fx::ImageSpan(), target, source);
  fx::CountedLoopDone();
  fx::EndEffect(quiet);
  return 0;
}

int32_t CopyInArea(uint8_t quiet, int32_t target, int32_t source) {
  if (quiet == 0) CreateUndoPoint();
  fx::CopyChannel(fx::AreaCellsSpan(), target, source);
  fx::AreaLoopDone();
  fx::EndAreaEffect(quiet);
  return 0;
}

}  // namespace

int32_t RedDataFromBlueData(int32_t quiet) { return CopyInImage(quiet, Red, Blue); }
int32_t RedDataFromGreenData(int32_t quiet) { return CopyInImage(quiet, Red, Green); }
int32_t GreenDataFromBlueData(int32_t quiet) { return CopyInImage(quiet, Green, Blue); }
int32_t GreenDataFromRedData(int32_t quiet) { return CopyInImage(quiet, Green, Red); }
int32_t BlueDataFromRedData(int32_t quiet) { return CopyInImage(quiet, Blue, Red); }
int32_t BlueDataFromGreenData(int32_t quiet) { return CopyInImage(quiet, Blue, Green); }

int32_t RedDataFromBlueData_Marked(uint8_t quiet) { return CopyInArea(quiet, Red, Blue); }
int32_t RedDataFromGreenData_Marked(uint8_t quiet) { return CopyInArea(quiet, Red, Green); }
int32_t GreenDataFromBlueData_Marked(uint8_t quiet) { return CopyInArea(quiet, Green, Blue); }
int32_t GreenDataFromRedData_Marked(uint8_t quiet) { return CopyInArea(quiet, Green, Red); }
int32_t BlueDataFromRedData_Marked(uint8_t quiet) { return CopyInArea(quiet, Blue, Red); }
int32_t BlueDataFromGreenData_Marked(uint8_t quiet) { return CopyInArea(quiet, Blue, Green); }
