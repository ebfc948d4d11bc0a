// The canvas view against a cell-by-cell reference, the scroll bars and the overlays.
#include <gtest/gtest.h>

#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>
#include <cmath>

#include "documents/canvas_fixture.h"
#include "documents/view_internal.h"
#include "toolkit/internal.h"
#include "shell/shell.h"

namespace {

PixelCell ImageCell(int x, int y) { return PixelCell(0x00010000 * (x % 200) + 0x100 * (y % 200) + 7); }
constexpr PixelCell kBg = 0x00C0FFEE;   // blue EE, green FF, red C0: not an image cell

void MakeImage(int w, int h) {
  SetImageDimensions(h, w, 0);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) ImagePixels[size_t(y) * w + x] = ImageCell(x, y);
}

int32_t Rnd(double v) { return int32_t(std::nearbyint(v)); }

// The image cell a view pixel shows, -1 for background.
int RefAxis(int p, int viewMax, int last, int scroll, float L) {
  const int visible = last - scroll;
  if (L == 1.0f) {
    int v = visible;
    if (v > viewMax) v = viewMax - 1;
    return p <= v ? scroll + p : -1;
  }
  if (L > 1.0f) {
    // the block of cell c covers round(c L) .. round((c + 1) L) - 1; blocks start at most
    // at round(viewMax - L)
    const int cut = Rnd(viewMax - double(L));
    for (int c = 0; c <= visible; ++c) {
      const int s0 = Rnd(c * double(L)), s1 = Rnd((c + 1) * double(L));
      if (s0 > cut) return -1;
      if (p >= s0 && p < s1) return scroll + c;
    }
    return -1;
  }
  const long w = Rnd(viewMax / double(L));
  const long b = long(p) * (w + 1) / (viewMax + 1);
  return b <= std::min<long>(visible, w) ? scroll + int(b) : -1;
}

PixelCell RefPixel(int px, int py) {
  const int cx = RefAxis(px, areaxmax, bildlang, horz, length);
  const int cy = RefAxis(py, areaymax, bildhoch, vert, length);
  if (cx < 0 || cy < 0) return kBg;
  return ImagePixels[size_t(cy) * (bildlang + 1) + cx];
}

struct CanvasViewTest : CanvasFixture {
  void SetUp() override {
    CanvasFixture::SetUp();
    Settings.imageBackground[0] = 0xEE;
    Settings.imageBackground[1] = 0xFF;
    Settings.imageBackground[2] = 0xC0;
  }
  // A black 50 x 50 image at zoom 1 in a 65 x 65 view, drawn with the keyboard crosshair
  // on cell (10, 12).
  static void DrawCrosshairOverBlack() {
    SetView(65, 65);
    MakeImage(50, 50);
    for (auto& c : ImagePixels) c = 0;
    KeyboardModus = 1;
    KeyboardX = 10;
    KeyboardY = 12;
    RedrawCanvas();
  }
  // Compares the canvas picture and, once they are asked for, view image 0 and its copy,
  // image 1, with the reference; returns mismatches.
  int Mismatches() {
    PrepareViewImages();
    int s0 = 0, s1 = 0, cs = 0;
    const uint32_t* v = tk::imageCells(0, &s0);
    const uint32_t* v1 = tk::imageCells(1, &s1);
    const uint32_t* c = tk::imageCells(tk::canvasImage(11), &cs);
    EXPECT_TRUE(v && v1 && c);
    if (!v || !v1 || !c) return -1;
    int bad = 0;
    for (int y = 0; y <= areaymax; ++y) {
      for (int x = 0; x <= areaxmax; ++x) {
        const PixelCell want = RefPixel(x, y);
        if (v[size_t(y) * s0 + x] != want || v1[size_t(y) * s1 + x] != want || c[size_t(y) * cs + x] != want) {
          if (bad++ < 3) ADD_FAILURE() << "pixel " << x << "," << y;
        }
      }
    }
    return bad;
  }
  static bool White(int image, int x, int y) {
    int stride = 0;
    const uint32_t* c = tk::imageCells(image, &stride);
    return c && (c[size_t(y) * stride + x] & 0xFFFFFF) == 0xFFFFFF;
  }
};

}  // namespace

