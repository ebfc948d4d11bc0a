// Helpers shared by the image, drawing and clipboard files of the toolkit layer.
#pragma once
#include <QImage>
#include <cstdint>

namespace tk::detail {

// A cell (0xFFRRGGBB) from a ColorValue (red in the low byte) and back.
inline uint32_t cellFromColor(uint32_t c) {
  return 0xFF000000u | ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
}
inline uint32_t colorFromCell(uint32_t cell) {
  return ((cell >> 16) & 0xFFu) | (cell & 0xFF00u) | ((cell & 0xFFu) << 16);
}

// An opaque copy (Format_RGB32, fourth byte 0xFF) of a stored image, for the screen
// and for other programs: the flag byte never acts as alpha.
QImage opaqueCopy(const QImage& img);

// img (stored layout) scaled to w x h; the flag bytes come from the nearest cell, the
// colours are filtered when smooth. A null image when memory runs out.
QImage scaleCells(const QImage& img, int w, int h, bool smooth);

// Enters img (any format; converted to the stored layout) as image num, replacing an
// existing one. num -1 takes a free number. Returns the number, -1 when refused.
int adoptImage(int num, QImage img, int depth);

// Whether w x h is a size an image may have.
bool sizeAllowed(int w, int h);

void setImageError(const char* what);

}  // namespace tk::detail
