// The brush-form library (list file, icons, chooser list) and the stamp of tool 56.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tools/tools_fixture.h"

using namespace tools_test;

namespace {

using Grey = std::vector<uint8_t>;

std::vector<uint8_t> Form(int32_t side, const Grey& grey) {
  std::vector<uint8_t> b = {uint8_t(side), uint8_t(side >> 8), uint8_t(side >> 16), uint8_t(side >> 24), 0x7F, 0x80};
  b.insert(b.end(), grey.begin(), grey.end());
  return b;
}

// A program folder of its own with the given files in "Forms/"; the library of the real
// one comes back afterwards.
class BrushFormsTest : public ToolsTest {
 protected:
  std::string old, folder;
  void SetUp() override {
    ToolsTest::SetUp();
    old = tk::programFolder();
    folder = (std::filesystem::temp_directory_path() / ("forms_" + std::to_string(::getpid()))).string() + "/";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder + "Forms");
    std::filesystem::create_directories(folder + "Undo/Undo" + std::to_string(CVNIndex) + "/Undo" +
                                        std::to_string(CurrentImage));
    tk::setProgramFolder(folder);
    Rot = Gruen = Blau = 0;
    fillstate = 0;
    transstate = 1.0f;
  }
  void TearDown() override {
    tk::setProgramFolder(old);
    ReloadBrushForms();
    std::filesystem::remove_all(folder);
    tk::test::clear();
    ToolsTest::TearDown();
  }
  void Put(const std::string& name, const std::vector<uint8_t>& bytes) {
    ASSERT_TRUE(tk::writeWholeFile("Forms/" + name, bytes.data(), bytes.size()));
  }
  static PixelCell At(int x, int y) { return ImagePixels[size_t(y) * (bildlang + 1) + x] & 0xFFFFFFu; }
  static void White() { std::fill(ImagePixels.begin(), ImagePixels.end(), 0x00FFFFFFu); }
};

TEST_F(BrushFormsTest, LibraryListsExactExtensionsAndNumbersIconsByLine) {
  // b: row 0 black, row 1 white. c is broken (told, listed, no icon); d keeps image 142.
  Put("a.DF", Form(2, {0, 0, 0, 0}));
  Put("b.df", Form(2, {0, 0, 255, 255}));
  Put("c.df", Form(3, {0, 0}));
  Put("d.df", Form(1, {0}));
  Put("e.txt", Form(1, {0}));
  Put("f.df.bak", Form(1, {0}));
  tk::test::queueResult(tk::ResultOk);
  ReloadBrushForms();
  std::vector<uint8_t> list;
  ASSERT_TRUE(tk::readWholeFile("Forms/writeforms.tx", list));
  EXPECT_EQ(std::string(list.begin(), list.end()), "b.df\r\nc.df\r\nd.df\r\n");
  ASSERT_EQ(tk::test::shown().size(), 1u);
  EXPECT_NE(tk::test::shown()[0].find("Forms/c.df"), std::string::npos);
  ASSERT_EQ(tk::countGadgetItems(491), 3);
  EXPECT_EQ(tk::gadgetItemText(491, 0), "b");
  EXPECT_EQ(tk::gadgetItemText(491, 2), "d");
  EXPECT_TRUE(tk::isImage(140));
  EXPECT_FALSE(tk::isImage(141));
  EXPECT_TRUE(tk::isImage(142));
  // The icon is 16 x 16 with the form's first row at the top.
  EXPECT_EQ(tk::imageWidth(140), 16);
  EXPECT_EQ(tk::imageHeight(140), 16);
  std::vector<uint32_t> icon(256);
  ASSERT_TRUE(tk::imageToPixels(140, icon.data(), 16, 16, 16));
  EXPECT_EQ(icon[0] & 0xFF, 0u);
  EXPECT_EQ(icon[255] & 0xFF, 255u);
  // A reload frees the old icons and lists again.
  std::filesystem::remove(folder + "Forms/d.df");
  tk::test::queueResult(tk::ResultOk);
  ReloadBrushForms();
  EXPECT_EQ(tk::countGadgetItems(491), 2);
  EXPECT_FALSE(tk::isImage(142));
}

