// Drawing onto images, windows and gadgets. Every target is an image underneath: a
// window draws into its private image (shown under its gadgets), a canvas gadget into
// its own picture, an image gadget into the image it shows.
//
// Shapes are set cell by cell, without antialiasing, so that every drawn cell has
// exactly the colour asked for. Drawn cells get the flag byte 0xFF; in DrawXor mode
// only the colour bytes are combined and the flag byte stays.
#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cstring>
#include <vector>

#include "toolkit/image_store.h"
#include "toolkit/internal.h"
#include "toolkit/tk_gadget.h"
#include "toolkit/tk_image.h"
#include "toolkit/tk_window.h"

namespace tk {
namespace {

struct DrawState {
  bool active = false;
  Output out{0, -1};
  int target = -1;   // the image drawn into
  int mode = DrawDefault;
  int font = -1;
};
DrawState g_draw;

// Radii beyond this are not drawn (the shape arithmetic stays within 64 bits).
constexpr int MaxRadius = 32767;

QImage* targetImage() { return g_draw.active ? detail::image(g_draw.target) : nullptr; }

inline void setCell(QImage& img, int x, int y, uint32_t cell) {
  if (x < 0 || y < 0 || x >= img.width() || y >= img.height()) return;
  uint32_t& d = reinterpret_cast<uint32_t*>(img.scanLine(y))[x];
  if (g_draw.mode & DrawXor)
    d ^= cell & 0x00FFFFFFu;
  else
    d = cell;
}

// A run of cells on row y from x0 to x1 inclusive, clipped.
void span(QImage& img, int y, int x0, int x1, uint32_t cell) {
  if (y < 0 || y >= img.height()) return;
  x0 = std::max(x0, 0);
  x1 = std::min(x1, img.width() - 1);
  if (x0 > x1) return;
  uint32_t* d = reinterpret_cast<uint32_t*>(img.scanLine(y));
  if (g_draw.mode & DrawXor) {
    for (int x = x0; x <= x1; ++x) d[x] ^= cell & 0x00FFFFFFu;
  } else {
    std::fill(d + x0, d + x1 + 1, cell);
  }
}

// The image a window draws into, created or enlarged to the inner area's size.
int windowImage(int num) {
  auto* w = detail::window(num);
  if (!w || !w->client) return -1;
  const int img = detail::WindowImageBase + num;
  const int cw = std::max(w->client->width(), 1), ch = std::max(w->client->height(), 1);
  const uint32_t bg = w->client->palette().color(QPalette::Window).rgb() | 0xFF000000u;
  QImage* cur = detail::image(img);
  if (cur && cur->width() >= cw && cur->height() >= ch) return img;
  const int nw = cur ? std::max(cur->width(), cw) : cw, nh = cur ? std::max(cur->height(), ch) : ch;
  QImage grown(nw, nh, QImage::Format_ARGB32);
  if (grown.isNull()) return cur ? img : -1;
  grown.fill(bg);
  if (cur)
    for (int y = 0; y < cur->height(); ++y)
      std::memcpy(grown.scanLine(y), cur->constScanLine(y), size_t(cur->width()) * 4);
  return detail::adoptImage(img, std::move(grown), 24);
}

int gadgetImage(int g) {
  switch (gadgetKind(g)) {
    case GkCanvas: return detail::CanvasImageBase + g;
    case GkImage:
    case GkImageButton: return gadgetAttribute(g, AttrImage);
    default: return -1;
  }
}

// Calls f(dx, dy) for each cell of the outline of an ellipse centred on 0,0 (midpoint
// method; points on the axes may come twice).
template <typename F>
void ellipseOutline(int rx, int ry, F f) {
  if (rx == 0 || ry == 0) {
    for (int dy = -ry; dy <= ry; ++dy)
      for (int dx = -rx; dx <= rx; ++dx) f(dx, dy);
    return;
  }
  auto four = [&](int x, int y) { f(x, y); f(-x, y); f(x, -y); f(-x, -y); };
  const int64_t rx2 = int64_t(rx) * rx, ry2 = int64_t(ry) * ry;
  int64_t x = 0, y = ry, px = 0, py = 2 * rx2 * y;
  // Decision values scaled by 4 to stay whole.
  int64_t p = 4 * ry2 - 4 * rx2 * ry + rx2;
  while (px < py) {
    four(int(x), int(y));
    ++x;
    px += 2 * ry2;
    if (p < 0) {
      p += 4 * (ry2 + px);
    } else {
      --y;
      py -= 2 * rx2;
      p += 4 * (ry2 + px - py);
    }
  }
  p = ry2 * (2 * x + 1) * (2 * x + 1) + 4 * rx2 * (y - 1) * (y - 1) - 4 * rx2 * ry2;
  while (y >= 0) {
    four(int(x), int(y));
    --y;
    py -= 2 * rx2;
    if (p > 0) {
      p += 4 * (rx2 - py);
    } else {
      ++x;
      px += 2 * ry2;
      p += 4 * (rx2 - py + px);
    }
  }
}

void drawEllipse(int cx, int cy, int rx, int ry, uint32_t colorValue) {
  QImage* img = targetImage();
  if (!img || rx < 0 || ry < 0 || rx > MaxRadius || ry > MaxRadius) return;
  if (int64_t(cx) + rx < 0 || int64_t(cy) + ry < 0 || int64_t(cx) - rx >= img->width() ||
      int64_t(cy) - ry >= img->height())
    return;
  const uint32_t cell = detail::cellFromColor(colorValue);
  if (g_draw.mode & DrawOutlined) {
    // Each outline cell once, so that drawing twice in DrawXor mode restores.
    std::vector<std::pair<int, int>> pts;
    ellipseOutline(rx, ry, [&](int dx, int dy) { pts.emplace_back(dy, dx); });
    std::sort(pts.begin(), pts.end());
    pts.erase(std::unique(pts.begin(), pts.end()), pts.end());
    for (auto& [dy, dx] : pts) setCell(*img, int(int64_t(cx) + dx), int(int64_t(cy) + dy), cell);
    return;
  }
  // Filled: every row from its leftmost to its rightmost outline cell.
  std::vector<int> half(size_t(ry) + 1, -1);
  ellipseOutline(rx, ry, [&](int dx, int dy) {
    int& h = half[size_t(dy < 0 ? -dy : dy)];
    h = std::max(h, dx < 0 ? -dx : dx);
  });
  for (int dy = -ry; dy <= ry; ++dy) {
    int h = half[size_t(dy < 0 ? -dy : dy)];
    if (h >= 0) span(*img, cy + dy, cx - h, cx + h, cell);
  }
}

QFont drawFont() {
  QFont f = detail::font(g_draw.font);
  f.setStyleStrategy(QFont::NoAntialias);
  return f;
}

}  // namespace

bool startDrawing(Output out) {
  if (g_draw.active) stopDrawing();
  int target = -1;
  switch (out.kind) {
    case 0: target = isImage(out.num) ? out.num : -1; break;
    case 1: target = windowImage(out.num); break;
    case 2: target = gadgetImage(out.num); break;
    default: break;
  }
  if (target < 0 || !isImage(target)) return false;
  g_draw.active = true;
  g_draw.out = out;
  g_draw.target = target;
  return true;
}

void stopDrawing() {
  if (!g_draw.active) return;
  g_draw.active = false;
  if (isImage(g_draw.target)) detail::notifyImageChanged(g_draw.target);
  if (g_draw.out.kind == 1)
    if (auto* w = detail::window(g_draw.out.num); w && w->client) w->client->update();
}

void drawingMode(int mode) { g_draw.mode = mode; }

void plot(int x, int y, uint32_t colorValue) {
  if (QImage* img = targetImage()) setCell(*img, x, y, detail::cellFromColor(colorValue));
}

uint32_t point(int x, int y) {
  QImage* img = targetImage();
  if (!img || x < 0 || y < 0 || x >= img->width() || y >= img->height()) return 0xFFFFFFFFu;
  return detail::colorFromCell(reinterpret_cast<const uint32_t*>(img->constScanLine(y))[x]);
}

void line(int x1, int y1, int x2, int y2, uint32_t colorValue) {
  QImage* img = targetImage();
  if (!img) return;
  if (std::max(x1, x2) < 0 || std::max(y1, y2) < 0 || std::min(x1, x2) >= img->width() ||
      std::min(y1, y2) >= img->height())
    return;
  const uint32_t cell = detail::cellFromColor(colorValue);
  int64_t x = x1, y = y1;
  const int64_t dx = std::abs(int64_t(x2) - x1), dy = -std::abs(int64_t(y2) - y1);
  const int sx = x1 < x2 ? 1 : -1, sy = y1 < y2 ? 1 : -1;
  int64_t err = dx + dy;
  for (;;) {
    setCell(*img, int(x), int(y), cell);
    if (x == x2 && y == y2) break;
    const int64_t e2 = 2 * err;
    if (e2 >= dy) { err += dy; x += sx; }
    if (e2 <= dx) { err += dx; y += sy; }
  }
}

void box(int x, int y, int w, int h, uint32_t colorValue) {
  QImage* img = targetImage();
  if (!img || w <= 0 || h <= 0) return;
  const uint32_t cell = detail::cellFromColor(colorValue);
  const int64_t r = int64_t(x) + w - 1, b = int64_t(y) + h - 1;
  const int right = int(std::min<int64_t>(r, img->width())),
            bottom = int(std::min<int64_t>(b, img->height()));
  if (!(g_draw.mode & DrawOutlined)) {
    for (int yy = std::max(y, 0); yy <= bottom; ++yy) span(*img, yy, x, right, cell);
    return;
  }
  span(*img, y, x, right, cell);
  if (h > 1 && b == bottom) span(*img, bottom, x, right, cell);
  for (int yy = std::max(y + 1, 0); yy < std::min<int64_t>(b, img->height()); ++yy) {
    setCell(*img, x, yy, cell);
    if (w > 1 && r == right) setCell(*img, right, yy, cell);
  }
}

void circle(int x, int y, int r, uint32_t colorValue) { drawEllipse(x, y, r, r, colorValue); }
void ellipse(int x, int y, int rx, int ry, uint32_t colorValue) {
  drawEllipse(x, y, rx, ry, colorValue);
}

void drawingFont(int font) { g_draw.font = font; }

int textWidth(const std::string& text) {
  return QFontMetrics(drawFont()).horizontalAdvance(toQt(text));
}

int textHeight(const std::string& text) { return QFontMetrics(drawFont()).height(); }

int drawText(int x, int y, const std::string& text, uint32_t frontColor, uint32_t backColor) {
  const QFont f = drawFont();
  const QFontMetrics fm(f);
  const QString q = toQt(text);
  const int w = fm.horizontalAdvance(q), h = fm.height();
  QImage* img = targetImage();
  if (!img || text.empty() || w <= 0 || h <= 0) return x + std::max(w, 0);
  if (!(g_draw.mode & DrawTransparent)) {
    const int saved = g_draw.mode;
    g_draw.mode &= ~DrawOutlined;
    box(x, y, w, h, backColor);
    g_draw.mode = saved;
  }
  // The glyphs are rendered into a mask over the visible part of the text (with room
  // for overhangs) and set cell by cell.
  const int pad = h / 2 + 2;
  const int mx0 = int(std::max<int64_t>(int64_t(x) - pad, 0));
  const int my0 = std::max(y, 0);
  const int mx1 = int(std::min<int64_t>(int64_t(x) + w + pad, img->width()));
  const int my1 = int(std::min<int64_t>(int64_t(y) + h, img->height()));
  if (mx0 >= mx1 || my0 >= my1) return x + w;
  QImage mask(mx1 - mx0, my1 - my0, QImage::Format_ARGB32_Premultiplied);
  if (mask.isNull()) return x + w;
  mask.fill(Qt::transparent);
  {
    QPainter p(&mask);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QPointF(double(x) - mx0, double(y) - my0 + fm.ascent()), q);
  }
  const uint32_t cell = detail::cellFromColor(frontColor);
  for (int my = 0; my < mask.height(); ++my) {
    const uint32_t* m = reinterpret_cast<const uint32_t*>(mask.constScanLine(my));
    for (int mx = 0; mx < mask.width(); ++mx)
      if (qAlpha(m[mx]) >= 128) setCell(*img, mx0 + mx, my0 + my, cell);
  }
  return x + w;
}

