// Start-up: global state, crash handler, arrays, cursors and fixed tables (StartUp), then
// the interface, the configuration, the optional update check and crash recovery
// (MainTopLevel), and last the main loop.
#include <csignal>
#include <cstdlib>
#include <string>

#include <QEventLoop>
#include <QTimer>

#include "documents/documents.h"
#include "script/script.h"
#include "shell/shell.h"
#include "toolkit/toolkit.h"
#include "tools/tools.h"

uint8_t NetworkAvailable = 0;
uint8_t ScreenAvailable = 0;
int CursorTable[6] = {0, 0, 0, 0, 0, 0};
int32_t ToolCursor = 4;
std::string FileExtensions[9];
uint8_t GreyColourTable[256][4];
std::vector<std::string> SplashStatusLog;
int32_t SplashWaitMs = 1000;



// Keeps the splash on screen for ms milliseconds while the windows stay responsive: the
// event loop sleeps between events instead of polling.
void SplashPause(int ms) {
  if (ms <= 0) return;
  QEventLoop loop;
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.exec();
}

void ShowStartUpStatus(const std::string& text) {
  SplashStatusLog.push_back(text);
  ShowSplashStatus(text);
}

int StartUp(bool stopBeforeLoop) {
  // Run-time errors go to the crash handler (tests keep their own).
  if (!tk::test::enabled()) InstallCrashHandler();

  // Nothing the full-screen preview or the update check need can fail to start here.
  NetworkAvailable = 1;
  ScreenAvailable = 1;

  // Global arrays and lists.
  AreaPixels.assign(1, 0);
  AreaViewPixels.assign(1, 0);
  ImageRecords.assign(11, ImageRecord{});
  ImagePixels.assign(1, 0);
  IndexPlane.assign(1, 0);
  Palette.assign(256, 0);
  PolygonMarkPoints.clear();
  InstanceList.clear();

  // Cursors.
  for (int n = 0; n < 4; ++n) CursorTable[n] = tk::loadCursor("Data/Cursor" + std::to_string(n) + ".cur");
  CursorTable[4] = tk::standardCursor(tk::CursorArrow);
  CursorTable[5] = tk::standardCursor(tk::CursorSizeNS);
  ToolCursor = 4;

  // Fixed tables and start values.
  for (int i = 0; i < 256; ++i) {
    GreyColourTable[i][0] = GreyColourTable[i][1] = GreyColourTable[i][2] = uint8_t(i);
    GreyColourTable[i][3] = 0;
  }
  cutsda = 0;
  CurrentMode = 0;
  PaletteIndex = 0;
  length = 1.0f;
  bildx = 250;
  paintstate = 0;
  Colornumber = 0;
  areaxmax = 672;
  areaymax = 592;
  tolleranz = 5;
  CurrentImage = 1;
  ImageRecords[1].WindowState = 9;
  static const char* const extensions[9] = {"bmp", "jpg", "png", "ico", "struc", "cod", "df", "cur", "tbmp"};
  for (int i = 0; i < 9; ++i) FileExtensions[i] = extensions[i];
  static const char* const functions[14] = {"Sin", "Cos", "Tan", "Min", "Max", "Pow", "Random",
                                            "GetRedColor", "GetGreenColor", "GetBlueColor",
                                            "Sqr", "Pos", "Chr", "Str"};
  EvaluatorFunctions.resize(15);
  for (int i = 0; i < 14; ++i) EvaluatorFunctions[i + 1].name = functions[i];

  LoadResources();
  LoadScriptTables();
  BuildStructureEffectTable();
  return MainTopLevel(stopBeforeLoop);
}

int MainTopLevel(bool stopBeforeLoop) {
  // 1. The image decoders and encoders are part of the toolkit's image layer.
  // 2. Splash check.
  if (tk::loadImage(6, "Data/Corvalen_08.png") < 0) {
    // A banner that is there but cannot be read is named as damaged, not as missing.
    tk::messageRequester("Fehler",
                         tk::fileExists("Data/Corvalen_08.png")
                             ? "Corvalen_08.png im Ordner Corvalen/Data ist beschädigt und konnte nicht geladen werden"
                             : "Corvalen_08.png konnte im Ordner Corvalen/Data nicht gefunden werden",
                         tk::MsgOk | tk::MsgError);
    return 1;
  }
  tk::createImage(7, 400, 20);

  // 3.-4. Main window, window 43 (it loads the rich editor first) and the splash window,
  // which shows the first status text.
  if (OpenMainWindow() == 0) return 1;
  SplashStatusLog.push_back("Fenster erstellen(versteckt)");

  // 5. Menus, toolbar, panels, gadgets and the other windows.
  CreateMenus();
  CreateWindowsAndGadgets();
  CountTips();
  ShowStartUpStatus("Gadgets einstellen");
  SetUpGadgetContents();
  FillFontList();
  LoadStartFont();

  // 6. Configuration (claims this instance's number and undo folders).
  ShowStartUpStatus("Konfigurationen laden");
  LoadConfiguration();
  // The stored window size (brought onto the desktop) is in effect now: the canvas is laid
  // out for it before the first frame.
  LayoutCanvasArea();

  // 7. The first image.
  CurrentImage = 1;
  ImageRecords[1].DisplayName = "Unbenannt1.bmp";
  if (Settings.Tooltips == 1) tk::setGadgetToolTip(161, ImageRecords[1].DisplayName);

  // 8.
  AddImageShortcuts();

  // 9. The image view with the drawing panel.
  for (int w = 0; w <= 25; ++w)
    if (tk::isWindow(w)) tk::hideWindow(w, false);
  for (int w : {1, 8, 3, 2, 22}) tk::hideWindow(w, true);
  for (int p : {120, 582, 352, 495}) tk::hideGadget(p, true);

  // 10. Update check.
  if (Settings.Update > 0) {
    ShowStartUpStatus("Updateprüfung.....");
    if (NetworkAvailable == 1) CheckForUpdate();
  }

  // 11.
  RedrawCanvas();
  tk::processPending();
  ShowStartUpStatus("Fertig geladen...... Viel Spass bei Corvalen :)");
  SplashPause(SplashWaitMs);
  tk::closeWindow(25);

  // 12.
  if (UpdateAvailable == 1 &&
      tk::messageRequester("Update da", "Es ist eine neue Version von Corvalen verfügbar.\r\rWollen sie jetzt updaten?",
                           tk::MsgYesNo) == tk::ResultYes)
    DownloadUpdate();

  // 13. Paste timer, main-window callback, window 0 in front.
  tk::freeImage(6);
  tk::addTimer(0, 0, 1000, UpdatePasteMenuItem);
  tk::setWindowCallback(0, MainWindowCallback);
  tk::setWindowCallback(2, MainWindowCallback);
  tk::useWindow(0);
  tk::activateWindow(0);
  tk::bringToFront(0);

  // 14.-16.
  RecoverAfterCrash();
  CreateMainStatusBar();
  if (Settings.TDT == 1) ShowTipOfTheDay();

  // 17.
  if (stopBeforeLoop) return 0;
  MainLoop();
  return 0;
}
