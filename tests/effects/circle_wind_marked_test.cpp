// The circle structure and the winds on the marked area: the circle's tile means divided by
// more cells than they sum, the whole image's average as the background, the undo point
// and redraw of the circle; the winds' runs and draws on the area, a negative strength.
#include <functional>
#include <string>

#include "effects/effects_fixture.h"

namespace {

struct CircleWindMarkedTest : EffectsFixture {
  static void SetArea(int w, int h, const std::vector<PixelCell>& cells) {
    arealang = w - 1;
    areahoch = h - 1;
    AreaPixels = cells;
  }
  static std::vector<PixelCell> Numbered(int w, int h) {
    std::vector<PixelCell> cells;
    for (int i = 0; i < w * h; ++i) cells.push_back(C(i * 10 + 5, 100 + i, 200 - i, i));
    return cells;
  }
};

}  // namespace

TEST_F(CircleWindMarkedTest, CircleTilesDivideByTheWiderWindow) {
  // Image of 90 (background 90); area 7 x 7 of 100 with (0, 0) at 200, size 1: tiles of 3 at
  // 0 and 3, each summing 4 x 4 cells and dividing by 5 x 5; only the tile centres (1, 1),
  // (1, 4), (4, 1), (4, 4) lie closer than 1 and take the mean.
  SetImage(3, 3, std::vector<PixelCell>(9, C(90, 90, 90)));
  std::vector<PixelCell> cells(49, C(100, 100, 100, 1));
  cells[0] = C(200, 200, 200, 1);
  SetArea(7, 7, cells);
  OnErrorCode1 = 5;
  ChessCircle_Marked(1, 1);
  EXPECT_EQ(OnErrorCode1, 12);
  for (int y = 0; y < 7; ++y)
    for (int x = 0; x < 7; ++x) {
      int v = 90;
      if (x == 1 && y == 1) v = 115;   // signed sum -348 / 25 = -13.92, truncated to -13
      else if ((x == 1 || x == 4) && (y == 1 || y == 4)) v = 111;   // -448 / 25 -> -17
      EXPECT_EQ(AreaPixels[y * 7 + x], C(v, v, v, 1)) << x << "," << y;
    }
  EXPECT_EQ(AllRot, 90) << "the averages come back unsigned";
  // An area one cell wide starts no tile: all of it takes the image's average.
  SetArea(1, 4, Numbered(1, 4));
  ChessCircle_Marked(2, 1);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(AreaPixels[i], C(90, 90, 90, i));
}

TEST_F(CircleWindMarkedTest, CircleStoresTheImageFirstAndRedrawsSizesBelowOneDoNothing) {
  SetImage(4, 4, Numbered(4, 4));
  SetArea(5, 5, Numbered(5, 5));
  MarkCanvas();
  int32_t undo = undostate;
  ChessCircle_Marked(1, 0);
  EXPECT_EQ(undostate, undo % maxundo + 1);
  EXPECT_TRUE(Redrawn());
  EXPECT_NE(AreaPixels, Numbered(5, 5));
  SetArea(5, 5, Numbered(5, 5));
  undo = undostate;
  ChessCircle_Marked(0, 0);
  ChessCircle_Marked(-3, 0);
  EXPECT_EQ(undostate, undo);
  EXPECT_EQ(AreaPixels, Numbered(5, 5));
  ChessCircle_Marked(2, 1);
  EXPECT_EQ(undostate, undo);
}

TEST_F(CircleWindMarkedTest, WindsOnTheArea) {
  // The image's winds' walk on the area: six cells, draws 2, 0, 5 give runs 0..2, 3, 4..5.
  auto colourOf = [](int from, int flagOf) {
    const auto n = Numbered(6, 1);
    return (n[from] & 0xFFFFFF) | (n[flagOf] & 0xFF000000);
  };
  struct Case {
    const char* name;
    int w, h;
    std::function<int32_t(int32_t, int32_t)> run;
    std::vector<int> from;
  };
  const std::vector<Case> cases = {
      {"left", 6, 1, Wind_Left_Marked, {0, 0, 0, 3, 4, 4}},
      {"right", 6, 1, Wind_Right_Marked, {1, 1, 2, 5, 5, 5}},
      {"up", 1, 6, Wind_Up_Marked, {0, 0, 0, 3, 4, 4}},
      {"down", 1, 6, Wind_Down_Marked, {1, 1, 2, 5, 5, 5}},
  };
  SetImage(2, 2, Numbered(2, 2));
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    SetArea(c.w, c.h, Numbered(6, 1));
    ScriptDraws({2, 0, 5});
    OnErrorCode1 = 5;
    const int32_t undo = undostate;
    c.run(2, 0);
    EXPECT_EQ(drawBounds, (std::vector<int32_t>{2, 2, 2}));
    for (int i = 0; i < 6; ++i) EXPECT_EQ(AreaPixels[i], colourOf(c.from[i], i)) << i;
    EXPECT_EQ(undostate, undo);
    // A negative strength is 0: runs of one cell, nothing changes.
    SetArea(c.w, c.h, Numbered(6, 1));
    ScriptDraws({0, 0, 0, 0, 0});
    c.run(-7, 1);
    EXPECT_EQ(drawBounds, (std::vector<int32_t>{0, 0, 0, 0, 0}));
    EXPECT_EQ(AreaPixels, Numbered(6, 1));
    EXPECT_EQ(OnErrorCode1, 12);
  }
  EXPECT_EQ(ImagePixels, Numbered(2, 2));
}
