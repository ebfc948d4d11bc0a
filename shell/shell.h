// Application shell: start-up, windows, menus, mode loops and dispatch, settings, crash handling and reports.
// The subsystem's globals and procedures, as the rest of the program sees them.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Puts every global of this subsystem back to its start value (tests).
void ResetShellState();

// ==== Status bar, as the canvas view calls it ============================================
// (declared for documents/canvas_view.cpp; its code comes with the status bars)
void UpdateMainStatusBar();
// ==== end status bar =====================================================================

// ==== Settings record and configuration files (shell/config.cpp) =======================
// A rich-edit character-format record as the settings keep it (record n = editor style n).
struct CharFormatRecord {
  uint32_t size = 0;          // 60 once the configuration was loaded
  uint32_t mask = 0;          // 0xE0000007: face, size, colour, bold, italic, underline
  uint32_t effects = 0;       // 1 bold, 2 italic, 4 underline
  int32_t height = 0;         // twips
  int32_t offset = 0;
  uint32_t color = 0;         // 0xBBGGRR
  uint8_t charSet = 0;
  uint8_t pitchAndFamily = 0;
  std::string face;           // at most 31 characters
};

struct SettingsRecord {
  uint8_t loaded = 0;             // Konfig.ini was opened
  std::string defaultFolder;      // All/name
  uint8_t Tooltips = 0;
  uint8_t Update = 0;
  uint8_t TDT = 0;
  int32_t startWidth = 0;         // width - 1 of the blank start image
  int32_t startHeight = 0;        // height - 1
  CharFormatRecord formats[6];    // 1..5: Normal, Function, Constant, String, Comment
  int32_t All_BG = 0;             // script editor background 0xBBGGRR
  uint8_t Tabwidth = 0;
  uint8_t Rueckwidth = 0;
  int32_t Edit_Undo = 0;
  uint8_t imageBackground[3] = {0, 0, 0};   // canvas background: blue, green, red
  uint8_t Banner = 0;
  uint8_t Icons_unten = 0;
  uint8_t Colorbutton = 0;
  uint8_t ShowToolbar = 0;
  uint8_t CreateError = 0;
  uint8_t BackUp = 0;
};

// Last.ini, as read at start and written at quit. LoadLastState puts the values into the
// program's state; SaveLastState takes them back from there first.
struct LastStateRecord {
  int32_t Tip = 1;
  int32_t Farbe = 0xFFFFFF;
  int32_t Fuellart = 0;
  int32_t Gadgetstate = 42;
  int32_t Pinsel_form = 1, Pinsel_Radius = 5, Pinsel_Drawsteps = 1;
  int32_t Radiusmessung = 1, Voll = 0;
  int32_t GitterAktiv = 0, GitterBreite = 100, GitterHorz = 1, GitterVert = 1;
  int32_t LinealAktiv = 0, LinealForm = 0, LinealHorz = 1, LinealVert = 1;
  int32_t AltFarbe[10] = {0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF,
                          0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF};  // [0] newest
  int32_t Formstate[6] = {474, 476, 478, 484, 480, 486};  // Kreis, Ellipse, Box, Raute, Spray, Zirkel
  int32_t EinstellBar = 0, Farbfenster = 0;
  int32_t FensterXPos = 0, FensterYPos = 0, FensterWidth = 1024, FensterHeight = 730;
};

extern SettingsRecord Settings;
extern LastStateRecord LastState;
extern int32_t maxundo;                 // undo steps kept per image (All/Undo)
extern int32_t EditUndoDepth;           // script editor undo depth in effect (Edit_Undo)
extern uint32_t CustomColours[17];      // 1..16: custom colours of the colour dialog
extern int32_t CVNIndex;                // this instance's number in "Undo/startet.ind"
// 1 while this copy may write undo files: it holds its own CVNIndex (or has not tried to
// claim one yet). 0 when the claim failed (the list could not be locked, or the written
// list did not read back): CVNIndex is then 0, the user was told, and nothing is written
// under "Undo/Undo<n>/" by this copy (no undo or redo steps, no instance folders).
extern uint8_t UndoAvailable;
extern std::vector<int32_t> InstanceList;

