// Expand areas on the image and the marked area: the bright or dark cells against the whole
// image's average, one step per pass for the cell and its eight neighbours, judged afresh
// on every pass; single channels; clamping; the twins' threshold taken from the image.
#include <algorithm>
#include <cstdlib>
#include <functional>
#include <string>

#include "effects/effects_fixture.h"

namespace {

struct ExpandAreasTest : EffectsFixture {
  static std::vector<PixelCell> Grey(int w, int h, int v, int flag = 0) {
    return std::vector<PixelCell>(size_t(w) * h, C(v, v, v, flag));
  }
  // Grey value of each cell (red; the test images keep the channels equal).
  static std::vector<int> Reds(const std::vector<PixelCell>& cells) {
    std::vector<int> r;
    for (PixelCell c : cells) r.push_back(R(c));
    return r;
  }
  // w x w of `ring[0]` at the centre and ring[k] at Chebyshev distance k, the rest `rest`.
  static std::vector<int> Rings(int w, std::initializer_list<int> ring, int rest) {
    std::vector<int> out;
    const std::vector<int> r(ring);
    for (int y = 0; y < w; ++y)
      for (int x = 0; x < w; ++x) {
        const int d = std::max(std::abs(x - w / 2), std::abs(y - w / 2));
        out.push_back(d < int(r.size()) ? r[d] : rest);
      }
    return out;
  }
};

}  // namespace

TEST_F(ExpandAreasTest, OneBrightCellOverOneAndThreePasses) {
  // 7 x 7 of 100 with 200 in the middle: average 102, threshold 306; only the middle
  // qualifies, and it and its eight neighbours gain 1.
  auto cells = Grey(7, 7, 100, 1);
  cells[24] = C(200, 200, 200, 1);
  SetImage(7, 7, cells);
  ExpandBrightAreas(1, 1);
  EXPECT_EQ(Reds(ImagePixels), Rings(7, {201, 101}, 100));
  for (PixelCell c : ImagePixels) EXPECT_EQ(F(c), 1);
  EXPECT_EQ(AllRot, 102);
  // 9 x 9 of 100 with 255 in the middle: threshold 303. The ring reaches 101 (303, not above)
  // after one pass and 102 after two, so it qualifies only in the third: the touched square
  // grows to 5 x 5 there. The middle stays at 255.
  cells = Grey(9, 9, 100);
  cells[40] = C(255, 255, 255);
  SetImage(9, 9, cells);
  ExpandBrightAreas(3, 1);
  EXPECT_EQ(Reds(ImagePixels), Rings(9, {255, 103, 101}, 100));
  // Strength 0 changes nothing; a uniform image has nothing above or below its average.
  SetImage(9, 9, cells);
  ExpandBrightAreas(0, 1);
  EXPECT_EQ(ImagePixels, cells);
  SetImage(4, 3, Grey(4, 3, 77));
  for (auto* run : {ExpandBrightAreas, ExpandDarkAreas, ExpandBrightRedAreas, ExpandDarkBlueAreas}) run(5, 1);
  EXPECT_EQ(ImagePixels, Grey(4, 3, 77));
}

