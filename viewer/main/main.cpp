// Orvandel: the report viewer's entry. It takes no arguments.
#include "toolkit/toolkit.h"
#include "viewer/viewer.h"

int main(int argc, char** argv) {
  tk::init(argc, argv);
  return OrvandelEntry();
}
