// Waves, roll and sprinkle on the image and the marked area. The waves are checked against
// a literal walk of the cells (the phase as a float advanced before each use, rounding
// halves to even, the wrap by the last index added or taken off one at a time), the roll
// against its wrap modulo the size, the sprinkle against given draws.
#include <cmath>
#include <functional>
#include <string>

#include "effects/effects_fixture.h"
#include "effects/kernels_moves.h"

namespace {

struct WavesRollTest : EffectsFixture {
  static std::vector<PixelCell> Numbered(int w, int h) {
    std::vector<PixelCell> cells;
    for (int i = 0; i < w * h; ++i) cells.push_back(C(i * 7 + 5, 100 + i, 200 - i, i));
    return cells;
  }
  static void SetArea(int w, int h, const std::vector<PixelCell>& cells) {
    arealang = w - 1;
    areahoch = h - 1;
    AreaPixels = cells;
  }
};

// The waves as a cell-by-cell walk: each wave scatters the cells into a copy, then the
// copy replaces them.
std::vector<PixelCell> LiteralWaves(std::vector<PixelCell> cells, int w, int h, float a1, float w1, float a2,
                                    float w2, int s1, int s2, bool onlyPositive) {
  if (s1 == 100) s1 = 99;
  if (s2 == 100) s2 = 99;
  const long long L = w - 1, H = h - 1;
  auto move = [&](std::vector<PixelCell>& copy, long long from, long long to) {
    copy[size_t(to)] = (copy[size_t(to)] & 0xFF000000u) | (cells[size_t(from)] & 0xFFFFFFu);
  };
  if ((!onlyPositive || a1 > 0) && H > 0) {
    auto copy = cells;
    const float step = 6.3f / w1;
    for (long long y = 0; y <= H; ++y) {
      float phase = 6.3f / float(100 - s1);
      for (long long x = 0; x <= L; ++x) {
        phase = phase + step;
        long long ny = llrintl(sinl((long double)phase) * (long double)a1 + (long double)y);
        while (ny < 0) ny += H;
        while (ny > H) ny -= H;
        move(copy, y * w + x, ny * w + x);
      }
    }
    cells = copy;
  }
  if ((!onlyPositive || a2 > 0) && L > 0) {
    auto copy = cells;
    const float step = 6.3f / w2;
    for (long long x = 0; x <= L; ++x) {
      float phase = 6.3f / float(100 - s2);
      for (long long y = 0; y <= H; ++y) {
        phase = phase + step;
        long long nx = llrintl(sinl((long double)phase) * (long double)a2 + (long double)x);
        while (nx < 0) nx += L;
        while (nx > L) nx -= L;
        move(copy, y * w + x, y * w + nx);
      }
    }
    cells = copy;
  }
  return cells;
}

}  // namespace

TEST_F(WavesRollTest, WavesFollowTheCellByCellWalk) {
  struct Case {
    int w, h;
    float a1, w1, a2, w2;
    int s1, s2;
  };
  const Case cases[] = {
      {9, 7, 3.0f, 4.0f, 2.5f, 3.0f, 0, 0},          // both waves, wrapping at the edges
      {9, 7, -3.0f, 4.0f, 2.0f, 1.5f, 30, -40},     // a negative amplitude: only the area's wave runs
      {6, 5, 1000.0f, 2.0f, 777.7f, 5.0f, 100, 99},  // offsets far beyond the extents; start 100
      {8, 6, 0.6f, 1.1f, 0.0f, 9.0f, -100, 50},      // half-cell displacements; second amplitude 0
      {5, 1, 3.0f, 4.0f, 2.0f, 3.0f, 0, 0},          // one row: the first wave has nowhere to go
      {1, 6, 3.0f, 4.0f, 2.0f, 3.0f, 0, 0},          // one column: the second neither
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.w) + "x" + std::to_string(c.h) + " a1 " + std::to_string(c.a1));
    const auto start = Numbered(c.w, c.h);
    SetImage(c.w, c.h, start);
    Waves(c.a1, c.w1, c.a2, c.w2, int8_t(c.s1), int8_t(c.s2), 1);
    EXPECT_EQ(ImagePixels, LiteralWaves(start, c.w, c.h, c.a1, c.w1, c.a2, c.w2, c.s1, c.s2, true));
    SetArea(c.w, c.h, start);
    Waves_Marked(c.a1, c.w1, c.a2, c.w2, int8_t(c.s1), int8_t(c.s2), 1);
    EXPECT_EQ(AreaPixels, LiteralWaves(start, c.w, c.h, c.a1, c.w1, c.a2, c.w2, c.s1, c.s2, false));
  }
  // The second case differs between the two: the image skips its negative wave.
  const auto start = Numbered(9, 7);
  EXPECT_NE(LiteralWaves(start, 9, 7, -3.0f, 4.0f, 2.0f, 1.5f, 30, -40, true),
            LiteralWaves(start, 9, 7, -3.0f, 4.0f, 2.0f, 1.5f, 30, -40, false));
}

