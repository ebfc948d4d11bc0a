// Image effects: effect families, dialogs, colour kernels.
// The subsystem's globals and procedures, as the rest of the program sees them.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Puts every global of this subsystem back to its start value (tests).
void ResetEffectsState();

// ==== Panel handlers the shell's mode loops call ========================================
// (effects/area_effects_popup.cpp, effects_panel.cpp, operations_panel.cpp)
void OnAreaEffectsPopup(int32_t id);
void OnEffectsPanelGadget(int32_t gadget);
void OnOperationsGadget(int32_t gadget);
// Button 356 "Ausführen": the selected effect of list 355 once on the whole image, with the
// values of its settings container (effects/effects_panel.cpp).
int32_t RunPanelEffect();
// ==== end panel handlers ================================================================

// ==== Channel hold arrays (the channel switches keep a held-out channel here) ============
// One byte a cell, (width + 1) x (height + 1) of the hold's last indices; 1 x 1 while unused.
extern std::vector<uint8_t> RedHold, GreenHold, BlueHold;
extern int32_t RedHoldWidth, RedHoldHeight, GreenHoldWidth, GreenHoldHeight, BlueHoldWidth,
    BlueHoldHeight;   // last indices
// ==== end channel hold arrays ===========================================================

// ==== Dialogs the documents call ==========================================================
int32_t SaveBeforeQuitDialog();   // 0 stay, otherwise the quit goes ahead
// JPEG quality 0..10 starting at `level`; -1 when cancelled.
int32_t ImageQualityDialog(int32_t level);
// ==== end dialogs ========================================================================

// ==== Colour attributes, as the drawing panel's "Farben" tab calls them ====================
// (effects/attributes.cpp; declared with the rest of their family below)
int32_t PreviewAttributes(int32_t contrast, int32_t brightness, int32_t red, int32_t green, int32_t blue);
int32_t Attributes(int32_t contrast, int32_t brightness, int32_t red, int32_t green, int32_t blue, uint8_t quiet);
// ==== end colour attributes ================================================================
// ==== Whole-image effects: frame and the first families ==================================
// Every effect works on ImagePixels in place; `quiet` 0 makes an undo point first and
// redraws last, any other value does neither. All return 0 but the channel orders.
// Temporary arrays of the effects, kept between runs so that a run allocates nothing when
// the image keeps its size.
extern std::vector<uint32_t> TurnCopy;        // the turns
extern std::vector<uint32_t> TransformCopy;   // RotateFree: the rotated canvas
extern std::vector<uint32_t> CircleCopy;      // ChessCircle: the image as it was
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
// ==== Tone, lines, channel setters, attributes, channel switches and their twins ==========
// (effects/tone.cpp, line_doubling.cpp, channel_setters.cpp, attributes.cpp,
//  channel_switches.cpp, bars_marked.cpp; kernels in effects/kernels_tone.h)
// Colormove, Colormove_Marked, SetColorspec and SetColorspec_Marked are declared with the
// dialogs that start them.
// Toning (colour black leaves the cells as they are), silhouette, soft and sharp drawing.
int32_t Coloring(int32_t r, int32_t g, int32_t b, uint8_t quiet);
int32_t Coloring_Marked(int32_t r, int32_t g, int32_t b, uint8_t quiet);
int32_t Shadow(uint8_t quiet);
int32_t Shadow_Marked(uint8_t quiet);   // leaves AllRot, AllGruen, AllBlau lowered by 128
// quiet FIRST; a positive strength pulls every inner cell towards the mean of its eight
// neighbours (softens), a negative one pushes it away (sharpens).
int32_t SoftSharpDraw(uint8_t quiet, int32_t strength);
// The area form: strength first (clamped to -127..127), the same sign convention; a value
// equal to the mean stays.
int32_t SoftSharpDraw_Marked(int32_t strength, uint8_t quiet);
// Line doubling, block turning, squint (strength in percent, above 100 taken as 100).
int32_t Linedouble(uint8_t quiet);
int32_t Linedouble_mirror(uint8_t quiet);
int32_t Incircle(uint8_t quiet);
int32_t SquintEffect(uint8_t strength, uint8_t quiet);
int32_t Linedouble_Marked(uint8_t quiet);   // refreshes the view whatever quiet is
int32_t Linedouble_mirror_Marked(uint8_t quiet);
int32_t Incircle_Marked(uint8_t quiet);
int32_t SquintEffect_Marked(uint8_t strength, uint8_t quiet);
// Channel setters: the channel byte := the value's low 8 bits; a negative value does nothing.
int32_t SetRedColors(int32_t value, uint8_t quiet);
int32_t SetGreenColors(int32_t value, uint8_t quiet);
int32_t SetBlueColors(int32_t value, uint8_t quiet);
int32_t SetRedColors_Marked(int32_t value, uint8_t quiet);   // refreshes the view whatever quiet is
int32_t SetGreenColors_Marked(int32_t value, uint8_t quiet);
int32_t SetBlueColors_Marked(int32_t value, uint8_t quiet);
// The spectrum correction of the area by the image's extremes (undo point when interactive).
int32_t Colorspectrum_Marked(uint8_t quiet);
// Colour grid and bars of the area.
int32_t ColorBars_Marked(uint8_t red, uint8_t green, uint8_t blue, uint8_t quiet);
int32_t BarsLeft_Marked(uint8_t quiet);
int32_t BarsRight_Marked(uint8_t quiet);
int32_t BarsDown_Marked(uint8_t quiet);
int32_t BarsUp_Marked(uint8_t quiet);
// Attributes of the area (option 154 "Ausserhalb": of the image), its live preview, and the
// sliders back to rest.
int32_t Attributes_Marked(int8_t contrast, int8_t brightness, int8_t red, int8_t green, int8_t blue,
                          int8_t transparency, uint8_t quiet);
