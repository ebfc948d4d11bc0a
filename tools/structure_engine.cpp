// The structure engine: the black plane's and the white plane's effect lists run on two
// copies of the same pixels, then the structure's grey map mixes them cell by cell.
#include <algorithm>
#include <cmath>

#include "documents/documents.h"
#include "effects/effects.h"
#include "toolkit/toolkit.h"
#include "tools/tools.h"

EffectList BlackEffectList, WhiteEffectList;
std::vector<PixelCellT> StructurePlaneCopy, StructureAreaCopy;
std::vector<uint8_t> StructureGreyMap, StructureAreaGreyMap;

// ---- effect lists ----

int32_t InsertEffect(EffectList& list, int32_t row, int32_t position) {
  if (position < 0 || size_t(position) >= StructureEffectTable.size()) return -1;
  EffectListEntry e = StructureEffectTable[size_t(position)];
  e.help.clear();
  e.formula1.clear();
  e.formula2.clear();
  const int32_t at = std::clamp(row + 1, 0, int32_t(list.items.size()));
  list.items.insert(list.items.begin() + at, std::move(e));
  list.current = at;
  return at;
}

void RemoveEffect(EffectList& list, int32_t row) {
  if (row < 0 || size_t(row) >= list.items.size()) return;
  list.items.erase(list.items.begin() + row);
  if (list.items.empty()) list.current = -1;
  else list.current = row > 0 ? row - 1 : 0;
}

// ---- dispatch ----

namespace {

int32_t TablePosition(const std::string& name) {
  for (size_t p = 0; p < StructureEffectTable.size(); ++p)
    if (StructureEffectTable[p].name == name) return int32_t(p);
  return -1;
}

// The colour-range values of one channel from its five stored words (w1 .. w5).
struct RangeParts { int32_t t1, t2, t3, t4, t5; };
RangeParts RangeFromWords(int32_t w1, int32_t w2, int32_t w3, int32_t w4, int32_t w5) {
  return {w1, w2 * w1 / 128, w3 * (256 - w1) / 128 + 128, w4 * w2 / 128, w5 * w3 / 128 + w3 + 128};
}

}  // namespace

