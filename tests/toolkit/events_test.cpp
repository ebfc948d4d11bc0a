// The event queue: time-out, timers, close and resize requests, mouse buttons.
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

#include "toolkit/internal.h"
#include "toolkit/toolkit.h"

namespace {

struct EventsTest : testing::Test {
  void SetUp() override {
    tk::openWindow(50, 0, 0, 200, 150, "e", tk::WfSizing | tk::WfSystemMenu);
    tk::processPending();
    tk::drainEvents();
  }
  void TearDown() override {
    tk::closeWindow(50);
    tk::drainEvents();
  }
  QWidget* client() { return tk::detail::window(50)->client; }
};

TEST_F(EventsTest, WaitTimesOutWithNoEvent) {
  EXPECT_EQ(tk::waitEvent(20), tk::EvNone);
  EXPECT_EQ(tk::currentEvent().code, tk::EvNone);
  EXPECT_EQ(tk::pollEvent(), tk::EvNone);
}

TEST_F(EventsTest, PostedEventsComeOutInOrder) {
  tk::Event a;
  a.code = tk::EvMenu;
  a.menu = 7;
  tk::Event b;
  b.code = tk::EvGadget;
  b.gadget = 3;
  b.type = tk::EtLeftClick;
  tk::postEvent(a);
  tk::postEvent(b);
  EXPECT_EQ(tk::queuedEvents(), 2);
  EXPECT_EQ(tk::waitEvent(), tk::EvMenu);
  EXPECT_EQ(tk::eventMenu(), 7);
  EXPECT_EQ(tk::pollEvent(), tk::EvGadget);
  EXPECT_EQ(tk::eventGadget(), 3);
  tk::postEvent(a);
  tk::drainEvents();
  EXPECT_EQ(tk::queuedEvents(), 0);
}

TEST_F(EventsTest, TimersFireWhileWaitingAndStop) {
  int ticks = 0;
  tk::addTimer(50, 0, 5, [&] {
    if (++ticks == 3) {
      tk::removeTimer(50, 0);   // from inside its own callback
      tk::Event e;
      e.code = tk::EvMenu;
      e.menu = 99;
      tk::postEvent(e);
    }
  });
  EXPECT_EQ(tk::waitEvent(2000), tk::EvMenu);
  EXPECT_EQ(ticks, 3);
  EXPECT_EQ(tk::waitEvent(30), tk::EvNone);
  EXPECT_EQ(ticks, 3);
}

TEST_F(EventsTest, ClosingTheWindowStopsItsTimers) {
  int ticks = 0;
  tk::addTimer(50, 1, 1, [&] { ++ticks; });
  tk::closeWindow(50);
  tk::waitEvent(20);
  EXPECT_EQ(ticks, 0);
}

TEST_F(EventsTest, CloseBoxRaisesCloseRequestAndKeepsTheWindow) {
  tk::detail::window(50)->top->close();
  ASSERT_EQ(tk::waitEvent(500), tk::EvClose);
  EXPECT_EQ(tk::eventWindow(), 50);
  EXPECT_TRUE(tk::isWindow(50));
  EXPECT_FALSE(tk::windowHidden(50));
}

TEST_F(EventsTest, ResizeRaisesResizeWithInnerSize) {
  tk::resizeWindow(50, -1, -1, 260, 170);
  int code;
  while ((code = tk::waitEvent(500)) != tk::EvNone && code != tk::EvResize) {}
  ASSERT_EQ(code, tk::EvResize);
  EXPECT_EQ(tk::eventWindow(), 50);
  EXPECT_EQ(tk::eventLParam() & 0xFFFF, 260);
  EXPECT_EQ((tk::eventLParam() >> 16) & 0xFFFF, 170);
}

TEST_F(EventsTest, MouseButtonsOverTheWindow) {
  struct Case { Qt::MouseButton button; bool press; int code; };
  const Case cases[] = {{Qt::LeftButton, true, tk::EvLeftDown},
                        {Qt::LeftButton, false, tk::EvLeftUp},
                        {Qt::RightButton, true, tk::EvRightDown}};
  for (const Case& c : cases) {
    if (c.press) QTest::mousePress(client(), c.button, {}, QPoint(30, 40));
    else QTest::mouseRelease(client(), c.button, {}, QPoint(30, 40));
    int code;
    while ((code = tk::pollEvent()) != tk::EvNone && code != c.code) {}
    ASSERT_EQ(code, c.code);
    EXPECT_EQ(tk::eventWindow(), 50);
    EXPECT_EQ(tk::eventLParam() & 0xFFFF, 30);
    EXPECT_EQ((tk::eventLParam() >> 16) & 0xFFFF, 40);
  }
}

TEST_F(EventsTest, CallbackSeesMouseAndCanKeepItFromTheQueue) {
  std::vector<int> seen;
  tk::setWindowCallback(50, [&](int, int msg, intptr_t, intptr_t) {
    seen.push_back(msg);
    return msg == tk::EvLeftDown ? 1 : 0;
  });
  QTest::mousePress(client(), Qt::LeftButton, {}, QPoint(5, 5));
  QTest::mouseRelease(client(), Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_NE(std::find(seen.begin(), seen.end(), int(tk::EvLeftDown)), seen.end());
  int code, downs = 0, ups = 0;
  while ((code = tk::pollEvent()) != tk::EvNone) {
    downs += code == tk::EvLeftDown;
    ups += code == tk::EvLeftUp;
  }
  EXPECT_EQ(downs, 0);
  EXPECT_EQ(ups, 1);
  tk::setWindowCallback(50, {});
}

TEST_F(EventsTest, DeferredWorkRunsBeforeTheQueueIsRead) {
  bool ran = false;
  tk::deferToNextWait([&] { ran = true; });
  EXPECT_EQ(tk::pollEvent(), tk::EvNone);
  EXPECT_TRUE(ran);
}

}  // namespace
