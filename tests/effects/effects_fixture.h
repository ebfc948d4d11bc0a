// Test helper for the whole-image effects: the slot fixture (canvas, undo folder) with
// small images built from explicit cells, a sentinel on the canvas picture that tells
// whether a redraw happened, and a random source that hands out given draws and records
// the bound of every draw.
#pragma once
#include <gtest/gtest.h>

#include <deque>
#include <vector>

#include "documents/slot_fixture.h"
#include "effects/effects.h"
#include "toolkit/toolkit.h"

struct EffectsFixture : SlotFixture {
  std::deque<int32_t> draws;         // handed out in turn
  std::vector<int32_t> drawBounds;   // the bound of every draw taken

  void SetUp() override {
    SlotFixture::SetUp();
    SetView(64, 64);
  }
  void TearDown() override {
    tk::testSetRandomSource({});
    SlotFixture::TearDown();
  }

  // Cell from unsigned channel values and a flag byte.
  static PixelCell C(int r, int g, int b, int flag = 0) {
    return PixelCell(b & 0xFF) | PixelCell(g & 0xFF) << 8 | PixelCell(r & 0xFF) << 16 | PixelCell(flag & 0xFF) << 24;
  }
  static int R(PixelCell c) { return (c >> 16) & 0xFF; }
  static int G(PixelCell c) { return (c >> 8) & 0xFF; }
  static int B(PixelCell c) { return c & 0xFF; }
  static int F(PixelCell c) { return c >> 24; }

  // The image becomes w x h with the given cells (row-major, row 0 at the top).
  static void SetImage(int w, int h, const std::vector<PixelCell>& cells) {
    SetImageDimensions(h, w, 1);
    ImagePixels = cells;
  }
  static PixelCell At(int x, int y) { return ImagePixels[size_t(y) * (bildlang + 1) + x]; }

  // Draws come from `draws` (a missing draw fails the test and gives 0).
  void ScriptDraws(std::initializer_list<int32_t> list) {
    draws.assign(list);
    drawBounds.clear();
    tk::testSetRandomSource([this](int32_t n) {
      drawBounds.push_back(n);
      if (draws.empty()) {
        ADD_FAILURE() << "more draws than scripted";
        return 0;
      }
      const int32_t d = draws.front();
      draws.pop_front();
      return d;
    });
  }

  // Puts a sentinel into the canvas picture's first pixel; Redrawn() tells whether a
  // redraw has replaced it since.
  static constexpr uint32_t kSentinel = 0xFF123457u;
  static uint32_t* CanvasFirstPixel() { return tk::imageCells(tk::canvasImage(11)); }
  static void MarkCanvas() {
    RedrawCanvas();
    ASSERT_NE(CanvasFirstPixel(), nullptr);
    *CanvasFirstPixel() = kSentinel;
  }
  static bool Redrawn() { return *CanvasFirstPixel() != kSentinel; }
};
