// Test helper: the main window's canvas area as the main-window code lays it out
// (window 0, side-panel container 8, canvas container 7 with rulers 4 and 5, canvas 11,
// scroll bars 12 and 13, splitter 6), a view menu with the ruler items, and the
// documents state reset around each test.
#pragma once
#include <gtest/gtest.h>

#include "documents/documents.h"
#include "toolkit/toolkit.h"

struct CanvasFixture : ::testing::Test {
  void SetUp() override {
    ResetDocumentsState();
    tk::openWindow(0, 0, 0, 1018, 700, "Corvalen", tk::WfCaption | tk::WfSizing | tk::WfHidden);
    const int W = 1018, H = 700;
    tk::container(8, 0, 0, bildx, H - 79);
    tk::closeGadgetList();
    tk::container(7, bildx - 30, CanvasTop - 30, W - bildx - 10, H - 100);
    tk::canvas(11, 30, 30, 704, 576);
    areaxmax = tk::gadgetWidth(11) - 1;
    areaymax = tk::gadgetHeight(11) - 1;
    tk::imageGadget(4, 30, 0, areaxmax, 30, -1);
    tk::imageGadget(5, 0, 30, 30, areaymax, -1);
    tk::scrollBar(12, 30, areaymax + 30, areaxmax, 20, 0, 0, 0);
    tk::scrollBar(13, areaxmax + 30, 30, 20, areaymax, 0, 0, 0, tk::GfVertical);
    tk::closeGadgetList();
    tk::splitter(6, 0, CanvasTop - 30, W, H - 100, 8, 7);
    tk::createMenu(0, 0);
    tk::menuTitle("Ansicht");
    for (int id = 185; id <= 189; ++id) tk::menuItem(id, "x");
    tk::setGadgetCallback(11, CanvasGadgetProc);
    SubclassCanvasGadget(12);
    SubclassCanvasGadget(13);
  }
  void TearDown() override {
    tk::closeWindow(0);
    tk::freeMenu(0);
    ResetDocumentsState();
  }
  // A view of w x h pixels without the window layout.
  static void SetView(int w, int h) {
    areaxmax = w - 1;
    areaymax = h - 1;
    tk::resizeGadget(11, 30, 30, w, h);
  }
};
