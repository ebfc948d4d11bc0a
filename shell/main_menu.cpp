// The commands of the main menu bar and the main tool bar (ids below 169). Every effect
// runs with quiet 0, so that it records its undo point and redraws by itself.
#include <cstdint>
#include <string>

#include "documents/documents.h"
#include "effects/effects.h"
#include "script/script.h"
#include "shell/shell.h"
#include "toolkit/toolkit.h"
#include "tools/tools.h"

namespace {

constexpr const char* kInsertPattern = "Bilddateien|*.bmp;*.jpg;*.png*";

// The value requester; false when it was closed (nothing may run then).
bool AskValue(int32_t min, int32_t max, int32_t def, const std::string& prompt, int32_t* value) {
  *value = AskEffectValue(min, max, def, prompt);
  if (EffectValueCancelled) return false;
  if (*value < min) *value = min;   // a hostile answer never reaches an effect out of range
  if (*value > max) *value = max;
  return true;
}

// The drawing colour as 0xBBGGRR.
uint32_t DrawingColour() { return uint32_t(Rot) | uint32_t(Gruen) << 8 | uint32_t(Blau) << 16; }

// The colour dialog on the drawing colour; false when it was cancelled.
bool AskColour(int64_t* colour) {
  *colour = ShowSystemColourDialog(DrawingColour());
  return *colour >= 0;
}

// The colour-field commands: the chosen colour draws the effect, then the drawing colour
// goes back to what the colour window's value fields still show.
template <class Effect>
void RunWithChosenColour(Effect effect) {
  int64_t c;
  if (!AskColour(&c)) return;
  Rot = uint8_t(c);
  Gruen = uint8_t(c >> 8);
  Blau = uint8_t(c >> 16);
  effect(Rot, Gruen, Blau);
  Rot = uint8_t(tk::gadgetState(816));
  Gruen = uint8_t(tk::gadgetState(818));
  Blau = uint8_t(tk::gadgetState(820));
}

// The file name part of a path (after the last "\" or "/").
std::string FileNamePart(const std::string& path) {
  const size_t p = path.find_last_of("\\/");
  return p == std::string::npos ? path : path.substr(p + 1);
}

bool HaveImage() { return CurrentImage >= 1 && CurrentImage < int32_t(ImageRecords.size()); }

std::string ActiveImageName() { return HaveImage() ? ImageRecords[CurrentImage].DisplayName : std::string(); }

void AddToStructures() {
  std::string name = AddStructureDialog(ActiveImageName());
  if (name.empty()) return;
  if (name.size() < 5 || name.compare(name.size() - 5, 5, "struc") != 0) name += ".struc";
  CreateUndoPoint();
  SaveStructure(name);
  Undo(1);
  ReloadStructures();
}

void AddToBrushForms() {
  const std::string name = BrushFormDefaultName(ActiveImageName());
  const std::string typed = tk::inputRequester("Name", "Wie soll die Pinselform heißen?", name);
  CreateUndoPoint();
  SaveBrushForm("Forms/" + typed + ".df");
  Undo(1);
  ReloadBrushForms();
}

void RenameImage() {
  if (!HaveImage()) return;
  const std::string answer = tk::inputRequester("Bild umbenennen", "Geben sie den neuen namen ein", ActiveImageName());
  // An empty answer leaves the name and the tab as they were.
  if (answer.empty()) return;
  std::string& stored = ImageRecords[CurrentImage].DisplayName;
  const size_t p = stored.find_last_of("\\/");
  stored = (p == std::string::npos ? std::string() : stored.substr(0, p + 1)) + answer;
  if (Settings.Tooltips == 1) tk::setGadgetToolTip(160 + CurrentImage, answer);
  tk::setGadgetText(160 + CurrentImage, TabLabel(answer));
}

void ToggleChannel(int32_t item, int32_t (*sw)(int32_t, int32_t)) {
  const bool on = !tk::menuItemChecked(0, item);
  tk::setMenuItemChecked(0, item, on);
  sw(on ? 1 : 0, 0);
}

}  // namespace

std::string BrushFormDefaultName(const std::string& name) {
  const size_t n = name.size();
  if (n >= 5 && name[n - 5] == '.') return name.substr(0, n - 5);
  if (n >= 4 && name[n - 4] == '.') return name.substr(0, n - 4);
  if (n >= 6 && name[n - 6] == '.') return name.substr(0, n - 6);
  return name;
}

