// Whole-image effect commands: each checks its statement and then runs one effect on the
// current image with quiet 1 (the run keeps the undo point and redraws at its end).
#include <algorithm>

#include "documents/documents.h"
#include "effects/effects.h"
#include "script/commands.h"

using namespace script_cmd;

namespace {

const char* const kColour255 = "Farbwerte müssen zwischen 0 und 255 liegen";
const char* const kValues255 = "Die angegebenen Werte müssen zwischen 0 und 255 liegen";
const char* const kMax100 = "Maximaler Wert 100";
const char* const kMax128 = "Maximaler Wert 128";
// A field size or wind strength of 0 would give the effects nothing to do per step.
const char* const kOneTo100 = "Der angegebene Wert muss zwischen 1 und 100 liegen";
// The menu asks the ring effects for 1 to 200; larger strengths are taken as 200.
constexpr int32_t kRingStrengthCap = 200;

// Checks of a command with n numeric arguments: image, count, numbers.
bool Prelude(int32_t n, const char* numeric, int32_t* v) {
  return NeedImage() && NeedCount(n) && NeedNumbers(n, numeric, v);
}

bool AllInRange(const int32_t* v, int32_t n, int32_t lo, int32_t hi, const char* message) {
  for (int32_t i = 1; i <= n; ++i)
    if (!NeedRange(v[i], lo, hi, message)) return false;
  return true;
}

// Field sizes and wind strengths: 1..100.
bool SizeOneTo100(int32_t v) {
  if (!NeedRange(v, 0, 100, kMax100)) return false;
  return NeedRange(v, 1, 100, kOneTo100);
}

template <auto Effect>
void Wind() {
  int32_t v[2];
  if (Prelude(1, kNumberV, v) && SizeOneTo100(v[1])) Effect(v[1], 1);
}

template <auto Effect>
void ChannelOrder() {
  if (NeedImage()) colororder = uint8_t(Effect(colororder, 1));
}

template <auto Effect>
void Ring() {
  int32_t v[2];
  if (Prelude(1, kNumberE, v)) Effect(std::min(v[1], kRingStrengthCap), 1);
}

bool QuotedFormula(const std::string& text) {
  return text.size() >= 2 && text.front() == '"' && text.back() == '"';
}

}  // namespace

void CmdFillImage() {
  int32_t v[4];
  if (Prelude(3, kNumberE, v) && AllInRange(v, 3, 0, 255, kColour255)) FillImage(v[1], v[2], v[3], 1);
}

void CmdAttributes() {
  int32_t v[6];
  if (Prelude(5, kNumberV, v) &&
      AllInRange(v, 5, -128, 127, "Die angegebenen Werte müssen zwischen -128 und 127 liegen"))
    Attributes(v[1], v[2], v[3], v[4], v[5], 1);
}

void CmdRedAway() { if (NeedImage()) SwitchRedChannel(0, 1); }
void CmdRedBack() { if (NeedImage()) SwitchRedChannel(1, 1); }
void CmdGreenAway() { if (NeedImage()) SwitchGreenChannel(0, 1); }
void CmdGreenBack() { if (NeedImage()) SwitchGreenChannel(1, 1); }
void CmdBlueAway() { if (NeedImage()) SwitchBlueChannel(0, 1); }
void CmdBlueBack() { if (NeedImage()) SwitchBlueChannel(1, 1); }

void CmdBiChromaticDithering() {
  int32_t v[7];
  if (Prelude(6, kNumberV, v) && AllInRange(v, 6, 0, 255, kColour255))
    BiChromaticDithering(v[1], v[2], v[3], v[4], v[5], v[6], 1);
}

void CmdCorny() {
  int32_t v[2];
  if (Prelude(1, kNumberV, v) && NeedRange(v[1], 0, 128, kMax128)) Corny(v[1], 1);
}

void CmdChess() {
  int32_t v[2];
  if (Prelude(1, kNumberV, v) && SizeOneTo100(v[1])) Chess(v[1], 0, 1);
}

void CmdChessCircle() {
  int32_t v[2];
  if (Prelude(1, kNumberV, v) && SizeOneTo100(v[1])) ChessCircle(v[1], 1);
}

void CmdWind_Up() { Wind<Wind_Up>(); }
void CmdWind_Down() { Wind<Wind_Down>(); }
void CmdWind_Left() { Wind<Wind_Left>(); }
void CmdWind_Right() { Wind<Wind_Right>(); }

void CmdColoring() {
  int32_t v[4];
  if (Prelude(3, kNumberV, v) && AllInRange(v, 3, 0, 255, kValues255)) Coloring(v[1], v[2], v[3], 1);
}

void CmdUnClear() {
  int32_t v[2];
  if (Prelude(1, kNumberV, v) && NeedRange(v[1], 0, 128, kMax128)) UnClear(v[1], 1);
}

void CmdSpecialEffect() {
  int32_t v[2];
  if (Prelude(1, kNumberV, v) && NeedRange(v[1], 1, 3, "Der angegebene Wert muss zwischen 1 und 3 liegen"))
    SpecialEffect(v[1], 1);
}

void CmdRGB() { ChannelOrder<RGB>(); }
void CmdRBG() { ChannelOrder<RBG>(); }
void CmdGRB() { ChannelOrder<GRB>(); }
void CmdGBR() { ChannelOrder<GBR>(); }
void CmdBRG() { ChannelOrder<BRG>(); }
void CmdBGR() { ChannelOrder<BGR>(); }

