// Images by number: geometry, pixel transfer, load and save, fonts.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFont>
#include <QTemporaryDir>

#include <algorithm>
#include <vector>

#include "file_size_limit.h"
#include "toolkit/codecs/codecs.h"
#include "toolkit/internal.h"
#include "toolkit/tk_image.h"

namespace {

constexpr int A = 501, B = 502, C = 503;

class ImageTest : public testing::Test {
 protected:
  void TearDown() override {
    for (int n : {A, B, C}) tk::freeImage(n);
  }
  static uint32_t cell(int num, int x, int y) {
    int stride = 0;
    const uint32_t* c = tk::imageCells(num, &stride);
    return c[size_t(y) * stride + x];
  }
  // Fills image num with distinct cells whose flag bytes vary too.
  static void pattern(int num) {
    int stride = 0;
    uint32_t* c = tk::imageCells(num, &stride);
    for (int y = 0; y < tk::imageHeight(num); ++y)
      for (int x = 0; x < tk::imageWidth(num); ++x)
        c[size_t(y) * stride + x] = uint32_t((x + 7 * y) % 3) << 24 | uint32_t(y) << 8 | uint32_t(x);
  }
};

TEST_F(ImageTest, CreateRefusesBadSizes) {
  struct Case { int w, h; bool ok; } cases[] = {
      {1, 1, true}, {4000, 3000, true}, {0, 5, false}, {5, 0, false}, {-3, 5, false},
      {1 << 15, 1 << 14, false},   // more cells than any picture may have
  };
  for (auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.w << "x" << c.h);
    EXPECT_EQ(tk::createImage(A, c.w, c.h), c.ok ? A : -1);
    if (c.ok) {
      EXPECT_EQ(tk::imageWidth(A), c.w);
      EXPECT_EQ(tk::imageHeight(A), c.h);
    }
    tk::freeImage(A);
  }
  EXPECT_FALSE(tk::isImage(A));
  EXPECT_EQ(tk::imageWidth(A), 0);
}

TEST_F(ImageTest, CreateFillsOpaqueWithTheColour) {
  ASSERT_EQ(tk::createImage(A, 3, 2, 8, 0x00336699), A);   // red 0x99, green 0x66, blue 0x33
  EXPECT_EQ(tk::imageDepth(A), 8);
  EXPECT_EQ(cell(A, 2, 1), 0xFF996633u);
  EXPECT_EQ(tk::detail::image(A)->format(), QImage::Format_ARGB32);
}

TEST_F(ImageTest, FreeNumberIsTakenForMinusOne) {
  int n = tk::createImage(-1, 2, 2);
  ASSERT_GE(n, 0);
  EXPECT_TRUE(tk::isImage(n));
  int m = tk::copyImage(n, -1);
  EXPECT_NE(m, n);
  EXPECT_TRUE(tk::isImage(m));
  tk::freeImage(n);
  tk::freeImage(m);
}

TEST_F(ImageTest, CopyIsIndependentOfTheSource) {
  ASSERT_EQ(tk::createImage(A, 4, 3, 32, 0), A);
  pattern(A);
  ASSERT_EQ(tk::copyImage(A, B), B);
  EXPECT_EQ(tk::imageDepth(B), 32);
  tk::imageCells(A)[0] = 0x12345678;   // written through the source's cells
  EXPECT_EQ(cell(B, 0, 0), 0u);
  EXPECT_EQ(cell(B, 3, 2), cell(A, 3, 2));
  EXPECT_EQ(tk::copyImage(C, B), -1);   // no source
}

TEST_F(ImageTest, GrabTakesTheRegionAndBlackOutside) {
  ASSERT_EQ(tk::createImage(A, 5, 4), A);
  pattern(A);
  ASSERT_EQ(tk::grabImage(A, B, 1, 2, 3, 2), B);
  EXPECT_EQ(tk::imageWidth(B), 3);
  EXPECT_EQ(tk::imageHeight(B), 2);
  EXPECT_EQ(cell(B, 0, 0), cell(A, 1, 2));
  EXPECT_EQ(cell(B, 2, 1), cell(A, 3, 3));
  // Reaching past the source: the missing part is black.
  ASSERT_EQ(tk::grabImage(A, C, 4, -1, 2, 2), C);
  EXPECT_EQ(cell(C, 0, 1), cell(A, 4, 0));
  EXPECT_EQ(cell(C, 0, 0), 0xFF000000u);
  EXPECT_EQ(cell(C, 1, 1), 0xFF000000u);
  // Onto itself.
  ASSERT_EQ(tk::grabImage(A, A, 1, 1, 2, 2), A);
  EXPECT_EQ(tk::imageWidth(A), 2);
  EXPECT_EQ(tk::grabImage(A, B, 0, 0, 0, 3), -1);
}

