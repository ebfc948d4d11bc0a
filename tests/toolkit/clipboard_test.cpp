// The clipboard: pictures keep their flag bytes inside the program, text is converted.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>

#include "toolkit/tk_base.h"
#include "toolkit/tk_image.h"

namespace {

constexpr int Img = 531, Back = 532;

class ClipboardTest : public testing::Test {
 protected:
  void TearDown() override {
    tk::clearClipboard();
    tk::freeImage(Img);
    tk::freeImage(Back);
  }
};

TEST_F(ClipboardTest, ImageRoundTripKeepsFlagBytes) {
  ASSERT_EQ(tk::createImage(Img, 3, 2), Img);
  int stride;
  uint32_t* c = tk::imageCells(Img, &stride);
  const uint32_t cells[6] = {0x00102030, 0x01405060, 0x02708090, 0x00A0B0C0, 0x01D0E0F0, 0x02010203};
  for (int i = 0; i < 6; ++i) c[(i / 3) * stride + i % 3] = cells[i];
  ASSERT_TRUE(tk::setClipboardImage(Img));
  EXPECT_TRUE(tk::clipboardHasImage());
  // Other programs see an opaque picture.
  QImage shown = qvariant_cast<QImage>(QGuiApplication::clipboard()->mimeData()->imageData());
  EXPECT_EQ(shown.pixel(0, 0), 0xFF102030u);
  ASSERT_EQ(tk::clipboardImage(Back), Back);
  ASSERT_EQ(tk::imageWidth(Back), 3);
  ASSERT_EQ(tk::imageHeight(Back), 2);
  uint32_t got[6];
  ASSERT_TRUE(tk::imageToPixels(Back, got, 3, 2, 3));
  EXPECT_TRUE(std::equal(got, got + 6, cells));
  EXPECT_FALSE(tk::setClipboardImage(9999));
}

TEST_F(ClipboardTest, ForeignPictureAndBrokenPrivateData) {
  QImage foreign(2, 2, QImage::Format_RGB32);
  foreign.fill(0xFF336699u);
  auto* m = new QMimeData;
  m->setImageData(foreign);
  m->setData("application/x-corvalen-cells", QByteArray("\x05\0\0\0\x05\0\0\0short", 13));
  QGuiApplication::clipboard()->setMimeData(m);
  ASSERT_TRUE(tk::clipboardHasImage());
  ASSERT_EQ(tk::clipboardImage(Back), Back);   // the broken private cells are passed over
  ASSERT_EQ(tk::imageWidth(Back), 2);
  EXPECT_EQ(tk::imageCells(Back)[0], 0xFF336699u);
  tk::clearClipboard();
  EXPECT_FALSE(tk::clipboardHasImage());
  EXPECT_EQ(tk::clipboardImage(Back), -1);
}

TEST_F(ClipboardTest, TextIsConvertedBothWays) {
  const std::string text = "Größe: 5 € – ä";   // Windows-1252 bytes in the program
  tk::setClipboardText(text);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), QString::fromUtf16(u"Gr\u00f6\u00dfe: 5 \u20ac \u2013 \u00e4"));
  EXPECT_EQ(tk::clipboardText(), text);
  EXPECT_FALSE(tk::clipboardHasImage());
}

}  // namespace
