// Glimvane: settings, the timer, numbering and saving of clipboard pictures, walks, the
// windows' OK and cancel, and the start without a tray.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "snapshot/snapshot.h"
#include "toolkit/toolkit.h"

namespace {

namespace fs = std::filesystem;

void Post(int code, int window, int gadget = -1, int menu = -1) {
  tk::Event e;
  e.code = code;
  e.window = window;
  e.gadget = gadget;
  e.menu = menu;
  tk::postEvent(e);
}

// Each test runs in a folder of its own as the tool's folder, with a tray.
class GlimvaneTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() / ("glimvane_" + std::to_string(::getpid()));
    fs::remove_all(folder_);
    fs::create_directories(folder_);
    tk::setProgramFolder(folder_.string() + "/");
    tk::testSetTrayAvailable(1);
    tk::test::clear();
    tk::drainEvents();
    ResetSnapshotState();
  }
  void TearDown() override {
    tk::testSetTrayAvailable(-1);
    tk::drainEvents();
    fs::remove_all(folder_);
  }
  static void Settings(const std::string& text) { tk::writeWholeFile("Einstellungen.ini", text.data(), text.size()); }
  // A picture copied to the clipboard (a new copy each call).
  static void Copy(uint32_t colour) {
    tk::createImage(50, 8, 6, 24, colour);
    ASSERT_TRUE(tk::setClipboardImage(50));
    tk::processPending();
  }
  static bool Exists(const std::string& name) { return tk::fileSizeOf("Screenshots/" + name) > 0; }
  static void Handle(int code, int window, int gadget = -1, int menu = -1) {
    Post(code, window, gadget, menu);
    // Whatever the windows queued before is handled too, as the loop would.
    while (int ev = tk::pollEvent()) OnGlimvaneEvent(ev);
  }
  fs::path folder_;
};

}  // namespace

TEST_F(GlimvaneTest, DefaultsTickAndFirstNames) {
  ASSERT_TRUE(GlimvaneStart());
  EXPECT_EQ(tk::timerInterval(1, 1), 3000);
  EXPECT_EQ(RecordingTimeMs, 600000);
  EXPECT_EQ(SnapshotFormat, 0);
  EXPECT_EQ(JpegQuality, 7);
  EXPECT_TRUE(tk::isTrayIcon(1));
  EXPECT_EQ(WindowInsteadOfTray, 0);
  EXPECT_TRUE(tk::gadgetDisabled(10));   // quality only for JPEG
  EXPECT_EQ(SnapshotFileName(), "Screenshots/Screen_Walk0_number0.bmp");

  Copy(0x0000FF);
  SaveNewClipboardImage();
  EXPECT_TRUE(Exists("Screen_Walk0_number0.bmp"));
  // The same picture left on the clipboard is saved once.
  SaveNewClipboardImage();
  SaveNewClipboardImage();
  EXPECT_FALSE(Exists("Screen_Walk0_number1.bmp"));
  // Copied again (even the same picture), it is a new one.
  Copy(0x0000FF);
  SaveNewClipboardImage();
  EXPECT_TRUE(Exists("Screen_Walk0_number1.bmp"));
  EXPECT_EQ(ShotNumber, 2);
  tk::loadImage(51, "Screenshots/Screen_Walk0_number1.bmp");
  EXPECT_EQ(tk::imageWidth(51), 8);
  GlimvaneFinish();
}

TEST_F(GlimvaneTest, RecordingTimeRunsOutAndANewWalkSavesAgain) {
  Settings("Stunden = 0\r\nMinuten = 0\r\nSekunden = 7\r\n");
  ASSERT_TRUE(GlimvaneStart());
  Copy(0x00FF00);
  SaveNewClipboardImage();        // 3 s of 7 used
  Copy(0x00FF00);
  SaveNewClipboardImage();        // 6 s
  Copy(0x00FF00);
  SaveNewClipboardImage();        // 9 s: used up, not saved
  EXPECT_EQ(ShotNumber, 2);
  EXPECT_FALSE(Exists("Screen_Walk0_number2.bmp"));
  // OK in "Zeit" starts the next walk with the whole recording time.
  Handle(tk::EvGadget, 2, 4);
  SaveNewClipboardImage();
  EXPECT_TRUE(Exists("Screen_Walk1_number2.bmp"));   // the snapshot number runs on
  EXPECT_TRUE(tk::windowHidden(2));
  // OK in "Prüfintervall" too, with the new period.
  tk::setGadgetState(6, 5);
  Handle(tk::EvGadget, 3, 7);
  EXPECT_EQ(tk::timerInterval(1, 1), 5000);
  EXPECT_EQ(WalkNumber, 2);
  EXPECT_EQ(ElapsedTime, 0);
  GlimvaneFinish();
}

