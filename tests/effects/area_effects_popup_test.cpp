// Popup menu 14: each entry runs the area twin of its effect, cancelled requesters run nothing.
#include <functional>

#include "effects/dialog_driver.h"
#include "effects/effects.h"
#include "tools/tools_fixture.h"

namespace {

class AreaPopupTest : public tools_test::ToolsTest {
 protected:
  void SetUp() override {
    ToolsTest::SetUp();
    MakeImage(12, 10);
    Start = {};
    for (int i = 0; i < 5 * 4; ++i) Start.push_back(0x01000000u | (uint32_t(i * 2654435761u) & 0x00FFFFFFu));
    Place();
  }
  void Place() {
    AreaPixels = Start;
    arealang = 4;
    areahoch = 3;
    startx = starty = 1;
    horz2 = vert2 = 0;
    areamark = 2;
    areacolororder = 1;
  }
  std::vector<PixelCell> Start;
};

TEST_F(AreaPopupTest, EntriesRunTheirAreaTwinAndIdsWithoutARowDoNothing) {
  struct Case { int id; std::function<void()> twin; };
  const Case cases[] = {
      {262, [] { BlackWhite_Marked(0); }},       {266, [] { GreyFromRedGreen_Marked(0); }},
      {259, [] { Solarize_Marked(0); }},          {303, [] { Colorspectrum_Marked(0); }},
      {335, [] { BlueDataFromGreenData_Marked(0); }}, {299, [] { Turn_90_Marked(0); }},
      {307, [] { SoftSharpDraw_Marked(5, 0); }},  {308, [] { SoftSharpDraw_Marked(-5, 0); }},
      {296, [] { SpecialEffect_Marked(3, 0); }},  {291, [] { BarsUp_Marked(0); }},
      {293, [] { LogicalBars_Marked(0); }},       {280, [] { UnClear_Marked(5, 0); }},
      {255, [] {}}, {271, [] {}}, {272, [] {}}, {283, [] {}}, {344, [] {}}, {347, [] {}}, {350, [] {}},
      {361, [] {}},
  };
  for (const Case& c : cases) {
    Place();
    OnAreaEffectsPopup(c.id);
    const std::vector<PixelCell> got = AreaPixels;
    const int gotW = arealang;
    Place();
    c.twin();
    EXPECT_EQ(got, AreaPixels) << c.id;
    EXPECT_EQ(gotW, arealang) << c.id;
  }
  // The channel orders keep the area's order: "RGB" twice leaves it at 1.
  Place();
  OnAreaEffectsPopup(363);
  EXPECT_NE(areacolororder, 1);
  OnAreaEffectsPopup(362);
  OnAreaEffectsPopup(362);
  EXPECT_EQ(areacolororder, 1);
}

TEST_F(AreaPopupTest, CancelledColourOrValueRunsNothingAndTheDrawingColourStays) {
  Rot = 10; Gruen = 20; Blau = 30;
  for (int id : {256, 305, 288, 343, 346}) {
    tk::test::queueColor(-1);
    OnAreaEffectsPopup(id);
    EXPECT_EQ(AreaPixels, Start) << id;
  }
  tk::test::queueColor(0);   // black refused by the colour AND
  OnAreaEffectsPopup(346);
  EXPECT_EQ(AreaPixels, Start);
  {
    dialog_test::Drive d(9, {[] { dialog_test::Drive::CloseBox(9); }});
    OnAreaEffectsPopup(342);
    EXPECT_TRUE(d.finished());
  }
  EXPECT_EQ(AreaPixels, Start);
  // "Tonen" with a colour: the twin runs with it, the drawing colour is the user's again.
  tk::test::queueColor(0x0000FF);
  OnAreaEffectsPopup(305);
  const std::vector<PixelCell> got = AreaPixels;
  Place();
  Coloring_Marked(255, 0, 0, 0);
  EXPECT_EQ(got, AreaPixels);
  EXPECT_EQ(Rot, 10);
  EXPECT_EQ(Gruen, 20);
  EXPECT_EQ(Blau, 30);
}

}  // namespace
