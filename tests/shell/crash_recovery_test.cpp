// The crash handler and the next start's recovery: the crash state of two images, real
// crashes in a child process (a fatal signal and an uncaught exception), the settings
// that switch the files off, and damaged crash states.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <stdexcept>

#include "shell/loops_fixture.h"

namespace {

namespace fs = std::filesystem;
using loops_test::EnsureProgramStarted;

std::string Path(const std::string& relative) { return tk::toUtf8(tk::resolvePath(relative)); }

std::vector<uint8_t> ReadAll(const std::string& relative) {
  std::vector<uint8_t> bytes;
  tk::readWholeFile(relative, bytes);
  return bytes;
}

std::vector<int32_t> RunningInstances() {
  std::vector<uint8_t> b = ReadAll("Undo/startet.ind");
  std::vector<int32_t> list;
  for (size_t i = 0; i + 4 <= b.size(); i += 4) list.push_back(int32_t(b[i] | b[i + 1] << 8 | b[i + 2] << 16 | b[i + 3] << 24));
  return list;
}

// Two images open: the first (the start image) parked in slot 1, the second live and
// current, 5 x 3 with one marked cell. Settings write both files.
class CrashTest : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureProgramStarted();
    tk::test::clear();
    ASSERT_EQ(ImageCount, 1);
    firstWidth = bildlang;
    ImageRecords[1].DisplayName = "C:\\Bilder\\Urlaubsfoto.bmp";
    CreateImageSlot(4, 2, 10, 20, 30, 0, 0, "Zwei.bmp");
    ASSERT_EQ(ImageCount, 2);
    ASSERT_EQ(CurrentImage, 2);
    ImageRecords[2].DisplayName = "Zwei.bmp";
    ImagePixels[7] = 0x00ABCDEF;
    length = 2.0f;
    Settings.CreateError = 1;
    Settings.BackUp = 1;
    Settings.ShowToolbar = 1;
    for (const char* f : {"Error/index.num", "Error/Error_0.bug", "Undo/hold.error"}) tk::deleteFile(f);
  }

  // What the next start has before it asks: one blank image, nothing restored.
  void FreshStart() {
    ImageRecords.assign(11, ImageRecord{});
    ImageCount = 1;
    CurrentImage = 1;
    SetImageDimensions(1, 1, 0);
    length = 1.0f;
    ErrorBlinkOn = 0;
  }

  void ExpectRestored() {
    EXPECT_EQ(ImageCount, 2);
    EXPECT_EQ(CurrentImage, 2);
    ASSERT_EQ(bildlang, 4);
    ASSERT_EQ(bildhoch, 2);
    EXPECT_EQ(ImagePixels[7] & 0xFFFFFF, 0xABCDEFu);
    EXPECT_EQ(ImagePixels[0] & 0xFFFFFF, 0x0A141Eu);   // red 10, green 20, blue 30
    EXPECT_FLOAT_EQ(length, 2.0f);
    EXPECT_EQ(tk::gadgetText(161), "Urlaubsf..");
    EXPECT_EQ(tk::gadgetText(162), "Zwei.bmp");
    EXPECT_EQ(tk::gadgetState(162), 1);
    EXPECT_EQ(tk::gadgetState(161), 0);
    EXPECT_FALSE(tk::fileExists("Undo/hold.error"));
    EXPECT_EQ(ErrorBlinkOn, 1);
    // The parked image comes back from its slot folder.
    SwitchImage(1);
    EXPECT_EQ(CurrentImage, 1);
    EXPECT_EQ(bildlang, firstWidth);
  }

  int32_t firstWidth = 0;
};

