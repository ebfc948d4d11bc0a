#include "tools/tools.h"

void ResetToolsState() {
}
