// Amplify areas on the image and on the marked area: which cells qualify against the whole
// image's average, by how much they move and where they clamp, and the frame.
#include <algorithm>
#include <climits>
#include <cstdint>
#include <vector>

#include "effects/area_cells_fixture.h"

namespace {

using AmplifyTest = AreaCellsFixture;
using Amplify = int32_t (*)(int32_t, uint8_t);

struct Member {
  const char* name;
  Amplify whole, marked;
  int channel;   // -1 the sum of the three, 0 red, 1 green, 2 blue
  bool bright;
};
const Member kMembers[] = {
    {"AmplifyBrightAreas", AmplifyBrightAreas, AmplifyBrightAreas_Marked, -1, true},
    {"AmplifyDarkAreas", AmplifyDarkAreas, AmplifyDarkAreas_Marked, -1, false},
    {"AmplifyBrightRedAreas", AmplifyBrightRedAreas, AmplifyBrightRedAreas_Marked, 0, true},
    {"AmplifyDarkRedAreas", AmplifyDarkRedAreas, AmplifyDarkRedAreas_Marked, 0, false},
    {"AmplifyBrightGreenAreas", AmplifyBrightGreenAreas, AmplifyBrightGreenAreas_Marked, 1, true},
    {"AmplifyDarkGreenAreas", AmplifyDarkGreenAreas, AmplifyDarkGreenAreas_Marked, 1, false},
    {"AmplifyBrightBlueAreas", AmplifyBrightBlueAreas, AmplifyBrightBlueAreas_Marked, 2, true},
    {"AmplifyDarkBlueAreas", AmplifyDarkBlueAreas, AmplifyDarkBlueAreas_Marked, 2, false},
};

// The rule against given averages (unsigned means of the image), cell by cell.
std::vector<PixelCell> Expected(const std::vector<PixelCell>& in, const Member& m, int strength, int avgR, int avgG,
                                int avgB) {
  std::vector<PixelCell> out;
  const int64_t change = m.bright ? int64_t(strength) : -int64_t(strength);
  for (PixelCell c : in) {
    int v[3] = {EffectsFixture::R(c), EffectsFixture::G(c), EffectsFixture::B(c)};
    const int avg[3] = {avgR, avgG, avgB};
    const int value = m.channel < 0 ? v[0] + v[1] + v[2] : v[m.channel];
    const int threshold = m.channel < 0 ? avgR + avgG + avgB : avg[m.channel];
    if (m.bright ? value > threshold : value < threshold)
      for (int k = 0; k < 3; ++k)
        if (m.channel < 0 || m.channel == k) v[k] = int(std::clamp<int64_t>(v[k] + change, 0, 255));
    out.push_back(EffectsFixture::C(v[0], v[1], v[2], EffectsFixture::F(c)));
  }
  return out;
}

std::vector<PixelCell> Mixed(int n, uint32_t seed) {
  std::vector<PixelCell> cells(n);
  for (auto& c : cells) {
    seed = seed * 1664525u + 1013904223u;
    c = seed;
  }
  return cells;
}

void Means(const std::vector<PixelCell>& cells, int& r, int& g, int& b) {
  int64_t sr = 0, sg = 0, sb = 0;
  for (PixelCell c : cells) {
    sr += EffectsFixture::R(c);
    sg += EffectsFixture::G(c);
    sb += EffectsFixture::B(c);
  }
  const int64_t n = int64_t(cells.size());
  r = int(sr / n);
  g = int(sg / n);
  b = int(sb / n);
}

}  // namespace

TEST_F(AmplifyTest, EveryMemberAndStrengthFollowsTheRule) {
  // 7 x 3 reaches the block path of the kernel and its tail; the strengths cover both
  // signs, a change beyond the whole byte range and the most negative 32-bit value.
  const auto cells = Mixed(21, 99);
  int ar, ag, ab;
  Means(cells, ar, ag, ab);
  for (const auto& m : kMembers) {
    for (int strength : {60, -60, 0, 1, 300, -300, INT_MAX, INT_MIN}) {
      SCOPED_TRACE(::testing::Message() << m.name << " " << strength);
      SetImage(7, 3, cells);
      EXPECT_EQ(m.whole(strength, 1), 0);
      EXPECT_EQ(ImagePixels, Expected(cells, m, strength, ar, ag, ab));
      SetImage(7, 3, cells);
      SetArea(7, 3, cells);
      EXPECT_EQ(m.marked(strength, 1), 0);
      EXPECT_EQ(AreaPixels, Expected(cells, m, strength, ar, ag, ab));
      EXPECT_EQ(ImagePixels, cells);
    }
  }
}

