// The image dialogs (quality, size, save before quitting, new structure, picture buffer),
// the colour information window and the waves preview, in the started program.
#include <gtest/gtest.h>

#include <filesystem>

#include "effects/dialog_driver.h"
#include "effects/effects.h"
#include "shell/loops_fixture.h"

using dialog_test::Drive;
using namespace loops_test;

namespace {

class ImageDialogTest : public LoopsTest {
 protected:
  std::vector<std::string> calls;
  void SetUp() override {
    LoopsTest::SetUp();
    tk::test::clear();
    EffectDialogSpy = [this](const std::string& c) { calls.push_back(c); };
  }
  void TearDown() override {
    EffectDialogSpy = nullptr;
    auto* r = tk::detail::window(0);
    ASSERT_NE(r, nullptr);
    EXPECT_TRUE(r->top->isEnabled());
    EXPECT_EQ(tk::currentWindow(), 0);
    LoopsTest::TearDown();
  }
};

// ColorValue of a pixel of an image.
uint32_t PixelOf(int image, int x, int y) {
  if (!tk::startDrawing(tk::imageOutput(image))) return 0xFFFFFFFF;
  const uint32_t c = tk::point(x, y);
  tk::stopDrawing();
  return c;
}

TEST_F(ImageDialogTest, QualityChosenCancelledAndClosed) {
  struct Case {
    std::vector<dialog_test::Step> steps;
    int32_t result;
  };
  std::vector<Case> cases;
  cases.push_back({{[] {
                     EXPECT_EQ(tk::windowTitle(16), "Bildqualität einstellen");
                     EXPECT_EQ(tk::gadgetItemText(623, 10), "Bestmöglich");
                     Drive::Click(624);
                   }},
                   6});
  cases.push_back({{[] { Drive::Arrow(623, false); }, [] { Drive::Click(624); }}, 7});
  cases.push_back({{[] { Drive::Click(625); }}, -1});
  cases.push_back({{[] { Drive::CloseBox(16); }}, -1});   // not "Sehr Schlecht"
  cases.push_back({{[] { Drive::Escape(623); }}, -1});
  for (Case& c : cases) {
    Drive d(16, c.steps);
    EXPECT_EQ(ImageQualityDialog(6), c.result);
  }
}

TEST_F(ImageDialogTest, ResizeKeepsAspectAndScales) {
  ChangeImageSize(99, 49, 0, 0, 0, 0, 0, 0, 1);
  ASSERT_EQ(bildlang, 99);
  {
    Drive d(29, {[] {
                   EXPECT_EQ(tk::gadgetText(769), "100");
                   EXPECT_EQ(tk::gadgetText(770), "50");
                   EXPECT_TRUE(tk::gadgetDisabled(775));
                   Drive::Click(771);
                 },
                 [] { Drive::Type(769, "200"); },
                 [] {
                   EXPECT_EQ(tk::gadgetText(770), "100");
                   Drive::Click(777);
                 }});
    ResizeImageDialog();
  }
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].substr(0, 31), "ChangeImageSize(199, 99, 0, 0, ");   // scaled, no offset
  EXPECT_EQ(bildlang, 199);
  EXPECT_EQ(bildhoch, 99);
  EXPECT_EQ(tk::gadgetText(63), "200");
}

TEST_F(ImageDialogTest, ResizeRefusesZeroAndPlacesByTheAnchor) {
  ChangeImageSize(99, 49, 0, 0, 0, 0, 0, 0, 1);
  ImageRecords[CurrentImage].bgcolor[0] = 30;   // blue, green, red
  ImageRecords[CurrentImage].bgcolor[1] = 20;
  ImageRecords[CurrentImage].bgcolor[2] = 10;
  tk::test::queueResult(tk::ResultOk);
  tk::test::queueColor(0x030201);
  {
    Drive d(29, {[] {
                   EXPECT_EQ(PixelOf(24, 10, 10), 0x1E140Au);
                   Drive::Type(769, "0");
                 },
                 [] { Drive::Click(777); },
                 [] {
                   // Refused with a message; the dialog stays.
                   EXPECT_EQ(tk::test::shown().size(), 1u);
                   Drive::Type(769, "140");
                 },
                 [] { Drive::Type(770, "20"); }, [] { Drive::Click(774); },
                 [] {
                   EXPECT_FALSE(tk::gadgetDisabled(775));
                   tk::setGadgetState(775, 8);   // "Rechts unten"
                   Drive::Click(776);
                 },
                 [] { Drive::Click(777); }});
    ResizeImageDialog();
  }
  EXPECT_EQ(calls, (std::vector<std::string>{"ChangeImageSize(139, 19, 1, 40, 30, 1, 2, 3, 0)"}));
  EXPECT_EQ(ImageRecords[CurrentImage].bgcolor[2], 1);
  EXPECT_EQ(bildlang, 139);
  EXPECT_EQ(bildhoch, 19);
  // A preset fills the fields; "Abbrechen" and the close box change nothing.
  for (int cancel : {0, 1}) {
    Drive d(29, {[] { Drive::Arrow(773, false); },
                 [] {
                   EXPECT_EQ(tk::gadgetText(769), "32");
                   EXPECT_EQ(tk::gadgetText(770), "32");
                 },
                 [=] { cancel ? Drive::CloseBox(29) : Drive::Click(778); }});
    ResizeImageDialog();
  }
  EXPECT_EQ(calls.size(), 1u);
  EXPECT_EQ(bildlang, 139);
}

