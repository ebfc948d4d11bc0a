// Glimvane: the program entry. The program takes no arguments.
#include <unistd.h>

#include "snapshot/snapshot.h"
#include "toolkit/toolkit.h"

int main(int argc, char** argv) {
  tk::init(argc, argv);
  // The tool's own folder is its working folder, whatever it was started from.
  if (chdir(tk::toUtf8(tk::programFolder()).c_str()) != 0) {
    // Paths are resolved against the program folder anyway.
  }
  return GlimvaneMain();
}
