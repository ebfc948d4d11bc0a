// The drawing panel's tool selection and the gadgets of its four tabs. Every option gadget
// of tab "Einstellungen" has a twin on the drawing-settings bar (number + 85); whichever
// the user changes, both end up showing the same value.
#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <initializer_list>
#include <string>

#include "documents/documents.h"
#include "effects/effects.h"
#include "shell/shell.h"
#include "tools/tool_options_internal.h"
#include "toolkit/toolkit.h"
#include "tools/tools.h"

namespace tools_ui {

void Hide(std::initializer_list<int> gadgets, bool hide) {
  for (int g : gadgets)
    if (tk::isGadget(g)) tk::hideGadget(g, hide);
}

void SetState(int gadget, int state) {
  if (tk::isGadget(gadget)) tk::setGadgetState(gadget, state);
}

int State(int gadget) { return tk::isGadget(gadget) ? tk::gadgetState(gadget) : 0; }

void SetText(int gadget, const std::string& text) {
  if (tk::isGadget(gadget)) tk::setGadgetText(gadget, text);
}

void ShowOptionImage(int image) {
  for (int g : {88, 173})
    if (tk::isGadget(g)) tk::setGadgetAttribute(g, tk::AttrImage, image);
}

void SetTwinSpins(int panel, const std::string& prefix, int value) {
  for (int g : {panel, panel + 85}) {
    SetState(g, value);
    SetText(g, prefix + std::to_string(value));
  }
}

void FocusCanvas() {
  if (tk::isGadget(11)) tk::setActiveGadget(11);
}

// After a gadget action: what piled up meanwhile (repeated spin or combo events) goes.
void Drain() { tk::drainEvents(); }

void SetTolerance(int value) {
  tolleranz = value;
  for (int g : {92, 177}) {
    SetState(g, value);
    SetText(g, std::to_string(value));
  }
}

// Soft edges need a tolerance of at least 1.
void RaiseToleranceForSoftEdges(int softGadget) {
  if (tolleranz == 0 && State(softGadget) == 1) SetTolerance(1);
}

void SetDrawStep(int value) {
  drawstep = value;
  const std::string caption = "DrawStep: " + std::to_string(drawstep) + "%";
  SetText(98, caption);
  SetText(183, caption);
  SetState(100, drawstep);
  SetState(185, drawstep);
}

void SetOpacitySliders(int value) {
  SetState(107, value);
  SetState(192, value);
}

// Spray amount: the small square (480) takes at most 100 dots, the small circle (482) 80.
int CapSprayAmount(int n) {
  if (ToolOption == 480 && n > 100) n = 100;
  if (ToolOption == 482 && n > 80) n = 80;
  return n;
}

void SetRadius(int radius) {
  SetTwinSpins(89, "Radius: ", radius);
  SelectBrushForm(drawform_current, radius);
  SizeSmearBuffer(radius);
}

void OpenOptionPopup(int popup) {
  const int window = tk::activeWindow() >= 0 ? tk::activeWindow() : 0;
  tk::showPopupMenu(popup, window);
}

// The brush-form chooser for the brush, the eraser, the smear and the form stamp: the
// chosen form becomes current at the radius of `radiusGadget` and its icon the option image.
void ChooseFormForTool(int radiusGadget) {
  const int32_t index = ChooseBrushForm();
  if (index < 0) return;
  if (tk::createImage(138, 100, 40, 24, 0xFFFFFF) >= 0 && tk::isImage(140 + index) &&
      tk::startDrawing(tk::imageOutput(138))) {
    tk::drawImage(140 + index, 42, 12);
    tk::stopDrawing();
  }
  const int radius = State(radiusGadget);
  SelectBrushForm(index, radius);
  ShowOptionImage(138);
  if (paintstate == 58) SizeSmearBuffer(radius);
  if (paintstate == 56) ToolFormStates[8] = int16_t(index);
}

// The option button (88 on the panel, 173 on the bar) by the selected tool.
void OptionButton(int radiusGadget) {
  switch (paintstate) {
    case 51: case 52: case 53: OpenOptionPopup(4); break;
    case 50: OpenOptionPopup(5); break;
    case 49: OpenOptionPopup(6); break;
    case 48: OpenOptionPopup(7); break;
    case 55: OpenOptionPopup(11); break;
    case 57: OpenOptionPopup(13); break;
    case 44: OpenOptionPopup(9); break;
    case 54: OpenOptionPopup(10); break;
    case 42: case 45: case 58: case 56: ChooseFormForTool(radiusGadget); break;
    default: break;
  }
}

}  // namespace tools_ui

using namespace tools_ui;

