// The colour cells of the colour window, the drawing-settings bar, the brush-form
// selection and chooser, and the other small routines of the main window.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>

#include "shell/loops_fixture.h"
#include "toolkit/internal.h"

using loops_test::EnsureProgramStarted;

namespace {

class ColourCellsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureProgramStarted();
    tk::drainEvents();
    tk::test::clear();
  }
};

uint32_t ImageColour(int image) {
  uint32_t c = 0xFFFFFFFFu;
  if (tk::startDrawing(tk::imageOutput(image))) {
    c = tk::point(5, 5);
    tk::stopDrawing();
  }
  return c;
}

}  // namespace

TEST_F(ColourCellsTest, PaletteGridColours) {
  struct Case {
    int column, row, red, green, blue;
  } cases[] = {
      {0, 0, 0, 0, 0},      {15, 0, 255, 255, 255}, {5, 0, 85, 85, 85},    {0, 1, 15, 7, 0},
      {7, 1, 127, 63, 0},   {8, 1, 143, 0, 71},     {15, 1, 255, 0, 127},  {15, 2, 255, 0, 0},
      {3, 3, 63, 31, 31},   {15, 4, 255, 255, 127}, {0, 5, 15, 15, 0},     {7, 6, 63, 127, 0},
      {8, 6, 0, 143, 71},   {15, 7, 0, 255, 0},     {1, 8, 15, 31, 15},    {15, 9, 127, 255, 255},
      {2, 10, 0, 47, 47},   {15, 11, 0, 0, 255},    {15, 12, 0, 127, 255}, {15, 13, 127, 127, 255},
      {15, 14, 255, 127, 255}, {0, 15, 15, 0, 15},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.column) + "," + std::to_string(c.row));
    const PaletteCell& cell = PaletteCells[c.column][c.row];
    EXPECT_EQ(cell.red, c.red);
    EXPECT_EQ(cell.green, c.green);
    EXPECT_EQ(cell.blue, c.blue);
    ASSERT_TRUE(tk::isImage(cell.image));
    EXPECT_EQ(tk::imageWidth(cell.image), 12);
    EXPECT_EQ(ImageColour(cell.image), uint32_t(c.red | c.green << 8 | c.blue << 16));
    EXPECT_EQ(tk::gadgetState(cell.gadget), cell.image);
    EXPECT_EQ(tk::gadgetX(cell.gadget), c.column * 12 + 10);
    EXPECT_EQ(tk::gadgetY(cell.gadget), c.row * 12);
  }
  EXPECT_EQ(tk::gadgetToolTip(PaletteCells[15][2].gadget), "RGB(255,0,0)");
  // every cell has its own image and gadget
  std::set<int> images, gadgets;
  for (auto& column : PaletteCells)
    for (const PaletteCell& cell : column) {
      images.insert(cell.image);
      gadgets.insert(cell.gadget);
    }
  EXPECT_EQ(images.size(), 256u);
  EXPECT_EQ(gadgets.size(), 256u);
}

TEST_F(ColourCellsTest, DrawSettingsBarMovesTheCanvasOnceEachWay) {
  HideDrawSettingsBar();
  ASSERT_EQ(DrawBarShown, 0);
  EXPECT_EQ(CanvasTop, 92);
  ShowDrawSettingsBar();
  EXPECT_EQ(DrawBarShown, 1);
  EXPECT_EQ(CanvasTop, 155);
  EXPECT_FALSE(tk::gadgetHidden(171));
  EXPECT_TRUE(tk::menuItemChecked(0, 193));
  EXPECT_EQ(tk::gadgetY(2), 155 - 59);
  EXPECT_EQ(tk::gadgetY(163), 155 - 62);
  EXPECT_EQ(tk::gadgetX(163), 440);
  EXPECT_EQ(tk::gadgetY(6), 155 - 30);
  // again: nothing moves
  tk::resizeGadget(2, 8, 10, 230, 29);
  ShowDrawSettingsBar();
  EXPECT_EQ(tk::gadgetY(2), 10);
  HideDrawSettingsBar();
  EXPECT_EQ(DrawBarShown, 0);
  EXPECT_EQ(CanvasTop, 92);
  EXPECT_TRUE(tk::gadgetHidden(171));
  EXPECT_FALSE(tk::menuItemChecked(0, 193));
  EXPECT_EQ(tk::gadgetY(2), 92 - 59);
  tk::resizeGadget(2, 8, 10, 230, 29);
  HideDrawSettingsBar();
  EXPECT_EQ(tk::gadgetY(2), 10);
  tk::resizeGadget(2, 8, 92 - 59, 230, 29);
}

