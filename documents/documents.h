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
// Largest image the arrays take, in cells (2^28, 1 GiB of cells; tests lower it).
extern int64_t ImageCellLimit;
// Cells of an image with the last indices lastX, lastY: 0 for a negative index or a size
// past ImageCellLimit, so that extents read from a file are checked with one call.
size_t CellsOfExtents(int32_t lastX, int32_t lastY);
// Brings a width and height from a file or the settings into 1 .. the cell limit: each
// side at least 1, the height cut so that width x height fits.
void ClampImageSize(int32_t& width, int32_t& height);
// Re-dimensions the image to width x height (store 1: also into the current image record)
// and returns 1. A size below 1 x 1, past ImageCellLimit or beyond the memory is refused
// (0): the arrays stay, and bildlang / bildhoch describe them afterwards whatever the
// caller set before (a 1 x 1 image when they did not).
int32_t SetImageDimensions(int32_t height, int32_t width, int32_t store);

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

// ==== Image record and slot folders (documents/image_record.cpp, slots.cpp) =============
// One record per open image, slots 1..10 (index 0 unused). Its fields, widths and order
// are fixed: PackImageRecord gives the bytes the error report stores, WriteImageRecordBlock
// the block of the crash state (the same bytes with the two texts as lines).
struct ImageRecord {
  int32_t laenge = 0;              // image width - 1
  int32_t hoehe = 0;               // image height - 1
  int32_t verty = 0;               // vertical scroll position
  int32_t horzx = 0;               // horizontal scroll position
  int32_t colornumber = 0;         // 0 true colour, 1 palette image
  std::string SpareText;           // kept by the crash dump and moved by closing only
  uint8_t KeyBoardModus = 0;
  uint8_t KeyBoardModus_Hold = 0;
  uint8_t Keydrawmode = 0;
  int32_t KeyBoardX = 0;
  int32_t KeyBoardY = 0;
  int32_t GadgetState = 0;         // selected drawing tool (paintstate)
  uint8_t DebugState = 0;          // 1 for a new image; read by the view switch
  int16_t Splitstate = 0;          // position of splitter gadget 6
  int32_t Fillmode = 0, FormMode = 0, Spraynumber = 0;
  int32_t WindowState = 0;         // panel: 9 drawing, 120 area, 582 text, 495 script, 352 effects
  int32_t Effectgadgetstates[10] = {};
  float PixSize = 0.0f;            // zoom, 1.0 = 100 %
  int32_t AreaState = 0;           // areamark
  int32_t AreaStartX = 0, AreaStartY = 0, AreaLaenge = 0, AreaHoehe = 0, AreaVert = 0, AreaHorz = 0;
  int32_t areaorder = 0;           // channel order of the area
  std::string DisplayName;         // name shown as the tab's tooltip
  uint8_t Extension = 0;           // index into FileExtensions; 255 = never saved
  int8_t compression = 0;          // JPEG quality of the last save; negative = cancelled
  int32_t UndoState = 0;           // undostate
  int32_t Redo = 0;                // RedoState
  uint8_t fgcolor[4] = {};         // blue, green, red, spare as Blau, Gruen, Rot hold them
  uint8_t bgcolor[4] = {};         // blue, green, red, spare (plain 0..255)
  uint8_t Oldcolors[10][4] = {};   // blue, green, red, spare each
  int32_t RotDa = 0, RotLang = 0, Rothoch = 0;
  int32_t GruenDa = 0, GruenLang = 0, Gruenhoch = 0;
  int32_t BlauDa = 0, BlauLang = 0, Blauhoch = 0;
  int32_t RotDa_Marked = 0, RotLang_Marked = 0, Rothoch_Marked = 0;
  int32_t GruenDa_Marked = 0, GruenLang_Marked = 0, Gruenhoch_Marked = 0;
  int32_t BlauDa_Marked = 0, BlauLang_Marked = 0, Blauhoch_Marked = 0;
  int32_t Operation_State = 0;     // gadget 10
  int32_t Kontraststate = 0, Hellstate = 0, RotState = 0, Gruenstate = 0, Blaustate = 0;
  int32_t Tolleranz = 0;
  int32_t Colororder = 0;
};
// The file path and script text of each slot, beside its record.
struct ImageTextPair {
  std::string path;
  std::string code;
};
constexpr size_t ImageRecordBlockSize = 292;       // the record without its two texts
void PackImageRecord(const ImageRecord& r, uint8_t* out);        // ImageRecordBlockSize bytes
void UnpackImageRecord(const uint8_t* in, ImageRecord& r);
// The crash state's block: the packed fields with SpareText after colornumber and the
// display name after areaorder, each as a line. Read returns false when the file ends early.
bool WriteImageRecordBlock(int file, const ImageRecord& r);
bool ReadImageRecordBlock(int file, ImageRecord& r);