TEST_F(CanvasViewTest, RedrawMatchesTheReferenceAtEveryZoom) {
  const struct {
    int w, h;         // image
    int vw, vh;       // view
    float zoom;
    int horz, vert;
  } cases[] = {
      {20, 15, 33, 17, 1.0f, 0, 0},     // smaller than the view: background right and below
      {40, 30, 33, 17, 1.0f, 0, 0},     // larger: the last view column stays background
      {40, 30, 33, 17, 1.0f, 5, 7},
      {33, 17, 33, 17, 1.0f, 0, 0},     // exactly the view
      {20, 15, 49, 33, 2.0f, 0, 0},
      {40, 30, 49, 33, 2.0f, 3, 4},
      {40, 30, 49, 33, 3.0f, 1, 2},
      {40, 30, 65, 49, 16.0f, 10, 20},
      {40, 30, 49, 33, 1.5f, 0, 0},     // fractional: no background between cells
      {40, 30, 49, 33, 2.5f, 2, 1},
      {7, 5, 49, 33, 1.5f, 0, 0},
      {40, 30, 17, 17, 0.5f, 0, 0},
      {40, 30, 17, 17, 0.25f, 4, 3},
      {200, 150, 33, 33, 0.25f, 0, 0},
      {10, 8, 33, 33, 0.75f, 0, 0},
      {1, 1, 17, 17, 1.0f, 0, 0},
      {1, 1, 17, 17, 4.0f, 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.w << "x" << c.h << " view " << c.vw << "x" << c.vh
                                      << " zoom " << c.zoom << " scroll " << c.horz << "," << c.vert);
    SetView(c.vw, c.vh);
    length = c.zoom;
    MakeImage(c.w, c.h);
    horz = c.horz;
    vert = c.vert;
    RedrawCanvas();
    EXPECT_EQ(Mismatches(), 0);
  }
}

TEST_F(CanvasViewTest, FractionalZoomShowsNoStripes) {
  SetView(65, 49);
  MakeImage(100, 100);
  for (float zoom : {1.25f, 1.5f, 2.5f, 3.7f}) {
    length = zoom;
    RedrawCanvas();
    int stride = 0;
    const uint32_t* v = tk::imageCells(tk::canvasImage(11), &stride);
    ASSERT_TRUE(v);
    // Every pixel left of and above the cut shows an image cell.
    const int cutX = Rnd(areaxmax - double(zoom)), cutY = Rnd(areaymax - double(zoom));
    for (int y = 0; y < cutY; ++y)
      for (int x = 0; x < cutX; ++x) ASSERT_NE(v[size_t(y) * stride + x], kBg) << zoom << " " << x << "," << y;
  }
}

TEST_F(CanvasViewTest, ScrollPastTheImageShowsBackgroundOnly) {
  SetView(17, 17);
  MakeImage(10, 10);
  horz = 50;   // beyond the last column
  RedrawCanvas();
  EXPECT_EQ(Mismatches(), 0);
  horz = -3;   // a bad position draws nothing outside the image
  RedrawCanvas();
  EXPECT_EQ(Mismatches(), 0);
}

TEST_F(CanvasViewTest, ScrollBarMaximaAndPages) {
  const struct {
    int w, view;
    float zoom;
    int max, page;
  } cases[] = {
      {100, 401, 1.0f, 0, 0},       // fits: bar hidden
      {396, 401, 1.0f, 200, 2},     // fits, but within ten cells of the edge
      {1000, 401, 1.0f, 799, 0},    // 599 + 200
      {1000, 401, 2.0f, 900, 0},    // ceil(799.5) + 100
      {1000, 401, 0.5f, 599, 0},    // maxx 500 (499.5 to even): ceil(199) + 400
      {4000, 1921, 16.0f, 3940, 0}, // ceil(3879.9) + 60
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.w << " in " << c.view << " at " << c.zoom);
    SetView(c.view, c.view);
    length = c.zoom;
    SetImageDimensions(c.w, c.w, 0);
    horz = vert = 9;
    UpdateScrollBars();
    EXPECT_EQ(horz, 0);
    EXPECT_EQ(vert, 0);
    EXPECT_EQ(scrollmaxx, c.max);
    EXPECT_EQ(scrollmaxY, c.max);
    EXPECT_EQ(tk::gadgetAttribute(12, tk::AttrMaximum), c.max);
    if (c.page > 0) EXPECT_EQ(tk::gadgetAttribute(13, tk::AttrPageLength), c.page);
    EXPECT_EQ(tk::gadgetHidden(12), c.max == 0);
    EXPECT_EQ(tk::gadgetHidden(13), c.max == 0);
  }
}