TEST_F(ImageDialogTest, SaveBeforeQuit) {
  // A save of the unnamed image asks for its name: the one queued answer is taken.
  const auto saves = [] { return 1 - tk::test::pending(); };
  struct Case {
    std::vector<dialog_test::Step> steps;
    int32_t result;
    int saved;
  };
  std::vector<Case> cases;
  cases.push_back({{[] {
                     EXPECT_EQ(tk::countGadgetItems(787), ImageCount);
                     EXPECT_EQ(tk::gadgetItemText(787, 0), ImageRecords[1].DisplayName);
                     EXPECT_EQ(tk::gadgetItemState(787, 0), tk::ItemSelected);
                     Drive::Click(788);
                   }},
                   1, 0});                                          // OK, nothing ticked: quit
  cases.push_back({{[] { Drive::Click(790); }}, 1, 0});             // without saving
  cases.push_back({{[] { Drive::Click(791); }}, 0, 0});
  cases.push_back({{[] { Drive::CloseBox(35); }}, 0, 0});
  // A save that did not happen (the name requester cancelled) keeps the program open.
  cases.push_back({{[] { Drive::Click(789); }}, 0, 1});
  cases.push_back({{[] {
                     tk::setGadgetItemState(787, 0, tk::ItemSelected | tk::ItemChecked);
                     Drive::Click(788);
                   }},
                   0, 1});
  for (Case& c : cases) {
    tk::test::queueString("");   // for the save requester of an unnamed image
    {
      Drive d(35, c.steps);
      EXPECT_EQ(SaveBeforeQuitDialog(), c.result);
    }
    EXPECT_EQ(saves(), c.saved);
    tk::test::clear();
  }
}

TEST_F(ImageDialogTest, AddStructureNameAndFolder) {
  std::filesystem::create_directories(tk::programFolder() + "Structures/Zzwolken");
  std::string result;
  {
    Drive d(36, {[] {
                   EXPECT_EQ(tk::gadgetText(801), "Bild1");
                   Drive::Type(801, "Nebel");
                 },
                 [] {
                   for (int i = 0; i < tk::countGadgetItems(802); ++i)
                     if (tk::gadgetItemText(802, i) == "Zzwolken") tk::setGadgetState(802, i);
                   Drive::Click(803);
                 }});
    result = AddStructureDialog("Bild1");
  }
  EXPECT_EQ(result, tk::programFolder() + "Structures/Zzwolken/Nebel.struc");
  {
    Drive d(36, {[] { Drive::Click(803); }});
    result = AddStructureDialog("Bild1");
  }
  EXPECT_EQ(result, tk::programFolder() + "Structures/Bild1.struc");
  for (int cancel : {0, 1}) {
    Drive d(36, {[=] { cancel ? Drive::CloseBox(36) : Drive::Click(804); }});
    EXPECT_EQ(AddStructureDialog("Bild1"), "");
  }
}

TEST_F(ImageDialogTest, StoreBufferTakesTheChosenEntry) {
  PictureBufferLabels[3] = "Kopf (links)";
  PictureBufferLabels[2] = "alt";
  {
    Drive d(34, {[] {
                   EXPECT_EQ(tk::gadgetState(797), 1);
                   EXPECT_EQ(tk::gadgetItemText(797, 1), "2.) alt");
                   Drive::Arrow(797, false);
                 },
                 [] {
                   EXPECT_EQ(tk::gadgetText(798), " Kopf (links)");
                   Drive::Type(798, "Himmel");
                 },
                 [] { Drive::Click(799); }});
    StoreBufferDialog(0);
  }
  EXPECT_EQ(PictureBufferLabels[3], "Himmel");
  EXPECT_TRUE(tk::fileExists(InstanceFolder() + "Buffer3.buf"));
  for (int cancel : {0, 1}) {
    Drive d(34, {[] { Drive::Type(798, "neu"); }, [=] { cancel ? Drive::CloseBox(34) : Drive::Click(800); }});
    StoreBufferDialog(0);
  }
  EXPECT_EQ(PictureBufferLabels[2], "alt");
  EXPECT_FALSE(tk::fileExists(InstanceFolder() + "Buffer2.buf"));
}

