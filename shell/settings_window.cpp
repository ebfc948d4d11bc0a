// The settings window (window 1): built hidden at start-up, filled by the configuration,
// and run here as a modal dialog. Most gadgets write into Settings at once; "OK" applies the
// tooltips and the script editor's styles, "Übernehmen" writes Konfig.ini (and may ask for a
// restart), "Abbrechen" takes back only the editor undo depth.
#include <algorithm>

#include "documents/documents.h"
#include "shell/modal_loop.h"
#include "shell/shell.h"
#include "toolkit/toolkit.h"

int32_t StatusIconsAtStart = -1;

namespace {

enum : int {
  GadFolder = 514, GadBrowse = 515, GadTooltips = 516, GadUndo = 523, GadStylePanel = 524, GadFace0 = 524,
  GadSize0 = 529, GadBold0 = 534, GadItalic0 = 539, GadUnderline0 = 544, GadSwatch0 = 549,
  GadSample0 = 554, GadBackground = 560, GadTabwidth = 561, GadRueckwidth = 562, GadEditUndo = 563,
  GadBanner0 = 564, GadIconsOn = 567, GadIconsOff = 568, GadCanvasBack = 570, GadColorStyle0 = 570,
  GadBackUp = 574, GadCreateError = 575, GadShowToolbar = 576, GadViewReports = 577,
  GadSendReports = 578, GadOk = 579, GadCancel = 580, GadApply = 581,
};
constexpr int ScriptEditor = 496;
constexpr int FontSwatchLabel = 15, FontBackgroundLabel = 9;

// Sample texts of the five styles (shown in their colours on the sample editors).
const char* const kSamples[6] = {"", "Normaler Text", "Funktion(", "#Variable", "\"Text\"", "; Kommentar"};

uint32_t canvasBackground() {
  return Settings.imageBackground[2] | (Settings.imageBackground[1] << 8) |
         (uint32_t(Settings.imageBackground[0]) << 16);
}

bool pressed(int gadget) { return tk::isGadget(gadget) && tk::gadgetState(gadget) != 0; }

// A spin's value shown as its text, then whatever piled up behind it dropped.
int32_t takeSpin(int gadget) {
  const int32_t v = tk::gadgetState(gadget);
  tk::setGadgetText(gadget, std::to_string(v));
  tk::drainEvents();
  return v;
}

void drawCanvasBackgroundSwatch(uint32_t colour) {
  if (!tk::isImage(110)) tk::createImage(110, 200, 40);
  if (!tk::startDrawing(tk::imageOutput(110))) return;
  tk::box(0, 0, 200, 40, colour);
  tk::drawingMode(tk::DrawTransparent);
  tk::drawingFont(FontSwatchLabel);
  tk::drawText(5, 5, "Zeichenfenster-Hintergrund", SwatchLabelColour(colour), 0);
  tk::stopDrawing();
  if (tk::isGadget(GadCanvasBack)) tk::setGadgetAttribute(GadCanvasBack, tk::AttrImage, 110);
}

void onStyleGadget(int gadget) {
  for (int n = 1; n <= 5; ++n) {
    CharFormatRecord& f = Settings.formats[n];
    if (gadget == GadFace0 + n) {
      // The record holds at most 31 characters of a face name.
      f.face = tk::gadgetText(gadget).substr(0, 31);
    } else if (gadget == GadSize0 + n) {
      f.height = (std::max(tk::gadgetState(gadget), 0) + 1) * 20;
    } else if (gadget == GadBold0 + n) {
      f.effects = pressed(gadget) ? (f.effects | 1u)
                                  : (pressed(GadItalic0 + n) ? 2u : 0u) + (pressed(GadUnderline0 + n) ? 4u : 0u);
    } else if (gadget == GadItalic0 + n) {
      f.effects = pressed(gadget) ? (f.effects | 2u)
                                  : (pressed(GadBold0 + n) ? 1u : 0u) + (pressed(GadUnderline0 + n) ? 4u : 0u);
    } else if (gadget == GadUnderline0 + n) {
      f.effects = pressed(gadget) ? (f.effects | 4u)
                                  : (pressed(GadItalic0 + n) ? 2u : 0u) + (pressed(GadBold0 + n) ? 1u : 0u);
    } else if (gadget == GadSwatch0 + n) {
      const int64_t c = ShowSystemColourDialog(f.color);
      if (c == -1) return;
      if (!tk::isImage(103 + n)) tk::createImage(103 + n, 200, 50);
      if (tk::startDrawing(tk::imageOutput(103 + n))) {
        tk::box(0, 0, 200, 50, uint32_t(c));
        tk::stopDrawing();
      }
      tk::setGadgetAttribute(gadget, tk::AttrImage, 103 + n);
      f.color = uint32_t(c) & 0xFFFFFF;
    } else if (gadget == GadSample0 + n) {
      if (tk::eventType() != tk::EtFocus) return;
      tk::setGadgetState(GadStylePanel, n - 1);
      tk::richSetSelection(gadget, 0, 0);
      tk::richScrollCaret(gadget);
      return;
    } else {
      continue;
    }
    RefreshStyleSample(n);
    return;
  }
}

void onOk() {
  SetToolbarTooltips(Settings.Tooltips);
  if (tk::isGadget(ScriptEditor)) tk::richSetBackground(ScriptEditor, uint32_t(Settings.All_BG) & 0xFFFFFF);
  for (int n = 1; n <= 5; ++n) ScriptStyleFormats[n] = Settings.formats[n];
}

void onApply() {
  SaveConfiguration();
  const bool undoChanged = tk::isGadget(GadUndo) && tk::gadgetState(GadUndo) != maxundo;
  const bool iconsChanged = StatusIconsAtStart >= 0 && Settings.Icons_unten != StatusIconsAtStart;
  const bool editUndoChanged = Settings.Edit_Undo != EditUndoDepth;
  if (!undoChanged && !iconsChanged && !editUndoChanged) return;
  if (tk::messageRequester("Neustart?",
                           "Durch eine oder mehrere der Änderungen ist ein Neustart\rdes Programms erforderlich.\r"
                           "Wollen sie jetzt beenden?",
                           tk::MsgYesNo) != tk::ResultYes)
    return;
  QuitProgram();
  // Back here only when the quit was cancelled: the running mode goes on.
  NextMode = 0;
}

// One gadget event of window 1; true when it leaves the window.
bool onGadget(int gadget) {
  switch (gadget) {
    case GadBrowse: {
      const std::string folder = tk::folderRequester("Standardverzeichnis zum öffnen einer Datei", ImagePath);
      if (!folder.empty()) tk::setGadgetText(GadFolder, folder);
      return false;
    }
    case GadTooltips: Settings.Tooltips = uint8_t(pressed(gadget)); return false;
    case GadUndo: takeSpin(gadget); return false;
    case GadTabwidth: Settings.Tabwidth = uint8_t(std::clamp(takeSpin(gadget), 0, 255)); return false;
    case GadRueckwidth: Settings.Rueckwidth = uint8_t(std::clamp(takeSpin(gadget), 0, 255)); return false;
    case GadEditUndo: Settings.Edit_Undo = takeSpin(gadget); return false;
    case GadBanner0: case GadBanner0 + 1: case GadBanner0 + 2:
      Settings.Banner = uint8_t(gadget - GadBanner0);
      return false;
    case GadIconsOn: Settings.Icons_unten = 1; return false;
    case GadIconsOff: Settings.Icons_unten = 0; return false;
    case GadColorStyle0 + 1: case GadColorStyle0 + 2: case GadColorStyle0 + 3:
      Settings.Colorbutton = uint8_t(gadget - GadColorStyle0);
      return false;
    case GadBackUp: Settings.BackUp = uint8_t(pressed(gadget)); return false;
    case GadCreateError: Settings.CreateError = uint8_t(pressed(gadget)); return false;
    case GadShowToolbar: Settings.ShowToolbar = uint8_t(pressed(gadget)); return false;
    case GadViewReports: tk::runProgram("Error/Orvandel"); return false;
    case GadSendReports: BugReportDialog(); return false;
    case GadCanvasBack: {
      const int64_t c = ShowSystemColourDialog(canvasBackground());
      if (c == -1) return false;
      Settings.imageBackground[0] = uint8_t(c >> 16);   // blue, green, red as the reader keeps them
      Settings.imageBackground[1] = uint8_t(c >> 8);
      Settings.imageBackground[2] = uint8_t(c);
      drawCanvasBackgroundSwatch(uint32_t(c) & 0xFFFFFF);
      return false;
    }
    case GadBackground: {
      const int64_t c = ShowSystemColourDialog(uint32_t(Settings.All_BG));
      if (c == -1) return false;
      Settings.All_BG = int32_t(c & 0xFFFFFF);
      ShowBackgroundColor(Settings.All_BG);
      return false;
    }
    case GadOk: onOk(); return true;
    case GadCancel: Settings.Edit_Undo = EditUndoDepth; return true;
    case GadApply: onApply(); return false;
    default: onStyleGadget(gadget); return false;
  }
}

}  // namespace

