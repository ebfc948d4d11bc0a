// The commands the main menu and the script-view menu share (ids 169 and up): grid,
// rulers, window layout, the extra bars, the colour window, the Extras programs, the help
// pages and the about window. Every check mark set here is set on both menus alike.
#include <cmath>
#include <cstdint>
#include <string>

#include "documents/documents.h"
#include "effects/effects.h"
#include "script/script.h"
#include "shell/shell.h"
#include "toolkit/toolkit.h"

namespace {

// Flips item on menu 0 and gives menu 1 the same mark; the new state.
bool ToggleBoth(int32_t item) {
  ToggleMenuItemCheck(0, item);
  const bool on = tk::menuItemChecked(0, item);
  tk::setMenuItemChecked(1, item, on);
  return on;
}

void CheckOnlyGridItem(int32_t id) {
  for (int32_t item = 170; item <= 182; ++item) {
    tk::setMenuItemChecked(0, item, item == id);
    tk::setMenuItemChecked(1, item, item == id);
  }
}

// A program of the Extras menu; one that is not there is not started.
void StartExtra(const std::string& program, const std::string& arguments = "") {
  if (tk::fileSizeOf(program) < 0) return;
  tk::runProgram(program, arguments);
}

std::string PageAddress(const std::string& page) { return "file:\\" + GetProgramFolder() + page; }

}  // namespace

int32_t CentimetreGridSpacing(int32_t printerWidth, int32_t step) {
  static const double k[6] = {1, 1, 3, 2, 5, 3};
  static const double d[6] = {59.4, 29.7, 59.4, 29.7, 59.4, 29.7};
  if (step < 0 || step > 5) return 2;
  const int32_t s = int32_t(std::lround(double(printerWidth) * k[step] / d[step]));
  return s < 2 ? 2 : s;
}

void OnViewHelpMenu(int32_t id) {
  if (PendingHandlerSpy) PendingHandlerSpy("OnViewHelpMenu", id);
  static const char* const kFaqPages[9] = {"FAQ\\Resize.html", "", "FAQ\\StructureSection.html",
                                           "FAQ\\Lineal.html", "FAQ\\Maleinstell.html", "FAQ\\Gitter.html",
                                           "FAQ\\Vollbild.html", "FAQ\\Icon.html", "FAQ\\Poligon.html"};
  if (id == 170) {
    CheckOnlyGridItem(id);
    GridActive = 0;
    RedrawCanvas();
  } else if (id >= 171 && id <= 176) {
    static const int32_t spacing[6] = {10, 50, 100, 150, 200, 250};
    CheckOnlyGridItem(id);
    GridActive = 1;
    GridWidth = spacing[id - 171];
    UpdateAverageColors();
    RedrawCanvas();
  } else if (id >= 177 && id <= 182) {
    CheckOnlyGridItem(id);
    GridActive = 1;
    int w = 0, h = 0;
    if (!tk::printerPage(&w, &h)) w = 0;
    GridWidth = CentimetreGridSpacing(w, id - 177);
    UpdateAverageColors();
    RedrawCanvas();
  } else if (id == 183) {
    GridHorz = ToggleBoth(183) ? 1 : 0;
    UpdateAverageColors();
    RedrawCanvas();
  } else if (id == 184) {
    GridVert = ToggleBoth(184) ? 1 : 0;
    UpdateAverageColors();
    RedrawCanvas();
  } else if (id == 185) {
    if (ToggleBoth(185)) {
      if (tk::menuItemChecked(0, 188)) tk::hideGadget(4, false);
      if (tk::menuItemChecked(0, 189)) tk::hideGadget(5, false);
      LayoutCanvasArea();
      DrawRulers();
    } else {
      tk::hideGadget(4, true);
      tk::hideGadget(5, true);
      LayoutCanvasArea();
    }
  } else if (id == 186 || id == 187) {
    ToggleBoth(186);
    ToggleBoth(187);
    DrawRulers();
  } else if (id == 188) {
    tk::hideGadget(4, !ToggleBoth(188));
    LayoutCanvasArea();
    DrawRulers();
  } else if (id == 189) {
    tk::hideGadget(5, !ToggleBoth(189));
    DrawRulers();
  } else if (id == 190) {
    SetSplitterPosition(260);
  } else if (id == 191) {
    SetSplitterPosition(0);
  } else if (id == 192) {
    SetSplitterPosition(tk::windowWidth(0));
  } else if (id == 193) {
    if (ToggleBoth(193)) ShowDrawSettingsBar();
    else HideDrawSettingsBar();
    LayoutCanvasArea();
  } else if (id == 194) {
    tk::hideWindow(27, !ToggleBoth(194));
  } else if (id == 195) {
    ColorInformationWindow();
  } else if (id == 196) {
    SetAsWallpaper();
  } else if (id == 197) {
    SaveBitmap("Xtra/Ressolin.bmp", 0);
    StartExtra("Xtra/Ressolin", "1");
  } else if (id == 198) {
    StartExtra("Xtra/Ressolin", "2");
  } else if (id == 199) {
    StartExtra("Xtra/Glimvane");
  } else if (id == 200) {
    StartExtra("Xtra/Pavetti");
  } else if (id == 201) {
    StartExtra("Xtra/Oxbrel");
  } else if (id >= 202 && id <= 210 && id != 203) {
    OpenWelcomeWindow(PageAddress(kFaqPages[id - 202]));
  } else if (id == 211) {
    if (tk::fileSizeOf("help/index.html") >= 0) tk::openWithShell(tk::resolvePath("help/index.html"));
  } else if (id == 212) {
    if (tk::fileSizeOf("help/tutorial.html") >= 0) tk::openWithShell(tk::resolvePath("help/tutorial.html"));
  } else if (id == 213) {
    const bool effectsView = CurrentImage >= 1 && CurrentImage < int32_t(ImageRecords.size()) &&
                             ImageRecords[CurrentImage].WindowState == 352;
    ShowShortcutWindow(KeyboardModus == 1 ? 1 : areamark > 0 ? 4 : effectsView ? 3 : 0);
  } else if (id == 214) {
    OpenAboutWindow();
  }
}
