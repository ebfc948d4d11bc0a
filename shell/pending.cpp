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
// Until the menu handlers land, the commands whose procedures exist already run from here.
void OnMainMenu(int32_t id) {
  Report("OnMainMenu", id);
  static const char* const kFaqPages[9] = {"FAQ\\Resize.html", "", "FAQ\\StructureSection.html",
                                           "FAQ\\Lineal.html", "FAQ\\Maleinstell.html", "FAQ\\Gitter.html",
                                           "FAQ\\Vollbild.html", "FAQ\\Icon.html", "FAQ\\Poligon.html"};
  if (id == 16) ShowTipOfTheDay();
  else if (id == 25) OnSettingsEvent();
  else if (id == 199) tk::runProgram("Xtra/Glimvane");
  else if (id >= 202 && id <= 210 && id != 203) OpenWelcomeWindow("file:\\\\" + tk::programFolder() + kFaqPages[id - 202]);
  else if (id == 213)
    ShowShortcutWindow(KeyboardModus == 1 ? 1 : areamark > 0 ? 4 : ImageRecords[CurrentImage].WindowState == 352 ? 3 : 0);
  else if (id == 214) OpenAboutWindow();
}
void OnInsertPopup(int32_t id) { Report("OnInsertPopup", id); }
void OnSwatch(int32_t id) { Report("OnSwatch", id); }
void OnImageShortcut(int32_t id) { Report("OnImageShortcut", id); }
void OnPanelShortcut(int32_t id) { Report("OnPanelShortcut", id); }
void OnMainGadget(int32_t gadget) { Report("OnMainGadget", gadget); }
void OnImageKeyDown() { Report("OnImageKeyDown", int(tk::eventWParam())); }
void OnImageKeyUp() { Report("OnImageKeyUp", int(tk::eventWParam())); }

// ---- application shell: start-up pieces, crash handling, update, tips ----

// ---- application shell: colour displays, error reports, colour choosing ----
void UpdateColourDisplays() {}
// The shares red / sum, green / sum, blue / sum of the drawing colour (black: none).
void UpdateColourRatios() {
  const float sum = float(Rot) + float(Gruen) + float(Blau);
  TintShareRed = sum > 0.0f ? float(Rot) / sum : 0.0f;
  TintShareGreen = sum > 0.0f ? float(Gruen) / sum : 0.0f;
  TintShareBlue = sum > 0.0f ? float(Blau) / sum : 0.0f;
}
int64_t ShowSystemColourDialog(uint32_t initial) { return tk::colorRequester(initial, &CustomColours[1]); }

// ---- image documents: paste availability, floating area, files, palettes, printing ----

// ---- script language ----
// Called by the script menu, built with the view and help menu.
void OnViewHelpMenu(int32_t id) { Report("OnViewHelpMenu", id); }

// ---- image effects ----


// The drawing colour and the palette chooser as the dialogs ask them, until the colour
// cells and the palette window land.
void ChooseCurrentColour() {
  const int64_t c = ShowSystemColourDialog(uint32_t(Rot) | uint32_t(Gruen) << 8 | uint32_t(Blau) << 16);
  if (c < 0) return;
  Rot = uint8_t(c);
  Gruen = uint8_t(c >> 8);
  Blau = uint8_t(c >> 16);
  UpdateColourDisplays();
}

// ---- painting tools ----
int32_t CurrentColourChanged() { return 0; }
void PushRecentColour() {}



