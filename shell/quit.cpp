// Quitting: the save question, the last state, and removing everything this instance
// parked under "Undo/" (its slot folders with their steps, the picture buffers) and its
// number in the shared instance list. Other instances' folders are never touched.
#include <cstdlib>
#include <string>

#include "documents/documents.h"
#include "effects/effects.h"
#include "shell/shell.h"
#include "toolkit/toolkit.h"

void QuitProgram() {
  if (SaveBeforeQuitDialog() == 0) {
    NextMode = -1;
    return;
  }
  OnErrorCode1 = 2;
  SaveLastState();
  // A copy that could not claim a number owns no folder and no list entry.
  if (UndoAvailable) {
    for (int k = 1; k <= 10; ++k) tk::deleteFolder(SlotFolder(k));
    tk::deleteFolder(InstanceFolder());
    ReleaseInstanceNumber();
  }
  std::exit(0);
}
