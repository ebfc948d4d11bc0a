// The floating area: the merge by mode and flag, cells off the image, lasso shapes with
// their interior, clipped rectangles, inversion, re-grab, the area's view and the apply
// button with its undo point.
#include <tuple>

#include "documents/slot_fixture.h"

namespace {

using FloatingAreaTest = SlotFixture;

constexpr PixelCell Cell(int r, int g, int b, int flag = 0) {
  return PixelCell(b) | PixelCell(g) << 8 | PixelCell(r) << 16 | PixelCell(flag) << 24;
}

// An area of the given cells placed over image cell (x, y) with no scroll offset.
void PlaceArea(const std::vector<PixelCell>& cells, int w, int h, int x, int y) {
  AreaPixels = cells;
  arealang = w - 1;
  areahoch = h - 1;
  startx = x;
  starty = y;
  horz2 = vert2 = 0;
  areamark = 2;
}

PixelCell At(int x, int y) { return ImagePixels[size_t(y) * (bildlang + 1) + x]; }

}  // namespace

TEST_F(FloatingAreaTest, MergeWritesEachFlagByItsMode) {
  const PixelCell image = Cell(200, 128, 10, 5);   // an image flag, cleared by the merge
  const PixelCell area = Cell(100, 127, 251);
  const PixelCell copied = Cell(100, 127, 251), kept = Cell(200, 128, 10);
  const PixelCell averaged = Cell(150, 127, 130);   // 127 and 128 give 127
  // Flags 0, 1, 2, 255 in this order.
  const std::tuple<int, std::vector<PixelCell>> table[] = {
      {130, {kept, copied, copied, kept}},
      {131, {kept, copied, averaged, kept}},
      {132, {kept, copied, kept, kept}},
  };
  for (const auto& [mode, expected] : table) {
    SCOPED_TRACE(mode);
    SetImageDimensions(1, 4, 1);
    ImagePixels.assign(4, image);
    PlaceArea({area, area | 0x01000000u, area | 0x02000000u, area | 0xFF000000u}, 4, 1, 0, 0);
    tk::createImage(22, 4, 1);
    MergeAreaIntoImage(mode);
    EXPECT_EQ(ImagePixels, expected);
    EXPECT_EQ(AreaPixels.size(), 1u);
    EXPECT_FALSE(tk::isImage(22));
  }
}

TEST_F(FloatingAreaTest, CellsOffTheImageAreNeitherMergedNorRegrabbed) {
  // A 3 x 3 area moved so that it hangs over the left and bottom edges of a 4 x 4 image.
  for (auto [x, y] : {std::pair{-1, 2}, std::pair{2, -1}, std::pair{3, 3}}) {
    SCOPED_TRACE(testing::Message() << x << "," << y);
    MakeImage(4, 4, 1);
    const std::vector<PixelCell> before = ImagePixels;
    std::vector<PixelCell> cells(9);
    for (int i = 0; i < 9; ++i) cells[i] = Cell(250, i, 0, 1);
    PlaceArea(cells, 3, 3, x, y);
    RegrabAreaFromImage();
    for (int ay = 0; ay < 3; ++ay)
      for (int ax = 0; ax < 3; ++ax) {
        const int ix = x + ax, iy = y + ay;
        const bool on = ix >= 0 && ix < 4 && iy >= 0 && iy < 4;
        EXPECT_EQ(AreaPixels[ay * 3 + ax], on ? (At(ix, iy) | 0x01000000u) : cells[ay * 3 + ax]);
      }
    for (PixelCell& c : AreaPixels) c = (c & 0xFF000000u) | 0x00EEEEEE;
    MergeAreaIntoImage(130);
    for (int iy = 0; iy < 4; ++iy)
      for (int ix = 0; ix < 4; ++ix) {
        const bool under = ix >= x && ix < x + 3 && iy >= y && iy < y + 3;
        EXPECT_EQ(At(ix, iy), under ? 0x00EEEEEEu : before[iy * 4 + ix]);
      }
  }
}

