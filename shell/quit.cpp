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

void OnDocumentTab(int32_t eventtype, int32_t gadget) {
  const int32_t n = gadget - 160;
  if (n < 1 || n > 10 || n > ImageCount) return;
  if (eventtype == tk::EtButtonClick) {
    if (n != CurrentImage) SwitchImage(n);
    else tk::setGadgetState(gadget, 1);   // the active tab never looks released
  } else if (eventtype == tk::EtButtonMenu) {
    CloseImage(n);
  }
}
