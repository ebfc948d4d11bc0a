// Zoom and cursor geometry, the canvas layout, the image size change and the row flips.
#include <gtest/gtest.h>

#include "documents/canvas_fixture.h"

namespace {

PixelCell Rgb(int r, int g, int b) { return PixelCell(b) | PixelCell(g) << 8 | PixelCell(r) << 16; }
PixelCell Mark(int x, int y) { return Rgb(x + 1, y + 1, 9) | 0x05000000; }   // flag 5

void Fill(int w, int h) {
  SetImageDimensions(h, w, 0);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) ImagePixels[size_t(y) * w + x] = Mark(x, y);
}

using GeometryTest = CanvasFixture;

}  // namespace

TEST_F(GeometryTest, ZoomedSizes) {
  const struct { int bl, bh, axm, aym; float zoom; int mx, my, sx, sy; } cases[] = {
      {99, 49, 400, 200, 1.0f, 99, 49, 400, 200},
      {99, 49, 400, 200, 2.0f, 198, 98, 200, 100},
      {99, 49, 400, 200, 0.5f, 50, 24, 800, 400},    // 49.5 and 24.5 to even
      {99, 49, 401, 201, 1.5f, 148, 74, 267, 134},   // 148.5 -> 148, 73.5 -> 74
      {3, 3, 16, 16, 16.0f, 48, 48, 1, 1},
  };
  for (const auto& c : cases) {
    bildlang = c.bl;
    bildhoch = c.bh;
    areaxmax = c.axm;
    areaymax = c.aym;
    length = c.zoom;
    UpdateZoomedSizes();
    EXPECT_EQ(maxx, c.mx) << c.zoom;
    EXPECT_EQ(maxy, c.my) << c.zoom;
    EXPECT_EQ(showareamaxx, c.sx) << c.zoom;
    EXPECT_EQ(showareamaxy, c.sy) << c.zoom;
  }
}

TEST_F(GeometryTest, MouseToCell) {
  bildlang = 49;
  bildhoch = 29;
  // The cursor cell is round(Int(m - zoom / 2) / zoom): half a cell to the left and up.
  const struct { float zoom; int mx, my, h, v; int in, interior, lang, hoch; } cases[] = {
      {2.0f, 3, 0, 0, 0, 1, 0, 1, 0},        // round(1.5) = 2 inside; cursor round(Int(2)/2) = 1
      {1.0f, -1, 5, 0, 0, 0, 0, -1, 4},      // left of the canvas
      {1.0f, 49, 29, 0, 0, 1, 0, 48, 28},    // last cell
      {1.0f, 50, 29, 0, 0, 0, 0, 49, 28},    // one past it
      {1.0f, 40, 20, 10, 0, 0, 0, 39, 19},   // scrolled: 40 > 49 - 10
      {1.0f, 47, 27, 0, 0, 1, 1, 46, 26},
      {1.0f, 48, 27, 0, 0, 1, 0, 47, 26},    // interior is strict
      {4.0f, 10, 10, 0, 0, 1, 1, 2, 2},
  };
  for (const auto& c : cases) {
    length = c.zoom;
    horz = c.h;
    vert = c.v;
    tk::testSetWindowMouse(0, bildx + c.mx, CanvasTop + c.my);
    EXPECT_EQ(MouseInImage(), c.in) << c.mx << "," << c.my << " at " << c.zoom;
    EXPECT_EQ(MouseInImageInterior(), c.interior) << c.mx << "," << c.my << " at " << c.zoom;
    UpdateCursorPosition();
    EXPECT_EQ(lang, c.lang) << c.mx << " at " << c.zoom;
    EXPECT_EQ(hoch, c.hoch) << c.my << " at " << c.zoom;
    EXPECT_EQ(KeyboardX, std::clamp(c.lang, 0, bildlang));
    EXPECT_EQ(KeyboardY, std::clamp(c.hoch, 0, bildhoch));
  }
  // Keyboard mode: both tests answer 1 and the cursor follows the keyboard cell.
  KeyboardModus = 1;
  KeyboardX = 7;
  KeyboardY = 8;
  tk::testSetWindowMouse(0, -100, -100);
  EXPECT_EQ(MouseInImage(), 1);
  EXPECT_EQ(MouseInImageInterior(), 1);
  UpdateCursorPosition();
  EXPECT_EQ(lang, 7);
  EXPECT_EQ(hoch, 8);
  tk::testSetWindowMouse(0, -2, 0);
}

