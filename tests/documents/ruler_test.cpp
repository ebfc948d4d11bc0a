#include <gtest/gtest.h>

#include "documents/canvas_fixture.h"

namespace {

using RulerTest = CanvasFixture;

bool Black(int image, int x, int y) {
  int stride = 0;
  const uint32_t* c = tk::imageCells(image, &stride);
  return c && (c[size_t(y) * stride + x] & 0xFFFFFF) == 0;
}

}  // namespace

TEST_F(RulerTest, MarkPositions) {
  SetView(401, 301);
  SetImageDimensions(1000, 1000, 0);
  for (int id : {185, 188, 189}) tk::setMenuItemChecked(0, id, true);
  const struct {
    bool cm;
    float zoom;
    int scroll;
    int longMark, halfMark, minorMark;   // x of one mark of each kind
  } cases[] = {
      {false, 1.0f, 0, 50, 75, 55},     // 50 cells a unit, minor marks every 5
      {false, 1.0f, 30, 20, 45, 25},    // scrolled by 30 cells
      {false, 2.0f, 0, 100, 150, 110},  // 50 cells = 100 pixels at 200 %
      {true, 1.0f, 0, 30, 45, 33},      // no printer: 30 pixels a centimetre
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << (c.cm ? "cm" : "px") << " zoom " << c.zoom << " scroll " << c.scroll);
    tk::setMenuItemChecked(0, 186, c.cm);
    length = c.zoom;
    horz = vert = c.scroll;
    DrawRulers();
    ASSERT_EQ(tk::imageWidth(17), areaxmax);
    ASSERT_EQ(tk::imageHeight(18), areaymax);
    EXPECT_TRUE(Black(17, 3, 29));                    // base line
    EXPECT_TRUE(Black(17, c.longMark, 21));           // long mark from y 20
    EXPECT_FALSE(Black(17, c.longMark + 2, 21));
    EXPECT_TRUE(Black(17, c.halfMark, 25));           // half mark from y 25
    EXPECT_FALSE(Black(17, c.halfMark, 24));
    EXPECT_TRUE(Black(17, c.minorMark, 28));          // minor mark from y 27
    EXPECT_FALSE(Black(17, c.minorMark, 26));
    EXPECT_TRUE(Black(18, 21, c.longMark));           // the vertical ruler, turned
    EXPECT_TRUE(Black(18, 25, c.halfMark));
    EXPECT_FALSE(Black(18, 24, c.halfMark));
    EXPECT_TRUE(Black(18, 28, c.minorMark));
  }
  // Without "Lineal anzeigen" nothing is drawn.
  tk::setMenuItemChecked(0, 185, false);
  tk::freeImage(17);
  DrawRulers();
  EXPECT_FALSE(tk::isImage(17));
}
