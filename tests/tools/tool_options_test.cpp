// Tool selection, the option gadgets and their bar twins, the option popups.
#include <gtest/gtest.h>

#include "tools/tools_fixture.h"

using namespace tools_test;

namespace {
bool Shown(int g) { return !tk::gadgetHidden(g); }
int Image(int g) { return tk::gadgetAttribute(g, tk::AttrImage); }
}  // namespace

TEST_F(ToolsTest, ChoosingAToolShowsExactlyItsOptions) {
  struct Case {
    int32_t tool;
    std::vector<int> shown, hidden;
    int image;       // of 88 and 173, -1 unchecked
    int cursor;
  };
  ToolFormStates[4] = 485;
  const Case cases[] = {
      {42, {88, 89, 96, 98, 102, 173, 174, 181, 187, 104, 189}, {92, 95, 90}, 138, 4},
      {58, {88, 89, 98, 102, 174}, {96, 181, 95}, 138, 4},
      {44, {88, 95, 96, 102, 180}, {89, 90, 175, 92}, 130, 3},
      {46, {91, 92, 93, 176, 177, 178}, {88, 89, 95}, -1, 4},
      {37, {92, 177}, {104, 189, 107, 93}, -1, 4},
      {35, {}, {104, 105, 107, 189, 192, 92}, -1, 0},
      {48, {88, 173}, {90, 94}, 124, 0},
      {49, {88, 90, 94, 175, 179}, {89}, 126, 0},
      {50, {88, 90, 94}, {95}, 128, 0},
      {52, {88}, {90, 89}, 116, 4},
      {54, {88, 90}, {}, 135, 0},
      {55, {88}, {90}, 136, 4},
      {57, {88, 90}, {}, 129, 4},
      {41, {96, 97, 102, 182, 187}, {88, 89}, -1, 2},
      {39, {104}, {88, 92, 96}, -1, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("tool " + std::to_string(c.tool));
    UpdateToolOptions(c.tool);
    EXPECT_EQ(paintstate, c.tool);
    for (int g : c.shown) EXPECT_TRUE(Shown(g)) << g;
    for (int g : c.hidden) EXPECT_FALSE(Shown(g)) << g;
    if (c.image >= 0) {
      EXPECT_EQ(Image(88), c.image);
      EXPECT_EQ(Image(173), c.image);
    }
    EXPECT_EQ(ToolCursor, c.cursor);
    for (int g = 34; g <= 58; ++g) EXPECT_EQ(tk::gadgetState(g), g == c.tool ? 1 : 0) << g;
  }
}

TEST_F(ToolsTest, NoToolNumberChangesNothing) {
  UpdateToolOptions(44);
  ToolCursor = 3;
  for (int32_t t : {0, 33, 59, 125, 127}) {
    UpdateToolOptions(t);
    EXPECT_EQ(paintstate, 44);
    EXPECT_EQ(ToolCursor, 3);
  }
}

TEST_F(ToolsTest, ChoosingTheSameToolAgainLeavesAndEntersIt) {
  UpdateToolOptions(44);
  tk::setGadgetState(95, 250);
  OnToolGadget(95);
  EXPECT_EQ(tk::gadgetState(95), 100);   // the small square caps the amount
  OnToolGadget(44);                       // its button again
  EXPECT_EQ(tk::gadgetState(95), 20);
  EXPECT_EQ(tk::gadgetText(180), "Menge: 20");
  EXPECT_TRUE(Shown(95));
}

TEST_F(ToolsTest, SoftEdgesNeedAToleranceOfOne) {
  UpdateToolOptions(46);
  tk::setGadgetState(93, 1);
  tk::setGadgetState(92, 0);
  OnToolGadget(92);
  EXPECT_EQ(tolleranz, 1);
  EXPECT_EQ(tk::gadgetState(92), 1);
  EXPECT_EQ(tk::gadgetState(177), 1);
  // the same from the bar, and by checking the box after the tolerance went to 0
  tk::setGadgetState(178, 0);
  tk::setGadgetState(177, 0);
  OnDrawBarGadget(177);
  EXPECT_EQ(tolleranz, 0);
  tk::setGadgetState(178, 1);
  OnDrawBarGadget(178);
  EXPECT_EQ(tolleranz, 1);
  EXPECT_EQ(tk::gadgetState(92), 1);
  EXPECT_EQ(tk::gadgetState(93), 1);
  tk::setGadgetState(92, 9);
  OnToolGadget(92);
  EXPECT_EQ(tk::gadgetText(177), "9");
}

TEST_F(ToolsTest, SprayAmountCapsByPattern) {
  UpdateToolOptions(44);
  struct Case {
    int option, asked, got;
  } cases[] = {{480, 400, 100}, {480, 60, 60}, {482, 400, 80}, {482, 81, 80}, {481, 400, 400}, {483, 400, 400}};
  for (const Case& c : cases) {
    for (int panel : {95, 180}) {
      SCOPED_TRACE(std::to_string(c.option) + " via " + std::to_string(panel));
      OnToolOptionPopup(c.option);
      tk::setGadgetState(panel, c.asked);
      if (panel == 95) OnToolGadget(95);
      else OnDrawBarGadget(180);
      EXPECT_EQ(tk::gadgetState(95), c.got);
      EXPECT_EQ(tk::gadgetState(180), c.got);
      EXPECT_EQ(tk::gadgetText(95), "Menge: " + std::to_string(c.got));
    }
  }
}

TEST_F(ToolsTest, OptionPopupsStoreTheOptionPerTool) {
  struct Case {
    int32_t tool, id;
    int word, image;
  } cases[] = {{52, 471, 6, 120}, {51, 467, 6, 116}, {50, 479, 0, 129}, {48, 475, 1, 125}, {49, 477, 2, 127},
               {54, 484, 4, 134}, {55, 487, 5, 137}, {57, 490, 7, 135}, {44, 483, 3, 133}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.id);
    UpdateToolOptions(c.tool);
    OnToolOptionPopup(c.id);
    EXPECT_EQ(ToolOption, c.id);
    EXPECT_EQ(ToolFormStates[c.word], c.id);
    EXPECT_EQ(Image(88), c.image);
    EXPECT_EQ(Image(173), c.image);
  }
  // the spray pattern sets both amounts
  UpdateToolOptions(44);
  OnToolOptionPopup(481);
  EXPECT_EQ(tk::gadgetState(95), 80);
  EXPECT_EQ(tk::gadgetState(180), 80);
  EXPECT_EQ(tk::gadgetText(95), "Menge: 80");
  EXPECT_EQ(tk::gadgetText(180), "Menge: 80");
  // choosing the tool again starts from the stored option
  UpdateToolOptions(48);
  EXPECT_EQ(ToolOption, 475);
  // a tool without options, or an id of another tool's popup, changes nothing
  UpdateToolOptions(41);
  ToolOption = 7;
  OnToolOptionPopup(474);
  EXPECT_EQ(ToolOption, 7);
  UpdateToolOptions(48);
  OnToolOptionPopup(480);
  EXPECT_EQ(ToolOption, 475);
  EXPECT_EQ(ToolFormStates[3], 481);
  OnToolOptionPopup(466);
  OnToolOptionPopup(491);
  EXPECT_EQ(ToolOption, 475);
}

