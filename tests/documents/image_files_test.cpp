// Opening image files into their own slots and saving the active image: the save
// requester's name rules, raster round trips, the readers of every source depth, and
// failures (cancelled, broken, missing, unwritable) that must leave everything as it was.
#include "documents/file_fixture.h"
#include "effects/dialog_driver.h"
#include "file_size_limit.h"

namespace {

struct ImageFilesTest : FileFixture {
  void SetUp() override {
    FileFixture::SetUp();
    MakeImage(11, 6, 1);
  }
  // What must not change when an open fails.
  struct Snapshot {
    int32_t count, current, lastX, lastY;
    std::string path;
    std::vector<PixelCell> pixels;
  };
  static Snapshot Take() { return {ImageCount, CurrentImage, bildlang, bildhoch, ImagePath, ImagePixels}; }
  void ExpectUnchanged(const Snapshot& s) const {
    EXPECT_EQ(ImageCount, s.count);
    EXPECT_EQ(CurrentImage, s.current);
    EXPECT_EQ(bildlang, s.lastX);
    EXPECT_EQ(bildhoch, s.lastY);
    EXPECT_EQ(ImagePath, s.path);
    EXPECT_EQ(ImagePixels, s.pixels);
    EXPECT_FALSE(Exists(Slot(s.current) + "Image.zs")) << "the image was parked";
  }
};

}  // namespace

