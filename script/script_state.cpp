#include "script/script.h"

std::list<ScriptVariable> VariableList;

void ResetScriptState() {
  ResetScriptTables();  // script tables (script/tables.cpp)
  VariableList.clear();
  InvalidateVariableIndex();
  StatementList.clear();
  ProcedureList.clear();
  StatementArgs.assign(21, std::string());
  paramlist = 0;
  isimage = 0;
  ScriptErrorLine = 0;
  ScriptErrorName.clear();
  ResetScriptRunState();
  ResetScriptEditorState();
}
