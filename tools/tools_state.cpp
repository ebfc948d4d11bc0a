#include "tools/tools.h"

#include <algorithm>

int32_t linestate = 0;
int32_t paintstate = 0;
uint8_t fillstate = 0;
int32_t drawform_current = 0, drawforms_length = 2, drawstep = 0;
int16_t ToolFormStates[9] = {478, 474, 476, 480, 0, 486, 467, 488, 0};
int32_t tolleranz = 5;
std::list<PolygonMarkPoint> PolygonMarkPoints;

void ResetToolModel();   // tools/tool_model.cpp
void ResetPaintingTools();   // tools/pipettes.cpp

void ResetToolsState() {
  ResetToolModel();
  ResetPaintingTools();
  StructureEffectTable.clear();  // structure-effect table (tools/structure_table.cpp)
  StructureList.clear();         // structure fills (tools/structure_*.cpp)
  BlackEffectList = EffectList{};
  WhiteEffectList = EffectList{};
  linestate = 0;
  paintstate = 0;
  fillstate = 0;
  drawform_current = drawstep = 0;
  drawforms_length = 2;
  const int16_t forms[9] = {478, 474, 476, 480, 0, 486, 467, 488, 0};
  std::copy(forms, forms + 9, ToolFormStates);
  tolleranz = 5;
  PolygonMarkPoints.clear();
}
