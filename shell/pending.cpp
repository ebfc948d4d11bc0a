// Procedures that the built parts of the program already call but whose own code has not
// landed yet, all in one place. Each stand-in does nothing visible (handlers only report
// to PendingHandlerSpy, so tests see which handler got which id). When a procedure's own
// code lands, its stand-in here is deleted: a duplicate-definition link error names it.
#include <cstdlib>
#include <functional>
#include <string>

#include "documents/documents.h"
#include "effects/effects.h"
#include "script/script.h"
#include "shell/shell.h"
#include "toolkit/toolkit.h"
#include "tools/tools.h"

std::function<void(const char* handler, int id)> PendingHandlerSpy;

namespace {
void Report(const char* handler, int id = -1) {
  if (PendingHandlerSpy) PendingHandlerSpy(handler, id);
}
}  // namespace

// ---- application shell: command, popup, tab and key handlers ----

// ---- application shell: start-up pieces, crash handling, update, tips ----

// ---- application shell: colour displays, error reports, colour choosing ----

// ---- image documents: paste availability, floating area, files, palettes, printing ----

// ---- script language ----
// Called by the script menu, built with the structure fill dialog and the view and help menu.
int32_t OpenStructureDialog(uint8_t marked) {
  Report("OpenStructureDialog", marked);
  return 0;
}

// ---- image effects ----
void OnAreaEffectsPopup(int32_t id) { Report("OnAreaEffectsPopup", id); }
void OnEffectsPanelGadget(int32_t gadget) { Report("OnEffectsPanelGadget", gadget); }
void OnOperationsGadget(int32_t gadget) { Report("OnOperationsGadget", gadget); }


// ---- painting tools ----
void ReloadStructures() {}

// ---- image documents used by the painting tools ----
void DrawToolOutline(int32_t, int32_t) {}
int32_t xarea = 0, yarea = 0;
int32_t rightklick_x = 0, rightklick_y = 0;
uint8_t mayhighlight = 1;