TEST_F(WavesRollTest, WaveEdgeCases) {
  const auto start = Numbered(6, 5);
  // Amplitudes 0: nothing moves, but the interactive run still stores and redraws.
  SetImage(6, 5, start);
  MarkCanvas();
  const int32_t undo = undostate;
  Waves(0.0f, 10.0f, 0.0f, 10.0f, 0, 0, 0);
  EXPECT_EQ(ImagePixels, start);
  EXPECT_EQ(undostate, undo % maxundo + 1);
  EXPECT_TRUE(Redrawn());
  // A width of 0 gives no wave on its axis (the other still runs); on the area too.
  SetImage(6, 5, start);
  Waves(3.0f, 0.0f, 0.0f, 10.0f, 0, 0, 1);
  EXPECT_EQ(ImagePixels, start);
  SetArea(6, 5, start);
  Waves_Marked(3.0f, 0.0f, 2.0f, 0.0f, 0, 0, 1);
  EXPECT_EQ(AreaPixels, start);
  // Start 100 is start 99.
  SetImage(6, 5, start);
  Waves(2.0f, 3.0f, 2.0f, 3.0f, 100, 100, 1);
  const auto at100 = ImagePixels;
  SetImage(6, 5, start);
  Waves(2.0f, 3.0f, 2.0f, 3.0f, 99, 99, 1);
  EXPECT_EQ(ImagePixels, at100);
  // A target exactly halfway rounds to the even place: 2.5 -> 2, 3.5 -> 4; and the wrap
  // by the last index: -1 -> last - 1, last + 1 -> 1.
  const fx::WaveOffset half{2, 2, 0};
  EXPECT_EQ(fx::WaveTarget(half, 0, 9), 2);
  EXPECT_EQ(fx::WaveTarget(half, 1, 9), 4);
  EXPECT_EQ(fx::WrapByLast(-1, 9), 8);
  EXPECT_EQ(fx::WrapByLast(10, 9), 1);
  EXPECT_EQ(fx::WrapByLast(-9, 9), 0);
  EXPECT_EQ(fx::WrapByLast(18, 9), 9);
}

TEST_F(WavesRollTest, RollWrapsModuloTheSize) {
  // (1, 0) on 10 wide: column 0 shows the old column 9, column 9 the old column 8.
  const auto start = Numbered(10, 3);
  SetImage(10, 3, start);
  MoveImage(1, 0, 1);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 10; ++x)
      EXPECT_EQ(At(x, y), (start[y * 10 + (x + 9) % 10] & 0xFFFFFF) | (start[y * 10 + x] & 0xFF000000)) << x;
  // Whole sizes and 0 change nothing; -1 moves left; offsets many sizes out, and the
  // extremes of 32 bits, equal the offsets modulo the size.
  struct Case {
    int32_t dx, dy, sameAsX, sameAsY;
  };
  const Case cases[] = {{10, 3, 0, 0},
                        {-1, 0, 9, 0},
                        {10 * 100003 + 4, -3 * 7 - 2, 4, 1},
                        {INT32_MIN, INT32_MAX, int32_t((int64_t(INT32_MIN) % 10 + 10) % 10), int32_t(INT32_MAX % 3)}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.dx) + "," + std::to_string(c.dy));
    SetImage(10, 3, start);
    MoveImage(c.dx, c.dy, 1);
    const auto rolled = ImagePixels;
    SetImage(10, 3, start);
    MoveImage(c.sameAsX, c.sameAsY, 1);
    EXPECT_EQ(rolled, ImagePixels);
  }
  SetImage(10, 3, start);
  MoveImage(10, 3, 1);
  EXPECT_EQ(ImagePixels, start);
  // The area rolls the same way, flags staying where they are; the image is not touched.
  SetImage(2, 2, Numbered(2, 2));
  SetArea(3, 2, Numbered(3, 2));
  MoveImage_Marked(-1, 1, 1);
  const auto a = Numbered(3, 2);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x)
      EXPECT_EQ(AreaPixels[y * 3 + x], (a[((y + 1) % 2) * 3 + (x + 1) % 3] & 0xFFFFFF) | (a[y * 3 + x] & 0xFF000000));
  EXPECT_EQ(ImagePixels, Numbered(2, 2));
}

