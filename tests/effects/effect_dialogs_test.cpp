// The value requester and the effect dialogs, each opened in the started program over
// window 0, driven with its real widgets, answered and cancelled. What a dialog starts is
// seen through EffectDialogSpy, just before the effect runs.
#include <gtest/gtest.h>

#include <QComboBox>

#include "effects/dialog_driver.h"
#include "effects/effects.h"
#include "shell/loops_fixture.h"

using dialog_test::Drive;
using namespace loops_test;

namespace {

class EffectDialogTest : public LoopsTest {
 protected:
  std::vector<std::string> calls;
  void SetUp() override {
    LoopsTest::SetUp();
    tk::test::clear();
    EffectDialogSpy = [this](const std::string& c) { calls.push_back(c); };
  }
  void TearDown() override {
    EffectDialogSpy = nullptr;
    // Every dialog gives window 0 back.
    EXPECT_TRUE(tk::isWindow(0));
    EXPECT_EQ(tk::currentWindow(), 0);
    LoopsTest::TearDown();
  }
  static void ExpectMainWindowFree() {
    auto* r = tk::detail::window(0);
    ASSERT_NE(r, nullptr);
    EXPECT_TRUE(r->top->isEnabled());
  }
};

using V = std::vector<std::string>;

TEST_F(EffectDialogTest, ValueRequesterSliderSpinFieldAndOk) {
  int32_t result = -1;
  {
    Drive d(9, {
                   [] {
                     EXPECT_EQ(tk::windowTitle(9), "Bitte Einstellen");
                     EXPECT_EQ(tk::gadgetText(618), "XorEffekt");
                     EXPECT_EQ(tk::gadgetText(619), "Stärke: 128");
                     EXPECT_EQ(tk::gadgetText(621), "128");
                     EXPECT_FALSE(tk::detail::window(0)->top->isEnabled());
                     Drive::Slide(620, 200);
                   },
                   [] {
                     EXPECT_EQ(tk::gadgetText(619), "Stärke: 200");
                     EXPECT_EQ(tk::gadgetText(621), "200");
                     Drive::Type(621, "12a");
                   },
                   [] {
                     EXPECT_EQ(tk::gadgetText(621), "200");   // what stood there before
                     Drive::Type(621, "300");
                   },
                   [] {
                     EXPECT_EQ(tk::gadgetText(621), "255");
                     EXPECT_EQ(tk::gadgetState(620), 255);
                     EXPECT_EQ(tk::gadgetText(619), "Stärke: 255");
                     Drive::Type(621, "7");
                   },
                   [] {
                     EXPECT_EQ(tk::gadgetState(620), 7);
                     EXPECT_EQ(tk::gadgetText(619), "Stärke: 7");
                     Drive::Arrow(621, true);
                   },
                   [] {
                     EXPECT_EQ(tk::gadgetState(620), 8);
                     EXPECT_EQ(tk::gadgetText(619), "Stärke: 8");
                     // The main window taken to the front gives way to the requester again.
                     EXPECT_EQ(tk::activeWindow(), 9);
                     tk::activateWindow(0);
                     tk::processPending();
                     EXPECT_EQ(tk::activeWindow(), 0);
                     Post(tk::EvMouseMove, 0);
                   },
                   [] {},   // the activation settles
                   [] {
                     EXPECT_NE(tk::activeWindow(), 0);
                     Drive::Click(622);
                   },
               });
    result = AskEffectValue(0, 255, 128, "XorEffekt");
    EXPECT_TRUE(d.finished());
  }
  EXPECT_EQ(result, 8);
  EXPECT_EQ(EffectValueCancelled, 0);
  EXPECT_EQ(OnErrorCode1, 13);
  EXPECT_FALSE(tk::isWindow(9));
  ExpectMainWindowFree();
}

TEST_F(EffectDialogTest, ValueRequesterClosedIsACancelNotAValue) {
  for (int32_t def : {0, 5}) {
    Drive d(9, {[] { Drive::Slide(620, 40); }, [=] { def ? Drive::Escape(621) : Drive::CloseBox(9); }});
    EXPECT_EQ(AskEffectValue(-60, 60, def, "Wie stark sollen die Bereiche hervorgehoben werden?"), 0);
    EXPECT_EQ(EffectValueCancelled, 1);
  }
  // Negative values come from the slider and the arrows; the minimum bounds an empty field.
  {
    Drive d(9, {[] { Drive::Slide(620, -20); },
                [] {
                  EXPECT_EQ(tk::gadgetText(621), "-20");
                  Drive::Arrow(621, false);
                },
                [] {
                  EXPECT_EQ(tk::gadgetState(620), -21);
                  Drive::Type(621, "");
                },
                [] {
                  EXPECT_EQ(tk::gadgetState(620), 0);
                  Drive::Click(622);
                }});
    EXPECT_EQ(AskEffectValue(-60, 60, 0, "x"), 0);
    EXPECT_EQ(EffectValueCancelled, 0);
  }
  ExpectMainWindowFree();
}

TEST_F(EffectDialogTest, ColormoveKeepsItsSettingsAndRunsWithZerosWhenAllOff) {
  {
    Drive d(8, {[] { Drive::Click(610); },
                [] {
                  EXPECT_TRUE(tk::gadgetDisabled(611));
                  EXPECT_TRUE(tk::gadgetDisabled(612));
                  Drive::Type(608, "5");
                },
                [] {
                  EXPECT_EQ(tk::gadgetText(608), "5");
                  tk::setGadgetState(615, 2);   // "Nach Oben"
                  Drive::Click(616);
                }});
    EXPECT_EQ(ColormoveDialog(0), 0);
  }
  EXPECT_TRUE(tk::windowHidden(8));
  {
    Drive d(8, {[] {
                  // The second call shows what the first left.
                  EXPECT_EQ(tk::gadgetState(610), 0);
                  EXPECT_EQ(tk::gadgetText(608), "5");
                  EXPECT_EQ(tk::gadgetState(615), 2);
                  Drive::Click(607);
                },
                [] { Drive::Click(613); }, [] { Drive::Click(616); }});
    ColormoveDialog(1);
  }
  {
    Drive d(8, {[] { Drive::CloseBox(8); }});
    ColormoveDialog(0);
  }
  {
    Drive d(8, {[] { Drive::Click(617); }});
    ColormoveDialog(0);
  }
  EXPECT_EQ(calls, (V{"Colormove(5, 0, 1, 1, 0, 3, 0)", "Colormove_Marked(0, 0, 0, 0, 0, 0, 0)"}));
  ExpectMainWindowFree();
}

TEST_F(EffectDialogTest, ColorRangesFieldsRecordAndCancel) {
  {
    Drive d(10, {[] {
                   EXPECT_EQ(tk::gadgetText(631), "255");
                   EXPECT_EQ(tk::gadgetText(632), "0");
                   Drive::Click(641);
                 }});
    RunColorRangesCommand(0);
  }
  {
    Drive d(10, {[] { Drive::Arrow(631, false); },
                 [] {
                   EXPECT_EQ(tk::gadgetText(631), "254");
                   Drive::Type(640, "80");
                 },
                 [] {
                   EXPECT_EQ(tk::gadgetText(640), "30");
                   Drive::Arrow(633, true);
                 },
                 [] { Drive::Click(641); }});
    RunColorRangesCommand(1);
  }
  EXPECT_EQ(ColorRangeRecord[0], 254);
  EXPECT_EQ(ColorRangeRecord[7], 30);
  EXPECT_EQ(ColorRangeRecord[5], 1);
  {
    // Closed: no effect, and the record stays as the last OK wrote it.
    Drive d(10, {[] { Drive::Arrow(629, true); }, [] { Drive::CloseBox(10); }});
    RunColorRangesCommand(0);
  }
  EXPECT_EQ(ColorRangeRecord[2], 0);
  EXPECT_EQ(calls, (V{"SetColorspec(0, 255, 0, 0, 255, 0, 0, 255, 0, 0)",
                      "SetColorspec_Marked(0, 254, 0, 1, 255, 0, 0, 255, 30, 0)"}));
  ExpectMainWindowFree();
}

TEST_F(EffectDialogTest, ReliefDirection) {
  struct Case {
    std::vector<dialog_test::Step> steps;
    int32_t result;
  };
  std::vector<Case> cases;
  cases.push_back({{[] { Drive::Click(490); }}, 0});                            // nothing chosen
  cases.push_back({{[] { Drive::Click(487); }, [] { Drive::Click(490); }}, 2});
  cases.push_back({{[] { Drive::Click(488); }, [] { Drive::Click(489); }}, -1});
  cases.push_back({{[] { Drive::Click(486); }, [] { Drive::CloseBox(41); }}, -1});
  for (Case& c : cases) {
    Drive d(41, c.steps);
    EXPECT_EQ(ReliefDirectionDialog(), c.result);
  }
  ExpectMainWindowFree();
}

TEST_F(EffectDialogTest, MotionRunsOnlyWithAShift) {
  {
    Drive d(12, {[] {
                   EXPECT_EQ(tk::windowTitle(12), "BewegungsEffekt");
                   Drive::Click(660);
                 }});
    MotionEffectDialog(0, 0);   // 0, 0: nothing
  }
  {
    Drive d(12, {[] { Drive::Type(658, "3"); }, [] { Drive::Type(659, "4"); }, [] { Drive::Click(660); }});
    MotionEffectDialog(0, 0);
  }
  {
    Drive d(12, {[] {
                   EXPECT_EQ(tk::windowTitle(12), "Sprenkler");
                   Drive::Type(658, "5");
                 },
                 [] { Drive::Type(659, ""); }, [] { Drive::Click(660); }});
    MotionEffectDialog(1, 256 + 1);
  }
  {
    Drive d(12, {[] { Drive::Type(658, "5"); }, [] { Drive::Click(661); }});
    MotionEffectDialog(0, 1);
  }
  {
    Drive d(12, {[] { Drive::Type(658, "5"); }, [] { Drive::CloseBox(12); }});
    MotionEffectDialog(1, 0);
  }
  EXPECT_EQ(calls, (V{"MoveImage(3, 4, 0)", "BlowUp_Marked(5, 0, 0)"}));
  ExpectMainWindowFree();
}

TEST_F(EffectDialogTest, OwnEffectFormulaCancelIsNotAFormula) {
  {
    Drive d(13, {[] {
                   EXPECT_EQ(tk::gadgetText(662), "#x");
                   Drive::Type(662, "cancel");
                 },
                 [] { Drive::Click(666); },   // help does nothing
                 [] { Drive::Click(664); }});
    // "cancel" reaches the effect as a formula, which refuses it with its message
    tk::test::queueResult(tk::ResultOk);
    OwnEffectDialog(0);
    EXPECT_EQ(tk::test::shown(), (V{"Fehler|Die Funktion für x2 ist Defekt"}));
    tk::test::clear();
  }
  {
    Drive d(13, {[] { Drive::Type(663, "#y*2"); }, [] { Drive::Click(664); }});
    OwnEffectDialog(1);
  }
  for (int cancel : {0, 1}) {
    Drive d(13, {[=] { cancel ? Drive::CloseBox(13) : Drive::Click(665); }});
    OwnEffectDialog(0);
  }
  EXPECT_EQ(calls, (V{"OwnEffect(cancel, #y, 0)", "OwnEffect_Marked(#x, #y*2, 0)"}));
  ExpectMainWindowFree();
}

TEST_F(EffectDialogTest, TwoColourDitheringColoursAndCancel) {
  {
    tk::test::queueColor(0x0000FF);   // red for white
    tk::test::queueColor(-1);         // black kept
    Drive d(14, {[] { Drive::Click(667); },
                 [] {
                   ASSERT_NE(tk::imageCells(45), nullptr);
                   EXPECT_EQ(tk::imageCells(45)[0] & 0xFFFFFF, 0xFF0000u);   // cells: red in byte 2
                   Drive::Click(668);
                 },
                 [] {
                   EXPECT_EQ(tk::imageCells(46)[0] & 0xFFFFFF, 0u);
                   Drive::Click(669);
                 }});
    BiChromaticDitheringDialog(0);
  }
  {
    Drive d(14, {[] {
                   // Every call starts from white and black again.
                   EXPECT_EQ(tk::imageCells(45)[0] & 0xFFFFFF, 0xFFFFFFu);
                   Drive::Click(669);
                 }});
    BiChromaticDitheringDialog(1);
  }
  for (int cancel : {0, 1}) {
    Drive d(14, {[=] { cancel ? Drive::CloseBox(14) : Drive::Click(670); }});
    BiChromaticDitheringDialog(0);
  }
  EXPECT_EQ(calls, (V{"BiChromaticDithering(255, 0, 0, 0, 0, 0, 0)", "BiChromaticDithering_Marked(255, 255, 255, 0, 0, 0, 0)"}));
  ExpectMainWindowFree();
}

TEST_F(EffectDialogTest, WavesLabelsFactorsAndCancel) {
  {
    Drive d(11, {[] {
                   EXPECT_EQ(tk::gadgetText(650), "Anfang:0%");
                   Drive::Slide(651, 40);
                 },
                 [] {
                   EXPECT_EQ(tk::gadgetText(650), "Anfang:-60%");
                   Drive::Slide(649, 30);
                 },
                 [] {
                   EXPECT_EQ(tk::gadgetText(648), "Amplitude:30");
                   Drive::Slide(653, 50);
                 },
                 [] {
                   EXPECT_EQ(tk::gadgetText(652), "Breite:50");
                   Drive::Click(644);
                 }});
    WavesDialog(0);
  }
  for (int cancel : {0, 1}) {
    Drive d(11, {[] { Drive::Slide(655, 100); }, [=] { cancel ? Drive::CloseBox(11) : Drive::Click(645); }});
    WavesDialog(1);
  }
  {
    Drive d(11, {[] { Drive::Click(644); }});
    WavesDialog(256);   // only the low byte counts: the whole image
  }
  EXPECT_EQ(calls, (V{"Waves(30, 100, 0, 50, 98, 97, 0)", "Waves(0, 100, 0, 100, 97, 97, 0)"}));
  ExpectMainWindowFree();
}

TEST_F(EffectDialogTest, ColourRangeClearingOkAtOnceAndAfterMoves) {
  Rot = 255;
  Gruen = 0;
  Blau = 128;
  {
    Drive d(15, {[] {
                   EXPECT_TRUE(tk::gadgetHidden(678));
                   EXPECT_TRUE(tk::gadgetHidden(708));
                   Drive::Click(709);
                 }});
    ClearColorRangeDialog(0);
  }
  {
    tk::test::queueColor(0x030201);
    Drive d(15, {[] { Drive::Slide(672, 200); },
                 [] {
                   EXPECT_EQ(tk::gadgetWidth(674), 200);
                   EXPECT_EQ(tk::gadgetWidth(676), 56);
                   EXPECT_EQ(tk::gadgetX(676), 305);
                   Drive::Slide(676, 128);
                 },
                 [] {
                   EXPECT_EQ(tk::gadgetWidth(680), 0);
                   Drive::Click(705);
                 },
                 [] {
                   EXPECT_FALSE(tk::gadgetHidden(678));
                   EXPECT_TRUE(tk::gadgetHidden(708));
                   Drive::Click(707);
                 },
                 [] {
                   EXPECT_TRUE(tk::gadgetHidden(678));
                   EXPECT_FALSE(tk::gadgetHidden(708));
                   Drive::Click(708);
                 },
                 [] { Drive::Click(709); }});
    ClearColorRangeDialog(1);
  }
  EXPECT_EQ(Rot, 1);
  EXPECT_EQ(Gruen, 2);
  EXPECT_EQ(Blau, 3);
  for (int cancel : {0, 1}) {
    Drive d(15, {[] { Drive::Slide(683, 20); }, [=] { cancel ? Drive::CloseBox(15) : Drive::Click(710); }});
    ClearColorRangeDialog(0);
  }
  EXPECT_EQ(calls,
            (V{"ClearColorRange(128, 128, 128, 128, 128, 128, 128, 128, 128, 128, 128, 128, 128, 128, 128, 255, 0, "
               "128, 1, 0)",
               "ClearColorRange_Marked(200, 256, 200, 128, 128, 128, 128, 128, 128, 200, 256, 128, 128, 128, 128, "
               "-127, -126, -125, 4, 0)"}));
  ExpectMainWindowFree();
}

}  // namespace
