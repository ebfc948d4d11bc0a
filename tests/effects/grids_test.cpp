// The grid effects: the colour checkerboard, the four bars, the logical bars on the image
// and the marked area (the order of their in-place steps, the corners, areas one cell
// wide or high), and their frame.
#include <functional>
#include <string>

#include "effects/effects_fixture.h"

namespace {

struct GridsTest : EffectsFixture {
  // A w x h image whose cell i has red i * 10 + 5, green 100 + i, blue 200 - i, flag i.
  static std::vector<PixelCell> Numbered(int w, int h) {
    std::vector<PixelCell> cells;
    for (int i = 0; i < w * h; ++i) cells.push_back(C(i * 10 + 5, 100 + i, 200 - i, i));
    return cells;
  }
  static void SetArea(int w, int h, const std::vector<PixelCell>& cells) {
    arealang = w - 1;
    areahoch = h - 1;
    AreaPixels = cells;
  }
  static PixelCell AreaAt(int x, int y) { return AreaPixels[size_t(y) * (arealang + 1) + x]; }
  // Colour of cell `from` with the flag of cell `flagOf` of a Numbered image.
  static PixelCell Moved(const std::vector<PixelCell>& cells, int from, int flagOf) {
    return (cells[from] & 0xFFFFFF) | (cells[flagOf] & 0xFF000000);
  }
};

// The signed mean of some values, truncated towards zero, as an unsigned byte.
int SignedMean(std::initializer_list<int> values) {
  int sum = 0;
  for (int v : values) sum += v - 128;
  return sum / int(values.size()) + 128;
}

}  // namespace