int32_t PreviewAreaAdjustment(int8_t contrast, int8_t brightness, int8_t red, int8_t green, int8_t blue,
                              int8_t transparency);
int32_t ResetAttributeSliders();
// Channel switches: on 0 holds the channel out (it becomes 0), on > 0 puts it back.
extern int32_t rotisaway, gruenisaway, blauisaway;   // follow menu items 34, 36, 35 where the menu exists
extern int32_t rotisaway_marked, gruenisaway_marked, blauisaway_marked;
extern std::vector<uint8_t> RedHoldMarked, GreenHoldMarked, BlueHoldMarked;
extern int32_t RedHoldMarkedWidth, RedHoldMarkedHeight, GreenHoldMarkedWidth, GreenHoldMarkedHeight,
    BlueHoldMarkedWidth, BlueHoldMarkedHeight;   // last indices
int32_t SwitchRedChannel(int32_t on, int32_t quiet);
int32_t SwitchGreenChannel(int32_t on, int32_t quiet);
int32_t SwitchBlueChannel(int32_t on, int32_t quiet);
int32_t SwitchRedChannel_Marked(int32_t on, int32_t quiet);
int32_t SwitchGreenChannel_Marked(int32_t on, int32_t quiet);
int32_t SwitchBlueChannel_Marked(int32_t on, int32_t quiet);
void ResetChannelSwitches();   // flags and area holds back to their start (tests)
// ==== end tone, lines, channel setters, attributes, channel switches =====================
// ==== Grids, waves, roll, sprinkle, expand areas; marked bars, circle, wind (grids.cpp, ===
// waves_roll.cpp, expand_areas.cpp, circle_wind_marked.cpp; Waves, MoveImage, BlowUp and
// their twins are declared with the dialogs that start them)
extern std::vector<uint32_t> WaveCopy;            // Waves: the image before each wave
extern std::vector<uint32_t> AreaWaveCopy;        // Waves_Marked
extern std::vector<uint32_t> EffectCopy;          // expand and amplify areas
// Checkerboard (x + y even) and row bars of the image; colours red, green, blue.
int32_t ColorBars(uint8_t red, uint8_t green, uint8_t blue, int32_t quiet);
int32_t BarsLeft(int32_t quiet);
int32_t BarsRight(int32_t quiet);
int32_t BarsDown(int32_t quiet);
int32_t BarsUp(int32_t quiet);
int32_t LogicalBars(int32_t quiet);
int32_t LogicalBars_Marked(uint8_t quiet);        // undo point first when interactive
int32_t ChessCircle_Marked(int32_t size, uint8_t quiet);   // undo point first, redraws the canvas
int32_t Wind_Left_Marked(int32_t strength, int32_t quiet);
int32_t Wind_Right_Marked(int32_t strength, int32_t quiet);
int32_t Wind_Up_Marked(int32_t strength, int32_t quiet);
int32_t Wind_Down_Marked(int32_t strength, int32_t quiet);
// Expand areas: |strength| passes of one step; the dark members negate the strength.
int32_t ExpandBrightAreas(int32_t strength, uint8_t quiet);
int32_t ExpandDarkAreas(int32_t strength, uint8_t quiet);
int32_t ExpandBrightRedAreas(int32_t strength, uint8_t quiet);
int32_t ExpandDarkRedAreas(int32_t strength, uint8_t quiet);
int32_t ExpandBrightGreenAreas(int32_t strength, uint8_t quiet);
int32_t ExpandDarkGreenAreas(int32_t strength, uint8_t quiet);
int32_t ExpandBrightBlueAreas(int32_t strength, uint8_t quiet);
int32_t ExpandDarkBlueAreas(int32_t strength, uint8_t quiet);
int32_t ExpandBrightAreas_Marked(int32_t strength, uint8_t quiet);
int32_t ExpandDarkAreas_Marked(int32_t strength, uint8_t quiet);
int32_t ExpandBrightRedAreas_Marked(int32_t strength, uint8_t quiet);
int32_t ExpandDarkRedAreas_Marked(int32_t strength, uint8_t quiet);
int32_t ExpandBrightGreenAreas_Marked(int32_t strength, uint8_t quiet);
int32_t ExpandDarkGreenAreas_Marked(int32_t strength, uint8_t quiet);
int32_t ExpandBrightBlueAreas_Marked(int32_t strength, uint8_t quiet);
int32_t ExpandDarkBlueAreas_Marked(int32_t strength, uint8_t quiet);
// ==== end grids, waves, roll, sprinkle, expand areas =====================================
// ==== Marked-area twins: conventions and area helpers (effects/area_frame.cpp) ===========
// Every marked twin (the whole-image name + _Marked) works on AreaPixels in place, walks it
// column by column (lang outer 0..arealang, hoch inner 0..areahoch), stores 12 in OnErrorCode1
// on entry unless its family says otherwise, makes no undo point as a rule and calls RefreshView
// when quiet is 0. Colour twins change bytes 0 to 2 of every cell of the area's rectangle and
// never read the flag; mirrors, turns and rotation move whole cells. The callers make sure an
// area exists. The frame helpers for the effect files are in effects/area_frame.h.
// The temporary of the marked distortions and the custom formula effect, (areahoch + 1) x
// (arealang + 1) cells during a call, 1 cell otherwise.
extern std::vector<uint32_t> AreaTransformCopy;
// Bytes 0 to 2 of every area cell XOR 0x80 (the signed form and back); flags untouched.
int32_t ToggleAreaSignedForm();
// arealang := maxX, areahoch := maxY; image 22 re-created at round((last + 1) x zoom); a fresh
// zero-filled AreaPixels; the zoomed area extents from the view zoom `length`.
int32_t ResizeAreaBuffer(int32_t maxX, int32_t maxY, float zoom);
// The bilinear sample of the area at (x, y) into `cell`, which holds the background on entry:
// neighbours outside the area count as the background's colour and leave the flag alone; the
// flag is the last non-zero flag of an inside neighbour, else 0.
int32_t SampleAreaBilinear(uint32_t& cell, float x, float y);
// ==== end marked-area conventions =========================================================
// ==== Marked twins: colours, channel orders, moves and turns (effects/area_colours.cpp,
// ==== area_channel_order.cpp, area_moves.cpp; OwnEffect and its twin in own_effect.cpp) ====
// Amounts above 127 (and -128, a 128 read as signed) count as 127.
int32_t FillImage_Marked(int32_t red, int32_t green, int32_t blue, int32_t quiet);
int32_t ColorTurn_Marked(int32_t quiet);
int32_t Colorturn_Middle_Marked(int32_t quiet);
int32_t InvertFarNear_Marked(int32_t quiet);
int32_t InvertLowerHalf_Marked(int32_t quiet);
int32_t Solarize_Marked(int32_t quiet);
int32_t SpecialEffect_Marked(int32_t number, int32_t quiet);
int32_t Corny_Marked(int32_t amount, int32_t quiet);
int32_t BlackWhite_Marked(int32_t quiet);
int32_t GreyFromRed_Marked(int32_t quiet);
int32_t GreyFromGreen_Marked(int32_t quiet);
int32_t GreyFromBlue_Marked(int32_t quiet);
int32_t GreyFromRedGreen_Marked(int32_t quiet);
int32_t GreyFromRedBlue_Marked(int32_t quiet);
int32_t GreyFromGreenBlue_Marked(int32_t quiet);
int32_t UnClear_Marked(int32_t amount, int32_t quiet);
int32_t XtremeColors_Marked(int32_t quiet);
// (BiChromaticDithering_Marked is declared with the dialogs' effects below.)
// Channel orders: from the area's current order code into their own; return their own code.
int32_t RGB_Marked(uint8_t current, int32_t quiet);
int32_t RBG_Marked(uint8_t current, int32_t quiet);
int32_t GRB_Marked(uint8_t current, int32_t quiet);
int32_t GBR_Marked(uint8_t current, int32_t quiet);
int32_t BRG_Marked(uint8_t current, int32_t quiet);
int32_t BGR_Marked(uint8_t current, int32_t quiet);
// Line shifts, mirrors (undo point when quiet is 0), quarter turns and the free rotation.
int32_t Blur_Up_Marked(int32_t quiet);
int32_t Blur_Down_Marked(int32_t quiet);
int32_t Blur_Left_Marked(int32_t quiet);
int32_t Blur_Right_Marked(int32_t quiet);
int32_t Mirror_X_Marked(int32_t quiet);
int32_t Mirror_Y_Marked(int32_t quiet);
int32_t Turn_90_Marked(int32_t quiet);
int32_t Turn_180_Marked(int32_t quiet);
int32_t Turn_270_Marked(int32_t quiet);
int32_t RotateFree_Marked(float angle, int32_t quiet);
// ==== end marked colours, channel orders, moves and turns =================================
// ==== Effect dialogs, value requester, waves preview, colour information, image dialogs ===
// (effects/dialog_frame.cpp, effect_dialogs.cpp, waves_dialog.cpp, color_info.cpp,
//  image_dialogs.cpp, color_range_dialog.cpp)
// Every dialog is modal over window 0: error-location code 13 where it sets one, owner
// window 43, window 0 disabled while it runs and enabled, current and in front afterwards.
// A cancel (the dialog's "Abbrechen", its close box) is always told apart from a value, and
// then no effect runs.
#include <array>
#include <functional>