void LoadConfiguration();
void SaveConfiguration();
void LoadLastState();
void SaveLastState();
// The read-change-write of "Undo/startet.ind", each under the lock "Undo/startet.lock";
// at most the newest 4096 numbers of the file are read (and kept when it is rewritten).
// Claim: the lowest free number, appended; sets CVNIndex and UndoAvailable and returns
// the number, or 0 when the lock or the verified write failed (UndoAvailable 0).
int32_t ClaimInstanceNumber();
void ReleaseInstanceNumber();           // removes CVNIndex (quit); nothing when none was claimed
void CreateInstanceUndoFolders();       // "Undo/Undo<CVNIndex>" with "Undo1".."Undo10"
void ResetConfigState();
// ==== end settings record and configuration files ======================================

// ==== Start-up, main loop, mode loops, shortcut sets, view switching, status bars =======
// (shell/startup.cpp, main_loop.cpp, mode_loops.cpp, shortcuts.cpp, view_switch.cpp,
//  statusbars.cpp)
#include <functional>

// Start-up. StartUp runs the whole start-up and the main loop; it returns only when start-up
// fails (the program's exit code) or, with stopBeforeLoop, after the last step before the
// main loop (0).
extern uint8_t NetworkAvailable;
extern uint8_t ScreenAvailable;
extern int CursorTable[6];
extern int32_t ToolCursor;
extern std::string FileExtensions[9];
extern uint8_t GreyColourTable[256][4];     // blue, green, red, 0 (a grey ramp)
extern std::vector<std::string> SplashStatusLog;   // every text of the splash status line
int StartUp(bool stopBeforeLoop = false);
int MainTopLevel(bool stopBeforeLoop = false);
void ShowStartUpStatus(const std::string& text);   // ShowSplashStatus, also logged
extern int32_t SplashWaitMs;                       // how long the finished splash stays (tests: 0)
void SplashPause(int ms);                          // waits ms with the windows responsive, idle

// Main loop and modes.
enum ModeValue : int32_t {
  ModeQuit = 1, ModeDraw = 2, ModeScript = 3, ModeEffects = 4, ModeArea = 5, ModeText = 6,
  ModeKeyboard = 7,
};
extern int32_t CurrentMode, NextMode, PreviousMode, ModeBeforeLast, allok;
void MainLoop();
void RunMainLoopTurn();                     // one turn of the main loop
// Tests: with LoopTurnLimit > 0 a mode loop returns (with NextMode, possibly 0) after that
// many turns, and the main loop after that many of its turns; LoopWaitMs is the wait of
// the mode loops (-1: forever).
extern int32_t LoopTurnLimit;
extern int32_t LoopWaitMs;

// Mode loops and dispatch.
extern int32_t LastEvent;
extern int32_t controlpressed, shiftpressed;
int32_t ModeLoopDraw();
int32_t ModeLoopScript();
int32_t ModeLoopArea();
int32_t ModeLoopKeyboard();
int32_t ModeLoopText();
int32_t ModeLoopEffects();
void SetBusySign(bool busy);                // field 20 of status bar 0: image 101 / 100

// Keyboard shortcut sets (all on window 0).
extern int32_t cutsda;
void AddImageShortcuts();
void AddScriptShortcuts();
void AddPanelShortcuts();
void RemoveImageShortcuts();
void RemoveScriptShortcuts();
void RemovePanelShortcuts();

// Main-window state and view switching.
extern uint8_t KeyboardModus_hold;
extern uint8_t DrawBarCheckHold;            // item 193 checked when the area panel opened
extern int32_t ToolBeforeArea;              // tool gadget current before the area panel
extern int32_t ToolBeforeView;              // tool gadget current before the script or effects view
void LowerKeyboardPen();
void LiftKeyboardPen();
void EnterKeyboardMode();
void LeaveKeyboardMode();
void ShowAreaPanel();
void ShowDrawPanel();
void SwitchMainView(int32_t panel);
void EnableMenuItems(int32_t flag);
void ToggleMenuItemCheck(int32_t menu, int32_t item);

