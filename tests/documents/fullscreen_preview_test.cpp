// The full-screen preview: the double click that ends it, Escape with the arrow keys held,
// the refusal without a screen, and no file deleted on the way out.
#include <QGuiApplication>
#include <QScreen>

#include <filesystem>
#include <fstream>

#include "documents/slot_fixture.h"
#include "shell/shell.h"

namespace {

struct FullScreenPreviewTest : SlotFixture {
  void SetUp() override {
    SlotFixture::SetUp();
    ScreenAvailable = 1;
  }
  void TearDown() override {
    for (int vk : {0x25, 0x26, 0x27, 0x28}) tk::testSetKeyDown(vk, -1);
    tk::removeTimer(0, 77);
    SlotFixture::TearDown();
  }
  static void Post(int code, intptr_t wParam = 0) {
    tk::Event e;
    e.code = code;
    e.wParam = wParam;
    tk::postEvent(e);
  }
};

}  // namespace

TEST(FullScreenClicks, OnlyTwoPressesWithinASecondThenARelease) {
  struct Step { int down; int64_t ms; };
  struct Case { const char* what; std::vector<Step> steps; bool ends; };
  const Case cases[] = {
      {"double click", {{1, 0}, {0, 80}, {1, 300}, {0, 350}}, true},
      {"single click", {{1, 0}, {0, 80}}, false},
      {"two clicks more than a second apart", {{1, 0}, {0, 80}, {1, 1200}, {0, 1250}}, false},
      {"a release restarts the second", {{1, 0}, {0, 900}, {1, 1800}, {0, 1850}}, true},
      {"second press, release not yet", {{1, 0}, {0, 80}, {1, 300}}, false},
  };
  for (const Case& c : cases) {
    ResetFullScreenClicks();
    int ended = 0;
    for (const Step& s : c.steps) ended = FullScreenClick(s.down, s.ms);
    EXPECT_EQ(ended == 1, c.ends) << c.what;
  }
}

// An image larger than the screen starts left of and above it; with Up and Left held,
// the one frame before Escape moves it one pixel each way.
TEST_F(FullScreenPreviewTest, EscapeEndsItAndHeldArrowsShiftThePicture) {
  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  const int w = screen.width() + 200, h = screen.height() + 100;
  MakeImage(w, h, 1);
  tk::testSetKeyDown(0x26, 1);
  tk::testSetKeyDown(0x25, 1);
  const std::string stray = "Preview.bmp";   // in the working folder; not the preview's to delete
  const bool hadStray = std::filesystem::exists(stray);
  if (!hadStray) std::ofstream(stray) << "x";
  const int windowsBefore = tk::activeWindow();
  Post(tk::EvMouseMove);
  Post(tk::EvKeyUp, 0x1B);
  ShowFullScreenPreview();
  EXPECT_EQ(FullScreenX, screen.width() / 2 - w / 2 - 1);
  EXPECT_EQ(FullScreenY, screen.height() / 2 - h / 2 - 1);
  EXPECT_LT(FullScreenX, 0);
  EXPECT_FALSE(tk::isImage(25));
  EXPECT_EQ(tk::activeWindow(), windowsBefore);
  EXPECT_EQ(tk::queuedEvents(), 0);
  EXPECT_EQ(LastEvent, 0);
  EXPECT_TRUE(std::filesystem::exists(stray));
  if (!hadStray) std::filesystem::remove(stray);
}

TEST_F(FullScreenPreviewTest, DoubleClickEndsItInItsFirstFrame) {
  MakeImage(30, 20, 1);
  tk::testSetKeyDown(0x28, 1);   // Down held: the frames are counted in pixels
  // Should the clicks not end it, Escape does after a while, far more frames later.
  tk::addTimer(0, 77, 1500, [] { Post(tk::EvKeyUp, 0x1B); });
  for (int code : {tk::EvLeftDown, tk::EvLeftUp, tk::EvLeftDown, tk::EvLeftUp}) Post(code);
  ShowFullScreenPreview();
  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  EXPECT_EQ(FullScreenY, screen.height() / 2 - 10 + 1);
}

TEST_F(FullScreenPreviewTest, WithoutTheScreenServiceItRefuses) {
  MakeImage(4, 4, 1);
  ScreenAvailable = 0;
  tk::test::queueResult(tk::ResultOk);
  ShowFullScreenPreview();
  EXPECT_EQ(tk::test::shown(), std::vector<std::string>{"Fehler|Der Screen konnte nicht geöffnet werden"});
  EXPECT_FALSE(tk::isImage(25));
}
