// Marked-area effect commands: the same as the whole-image commands, on the area that a
// marking command of this run has lifted out. Each row keeps its own order of checks.
#include <algorithm>

#include "documents/documents.h"
#include "effects/effects.h"
#include "script/commands.h"
#include "toolkit/toolkit.h"

using namespace script_cmd;

namespace {

const char* const kArea = "Kein Bereich markiert";
const char* const kArea2 = "Kein markierter Bereich vorhanden";
const char* const kArea3 = "Kein Markierter Bereich vorhanden";
const char* const kZeroTo127 = "Der angegebene Wert muss zwischen 0 und 127 liegen";
const char* const kOneTo100 = "Der angegebene Wert muss zwischen 1 und 100 liegen";
constexpr int32_t kRingStrengthCap = 200;   // as the menu asks

// image, open, area
bool ImageOpenArea() { return NeedImage() && NeedClosedMark() && NeedArea(kArea); }
// image, area, open
bool ImageAreaOpen() { return NeedImage() && NeedArea(kArea) && NeedClosedMark(); }

template <auto Effect>
void OpenAreaPlain() {
  if (ImageOpenArea()) Effect(1);
}
template <auto Effect>
void AreaOpenPlain() {
  if (ImageAreaOpen()) Effect(1);
}

// Strength 0..127 (Corny, UnClear): image, open, area, count, numeric E.
template <auto Effect>
void Strength127() {
  int32_t v[2];
  if (ImageOpenArea() && NeedCount(1) && NeedNumbers(1, kNumberE, v) && NeedRange(v[1], 0, 127, kZeroTo127))
    Effect(v[1], 1);
}

// The winds and the channel copies work on the area buffer: with nothing marked there
// is nothing to work on, so they refuse like the other marked commands.
template <auto Effect>
void Wind() {
  int32_t v[2];
  if (NeedImage() && NeedArea(kArea) && NeedCount(1) && NeedNumbers(1, kNumberV, v) &&
      NeedRange(v[1], 0, 100, "Maximaler Wert 100"))
    Effect(v[1], 1);
}
template <auto Effect>
void ChannelCopy() {
  if (NeedImage() && NeedArea(kArea)) Effect(1);
}

template <auto Effect>
void ChannelOrder() {
  if (ImageOpenArea()) areacolororder = uint8_t(Effect(areacolororder, 1));
}

template <auto Effect>
void SetChannel(const char* message) {
  int32_t v[2];
  if (ImageAreaOpen() && NeedCount(1) && NeedNumbers(1, kNumberE, v) && NeedRange(v[1], 0, 255, message))
    Effect(v[1], 1);
}

// image, area2, count, numeric E
bool Area2Prelude(int32_t n, int32_t* v) {
  return NeedImage() && NeedArea(kArea2) && NeedCount(n) && NeedNumbers(n, kNumberE, v);
}

template <auto Effect>
void Ring() {
  int32_t v[2];
  if (Area2Prelude(1, v)) Effect(std::min(v[1], kRingStrengthCap), 1);
}

bool QuotedFormula(const std::string& text) {
  return text.size() >= 2 && text.front() == '"' && text.back() == '"';
}

}  // namespace

bool script_cmd::CheckColorspecValues(int32_t* v) {
  static const char* const names[3][3] = {{"Rotminimum", "Rotmaximum", "Rotwende"},
                                          {"Gruenminimum", "Gruenmaximum", "Gruenwende"},
                                          {"Blauminimum", "Blaumaximum", "Blauwende"}};
  for (int c = 0; c < 3; ++c) {
    int32_t* t = v + 1 + 3 * c;
    for (int k = 0; k < 3; ++k) t[k] = int16_t(t[k]);   // kept as signed 16-bit numbers
    const std::string n0 = names[c][0], n1 = names[c][1], n2 = names[c][2];
    if (!NeedRange(t[0], 0, 127, (n0 + " muss zwischen 0 und 127 liegen").c_str())) return false;
    if (!NeedRange(t[1], 128, 255, (n1 + " muss zwischen 128 und 255 liegen").c_str())) return false;
    if (!NeedRange(t[2], -50, 50, (n2 + " muss zwischen -50 und 50 liegen").c_str())) return false;
  }
  return true;
}