TEST_F(ImageFilesTest, SaveRequesterNameRules) {
  // typed name, chosen pattern (0 bmp, 1 jpg, 2 png, 3 ico, 4 struc, 5 cod, 6 df), result
  const struct {
    const char* typed;
    int pattern;
    const char* want;
  } cases[] = {
      {"bild", 1, "bild.jpg"},           {"bild.BMP", 2, "bild.png"},    {"bild.jpg", 1, "bild.jpg"},
      {"bild.JPG", 1, "bild.jpg"},       {"bild.PNG", 2, "bild.png"},    {"bild.png", 0, "bild.bmp"},
      {"bild.txt", 0, "bild.txt.bmp"},   {"bild.ICO", 3, "bild.ico"},    {"bild.STRUC", 4, "bild.struc"},
      {"bild.cod", 6, "bild.df"},        {"bild.df", 6, "bild.df"},      {"bild.DF", 5, "bild.cod"},
      {"a.b/bild", 2, "a.b/bild.png"},   {"bild.", 2, "bild..png"},      {"bild.cur", 3, "bild.ico"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    tk::test::queueFileAnswer(c.typed, c.pattern);
    AskSaveFileName();
    EXPECT_EQ(ImagePath, c.want);
    EXPECT_EQ(ImageRecords[1].Extension, c.pattern);
  }
  // Cancelled: the name is empty and the format stays.
  tk::test::queueString("");
  AskSaveFileName();
  EXPECT_EQ(ImagePath, "");
  EXPECT_EQ(ImageRecords[1].Extension, 3);
}

TEST_F(ImageFilesTest, RasterRoundTripsAndEverySourceKindArrivesTopRowFirst) {
  // Written by SaveBitmap and read back; the image is unchanged by the save.
  const std::vector<PixelCell> picture = Picture(64, 48, 9);
  ImageRecords[1].compression = 9;   // the JPEG level written without asking
  for (const char* name : {"rt.bmp", "rt.png", "rt.jpg", "rt.BMP", "rt.txt"}) {
    SCOPED_TRACE(name);
    SetImageDimensions(48, 64, 1);
    ImagePixels = picture;
    ASSERT_EQ(SaveBitmap(folder + name, 1), 1);
    EXPECT_EQ(ImagePixels, picture);
    SetImageDimensions(1, 1, 1);
    ASSERT_EQ(LoadBitmapImage(folder + name), 1);
    EXPECT_EQ(bildlang, 63);
    EXPECT_EQ(bildhoch, 47);
    EXPECT_TRUE(Near(ImagePixels, picture, std::string(name) == "rt.jpg" ? 16 : 0));
    for (PixelCell c : ImagePixels) ASSERT_EQ(c >> 24, 0u) << "opaque sources bring no flags";
  }
  // bild.txt was written as BMP.
  EXPECT_EQ(Bytes(folder + "rt.txt")[0], 'B');

  // TGA and TIFF are read.
  RasterSamples(9, 5);
  for (auto [name, seed] : {std::pair{"sample.tga", 4}, std::pair{"sample.tif", 5}}) {
    SCOPED_TRACE(name);
    ASSERT_EQ(LoadBitmapImage(folder + name), 1);
    EXPECT_EQ(ImagePixels, Picture(9, 5, seed));
  }

  // An 8-bit palette BMP and a 16-bit (5-5-5) BMP, rows given top first.
  Write("eight.bmp", HandBmp(3, 2, 8, {0x0000FF, 0x00FF00, 0xFF0000, 0x123456}, {0, 1, 2, 3, 3, 0}));
  ASSERT_EQ(LoadBitmapImage(folder + "eight.bmp"), 1);
  EXPECT_EQ(ImagePixels, (std::vector<PixelCell>{0x0000FF, 0x00FF00, 0xFF0000, 0x123456, 0x123456, 0x0000FF}));
  // 5-5-5: blue bits 0-4, green 5-9, red 10-14; full channels only, which every scaling keeps.
  const uint16_t red = 0x7C00, green = 0x03E0, blue = 0x001F, white = 0x7FFF;
  ByteVec rows;
  for (uint16_t v : {red, green, blue, white}) FileFixture::Put16(rows, v);
  Write("sixteen.bmp", HandBmp(2, 2, 16, {}, rows));
  ASSERT_EQ(LoadBitmapImage(folder + "sixteen.bmp"), 1);
  EXPECT_EQ(ImagePixels, (std::vector<PixelCell>{0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF}));
}

TEST_F(ImageFilesTest, OpenedFilesLandInTheirOwnSlotsAndTheParkedImageStays) {
  const std::vector<PixelCell> first = ImagePixels;
  RasterSamples(64, 48);
  std::rename((folder + "sample.png").c_str(), (folder + "Sommerurlaub.png").c_str());
  const std::string files[] = {"sample.bmp", "Sommerurlaub.png", "sample.jpg", "sample.tga", "sample.tif"};
  const int extensions[] = {0, 2, 1, 255, 255};
  const int seeds[] = {1, 2, 3, 4, 5};
  for (int i = 0; i < 5; ++i) {
    SCOPED_TRACE(files[i]);
    tk::test::queueString(folder + files[i]);
    OpenImageFile();
    ASSERT_EQ(ImageCount, 2 + i);
    EXPECT_EQ(CurrentImage, 2 + i);
    EXPECT_EQ(ImagePath, folder + files[i]);
    EXPECT_EQ(ImageRecords[CurrentImage].DisplayName, folder + files[i]);
    EXPECT_EQ(ImageRecords[CurrentImage].Extension, extensions[i]);
    EXPECT_EQ(ImageRecords[CurrentImage].compression, 7);
    EXPECT_EQ(ImageRecords[CurrentImage].laenge, 63);
    EXPECT_EQ(bildhoch, 47);
    EXPECT_EQ(NextMode, ModeDraw);
    EXPECT_TRUE(Near(ImagePixels, Picture(64, 48, seeds[i]), files[i] == std::string("sample.jpg") ? 16 : 0));
    for (int k = 1; k <= 10; ++k) EXPECT_EQ(tk::gadgetState(160 + k), k == CurrentImage ? 1 : 0);
  }
  EXPECT_EQ(tk::gadgetText(163), "Sommerur..");
  EXPECT_EQ(tk::gadgetText(162), "sample.bmp");
  // The first image was parked whole and comes back.
  SwitchImage(1);
  EXPECT_EQ(ImagePixels, first);
  SwitchImage(3);
  EXPECT_EQ(ImagePixels, Picture(64, 48, 2));
  EXPECT_EQ(ImagePath, folder + "Sommerurlaub.png");
}

TEST_F(ImageFilesTest, FailedOpensLeaveEverythingAsItWas) {
  Write("broken.png", {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13, 'I', 'H', 'D', 'R'});
  Write("broken.jpg", {0xFF, 0xD8, 0xFF, 0xE0, 0, 16, 'J', 'F', 'I', 'F'});
  Write("text.bmp", {'h', 'a', 'l', 'l', 'o'});
  Write("cut.struc", {2, 0, 0, 0, 1, 0, 0, 0, 1, 2, 3});
  Write("huge.struc", {0xFF, 0xFF, 0xFF, 0x7F, 0xFF, 0xFF, 0xFF, 0x7F, 1});
  Write("huge.df", {0xFF, 0xFF, 0, 0, 0, 0, 1, 2, 3});
  Write("count.ico", {0, 0, 1, 0, 0xFF, 0xFF, 16, 16, 0, 0, 1, 0, 8, 0, 0x68, 5, 0, 0, 22, 0, 0, 0});
  Write("offset.ico", {0, 0, 1, 0, 1, 0, 16, 16, 0, 0, 1, 0, 8, 0, 0x68, 5, 0, 0, 0xF0, 0xFF, 0xFF, 0xFF});
  Write("nothing.trb", {1, 2, 3});
  const struct {
    const char* file;
    const char* message;   // the start of the text shown
  } cases[] = {
      {"missing.png", "Error|Datei nicht gefunden"},
      {"broken.png", "Error|Die Datei ist beschädigt"},
      {"broken.jpg", "Error|Die Datei ist beschädigt"},
      {"text.bmp", "Error|Die Datei ist beschädigt"},
      {"cut.struc", "Fehler|Die Datei ist beschädigt"},
      {"huge.struc", "Fehler|Die Datei ist beschädigt"},
      {"huge.df", "Fehler|Die Datei ist beschädigt"},
      {"count.ico", "Fehler|Die Datei ist beschädigt"},
      {"nothing.trb", "Error|Dieses Dateiformat kann nicht geöffnet werden"},
  };
  const Snapshot before = Take();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    tk::test::clear();
    tk::test::queueString(folder + c.file);
    tk::test::queueResult(tk::ResultOk);
    OpenImageFile();
    ASSERT_EQ(tk::test::shown().size(), 2u);
    EXPECT_EQ(tk::test::shown()[1].rfind(c.message, 0), 0u) << tk::test::shown()[1];
    ExpectUnchanged(before);
  }
  // An icon whose only entry lies past the end: the chooser offers it, the choice fails.
  tk::test::clear();
  tk::test::queueString(folder + "offset.ico");
  tk::test::queueResult(tk::ResultOk);
  tk::Event click;
  click.code = tk::EvGadget;
  click.window = 33;
  click.gadget = 797;
  tk::postEvent(click);
  OpenImageFile();
  EXPECT_FALSE(tk::isWindow(33));
  ExpectUnchanged(before);
  // Cancelled requester.
  tk::test::queueString("");
  OpenImageFile();
  ExpectUnchanged(before);
  // The eleventh image is refused before any requester.
  tk::test::clear();
  ImageCount = 10;
  tk::test::queueResult(tk::ResultOk);
  OpenImageFile();
  ASSERT_EQ(tk::test::shown().size(), 1u);
  EXPECT_EQ(tk::test::shown()[0].rfind("Nicht möglich|Sie können nicht mehr als 10 Bilder", 0), 0u);
  EXPECT_EQ(ImageCount, 10);
}

