// The special-character chooser: what each click or close returns, the grid and the
// hover labels.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "toolkit/internal.h"
#include "tools/tools_fixture.h"

using namespace tools_test;

namespace {

bool MainDisabled() { return !tk::detail::window(0)->top->isEnabled(); }

void PostClick(int gadget) {
  tk::Event e;
  e.code = tk::EvGadget;
  e.window = 21;
  e.gadget = gadget;
  tk::postEvent(e);
}
void PostClose() {
  tk::Event e;
  e.code = tk::EvClose;
  e.window = 21;
  tk::postEvent(e);
}

class ChooserTest : public ToolsTest {
 protected:
  void SetUp() override {
    ToolsTest::SetUp();
    LoopWaitMs = 300;   // a test that posts nothing more ends the wait
  }
  void TearDown() override {
    LoopWaitMs = -1;
    ToolsTest::TearDown();
  }
};

TEST_F(ChooserTest, ClicksAndCloseGiveTheirResult) {
  struct Case {
    const char* what;
    std::vector<int> clicks;   // -1: the close request
    std::string result;
  };
  const Case cases[] = {
      {"close", {-1}, ""},
      {"last button", {751 + 255}, "\xFF"},
      {"its left neighbour", {751 + 254}, "\xFE"},
      {"code 0 chooses nothing and the window stays", {751, 751 + 65}, "A"},
      {"code 0, then close", {751, -1}, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    tk::drainEvents();
    for (int g : c.clicks) g < 0 ? PostClose() : PostClick(g);
    EXPECT_EQ(ChooseSpecialCharacter("DejaVu Sans"), c.result);
    EXPECT_FALSE(tk::isWindow(21));
    EXPECT_FALSE(MainDisabled());
  }
}

TEST_F(ChooserTest, GridHasTheCodeOfEachButtonAtItsPlace) {
  // Looked at while the chooser waits: the bottom-right button is code 255, its left
  // neighbour 254, the top-left one code 0 with no character; the main window is disabled.
  struct Seen {
    int corner = -1, left = -1, first = -1;
    std::string cornerText, firstText = "?";
    bool mainDisabled = false;
  } seen;
  tk::addTimer(0, 77, 20, [&] {
    tk::removeTimer(0, 77);
    seen.corner = tk::gadgetAt(21, 310, 310);
    seen.left = tk::gadgetAt(21, 290, 310);
    seen.first = tk::gadgetAt(21, 5, 5);
    seen.cornerText = tk::gadgetText(seen.corner);
    seen.firstText = tk::gadgetText(seen.first);
    seen.mainDisabled = MainDisabled();
    PostClose();
  });
  EXPECT_EQ(ChooseSpecialCharacter("DejaVu Sans"), "");
  EXPECT_EQ(seen.corner, 751 + 255);
  EXPECT_EQ(seen.left, 751 + 254);
  EXPECT_EQ(seen.first, 751);
  EXPECT_EQ(seen.cornerText, "\xFF");
  EXPECT_EQ(seen.firstText, "");
  EXPECT_TRUE(seen.mainDisabled);
}

TEST(SpecialCharacterLabels, FollowTheMouse) {
  struct Case {
    int mx, my;
    std::string ascii, hex;
  };
  const Case cases[] = {
      {1, 1, "ASCII: ", "Hex:     0"},
      {21, 1, "ASCII: \x01", "Hex:     1"},
      {310, 310, "ASCII: \xFF", "Hex:     FF"},
      {290, 310, "ASCII: \xFE", "Hex:     FE"},
      {41, 41, "ASCII: \"", "Hex:     22"},
      {5, 325, "ASCII: ", "Hex:     100"},     // below the grid: codes past 255, no character
      {310, 350, "ASCII: ", "Hex:     11F"},
      {-1, 40, "", ""},                         // the mouse is not over the window
  };
  for (const Case& c : cases) {
    std::string ascii, hex;
    SpecialCharacterLabels(c.mx, c.my, ascii, hex);
    EXPECT_EQ(ascii, c.ascii) << c.mx << "," << c.my;
    EXPECT_EQ(hex, c.hex) << c.mx << "," << c.my;
  }
}

}  // namespace