void CmdFillImage_Marked() {
  int32_t v[4];
  if (!NeedImage() || !NeedArea(kArea3) || !NeedCount(3) || !NeedNumbers(3, kNumberE, v)) return;
  for (int i = 1; i <= 3; ++i)
    if (!NeedRange(v[i], 0, 255, "Farbwerte müssen zwischen 0 und 255 liegen")) return;
  FillImage_Marked(v[1], v[2], v[3], 1);
}

void CmdAttributes_Marked() {
  int32_t v[7];
  if (!ImageAreaOpen() || !NeedCount(6) || !NeedNumbers(6, kNumberV, v)) return;
  if (!NeedRange(v[1], -128, 127, "Kontrastwert muss zwischen -128 und 127 liegen") ||
      !NeedRange(v[2], -128, 127, "Helligkeitswert muss zwischen -128 und 127 liegen") ||
      !NeedRange(v[3], -128, 127, "Rotwert muss zwischen -128 und 127 liegen") ||
      !NeedRange(v[4], -128, 127, "Gruenwert muss zwischen -128 und 127 liegen") ||
      !NeedRange(v[5], -128, 127, "Blauwert muss zwischen -128 und 127 liegen") ||
      !NeedRange(v[6], 0, 100, "Transparenzwert muss zwischen 0 und 100 liegen"))
    return;
  // The operations panel shows what the script applied.
  const int32_t sliders[5] = {139, 142, 145, 147, 149};
  for (int i = 0; i < 5; ++i)
    if (tk::isGadget(sliders[i])) tk::setGadgetState(sliders[i], v[i + 1] + 128);
  if (tk::isGadget(151)) tk::setGadgetState(151, v[6]);
  Attributes_Marked(int8_t(v[1]), int8_t(v[2]), int8_t(v[3]), int8_t(v[4]), int8_t(v[5]), int8_t(v[6]), 1);
}

void CmdColorTurn_Marked() { AreaOpenPlain<ColorTurn_Marked>(); }
void CmdColorturn_Middle_Marked() { OpenAreaPlain<Colorturn_Middle_Marked>(); }
void CmdBlackWhite_Marked() { OpenAreaPlain<BlackWhite_Marked>(); }
void CmdXtremeColors_Marked() { OpenAreaPlain<XtremeColors_Marked>(); }
void CmdBlur_Up_Marked() { OpenAreaPlain<Blur_Up_Marked>(); }
void CmdBlur_Down_Marked() { OpenAreaPlain<Blur_Down_Marked>(); }
void CmdBlur_Left_Marked() { OpenAreaPlain<Blur_Left_Marked>(); }
void CmdBlur_Right_Marked() { OpenAreaPlain<Blur_Right_Marked>(); }
void CmdMirror_X_Marked() { OpenAreaPlain<Mirror_X_Marked>(); }
void CmdMirror_Y_Marked() { OpenAreaPlain<Mirror_Y_Marked>(); }
void CmdTurn_90_Marked() { OpenAreaPlain<Turn_90_Marked>(); }
void CmdTurn_180_Marked() { OpenAreaPlain<Turn_180_Marked>(); }
void CmdTurn_270_Marked() { OpenAreaPlain<Turn_270_Marked>(); }
void CmdShadow_Marked() { OpenAreaPlain<Shadow_Marked>(); }
void CmdColorspectrum_Marked() { OpenAreaPlain<Colorspectrum_Marked>(); }

void CmdBiChromaticDithering_Marked() {
  int32_t v[7];
  if (!NeedImage() || !NeedArea(kArea2) || !NeedCount(6) || !NeedNumbers(6, kNumberV, v)) return;
  for (int i = 1; i <= 6; ++i)
    if (!NeedRange(v[i], 0, 255, "Farbwerte müssen zwischen 0 und 255 liegen")) return;
  BiChromaticDithering_Marked(v[1], v[2], v[3], v[4], v[5], v[6], 1);
}

void CmdCorny_Marked() { Strength127<Corny_Marked>(); }
void CmdUnClear_Marked() { Strength127<UnClear_Marked>(); }

void CmdChess_Marked() {
  int32_t v[2];
  if (ImageOpenArea() && NeedCount(1) && NeedNumbers(1, kNumberV, v) && NeedRange(v[1], 1, 100, kOneTo100))
    Chess(v[1], 1, 1);
}
void CmdChessCircle_Marked() {
  int32_t v[2];
  if (ImageOpenArea() && NeedCount(1) && NeedNumbers(1, kNumberV, v) && NeedRange(v[1], 1, 100, kOneTo100))
    ChessCircle_Marked(v[1], 1);
}