// The frame the dialogs share.
int32_t KeepDialogInFront(int32_t window);   // window 0 or 27 in front: bring `window` there
// Opens dialog window num owned by window 43, disables window 0 and brings the dialog to the
// front; false (and nothing disabled) when the window could not be opened.
bool OpenDialogWindow(int32_t num, int32_t x, int32_t y, int32_t w, int32_t h, const std::string& title);
// Closes the dialog and gives window 0 back its input, its callback, and the front.
void CloseDialogWindow(int32_t num);
void DropPendingEvents();                    // fetches queued events without waiting and drops them
// Tests: every effect call a dialog makes, as "Name(arg, arg, ...)", just before it runs.
extern std::function<void(const std::string& call)> EffectDialogSpy;

// The value requester "Bitte Einstellen" (window 9). Returns the slider's value on "OK";
// EffectValueCancelled is 1 when the window was closed instead (or could not open): the
// result is then 0 and the caller runs nothing.
int32_t AskEffectValue(int32_t min, int32_t max, int32_t def, const std::string& prompt);
extern uint8_t EffectValueCancelled;
// The spin field's filter for typed text: anything but digits gives back lastAccepted; a
// number above max becomes max, else below min becomes min; "" reads as 0.
std::string FilterSpinText(const std::string& typed, const std::string& lastAccepted, int32_t min, int32_t max);

