#include "shell/shell.h"

void ResetShellState() {
}
