// Test helper for the marked twins: the effects fixture plus a floating area of given
// cells over the image's top-left corner, and a sentinel in the area's view picture
// (image 22) that tells whether the view was refreshed.
#pragma once
#include <vector>

#include "effects/effects_fixture.h"

struct AreaCellsFixture : EffectsFixture {
  static void SetArea(int w, int h, const std::vector<PixelCell>& cells) {
    AreaPixels = cells;
    arealang = w - 1;
    areahoch = h - 1;
    startx = starty = 0;
    horz2 = vert2 = 0;
    areamark = 2;
  }
  static PixelCell AreaAt(int x, int y) { return AreaPixels[size_t(y) * (arealang + 1) + x]; }

  static uint32_t* AreaViewFirstPixel() { return tk::imageCells(22); }
  static void MarkAreaView() {
    RenderAreaView();
    ASSERT_NE(AreaViewFirstPixel(), nullptr);
    *AreaViewFirstPixel() = kSentinel;
  }
  static bool AreaRefreshed() { return *AreaViewFirstPixel() != kSentinel; }
};
