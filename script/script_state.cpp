#include "script/script.h"

std::list<ScriptVariable> VariableList;

void ResetScriptState() {
  ResetScriptTables();  // script tables (script/tables.cpp)
  VariableList.clear();
}
