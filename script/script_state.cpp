#include "script/script.h"

void ResetScriptState() {
}