TEST_F(ImageTest, ResizeKeepsFlagBytes) {
  for (bool smooth : {false, true}) {
    SCOPED_TRACE(smooth);
    ASSERT_EQ(tk::createImage(A, 4, 4, 24, 0x00204060), A);
    int stride;
    uint32_t* c = tk::imageCells(A, &stride);
    for (int i = 0; i < 4; ++i) c[size_t(i) * stride] = (c[size_t(i) * stride] & 0xFFFFFF) | 0x02000000;
    ASSERT_TRUE(tk::resizeImage(A, 8, 6, smooth));
    EXPECT_EQ(tk::imageWidth(A), 8);
    EXPECT_EQ(tk::imageHeight(A), 6);
    EXPECT_EQ(cell(A, 0, 5), 0x02604020u);   // left column kept flag 2, colour untouched
    EXPECT_EQ(cell(A, 7, 0), 0xFF604020u);
    EXPECT_FALSE(tk::resizeImage(A, 0, 6, smooth));
    tk::freeImage(A);
  }
  EXPECT_FALSE(tk::resizeImage(A, 2, 2));
}

TEST_F(ImageTest, PixelTransferRoundTrip) {
  struct Case { bool bottomUp; int pad; } cases[] = {{false, 0}, {false, 3}, {true, 0}, {true, 5}};
  const int w = 5, h = 4;
  for (auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "bottomUp " << c.bottomUp << " pad " << c.pad);
    const int stride = w + c.pad;
    std::vector<uint32_t> in(size_t(stride) * h, 0xDEADBEEF);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) in[size_t(y) * stride + x] = uint32_t(x * 16 + y) * 0x01010101u;
    ASSERT_EQ(tk::createImage(A, w, h), A);
    ASSERT_TRUE(tk::pixelsToImage(A, in.data(), w, h, stride, c.bottomUp));
    // Row 0 of the array is the image's top row, or its bottom row when bottom-up.
    EXPECT_EQ(cell(A, 2, c.bottomUp ? h - 1 : 0), in[2]);
    EXPECT_EQ(cell(A, 4, c.bottomUp ? 0 : h - 1), in[size_t(h - 1) * stride + 4]);
    std::vector<uint32_t> out(in.size(), 0xDEADBEEF);
    ASSERT_TRUE(tk::imageToPixels(A, out.data(), w, h, stride, c.bottomUp));
    EXPECT_EQ(out, in);   // flag bytes and the padding between rows untouched
    tk::freeImage(A);
  }
}

TEST_F(ImageTest, PixelTransferRefusesBadArguments) {
  std::vector<uint32_t> buf(64);
  ASSERT_EQ(tk::createImage(A, 4, 4), A);
  EXPECT_FALSE(tk::imageToPixels(B, buf.data(), 4, 4, 4));
  EXPECT_FALSE(tk::pixelsToImage(B, buf.data(), 4, 4, 4));
  EXPECT_FALSE(tk::imageToPixels(A, nullptr, 4, 4, 4));
  EXPECT_FALSE(tk::pixelsToImage(A, buf.data(), 4, 4, 3));   // stride below width
  EXPECT_FALSE(tk::pixelsToImage(A, buf.data(), 0, 4, 4));
  EXPECT_EQ(tk::imageCells(B), nullptr);
  // A larger array than the image is clipped, not overrun.
  std::vector<uint32_t> big(size_t(8) * 8, 7);
  EXPECT_TRUE(tk::pixelsToImage(A, big.data(), 8, 8, 8));
  EXPECT_EQ(cell(A, 3, 3), 7u);
}

TEST_F(ImageTest, PixelRectIsClippedIntoTheImage) {
  ASSERT_EQ(tk::createImage(A, 4, 4, 24, 0), A);
  std::vector<uint32_t> src(size_t(6) * 3);
  for (size_t i = 0; i < src.size(); ++i) src[i] = uint32_t(i) | 0x01000000;
  // Cells (1,0)-(3,1) of the source land at (-1, 3): one column and one row are clipped.
  ASSERT_TRUE(tk::pixelsToImageRect(A, src.data(), 6, 1, 0, 3, 2, -1, 3));
  EXPECT_EQ(cell(A, 0, 3), src[2]);
  EXPECT_EQ(cell(A, 1, 3), src[3]);
  EXPECT_EQ(cell(A, 2, 3), 0xFF000000u);
  EXPECT_EQ(cell(A, 0, 2), 0xFF000000u);
}

