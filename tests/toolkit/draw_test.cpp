// Drawing: exact cells of the primitives, XOR mode, text, images, and the targets.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "toolkit/internal.h"
#include "toolkit/tk_gadget.h"
#include "toolkit/tk_image.h"
#include "toolkit/tk_window.h"

namespace {

constexpr int Img = 511, Src = 512;
constexpr uint32_t Red = 0x0000FF, White = 0xFFFFFF, Blue = 0xFF0000;

class DrawTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(tk::createImage(Img, 16, 16, 24, 0), Img);
    ASSERT_TRUE(tk::startDrawing(tk::imageOutput(Img)));
    tk::drawingMode(tk::DrawDefault);
  }
  void TearDown() override {
    tk::stopDrawing();
    tk::drawingMode(tk::DrawDefault);
    tk::drawingFont(-1);
    tk::freeImage(Img);
    tk::freeImage(Src);
  }
  static uint32_t cell(int num, int x, int y) {
    int stride = 0;
    return tk::imageCells(num, &stride)[size_t(y) * stride + x];
  }
  static std::vector<uint32_t> cells(int num) {
    std::vector<uint32_t> v(size_t(tk::imageWidth(num)) * tk::imageHeight(num));
    tk::imageToPixels(num, v.data(), tk::imageWidth(num), tk::imageHeight(num), tk::imageWidth(num));
    return v;
  }
  // The w x h cells from (x, y), '#' where something is drawn, rows separated by '|'.
  static std::string art(int x, int y, int w, int h) {
    std::string s;
    for (int yy = y; yy < y + h; ++yy) {
      if (yy > y) s += '|';
      for (int xx = x; xx < x + w; ++xx) s += (cell(Img, xx, yy) & 0xFFFFFF) ? '#' : '.';
    }
    return s;
  }
  static int drawn() {
    const auto v = cells(Img);
    return int(std::count_if(v.begin(), v.end(), [](uint32_t c) { return (c & 0xFFFFFF) != 0; }));
  }
};

TEST_F(DrawTest, PlotAndPointAreExact) {
  tk::plot(3, 4, 0x00123456);
  EXPECT_EQ(tk::point(3, 4), 0x00123456u);
  EXPECT_EQ(cell(Img, 3, 4), 0xFF563412u);
  EXPECT_EQ(drawn(), 1);
  tk::plot(-1, 3, Red);   // outside: nothing
  tk::plot(16, 3, Red);
  EXPECT_EQ(drawn(), 1);
  EXPECT_EQ(tk::point(16, 0), 0xFFFFFFFFu);
  EXPECT_EQ(tk::point(0, -1), 0xFFFFFFFFu);
}

TEST_F(DrawTest, LinesIncludeBothEnds) {
  struct Case { int x1, y1, x2, y2, count; } cases[] = {
      {1, 1, 5, 1, 5}, {1, 1, 4, 4, 4}, {5, 5, 1, 1, 5}, {2, 2, 2, 2, 1}, {0, 0, 6, 3, 7},
      {3, 9, 3, 2, 8}, {-4, 0, 3, 0, 4},   // the last one clipped at the left edge
  };
  for (auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.x1 << "," << c.y1 << " - " << c.x2 << "," << c.y2);
    tk::box(0, 0, 16, 16, 0);
    tk::line(c.x1, c.y1, c.x2, c.y2, Red);
    EXPECT_EQ(drawn(), c.count);
    if (c.x1 >= 0) {
      EXPECT_EQ(tk::point(c.x1, c.y1), Red);
    }
    EXPECT_EQ(tk::point(c.x2, c.y2), Red);
  }
}

TEST_F(DrawTest, ShapesCoverExactCells) {
  struct Case {
    const char* what;
    std::function<void()> draw;
    int x, y, w, h;
    const char* expect;
  } cases[] = {
      {"filled box", [] { tk::box(1, 2, 3, 2, Red); }, 0, 1, 5, 4, ".....|.###.|.###.|....."},
      {"outlined box", [] { tk::drawingMode(tk::DrawOutlined); tk::box(1, 1, 4, 3, Red); },
       0, 0, 6, 5, "......|.####.|.#..#.|.####.|......"},
      {"clipped box", [] { tk::box(-2, -2, 4, 3, Red); }, 0, 0, 3, 2, "##.|..."},
      {"circle r0", [] { tk::circle(3, 3, 0, Red); }, 2, 2, 3, 3, "...|.#.|..."},
      {"circle r1", [] { tk::circle(3, 3, 1, Red); }, 2, 2, 3, 3, ".#.|###|.#."},
      {"circle r2", [] { tk::circle(3, 3, 2, Red); }, 1, 1, 5, 5,
       ".###.|#####|#####|#####|.###."},
      {"circle r2 outline", [] { tk::drawingMode(tk::DrawOutlined); tk::circle(3, 3, 2, Red); },
       1, 1, 5, 5, ".###.|#...#|#...#|#...#|.###."},
      {"ellipse", [] { tk::ellipse(4, 2, 3, 1, Red); }, 0, 0, 9, 4,
       ".........|..#####..|.#######.|..#####.."},
      {"ellipse outline", [] { tk::drawingMode(tk::DrawOutlined); tk::ellipse(4, 2, 3, 1, Red); },
       0, 1, 9, 3, "..#####..|.#.....#.|..#####.."},
  };
  for (auto& c : cases) {
    SCOPED_TRACE(c.what);
    tk::drawingMode(tk::DrawDefault);
    tk::box(0, 0, 16, 16, 0);
    c.draw();
    EXPECT_EQ(art(c.x, c.y, c.w, c.h), c.expect);
    // Nothing drawn outside the window looked at.
    int inside = 0;
    for (char ch : std::string(c.expect)) inside += ch == '#';
    EXPECT_EQ(drawn(), inside);
  }
}

