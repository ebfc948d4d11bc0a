// New images (the limit of ten, blank palette images, the first undo step) and the picture
// buffers (whole image and shaped areas back as the floating area, their menu labels,
// broken files), and the wallpaper with nobody to take it.
#include <cstdlib>
#include <fstream>

#include "documents/slot_fixture.h"

namespace {

using NewImageTest = SlotFixture;
using BufferTest = SlotFixture;

}  // namespace

TEST_F(NewImageTest, TenImagesAtMostAndEachStartsBlank) {
  OpenImages(9);
  CreateImageSlot(29, 19, 200, 100, 50, 0, 0, "Zehn");
  EXPECT_EQ(ImageCount, 10);
  EXPECT_EQ(CurrentImage, 10);
  EXPECT_EQ(ImagePixels, std::vector<PixelCell>(30 * 20, 0x00C86432));
  EXPECT_EQ(ImageRecords[10].Extension, 255);
  EXPECT_EQ(ImageRecords[10].WindowState, 9);
  EXPECT_EQ(ImageRecords[10].bgcolor[0], 255);
  EXPECT_EQ(undostate, 1);
  EXPECT_EQ(tk::gadgetState(170), 1);
  EXPECT_FALSE(tk::gadgetHidden(170));
  // Its first undo point is step 1, so the first undo finds it.
  ASSERT_EQ(CreateUndoPoint(), 1);
  EXPECT_TRUE(Exists(Slot(10) + "Undo1.undo"));

  tk::test::queueResult(tk::ResultOk);
  CreateImageSlot(9, 9, 0, 0, 0, 0, 0, "Elf");
  EXPECT_EQ(tk::test::shown(),
            std::vector<std::string>{"Kein Weiteres Bild möglich|Bitte schließen sie ein Bild, bevor sie ein neues Öffnen"});
  EXPECT_EQ(ImageCount, 10);
  EXPECT_EQ(bildlang, 29);
  // Every image is still there.
  SwitchImage(4);
  EXPECT_EQ(ImagePixels, Pattern(14, 9, 4));
}

TEST_F(NewImageTest, PaletteImageHoldsTheEntryInEveryIndexCell) {
  OpenImages(1);
  CreateImageSlot(3, 2, 9, 8, 7, 1, 200, "Palette");
  EXPECT_EQ(Colornumber, 1);
  EXPECT_EQ(IndexPlane.size(), 12u);
  CreateBitmap(3, 2, 1, 9, 8, 7, 200);   // the index plane as the blank image leaves it
  EXPECT_EQ(IndexPlane, std::vector<uint8_t>(12, 200));
  EXPECT_EQ(ImagePixels, std::vector<PixelCell>(12, 0x00090807));
}

TEST_F(BufferTest, WholeImageRecalledAtTheOriginCoversItAndShapedAreasKeepTheirShape) {
  OpenImages(1);
  ImagePixels[3] |= 0x05000000;   // stored without the image's flags
  ASSERT_EQ(StoreImageBuffer(1, "ganz"), 1);
  RecallBuffer(1, 0, 0);
  EXPECT_EQ(areamark, 2);
  EXPECT_EQ(startx, 0);
  EXPECT_EQ(starty, 0);
  EXPECT_EQ(arealang, bildlang);
  EXPECT_EQ(areahoch, bildhoch);
  std::vector<PixelCell> expected = Pattern(11, 6, 1);
  for (PixelCell& c : expected) c |= 0x01000000;
  EXPECT_EQ(AreaPixels, expected);
  EXPECT_EQ(ImageRecords[1].WindowState, 120);

  // A lasso-shaped area: cells outside keep flag 0.
  arealang = 2;
  areahoch = 1;
  AreaPixels = Pattern(3, 2, 9);
  AreaPixels[0] |= 0x01000000;
  AreaPixels[4] |= 0x01000000;
  const std::vector<PixelCell> shaped = AreaPixels;
  ASSERT_EQ(StoreAreaBuffer(10, "Form"), 1);
  RecallBuffer(10, 4, 2);
  EXPECT_EQ(AreaPixels, shaped);
  EXPECT_EQ(startx, 4);
  EXPECT_EQ(oldx, 6);
  EXPECT_EQ(oldy, 3);
}

