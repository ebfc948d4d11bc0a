// The canvas mouse: a press starts the selected tool's action, moves carry it on while
// `linestate` names a running tool, the release ends it; the right button cancels a
// running action or opens the canvas popup. One stroke of a painting tool is one undo
// step: the image is held at the press and committed at the release.
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "documents/documents.h"
#include "shell/shell.h"
#include "toolkit/toolkit.h"
#include "tools/tools.h"

namespace {

bool InImage() { return MouseInImage() == 1; }

void Busy(bool on) { SetBusySign(on); }

void StatusAfterStep() {
  if (tk::isStatusBar(0)) UpdateMainStatusBar();
}

// The press cell as a view-relative point at the present scroll: shapes stay anchored at
// the cell pressed even when the view scrolled meanwhile.
int32_t StartX() { return startx + horz2 - horz; }
int32_t StartY() { return starty + vert2 - vert; }

uint32_t InverseAverageColour() {
  return uint32_t(255 - (AllRot & 0xFF)) | (uint32_t(255 - (AllGruen & 0xFF)) << 8) |
         (uint32_t(255 - (AllBlau & 0xFF)) << 16);
}

int32_t Zoomed(int32_t cells) { return int32_t(std::lround(double(cells) * length)); }

// One view cell in the inverse average colour on view image 1, shown on the canvas.
void PlotOutlineCell(int32_t x, int32_t y) {
  PrepareViewImages();
  if (!tk::startDrawing(tk::imageOutput(1))) return;
  if (length == 1.0f) tk::plot(x, y, InverseAverageColour());
  else tk::box(Zoomed(x), Zoomed(y), std::max(1, Zoomed(1)), std::max(1, Zoomed(1)), InverseAverageColour());
  tk::stopDrawing();
  ShowImageOnCanvas(1);
}

// Rubber band of the rectangle selection and of the text box.
void RectanglePreview() {
  PrepareViewImages();
  UpdateAreaSelection();
  oldx = std::clamp(oldx, 0, std::max(bildlang, 0));
  oldy = std::clamp(oldy, 0, std::max(bildhoch, 0));
  if (!tk::startDrawing(tk::imageOutput(1))) return;
  tk::drawImage(0, 0, 0);
  const int32_t x1 = std::clamp(Zoomed(StartX()), 0, areaxmax), y1 = std::clamp(Zoomed(StartY()), 0, areaymax);
  const int32_t x2 = std::clamp(Zoomed(areax), 0, std::max(0, maxx - Zoomed(horz)));
  const int32_t y2 = std::clamp(Zoomed(areay), 0, std::max(0, maxy - Zoomed(vert)));
  tk::drawingMode(tk::DrawOutlined);
  tk::box(std::min(x1, x2), std::min(y1, y2), std::abs(x2 - x1) + 1, std::abs(y2 - y1) + 1, InverseAverageColour());
  tk::drawingMode(tk::DrawDefault);
  tk::stopDrawing();
  ShowImageOnCanvas(1);
}

// Box preview of the rectangle tools: the shape from the press cell to the cursor (or
// around the press cell, twice the extent, when the drag starts at the centre).
void BoxPreview(bool fromCorner, bool filled, bool withCentredTwin) {
  PrepareViewImages();
  if (InImage()) UpdateAreaSelection();
  if (!tk::startDrawing(tk::imageOutput(1))) return;
  tk::drawImage(0, 0, 0);
  const int32_t sx = StartX(), sy = StartY(), dx = areax - sx, dy = areay - sy;
  auto sides = [](int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    PreviewLineSegment(x1, y1, x2, y1, Rot, Gruen, Blau);
    PreviewLineSegment(x2, y1, x2, y2, Rot, Gruen, Blau);
    PreviewLineSegment(x2, y2, x1, y2, Rot, Gruen, Blau);
    PreviewLineSegment(x1, y2, x1, y1, Rot, Gruen, Blau);
  };
  const int32_t x1 = fromCorner ? sx : sx - dx, y1 = fromCorner ? sy : sy - dy;
  const uint32_t colour = uint32_t(Rot) | (uint32_t(Gruen) << 8) | (uint32_t(Blau) << 16);
  if (filled && fromCorner) {
    tk::box(Zoomed(std::min(x1, areax)), Zoomed(std::min(y1, areay)), Zoomed(std::abs(areax - x1) + 1),
            Zoomed(std::abs(areay - y1) + 1), colour);
  } else {
    sides(x1, y1, areax, areay);
  }
  if (withCentredTwin) sides(sx - dx, sy - dy, sx + dx, sy + dy);
  DrawToolOutline(lang, hoch);
  tk::stopDrawing();
  ShowImageOnCanvas(1);
}

bool OriginCentre() { return tk::isGadget(90) && tk::gadgetState(90) == 1; }
bool OriginSide() { return tk::isGadget(94) && tk::gadgetState(94) == 1; }

void EllipseOrRhombusPreview(bool rhombus) {
  if (InImage()) UpdateAreaSelection();
  const int32_t sx = StartX(), sy = StartY(), dx = areax - sx, dy = areay - sy;
  const int32_t cx = OriginCentre() ? sx : sx + dx / 2, cy = OriginCentre() ? sy : sy + dy / 2;
  const int32_t rx = OriginCentre() ? std::abs(dx) : std::abs(dx / 2);
  const int32_t ry = OriginCentre() ? std::abs(dy) : std::abs(dy / 2);
  if (rhombus) PreviewRhombus(cx, cy, rx, ry, ToolOption);
  else PreviewEllipse(cx, cy, rx, ry, ToolOption);
}

// The extents of a finished drag made non-negative, the start moved back by as much.
void NormaliseDrag() {
  if (arealang < 0) {
    startx += arealang;
    arealang = -arealang;
  }
  if (areahoch < 0) {
    starty += areahoch;
    areahoch = -areahoch;
  }
}

float StrokeStepLength() { return float(drawstep) * float(drawforms_length) / 100.0f; }

void PaintSegment(int32_t tool, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  if (tool == 58) {
    Smear(x1, y1, x2, y2, horz, vert, transstate, allowreadraw, StrokeStepLength(), 0);
  } else {
    Brush(x1, y1, x2, y2, horz, vert, tool == 45 ? 255 : fillstate, transstate, allowreadraw,
          StrokeStepLength(), mirrorxstate, mirrorystate, 0);
  }
}

// Brush, eraser and smear advance in steps of at least drawstep percent of the radius.
void StrokeStep(int32_t tool) {
  if (!InImage()) return;
  UpdateCursorPosition();
  const int32_t cx = lang, cy = hoch;
  const int32_t step = int32_t(int64_t(drawstep) * drawforms_length / 100);
  if (Distance(std::abs(oldx - cx), std::abs(oldy - cy)) < step) return;
  PaintSegment(tool, cx, cy, oldx, oldy);
  StatusAfterStep();
  if (Distance(std::abs(oldx - cx), std::abs(oldy - cy)) >= step) {
    oldx = cx;
    oldy = cy;
  }
}

void SprayStep() {
  if (!InImage()) return;
  UpdateCursorPosition();
  int32_t size = 20;
  switch (ToolOption) {
    case 481: size = 40; break;
    case 482: size = 10; break;
    default: break;
  }
  const int32_t count = tk::isGadget(95) ? tk::gadgetState(95) : 20;
  if (ToolOption == 480 || ToolOption == 481)
    SprayPaint(hoch, lang, horz, vert, size, count, fillstate, transstate, allowreadraw, mirrorxstate,
               mirrorystate, 0);
  else
    SprayPaintCircle(hoch, lang, horz, vert, size, count, fillstate, transstate, allowreadraw,
                     mirrorxstate, mirrorystate, 0);
  StatusAfterStep();
}

void CompassDraw() {
  const float r = float(CompassRadius);
  if (ToolOption == 487)
    DrawCompassPixels(float(lang), float(hoch), float(CompassCentreX), float(CompassCentreY), r, horz, vert,
                      fillstate, transstate, allowreadraw);
  else
    DrawCompass(float(lang), float(hoch), float(CompassCentreX), float(CompassCentreY), r, horz, vert,
                fillstate, transstate, allowreadraw);
}

void BezierPress() {
  const BezierPoint cell{lang + horz, hoch + vert};
  BezierPoint* p = BezierPoints;
  auto differs = [&](const BezierPoint& a) { return a.x != p[0].x || a.y != p[0].y; };
  if (currentbezier == -1) {
    horz2 = horz;
    vert2 = vert;
    for (int i = 0; i < 4; ++i) p[i] = cell;
    currentbezier = 3;
  } else if (differs(p[1])) {
    DrawBezierCurve(p[0].x, p[0].y, p[1].x, p[1].y, p[2].x, p[2].y, p[3].x, p[3].y, horz, vert, fillstate,
                    transstate, 0);
    currentbezier = -1;
  } else if (differs(p[2])) {
    currentbezier = 1;
  } else if (differs(p[3])) {
    currentbezier = 2;
  }
}

// Flag 2 on the border of the rectangle from the press cell, flag 1 inside it.
void FlagRectangle() {
  const int32_t x0 = startx + horz2, y0 = starty + vert2;
  const int32_t sxStep = arealang < 0 ? -1 : 1, syStep = areahoch < 0 ? -1 : 1;
  const int32_t w = std::abs(arealang), h = std::abs(areahoch);
  const size_t stride = size_t(bildlang) + 1;
  for (int32_t j = 0; j <= h; ++j) {
    const int64_t y = int64_t(y0) + int64_t(j) * syStep;
    if (y < 0 || y > bildhoch) continue;
    for (int32_t i = 0; i <= w; ++i) {
      const int64_t x = int64_t(x0) + int64_t(i) * sxStep;
      if (x < 0 || x > bildlang) continue;
      const uint32_t flag = (i == 0 || i == w || j == 0 || j == h) ? 2u : 1u;
      PixelCell& c = ImagePixels[size_t(y) * stride + size_t(x)];
      c = (c & 0x00FFFFFFu) | (flag << 24);
    }
  }
}

void FillSmearBuffer() {
  const int32_t r = std::clamp(drawforms_length, 1, 400);
  if (SmearBufferSide != 2 * r + 2) SizeSmearBuffer(r);
  const size_t stride = size_t(bildlang) + 1;
  for (int32_t j = 0; j < SmearBufferSide; ++j) {
    const int64_t y = int64_t(hoch) - r + vert + j;
    if (y < 0 || y > bildhoch) continue;
    for (int32_t i = 0; i < SmearBufferSide; ++i) {
      const int64_t x = int64_t(lang) - r + horz + i;
      if (x < 0 || x > bildlang) continue;
      SmearBuffer[size_t(j) * size_t(SmearBufferSide) + size_t(i)] =
          ImagePixels[size_t(y) * stride + size_t(x)] & 0x00FFFFFFu;
    }
  }
}

void PressTool(int32_t tool) {
  if (tool != 39 && tool != 46 && tool != 55) linestate = paintstate;
  switch (tool) {
    case 34:
      UpdateCursorPosition();
      if (lang + horz >= 0 && lang + horz <= bildlang && hoch + vert >= 0 && hoch + vert <= bildhoch) {
        PixelCell& c = ImagePixels[size_t(hoch + vert) * (size_t(bildlang) + 1) + size_t(lang + horz)];
        c = (c & 0x00FFFFFFu) | (1u << 24);
      }
      PlotOutlineCell(lang, hoch);
      oldx = startx = lang;
      oldy = starty = hoch;
      break;
    case 35:
      BeginAreaSelection();
      tk::useWindow(0);
      break;
    case 36:
      UpdateCursorPosition();
      oldx = startx = lang;
      oldy = starty = hoch;
      horz2 = horz;
      vert2 = vert;
      break;
    case 37:
      linestate = 37;
      areamark = 0;
      break;
    case 38:
      UpdateCursorPosition();
      if (vieleckwork == 0) StartPolygonMark(lang, hoch, horz, vert);
      else AddPolygonMarkPoint(lang, hoch, horz, vert);
      break;
    case 39: PickColor(); break;
    case 40:
      Busy(true);
      StartDistortion();
      Busy(false);
      break;
    case 41:
      Busy(true);
      HoldImage();
      UpdateCursorPosition();
      oldx = lang;
      oldy = hoch;
      DrawFreehandSegment(lang, hoch, lang, hoch, horz, vert, fillstate, transstate, allowreadraw,
                          mirrorxstate, mirrorystate, 0);
      FreehandStarted = 1;
      Busy(false);
      break;
    case 42: case 45: case 58:
      Busy(true);
      HoldImage();
      drawdc = 11;
      UpdateCursorPosition();
      oldx = lang;
      oldy = hoch;
      if (tool == 58) FillSmearBuffer();
      else PaintSegment(tool, lang, hoch, oldx, oldy);
      Busy(false);
      break;
    case 43: BeginAreaSelection(); break;
    case 44:
      Busy(true);
      HoldImage();
      SprayStep();
      Busy(false);
      break;
    case 46:
      UpdateCursorPosition();
      if (tk::isGadget(93) && tk::gadgetState(93) == 1)
        FloodFillTransparent(lang + horz, hoch + vert, fillstate, transstate, 0);
      else
        FloodFill(lang + horz, hoch + vert, fillstate, transstate, 0);
      break;
    case 47:
      UpdateCursorPosition();
      BezierPress();
      break;
    case 48: case 49:
      GrabVisibleView();
      BeginAreaSelection();
      break;
    case 50: case 52: case 53: case 56: BeginAreaSelection(); break;
    case 51:
      if (vieleckwork == 0 || PolygonMarkPoints.empty()) {
        vieleckwork = 1;
        Busy(true);
        for (int g : {88, 173, 60})
          if (tk::isGadget(g)) tk::disableGadget(g, true);
        CreateUndoPoint();
        BeginAreaSelection();
        PolygonMarkPoints.clear();
        PolygonMarkPoints.push_back({lang, hoch, horz, vert});
        Busy(false);
      } else {
        UpdateAreaSelection();
        const PolygonMarkPoint& last = PolygonMarkPoints.back();
        DrawLine(last.x + last.horz - horz, last.y + last.vert - vert, lang, hoch, horz, vert, fillstate,
                 transstate, ToolOption);
        PolygonMarkPoints.push_back({lang, hoch, horz, vert});
        BeginAreaSelectionKeepScroll();
      }
      break;
    case 54:
      BeginAreaSelection();
      GrabVisibleView();
      break;
    case 55:
      if (!InImage()) break;
      UpdateCursorPosition();
      if (CompassClicks == 0) {
        HoldImage();
        StoreCompassCentre(lang, hoch, horz, vert);
        CompassClicks = 1;
        break;
      }
      if (CompassClicks == 1) StoreCompassRadius(lang, hoch);
      CompassClicks = 2;   // stays at 2: the centre and radius are set
      linestate = 55;
      HoldCompassDrawing();   // committed at the release
      CompassDraw();
      break;
    case 57: {
      linestate = 57;
      const uint8_t r = Rot, g = Gruen, b = Blau;
      Rot = uint8_t(255 - (AllRot & 0xFF));
      Gruen = uint8_t(255 - (AllGruen & 0xFF));
      Blau = uint8_t(255 - (AllBlau & 0xFF));
      AllRot = r;
      AllGruen = g;
      AllBlau = b;
      BeginAreaSelection();
      break;
    }
    case 126: {
      UpdateCursorPosition();
      const int32_t ox = areamark == 2 ? startx : Startareax, oy = areamark == 2 ? starty : startareay;
      xarea = lang - ox - horz + horz2;
      yarea = hoch - oy - vert + vert2;
      break;
    }
    default: break;
  }
}

void DragTool(int32_t tool) {
  switch (tool) {
    case 34:
      if (!InImage()) return;
      UpdateCursorPosition();
      MarkOutlineSegment(oldx, oldy, lang, hoch, horz, vert, 0);
      oldx = lang;
      oldy = hoch;
      break;
    case 35: case 43: RectanglePreview(); break;
    case 36:
      if (!InImage()) return;
      UpdateAreaSelection();
      PreviewCircleMark(StartX(), StartY(), Distance(arealang, areahoch));
      break;
    case 40:
      if (MouseInImageInterior() == 1) PreviewDistortion();
      break;
    case 41:
      if (InImage()) {
        UpdateCursorPosition();
        if (FreehandStarted == 1)
          DrawFreehandSegment(oldx, oldy, lang, hoch, horz, vert, fillstate, transstate, allowreadraw,
                              mirrorxstate, mirrorystate, 0);
        FreehandStarted = 1;
        oldx = lang;
        oldy = hoch;
      } else {
        FreehandStarted = 0;
      }
      break;
    case 42: case 45: case 58: StrokeStep(tool); return;   // updates the status itself
    case 44: SprayStep(); return;
    case 47:
      if (!InImage() || currentbezier < 0 || currentbezier > 3) return;
      UpdateCursorPosition();
      BezierPoints[currentbezier] = {lang + horz, hoch + vert};
      PreviewBezierCurve(BezierPoints[0].x, BezierPoints[0].y, BezierPoints[1].x, BezierPoints[1].y,
                         BezierPoints[2].x, BezierPoints[2].y, BezierPoints[3].x, BezierPoints[3].y);
      break;
    case 48:
      if (InImage()) UpdateAreaSelection();
      {
        const int32_t r = Distance(arealang, areahoch);
        PreviewEllipse(StartX(), StartY(), r, r, ToolOption);
      }
      break;
    case 49: EllipseOrRhombusPreview(false); break;
    case 54: EllipseOrRhombusPreview(true); break;
    case 50: BoxPreview(OriginSide(), ToolOption == 478, false); break;
    case 56: BoxPreview(OriginSide(), false, true); break;
    case 51:
      if (!InImage() || PolygonMarkPoints.empty()) return;
      UpdateAreaSelection();
      {
        const PolygonMarkPoint& last = PolygonMarkPoints.back();
        PreviewLine(last.x + last.horz - horz, last.y + last.vert - vert, lang, hoch, ToolOption);
      }
      break;
    case 52:
      if (!InImage()) return;
      UpdateAreaSelection();
      PreviewLine(StartX(), StartY(), areax, areay, ToolOption);
      break;
    case 53:
      if (!InImage()) return;
      UpdateAreaSelection();
      if (std::abs(areax - StartX()) >= std::abs(areay - StartY())) PreviewLine(StartX(), StartY(), areax, StartY(), ToolOption);
      else PreviewLine(StartX(), StartY(), StartX(), areay, ToolOption);
      break;
    case 55:
      UpdateCursorPosition();
      CompassDraw();
      break;
    case 57:
      if (ToolOption == 488) BoxPreview(OriginSide(), false, false);
      else EllipseOrRhombusPreview(ToolOption == 490);
      break;
    case 126:
      if (!InImage()) return;
      UpdateCursorPosition();
      startx = lang - xarea;
      starty = hoch - yarea;
      horz2 = horz;
      vert2 = vert;
      if (areamark == 1) {
        Startareax = startx;
        startareay = starty;
      }
      if (tk::isGadget(134) && tk::gadgetState(134) == 1 && areamark > 0) RefreshView();
      UpdateAreaStatusBar();
      return;
    default: return;
  }
  if (tool >= 34 && tool <= 58) StatusAfterStep();
}

void ReleaseTool(int32_t tool) {
  if (tool == 38 || tool == 46 || tool == 47 || tool == 51) return;   // no release entry
  if (tool != 37) linestate = -1;
  switch (tool) {
    case 34:
      Busy(true);
      MarkOutlineSegment(oldx, oldy, startx, starty, horz, vert, 0);
      areamark = 2;
      horz2 = horz;
      vert2 = vert;
      FinishLassoSelection(horz, vert, 0);
      ClearPixelFlags();
      ToolBeforeArea = 34;
      paintstate = 126;
      if (tk::isGadget(126)) tk::setGadgetState(126, 1);
      Busy(false);
      break;
    case 35:
      ClearPixelFlags();
      ToolBeforeArea = 35;
      FinishAreaSelection();
      areamark = 2;
      FlagRectangle();
      MarkArea(startx, starty, areax, areay, horz, vert, 0);
      break;
    case 36: {
      FinishAreaSelection();
      const int32_t radius = Distance(arealang, areahoch);
      areamark = 2;
      horz2 = horz;
      vert2 = vert;
      CircleMark(startx, starty, horz, vert, radius + 1, 0);
      ClearPixelFlags();
      ToolBeforeArea = 36;
      break;
    }
    case 37:
      UpdateCursorPosition();
      MagicStick(lang + horz, hoch + vert);
      ToolBeforeArea = 37;
      break;
    case 40: FinishDistortion(); break;
    case 41: case 44:
      Busy(true);
      ClearPixelFlags();
      CreateUndoPointFromHold();
      Busy(false);
      break;
    case 42: case 45: case 58:
      drawdc = 0;
      Busy(true);
      ClearPixelFlags();
      CreateUndoPointFromHold();
      Busy(false);
      break;
    case 43:
      FinishAreaSelection();
      if (tk::isGadget(9)) tk::hideGadget(9, true);
      if (tk::isGadget(582)) tk::hideGadget(582, false);
      DrawBarCheckHold = tk::menuItemChecked(0, 193) ? 1 : 0;
      HideDrawSettingsBar();
      if (tk::isGadget(2)) tk::setGadgetState(2, 12);
      if (CurrentImage >= 0 && size_t(CurrentImage) < ImageRecords.size())
        ImageRecords[size_t(CurrentImage)].WindowState = 582;
      areamark = 3;
      StartTextBox(startx, starty, areax, areay, horz, vert);
      paintstate = -1;
      break;
    case 48: {
      FinishAreaSelectionUnclamped();
      CreateUndoPoint();
      const int32_t r = Distance(arealang + 1, areahoch + 1);
      DrawEllipse(StartX(), StartY(), r, r, horz, vert, fillstate, transstate, ToolOption);
      RedrawCanvas();
      break;
    }
    case 49:
      FinishAreaSelectionUnclamped();
      CreateUndoPoint();
      if (OriginCentre())
        DrawEllipse(StartX(), StartY(), arealang, areahoch, horz, vert, fillstate, transstate, ToolOption);
      else
        DrawEllipse(StartX() + arealang / 2, StartY() + areahoch / 2, arealang / 2, areahoch / 2, horz, vert,
                    fillstate, transstate, ToolOption);
      RedrawCanvas();
      break;
    case 50:
      FinishAreaSelectionUnclamped();
      if (OriginSide())
        Box(StartX(), StartY(), arealang, areahoch, horz, vert, ToolOption, fillstate, transstate, 0);
      else
        Box(StartX() - arealang, StartY() - areahoch, 2 * arealang, 2 * areahoch, horz, vert, ToolOption,
            fillstate, transstate, 0);
      break;
    case 52:
      CreateUndoPoint();
      if (InImage()) FinishAreaSelection();
      DrawLine(StartX(), StartY(), areax, areay, horz, vert, fillstate, transstate, ToolOption);
      RedrawCanvas();
      break;
    case 53:
      if (InImage()) {
        CreateUndoPoint();
        UpdateAreaSelection();
      }
      if (std::abs(areax - StartX()) < std::abs(areay - StartY()))
        DrawLine(StartX(), StartY(), StartX(), areay, horz, vert, fillstate, transstate, ToolOption);
      else
        DrawLine(StartX(), StartY(), areax, StartY(), horz, vert, fillstate, transstate, ToolOption);
      RedrawCanvas();
      break;
    case 54: {
      FinishAreaSelectionUnclamped();
      const int32_t cx = OriginCentre() ? StartX() : StartX() + arealang / 2;
      const int32_t cy = OriginCentre() ? StartY() : StartY() + areahoch / 2;
      const int32_t hx = OriginCentre() ? std::abs(arealang) + 1 : std::abs(arealang / 2) + 1;
      const int32_t hy = OriginCentre() ? std::abs(areahoch) + 1 : std::abs(areahoch / 2) + 1;
      Rhombus(cx, cy, hx, hy, horz, vert, fillstate, transstate, ToolOption, 0);
      break;
    }
    case 55: CommitCompassDrawing(); break;
    case 56: {
      FinishAreaSelection();
      NormaliseDrag();
      const int32_t form = ToolFormStates[8], opacity = int32_t(std::nearbyint(transstate));
      if (OriginSide())
        StampBrushForm(form, startx + horz, starty + vert, arealang, areahoch, fillstate, opacity, 0);
      else
        StampBrushForm(form, startx - arealang + horz, starty - areahoch + vert, 2 * arealang, 2 * areahoch,
                       fillstate, opacity, 0);
      break;
    }
    case 57:
      FinishAreaSelection();
      NormaliseDrag();
      if (OriginCentre())
        ColorRangePipette(startx + horz, starty + vert, arealang, areahoch, ToolOption - 487);
      else
        ColorRangePipette(startx + horz + arealang / 2, starty + vert + areahoch / 2, arealang / 2,
                          areahoch / 2, ToolOption - 487);
      break;
    case 126:
      oldx = startx + arealang;
      oldy = starty + areahoch;
      break;
    default: break;
  }
}

}  // namespace

