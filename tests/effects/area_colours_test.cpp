// The colour twins on the marked area: their value maps, the frame (error code, no undo point,
// refresh only when interactive), flags never touched, and the noise's draws.
#include <functional>

#include "effects/area_fixture.h"

namespace {

using AreaColours = AreaFixture;

struct MapCase {
  const char* name;
  std::function<void()> run;
  std::vector<std::pair<int, int>> values;   // unsigned value before -> after
};

TEST_F(AreaColours, ValueMapsKeepEveryFlag) {
  const std::vector<MapCase> cases = {
      {"ColorTurn", [] { ColorTurn_Marked(1); }, {{0, 255}, {127, 128}, {200, 55}}},
      {"InvertFarNear", [] { InvertFarNear_Marked(1); }, {{128, 128}, {0, 128}, {127, 1}, {129, 0}, {130, 255}, {255, 130}}},
      {"InvertLowerHalf", [] { InvertLowerHalf_Marked(1); }, {{127, 128}, {128, 128}, {0, 255}, {255, 255}}},
      {"Solarize", [] { Solarize_Marked(1); }, {{128, 127}, {127, 127}, {255, 0}, {0, 0}}},
      {"XtremeColors", [] { XtremeColors_Marked(1); }, {{128, 0}, {129, 255}, {0, 0}, {255, 255}}},
      {"GreyFromRed", [] { GreyFromRed_Marked(1); }, {{7, 7}, {255, 255}}},
      // image average 100: t = 200 - s, low 8 bits, a stored byte above 127 cut to 127
      {"Colorturn_Middle", [] { Colorturn_Middle_Marked(1); }, {{50, 150}, {200, 255}, {128, 255}, {250, 206}}},
      // image average 100 compared with the signed value: 228 (s = 100) stays
      {"UnClear 10", [] { UnClear_Marked(10, 1); }, {{50, 60}, {255, 245}, {228, 228}, {250, 250 - 10}}},
      {"UnClear 128 counts as 127", [] { UnClear_Marked(128, 1); }, {{255, 128}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    SetArea(256, 1, AllValues());
    c.run();
    for (int u = 0; u < 256; ++u) ASSERT_EQ(F(A(u, 0)), u) << "flag of " << u;
    for (auto [before, after] : c.values) {
      EXPECT_EQ(R(A(before, 0)), after) << before;
      EXPECT_EQ(B(A(before, 0)), after) << before;
    }
  }
}

TEST_F(AreaColours, CellRules) {
  SetArea(2, 1, {C(1, 0, 0, 1), C(2, 2, 1, 255)});
  BlackWhite_Marked(1);
  EXPECT_EQ(A(0, 0), C(1, 1, 1, 1));
  EXPECT_EQ(A(1, 0), C(2, 2, 2, 255));

  SetArea(1, 1, {C(255, 254, 3)});
  GreyFromRedGreen_Marked(1);
  EXPECT_EQ(A(0, 0), C(254, 254, 254));

  SetArea(3, 1, {C(10, 20, 30), C(255, 255, 254), C(0, 0, 1)});
  BiChromaticDithering_Marked(255, 255, 255, 0, 0, 0, 1);
  EXPECT_EQ(A(0, 0), C(20, 20, 20));
  EXPECT_EQ(A(1, 0), C(254, 254, 254));
  EXPECT_EQ(A(2, 0), C(0, 0, 0));

  SetArea(2, 2, {C(1, 2, 3, 1), C(4, 5, 6), C(7, 8, 9), C(0, 0, 0, 255)});
  FillImage_Marked(0x1FF, 7, -1, 1);   // low bytes
  for (int i = 0; i < 4; ++i) EXPECT_EQ(AreaPixels[i] & 0xFFFFFF, C(255, 7, 255)) << i;
  EXPECT_EQ(F(A(1, 1)), 255);
}

TEST_F(AreaColours, LatticeInversion) {
  struct Case {
    int number;
    std::vector<int> inverted;   // cells y * 3 + x of a 3 x 3 area
  };
  for (const Case& c : {Case{2, {0, 2, 6, 8}}, Case{1, {0, 1, 2, 6, 7, 8}}, Case{3, {0, 3, 6, 2, 5, 8}},
                        Case{0, {0, 1, 2, 6, 7, 8}}, Case{9, {0, 3, 6, 2, 5, 8}}}) {
    SCOPED_TRACE(c.number);
    SetArea(3, 3, std::vector<PixelCell>(9, C(10, 20, 30, 1)));
    SpecialEffect_Marked(c.number, 1);
    for (int i = 0; i < 9; ++i) {
      const bool inverted = std::find(c.inverted.begin(), c.inverted.end(), i) != c.inverted.end();
      EXPECT_EQ(AreaPixels[i], inverted ? C(245, 235, 225, 1) : C(10, 20, 30, 1)) << i;
    }
  }
}

TEST_F(AreaColours, NoiseDrawsPerChannelColumnByColumnAndClampsAtTheEnds) {
  // amount 1: a draw of 0 adds ceiling(-0.5) = 0, a draw of 1 adds 1; 255 stays at 255.
  SetArea(2, 2, {C(10, 20, 255), C(30, 40, 50), C(60, 70, 80), C(90, 100, 110)});
  ScriptDraws({1, 0, 1, 0, 0, 0, 1, 1, 1, 0, 1, 0});
  Corny_Marked(1, 1);
  EXPECT_EQ(A(0, 0), C(11, 20, 255));
  EXPECT_EQ(A(0, 1), C(60, 70, 80));    // second cell drawn: the column goes down first
  EXPECT_EQ(A(1, 0), C(31, 41, 51));
  EXPECT_EQ(A(1, 1), C(90, 101, 110));
  EXPECT_EQ(drawBounds, std::vector<int32_t>(12, 1));
  // amount 128 arrives as 127; a result past -128 goes to 0, past 127 to 255
  SetArea(2, 1, {C(1, 254, 128), C(0, 0, 0)});
  ScriptDraws({0, 127, 64, 0, 0, 0});
  Corny_Marked(128, 1);
  EXPECT_EQ(A(0, 0), C(0, 255, 129));
  EXPECT_EQ(drawBounds, std::vector<int32_t>(6, 127));
}

TEST_F(AreaColours, FrameNoUndoPointRefreshWhenInteractiveErrorCode) {
  const std::vector<std::pair<std::function<void(int32_t)>, bool>> effects = {
      {[](int32_t q) { ColorTurn_Marked(q); }, true},
      {[](int32_t q) { BlackWhite_Marked(q); }, true},
      {[](int32_t q) { Corny_Marked(5, q); }, true},
      {[](int32_t q) { GreyFromBlue_Marked(q); }, false},
      {[](int32_t q) { GreyFromGreenBlue_Marked(q); }, false},
      {[](int32_t q) { SpecialEffect_Marked(1, q); }, true},
  };
  tk::randomSeed(5);
  for (const auto& [run, setsCode] : effects) {
    for (int32_t quiet : {0, 1}) {
      SetArea(3, 2, {C(1, 2, 3), C(200, 100, 50), C(9, 8, 7), C(40, 50, 60), C(0, 0, 0), C(255, 1, 128)});
      const auto image = ImagePixels;
      MarkAreaView();
      const int32_t before = undostate;
      OnErrorCode1 = 5;
      run(quiet);
      EXPECT_EQ(undostate, before);
      EXPECT_EQ(ImagePixels, image);
      EXPECT_EQ(AreaViewRefreshed(), quiet == 0);
      if (quiet == 1) EXPECT_EQ(OnErrorCode1, setsCode ? 12 : 5);
      EXPECT_EQ(lang, 3);
    }
  }
}

}  // namespace