TEST_F(ImageFilesTest, SaveAsksForANameWhenNeededAndKeepsTheOldOneOnCancelOrFailure) {
  // Never saved: Save asks; cancelled, nothing changes.
  ImageRecords[1].Extension = 255;
  tk::test::queueString("");
  EXPECT_EQ(SaveImage(), 0);
  EXPECT_EQ(ImagePath, "");
  // Named and written as PNG; the tab takes the whole file name.
  tk::test::queueFileAnswer(folder + "erstes_bild", 2);
  ASSERT_EQ(SaveImage(), 1);
  EXPECT_EQ(ImagePath, folder + "erstes_bild.png");
  EXPECT_EQ(tk::gadgetText(161), "erstes_bild.png");
  EXPECT_EQ(ImageRecords[1].DisplayName, folder + "erstes_bild.png");
  const ByteVec written = Bytes(folder + "erstes_bild.png");
  ASSERT_GT(written.size(), 8u);
  // Save as, cancelled: the old path, format and tab stay.
  tk::test::queueString("");
  EXPECT_EQ(SaveImageAs(), 0);
  EXPECT_EQ(ImagePath, folder + "erstes_bild.png");
  EXPECT_EQ(ImageRecords[1].Extension, 2);
  // Save as into a folder that does not exist: told, the old name stays.
  tk::test::clear();
  tk::test::queueFileAnswer(folder + "fehlt/bild.bmp", 0);
  tk::test::queueResult(tk::ResultOk);
  EXPECT_EQ(SaveImageAs(), 0);
  EXPECT_EQ(tk::test::shown().back().rfind("Fehler|Die Datei konnte nicht gespeichert werden", 0), 0u);
  EXPECT_EQ(ImagePath, folder + "erstes_bild.png");
  EXPECT_EQ(ImageRecords[1].Extension, 2);
  EXPECT_EQ(tk::gadgetText(161), "erstes_bild.png");
  // A full disk: told, and the old file is whole.
  MakeImage(300, 300, 7);
  {
    FileSizeLimit limit(written.size() / 2);
    ASSERT_TRUE(limit.ok);
    tk::test::queueResult(tk::ResultOk);
    EXPECT_EQ(SaveImage(), 0);
  }
  EXPECT_EQ(Bytes(folder + "erstes_bild.png"), written);
  // Every own format reports a failed write too.
  for (const char* name : {"x.ico", "x.struc", "x.cod", "x.df"}) {
    SCOPED_TRACE(name);
    tk::test::clear();
    MakeImage(4, 4, 1);
    if (std::string(name) == "x.ico") {
      tk::deferToNextWait([] {
        tk::setGadgetState(794, 1);
        tk::Event ok;
        ok.code = tk::EvGadget;
        ok.window = 32;
        ok.gadget = 795;
        tk::postEvent(ok);
      });
    }
    tk::test::queueResult(tk::ResultOk);
    EXPECT_EQ(WriteImageFile(folder + "fehlt/" + name), 0);
    EXPECT_EQ(tk::test::shown().back().rfind("Fehler|", 0), 0u);
  }
}