TEST_F(BrushFormsTest, MissingFormsFolderLeavesEverythingAsItWas) {
  Put("b.df", Form(1, {0}));
  ReloadBrushForms();
  std::filesystem::remove_all(folder + "Forms");
  LoadBrushForms();
  EXPECT_EQ(tk::countGadgetItems(491), 1);
  EXPECT_FALSE(tk::fileExists("Forms/writeforms.tx"));
}

TEST_F(BrushFormsTest, StampOfTheFormsLastIndexReproducesIt) {
  Grey grey(16);
  for (int i = 0; i < 16; ++i) grey[i] = uint8_t(i * 17);
  Put("g.df", Form(4, grey));
  ReloadBrushForms();
  ToolFormStates[8] = 0;
  const int32_t before = undostate;
  StampBrushForm(0, 5, 6, 3, 3, 0, 1, 0);
  EXPECT_NE(undostate, before);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) {
      // Black at grey g paints with opacity (255 - g) / 255 over white: g again. The
      // form's first cell is never painted.
      const uint32_t g = x == 0 && y == 0 ? 255 : grey[y * 4 + x];
      EXPECT_EQ(At(5 + x, 6 + y), g * 0x010101u) << x << "," << y;
    }
  EXPECT_EQ(At(9, 6), 0xFFFFFFu);
  EXPECT_EQ(At(5, 10), 0xFFFFFFu);
}

TEST_F(BrushFormsTest, StampTakesTheFormOfItsListLineNotTheArgument) {
  Put("a.df", Form(2, {255, 255, 255, 255}));   // paints nothing
  Put("b.df", Form(2, {0, 0, 0, 0}));
  ReloadBrushForms();
  ToolFormStates[8] = 1;
  StampBrushForm(0, 2, 2, 1, 1, 0, 1, 1);
  EXPECT_EQ(At(3, 3), 0u);
  ToolFormStates[8] = 0;
  White();
  StampBrushForm(1, 2, 2, 1, 1, 0, 1, 1);
  EXPECT_EQ(At(3, 3), 0xFFFFFFu);
}

TEST_F(BrushFormsTest, StampEdges) {
  Grey grey(64, 0);
  grey[63] = 100;   // the last cell: where the stretched stamp ends
  Put("h.df", Form(8, grey));
  ReloadBrushForms();
  ToolFormStates[8] = 0;
  struct Case {
    int32_t x0, y0, w, h;
    int painted;   // cells that change, -1: do not count
  };
  const Case cases[] = {
      {3, 3, 0, 5, 0},          // a click without a drag paints nothing
      {3, 3, 5, 0, 0},
      {-4, -4, 7, 7, 16},       // partly outside: only the 4 x 4 cells inside
      {30, 22, 13, 13, -1},     // runs past the right and bottom edges
      {0, 0, 13, 13, -1},       // 13 x (7 / 13) rounds a hair past 7: no read past the form
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.x0) + " " + std::to_string(c.w));
    White();
    const int32_t before = undostate;
    StampBrushForm(0, c.x0, c.y0, c.w, c.h, 0, 1, 0);
    EXPECT_NE(undostate, before);   // the undo point comes whatever is painted
    int painted = 0;
    for (PixelCell p : ImagePixels) painted += (p & 0xFFFFFFu) != 0xFFFFFFu;
    if (c.painted >= 0) {
      EXPECT_EQ(painted, c.painted);
    }
  }
  // The last case's bottom-right cell is the form's last cell.
  EXPECT_EQ(At(13, 13), 100u * 0x010101u);
}

TEST_F(BrushFormsTest, StampWithoutListOrFormPaintsNothing) {
  ToolFormStates[8] = 0;
  const int32_t before = undostate;
  StampBrushForm(0, 1, 1, 5, 5, 0, 1, 0);   // no list file
  EXPECT_NE(undostate, before);
  Put("writeforms.tx", {'x', '.', 'd', 'f', '\r', '\n'});
  StampBrushForm(0, 1, 1, 5, 5, 0, 1, 0);   // its form is missing
  for (PixelCell p : ImagePixels) ASSERT_EQ(p & 0xFFFFFFu, 0xFFFFFFu);
}

}  // namespace
