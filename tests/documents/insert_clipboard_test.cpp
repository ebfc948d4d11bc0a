// Pictures in and out: copy and paste inside the program keep the shape, foreign pictures
// paste whole, failed pastes change nothing, quiet and interactive inserts, cuts, and the
// paste command's availability.
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>

#include "documents/slot_fixture.h"

namespace {

struct InsertClipboardTest : SlotFixture {
  void SetUp() override {
    SlotFixture::SetUp();
    tk::clearClipboard();
    NextMode = 0;
  }
  void TearDown() override {
    tk::clearClipboard();
    tk::freeImage(24);
    NextMode = 0;
    SlotFixture::TearDown();
  }
  // A foreign program's picture: 3 x 2 cells of one colour with the given fourth byte.
  static void ForeignPicture(QImage::Format format, uint32_t argb) {
    QImage img(3, 2, format);
    img.fill(argb);
    auto* m = new QMimeData;
    m->setImageData(img);
    QGuiApplication::clipboard()->setMimeData(m);
  }
};

PixelCell Flag(PixelCell c) { return c >> 24; }

}  // namespace

TEST_F(InsertClipboardTest, CopyAndPasteInsideTheProgramKeepTheShape) {
  MakeImage(8, 8, 1);
  AreaPixels = {0x00112233, 0x01445566, 0x02778899, 0x01AABBCC};
  arealang = areahoch = 1;
  CopyAreaToClipboard();
  // Other programs see an opaque picture.
  const QImage shown = qvariant_cast<QImage>(QGuiApplication::clipboard()->mimeData()->imageData());
  EXPECT_FALSE(shown.hasAlphaChannel());
  EXPECT_EQ(shown.pixel(0, 0), 0xFF112233u);

  const std::vector<PixelCell> copied = AreaPixels;
  AreaPixels.assign(1, 0);
  arealang = areahoch = 0;
  PasteClipboardImage(3, 4);
  EXPECT_EQ(AreaPixels, copied);
  EXPECT_EQ(arealang, 1);
  EXPECT_EQ(startx, 3);
  EXPECT_EQ(starty, 4);
  EXPECT_EQ(oldx, 4);
  EXPECT_EQ(areamark, 2);
  EXPECT_EQ(NextMode, ModeArea);
  EXPECT_EQ(ImageRecords[CurrentImage].WindowState, 120);
  EXPECT_TRUE(tk::isImage(22));
}

TEST_F(InsertClipboardTest, ForeignPicturesPasteAsAFullRectangle) {
  // An opaque picture, and one whose fourth byte is 0 everywhere.
  for (auto [format, argb] : {std::pair{QImage::Format_RGB32, 0xFF336699u},
                              std::pair{QImage::Format_ARGB32, 0x00336699u}}) {
    SCOPED_TRACE(int(format));
    MakeImage(8, 8, 1);
    ForeignPicture(format, argb);
    PasteClipboardImage(1, 1);
    ASSERT_EQ(arealang, 2);
    ASSERT_EQ(areahoch, 1);
    for (PixelCell c : AreaPixels) EXPECT_EQ(Flag(c), 1u);
    if (format == QImage::Format_RGB32) EXPECT_EQ(AreaPixels[0] & 0xFFFFFF, 0x336699u);
  }
}

TEST_F(InsertClipboardTest, FailedPasteLeavesPositionAndAreaAlone) {
  MakeImage(8, 8, 1);
  AreaPixels = {0x01010101};
  startx = 5;
  starty = 6;
  areamark = 0;
  // Nothing on the clipboard, then private cells that are broken with no picture beside them.
  tk::test::queueResult(tk::ResultOk);
  PasteClipboardImage(1, 2);
  auto* m = new QMimeData;
  m->setData("application/x-corvalen-cells", QByteArray("\x05\0\0\0\x05\0\0\0short", 13));
  QGuiApplication::clipboard()->setMimeData(m);
  tk::test::queueResult(tk::ResultOk);
  PasteClipboardImage(1, 2);
  ASSERT_EQ(tk::test::shown().size(), 2u);
  EXPECT_EQ(tk::test::shown()[0], "Einfügen|Kein Bild in der Zwischenablage vorhanden");
  EXPECT_EQ(tk::test::shown()[1].substr(0, 21), "Problem beim Einfügen");
  EXPECT_EQ(startx, 5);
  EXPECT_EQ(starty, 6);
  EXPECT_EQ(areamark, 0);
  EXPECT_EQ(AreaPixels, std::vector<PixelCell>{0x01010101});
}

