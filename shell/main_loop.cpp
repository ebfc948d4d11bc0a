// The main loop: runs the loop of the current mode, which returns the next mode; the quit
// request runs QuitProgram, which ends the program or comes back cancelled.
#include "documents/documents.h"
#include "shell/shell.h"
#include "toolkit/toolkit.h"

int32_t CurrentMode = 0, NextMode = 0, PreviousMode = 0, ModeBeforeLast = 0, allok = 0;
int32_t LoopTurnLimit = 0;
int32_t LoopWaitMs = -1;



namespace {
bool IsMode(int32_t m) { return m >= ModeQuit && m <= ModeKeyboard; }
}  // namespace

void RunMainLoopTurn() {
  tk::setGadgetCursor(6, CursorTable[5]);
  tk::setGadgetCursor(11, CursorTable[4]);
  const int32_t running = CurrentMode;
  int32_t next = running;
  bool ran = true;
  switch (running) {
    case ModeDraw: next = ModeLoopDraw(); break;
    case ModeScript: next = ModeLoopScript(); break;
    case ModeEffects: next = ModeLoopEffects(); break;
    case ModeKeyboard: next = ModeLoopKeyboard(); break;
    case ModeArea: next = ModeLoopArea(); break;
    case ModeText: next = ModeLoopText(); break;
    default: ran = false; break;
  }
  // A loop that ends with something that is no mode (a quit cancelled inside a handler
  // leaves -1) keeps the program in the mode that ran.
  if (ran) CurrentMode = IsMode(next) ? next : running;
  if (CurrentMode == ModeQuit) {
    QuitProgram();
    // Back here: the quit did not happen. Resume the mode in which it was asked.
    CurrentMode = IsMode(PreviousMode) && PreviousMode != ModeQuit ? PreviousMode : ModeDraw;
    PreviousMode = ModeBeforeLast;
  }
  ModeBeforeLast = PreviousMode;
  PreviousMode = CurrentMode;
}

void MainLoop() {
  KeyboardModus = 0;
  CurrentMode = ModeDraw;
  PreviousMode = ModeDraw;
  ModeBeforeLast = ModeDraw;
  allok = 1;
  for (int32_t turns = 0; LoopTurnLimit <= 0 || turns < LoopTurnLimit; ++turns) RunMainLoopTurn();
}
