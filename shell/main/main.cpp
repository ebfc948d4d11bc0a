// Corvalen: the program entry. The program takes no arguments.
#include "shell/shell.h"
#include "toolkit/toolkit.h"

int main(int argc, char** argv) {
  tk::init(argc, argv);
  return StartUp();
}
