// Popup menu 14: the Effects menu for the marked area. Each entry asks its values with the
// same requesters and dialogs as the main menu and runs the area twin interactively
// (quiet 0), so each effect refreshes the view itself.
#include <string>

#include "documents/documents.h"
#include "effects/effects.h"
#include "shell/shell.h"
#include "toolkit/toolkit.h"

namespace {

uint32_t DrawingColour() { return uint32_t(Rot) | uint32_t(Gruen) << 8 | uint32_t(Blau) << 16; }

// The value requester; false when it was closed without "OK" (the entry then runs nothing).
bool Ask(int32_t min, int32_t max, int32_t def, const std::string& prompt, int32_t& v) {
  v = AskEffectValue(min, max, def, prompt);
  return EffectValueCancelled == 0;
}

// Tinting and colour bars take their colour through the drawing colour, which is the
// user's own again afterwards.
template <typename Run>
void ThroughDrawingColour(Run run) {
  const int64_t col = ShowSystemColourDialog(DrawingColour());
  if (col < 0) return;
  const uint8_t r = Rot, g = Gruen, b = Blau;
  Rot = uint8_t(col);
  Gruen = uint8_t(col >> 8);
  Blau = uint8_t(col >> 16);
  run();
  Rot = r;
  Gruen = g;
  Blau = b;
}

using Strength = int32_t (*)(int32_t, uint8_t);
const Strength kExpand[8] = {ExpandBrightAreas_Marked,      ExpandDarkAreas_Marked,      ExpandBrightRedAreas_Marked,
                             ExpandDarkRedAreas_Marked,     ExpandBrightGreenAreas_Marked, ExpandDarkGreenAreas_Marked,
                             ExpandBrightBlueAreas_Marked,  ExpandDarkBlueAreas_Marked};
const Strength kAmplify[8] = {AmplifyBrightAreas_Marked,     AmplifyDarkAreas_Marked,     AmplifyBrightRedAreas_Marked,
                              AmplifyDarkRedAreas_Marked,    AmplifyBrightGreenAreas_Marked, AmplifyDarkGreenAreas_Marked,
                              AmplifyBrightBlueAreas_Marked, AmplifyDarkBlueAreas_Marked};
using Relief = int32_t (*)(int32_t, uint8_t);
const Relief kReliefs[4] = {ColorRelief_Marked, BrightColorRelief_Marked, NormalRelief_Marked,
                            BrightNormalRelief_Marked};
using Order = int32_t (*)(uint8_t, int32_t);
const Order kOrders[6] = {RGB_Marked, RBG_Marked, GRB_Marked, GBR_Marked, BGR_Marked, BRG_Marked};

const char* const kWind[4] = {"Oben", "Unten", "Links", "Rechts"};

}  // namespace

