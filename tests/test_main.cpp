// Test entry: the toolkit runs on the offscreen platform, requesters answer from the
// test's queue, and the program folder is the built one.
#include <gtest/gtest.h>

#include <cstdlib>

#include "toolkit/toolkit.h"

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  testing::InitGoogleTest(&argc, argv);
  tk::setProgramFolder(PROGRAM_FOLDER);
  tk::init(argc, argv);
  tk::test::enable(true);
  return RUN_ALL_TESTS();
}