TEST_F(GlimvaneTest, RecordingTimeRoundTripAndClampedSettings) {
  // Values the fields cannot show are brought into their ranges.
  Settings("Stunden = 99\r\nMinuten = -3\r\nSekunden = 70\r\nPrufzeit = 0\r\nFormat = 9\r\nKomprimierung = 0\r\n");
  ASSERT_TRUE(GlimvaneStart());
  EXPECT_EQ(RecordingTimeMs, (2 * 3600 + 0 + 59) * 1000);
  EXPECT_EQ(CheckInterval, 2);
  EXPECT_EQ(SnapshotFormat, 2);
  EXPECT_EQ(JpegQuality, 1);

  tk::setGadgetState(1, 1);
  tk::setGadgetState(2, 30);
  tk::setGadgetState(3, 30);
  Handle(tk::EvGadget, 2, 4);
  int32_t h, m, s;
  SplitRecordingTime(RecordingTimeMs, h, m, s);
  EXPECT_EQ(h * 10000 + m * 100 + s, 13030);
  // Cancel puts the applied time back into the fields.
  tk::setGadgetState(2, 5);
  Handle(tk::EvGadget, 2, 5);
  EXPECT_EQ(tk::gadgetState(2), 30);
  EXPECT_EQ(tk::gadgetText(2), "30");
  // JPEG at quality 3 ...
  tk::setGadgetState(9, 1);
  Handle(tk::EvGadget, 4, 9);
  EXPECT_FALSE(tk::gadgetDisabled(10));
  tk::setGadgetState(10, 3);
  Handle(tk::EvGadget, 4, 11);
  EXPECT_EQ(SnapshotFileName().substr(SnapshotFileName().size() - 4), ".jpg");
  GlimvaneFinish();

  std::vector<uint8_t> bytes;
  ASSERT_TRUE(tk::readWholeFile("Einstellungen.ini", bytes));
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()),
            "Stunden = 1\r\nMinuten = 30\r\nSekunden = 30\r\nPrufzeit = 2\r\nFormat = 1\r\nKomprimierung = 3\r\n");
}

TEST_F(GlimvaneTest, FormatCancelAndCloseRestoreTheAppliedFormat) {
  ASSERT_TRUE(GlimvaneStart());
  for (int leave : {12, 0}) {          // "Abbrechen", then the close box
    tk::setGadgetState(9, 2);
    Handle(tk::EvGadget, 4, 9);
    tk::setGadgetState(10, 9);
    if (leave) Handle(tk::EvGadget, 4, leave);
    else Handle(tk::EvClose, 4);
    EXPECT_EQ(tk::gadgetState(9), 0);
    EXPECT_EQ(tk::gadgetState(10), 7);
    EXPECT_TRUE(tk::gadgetDisabled(10));
    EXPECT_EQ(SnapshotFormat, 0);
  }
  GlimvaneFinish();
}

TEST_F(GlimvaneTest, ANewRunNumbersAfterTheHighestWalkAndAMissingFolderIsMade) {
  tk::createFolder("Screenshots");
  for (const char* name : {"Screen_Walk3_number0.bmp", "Screen_Walk12_number4.png", "Screen_Walkx_number1.bmp"})
    tk::writeWholeFile(std::string("Screenshots/") + name, "x", 1);
  ASSERT_TRUE(GlimvaneStart());
  EXPECT_EQ(WalkNumber, 13);
  tk::deleteFolder("Screenshots");
  Copy(0xFF0000);
  SaveNewClipboardImage();
  EXPECT_TRUE(Exists("Screen_Walk13_number0.bmp"));
  // "Ordner leeren" starts over at 0 in an empty folder.
  Handle(tk::EvMenu, 4, -1, 6);
  EXPECT_EQ(WalkNumber, 0);
  EXPECT_TRUE(tk::listFolder("Screenshots").empty());
  EXPECT_TRUE(tk::folderExists("Screenshots"));
  GlimvaneFinish();
}

TEST_F(GlimvaneTest, ASaveThatFailsIsToldOnceAndTriedAgain) {
  ASSERT_TRUE(GlimvaneStart());
  // A file where the folder should be: nothing can be saved.
  tk::deleteFolder("Screenshots");
  tk::writeWholeFile("Screenshots", "x", 1);
  Copy(0x123456);
  tk::test::queueResult(tk::ResultOk);
  SaveNewClipboardImage();
  SaveNewClipboardImage();
  EXPECT_EQ(tk::test::shown().size(), 1u);
  EXPECT_EQ(ShotNumber, 0);
  tk::deleteFile("Screenshots");
  SaveNewClipboardImage();
  EXPECT_TRUE(Exists("Screen_Walk0_number0.bmp"));
  GlimvaneFinish();
}

TEST_F(GlimvaneTest, WithoutATrayTheWindowShowsAndSaysSoOnce) {
  tk::testSetTrayAvailable(0);
  tk::test::queueResult(tk::ResultOk);
  ASSERT_TRUE(GlimvaneStart());
  EXPECT_EQ(WindowInsteadOfTray, 1);
  EXPECT_FALSE(tk::isTrayIcon(1));
  EXPECT_TRUE(tk::isWindow(5));
  EXPECT_FALSE(tk::windowHidden(5));
  EXPECT_EQ(tk::test::shown().size(), 1u);
  // Its menu is the tray menu; closing the window ends the tool.
  Handle(tk::EvMenu, 4, -1, 3);
  EXPECT_FALSE(tk::windowHidden(4));
  Handle(tk::EvClose, 5);
  EXPECT_EQ(QuitFlag, 1);
  GlimvaneFinish();
  EXPECT_FALSE(tk::isWindow(5));
  EXPECT_TRUE(tk::fileExists("Einstellungen.ini"));
}