TEST_F(GeometryTest, RectangleDragUpAndLeftLeavesNegativeExtents) {
  bildlang = bildhoch = 99;
  tk::testSetWindowMouse(0, bildx + 50, CanvasTop + 40);
  BeginAreaSelection();
  EXPECT_EQ(startx, 49);   // the cursor lies half a cell up and left
  EXPECT_EQ(starty, 39);
  tk::testSetWindowMouse(0, bildx + 20, CanvasTop + 10);
  FinishAreaSelection();
  EXPECT_EQ(arealang, -30);
  EXPECT_EQ(areahoch, -30);
  tk::testSetWindowMouse(0, bildx + 150, CanvasTop + 10);   // outside: corner stays, clamped
  BeginAreaSelection();
  FinishAreaSelection();
  EXPECT_EQ(startx, 99);
  tk::testSetWindowMouse(0, -2, 0);
}

TEST_F(GeometryTest, LayoutFollowsTheWindowSize) {
  Fill(10, 10);
  const struct { int w, h; bool laid; int axm, aym; } cases[] = {
      {1018, 700, true, 16 * ((1018 - 250 - 22) / 16), 16 * ((700 - 129 - 17) / 16)},
      {250 + 22 + 415, 500, true, 400, 16 * ((500 - 129 - 17) / 16)},   // 415 gives 400
      {316, 400, false, 0, 0},
      {600, 158, false, 0, 0},
      {317, 159, true, 32, 0},   // the smallest window laid out
  };
  for (const auto& c : cases) {
    areaxmax = areaymax = 12345;
    tk::resizeWindow(0, -1, -1, c.w, c.h);
    ASSERT_EQ(tk::windowWidth(0), c.w);
    LayoutCanvasArea();
    if (!c.laid) {
      EXPECT_EQ(areaxmax, 12345) << c.w << "x" << c.h;
      continue;
    }
    EXPECT_EQ(areaxmax, c.axm) << c.w << "x" << c.h;
    EXPECT_EQ(areaymax, c.aym) << c.w << "x" << c.h;
    EXPECT_EQ(tk::gadgetWidth(11), areaxmax + 1);
    EXPECT_EQ(tk::gadgetHeight(11), areaymax + 1);
    EXPECT_EQ(tk::imageWidth(0), areaxmax + 1);
    EXPECT_EQ(tk::gadgetY(12), areaymax + 31);
    EXPECT_EQ(tk::gadgetX(13), areaxmax + 31);
    EXPECT_TRUE(tk::gadgetHidden(12));   // a 10 x 10 image needs no scrolling
  }
  // Small windows: the layout never makes a view below one pixel.
  bildx = 100;
  CanvasTop = 155;
  tk::resizeWindow(0, -1, -1, 400, 160);
  LayoutCanvasArea();
  EXPECT_EQ(areaymax, 0);
}

// A drag of the divider re-lays the view on every move, with the view starting 30 pixels
// into the canvas container, even when that edge already equals bildx.
TEST_F(GeometryTest, SplitterDragReLaysTheView) {
  Fill(10, 10);
  tk::setGadgetState(6, 300);
  bildx = tk::gadgetX(7) + 30;
  const int32_t edge = bildx;
  SplitterGadgetProc(6, tk::EvLeftDown, 0, 0);
  areaxmax = areaymax = 12345;
  SplitterGadgetProc(6, tk::EvMouseMove, 300, 0);
  EXPECT_EQ(bildx, edge);
  EXPECT_EQ(areaxmax, 16 * ((1018 - edge - 22) / 16));
  EXPECT_EQ(tk::gadgetWidth(11), areaxmax + 1);
  // Moved: the view follows the container.
  tk::setGadgetState(6, 200);
  SplitterGadgetProc(6, tk::EvMouseMove, 200, 0);
  EXPECT_EQ(bildx, tk::gadgetX(7) + 30);
  EXPECT_EQ(areaxmax, 16 * ((1018 - bildx - 22) / 16));
  // Released: moves are mouse moves again and lay out nothing.
  SplitterGadgetProc(6, tk::EvLeftUp, 0, 0);
  areaxmax = 12345;
  SplitterGadgetProc(6, tk::EvMouseMove, 200, 0);
  EXPECT_EQ(areaxmax, 12345);
}

