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
// Start-up pieces of other shell files.
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
// Tests: the command and event handlers report each call here (handler name and id), so
// the loop tests see which handler got which id.
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
// Called from here, built with the colour cells (shell/colour_cells.cpp).
void CreatePaletteCell(uint8_t red, uint8_t green, uint8_t blue, int32_t column, int32_t row);
void CreateBlackWhiteSwatches();
void ShowSplashStatus(const std::string& text);
// ==== end main window, panels, gadgets, menus and tool bar ===============================

// ==== Settings window, tip of the day, about, welcome and shortcut windows ================
// (shell/settings_window.cpp, tips.cpp, info_windows.cpp, key_list.cpp)
// Settings window (window 1): runs it modally until it is left by "OK", "Abbrechen" or
// its close box.
void OnSettingsEvent();
void ApplyColorButtonStyle(int32_t style);   // 1..3; other values only unselect the options
void RefreshStyleSample(int32_t n);          // style record n (1..5) on sample editor 554 + n
void ShowBackgroundColor(int32_t colour);    // 0xBBGGRR: image 109, button 560, the samples
// Images 104..110, the swatches of the settings window (before its gadgets show them).
void CreateSettingsSwatches();
// The label colour written on a swatch of `colour` (0xBBGGRR), channel by channel.
uint32_t SwatchLabelColour(uint32_t colour);
// Icons_unten as the configuration gave it at start: a change asks for a restart.
extern int32_t StatusIconsAtStart;          // -1 until the settings window first opened
// The script editor's five syntax-colouring formats (1..5), owned by the script editor;
// "OK" of the settings window copies the settings' style records into them.
extern CharFormatRecord ScriptStyleFormats[6];

// Tip of the day (window 28).
extern int32_t TipCount;                    // tips "Tips/Tip_1.txt" ... found at start
void ShowTip(int32_t n);                    // tip n into editor 756; a missing file keeps the text

// About, thanks, welcome and shortcut windows (23, 24, 30, 37).
int32_t OpenAboutWindow();
int32_t ShowThanksDetail(int32_t index);
int32_t OpenWelcomeWindow(const std::string& address);
int32_t ShowShortcutWindow(int32_t section);  // 0 image view, 1 keyboard mode, 2 script,
                                              // 3 effects view, 4 marked area
// "Data/Key.list": sections of a tab title and rows of key and explanation.
struct KeyListSection {
  std::string title;
  std::vector<std::pair<std::string, std::string>> rows;
};
constexpr int32_t MaxKeyListSections = 23;   // column lists 782..804; 805 is the colour window's
// The sections of a Key.list file's bytes, at most MaxKeyListSections; a count cut off by
// the end reads its missing bytes as 0, a count of 0 or less gives an empty section, and
// rows stop at the end of the data whatever the count says.
std::vector<KeyListSection> ParseKeyList(const std::vector<uint8_t>& bytes);
// The modal loops of these windows honour LoopTurnLimit and LoopWaitMs as the mode loops do
// (tests: they leave after that many turns).
void ResetInfoWindowState();
// ==== end settings window, tip of the day, about, welcome and shortcut windows ============
// ==== Colour shares of the drawing colour (called by the script run) =====================
// (shell/colour_choosing.cpp)
void UpdateColourRatios();
// ==== end colour shares ==================================================================
// ==== Colour cells, drawing-settings bar and small shell routines (shell/colour_cells.cpp)
// One cell of the colour window's "Palette" tab: its 12 x 12 image and image gadget.
struct PaletteCell {
  int32_t image = -1;
  int32_t gadget = -1;
  uint8_t red = 0, green = 0, blue = 0;
};
extern PaletteCell PaletteCells[16][16];   // [column][row]
extern uint8_t DrawBarShown;               // 1 while the drawing-settings bar (171) is shown
int32_t GetColourWindowMouseX();           // mouse over window 27, -1 outside
int32_t GetColourWindowMouseY();
// Makes form `form` (0-based line of "Forms/writeforms.tx") the current brush form and
// loads it at `radius`; without the list file only drawform_current changes.
void SelectBrushForm(int32_t form, int32_t radius);
int32_t ChooseBrushForm();                 // modal window 22: the chosen row, -1 cancelled
std::string GetProgramFolder();            // ends in the path separator
void SetWindowsEnabled(uint8_t state);     // windows 0..25: 1 enables, 0 disables
void WaitForComboDropDown(int32_t gadget);
void SetMenuItemText(int32_t menu, int32_t id, const std::string& text);
// Colour choosing (shell/colour_choosing.cpp).
void ChooseCurrentColour();
int32_t CurrentColourChanged();
void PushRecentColour();
int64_t ChoosePaletteColor();              // ColorValue, -1 cancelled
// The handlers the drawing mode loop routes to (UpdateToolOptions, OnToolGadget,
// OnDrawBarGadget, OnToolOptionPopup, OnCanvasLeftUp, OnRightButton) report their calls
// to PendingHandlerSpy, so the loop tests see the routing.
// ==== end colour cells, drawing-settings bar and small shell routines ===================
// ==== Crash handling and recovery, error reports, report upload, update check ===========
// (shell/crash_handler.cpp, crash_state.cpp, bug_report.cpp, report_pack.cpp,
//  crash_io.cpp, report_upload.cpp, net_transfer.cpp, update_check.cpp,
//  error_popup.cpp)

