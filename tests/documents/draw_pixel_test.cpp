#include <gtest/gtest.h>

#include "documents/documents.h"

namespace {

PixelCell Rgb(int r, int g, int b, int flag = 0) {
  return PixelCell(b) | PixelCell(g) << 8 | PixelCell(r) << 16 | PixelCell(flag) << 24;
}

struct DrawPixelTest : ::testing::Test {
  void SetUp() override {
    ResetDocumentsState();
    bildlang = 2;   // 3 x 2 image
    bildhoch = 1;
    ImagePixels.assign(6, 0);
  }
  void TearDown() override { ResetDocumentsState(); }
};

}  // namespace

TEST_F(DrawPixelTest, ModesAndOpacities) {
  const struct {
    int mode;
    float opacity;
    PixelCell before;
    PixelCell after;
  } cases[] = {
      {0, 1.0f, Rgb(1, 2, 3), Rgb(10, 20, 30)},          // the drawing colour
      {0, 0.0f, Rgb(1, 2, 3), Rgb(1, 2, 3)},             // fully transparent: unchanged
      {0, 0.5f, Rgb(255, 255, 255), Rgb(132, 138, 142)}, // 255*.5 + 10*.5 = 132.5 -> 132
      {2, 1.0f, Rgb(0, 100, 255), Rgb(255, 155, 0, 1)},  // invert, flag set
      {2, 1.0f, Rgb(0, 100, 255, 1), Rgb(0, 100, 255, 1)},  // already inverted this stroke
      {3, 1.0f, Rgb(10, 20, 31), Rgb(20, 20, 20)},       // grey, integer division
      {4, 1.0f, Rgb(127, 128, 255), Rgb(0, 255, 255)},   // threshold
      {5, 1.0f, Rgb(128, 128, 128), Rgb(255, 255, 255)}, // 384 is white
      {5, 1.0f, Rgb(128, 128, 127), Rgb(0, 0, 0)},
      {10, 1.0f, Rgb(0, 210, 255), Rgb(50, 255, 255)},   // brighten
      {11, 1.0f, Rgb(0, 19, 200), Rgb(0, 0, 180)},       // darken
      {12, 1.0f, Rgb(100, 200, 128), Rgb(0, 55, 127)},   // upper-half invert
      {-1, 1.0f, Rgb(1, 2, 3), Rgb(255, 255, 255)},      // 255: white
      {13, 1.0f, Rgb(1, 2, 3), Rgb(0, 0, 0)},            // outside the table: black
      {100, 0.5f, Rgb(255, 255, 255), Rgb(128, 128, 128)},  // 127.5 rounds to even 128
      {3, 0.5f, Rgb(9, 0, 0, 7), Rgb(6, 2, 2, 7)},       // grey 3 blended: 6, 1.5 -> 2; flag kept
  };
  Rot = 10;
  Gruen = 20;
  Blau = 30;
  for (const auto& c : cases) {
    ImagePixels[4] = c.before;   // cell (1, 1)
    DrawPixel(1, 1, static_cast<int8_t>(c.mode), c.opacity);
    EXPECT_EQ(ImagePixels[4], c.after) << "mode " << c.mode << " opacity " << c.opacity;
  }
}

TEST_F(DrawPixelTest, TintHandsTheExcessOn) {
  const struct {
    float sr, sg, sb;
    PixelCell before, after;
  } cases[] = {
      {1.0f, 0.0f, 0.0f, Rgb(200, 200, 200), Rgb(255, 172, 172)},
      {0.0f, 1.0f, 0.0f, Rgb(200, 200, 200), Rgb(172, 255, 172)},
      {1.0f, 1.0f, 1.0f, Rgb(200, 200, 200), Rgb(255, 255, 255)},
      {0.5f, 0.25f, 0.25f, Rgb(40, 40, 40), Rgb(60, 30, 30)},
      {1.0f, 0.0f, 0.9f, Rgb(100, 100, 100), Rgb(255, 29, 255)},  // red +22, blue +7 to green
  };
  for (const auto& c : cases) {
    TintShareRed = c.sr;
    TintShareGreen = c.sg;
    TintShareBlue = c.sb;
    ImagePixels[0] = c.before;
    DrawPixel(0, 0, 1, 1.0f);
    EXPECT_EQ(ImagePixels[0], c.after) << c.sr << " " << c.sg << " " << c.sb;
  }
}

TEST_F(DrawPixelTest, MirrorModesReadTheOppositeCell) {
  for (int i = 0; i < 6; ++i) ImagePixels[i] = Rgb(i, i, i);
  // cell (x, y) = index y * 3 + x; painting (0, 0)
  const struct { int mode; PixelCell want; } cases[] = {
      {6, Rgb(3, 3, 3)},   // (0, 1)
      {7, Rgb(2, 2, 2)},   // (2, 0)
      {8, Rgb(5, 5, 5)},   // (2, 1)
  };
  for (const auto& c : cases) {
    ImagePixels[0] = 0;
    DrawPixel(0, 0, static_cast<int8_t>(c.mode), 1.0f);
    EXPECT_EQ(ImagePixels[0], c.want) << c.mode;
  }
}