TEST_F(WavesRollTest, SprinkleDrawsXFirstColumnByColumnAndClampsAtTheEdges) {
  // 3 x 2, reach (1, 1): draws 0..2 for x then y, cells (0,0), (0,1), (1,0), (1,1), (2,0), (2,1).
  const auto start = Numbered(3, 2);
  SetImage(3, 2, start);
  ScriptDraws({0, 0, 2, 2, 2, 1, 0, 0, 2, 2, 1, 0});
  BlowUp(1, 1, 1);
  EXPECT_EQ(drawBounds, std::vector<int32_t>(12, 2));
  auto from = [&](int sx, int sy, int x, int y) {
    return (start[sy * 3 + sx] & 0xFFFFFF) | (start[y * 3 + x] & 0xFF000000);
  };
  EXPECT_EQ(At(0, 0), from(0, 0, 0, 0));   // (-1, -1) clamped
  EXPECT_EQ(At(0, 1), from(1, 1, 0, 1));   // (1, 2) clamped to row 1
  EXPECT_EQ(At(1, 0), from(2, 0, 1, 0));
  EXPECT_EQ(At(1, 1), from(0, 0, 1, 1));
  EXPECT_EQ(At(2, 0), from(2, 1, 2, 0));   // (3, 1): column clamped to 2
  EXPECT_EQ(At(2, 1), from(2, 0, 2, 1));
  // A negative reach draws from 0..0: the source is x - dx, clamped.
  SetArea(3, 2, start);
  ScriptDraws({0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
  BlowUp_Marked(-1, 0, 1);
  EXPECT_EQ(drawBounds, std::vector<int32_t>(12, 0));
  EXPECT_EQ(AreaPixels[0], from(1, 0, 0, 0));
  EXPECT_EQ(AreaPixels[2], from(2, 0, 2, 0));
  // Reach (0, 0) leaves the cells as they are, whatever the generator.
  tk::testSetRandomSource({});
  SetImage(3, 2, start);
  BlowUp(0, 0, 1);
  EXPECT_EQ(ImagePixels, start);
}

TEST_F(WavesRollTest, FrameOfTheMovingEffects) {
  const std::vector<std::pair<const char*, std::function<void(uint8_t)>>> image = {
      {"Waves", [](uint8_t q) { Waves(2.0f, 3.0f, 2.0f, 3.0f, 0, 0, q); }},
      {"MoveImage", [](uint8_t q) { MoveImage(2, 1, q); }},
      {"BlowUp", [](uint8_t q) { BlowUp(2, 2, q); }}};
  tk::randomSeed(5);
  for (const auto& [name, run] : image)
    for (uint8_t quiet : {uint8_t(0), uint8_t(1)}) {
      SCOPED_TRACE(std::string(name) + " quiet " + std::to_string(quiet));
      SetImage(6, 5, Numbered(6, 5));
      MarkCanvas();
      OnErrorCode1 = 5;
      const int32_t undo = undostate;
      run(quiet);
      EXPECT_NE(ImagePixels, Numbered(6, 5));
      for (int i = 0; i < 30; ++i) EXPECT_EQ(F(ImagePixels[i]), i);
      EXPECT_EQ(undostate, quiet == 0 ? undo % maxundo + 1 : undo);
      EXPECT_EQ(Redrawn(), quiet == 0);
      if (quiet) {
        EXPECT_EQ(OnErrorCode1, 12);
      }
    }
  const std::vector<std::pair<const char*, std::function<void(uint8_t)>>> area = {
      {"Waves_Marked", [](uint8_t q) { Waves_Marked(2.0f, 3.0f, 2.0f, 3.0f, 0, 0, q); }},
      {"MoveImage_Marked", [](uint8_t q) { MoveImage_Marked(2, 1, q); }},
      {"BlowUp_Marked", [](uint8_t q) { BlowUp_Marked(2, 2, q); }}};
  SetImage(6, 5, Numbered(6, 5));
  for (const auto& [name, run] : area) {
    SCOPED_TRACE(name);
    SetArea(6, 5, Numbered(6, 5));
    OnErrorCode1 = 5;
    const int32_t undo = undostate;
    run(1);
    EXPECT_NE(AreaPixels, Numbered(6, 5));
    for (int i = 0; i < 30; ++i) EXPECT_EQ(F(AreaPixels[i]), i);
    EXPECT_EQ(OnErrorCode1, 12);
    run(0);
    EXPECT_EQ(undostate, undo) << "the twins store no image";
    EXPECT_EQ(ImagePixels, Numbered(6, 5));
  }
}