TEST_F(CanvasViewTest, ScrollRequests) {
  SetView(401, 401);
  SetImageDimensions(1000, 1000, 0);   // maxima 799: page step 79
  ASSERT_EQ(scrollmaxx, 799);
  const struct {
    int request, start, position, want;
  } cases[] = {
      {ScrollLineDown, 0, 0, 1},    {ScrollLineUp, 0, 0, 0},       {ScrollLineUp, 5, 0, 4},
      {ScrollLineDown, 799, 0, 799}, {ScrollPageDown, 0, 0, 79},   {ScrollPageDown, 750, 0, 799},
      {ScrollPageUp, 100, 0, 21},   {ScrollPageUp, 30, 0, 0},      {ScrollTop, 400, 0, 0},
      {ScrollBottom, 3, 0, 799},    {ScrollThumbTrack, 0, 517, 517}, {ScrollThumbPosition, 0, 5000, 799},
  };
  for (int bar : {12, 13}) {
    for (const auto& c : cases) {
      int32_t& pos = bar == 12 ? horz : vert;
      pos = c.start;
      CanvasScrollRequest(bar, c.request, c.position);
      EXPECT_EQ(pos, c.want) << "bar " << bar << " request " << c.request << " from " << c.start;
      if (c.want != c.start) EXPECT_EQ(tk::gadgetState(bar), c.want);
    }
  }
  // Below 10 the page step is 0: page requests change nothing.
  SetView(9, 9);
  SetImageDimensions(11, 11, 0);   // ceil(2) + 4
  ASSERT_EQ(scrollmaxx, 6);
  ASSERT_GT(scrollmaxx, 0);
  ASSERT_LT(scrollmaxx, 10);
  horz = 2;
  CanvasScrollRequest(12, ScrollPageDown, 0);
  EXPECT_EQ(horz, 2);
  CanvasScrollRequest(12, ScrollPageUp, 0);
  EXPECT_EQ(horz, 2);
}

TEST_F(CanvasViewTest, ScrollFollowsTheRubberBandCorner) {
  SetView(401, 401);
  length = 2.0f;
  SetImageDimensions(1000, 1000, 0);
  areax = 10;
  horz2 = 3;
  CanvasScrollRequest(12, ScrollThumbTrack, 5);
  EXPECT_EQ(mousex, Rnd((10 - 5 + 3) * 2.0 + 2.0));
}

TEST_F(CanvasViewTest, ComposeShowsTheViewOrTheGrid) {
  SetView(101, 61);
  MakeImage(300, 300);
  for (auto& c : ImagePixels) c = 0;   // black image: the overlay colour is white
  AllRot = AllGruen = AllBlau = 0;
  RedrawCanvas();
  EXPECT_EQ(Mismatches(), 0);   // no overlay: the canvas shows view image 0

  GridActive = 1;
  GridWidth = 10;
  horz = 20;   // a multiple of the spacing: the first line lies 10 in, not at the edge
  vert = 3;    // first horizontal line at 7
  RedrawCanvas();
  int cs = 0;
  const uint32_t* c = tk::imageCells(tk::canvasImage(11), &cs);
  ASSERT_TRUE(c);
  auto white = [&](int x, int y) { return (c[size_t(y) * cs + x] & 0xFFFFFF) == 0xFFFFFF; };
  const struct { int x, y; bool line; } at1[] = {
      {10, 2, true}, {20, 50, true}, {0, 2, false}, {11, 2, false}, {5, 7, true},
      {5, 17, true}, {5, 8, false}, {5, 6, false},
  };
  for (const auto& p : at1) EXPECT_EQ(white(p.x, p.y), p.line) << p.x << "," << p.y;

  // Zoom 2: bars two pixels thick at round(phase * 2), stepping 20.
  length = 2.0f;
  horz = 0;
  vert = 0;
  RedrawCanvas();
  c = tk::imageCells(tk::canvasImage(11), &cs);
  const struct { int x, y; bool line; } at2[] = {
      {20, 5, true}, {21, 5, true}, {22, 5, false}, {19, 5, false}, {40, 5, true},
      {5, 20, true}, {5, 21, true}, {5, 22, false},
  };
  for (const auto& p : at2) EXPECT_EQ(white(p.x, p.y), p.line) << p.x << "," << p.y;
}