namespace {

// Option gadget groups, panel and bar twins together.
#define IMAGE_GROUP 88, 173
#define RADIUS_GROUP 89, 174
#define ORIGIN_GROUP 90, 94, 175, 179
#define TOLERANCE_GROUP 91, 92, 176, 177
#define SOFT_GROUP 93, 178
#define AMOUNT_GROUP 95, 180
#define MIRROR_GROUP 96, 97, 181, 182
#define STEP_GROUP 98, 99, 100, 101, 183, 184, 185, 186
#define OVERPAINT_GROUP 102, 187
#define EFFECTS_GROUP 104, 105, 106, 107, 108, 189, 190, 191, 192, 193

// The option a tool keeps in its ToolFormStates word, within the ids of its popup: a word
// that holds no id of the popup (before the last-state file was read) means the first.
int16_t FormOption(int word, int first, int last) {
  int16_t& w = ToolFormStates[word];
  if (w < first || w > last) w = int16_t(first);
  return w;
}

void EnableZoomList(bool enable) {
  if (tk::isGadget(60)) tk::disableGadget(60, !enable);
}

// Zoom 1 for the tools that work on the unzoomed view; the list is locked meanwhile.
void ForceZoomOne(bool keepScroll) {
  const int32_t oldHorz = horz, oldVert = vert;
  SetState(60, 3);
  length = 1.0f;
  UpdateZoomedSizes();
  UpdateScrollBars();
  if (keepScroll) {
    vert = int64_t(showareamaxy) + oldVert > bildhoch ? scrollmaxY : oldVert;
    horz = int64_t(showareamaxx) + oldHorz > bildlang ? scrollmaxx : oldHorz;
    vert = std::max(vert, 0);
    horz = std::max(horz, 0);
    SetState(13, vert);
    SetState(12, horz);
  }
  EnableZoomList(false);
}

void LeaveTool(int32_t old) {
  switch (old) {
    case 34: case 35: case 36:
      Hide({EFFECTS_GROUP}, false);
      break;
    case 38:
      if (vieleckwork == 1) {
        ClosePolygonMark();
        // the button of the tool being chosen is pushed afresh below
      }
      for (int g : {88, 173, 60})
        if (tk::isGadget(g)) tk::disableGadget(g, false);
      Hide({EFFECTS_GROUP}, false);
      break;
    case 37:
      Hide({TOLERANCE_GROUP}, true);
      Hide({EFFECTS_GROUP}, false);
      break;
    case 40: case 43:
      EnableZoomList(true);
      Hide({EFFECTS_GROUP}, false);
      break;
    case 41:
      Hide({MIRROR_GROUP, OVERPAINT_GROUP}, true);
      break;
    case 42: case 45:
      Hide({IMAGE_GROUP, RADIUS_GROUP, MIRROR_GROUP, STEP_GROUP, OVERPAINT_GROUP}, true);
      break;
    case 58:
      Hide({IMAGE_GROUP, RADIUS_GROUP, STEP_GROUP, OVERPAINT_GROUP}, true);
      break;
    case 44:
      Hide({IMAGE_GROUP, AMOUNT_GROUP, MIRROR_GROUP, OVERPAINT_GROUP, 90, 175}, true);
      break;
    case 46:
      Hide({TOLERANCE_GROUP, SOFT_GROUP}, true);
      break;
    case 48: case 49: case 50: case 54: case 56: case 57:
      Hide({IMAGE_GROUP, ORIGIN_GROUP}, true);
      break;
    case 51:
      // An open polygon is closed with its last edge back to the first point.
      if (!PolygonMarkPoints.empty()) {
        const PolygonMarkPoint first = PolygonMarkPoints.front(), last = PolygonMarkPoints.back();
        startx = first.x;
        starty = first.y;
        oldx = last.x;
        oldy = last.y;
        PolygonMarkPoints.clear();
        // each point keeps the scroll of its press: the edge joins the cells pressed
        DrawLine(first.x + first.horz - horz, first.y + first.vert - vert, last.x + last.horz - horz,
                 last.y + last.vert - vert, horz, vert, fillstate, transstate, ToolOption);
        RedrawCanvas();
      }
      linestate = -1;
      vieleckwork = 0;
      EnableZoomList(true);
      for (int g : {173, 88})
        if (tk::isGadget(g)) {
          tk::disableGadget(g, false);
          tk::hideGadget(g, true);
        }
      break;
    case 52: case 53:
      Hide({IMAGE_GROUP}, true);
      break;
    case 55:
      Hide({IMAGE_GROUP}, true);
      if (CompassClicks > 0) {
        CommitCompassDrawing();   // only a drawing still held
        CompassClicks = 0;
      }
      break;
    default:   // 39, 47, 126 and no tool
      break;
  }
}

void EnterTool(int32_t tool) {
  switch (tool) {
    case 34: case 35: case 36: case 38:
      Hide({EFFECTS_GROUP}, true);
      break;
    case 37:
      Hide({TOLERANCE_GROUP}, false);
      Hide({EFFECTS_GROUP}, true);
      break;
    case 46:
      Hide({TOLERANCE_GROUP, SOFT_GROUP}, false);
      break;
    case 40:
      Hide({EFFECTS_GROUP}, true);
      ForceZoomOne(true);
      break;
    case 43:
      Hide({EFFECTS_GROUP}, true);
      ForceZoomOne(false);
      break;
    case 41:
      Hide({MIRROR_GROUP, OVERPAINT_GROUP}, false);
      break;
    case 42: case 45:
      Hide({IMAGE_GROUP, RADIUS_GROUP, MIRROR_GROUP, STEP_GROUP, OVERPAINT_GROUP}, false);
      ToolOption = 1;
      ShowOptionImage(138);
      SetTwinSpins(89, "Radius: ", drawforms_length);
      break;
    case 58:
      Hide({IMAGE_GROUP, RADIUS_GROUP, STEP_GROUP, OVERPAINT_GROUP}, false);
      ToolOption = 1;
      ShowOptionImage(138);
      SetTwinSpins(89, "Radius: ", drawforms_length);
      break;
    case 44:
      ToolOption = FormOption(3, 480, 483);
      Hide({MIRROR_GROUP, IMAGE_GROUP, AMOUNT_GROUP, OVERPAINT_GROUP}, false);
      ShowOptionImage(130 + (ToolOption - 480));
      SetTwinSpins(95, "Menge: ", 20);
      break;
    case 48:
      ToolOption = FormOption(1, 474, 475);
      Hide({IMAGE_GROUP}, false);
      ShowOptionImage(124 + (ToolOption - 474));
      break;
    case 49:
      ToolOption = FormOption(2, 476, 477);
      Hide({IMAGE_GROUP, ORIGIN_GROUP}, false);
      ShowOptionImage(126 + (ToolOption - 476));
      break;
    case 50:
      ToolOption = FormOption(0, 478, 479);
      Hide({IMAGE_GROUP, ORIGIN_GROUP}, false);
      ShowOptionImage(128 + (ToolOption - 478));
      break;
    case 51: case 52: case 53:
      ToolOption = FormOption(6, 467, 473);
      Hide({IMAGE_GROUP}, false);
      ShowOptionImage(116 + (ToolOption - 467));
      break;
    case 54:
      ToolOption = FormOption(4, 484, 485);
      Hide({IMAGE_GROUP, ORIGIN_GROUP}, false);
      ShowOptionImage(134 + (ToolOption - 484));
      break;
    case 55:
      Hide({IMAGE_GROUP}, false);
      ToolOption = FormOption(5, 486, 487);
      ShowOptionImage(136 + (ToolOption - 486));
      CompassClicks = 0;
      break;
    case 56:
      Hide({IMAGE_GROUP, ORIGIN_GROUP}, false);
      SetState(94, 1);
      SetState(179, 1);
      SetState(90, 0);
      SetState(175, 0);
      ShowOptionImage(138);
      UpdateAverageColors();
      break;
    case 57: {
      ToolOption = FormOption(7, 488, 490);
      Hide({IMAGE_GROUP, ORIGIN_GROUP}, false);
      ShowOptionImage(ToolOption == 488 ? 129 : ToolOption == 489 ? 125 : 135);
      break;
    }
    case 47:
      for (BezierPoint& p : BezierPoints) p = BezierPoint{};
      currentbezier = -1;
      break;
    default:   // 39, 126
      break;
  }
}

int CursorOf(int32_t tool) {
  switch (tool) {
    case 39: return 1;
    case 43: case 48: case 49: case 50: case 35: case 34: case 54: case 40: case 47: return 0;
    case 44: return 3;
    case 41: return 2;
    default: return 4;
  }
}

// A field's number: its leading sign and digits; a field that holds anything else than
// such a number (or nothing) is no size.
bool IsWholeNumber(const std::string& text) {
  size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
  const size_t digits = i;
  while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) ++i;
  const size_t end = i;
  while (i < text.size() && text[i] == ' ') ++i;
  return end > digits && i == text.size();
}

