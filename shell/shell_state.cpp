#include "shell/shell.h"

void ResetShellState() {
  ResetConfigState();  // settings and configuration files (shell/config.cpp)
}
