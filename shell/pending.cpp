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
void OnMainMenu(int32_t id) { Report("OnMainMenu", id); }
void OnInsertPopup(int32_t id) { Report("OnInsertPopup", id); }
void OnSwatch(int32_t id) { Report("OnSwatch", id); }
void OnErrorReportPopup(int32_t id) { Report("OnErrorReportPopup", id); }
void OnImageShortcut(int32_t id) { Report("OnImageShortcut", id); }
void OnPanelShortcut(int32_t id) { Report("OnPanelShortcut", id); }
void OnMainGadget(int32_t gadget) { Report("OnMainGadget", gadget); }
void OnImageKeyDown() { Report("OnImageKeyDown", int(tk::eventWParam())); }
void OnImageKeyUp() { Report("OnImageKeyUp", int(tk::eventWParam())); }

// ---- application shell: start-up pieces, crash handling, update, tips ----
void CountTips() { Report("CountTips"); }
void OnFatalError() { std::_Exit(1); }
void RecoverAfterCrash() { Report("RecoverAfterCrash"); }
void CheckForUpdate() { Report("CheckForUpdate"); }
void DownloadUpdate() { Report("DownloadUpdate"); }
void ShowTipOfTheDay() { Report("ShowTipOfTheDay"); }

// ---- application shell: drawing-settings bar, colour cells, settings window ----
void ShowDrawSettingsBar() { Report("ShowDrawSettingsBar"); }
void HideDrawSettingsBar() { Report("HideDrawSettingsBar"); }
void CreatePaletteCell(uint8_t, uint8_t, uint8_t, int32_t, int32_t) {}
void CreateBlackWhiteSwatches() {}
void ApplyColorButtonStyle(int32_t) {}
void RefreshStyleSample(int32_t) {}
void ShowBackgroundColor(int32_t) {}
void UpdateColourDisplays() {}
int64_t ShowSystemColourDialog(uint32_t initial) { return tk::colorRequester(initial, &CustomColours[1]); }

// ---- image documents: paste availability, floating area, files, palettes, printing ----
void UpdatePasteMenuItem() {}
void RenderAreaView() {}
void RefreshView() {
  RenderAreaView();
  ComposeCanvasView();
}
int32_t DefaultPrinterResolution() { return 0; }   // no printer: centimetres at 30 pixels
void AskSaveFileName() {
  Report("AskSaveFileName");
  ImagePath.clear();   // as a cancelled requester
}
int32_t SaveImage() {
  Report("SaveImage");
  return 0;            // nothing written
}
int32_t SaveBitmap(const std::string&, uint8_t) { return 0; }
int32_t PaletteChooser() { return -1; }

// ---- script language ----
void OnScriptMenu(int32_t id) { Report("OnScriptMenu", id); }
void OnScriptShortcut(int32_t id) { Report("OnScriptShortcut", id); }
void OnScriptKeyDown() { Report("OnScriptKeyDown", int(tk::eventWParam())); }
void OnScriptKeyUp() { Report("OnScriptKeyUp", int(tk::eventWParam())); }
void OnFindReplace(int32_t gadget) { Report("OnFindReplace", gadget); }
void CreateEditUndo(int32_t code) { Report("CreateEditUndo", code); }
void SaveEditUndoLists() {}
void LoadEditUndoLists(int32_t) {}
void HighlightSyntax() {}

// ---- image effects ----
void OnAreaEffectsPopup(int32_t id) { Report("OnAreaEffectsPopup", id); }
void OnEffectsPanelGadget(int32_t gadget) { Report("OnEffectsPanelGadget", gadget); }
void OnOperationsGadget(int32_t gadget) { Report("OnOperationsGadget", gadget); }

// effects the dialogs start, until they are built
void Colormove(int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, uint8_t) { Report("Colormove"); }
int32_t Colormove_Marked(int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, uint8_t) {
  Report("Colormove_Marked");
  return 0;
}
void SetColorspec(int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, uint8_t) {
  Report("SetColorspec");
}
int32_t SetColorspec_Marked(uint8_t, uint8_t, uint8_t, uint8_t, uint8_t, uint8_t, uint8_t, uint8_t, uint8_t, uint8_t) {
  Report("SetColorspec_Marked");
  return 0;
}
void MoveImage(int32_t, int32_t, uint8_t) { Report("MoveImage"); }
int32_t MoveImage_Marked(int32_t, int32_t, int32_t) {
  Report("MoveImage_Marked");
  return 0;
}
void BlowUp(int32_t, int32_t, uint8_t) { Report("BlowUp"); }
int32_t BlowUp_Marked(int32_t, int32_t, int32_t) {
  Report("BlowUp_Marked");
  return 0;
}
void OwnEffect(const std::string&, const std::string&, uint8_t) { Report("OwnEffect"); }
int32_t OwnEffect_Marked(const std::string&, const std::string&, int32_t) {
  Report("OwnEffect_Marked");
  return 0;
}
void BiChromaticDithering(int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, uint8_t) {
  Report("BiChromaticDithering");
}
int32_t BiChromaticDithering_Marked(int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, uint8_t) {
  Report("BiChromaticDithering_Marked");
  return 0;
}
void Waves(float, float, float, float, int8_t, int8_t, uint8_t) { Report("Waves"); }
int32_t Waves_Marked(float, float, float, float, int8_t, int8_t, uint8_t) {
  Report("Waves_Marked");
  return 0;
}
void ClearColorRange(int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t,
                     int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, uint8_t) {
  Report("ClearColorRange");
}
int32_t ClearColorRange_Marked(int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t,
                               int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t,
                               int32_t, int32_t) {
  Report("ClearColorRange_Marked");
  return 0;
}
// end of the effects the dialogs start

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
int32_t ChoosePaletteColor() { return -1; }

// ---- painting tools ----
void UpdateToolOptions(int32_t toolgadget) { Report("UpdateToolOptions", toolgadget); }
void OnToolGadget(int32_t gadget) {
  Report("OnToolGadget", gadget);
  if (gadget == 60) ApplyZoomFromList();   // the zoom list works before the tool panel does
}
void OnDrawBarGadget(int32_t gadget) { Report("OnDrawBarGadget", gadget); }
void OnToolOptionPopup(int32_t id) { Report("OnToolOptionPopup", id); }
void OnTextPanelGadget(int32_t gadget) { Report("OnTextPanelGadget", gadget); }
void LoadTextFont() { Report("LoadTextFont"); }
void OnRightButton() { Report("OnRightButton"); }
void FillFontList() { Report("FillFontList"); }
void LoadBrushForms() {}
void ReloadStructures() {}
void OnCanvasLeftDown() { Report("OnCanvasLeftDown"); }
void ToolDispatch() { Report("ToolDispatch"); }
void OnCanvasLeftUp() { Report("OnCanvasLeftUp"); }
void MarkOutlineSegment(int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t) {}
