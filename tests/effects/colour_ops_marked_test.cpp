// The marked twins of the bitwise operations and of the colour intensity: their values,
// the flags they keep, black as a real colour, and the frame (no undo point, no error
// code, the loop counters left alone by the bitwise ones).
#include <cstdint>
#include <functional>
#include <vector>

#include "effects/area_cells_fixture.h"

namespace {

using ColourOpsMarkedTest = AreaCellsFixture;

const std::vector<PixelCell> kArea = {
    EffectsFixture::C(200, 100, 60, 1), EffectsFixture::C(0, 255, 17, 0), EffectsFixture::C(90, 90, 120, 255),
    EffectsFixture::C(33, 44, 55, 2),   EffectsFixture::C(255, 0, 128, 1), EffectsFixture::C(1, 2, 3, 0),
};

// Every cell's colour bytes through f, flags as they were.
std::vector<PixelCell> Mapped(const std::function<PixelCell(PixelCell)>& f) {
  std::vector<PixelCell> out;
  for (PixelCell c : kArea) out.push_back((c & 0xFF000000u) | (f(c) & 0x00FFFFFFu));
  return out;
}

}  // namespace

TEST_F(ColourOpsMarkedTest, BitwiseOperationsWithValuesAndColours) {
  struct Case {
    const char* name;
    std::function<void()> run;
    std::function<PixelCell(PixelCell)> rule;
  };
  const PixelCell red = C(255, 0, 0), mixed = C(0x12, 0x34, 0x56);
  const int32_t mixedValue = 0x12 | 0x34 << 8 | 0x56 << 16;   // ColorValue: red in the low byte
  const std::vector<Case> cases = {
      {"XorWithValue 0x5A", [] { XorWithValue_Marked(0x5A, 1); }, [](PixelCell c) { return c ^ 0x5A5A5A; }},
      {"AndWithValue 0x0F", [] { AndWithValue_Marked(0x0F, 1); }, [](PixelCell c) { return c & 0x0F0F0F; }},
      {"AndWithValue 255", [] { AndWithValue_Marked(255, 1); }, [](PixelCell c) { return c; }},
      {"OrWithValue 0", [] { OrWithValue_Marked(0, 1); }, [](PixelCell c) { return c; }},
      {"OrWithValue 0x81", [] { OrWithValue_Marked(0x81, 1); }, [](PixelCell c) { return c | 0x818181; }},
      {"XorWithColor", [&] { XorWithColor_Marked(mixedValue, 1); }, [&](PixelCell c) { return c ^ mixed; }},
      {"AndWithColor red", [] { AndWithColor_Marked(255, 1); }, [&](PixelCell c) { return c & red; }},
      {"AndWithColor", [&] { AndWithColor_Marked(mixedValue, 1); }, [&](PixelCell c) { return c & mixed; }},
      {"OrWithColor", [&] { OrWithColor_Marked(mixedValue, 1); }, [&](PixelCell c) { return c | mixed; }},
      // Black is a colour like any other.
      {"AndWithColor black", [] { AndWithColor_Marked(0, 1); }, [](PixelCell) { return PixelCell(0); }},
      {"XorWithColor black", [] { XorWithColor_Marked(0, 1); }, [](PixelCell c) { return c; }},
      {"OrWithColor black", [] { OrWithColor_Marked(0, 1); }, [](PixelCell c) { return c; }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    SetArea(3, 2, kArea);
    c.run();
    EXPECT_EQ(AreaPixels, Mapped(c.rule));
  }
  // XOR twice with the same value or colour restores the area exactly.
  SetArea(3, 2, kArea);
  XorWithValue_Marked(0xC3, 1);
  XorWithValue_Marked(0xC3, 1);
  XorWithColor_Marked(0x00FF7F, 1);
  XorWithColor_Marked(0x00FF7F, 1);
  EXPECT_EQ(AreaPixels, kArea);
}

TEST_F(ColourOpsMarkedTest, ChangeColorIntensityMovesChannelsAwayFromTheCellsMean) {
  struct Case {
    int amount;
    PixelCell in, out;
  };
  const Case cases[] = {
      {10, C(200, 100, 60, 1), C(210, 90, 50, 1)},     // mean 120
      {-10, C(200, 100, 60, 1), C(190, 110, 70, 1)},
      {20, C(90, 90, 120, 255), C(70, 70, 140, 255)},  // mean 100
      {32, C(250, 6, 128), C(255, 0, 128)},            // clamped at both ends; 128 is the mean
      {-32, C(250, 6, 128), C(218, 38, 128)},
      {32, C(77, 77, 77), C(77, 77, 77)},              // grey never changes
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.amount << " on " << std::hex << c.in);
    // Seven cells in a row: the block path of the kernel and its tail.
    SetArea(7, 1, std::vector<PixelCell>(7, c.in));
    ChangeColorIntensity_Marked(int8_t(c.amount), 1);
    EXPECT_EQ(AreaPixels, std::vector<PixelCell>(7, c.out));
  }
}

TEST_F(ColourOpsMarkedTest, FrameOfTheTwins) {
  SetImage(2, 2, {C(1, 2, 3), C(4, 5, 6), C(7, 8, 9), C(10, 11, 12)});
  const auto image = ImagePixels;
  SetArea(3, 2, kArea);
  lang = 41;
  hoch = 42;
  const int32_t undo = undostate;
  const std::function<void(uint8_t)> bitwise[] = {
      [](uint8_t q) { XorWithValue_Marked(1, q); }, [](uint8_t q) { XorWithColor_Marked(1, q); },
      [](uint8_t q) { AndWithValue_Marked(1, q); }, [](uint8_t q) { AndWithColor_Marked(1, q); },
      [](uint8_t q) { OrWithValue_Marked(1, q); },  [](uint8_t q) { OrWithColor_Marked(1, q); },
  };
  for (const auto& run : bitwise) {
    MarkAreaView();
    run(0);
    EXPECT_TRUE(AreaRefreshed());
    MarkAreaView();
    OnErrorCode1 = 77;   // the refresh sets a code of its own
    run(1);
    EXPECT_FALSE(AreaRefreshed());
    EXPECT_EQ(OnErrorCode1, 77);
    EXPECT_EQ(lang, 41);
    EXPECT_EQ(hoch, 42);
  }
  MarkAreaView();
  EXPECT_EQ(ChangeColorIntensity_Marked(5, 0), 0);
  EXPECT_TRUE(AreaRefreshed());
  EXPECT_EQ(lang, 3);
  EXPECT_EQ(hoch, 2);
  MarkAreaView();
  OnErrorCode1 = 77;
  ChangeColorIntensity_Marked(5, 1);
  EXPECT_FALSE(AreaRefreshed());
  EXPECT_EQ(OnErrorCode1, 77);
  EXPECT_EQ(undostate, undo);
  EXPECT_EQ(ImagePixels, image);
}
