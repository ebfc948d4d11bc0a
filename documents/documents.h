// Image documents: per-image records, pixel arrays, view, undo store, file formats, palettes, printing.
// The subsystem's globals and procedures, as the rest of the program sees them.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Puts every global of this subsystem back to its start value (tests).
void ResetDocumentsState();

// ==== Pixel arrays and image globals =====================================================
// A pixel cell: byte 0 blue, 1 green, 2 red, 3 flag. Every array is one row-major block,
// row 0 at the top, cell (x, y) at y * (last x + 1) + x.
using PixelCell = uint32_t;

extern std::vector<PixelCell> ImagePixels;        // the active image, (bildhoch+1) x (bildlang+1)
extern std::vector<PixelCell> AreaPixels;         // the marked area, (areahoch+1) x (arealang+1)
extern std::vector<PixelCell> AreaViewPixels;     // scratch of the area rendering
extern std::vector<uint8_t> IndexPlane;           // palette entry per image cell while Colornumber = 1
extern std::vector<PixelCell> Palette;            // 256 entries: blue, green, red, 0
extern std::vector<PixelCell> RectTransferPixels; // scratch rows of RedrawImageRect

extern int32_t bildlang, bildhoch;                // last x and last y index of ImagePixels
extern int32_t lang, hoch;                        // shared loop counters; also the cursor cell
extern float length;                              // zoom, 1.0 = 100 %
extern int32_t maxx, maxy;                        // zoomed image extents
extern int32_t horz, vert;                        // scroll position in image cells
extern int32_t bildx, CanvasTop;                  // top-left of the canvas view in window 0
extern int32_t areaxmax, areaymax;                // view size in screen pixels (last index)
extern int32_t showareamaxx, showareamaxy;        // visible size in image cells
extern uint8_t areamark;                          // 0 none, 1/2 marked area, 3 text field
extern int32_t arealang, areahoch;                // last x and y index of AreaPixels
extern int32_t startx, starty, Startareax, startareay;
extern int32_t horz2, vert2;
extern int32_t areax, areay;
extern int32_t mousex, mousey, oldx, oldy;
extern uint8_t Colornumber;                       // 0 true colour, 1 palette image
extern int8_t PaletteIndex;                       // palette entry of the drawing colour - 128
extern uint8_t Rot, Gruen, Blau;                  // the drawing colour
extern float TintShareRed, TintShareGreen, TintShareBlue;
extern int32_t OnErrorCode1, OnErrorCode2;
// Keyboard mode (cursor moved by the arrow keys).
extern uint8_t KeyboardModus, Keydrawmode;
extern int32_t KeyboardX, KeyboardY;

// Paints cell (column, row) of ImagePixels; the caller keeps both inside the image.
void DrawPixel(int32_t row, int32_t column, int8_t mode, float opacity);
int32_t ClearPixelFlags();
int32_t ResetLoopCounters();
void FillLong(uint32_t value, void* address, size_t bytes);
// Re-dimensions the image to width x height (store 1: also into the current image record).
void SetImageDimensions(int32_t height, int32_t width, int32_t store);

// ==== Canvas geometry, zoom and cursor ===================================================
// The platform's scroll-bar metrics used by the layout.
constexpr int32_t SM_CXHSCROLL = 17;
constexpr int32_t SM_CXVSCROLL = 17;

void UpdateZoomedSizes();
int32_t MouseInImage();
int32_t MouseInImageInterior();
void UpdateCursorPosition();
void BeginAreaSelection();
void BeginAreaSelectionKeepScroll();
void UpdateAreaSelection();
void FinishAreaSelection();
void FinishAreaSelectionUnclamped();
void LayoutCanvasArea();
void GrabVisibleView();

// ==== Canvas window, scrolling and redraw ================================================
extern std::vector<PixelCell> CanvasViewPixels;   // kept for the view's callers; see canvas_view.cpp
extern int32_t scrollmaxx, scrollmaxY;

void RedrawCanvas();
void ApplyZoomFromList();   // zoom factor from the text of the zoom list, gadget 60
void UpdateScrollBars();
void SubclassCanvasGadget(int32_t gadget);
void SetSplitterPosition(int32_t position);
void DrawPixelToView(int32_t row, int32_t column, int32_t rowOffset, int32_t columnOffset);
void RedrawImageRect(int32_t x, int32_t y, int32_t width, int32_t height, int32_t columnOffset,
                     int32_t rowOffset);
