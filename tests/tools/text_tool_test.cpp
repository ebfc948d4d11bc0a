// The text tool: the box, its background and transparency, the text lines, the colour
// dialog, the special-character button, "OK" and "Abbrechen".
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "tools/tools_fixture.h"

using namespace tools_test;

namespace {

constexpr PixelCell kImageColour = 0x00336699u;   // red 0x33, green 0x66, blue 0x99

class TextToolTest : public ToolsTest {
 protected:
  void SetUp() override {
    ToolsTest::SetUp();
    std::fill(ImagePixels.begin(), ImagePixels.end(), kImageColour);
    Rot = Gruen = Blau = 0;
  }
  void TearDown() override {
    if (areamark == 3) CloseTextTool();
    LoopWaitMs = -1;
    ToolsTest::TearDown();
  }
  // A box with the background's transparency t.
  static void Open(int x1, int y1, int x2, int y2, int t, int scrollX = 0, int scrollY = 0) {
    areamark = 3;
    StartTextBox(x1, y1, x2, y2, scrollX, scrollY);
    tk::setGadgetState(593, t);
    OnTextPanelGadget(593);
  }
  // The image cells that are no longer the image's colour, as (x, y) pairs.
  static std::vector<std::pair<int, int>> Changed() {
    std::vector<std::pair<int, int>> out;
    for (int y = 0; y <= bildhoch; ++y)
      for (int x = 0; x <= bildlang; ++x)
        if ((ImagePixels[size_t(y) * (bildlang + 1) + x] & 0xFFFFFFu) != kImageColour) out.emplace_back(x, y);
    return out;
  }
  static std::vector<std::pair<int, int>> Rect(int x1, int y1, int x2, int y2) {
    std::vector<std::pair<int, int>> out;
    for (int y = y1; y <= y2; ++y)
      for (int x = x1; x <= x2; ++x) out.emplace_back(x, y);
    return out;
  }
};

TEST_F(TextToolTest, EmptyTextAppliesTheBackgroundByItsTransparency) {
  struct Case {
    const char* what;
    int x1, y1, x2, y2, t, scrollX, scrollY;
    std::vector<std::pair<int, int>> changed;
  };
  const Case cases[] = {
      {"transparency 0: the box is white", 2, 3, 10, 8, 0, 0, 0, Rect(2, 3, 10, 8)},
      {"a reversed drag covers the same cells", 10, 8, 2, 3, 0, 0, 0, Rect(2, 3, 10, 8)},
      {"transparency 100: nothing changes", 2, 3, 10, 8, 100, 0, 0, {}},
      {"the scroll position moves the box", 2, 3, 5, 6, 0, 10, 5, Rect(12, 8, 15, 11)},
      {"only the part on the image is written", 30, 20, 50, 40, 0, 0, 0, Rect(30, 20, 39, 29)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::fill(ImagePixels.begin(), ImagePixels.end(), kImageColour | 0x01000000u);
    Open(c.x1, c.y1, c.x2, c.y2, c.t, c.scrollX, c.scrollY);
    EXPECT_EQ(NextMode, ModeText);
    const int32_t before = undostate;
    OnTextPanelGadget(596);
    EXPECT_EQ(undostate, before % maxundo + 1);   // exactly one undo point
    EXPECT_EQ(Changed(), c.changed);
    for (const auto& [x, y] : c.changed)
      EXPECT_EQ(ImagePixels[size_t(y) * (bildlang + 1) + x], 0x01FFFFFFu);   // the flag byte stays
    EXPECT_EQ(NextMode, ModeDraw);
    EXPECT_EQ(paintstate, 43);
    EXPECT_EQ(areamark, 0);
    EXPECT_TRUE(tk::gadgetHidden(582));
    EXPECT_FALSE(tk::gadgetHidden(9));
  }
}

TEST_F(TextToolTest, HalfTransparencyMixesImageAndBackground) {
  Open(0, 0, 3, 3, 50);
  OnTextPanelGadget(596);
  // round(c / 2 + 255 / 2), halves to even: red 51 -> 153, green 102 -> 178.5 -> 178,
  // blue 153 -> 204
  EXPECT_EQ(ImagePixels[0] & 0xFFFFFFu, (153u << 16) | (178u << 8) | 204u);
}

TEST_F(TextToolTest, CancelWritesNothing) {
  Open(2, 3, 10, 8, 0);
  tk::setRichText(584, "Hallo");
  OnTextPanelGadget(584);
  const int32_t before = undostate;
  OnTextPanelGadget(597);
  EXPECT_EQ(undostate, before);
  EXPECT_TRUE(Changed().empty());
  EXPECT_EQ(NextMode, ModeDraw);
  EXPECT_EQ(paintstate, 43);
}

TEST_F(TextToolTest, LinesStartAtOneAndAHalfTimesTheSize) {
  MakeImage(200, 150);
  std::fill(ImagePixels.begin(), ImagePixels.end(), 0x00FFFFFFu);
  Open(0, 0, 199, 149, 0);
  tk::setGadgetState(586, 19);   // size 20
  LoadTextFont();
  ASSERT_EQ(fontsize, 20);
  std::vector<uint32_t> cells(200 * 150);
  for (int line = 0; line < 3; ++line) {
    SCOPED_TRACE(line);
    tk::setRichText(584, std::string(size_t(line), '\r') + "WWW");
    DrawTextLines();
    ASSERT_TRUE(tk::imageToPixels(22, cells.data(), 200, 150, 200));
    int first = -1, last = -1;
    for (int y = 0; y < 150; ++y)
      for (int x = 0; x < 200; ++x)
        if ((cells[size_t(y) * 200 + x] & 0xFF) < 128) {
          if (first < 0) first = y;
          last = y;
        }
    const int top = int(std::nearbyint(line * 20 * 1.5));   // 0, 30, 60
    EXPECT_GE(first, top);
    EXPECT_LT(last, top + 30);
  }
}

TEST_F(TextToolTest, BackgroundColourDialog) {
  Open(0, 0, 3, 3, 0);
  tk::test::queueColor(-1);   // cancelled: the background stays white
  OnTextPanelGadget(595);
  EXPECT_EQ(text_bgrot, 255);
  EXPECT_EQ(text_bggruen, 255);
  EXPECT_EQ(text_bgblau, 255);
  tk::test::queueColor(0x123456);   // red 0x56, green 0x34, blue 0x12
  OnTextPanelGadget(595);
  EXPECT_EQ(text_bgrot, 0x56);
  EXPECT_EQ(text_bggruen, 0x34);
  EXPECT_EQ(text_bgblau, 0x12);
  OnTextPanelGadget(596);
  EXPECT_EQ(ImagePixels[0] & 0xFFFFFFu, 0x563412u);
  // The next box starts white again.
  Open(0, 0, 3, 3, 0);
  EXPECT_EQ(text_bgrot, 255);
}

TEST_F(TextToolTest, SpecialCharacterReplacesTheSelectionOrNothing) {
  Open(0, 0, 20, 20, 0);
  LoopWaitMs = 300;
  tk::setRichText(584, "abc");
  tk::richSetSelection(584, 1, 2);
  tk::Event e;
  e.window = 21;
  e.code = tk::EvClose;
  tk::postEvent(e);
  OnTextPanelGadget(590);   // closed: nothing inserted
  EXPECT_EQ(tk::richText(584), "abc");
  e.code = tk::EvGadget;
  e.gadget = 751 + 0xE9;
  tk::postEvent(e);
  OnTextPanelGadget(590);
  EXPECT_EQ(tk::richText(584), "a\xE9" "c");
  EXPECT_TRUE(tk::richCanUndo(584));
}

}  // namespace
