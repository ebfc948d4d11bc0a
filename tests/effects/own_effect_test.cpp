// The custom formula effect on the image and on the marked area: identity and mirror
// formulas, the placeholders, clamping, calls the function pass leaves alone, a broken
// formula stopping the walk with one message, and quoted script texts.
#include "effects/area_fixture.h"
#include "script/script.h"
#include "shell/shell.h"

namespace {

struct OwnEffectTest : AreaFixture {
  // A w x h image whose cells name their position (red x, green y), flag 1 on x + y even.
  static void Numbered(int w, int h) {
    std::vector<PixelCell> cells;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) cells.push_back(C(x, y, 7, (x + y) % 2 == 0 ? 1 : 0));
    SetImage(w, h, cells);
  }
  // Runs f with OK answers queued; the boxes shown, as "title|text".
  template <class F>
  std::vector<std::string> Boxes(F f) {
    tk::test::clear();
    for (int i = 0; i < 4; ++i) tk::test::queueResult(tk::ResultOk);
    f();
    std::vector<std::string> shown = tk::test::shown();
    tk::test::clear();
    return shown;
  }
};

TEST_F(OwnEffectTest, IdentityMirrorAndClampOnTheImage) {
  Numbered(6, 4);
  const auto original = ImagePixels;
  EXPECT_TRUE(Boxes([] { OwnEffect("#x", "#y", 1); }).empty());
  EXPECT_EQ(ImagePixels, original);
  EXPECT_EQ(allok, 1);
  // #cvn_height stands for the last column: a left-right mirror of the colours, flags stay
  OwnEffect("#cvn_height-#x", "#y", 1);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 6; ++x) ASSERT_EQ(At(x, y), C(5 - x, y, 7, (x + y) % 2 == 0 ? 1 : 0)) << x << "," << y;
  // #cvn_width stands for the last row (3); beyond the edge values are clamped
  Numbered(6, 4);
  OwnEffect("#x+5", "#cvn_width", 1);
  EXPECT_EQ(R(At(0, 0)), 5);
  EXPECT_EQ(R(At(5, 0)), 5);
  EXPECT_EQ(G(At(2, 1)), 3);
  Numbered(6, 4);
  OwnEffect("#x-100000", "#y", 1);
  for (int y = 0; y < 4; ++y) EXPECT_EQ(R(At(4, y)), 0);
}

TEST_F(OwnEffectTest, FunctionsInAnyCaseAndQuotedScriptTexts) {
  Numbered(6, 2);
  // "max" is spelled Max before the walk; the texts come with the script's quotes
  OwnEffect("\"max(#x,2)\"", "\"#y\"", 1);
  EXPECT_EQ(allok, 1);
  EXPECT_EQ(R(At(0, 0)), 2);
  EXPECT_EQ(R(At(1, 1)), 2);
  EXPECT_EQ(R(At(4, 1)), 4);
}

TEST_F(OwnEffectTest, BrokenFormulaStopsAtItsCellWithOneMessage) {
  Numbered(3, 2);
  ScriptErrorLine = 7;
  ScriptErrorName = "OwnEffect";
  // "**" is refused by the check at the first cell
  const auto shown = Boxes([] { OwnEffect("Max(#y,0)*2**1+0", "#y", 1); });
  ASSERT_EQ(shown.size(), 2u);   // the check's own, then the effect's
  EXPECT_EQ(shown[1], "Fehler|Die Funktion für x2 ist Defekt");
  EXPECT_EQ(allok, 0);
  EXPECT_EQ(ScriptErrorLine, 7);
  EXPECT_EQ(ScriptErrorName, "OwnEffect");
  EXPECT_EQ(TransformCopy.size(), 1u);
  // an error inside a call: the evaluator's message only, the effect stops
  Numbered(3, 2);
  const auto original = ImagePixels;
  const auto boxes = Boxes([] { OwnEffect("#x", "Min(#y)", 1); });
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_NE(boxes[0].find("Min"), std::string::npos);
  EXPECT_EQ(ImagePixels, original);
}

TEST_F(OwnEffectTest, MarkedTwinOnTheArea) {
  std::vector<PixelCell> cells;
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 4; ++x) cells.push_back(C(x, y, 9, x == 0 ? 1 : 0));
  SetArea(4, 3, cells);
  const auto image = ImagePixels;
  OwnEffect_Marked("#x", "#y", 1);
  EXPECT_EQ(AreaPixels, cells);
  OwnEffect_Marked("3-#x", "#y", 1);
  EXPECT_EQ(A(0, 2), C(3, 2, 9, 1));
  EXPECT_EQ(A(3, 2), C(0, 2, 9, 0));
  EXPECT_EQ(ImagePixels, image);
  EXPECT_EQ(AreaTransformCopy.size(), 1u);
  // y2 beyond the area's last row is clamped to it
  SetArea(4, 3, cells);
  OwnEffect_Marked("#x", "#y+10", 1);
  EXPECT_EQ(A(1, 0), C(1, 2, 9, 0));
  // a call inside brackets is left to the check, which refuses it: one message, nothing done
  SetArea(4, 3, cells);
  const auto shown = Boxes([] { OwnEffect_Marked("#x", "(Sin(#y,1)*10)", 1); });
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0], "Fehler|Die Funktion für Y2 ist defekt");
  EXPECT_EQ(AreaPixels, cells);
  EXPECT_EQ(allok, 0);
}

}  // namespace
