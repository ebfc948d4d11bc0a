#include "script/script.h"

void ResetScriptState() {
  ResetScriptTables();  // script tables (script/tables.cpp)
}