TEST_F(DrawTest, HugeOrOffImageShapesDoNotFail) {
  tk::circle(8, 8, 1 << 30, Red);
  tk::ellipse(-100000, 5, 10, 10, Red);
  tk::box(10, 10, 0x7FFFFFF0, 0x7FFFFFF0, Red);
  tk::line(-50, -50, -10, -10, Red);
  EXPECT_EQ(drawn(), 36);   // only the box reaches the image
}

TEST_F(DrawTest, DrawnCellsAreFlaggedXorKeepsFlags) {
  tk::imageCells(Img)[0] = 0x02000000;
  tk::plot(0, 0, Red);
  EXPECT_EQ(cell(Img, 0, 0), 0xFFFF0000u);
  tk::imageCells(Img)[0] = 0x02000000;
  tk::drawingMode(tk::DrawXor);
  tk::plot(0, 0, Red);
  EXPECT_EQ(cell(Img, 0, 0), 0x02FF0000u);
}

TEST_F(DrawTest, XorTwiceRestores) {
  ASSERT_EQ(tk::createImage(Src, 5, 4, 32, 0x00808080), Src);
  struct Case { const char* what; int mode; std::function<void()> draw; } cases[] = {
      {"plot", 0, [] { tk::plot(3, 3, Red); }},
      {"line", 0, [] { tk::line(0, 15, 15, 0, White); }},
      {"box", 0, [] { tk::box(2, 2, 7, 5, White); }},
      {"box outline", tk::DrawOutlined, [] { tk::box(2, 2, 7, 5, White); }},
      {"circle", 0, [] { tk::circle(8, 8, 5, White); }},
      {"circle outline", tk::DrawOutlined, [] { tk::circle(8, 8, 5, White); }},
      {"ellipse outline", tk::DrawOutlined, [] { tk::ellipse(8, 8, 7, 2, White); }},
      {"image", 0, [] { tk::drawImage(Src, 3, 3); }},
  };
  int stride;
  uint32_t* c = tk::imageCells(Img, &stride);
  for (int i = 0; i < 16 * 16; ++i) c[(i / 16) * stride + i % 16] = uint32_t(i * 2654435761u) % 3 << 24 | uint32_t(i);
  const auto before = cells(Img);
  for (auto& k : cases) {
    SCOPED_TRACE(k.what);
    tk::drawingMode(tk::DrawXor | k.mode);
    k.draw();
    EXPECT_NE(cells(Img), before);
    k.draw();
    EXPECT_EQ(cells(Img), before);
  }
}

TEST_F(DrawTest, TextStaysInItsBox) {
  ASSERT_EQ(tk::loadFont(611, "DejaVu Sans", 10), 611);
  tk::drawingFont(611);
  tk::freeImage(Img);
  ASSERT_EQ(tk::createImage(Img, 80, 40, 24, 0), Img);
  ASSERT_TRUE(tk::startDrawing(tk::imageOutput(Img)));
  const int w = tk::textWidth("Hallo"), h = tk::textHeight("Hallo");
  ASSERT_GT(w, 0);
  ASSERT_GT(h, 0);
  ASSERT_LT(w, 70);
  for (int mode : {int(tk::DrawDefault), int(tk::DrawTransparent)}) {
    SCOPED_TRACE(mode);
    tk::drawingMode(tk::DrawDefault);
    tk::box(0, 0, 80, 40, 0);
    tk::drawingMode(mode);
    EXPECT_EQ(tk::drawText(3, 2, "Hallo", White, Blue), 3 + w);
    int front = 0, back = 0, outside = 0;
    for (int y = 0; y < 40; ++y)
      for (int x = 0; x < 80; ++x) {
        uint32_t col = tk::point(x, y);
        bool in = x >= 3 && x < 3 + w && y >= 2 && y < 2 + h;
        if (!in && col) ++outside;
        if (in && col == White) ++front;
        if (in && col == Blue) ++back;
        if (in && mode == tk::DrawDefault) {
          EXPECT_TRUE(col == White || col == Blue);
        }
      }
    EXPECT_GT(front, 10);
    EXPECT_EQ(outside, 0);
    EXPECT_EQ(back > 0, mode == tk::DrawDefault);
  }
  tk::freeFont(611);
}