// Parameter dialogs. `marked` 0 runs the whole-image effect, any other value its _Marked twin.
extern uint8_t ColorRangeRecord[9];   // red max, turn, min; green max, turn, min; blue max, turn, min
int32_t ColormoveDialog(int32_t marked);
int32_t ColorRangesDialog();          // 0 on "OK" (record written), -1 when closed (record kept)
// The nine values of SetColorspec from the record, in its argument order (min, max, turning
// point per channel): minimum and maximum as the 0..255 the dialog showed, the turning point
// as its signed value.
std::array<int32_t, 9> ColorspecArguments(const uint8_t record[9]);
// The colour-ranges command of the menus: the dialog, then SetColorspec or its twin; nothing
// after a cancel.
int32_t RunColorRangesCommand(int32_t marked);
int32_t ReliefDirectionDialog();      // direction 0..3, -1 cancelled
int32_t MotionEffectDialog(int32_t mode, int32_t marked);
int32_t OwnEffectDialog(int32_t marked);
int32_t BiChromaticDitheringDialog(int32_t marked);

// Waves dialog (window 11) and its preview into image 43.
double WaveStartFactor(int32_t startSlider);      // 100 x cos((s / 10 + 17) / 100)
double WavePhaseStart(double startFactor);        // exactly 100 counts as 99
// Row `raw` brought into 0..h as the preview wraps it; *turns gets how many h were taken off.
int32_t WrapPreviewRow(int32_t raw, int32_t h, int32_t* turns);
int32_t WavesDialog(int32_t marked);
int32_t EffectPreview(float yAmplitude, float yWidth, float xAmplitude, float xWidth, float xStart,
                      float yStart, int32_t gadget);

