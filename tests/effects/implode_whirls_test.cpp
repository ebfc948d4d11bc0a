// Implode, explode, the whirls and the channel mixing, on the image and on the marked area.
// The ring effects are checked against a plain model that walks the rings pass by pass
// exactly as described (sines per point, a copy per pass), on pictures of several shapes.
#include <cmath>
#include <functional>
#include <vector>

#include "effects/effects_fixture.h"
#include "effects/kernels_rings.h"

namespace {

using ImplodeWhirlsTest = EffectsFixture;
using Cells = std::vector<PixelCell>;

// Distinct colours with mixed flags.
Cells Mixed(int w, int h) {
  Cells c(size_t(w) * h);
  for (int i = 0; i < w * h; ++i)
    c[i] = EffectsFixture::C((i * 37 + 11) % 256, (i * 91 + 7) % 256, (i * 53 + 200) % 256, i % 3 == 0 ? 1 : 0);
  return c;
}

// ---- the model --------------------------------------------------------------------------
struct Model {
  Cells cells;
  int w, h, cx, cy, R;
  Model(const Cells& c, int w_, int h_) : cells(c), w(w_), h(h_), cx((w_ - 1) / 2), cy((h_ - 1) / 2) {
    R = int(std::floor(std::sqrt(double(cx) * cx + double(cy) * cy)));
  }
  int at(double r, double a) const {
    int x = int(std::nearbyint(cx - r * std::sin(a))), y = int(std::nearbyint(cy + r * std::cos(a)));
    x = std::clamp(x, 0, w - 1);
    y = std::clamp(y, 0, h - 1);
    return y * w + x;
  }
  static int Round(long double v) { return int(std::nearbyintl(v)); }
  void take(Cells& out, int to, const Cells& from, int src) { out[to] = (out[to] & 0xFF000000u) | (from[src] & 0xFFFFFFu); }

  void implodeImage(int n) {
    for (int pass = 0; pass <= n; ++pass) {
      const Cells copy = cells;
      for (int r = R; r >= 1; --r) {
        const int count = Round(6.0L * r * (long double)3.14159265358979f);
        const float step = float(1.0L / r);
        float a = 0;
        for (int i = 0; i <= count; ++i) {
          a += step;
          take(cells, at(r - 1, a), copy, at(r, a));
        }
      }
    }
  }
  void explodeImage(int n) {
    const Cells copy = cells;
    for (int r = R; r >= 1; --r) {
      const int count = Round(2.0L * r * (long double)3.14159265358979f);
      const float step = float((long double)n / r);
      float a = 0;
      for (int i = 0; i <= count; ++i) {
        a += step;
        take(cells, at(r, a), copy, at(r - n, a));
      }
    }
  }
  void ringsArea(int n, bool inwards) {
    for (int pass = 1; pass <= n; ++pass) {
      const Cells copy = cells;
      for (int r = R; r >= 1; --r) {
        const int count = Round((inwards ? 6.0L : 2.0L) * r * (long double)3.14159265358979f);
        const float step = float(6.3L / count);
        float a = 0;
        for (int i = 0; i <= count; ++i) {
          a += step;
          if (inwards) take(cells, at(r - 1, a), copy, at(r, a));
          else take(cells, at(r, a), copy, at(r - 1, a));
        }
      }
    }
  }
  // marks: the flags to start from (image) or all 0 (area)
  void whirl(int n, int dir, bool image) {
    const Cells copy = cells;
    std::vector<int> mark(cells.size());
    for (size_t i = 0; i < cells.size(); ++i) mark[i] = image ? int(cells[i] >> 24) : 0;
    if (image) mark[cy * w + cx] = 1;
    for (int r = 1; r <= R; ++r) {
      const int count = Round(6.3L * r);
      const float step = float((long double)n / r);
      float a = 0;
      for (int i = 0; i <= count; ++i) {
        a += step;
        const int d = at(r, a);
        take(cells, d, copy, at(r, double(a) + dir * double(step)));
        mark[d] = 1;
      }
    }
    for (int x = 1; x <= w - 2; ++x)
      for (int y = 1; y <= h - 2; ++y) {
        if (mark[y * w + x] != 0) continue;
        int s[3] = {}, k = 0;
        for (int dx = -1; dx <= 1; ++dx)
          for (int dy = -1; dy <= 1; ++dy) {
            const int j = (y + dy) * w + x + dx;
            if ((dx || dy) && mark[j] == 1) {
              for (int c = 0; c < 3; ++c) s[c] += (cells[j] >> (16 - 8 * c)) & 0xFF;
              ++k;
            }
          }
        if (k == 0) continue;
        cells[y * w + x] = (cells[y * w + x] & 0xFF000000u) | PixelCell(s[0] / k) << 16 | PixelCell(s[1] / k) << 8 |
                           PixelCell(s[2] / k);
        mark[y * w + x] = 1;
      }
    if (image)
      for (auto& c : cells) c &= 0xFFFFFFu;
  }
};

void SetArea(int w, int h, const Cells& cells) {
  arealang = w - 1;
  areahoch = h - 1;
  AreaPixels = cells;
}

struct Shape {
  int w, h;
};
const Shape kShapes[] = {{1, 1}, {2, 1}, {1, 4}, {7, 5}, {10, 10}, {16, 9}};

}  // namespace

