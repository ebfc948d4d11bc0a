// Full-screen windows cover the screen of the window they are shown for.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QScreen>

#include "toolkit/tk_window.h"

TEST(FullScreenWindow, CoversTheScreenOfTheGivenWindow) {
  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  ASSERT_EQ(tk::openWindow(551, 10, 10, 200, 100, "Haupt", tk::WfCaption), 551);
  ASSERT_EQ(tk::openWindow(552, 0, 0, 50, 50, "Testbild", tk::WfBorderless | tk::WfHidden), 552);
  EXPECT_TRUE(tk::showFullScreen(552, 551));
  EXPECT_FALSE(tk::windowHidden(552));
  EXPECT_EQ(tk::windowWidth(552), screen.width());
  EXPECT_EQ(tk::windowHeight(552), screen.height());
  EXPECT_FALSE(tk::showFullScreen(553, 551));   // no such window
  tk::closeWindow(552);
  tk::closeWindow(551);
}