// Outline rings drawn into the image's flags, one inside, one against the right and
// bottom edges: the area is the ring's box plus one cell where the image has room, the
// ring and its inside are flag 1, the rest 0.
TEST_F(FloatingAreaTest, LassoTakesTheOutlineAndItsInsideWithoutWideningAtTheEdges) {
  struct Case { int x0, y0, x1, y1, ax, ay, last; };
  for (const Case c : {Case{2, 2, 5, 5, 1, 1, 5}, Case{4, 3, 7, 7, 3, 2, 4}}) {
    MakeImage(8, 8, 1);
    for (int y = c.y0; y <= c.y1; ++y)
      for (int x = c.x0; x <= c.x1; ++x)
        if (x == c.x0 || x == c.x1 || y == c.y0 || y == c.y1) ImagePixels[y * 8 + x] |= 0x01000000u;
    ASSERT_EQ(FinishLassoSelection(0, 0, 1), 1);
    EXPECT_EQ(startx, c.ax);
    EXPECT_EQ(starty, c.ay);
    EXPECT_EQ(arealang, c.last);
    EXPECT_EQ(areahoch, c.y1 + (c.y1 < 7 ? 1 : 0) - c.ay);
    for (int y = 0; y <= areahoch; ++y)
      for (int x = 0; x <= arealang; ++x) {
        const int ix = c.ax + x, iy = c.ay + y;
        const bool inside = ix >= c.x0 && ix <= c.x1 && iy >= c.y0 && iy <= c.y1;
        EXPECT_EQ(AreaPixels[y * (arealang + 1) + x] >> 24, inside ? 1u : 0u) << ix << "," << iy;
        EXPECT_EQ(AreaPixels[y * (arealang + 1) + x] & 0xFFFFFF, SlotFixture::PatternCell(ix, iy, 1));
      }
    for (PixelCell p : ImagePixels) EXPECT_EQ(p >> 24, 0u);
  }
  // No outline: no area.
  areamark = 0;
  arealang = 4;
  EXPECT_EQ(FinishLassoSelection(0, 0, 1), 0);
  EXPECT_EQ(arealang, 4);
}

TEST_F(FloatingAreaTest, MarkAreaKeepsTheRectangleOnTheImage) {
  MakeImage(8, 6, 1);
  struct Case { int x1, y1, x2, y2, dx, dy, sx, sy, lastX, lastY; };
  for (const Case c : {Case{2, 1, 4, 3, 0, 0, 2, 1, 2, 2},       // as given
                       Case{4, 3, 2, 1, 0, 0, 2, 1, 2, 2},       // corners in any order
                       Case{-5, -5, 100, 2, 0, 0, 0, 0, 7, 2},   // beyond the left, top and right
                       Case{0, 0, 3, 3, 6, 4, 0, 0, 1, 1}}) {    // the offset pushes it off
    MarkArea(c.x1, c.y1, c.x2, c.y2, c.dx, c.dy, 1);
    EXPECT_EQ(startx, c.sx);
    EXPECT_EQ(starty, c.sy);
    EXPECT_EQ(arealang, c.lastX);
    EXPECT_EQ(areahoch, c.lastY);
    ASSERT_EQ(AreaPixels.size(), size_t(c.lastX + 1) * (c.lastY + 1));
    for (int y = 0; y <= areahoch; ++y)
      for (int x = 0; x <= arealang; ++x)
        EXPECT_EQ(AreaPixels[y * (arealang + 1) + x], At(startx + c.dx + x, starty + c.dy + y));
  }
}