std::string TabLabel(const std::string& name) {
  return name.size() > 10 ? name.substr(0, 8) + ".." : name;
}

void InsertImageFromFile(int32_t x, int32_t y) {
  const std::string file = tk::openFileRequester("Bild einfügen", "", kInsertPattern, 0);
  InsertImageFile(file, x, y, 0);
}

void OnMainMenu(int32_t id) {
  if (PendingHandlerSpy) PendingHandlerSpy("OnMainMenu", id);
  if (id >= 169) {
    OnViewHelpMenu(id);
    return;
  }
  int32_t v = 0;
  int64_t c = 0;
  switch (id) {
    case 0: PrintImage(); break;
    case 1: OpenPrintPreview(); break;
    case 5: Undo(0); break;
    case 6: Redo(); break;
    case 7: ShowFullScreenPreview(); break;
    case 8: SwitchMainView(9); NextMode = ModeDraw; break;
    case 9: SwitchMainView(495); NextMode = ModeScript; break;
    case 10: SwitchMainView(352); NextMode = ModeEffects; break;
    case 11: OpenStructureDialog(0); break;
    case 14:
    case 15: tk::showPopupMenu(2, 0); break;
    case 16: ShowTipOfTheDay(); break;
    case 17: NewImageDialog(Settings.startWidth + 1, Settings.startHeight + 1); break;
    case 18: OpenImageFile(); break;
    case 19: SaveImage(); break;
    case 20: SaveImageAs(); break;
    case 21: AddToStructures(); break;
    case 22: AddToBrushForms(); break;
    case 23: CloseImage(CurrentImage); break;
    case 24: {
      // Until no image is left, or a close did not take place (the user kept the image).
      while (ImageCount > 0) {
        const int32_t before = ImageCount;
        CloseImage(1);
        if (ImageCount >= before) break;
      }
      break;
    }
    case 25: OnSettingsEvent(); break;
    case 26: NextMode = ModeQuit; break;
    case 27: RenameImage(); break;
    case 28: CopyImageToClipboard(); break;
    case 29: CutImage(); break;
    case 30: CopyAreaToClipboard(); break;
    case 31: CutArea(); break;
    case 32: InsertImageFromFile(0, 0); break;
    case 33: PasteClipboardImage(0, 0); break;
    case 34: ToggleChannel(34, SwitchRedChannel); break;
    case 35: ToggleChannel(35, SwitchBlueChannel); break;
    case 36: ToggleChannel(36, SwitchGreenChannel); break;
    case 37: MakeTrueColourImage(); break;
    case 38: MakePaletteImage(); break;
    case 39: {
      const int32_t r = PaletteEditor(-1);
      if (r > -1 && tk::isImage(r)) tk::copyImage(r, 49);
      break;
    }
    case 40:
      if (PaletteChooser() != -1) ApplyPalette(AskPaletteTransferMode());
      break;
    case 41: QuantizeToPalette(0); break;
    case 42: UpdateAverageColors(); RedrawCanvas(); break;
    case 43: ColorTurn(0); break;
    case 44: Colorturn_Middle(0); break;
    case 45: BlackWhite(0); break;
    case 46: GreyFromMinimum(0); break;
    case 47: GreyFromMaximum(0); break;
    case 48: GreyFromRed(0); break;
    case 49: GreyFromGreen(0); break;
    case 50: GreyFromBlue(0); break;
    case 51: GreyFromRedGreen(0); break;
    case 52: GreyFromRedBlue(0); break;
    case 53: GreyFromGreenBlue(0); break;
    case 54: BiChromaticDitheringDialog(0); break;
    case 55: Solarize(0); break;
    case 56: InvertLowerHalf(0); break;
    case 57: InvertFarNear(0); break;
    case 58: if (AskValue(0, 255, 128, "XorEffekt", &v)) XorWithValue(uint8_t(v), 0); break;
    case 60: if (AskValue(0, 255, 128, "AndEffekt", &v)) AndWithValue(uint8_t(v), 0); break;
    case 62: if (AskValue(0, 255, 128, "OrEffekt", &v)) OrWithValue(uint8_t(v), 0); break;
    case 59: if (AskColour(&c) && c > 0) XorWithColor(int32_t(c), 0); break;
    case 61: if (AskColour(&c) && c > 0) AndWithColor(int32_t(c), 0); break;
    case 63: if (AskColour(&c) && c > 0) OrWithColor(int32_t(c), 0); break;
    case 64: if (AskValue(1, 128, 10, "Verfremden", &v)) Corny(v, 0); break;
    case 66: if (AskValue(1, 128, 10, "Verfremden", &v)) AddBrightnessNoise(v, 0); break;
    case 65:
      if (AskValue(1, 128, 10, "Verfremden", &v) && AskColour(&c)) AddSingleColorNoise(int32_t(c), v, 0);
      break;
    case 67:
      if (AskValue(1, 300, 4, "Schacheffekt, Geben sie hier die Grösse der Felder(in pixel) ein", &v)) Chess(v, 0, 0);
      break;
    case 68:
      if (AskValue(1, 300, 4, "Kreisstruktur, Geben sie hier die Grösse der Felder(in pixel) ein", &v)) ChessCircle(v, 0);
      break;
    case 69:
      if (AskValue(1, 300, 4, "Wind von Oben, Geben sie hier die Stärke des Windes (maximale Pixelverschiebung)", &v)) Wind_Up(v, 0);
      break;
    case 70:
      if (AskValue(1, 300, 4, "Wind von Unten, Geben sie hier die Stärke des Windes (maximale Pixelverschiebung)", &v)) Wind_Down(v, 0);
      break;
    case 71:
      if (AskValue(1, 300, 4, "Wind von Links, Geben sie hier die Stärke des Windes (maximale Pixelverschiebung)", &v)) Wind_Left(v, 0);
      break;
    case 72:
      if (AskValue(1, 300, 4, "Wind von Rechts, Geben sie hier die Stärke des Windes (maximale Pixelverschiebung)", &v)) Wind_Right(v, 0);
      break;
    case 73: if (AskValue(1, 128, 10, "Verwischen", &v)) UnClear(v, 0); break;
    case 74: XtremeColors(0); break;
    case 75: Shadow(0); break;
    case 78: RunWithChosenColour([](uint8_t r, uint8_t g, uint8_t b) { ColorBars(r, g, b, 0); }); break;
    case 79: BarsLeft(0); break;
    case 80: BarsRight(0); break;
    case 81: BarsUp(0); break;
    case 82: BarsDown(0); break;
    case 83: LogicalBars(0); break;
    case 84: Blur_Up(0); break;
    case 85: Blur_Down(0); break;
    case 86: Blur_Left(0); break;
    case 87: Blur_Right(0); break;
    case 88: SpecialEffect(1, 0); break;
    case 89: SpecialEffect(2, 0); break;
    case 90: SpecialEffect(3, 0); break;
    case 91: Mirror_X(0); break;
    case 92: Mirror_Y(0); break;
    case 93: Turn_90(0); break;
    case 94: Turn_180(0); break;
    case 95: Turn_270(0); break;
    case 96:
      if (AskValue(0, 359, 45, "Bild frei drehen", &v) && AskColour(&c)) {
        // The background is a cell: blue, green, red from the low byte up.
        const int32_t cell = int32_t(uint32_t(c >> 16 & 0xFF) | uint32_t(c >> 8 & 0xFF) << 8 | uint32_t(c & 0xFF) << 16);
        RotateFree(float(v), cell, 0);
      }
      break;
    case 97: colororder = uint8_t(RGB(colororder, 0)); break;
    case 98: colororder = uint8_t(RBG(colororder, 0)); break;
    case 99: colororder = uint8_t(GRB(colororder, 0)); break;
    case 100: colororder = uint8_t(GBR(colororder, 0)); break;
    case 101: colororder = uint8_t(BRG(colororder, 0)); break;
    case 102: colororder = uint8_t(BGR(colororder, 0)); break;
    case 103: ColorSpectrum(0); break;
    case 104: RunColorRangesCommand(0); break;
    case 105: ClearColorRangeDialog(0); break;
    case 106: RunWithChosenColour([](uint8_t r, uint8_t g, uint8_t b) { Coloring(r, g, b, 0); }); break;
    case 107: ColormoveDialog(0); break;
    case 108: if (AskValue(1, 128, 10, "Weichzeichnen", &v)) SoftSharpDraw(0, v); break;
    case 109: if (AskValue(1, 128, 10, "Scharfzeichnen", &v)) SoftSharpDraw(0, -v); break;
    case 110: Linedouble(0); break;
    case 111: Linedouble_mirror(0); break;
    case 112: if (AskValue(0, 100, 50, "Schieleffekt_Staerke einstellen", &v)) SquintEffect(uint8_t(v), 0); break;
    case 113: Incircle(0); break;
    case 114: if (AskValue(-32, 32, 0, "Farbestaerken erhöhen", &v)) ChangeColorIntensity(int8_t(v), 0); break;
    case 117:
      if (AskValue(0, 255, 128, "Setzt jeden Rotwert gleich dem eingegebenen Wert", &v)) SetRedColors(v, 0);
      break;
    case 118:
      if (AskValue(0, 255, 128, "Setzt jeden Grünwert gleich dem eingegebenen Wert", &v)) SetGreenColors(v, 0);
      break;
    case 119:
      if (AskValue(0, 255, 128, "Setzt jeden Blauwert gleich dem eingegebenen Wert", &v)) SetBlueColors(v, 0);
      break;
    case 120: case 121: case 122: case 123: case 124: case 125: case 126: case 127: {
      static int32_t (*const expand[8])(int32_t, uint8_t) = {
          ExpandBrightAreas, ExpandDarkAreas, ExpandBrightRedAreas, ExpandDarkRedAreas,
          ExpandBrightGreenAreas, ExpandDarkGreenAreas, ExpandBrightBlueAreas, ExpandDarkBlueAreas};
      if (AskValue(-60, 60, 0, "Wie stark sollen die Bereiche hervorgehoben werden?", &v)) expand[id - 120](v, 0);
      break;
    }
    case 128: case 129: case 130: case 131: case 132: case 133: case 134: case 135: {
      static int32_t (*const amplify[8])(int32_t, uint8_t) = {
          AmplifyBrightAreas, AmplifyDarkAreas, AmplifyBrightRedAreas, AmplifyDarkRedAreas,
          AmplifyBrightGreenAreas, AmplifyDarkGreenAreas, AmplifyBrightBlueAreas, AmplifyDarkBlueAreas};
      if (AskValue(-60, 60, 0, "Wie stark sollen die Bereiche verstärkt werden?", &v)) amplify[id - 128](v, 0);
      break;
    }
    case 136: RedDataFromBlueData(0); break;
    case 137: GreenDataFromBlueData(0); break;
    case 138: RedDataFromGreenData(0); break;
    case 139: BlueDataFromGreenData(0); break;
    case 140: GreenDataFromRedData(0); break;
    case 141: BlueDataFromRedData(0); break;
    case 142: case 143: case 144: case 145: {
      const int32_t d = ReliefDirectionDialog();
      if (d < 0) break;
      if (id == 142) ColorRelief(d, 0);
      else if (id == 143) BrightColorRelief(d, 0);
      else if (id == 144) NormalRelief(d, 0);
      else BrightNormalRelief(d, 0);
      break;
    }
    case 146: RunWithChosenColour([](uint8_t r, uint8_t g, uint8_t b) { FillImage(r, g, b, 0); }); break;
    case 147: WavesDialog(0); break;
    case 148: MotionEffectDialog(0, 0); break;
    case 149: MotionEffectDialog(1, 0); break;
    case 150: OwnEffectDialog(0); break;
    case 151: ColorEffekt(0); break;
    case 152: if (AskValue(1, 200, 4, "Wie stark soll das Bild implodieren?", &v)) Implode(v, 0); break;
    case 153: if (AskValue(1, 200, 4, "Wie stark soll das bild explodieren?", &v)) Explode(v, 0); break;
    case 154: if (AskValue(1, 200, 4, "Wie stark soll der Strudel sein?", &v)) Whirl_Right(v, 0); break;
    case 155: if (AskValue(1, 200, 4, "Wie stark soll der Strudel sein?", &v)) Whirl_Left(v, 0); break;
    case 156: ResizeImageDialog(); break;
    case 167: StoreBufferDialog(0); break;
    case 168: StoreBufferDialog(1); break;
    default:
      if (id >= 157 && id <= 166) RecallBuffer(id - 157, 0, 0);
      break;
  }
}