void drawImage(int image, int x, int y, int w, int h) {
  QImage* dst = targetImage();
  QImage* src = detail::image(image);
  if (!dst || !src) return;
  QImage scaled;
  const QImage* from = src;
  if ((w > 0 && h > 0) && (w != src->width() || h != src->height())) {
    if (!detail::sizeAllowed(w, h)) return;
    scaled = detail::scaleCells(*src, w, h, false);
    if (scaled.isNull()) return;
    from = &scaled;
  } else if (src == dst) {
    scaled = src->copy();
    from = &scaled;
  }
  // The cells are copied as they are, flag bytes included (combined in DrawXor mode).
  const int x0 = std::max(x, 0), y0 = std::max(y, 0);
  const int x1 = int(std::min<int64_t>(int64_t(x) + from->width(), dst->width()));
  const int y1 = int(std::min<int64_t>(int64_t(y) + from->height(), dst->height()));
  for (int yy = y0; yy < y1 && x0 < x1; ++yy) {
    const uint32_t* s = reinterpret_cast<const uint32_t*>(from->constScanLine(yy - y)) + (x0 - x);
    uint32_t* d = reinterpret_cast<uint32_t*>(dst->scanLine(yy)) + x0;
    if (g_draw.mode & DrawXor)
      for (int i = 0; i < x1 - x0; ++i) d[i] ^= s[i] & 0x00FFFFFFu;
    else
      std::memcpy(d, s, size_t(x1 - x0) * 4);
  }
}

}  // namespace tk
