// The area helpers of the marked twins: the signed form, the re-allocation of the area with
// its display image and zoomed extents, and the bilinear sample.
#include "effects/area_frame.h"
#include "effects/effects_fixture.h"

namespace {

struct AreaFrameTest : EffectsFixture {
  // The area becomes w x h with the given cells (row-major).
  static void SetArea(int w, int h, const std::vector<PixelCell>& cells) {
    arealang = w - 1;
    areahoch = h - 1;
    AreaPixels = cells;
  }
};

TEST_F(AreaFrameTest, ToggleTwiceRestoresEveryCellAndKeepsFlags) {
  SetArea(2, 2, {C(0, 1, 2, 1), C(127, 128, 129, 255), C(255, 0, 255, 0), C(3, 4, 5, 7)});
  const auto before = AreaPixels;
  EXPECT_EQ(ToggleAreaSignedForm(), 0);
  EXPECT_EQ(AreaPixels[0], C(128, 129, 130, 1));
  EXPECT_EQ(AreaPixels[1], C(255, 0, 1, 255));
  ToggleAreaSignedForm();
  EXPECT_EQ(AreaPixels, before);
}

TEST_F(AreaFrameTest, ToggleTouchesNothingPastTheArea) {
  SetArea(1, 1, {C(1, 2, 3), C(9, 9, 9)});
  ToggleAreaSignedForm();
  EXPECT_EQ(AreaPixels[0], C(129, 130, 131));
  EXPECT_EQ(AreaPixels[1], C(9, 9, 9));
}

TEST_F(AreaFrameTest, ResizeMakesTheDisplayImageAndAFreshBuffer) {
  SetArea(2, 1, {C(1, 1, 1), C(2, 2, 2)});
  length = 2.0f;
  EXPECT_EQ(ResizeAreaBuffer(9, 3, 1.5f), 0);
  EXPECT_EQ(arealang, 9);
  EXPECT_EQ(areahoch, 3);
  EXPECT_EQ(tk::imageWidth(22), 15);
  EXPECT_EQ(tk::imageHeight(22), 6);
  ASSERT_EQ(AreaPixels.size(), 40u);
  for (PixelCell c : AreaPixels) EXPECT_EQ(c, 0u);
  EXPECT_EQ(AreaZoomMaxX, 18);
  EXPECT_EQ(AreaZoomMaxY, 6);
}

TEST_F(AreaFrameTest, BilinearRoundsAfterEveryStep) {
  SetArea(2, 2, {C(0, 0, 0, 1), C(100, 0, 0, 0), C(100, 0, 0, 0), C(200, 0, 0, 0)});
  PixelCell cell = 0;
  SampleAreaBilinear(cell, 0.5f, 0.5f);
  EXPECT_EQ(R(cell), 100);
  EXPECT_EQ(F(cell), 1);
}

TEST_F(AreaFrameTest, BilinearAtACellReturnsThatCell) {
  SetArea(2, 2, {C(10, 20, 30, 1), C(40, 50, 60, 0), C(70, 80, 90, 255), C(1, 2, 3, 1)});
  PixelCell cell = C(5, 5, 5, 9);
  SampleAreaBilinear(cell, 0.0f, 1.0f);
  EXPECT_EQ(cell, C(70, 80, 90, 255));
  cell = 0;
  SampleAreaBilinear(cell, 1.0f, 0.0f);
  EXPECT_EQ(cell, C(40, 50, 60, 0));
}

TEST_F(AreaFrameTest, BilinearOutsideGivesTheBackgroundWithFlagZero) {
  SetArea(2, 2, {C(0, 0, 0, 1), C(0, 0, 0, 1), C(0, 0, 0, 1), C(0, 0, 0, 1)});
  PixelCell cell = C(30, 60, 90, 7);
  SampleAreaBilinear(cell, 5.5f, 7.25f);
  EXPECT_EQ(cell, C(30, 60, 90, 0));
}

TEST_F(AreaFrameTest, BilinearMixesBackgroundAtTheEdge) {
  SetArea(1, 1, {C(200, 0, 0, 1)});
  PixelCell cell = C(0, 0, 0, 0);
  SampleAreaBilinear(cell, 0.5f, 0.0f);   // (0, 0) 0.5 of 200, (1, 0) outside: 0.5 of 0
  EXPECT_EQ(R(cell), 100);
  EXPECT_EQ(F(cell), 1);
}

TEST_F(AreaFrameTest, FrameSetsCodeAndRefreshesOnlyWhenInteractive) {
  OnErrorCode1 = 0;
  fx::BeginAreaEffect();
  EXPECT_EQ(OnErrorCode1, 12);
  OnErrorCode1 = 3;
  fx::BeginAreaEffect(false);
  EXPECT_EQ(OnErrorCode1, 3);
  SetArea(3, 2, std::vector<PixelCell>(6, 0));
  fx::AreaLoopDone();
  EXPECT_EQ(lang, 3);
  EXPECT_EQ(hoch, 2);
  const fx::Span s = fx::AreaSpan();
  EXPECT_EQ(s.width, 3);
  EXPECT_EQ(s.height, 2);
  EXPECT_EQ(s.stride, 3);
}

}  // namespace