TEST_F(DrawPixelTest, InvertTwiceInOneStrokeInvertsOnce) {
  ImagePixels[1] = Rgb(10, 20, 30);
  DrawPixel(0, 1, 2, 1.0f);
  DrawPixel(0, 1, 2, 1.0f);
  EXPECT_EQ(ImagePixels[1], Rgb(245, 235, 225, 1));
  ClearPixelFlags();
  EXPECT_EQ(ImagePixels[1], Rgb(245, 235, 225));
  DrawPixel(0, 1, 2, 1.0f);
  EXPECT_EQ(ImagePixels[1], Rgb(10, 20, 30, 1));
}

TEST_F(DrawPixelTest, NoiseStaysInRange) {
  for (int i = 0; i < 200; ++i) {
    ImagePixels[2] = Rgb(0, 128, 255);
    DrawPixel(0, 2, 9, 1.0f);
    const int r = (ImagePixels[2] >> 16) & 0xFF, g = (ImagePixels[2] >> 8) & 0xFF, b = ImagePixels[2] & 0xFF;
    EXPECT_LE(r, 50);
    EXPECT_GE(g, 78);
    EXPECT_LE(g, 178);
    EXPECT_GE(b, 205);
  }
}

TEST_F(DrawPixelTest, IndexPlaneOnlyForPaletteImages) {
  PaletteIndex = 5;   // entry 133
  DrawPixel(1, 2, 0, 1.0f);
  EXPECT_EQ(IndexPlane.size(), 1u);
  EXPECT_EQ(IndexPlane[0], 0);
  Colornumber = 1;
  SetImageDimensions(4, 5, 0);   // the plane follows the image
  ASSERT_EQ(IndexPlane.size(), 20u);
  DrawPixel(3, 4, 4, 1.0f);
  EXPECT_EQ(IndexPlane[19], 133);
  ChangeImageSize(6, 2, 1, 0, 0, 0, 0, 0, 1);
  ASSERT_EQ(IndexPlane.size(), 21u);
  DrawPixel(2, 6, 0, 1.0f);
  EXPECT_EQ(IndexPlane[20], 133);
}

TEST_F(DrawPixelTest, SetImageDimensionsRefusesBadSizes) {
  SetImageDimensions(1, 1, 1);
  EXPECT_EQ(bildlang, 0);
  EXPECT_EQ(bildhoch, 0);
  EXPECT_EQ(ImagePixels.size(), 1u);
  SetImageDimensions(0, 5, 1);
  SetImageDimensions(5, -1, 1);
  SetImageDimensions(100000, 100000, 1);
  EXPECT_EQ(ImagePixels.size(), 1u);
  SetImageDimensions(3, 7, 1);
  EXPECT_EQ(bildlang, 6);
  EXPECT_EQ(bildhoch, 2);
  EXPECT_EQ(ImagePixels.size(), 21u);
  EXPECT_EQ(HeldImage.size(), 21u);
  EXPECT_EQ(ImageRecords[CurrentImage].laenge, 6);
  EXPECT_EQ(ImageRecords[CurrentImage].hoehe, 2);
  EXPECT_EQ(SetImageDimensions(100000, 100000, 1), 0);
  EXPECT_EQ(bildlang, 6);   // a refusal keeps the image as it was
  EXPECT_EQ(ImagePixels.size(), 21u);

  // A caller that set the size globals first and was refused is left with a 1 x 1
  // image the globals describe, never with globals past the arrays.
  struct Case { int32_t lastX, lastY; };
  for (Case c : {Case{999999999, 0}, Case{19999, 19999}, Case{-3, 4}}) {
    SCOPED_TRACE(c.lastX);
    Colornumber = 1;
    SetImageDimensions(3, 7, 0);
    bildlang = c.lastX;
    bildhoch = c.lastY;
    EXPECT_EQ(SetImageDimensions(bildhoch + 1, bildlang + 1, 0), 0);
    EXPECT_EQ(bildlang, 0);
    EXPECT_EQ(bildhoch, 0);
    EXPECT_EQ(ImagePixels.size(), 1u);
    EXPECT_EQ(IndexPlane.size(), 1u);
    EXPECT_EQ(HeldImage.size(), 1u);
    Colornumber = 0;
  }
}

TEST_F(DrawPixelTest, ClampImageSizeKeepsWithinTheCellLimit) {
  struct Case { int32_t w, h, wantW, wantH; };
  const Case cases[] = {
      {640, 480, 640, 480},
      {1000000000, 100, 1 << 28, 1},
      {20000, 20000, 20000, (1 << 28) / 20000},
      {0, -7, 1, 1},
      {INT32_MIN, INT32_MAX, 1, 1 << 28},
  };
  for (const Case& c : cases) {
    int32_t w = c.w, h = c.h;
    ClampImageSize(w, h);
    EXPECT_EQ(w, c.wantW) << c.w << " x " << c.h;
    EXPECT_EQ(h, c.wantH) << c.w << " x " << c.h;
  }
}
