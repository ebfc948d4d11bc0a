// Loading a brush form at a radius: taken as it is, resized with its extremes stretched
// back, missing, and a corpus of broken files.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "documents/file_fixture.h"

namespace {

using GreyBytes = std::vector<uint8_t>;

GreyBytes Form(int32_t side, int8_t upper, int8_t lower, const GreyBytes& grey) {
  GreyBytes b;
  FileFixture::Put32(b, uint32_t(side));
  b.push_back(uint8_t(upper));
  b.push_back(uint8_t(lower));
  b.insert(b.end(), grey.begin(), grey.end());
  return b;
}

struct BrushFormLoadingTest : FileFixture {
  void SetUp() override {
    FileFixture::SetUp();
    BrushFormGrey.assign(1, 77);
    BrushFormCells.assign(4, 0);
  }
};

TEST_F(BrushFormLoadingTest, FormOfTheRadiusSizeIsTakenAsItIs) {
  // Side 6 = 2 * 2 + 2: no resize, no stretch even though the settings do not match.
  GreyBytes grey(36);
  for (size_t i = 0; i < grey.size(); ++i) grey[i] = uint8_t(i * 7);
  Write("six.df", Form(6, 0, 0, grey));
  BrushFormCells.assign(4, 0xABCDu);
  // The result is the radius, so the brush fits the map it stamps (never 2r + 1).
  EXPECT_EQ(LoadBrushFormFile(folder + "six.df", 2), 2);
  EXPECT_EQ(BrushFormGrey, grey);
  EXPECT_EQ(BrushFormCells, std::vector<PixelCell>(36, 0));
}

TEST_F(BrushFormLoadingTest, ResizedFormGetsItsStoredExtremesBack) {
  // A 4 x 4 checker of black and white, smoothed by the resize to 8 x 8 (radius 3): its
  // extremes are stretched back to the stored 0 and 255.
  GreyBytes checker(16);
  for (int i = 0; i < 16; ++i) checker[i] = ((i / 4 + i % 4) % 2) ? 255 : 0;
  Write("checker.df", Form(4, 127, -128, checker));
  EXPECT_EQ(LoadBrushFormFile(folder + "checker.df", 3), 3);
  ASSERT_EQ(BrushFormGrey.size(), 64u);
  EXPECT_EQ(*std::min_element(BrushFormGrey.begin(), BrushFormGrey.end()), 0);
  EXPECT_EQ(*std::max_element(BrushFormGrey.begin(), BrushFormGrey.end()), 255);
  EXPECT_EQ(BrushFormCells.size(), 64u);
}

TEST_F(BrushFormLoadingTest, StretchIsSkippedWhenTheSmallestValueAlreadyFits) {
  // Left half black, right half white: the resize keeps a black cell, so the smallest
  // value meets the lower setting and the upper setting (0, i.e. grey 128) is not applied.
  GreyBytes halves(16);
  for (int i = 0; i < 16; ++i) halves[i] = i % 4 < 2 ? 0 : 255;
  Write("halves.df", Form(4, 0, -128, halves));
  EXPECT_EQ(LoadBrushFormFile(folder + "halves.df", 5), 5);
  ASSERT_EQ(BrushFormGrey.size(), 144u);
  EXPECT_EQ(*std::min_element(BrushFormGrey.begin(), BrushFormGrey.end()), 0);
  EXPECT_GT(*std::max_element(BrushFormGrey.begin(), BrushFormGrey.end()), 200);
}

TEST_F(BrushFormLoadingTest, StretchOfAHalfWithoutExtremeLeavesItOnTheMiddle) {
  // Every cell at 128 or above: the lower half's extreme is 0 (no divisor); its cells
  // stay at 128 instead of turning into garbage.
  GreyBytes grey(16, 128);
  grey[5] = 255;
  Write("light.df", Form(4, 127, -5, grey));
  EXPECT_EQ(LoadBrushFormFile(folder + "light.df", 3), 3);
  ASSERT_EQ(BrushFormGrey.size(), 64u);
  EXPECT_EQ(BrushFormGrey[0], 128);
  EXPECT_EQ(*std::max_element(BrushFormGrey.begin(), BrushFormGrey.end()), 255);
}

TEST_F(BrushFormLoadingTest, MissingFileChangesOnlyTheCells) {
  EXPECT_EQ(LoadBrushFormFile(folder + "none.df", 4), 0);
  EXPECT_EQ(BrushFormGrey, GreyBytes(1, 77));
  EXPECT_EQ(BrushFormCells.size(), 4u);
  EXPECT_TRUE(tk::test::shown().empty());
}

TEST_F(BrushFormLoadingTest, BrokenFilesAreRefusedWithTheirName) {
  struct Case {
    const char* name;
    GreyBytes bytes;
  };
  const Case cases[] = {
      {"empty.df", {}},
      {"short.df", {4, 0, 0, 0, 0}},
      {"zero.df", Form(0, 0, 0, {})},
      {"negative.df", Form(-3, 0, 0, GreyBytes(9, 0))},
      {"truncated.df", Form(3, 0, 0, GreyBytes(8, 0))},   // one grey byte missing
      {"huge.df", Form(0x7FFFFFFF, 0, 0, GreyBytes(64, 0))},
      {"wide.df", Form(65536, 0, 0, GreyBytes(16, 0))},   // side squared overflows 32 bits
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Write(c.name, c.bytes);
    tk::test::clear();
    tk::test::queueResult(tk::ResultOk);
    EXPECT_EQ(LoadBrushFormFile(folder + c.name, 2), 0);
    ASSERT_EQ(tk::test::shown().size(), 1u);
    EXPECT_NE(tk::test::shown()[0].find(folder + c.name), std::string::npos);
    EXPECT_EQ(BrushFormGrey, GreyBytes(1, 77));
    EXPECT_EQ(BrushFormCells.size(), 4u);
  }
}

TEST_F(BrushFormLoadingTest, AbsurdRadiusIsClamped) {
  Write("one.df", Form(1, 0, 0, {0}));
  EXPECT_EQ(LoadBrushFormFile(folder + "one.df", -5), 0);   // 2 cells a side
  EXPECT_EQ(BrushFormGrey.size(), 4u);
  EXPECT_EQ(LoadBrushFormFile(folder + "one.df", 1 << 30), MaxBrushFormRadius);
  EXPECT_EQ(BrushFormGrey.size(), size_t(2 * MaxBrushFormRadius + 2) * size_t(2 * MaxBrushFormRadius + 2));
}

}  // namespace