// Crash handler. InstallCrashHandler sends the fatal signals (SIGSEGV, SIGBUS, SIGFPE,
// SIGILL, SIGABRT) and uncaught C++ exceptions to the crash handler and prepares the
// buffers and paths its signal path needs (call it again after the program folder
// changed). The signal path asks nothing and only writes with pre-allocated memory; an
// uncaught exception takes OnFatalError's full path with the description request.
void InstallCrashHandler();
void OnFatalError();                        // does not return
// The signal path's work, without ending the process: report (empty description), crash
// state and the instance's removal from "Undo/startet.ind", as the settings say.
void WriteCrashFilesSignalSafe();
extern uint8_t ErrorBlinkOn;                // 1 while the error-report button blinks
extern uint8_t BlinkPhase;                  // 0 or 1: tool bar button 14 + BlinkPhase shows
void BlinkErrorButton();                    // timer 5 of window 0, every 800 ms
// Crash state "Undo/hold.error". The current record is refreshed from the live image first.
// Returns true when the whole file was written.
bool WriteCrashState();
void RecoverAfterCrash();

// Error report "Error/Error_<n>.bug" with the counter "Error/index.num".
constexpr size_t BugReportFixedSize = 3161;          // everything after the description line
constexpr size_t BugReportHeadLongs = 12;            // OS .. Procedure 2
constexpr uint32_t BugReportVersionBits = 0x3F3D70A4;   // 0.74f
extern intptr_t LastErrorAddress;           // code address of the fatal fault (0 unknown)
// The report's bytes for a description of len bytes: 4 + len + 2 + BugReportFixedSize
// bytes into out. CR and LF in the description are left out (len counts what is kept:
// the result is the size). Allocates nothing.
size_t BuildBugReport(const char* text, size_t len, uint8_t* out);
void WriteBugReport(const std::string& text);