TEST_F(ToolsTest, AnOptionWordOutsideItsPopupStartsAsTheFirstOption) {
  ToolFormStates[4] = 0;   // before the last-state file was read
  UpdateToolOptions(54);
  EXPECT_EQ(ToolOption, 484);
  EXPECT_EQ(Image(88), 134);
}

TEST_F(ToolsTest, TwinsFollowEachOther) {
  UpdateToolOptions(42);
  struct Case {
    int changed, value, twin;
  } cases[] = {{96, 1, 181}, {181, 0, 96}, {97, 1, 182}, {182, 0, 97}, {102, 0, 187}, {187, 1, 102},
               {100, 37, 185}, {185, 150, 100}, {107, 51, 192}, {192, 0, 107}, {104, 5, 189}, {189, 2, 104}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.changed);
    tk::setGadgetState(c.changed, c.value);
    if (c.changed < 171) OnToolGadget(c.changed);
    else OnDrawBarGadget(c.changed);
    EXPECT_EQ(tk::gadgetState(c.twin), c.value);
  }
  EXPECT_EQ(drawstep, 150);
  EXPECT_EQ(tk::gadgetText(98), "DrawStep: 150%");
  EXPECT_EQ(tk::gadgetText(183), "DrawStep: 150%");
  EXPECT_EQ(fillstate, 2);
  EXPECT_EQ(allowreadraw, 0);
  EXPECT_EQ(mirrorxstate, 0);
  EXPECT_FLOAT_EQ(transstate, 1.0f);
  OnToolGadget(108);
  EXPECT_FLOAT_EQ(transstate, 0.0f);
  EXPECT_EQ(tk::gadgetState(192), 255);
  tk::setGadgetState(192, 51);
  OnDrawBarGadget(192);
  EXPECT_FLOAT_EQ(transstate, 204.0f / 255.0f);
  OnDrawBarGadget(186);
  EXPECT_EQ(drawstep, 200);
  EXPECT_EQ(tk::gadgetState(100), 200);
  OnToolGadget(99);
  EXPECT_EQ(tk::gadgetState(185), 1);
  OnToolGadget(94);
  EXPECT_EQ(tk::gadgetState(179), 1);
  EXPECT_EQ(tk::gadgetState(175), 0);
  OnDrawBarGadget(175);
  EXPECT_EQ(tk::gadgetState(90), 1);
  EXPECT_EQ(tk::gadgetState(94), 0);
  // the radius spins carry their label and size the smear brush
  tk::setGadgetState(174, 9);
  OnDrawBarGadget(174);
  EXPECT_EQ(tk::gadgetText(89), "Radius: 9");
  EXPECT_EQ(tk::gadgetText(174), "Radius: 9");
  EXPECT_EQ(tk::gadgetState(89), 9);
  EXPECT_EQ(SmearBufferSide, 20);
}

