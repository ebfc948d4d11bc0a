// Windows-1252 text conversion, case-insensitive sorting and random numbers.
#include <gtest/gtest.h>

#include <QString>
#include <set>

#include "toolkit/tk_base.h"

namespace {

TEST(TextTest, EveryByteRoundTrips) {
  std::string all;
  for (int b = 0; b < 256; ++b) all.push_back(char(b));
  QString q = tk::toQt(all);
  ASSERT_EQ(q.size(), 256);
  std::set<char16_t> distinct;
  for (QChar c : q) distinct.insert(c.unicode());
  EXPECT_EQ(distinct.size(), 256u);
  EXPECT_EQ(tk::fromQt(q), all);
  EXPECT_EQ(tk::fromUtf8(tk::toUtf8(all)), all);
}

TEST(TextTest, KnownMappings) {
  struct Case { uint8_t byte; char16_t unicode; };
  const Case cases[] = {
      {0x41, u'A'},    {0x80, 0x20AC}, {0x81, 0x0081}, {0x8A, 0x0160}, {0x93, 0x201C},
      {0x96, 0x2013},  {0x9F, 0x0178}, {0xA0, 0x00A0}, {0xC4, 0x00C4}, {0xDF, 0x00DF},
      {0xE4, 0x00E4},  {0xFF, 0x00FF},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(int(c.byte));
    QString q = tk::toQt(std::string(1, char(c.byte)));
    ASSERT_EQ(q.size(), 1);
    EXPECT_EQ(q[0].unicode(), c.unicode);
    EXPECT_EQ(tk::fromQt(QString(QChar(c.unicode))), std::string(1, char(c.byte)));
  }
  EXPECT_EQ(tk::toUtf8("Gr\xF6\xDF" "e \x80"), "Gr\xC3\xB6\xC3\x9F" "e \xE2\x82\xAC");
  // Characters Windows-1252 lacks become '?'.
  EXPECT_EQ(tk::fromQt(QString::fromUtf8("a\xE4\xB8\xAD" "b")), "a?b");
}

TEST(TextTest, CaseInsensitiveCompareAndSort) {
  struct Case { const char* a; const char* b; int sign; };
  const Case cases[] = {
      {"abc", "ABC", 0},   {"\xE4\xF6\xFC", "\xC4\xD6\xDC", 0},   // äöü / ÄÖÜ
      {"a", "ab", -1},     {"B", "a", 1},     {"z", "\xE4", -1},     {"", "", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.a) + " / " + c.b);
    int r = tk::compareNoCase(c.a, c.b);
    EXPECT_EQ((r > 0) - (r < 0), c.sign);
  }
  std::string v[] = {"beta", "Alpha", "ALPHA2", "alpha", "Zeta", "\xC4rger", "\xE4lter"};
  tk::sortNoCase(std::begin(v), std::end(v));
  const std::string want[] = {"Alpha", "alpha", "ALPHA2", "beta", "Zeta", "\xE4lter", "\xC4rger"};
  EXPECT_TRUE(std::equal(std::begin(v), std::end(v), std::begin(want)));
}

TEST(TextRandomTest, StaysInRangeAndReachesBothEnds) {
  tk::randomSeed(1234);
  for (int32_t n : {1, 5, 255}) {
    SCOPED_TRACE(n);
    bool low = false, high = false;
    for (int i = 0; i < 20 * (n + 1) + 100; ++i) {
      int32_t r = tk::random(n);
      ASSERT_GE(r, 0);
      ASSERT_LE(r, n);
      low = low || r == 0;
      high = high || r == n;
    }
    EXPECT_TRUE(low);
    EXPECT_TRUE(high);
  }
  EXPECT_EQ(tk::random(0), 0);
  EXPECT_EQ(tk::random(-5), 0);
  int32_t big = tk::random(INT32_MAX);
  EXPECT_GE(big, 0);
}

TEST(TextRandomTest, SeedRepeatsTheSequence) {
  std::vector<int32_t> a, b;
  tk::randomSeed(99);
  for (int i = 0; i < 20; ++i) a.push_back(tk::random(1000));
  tk::randomSeed(99);
  for (int i = 0; i < 20; ++i) b.push_back(tk::random(1000));
  EXPECT_EQ(a, b);
}

}  // namespace