TEST_F(BufferTest, LabelsGoToBothEntriesOfTheirBufferOnly) {
  tk::createMenu(1, 0);
  tk::menuTitle("Bild");
  for (int k = 1; k <= 10; ++k) tk::menuItem(156 + k, std::to_string(k) + ".) <Leer>");
  tk::menuItem(167, "Bild in Zwischenspeicher legen");
  tk::createPopupMenu(17);
  for (int k = 1; k <= 10; ++k) tk::menuItem(244 + k, std::to_string(k) + ".)<Leer>");
  OpenImages(1);
  ASSERT_EQ(StoreImageBuffer(3, "Himmel"), 1);
  ASSERT_EQ(StoreImageBuffer(10, "Letzter"), 1);
  EXPECT_EQ(tk::menuItemText(1, 159), "3.) Himmel");
  EXPECT_EQ(tk::menuItemText(17, 247), "3.) Himmel");
  EXPECT_EQ(tk::menuItemText(1, 166), "10.) Letzter");
  EXPECT_EQ(tk::menuItemText(17, 254), "10.) Letzter");
  EXPECT_EQ(tk::menuItemText(1, 167), "Bild in Zwischenspeicher legen");
  EXPECT_EQ(tk::menuItemText(1, 160), "4.) <Leer>");
  EXPECT_EQ(PictureBufferLabels[3], "Himmel");
  tk::freeMenu(1);
  tk::freeMenu(17);
}

TEST_F(BufferTest, MissingOrBrokenBufferChangesNothing) {
  OpenImages(1);
  RecallBuffer(2, 0, 0);   // never stored: nothing at all
  EXPECT_EQ(areamark, 0);
  const struct { const char* what; std::vector<int32_t> longs; } broken[] = {
      {"cells missing", {1, 1, 7, 7, 7}},
      {"negative extent", {-1, 0}},
      {"absurd extent", {0x7FFFFFFF, 0x7FFFFFFF}},
  };
  for (const auto& b : broken) {
    SCOPED_TRACE(b.what);
    std::ofstream(folder + "Undo/Undo1/Buffer4.buf", std::ios::binary)
        .write(reinterpret_cast<const char*>(b.longs.data()), std::streamsize(b.longs.size() * 4));
    tk::test::queueResult(tk::ResultOk);
    RecallBuffer(4, 0, 0);
    EXPECT_EQ(tk::test::shown(), std::vector<std::string>{"Fehler|Der Zwischenspeicher 4 ist beschädigt."});
    tk::test::clear();
    EXPECT_EQ(areamark, 0);
    EXPECT_EQ(AreaPixels.size(), 1u);
  }
}

TEST_F(BufferTest, WallpaperWithNobodyAnsweringOnlyTellsTheUser) {
  OpenImages(1);
  unsetenv("DBUS_SESSION_BUS_ADDRESS");
  tk::test::queueResult(tk::ResultOk);
  SetAsWallpaper();
  EXPECT_EQ(tk::test::shown(),
            std::vector<std::string>{
                "Fehler|Der Desktop hat nicht geantwortet: das Hintergrundbild konnte nicht gesetzt werden."});
  EXPECT_EQ(ImagePixels, Pattern(11, 6, 1));
  EXPECT_FALSE(Exists(folder + "Undo/Undo1/Wallpaper.bmp"));
  // With a desktop that takes it, the copy of the image is what it gets.
  std::vector<std::string> record;
  tk::testSetShellRecorder(&record);
  SetAsWallpaper();
  tk::testSetShellRecorder(nullptr);
  ASSERT_EQ(record.size(), 1u);
  EXPECT_EQ(record[0], "wallpaper|" + folder + "Undo/Undo1/Wallpaper.bmp");
  EXPECT_GT(tk::fileSizeOf("Undo/Undo1/Wallpaper.bmp"), 11 * 6 * 3);
}
