// The script commands behind the block words: the checks every command family shares
// and the command procedures the dispatch table names. Included by the table and by the
// command sources only.
#pragma once
#include <cstdint>
#include <cstdlib>

#include "script/script.h"

namespace script_cmd {

extern const char* const kNoImage;        // the image message
extern const char* const kNoImageWaves;   // the variant that Waves and Waves_Marked show
extern const char* const kNumberE;        // "... erwartet"
extern const char* const kNumberV;        // "... verlangt"

// Each check reports its script error and returns false when it fails.
bool NeedImage(const char* message = kNoImage);
bool NeedCount(int32_t n);
// Arguments 1..n must be numeric (left to right, the first failure reports `message`);
// then every one is converted to a whole number into v[1..n].
bool NeedNumbers(int32_t n, const char* message, int32_t* v);
// Converts arguments 1..n without a check.
void ConvertNumbers(int32_t n, int32_t* v);
bool NeedRange(int32_t value, int32_t lo, int32_t hi, const char* message);
// Marked-area checks: an area marked in this run (`message` differs by command) and no
// free mark left open.
bool NeedArea(const char* message);
bool NeedClosedMark();
// The nine colour-spectrum values v[1..9] (minimum, maximum, turn per channel), each
// range with its own message.
bool CheckColorspecValues(int32_t* v);

// Whole-image effect without arguments: image check, then the effect with quiet 1
// (arguments written after it are ignored).
template <auto Effect>
void PlainEffect() {
  if (NeedImage()) Effect(1);
}

}  // namespace script_cmd

// ---- whole-image effect commands (commands_effects.cpp) ----
void CmdFillImage();
void CmdAttributes();
void CmdRedAway();
void CmdRedBack();
void CmdGreenAway();
void CmdGreenBack();
void CmdBlueAway();
void CmdBlueBack();
void CmdBiChromaticDithering();
void CmdCorny();
void CmdChess();
void CmdChessCircle();
void CmdWind_Up();
void CmdWind_Down();
void CmdWind_Left();
void CmdWind_Right();
void CmdColoring();
void CmdUnClear();
void CmdSpecialEffect();
void CmdRGB();
void CmdRBG();
void CmdGRB();
void CmdGBR();
void CmdBRG();
void CmdBGR();
void CmdColormove();
void CmdSetRedColors();
void CmdSetGreenColors();
void CmdSetBlueColors();
void CmdSetColorspec();
void CmdBars();
void CmdColorBars();
void CmdSoftdraw();
void CmdSharpdraw();
void CmdWaves();
void CmdBlowUp();
void CmdMoveImage();
void CmdExplode();
void CmdImplode();
void CmdWhirl_Left();
void CmdWhirl_Right();
void CmdOwnEffect();
void CmdTurn_90();
void CmdTurn_180();
void CmdTurn_270();

// ---- marked-area effect commands (commands_marked_effects.cpp) ----
void CmdFillImage_Marked();
void CmdAttributes_Marked();
void CmdColorTurn_Marked();
void CmdColorturn_Middle_Marked();
void CmdBlackWhite_Marked();
void CmdXtremeColors_Marked();
void CmdBlur_Up_Marked();
void CmdBlur_Down_Marked();
void CmdBlur_Left_Marked();
void CmdBlur_Right_Marked();
void CmdMirror_X_Marked();
void CmdMirror_Y_Marked();
void CmdTurn_90_Marked();
void CmdTurn_180_Marked();
void CmdTurn_270_Marked();
void CmdShadow_Marked();
void CmdColorspectrum_Marked();
void CmdBiChromaticDithering_Marked();
void CmdCorny_Marked();
void CmdUnClear_Marked();
void CmdChess_Marked();
void CmdChessCircle_Marked();
void CmdWind_Up_Marked();
void CmdWind_Down_Marked();
void CmdWind_Left_Marked();
void CmdWind_Right_Marked();
void CmdColoring_Marked();
void CmdSpecialEffect_Marked();
void CmdRGB_Marked();
void CmdRBG_Marked();
void CmdGRB_Marked();
void CmdGBR_Marked();
void CmdBGR_Marked();
void CmdBRG_Marked();
void CmdColormove_Marked();
void CmdSetColorspec_Marked();
void CmdSetRedColors_Marked();
void CmdSetGreenColors_Marked();
void CmdSetBlueColors_Marked();
void CmdRedDataFromBlueData_Marked();
void CmdRedDataFromGreenData_Marked();
void CmdGreenDataFromRedData_Marked();
void CmdGreenDataFromBlueData_Marked();
void CmdBlueDataFromRedData_Marked();
void CmdBlueDataFromGreenData_Marked();
void CmdLinedouble_Marked();
void CmdLinedouble_mirror_Marked();
void CmdLogicalBars_Marked();
void CmdIncircle_Marked();
void CmdBars_Marked();
void CmdColorBars_Marked();
void CmdSoftdraw_Marked();
void CmdSharpdraw_Marked();
void CmdWaves_Marked();
void CmdBlowUp_Marked();
void CmdMoveImage_Marked();
void CmdExplode_Marked();
void CmdImplode_Marked();
void CmdWhirl_Left_Marked();
void CmdWhirl_Right_Marked();
void CmdOwnEffect_Marked();

