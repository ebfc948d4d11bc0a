// The settings window: what its gadgets write into the settings, the swatches it draws, the
// three ways of leaving it, and the restart question of "Übernehmen".
#include <string>
#include <vector>

#include "effects/dialog_driver.h"
#include "loops_fixture.h"

using namespace loops_test;

namespace {

// Runs the window on the queued events; it leaves by itself or after the events (and the
// ones a spin dropped) are used up.
void RunSettings(const std::vector<int>& gadgets, bool close = true) {
  for (int g : gadgets) Post(tk::EvGadget, 1, g, -1, tk::EtLeftClick);
  if (close) Post(tk::EvClose, 1);
  LoopTurnLimit = int32_t(gadgets.size()) + 3;
  LoopWaitMs = 50;
  OnSettingsEvent();
  LoopTurnLimit = 0;
  LoopWaitMs = -1;
}

uint32_t Pixel(int image, int x, int y) {
  tk::startDrawing(tk::imageOutput(image));
  const uint32_t c = tk::point(x, y);
  tk::stopDrawing();
  return c;
}

uint32_t Rgb(uint32_t r, uint32_t g, uint32_t b) { return r | (g << 8) | (b << 16); }

}  // namespace

TEST(SettingsWindowTest, LabelColourOnASwatch) {
  struct Case { uint32_t colour, label; };
  for (const Case& c : {Case{Rgb(255, 255, 255), Rgb(127, 127, 127)}, Case{Rgb(128, 0, 200), Rgb(255, 127, 72)},
                        Case{Rgb(0, 0, 0), Rgb(127, 127, 127)}, Case{Rgb(129, 127, 128), Rgb(1, 254, 255)}})
    EXPECT_EQ(SwatchLabelColour(c.colour), c.label) << std::hex << c.colour;
}

TEST_F(LoopsTest, SwatchesAreDrawnFromTheLoadedSettings) {
  // The canvas background of the shipped configuration, with its label.
  const uint32_t back = Settings.imageBackground[2] | (Settings.imageBackground[1] << 8) |
                        (uint32_t(Settings.imageBackground[0]) << 16);
  ASSERT_TRUE(tk::isImage(110));
  EXPECT_EQ(Pixel(110, 199, 39), back);
  bool label = false;
  for (int x = 5; x < 150 && !label; ++x)
    for (int y = 5; y < 25 && !label; ++y) label = Pixel(110, x, y) == SwatchLabelColour(back);
  EXPECT_TRUE(label);
  EXPECT_EQ(tk::gadgetAttribute(570, tk::AttrImage), 110);
  // The script editor background (white) with "Hintergrund" in grey.
  EXPECT_EQ(Pixel(109, 2, 2), 0xFFFFFFu);
  EXPECT_EQ(tk::gadgetAttribute(560, tk::AttrImage), 109);
  for (int n = 1; n <= 5; ++n) {
    EXPECT_EQ(Pixel(103 + n, 100, 25), Settings.formats[n].color) << n;
    EXPECT_FALSE(tk::richText(554 + n).empty()) << n;   // a sample to show the style on
  }
}

TEST_F(LoopsTest, StyleButtonsAndSizeWriteTheRecord) {
  struct Case { int bold, italic, underline, released; uint32_t effects; };
  // Releasing one button leaves the other two pressed ones.
  for (const Case& c : {Case{0, 1, 1, 535, 6}, Case{1, 0, 0, 545, 1}, Case{1, 0, 1, 540, 5}}) {
    tk::setGadgetState(535, c.bold);
    tk::setGadgetState(540, c.italic);
    tk::setGadgetState(545, c.underline);
    Settings.formats[1].effects = 7;
    RunSettings({c.released});
    EXPECT_EQ(Settings.formats[1].effects, c.effects) << c.released;
  }
  tk::setGadgetState(536, 1);   // pressing "F" of style 2 adds bold
  Settings.formats[2].effects = 4;
  RunSettings({536});
  EXPECT_EQ(Settings.formats[2].effects, 5u);

  for (auto [item, twips] : {std::pair{0, 20}, std::pair{71, 1440}}) {
    tk::setGadgetState(530, item);
    RunSettings({530});
    EXPECT_EQ(Settings.formats[1].height, twips);
  }
  ASSERT_GT(tk::countGadgetItems(525), 1);
  tk::setGadgetState(525, 1);
  RunSettings({525});
  EXPECT_EQ(Settings.formats[1].face, tk::gadgetItemText(525, 1).substr(0, 31));
}

