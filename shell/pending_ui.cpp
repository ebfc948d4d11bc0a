// Stand-ins for procedures and state of other parts that the interface construction
// calls. Each one stands in only until its own code lands: then its definition here is
// deleted (a duplicate-definition link error names the one to remove).
#include <cstdint>
#include <string>

#include "shell/shell.h"

// Application shell, colour cells and swatches: no palette cells, no swatch images yet.
void CreatePaletteCell(uint8_t, uint8_t, uint8_t, int32_t, int32_t) {}
void CreateBlackWhiteSwatches() {}

// Painting tools: the fill tolerance.
int32_t tolleranz = 5;