void CmdWind_Up_Marked() { Wind<Wind_Up_Marked>(); }
void CmdWind_Down_Marked() { Wind<Wind_Down_Marked>(); }
void CmdWind_Left_Marked() { Wind<Wind_Left_Marked>(); }
void CmdWind_Right_Marked() { Wind<Wind_Right_Marked>(); }

void CmdColoring_Marked() {
  int32_t v[4];
  if (!ImageOpenArea() || !NeedCount(3) || !NeedNumbers(3, kNumberE, v)) return;
  if (!NeedRange(v[1], 0, 255, "Der Rotwert muss zwischen 0 und 255 liegen") ||
      !NeedRange(v[2], 0, 255, "Der Gruenwert muss zwischen 0 und 255 liegen") ||
      !NeedRange(v[3], 0, 255, "Der Blauwert muss zwischen 0 und 255 liegen"))
    return;
  Coloring_Marked(v[1], v[2], v[3], 1);
}

void CmdSpecialEffect_Marked() {
  int32_t v[2];
  if (ImageOpenArea() && NeedCount(1) && NeedNumbers(1, kNumberE, v) &&
      NeedRange(v[1], 1, 3, "Der angegebene Wert muss zwischen 1 und 3 liegen"))
    SpecialEffect_Marked(v[1], 1);
}

void CmdRGB_Marked() { ChannelOrder<RGB_Marked>(); }
void CmdRBG_Marked() { ChannelOrder<RBG_Marked>(); }
void CmdGRB_Marked() { ChannelOrder<GRB_Marked>(); }
void CmdGBR_Marked() { ChannelOrder<GBR_Marked>(); }
void CmdBGR_Marked() { ChannelOrder<BGR_Marked>(); }
void CmdBRG_Marked() { ChannelOrder<BRG_Marked>(); }

void CmdColormove_Marked() {
  int32_t v[7];
  if (!NeedImage() || !NeedClosedMark() || !NeedCount(6) || !NeedArea(kArea2) || !NeedNumbers(6, kNumberV, v))
    return;
  for (int i = 1; i <= 6; ++i)
    if (!NeedRange(v[i], -10, 10, "Die angegebenen Werte müssen zwischen -10 und 10 liegen")) return;
  Colormove_Marked(std::abs(v[1]), std::abs(v[3]), std::abs(v[5]), v[1] < 0 ? 2 : 1, v[3] < 0 ? 2 : 1,
                   v[5] < 0 ? 2 : 1, 1);
  Colormove_Marked(std::abs(v[2]), std::abs(v[4]), std::abs(v[6]), v[2] < 0 ? 4 : 3, v[4] < 0 ? 4 : 3,
                   v[6] < 0 ? 4 : 3, 1);
}

void CmdSetColorspec_Marked() {
  int32_t v[10];
  if (!ImageOpenArea() || !NeedCount(9) || !NeedNumbers(9, kNumberE, v) || !CheckColorspecValues(v)) return;
  SetColorspec_Marked(uint8_t(v[1]), uint8_t(v[2]), uint8_t(v[3]), uint8_t(v[4]), uint8_t(v[5]), uint8_t(v[6]),
                      uint8_t(v[7]), uint8_t(v[8]), uint8_t(v[9]), 1);
}

void CmdSetRedColors_Marked() { SetChannel<SetRedColors_Marked>("Rotwert muss zwischen 0 und 255 liegen"); }
void CmdSetGreenColors_Marked() { SetChannel<SetGreenColors_Marked>("Gruenwert muss zwischen 0 und 255 liegen"); }
void CmdSetBlueColors_Marked() { SetChannel<SetBlueColors_Marked>("Blauwert muss zwischen 0 und 255 liegen"); }

void CmdRedDataFromBlueData_Marked() { ChannelCopy<RedDataFromBlueData_Marked>(); }
void CmdRedDataFromGreenData_Marked() { ChannelCopy<RedDataFromGreenData_Marked>(); }
void CmdGreenDataFromRedData_Marked() { ChannelCopy<GreenDataFromRedData_Marked>(); }
void CmdGreenDataFromBlueData_Marked() { ChannelCopy<GreenDataFromBlueData_Marked>(); }
void CmdBlueDataFromRedData_Marked() { ChannelCopy<BlueDataFromRedData_Marked>(); }
void CmdBlueDataFromGreenData_Marked() { ChannelCopy<BlueDataFromGreenData_Marked>(); }