TEST_F(ExpandAreasTest, MembersSignsChannelsAndClamping) {
  // 3 x 3: a corner cell stands out; (r, g, b) = (200, 0, 255) at (0, 0), the rest (50, 50, 50).
  // Averages: red 66, green 44, blue 72; sums 182 against 150.
  std::vector<PixelCell> start = Grey(3, 3, 50, 2);
  start[0] = C(200, 0, 255, 2);
  const std::vector<int> corner = {0, 1, 3, 4};   // the corner and its three neighbours
  auto touched = [&](int i) { return std::find(corner.begin(), corner.end(), i) != corner.end(); };
  struct Case {
    const char* name;
    std::function<int32_t(int32_t, uint8_t)> run;
    int32_t strength;
    int dr, dg, db;   // step on the cells touched by the corner
    bool fromCorner;  // the corner qualifies (else every cell but the corner does)
  };
  const Case cases[] = {
      {"bright +", ExpandBrightAreas, 1, 1, 1, 1, true},         // 455 > 182; blue 255 stays
      {"bright -5", ExpandBrightAreas, -5, -5, -5, -5, true},    // darkens; green 0 stays
      {"bright red", ExpandBrightRedAreas, 2, 2, 0, 0, true},
      {"dark green", ExpandDarkGreenAreas, 1, 0, -1, 0, true},   // green 0 < 44; 50 not
      {"bright blue -1", ExpandBrightBlueAreas, -1, 0, 0, -1, true},
      {"dark", ExpandDarkAreas, 1, -1, -1, -1, false},           // 150 < 182: all the grey cells
      {"dark -2", ExpandDarkAreas, -2, 2, 2, 2, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    SetImage(3, 3, start);
    c.run(c.strength, 1);
    for (int i = 0; i < 9; ++i) {
      const bool moves = c.fromCorner ? touched(i) : true;
      const PixelCell s = start[i];
      auto step = [&](int v, int d) { return std::clamp(v + (moves ? d : 0), 0, 255); };
      EXPECT_EQ(ImagePixels[i], C(step(R(s), c.dr), step(G(s), c.dg), step(B(s), c.db), 2)) << i;
    }
  }
}

TEST_F(ExpandAreasTest, TwinsTakeTheImagesAverageAndMakeNoUndoPoint) {
  // The image is dark (average 10, threshold 30): every area cell qualifies, so every one
  // gains 1. The area's own average (52) would let only its last cell qualify.
  SetImage(4, 4, Grey(4, 4, 10));
  areamark = 2;   // a floating area: a refresh recomposes the canvas
  arealang = 4;
  areahoch = 0;
  AreaPixels = {C(50, 50, 50, 1), C(50, 50, 50, 255), C(50, 50, 50), C(50, 50, 50), C(60, 60, 60, 1)};
  MarkCanvas();
  const int32_t undo = undostate;
  ExpandBrightAreas_Marked(1, 0);
  EXPECT_EQ(AreaPixels,
            (std::vector<PixelCell>{C(51, 51, 51, 1), C(51, 51, 51, 255), C(51, 51, 51), C(51, 51, 51), C(61, 61, 61, 1)}));
  EXPECT_EQ(undostate, undo);
  EXPECT_TRUE(Redrawn()) << "the view is refreshed";
  EXPECT_EQ(AllRot, 10);
  EXPECT_EQ(ImagePixels, Grey(4, 4, 10));
  // A dark twin on one channel: the image's blue average 10; blue 5 < 10 qualifies.
  arealang = 0;
  areahoch = 0;
  AreaPixels = {C(1, 2, 5, 7)};
  ExpandDarkBlueAreas_Marked(3, 1);
  EXPECT_EQ(AreaPixels[0], C(1, 2, 2, 7));
}

TEST_F(ExpandAreasTest, ImageFormsStoreAndRedrawWhenInteractiveAndSetNoErrorCode) {
  for (uint8_t quiet : {uint8_t(0), uint8_t(1)}) {
    auto cells = Grey(5, 5, 100);
    cells[12] = C(200, 200, 200);
    SetImage(5, 5, cells);
    MarkCanvas();
    OnErrorCode1 = 5;
    const int32_t undo = undostate;
    ExpandBrightGreenAreas(0, quiet);   // strength 0 still stores and redraws
    EXPECT_EQ(undostate, quiet == 0 ? undo % maxundo + 1 : undo);
    EXPECT_EQ(Redrawn(), quiet == 0);
    EXPECT_EQ(OnErrorCode1, 5);
    EXPECT_EQ(ImagePixels, cells);
  }
  // The menus' limit is 60, but any strength ends: once a pass changes nothing the rest
  // would not either. Threshold 312: the corner sinks to 104 (312, no longer above), its
  // three neighbours go with it down to 0, the rest stays.
  auto cells = Grey(6, 6, 100);
  cells[0] = C(255, 255, 255);
  SetImage(6, 6, cells);
  ExpandBrightAreas(INT32_MIN, 1);
  for (int i = 0; i < 36; ++i) EXPECT_EQ(R(ImagePixels[i]), i == 0 ? 104 : i == 1 || i == 6 || i == 7 ? 0 : 100) << i;
}
