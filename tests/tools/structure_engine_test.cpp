// Structure fills: the library of shipped structures, the two effect lists and the engine
// that mixes their results by a structure's grey map.
#include <cmath>
#include <cstring>
#include <algorithm>
#include <functional>

#include "effects/effects.h"
#include "tools/tools_fixture.h"

namespace {

using tools_test::ColourAt;
using tools_test::Fill;

class StructureTest : public tools_test::ToolsTest {
 protected:
  void SetUp() override {
    ToolsTest::SetUp();
    BlackEffectList = EffectList{};
    WhiteEffectList = EffectList{};
    ASSERT_EQ(StructureEffectTable.size(), 65u);
  }
  // Writes a structure of w x h cells into the program's folder.
  static std::string WriteStructure(const std::string& name, int w, int h, const std::vector<uint8_t>& grey,
                                    size_t cut = 0) {
    std::vector<uint8_t> bytes(8);
    const int32_t lw = w - 1, lh = h - 1;
    std::memcpy(bytes.data(), &lw, 4);
    std::memcpy(bytes.data() + 4, &lh, 4);
    bytes.insert(bytes.end(), grey.begin(), grey.end());
    bytes.resize(bytes.size() - cut);
    const std::string path = "Undo\\" + name;
    EXPECT_TRUE(tk::writeWholeFile(path, bytes.data(), bytes.size()));
    return path;
  }
  static int32_t Pos(const char* name) {
    for (size_t p = 0; p < StructureEffectTable.size(); ++p)
      if (StructureEffectTable[p].name == name) return int32_t(p);
    ADD_FAILURE() << name;
    return -1;
  }
  // A list element for table position `pos`, with changes.
  static EffectListEntry Element(int32_t pos, const std::function<void(EffectListEntry&)>& edit = {}) {
    EffectList l;
    InsertEffect(l, -1, pos);
    if (edit) edit(l.items[0]);
    return l.items[0];
  }
  // An exact-size map of one grey level.
  std::string Flat(uint8_t g) {
    return WriteStructure("flat.struc", bildlang + 1, bildhoch + 1,
                          std::vector<uint8_t>(size_t(bildlang + 1) * size_t(bildhoch + 1), g));
  }
};

TEST_F(StructureTest, LibraryListsShippedStructuresFolderBeforeItsFiles) {
  ReloadStructures();
  int folder = -1, ringe = -1;
  for (size_t i = 0; i < StructureList.size(); ++i) {
    const StructureListEntry& e = StructureList[i];
    if (e.isFolder && e.name == "Muster") {
      folder = int(i);
      EXPECT_EQ(e.entryKind, 2);
    }
    if (!e.isFolder && e.name == "Ringe") {
      ringe = int(i);
      EXPECT_EQ(e.folder, "Structures\\Muster\\");
      EXPECT_EQ(e.entryKind, 1);
      EXPECT_EQ(e.width, 64);
      EXPECT_EQ(e.height, 64);
      EXPECT_EQ(StructureEntryPath(int32_t(i)), "Structures\\Muster\\Ringe.struc");
    }
  }
  ASSERT_GE(folder, 0);
  EXPECT_GT(ringe, folder);
  EXPECT_EQ(StructureEntryPath(folder), "");
  // A name shorter than the extension gives an empty name; an unreadable file zero sizes.
  AddStructureFile("Undo\\ab", 0, 1);
  EXPECT_EQ(StructureList.back().name, "");
  EXPECT_EQ(StructureList.back().width, 0);
}

TEST_F(StructureTest, ListsInsertAfterTheSelectedRowAndRemoveToTheNeighbour) {
  EffectList l;
  EXPECT_EQ(InsertEffect(l, -1, 0), 0);         // nothing selected: top
  EXPECT_EQ(InsertEffect(l, -1, 8), 0);
  EXPECT_EQ(InsertEffect(l, 0, 10), 1);         // after row 0
  EXPECT_EQ(InsertEffect(l, 0, 19), 1);         // again after row 0: stands above the last add
  ASSERT_EQ(l.items.size(), 4u);
  EXPECT_EQ(l.items[0].name, StructureEffectTable[8].name);
  EXPECT_EQ(l.items[1].name, StructureEffectTable[19].name);
  EXPECT_EQ(l.items[2].name, StructureEffectTable[10].name);
  EXPECT_EQ(l.current, 1);
  EXPECT_TRUE(l.items[0].help.empty());
  EXPECT_EQ(InsertEffect(l, 0, 65), -1);        // outside the table
  RemoveEffect(l, 0);
  EXPECT_EQ(l.current, 0);
  EXPECT_EQ(l.items[0].name, StructureEffectTable[19].name);
  RemoveEffect(l, 2);
  EXPECT_EQ(l.current, 1);
  RemoveEffect(l, 5);                           // no such row
  EXPECT_EQ(l.items.size(), 2u);
  RemoveEffect(l, 0);
  RemoveEffect(l, 0);
  EXPECT_EQ(l.current, -1);
}

// Black pass fills black, white pass leaves white: grey 255 shows white, 0 black, 128 the mix.
TEST_F(StructureTest, BlendByGreyLevelAndListsEmptyAfterwards) {
  MakeImage(3, 1);
  BlackEffectList.items.push_back(Element(0));   // FillImage 0, 0, 0
  WhiteEffectList.items.push_back(Element(8));
  WhiteEffectList.items.push_back(Element(8));   // inverted twice: unchanged
  StructureRunOptions o;
  o.path = WriteStructure("three.struc", 3, 1, {255, 0, 128});
  ASSERT_EQ(RunStructure(0, o), 1);
  const uint32_t mix = uint32_t(std::floor(255.0f * (128.0f / 255.0f) + 0.0f * (1.0f - 128.0f / 255.0f)));
  EXPECT_EQ(ColourAt(0, 0), 0xFFFFFFu);
  EXPECT_EQ(ColourAt(1, 0), 0u);
  EXPECT_EQ(ColourAt(2, 0), mix * 0x010101u);
  EXPECT_TRUE(BlackEffectList.items.empty());
  EXPECT_TRUE(WhiteEffectList.items.empty());
  EXPECT_EQ(StructureGreyMap.size(), 1u);
}

TEST_F(StructureTest, BothListOrdersRunFirstElementFirst) {
  MakeImage(4, 4);
  const EffectListEntry fill = Element(0, [](EffectListEntry& e) { e.param4 = 50; e.param5 = 60; e.param6 = 70; });
  const EffectListEntry turn = Element(Pos("ColorTurn"));
  struct Case { bool fillFirst; uint32_t expect; };
  Fill(0x00FFFFFFu);
  const std::string black = Flat(0);
  for (const Case& c : {Case{true, 0}, Case{false, 0}}) {
    Fill(0x00FFFFFFu);
    BlackEffectList.items = c.fillFirst ? std::vector<EffectListEntry>{fill, turn}
                                        : std::vector<EffectListEntry>{turn, fill};
    StructureRunOptions o;
    o.path = black;
    ASSERT_EQ(RunStructure(0, o), 1);
    // Against the same effects called in the same order on the untouched image.
    std::vector<PixelCell> got = ImagePixels;
    Fill(0x00FFFFFFu);
    if (c.fillFirst) { FillImage(50, 60, 70, 1); ColorTurn(1); }
    else { ColorTurn(1); FillImage(50, 60, 70, 1); }
    EXPECT_EQ(got, ImagePixels) << c.fillFirst;
  }
}

TEST_F(StructureTest, ExactSizeUsedAsIsSmallerTiledOrStretched) {
  MakeImage(40, 30);
  std::vector<uint8_t> exact(40 * 30);
  for (size_t i = 0; i < exact.size(); ++i) exact[i] = (i * 7) % 2 ? 255 : 0;
  std::vector<uint8_t> map = exact;
  int32_t w = 39, h = 29;
  FitStructureMap(map, w, h, 39, 29, 0);
  EXPECT_EQ(map, exact);
  // 2 x 1 tiled: columns alternate.
  map = {0, 255};
  FitStructureMap(map, 1, 0, 39, 29, 0);
  ASSERT_EQ(map.size(), 1200u);
  EXPECT_EQ(map[0], 0);
  EXPECT_EQ(map[1], 255);
  EXPECT_EQ(map[29 * 40 + 39], 255);
  // 1 x 1 tiled: one level everywhere.
  map = {77};
  FitStructureMap(map, 0, 0, 39, 29, 0);
  EXPECT_EQ(std::count(map.begin(), map.end(), 77), 1200);
  // 2 x 2 stretched: each corner keeps its cell's level.
  map = {0, 255, 255, 0};
  FitStructureMap(map, 1, 1, 39, 29, 1);
  ASSERT_EQ(map.size(), 1200u);
  EXPECT_EQ(map[0], 0);
  EXPECT_EQ(map[39], 255);
  EXPECT_EQ(map[29 * 40], 255);
  EXPECT_EQ(map[29 * 40 + 39], 0);
}

TEST_F(StructureTest, BrokenStructureStopsTheRunAndLeavesTheImage) {
  MakeImage(4, 4);
  Fill(0x00123456u);
  const std::vector<PixelCell> before = ImagePixels;
  struct Case { const char* what; std::string path; };
  const Case cases[] = {
      {"short", WriteStructure("short.struc", 4, 4, std::vector<uint8_t>(16, 0), 1)},
      {"header only", WriteStructure("head.struc", 100000, 100000, {}, 0)},
      {"missing", "Undo\\none.struc"},
      {"negative", WriteStructure("neg.struc", -4, 1, {}, 0)},
  };
  for (const Case& c : cases) {
    BlackEffectList.items.push_back(Element(0));
    tk::test::shown().clear();
    tk::test::queueResult(tk::ResultOk);
    StructureRunOptions o;
    o.path = c.path;
    EXPECT_EQ(RunStructure(0, o), 0) << c.what;
    EXPECT_EQ(ImagePixels, before) << c.what;
    ASSERT_EQ(tk::test::shown().size(), 1u) << c.what;
    EXPECT_EQ(tk::test::shown()[0].rfind("Fehler|", 0), 0u) << c.what;
    EXPECT_TRUE(BlackEffectList.items.empty()) << c.what;
  }
}

// Settings as the list stores them reach the effects in the encoding the effects take.
TEST_F(StructureTest, DispatchPassesTheStoredEncoding) {
  MakeImage(12, 10);
  struct Case {
    const char* what;
    EffectListEntry e;
    std::function<void()> direct;
  };
  const Case cases[] = {
      {"fill plain 0-255", Element(0, [](EffectListEntry& e) { e.param4 = 200; e.param5 = 10; e.param6 = 255; }),
       [] { FillImage(200, 10, 255, 1); }},
      {"sharpen reads param2", Element(53, [](EffectListEntry& e) { e.param2 = 100; e.param3 = 0; }),
       [] { SoftSharpDraw(1, -20); }},
      {"soften reads param2", Element(54, [](EffectListEntry& e) { e.param2 = 50; e.param3 = 0; }),
       [] { SoftSharpDraw(1, 10); }},
      {"bars by label Oben", Element(50, [](EffectListEntry& e) { e.param21 = 2; }), [] { BarsUp(1); }},
      {"bars by label Rechts", Element(50, [](EffectListEntry& e) { e.param21 = 1; }), [] { BarsRight(1); }},
      {"chess never below 1", Element(13, [](EffectListEntry& e) { e.param2 = 0; }), [] { Chess(1, 0, 1); }},
      {"chess circle never below 1", Element(14, [](EffectListEntry& e) { e.param2 = -3; }),
       [] { ChessCircle(1, 1); }},
      {"colorspec as the effect takes it",
       Element(38, [](EffectListEntry& e) {
         e.param10 = 20; e.param13 = 200; e.param16 = 100; e.param11 = 0; e.param14 = 255;
         e.param17 = 128; e.param12 = 30; e.param15 = 180; e.param18 = 90; }),
       [] { SetColorspec(20, 200, 100, 0, 255, 128, 30, 180, 90, 1); }},
      {"colormove only checked channels", Element(35, [](EffectListEntry& e) {
         e.param7 = 1; e.param8 = 0; e.param9 = 1; e.param4 = 3; e.param5 = 4; e.param6 = 2;
         e.param19 = 2; e.param20 = 1; e.param21 = 3; }),
       [] { Colormove(3, 0, 2, 2, 0, 3, 1); }},
      {"unknown name does nothing", Element(0, [](EffectListEntry& e) { e.name = "Nichts"; }), [] {}},
  };
  for (const Case& c : cases) {
    for (size_t i = 0; i < ImagePixels.size(); ++i) ImagePixels[i] = uint32_t(i * 2654435761u) & 0x00FFFFFFu;
    const std::vector<PixelCell> start = ImagePixels;
    DispatchStructureEffect(c.e, 0, true);
    const std::vector<PixelCell> got = ImagePixels;
    ImagePixels = start;
    c.direct();
    EXPECT_EQ(got, ImagePixels) << c.what;
  }
}

TEST_F(StructureTest, MarkedRunChangesOnlyTheArea) {
  MakeImage(10, 10);
  Fill(0x00FFFFFFu);
  const std::vector<PixelCell> image = ImagePixels;
  arealang = 3;
  areahoch = 2;
  AreaPixels.assign(12, 0x00FFFFFFu);
  BlackEffectList.items.push_back(Element(0));   // black
  StructureRunOptions o;
  o.path = WriteStructure("area.struc", 2, 1, {0, 255});
  o.mode = 0;
  ASSERT_EQ(RunStructure(1, o), 1);
  EXPECT_EQ(AreaPixels[0] & 0xFFFFFFu, 0u);
  EXPECT_EQ(AreaPixels[1] & 0xFFFFFFu, 0xFFFFFFu);
  EXPECT_EQ(AreaPixels[2 * 4 + 2] & 0xFFFFFFu, 0u);
  EXPECT_EQ(ImagePixels, image);
}

}  // namespace
