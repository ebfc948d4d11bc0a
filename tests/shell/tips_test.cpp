// The tip of the day: counting the tip files, stepping through them, and the window at start.
#include <QTimer>

#include <string>
#include <vector>

#include "loops_fixture.h"

using namespace loops_test;

namespace {

// A copy of the program folder whose "Tips" holds Tip_<n>.txt reading "Tip <n>" for each n.
class TipsTest : public LoopsTest {
 protected:
  void SetUp() override {
    LoopsTest::SetUp();
    old_ = tk::programFolder();
    tk::setProgramFolder(CopyProgramFolder("corvalen_tips"));
    tk::deleteFolder("Tips");
    tk::createFolder("Tips");
  }
  void TearDown() override {
    tk::setProgramFolder(old_);
    LoopsTest::TearDown();
  }
  std::string old_;
};

void WriteTips(const std::vector<int>& numbers) {
  for (int n : numbers) {
    const std::string text = "Tip " + std::to_string(n) + "\r\nzweite Zeile\r\n";
    tk::writeWholeFile("Tips/Tip_" + std::to_string(n) + ".txt", text.data(), text.size());
  }
}

// Opens the tip window, then presses the buttons one at a time while it runs; returns the
// first line on display at the opening and after each button. "Fertig" closes it.
std::vector<std::string> Steps(std::vector<int> buttons) {
  std::vector<std::string> seen;
  QTimer feeder;
  // The loop's timers run only while it waits, so an empty queue means the last button
  // has been handled.
  QObject::connect(&feeder, &QTimer::timeout, [&] {
    if (tk::queuedEvents() != 0 || tk::windowHidden(28)) return;
    seen.push_back(tk::richLine(756, 0));
    const int g = buttons.empty() ? 753 : buttons.front();
    if (!buttons.empty()) buttons.erase(buttons.begin());
    Post(tk::EvGadget, 28, g, -1, tk::EtLeftClick);
  });
  feeder.start(5);
  ShowTipOfTheDay();
  return seen;
}

constexpr int Next = 755, Previous = 754;

}  // namespace

TEST_F(TipsTest, CountsByProbingNumbersInOrder) {
  WriteTips({1, 2, 3, 5});
  CountTips();
  EXPECT_EQ(TipCount, 3);   // 4 is missing: 5 is not reached
  WriteTips({4, 6, 7, 8, 9, 10, 11, 12});
  CountTips();
  EXPECT_EQ(TipCount, 12);  // Tip_10 lists before Tip_2 but is counted
  tk::deleteFolder("Tips");
  CountTips();
  EXPECT_EQ(TipCount, 0);
}

TEST_F(TipsTest, NextAndPreviousWrapAround) {
  WriteTips({1, 2, 3});
  CountTips();
  struct Case { int32_t start; std::vector<int> buttons; std::vector<std::string> shown; int32_t after; };
  const Case cases[] = {
      {3, {Next}, {"Tip 3", "Tip 1"}, 2},
      {1, {Previous}, {"Tip 1", "Tip 3"}, 1},
      // After Previous, Next moves on from the tip on display.
      {2, {Previous, Next, Next}, {"Tip 2", "Tip 1", "Tip 2", "Tip 3"}, 1},
      // A number from Last.ini that names no tip starts at the first.
      {99, {}, {"Tip 1"}, 2},
      {-4, {}, {"Tip 1"}, 2},
  };
  for (const Case& c : cases) {
    TipNumber = c.start;
    EXPECT_EQ(Steps(c.buttons), c.shown) << c.start;
    EXPECT_EQ(TipNumber, c.after) << c.start;   // what Last.ini keeps: the tip Next shows
    EXPECT_TRUE(tk::windowHidden(28));
  }
}

TEST_F(TipsTest, NoTipsShowNothing) {
  CountTips();
  tk::setRichText(756, "alter Text");
  TipNumber = 1;
  EXPECT_EQ(Steps({Next}), (std::vector<std::string>{"", ""}));
}

TEST_F(TipsTest, BrokenTipFileShowsWhatItCan) {
  // A zero byte inside a line and a file without a line end.
  const char text[] = {'a', '\0', 'b', '\r', 'c'};
  tk::writeWholeFile("Tips/Tip_1.txt", text, sizeof text);
  ShowTip(1);
  EXPECT_EQ(tk::richLine(756, 0), "a b");
  EXPECT_EQ(tk::richLine(756, 1), "c");
  ShowTip(2);                               // missing: the text stays
  EXPECT_EQ(tk::richLine(756, 0), "a b");
}

// With "Tip des Tages" on, the start shows the window with the next tip and goes on when it
// is closed.
TEST(TipsAtStartTest, ShownAtStartWhenEnabled) {
  const std::string folder = CopyProgramFolder("corvalen_tipstart");
  tk::setProgramFolder(folder);
  tk::openPreferences("Konfigurations/Konfig.ini");
  tk::preferenceGroup("All");
  tk::writePreferenceLong("TDT", 1);
  tk::closePreferences();
  tk::openPreferences("Konfigurations/Last.ini");
  tk::preferenceGroup("");
  tk::writePreferenceLong("Tip", 2);
  tk::closePreferences();
  SplashWaitMs = 0;
  tk::test::clear();
  std::string shown;
  QTimer closer;
  QObject::connect(&closer, &QTimer::timeout, [&] {
    if (!tk::isWindow(28) || tk::windowHidden(28) || tk::queuedEvents() != 0) return;
    shown = tk::richLine(756, 0);
    Post(tk::EvGadget, 28, 753, -1, tk::EtLeftClick);
  });
  closer.start(5);
  ASSERT_EQ(StartUp(true), 0);
  closer.stop();
  EXPECT_GE(TipCount, 2);
  std::vector<uint8_t> tip2;
  ASSERT_TRUE(tk::readWholeFile("Tips/Tip_2.txt", tip2));
  const std::string text(tip2.begin(), tip2.end());
  EXPECT_EQ(shown, text.substr(0, text.find_first_of("\r\n")));
  EXPECT_EQ(TipNumber, 3);
  EXPECT_TRUE(tk::windowHidden(28));
}