void DispatchStructureEffect(const EffectListEntry& e, uint8_t marked, bool keepOrder) {
  const int32_t pos = TablePosition(e.name);
  if (pos < 0) return;
  const bool m = marked != 0;
  const int32_t atLeast1 = std::max<int32_t>(e.param2, 1);
  auto order = [&](int32_t (*whole)(uint8_t, int32_t), int32_t (*area)(uint8_t, int32_t)) {
    const int32_t r = m ? area(colororder, 1) : whole(colororder, 1);
    if (keepOrder) colororder = uint8_t(r);
  };
  switch (pos) {
    case 0: m ? FillImage_Marked(e.param4, e.param5, e.param6, 1) : FillImage(e.param4, e.param5, e.param6, 1); break;
    case 1:
      if (m) Attributes_Marked(int8_t(e.param3), int8_t(e.param2), int8_t(e.param4), int8_t(e.param5), int8_t(e.param6), 0, 1);
      else Attributes(e.param3, e.param2, e.param4, e.param5, e.param6, 1);
      break;
    case 2: case 3: m ? SwitchRedChannel_Marked(pos - 2, 1) : SwitchRedChannel(pos - 2, 1); break;
    case 4: case 5: m ? SwitchGreenChannel_Marked(pos - 4, 1) : SwitchGreenChannel(pos - 4, 1); break;
    case 6: case 7: m ? SwitchBlueChannel_Marked(pos - 6, 1) : SwitchBlueChannel(pos - 6, 1); break;
    case 8: m ? ColorTurn_Marked(1) : ColorTurn(1); break;
    case 9: m ? Colorturn_Middle_Marked(1) : Colorturn_Middle(1); break;
    case 10: m ? BlackWhite_Marked(1) : BlackWhite(1); break;
    case 11:
      if (m) BiChromaticDithering_Marked(e.param13, e.param14, e.param15, e.param10, e.param11, e.param12, 1);
      else BiChromaticDithering(e.param13, e.param14, e.param15, e.param10, e.param11, e.param12, 1);
      break;
    case 12: m ? Corny_Marked(e.param2, 1) : Corny(e.param2, 1); break;
    case 13: Chess(atLeast1, m ? 1 : 0, 1); break;
    case 14: m ? ChessCircle_Marked(atLeast1, 1) : ChessCircle(atLeast1, 1); break;
    case 15: m ? Wind_Up_Marked(atLeast1, 1) : Wind_Up(atLeast1, 1); break;
    case 16: m ? Wind_Down_Marked(atLeast1, 1) : Wind_Down(atLeast1, 1); break;
    case 17: m ? Wind_Left_Marked(atLeast1, 1) : Wind_Left(atLeast1, 1); break;
    case 18: m ? Wind_Right_Marked(atLeast1, 1) : Wind_Right(atLeast1, 1); break;
    case 19: m ? XtremeColors_Marked(1) : XtremeColors(1); break;
    case 20:
      // Colours are stored as plain components 0..255, as the colour button gives them.
      if (m) Coloring_Marked(e.param4, e.param5, e.param6, 1);
      else Coloring(e.param4, e.param5, e.param6, 1);
      break;
    case 21: m ? UnClear_Marked(5, 1) : UnClear(5, 1); break;
    case 22: m ? SpecialEffect_Marked(e.param3, 1) : SpecialEffect(e.param3, 1); break;
    case 23: m ? Blur_Up_Marked(1) : Blur_Up(1); break;
    case 24: m ? Blur_Down_Marked(1) : Blur_Down(1); break;
    case 25: m ? Blur_Left_Marked(1) : Blur_Left(1); break;
    case 26: m ? Blur_Right_Marked(1) : Blur_Right(1); break;
    case 27: m ? Mirror_X_Marked(1) : Mirror_X(1); break;
    case 28: m ? Mirror_Y_Marked(1) : Mirror_Y(1); break;
    case 29: order(RGB, RGB_Marked); break;
    case 30: order(RBG, RBG_Marked); break;
    case 31: order(GRB, GRB_Marked); break;
    case 32: order(GBR, GBR_Marked); break;
    case 33: order(BRG, BRG_Marked); break;
    case 34: order(BGR, BGR_Marked); break;
    case 35: {
      // The element's channel boxes (param7 red, param8 green, param9 blue) choose the pairs.
      const int32_t r = e.param7 ? e.param4 : 0, g = e.param8 ? e.param5 : 0, b = e.param9 ? e.param6 : 0;
      const int32_t rd = e.param7 ? e.param19 : 0, gd = e.param8 ? e.param20 : 0, bd = e.param9 ? e.param21 : 0;
      m ? Colormove_Marked(r, g, b, rd, gd, bd, 1) : Colormove(r, g, b, rd, gd, bd, 1);
      break;
    }
    case 36: m ? Shadow_Marked(1) : Shadow(1); break;
    case 37: m ? Colorspectrum_Marked(1) : ColorSpectrum(1); break;
    case 38:
      if (m)
        SetColorspec_Marked(uint8_t(e.param10), uint8_t(e.param13), uint8_t(e.param16), uint8_t(e.param11),
                            uint8_t(e.param14), uint8_t(e.param17), uint8_t(e.param12), uint8_t(e.param15),
                            uint8_t(e.param18), 1);
      else
        SetColorspec(e.param10, e.param13, e.param16, e.param11, e.param14, e.param17, e.param12, e.param15,
                     e.param18, 1);
      break;
    case 39: m ? SetRedColors_Marked(e.param4, 1) : SetRedColors(e.param4, 1); break;
    case 40: m ? SetGreenColors_Marked(e.param5, 1) : SetGreenColors(e.param5, 1); break;
    case 41: m ? SetBlueColors_Marked(e.param6, 1) : SetBlueColors(e.param6, 1); break;
    case 42: m ? RedDataFromBlueData_Marked(1) : RedDataFromBlueData(1); break;
    case 43: m ? RedDataFromGreenData_Marked(1) : RedDataFromGreenData(1); break;
    case 44: m ? GreenDataFromRedData_Marked(1) : GreenDataFromRedData(1); break;
    case 45: m ? GreenDataFromBlueData_Marked(1) : GreenDataFromBlueData(1); break;
    case 46: m ? BlueDataFromRedData_Marked(1) : BlueDataFromRedData(1); break;
    case 47: m ? BlueDataFromGreenData_Marked(1) : BlueDataFromGreenData(1); break;
    case 48: m ? Linedouble_Marked(1) : Linedouble(1); break;
    case 49: m ? Linedouble_mirror_Marked(1) : Linedouble_mirror(1); break;
    case 50:
      // param21 is the index of the direction as the settings label it: "Links", "Rechts",
      // "Oben", "Unten".
      switch (e.param21) {
        case 0: m ? BarsLeft_Marked(1) : BarsLeft(1); break;
        case 1: m ? BarsRight_Marked(1) : BarsRight(1); break;
        case 2: m ? BarsUp_Marked(1) : BarsUp(1); break;
        case 3: m ? BarsDown_Marked(1) : BarsDown(1); break;
        default: break;
      }
      break;
    case 51: m ? LogicalBars_Marked(1) : LogicalBars(1); break;
    case 52:
      if (m) ColorBars_Marked(uint8_t(e.param4), uint8_t(e.param5), uint8_t(e.param6), 1);
      else ColorBars(uint8_t(e.param4), uint8_t(e.param5), uint8_t(e.param6), 1);
      break;
    case 53: case 54: {
      // The strength slider stores into param2.
      const int32_t s = pos == 53 ? -e.param2 / 5 : e.param2 / 5;
      m ? SoftSharpDraw_Marked(s, 1) : SoftSharpDraw(1, s);
      break;
    }
    case 55: m ? Incircle_Marked(1) : Incircle(1); break;
    case 56:
      if (m) Waves_Marked(float(e.param4), float(e.param2), float(e.param5), float(e.param3), int8_t(e.param7), int8_t(e.param8), 1);
      else Waves(float(e.param4), float(e.param2), float(e.param5), float(e.param3), int8_t(e.param7), int8_t(e.param8), 1);
      break;
    case 57: break;   // BlowUp: not run by a structure
    case 58: {
      const RangeParts r = RangeFromWords(e.param16, e.param10, e.param13, e.param19, e.param7);
      const RangeParts g = RangeFromWords(e.param17, e.param11, e.param14, e.param20, e.param8);
      const RangeParts b = RangeFromWords(e.param18, e.param12, e.param15, e.param21, e.param9);
      if (m)
        ClearColorRange_Marked(r.t2, r.t3, r.t1, g.t2, g.t3, g.t1, b.t2, b.t3, b.t1, r.t4, r.t5, g.t4, g.t5, b.t4,
                               b.t5, e.param4, e.param5, e.param6, e.param3, 1);
      else
        ClearColorRange(r.t2, r.t3, r.t1, g.t2, g.t3, g.t1, b.t2, b.t3, b.t1, r.t4, r.t5, g.t4, g.t5, b.t4, b.t5,
                        e.param4, e.param5, e.param6, e.param3, 1);
      break;
    }
    case 59: m ? MoveImage_Marked(e.param2, e.param3, 1) : MoveImage(e.param2, e.param3, 1); break;
    case 60: m ? Explode_Marked(e.param2, 1) : Explode(e.param2, 1); break;
    case 61: m ? Implode_Marked(e.param2, 1) : Implode(e.param2, 1); break;
    case 62: m ? Whirl_Left_Marked(e.param2, 1) : Whirl_Left(e.param2, 1); break;
    case 63: m ? Whirl_Right_Marked(e.param2, 1) : Whirl_Right(e.param2, 1); break;
    case 64: m ? OwnEffect_Marked(e.formula1, e.formula2, 1) : OwnEffect(e.formula1, e.formula2, 1); break;
    default: break;
  }
}