TEST_F(ImageDialogTest, ColourInformationWindowSwitchesCurves) {
  {
    Drive d(42, {[] {
                   for (int g : {826, 827, 828, 830}) EXPECT_EQ(tk::gadgetState(g), 1) << g;
                   EXPECT_EQ(tk::gadgetState(825), 143);
                   Drive::Click(826);
                 },
                 [] { Drive::Click(827); }, [] { Drive::Click(828); }, [] { Drive::Click(830); },
                 [] {
                   // Every curve off: a white image.
                   for (int y = 0; y < 220; y += 3)
                     for (int x = 0; x < 266; x += 3) ASSERT_EQ(PixelOf(143, x, y), 0xFFFFFFu) << x << "," << y;
                   Drive::Click(831);
                 }});
    ColorInformationWindow();
  }
  EXPECT_FALSE(tk::isWindow(42));
  {
    Drive closed(42, {[] { Drive::CloseBox(42); }});
    ColorInformationWindow();
  }
  EXPECT_FALSE(tk::isWindow(42));
}

TEST_F(ImageDialogTest, HistogramCurvesAndTheGreyMean) {
  // Three cells: black, black, blue. Red and green count 3 at 0 (the highest count), blue 2.
  bildlang = 2;
  bildhoch = 0;
  ImagePixels = {0, 0, 0x000000FF};
  ASSERT_GE(tk::createImage(143, 266, 220, 24, 0xFFFFFF), 0);
  DrawColorHistogram(143, 1, 0, 0, 0);
  // The highest count reaches y = -5: the red spike at x 5 runs to the top edge.
  EXPECT_EQ(PixelOf(143, 5, 0), 0x0000FFu);
  EXPECT_EQ(PixelOf(143, 5, 214), 0x0000FFu);
  ASSERT_GE(tk::createImage(143, 266, 220, 24, 0xFFFFFF), 0);
  DrawColorHistogram(143, 0, 0, 0, 1);
  // Grey: (3 + 3 + 2) / 3 = 2 in whole numbers, 210 - 2 x 220 / 3 = 63 (+5).
  EXPECT_EQ(PixelOf(143, 5, 68), 0xAAAAAAu);
  EXPECT_EQ(PixelOf(143, 5, 66), 0xFFFFFFu);
  // No cells: flat curves on the base line, no division by a count of 0.
  ImagePixels.clear();
  bildlang = bildhoch = -1;
  ASSERT_GE(tk::createImage(143, 266, 220, 24, 0xFFFFFF), 0);
  DrawColorHistogram(143, 1, 1, 1, 1);
  EXPECT_EQ(PixelOf(143, 100, 215), 0xAAAAAAu);
  EXPECT_EQ(PixelOf(143, 100, 100), 0xFFFFFFu);
}

TEST_F(ImageDialogTest, WavesPreview) {
  // No amplitude: the frame and the four straight lines.
  bildlang = 99;
  bildhoch = 99;
  EffectPreview(0, 100, 0, 100, 97, 97, -1);
  EXPECT_EQ(PixelOf(43, 1, 1), 0x0000FFu);         // frame corner
  EXPECT_EQ(PixelOf(43, 0, 0), 0xFFFFFFu);
  EXPECT_EQ(PixelOf(43, 75, 31), 0x0000FFu);       // row 30 inside the frame
  EXPECT_EQ(PixelOf(43, 75, 121), 0x0000FFu);
  EXPECT_EQ(PixelOf(43, 31, 75), 0x0000FFu);       // column 30
  EXPECT_EQ(PixelOf(43, 75, 75), 0xFFFFFFu);
  // A start of exactly 100, a one-pixel image, a huge amplitude: drawn, no division by zero.
  for (int last : {0, 99}) {
    bildlang = bildhoch = last;
    EffectPreview(5000, 1, 5000, 1, 100, 100, -1);
    EXPECT_EQ(PixelOf(43, 1, 1), 0x0000FFu) << last;
  }
  // Wrapping curves touch both the top and the bottom of the frame.
  bildlang = bildhoch = 99;
  EffectPreview(0, 100, 150, 100, 97, 97, -1);
  int top = 0, bottom = 0;
  for (int x = 2; x < 149; ++x) {
    top += PixelOf(43, x, 2) == 0x0000FFu;
    bottom += PixelOf(43, x, 148) == 0x0000FFu;
  }
  EXPECT_GT(top, 0);
  EXPECT_GT(bottom, 0);
}

}  // namespace