TEST_F(AmplifyTest, ValuesOfTheRule) {
  // (250, 10, 10) and black: average (125, 5, 5), sum 135.
  SetImage(2, 1, {C(250, 10, 10, 1), C(0, 0, 0)});
  AmplifyBrightAreas(60, 1);
  EXPECT_EQ(At(0, 0), C(255, 70, 70, 1));
  EXPECT_EQ(At(1, 0), C(0, 0, 0));
  // A negative strength on a dark member brightens: red below the average by 20.
  SetImage(3, 1, {C(10, 1, 2), C(200, 3, 4), C(60, 5, 6)});   // AllRot 90
  AmplifyDarkRedAreas(-20, 1);
  EXPECT_EQ(ImagePixels, (std::vector<PixelCell>{C(30, 1, 2), C(200, 3, 4), C(80, 5, 6)}));
  // Cells exactly at the average and uniform pictures never change.
  const std::vector<PixelCell> steps = {C(10, 10, 10), C(20, 20, 20), C(30, 30, 30)};   // average 20
  SetImage(3, 1, steps);
  AmplifyBrightGreenAreas(50, 1);
  EXPECT_EQ(ImagePixels, (std::vector<PixelCell>{C(10, 10, 10), C(20, 20, 20), C(30, 80, 30)}));
  SetImage(3, 1, steps);
  AmplifyDarkGreenAreas(50, 1);
  EXPECT_EQ(ImagePixels, (std::vector<PixelCell>{C(10, 0, 10), C(20, 20, 20), C(30, 30, 30)}));
  for (const auto& m : kMembers) {
    SetImage(2, 2, std::vector<PixelCell>(4, C(40, 90, 200, 3)));
    m.whole(60, 1);
    EXPECT_EQ(ImagePixels, std::vector<PixelCell>(4, C(40, 90, 200, 3))) << m.name;
  }
}

TEST_F(AmplifyTest, TheTwinsJudgeAgainstTheWholeImagesAverage) {
  // A bright image (average 200) with a dark area cut from it: nothing of the area is
  // above the image's average, all of it below, whatever the area's own average.
  SetImage(2, 2, {C(250, 250, 250), C(250, 250, 250), C(250, 250, 250), C(50, 50, 50)});
  const std::vector<PixelCell> area = {C(40, 40, 40, 1), C(60, 60, 60, 0), C(50, 50, 50, 255)};
  SetArea(3, 1, area);
  AmplifyBrightAreas_Marked(30, 1);
  EXPECT_EQ(AreaPixels, area);
  AmplifyBrightRedAreas_Marked(30, 1);
  EXPECT_EQ(AreaPixels, area);
  AmplifyDarkAreas_Marked(30, 1);
  EXPECT_EQ(AreaPixels, (std::vector<PixelCell>{C(10, 10, 10, 1), C(30, 30, 30, 0), C(20, 20, 20, 255)}));
  AmplifyDarkAreas_Marked(-60, 1);
  EXPECT_EQ(AreaPixels, (std::vector<PixelCell>{C(70, 70, 70, 1), C(90, 90, 90, 0), C(80, 80, 80, 255)}));
}

TEST_F(AmplifyTest, FrameUndoRedrawRefreshAndErrorCode) {
  const auto cells = Mixed(6, 5);
  SetImage(3, 2, cells);
  OnErrorCode1 = 77;
  int32_t undo = undostate;
  MarkCanvas();
  AmplifyBrightAreas(0, 0);   // strength 0: an undo point all the same
  EXPECT_EQ(ImagePixels, cells);
  EXPECT_EQ(undostate, undo % maxundo + 1);
  EXPECT_TRUE(Redrawn());
  EXPECT_EQ(OnErrorCode1, 77);
  EXPECT_EQ(lang, 3);
  EXPECT_EQ(hoch, 2);
  undo = undostate;
  MarkCanvas();
  AmplifyDarkBlueAreas(20, 1);
  EXPECT_EQ(undostate, undo);
  EXPECT_FALSE(Redrawn());

  SetArea(3, 2, cells);
  MarkAreaView();
  AmplifyDarkBlueAreas_Marked(20, 0);
  EXPECT_TRUE(AreaRefreshed());
  MarkAreaView();
  OnErrorCode1 = 77;   // the refresh sets a code of its own
  AmplifyDarkBlueAreas_Marked(20, 1);
  EXPECT_FALSE(AreaRefreshed());
  EXPECT_EQ(undostate, undo);
  EXPECT_EQ(OnErrorCode1, 77);
}
