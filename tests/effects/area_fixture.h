// Test helper for the marked-area twins: an image with a marked area lifted out of it, whose
// cells the test then sets.
#pragma once
#include "effects/area_frame.h"
#include "effects/effects_fixture.h"

struct AreaFixture : EffectsFixture {
  // An image of one colour, two cells larger than the area each way, with the area w x h at
  // (1, 1) holding `cells` (row-major).
  static void SetArea(int w, int h, const std::vector<PixelCell>& cells, PixelCell imageColour = C(100, 100, 100)) {
    SetImage(w + 2, h + 2, std::vector<PixelCell>(size_t(w + 2) * (h + 2), imageColour));
    MarkArea(1, 1, w, h, 0, 0, 1);
    AreaPixels = cells;
  }
  // A sentinel in the area's display image (22); AreaViewRefreshed() tells whether a refresh
  // has rendered the area since.
  static void MarkAreaView() {
    ASSERT_NE(tk::imageCells(22), nullptr);
    *tk::imageCells(22) = kSentinel;
  }
  static bool AreaViewRefreshed() { return tk::imageCells(22) && *tk::imageCells(22) != kSentinel; }
  static PixelCell A(int x, int y) { return AreaPixels[size_t(y) * (arealang + 1) + x]; }
  // An area of one row holding the 256 values in all three channels, flags 0..255.
  static std::vector<PixelCell> AllValues() {
    std::vector<PixelCell> cells;
    for (int u = 0; u < 256; ++u) cells.push_back(C(u, u, u, u));
    return cells;
  }
};