void OnCanvasLeftDown() {
  OnErrorCode1 = 20;   // #onerror_1_mousedownevent
  mayhighlight = 0;
  if (InImage()) {
    CanvasButtonDown = 1;
    PressTool(paintstate);
  }
  // A release that came with the press is handled now, in one go.
  if (tk::takeEventsThrough(tk::EvLeftUp)) OnCanvasLeftUp();
}

void ToolDispatch() { DragTool(linestate); }

void OnCanvasLeftUp() {
  if (PendingHandlerSpy) PendingHandlerSpy("OnCanvasLeftUp", linestate);
  OnErrorCode1 = 21;   // #onerror_1_mouseupevent
  mayhighlight = 1;
  if (paintstate == 39) {
    CanvasButtonDown = 0;
    PickColor();
  } else {
    // The button is up whatever ran: a tool without a running action (fill, the first
    // compass press) must not keep the canvas popup shut.
    CanvasButtonDown = 0;
    if (linestate <= 0) return;
    ReleaseTool(linestate);
  }
  // The queued copy of this release has been handled here.
  tk::dropQueuedEvent(tk::EvLeftUp);
  if (paintstate != 38) {
    ClearPixelFlags();
    CanvasButtonDown = 0;
    RedrawCanvas();
  }
  if (linestate == 51 || linestate == 38) linestate = paintstate;
}