// Colour information window (window 42) and its histogram in image 143.
extern std::array<int32_t, 256> HistogramRed, HistogramGreen, HistogramBlue;
int32_t CountColorHistogram(std::array<int32_t, 256>& red, std::array<int32_t, 256>& green,
                            std::array<int32_t, 256>& blue);
int32_t DrawColorHistogram(int32_t image, int32_t red, int32_t green, int32_t blue, int32_t all);
int32_t ColorInformationWindow();

// Image dialogs.
int32_t ImageQualityDialog(int32_t level);        // level 0..10, -1 cancelled
int32_t ResizeImageDialog();
// The other side for a kept aspect: typed x otherSide / typedSide, whole-number division.
int32_t AspectSide(int32_t typed, int32_t typedSide, int32_t otherSide);
// Offset of the old image in the new canvas for anchor 0..8 ("links oben" .. "Rechts unten").
void AnchorOffset(int32_t anchor, int32_t oldLastX, int32_t oldLastY, int32_t newLastX, int32_t newLastY,
                  int32_t& offsetX, int32_t& offsetY);
// Width and height of preset 0..7 of the resize dialog; false for another entry.
bool ResizePresetSize(int32_t preset, int32_t& width, int32_t& height);
int32_t SaveBeforeQuitDialog();                   // 0 stay, otherwise the quit goes ahead
std::string AddStructureDialog(const std::string& name);   // "" cancelled
int32_t StoreBufferDialog(int32_t which);         // 1 marked area, otherwise the whole image
// What choosing a buffer entry puts into the description field: all after its first ")".
std::string BufferEntryDescription(const std::string& entry);

// Colour-range clearing dialog (window 15). One channel's sliders: states and widths.
struct ClearRangeChannel {
  int32_t turn = 128;                               // turning point, 1..254
  int32_t innerMin = 128, innerMax = 0, outerMin = 128, outerMax = 0;   // slider states 0..128
  int32_t wInnerMin = 128, wInnerMax = 128, wOuterMin = 128, wOuterMax = 128;   // widths
};
void ClearRangeTurnMoved(ClearRangeChannel& c);       // after `turn` changed
void ClearRangeInnerMinMoved(ClearRangeChannel& c);   // after `innerMin` changed
void ClearRangeInnerMaxMoved(ClearRangeChannel& c);   // after `innerMax` changed
int32_t ClearRangeOuterMaxX(const ClearRangeChannel& c);   // x of the outer Max slider from the inner's x
// min, max, turning point, outer min, outer max of a channel.
std::array<int32_t, 5> ClearRangeValues(const ClearRangeChannel& c);
int32_t ClearColorRangeDialog(int32_t marked);

// Effects the dialogs start (their code lives with the effect families).
int32_t Colormove(int32_t redAmount, int32_t greenAmount, int32_t blueAmount, int32_t redDirection,
               int32_t greenDirection, int32_t blueDirection, uint8_t quiet);
