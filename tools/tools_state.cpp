#include "tools/tools.h"

void ResetToolsState() {
  StructureEffectTable.clear();  // structure-effect table (tools/structure_table.cpp)
}
