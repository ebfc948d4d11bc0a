// Channel setters, spectrum stretching, colour grid and bars, colour attributes and their
// previews, and the channel switches, on the image and on the marked area.
#include <random>

#include "effects/effects_fixture.h"

namespace {

struct ChannelTest : EffectsFixture {
  static void SetArea(int w, int h, const std::vector<PixelCell>& cells) {
    arealang = w - 1;
    areahoch = h - 1;
    AreaPixels = cells;
  }
  static std::vector<PixelCell> Random(int w, int h, unsigned seed) {
    std::mt19937 rng(seed);
    std::vector<PixelCell> cells(size_t(w) * h);
    for (auto& c : cells) c = rng();
    return cells;
  }
};

TEST_F(ChannelTest, SettersTakeTheLowByteAndIgnoreNegativeValues) {
  SetImage(2, 1, {C(1, 2, 3, 4), C(5, 6, 7)});
  const int32_t undo = undostate;
  MarkCanvas();
  SetRedColors(-1, 0);
  EXPECT_EQ(undostate, undo);
  EXPECT_FALSE(Redrawn());
  EXPECT_EQ(ImagePixels[0], C(1, 2, 3, 4));
  SetRedColors(300, 1);
  SetGreenColors(0, 1);
  SetBlueColors(255, 1);
  EXPECT_EQ(ImagePixels, (std::vector<PixelCell>{C(44, 0, 255, 4), C(44, 0, 255)}));
  SetArea(1, 2, {C(1, 2, 3, 1), C(4, 5, 6)});
  SetRedColors_Marked(-1, 1);
  SetBlueColors_Marked(-5, 1);
  EXPECT_EQ(AreaPixels[0], C(1, 2, 3, 1));
  SetRedColors_Marked(300, 1);
  SetGreenColors_Marked(9, 1);
  EXPECT_EQ(AreaPixels, (std::vector<PixelCell>{C(44, 9, 3, 1), C(44, 9, 6)}));
}

TEST_F(ChannelTest, SetColorspecStretchesAroundTheTurningPoint) {
  // Red spans 0..255, green 64..192, blue at most 128 (signed maximum 0).
  SetImage(3, 1, {C(0, 64, 10, 1), C(255, 192, 128), C(128, 128, 0)});
  SetColorspec(0, 255, 0, 0, 255, 0, 0, 255, 0, 1);
  // full range: red unchanged; green stretched 64 -> 0, 192 -> 255; blue left as it is
  EXPECT_EQ(ImagePixels, (std::vector<PixelCell>{C(0, 0, 10, 1), C(255, 255, 128), C(128, 128, 0)}));
  // compress red into 64..192: 127 x 64/127 = 64, -128 x 0.5 = -64
  SetColorspec(64, 192, 0, 0, 255, 0, 0, 255, 0, 1);
  EXPECT_EQ(R(ImagePixels[0]), 64);
  EXPECT_EQ(R(ImagePixels[1]), 192);
  EXPECT_EQ(R(ImagePixels[2]), 128);
  // a turning point keeps its value and uses the same factors: d = 10 - (-20) = 30 -> 15
  SetImage(1, 2, {C(138, 0, 0), C(255, 0, 0)});
  SetColorspec(0, 191, -20, 0, 255, 0, 0, 255, 0, 1);   // up = 63 / 127
  EXPECT_EQ(R(ImagePixels[0]) - 128, -20 + int(std::floor(float(30.0 * double(float(63.0 / 127.0))))));
  // the area uses its own extremes
  SetArea(2, 1, {C(64, 0, 0, 1), C(192, 0, 0)});
  SetColorspec_Marked(0, 255, 0, 0, 255, 0, 0, 255, 0, 1);
  EXPECT_EQ(AreaPixels, (std::vector<PixelCell>{C(0, 0, 0, 1), C(255, 0, 0)}));
}

TEST_F(ChannelTest, ColorspectrumMarkedUsesTheImageExtremes) {
  // Image red reaches 63 signed (191) at most; green and blue span everything.
  SetImage(2, 1, {C(0, 0, 0), C(191, 255, 255)});
  SetArea(3, 1, {C(191, 7, 9, 1), C(255, 7, 9), C(128, 0, 255)});
  const int32_t undo = undostate;
  Colorspectrum_Marked(1);
  EXPECT_EQ(undostate, undo);   // quiet: the script's own undo point covers it
  EXPECT_EQ(AreaPixels[0], C(223, 7, 9, 1));   // 63 x (1 + 64/127) = 94.75 -> 95
  EXPECT_EQ(R(AreaPixels[1]), 255);            // beyond the image's maximum: clamped, not wrapped
  EXPECT_EQ(AreaPixels[2], C(128, 0, 255));
  Colorspectrum_Marked(0);
  EXPECT_EQ(undostate, undo % maxundo + 1);
  // an image that spans everything: nothing, no undo point
  SetImage(2, 1, {C(0, 0, 0), C(255, 255, 255)});
  const auto area = AreaPixels;
  Colorspectrum_Marked(0);
  EXPECT_EQ(undostate, undo % maxundo + 1);
  EXPECT_EQ(AreaPixels, area);
}

TEST_F(ChannelTest, ColourGridAndBarsOnTheArea) {
  const PixelCell o = C(1, 1, 1, 1);
  SetArea(2, 2, {o, o, o, o});
  ColorBars_Marked(200, 100, 50, 1);
  EXPECT_EQ(AreaPixels, (std::vector<PixelCell>{C(200, 100, 50, 1), o, o, C(200, 100, 50, 1)}));
  SetArea(1, 1, {0});
  ColorBars_Marked(3, 2, 1, 1);
  EXPECT_EQ(AreaPixels[0], C(3, 2, 1));
  // Bars on 4 x 2: cells numbered by their red value.
  auto numbered = [] {
    std::vector<PixelCell> cells;
    for (int i = 0; i < 8; ++i) cells.push_back(C(i, 0, 0, i == 1 ? 5 : 0));
    return cells;
  };
  auto reds = [] {
    std::vector<int> out;
    for (PixelCell c : AreaPixels) out.push_back(R(c));
    return out;
  };
  SetArea(4, 2, numbered());
  BarsLeft_Marked(1);
  EXPECT_EQ(reds(), (std::vector<int>{0, 0, 2, 2, 4, 5, 5, 7}));
  EXPECT_EQ(F(AreaPixels[1]), 5);
  SetArea(4, 2, numbered());
  BarsRight_Marked(1);
  EXPECT_EQ(reds(), (std::vector<int>{1, 1, 3, 3, 4, 6, 6, 7}));
  SetArea(4, 2, numbered());
  BarsDown_Marked(1);
  EXPECT_EQ(reds(), (std::vector<int>{4, 5, 6, 7, 4, 5, 6, 7}));
  SetArea(4, 2, numbered());
  BarsUp_Marked(1);
  EXPECT_EQ(reds(), (std::vector<int>{0, 1, 2, 3, 0, 1, 2, 3}));
  SetArea(4, 1, {C(1, 0, 0), C(2, 0, 0), C(3, 0, 0), C(4, 0, 0)});
  BarsDown_Marked(1);
  BarsUp_Marked(1);
  EXPECT_EQ(reds(), (std::vector<int>{1, 2, 3, 4}));
}

TEST_F(ChannelTest, AttributesPerCell) {
  struct Case {
    int con, bri, dr, dg, db;
    std::vector<PixelCell> in, out;
  };
  const Case cases[] = {
      {0, 0, 0, 0, 0, {C(1, 2, 3, 1), C(250, 0, 9)}, {C(1, 2, 3, 1), C(250, 0, 9)}},
      // means 12, 20, 30: moved towards them without passing
      {-5, 0, 0, 0, 0, {C(10, 40, 30), C(14, 0, 30)}, {C(12, 35, 30), C(12, 5, 30)}},
      {-128, 0, 0, 0, 0, {C(10, 40, 30), C(14, 0, 30)}, {C(12, 20, 30), C(12, 20, 30)}},
      // sums 80 and 44 against the mean sum 62: up and down
      {10, 0, 0, 0, 0, {C(10, 40, 30), C(14, 0, 30)}, {C(20, 50, 40), C(4, 0, 20)}},
      {0, 127, 127, 0, -128, {C(100, 100, 100), C(0, 0, 0)}, {C(255, 227, 99), C(254, 127, 0)}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.con << " " << c.bri << " " << c.dr);
    SetImage(2, 1, c.in);
    Attributes(c.con, c.bri, c.dr, c.dg, c.db, 1);
    EXPECT_EQ(ImagePixels, c.out);
  }
  // A uniform image: every cell is at the mean sum and gets + contrast.
  SetImage(2, 1, {C(50, 60, 70), C(50, 60, 70)});
  OnErrorCode1 = 3;
  Attributes(10, 0, 0, 0, 0, 1);
  EXPECT_EQ(ImagePixels[1], C(60, 70, 80));
  EXPECT_EQ(OnErrorCode1, 3);   // the caller's code stays
  const int32_t undo = undostate;
  MarkCanvas();
  Attributes(0, 0, 0, 0, 0, 0);
  EXPECT_EQ(undostate, undo % maxundo + 1);
  EXPECT_TRUE(Redrawn());
}

TEST_F(ChannelTest, AttributesMarkedBlendsWithTheImageUnderIt) {
  // Image means 12 (red).
  SetImage(2, 1, {C(12, 100, 0), C(12, 200, 255)});
  startx = 1;
  starty = 0;
  horz2 = vert2 = 0;
  // Area cell 0 lies over image cell (1, 0), cell 1 outside the image.
  SetArea(2, 1, {C(10, 0, 0, 1), C(10, 0, 0)});
  Attributes_Marked(-5, 0, 0, 0, 0, 0, 1);
  EXPECT_EQ(R(AreaPixels[0]), 12);   // towards the image mean, not past it
  EXPECT_EQ(AllRot, 12 - 128);       // left in the signed form
  SetArea(2, 1, {C(10, 0, 0, 1), C(10, 0, 0)});
  Attributes_Marked(0, 50, 0, 0, 0, 100, 1);
  EXPECT_EQ(AreaPixels[0], C(12, 200, 255, 1));   // the image cell under it
  EXPECT_EQ(AreaPixels[1], C(60, 50, 50));        // outside the image: its own adjusted colour
  // 50 %: RoundNearest(10 x 0.5) + RoundNearest(12 x 0.5), before the clamp
  SetArea(1, 1, {C(10, 0, 0)});
  Attributes_Marked(0, 0, 0, 0, 0, 50, 1);
  EXPECT_EQ(AreaPixels[0], C(11, 100, 127));   // 127.5 rounds down
}

TEST_F(ChannelTest, PreviewsLeaveTheCellsAsTheyAre) {
  for (float zoom : {0.25f, 0.5f, 1.0f, 3.0f}) {
    SCOPED_TRACE(zoom);
    SetImage(90, 70, Random(90, 70, 4));
    length = zoom;
    UpdateZoomedSizes();
    const auto image = ImagePixels;
    MarkCanvas();
    const int32_t undo = undostate;
    PreviewAttributes(0, 60, 0, 0, 0);
    EXPECT_EQ(ImagePixels, image);
    EXPECT_EQ(undostate, undo);
    EXPECT_TRUE(Redrawn());
  }
  length = 1.0f;
  UpdateZoomedSizes();
  // The first view pixel shows image cell (0, 0), brightened.
  SetImage(20, 20, std::vector<PixelCell>(400, C(10, 20, 30)));
  PreviewAttributes(0, 5, 0, 0, 0);
  PrepareViewImages();
  EXPECT_EQ(tk::imageCells(0)[0] & 0xFFFFFFu, C(15, 25, 35));
  EXPECT_EQ(ImagePixels[0], C(10, 20, 30));
}

TEST_F(ChannelTest, AreaPreviewAdjustsTheDisplayImageOnly) {
  SetImage(4, 4, Random(4, 4, 2));
  SetArea(2, 2, {C(10, 20, 30, 1), C(40, 50, 60, 1), C(250, 0, 9, 1), C(1, 2, 3, 1)});
  areamark = 2;
  startx = starty = 1;
  RefreshView();
  ASSERT_TRUE(tk::isImage(22));
  const int n = tk::imageWidth(22) * tk::imageHeight(22);
  const std::vector<uint32_t> shown(tk::imageCells(22), tk::imageCells(22) + n);
  const auto area = AreaPixels;
  PreviewAreaAdjustment(0, 10, 0, 0, 0, 0);
  EXPECT_EQ(AreaPixels, area);
  for (int i = 0; i < n; ++i)
    for (int sh = 0; sh <= 16; sh += 8)
      EXPECT_EQ(int(tk::imageCells(22)[i] >> sh & 0xFF), std::min(255, int(shown[size_t(i)] >> sh & 0xFF) + 10));
}

TEST_F(ChannelTest, ChannelSwitchesHoldAndPutBack) {
  for (auto [w, h] : {std::pair{3, 5}, {5, 3}}) {
    const auto cells = Random(w, h, unsigned(w));
    SetImage(w, h, cells);
    SwitchRedChannel(0, 1);
    EXPECT_EQ(rotisaway, 1);
    for (PixelCell c : ImagePixels) EXPECT_EQ(R(c), 0);
    SwitchRedChannel(0, 1);   // held already: the first copy stays
    SwitchGreenChannel(0, 1);
    SwitchRedChannel(1, 1);
    SwitchGreenChannel(1, 1);
    EXPECT_EQ(ImagePixels, cells);
    EXPECT_EQ(RedHold.size(), 1u);
    // the area's holds are its own
    SetArea(w, h, cells);
    SwitchBlueChannel_Marked(0, 1);
    for (PixelCell c : AreaPixels) EXPECT_EQ(B(c), 0);
    SwitchBlueChannel_Marked(1, 1);
    EXPECT_EQ(AreaPixels, cells);
  }
  // Held out, the image grows: only the old extent comes back.
  SetImage(2, 2, {C(1, 0, 0), C(2, 0, 0), C(3, 0, 0), C(4, 0, 0)});
  SwitchRedChannel(0, 1);
  SetImage(3, 3, std::vector<PixelCell>(9, C(0, 9, 9)));
  SwitchRedChannel(1, 1);
  EXPECT_EQ(R(At(0, 0)), 1);
  EXPECT_EQ(R(At(1, 1)), 4);
  EXPECT_EQ(R(At(2, 2)), 0);
  // Putting back while shown: an undo point and a redraw, nothing else.
  const auto shown = ImagePixels;
  const int32_t undo = undostate;
  MarkCanvas();
  SwitchRedChannel(1, 0);
  EXPECT_EQ(ImagePixels, shown);
  EXPECT_EQ(undostate, undo % maxundo + 1);
  EXPECT_TRUE(Redrawn());
}

}  // namespace

namespace {

TEST_F(ChannelTest, TheImageHoldFollowsTheMenuCheckMark) {
  ASSERT_TRUE(tk::createMenu(0, 0));
  tk::menuTitle("Farben");
  tk::menuItem(34, "Rottöne anzeigen");
  SetImage(2, 1, {C(1, 2, 3), C(4, 5, 6)});
  SwitchRedChannel(0, 1);
  EXPECT_TRUE(tk::menuItemChecked(0, 34));
  EXPECT_EQ(R(ImagePixels[1]), 0);
  SwitchRedChannel(1, 1);
  EXPECT_FALSE(tk::menuItemChecked(0, 34));
  EXPECT_EQ(R(ImagePixels[1]), 4);
  // A document that comes without a held channel clears the mark: nothing is put back.
  SwitchRedChannel(0, 1);
  tk::setMenuItemChecked(0, 34, false);
  SwitchRedChannel(1, 1);
  EXPECT_EQ(R(ImagePixels[1]), 0);
  EXPECT_FALSE(tk::menuItemChecked(0, 34));
}

}  // namespace