// Status bars (bar 0 image view, 1 script, 2 effects, 3 keyboard mode, 4 marked area, 5 text).
void CreateMainStatusBar();
void CreateScriptStatusBar();
void CreateEffectsStatusBar();
void CreateKeyboardStatusBar();
void CreateAreaStatusBar();
void CreateTextStatusBar();
void FreeStatusBars();
void UpdateScriptStatusBar();
void UpdateKeyboardStatusBar();
void UpdateAreaStatusBar();
void UpdateTextStatusBar();

// Command and gadget handlers of the shell that the mode loops call.
void OnMainMenu(int32_t id);
void OnInsertPopup(int32_t id);
void OnSwatch(int32_t id);
void OnErrorReportPopup(int32_t id);
void OnImageShortcut(int32_t id);
void OnPanelShortcut(int32_t id);
void OnDocumentTab(int32_t eventtype, int32_t gadget);
void OnMainGadget(int32_t gadget);
void OnImageKeyDown();
void OnImageKeyUp();
// Start-up pieces of other shell Parts.
void LoadResources();
void OnFatalError();
void RecoverAfterCrash();
void CheckForUpdate();
void DownloadUpdate();
extern uint8_t UpdateAvailable;
extern int32_t TipNumber;   // the tip of the day shown last
void ShowTipOfTheDay();
void CountTips();                           // tips of the day in "Tips/"
void ShowSplashStatus(const std::string& text);
void ShowDrawSettingsBar();
void HideDrawSettingsBar();
// The system colour dialog on `initial` (0xBBGGRR); the chosen colour, -1 when cancelled.
int64_t ShowSystemColourDialog(uint32_t initial);
void UpdateColourDisplays();
// Tests: every handler that still stands in (shell/pending_loops.cpp) reports here.
extern std::function<void(const char* handler, int id)> PendingHandlerSpy;
// ==== end start-up, loops, shortcut sets, views, status bars ============================

// ==== Main window, panels, gadgets, menus and tool bar (shell/ui_*.cpp) ==================
// Start-up builds the interface in this order: LoadResources (before the script tables),
// then, inside MainTopLevel, OpenMainWindow, CreateMenus, CreateWindowsAndGadgets,
// SetUpGadgetContents, FillFontList (painting tools) and LoadStartFont.
void LoadResources();                 // the interface images, drawn and loaded from "Data/"
// Opens window 0 (hidden), window 43 "Parent" with editor 837 and the splash window 25
// (images 6 and 7). Returns 0 when window 0 could not be opened, else 1.
int32_t OpenMainWindow();
void CreateMenus();                   // menus 0 and 1, the popups, tool bar 5
void CreateWindowsAndGadgets();       // every other window, the panels and their gadgets
void SetUpGadgetContents();           // fonts, fixed item lists and start values
void LoadStartFont();                 // font 0 from the face and size of combos 585, 586
// Tooltips of the tool bar and of the panel gadgets; on = 0 empties every text.
void SetToolbarTooltips(int32_t on);
void ApplyPanelHeaderStyle();   // picture or label header, by Settings.Banner
// Called from here, built elsewhere (stand-ins in shell/pending_ui.cpp until they land).
void CreatePaletteCell(uint8_t red, uint8_t green, uint8_t blue, int32_t column, int32_t row);
void CreateBlackWhiteSwatches();
void ShowSplashStatus(const std::string& text);
// ==== end main window, panels, gadgets, menus and tool bar ===============================

// ==== Drawing colour chooser the effect dialogs use ======================================
// Lets the user pick the drawing colour (Rot, Gruen, Blau) and refreshes its displays.
void ChooseCurrentColour();
// ==== end drawing colour chooser =========================================================
