#include "documents/documents.h"
#include "documents/view_internal.h"

int32_t CurrentImage = 1, ImageCount = 1;
std::vector<ImageRecord> ImageRecords(11);
std::vector<PixelCell> HeldImage(1);
int32_t xarea = 0, yarea = 0;
int32_t rightklick_x = 0, rightklick_y = 0;
uint8_t mayhighlight = 1;

void ResetDocumentsState() {
  // Pixel arrays at their start-up size.
  ImagePixels.assign(1, 0);
  AreaPixels.assign(1, 0);
  AreaViewPixels.assign(1, 0);
  IndexPlane.assign(1, 0);
  Palette.assign(256, 0);
  RectTransferPixels.clear();
  CanvasViewPixels.assign(1, 0);
  ResizeCopyPixels.clear();
  // Image records.
  CurrentImage = 1;
  ImageCount = 1;
  ImageRecords.assign(11, ImageRecord{});
  HeldImage.assign(1, 0);
  xarea = yarea = 0;
  rightklick_x = rightklick_y = 0;
  mayhighlight = 1;
  ImageCellLimit = int64_t(1) << 28;
  ImageTexts.assign(11, ImageTextPair{});
  ImagePath.clear();
  Lastimage = 0;
  colororder = areacolororder = 0;
  undostate = 1;
  RedoState = 0;
  RedoKeepFlag = 0;
  for (std::string& l : PictureBufferLabels) l.clear();
  // Image globals.
  bildlang = bildhoch = 0;
  lang = hoch = 0;
  length = 1.0f;
  maxx = maxy = 0;
  horz = vert = 0;
  bildx = 250;
  CanvasTop = 92;
  areaxmax = areaymax = 0;
  showareamaxx = showareamaxy = 0;
  areamark = 0;
  arealang = areahoch = 0;
  startx = starty = Startareax = startareay = 0;
  horz2 = vert2 = 0;
  areax = areay = 0;
  mousex = mousey = oldx = oldy = 0;
  Colornumber = 0;
  PaletteIndex = 0;
  Rot = Gruen = Blau = 0;
  TintShareRed = TintShareGreen = TintShareBlue = 0.0f;
  OnErrorCode1 = OnErrorCode2 = 0;
  KeyboardModus = Keydrawmode = 0;
  KeyboardX = KeyboardY = 0;
  // Scrolling.
  scrollmaxx = scrollmaxY = 0;
  // Statistics.
  MaxRot = MaxGruen = MaxBlau = MinRot = MinGruen = MinBlau = 0;
  AllRot = AllGruen = AllBlau = 0;
  // View composition.
  GridActive = 0;
  GridWidth = 100;
  GridHorz = GridVert = 1;
  AreaScreenX = AreaScreenY = 0;
  AreaZoomMaxX = AreaZoomMaxY = 0;
  docs::ForgetCanvasPicture();
}
