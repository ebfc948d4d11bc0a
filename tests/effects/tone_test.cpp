// Tone, silhouette, channel shift, soften and sharpen, and the line-doubling, block-turning
// and squint effects, each on the image and on the marked area.
#include <functional>
#include <random>
#include <string>

#include "effects/effects_fixture.h"

namespace {

struct ToneTest : EffectsFixture {
  static void SetArea(int w, int h, const std::vector<PixelCell>& cells) {
    arealang = w - 1;
    areahoch = h - 1;
    AreaPixels = cells;
  }
  static PixelCell AreaAt(int x, int y) { return AreaPixels[size_t(y) * (arealang + 1) + x]; }
  static std::vector<PixelCell> Random(int w, int h, unsigned seed) {
    std::mt19937 rng(seed);
    std::vector<PixelCell> cells(size_t(w) * h);
    for (auto& c : cells) c = rng();
    return cells;
  }
  // Red bytes of a row of cells (green 7, flag 1 on each).
  static std::vector<PixelCell> Reds(const std::vector<int>& reds) {
    std::vector<PixelCell> cells;
    for (int r : reds) cells.push_back(C(r, 7, 0, 1));
    return cells;
  }
  static std::vector<int> RedsOf(const std::vector<PixelCell>& cells) {
    std::vector<int> out;
    for (PixelCell c : cells) out.push_back(R(c));
    return out;
  }
};

TEST_F(ToneTest, ColoringSpreadsTheSumAndHandsOnOverflow) {
  struct Case {
    int tone[3];
    PixelCell in, out;
  };
  const Case cases[] = {
      {{255, 0, 0}, C(100, 100, 100, 3), C(255, 22, 22, 3)},   // overflow 45, half 22.5 rounds down
      // red and green overflow 127 each (382.5 rounds down to 382): red hands 63 on, then green
      {{255, 255, 0}, C(255, 255, 255), C(255, 255, 126)},
      {{0, 0, 0}, C(10, 20, 30), C(10, 20, 30)},               // black: no shares, no change
  };
  for (const Case& c : cases) {
    SetImage(1, 1, {c.in});
    Coloring(c.tone[0], c.tone[1], c.tone[2], 1);
    EXPECT_EQ(ImagePixels[0], c.out) << c.tone[0] << " " << c.tone[1] << " " << c.tone[2];
  }
}

TEST_F(ToneTest, ColoringMarkedWorksOnTheSumMinusThree) {
  SetImage(1, 1, {C(1, 1, 1)});
  SetArea(3, 1, {C(128, 128, 128, 1), C(0, 0, 0), C(1, 0, 0)});
  Coloring_Marked(255, 0, 0, 1);
  EXPECT_EQ(AreaPixels[0], C(255, 64, 64, 1));
  // Near-black sums stay at the bottom instead of wrapping to bright red.
  EXPECT_EQ(AreaPixels[1], C(0, 1, 1));
  EXPECT_EQ(AreaPixels[2], C(0, 1, 1));
  EXPECT_EQ(ImagePixels[0], C(1, 1, 1));
  const auto before = AreaPixels;
  Coloring_Marked(0, 0, 0, 1);
  EXPECT_EQ(AreaPixels, before);
}

TEST_F(ToneTest, ShadowAgainstTheImageMeans) {
  // Means 127, 127, 128: sum 382.
  SetImage(2, 2, {C(0, 0, 0), C(255, 255, 255, 1), C(127, 127, 127), C(126, 126, 131)});
  Shadow(1);
  EXPECT_EQ(ImagePixels, (std::vector<PixelCell>{C(0, 0, 0), C(255, 255, 255, 1), C(0, 0, 0), C(255, 255, 255)}));
  EXPECT_EQ(AllRot, 127);
  // The area compares with the image's means (not its own) and leaves them signed.
  SetImage(1, 2, {C(0, 0, 0), C(200, 200, 200)});   // means 100
  SetArea(2, 1, {C(100, 100, 100), C(100, 100, 101)});
  Shadow_Marked(1);
  EXPECT_EQ(AreaPixels, (std::vector<PixelCell>{C(0, 0, 0), C(255, 255, 255)}));
  EXPECT_EQ(AllRot, 100 - 128);
  // A single-colour image equals its mean everywhere: all black.
  SetImage(2, 1, {C(9, 9, 9), C(9, 9, 9)});
  Shadow(1);
  EXPECT_EQ(ImagePixels[1], C(0, 0, 0));
}

TEST_F(ToneTest, ColormoveMovesOnePlaneInItsVisitingOrder) {
  struct Case {
    bool marked;
    int distance, direction;
    std::vector<int> in, out;
    bool vertical;
  };
  const std::vector<int> row = {10, 20, 30, 40, 50};
  const Case cases[] = {
      {false, 2, 1, row, {10, 20, 10, 20, 30}, false},   // right; the two left columns stay
      {false, 2, 2, row, {30, 40, 50, 40, 50}, false},   // left
      {false, -2, 1, row, {50, 40, 50, 40, 50}, false},  // negative: the right strip repeats
      {false, 0, 1, row, row, false},
      {false, 2, 0, row, row, false},
      {false, 1, 3, row, {10, 10, 20, 30, 40}, true},    // image 3: down
      {false, 1, 4, row, {20, 30, 40, 50, 50}, true},    // image 4: up
      {true, 1, 3, row, {20, 30, 40, 50, 50}, true},     // area 3: up
      {true, 1, 4, row, {10, 10, 20, 30, 40}, true},     // area 4: down
      {true, 2, 1, row, {10, 20, 10, 20, 30}, false},
      {true, 7, 2, row, row, false},                      // farther than the extent
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.marked << " d " << c.distance << " dir " << c.direction);
    const int w = c.vertical ? 1 : 5, h = c.vertical ? 5 : 1;
    if (c.marked) {
      SetImage(1, 1, {0});
      SetArea(w, h, Reds(c.in));
      Colormove_Marked(c.distance, 0, 0, c.direction, 0, 0, 1);
      EXPECT_EQ(RedsOf(AreaPixels), c.out);
      for (PixelCell p : AreaPixels) EXPECT_EQ(p & 0xFF00FF00u, C(0, 7, 0, 1));
    } else {
      SetImage(w, h, Reds(c.in));
      Colormove(c.distance, 0, 0, c.direction, 0, 0, 1);
      EXPECT_EQ(RedsOf(ImagePixels), c.out);
      for (PixelCell p : ImagePixels) EXPECT_EQ(p & 0xFF00FF00u, C(0, 7, 0, 1));
    }
  }
  // Each channel by its own distance and direction.
  SetImage(3, 1, {C(1, 4, 7), C(2, 5, 8), C(3, 6, 9)});
  Colormove(1, 1, 0, 1, 2, 1, 1);
  EXPECT_EQ(ImagePixels, (std::vector<PixelCell>{C(1, 5, 7), C(1, 6, 8), C(2, 6, 9)}));
}