TEST_F(ImageFilesTest, ImagesFromFormatsThatCannotBeWrittenAreSavedUnderANewName) {
  RasterSamples(5, 3);
  for (const char* name : {"sample.tif", "sample.tga"}) {
    SCOPED_TRACE(name);
    tk::test::queueString(folder + name);
    OpenImageFile();
    ASSERT_EQ(ImagePath, folder + name);
    const ByteVec original = Bytes(folder + name);
    const std::string target = folder + "aus_" + name + ".bmp";
    tk::test::queueFileAnswer(target, 0);
    ASSERT_EQ(SaveImage(), 1);
    EXPECT_EQ(ImagePath, target);
    EXPECT_EQ(ImageRecords[CurrentImage].Extension, 0);
    EXPECT_EQ(Bytes(folder + name), original);
    ASSERT_EQ(LoadBitmapImage(target), 1);
    EXPECT_EQ(ImagePixels, Picture(5, 3, std::string(name) == "sample.tif" ? 5 : 4));
  }
}

TEST_F(ImageFilesTest, JpegQualityComesFromTheRecordAndACancelWritesNothing) {
  MakeImage(40, 30, 3);
  ImagePixels = Picture(40, 30, 3);
  ImageRecords[1].compression = 0;
  {
    // the quality question shows the record's level; "OK" keeps it
    dialog_test::Drive d(16, {[] {
                           EXPECT_EQ(tk::gadgetState(623), 0);
                           dialog_test::Drive::Click(624);
                         }});
    ASSERT_EQ(SaveBitmap(folder + "low.jpg", 0), 1);
  }
  ImageRecords[1].compression = 10;
  {
    // the quality question shows the record's level; "OK" keeps it
    dialog_test::Drive d(16, {[] {
                           EXPECT_EQ(tk::gadgetState(623), 10);
                           dialog_test::Drive::Click(624);
                         }});
    ASSERT_EQ(SaveBitmap(folder + "high.jpg", 0), 1);
  }
  EXPECT_LT(Bytes(folder + "low.jpg").size(), Bytes(folder + "high.jpg").size());
  ImageRecords[1].compression = -1;   // the quality question was cancelled
  EXPECT_EQ(SaveBitmap(folder + "none.jpg", 1), 0);
  EXPECT_FALSE(Exists(folder + "none.jpg"));
}
