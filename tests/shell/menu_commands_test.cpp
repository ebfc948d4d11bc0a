// The main menu, the view menu, the image keys, the colour gadgets and the colour choosing.
#include <gtest/gtest.h>

#include <string>

#include "documents/documents.h"
#include "effects/effects.h"
#include "shell/loops_fixture.h"
#include "shell/shell.h"
#include "toolkit/toolkit.h"

using loops_test::EnsureProgramStarted;

TEST(MenuHelpers, NamesTabsGridAndArrowSteps) {
  EXPECT_EQ(BrushFormDefaultName("Foto.jpeg"), "Foto");
  EXPECT_EQ(BrushFormDefaultName("Foto.bmp"), "Foto");
  EXPECT_EQ(BrushFormDefaultName("Muster.struc"), "Muster");
  EXPECT_EQ(BrushFormDefaultName("ohne"), "ohne");
  EXPECT_EQ(TabLabel("Zwoelf_Zeich"), "Zwoelf_Z..");
  EXPECT_EQ(TabLabel("Zehn_Zeich"), "Zehn_Zeich");

  const int32_t cm4800[6] = {81, 162, 242, 323, 404, 485};
  for (int step = 0; step < 6; ++step) {
    EXPECT_EQ(CentimetreGridSpacing(4800, step), cm4800[step]) << step;
    EXPECT_EQ(CentimetreGridSpacing(0, step), 2) << step;   // no printer
  }

  struct Arrow { int32_t pos, max, dir, ctrl, shift, want; };
  const Arrow arrows[] = {{70, 100, 1, 1, 1, 100}, {0, 100, -1, 0, 0, 0}, {5, 100, 1, 1, 0, 15},
                          {60, 100, -1, 0, 1, 10}, {99, 100, 1, 0, 0, 100}};
  for (const Arrow& a : arrows) EXPECT_EQ(ArrowScroll(a.pos, a.max, a.dir, a.ctrl, a.shift), a.want);
}

TEST(ColourHelpers, HexBrightnessContrastAndFields) {
  struct Hex { const char* text; int r, g, b; };
  const Hex hexes[] = {{"FF", 0, 0, 255}, {"FF8000", 255, 128, 0}, {"ff800012", 255, 128, 0},
                       {"", 0, 0, 0}, {"zz10", 0, 0, 16}};
  for (const Hex& h : hexes) {
    uint8_t r, g, b;
    HexColour(h.text, &r, &g, &b);
    EXPECT_EQ(int(r), h.r) << h.text;
    EXPECT_EQ(int(g), h.g) << h.text;
    EXPECT_EQ(int(b), h.b) << h.text;
  }
  int32_t r, g, b;
  BrightnessColour(0.5f, 0.5f, 0.0f, 600, &r, &g, &b);
  EXPECT_EQ(r, 255);
  EXPECT_EQ(g, 255);
  EXPECT_EQ(b, 55);
  EXPECT_EQ(ContrastColour(0x1000FF), 0x90807Fu);
  EXPECT_EQ(ColourHexText(255, 0, 16), "FF0010");
  // The number fields clamp instead of keeping the low byte.
  EXPECT_EQ(ClampedChannelText("-5"), 0);
  EXPECT_EQ(ClampedChannelText("300"), 255);
  EXPECT_EQ(ClampedChannelText("abc"), 0);
  EXPECT_EQ(ClampedChannelText("77"), 77);
}

TEST(ColourChoosing, RatiosOfBlackAndElevenPushes) {
  EnsureProgramStarted();
  Rot = Gruen = Blau = 0;
  UpdateColourRatios();
  EXPECT_FLOAT_EQ(TintShareRed, 1.0f / 3.0f);
  EXPECT_FLOAT_EQ(TintShareGreen, TintShareBlue);
  for (int k = 1; k <= 11; ++k) {
    Rot = uint8_t(k);
    Gruen = 0;
    Blau = 0;
    EXPECT_EQ(CurrentColourChanged(), 1);
    PushRecentColour();
    EXPECT_EQ(CurrentColourChanged(), 0);
  }
  auto at = [](int image) {
    tk::startDrawing(tk::imageOutput(image));
    const uint32_t c = tk::point(10, 10) & 0xFFFFFF;
    tk::stopDrawing();
    return c;
  };
  EXPECT_EQ(at(59), 11u);
  EXPECT_EQ(at(68), 2u);   // the first push has left the strip
  // A swatch makes its colour the drawing colour and the fields follow.
  OnSwatch(392 + 68);
  EXPECT_EQ(int(Rot), 2);
  EXPECT_EQ(tk::gadgetText(822), "020000");
  EXPECT_EQ(tk::gadgetText(806), "2");
}

TEST(MainMenu, CancelledRequestersChangeNothing) {
  EnsureProgramStarted();
  ASSERT_GE(ImageCount, 1);
  Rot = 10;
  Gruen = 20;
  Blau = 30;
  UpdateColourDisplays();
  const std::vector<PixelCell> before = ImagePixels;
  // Filling, colour bars and colouring run nothing with white after a cancel.
  for (int id : {146, 78, 106, 59}) {
    tk::test::queueColor(-1);
    OnMainMenu(id);
    EXPECT_EQ(ImagePixels, before) << id;
    EXPECT_EQ(int(Rot), 10) << id;
    EXPECT_EQ(tk::test::pending(), 0) << id;
  }
  // An empty rename keeps the tab's text and the name.
  const std::string tab = tk::gadgetText(160 + CurrentImage);
  const std::string name = ImageRecords[CurrentImage].DisplayName;
  tk::test::queueString("");
  OnMainMenu(27);
  EXPECT_EQ(tk::gadgetText(160 + CurrentImage), tab);
  EXPECT_EQ(ImageRecords[CurrentImage].DisplayName, name);
  // A long name: 8 characters and ".."; the folder of the stored name stays.
  ImageRecords[CurrentImage].DisplayName = "/bilder/alt.png";
  tk::test::queueString("Zwoelf_Zeich");
  OnMainMenu(27);
  EXPECT_EQ(tk::gadgetText(160 + CurrentImage), "Zwoelf_Z..");
  EXPECT_EQ(ImageRecords[CurrentImage].DisplayName, "/bilder/Zwoelf_Zeich");
}

TEST(MainMenu, GridAndUnlistedIds) {
  EnsureProgramStarted();
  tk::testSetPrinter(4800, 6000);
  OnMainMenu(178);
  EXPECT_EQ(GridActive, 1);
  EXPECT_EQ(GridWidth, 162);
  EXPECT_TRUE(tk::menuItemChecked(0, 178));
  EXPECT_TRUE(tk::menuItemChecked(1, 178));
  EXPECT_FALSE(tk::menuItemChecked(0, 170));
  tk::testSetPrinter(-2, -2);
  OnMainMenu(177);
  EXPECT_EQ(GridWidth, 2);
  tk::testSetPrinter(-1, -1);
  OnMainMenu(170);
  EXPECT_EQ(GridActive, 0);
  const std::vector<PixelCell> before = ImagePixels;
  for (int id : {2, 3, 4, 12, 13, 76, 77, 115, 116, 203}) EXPECT_NO_THROW(OnMainMenu(id)) << id;
  EXPECT_EQ(ImagePixels, before);
}