// The soften/sharpen rule written out cell by cell, as a reference for the kernel.
std::vector<PixelCell> SoftSharpReference(const std::vector<PixelCell>& in, int w, int h, int toward, int equal) {
  std::vector<PixelCell> out = in;
  for (int y = 1; y + 1 < h; ++y)
    for (int x = 1; x + 1 < w; ++x) {
      PixelCell c = in[size_t(y) * w + x] & 0xFF000000u;
      for (int sh = 0; sh <= 16; sh += 8) {
        auto v = [&](int xx, int yy) { return int((in[size_t(yy) * w + xx] >> sh) & 0xFF) - 128; };
        int sum = 0;
        for (int dy = -1; dy <= 1; ++dy)
          for (int dx = -1; dx <= 1; ++dx)
            if (dx || dy) sum += v(x + dx, y + dy);
        const int a = sum / 8, s = v(x, y);
        int n = s + (a > s ? toward : a < s ? -toward : equal);
        n = std::clamp(n, -128, 127);
        c |= PixelCell(n + 128) << sh;
      }
      out[size_t(y) * w + x] = c;
    }
  return out;
}

TEST_F(ToneTest, SoftSharpDrawPullsTowardsTheMeanWhenSoftening) {
  // Signed centre 10 among neighbours 0.
  auto grid = [](int centre) {
    std::vector<PixelCell> cells(9, C(128, 128, 128, 2));
    cells[4] = C(128 + centre, 128, 128, 5);
    return cells;
  };
  struct Case {
    int strength, image, area;   // signed red of the centre afterwards
  };
  const Case cases[] = {{5, 5, 5}, {-5, 15, 15}, {20, -10, -10}, {0, 10, 10}, {128, -118, -117}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.strength);
    SetImage(3, 3, grid(10));
    SoftSharpDraw(1, c.strength);
    EXPECT_EQ(R(At(1, 1)) - 128, c.image);
    EXPECT_EQ(F(At(1, 1)), 5);
    EXPECT_EQ(At(0, 0), C(128, 128, 128, 2));   // the border keeps its colours
    // a value equal to the mean: down by the strength on the image
    EXPECT_EQ(G(At(1, 1)) - 128, std::clamp(-c.strength, -128, 127));
    SetImage(1, 1, {0});
    SetArea(3, 3, grid(10));
    SoftSharpDraw_Marked(c.strength, 1);
    EXPECT_EQ(R(AreaAt(1, 1)) - 128, c.area);
    EXPECT_EQ(G(AreaAt(1, 1)), 128);   // equal to the mean: stays on the area
  }
  // Sharpening clamps at the ends of the range.
  SetImage(3, 3, grid(125));
  SoftSharpDraw(1, -5);
  EXPECT_EQ(R(At(1, 1)), 255);
}

