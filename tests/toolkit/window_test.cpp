// Windows by number: sizes, menu bars that keep the inner size, hiding, callbacks.
#include <QApplication>
#include <QMenuBar>
#include <QWidget>
#include <gtest/gtest.h>

#include "toolkit/internal.h"
#include "toolkit/toolkit.h"

namespace {

struct WindowTest : testing::Test {
  void TearDown() override {
    tk::closeWindow(40);
    tk::closeWindow(41);
    tk::freeMenu(40);
    tk::freeMenu(41);
    tk::drainEvents();
  }
};

TEST_F(WindowTest, OpenGivesInnerSizeTitleAndCurrentWindow) {
  ASSERT_EQ(tk::openWindow(40, 10, 20, 300, 200, "Fenster ä", tk::WfCaption | tk::WfSystemMenu), 40);
  EXPECT_TRUE(tk::isWindow(40));
  EXPECT_EQ(tk::currentWindow(), 40);
  EXPECT_EQ(tk::windowWidth(40), 300);
  EXPECT_EQ(tk::windowHeight(40), 200);
  EXPECT_EQ(tk::windowTitle(40), "Fenster ä");
  tk::setWindowTitle(40, "Neu");
  EXPECT_EQ(tk::windowTitle(40), "Neu");
  tk::resizeWindow(40, -1, -1, 320, -1);
  EXPECT_EQ(tk::windowWidth(40), 320);
  EXPECT_EQ(tk::windowHeight(40), 200);
  tk::closeWindow(40);
  EXPECT_FALSE(tk::isWindow(40));
  EXPECT_EQ(tk::currentWindow(), -1);
  EXPECT_EQ(tk::windowWidth(40), 0);
}

TEST_F(WindowTest, FreeNumberAndBadSize) {
  int n = tk::openWindow(-1, 0, 0, 50, 50, "x", tk::WfHidden);
  EXPECT_GE(n, 0);
  EXPECT_TRUE(tk::windowHidden(n));
  tk::closeWindow(n);
  EXPECT_EQ(tk::openWindow(41, 0, 0, -5, 50, "x", 0), -1);
  EXPECT_FALSE(tk::isWindow(41));
}

// Attaching, exchanging and detaching menu bars never changes the inner size.
TEST_F(WindowTest, MenuBarsKeepInnerSize) {
  for (unsigned flags : {0u, unsigned(tk::WfSizing), unsigned(tk::WfHidden)}) {
    SCOPED_TRACE(flags);
    tk::openWindow(40, 0, 0, 400, 300, "m", flags);
    ASSERT_TRUE(tk::createMenu(40, 40));
    tk::menuTitle("Datei");
    tk::menuItem(1, "Neu");
    ASSERT_TRUE(tk::createMenu(41, -1));
    tk::menuTitle("Script");
    tk::menuItem(2, "Start");
    EXPECT_EQ(tk::attachedMenu(40), 40);
    EXPECT_EQ(tk::windowWidth(40), 400);
    EXPECT_EQ(tk::windowHeight(40), 300);
    tk::attachMenu(41, 40);
    EXPECT_EQ(tk::attachedMenu(40), 41);
    EXPECT_EQ(tk::windowHeight(40), 300);
    tk::detachMenu(40);
    EXPECT_EQ(tk::attachedMenu(40), -1);
    EXPECT_EQ(tk::windowHeight(40), 300);
    tk::attachMenu(40, 40);
    EXPECT_EQ(tk::windowHeight(40), 300);
    // The inner area lies below the bar.
    auto* rec = tk::detail::window(40);
    ASSERT_TRUE(rec && rec->menuBar);
    EXPECT_GT(rec->menuBar->height(), 0);
    EXPECT_GE(rec->client->y(), rec->menuBar->height());
    tk::closeWindow(40);
    // The bars outlive the window.
    EXPECT_TRUE(tk::isMenu(40));
    EXPECT_TRUE(tk::isMenu(41));
    tk::freeMenu(40);
    tk::freeMenu(41);
  }
}

TEST_F(WindowTest, HideEnableAndActivate) {
  tk::openWindow(40, 0, 0, 100, 100, "a", 0);
  tk::openWindow(41, 200, 0, 100, 100, "b", 0, 40);
  EXPECT_FALSE(tk::windowHidden(41));
  tk::hideWindow(41, true);
  EXPECT_TRUE(tk::windowHidden(41));
  tk::hideWindow(41, false);
  tk::disableWindow(40, true);
  EXPECT_FALSE(tk::detail::window(40)->top->isEnabled());
  tk::disableWindow(40, false);
  tk::activateWindow(41);
  tk::processPending();
  EXPECT_EQ(tk::activeWindow(), 41);
  tk::useWindow(40);
  EXPECT_EQ(tk::currentWindow(), 40);
  tk::useWindow(99);   // no such window: stays
  EXPECT_EQ(tk::currentWindow(), 40);
}

TEST_F(WindowTest, MouseOverrideForTests) {
  tk::openWindow(40, 0, 0, 100, 100, "a", 0);
  tk::testSetWindowMouse(40, 12, 34);
  EXPECT_EQ(tk::windowMouseX(40), 12);
  EXPECT_EQ(tk::windowMouseY(40), 34);
  tk::testSetWindowMouse(40, -2, 0);
  EXPECT_EQ(tk::windowMouseX(99), -1);
}

// A callback may close its own window from inside a window event.
TEST_F(WindowTest, CallbackClosingItsWindowIsSafe) {
  tk::openWindow(40, 0, 0, 100, 100, "a", tk::WfSizing);
  tk::processPending();
  tk::setWindowCallback(40, [](int w, int msg, intptr_t, intptr_t) {
    if (msg == tk::EvResize) tk::closeWindow(w);
    return 1;
  });
  tk::resizeWindow(40, -1, -1, 150, 150);
  tk::processPending();
  EXPECT_FALSE(tk::isWindow(40));
}

}  // namespace
