// The turns of a modal window's own event loop (settings, tips, about, welcome, shortcuts).
// Like the mode loops, they honour the test limits LoopTurnLimit and LoopWaitMs.
#pragma once
#include "shell/shell.h"
#include "toolkit/toolkit.h"

class ModalTurns {
 public:
  // True while the loop may take another turn.
  bool more() { return LoopTurnLimit <= 0 || turns_++ < LoopTurnLimit; }
  // Keeps `window` in front of the main window, then waits for the next event.
  static int wait(int window) {
    if (tk::activeWindow() == 0) tk::bringToFront(window);
    return tk::waitEvent(LoopWaitMs);
  }

 private:
  int32_t turns_ = 0;
};
