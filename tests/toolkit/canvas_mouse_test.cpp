// Raw mouse reports of the canvas, taking queued events up to a release, and waiting for a
// combo's list to close.
#include <QComboBox>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <vector>

#include "toolkit/internal.h"
#include "toolkit/toolkit.h"

namespace {

struct CanvasMouseTest : testing::Test {
  void SetUp() override {
    tk::openWindow(51, 0, 0, 300, 200, "m", tk::WfSystemMenu);
    tk::canvas(60, 10, 20, 100, 80);
    tk::comboBox(61, 150, 20, 100, 200);
    for (const char* t : {"eins", "zwei", "drei"}) tk::addGadgetItem(61, -1, t);
    tk::setGadgetState(61, 0);
    tk::processPending();
    tk::drainEvents();
  }
  void TearDown() override {
    tk::closeWindow(51);
    tk::drainEvents();
  }
  static void Post(int code, int gadget = -1) {
    tk::Event e;
    e.code = code;
    e.gadget = gadget;
    tk::postEvent(e);
  }
};

TEST_F(CanvasMouseTest, CanvasReportsPressMoveAndReleaseToItsCallbackAndQueue) {
  struct Seen {
    int msg;
    int x, y;
  };
  std::vector<Seen> seen;
  tk::setGadgetCallback(60, [&](int, int msg, intptr_t, intptr_t lParam) {
    seen.push_back({msg, int(lParam & 0xFFFF), int((lParam >> 16) & 0xFFFF)});
    return 0;
  });
  QWidget* w = tk::detail::gadgetWidget(60);
  QTest::mousePress(w, Qt::LeftButton, Qt::NoModifier, QPoint(5, 6));
  QTest::mouseMove(w, QPoint(30, 40));
  QTest::mouseRelease(w, Qt::LeftButton, Qt::NoModifier, QPoint(30, 40));
  std::vector<int> msgs;
  for (const Seen& s : seen) msgs.push_back(s.msg);
  ASSERT_GE(seen.size(), 3u);
  EXPECT_EQ(seen.front().msg, tk::EvLeftDown);
  EXPECT_EQ(seen.front().x, 5);
  EXPECT_EQ(seen.front().y, 6);
  EXPECT_NE(std::find(msgs.begin(), msgs.end(), int(tk::EvMouseMove)), msgs.end());
  EXPECT_EQ(seen.back().msg, tk::EvLeftUp);
  EXPECT_EQ(seen.back().x, 30);
  // the queue holds the press and the release of the canvas
  EXPECT_TRUE(tk::takeEventsThrough(tk::EvLeftDown));
  EXPECT_EQ(tk::eventGadget(), 60);
  EXPECT_TRUE(tk::takeEventsThrough(tk::EvLeftUp));
  EXPECT_EQ(tk::eventGadget(), 60);
}

TEST_F(CanvasMouseTest, TakingEventsThroughAReleaseKeepsWhatFollows) {
  Post(tk::EvGadget, 7);
  Post(tk::EvLeftUp, 60);
  Post(tk::EvMenu);
  EXPECT_TRUE(tk::takeEventsThrough(tk::EvLeftUp));
  EXPECT_EQ(tk::currentEvent().code, tk::EvLeftUp);
  EXPECT_EQ(tk::eventGadget(), 60);
  EXPECT_EQ(tk::queuedEvents(), 1);
  // no release left: everything queued is taken, nothing is current
  Post(tk::EvLeftDown);
  EXPECT_FALSE(tk::takeEventsThrough(tk::EvLeftUp));
  EXPECT_EQ(tk::currentEvent().code, tk::EvNone);
  EXPECT_EQ(tk::queuedEvents(), 0);
}

TEST_F(CanvasMouseTest, DroppingAQueuedEventTakesTheOldestOfItsCode) {
  Post(tk::EvMouseMove);
  Post(tk::EvLeftUp, 1);
  Post(tk::EvLeftUp, 2);
  EXPECT_TRUE(tk::dropQueuedEvent(tk::EvLeftUp));
  EXPECT_FALSE(tk::dropQueuedEvent(tk::EvRightUp));
  ASSERT_EQ(tk::pollEvent(), tk::EvMouseMove);
  ASSERT_EQ(tk::pollEvent(), tk::EvLeftUp);
  EXPECT_EQ(tk::eventGadget(), 2);
}

TEST_F(CanvasMouseTest, ComboWaitReturnsAtOnceWhenTheListIsClosed) {
  Post(tk::EvMenu);
  EXPECT_FALSE(tk::comboListShown(61));
  tk::waitComboClosed(61);
  tk::waitComboClosed(999);   // no such combo
  EXPECT_EQ(tk::queuedEvents(), 1);
}

TEST_F(CanvasMouseTest, ComboWaitSleepsUntilThePickOrTheListCloses) {
  auto* c = static_cast<QComboBox*>(tk::detail::gadgetWidget(61));
  for (bool pick : {true, false}) {
    SCOPED_TRACE(pick ? "pick" : "closed");
    tk::testShowComboList(61, true);
    ASSERT_TRUE(tk::comboListShown(61));
    Post(tk::EvMenu);
    QTimer::singleShot(30, c, [c, pick] {
      if (pick) {
        c->setCurrentIndex(2);
        c->hidePopup();
        emit c->activated(2);
      } else {
        c->hidePopup();
      }
    });
    tk::waitComboClosed(61);
    EXPECT_FALSE(tk::comboListShown(61));
    if (pick) EXPECT_EQ(tk::gadgetState(61), 2);
    tk::processPending();
    // what was queued meanwhile stays for the program
    EXPECT_GE(tk::queuedEvents(), 1);
    tk::drainEvents();
  }
}

}  // namespace