// Report upload.
void BugReportDialog();
std::string PackBugReports();               // PackBase ("Load" + seconds), "" on failure
void ScrambleFile(const std::string& path);
void ScrambleBytes(std::vector<uint8_t>& bytes);
std::string UnscrambleText(const std::string& text);
int32_t UploadBugReports(const std::string& base);   // 1 sent, 0 failed
std::string ReverseText(const std::string& text);
int32_t IsDigitCode(int32_t code);
int32_t FirstDigitPosition(const std::string& text);
// The address and port of a passive-mode reply ("227 ... (h1,h2,h3,h4,p1,p2)" CR LF);
// false when the code is not 227 or the six numbers are not there or out of range.
bool ParsePassiveReply(const std::string& reply, std::string& address, int32_t& port);
// The reports a pack may hold: "Error_<n>.bug" (exactly lower-case "bug") in "Error/",
// by ascending n. The dialog's rows and what packing and deleting address are these names.
std::vector<std::string> ListBugReports();
extern std::vector<std::string> BugReportRows;   // list 832's rows, by row
extern std::vector<std::string> PackedReports;   // what the last PackBugReports packed
// Packs the named reports of "Error/" into "Error/" + base + ".up" (scrambled). A pack is
// entries of: name length (long), name, size (long), compressed size (long), zlib data.
bool PackReportFiles(const std::string& base, const std::vector<std::string>& names);
// Deletes the pack and the named reports (after a confirmed upload).
void DeleteSentReports(const std::string& base, const std::vector<std::string>& names);

// Network, with time-outs (configuration "Konfigurations/Konfig.ini", group "Server").
struct ServerSettings {
  std::string updateUrl;       // base of the version file and installer ("http://host[:port]/")
  std::string ftpHost;
  int32_t ftpPort = 21;
  std::string ftpUser, ftpPassword, ftpFolder;
  int32_t timeoutSeconds = 20;
};
ServerSettings ReadServerSettings();
// HTTP GET of url into path (replaced only on success); false on any failure.
bool DownloadToFile(const std::string& url, const std::string& path, int32_t timeoutSeconds);
// FTP passive upload of data as remote file `name` in the folder; every reply checked, the
// data connection goes to the control connection's peer. false on any failure.
bool FtpUpload(const ServerSettings& s, const std::string& name, const std::vector<uint8_t>& data);

// Update check.
extern std::string UpdateVersion;
extern uint8_t UpdateAvailable;
constexpr const char* ProgramVersionText = "0_74Final";
void CheckForUpdate();
void DownloadUpdate();

void ResetCrashAndReportState();
// ==== end crash handling, error reports, upload, update check ============================

// ==== Main menu, view and extras menu, image keys, popups and colour choosing ============
// (shell/main_menu.cpp, view_menu.cpp, image_keys.cpp, popups.cpp, colour_choosing.cpp)
// The brush-form name offered for an image name: its extension (3, 4 or 5 letters) cut.
std::string BrushFormDefaultName(const std::string& name);
// A document tab's text: names longer than 10 characters show their first 8 and "..".
std::string TabLabel(const std::string& name);
// The "Bild einfügen" requester, then the chosen file as the marked area at (x, y).
void InsertImageFromFile(int32_t x, int32_t y);
// Grid spacing of the centimetre steps 0..5 (0.5 cm .. 3 cm) for a printer page width in
// dots; at least 2 (no printer: 0 dots).
int32_t CentimetreGridSpacing(int32_t printerWidth, int32_t step);
// A scroll position moved by an arrow key (direction +1 / -1) and held within 0..maximum.
int32_t ArrowScroll(int32_t position, int32_t maximum, int32_t direction, int32_t ctrl, int32_t shift);
uint32_t ContrastColour(uint32_t colour);            // each channel moved by 128
std::string ColourHexText(uint8_t red, uint8_t green, uint8_t blue);   // "RRGGBB"
int32_t ClampedChannelText(const std::string& text); // a number field's text as 0..255
// The hexadecimal field's text: cut or padded to six digits, pairs read red, green, blue
// from the right ("FF" is blue 255).
void HexColour(const std::string& text, uint8_t* red, uint8_t* green, uint8_t* blue);
// The brightness bar's colour for the shares at state s, overflow spilt into the others.
void BrightnessColour(float shareRed, float shareGreen, float shareBlue, int32_t s, int32_t* red, int32_t* green,
                      int32_t* blue);
// ==== end main menu, view and extras menu, image keys, popups and colour choosing ========