extern std::vector<ImageRecord> ImageRecords;      // index 1..10 (0 unused)
extern std::vector<ImageTextPair> ImageTexts;      // likewise
extern std::string ImagePath;                      // file of the active image, "" never saved
extern int32_t CurrentImage;
extern int32_t ImageCount;
extern int32_t Lastimage;                          // slot to return to while CloseImage works
extern uint8_t colororder, areacolororder;         // channel order of the image and of the area

std::string InstanceFolder();                      // "Undo/Undo<CVNIndex>/"
std::string SlotFolder(int32_t slot);              // "Undo/Undo<CVNIndex>/Undo<slot>/"
// Parks the live image in slot CurrentImage; 0 (after telling the user) when a slot file
// could not be written, and then nothing was parked.
int32_t StoreImageSlot();
void RestoreImageSlot(int32_t slot);
void SwitchImage(int32_t slot);
void CloseImage(int32_t slot);
void SetAsWallpaper();
// The zoom list entry (gadget 60) that shows zoom z.
int32_t ZoomListEntry(float z);

// ==== Undo and redo store (documents/undo_store.cpp) ======================================
extern int32_t undostate;                          // undo file the next undo point writes
extern int32_t RedoState;                          // newest redo file + 1; -1 none
extern uint8_t RedoKeepFlag;                       // 1 while Redo writes its undo point
extern std::vector<PixelCell> HeldImage;           // in-memory snapshot of the image
// Each returns 1 when its step file was written; on a failed write the user is told and
// the counters stay as they were.
int32_t CreateUndoPoint();
int32_t CreateUndoPointFromHold();
int32_t CreateRedoPoint();
void HoldImage();
void RestoreHeldImage();
void Undo(uint8_t quiet);
void Redo();

// ==== New and blank images (documents/new_image.cpp) ======================================
void NewImageDialog(int32_t width, int32_t height);
void CreateImageSlot(int32_t lastX, int32_t lastY, uint8_t red, uint8_t green, uint8_t blue,
                     uint8_t paletteMode, int32_t paletteIndex, const std::string& name);
void CreateBitmap(int32_t lastX, int32_t lastY, uint8_t paletteMode, uint8_t red, uint8_t green,
                  uint8_t blue, int32_t paletteIndex);

// ==== Picture buffers (documents/buffers.cpp) =============================================
extern std::string PictureBufferLabels[11];        // 1..10
int32_t StoreAreaBuffer(int32_t n, const std::string& label);   // 1 when written
int32_t StoreImageBuffer(int32_t n, const std::string& label);
void RecallBuffer(int32_t n, int32_t x, int32_t y);
void MarkAreaPixels();                             // every area cell inside the area

// ==== Provided by the floating area, the files and printing ===============================
void RenderAreaView();
void RefreshView();
int32_t DefaultPrinterResolution();                // horizontal dots of the default printer, 0 if none
void AskSaveFileName();                            // ImagePath := the chosen name, "" cancelled
int32_t SaveImage();                               // 1 when the image was written
int32_t SaveBitmap(const std::string& file, uint8_t quiet);   // 1 when written
int32_t PaletteChooser();                          // 1 taken, -1 cancelled

// ==== Image files, own formats, palettes (documents/image_files.cpp, own_formats.cpp,
// ==== palettes.cpp, palette_picker.cpp, palette_editor.cpp) ============================
// Each returns 1 when it did its work and 0 when it did not (the user was told, except
// for a cancelled requester or dialog). A failed read leaves the live image as it was; a
// failed write keeps the old file.
void OpenImageFile();                              // the Open command: a new slot
int32_t SaveImageAs();                             // the Save as command
int32_t WriteImageFile(const std::string& file);   // by the file's extension
int32_t LoadBitmapImage(const std::string& file);  // any raster file into the live image
int32_t LoadJpegImage(const std::string& file);
int32_t LoadPngImage(const std::string& file);
int32_t OpenIconFile(const std::string& file);     // the icon chooser, then the chosen icon
int32_t DecodeIconImage(const std::string& file, int32_t i);   // icon i (1-based)
int32_t IconSizesDialog(const std::string& file);
int32_t WriteIconFile(const std::string& file, uint8_t with16, uint8_t with32, uint8_t with64);
int32_t SaveStructure(const std::string& file);    // the image stays as it is
int32_t ReadStructureFile(const std::string& file);
int32_t SaveBrushForm(const std::string& file);    // the image stays as it is
int32_t ReadBrushFormImage(const std::string& file);
int32_t SaveCodeFile(const std::string& file);
int32_t LoadCodeFile(const std::string& file);
void ListPalettes();                               // list 717 of the chooser
int32_t SavePaletteFile(int32_t stripImage, const std::string& name);   // "Palettes/<name>.pal"
int32_t PaletteFromImage(const std::string& name);
int32_t PaletteFromImageFile(const std::string& file, const std::string& name);
void QuantizeToPalette(uint8_t quiet);             // the image onto Palette, indices into IndexPlane
void ApplyPalette(int32_t mode);                   // 1 recolour by index, 2 map the colours
int32_t AskPaletteTransferMode();                  // 1 "Am Index", 2 "Anpassen", 0 closed
void FreeIndexPlane();
void PaintPaletteStrip(int32_t image);              // Palette into a 512 x 20 strip image
// The 256-colour and true-colour menu commands: a palette image only when the user
// really chose a palette (1), the index plane always the image's size.
int32_t MakePaletteImage();
void MakeTrueColourImage();
int64_t ChoosePaletteColor();                      // colour value, -1 cancelled
int32_t PaletteEditor(int32_t strip);              // 51 used, -1 cancelled
// ==== end image files, own formats, palettes ============================================