TEST_F(LoopsTest, CanvasBackgroundStaysAfterCancelAndOkAppliesTheEditorStyles) {
  tk::test::clear();
  tk::test::queueColor(Rgb(128, 0, 200));
  Settings.Edit_Undo = 321;
  EditUndoDepth = 200;
  Settings.formats[3].color = Rgb(1, 2, 3);
  RunSettings({570, 580}, false);   // "Abbrechen" leaves
  EXPECT_EQ(Settings.imageBackground[2], 128);
  EXPECT_EQ(Settings.imageBackground[1], 0);
  EXPECT_EQ(Settings.imageBackground[0], 200);
  EXPECT_EQ(Pixel(110, 199, 39), Rgb(128, 0, 200));
  EXPECT_EQ(Settings.Edit_Undo, 200);          // only the editor undo depth is taken back
  EXPECT_NE(ScriptStyleFormats[3].color, Rgb(1, 2, 3));
  EXPECT_TRUE(tk::windowHidden(1));
  EXPECT_FALSE(tk::windowHidden(0));

  // A cancelled colour dialog changes nothing.
  tk::test::queueColor(-1);
  RunSettings({570});
  EXPECT_EQ(Settings.imageBackground[2], 128);

  Settings.Edit_Undo = 321;
  RunSettings({});                             // the close box takes back nothing
  EXPECT_EQ(Settings.Edit_Undo, 321);
  RunSettings({579}, false);                   // "OK"
  EXPECT_EQ(ScriptStyleFormats[3].color, Rgb(1, 2, 3));
  EXPECT_EQ(tk::test::pending(), 0);
}

TEST_F(LoopsTest, ApplyWritesTheFileAndACancelledRestartLeavesTheModeRunning) {
  tk::test::clear();
  tk::test::queueColor(Rgb(10, 20, 30));
  tk::setGadgetState(523, maxundo + 5);
  const int32_t newUndo = maxundo + 5;
  RunSettings({570}, false);
  tk::test::clear();
  // The undo count differs from the one in effect: a restart is offered, and the quit it
  // starts is cancelled at its save question.
  tk::test::queueResult(tk::ResultYes);
  {
    dialog_test::Drive quit(35, {[] { dialog_test::Drive::Click(791); }});   // "Abbrechen"
    RunSettings({581});
  }
  ASSERT_EQ(tk::test::shown().size(), 1u);
  EXPECT_EQ(tk::test::shown()[0].substr(0, 9), "Neustart?");
  EXPECT_EQ(NextMode, 0);

  // The next start reads what was written.
  Settings = SettingsRecord{};
  tk::openPreferences("Konfigurations/Konfig.ini");
  tk::preferenceGroup("All");
  EXPECT_EQ(tk::readPreferenceLong("Undo", 0), newUndo);
  tk::preferenceGroup("Styles");
  EXPECT_EQ(tk::readPreferenceLong("Backcolor_Imagefenster", 0), int32_t(Rgb(10, 20, 30)));
  tk::closePreferences();

  // Nothing that needs a restart changed: no question.
  tk::setGadgetState(523, maxundo);
  Settings.Edit_Undo = EditUndoDepth;
  Settings.Icons_unten = uint8_t(StatusIconsAtStart);
  tk::test::clear();
  RunSettings({581});
  EXPECT_TRUE(tk::test::shown().empty());
}

TEST_F(LoopsTest, RestartIsAskedWhenTheStatusIconsChangeOnly) {
  tk::setGadgetState(523, maxundo);
  Settings.Edit_Undo = EditUndoDepth;
  const int other = Settings.Icons_unten ? 568 : 567;
  tk::test::clear();
  tk::test::queueResult(tk::ResultNo);
  RunSettings({other, 581});
  EXPECT_EQ(tk::test::shown().size(), 1u);
}

TEST_F(LoopsTest, ColourButtonStyleShowsOneLayout) {
  struct Case { int style; int shown; };
  for (const Case& c : {Case{1, 14}, Case{2, 18}, Case{3, 26}}) {
    ApplyColorButtonStyle(c.style);
    for (int g = 14; g <= 33; ++g) {
      const bool inLayout = c.style == 1 ? g <= 17 : c.style == 2 ? (g >= 18 && g <= 25) : g >= 26;
      EXPECT_EQ(tk::gadgetHidden(g), !inLayout) << c.style << " " << g;
    }
    for (int o = 1; o <= 3; ++o) EXPECT_EQ(tk::gadgetState(570 + o), o == c.style ? 1 : 0);
  }
  // A style outside 1..3 only unselects the options.
  ApplyColorButtonStyle(7);
  for (int o = 1; o <= 3; ++o) EXPECT_EQ(tk::gadgetState(570 + o), 0);
  EXPECT_FALSE(tk::gadgetHidden(26));
}