int32_t ClampToInt32(int64_t v) {
  return int32_t(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}

void KeepAspect(int from, int to, int32_t fromExtent, int32_t toExtent) {
  if (tk::eventType() != tk::EtChange || State(65) != 1) return;
  const int64_t v = LeadingNumber(tk::gadgetText(from));
  SetText(to, std::to_string(int64_t(toExtent) * v / fromExtent));
}

void PrinterPage(int32_t& w, int32_t& h) {
  w = h = 0;
  PrinterPageSize(w, h);
}

// "Anpassen": scale the image to the fields' size, or with "Bildgröße beibehalten" put it on
// a canvas of that size at the anchor, filled with the swatch colour.
void ApplyNewSize() {
  const std::string wt = tk::gadgetText(63), ht = tk::gadgetText(64);
  const int64_t w = LeadingNumber(wt), h = LeadingNumber(ht);
  if (!IsWholeNumber(wt) || !IsWholeNumber(ht) || w < 1 || h < 1) {
    tk::messageRequester("Fehler", "Breite und Höhe müssen Zahlen größer als 0 sein.", tk::MsgOk);
    return;
  }
  const int32_t newX = ClampToInt32(w - 1), newY = ClampToInt32(h - 1);
  int32_t ox = 0, oy = 0;
  const int32_t keep = State(68) == 1 ? 1 : 0;
  if (keep) {
    const int32_t dx = int32_t(std::llabs(int64_t(bildlang) - newX));
    const int32_t dy = int32_t(std::llabs(int64_t(bildhoch) - newY));
    const int anchor = State(69);
    const int32_t xs[3] = {0, dx / 2, dx}, ys[3] = {0, dy / 2, dy};
    if (anchor >= 0 && anchor <= 8) {
      ox = xs[anchor / 3];
      oy = ys[anchor % 3];
    }
  }
  uint32_t fill = 0xFFFFFF;
  if (tk::isImage(24) && tk::startDrawing(tk::imageOutput(24))) {
    const uint32_t c = tk::point(10, 10);
    if (c != 0xFFFFFFFFu) fill = c;
    tk::stopDrawing();
  }
  ChangeImageSize(newX, newY, keep, ox, oy, fill & 0xFF, (fill >> 8) & 0xFF, (fill >> 16) & 0xFF, 0);
  RedrawCanvas();
}

void ChooseBackgroundColour() {
  ImageRecord& rec = ImageRecords[size_t(std::clamp<int32_t>(CurrentImage, 0, int32_t(ImageRecords.size()) - 1))];
  int64_t c;
  if (Colornumber == 0) {
    const uint32_t initial = uint32_t(rec.bgcolor[2]) | (uint32_t(rec.bgcolor[1]) << 8) |
                             (uint32_t(rec.bgcolor[0]) << 16);
    c = ShowSystemColourDialog(initial);
  } else {
    c = ChoosePaletteColor();
  }
  if (c < 0) return;
  tk::createImage(24, 100, 20, 24, uint32_t(c));
  rec.bgcolor[2] = uint8_t(c & 0xFF);
  rec.bgcolor[1] = uint8_t((c >> 8) & 0xFF);
  rec.bgcolor[0] = uint8_t((c >> 16) & 0xFF);
  if (tk::isGadget(70)) tk::setGadgetAttribute(70, tk::AttrImage, 24);
}

int AttributeValue(int slider) { return State(slider) - 128; }

}  // namespace