TEST_F(ImplodeWhirlsTest, RingEffectsOnTheImageFollowTheRingModel) {
  struct Case {
    const char* name;
    std::function<int32_t(int32_t)> effect;
    std::function<void(Model&, int)> model;
  };
  const Case cases[] = {
      {"Implode", [](int n) { return Implode(n, 1); }, [](Model& m, int n) { m.implodeImage(n); }},
      {"Explode", [](int n) { return Explode(n, 1); }, [](Model& m, int n) { m.explodeImage(n); }},
      {"Whirl_Right", [](int n) { return Whirl_Right(n, 1); }, [](Model& m, int n) { m.whirl(n, 1, true); }},
      {"Whirl_Left", [](int n) { return Whirl_Left(n, 1); }, [](Model& m, int n) { m.whirl(n, -1, true); }},
  };
  for (const Case& c : cases)
    for (const Shape& s : kShapes)
      for (int n : {1, 3, 12, 40}) {   // 12 and up: beyond every radius here, explode reads through the centre;
                                        // 40: implode's passes through the map's power
        SCOPED_TRACE(::testing::Message() << c.name << " " << s.w << "x" << s.h << " n " << n);
        SetImage(s.w, s.h, Mixed(s.w, s.h));
        Model m(ImagePixels, s.w, s.h);
        c.model(m, n);
        EXPECT_EQ(c.effect(n), 0);
        EXPECT_EQ(ImagePixels, m.cells);
      }
}

TEST_F(ImplodeWhirlsTest, RingTwinsFollowTheRingModelAndKeepTheImage) {
  struct Case {
    const char* name;
    std::function<int32_t(int32_t)> effect;
    std::function<void(Model&, int)> model;
  };
  const Case cases[] = {
      {"Implode_Marked", [](int n) { return Implode_Marked(n, 1); }, [](Model& m, int n) { m.ringsArea(n, true); }},
      {"Explode_Marked", [](int n) { return Explode_Marked(n, 1); }, [](Model& m, int n) { m.ringsArea(n, false); }},
      {"Whirl_Right_Marked", [](int n) { return Whirl_Right_Marked(n, 1); }, [](Model& m, int n) { m.whirl(n, 1, false); }},
      {"Whirl_Left_Marked", [](int n) { return Whirl_Left_Marked(n, 1); }, [](Model& m, int n) { m.whirl(n, -1, false); }},
  };
  SetImage(3, 3, Mixed(3, 3));
  const Cells image = ImagePixels;
  for (const Case& c : cases)
    for (const Shape& s : kShapes)
      for (int n : {0, 1, 3, 17}) {
        SCOPED_TRACE(::testing::Message() << c.name << " " << s.w << "x" << s.h << " n " << n);
        SetArea(s.w, s.h, Mixed(s.w, s.h));
        Model m(AreaPixels, s.w, s.h);
        c.model(m, n);
        OnErrorCode1 = 0;
        EXPECT_EQ(c.effect(n), 0);
        EXPECT_EQ(AreaPixels, m.cells);
        EXPECT_EQ(OnErrorCode1, 12);
      }
  EXPECT_EQ(ImagePixels, image);
}

TEST_F(ImplodeWhirlsTest, WhirlsClearEveryFlagAndKeepTheCentre) {
  Cells cells = Mixed(9, 9);
  for (auto& c : cells) c |= 0x02000000u;   // flags the image had before
  SetImage(9, 9, cells);
  const PixelCell centre = At(4, 4) & 0xFFFFFFu;
  Whirl_Left(5, 1);
  Whirl_Right(5, 1);
  EXPECT_EQ(At(4, 4), centre);
  for (PixelCell c : ImagePixels) ASSERT_EQ(F(c), 0);
  // One cell: marked and unmarked again, colour kept.
  SetImage(1, 1, {C(1, 2, 3, 1)});
  Whirl_Right(4, 1);
  EXPECT_EQ(ImagePixels[0], C(1, 2, 3, 0));
  // Strength 0 on the area: every point of a ring stays at angle 0, below the centre, and
  // takes its own colour; the centre (2, 2) is a hole and takes its neighbours' mean.
  SetArea(6, 6, Mixed(6, 6));
  const Cells area = AreaPixels;
  Whirl_Left_Marked(0, 1);
  EXPECT_EQ(AreaPixels[3 * 6 + 2], area[3 * 6 + 2]);
  EXPECT_NE(AreaPixels[2 * 6 + 2], area[2 * 6 + 2]);
}

