// Small helpers shared by the pixel, canvas and view code of this folder.
#pragma once
#include <cmath>
#include <cstdint>

#if defined(__SSE__) || defined(__x86_64__)
#include <xmmintrin.h>
#endif

namespace docs {

// "round": to nearest, halves to even (the default rounding mode).
inline int32_t Round(double x) { return static_cast<int32_t>(std::nearbyint(x)); }

// The same for single-precision values in hot loops (no library call).
inline int32_t RoundFast(float x) {
#if defined(__SSE__) || defined(__x86_64__)
  return _mm_cvtss_si32(_mm_set_ss(x));
#else
  return static_cast<int32_t>(std::nearbyintf(x));
#endif
}

inline int32_t Floor(double x) { return static_cast<int32_t>(std::floor(x)); }

// The view's background cell from the settings' canvas colour.
uint32_t BackgroundCell();

// Cells of the canvas gadget's picture, or nullptr (with its size) when there is none.
uint32_t* CanvasCells(int* w, int* h, int* stride);

// Makes sure image num exists with w x h pixels; true when it does afterwards.
bool EnsureImage(int num, int w, int h);

// Copies the overlapping top-left part of image src into image dst (cells, flags kept).
void CopyImageCells(int src, int dst);

// Tells ComposeCanvasView that the canvas picture holds the view the redraw just made.
extern bool CanvasHoldsView;

// Makes the canvas picture hold the plain view (from image 0 unless it holds it already).
void CanvasShowsView();

// Call before drawing anything on the canvas picture: image 0 takes the plain view from
// the picture first when it has not got it yet.
void CanvasPictureChanging();

// Images 0 and 1 no longer wait for the canvas picture (its gadget is gone or new).
void ForgetCanvasPicture();

}  // namespace docs
