// Shared by the start-up, loop, view and status-bar tests: the program started once per
// test process in a copy of the program folder, and a recorder of the handlers reached.
#pragma once
#include <gtest/gtest.h>

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
  return to.string() + "/";
}

// The whole start-up up to the first turn of the main loop, once per process. Gadgets and
// windows the loops address are made plain where the interface code has not made them.
inline void EnsureProgramStarted() {
  static bool started = false;
  if (started) return;
  started = true;
  static const std::string folder = CopyProgramFolder("corvalen_loops");
  tk::setProgramFolder(folder);
  SplashWaitMs = 0;
  tk::test::clear();
  ASSERT_EQ(StartUp(true), 0);
  tk::useWindow(0);
  for (int p : {9, 120, 352, 495, 582})
    if (!tk::isGadget(p)) {
      tk::container(p, 0, 0, 240, 560);
      tk::closeGadgetList();
      tk::hideGadget(p, p != 9);
    }
  if (!tk::isGadget(2)) tk::imageGadget(2, 8, 33, 230, 29, 10);
  if (!tk::isGadget(3)) tk::label(3, 8, 33, 230, 29, "Operationen");
  for (int g : {130, 131, 132, 135, 136, 137})
    if (!tk::isGadget(g)) tk::checkBox(g, 0, 0, 10, 10, "");
  if (!tk::isGadget(38)) tk::button(38, 0, 0, 10, 10, "", tk::GfToggle);
  if (!tk::isGadget(104)) {
    tk::comboBox(104, 0, 0, 100, 100);
    for (const char* t : {"Füllen", "Tonen", "Farben umkehren"}) tk::addGadgetItem(104, -1, t);
  }
  if (!tk::isGadget(107)) tk::slider(107, 0, 0, 100, 20, 0, 255);
  if (!tk::isGadget(496)) tk::richEditor(496, 0, 0, 100, 100);
  if (!tk::isGadget(584)) tk::richEditor(584, 0, 0, 100, 100);
  if (!tk::isWindow(27)) tk::openWindow(27, 600, 80, 220, 280, "Farbe wählen", tk::WfCaption | tk::WfHidden, 0);
  if (!tk::isWindow(3)) tk::openWindow(3, 300, 200, 405, 150, "Finden/Ersetzen", tk::WfCaption | tk::WfHidden, 0);
  if (!tk::isWindow(2)) tk::openWindow(2, 300, 200, 300, 300, "Debugger", tk::WfCaption | tk::WfHidden, 0);
  tk::useWindow(0);
}

// Records (handler, id) of every stand-in handler reached.
struct Recorder {
  std::vector<std::pair<std::string, int>> calls;
  Recorder() {
    PendingHandlerSpy = [this](const char* h, int id) { calls.emplace_back(h, id); };
  }
  ~Recorder() { PendingHandlerSpy = nullptr; }
  // The handlers reached, without the tool selection the view switches run.
  std::vector<std::pair<std::string, int>> Handlers() const {
    std::vector<std::pair<std::string, int>> out;
    for (const auto& c : calls)
      if (c.first != "UpdateToolOptions" && c.first != "HideDrawSettingsBar" && c.first != "ShowDrawSettingsBar")
        out.push_back(c);
    return out;
  }
};

// Runs one turn of the loop of `mode` on the queued event(s); returns what the loop returned.
inline int32_t RunOneTurn(int32_t mode) {
  LoopTurnLimit = 1;
  LoopWaitMs = 200;
  int32_t r = 0;
  switch (mode) {
    case ModeDraw: r = ModeLoopDraw(); break;
    case ModeScript: r = ModeLoopScript(); break;
    case ModeArea: r = ModeLoopArea(); break;
    case ModeKeyboard: r = ModeLoopKeyboard(); break;
    case ModeText: r = ModeLoopText(); break;
    case ModeEffects: r = ModeLoopEffects(); break;
  }
  LoopTurnLimit = 0;
  LoopWaitMs = -1;
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