// The script's pairs (s1, s2), (s3, s4), (s5, s6) are the x and y shifts of the three
// channels: one call moves along x (direction 1 forward, 2 back), one along y (3, 4).
void CmdColormove() {
  int32_t v[7];
  if (!Prelude(6, kNumberV, v) ||
      !AllInRange(v, 6, -10, 10, "Die angegebenen Werte müssen zwischen -10 und 10 liegen"))
    return;
  Colormove(std::abs(v[1]), std::abs(v[3]), std::abs(v[5]), v[1] < 0 ? 2 : 1, v[3] < 0 ? 2 : 1, v[5] < 0 ? 2 : 1, 1);
  Colormove(std::abs(v[2]), std::abs(v[4]), std::abs(v[6]), v[2] < 0 ? 4 : 3, v[4] < 0 ? 4 : 3, v[6] < 0 ? 4 : 3, 1);
}

void CmdSetRedColors() {
  int32_t v[2];
  if (Prelude(1, kNumberV, v) && NeedRange(v[1], 0, 255, "Rotwert muss zwischen 0 und 255 liegen"))
    SetRedColors(v[1], 1);
}
void CmdSetGreenColors() {
  int32_t v[2];
  if (Prelude(1, kNumberV, v) && NeedRange(v[1], 0, 255, "Gruenwert muss zwischen 0 und 255 liegen"))
    SetGreenColors(v[1], 1);
}
void CmdSetBlueColors() {
  int32_t v[2];
  if (Prelude(1, kNumberV, v) && NeedRange(v[1], 0, 255, "Blauwert muss zwischen 0 und 255 liegen"))
    SetBlueColors(v[1], 1);
}

// Checked and applied as its marked twin does, on the whole image.
void CmdSetColorspec() {
  int32_t v[10];
  if (!Prelude(9, kNumberE, v) || !CheckColorspecValues(v)) return;
  SetColorspec(v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8], v[9], 1);
}

void CmdBars() {
  int32_t v[2];
  if (!Prelude(1, kNumberV, v) || !NeedRange(v[1], 1, 4, "Maximaler Wert 4")) return;
  switch (v[1]) {
    case 1: BarsRight(1); break;
    case 2: BarsLeft(1); break;
    case 3: BarsUp(1); break;
    default: BarsDown(1); break;
  }
}

void CmdColorBars() {
  int32_t v[4];
  if (Prelude(3, kNumberE, v) && AllInRange(v, 3, 0, 255, kValues255))
    ColorBars(uint8_t(v[1]), uint8_t(v[2]), uint8_t(v[3]), 1);
}

// The effect's strength is a signed byte: 128 softens as strongly as it can hold.
void CmdSoftdraw() {
  int32_t v[2];
  if (Prelude(1, kNumberV, v) && NeedRange(v[1], 0, 128, kMax128)) SoftSharpDraw(1, std::min(v[1], 127));
}
void CmdSharpdraw() {
  int32_t v[2];
  if (Prelude(1, kNumberV, v) && NeedRange(v[1], 0, 128, kMax128)) SoftSharpDraw(1, -v[1]);
}

// Script order: a1 x width, a2 y start, a3 x amplitude, a4 y width, a5 x start,
// a6 y amplitude.
void CmdWaves() {
  int32_t v[7];
  if (!NeedImage(kNoImageWaves) || !NeedCount(6) || !NeedNumbers(6, kNumberE, v)) return;
  const char* start = "Der AnfangsWert für die Höhe muss zwischen 100 und -100 liegen";
  const char* width = "Die Breite muss größer als 1 sein";
  if (!NeedRange(v[5], -100, 100, start) || !NeedRange(v[2], -100, 100, start)) return;
  if (!NeedRange(v[4], 2, INT32_MAX, width) || !NeedRange(v[1], 2, INT32_MAX, width)) return;
  Waves(float(v[3]), float(v[1]), float(v[6]), float(v[4]), int8_t(v[5]), int8_t(v[2]), 1);
}

void CmdBlowUp() {
  int32_t v[3];
  if (Prelude(2, kNumberE, v)) BlowUp(v[1], v[2], 1);
}
void CmdMoveImage() {
  int32_t v[3];
  if (Prelude(2, kNumberE, v)) MoveImage(v[1], v[2], 1);
}

void CmdExplode() { Ring<Explode>(); }
void CmdImplode() { Ring<Implode>(); }
void CmdWhirl_Left() { Ring<Whirl_Left>(); }
void CmdWhirl_Right() { Ring<Whirl_Right>(); }

void CmdOwnEffect() {
  if (!NeedImage() || !NeedCount(2)) return;
  if (!QuotedFormula(StatementArgs[1]) || !QuotedFormula(StatementArgs[2])) return ReportScriptError(kNumberE);
  OwnEffect(StatementArgs[1], StatementArgs[2], 1);
}

namespace {
template <auto Effect>
void WholeTurn() {
  if (!NeedImage()) return;
  if (StructureSectionOpen) return ReportScriptError("In StructureSection nicht möglich");
  Effect(1);
}
}  // namespace

void CmdTurn_90() { WholeTurn<Turn_90>(); }
void CmdTurn_180() { WholeTurn<Turn_180>(); }
void CmdTurn_270() { WholeTurn<Turn_270>(); }
