// Shared by the start-up, loop, view and status-bar tests: the program started once per
// test process in a copy of the program folder, and a recorder of the handlers reached.
#pragma once
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "documents/documents.h"
#include "shell/shell.h"
#include "toolkit/toolkit.h"
#include "tools/tools.h"

namespace loops_test {

namespace fs = std::filesystem;

// A copy of the built program folder (without the programs); `without` is left out.
inline std::string CopyProgramFolder(const std::string& name, const std::string& without = "") {
  const fs::path from = PROGRAM_FOLDER;
  const fs::path to = fs::temp_directory_path() / (name + "_" + std::to_string(::getpid()));
  fs::remove_all(to);
  fs::create_directories(to);
  for (const auto& e : fs::directory_iterator(from))
    if (e.is_directory()) fs::copy(e.path(), to / e.path().filename(), fs::copy_options::recursive);
  if (!without.empty()) fs::remove(to / without);
  // The tip of the day would open its window at start and wait for the user: off in copies
  // (a test that wants it turns it on again).
  if (tk::openPreferences((to / "Konfigurations/Konfig.ini").string())) {
    tk::preferenceGroup("All");
    tk::writePreferenceLong("TDT", 0);
    tk::closePreferences();
  }
  // Removed when the test program ends.
  struct Cleanup {
    std::vector<fs::path> folders;
    ~Cleanup() {
      std::error_code ec;
      for (const auto& f : folders) fs::remove_all(f, ec);
    }
  };
  static Cleanup cleanup;
  cleanup.folders.push_back(to);
  return to.string() + "/";
}

// The whole start-up up to the first turn of the main loop, once per process.
inline void EnsureProgramStarted() {
  static bool started = false;
  if (started) return;
  started = true;
  static const std::string folder = CopyProgramFolder("corvalen_loops");
  tk::setProgramFolder(folder);
  SplashWaitMs = 0;
  tk::test::clear();
  ASSERT_EQ(StartUp(true), 0);
  for (int w : {0, 2, 3, 27}) ASSERT_TRUE(tk::isWindow(w)) << w;
  for (int g : {2, 3, 9, 11, 38, 104, 107, 120, 130, 352, 495, 496, 582, 584}) ASSERT_TRUE(tk::isGadget(g)) << g;
  tk::useWindow(0);
}

// Records (handler, id) of every stand-in handler reached.
struct Recorder {
  std::vector<std::pair<std::string, int>> calls;
  Recorder() {
    PendingHandlerSpy = [this](const char* h, int id) { calls.emplace_back(h, id); };
  }
  ~Recorder() { PendingHandlerSpy = nullptr; }
  // The handlers reached, without the tool selection the view switches run and the editor
  // undo step of the focus test.
  std::vector<std::pair<std::string, int>> Handlers() const {
    std::vector<std::pair<std::string, int>> out;
    for (const auto& c : calls)
      if (c.first != "UpdateToolOptions" && c.first != "HideDrawSettingsBar" &&
          c.first != "ShowDrawSettingsBar" && !(c.first == "CreateEditUndo" && c.second == 6))
        out.push_back(c);
    return out;
  }
};

// Runs f with every loop limited to one turn and a bounded wait, then lifts the limits.
template <class F>
inline void WithOneBoundedTurn(F f) {
  LoopTurnLimit = 1;
  LoopWaitMs = 200;
  f();
  LoopTurnLimit = 0;
  LoopWaitMs = -1;
}

// Runs one turn of the loop of `mode` on the queued event(s); returns what the loop returned.
inline int32_t RunOneTurn(int32_t mode) {
  int32_t r = 0;
  WithOneBoundedTurn([&] {
    switch (mode) {
      case ModeDraw: r = ModeLoopDraw(); break;
      case ModeScript: r = ModeLoopScript(); break;
      case ModeArea: r = ModeLoopArea(); break;
      case ModeKeyboard: r = ModeLoopKeyboard(); break;
      case ModeText: r = ModeLoopText(); break;
      case ModeEffects: r = ModeLoopEffects(); break;
    }
  });
  return r;
}

inline void Post(int code, int window = 0, int gadget = -1, int menu = -1, int type = 0, intptr_t wParam = 0) {
  tk::Event e;
  e.code = code;
  e.window = window;
  e.gadget = gadget;
  e.menu = menu;
  e.type = type;
  e.wParam = wParam;
  tk::postEvent(e);
}

class LoopsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureProgramStarted();
    tk::drainEvents();
    Keydrawmode = 0;
    KeyboardModus = 0;
    linestate = 0;
    areamark = 0;
    NextMode = 0;
  }
  void TearDown() override { tk::drainEvents(); }
};

}  // namespace loops_test
