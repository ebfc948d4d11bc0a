// The effects panel: the run of the selected effect with its settings, and the handler that
// keeps the settings gadgets consistent.
#include <functional>

#include "effects/effects.h"
#include "tools/tools_fixture.h"

namespace {

class EffectsPanelTest : public tools_test::ToolsTest {
 protected:
  void SetUp() override {
    ToolsTest::SetUp();
    ASSERT_EQ(StructureEffectTable.size(), 65u);
    if (tk::countGadgetItems(355) == 0)
      for (const StructureEffectEntry& e : StructureEffectTable) tk::addGadgetItem(355, -1, e.name);
    MakeImage(10, 8);
  }
  static void Select(int pos) {
    tk::setGadgetState(355, pos);
    OnEffectsPanelGadget(355);
  }
  static void Pattern() {
    for (size_t i = 0; i < ImagePixels.size(); ++i) ImagePixels[i] = uint32_t(i * 2654435761u) & 0x00FFFFFFu;
  }
};

TEST_F(EffectsPanelTest, RunPassesTheSettingsAsTheEffectsTakeThem) {
  struct Case {
    const char* what;
    int pos;
    std::function<void()> set;
    std::function<void()> direct;
  };
  const Case cases[] = {
      {"sharpen 100 -> -20", 53, [] { tk::setGadgetState(390, 100); }, [] { SoftSharpDraw(0, -20); }},
      {"soften 3 -> 0", 54, [] { tk::setGadgetState(390, 3); }, [] { SoftSharpDraw(0, 0); }},
      {"chess never below 1", 13, [] { tk::setGadgetState(390, 0); }, [] { Chess(1, 0, 0); }},
      {"chess circle never below 1", 14, [] { tk::setGadgetState(390, 0); }, [] { ChessCircle(1, 0); }},
      {"colormove only red, 3, Nach Oben", 35,
       [] {
         tk::setGadgetState(395, 1); tk::setGadgetState(398, 0); tk::setGadgetState(401, 0);
         tk::setGadgetState(396, 3); tk::setGadgetState(397, 2);
       },
       [] { Colormove(3, 0, 0, 3, 0, 0, 0); }},
      {"colormove nothing checked", 35,
       [] { for (int g : {395, 398, 401}) tk::setGadgetState(g, 0); }, [] { Colormove(0, 0, 0, 0, 0, 0, 0); }},
      {"set red from field 420", 39, [] { tk::setGadgetText(420, "77"); }, [] { SetRedColors(77, 0); }},
      {"bars by label Nach Oben", 50, [] { tk::setGadgetState(422, 2); }, [] { BarsUp(0); }},
      {"colour ranges in the effect's own form", 38,
       [] { tk::setGadgetState(407, 10); tk::setGadgetState(409, 100); tk::setGadgetState(410, 60); },
       [] { SetColorspec(10, 228, 10, 0, 255, 0, 0, 255, 0, 0); }},
      {"fill with the colour field", 0, [] { tk::createImage(42, 100, 20, 24, 0x336699); },
       [] { FillImage(0x99, 0x66, 0x33, 0); }},
  };
  for (const Case& c : cases) {
    Select(c.pos);
    c.set();
    Pattern();
    OnEffectsPanelGadget(356);
    const std::vector<PixelCell> got = ImagePixels;
    Pattern();
    c.direct();
    EXPECT_EQ(got, ImagePixels) << c.what;
  }
  // Nothing selected: nothing runs.
  tk::setGadgetState(355, -1);
  Pattern();
  const std::vector<PixelCell> before = ImagePixels;
  OnEffectsPanelGadget(356);
  EXPECT_EQ(ImagePixels, before);
}

TEST_F(EffectsPanelTest, HandlerClampsTheValueFieldLaysOutRangeSlidersAndResetsOnSelection) {
  Select(39);
  EXPECT_FALSE(tk::gadgetHidden(363));
  for (auto [typed, shown] : {std::pair{"300", "255"}, std::pair{"-5", "0"}, std::pair{"17", "17"}}) {
    tk::setGadgetText(420, typed);
    OnEffectsPanelGadget(420);
    EXPECT_EQ(tk::gadgetText(420), shown) << typed;
  }
  Select(58);
  tk::setGadgetState(442, 100);
  OnEffectsPanelGadget(442);
  EXPECT_EQ(tk::gadgetWidth(444), 100);
  EXPECT_EQ(tk::gadgetWidth(446), 156);
  EXPECT_EQ(tk::gadgetX(446), tk::gadgetX(442) + 100);
  OnEffectsPanelGadget(475);
  EXPECT_FALSE(tk::gadgetHidden(448));
  EXPECT_TRUE(tk::gadgetHidden(478));
  // Selecting again resets the sliders; an effect without settings hides every container.
  Select(1);
  tk::setGadgetState(372, 3);
  Select(1);
  EXPECT_EQ(tk::gadgetState(372), 128);
  Select(8);
  for (int c = 357; c <= 369; ++c) EXPECT_TRUE(tk::gadgetHidden(c)) << c;
  EXPECT_EQ(tk::gadgetText(353), "Erklärung:  " + StructureEffectTable[8].help);
}

}  // namespace
