// The start-up sequence: splash texts in order, the first image, the image view it leaves,
// and the stop without the splash banner.
#include <QAbstractEventDispatcher>

#include <algorithm>

#include "loops_fixture.h"

using namespace loops_test;

TEST(StartUpTest, WithoutSplashBannerShowsOneMessageAndEndsBeforeAnyWindow) {
  const bool mainWindowBefore = tk::isWindow(0);
  const std::string old = tk::programFolder();
  tk::setProgramFolder(CopyProgramFolder("corvalen_nosplash", "Data/Corvalen_08.png"));
  tk::test::clear();
  tk::test::queueResult(tk::ResultOk);
  SplashStatusLog.clear();
  const int code = StartUp(true);
  tk::setProgramFolder(old);
  EXPECT_NE(code, 0);
  ASSERT_EQ(tk::test::shown().size(), 1u);
  EXPECT_EQ(tk::test::shown()[0], "Fehler|Corvalen_08.png konnte im Ordner Corvalen/Data nicht gefunden werden");
  EXPECT_EQ(tk::isWindow(0), mainWindowBefore);
  EXPECT_FALSE(tk::isWindow(25));
  EXPECT_TRUE(SplashStatusLog.empty());
  tk::test::clear();
}

TEST(StartUpTest, DamagedSplashBannerIsNamedAsDamaged) {
  const std::string old = tk::programFolder();
  const std::string folder = CopyProgramFolder("corvalen_badsplash", "Data/Corvalen_08.png");
  tk::setProgramFolder(folder);
  tk::writeWholeFile("Data/Corvalen_08.png", "\x89PNG\r\n\x1A\nbroken", 14);
  tk::test::clear();
  tk::test::queueResult(tk::ResultOk);
  const int code = StartUp(true);
  tk::setProgramFolder(old);
  EXPECT_NE(code, 0);
  ASSERT_EQ(tk::test::shown().size(), 1u);
  EXPECT_EQ(tk::test::shown()[0],
            "Fehler|Corvalen_08.png im Ordner Corvalen/Data ist beschädigt und konnte nicht geladen werden");
  tk::test::clear();
}

// The splash pause sleeps in the event loop (it blocks waiting for events) rather than
// polling for its whole length.
TEST(StartUpTest, SplashPauseWaitsWithoutPolling) {
  int blocked = 0;
  QObject::connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock,
                   [&] { ++blocked; });
  SplashPause(30);
  EXPECT_GE(blocked, 1);
  QObject::disconnect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, nullptr, nullptr);
}

TEST_F(LoopsTest, StartUpShowsSplashTextsInOrderAndNamesTheFirstImage) {
  const std::vector<std::string> known = {"Fenster erstellen(versteckt)", "Gadgets einstellen",
                                          "Konfigurationen laden", "Updateprüfung.....",
                                          "Fertig geladen...... Viel Spass bei Corvalen :)"};
  std::vector<std::string> seen;
  for (const std::string& t : SplashStatusLog)
    if (std::find(known.begin(), known.end(), t) != known.end()) seen.push_back(t);
  std::vector<std::string> expected = {known[0], known[1], known[2]};
  if (Settings.Update > 0) expected.push_back(known[3]);
  expected.push_back(known[4]);
  EXPECT_EQ(seen, expected);

  EXPECT_EQ(CurrentImage, 1);
  EXPECT_EQ(ImageRecords[1].DisplayName, "Unbenannt1.bmp");
  EXPECT_FALSE(tk::isWindow(25));                 // the splash is gone
  EXPECT_TRUE(tk::isWindow(0));
  EXPECT_FALSE(tk::windowHidden(0));
  EXPECT_EQ(tk::attachedMenu(0), 0);
  EXPECT_TRUE(tk::isStatusBar(0));
  EXPECT_EQ(tk::statusBarText(0, 0), "Wilkommen bei Corvalen");
  EXPECT_EQ(tk::statusBarImage(0, 20), 100);
  EXPECT_EQ(FileExtensions[8], "tbmp");
  EXPECT_EQ(CursorTable[4], tk::standardCursor(tk::CursorArrow));
}

TEST_F(LoopsTest, FirstMainLoopTurnRunsDrawWhateverModeWasSet) {
  Recorder rec;
  CurrentMode = ModeScript;
  Post(tk::EvMenu, 0, -1, 2);   // a main-menu id without a command
  WithOneBoundedTurn(MainLoop);
  EXPECT_EQ(allok, 1);
  EXPECT_EQ(CurrentMode, ModeDraw);
  ASSERT_EQ(rec.Handlers().size(), 1u);
  EXPECT_EQ(rec.Handlers()[0], std::make_pair(std::string("OnMainMenu"), 2));
}