TEST_F(GeometryTest, CanvasSizeGrowAndShrinkAtEachAnchor) {
  const PixelCell fill = Rgb(1, 2, 3);
  for (int ox = 0; ox <= 2; ++ox) {
    for (int oy = 0; oy <= 2; ++oy) {
      Fill(3, 3);   // grow 3 x 3 to 5 x 5
      ChangeImageSize(4, 4, 1, ox, oy, 1, 2, 3, 1);
      ASSERT_EQ(ImagePixels.size(), 25u);
      for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 5; ++x) {
          const bool old = x >= ox && x < ox + 3 && y >= oy && y < oy + 3;
          const PixelCell want = old ? (Mark(x - ox, y - oy) & 0xFFFFFF) : fill;
          ASSERT_EQ(ImagePixels[y * 5 + x], want) << "grow " << ox << "," << oy << " at " << x << "," << y;
        }
      Fill(5, 5);   // shrink 5 x 5 to 3 x 3
      ChangeImageSize(2, 2, 1, ox, oy, 1, 2, 3, 1);
      ASSERT_EQ(ImagePixels.size(), 9u);
      for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x)
          ASSERT_EQ(ImagePixels[y * 3 + x], Mark(x + ox, y + oy) & 0xFFFFFF)
              << "shrink " << ox << "," << oy << " at " << x << "," << y;
    }
  }
  // Offsets out of range are clipped: (9, -4) acts as (2, 0).
  Fill(3, 3);
  ChangeImageSize(4, 4, 1, 9, -4, 1, 2, 3, 1);
  EXPECT_EQ(ImagePixels[0 * 5 + 2], Mark(0, 0) & 0xFFFFFF);
  EXPECT_EQ(ImagePixels[0 * 5 + 1], fill);
  Fill(5, 5);
  ChangeImageSize(1, 1, 1, 99, 99, 1, 2, 3, 1);
  EXPECT_EQ(ImagePixels[3], Mark(4, 4) & 0xFFFFFF);
}

TEST_F(GeometryTest, SizeChangeArgumentsAndScaling) {
  Fill(2, 2);
  const std::vector<PixelCell> before = ImagePixels;
  ChangeImageSize(1, 1, 0, 0, 0, 0, 0, 0, 0);   // the current size: nothing happens
  EXPECT_EQ(ImagePixels, before);
  // A last index below 1 is a one-cell side; only sizes beyond the cell limit are refused.
  ChangeImageSize(-3, 4, 1, 0, 0, 9, 9, 9, 1);
  EXPECT_EQ(bildlang, 0);
  EXPECT_EQ(bildhoch, 4);
  ASSERT_EQ(ImagePixels.size(), 5u);
  EXPECT_EQ(ImagePixels[0], before[0] & 0xFFFFFF);
  EXPECT_EQ(ImagePixels[1], before[2] & 0xFFFFFF);
  EXPECT_EQ(ImagePixels[4], Rgb(9, 9, 9));
  ChangeImageSize(1 << 20, 1 << 10, 1, 0, 0, 0, 0, 0, 1);   // 2^30 cells: refused
  EXPECT_EQ(bildlang, 0);
  EXPECT_EQ(ImagePixels.size(), 5u);
  Fill(2, 2);
  ChangeImageSize(3, 3, 5, 1, 1, 7, 7, 7, 1);   // mode 5 acts as 1
  EXPECT_EQ(bildlang, 3);
  EXPECT_EQ(ImagePixels[0], Rgb(7, 7, 7));
  EXPECT_EQ(ImagePixels[5], Mark(0, 0) & 0xFFFFFF);
  EXPECT_EQ(ImageRecords[CurrentImage].laenge, 3);
  EXPECT_EQ(HeldImage.size(), 16u);
  // Scaling a one-colour image keeps its colour at the new size.
  for (auto& c : ImagePixels) c = Rgb(200, 100, 50);
  ChangeImageSize(9, 5, 0, 0, 0, 0, 0, 0, 1);
  ASSERT_EQ(ImagePixels.size(), 60u);
  for (PixelCell c : ImagePixels) EXPECT_EQ(c & 0xFFFFFF, Rgb(200, 100, 50));
}

TEST_F(GeometryTest, FlipsAndStatistics) {
  for (int h : {1, 2, 3, 4, 5}) {
    Fill(3, h);
    const std::vector<PixelCell> before = ImagePixels;
    FlipImageRows();
    for (int y = 0; y < h; ++y) EXPECT_EQ(ImagePixels[y * 3], before[(h - 1 - y) * 3]) << h;
    FlipImageRows();
    EXPECT_EQ(ImagePixels, before) << h;
  }
  SetImageDimensions(2, 2, 0);
  ImagePixels = {Rgb(0, 10, 255), Rgb(255, 20, 0), Rgb(100, 30, 3), Rgb(1, 40, 2)};
  UpdateMinMaxColors();
  EXPECT_EQ(MaxRot, 127);
  EXPECT_EQ(MinRot, -128);
  EXPECT_EQ(MaxGruen, 40 - 128);
  EXPECT_EQ(MinGruen, 10 - 128);
  EXPECT_EQ(MaxBlau, 127);
  EXPECT_EQ(MinBlau, -128);
  UpdateAverageColors();
  EXPECT_EQ(AllRot, 89);    // 356 / 4
  EXPECT_EQ(AllGruen, 25);
  EXPECT_EQ(AllBlau, 65);   // 260 / 4
}