TEST_F(ImplodeWhirlsTest, HoleFillingMeansMarkedNeighboursAndSkipsLonelyHoles) {
  // 4 x 3 picture, markers column by column; (1, 1) has the marked neighbours (0, 0) and
  // (2, 2); it is filled first and then counts for (2, 1), whose other neighbours are
  // unmarked. Lonely holes: all markers 0 leaves every cell as it was.
  Cells cells(12, C(0, 0, 0, 9));
  cells[0] = C(10, 21, 255, 9);
  cells[2 * 4 + 2] = C(20, 0, 254, 9);
  fx::Span s{cells.data(), 4, 4, 3};
  std::vector<uint8_t> marks(12, 2);   // 2: neither a hole nor counted
  auto mark = [&](int x, int y) -> uint8_t& { return marks[size_t(x) * 3 + y]; };
  mark(0, 0) = 1;
  mark(2, 2) = 1;
  mark(1, 1) = 0;
  mark(2, 1) = 0;
  fx::FillWhirlHoles(s, marks.data());
  EXPECT_EQ(cells[1 * 4 + 1], C(15, 10, 254, 9));   // (10 + 20) / 2, 21 / 2 truncated, 509 / 2
  EXPECT_EQ(cells[1 * 4 + 2], C(17, 5, 254, 9));    // with (1, 1) and (2, 2): 35 / 2, 10 / 2, 508 / 2
  EXPECT_EQ(mark(2, 1), 1);
  Cells lonely(9, C(5, 6, 7, 3));
  std::vector<uint8_t> none(9, 0);
  fx::FillWhirlHoles(fx::Span{lonely.data(), 3, 3, 3}, none.data());
  EXPECT_EQ(lonely, Cells(9, C(5, 6, 7, 3)));
  EXPECT_EQ(none, std::vector<uint8_t>(9, 0));
}

TEST_F(ImplodeWhirlsTest, ColourEffectMeansTheOtherChannelsTowards128) {
  struct Row {
    PixelCell in, out;
  };
  const Row rows[] = {
      {C(255, 0, 0, 1), C(0, 128, 128, 1)},
      {C(77, 77, 77, 255), C(77, 77, 77, 255)},   // grey stays
      {C(125, 0, 128), C(64, 127, 63)},           // green (-3 + 0) / 2 = -1: 127; blue -131 / 2 = -65: 63
      {C(0, 0, 0), C(0, 0, 0)},
      {C(255, 255, 255), C(255, 255, 255)},
      {C(1, 2, 4), C(3, 3, 2)},   // -250 / 2 = -125; -251 / 2 = -125 (towards zero); -253 / 2 = -126
  };
  for (bool marked : {false, true}) {
    Cells in, out;
    for (const Row& r : rows) {
      in.push_back(r.in);
      out.push_back(r.out);
    }
    if (marked) {
      SetArea(int(in.size()), 1, in);
      ColorEffekt_Marked(1);
      EXPECT_EQ(AreaPixels, out);
    } else {
      SetImage(int(in.size()), 1, in);
      ColorEffekt(1);
      EXPECT_EQ(ImagePixels, out);
      EXPECT_EQ(lang, int(in.size()));
      EXPECT_EQ(hoch, 1);
    }
  }
}

TEST_F(ImplodeWhirlsTest, InteractiveRunsUndoAndRedrawTheImageTwinsOnlyRefresh) {
  SetImage(5, 5, Mixed(5, 5));
  const std::function<int32_t(int32_t)> whole[] = {[](int q) { return Implode(1, q); },
                                                   [](int q) { return Explode(1, q); },
                                                   [](int q) { return Whirl_Right(1, q); },
                                                   [](int q) { return Whirl_Left(1, q); },
                                                   [](int q) { return ColorEffekt(q); }};
  for (const auto& f : whole) {
    MarkCanvas();
    int32_t undo = undostate;
    f(0);
    EXPECT_EQ(undostate, undo % maxundo + 1);
    EXPECT_TRUE(Redrawn());
    MarkCanvas();
    undo = undostate;
    OnErrorCode1 = 0;
    f(1);
    EXPECT_EQ(undostate, undo);
    EXPECT_FALSE(Redrawn());
    EXPECT_EQ(OnErrorCode1, 12);
  }
  SetArea(4, 3, Mixed(4, 3));
  const std::function<int32_t(int32_t)> twins[] = {[](int q) { return Implode_Marked(1, q); },
                                                   [](int q) { return Explode_Marked(1, q); },
                                                   [](int q) { return Whirl_Right_Marked(1, q); },
                                                   [](int q) { return Whirl_Left_Marked(1, q); },
                                                   [](int q) { return ColorEffekt_Marked(q); }};
  for (const auto& f : twins) {
    const int32_t undo = undostate;
    f(0);
    EXPECT_EQ(undostate, undo);
  }
  // Without an area buffer the twins change nothing and do not fail.
  AreaPixels.clear();
  for (const auto& f : twins) f(1);
}