// ==== Called by the shell's start-up and main loop ======================================
// (shell/quit.cpp, documents/insert_clipboard.cpp)
void QuitProgram();            // returns only when the quit was cancelled (NextMode -1)
void UpdatePasteMenuItem();    // timer 0 of window 0, every 1000 ms
// ==== end called by the shell's start-up ================================================

// ==== Used by the painting tools =========================================================
// Reads a brush-form file at `radius`; returns the radius in effect (drawforms_length).
int32_t LoadBrushFormFile(const std::string& path, int32_t radius);
void DrawToolOutline(int32_t x, int32_t y);   // on the current drawing output
extern int32_t xarea, yarea;                  // grab offset of a moved marked area
extern int32_t rightklick_x, rightklick_y;    // cell of the last canvas right click
extern uint8_t mayhighlight;                  // 0 while a canvas press runs
// ==== end used by the painting tools ======================================================
// ==== Brush-form loading (documents/brush_form_loading.cpp) ==============================
// LoadBrushFormFile (declared above) reads a .df file into BrushFormGrey at the radius:
// the map is resized to 2 * radius + 2 cells a side when the file's side differs, and the
// result is the radius (0 when the file is missing or broken; a broken one is reported).
// BrushFormCells is then (2 * result + 2) cells a side, all zero, for the tools to fill.
constexpr int32_t MaxBrushFormRadius = 2047;
extern std::vector<uint8_t> BrushFormGrey;       // grey per cell, 0 paints fully, 255 not at all
extern std::vector<PixelCell> BrushFormCells;
// ==== end brush-form loading ===============================================================
// ==== Floating area, insert and clipboard, full-screen preview, printing =================
// (documents/floating_area.cpp, insert_clipboard.cpp, fullscreen_preview.cpp,
//  print_preview.cpp, printing.cpp)
extern uint8_t AreaMergeOption;    // merge option of the area panel: 0, 1, 2 (modes 130..132)
// The rectangle between the corners (each clipped so that its image cell, corner plus
// offset, lies on the image) becomes the area, offset by (dx, dy). The caller sets areamark.
int32_t MarkArea(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t dx, int32_t dy, uint8_t quiet);
// The outline drawn into the image's flags (flag 1) becomes an area whose shape is the
// outline and what it encloses. 0 when no outline was there (no area made), else 1.
int32_t FinishLassoSelection(int32_t dx, int32_t dy, uint8_t quiet);
void InvertAreaSelection();        // everything outside the shape; drops the area when nothing is left
void RegrabAreaFromImage();
void MergeAreaIntoImage(int32_t mode);   // 130, 131 or 132; frees the area
void ApplyAreaMerge();             // the area panel's apply button: undo point, merge, drawing panel

int32_t InsertImageFile(const std::string& path, int32_t x, int32_t y, uint8_t quiet);
int32_t PasteClipboardImage(int32_t x, int32_t y);
int32_t CopyAreaToClipboard();
int32_t CopyImageToClipboard();
int32_t CutArea();
int32_t CutImage();
// Image `image` takes over the picture of image `bitmap` (a picture handed over, such as
// the clipboard's); `bitmap` is free afterwards. 1 when it was taken.
int32_t AdoptBitmapAsImage(int32_t image, int32_t bitmap);

int32_t ShowFullScreenPreview();
extern int32_t FullScreenX, FullScreenY;   // where the picture stood when the preview ended
// The double click that ends the preview: a press (down 1) or release (down 0) of the left
// button at time nowMs; 1 when it ends the preview. ResetFullScreenClicks starts over.
int32_t FullScreenClick(int32_t down, int64_t nowMs);
void ResetFullScreenClicks();

int32_t OpenPrintPreview();
void RenderPrintPreview(int32_t zoom, int32_t mode, uint8_t portrait, int32_t scrollX, int32_t scrollY);
void HookPreviewScrollBar(int32_t gadget);
int PreviewScrollCallback(int gadget, int msg, intptr_t wParam, intptr_t lParam);
int32_t PrintImage();
// The default printer's page in device pixels (0 x 0 and false when there is none).
bool PrinterPageSize(int32_t& width, int32_t& height);
// ==== end floating area, insert and clipboard, full-screen preview, printing ============