TEST_F(ImageTest, ShownCopyIsOpaque) {
  ASSERT_EQ(tk::createImage(A, 2, 1), A);
  tk::imageCells(A)[0] = 0x00112233;   // flag 0 must not make the cell transparent
  QImage shown = tk::detail::imagePixmap(A).toImage();
  EXPECT_EQ(shown.pixel(0, 0), 0xFF112233u);
  EXPECT_EQ(tk::imageCells(A)[0], 0x00112233u);
  // After a change the shown copy follows; a copy still held elsewhere stays as it was.
  tk::imageCells(A)[0] = 0x01445566;
  tk::imageChanged(A);
  EXPECT_EQ(tk::detail::imagePixmap(A).toImage().pixel(0, 0), 0xFF445566u);
  EXPECT_EQ(shown.pixel(0, 0), 0xFF112233u);
  QPixmap held = tk::detail::imagePixmap(A);
  tk::pixelsToImage(A, std::vector<uint32_t>{7, 7}.data(), 2, 1, 2);
  EXPECT_EQ(tk::detail::imagePixmap(A).toImage().pixel(1, 0), 0xFF000007u);
  EXPECT_EQ(held.toImage().pixel(1, 0), 0xFF000000u);
  EXPECT_TRUE(tk::detail::imagePixmap(B).isNull());
}

std::vector<int> g_notified;
void record(int num) { g_notified.push_back(num); }

TEST_F(ImageTest, ListenersHearChanges) {
  tk::detail::addImageListener(record);
  tk::detail::addImageListener(record);   // once only
  ASSERT_EQ(tk::createImage(A, 2, 2), A);
  ASSERT_EQ(tk::createImage(B, 2, 2), B);
  uint32_t px[4] = {};
  g_notified.clear();
  tk::pixelsToImage(A, px, 2, 2, 2);
  tk::copyImage(A, B);
  tk::resizeImage(A, 3, 3);
  tk::imageChanged(A);
  tk::freeImage(A);
  tk::freeImage(C);   // nothing there: no call
  EXPECT_EQ(g_notified, (std::vector<int>{A, B, A, A, A}));
}

// ---- load and save ----------------------------------------------------------------------

class ImageFileTest : public ImageTest {
 protected:
  QTemporaryDir dir;
  std::string path(const char* name) { return tk::fromQt(dir.filePath(name)); }
};

TEST_F(ImageFileTest, SaveLoadRoundTrip) {
  struct Case { const char* name; tk::ImageFormat format; int depth; int tolerance; } cases[] = {
      {"a.bmp", tk::FormatBMP, 24, 0}, {"b.bmp", tk::FormatBMP, 32, 0},
      {"c.png", tk::FormatPNG, 24, 0}, {"d.jpg", tk::FormatJPEG, 24, 24},
  };
  ASSERT_EQ(tk::createImage(A, 16, 8, 24, 0x00808080), A);
  int stride;
  uint32_t* c = tk::imageCells(A, &stride);
  for (int y = 0; y < 8; ++y)   // the left half blue
    for (int x = 0; x < 8; ++x) c[size_t(y) * stride + x] = 0xFF0000FFu;
  for (auto& k : cases) {
    SCOPED_TRACE(k.name);
    ASSERT_TRUE(tk::saveImage(A, path(k.name), k.format, 10, k.depth)) << tk::lastImageError();
    ASSERT_EQ(tk::loadImage(B, path(k.name)), B) << tk::lastImageError();
    ASSERT_EQ(tk::imageWidth(B), 16);
    ASSERT_EQ(tk::imageHeight(B), 8);
    for (auto [x, y] : {std::pair{2, 3}, {12, 4}, {15, 7}}) {
      uint32_t want = cell(A, x, y), got = cell(B, x, y);
      for (int sh : {0, 8, 16})
        EXPECT_LE(std::abs(int(want >> sh & 0xFF) - int(got >> sh & 0xFF)), k.tolerance)
            << x << "," << y;
      EXPECT_EQ(got >> 24, 0xFFu);   // loaded pictures without alpha are flagged 0xFF
    }
  }
  // The same bytes from memory.
  QFile f(dir.filePath("c.png"));
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  QByteArray bytes = f.readAll();
  ASSERT_EQ(tk::loadImageFromMemory(C, reinterpret_cast<const uint8_t*>(bytes.constData()),
                                    size_t(bytes.size())),
            C);
  EXPECT_EQ(cell(C, 15, 7), cell(A, 15, 7));
}

TEST_F(ImageFileTest, TransparencyBecomesTheFlagByte) {
  tk::codec::Picture icon;
  icon.w = 2;
  icon.h = 1;
  icon.cells = {0x80112233u, 0x00445566u};
  icon.hasAlpha = true;
  std::vector<uint8_t> bytes;
  ASSERT_TRUE(tk::codec::encodeICO({icon}, bytes));
  ASSERT_EQ(tk::loadImageFromMemory(A, bytes.data(), bytes.size()), A) << tk::lastImageError();
  EXPECT_EQ(tk::imageDepth(A), 32);
  EXPECT_EQ(cell(A, 0, 0), 0x80112233u);
  EXPECT_EQ(cell(A, 1, 0) >> 24, 0u);
}

