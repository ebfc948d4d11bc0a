// Selection outlines: the outline cells in the flag bytes, their view dots, clamping on
// the image under a scroll, the polygon mark's closing and colour, the circle mark.
#include <gtest/gtest.h>

#include "tools/tools_fixture.h"

using namespace tools_test;

namespace {
// Image 1's cell at (x, y), colour only.
PixelCell ViewCell(int x, int y) {
  int stride = 0;
  const uint32_t* cells = tk::imageCells(1, &stride);
  return cells ? cells[size_t(y) * size_t(stride) + size_t(x)] & 0x00FFFFFFu : 0xFFFFFFFFu;
}
uint32_t FlagAt(int x, int y) { return ImagePixels[size_t(y) * (size_t(bildlang) + 1) + size_t(x)] >> 24; }
}  // namespace

TEST_F(ToolsTest, OutlineSegmentFlagsItsCellsAndShowsDotsOnlyWhenNotQuiet) {
  AllRot = AllGruen = AllBlau = 0;   // dots in white
  RedrawCanvas();
  PrepareViewImages();
  ASSERT_TRUE(tk::isImage(1));
  const PixelCell before = ViewCell(6, 6);
  MarkOutlineSegment(5, 5, 8, 5, 0, 0, 1);
  for (int x = 5; x <= 8; ++x) EXPECT_EQ(FlagAt(x, 5), 1u);
  EXPECT_EQ(FlagAt(9, 5), 0u);
  EXPECT_EQ(ViewCell(6, 6), before);   // quiet: no view pixel changed
  ClearPixelFlags();
  Fill(0);
  RedrawCanvas();
  PrepareViewImages();
  MarkOutlineSegment(5, 5, 5, 5, 0, 0, 0);
  EXPECT_EQ(ViewCell(6, 6), 0x00FFFFFFu);   // one pixel right of and below its cell
  ClearPixelFlags();
}

TEST_F(ToolsTest, OutlinePointsAreKeptOnTheImageInImageCells) {
  // scrolled ten cells right, a segment running past the right edge and above the top
  MarkOutlineSegment(25, 5, 45, -7, 10, 0, 1);
  int flagged = 0;
  for (PixelCell p : ImagePixels) flagged += (p >> 24) == 1;
  EXPECT_GT(flagged, 0);
  EXPECT_EQ(FlagAt(35, 5), 1u);   // the start, image cell 35
  EXPECT_EQ(FlagAt(39, 0), 1u);   // the rest on the corner
  EXPECT_EQ(FlagAt(15, 5), 0u);   // not at the view cell's place
  ClearPixelFlags();
}

TEST_F(ToolsTest, PolygonMarkOfTwoPointsClosesIntoItsWidenedBox) {
  Rot = 10, Gruen = 20, Blau = 30;
  AllRot = AllGruen = AllBlau = 100;
  StartPolygonMark(5, 5, 0, 0);
  EXPECT_EQ(vieleckwork, 1);
  EXPECT_EQ(paintstate, 38);
  EXPECT_EQ(Rot, 27);   // 127 - the average
  EXPECT_TRUE(tk::gadgetDisabled(60));
  AddPolygonMarkPoint(10, 8, 0, 0);
  ClosePolygonMark();
  EXPECT_EQ(vieleckwork, 0);
  EXPECT_EQ(areamark, 2);
  EXPECT_EQ(Startareax, 4);
  EXPECT_EQ(startareay, 4);
  EXPECT_EQ(arealang, 7);
  EXPECT_EQ(areahoch, 5);
  // the drawing colour the first click replaced is back
  EXPECT_EQ(Rot, 10);
  EXPECT_EQ(Gruen, 20);
  EXPECT_EQ(Blau, 30);
  EXPECT_TRUE(NoFlags());
  areamark = 0;
}

TEST_F(ToolsTest, PolygonMarkEdgeJoinsThePressedCellsAcrossAScroll) {
  StartPolygonMark(2, 3, 0, 0);
  AddPolygonMarkPoint(10, 8, 5, 0);   // the view scrolled five cells right meanwhile
  EXPECT_EQ(FlagAt(2, 3), 1u);
  EXPECT_EQ(FlagAt(15, 8), 1u);
  EXPECT_EQ(FlagAt(10, 8), 0u);
  PolygonMarkPoints.clear();
  vieleckwork = 0;
  RestorePolygonMarkColour();
  ClearPixelFlags();
}

TEST_F(ToolsTest, CircleMarkOfRadiusOneAtACornerClosesOnTheImage) {
  for (auto [cx, cy] : {std::pair{0, 0}, std::pair{39, 29}}) {
    SCOPED_TRACE(std::to_string(cx));
    CircleMark(cx, cy, 0, 0, 1, 1);
    EXPECT_EQ(areamark, 0);   // the caller sets it; the area is built
    EXPECT_GE(arealang, 1);
    EXPECT_GE(areahoch, 1);
    EXPECT_LE(Startareax + arealang, 39);
    EXPECT_LE(startareay + areahoch, 29);
    // the centre cell belongs to the shape
    const int32_t ix = cx - Startareax, iy = cy - startareay;
    EXPECT_EQ(AreaPixels[size_t(iy) * (size_t(arealang) + 1) + size_t(ix)] >> 24, 1u);
    EXPECT_TRUE(NoFlags());
  }
}
