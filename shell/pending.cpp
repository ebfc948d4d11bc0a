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
CharFormatRecord ScriptStyleFormats[6];   // the editor's colouring formats, 1..5
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
int32_t Colormove(int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, uint8_t) {
  Report("Colormove");
  return 0;
}
int32_t Colormove_Marked(int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, uint8_t) {
  Report("Colormove_Marked");
  return 0;
}
int32_t SetColorspec(int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, uint8_t) {
  Report("SetColorspec");
  return 0;
}
int32_t SetColorspec_Marked(uint8_t, uint8_t, uint8_t, uint8_t, uint8_t, uint8_t, uint8_t, uint8_t, uint8_t, uint8_t) {
  Report("SetColorspec_Marked");
  return 0;
}
int32_t MoveImage(int32_t, int32_t, uint8_t) {
  Report("MoveImage");
  return 0;
}
int32_t MoveImage_Marked(int32_t, int32_t, int32_t) {
  Report("MoveImage_Marked");
  return 0;
}
int32_t BlowUp(int32_t, int32_t, uint8_t) {
  Report("BlowUp");
  return 0;
}
int32_t BlowUp_Marked(int32_t, int32_t, int32_t) {
  Report("BlowUp_Marked");
  return 0;
}
int32_t Waves(float, float, float, float, int8_t, int8_t, uint8_t) {
  Report("Waves");
  return 0;
}
int32_t Waves_Marked(float, float, float, float, int8_t, int8_t, uint8_t) {
  Report("Waves_Marked");
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

// ---- painting tools ----
void OnTextPanelGadget(int32_t gadget) { Report("OnTextPanelGadget", gadget); }
void LoadTextFont() { Report("LoadTextFont"); }
void FillFontList() { Report("FillFontList"); }
void LoadBrushForms() {}
void ReloadStructures() {}
int32_t CurrentColourChanged() { return 0; }
void PushRecentColour() {}

// ---- image documents used by the painting tools ----
int32_t LoadBrushFormFile(const std::string& path, int32_t radius) {
  Report(("LoadBrushFormFile " + path).c_str(), radius);
  return radius;
}
void DrawToolOutline(int32_t, int32_t) {}
int32_t xarea = 0, yarea = 0;
int32_t rightklick_x = 0, rightklick_y = 0;
uint8_t mayhighlight = 1;

// ---- image effects: colour attributes of the drawing panel ----
void PreviewAttributes(int32_t, int32_t, int32_t, int32_t, int32_t) { Report("PreviewAttributes"); }
void Attributes(int32_t, int32_t, int32_t, int32_t, int32_t, uint8_t) { Report("Attributes"); }

// tools drawn in a later issue
// Each reports its name and its integer arguments ("DrawLine 1 2 3 4"), so tests see
// which routine the canvas mouse ran with what.
namespace {
template <class... A>
void ReportTool(const char* name, A... args) {
  if (!PendingHandlerSpy) return;
  std::string text = name;
  ((text += " " + std::to_string(int64_t(args))), ...);
  PendingHandlerSpy(text.c_str(), -1);
}
}  // namespace
void MarkOutlineSegment(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t, int32_t, int32_t) {
  ReportTool("MarkOutlineSegment", x1, y1, x2, y2);
}
void StartPolygonMark(int32_t x, int32_t y, int32_t, int32_t) { ReportTool("StartPolygonMark", x, y); }
void AddPolygonMarkPoint(int32_t x, int32_t y, int32_t, int32_t) { ReportTool("AddPolygonMarkPoint", x, y); }
void ClosePolygonMark() { ReportTool("ClosePolygonMark"); }
void CircleMark(int32_t cx, int32_t cy, int32_t, int32_t, int32_t radius, uint8_t) {
  ReportTool("CircleMark", cx, cy, radius);
}
void PreviewCircleMark(int32_t cx, int32_t cy, int32_t radius) { ReportTool("PreviewCircleMark", cx, cy, radius); }
void MagicStick(int32_t x, int32_t y) { ReportTool("MagicStick", x, y); }
void PickColor() { ReportTool("PickColor"); }
void StartDistortion() { ReportTool("StartDistortion"); }
void PreviewDistortion() { ReportTool("PreviewDistortion"); }
void FinishDistortion() { ReportTool("FinishDistortion"); }
void DrawFreehandSegment(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t horz, int32_t vert, int32_t,
                         float, uint8_t, uint8_t, uint8_t, uint8_t) {
  ReportTool("DrawFreehandSegment", x1 + horz, y1 + vert, x2 + horz, y2 + vert);
}
void Brush(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t horz, int32_t vert, int32_t drawMode, float,
           uint8_t, float, uint8_t, uint8_t, uint8_t) {
  ReportTool("Brush", x1 + horz, y1 + vert, x2 + horz, y2 + vert, drawMode);
}
void Smear(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t horz, int32_t vert, float, uint8_t, float,
           uint8_t) {
  ReportTool("Smear", x1 + horz, y1 + vert, x2 + horz, y2 + vert);
}
void SprayPaint(int32_t y, int32_t x, int32_t horz, int32_t vert, int32_t size, int32_t count, int32_t, float,
                uint8_t, uint8_t, uint8_t, uint8_t) {
  ReportTool("SprayPaint", x + horz, y + vert, size, count);
}
void SprayPaintCircle(int32_t y, int32_t x, int32_t horz, int32_t vert, int32_t radius, int32_t count, int32_t,
                      float, uint8_t, uint8_t, uint8_t, uint8_t) {
  ReportTool("SprayPaintCircle", x + horz, y + vert, radius, count);
}
void StartTextBox(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t, int32_t) {
  ReportTool("StartTextBox", x1, y1, x2, y2);
}
void FloodFill(int32_t x, int32_t y, int32_t, float, int32_t) { ReportTool("FloodFill", x, y); }
void FloodFillTransparent(int32_t x, int32_t y, int32_t, float, uint8_t) { ReportTool("FloodFillTransparent", x, y); }
void PreviewBezierCurve(int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3,
                        int32_t y3) {
  ReportTool("PreviewBezierCurve", x0, y0, x1, y1, x2, y2, x3, y3);
}
void DrawBezierCurve(int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3,
                     int32_t y3, int32_t, int32_t, int32_t, float, int32_t) {
  ReportTool("DrawBezierCurve", x0, y0, x1, y1, x2, y2, x3, y3);
}
void PreviewEllipse(int32_t cx, int32_t cy, int32_t rx, int32_t ry, int32_t) { ReportTool("PreviewEllipse", cx, cy, rx, ry); }
void DrawEllipse(int32_t cx, int32_t cy, int32_t rx, int32_t ry, int32_t, int32_t, int32_t, float, int32_t option) {
  ReportTool("DrawEllipse", cx, cy, rx, ry, option);
}
void PreviewLineSegment(int32_t, int32_t, int32_t, int32_t, uint8_t, uint8_t, uint8_t) {}
void PreviewLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t) { ReportTool("PreviewLine", x1, y1, x2, y2); }
void Box(int32_t x, int32_t y, int32_t w, int32_t h, int32_t, int32_t, int32_t option, int32_t, float, uint8_t) {
  ReportTool("Box", x, y, w, h, option);
}
void DrawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t, int32_t, int32_t, float, int32_t option) {
  ReportTool("DrawLine", x1, y1, x2, y2, option);
}
void PreviewRhombus(int32_t cx, int32_t cy, int32_t hx, int32_t hy, int32_t) { ReportTool("PreviewRhombus", cx, cy, hx, hy); }
void Rhombus(int32_t cx, int32_t cy, int32_t hx, int32_t hy, int32_t, int32_t, int32_t, float, int32_t option,
             uint8_t) {
  ReportTool("Rhombus", cx, cy, hx, hy, option);
}
void StoreCompassCentre(int32_t x, int32_t y, int32_t horz, int32_t vert) {
  CompassCentreX = x;
  CompassCentreY = y;
  ReportTool("StoreCompassCentre", x + horz, y + vert);
}
void StoreCompassRadius(int32_t x, int32_t y) { ReportTool("StoreCompassRadius", x, y); }
void DrawCompass(float x, float y, float, float, float, int32_t, int32_t, uint8_t, float, uint8_t) {
  ReportTool("DrawCompass", int32_t(x), int32_t(y));
}
void DrawCompassPixels(float x, float y, float, float, float, int32_t, int32_t, uint8_t, float, uint8_t) {
  ReportTool("DrawCompassPixels", int32_t(x), int32_t(y));
}
void StampBrushForm(int32_t form, int32_t x0, int32_t y0, int32_t w, int32_t h, int32_t, int32_t, uint8_t) {
  ReportTool("StampBrushForm", form, x0, y0, w, h);
}
void ColorRangePipette(int32_t x, int32_t y, int32_t w, int32_t h, int32_t shape) {
  ReportTool("ColorRangePipette", x, y, w, h, shape);
}
// end of the tools drawn in a later issue
