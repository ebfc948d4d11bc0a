// Image effects: effect families, dialogs, colour kernels.
// The subsystem's globals and procedures, as the rest of the program sees them.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Puts every global of this subsystem back to its start value (tests).
void ResetEffectsState();

// ==== Panel handlers the shell's mode loops call ========================================
// (their code comes with the effects; stand-ins in shell/pending_loops.cpp)
void OnAreaEffectsPopup(int32_t id);
void OnEffectsPanelGadget(int32_t gadget);
void OnOperationsGadget(int32_t gadget);
// ==== end panel handlers ================================================================

// ==== Channel hold arrays (the channel switches keep a held-out channel here) ============
// One byte a cell, (width + 1) x (height + 1) of the hold's last indices; 1 x 1 while unused.
extern std::vector<uint8_t> RedHold, GreenHold, BlueHold;
extern int32_t RedHoldWidth, RedHoldHeight, GreenHoldWidth, GreenHoldHeight, BlueHoldWidth,
    BlueHoldHeight;   // last indices
// ==== end channel hold arrays ===========================================================

// ==== Dialogs the documents call (stand-ins in shell/pending.cpp until they land) ========
int32_t SaveBeforeQuitDialog();   // 0 stay, otherwise the quit goes ahead
// JPEG quality 0..10 starting at `level`; -1 when cancelled.
int32_t ImageQualityDialog(int32_t level);
// ==== end dialogs ========================================================================

// ==== Colour attributes, as the drawing panel's "Farben" tab calls them ====================
// (stand-ins in shell/pending.cpp until the colour kernels land)
void PreviewAttributes(int32_t contrast, int32_t brightness, int32_t red, int32_t green, int32_t blue);
void Attributes(int32_t contrast, int32_t brightness, int32_t red, int32_t green, int32_t blue, uint8_t quiet);
// ==== end colour attributes ================================================================
// ==== Whole-image effects: frame and the first families ==================================
// Every effect works on ImagePixels in place; `quiet` 0 makes an undo point first and
// redraws last, any other value does neither. All return 0 but the channel orders.
// Temporary arrays of the effects, kept between runs so that a run allocates nothing when
// the image keeps its size.
extern std::vector<uint32_t> TurnCopy;        // the turns
extern std::vector<uint32_t> TransformCopy;   // RotateFree: the rotated canvas
extern std::vector<uint32_t> CircleCopy;      // ChessCircle: the image in signed form
extern std::vector<int32_t> ChannelDistances; // GreyFromMaximum / GreyFromMinimum, 3 entries
// Signed form (bytes 0 to 2 XOR 0x80) and the means shifted to it.
int32_t TogglePixelSignedForm(int32_t row, int32_t column);
int32_t ToggleImageSignedForm();
int32_t AverageColorToSigned();
int32_t AverageColorToUnsigned();
// Channel orders: bring the image from `current` into the effect's own order; return it.
int32_t RGB(uint8_t current, int32_t quiet);
int32_t RBG(uint8_t current, int32_t quiet);
int32_t GRB(uint8_t current, int32_t quiet);
int32_t GBR(uint8_t current, int32_t quiet);
int32_t BRG(uint8_t current, int32_t quiet);
int32_t BGR(uint8_t current, int32_t quiet);
// Inversions and fill.
int32_t ColorTurn(int32_t quiet);
int32_t Colorturn_Middle(int32_t quiet);
int32_t InvertFarNear(uint8_t quiet);
int32_t InvertLowerHalf(uint8_t quiet);
int32_t Solarize(uint8_t quiet);
int32_t FillImage(int32_t red, int32_t green, int32_t blue, int32_t quiet);
// Greys.
int32_t BlackWhite(int32_t quiet);
int32_t GreyFromMinimum(uint8_t quiet);
int32_t GreyFromMaximum(uint8_t quiet);
int32_t GreyFromRed(uint8_t quiet);
int32_t GreyFromGreen(uint8_t quiet);
int32_t GreyFromBlue(uint8_t quiet);
int32_t GreyFromRedGreen(uint8_t quiet);
int32_t GreyFromRedBlue(uint8_t quiet);
int32_t GreyFromGreenBlue(uint8_t quiet);
// Colour operations (colours as ColorValue: red in the low byte).
int32_t BiChromaticDithering(int32_t r1, int32_t g1, int32_t b1, int32_t r2, int32_t g2, int32_t b2,
                             uint8_t quiet);
int32_t XtremeColors(int32_t quiet);
int32_t ChangeColorIntensity(int8_t amount, uint8_t quiet);
int32_t XorWithValue(uint8_t value, uint8_t quiet);
int32_t XorWithColor(int32_t colour, uint8_t quiet);
int32_t AndWithValue(uint8_t value, uint8_t quiet);
int32_t AndWithColor(int32_t colour, uint8_t quiet);
int32_t OrWithValue(uint8_t value, uint8_t quiet);
int32_t OrWithColor(int32_t colour, uint8_t quiet);
// Noise (draws from tk::random, column by column, top to bottom).
int32_t AddBrightnessNoise(int32_t strength, int32_t quiet);
int32_t Corny(int32_t strength, int32_t quiet);
int32_t AddSingleColorNoise(int32_t colour, int32_t strength, int32_t quiet);
// Chess and circle structures (Chess mode 0 the image, 1 the marked area).
int32_t Chess(int32_t size, uint8_t mode, int32_t quiet);
int32_t ChessCircle(int32_t size, uint8_t quiet);
// Wind, smear, blur and specials.
int32_t Wind_Up(int32_t strength, int32_t quiet);
int32_t Wind_Down(int32_t strength, int32_t quiet);
int32_t Wind_Left(int32_t strength, int32_t quiet);
int32_t Wind_Right(int32_t strength, int32_t quiet);
int32_t UnClear(int32_t strength, int32_t quiet);
int32_t Blur_Up(int32_t quiet);
int32_t Blur_Down(int32_t quiet);
int32_t Blur_Left(int32_t quiet);
int32_t Blur_Right(int32_t quiet);
int32_t SpecialEffect(int32_t mode, int32_t quiet);
// Colour spectrum correction.
int32_t ColorSpectrum(int32_t quiet);
// Turns, free rotation (background as a cell value: blue, green, red, flag) and mirrors.
int32_t Turn_90(int32_t quiet);
int32_t Turn_180(int32_t quiet);
int32_t Turn_270(int32_t quiet);
int32_t RotateFree(float angle, int32_t background, uint8_t quiet);
int32_t Mirror_X(int32_t quiet);
int32_t Mirror_Y(int32_t quiet);
// ==== end whole-image effects ==========================================================