int64_t LeadingNumber(const std::string& text) {
  size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  int64_t v = 0;
  for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i)
    v = std::min<int64_t>(v * 10 + (text[i] - '0'), int64_t(1) << 40);
  return negative ? -v : v;
}

void SizePreset(int32_t item, int32_t pageWidth, int32_t pageHeight, std::string& width,
                std::string& height) {
  const int32_t a = std::max(pageWidth, pageHeight), b = std::min(pageWidth, pageHeight);
  auto nearest = [](double v) { return std::to_string(int64_t(std::nearbyint(v))); };
  switch (item) {
    case 0: width = std::to_string(int64_t(bildlang) + 1); height = std::to_string(int64_t(bildhoch) + 1); break;
    case 1: width = "32"; height = "32"; break;
    case 2: width = std::to_string(pageWidth); height = std::to_string(pageHeight); break;
    case 3: width = nearest(a * 12.6 / 29.7); height = nearest(b * 12.5 / 21.1); break;
    case 4:
      width = std::to_string(int64_t(std::floor(pageWidth * 10.7 / 21)));
      height = std::to_string(int64_t(std::floor(pageHeight * 10.7 / 29.8)));
      break;
    case 5: width = "1024"; height = "768"; break;
    case 6: width = "800"; height = "600"; break;
    case 7: width = "640"; height = "480"; break;
    default: break;
  }
}