TEST_F(ToneTest, SoftSharpDrawMatchesTheRuleOnEveryCell) {
  for (auto [w, h] : {std::pair{13, 7}, {2, 9}, {9, 2}, {6, 6}, {3, 3}}) {
    for (int strength : {-200, -128, -3, 0, 7, 128, 300}) {
      SCOPED_TRACE(::testing::Message() << w << "x" << h << " strength " << strength);
      const auto cells = Random(w, h, unsigned(w * 31 + h + strength));
      SetImage(w, h, cells);
      SoftSharpDraw(1, strength);
      EXPECT_EQ(ImagePixels, SoftSharpReference(cells, w, h, strength, -strength));
      SetArea(w, h, cells);
      SoftSharpDraw_Marked(strength, 1);
      const int k = std::clamp(strength, -127, 127);
      EXPECT_EQ(AreaPixels, SoftSharpReference(cells, w, h, k, 0));
    }
  }
}

TEST_F(ToneTest, LineDoublingAndBlockTurning) {
  // 3 x 2: column 1 copies column 0, column 2 stays; mirrored, upside down.
  const std::vector<PixelCell> cells = {C(1, 0, 0, 1), C(2, 0, 0, 2), C(3, 0, 0), C(4, 0, 0), C(5, 0, 0, 3), C(6, 0, 0)};
  SetImage(3, 2, cells);
  Linedouble(1);
  EXPECT_EQ(ImagePixels, (std::vector<PixelCell>{C(1, 0, 0, 1), C(1, 0, 0, 2), C(3, 0, 0), C(4, 0, 0), C(4, 0, 0, 3),
                                                 C(6, 0, 0)}));
  SetImage(3, 2, cells);
  Linedouble_mirror(1);
  EXPECT_EQ(ImagePixels, (std::vector<PixelCell>{C(1, 0, 0, 1), C(4, 0, 0, 2), C(3, 0, 0), C(4, 0, 0), C(1, 0, 0, 3),
                                                 C(6, 0, 0)}));
  SetArea(3, 2, cells);
  Linedouble_mirror_Marked(1);
  EXPECT_EQ(AreaPixels, ImagePixels);
  // One block turned clockwise; an odd last row and column stay.
  SetImage(3, 3, {C(1, 0, 0), C(2, 0, 0), C(9, 0, 0), C(4, 0, 0), C(3, 0, 0, 8), C(9, 1, 0), C(9, 2, 0), C(9, 3, 0),
                  C(9, 4, 0)});
  Incircle(1);
  EXPECT_EQ(R(At(0, 0)), 4);
  EXPECT_EQ(R(At(1, 0)), 1);
  EXPECT_EQ(R(At(1, 1)), 2);
  EXPECT_EQ(F(At(1, 1)), 8);
  EXPECT_EQ(R(At(0, 1)), 3);
  EXPECT_EQ(At(2, 1), C(9, 1, 0));
  EXPECT_EQ(At(1, 2), C(9, 3, 0));
  // Four turns restore an even image and an even area.
  const auto random = Random(6, 4, 3);
  SetImage(6, 4, random);
  SetArea(6, 4, random);
  for (int i = 0; i < 4; ++i) {
    Incircle(1);
    Incircle_Marked(1);
  }
  EXPECT_EQ(ImagePixels, random);
  EXPECT_EQ(AreaPixels, random);
}