TEST_F(InsertClipboardTest, InsertFromFileQuietlyOrWithThePanel) {
  MakeImage(8, 8, 1);
  const std::string file = folder + "bild.png";
  ASSERT_EQ(tk::createImage(40, 3, 2, 24, 0x0000FF), 40);   // red
  ASSERT_TRUE(tk::saveImage(40, file, tk::FormatPNG));
  tk::freeImage(40);

  InsertImageFile(file, 2, 3, 1);
  EXPECT_EQ(areamark, 2);
  EXPECT_EQ(NextMode, 0);   // the area panel stays closed
  EXPECT_EQ(arealang, 2);
  EXPECT_EQ(areahoch, 1);
  EXPECT_EQ(startx, 2);
  EXPECT_EQ(oldy, 4);
  EXPECT_EQ(AreaPixels, std::vector<PixelCell>(6, 0x01FF0000));

  areamark = 0;
  InsertImageFile(file, 0, 0, 0);
  EXPECT_EQ(areamark, 2);
  EXPECT_EQ(NextMode, ModeArea);

  // An empty path does nothing; a file that cannot be read leaves the area as it was.
  InsertImageFile("", 0, 0, 0);
  tk::test::queueResult(tk::ResultOk);
  InsertImageFile(folder + "fehlt.png", 5, 5, 0);
  EXPECT_EQ(tk::test::shown(), std::vector<std::string>{"Error|Datei nicht gefunden"});
  EXPECT_EQ(startx, 0);
  EXPECT_EQ(AreaPixels, std::vector<PixelCell>(6, 0x01FF0000));
}

TEST_F(InsertClipboardTest, CutFillsEveryCellWithTheSwatchColourAndKeepsTheCopy) {
  MakeImage(4, 3, 1);
  ASSERT_EQ(tk::createImage(24, 100, 20, 24, 0x102030), 24);   // red 0x30, green 0x20, blue 0x10
  const std::vector<PixelCell> area = {0x00111111, 0x01222222, 0x02333333, 0x00444444};
  AreaPixels = area;
  arealang = 3;
  areahoch = 0;
  areamark = 2;
  CutArea();
  EXPECT_EQ(AreaPixels, (std::vector<PixelCell>{0x00302010, 0x01302010, 0x02302010, 0x00302010}));
  areamark = 0;
  PasteClipboardImage(0, 0);
  EXPECT_EQ(AreaPixels, area);

  const std::vector<PixelCell> image = ImagePixels;
  CutImage();
  EXPECT_EQ(ImagePixels, std::vector<PixelCell>(12, 0x00302010));
  areamark = 0;
  PasteClipboardImage(0, 0);
  for (size_t i = 0; i < image.size(); ++i) EXPECT_EQ(AreaPixels[i] & 0xFFFFFF, image[i]);
}

TEST_F(InsertClipboardTest, PasteCommandOnlyWithAPictureNoAreaAndThePenUp) {
  tk::createPopupMenu(3);
  tk::menuItem(33, "Einfügen");
  MakeImage(2, 2, 1);
  struct Case { bool picture; uint8_t area, pen; bool enabled; };
  for (const Case c : {Case{true, 0, 0, true}, Case{false, 0, 0, false}, Case{true, 2, 0, false},
                       Case{true, 0, 1, false}}) {
    if (c.picture) CopyImageToClipboard(); else tk::clearClipboard();
    areamark = c.area;
    Keydrawmode = c.pen;
    UpdatePasteMenuItem();
    EXPECT_EQ(tk::menuIdEnabled(33), c.enabled) << c.picture << int(c.area) << int(c.pen);
  }
  Keydrawmode = 0;
  tk::freeMenu(3);
}
