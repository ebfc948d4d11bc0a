// Reliefs on the image and on the marked area: the difference of each cell against its
// three neighbours in every direction, the left-out column and row, the two ways of
// storing a bright value, the flags, and the frame around the pixel work.
#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "effects/area_cells_fixture.h"

namespace {

using ReliefsTest = AreaCellsFixture;
using Relief = int32_t (*)(int32_t, uint8_t);

struct Member {
  const char* name;
  Relief whole, marked;
  bool normal, bright;
};
const Member kMembers[] = {
    {"ColorRelief", ColorRelief, ColorRelief_Marked, false, false},
    {"BrightColorRelief", BrightColorRelief, BrightColorRelief_Marked, false, true},
    {"NormalRelief", NormalRelief, NormalRelief_Marked, true, false},
    {"BrightNormalRelief", BrightNormalRelief, BrightNormalRelief_Marked, true, true},
};

// The neighbours of each direction: beside, above or below, diagonal.
const int kDx[4] = {1, -1, -1, 1};
const int kDy[4] = {1, 1, -1, -1};

// The relief as its rule states it, cell by cell from the unchanged cells; `bias` is what
// a bright value gets added (128 on the image, 0 on the area).
std::vector<PixelCell> Expected(const std::vector<PixelCell>& in, int w, int h, int dir, const Member& m, int bias,
                                bool keepFlags) {
  std::vector<PixelCell> out(in.size());
  auto at = [&](int x, int y) { return in[size_t(y) * w + x]; };
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const PixelCell cell = at(x, y);
      const int nx = x + kDx[dir], ny = y + kDy[dir];
      int v[3] = {127, 127, 127};
      if (!m.bright) v[0] = v[1] = v[2] = 0;
      if (nx >= 0 && nx < w && ny >= 0 && ny < h) {
        int d[3];
        for (int k = 0; k < 3; ++k) {
          const int sh = 16 - 8 * k;
          auto ch = [sh](PixelCell c) { return int((c >> sh) & 0xFF); };
          d[k] = 3 * ch(cell) - ch(at(nx, y)) - ch(at(x, ny)) - ch(at(nx, ny));
        }
        auto store = [&](int value) {
          return m.bright ? (std::clamp(value, -128, 127) + bias) & 0xFF : std::clamp(value, 0, 255);
        };
        for (int k = 0; k < 3; ++k) v[k] = store(m.normal ? d[0] + d[1] + d[2] : d[k]);
      }
      out[size_t(y) * w + x] = EffectsFixture::C(v[0], v[1], v[2], keepFlags ? EffectsFixture::F(cell) : 0);
    }
  }
  return out;
}

std::vector<PixelCell> Mixed(int w, int h, uint32_t seed) {
  std::vector<PixelCell> cells(size_t(w) * h);
  for (auto& c : cells) {
    seed = seed * 1664525u + 1013904223u;
    c = seed;   // every byte, flags included, takes some value
  }
  return cells;
}

}  // namespace

TEST_F(ReliefsTest, EveryMemberAndDirectionFollowsTheRuleOnImagesOfEveryShape) {
  // Widths past four cells reach the block path of the kernel and its tail.
  const std::pair<int, int> shapes[] = {{9, 3}, {3, 9}, {6, 6}, {1, 5}, {5, 1}, {1, 1}, {2, 2}};
  for (const auto& m : kMembers) {
    for (int dir = 0; dir < 4; ++dir) {
      for (auto [w, h] : shapes) {
        SCOPED_TRACE(::testing::Message() << m.name << " direction " << dir << " " << w << " x " << h);
        const auto cells = Mixed(w, h, uint32_t(w * 31 + h + dir));
        SetImage(w, h, cells);
        EXPECT_EQ(m.whole(dir, 1), 0);
        EXPECT_EQ(ImagePixels, Expected(cells, w, h, dir, m, 128, false));
        SetArea(w, h, cells);
        EXPECT_EQ(m.marked(dir, 1), 0);
        EXPECT_EQ(AreaPixels, Expected(cells, w, h, dir, m, 0, true));
      }
    }
  }
}

TEST_F(ReliefsTest, UniformPicturesAndTheLeftOutSides) {
  // 3 x 3 uniform: the computed 2 x 2 block is 0 (plain) or 128 / 0 (bright on the image /
  // on the area); the left-out column and row are 0 or 127.
  const int leftOutX[4] = {2, 0, 0, 2}, leftOutY[4] = {2, 2, 0, 0};
  for (const auto& m : kMembers) {
    for (int dir = 0; dir < 4; ++dir) {
      SCOPED_TRACE(::testing::Message() << m.name << " direction " << dir);
      SetImage(3, 3, std::vector<PixelCell>(9, C(90, 40, 200, 1)));
      SetArea(3, 3, std::vector<PixelCell>(9, C(90, 40, 200, 1)));
      m.whole(dir, 1);
      m.marked(dir, 1);
      for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 3; ++x) {
          const bool leftOut = x == leftOutX[dir] || y == leftOutY[dir];
          const int edge = m.bright ? 127 : 0;
          EXPECT_EQ(At(x, y), leftOut ? C(edge, edge, edge) : m.bright ? C(128, 128, 128) : C(0, 0, 0));
          EXPECT_EQ(AreaAt(x, y), leftOut ? C(edge, edge, edge, 1) : C(0, 0, 0, 1));
        }
      }
    }
  }
}