TEST_F(CanvasViewTest, KeyboardCrosshair) {
  DrawCrosshairOverBlack();
  int cs = 0;
  const uint32_t* c = tk::imageCells(tk::canvasImage(11), &cs);
  ASSERT_TRUE(c);
  auto white = [&](int x, int y) { return (c[size_t(y) * cs + x] & 0xFFFFFF) == 0xFFFFFF; };
  // Zoom 1: four lines of three pixels from the cursor, the five cells 8..12 of its row
  // and 10..14 of its column, and nothing beyond.
  for (int d = -2; d <= 2; ++d) {
    EXPECT_TRUE(white(10 + d, 12)) << d;
    EXPECT_TRUE(white(10, 12 + d)) << d;
  }
  for (auto [x, y] : {std::pair{13, 12}, std::pair{7, 12}, std::pair{10, 15}, std::pair{10, 9},
                      std::pair{11, 13}, std::pair{9, 11}}) {
    EXPECT_FALSE(white(x, y)) << x << "," << y;
  }
  // Zoom 2: boxes over the five cells of the row and the column.
  length = 2.0f;
  RedrawCanvas();
  c = tk::imageCells(tk::canvasImage(11), &cs);
  EXPECT_TRUE(white(16, 24));   // cell 8 of the row
  EXPECT_TRUE(white(25, 25));   // cell 12
  EXPECT_FALSE(white(26, 24));  // cell 13
  EXPECT_TRUE(white(20, 20));   // row 10 of the column
  EXPECT_FALSE(white(22, 24 + 6));
}

// The zoom list's text sets the zoom; the view and the scroll range follow it.
TEST_F(CanvasViewTest, ZoomListSetsTheZoom) {
  tk::useWindow(0);
  tk::comboBox(60, 0, 0, 100, 200);
  for (const char* z : {"0.25", "0.5", "0.75", "1", "2", "4", "8", "16"}) tk::addGadgetItem(60, -1, z);
  SetImageDimensions(100, 100, 0);
  struct Case { int item; float zoom; bool scrolls; };
  for (const Case& c : {Case{3, 1.0f, false}, Case{7, 16.0f, true}, Case{0, 0.25f, false}}) {
    tk::setGadgetState(60, c.item);
    ApplyZoomFromList();
    EXPECT_FLOAT_EQ(length, c.zoom) << c.item;
    EXPECT_EQ(tk::gadgetAttribute(12, tk::AttrMaximum) > 0, c.scrolls) << c.item;
  }
}

// A redraw writes the view once, into the canvas picture; images 0 and 1 receive it only
// when asked for, and overlays never reach image 0.
TEST_F(CanvasViewTest, ViewImagesFollowTheCanvasOnlyWhenAskedFor) {
  SetView(49, 33);
  MakeImage(40, 30);
  for (int image : {0, 1}) {
    ASSERT_TRUE(docs::EnsureImage(image, 49, 33));
    tk::createImage(image, 49, 33, 24, 0x123456);
  }
  int s0 = 0, s1 = 0;
  RedrawCanvas();
  EXPECT_EQ(tk::imageCells(0, &s0)[0] & 0xFFFFFF, 0x563412u);   // untouched by the redraw
  EXPECT_EQ(tk::imageCells(1, &s1)[0] & 0xFFFFFF, 0x563412u);
  EXPECT_EQ(Mismatches(), 0);                                   // asked for: the view

  // With the grid on, the canvas shows it and image 0 keeps the plain view.
  for (auto& c : ImagePixels) c = 0;
  AllRot = AllGruen = AllBlau = 0;
  GridActive = 1;
  GridWidth = 10;
  RedrawCanvas();
  PrepareViewImages();
  EXPECT_TRUE(White(tk::canvasImage(11), 10, 3));
  EXPECT_FALSE(White(0, 10, 3));
  EXPECT_FALSE(White(1, 10, 3));
}

