// The started program, driven as a user would: a tool button clicked in the drawing panel,
// then a drag on the real canvas; the tool receives the image cells under the mouse.
#include <QTest>
#include <gtest/gtest.h>

#include "toolkit/internal.h"
#include "tools/tools_fixture.h"

using namespace tools_test;

namespace {

// Puts the mouse over canvas pixel p, as the window sees it, and returns p.
QPoint Over(QWidget* canvas, QPoint p) {
  const QPoint w = canvas->mapTo(tk::detail::window(0)->client, p);
  tk::testSetWindowMouse(0, w.x(), w.y());
  return p;
}

}  // namespace

TEST_F(ToolsTest, ClickedToolButtonThenCanvasDragReachTheTool) {
  UpdateToolOptions(42);
  QWidget* button = tk::detail::gadgetWidget(41);
  ASSERT_NE(button, nullptr);
  tk::drainEvents();
  QTest::mouseClick(button, Qt::LeftButton);
  for (int turn = 0; turn < 10 && tk::queuedEvents() > 0; ++turn) loops_test::RunOneTurn(ModeDraw);
  ASSERT_EQ(paintstate, 41);
  EXPECT_EQ(tk::gadgetState(41), 1);
  EXPECT_EQ(tk::gadgetState(42), 0);

  QWidget* canvas = tk::detail::gadgetWidget(11);
  ASSERT_NE(canvas, nullptr);
  // the canvas starts where the view's origin is
  const QPoint origin = canvas->mapTo(tk::detail::window(0)->client, QPoint(0, 0));
  EXPECT_EQ(origin.x(), bildx);
  EXPECT_EQ(origin.y(), CanvasTop);
  const int32_t before = undostate;
  Rot = Gruen = Blau = 0;
  auto cell = [](int x, int y) { return ImagePixels[size_t(y) * 40 + size_t(x)] & 0x00FFFFFFu; };
  // at zoom 1 the cell under a pixel is taken half a pixel up and left
  QTest::mousePress(canvas, Qt::LeftButton, Qt::NoModifier, Over(canvas, QPoint(5, 6)));
  EXPECT_EQ(cell(4, 5), 0u);
  EXPECT_EQ(cell(14, 11), 0x00FFFFFFu);
  EXPECT_EQ(linestate, 41);
  QTest::mouseMove(canvas, Over(canvas, QPoint(15, 12)));
  EXPECT_EQ(cell(14, 11), 0u);   // the segment from (4, 5) to (14, 11)
  EXPECT_EQ(cell(9, 8), 0u);
  QTest::mouseRelease(canvas, Qt::LeftButton, Qt::NoModifier, Over(canvas, QPoint(15, 12)));
  EXPECT_EQ(linestate, -1);
  EXPECT_EQ(CanvasButtonDown, 0);
  EXPECT_NE(undostate, before);
  // the loop's turn on what the mouse queued runs no second stroke end
  const int32_t after = undostate;
  for (int turn = 0; turn < 10 && tk::queuedEvents() > 0; ++turn) loops_test::RunOneTurn(ModeDraw);
  EXPECT_EQ(undostate, after);
}

TEST_F(ToolsTest, LineFilledEllipseAndFillDrawnWithTheMouseAndUndoneEach) {
  QWidget* canvas = tk::detail::gadgetWidget(11);
  ASSERT_NE(canvas, nullptr);
  Rot = Gruen = Blau = 0;
  ToolFormStates[2] = 476;   // the ellipse filled
  tk::setGadgetState(90, 1);
  tk::setGadgetState(94, 0);
  auto cell = [](int x, int y) { return ImagePixels[size_t(y) * 40 + size_t(x)] & 0x00FFFFFFu; };
  // a drag from canvas pixel a to b with the tool, through the real canvas and the loop
  auto drag = [&](int32_t tool, QPoint a, QPoint b) {
    UpdateToolOptions(tool);
    tk::drainEvents();
    QTest::mousePress(canvas, Qt::LeftButton, Qt::NoModifier, Over(canvas, a));
    QTest::mouseMove(canvas, Over(canvas, b));
    QTest::mouseRelease(canvas, Qt::LeftButton, Qt::NoModifier, Over(canvas, b));
    for (int turn = 0; turn < 10 && tk::queuedEvents() > 0; ++turn) loops_test::RunOneTurn(ModeDraw);
  };
  const std::vector<PixelCell> white = ImagePixels;
  // the line from cell (2, 3) to (12, 8)
  drag(52, QPoint(3, 4), QPoint(13, 9));
  EXPECT_EQ(cell(2, 3), 0u);
  EXPECT_EQ(cell(12, 8), 0u);
  EXPECT_EQ(cell(7, 5), 0u);
  const std::vector<PixelCell> withLine = ImagePixels;
  // the filled ellipse round (25, 15) with radii 4 and 3
  drag(49, QPoint(26, 16), QPoint(30, 19));
  EXPECT_EQ(cell(25, 15), 0u);
  EXPECT_EQ(cell(29, 15), 0u);
  EXPECT_EQ(cell(25, 18), 0u);
  EXPECT_EQ(cell(30, 15), 0x00FFFFFFu);
  const std::vector<PixelCell> withEllipse = ImagePixels;
  // the fill of the white around them, in red
  Rot = 255;
  drag(46, QPoint(36, 26), QPoint(36, 26));
  EXPECT_EQ(cell(35, 25), 0x00FF0000u);
  EXPECT_EQ(cell(0, 0), 0x00FF0000u);
  EXPECT_EQ(cell(25, 15), 0u);
  Undo(0);
  EXPECT_EQ(ImagePixels, withEllipse);
  Undo(0);
  EXPECT_EQ(ImagePixels, withLine);
  Undo(0);
  EXPECT_EQ(ImagePixels, white);
  UpdateToolOptions(42);
}
