// The structure dialog with its real widgets: choosing, the plane lists, the settings
// containers storing into the current element, and the runs it starts.
#include "effects/dialog_driver.h"
#include "effects/effects.h"
#include "script/script.h"
#include "tools/tools_fixture.h"

namespace {

using dialog_test::Drive;
using tools_test::ColourAt;
using tools_test::Fill;

class StructureDialogTest : public tools_test::ToolsTest {
 protected:
  void SetUp() override {
    ToolsTest::SetUp();
    ReloadStructures();
    ASSERT_EQ(StructureEffectTable.size(), 65u);
  }
  static int Index(const char* name, bool folder) {
    for (size_t i = 0; i < StructureList.size(); ++i)
      if (StructureList[i].name == name && StructureList[i].isFolder == folder) return int(i);
    ADD_FAILURE() << name;
    return 0;
  }
  static const EffectListEntry& Current(const EffectList& l) { return l.items.at(size_t(l.current)); }
};

TEST_F(StructureDialogTest, OkWithFolderComplainsAndCancelDiscardsTheLists) {
  Fill(0x00FFFFFFu);
  const std::vector<PixelCell> before = ImagePixels;
  tk::test::queueResult(tk::ResultOk);
  size_t blackAtCancel = 0;
  Drive d(5, {[] { tk::setGadgetState(195, Index("Muster", true)); Drive::Click(217); },
              [] { tk::setGadgetState(208, 0); Drive::Click(206); },
              [&] { blackAtCancel = BlackEffectList.items.size(); Drive::Click(218); }});
  EXPECT_EQ(OpenStructureDialog(0), 0);
  EXPECT_TRUE(d.finished());
  ASSERT_FALSE(tk::test::shown().empty());
  EXPECT_EQ(tk::test::shown()[0], "Fehler|Es ist keine Structure gewählt worden");
  EXPECT_EQ(blackAtCancel, 1u);   // the dialog stayed open and took the effect
  EXPECT_TRUE(BlackEffectList.items.empty());
  EXPECT_EQ(ImagePixels, before);
  EXPECT_FALSE(tk::isWindow(5));
}

// A gradient structure stretched over the image: black where it is dark, white where light.
TEST_F(StructureDialogTest, OkFillsTheImageWithBothPlanes) {
  MakeImage(64, 8);
  Fill(0x00808080u);
  Drive d(5, {[] { tk::setGadgetState(195, Index("Verlauf", false)); },
              [] { tk::setGadgetState(208, 0); Drive::Click(206); },   // black: FillImage 0,0,0
              [] { Drive::Click(202); },
              [] { tk::setGadgetState(215, 8); Drive::Click(213); },   // white: ColorTurn
              [] { Drive::Click(217); }});
  OpenStructureDialog(0);
  EXPECT_TRUE(d.finished());
  EXPECT_EQ(ColourAt(0, 0), 0u);                   // grey 0: the black plane
  EXPECT_EQ(ColourAt(63, 7), 0x7F7F7Fu);           // grey 255: 0x80 turned
  EXPECT_TRUE(BlackEffectList.items.empty());
  EXPECT_TRUE(WhiteEffectList.items.empty());
}

// Values typed or slid into a container reach the current element of the list that option
// 201 / 202 names, in the encoding the engine runs.
TEST_F(StructureDialogTest, SettingsStoreIntoTheCurrentElementAndRoundTripToTheEngine) {
  EffectListEntry red, attrs, colorspec, wave;
  std::vector<std::string> texts;
  int min1Width = 0, max1X = 0, max1Width = 0, tX = 0;
  Drive d(5, {[] { tk::setGadgetState(208, 39); Drive::Click(206); },     // SetRedColors
              [] { Drive::Type(285, "300"); },
              [&] { texts.push_back(tk::gadgetText(285)); red = Current(BlackEffectList); Drive::Type(285, "-5"); },
              [&] { texts.push_back(tk::gadgetText(285)); Drive::Type(285, "200"); },
              [&] { red = Current(BlackEffectList); tk::setGadgetState(208, 1); Drive::Click(206); },   // Attributes
              [] { Drive::Slide(236, 0); },
              [] { Drive::Slide(239, 255); },
              [&] { attrs = Current(BlackEffectList); tk::setGadgetState(208, 38); Drive::Click(206); },
              [] { Drive::Type(271, "10"); },
              [] { Drive::Type(273, "100"); },
              [] { Drive::Type(274, "60"); },
              [&] { colorspec = Current(BlackEffectList); tk::setGadgetState(208, 56); Drive::Click(206); },
              [] { Drive::Slide(301, 80); },
              [&] { wave = Current(BlackEffectList); texts.push_back(tk::gadgetText(300));
                    tk::setGadgetState(208, 58); Drive::Click(206); },
              [] { Drive::Slide(313, 200); },
              [&] { min1Width = tk::gadgetWidth(315); max1X = tk::gadgetX(317); max1Width = tk::gadgetWidth(317);
                    tX = tk::gadgetX(313); Drive::Click(218); }});
  OpenStructureDialog(0);
  EXPECT_TRUE(d.finished());
  EXPECT_EQ(texts, (std::vector<std::string>{"255", "0", "Anfang:-20%"}));
  EXPECT_EQ(red.param4, 200);
  EXPECT_EQ(attrs.param3, -128);
  EXPECT_EQ(attrs.param2, 127);
  EXPECT_EQ(colorspec.param10, 10);
  EXPECT_EQ(colorspec.param13, 228);
  EXPECT_EQ(colorspec.param16, 10);
  EXPECT_EQ(wave.param7, -20);
  EXPECT_EQ(min1Width, 200);
  EXPECT_EQ(max1X, tX + 200);
  EXPECT_EQ(max1Width, 56);
  // The stored elements run as the effects themselves would with the values the user set.
  MakeImage(8, 6);
  for (size_t i = 0; i < ImagePixels.size(); ++i) ImagePixels[i] = uint32_t(i * 40503u) & 0x00FFFFFFu;
  const std::vector<PixelCell> start = ImagePixels;
  DispatchStructureEffect(red, 0, true);
  DispatchStructureEffect(colorspec, 0, true);
  const std::vector<PixelCell> got = ImagePixels;
  ImagePixels = start;
  SetRedColors(200, 1);
  SetColorspec(10, 228, 10, 0, 255, 50, 0, 255, 50, 1);
  EXPECT_EQ(got, ImagePixels);
}

TEST_F(StructureDialogTest, RemovalShowsTheNewCurrentElementAndPlanesKeepTheirLists) {
  int shownAfterRemove = -1;
  size_t blackRows = 0, whiteRows = 0;
  Drive d(5, {[] { tk::setGadgetState(208, 22); Drive::Click(206); },   // SpecialEffect (224)
              [] { tk::setGadgetState(208, 12); Drive::Click(206); },   // Corny (222), after row 0
              [] { tk::setGadgetState(209, 0); Drive::Click(207); },
              [&] { for (int c = 221; c <= 233; ++c) if (!tk::gadgetHidden(c)) shownAfterRemove = c;
                    Drive::Click(202); },
              [] { tk::setGadgetState(215, 8); Drive::Click(213); },
              [] { Drive::Click(201); },
              [&] { blackRows = size_t(tk::countGadgetItems(209)); whiteRows = size_t(tk::countGadgetItems(216));
                    Drive::CloseBox(5); }});
  OpenStructureDialog(0);
  EXPECT_TRUE(d.finished());
  EXPECT_EQ(shownAfterRemove, 222);   // Corny moved up to row 0 and is current
  EXPECT_EQ(blackRows, 1u);
  EXPECT_EQ(whiteRows, 1u);
  EXPECT_TRUE(BlackEffectList.items.empty());
}

}  // namespace
