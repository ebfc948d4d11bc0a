// Application shell: start-up, windows, menus, mode loops and dispatch, settings, crash handling and reports.
// The subsystem's globals and procedures, as the rest of the program sees them.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Puts every global of this subsystem back to its start value (tests).
void ResetShellState();