// ---- image commands (commands_images.cpp) ----
void CmdCreateBitmap();
void CmdUseCurrentImage();
void CmdFreeImage();

// ---- marking commands (commands_marking.cpp) ----
void CmdMark();
void CmdEndMark();
void CmdPasteBitmap();
void CmdCircleMark();
void CmdMagicStick();
void CmdFreeMark();
void CmdCloseFreeMark();

// ---- colour and drawing-setting commands (commands_colours.cpp) ----
void CmdColor();
void CmdHexColor();
void CmdSetDrawForm();
void CmdSetDrawWidth();
void CmdSetDrawSteps();
void CmdSetTransparency();
void CmdSetFillMode();
void CmdPaletteColor();
void CmdGetColor();
void CmdGetRedColor();
void CmdGetGreenColor();
void CmdGetBlueColor();
void CmdSetRedPoint();
void CmdSetGreenPoint();
void CmdSetBluePoint();
void CmdUpdateAverageColors();

// ---- painting commands (commands_painting.cpp) ----
void CmdFreePaint();
void CmdBrush();
void CmdSmear();
void CmdRubber();
void CmdEndPointList();   // EndFreePaint, EndBrush, EndSmear, EndRubber
void CmdPlot();
void CmdFill();
void CmdLine();
void CmdCircle();
void CmdEllipse();
void CmdRhombus();
void CmdBox();
void CmdSpray();
void CmdResize();

// ---- file commands (commands_images.cpp) ----
void CmdSaveBitmap();
void CmdSaveStructure();
void CmdSaveDrawForm();
void CmdOpenBitmap();

// ---- debug, undo, constant, point and locate commands (commands_debug.cpp) ----
void CmdDebug();
void CmdDebugS();
void CmdDebugImage();
void CmdShowDebug();
void CmdErrorMessage();
void CmdUndo();
void CmdCreateUndoPoint();
void CmdUpdateConstants();
void CmdPoint();
void CmdMinLocate();
void CmdEndMinLocate();
void CmdMaxLocate();
void CmdEndMaxLocate();

// ---- directory commands (commands_dirs.cpp) ----
void ResetDirectorySlots();
void CmdExamineDirectory();
void CmdForEachDirectoryEntry();
void CmdNextDirectoryEntry();
void CmdSkipDirectoryEntry();
void CmdUseDirectory();

// ---- structure sections (commands_structure.cpp) ----
void ResetStructureSections();
void CmdStructureSection();
void CmdWhiteEffects();
void CmdEndWhiteEffects();
void CmdBlackEffects();
void CmdEndBlackEffects();
void CmdEndStructureSection();
void CmdStructureSection_Marked();
void CmdWhiteEffects_Marked();
void CmdEndWhiteEffects_Marked();
void CmdBlackEffects_Marked();
void CmdEndBlackEffects_Marked();
void CmdEndStructureSection_Marked();

// ---- text and stretch (commands_text.cpp) ----
void CmdText();
void CmdStretch();