TEST_F(ReliefsTest, StandingOutAndSinkingInClampAtBothEnds) {
  // Direction 0 on a 2 x 2: only the top-left cell is computed.
  struct Case {
    int cell, neighbours;
    int plain, brightImage, brightArea;
  };
  const Case cases[] = {
      {200, 0, 255, 255, 127},    // D = 600
      {0, 255, 0, 0, 128},        // D = -765: -128 stored as 128 on the area
      {100, 90, 30, 158, 30},     // D = 30
      {90, 100, 0, 98, 226},      // D = -30
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.cell);
    const int n = c.neighbours;
    const std::vector<PixelCell> cells = {C(c.cell, c.cell, c.cell), C(n, n, n), C(n, n, n), C(n, n, n)};
    SetImage(2, 2, cells);
    ColorRelief(0, 1);
    EXPECT_EQ(At(0, 0), C(c.plain, c.plain, c.plain));
    SetImage(2, 2, cells);
    BrightColorRelief(0, 1);
    EXPECT_EQ(At(0, 0), C(c.brightImage, c.brightImage, c.brightImage));
    SetArea(2, 2, cells);
    BrightColorRelief_Marked(0, 1);
    EXPECT_EQ(AreaAt(0, 0), C(c.brightArea, c.brightArea, c.brightArea));
  }
  // The normal relief sums the channels: +30 in red and -30 in blue per neighbour cancel.
  const std::vector<PixelCell> cancel = {C(130, 50, 70), C(100, 50, 100), C(100, 50, 100), C(100, 50, 100)};
  SetArea(2, 2, cancel);
  NormalRelief_Marked(0, 1);
  EXPECT_EQ(AreaAt(0, 0), C(0, 0, 0));
  SetImage(2, 2, cancel);
  BrightNormalRelief(0, 1);
  EXPECT_EQ(At(0, 0), C(128, 128, 128));
}

TEST_F(ReliefsTest, DirectionsOutsideTheDialogsChangeNothingAtAll) {
  for (int dir : {-1, 4, 1000}) {
    for (const auto& m : kMembers) {
      SCOPED_TRACE(::testing::Message() << m.name << " " << dir);
      const auto cells = Mixed(3, 2, 7);
      SetImage(3, 2, cells);
      SetArea(3, 2, cells);
      const int32_t undo = undostate;
      MarkCanvas();
      MarkAreaView();
      EXPECT_EQ(m.whole(dir, 0), 0);
      EXPECT_EQ(m.marked(dir, 0), 0);
      EXPECT_EQ(ImagePixels, cells);
      EXPECT_EQ(AreaPixels, cells);
      EXPECT_EQ(undostate, undo);
      EXPECT_FALSE(Redrawn());
      EXPECT_FALSE(AreaRefreshed());
    }
  }
}

TEST_F(ReliefsTest, FrameUndoRedrawRefreshAndErrorCode) {
  const auto cells = Mixed(4, 3, 3);
  SetImage(4, 3, cells);
  OnErrorCode1 = 77;
  int32_t undo = undostate;
  MarkCanvas();
  ColorRelief(2, 0);
  EXPECT_EQ(undostate, undo % maxundo + 1);
  EXPECT_TRUE(Redrawn());
  EXPECT_EQ(OnErrorCode1, 77);
  // Direction 2 walks lang down to 1 and hoch down to 1 in each column.
  EXPECT_EQ(lang, 0);
  EXPECT_EQ(hoch, 0);
  undo = undostate;
  MarkCanvas();
  NormalRelief(0, 1);
  EXPECT_EQ(undostate, undo);
  EXPECT_FALSE(Redrawn());
  EXPECT_EQ(lang, 3);
  EXPECT_EQ(hoch, 2);

  // The twin: no undo point whatever quiet is, the view refreshed only when quiet is 0,
  // the image untouched.
  SetImage(4, 3, cells);
  SetArea(4, 3, cells);
  undo = undostate;
  MarkAreaView();
  BrightColorRelief_Marked(1, 0);
  EXPECT_TRUE(AreaRefreshed());
  MarkAreaView();
  OnErrorCode1 = 77;   // the refresh sets a code of its own
  BrightColorRelief_Marked(1, 1);
  EXPECT_FALSE(AreaRefreshed());
  EXPECT_EQ(undostate, undo);
  EXPECT_EQ(OnErrorCode1, 77);
  EXPECT_EQ(ImagePixels, cells);
}

TEST_F(ReliefsTest, TwinsWithoutAHeldAreaChangeNothing) {
  AreaPixels.assign(1, C(5, 6, 7, 1));
  arealang = 3;
  areahoch = 3;
  for (const auto& m : kMembers) m.marked(0, 1);
  EXPECT_EQ(AreaPixels, std::vector<PixelCell>{C(5, 6, 7, 1)});
}
