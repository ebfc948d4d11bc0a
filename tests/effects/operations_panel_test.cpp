// The marked-area panel: border modes, putting the area back or dropping it, held channels.
#include "effects/effects.h"
#include "tools/tools_fixture.h"

namespace {

class OperationsPanelTest : public tools_test::ToolsTest {
 protected:
  // A 3 x 1 area over image cells (1, 1)..(3, 1): flags 1, 2, 1, colour red 200.
  void PlaceArea() {
    MakeImage(6, 4);
    tools_test::Fill(0x00101010u);
    AreaPixels = {0x01C80000u, 0x02C80000u, 0x01C80000u};
    arealang = 2;
    areahoch = 0;
    startx = 1;
    starty = 1;
    horz2 = vert2 = 0;
    areamark = 2;
    areacolororder = 3;
    ResetChannelSwitches();
  }
};

TEST_F(OperationsPanelTest, OkMergesWithTheChosenBorderModeAndPutsHeldChannelsBack) {
  struct Case { int option; uint32_t flag2Cell; };
  for (const Case& c : {Case{130, 0xC80000u}, Case{132, 0x101010u}}) {
    SCOPED_TRACE(c.option);
    PlaceArea();
    OnOperationsGadget(c.option);
    EXPECT_EQ(AreaMergeOption, c.option - 130);
    tk::setGadgetState(135, 0);   // "Rottöne anzeigen" unchecked: the red is held out
    OnOperationsGadget(135);
    ASSERT_NE(rotisaway_marked, 0);
    OnOperationsGadget(158);
    EXPECT_EQ(tools_test::ColourAt(1, 1), 0xC80000u);   // the held red is back
    EXPECT_EQ(tools_test::ColourAt(2, 1), c.flag2Cell);
    EXPECT_EQ(tools_test::ColourAt(4, 1), 0x101010u);
    EXPECT_EQ(areamark, 0);
    EXPECT_EQ(areacolororder, 1);
    EXPECT_EQ(NextMode, ModeDraw);
    EXPECT_EQ(rotisaway_marked, 0);
    NextMode = 0;
  }
}

TEST_F(OperationsPanelTest, CancelWritesNoCellAndStartsTheNextAreaClean) {
  PlaceArea();
  const std::vector<PixelCell> before = ImagePixels;
  SwitchGreenChannel_Marked(0, 1);
  FillImage_Marked(0, 0, 255, 1);
  OnOperationsGadget(159);
  EXPECT_EQ(ImagePixels.size(), before.size());
  for (size_t i = 0; i < before.size(); ++i) EXPECT_EQ(ImagePixels[i] & 0xFFFFFFu, before[i] & 0xFFFFFFu) << i;
  EXPECT_EQ(areamark, 0);
  EXPECT_EQ(areacolororder, 1);
  EXPECT_EQ(gruenisaway_marked, 0);
  EXPECT_EQ(AreaPixels.size(), 1u);
  NextMode = 0;
}

}  // namespace