TEST_F(ToolsTest, SizePresets) {
  struct Case {
    int item;
    const char *w, *h;
  } cases[] = {{0, "40", "30"}, {1, "32", "32"}, {2, "2480", "3508"}, {3, "1488", "1469"},
               {4, "1263", "1259"}, {5, "1024", "768"}, {6, "800", "600"}, {7, "640", "480"}};
  for (const Case& c : cases) {
    std::string w, h;
    SizePreset(c.item, 2480, 3508, w, h);
    EXPECT_EQ(w, c.w) << c.item;
    EXPECT_EQ(h, c.h) << c.item;
  }
  // the preset combo fills the size fields (no printer here: the page is 0 x 0)
  tk::setGadgetState(67, 6);
  OnToolGadget(67);
  EXPECT_EQ(tk::gadgetText(63), "800");
  EXPECT_EQ(tk::gadgetText(64), "600");
}

TEST_F(ToolsTest, KeepingTheAspectFollowsTheOtherField) {
  MakeImage(40, 30);
  tk::setGadgetState(65, 1);
  tk::setGadgetText(63, "80");
  tk::Event e;
  e.code = tk::EvGadget;
  e.window = 0;
  e.gadget = 63;
  e.type = tk::EtChange;
  tk::postEvent(e);
  ASSERT_EQ(tk::pollEvent(), tk::EvGadget);
  OnToolGadget(63);
  EXPECT_EQ(tk::gadgetText(64), "60");
  tk::setGadgetText(64, "x");
  e.gadget = 64;
  tk::postEvent(e);
  ASSERT_EQ(tk::pollEvent(), tk::EvGadget);
  OnToolGadget(64);
  EXPECT_EQ(tk::gadgetText(63), "0");
  tk::setGadgetState(65, 0);
}

TEST_F(ToolsTest, AdjustRefusesSizesBelowOneOrNoNumber) {
  for (const auto& [w, h] : {std::pair{"0", "10"}, std::pair{"10", ""}, std::pair{"-5", "10"}, std::pair{"abc", "3"}}) {
    SCOPED_TRACE(std::string(w) + " x " + h);
    tk::test::clear();
    tk::test::queueResult(tk::ResultOk);
    tk::setGadgetText(63, w);
    tk::setGadgetText(64, h);
    OnToolGadget(71);
    EXPECT_EQ(tk::test::shown().size(), 1u);
    EXPECT_EQ(bildlang, 39);
    EXPECT_EQ(bildhoch, 29);
  }
}