uint32_t SwatchLabelColour(uint32_t colour) {
  uint32_t out = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    const uint32_t v = (colour >> shift) & 255;
    out |= (v > 128 ? v - 128 : v + 127) << shift;
  }
  return out;
}

void CreateSettingsSwatches() {
  for (int n = 1; n <= 5; ++n) tk::createImage(103 + n, 200, 50, 24, 0);
  tk::createImage(109, 200, 20, 24, 0xFFFFFF);
  tk::createImage(110, 200, 40, 24, 0x8C8C8C);
}

void OnSettingsEvent() {
  OnErrorCode1 = 18;
  if (StatusIconsAtStart < 0) StatusIconsAtStart = Settings.Icons_unten;
  tk::disableWindow(0, true);
  tk::hideWindow(1, false);
  tk::setGadgetText(GadFolder, Settings.defaultFolder);
  tk::useWindow(1);
  ModalTurns turns;
  while (turns.more()) {
    LastEvent = ModalTurns::wait(1);
    if (LastEvent == tk::EvGadget && onGadget(tk::eventGadget())) break;
    if (LastEvent == tk::EvClose && tk::eventWindow() == 1) break;
  }
  tk::disableWindow(0, false);
  tk::hideWindow(1, true);
  tk::setWindowCallback(0, MainWindowCallback);
  tk::useWindow(0);
  tk::activateWindow(0);
  tk::bringToFront(0);
}

