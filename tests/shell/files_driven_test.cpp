// Image files through the real main window after the real start-up: a PNG, JPEG, BMP,
// TIFF and TGA opened through the Open requester (answers from the test queue) each land
// in a tab of their own with their size and pixels, the tabs switch between them through
// the draw loop, and each is saved back (TIFF and TGA under a new name, asked for).
#include <filesystem>
#include <optional>

#include "documents/file_fixture.h"
#include "effects/dialog_driver.h"
#include "loops_fixture.h"

using namespace loops_test;

TEST_F(LoopsTest, FiveRasterFilesOpenedIntoTheirOwnTabsAndSavedBack) {
  const std::string folder = tk::programFolder() + "Bilder/";
  std::filesystem::create_directories(folder);
  const int w = 64, h = 48;
  auto picture = [&](int seed) { return FileFixture::CodecPicture(w, h, seed); };
  std::vector<uint8_t> b;
  ASSERT_TRUE(tk::codec::encodePNG(picture(1), b));
  tk::writeWholeFile(folder + "eins.png", b.data(), b.size());
  b.clear();
  ASSERT_TRUE(tk::codec::encodeJPEG(picture(2), b, 95));
  tk::writeWholeFile(folder + "zwei.jpg", b.data(), b.size());
  b.clear();
  ASSERT_TRUE(tk::codec::encodeBMP(picture(3), b, 24));
  tk::writeWholeFile(folder + "drei.bmp", b.data(), b.size());
  ASSERT_TRUE(FileFixture::WriteTiff(folder + "vier.tif", picture(4)));
  b = FileFixture::HandTga(picture(5));
  tk::writeWholeFile(folder + "fuenf_mit_langem_namen.tga", b.data(), b.size());
  const std::string names[5] = {"eins.png", "zwei.jpg", "drei.bmp", "vier.tif", "fuenf_mit_langem_namen.tga"};
  const std::string tabs[5] = {"eins.png", "zwei.jpg", "drei.bmp", "vier.tif", "fuenf_mi.."};

  tk::test::clear();
  const int32_t before = ImageCount;
  ASSERT_LE(before + 5, 10);
  for (int i = 0; i < 5; ++i) {
    SCOPED_TRACE(names[i]);
    tk::test::queueString(folder + names[i]);
    OpenImageFile();
    ASSERT_EQ(ImageCount, before + 1 + i);
    const int slot = ImageCount;
    EXPECT_EQ(CurrentImage, slot);
    EXPECT_EQ(NextMode, ModeDraw);
    EXPECT_FALSE(tk::gadgetHidden(160 + slot));
    EXPECT_EQ(tk::gadgetText(160 + slot), tabs[i]);
    for (int k = 1; k <= 10; ++k) EXPECT_EQ(tk::gadgetState(160 + k), k == slot ? 1 : 0);
    EXPECT_EQ(tk::gadgetText(63), std::to_string(w));
    EXPECT_EQ(tk::gadgetText(64), std::to_string(h));
    EXPECT_FALSE(tk::gadgetHidden(9));
    EXPECT_TRUE(FileFixture::Near(ImagePixels, FileFixture::Picture(w, h, i + 1), i == 1 ? 16 : 0));
  }
  EXPECT_EQ(tk::test::shown(), std::vector<std::string>(5, "Öffnen"));

  // The tabs switch between them through the draw loop.
  for (int i : {2, 0, 4}) {
    tk::drainEvents();
    Post(tk::EvGadget, 0, 160 + before + 1 + i, -1, tk::EtButtonClick);
    RunOneTurn(ModeDraw);
    ASSERT_EQ(CurrentImage, before + 1 + i);
    EXPECT_EQ(ImagePath, folder + names[i]);
    EXPECT_TRUE(FileFixture::Near(ImagePixels, FileFixture::Picture(w, h, i + 1), i == 1 ? 16 : 0));
  }

  // Each saved back: PNG, JPEG and BMP in place, TIFF and TGA under a name asked for.
  for (int i = 0; i < 5; ++i) {
    SCOPED_TRACE(names[i]);
    tk::drainEvents();
    Post(tk::EvGadget, 0, 160 + before + 1 + i, -1, tk::EtButtonClick);
    RunOneTurn(ModeDraw);
    ASSERT_EQ(CurrentImage, before + 1 + i);
    ImagePixels[0] = 0x00102030;   // a change that the saved file must carry
    const bool asks = i >= 3;
    const std::string target = asks ? folder + "gespeichert" + std::to_string(i) : folder + names[i];
    if (asks) tk::test::queueFileAnswer(target, 2);
    {
      // the JPEG asks for its quality: "OK" takes the one shown
      std::optional<dialog_test::Drive> quality;
      if (i == 1) quality.emplace(16, std::vector<dialog_test::Step>{[] { dialog_test::Drive::Click(624); }});
      ASSERT_EQ(SaveImage(), 1);
    }
    const std::string written = asks ? target + ".png" : target;
    EXPECT_EQ(ImagePath, written);
    std::vector<PixelCell> expected = FileFixture::Picture(w, h, i + 1);
    expected[0] = 0x00102030;
    ASSERT_EQ(LoadBitmapImage(written), 1);
    EXPECT_TRUE(FileFixture::Near(ImagePixels, expected, i == 1 ? 40 : 0));
  }
  EXPECT_EQ(tk::test::pending(), 0);
  tk::test::clear();
}