void DrawImageRegionToView(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
// Window procedures (installed with tk::setGadgetCallback / tk::setWindowCallback).
int CanvasWindowProc(int gadget, int msg, intptr_t wParam, intptr_t lParam);
int CanvasGadgetProc(int gadget, int msg, intptr_t wParam, intptr_t lParam);
int SplitterGadgetProc(int gadget, int msg, intptr_t wParam, intptr_t lParam);
int MainWindowCallback(int window, int msg, intptr_t wParam, intptr_t lParam);
// Scroll requests of the canvas scroll bars (the platform's request codes).
enum ScrollRequest : int {
  ScrollLineUp = 0, ScrollLineDown = 1, ScrollPageUp = 2, ScrollPageDown = 3,
  ScrollThumbPosition = 4, ScrollThumbTrack = 5, ScrollTop = 6, ScrollBottom = 7,
};
// One scroll request on bar 12 (horizontal) or 13 (vertical); position for the thumb.
void CanvasScrollRequest(int32_t gadget, int32_t request, int32_t position);
// Shows image `image` in canvas gadget 11 (copies its cells into the canvas picture).
void ShowImageOnCanvas(int32_t image);
// A redraw writes the view only into the canvas gadget's picture. Images 0 (the plain
// view) and 1 (the tools' copy) receive it here: call this before reading either of
// them, drawing on them, or drawing on the canvas picture by other means than the view
// code. Cheap when they are up to date.
void PrepareViewImages();

// ==== Image size change and pixel-buffer operations ======================================
extern std::vector<PixelCell> ResizeCopyPixels;
extern int8_t MaxRot, MaxGruen, MaxBlau, MinRot, MinGruen, MinBlau;
extern int32_t AllRot, AllGruen, AllBlau;

void ChangeImageSize(int32_t newLastX, int32_t newLastY, int32_t mode, int32_t offsetX,
                     int32_t offsetY, int32_t red, int32_t green, int32_t blue, uint8_t quiet);
void PixelBufferToImage(int32_t image, const PixelCell* buffer, int32_t width, int32_t height);
void FlipImageRows();
void FlipAreaRows();
void FlipBufferRows(PixelCell* buffer, int32_t width, int32_t height);
int32_t UpdateMinMaxColors();
int32_t UpdateAverageColors();

// ==== Numeric helpers ====================================================================
int32_t Distance(int32_t dx, int32_t dy);
int32_t RoundNearest(float x);
float AbsoluteValue(float x);
int32_t SignOf(float x);
int32_t HexToNumber(const std::string& text);
double SinDegrees(float x);
double CosDegrees(float x);

// ==== View composition and overlays ======================================================
extern uint8_t GridActive;
extern int32_t GridWidth;
extern uint8_t GridHorz, GridVert;
extern int32_t AreaScreenX, AreaScreenY;
extern int32_t AreaZoomMaxX, AreaZoomMaxY;

int32_t ComposeCanvasView();
void DrawGrid();
void DrawGridAt(int32_t x0, int32_t y0);
void DrawGridOnWindow();
void DrawRulers();

// ==== Provided by other Parts of this subsystem (records, undo, floating area, printing) ====
// Declared here for the view code; their definitions stand in shell/pending_documents.cpp
// until the slot-folder, undo, floating-area and printing code lands.
struct ImageRecord {
  int32_t laenge = 0;   // image width - 1
  int32_t hoehe = 0;    // image height - 1
  int32_t WindowState = 0;   // panel of the document's view (9 drawing, 120 area, 352 effects, ...)
  std::string DisplayName;   // name shown as the tab's tooltip
  uint8_t DebugState = 0;    // 1 for a new image; read by the view switch
};
extern std::vector<ImageRecord> ImageRecords;      // index 1..10 (0 and the spare unused)
extern int32_t CurrentImage;
extern int32_t ImageCount;
extern std::vector<PixelCell> HeldImage;           // in-memory snapshot of the image
void CreateUndoPoint();
void RenderAreaView();
int32_t DefaultPrinterResolution();                // horizontal dots of the default printer, 0 if none

// ==== Called by the shell's start-up and main loop ======================================
// (their code comes with the quit and clipboard Parts; stand-ins in shell/pending_loops.cpp)
void QuitProgram();            // returns only when the quit was cancelled (NextMode -1)
void UpdatePasteMenuItem();    // timer 0 of window 0, every 1000 ms
// ==== end called by the shell's start-up ================================================
