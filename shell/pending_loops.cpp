// Stand-ins for the handlers and start-up pieces that the start-up, the mode loops and the
// view switches call but whose own code has not landed yet. Each one only reports to
// PendingHandlerSpy (so tests see which handler got which id) and stands in only until its
// own code lands: then its definition here is deleted (a duplicate-definition link error
// names the one to remove).
#include <cstdlib>
#include <functional>

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

// ---- shell: command, popup, tab and key handlers ----
void OnMainMenu(int32_t id) { Report("OnMainMenu", id); }
void OnInsertPopup(int32_t id) { Report("OnInsertPopup", id); }
void OnSwatch(int32_t id) { Report("OnSwatch", id); }
void OnErrorReportPopup(int32_t id) { Report("OnErrorReportPopup", id); }
void OnImageShortcut(int32_t id) { Report("OnImageShortcut", id); }
void OnPanelShortcut(int32_t id) { Report("OnPanelShortcut", id); }
void OnDocumentTab(int32_t eventtype, int32_t gadget) { Report("OnDocumentTab", gadget); }
void OnMainGadget(int32_t gadget) { Report("OnMainGadget", gadget); }
void OnImageKeyDown() { Report("OnImageKeyDown", int(tk::eventWParam())); }
void OnImageKeyUp() { Report("OnImageKeyUp", int(tk::eventWParam())); }

// ---- shell: start-up pieces ----
void CountTips() { Report("CountTips"); }
void OnFatalError() { std::_Exit(1); }
void RecoverAfterCrash() { Report("RecoverAfterCrash"); }
uint8_t UpdateAvailable = 0;
void CheckForUpdate() { Report("CheckForUpdate"); }
void DownloadUpdate() { Report("DownloadUpdate"); }
void ShowTipOfTheDay() { Report("ShowTipOfTheDay"); }
void ShowDrawSettingsBar() { Report("ShowDrawSettingsBar"); }
void HideDrawSettingsBar() { Report("HideDrawSettingsBar"); }

// ---- documents ----
void QuitProgram() {
  Report("QuitProgram");
  NextMode = -1;   // as a cancelled quit
}
void UpdatePasteMenuItem() {}

// ---- script language ----
void OnScriptMenu(int32_t id) { Report("OnScriptMenu", id); }
void OnScriptShortcut(int32_t id) { Report("OnScriptShortcut", id); }
void OnScriptKeyDown() { Report("OnScriptKeyDown", int(tk::eventWParam())); }
void OnScriptKeyUp() { Report("OnScriptKeyUp", int(tk::eventWParam())); }
void OnFindReplace(int32_t gadget) { Report("OnFindReplace", gadget); }
void CreateEditUndo(int32_t code) { Report("CreateEditUndo", code); }

// ---- image effects ----
void OnAreaEffectsPopup(int32_t id) { Report("OnAreaEffectsPopup", id); }
void OnEffectsPanelGadget(int32_t gadget) { Report("OnEffectsPanelGadget", gadget); }
void OnOperationsGadget(int32_t gadget) { Report("OnOperationsGadget", gadget); }

// ---- painting tools ----
void UpdateToolOptions(int32_t toolgadget) { Report("UpdateToolOptions", toolgadget); }
void OnToolGadget(int32_t gadget) { Report("OnToolGadget", gadget); }
void OnDrawBarGadget(int32_t gadget) { Report("OnDrawBarGadget", gadget); }
void OnToolOptionPopup(int32_t id) { Report("OnToolOptionPopup", id); }
void OnTextPanelGadget(int32_t gadget) { Report("OnTextPanelGadget", gadget); }
void LoadTextFont() { Report("LoadTextFont"); }
void OnRightButton() { Report("OnRightButton"); }
void FillFontList() { Report("FillFontList"); }
