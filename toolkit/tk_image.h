// Toolkit layer: images by number, drawing, transfer to and from the program's pixel
// arrays, fonts and the clipboard.
//
// Pixel arrays are 32-bit cells: byte 0 blue, byte 1 green, byte 2 red, byte 3 a flag
// byte of the program's own (images keep it untouched; it is not shown).
// Colours passed to drawing are ColorValue: red + green*256 + blue*65536.
//
// Flag bytes: created pictures and pictures loaded from files without transparency
// have the flag byte 0xFF in every cell; a file with transparency (32-bit icons, PNG
// with alpha, ...) puts its alpha into the flag byte. Cells set by drawing get 0xFF,
// except in DrawXor mode, which leaves the flag byte alone. Transfers, copies and
// resizes keep the flag bytes as they are.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace tk {

// ---- images ----------------------------------------------------------------------------
// Sizes of no cells or of more cells than a picture file may hold are refused.
// depth is remembered for imageDepth (every image holds 32-bit cells).
int createImage(int num, int w, int h, int depth = 24, uint32_t fillColor = 0);  // returns num, -1 fails
void freeImage(int num);
bool isImage(int num);
int imageWidth(int num);
int imageHeight(int num);
int imageDepth(int num);
int copyImage(int src, int dst);
bool resizeImage(int num, int w, int h, bool smooth = true);
int grabImage(int src, int dst, int x, int y, int w, int h);   // parts outside src are black
// Load: BMP, PNG, JPEG, TIFF, TGA, ICO, CUR (by content). Returns num or -1; a failed
// load leaves an image already under num as it was. Depth: 32 with transparency, else 24.
int loadImage(int num, const std::string& path);
int loadImageFromMemory(int num, const uint8_t* data, size_t size);
enum ImageFormat : int { FormatBMP, FormatPNG, FormatJPEG };
// quality 0..10 for JPEG (10 best), linearly 5..100 on the JPEG scale; depth 24 or 32
// for BMP. The file is written beside the target and renamed over it: a save that
// fails returns false and leaves an existing file untouched.
bool saveImage(int num, const std::string& path, ImageFormat format, int quality = 7, int depth = 24);
std::string lastImageError();   // technical reason of the last failed load or save

// ---- transfer to and from pixel arrays ----------------------------------------------
// cells: w*h cells, row stride in cells. bottomUp: row 0 of cells is the image's
// last row. The flag byte travels unchanged. Arrays larger than the image are clipped.
bool imageToPixels(int num, uint32_t* cells, int w, int h, int stride, bool bottomUp = false);
bool pixelsToImage(int num, const uint32_t* cells, int w, int h, int stride, bool bottomUp = false);
// Copies a rectangle of cells into image num at (dx, dy) (clipped).
bool pixelsToImageRect(int num, const uint32_t* cells, int stride, int sx, int sy, int w, int h,
                       int dx, int dy);
// Direct access to an image's cells (top-down, stride in cells), valid until the image
// is freed or resized. nullptr when there is no such image.
uint32_t* imageCells(int num, int* stride = nullptr);
void imageChanged(int num);   // after writing through imageCells: shown copies refresh

// ---- drawing ---------------------------------------------------------------------------
// Targets: an image, a window's inner area, or a gadget (canvas gadgets, image gadgets).
struct Output { int kind; int num; };
inline Output imageOutput(int num) { return {0, num}; }
inline Output windowOutput(int num) { return {1, num}; }
inline Output gadgetOutput(int num) { return {2, num}; }
bool startDrawing(Output out);   // one drawing at a time; false when the target is gone
void stopDrawing();              // shows what was drawn
enum DrawMode : int { DrawDefault = 0, DrawTransparent = 1, DrawOutlined = 2, DrawXor = 4 };
void drawingMode(int mode);
void plot(int x, int y, uint32_t colorValue);
uint32_t point(int x, int y);    // ColorValue; 0xFFFFFFFF outside the target
void line(int x1, int y1, int x2, int y2, uint32_t colorValue);       // both end points drawn
void box(int x, int y, int w, int h, uint32_t colorValue);           // filled unless DrawOutlined
void circle(int x, int y, int r, uint32_t colorValue);
void ellipse(int x, int y, int rx, int ry, uint32_t colorValue);
void drawingFont(int font);
// Text at (x, y) top-left; with DrawTransparent the background stays, else backColor fills
// the text's box (textWidth x textHeight). Returns the x after the text.
int drawText(int x, int y, const std::string& text, uint32_t frontColor, uint32_t backColor);
int textWidth(const std::string& text);
int textHeight(const std::string& text);
// The cells are copied unchanged, flag bytes included; scaled (nearest cell) when w,h given.
void drawImage(int image, int x, int y, int w = -1, int h = -1);

// ---- fonts ------------------------------------------------------------------------------
enum FontStyle : unsigned { FontBold = 1, FontItalic = 2, FontUnderline = 4, FontStrikeOut = 8 };
// size in points (0 or less: the default size; above 1000 refused).
int loadFont(int num, const std::string& face, int size, unsigned style = 0);
void freeFont(int num);
bool isFont(int num);
std::vector<std::string> fontFamilies();   // sorted; names Windows-1252 cannot hold left out

// ---- clipboard -----------------------------------------------------------------------------
bool clipboardHasImage();
// The clipboard picture into image num; the flag bytes survive a copy and paste inside
// the program, other programs see an opaque picture.
int clipboardImage(int num);
bool setClipboardImage(int num);
std::string clipboardText();
void setClipboardText(const std::string& text);
void clearClipboard();

// ---- clipboard changes (toolkit/tray.cpp) ---------------------------------------------------
// A number that grows by one whenever the clipboard's contents change (in this program or
// another); never 0. Two looks that give the same number saw the same clipboard contents.
uint32_t clipboardSerial();

}  // namespace tk
