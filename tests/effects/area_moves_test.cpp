// Channel orders, line shifts, mirrors, quarter turns and the free rotation on the marked area.
#include "effects/area_fixture.h"

namespace {

using AreaMoves = AreaFixture;

// A w x h area whose cells name their position: red x, green y, blue 7, flag 1 on even x + y.
std::vector<PixelCell> Numbered(int w, int h) {
  std::vector<PixelCell> cells;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) cells.push_back(EffectsFixture::C(x, y, 7, (x + y) % 2 == 0 ? 1 : 0));
  return cells;
}

using OrderFn = int32_t (*)(uint8_t, int32_t);
const OrderFn Orders[7] = {nullptr, RGB_Marked, RBG_Marked, GRB_Marked, GBR_Marked, BRG_Marked, BGR_Marked};

TEST_F(AreaMoves, ChannelOrdersEveryPairAndBack) {
  // Stored (red, green, blue) of the true colour (1, 2, 3) in each order.
  const int stored[7][3] = {{0, 0, 0}, {1, 2, 3}, {1, 3, 2}, {2, 1, 3}, {2, 3, 1}, {3, 1, 2}, {3, 2, 1}};
  for (int from = 1; from <= 6; ++from) {
    for (int to = 1; to <= 6; ++to) {
      SCOPED_TRACE(std::to_string(from) + " -> " + std::to_string(to));
      SetArea(1, 1, {C(stored[from][0], stored[from][1], stored[from][2], 255)});
      EXPECT_EQ(Orders[to](uint8_t(from), 1), to);
      EXPECT_EQ(A(0, 0), C(stored[to][0], stored[to][1], stored[to][2], 255));
      EXPECT_EQ(Orders[from](uint8_t(to), 1), from);
      EXPECT_EQ(A(0, 0), C(stored[from][0], stored[from][1], stored[from][2], 255));
    }
  }
  // Code 0 (never set) changes nothing and still returns the target.
  SetArea(1, 1, {C(1, 2, 3)});
  EXPECT_EQ(GBR_Marked(0, 1), 4);
  EXPECT_EQ(A(0, 0), C(1, 2, 3));
}

TEST_F(AreaMoves, LineShiftsMoveEvenLinesTowardTheStart) {
  SetArea(3, 4, Numbered(3, 4));
  Blur_Up_Marked(1);
  const auto up = AreaPixels;
  SetArea(3, 4, Numbered(3, 4));
  Blur_Down_Marked(1);
  EXPECT_EQ(AreaPixels, up);
  // even columns 0 and 2: rows 1, 2 take rows 2, 3; row 0 and row 3 stay; flags stay
  for (int x : {0, 2}) {
    EXPECT_EQ(A(x, 0), C(x, 0, 7, x % 2 == 0 ? 1 : 0));
    EXPECT_EQ(A(x, 1), C(x, 2, 7, (x + 1) % 2 == 0 ? 1 : 0));
    EXPECT_EQ(A(x, 2), C(x, 3, 7, (x + 2) % 2 == 0 ? 1 : 0));
    EXPECT_EQ(A(x, 3), C(x, 3, 7, (x + 3) % 2 == 0 ? 1 : 0));
  }
  EXPECT_EQ(A(1, 1), C(1, 1, 7, 1));
  SetArea(4, 3, Numbered(4, 3));
  Blur_Left_Marked(1);
  EXPECT_EQ(A(0, 0), C(0, 0, 7, 1));
  EXPECT_EQ(A(1, 0), C(2, 0, 7, 0));
  EXPECT_EQ(A(2, 0), C(3, 0, 7, 1));
  EXPECT_EQ(A(3, 0), C(3, 0, 7, 0));
  EXPECT_EQ(A(1, 1), C(1, 1, 7, 1));
  // two rows: nothing to shift
  SetArea(3, 2, Numbered(3, 2));
  Blur_Up_Marked(1);
  EXPECT_EQ(AreaPixels, Numbered(3, 2));
}

TEST_F(AreaMoves, MirrorsSwapWholeCellsAndWriteAnUndoPointOnlyWhenInteractive) {
  SetArea(3, 2, Numbered(3, 2));
  int32_t before = undostate;
  Mirror_X_Marked(1);
  EXPECT_EQ(undostate, before);
  EXPECT_EQ(A(0, 0), C(2, 0, 7, 1));
  EXPECT_EQ(A(0, 1), C(2, 1, 7, 0));
  EXPECT_EQ(A(1, 0), C(1, 0, 7, 0));
  SetArea(2, 3, Numbered(2, 3));
  Mirror_Y_Marked(0);
  EXPECT_EQ(undostate, before % maxundo + 1);
  EXPECT_EQ(A(1, 0), C(1, 2, 7, 0));
  EXPECT_EQ(A(1, 1), C(1, 1, 7, 1));
  // one column: nothing moves, the undo point is still written
  SetArea(1, 3, Numbered(1, 3));
  before = undostate;
  Mirror_X_Marked(0);
  EXPECT_EQ(undostate, before % maxundo + 1);
  EXPECT_EQ(AreaPixels, Numbered(1, 3));
}

TEST_F(AreaMoves, QuarterTurns) {
  SetArea(3, 2, Numbered(3, 2));
  Turn_90_Marked(1);
  ASSERT_EQ(arealang, 1);
  ASSERT_EQ(areahoch, 2);
  // the new top row is the old left column read from the bottom up
  EXPECT_EQ(A(0, 0), C(0, 1, 7, 0));
  EXPECT_EQ(A(1, 0), C(0, 0, 7, 1));
  EXPECT_EQ(A(0, 2), C(2, 1, 7, 0));
  EXPECT_EQ(oldx, startx + 1);
  EXPECT_EQ(oldy, starty + 2);
  EXPECT_EQ(tk::imageWidth(22), AreaZoomMaxX + 1);
  Turn_270_Marked(1);
  EXPECT_EQ(AreaPixels, Numbered(3, 2));
  for (int i = 0; i < 4; ++i) Turn_90_Marked(i == 3 ? 0 : 1);
  EXPECT_EQ(AreaPixels, Numbered(3, 2));
  Turn_180_Marked(1);
  EXPECT_EQ(A(0, 0), C(2, 1, 7, 0));
  Turn_180_Marked(1);
  EXPECT_EQ(AreaPixels, Numbered(3, 2));
}

TEST_F(AreaMoves, FreeRotation) {
  SetArea(4, 3, Numbered(4, 3));
  OnErrorCode1 = 5;
  RotateFree_Marked(0.0f, 1);
  EXPECT_EQ(AreaPixels, Numbered(4, 3));
  EXPECT_EQ(OnErrorCode1, 5);
  RotateFree_Marked(90.0f, 1);
  const auto rotated = AreaPixels;
  SetArea(4, 3, Numbered(4, 3));
  Turn_90_Marked(1);
  EXPECT_EQ(rotated, AreaPixels);

  SetArea(10, 10, std::vector<PixelCell>(100, C(200, 150, 100, 1)));
  RotateFree_Marked(45.0f, 1);
  ASSERT_EQ(arealang, 13);
  ASSERT_EQ(areahoch, 13);
  ASSERT_EQ(AreaPixels.size(), 196u);
  EXPECT_EQ(TransformCopy.size(), 1u);
  for (auto [x, y] : {std::pair{0, 0}, {13, 0}, {0, 13}, {13, 13}}) EXPECT_EQ(A(x, y), 0u) << x << "," << y;
  EXPECT_EQ(A(7, 7), C(200, 150, 100, 1));
  EXPECT_EQ(tk::imageWidth(22), RoundNearest(14 * length));
}

}  // namespace