void OnAreaEffectsPopup(int32_t id) {
  if (PendingHandlerSpy) PendingHandlerSpy("OnAreaEffectsPopup", id);
  int32_t v = 0;
  int64_t col = 0;
  switch (id) {
    case 256:
      col = ShowSystemColourDialog(DrawingColour());
      if (col >= 0) FillImage_Marked(int32_t(col & 0xFF), int32_t((col >> 8) & 0xFF), int32_t((col >> 16) & 0xFF), 0);
      break;
    case 262: BlackWhite_Marked(0); break;
    case 263: GreyFromRed_Marked(0); break;
    case 264: GreyFromGreen_Marked(0); break;
    case 265: GreyFromBlue_Marked(0); break;
    case 266: GreyFromRedGreen_Marked(0); break;
    case 267: GreyFromRedBlue_Marked(0); break;
    case 268: GreyFromGreenBlue_Marked(0); break;
    case 269: BiChromaticDitheringDialog(1); break;
    case 281: XtremeColors_Marked(0); break;
    case 282: Shadow_Marked(0); break;
    case 342: if (Ask(0, 255, 128, "XorEffekt", v) && uint8_t(v)) XorWithValue_Marked(uint8_t(v), 0); break;
    case 348: if (Ask(0, 255, 128, "OrEffekt", v) && uint8_t(v)) OrWithValue_Marked(uint8_t(v), 0); break;
    case 345: if (Ask(0, 255, 128, "AndEffekt", v) && uint8_t(v)) AndWithValue_Marked(uint8_t(v), 0); break;
    case 343: case 349: case 346:
      col = ShowSystemColourDialog(DrawingColour());
      if (col <= 0) break;
      if (id == 343) XorWithColor_Marked(int32_t(col), 0);
      else if (id == 349) OrWithColor_Marked(int32_t(col), 0);
      else AndWithColor_Marked(int32_t(col), 0);
      break;
    case 355: ColorEffekt_Marked(0); break;
    case 305: ThroughDrawingColour([] { Coloring_Marked(Rot, Gruen, Blau, 0); }); break;
    case 306: ColormoveDialog(1); break;
    case 275: if (Ask(-32, 32, 0, "Farbestaerken erhöhen", v)) ChangeColorIntensity_Marked(int8_t(v), 0); break;
    case 257: ColorTurn_Marked(0); break;
    case 258: Colorturn_Middle_Marked(0); break;
    case 260: InvertLowerHalf_Marked(0); break;
    case 259: Solarize_Marked(0); break;
    case 261: InvertFarNear_Marked(0); break;
    case 362: case 363: case 364: case 365: case 366: case 367:
      areacolororder = uint8_t(kOrders[id - 362](areacolororder, 0));
      break;
    case 303: Colorspectrum_Marked(0); break;
    case 304: RunColorRangesCommand(1); break;
    case 360: ClearColorRangeDialog(1); break;
    case 313: if (Ask(0, 255, 128, "Setzt jeden Rotwert im Bereich gleich dem eingegebenen wert", v)) SetRedColors_Marked(v, 0); break;
    case 314: if (Ask(0, 255, 128, "Setzt jeden Grünwert im Bereich gleich dem eingegebenen wert", v)) SetGreenColors_Marked(v, 0); break;
    case 315: if (Ask(0, 255, 128, "Setzt jeden Blauwert im Bereich gleich dem eingegebenen wert", v)) SetBlueColors_Marked(v, 0); break;
    case 334: RedDataFromGreenData_Marked(0); break;
    case 332: RedDataFromBlueData_Marked(0); break;
    case 336: GreenDataFromRedData_Marked(0); break;
    case 333: GreenDataFromBlueData_Marked(0); break;
    case 337: BlueDataFromRedData_Marked(0); break;
    case 335: BlueDataFromGreenData_Marked(0); break;
    case 351: WavesDialog(1); break;
    case 352: MotionEffectDialog(0, 1); break;
    case 297: Mirror_X_Marked(0); break;
    case 298: Mirror_Y_Marked(0); break;
    case 299: Turn_90_Marked(0); break;
    case 300: Turn_180_Marked(0); break;
    case 301: Turn_270_Marked(0); break;
    case 302: if (Ask(0, 359, 45, "Bild frei drehen", v)) RotateFree_Marked(float(v), 0); break;
    case 356: if (Ask(1, 200, 10, "Wie stark soll angesaugt werden?", v)) Implode_Marked(v, 0); break;
    case 357: if (Ask(1, 200, 10, "Wie stark soll das bild explodieren?", v)) Explode_Marked(v, 0); break;
    case 353: MotionEffectDialog(1, 1); break;
    case 359: if (Ask(1, 200, 10, "Wie stark soll der Strudel sein?", v)) Whirl_Left_Marked(v, 0); break;
    case 358: if (Ask(1, 200, 10, "Wie stark soll der Strudel sein?", v)) Whirl_Right_Marked(v, 0); break;
    case 354: OwnEffectDialog(1); break;
    case 316: case 317: case 318: case 319: case 320: case 321: case 322: case 323:
      if (Ask(-60, 60, 0, "Wie stark sollen die Bereiche hervorgehoben werden?", v)) kExpand[id - 316](v, 0);
      break;
    case 324: case 325: case 326: case 327: case 328: case 329: case 330: case 331:
      if (Ask(-60, 60, 0, "Wie stark sollen die Bereiche verstärkt werden?", v)) kAmplify[id - 324](v, 0);
      break;
    case 307: SoftSharpDraw_Marked(5, 0); break;
    case 308: SoftSharpDraw_Marked(-5, 0); break;
    case 338: case 339: case 340: case 341: {
      const int32_t direction = ReliefDirectionDialog();
      if (direction >= 0) kReliefs[id - 338](direction, 0);
      break;
    }
    case 270: Corny_Marked(10, 0); break;
    case 280: UnClear_Marked(5, 0); break;
    case 311: if (Ask(0, 100, 50, "Effektstaerke-Schieleffekt", v)) SquintEffect_Marked(uint8_t(v), 0); break;
    case 312: Incircle_Marked(0); break;
    case 273:
      if (Ask(1, 300, 4, "Schacheffekt, Geben sie hier die Grösse der Felder(in pixel) ein", v)) Chess(v, 1, 0);
      break;
    case 274:
      if (Ask(1, 300, 4, "Kreisstruktur, Geben sie hier die Grösse der Felder(in pixel) ein", v)) ChessCircle_Marked(v, 0);
      break;
    case 276: case 277: case 278: case 279: {
      const std::string prompt = std::string("Wind von ") + kWind[id - 276] +
                                 ", Geben sie hier die Stärke des Windes (maximale Pixelverschiebung) ein";
      if (!Ask(1, 300, 4, prompt, v)) break;
      if (id == 276) Wind_Up_Marked(v, 0);
      else if (id == 277) Wind_Down_Marked(v, 0);
      else if (id == 278) Wind_Left_Marked(v, 0);
      else Wind_Right_Marked(v, 0);
      break;
    }
    case 284: Blur_Up_Marked(0); break;
    case 285: Blur_Down_Marked(0); break;
    case 286: Blur_Left_Marked(0); break;
    case 287: Blur_Right_Marked(0); break;
    case 294: case 295: case 296: SpecialEffect_Marked(id - 293, 0); break;
    case 309: Linedouble_Marked(0); break;
    case 310: Linedouble_mirror_Marked(0); break;
    case 288: ThroughDrawingColour([] { ColorBars_Marked(Rot, Gruen, Blau, 0); }); break;
    case 289: BarsLeft_Marked(0); break;
    case 290: BarsRight_Marked(0); break;
    case 291: BarsUp_Marked(0); break;
    case 292: BarsDown_Marked(0); break;
    case 293: LogicalBars_Marked(0); break;
    default: break;
  }
}
