#include "shell/shell.h"

std::function<void(const char* handler, int id)> PendingHandlerSpy;

uint8_t UpdateAvailable = 0;
int32_t TipNumber = 0;

void ResetShellState() {
  UpdateAvailable = 0;
  TipNumber = 0;
  ResetConfigState();  // settings and configuration files (shell/config.cpp)
  ResetInfoWindowState();  // settings, tips and the informational windows
  ResetCrashAndReportState();
}
