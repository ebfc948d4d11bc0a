// Image effects: effect families, dialogs, colour kernels.
// The subsystem's globals and procedures, as the rest of the program sees them.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Puts every global of this subsystem back to its start value (tests).
void ResetEffectsState();

// ==== Panel handlers the shell's mode loops call ========================================
// (their code comes with the effects; stand-ins in shell/pending_loops.cpp)
void OnAreaEffectsPopup(int32_t id);
void OnEffectsPanelGadget(int32_t gadget);
void OnOperationsGadget(int32_t gadget);
// ==== end panel handlers ================================================================

// ==== Channel hold arrays (the channel switches keep a held-out channel here) ============
// One byte a cell, (width + 1) x (height + 1) of the hold's last indices; 1 x 1 while unused.
extern std::vector<uint8_t> RedHold, GreenHold, BlueHold;
extern int32_t RedHoldWidth, RedHoldHeight, GreenHoldWidth, GreenHoldHeight, BlueHoldWidth,
    BlueHoldHeight;   // last indices
// ==== end channel hold arrays ===========================================================

// ==== Dialogs the documents call (stand-ins in shell/pending.cpp until they land) ========
int32_t SaveBeforeQuitDialog();   // 0 stay, otherwise the quit goes ahead
// JPEG quality 0..10 starting at `level`; -1 when cancelled.
int32_t ImageQualityDialog(int32_t level);
// ==== end dialogs ========================================================================

// ==== Colour attributes, as the drawing panel's "Farben" tab calls them ====================
// (stand-ins in shell/pending.cpp until the colour kernels land)
void PreviewAttributes(int32_t contrast, int32_t brightness, int32_t red, int32_t green, int32_t blue);
void Attributes(int32_t contrast, int32_t brightness, int32_t red, int32_t green, int32_t blue, uint8_t quiet);
// ==== end colour attributes ================================================================