int32_t Colormove_Marked(int32_t redAmount, int32_t greenAmount, int32_t blueAmount, int32_t redDirection,
                         int32_t greenDirection, int32_t blueDirection, uint8_t quiet);
int32_t SetColorspec(int32_t redMin, int32_t redMax, int32_t redTurn, int32_t greenMin, int32_t greenMax,
                  int32_t greenTurn, int32_t blueMin, int32_t blueMax, int32_t blueTurn, uint8_t quiet);
int32_t SetColorspec_Marked(uint8_t redMin, uint8_t redMax, uint8_t redTurn, uint8_t greenMin, uint8_t greenMax,
                            uint8_t greenTurn, uint8_t blueMin, uint8_t blueMax, uint8_t blueTurn, uint8_t quiet);
int32_t MoveImage(int32_t dx, int32_t dy, uint8_t quiet);
int32_t MoveImage_Marked(int32_t dx, int32_t dy, int32_t quiet);
int32_t BlowUp(int32_t x, int32_t y, uint8_t quiet);
int32_t BlowUp_Marked(int32_t dx, int32_t dy, int32_t quiet);
int32_t OwnEffect(const std::string& x2Formula, const std::string& y2Formula, uint8_t quiet);
int32_t OwnEffect_Marked(const std::string& x2Formula, const std::string& y2Formula, int32_t quiet);
int32_t BiChromaticDithering_Marked(int32_t red1, int32_t green1, int32_t blue1, int32_t red2, int32_t green2,
                                    int32_t blue2, uint8_t quiet);
int32_t Waves(float xAmplitude, float xWidth, float yAmplitude, float yWidth, int8_t xStart, int8_t yStart,
           uint8_t quiet);
int32_t Waves_Marked(float xAmplitude, float xWidth, float yAmplitude, float yWidth, int8_t xStart,
                     int8_t yStart, uint8_t quiet);
int32_t ClearColorRange(int32_t redMin, int32_t redMax, int32_t redTurn, int32_t greenMin, int32_t greenMax,
                     int32_t greenTurn, int32_t blueMin, int32_t blueMax, int32_t blueTurn, int32_t redOuterMin,
                     int32_t redOuterMax, int32_t greenOuterMin, int32_t greenOuterMax, int32_t blueOuterMin,
                     int32_t blueOuterMax, int32_t newRed, int32_t newGreen, int32_t newBlue, int32_t mode,
                     uint8_t quiet);
int32_t ClearColorRange_Marked(int32_t redMin, int32_t redMax, int32_t redTurn, int32_t greenMin,
                               int32_t greenMax, int32_t greenTurn, int32_t blueMin, int32_t blueMax,
                               int32_t blueTurn, int32_t redOuterMin, int32_t redOuterMax, int32_t greenOuterMin,
                               int32_t greenOuterMax, int32_t blueOuterMin, int32_t blueOuterMax, int32_t newRed,
                               int32_t newGreen, int32_t newBlue, int32_t mode, int32_t quiet);