TEST_F(GridsTest, CheckerboardAndBars) {
  SetImage(2, 2, Numbered(2, 2));
  ColorBars(1, 2, 3, 1);
  EXPECT_EQ(ImagePixels, (std::vector<PixelCell>{C(1, 2, 3, 0), Numbered(2, 2)[1], Numbered(2, 2)[2], C(1, 2, 3, 3)}));

  // 3 x 3, cells 0..8; checkerboard cells 0, 2, 4, 6, 8.
  const auto n = Numbered(3, 3);
  struct Case {
    const char* name;
    std::function<void()> run;
    std::vector<int> from;   // the cell whose colour each cell ends with
  };
  const Case cases[] = {
      {"BarsLeft", [] { BarsLeft(1); }, {0, 0, 2, 3, 4, 4, 6, 6, 8}},          // off-board from the left
      {"BarsRight", [] { BarsRight(1); }, {1, 1, 2, 3, 5, 5, 7, 7, 8}},        // last column stays
      {"BarsDown", [] { BarsDown(1); }, {3, 4, 5, 3, 4, 5, 6, 7, 8}},          // odd height: last row stays
      {"BarsUp", [] { BarsUp(1); }, {0, 1, 2, 0, 1, 2, 6, 7, 8}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    SetImage(3, 3, n);
    c.run();
    for (int i = 0; i < 9; ++i) EXPECT_EQ(ImagePixels[i], Moved(n, c.from[i], i)) << i;
  }
  // One row: BarsUp changes nothing; BarsDown on one row neither.
  SetImage(3, 1, Numbered(3, 1));
  BarsUp(1);
  BarsDown(1);
  EXPECT_EQ(ImagePixels, Numbered(3, 1));
}

TEST_F(GridsTest, LogicalBarsThreeByThreeInItsOrderOfSteps) {
  const auto n = Numbered(3, 3);
  auto red = [&](int x, int y) { return R(n[y * 3 + x]); };
  SetImage(3, 3, n);
  LogicalBars(1);
  // (2, 1) from (2, 0), (1, 1), (2, 2); then (1, 2) from (0, 2), (1, 1), (2, 2); then (1, 1)
  // from (0, 1), (1, 0) and the new (2, 1) and (1, 2); then the corners with the new values.
  const int r21 = SignedMean({red(2, 0), red(1, 1), red(2, 2)});
  const int r12 = SignedMean({red(0, 2), red(1, 1), red(2, 2)});
  const int r11 = SignedMean({red(0, 1), red(1, 0), r21, r12});
  const int r00 = SignedMean({red(0, 1), r11, red(1, 0)});
  const int r02 = SignedMean({red(0, 1), r11, r12});
  const int r20 = SignedMean({r21, r11, red(1, 0)});
  const int r22 = SignedMean({r21, r11, r12});
  const int expected[9] = {r00, red(1, 0), r20, red(0, 1), r11, r21, r02, r12, r22};
  for (int i = 0; i < 9; ++i) {
    EXPECT_EQ(R(ImagePixels[i]), expected[i]) << i;
    EXPECT_EQ(F(ImagePixels[i]), i) << "flags stay";
  }
  // Truncation towards zero of a negative mean: (-100, -101, -101) / 3 is -100.67 -> -100.
  SetImage(2, 2, {C(0, 0, 0), C(28, 0, 0), C(27, 0, 0), C(27, 0, 0)});
  LogicalBars(1);
  EXPECT_EQ(R(At(0, 0)), 28);
  // A uniform image stays.
  SetImage(4, 5, std::vector<PixelCell>(20, C(9, 200, 77, 1)));
  LogicalBars(1);
  EXPECT_EQ(ImagePixels, std::vector<PixelCell>(20, C(9, 200, 77, 1)));
}

TEST_F(GridsTest, LogicalBarsMarkedTwoByTwoChangesTheCornersInPlace) {
  // a (0,0), b (1,0), c (0,1), d (1,1): each corner from the other three as they stand.
  SetArea(2, 2, {C(10, 0, 0, 1), C(200, 0, 0, 1), C(60, 0, 0, 0), C(250, 0, 0, 255)});
  LogicalBars_Marked(1);
  const int a = SignedMean({60, 250, 200});
  const int c = SignedMean({a, 200, 250});
  const int b = SignedMean({250, c, a});
  const int d = SignedMean({b, a, c});
  EXPECT_EQ(AreaPixels, (std::vector<PixelCell>{C(a, 0, 0, 1), C(b, 0, 0, 1), C(c, 0, 0, 0),
                                                C(d, 0, 0, 255)}));
}

TEST_F(GridsTest, LogicalBarsOnOneCellWideOrHighLeavesOutMissingNeighbours) {
  // One column of 4: (0, 2) from (0, 1), (0, 3); (0, 1) from (0, 0), the new (0, 2); the
  // corners (0, 0) from (0, 1), (0, 3) from (0, 2), each taken twice, in their order.
  SetImage(1, 4, {C(100, 0, 0), C(110, 0, 0), C(120, 0, 0), C(131, 0, 0)});
  LogicalBars(1);
  const int y2 = SignedMean({110, 131});
  const int y1 = SignedMean({100, y2});
  const int y0 = SignedMean({y1}), y3 = SignedMean({y2});
  EXPECT_EQ(R(At(0, 0)), y0);
  EXPECT_EQ(R(At(0, 1)), y1);
  EXPECT_EQ(R(At(0, 2)), y2);
  EXPECT_EQ(R(At(0, 3)), y3);
  // One row on the area, and one cell: nothing outside is read, the single cell stays.
  SetArea(3, 1, {C(100, 0, 0), C(50, 0, 0), C(90, 0, 0)});
  LogicalBars_Marked(1);
  EXPECT_EQ(R(AreaAt(1, 0)), SignedMean({100, 90}));
  SetArea(1, 1, {C(7, 8, 9, 1)});
  LogicalBars_Marked(1);
  EXPECT_EQ(AreaPixels[0], C(7, 8, 9, 1));
}

TEST_F(GridsTest, FrameOfTheGridEffects) {
  const std::vector<std::pair<const char*, std::function<void(uint8_t)>>> effects = {
      {"ColorBars", [](uint8_t q) { ColorBars(255, 0, 0, q); }}, {"BarsLeft", [](uint8_t q) { BarsLeft(q); }},
      {"BarsRight", [](uint8_t q) { BarsRight(q); }},           {"BarsDown", [](uint8_t q) { BarsDown(q); }},
      {"BarsUp", [](uint8_t q) { BarsUp(q); }},                 {"LogicalBars", [](uint8_t q) { LogicalBars(q); }}};
  for (const auto& [name, run] : effects)
    for (uint8_t quiet : {uint8_t(0), uint8_t(1)}) {
      SCOPED_TRACE(std::string(name) + " quiet " + std::to_string(quiet));
      SetImage(5, 4, Numbered(5, 4));
      MarkCanvas();
      OnErrorCode1 = 5;
      const int32_t undo = undostate;
      run(quiet);
      EXPECT_NE(ImagePixels, Numbered(5, 4));
      for (int i = 0; i < 20; ++i) EXPECT_EQ(F(ImagePixels[i]), i);
      EXPECT_EQ(undostate, quiet == 0 ? undo % maxundo + 1 : undo);
      EXPECT_EQ(Redrawn(), quiet == 0);
      if (quiet) {
        EXPECT_EQ(OnErrorCode1, 12);
      }
    }
  // The twin stores the image first when interactive, and never when quiet.
  SetImage(3, 3, Numbered(3, 3));
  for (uint8_t quiet : {uint8_t(0), uint8_t(1)}) {
    SetArea(3, 3, Numbered(3, 3));
    const int32_t undo = undostate;
    OnErrorCode1 = 5;
    LogicalBars_Marked(quiet);
    EXPECT_EQ(undostate, quiet == 0 ? undo % maxundo + 1 : undo);
    if (quiet) {
      EXPECT_EQ(OnErrorCode1, 12);
    }
    EXPECT_EQ(ImagePixels, Numbered(3, 3)) << "the image is not the twin's";
  }
}