// The keyboard crosshair is recomposed over the plain view: moving it leaves no trace, also
// when the view was only ever written into the canvas picture.
TEST_F(CanvasViewTest, MovedCrosshairLeavesNoTrace) {
  DrawCrosshairOverBlack();
  const int canvas = tk::canvasImage(11);
  ASSERT_TRUE(White(canvas, 12, 12));
  KeyboardX = 30;
  ComposeCanvasView();
  EXPECT_FALSE(White(canvas, 12, 12));
  EXPECT_TRUE(White(canvas, 32, 12));
  KeyboardModus = 0;
  ComposeCanvasView();   // no overlay: the plain view again
  EXPECT_EQ(Mismatches(), 0);
}

// Clicks on the real scroll bars: the trough pages by a tenth of the range (shortened at
// the ends, nothing below 10), the arrows step by one.
TEST_F(CanvasViewTest, ScrollBarClicksPageByATenthOfTheRange) {
  SetView(401, 401);
  SetImageDimensions(1000, 1000, 0);   // maxima 799: page step 79
  ASSERT_EQ(scrollmaxx, 799);
  tk::hideWindow(0, false);
  struct Click { QStyle::SubControl part; int start, want; };
  const Click clicks[] = {
      {QStyle::SC_ScrollBarAddPage, 0, 79},     {QStyle::SC_ScrollBarSubPage, 100, 21},
      {QStyle::SC_ScrollBarAddPage, 750, 799},  {QStyle::SC_ScrollBarSubPage, 30, 0},
      {QStyle::SC_ScrollBarAddLine, 5, 6},      {QStyle::SC_ScrollBarSubLine, 5, 4},
  };
  for (int bar : {12, 13}) {
    auto* sb = static_cast<QScrollBar*>(tk::detail::gadgetWidget(bar));
    ASSERT_TRUE(sb);
    int32_t& pos = bar == 12 ? horz : vert;
    for (const Click& c : clicks) {
      pos = c.start;
      tk::setGadgetState(bar, c.start);
      QStyleOptionSlider opt;
      opt.initFrom(sb);
      opt.orientation = sb->orientation();
      opt.minimum = sb->minimum();
      opt.maximum = sb->maximum();
      opt.sliderPosition = opt.sliderValue = sb->value();
      opt.pageStep = sb->pageStep();
      opt.singleStep = sb->singleStep();
      opt.subControls = QStyle::SC_All;
      const QRect r = sb->style()->subControlRect(QStyle::CC_ScrollBar, &opt, c.part, sb);
      ASSERT_TRUE(r.isValid()) << bar << " " << c.part;
      QTest::mouseClick(sb, Qt::LeftButton, Qt::NoModifier, r.center());
      EXPECT_EQ(pos, c.want) << "bar " << bar << " part " << c.part << " from " << c.start;
      EXPECT_EQ(tk::gadgetState(bar), c.want) << "bar " << bar << " part " << c.part;
    }
  }
  // Below a range of 10 a trough click moves nothing.
  SetView(9, 9);
  SetImageDimensions(11, 11, 0);
  ASSERT_EQ(scrollmaxx, 6);
  horz = 2;
  tk::setGadgetState(12, 2);
  auto* sb = static_cast<QScrollBar*>(tk::detail::gadgetWidget(12));
  sb->triggerAction(QAbstractSlider::SliderPageStepAdd);
  EXPECT_EQ(horz, 2);
  EXPECT_EQ(tk::gadgetState(12), 2);
}
