// Image documents: per-image records, pixel arrays, view, undo store, file formats, palettes, printing.
// The subsystem's globals and procedures, as the rest of the program sees them.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Puts every global of this subsystem back to its start value (tests).
void ResetDocumentsState();