TEST_F(DrawTest, TextClippedAtTheEdges) {
  ASSERT_EQ(tk::loadFont(612, "DejaVu Sans", 1000), 612);
  tk::drawingFont(612);
  tk::drawText(-50, -50, std::string(200, 'W'), White, Blue);   // far larger than the image
  const auto v = cells(Img);
  EXPECT_TRUE(std::all_of(v.begin(), v.end(), [](uint32_t c) {
    return c == 0xFFFFFFFFu || c == 0xFF0000FFu;   // front or back colour only
  }));
  tk::freeFont(612);
}

TEST_F(DrawTest, DrawImageCopiesCells) {
  ASSERT_EQ(tk::createImage(Src, 3, 2), Src);
  int stride;
  uint32_t* s = tk::imageCells(Src, &stride);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) s[y * stride + x] = uint32_t(x + 1) << 24 | uint32_t(10 * y + x + 1);
  tk::drawImage(Src, 2, 5);
  EXPECT_EQ(cell(Img, 2, 5), cell(Src, 0, 0));
  EXPECT_EQ(cell(Img, 4, 6), cell(Src, 2, 1));
  EXPECT_EQ(drawn(), 6);
  tk::box(0, 0, 16, 16, 0);
  tk::drawImage(Src, -1, 14, 6, 4);   // doubled and clipped on two sides
  EXPECT_EQ(art(0, 13, 6, 3), "......|#####.|#####.");
  EXPECT_EQ(cell(Img, 0, 14), cell(Src, 0, 0));
  EXPECT_EQ(cell(Img, 4, 15), cell(Src, 2, 0));
  tk::drawImage(Img, 1, 1);   // onto itself
  EXPECT_EQ(cell(Img, 1, 15), cell(Src, 0, 0));
  tk::drawImage(9999, 0, 0);   // no such image
}

TEST_F(DrawTest, TargetsThatAreGone) {
  tk::stopDrawing();
  EXPECT_FALSE(tk::startDrawing(tk::imageOutput(9999)));
  EXPECT_FALSE(tk::startDrawing(tk::windowOutput(9999)));
  EXPECT_FALSE(tk::startDrawing(tk::gadgetOutput(9999)));
  EXPECT_FALSE(tk::startDrawing(tk::Output{7, Img}));
  ASSERT_TRUE(tk::startDrawing(tk::imageOutput(Img)));
  tk::freeImage(Img);
  tk::plot(1, 1, Red);
  tk::circle(4, 4, 3, Red);
  tk::drawText(0, 0, "x", Red, 0);
  EXPECT_EQ(tk::point(1, 1), 0xFFFFFFFFu);
}

std::vector<int> g_changed;
void changed(int num) { g_changed.push_back(num); }

TEST_F(DrawTest, WindowAndGadgetTargets) {
  tk::detail::addImageListener(changed);
  const int win = tk::openWindow(521, 0, 0, 40, 30, "Zeichnen", tk::WfHidden);
  ASSERT_EQ(win, 521);
  ASSERT_TRUE(tk::startDrawing(tk::windowOutput(win)));
  tk::plot(5, 6, Red);
  g_changed.clear();
  tk::stopDrawing();
  const int wimg = tk::detail::WindowImageBase + win;
  ASSERT_TRUE(tk::isImage(wimg));
  EXPECT_GE(tk::imageWidth(wimg), tk::windowWidth(win));
  EXPECT_GE(tk::imageHeight(wimg), tk::windowHeight(win));
  EXPECT_EQ(cell(wimg, 5, 6), 0xFFFF0000u);
  EXPECT_EQ(g_changed, std::vector<int>{wimg});

  // An image gadget draws into the image it shows.
  tk::useWindow(win);
  const int g = tk::imageGadget(-1, 0, 0, 16, 16, Img);
  ASSERT_GE(g, 0);
  ASSERT_TRUE(tk::startDrawing(tk::gadgetOutput(g)));
  tk::plot(2, 2, Red);
  tk::stopDrawing();
  EXPECT_EQ(cell(Img, 2, 2), 0xFFFF0000u);
  // A canvas draws into its own picture.
  const int cv = tk::canvas(-1, 0, 0, 20, 20);
  ASSERT_GE(cv, 0);
  ASSERT_TRUE(tk::startDrawing(tk::gadgetOutput(cv)));
  tk::plot(3, 4, Red);
  tk::stopDrawing();
  EXPECT_EQ(cell(tk::canvasImage(cv), 3, 4), 0xFFFF0000u);
  const int lbl = tk::label(-1, 0, 20, 30, 10, "x");
  EXPECT_FALSE(tk::startDrawing(tk::gadgetOutput(lbl)));
  tk::closeWindow(win);
  tk::freeImage(wimg);
}

}  // namespace