void OnRightButton() {
  if (PendingHandlerSpy) PendingHandlerSpy("OnRightButton", -1);
  OnErrorCode1 = 30;   // #onerror_1_rightmouse
  // The colour field of the colour window opens the colour popup.
  if (tk::isWindow(27) && !tk::windowHidden(27) && tk::isGadget(805)) {
    const int32_t mx = GetColourWindowMouseX(), my = GetColourWindowMouseY();
    tk::useWindow(0);
    const int32_t gx = tk::gadgetX(805), gy = tk::gadgetY(805);
    if (mx > gx && mx < gx + tk::gadgetWidth(805) && my > gy && my < gy + tk::gadgetHeight(805)) {
      tk::showPopupMenu(16, 27);
      return;
    }
  }
  const bool inImage = InImage();
  if (CanvasButtonDown == 0 && vieleckwork == 0 && linestate == 0 && inImage) {
    UpdateCursorPosition();
    rightklick_x = lang;
    rightklick_y = hoch;
    horz2 = horz;
    vert2 = vert;
    tk::showPopupMenu(17, 0);
    return;
  }
  if (paintstate == 47 && currentbezier != -1 && inImage) {
    RedrawCanvas();
    currentbezier = -1;
    return;
  }
  if (linestate != 0 && inImage) {
    switch (linestate) {
      case 34:
        areamark = 0;
        ClearPixelFlags();
        RedrawCanvas();
        break;
      case 35: case 36: case 43:
        areamark = 0;
        RedrawCanvas();
        break;
      case 38:
        vieleckwork = 0;
        areamark = 0;
        ClearPixelFlags();
        RedrawCanvas();
        PolygonMarkPoints.clear();
        RestorePolygonMarkColour();
        break;
      case 40: CancelDistortion(); break;
      case 41: case 42: case 44: case 45: RestoreHeldImage(); break;
      case 55: CommitCompassDrawing(); break;
      case 48: case 49: case 50: case 52: case 53: case 54: RedrawCanvas(); break;
      case 51:
        Undo(0);
        vieleckwork = 0;
        // The cancelled polygon is gone: nothing is left for a closing edge, and the
        // controls its first press locked work again.
        PolygonMarkPoints.clear();
        for (int g : {88, 173, 60})
          if (tk::isGadget(g)) tk::disableGadget(g, false);
        break;
      default: break;
    }
    tk::useWindow(0);
    tk::bringToFront(0);
    linestate = 0;
    return;
  }
  if (tk::isGadget(14) && CurrentImage >= 0 && size_t(CurrentImage) < ImageRecords.size() &&
      ImageRecords[size_t(CurrentImage)].WindowState == 9) {
    const int32_t mx = tk::windowMouseX(0), my = tk::windowMouseY(0) - CanvasTop;
    const int32_t gx = tk::gadgetX(14), gy = tk::gadgetY(14);
    if (mx >= gx - 5 && mx <= gx + tk::gadgetWidth(14) + 5 && my >= gy && my <= gy + tk::gadgetHeight(14) &&
        tk::isGadget(6) && tk::gadgetState(6) < mx)
      tk::showPopupMenu(16, 0);
  }
}