TEST_F(FloatingAreaTest, InvertTakesTheRestAndDropsTheAreaWhenNothingIsLeft) {
  MakeImage(4, 4, 1);
  // The middle 2 x 2, one cell painted over (flag 2).
  PlaceArea({Cell(1, 1, 1, 1), Cell(2, 2, 2, 2), Cell(3, 3, 3, 1), Cell(4, 4, 4, 0)}, 2, 2, 1, 1);
  InvertAreaSelection();
  ASSERT_EQ(arealang, 3);
  ASSERT_EQ(areahoch, 3);
  EXPECT_EQ(startx, 0);
  EXPECT_EQ(starty, 0);
  EXPECT_EQ(AreaPixels[1 * 4 + 1], Cell(1, 1, 1, 0));
  EXPECT_EQ(AreaPixels[1 * 4 + 2], Cell(2, 2, 2, 2));
  EXPECT_EQ(AreaPixels[2 * 4 + 2], Cell(4, 4, 4, 1));   // outside the old shape
  EXPECT_EQ(AreaPixels[0], SlotFixture::PatternCell(0, 0, 1) | 0x01000000u);

  // An area over all of the image leaves nothing: it is dropped, the image unchanged.
  const std::vector<PixelCell> before = ImagePixels;
  PlaceArea(std::vector<PixelCell>(16, Cell(9, 9, 9, 1)), 4, 4, 0, 0);
  InvertAreaSelection();
  EXPECT_EQ(areamark, 0);
  EXPECT_EQ(AreaPixels.size(), 1u);
  EXPECT_EQ(ImagePixels, before);
}

TEST_F(FloatingAreaTest, ViewShowsImageAreaOrOverlayByFlagAtEachZoom) {
  MakeImage(4, 2, 1);
  AllRot = 10;
  AllGruen = 20;
  AllBlau = 30;
  const PixelCell overlay = Cell(245, 235, 225);
  // Flags 0, 1, 2 over the image, then flags 1 and 0 off its right edge.
  PlaceArea({Cell(9, 9, 9, 0), Cell(8, 8, 8, 1), Cell(7, 7, 7, 2), Cell(6, 6, 6, 1), Cell(5, 5, 5, 0)}, 5, 1, 1, 1);
  const PixelCell shown[5] = {At(1, 1), Cell(8, 8, 8), overlay, Cell(6, 6, 6), overlay};
  AreaZoomMaxX = 4;
  AreaZoomMaxY = 0;
  RenderAreaView();
  ASSERT_EQ(tk::imageWidth(22), 5);
  for (int x = 0; x < 5; ++x) EXPECT_EQ(tk::imageCells(22)[x] & 0xFFFFFF, shown[x]) << x;

  // At 200 % cell k covers the pixels from 2k; the picture is round(4 * 2) + 1 wide.
  length = 2.0f;
  AreaZoomMaxX = 8;
  AreaZoomMaxY = 0;
  RenderAreaView();
  ASSERT_EQ(tk::imageWidth(22), 9);
  for (int px = 0; px < 9; ++px) EXPECT_EQ(tk::imageCells(22)[px] & 0xFFFFFF, shown[std::min(px / 2, 4)]) << px;
}

TEST_F(FloatingAreaTest, ApplyMergesWithTheChosenOptionAfterAnUndoPoint) {
  OpenImages(1);
  const std::vector<PixelCell> before = ImagePixels;
  MarkArea(2, 1, 5, 3, 0, 0, 1);
  MarkAreaPixels();
  areamark = 2;
  for (PixelCell& c : AreaPixels) c = (c & 0xFF000000u) | 0x00FF00FF;
  AreaPixels[0] = (AreaPixels[0] & 0xFFFFFF) | 0x02000000u;   // painted over: left alone by 132
  AreaMergeOption = 2;
  ApplyAreaMerge();
  EXPECT_EQ(areamark, 0);
  EXPECT_EQ(At(2, 1), before[1 * 11 + 2]);
  EXPECT_EQ(At(3, 1), 0x00FF00FFu);
  EXPECT_EQ(At(5, 3), 0x00FF00FFu);
  Undo(1);
  EXPECT_EQ(ImagePixels, before);
}