TEST_F(CrashTest, DumpHoldsTwoBlocksAndOnlyTheCurrentPixels) {
  // The live state moved since the record was last stored: the dump describes what it writes.
  ImageRecords[2].laenge = 99;
  ASSERT_TRUE(WriteCrashState());
  const std::vector<uint8_t> dump = ReadAll("Undo/hold.error");
  const size_t block1 = 292 + 2 + ImageRecords[1].DisplayName.size() + 2;
  const size_t block2 = 292 + 2 + std::strlen("Zwei.bmp") + 2;
  ASSERT_EQ(dump.size(), 8 + block1 + block2 + 1 + 15 * 4);
  EXPECT_EQ(dump[0], uint8_t(CVNIndex));
  EXPECT_EQ(dump[4], 2);
  EXPECT_EQ(dump[8 + block1], 4) << "laenge of the current image, refreshed";
  EXPECT_EQ(dump[8 + block1 + block2], 2) << "current image";

  FreshStart();
  tk::test::queueResult(tk::ResultYes);
  RecoverAfterCrash();
  EXPECT_EQ(tk::test::shown().at(0).rfind("Datenrückstände erkannt|Scheinbar wurde Corvalen", 0), 0u);
  // Same instance number: its own folder stays, nothing was copied over it.
  EXPECT_TRUE(tk::folderExists(InstanceFolder()));
  ExpectRestored();
}

TEST_F(CrashTest, OtherInstanceNumberIsCopiedAndRemovedNoDiscards) {
  ASSERT_TRUE(WriteCrashState());
  // The crash happened in copy 7, whose folder holds the parked first image.
  const std::string own = InstanceFolder();
  fs::rename(Path(own), Path("Undo/Undo7/"));
  std::vector<uint8_t> dump = ReadAll("Undo/hold.error");
  dump[0] = 7;
  dump[1] = dump[2] = dump[3] = 0;
  ASSERT_TRUE(tk::writeWholeFile("Undo/hold.error", dump.data(), dump.size()));
  FreshStart();
  tk::test::queueResult(tk::ResultYes);
  RecoverAfterCrash();
  EXPECT_FALSE(tk::folderExists("Undo/Undo7/"));
  ExpectRestored();

  // No at the next crash: the crashed copy's backups go, this copy's folders exist.
  ASSERT_TRUE(WriteCrashState());
  fs::create_directories(Path("Undo/Undo8/Undo1"));
  dump = ReadAll("Undo/hold.error");
  dump[0] = 8;
  ASSERT_TRUE(tk::writeWholeFile("Undo/hold.error", dump.data(), dump.size()));
  tk::test::queueResult(tk::ResultNo);
  RecoverAfterCrash();
  EXPECT_FALSE(tk::folderExists("Undo/Undo8/"));
  EXPECT_FALSE(tk::fileExists("Undo/hold.error"));
  for (int k = 1; k <= 10; ++k) EXPECT_TRUE(tk::folderExists(SlotFolder(k))) << k;
}