TEST_F(ToolsTest, AdjustScalesOrPlacesAtTheAnchor) {
  tk::setGadgetText(63, "20");
  tk::setGadgetText(64, "10");
  tk::setGadgetState(68, 0);
  OnToolGadget(71);
  EXPECT_EQ(bildlang, 19);
  EXPECT_EQ(bildhoch, 9);
  // kept picture on a larger canvas, anchored in the middle: the old cells sit at (5, 5)
  MakeImage(10, 10);
  ImagePixels[0] = 0x00010203;
  tk::setGadgetState(68, 1);
  OnToolGadget(68);
  EXPECT_FALSE(tk::gadgetDisabled(69));
  tk::setGadgetState(69, 4);
  tk::setGadgetText(63, "20");
  tk::setGadgetText(64, "20");
  OnToolGadget(71);
  ASSERT_EQ(bildlang, 19);
  EXPECT_EQ(ImagePixels[5 * 20 + 5] & 0xFFFFFF, 0x010203u);
  tk::setGadgetState(68, 0);
  OnToolGadget(68);
  EXPECT_TRUE(tk::gadgetDisabled(69));
}

TEST_F(ToolsTest, TextAndDistortionToolsLockTheZoomAtOne) {
  MakeImage(2000, 1500);
  length = 2.0f;
  tk::setGadgetState(60, 4);
  UpdateZoomedSizes();
  UpdateScrollBars();
  UpdateToolOptions(40);
  EXPECT_FLOAT_EQ(length, 1.0f);
  EXPECT_EQ(tk::gadgetState(60), 3);
  EXPECT_TRUE(tk::gadgetDisabled(60));
  UpdateToolOptions(43);
  EXPECT_TRUE(tk::gadgetDisabled(60));
  UpdateToolOptions(42);
  EXPECT_FALSE(tk::gadgetDisabled(60));
}

TEST_F(ToolsTest, BrushFormChooserTakesTheFirstFormAndCancelChangesNothing) {
  auto answer = [](int row, int button) {
    tk::setGadgetState(491, row);
    tk::Event e;
    e.code = tk::EvGadget;
    e.window = 22;
    e.gadget = button;
    e.type = tk::EtButtonClick;
    tk::postEvent(e);
  };
  tk::clearGadgetItems(491);
  for (const char* name : {"Rund", "Eckig"}) tk::addGadgetItem(491, -1, name);
  for (int32_t tool : {42, 45, 58, 56}) {
    SCOPED_TRACE(tool);
    UpdateToolOptions(tool);
    drawform_current = 5;
    ToolFormStates[8] = 9;
    loops_test::WithOneBoundedTurn([&] {
      answer(0, 493);
      OnToolGadget(88);
    });
    EXPECT_EQ(drawform_current, 0);
    EXPECT_EQ(Image(88), 138);
    EXPECT_EQ(Image(173), 138);
    EXPECT_EQ(ToolFormStates[8], tool == 56 ? 0 : 9);
    loops_test::WithOneBoundedTurn([&] {
      answer(1, 494);
      OnDrawBarGadget(173);
    });
    EXPECT_EQ(drawform_current, 0);
    EXPECT_EQ(ToolFormStates[8], tool == 56 ? 0 : 9);
  }
}

TEST_F(ToolsTest, BackgroundSwatchTakesTheChosenColourAndFillsANewCanvas) {
  tk::test::queueColor(0x102030);   // red 0x30, green 0x20, blue 0x10
  OnToolGadget(70);
  const ImageRecord& rec = ImageRecords[size_t(CurrentImage)];
  EXPECT_EQ(rec.bgcolor[0], 0x10);
  EXPECT_EQ(rec.bgcolor[1], 0x20);
  EXPECT_EQ(rec.bgcolor[2], 0x30);
  EXPECT_EQ(Image(70), 24);
  tk::test::queueColor(-1);          // cancelled: nothing changes
  OnToolGadget(70);
  EXPECT_EQ(ImageRecords[size_t(CurrentImage)].bgcolor[2], 0x30);
  // "Anpassen" with the picture kept fills the new cells with the swatch colour
  MakeImage(4, 4);
  tk::setGadgetState(68, 1);
  tk::setGadgetState(69, 0);
  tk::setGadgetText(63, "6");
  tk::setGadgetText(64, "4");
  OnToolGadget(71);
  ASSERT_EQ(bildlang, 5);
  EXPECT_EQ(ImagePixels[5] & 0xFFFFFF, 0x302010u);   // cells hold blue in byte 0
  EXPECT_EQ(ImagePixels[0] & 0xFFFFFF, 0xFFFFFFu);
  tk::setGadgetState(68, 0);
}
