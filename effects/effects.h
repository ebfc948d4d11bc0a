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