void CmdLinedouble_Marked() { AreaOpenPlain<Linedouble_Marked>(); }
void CmdLinedouble_mirror_Marked() { AreaOpenPlain<Linedouble_mirror_Marked>(); }
void CmdLogicalBars_Marked() { AreaOpenPlain<LogicalBars_Marked>(); }
void CmdIncircle_Marked() { AreaOpenPlain<Incircle_Marked>(); }

void CmdBars_Marked() {
  int32_t v[2];
  if (!ImageAreaOpen() || !NeedCount(1) || !NeedNumbers(1, kNumberV, v) ||
      !NeedRange(v[1], 1, 4, "Der angegebene Wert muss zwischen 1 und 4 liegen"))
    return;
  switch (v[1]) {
    case 1: BarsRight_Marked(1); break;
    case 2: BarsLeft_Marked(1); break;
    case 3: BarsUp_Marked(1); break;
    default: BarsDown_Marked(1); break;
  }
}

void CmdColorBars_Marked() {
  int32_t v[4];
  if (!ImageAreaOpen() || !NeedCount(3) || !NeedNumbers(3, kNumberE, v)) return;
  if (!NeedRange(v[1], 0, 255, "Der Rotwert muss zwischen 0 und 255 liegen ") ||
      !NeedRange(v[2], 0, 255, "Der Gruenwert muss zwischen 0 und 255 liegen ") ||
      !NeedRange(v[3], 0, 255, "Der Blauwert muss zwischen 0 und 255 liegen "))
    return;
  ColorBars_Marked(uint8_t(v[1]), uint8_t(v[2]), uint8_t(v[3]), 1);
}

// No numeric check here: a text converts to 0.
void CmdSoftdraw_Marked() {
  int32_t v[2];
  if (!ImageAreaOpen() || !NeedCount(1)) return;
  ConvertNumbers(1, v);
  if (NeedRange(v[1], 0, 127, kZeroTo127)) SoftSharpDraw_Marked(v[1], 1);
}
void CmdSharpdraw_Marked() {
  int32_t v[2];
  if (!ImageAreaOpen() || !NeedCount(1)) return;
  ConvertNumbers(1, v);
  if (NeedRange(v[1], 0, 127, kZeroTo127)) SoftSharpDraw_Marked(-v[1], 1);
}

// Script order: a1 x width, a2 x amplitude, a3 y start, a4 y width, a5 y amplitude,
// a6 x start.
void CmdWaves_Marked() {
  int32_t v[7];
  if (!NeedImage(kNoImageWaves) || !NeedArea(kArea2) || !NeedCount(6) || !NeedNumbers(6, kNumberE, v)) return;
  const char* start = "Der AnfangsWert für die Höhe muss zwischen 100 und -100 liegen";
  const char* width = "Die Breite muss größer als 1 sein";
  if (!NeedRange(v[6], -100, 100, start) || !NeedRange(v[3], -100, 100, start)) return;
  if (!NeedRange(v[4], 2, INT32_MAX, width) || !NeedRange(v[1], 2, INT32_MAX, width)) return;
  Waves_Marked(float(v[2]), float(v[1]), float(v[5]), float(v[4]), int8_t(v[6]), int8_t(v[3]), 1);
}

void CmdBlowUp_Marked() {
  int32_t v[3];
  if (Area2Prelude(2, v)) BlowUp_Marked(v[1], v[2], 1);
}
void CmdMoveImage_Marked() {
  int32_t v[3];
  if (Area2Prelude(2, v)) MoveImage_Marked(v[1], v[2], 1);
}

void CmdExplode_Marked() { Ring<Explode_Marked>(); }
void CmdImplode_Marked() { Ring<Implode_Marked>(); }
void CmdWhirl_Left_Marked() { Ring<Whirl_Left_Marked>(); }
void CmdWhirl_Right_Marked() { Ring<Whirl_Right_Marked>(); }

void CmdOwnEffect_Marked() {
  if (!NeedImage() || !NeedArea(kArea2) || !NeedCount(2)) return;
  if (!QuotedFormula(StatementArgs[1]) || !QuotedFormula(StatementArgs[2])) return ReportScriptError(kNumberE);
  OwnEffect_Marked(StatementArgs[1], StatementArgs[2], 1);
}