// ---- blend ----

namespace {

// Grey 255 keeps the target cell, 0 takes the copy's; the flag byte stays the target's.
void BlendCells(std::vector<PixelCellT>& target, const std::vector<PixelCellT>& copy,
                const std::vector<uint8_t>& grey) {
  if (copy.size() != target.size() || grey.size() != target.size()) return;
  for (size_t i = 0; i < target.size(); ++i) {
    const float f = float(grey[i]) / 255.0f, g = 1.0f - f;
    const uint32_t t = target[i], c = copy[i];
    uint32_t out = t & 0xFF000000u;
    for (int shift = 0; shift < 24; shift += 8) {
      const float v = float((t >> shift) & 0xFF) * f + float((c >> shift) & 0xFF) * g;
      out |= uint32_t(std::min(255.0f, std::floor(v))) << shift;
    }
    target[i] = out;
  }
}

void RunPass(EffectList& list, uint8_t marked, bool keepOrder) {
  // The pass consumes the list, first element first.
  std::vector<EffectListEntry> items;
  items.swap(list.items);
  list.current = -1;
  for (const EffectListEntry& e : items) DispatchStructureEffect(e, marked, keepOrder);
}

}  // namespace

void BlendStructure() { BlendCells(ImagePixels, StructurePlaneCopy, StructureGreyMap); }
void BlendStructure_Marked() { BlendCells(AreaPixels, StructureAreaCopy, StructureAreaGreyMap); }