void UpdateToolOptions(int32_t tool) {
  if (PendingHandlerSpy) PendingHandlerSpy("UpdateToolOptions", tool);
  OnErrorCode1 = 15;   // #onerror_1_gadgetrelease
  if (!((tool >= 34 && tool <= 58) || tool == 126)) return;
  const bool polygonWasOpen = paintstate == 38 && vieleckwork == 1;
  LeaveTool(paintstate);
  EnterTool(tool);
  vieleckwork = 0;
  ToolCursor = CursorOf(tool);
  paintstate = tool;
  if (tool >= 34 && tool <= 38) UpdateAverageColors();
  if (tool == 43 || tool == 40) RedrawCanvas();
  for (int g = 34; g <= 58; ++g)
    if (g != tool && tk::isGadget(g)) tk::setGadgetState(g, 0);
  if (tk::isGadget(tool)) {
    if (polygonWasOpen) tk::setGadgetState(tool, 0);
    tk::setGadgetState(tool, 1);
  }
  FocusCanvas();
  UpdateKeyboardStatusBar();
}

void OnToolGadget(int32_t gadget) {
  if (PendingHandlerSpy) PendingHandlerSpy("OnToolGadget", gadget);
  switch (gadget) {
    case 10:
      if (tk::isGadget(paintstate)) tk::setGadgetState(paintstate, 1);
      return;
    case 14: case 15: case 16: case 17: case 18: case 19: case 20: case 21:
    case 26: case 27: case 28: case 29:
      ChooseCurrentColour();
      if (CurrentColourChanged()) PushRecentColour();
      return;
    case 70: ChooseBackgroundColour(); return;
    case 60:
      WaitForComboDropDown(60);
      ApplyZoomFromList();
      FocusCanvas();
      Drain();
      return;
    case 63:
      KeepAspect(63, 64, bildlang + 1, bildhoch + 1);
      Drain();
      return;
    case 64:
      KeepAspect(64, 63, bildhoch + 1, bildlang + 1);
      Drain();
      return;
    case 67: {
      WaitForComboDropDown(67);
      int32_t pw, ph;
      PrinterPage(pw, ph);
      std::string w, h;
      SizePreset(State(67), pw, ph, w, h);
      if (!w.empty()) {
        SetText(63, w);
        SetText(64, h);
      }
      FocusCanvas();
      Drain();
      return;
    }
    case 71: ApplyNewSize(); return;
    case 68:
      if (tk::isGadget(69)) tk::disableGadget(69, State(68) != 1);
      return;
    case 85:
      PreviewAttributes(AttributeValue(74), AttributeValue(77), AttributeValue(80), AttributeValue(82),
                        AttributeValue(84));
      return;
    case 86:
      Attributes(AttributeValue(74), AttributeValue(77), AttributeValue(80), AttributeValue(82),
                 AttributeValue(84), 0);
      return;
    case 87:
      for (int g : {74, 77, 80, 82, 84}) SetState(g, 128);
      RedrawCanvas();
      return;
    case 88: OptionButton(89); return;
    case 92:
      SetTolerance(State(92));
      FocusCanvas();
      RaiseToleranceForSoftEdges(93);
      Drain();
      return;
    case 93:
      RaiseToleranceForSoftEdges(93);
      SetState(178, State(93));
      return;
    case 89:
      SetRadius(State(89));
      FocusCanvas();
      Drain();
      return;
    case 95:
      SetTwinSpins(95, "Menge: ", CapSprayAmount(State(95)));
      Drain();
      return;
    case 96: mirrorxstate = uint8_t(State(96)); SetState(181, mirrorxstate); return;
    case 97: mirrorystate = uint8_t(State(97)); SetState(182, mirrorystate); return;
    case 90: SetState(175, 1); SetState(179, 0); return;
    case 94: SetState(175, 0); SetState(179, 1); return;
    case 100: SetDrawStep(State(100)); return;
    case 99: SetDrawStep(1); return;
    case 101: SetDrawStep(200); return;
    case 102: allowreadraw = uint8_t(1 - State(102)); SetState(187, State(102)); return;
    case 106: transstate = 1.0f; SetOpacitySliders(0); return;
    case 107: transstate = float(255 - State(107)) / 255.0f; SetState(192, State(107)); return;
    case 108: transstate = 0.0f; SetOpacitySliders(255); return;
    case 104:
      WaitForComboDropDown(104);
      fillstate = uint8_t(std::clamp(State(104), 0, 12));
      SetState(189, fillstate);
      FocusCanvas();
      Drain();
      return;
    default:
      UpdateToolOptions(gadget);
      Drain();
      return;
  }
}
