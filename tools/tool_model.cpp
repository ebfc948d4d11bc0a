// The tool model: the names of the tools and the state of tools that span several presses.
#include <algorithm>

#include "tools/tools.h"

int32_t ToolOption = 0;
uint8_t CanvasButtonDown = 0;
uint8_t FreehandStarted = 0;
uint8_t CompassClicks = 0;
int32_t CompassCentreX = 0, CompassCentreY = 0, CompassRadius = 0;
BezierPoint BezierPoints[4];
int32_t currentbezier = -1;
int32_t vieleckwork = 0;
int32_t drawdc = 0;
float transstate = 1.0f;
uint8_t allowreadraw = 0, mirrorxstate = 0, mirrorystate = 0;
std::vector<uint32_t> SmearBuffer;
int32_t SmearBufferSide = 0;

namespace {
struct ToolNameRow {
  int32_t tool;
  const char* name;
};
const ToolNameRow kToolNames[] = {
    {34, "Frei Markieren"}, {35, "ViereckMarkieren"}, {36, "Kreisförmige Markierung"},
    {37, "Zauberstab"}, {38, "VieleckMarkieren"}, {39, "Pipette"}, {40, "Verzerren"},
    {41, "Freihandzeichnen"}, {42, "Pinsel"}, {43, "Text einfügen"}, {44, "Sprühdose"},
    {45, "Radiergummi"}, {46, "Füllen"}, {47, "Bezierkurve"}, {48, "Kreis"}, {49, "Ellipse"},
    {50, "Box"}, {51, "Vieleck"}, {52, "Linie"}, {53, "Autograde Linie"}, {54, "Raute"},
    {55, "Zirkel"}, {56, "Form ziehen"}, {57, "Farbbereichs-Pipette"},
    {58, "Verflüssigen/Verwischen"}, {126, "Bereich verschieben"},
};
}  // namespace

std::string StoredToolName(int32_t tool) {
  for (const ToolNameRow& r : kToolNames)
    if (r.tool == tool) return r.name;
  return "";
}

// The smear brush holds the cells of a (2r + 2)-cell square; a radius out of the spin's
// range is brought into it first, so a hostile setting cannot ask for a huge block.
void SizeSmearBuffer(int32_t radius) {
  radius = std::clamp(radius, 1, 400);
  SmearBufferSide = 2 * radius + 2;
  SmearBuffer.assign(size_t(SmearBufferSide) * size_t(SmearBufferSide), 0);
}

void ResetToolModel() {
  ToolOption = 0;
  CanvasButtonDown = FreehandStarted = CompassClicks = 0;
  CompassCentreX = CompassCentreY = CompassRadius = 0;
  for (BezierPoint& p : BezierPoints) p = BezierPoint{};
  currentbezier = -1;
  vieleckwork = 0;
  drawdc = 0;
  transstate = 1.0f;
  allowreadraw = mirrorxstate = mirrorystate = 0;
  SmearBuffer.clear();
  SmearBufferSide = 0;
}