TEST_F(CrashTest, DamagedDumpsAreRefusedWithAMessage) {
  ASSERT_TRUE(WriteCrashState());
  const std::vector<uint8_t> good = ReadAll("Undo/hold.error");
  struct Case {
    const char* what;
    size_t at;        // byte to change
    int value;        // -1: cut the file to `at` bytes
  };
  const size_t currentAt = good.size() - 15 * 4 - 1;
  const Case cases[] = {
      {"image count 0", 4, 0}, {"image count 11", 4, 11}, {"image count negative", 7, 0x80},
      {"instance 0", 0, 0},    {"current image 3 of 2", currentAt, 3}, {"pixels cut short", good.size() - 1, -1},
      {"blocks cut short", 100, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<uint8_t> bad = good;
    if (c.value < 0) bad.resize(c.at);
    else bad[c.at] = uint8_t(c.value);
    ASSERT_TRUE(tk::writeWholeFile("Undo/hold.error", bad.data(), bad.size()));
    FreshStart();
    tk::test::clear();
    tk::test::queueResult(tk::ResultYes);
    tk::test::queueResult(tk::ResultOk);
    RecoverAfterCrash();
    ASSERT_EQ(tk::test::shown().size(), 2u);
    EXPECT_EQ(tk::test::shown()[1].rfind("Fehler|Die Sicherung", 0), 0u);
    EXPECT_EQ(ImageCount, 1);
    EXPECT_EQ(bildlang, 0);
    EXPECT_FALSE(tk::fileExists("Undo/hold.error"));
    EXPECT_TRUE(tk::folderExists(SlotFolder(1)));
  }
}

// Runs f in a child process and returns its wait status.
template <class F>
int InChild(F f) {
  const pid_t pid = ::fork();
  if (pid == 0) {
    f();
    ::_exit(99);   // f must not return
  }
  int status = 0;
  ::waitpid(pid, &status, 0);
  return status;
}

TEST_F(CrashTest, FatalSignalLeavesReportAndBackupAndTheNextStartRestores) {
  ASSERT_NE(std::find(RunningInstances().begin(), RunningInstances().end(), CVNIndex), RunningInstances().end());
  const int status = InChild([] {
    InstallCrashHandler();
    ::raise(SIGSEGV);
  });
  ASSERT_TRUE(WIFSIGNALED(status));
  EXPECT_EQ(WTERMSIG(status), SIGSEGV);
  EXPECT_EQ(ReadAll("Error/Error_0.bug").size(), 3167u);
  EXPECT_EQ(ReadAll("Error/index.num"), (std::vector<uint8_t>{1, 0, 0, 0}));
  EXPECT_TRUE(tk::fileExists("Undo/hold.error"));
  const std::vector<int32_t> running = RunningInstances();
  EXPECT_EQ(std::find(running.begin(), running.end(), CVNIndex), running.end());

  // The next start claims its number again and takes the offer.
  FreshStart();
  ASSERT_GT(ClaimInstanceNumber(), 0);
  tk::test::queueResult(tk::ResultYes);
  RecoverAfterCrash();
  ExpectRestored();
}

TEST_F(CrashTest, SettingsOffWriteNoFilesButLeaveTheInstanceList) {
  Settings.CreateError = 0;
  Settings.BackUp = 0;
  const int status = InChild([] {
    InstallCrashHandler();
    ::raise(SIGABRT);
  });
  ASSERT_TRUE(WIFSIGNALED(status));
  EXPECT_FALSE(tk::fileExists("Error/Error_0.bug"));
  EXPECT_FALSE(tk::fileExists("Error/index.num"));
  EXPECT_FALSE(tk::fileExists("Undo/hold.error"));
  const std::vector<int32_t> running = RunningInstances();
  EXPECT_EQ(std::find(running.begin(), running.end(), CVNIndex), running.end());
}

TEST_F(CrashTest, UncaughtExceptionAsksForADescriptionWithoutLineBreaks) {
  // noexcept: the exception reaches std::terminate, not the test framework's catch.
  const int status = InChild([]() noexcept {
    InstallCrashHandler();
    tk::test::queueString("Beim Drehen\r\nabgestürzt");
    throw std::runtime_error("kaputt");
  });
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 1);
  const std::vector<uint8_t> report = ReadAll("Error/Error_0.bug");
  const std::string text = "Beim Drehenabgestürzt";
  ASSERT_EQ(report.size(), 4 + text.size() + 2 + 3161);
  EXPECT_EQ(std::string(report.begin() + 4, report.begin() + 4 + long(text.size()) + 2), text + "\r\n");
  EXPECT_TRUE(tk::fileExists("Undo/hold.error"));
}

TEST_F(CrashTest, BlinkAlternatesTheTwoButtonsAndThePopupStopsIt) {
  BlinkPhase = 0;
  BlinkErrorButton();
  EXPECT_EQ(BlinkPhase, 1);
  BlinkErrorButton();
  EXPECT_EQ(BlinkPhase, 0);
  ErrorBlinkOn = 1;
  tk::addTimer(0, 5, 800, BlinkErrorButton);
  OnErrorReportPopup(464);
  EXPECT_EQ(ErrorBlinkOn, 0);
  // "Stop reminding" also switches the setting off for good.
  ErrorBlinkOn = 1;
  Settings.ShowToolbar = 1;
  tk::setGadgetState(576, 1);
  OnErrorReportPopup(465);
  EXPECT_EQ(ErrorBlinkOn, 0);
  EXPECT_EQ(Settings.ShowToolbar, 0);
  tk::openPreferences("Konfigurations/Konfig.ini");
  tk::preferenceGroup("Error");
  EXPECT_EQ(tk::readPreferenceLong("ShowToolbar", 1), 0);
  tk::closePreferences();
  // The viewer starts from its own folder, without arguments and without waiting.
  std::vector<std::string> started;
  tk::testSetShellRecorder(&started);
  OnErrorReportPopup(463);
  tk::testSetShellRecorder(nullptr);
  ASSERT_EQ(started.size(), 1u);
  EXPECT_EQ(started[0], "run|" + tk::resolvePath("Error/Orvandel") + "||" + tk::resolvePath("Error/"));
}

}  // namespace