TEST_F(ToneTest, SquintBlendsMirrorColumns) {
  const std::vector<PixelCell> row = {C(0, 10, 255, 1), C(100, 20, 30), C(50, 50, 50), C(200, 40, 31), C(3, 11, 0, 2)};
  SetImage(5, 1, row);
  SquintEffect(0, 1);
  EXPECT_EQ(ImagePixels, row);
  SquintEffect(100, 1);   // a mirror, colours only
  EXPECT_EQ(ImagePixels, (std::vector<PixelCell>{C(3, 11, 0, 1), C(200, 40, 31), C(50, 50, 50), C(100, 20, 30),
                                                 C(0, 10, 255, 2)}));
  SetImage(5, 1, row);
  SquintEffect(250, 1);   // above 100: a mirror too
  EXPECT_EQ(R(ImagePixels[0]), 3);
  // 50: each pair becomes its average, halves to even on signed values.
  SetImage(5, 1, row);
  SetArea(5, 1, row);
  SquintEffect(50, 1);
  SquintEffect_Marked(50, 1);
  EXPECT_EQ(AreaPixels, ImagePixels);
  EXPECT_EQ(R(ImagePixels[0]), R(ImagePixels[4]));
  EXPECT_EQ(R(ImagePixels[1]), 150);   // (-28 + 72) / 2 = 22
  EXPECT_EQ(B(ImagePixels[1]), 30);    // (-98 - 97) / 2 = -97.5 to -98
  EXPECT_EQ(B(ImagePixels[0]), 128);   // (127 - 128) / 2 = -0.5 to 0
  SetImage(1, 3, {C(1, 2, 3), C(4, 5, 6), C(7, 8, 9)});
  SquintEffect(100, 1);
  EXPECT_EQ(ImagePixels, (std::vector<PixelCell>{C(1, 2, 3), C(4, 5, 6), C(7, 8, 9)}));
}

TEST_F(ToneTest, InteractiveRunsMakeAnUndoPointOnlyOnTheImage) {
  SetImage(4, 4, Random(4, 4, 9));
  SetArea(2, 2, Random(2, 2, 1));
  const std::vector<std::pair<std::string, std::function<void(uint8_t)>>> image = {
      {"Coloring", [](uint8_t q) { Coloring(1, 2, 3, q); }},
      {"Shadow", [](uint8_t q) { Shadow(q); }},
      {"Colormove", [](uint8_t q) { Colormove(1, 1, 1, 1, 2, 3, q); }},
      {"SoftSharpDraw", [](uint8_t q) { SoftSharpDraw(q, 3); }},
      {"Linedouble", [](uint8_t q) { Linedouble(q); }},
      {"Incircle", [](uint8_t q) { Incircle(q); }},
      {"SquintEffect", [](uint8_t q) { SquintEffect(30, q); }},
  };
  for (const auto& [name, run] : image) {
    SCOPED_TRACE(name);
    const int32_t undo = undostate;
    OnErrorCode1 = 0;
    MarkCanvas();
    run(1);
    EXPECT_EQ(undostate, undo);
    EXPECT_FALSE(Redrawn());
    EXPECT_EQ(OnErrorCode1, 12);
    run(0);
    EXPECT_EQ(undostate, undo % maxundo + 1);
    EXPECT_TRUE(Redrawn());
  }
  const int32_t undo = undostate;
  Coloring_Marked(1, 2, 3, 0);
  Shadow_Marked(0);
  SoftSharpDraw_Marked(3, 0);
  Linedouble_Marked(1);
  EXPECT_EQ(undostate, undo);
}

}  // namespace