void ResetDialogState();   // the dialogs' globals back to their start values (tests)
// ==== end effect dialogs ==================================================================
// ==== Reliefs, amplify areas, marked bitwise operations and colour intensity =============
// (effects/reliefs.cpp, amplify.cpp, colour_ops_marked.cpp). All keep the caller's error
// code. The _Marked twins work on AreaPixels, make no undo point and refresh the view when
// quiet is 0; they change nothing when no area is held.
// Reliefs in direction 0..3 (the relief direction dialog's order); any other direction
// returns at once. The whole image's reliefs clear every flag byte, the twins keep them.
int32_t ColorRelief(int32_t direction, uint8_t quiet);
int32_t BrightColorRelief(int32_t direction, uint8_t quiet);
int32_t NormalRelief(int32_t direction, uint8_t quiet);
int32_t BrightNormalRelief(int32_t direction, uint8_t quiet);
int32_t ColorRelief_Marked(int32_t direction, uint8_t quiet);
int32_t BrightColorRelief_Marked(int32_t direction, uint8_t quiet);
int32_t NormalRelief_Marked(int32_t direction, uint8_t quiet);
int32_t BrightNormalRelief_Marked(int32_t direction, uint8_t quiet);
// Amplify areas against the whole image's average colour (the twins too).
int32_t AmplifyBrightAreas(int32_t strength, uint8_t quiet);
int32_t AmplifyDarkAreas(int32_t strength, uint8_t quiet);
int32_t AmplifyBrightRedAreas(int32_t strength, uint8_t quiet);
int32_t AmplifyDarkRedAreas(int32_t strength, uint8_t quiet);
int32_t AmplifyBrightGreenAreas(int32_t strength, uint8_t quiet);
int32_t AmplifyDarkGreenAreas(int32_t strength, uint8_t quiet);
int32_t AmplifyBrightBlueAreas(int32_t strength, uint8_t quiet);
int32_t AmplifyDarkBlueAreas(int32_t strength, uint8_t quiet);
int32_t AmplifyBrightAreas_Marked(int32_t strength, uint8_t quiet);
int32_t AmplifyDarkAreas_Marked(int32_t strength, uint8_t quiet);
int32_t AmplifyBrightRedAreas_Marked(int32_t strength, uint8_t quiet);
int32_t AmplifyDarkRedAreas_Marked(int32_t strength, uint8_t quiet);
int32_t AmplifyBrightGreenAreas_Marked(int32_t strength, uint8_t quiet);
int32_t AmplifyDarkGreenAreas_Marked(int32_t strength, uint8_t quiet);
int32_t AmplifyBrightBlueAreas_Marked(int32_t strength, uint8_t quiet);
int32_t AmplifyDarkBlueAreas_Marked(int32_t value, uint8_t quiet);
// Bitwise operations and colour intensity on the marked area (colours as ColorValue).
int32_t XorWithValue_Marked(uint8_t value, uint8_t quiet);
int32_t XorWithColor_Marked(int32_t colour, uint8_t quiet);
int32_t AndWithValue_Marked(uint8_t value, uint8_t quiet);
int32_t AndWithColor_Marked(int32_t colour, uint8_t quiet);
int32_t OrWithValue_Marked(uint8_t value, uint8_t quiet);
int32_t OrWithColor_Marked(int32_t colour, uint8_t quiet);
int32_t ChangeColorIntensity_Marked(int8_t amount, uint8_t quiet);
// ==== end reliefs, amplify areas, marked bitwise operations ===============================
// ==== Implode, explode, whirls, channel mixing, colour-range clearing, channel copies =====
// (effects/implode_whirls.cpp, colour_range_clearing.cpp, channel_copies.cpp; the whole
// image and the marked area. ClearColorRange and its twin are declared with the dialogs.)
int32_t Implode(int32_t strength, int32_t quiet);
int32_t Explode(int32_t strength, int32_t quiet);
int32_t Whirl_Right(int32_t strength, int32_t quiet);
int32_t Whirl_Left(int32_t strength, int32_t quiet);
int32_t ColorEffekt(int32_t quiet);
int32_t Implode_Marked(int32_t strength, int32_t quiet);
int32_t Explode_Marked(int32_t strength, int32_t quiet);
int32_t Whirl_Right_Marked(int32_t strength, int32_t quiet);
int32_t Whirl_Left_Marked(int32_t strength, int32_t quiet);
int32_t ColorEffekt_Marked(int32_t quiet);
// Channel copies leave OnErrorCode1 as it is; the twins make an undo point when quiet is 0.
int32_t RedDataFromBlueData(int32_t quiet);
int32_t RedDataFromGreenData(int32_t quiet);
int32_t GreenDataFromBlueData(int32_t quiet);
int32_t GreenDataFromRedData(int32_t quiet);
int32_t BlueDataFromRedData(int32_t quiet);
int32_t BlueDataFromGreenData(int32_t quiet);
int32_t RedDataFromBlueData_Marked(uint8_t quiet);
int32_t RedDataFromGreenData_Marked(uint8_t quiet);
int32_t GreenDataFromBlueData_Marked(uint8_t quiet);
int32_t GreenDataFromRedData_Marked(uint8_t quiet);
int32_t BlueDataFromRedData_Marked(uint8_t quiet);
int32_t BlueDataFromGreenData_Marked(uint8_t quiet);
// ==== end implode, whirls, colour ranges, channel copies ===================================