TEST_F(ColourCellsTest, SelectBrushFormReadsItsLineOfTheList) {
  namespace fs = std::filesystem;
  const fs::path list = fs::path(tk::programFolder()) / "Forms" / "writeforms.tx";
  fs::create_directories(list.parent_path());
  {
    std::ofstream out(list, std::ios::binary);
    out << "Rund.df\r\nEckig.df\r\n";
  }
  // Rund.df is 16 cells a side: radius 7 takes it as it is; Eckig.df (8 a side) is
  // resized to 12 cells for radius 5.
  std::vector<uint8_t> rund;
  ASSERT_TRUE(tk::readWholeFile("Forms/Rund.df", rund));
  SelectBrushForm(0, 7);
  EXPECT_EQ(drawforms_length, 7);
  EXPECT_EQ(BrushFormGrey, std::vector<uint8_t>(rund.begin() + 6, rund.end()));
  SelectBrushForm(1, 5);
  EXPECT_EQ(drawform_current, 1);
  EXPECT_EQ(drawforms_length, 5);
  EXPECT_EQ(BrushFormGrey, std::vector<uint8_t>(144, 0));
  EXPECT_EQ(BrushFormCells.size(), 144u);
  // without the list only the form number changes
  fs::remove(list);
  SelectBrushForm(4, 9);
  EXPECT_EQ(drawform_current, 4);
  EXPECT_EQ(drawforms_length, 5);
}

TEST_F(ColourCellsTest, BrushFormChooserAnswersTheRowOrCancel) {
  tk::clearGadgetItems(491);
  for (const char* name : {"Rund", "Eckig", "Stern"}) tk::addGadgetItem(491, -1, name);
  auto post = [](int code, int window, int gadget) {
    tk::Event e;
    e.code = code;
    e.window = window;
    e.gadget = gadget;
    e.type = tk::EtLeftClick;
    tk::postEvent(e);
  };
  loops_test::WithOneBoundedTurn([&] {
    tk::setGadgetState(491, 2);
    post(tk::EvGadget, 22, 491);
    post(tk::EvGadget, 22, 493);
    EXPECT_EQ(ChooseBrushForm(), 2);
    EXPECT_TRUE(tk::windowHidden(22));
    EXPECT_EQ(OnErrorCode1, 11);
    post(tk::EvGadget, 22, 494);
    EXPECT_EQ(ChooseBrushForm(), -1);
    post(tk::EvClose, 22, -1);
    EXPECT_EQ(ChooseBrushForm(), -1);
  });
  EXPECT_EQ(tk::currentWindow(), 0);
}

TEST_F(ColourCellsTest, SmallRoutines) {
  CreateBlackWhiteSwatches();
  EXPECT_EQ(tk::imageWidth(45), 80);
  EXPECT_EQ(tk::imageHeight(46), 20);
  EXPECT_EQ(ImageColour(45), 0xFFFFFFu);
  EXPECT_EQ(ImageColour(46), 0x000000u);
  EXPECT_EQ(GetProgramFolder(), tk::programFolder());
  EXPECT_EQ(GetProgramFolder().back(), '/');
  SetMenuItemText(0, 193, "Leiste");
  EXPECT_EQ(tk::menuItemText(0, 193), "Leiste");
  SetWindowsEnabled(0);
  for (int w : {0, 2, 22}) {
    ASSERT_TRUE(tk::isWindow(w)) << w;
    EXPECT_FALSE(tk::detail::window(w)->top->isEnabled()) << w;
  }
  SetWindowsEnabled(1);
  for (int w : {0, 2, 22}) EXPECT_TRUE(tk::detail::window(w)->top->isEnabled()) << w;
  tk::testSetWindowMouse(27, 17, 23);
  EXPECT_EQ(GetColourWindowMouseX(), 17);
  EXPECT_EQ(GetColourWindowMouseY(), 23);
  EXPECT_EQ(tk::currentWindow(), 27);
  tk::testSetWindowMouse(27, -2, 0);
  tk::useWindow(0);
}
