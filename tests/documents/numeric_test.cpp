#include <gtest/gtest.h>

#include "documents/documents.h"

TEST(NumericHelpers, RoundNearestHalvesGoTowardsZero) {
  const struct { float x; int32_t want; } cases[] = {
      {2.5f, 2}, {2.7f, 3}, {2.4f, 2}, {-2.3f, -2}, {-2.5f, -2}, {-2.7f, -3},
      {0.5f, 0}, {-0.5f, 0}, {0.0f, 0}, {3.0f, 3}, {1.5f, 1}, {-1.5f, -1},
  };
  for (const auto& c : cases) EXPECT_EQ(RoundNearest(c.x), c.want) << c.x;
}

TEST(NumericHelpers, DistanceSignAbsolute) {
  const struct { int32_t dx, dy, want; } dist[] = {
      {3, 4, 5}, {1, 1, 1}, {0, 0, 0}, {-3, -4, 5}, {2, 2, 2}, {5, 12, 13}, {46340, 0, 46340}};
  for (const auto& c : dist) EXPECT_EQ(Distance(c.dx, c.dy), c.want) << c.dx << "," << c.dy;
  EXPECT_EQ(SignOf(0.0f), -1);
  EXPECT_EQ(SignOf(0.1f), 1);
  EXPECT_EQ(SignOf(-2.0f), -1);
  EXPECT_EQ(AbsoluteValue(-2.5f), 2.5f);
  EXPECT_EQ(AbsoluteValue(3.0f), 3.0f);
}

TEST(NumericHelpers, HexToNumber) {
  const struct { const char* text; int32_t want; } cases[] = {
      {"ff", 255}, {"FF", 255}, {"", 0}, {"10", 16}, {"7fffffff", 0x7fffffff},
      {"A0", 160}, {"G", 16}, {"0", 0}, {"abc", 0xabc},
  };
  for (const auto& c : cases) EXPECT_EQ(HexToNumber(c.text), c.want) << c.text;
}

TEST(NumericHelpers, SineAndCosineInDegrees) {
  EXPECT_NEAR(SinDegrees(90.0f), 1.0, 1e-6);
  EXPECT_NEAR(SinDegrees(30.0f), 0.5, 1e-6);
  EXPECT_NEAR(CosDegrees(60.0f), 0.5, 1e-6);
  EXPECT_NEAR(CosDegrees(180.0f), -1.0, 1e-6);
}