void ApplyColorButtonStyle(int32_t style) {
  for (int g = 571; g <= 573; ++g)
    if (tk::isGadget(g)) tk::setGadgetState(g, 0);
  if (style >= 1 && style <= 3) {
    if (tk::isGadget(570 + style)) tk::setGadgetState(570 + style, 1);
    auto show = [](int first, int last, bool on) {
      for (int g = first; g <= last; ++g)
        if (tk::isGadget(g)) tk::hideGadget(g, !on);
    };
    show(14, 17, style == 1);
    show(18, 25, style == 2);
    show(26, 33, style == 3);
  }
  UpdateColourDisplays();
}

void RefreshStyleSample(int32_t n) {
  if (n < 1 || n > 5) return;
  const int editor = GadSample0 + n;
  if (!tk::isGadget(editor)) return;
  if (tk::richTextLength(editor) == 0) tk::setRichText(editor, kSamples[n]);
  const CharFormatRecord& f = Settings.formats[n];
  tk::CharFormat cf;
  cf.mask = tk::CharFormat::HasColor | tk::CharFormat::HasBold | tk::CharFormat::HasItalic |
            tk::CharFormat::HasUnderline | tk::CharFormat::HasFace | tk::CharFormat::HasSize;
  cf.color = f.color & 0xFFFFFF;
  cf.bold = (f.effects & 1) != 0;
  cf.italic = (f.effects & 2) != 0;
  cf.underline = (f.effects & 4) != 0;
  cf.face = f.face.substr(0, 31);
  cf.heightTwips = std::max(f.height, 20);
  tk::richSetSelection(editor, 0, -1);
  tk::richSetCharFormat(editor, cf);
  tk::richSetSelection(editor, -1, 0);
  tk::richSetSelection(editor, 0, 0);
  tk::richScrollCaret(editor);
}

void ShowBackgroundColor(int32_t colour) {
  const uint32_t c = uint32_t(colour) & 0xFFFFFF;
  if (!tk::isImage(109)) tk::createImage(109, 200, 20);
  if (tk::startDrawing(tk::imageOutput(109))) {
    tk::box(0, 0, 200, 20, c);
    tk::drawingMode(tk::DrawTransparent);
    tk::drawingFont(FontBackgroundLabel);
    tk::drawText(60, 1, "Hintergrund", SwatchLabelColour(c), 0);
    tk::stopDrawing();
  }
  if (tk::isGadget(GadBackground)) tk::setGadgetAttribute(GadBackground, tk::AttrImage, 109);
  for (int g = 555; g <= 559; ++g)
    if (tk::isGadget(g)) tk::richSetBackground(g, c);
}
