// The popup of the error-report tool bar buttons 14 and 15 that blink after a crash.
#include "shell/shell.h"
#include "toolkit/toolkit.h"

namespace {

void StopBlinking() {
  ErrorBlinkOn = 0;
  tk::removeTimer(0, 5);
}

}  // namespace

void OnErrorReportPopup(int32_t id) {
  switch (id) {
    case 462:
      BugReportDialog();
      break;
    case 463:
      tk::runProgram("Error/Orvandel", "", "Error/");
      break;
    case 464:
      StopBlinking();
      break;
    case 465:
      Settings.ShowToolbar = 0;
      if (tk::isGadget(576)) tk::setGadgetState(576, 0);   // SaveConfiguration takes the box's state
      SaveConfiguration();
      StopBlinking();
      break;
    default:
      return;
  }
  for (int button : {14, 15}) tk::hideToolBarButton(5, button, true);
}