// ---- runs ----

int32_t RunStructure(uint8_t marked, const StructureRunOptions& options) {
  const bool m = marked != 0;
  OnErrorCode1 = m ? 36 : 35;
  std::vector<uint8_t>& grey = m ? StructureAreaGreyMap : StructureGreyMap;
  std::vector<PixelCellT>& copy = m ? StructureAreaCopy : StructurePlaneCopy;
  auto release = [&] {
    BlackEffectList = EffectList{};
    WhiteEffectList = EffectList{};
    std::vector<PixelCellT>(1).swap(copy);
    std::vector<uint8_t>(1).swap(grey);
  };
  // The structure is read before anything changes, so a broken file leaves the target alone.
  int32_t w = 0, h = 0;
  if (!ReadStructureFile(options.path, grey, w, h)) {
    tk::messageRequester("Fehler", "Die Structure \"" + options.path + "\" fehlt oder ist beschädigt.");
    release();
    return 0;
  }
  if (!m) CreateUndoPoint();
  std::vector<PixelCellT>& target = m ? AreaPixels : ImagePixels;
  copy = target;
  if (options.blackOn) RunPass(BlackEffectList, marked, true);
  else BlackEffectList = EffectList{};
  if (target.size() == copy.size()) target.swap(copy);   // the copy holds the black result
  if (options.whiteOn) RunPass(WhiteEffectList, marked, false);
  else WhiteEffectList = EffectList{};
  const int32_t lastX = m ? arealang : bildlang, lastY = m ? areahoch : bildhoch;
  FitStructureMap(grey, w, h, lastX, lastY, options.mode);
  m ? BlendStructure_Marked() : BlendStructure();
  if (m) RefreshView();
  else RedrawCanvas();
  release();
  return 1;
}

namespace {
StructureRunOptions DialogOptions(uint8_t mode) {
  StructureRunOptions o;
  o.blackOn = tk::gadgetState(204) != 0;
  o.whiteOn = tk::gadgetState(211) != 0;
  o.path = StructureEntryPath(tk::gadgetState(195));
  o.mode = mode ? 1 : 0;
  return o;
}
}  // namespace

void ApplyStructure(uint8_t mode) { RunStructure(0, DialogOptions(mode)); }
void ApplyStructure_Marked(uint8_t mode) { RunStructure(1, DialogOptions(mode)); }
