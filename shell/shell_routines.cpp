// Small shell routines shared by start-up and the configuration.
#include "shell/shell.h"
#include "toolkit/toolkit.h"

// Redraws the splash window's status line (image 7 in image gadget 1 of window 25).
void ShowSplashStatus(const std::string& text) {
  if (!tk::isImage(7)) return;
  if (tk::startDrawing(tk::imageOutput(7))) {
    tk::drawingMode(tk::DrawDefault);
    tk::box(0, 0, 400, 20, 0x000000);
    tk::drawingFont(-1);
    tk::drawText(21, 1, text, 0 | (185 << 8) | (59 << 16), 0x000000);
    tk::stopDrawing();
  }
  if (tk::isGadget(1)) tk::setGadgetState(1, 7);
}