TEST_F(ImageFileTest, LoadFailsCleanly) {
  ASSERT_EQ(tk::createImage(B, 3, 3), B);
  const uint8_t junk[] = {'B', 'M', 1, 2, 3, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0};
  EXPECT_EQ(tk::loadImage(B, path("missing.png")), -1);
  EXPECT_FALSE(tk::lastImageError().empty());
  EXPECT_EQ(tk::loadImageFromMemory(B, junk, sizeof junk), -1);
  EXPECT_EQ(tk::loadImageFromMemory(B, nullptr, 0), -1);
  QFile f(dir.filePath("broken.png"));
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write("\x89PNG\r\n\x1a\n garbage");
  f.close();
  EXPECT_EQ(tk::loadImage(B, path("broken.png")), -1);
  EXPECT_EQ(tk::imageWidth(B), 3);   // a failed load leaves the image as it was
}

TEST_F(ImageFileTest, FailedSaveLeavesNoFileBehind) {
  ASSERT_EQ(tk::createImage(A, 4, 4), A);
  EXPECT_FALSE(tk::saveImage(B, path("x.bmp"), tk::FormatBMP));   // no such image
  EXPECT_FALSE(tk::saveImage(A, path("no/such/folder/x.bmp"), tk::FormatBMP));
  EXPECT_FALSE(tk::lastImageError().empty());
  // An existing file survives a save that fails: here JPEG cannot hold the width.
  QFile old(dir.filePath("keep.jpg"));
  ASSERT_TRUE(old.open(QIODevice::WriteOnly));
  old.write("old contents");
  old.close();
  ASSERT_EQ(tk::createImage(C, 70000, 1), C);
  EXPECT_FALSE(tk::saveImage(C, path("keep.jpg"), tk::FormatJPEG));
  ASSERT_TRUE(old.open(QIODevice::ReadOnly));
  EXPECT_EQ(old.readAll(), QByteArray("old contents"));
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"keep.jpg"});
}

// A disk that fills up while the file is written: the save fails and the old file stays.
TEST_F(ImageFileTest, SaveOnAFullDiskFailsAndKeepsTheOldFile) {
  ASSERT_EQ(tk::createImage(A, 200, 200), A);
  QFile old(dir.filePath("keep.bmp"));
  ASSERT_TRUE(old.open(QIODevice::WriteOnly));
  old.write("old contents");
  old.close();
  {
    FileSizeLimit full(1024);
    ASSERT_TRUE(full.ok);
    EXPECT_FALSE(tk::saveImage(A, path("keep.bmp"), tk::FormatBMP));
  }
  ASSERT_TRUE(old.open(QIODevice::ReadOnly));
  EXPECT_EQ(old.readAll(), QByteArray("old contents"));
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"keep.bmp"});
}

// ---- fonts --------------------------------------------------------------------------------

TEST(FontTest, LoadsWithStyle) {
  struct Case { unsigned style; bool bold, italic, underline; } cases[] = {
      {0, false, false, false},
      {tk::FontBold, true, false, false},
      {tk::FontItalic | tk::FontUnderline, false, true, true},
  };
  for (auto& c : cases) {
    ASSERT_EQ(tk::loadFont(601, "Arial", 14, c.style), 601);
    QFont f = tk::detail::font(601);
    EXPECT_EQ(f.pointSize(), 14);
    EXPECT_EQ(f.bold(), c.bold);
    EXPECT_EQ(f.italic(), c.italic);
    EXPECT_EQ(f.underline(), c.underline);
  }
  EXPECT_TRUE(tk::isFont(601));
  tk::freeFont(601);
  EXPECT_FALSE(tk::isFont(601));
  EXPECT_EQ(tk::loadFont(601, "Arial", 100000), -1);   // absurd size
  EXPECT_EQ(tk::loadFont(-5, "Arial", 10), -1);
  int n = tk::loadFont(-1, "Arial", 10);
  EXPECT_TRUE(tk::isFont(n));
  tk::freeFont(n);
}

TEST(FontTest, FamiliesAreSortedWithoutDuplicates) {
  auto fams = tk::fontFamilies();
  ASSERT_FALSE(fams.empty());
  for (size_t i = 1; i < fams.size(); ++i)
    EXPECT_LT(tk::compareNoCase(fams[i - 1], fams[i]), 0) << fams[i - 1] << " / " << fams[i];
}

}  // namespace
