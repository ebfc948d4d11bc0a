// Images by number: creation, copies, resizing, transfer to and from the program's
// pixel arrays, loading and saving.
//
// Every image is a QImage of Format_ARGB32, whose bytes in memory (blue, green, red,
// fourth byte) are exactly the program's cells. The fourth byte is the program's flag
// and is never used as alpha: whatever is shown or handed to other programs is an
// opaque copy.
#include <QFile>
#include <QPixmap>

#include <algorithm>
#include <cstring>
#include <map>
#include <vector>

#include "toolkit/codecs/codecs.h"
#include "toolkit/image_store.h"
#include "toolkit/internal.h"
#include "toolkit/tk_file.h"
#include "toolkit/tk_image.h"

namespace tk {
namespace detail {
namespace {

struct ImageRec {
  QImage img;
  int depth = 24;
};

std::map<int, ImageRec> g_images;
// Opaque copies handed out for showing, kept until the image changes: repaints of an
// unchanged picture cost nothing. Whoever writes into an image announces it
// (imageChanged / notifyImageChanged), which drops the copy.
// The opaque buffer is refilled in place when no shown copy still holds it.
struct Shown {
  QPixmap pm;
  QImage buf;
  bool valid = false;
};
std::map<int, Shown> g_shown;

void dropShown(int num) {
  auto it = g_shown.find(num);
  if (it == g_shown.end()) return;
  it->second.pm = QPixmap();
  it->second.valid = false;
}
std::vector<ImageListener> g_listeners;
std::string g_error;

// Numbers handed out for -1 lie above what the program picks and below the private ranges.
constexpr int FirstFreeNumber = 100000;

int freeNumber() {
  int n = FirstFreeNumber;
  for (auto it = g_images.lower_bound(n); it != g_images.end() && it->first == n; ++it) ++n;
  return n < CanvasImageBase ? n : -1;
}

ImageRec* rec(int num) {
  auto it = g_images.find(num);
  return it == g_images.end() ? nullptr : &it->second;
}

uint32_t* row(QImage& img, int y) { return reinterpret_cast<uint32_t*>(img.scanLine(y)); }
const uint32_t* crow(const QImage& img, int y) {
  return reinterpret_cast<const uint32_t*>(img.constScanLine(y));
}

// A blank stored image; a null image when memory runs out.
QImage blank(int w, int h) {
  QImage img(w, h, QImage::Format_ARGB32);
  return img;
}

}  // namespace

// Nearest-neighbour scaling, all four bytes kept.
QImage scaleNearest(const QImage& src, int w, int h) {
  QImage out = blank(w, h);
  if (out.isNull()) return out;
  std::vector<int> xs(static_cast<size_t>(w));
  for (int x = 0; x < w; ++x) xs[size_t(x)] = int(int64_t(x) * src.width() / w);
  for (int y = 0; y < h; ++y) {
    const uint32_t* s = crow(src, int(int64_t(y) * src.height() / h));
    uint32_t* d = row(out, y);
    for (int x = 0; x < w; ++x) d[x] = s[xs[size_t(x)]];
  }
  return out;
}

QImage scaleCells(const QImage& src, int w, int h, bool smooth) {
  QImage out = scaleNearest(src, w, h);
  if (out.isNull() || !smooth) return out;
  // Colours are filtered on an opaque copy; the flag bytes come from the nearest cell.
  QImage colours =
      opaqueCopy(src).scaled(w, h, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  if (!colours.isNull() && colours.format() != QImage::Format_RGB32)
    colours = colours.convertToFormat(QImage::Format_RGB32);
  if (colours.isNull()) return QImage();
  for (int y = 0; y < h; ++y) {
    uint32_t* d = row(out, y);
    const uint32_t* c = crow(colours, y);
    for (int x = 0; x < w; ++x) d[x] = (d[x] & 0xFF000000u) | (c[x] & 0x00FFFFFFu);
  }
  return out;
}

namespace {

codec::Picture toPicture(const QImage& img) {
  codec::Picture p;
  p.w = img.width();
  p.h = img.height();
  p.cells.resize(size_t(p.w) * size_t(p.h));
  for (int y = 0; y < p.h; ++y)
    std::memcpy(p.cells.data() + size_t(y) * size_t(p.w), crow(img, y), size_t(p.w) * 4);
  return p;
}

bool readFile(const std::string& path, std::vector<uint8_t>& data) {
  QFile f(QString::fromUtf8(localPath(path)));
  if (!f.open(QIODevice::ReadOnly)) return false;
  qint64 n = f.size();
  if (n < 0) return false;
  data.resize(size_t(n));
  return n == 0 || f.read(reinterpret_cast<char*>(data.data()), n) == n;
}

int adoptPicture(int num, const codec::Picture& p) {
  if (!sizeAllowed(p.w, p.h) || p.cells.size() < size_t(p.w) * size_t(p.h)) {
    setImageError("decoded picture has no usable size");
    return -1;
  }
  QImage img = blank(p.w, p.h);
  if (img.isNull()) {
    setImageError("out of memory");
    return -1;
  }
  for (int y = 0; y < p.h; ++y) {
    uint32_t* d = row(img, y);
    std::memcpy(d, p.cells.data() + size_t(y) * size_t(p.w), size_t(p.w) * 4);
    if (!p.hasAlpha)
      for (int x = 0; x < p.w; ++x) d[x] |= 0xFF000000u;
  }
  return adoptImage(num, std::move(img), p.hasAlpha ? 32 : 24);
}

}  // namespace

void setImageError(const char* what) { g_error = what; }

bool sizeAllowed(int w, int h) {
  return w > 0 && h > 0 && int64_t(w) * int64_t(h) <= codec::MaxCells;
}

QImage opaqueCopy(const QImage& img) {
  QImage out(img.width(), img.height(), QImage::Format_RGB32);
  if (out.isNull()) return out;
  const int w = img.width();
  for (int y = 0; y < img.height(); ++y) {
    const uint32_t* s = crow(img, y);
    uint32_t* d = row(out, y);
    for (int x = 0; x < w; ++x) d[x] = s[x] | 0xFF000000u;
  }
  return out;
}

int adoptImage(int num, QImage img, int depth) {
  if (num < -1) return -1;
  if (num == -1) num = freeNumber();
  if (num < 0 || img.isNull()) return -1;
  if (img.format() != QImage::Format_ARGB32) img = img.convertToFormat(QImage::Format_ARGB32);
  if (img.isNull()) return -1;
  auto& r = g_images[num];
  r.img = std::move(img);
  r.depth = depth;
  notifyImageChanged(num);
  return num;
}

QImage* image(int num) {
  auto* r = rec(num);
  if (r) dropShown(num);   // the caller may write into it
  return r ? &r->img : nullptr;
}

QPixmap imagePixmap(int num) {
  auto* r = rec(num);
  if (!r) return QPixmap();
  Shown& sh = g_shown[num];
  if (sh.valid) return sh.pm;
  const QImage& img = r->img;
  if (sh.buf.size() != img.size() || !sh.buf.isDetached()) {
    sh.buf = opaqueCopy(img);
  } else {
    const int w = img.width();
    for (int y = 0; y < img.height(); ++y) {
      const uint32_t* s = crow(img, y);
      uint32_t* d = row(sh.buf, y);
      for (int x = 0; x < w; ++x) d[x] = s[x] | 0xFF000000u;
    }
  }
  if (sh.buf.isNull()) {
    g_shown.erase(num);
    return QPixmap();
  }
  sh.pm = QPixmap::fromImage(sh.buf);   // shares the buffer
  sh.valid = true;
  return sh.pm;
}

void notifyImageChanged(int num) {
  if (isImage(num))
    dropShown(num);
  else
    g_shown.erase(num);
  // A listener may add listeners; walk by index over a copy.
  auto listeners = g_listeners;
  for (auto l : listeners) l(num);
}

void addImageListener(ImageListener l) {
  if (l && std::find(g_listeners.begin(), g_listeners.end(), l) == g_listeners.end())
    g_listeners.push_back(l);
}

}  // namespace detail

using detail::crow;
using detail::rec;
using detail::row;

// ---- images ------------------------------------------------------------------------

int createImage(int num, int w, int h, int depth, uint32_t fillColor) {
  if (!detail::sizeAllowed(w, h)) {
    detail::setImageError("image size out of range");
    return -1;
  }
  QImage img = detail::blank(w, h);
  if (img.isNull()) {
    detail::setImageError("out of memory");
    return -1;
  }
  img.fill(detail::cellFromColor(fillColor));
  return detail::adoptImage(num, std::move(img), depth > 0 && depth <= 32 ? depth : 24);
}

void freeImage(int num) {
  if (detail::g_images.erase(num)) detail::notifyImageChanged(num);
}

bool isImage(int num) { return rec(num) != nullptr; }
int imageWidth(int num) { auto* r = rec(num); return r ? r->img.width() : 0; }
int imageHeight(int num) { auto* r = rec(num); return r ? r->img.height() : 0; }
int imageDepth(int num) { auto* r = rec(num); return r ? r->depth : 0; }

int copyImage(int src, int dst) {
  auto* r = rec(src);
  if (!r) return -1;
  if (dst == src) return dst;
  // A deep copy: the program may hold a pointer to the source's cells.
  return detail::adoptImage(dst, r->img.copy(), r->depth);
}

bool resizeImage(int num, int w, int h, bool smooth) {
  auto* r = rec(num);
  if (!r || !detail::sizeAllowed(w, h)) return false;
  if (w == r->img.width() && h == r->img.height()) return true;
  QImage out = detail::scaleCells(r->img, w, h, smooth);
  if (out.isNull()) return false;
  r->img = std::move(out);
  detail::notifyImageChanged(num);
  return true;
}

int grabImage(int src, int dst, int x, int y, int w, int h) {
  auto* r = rec(src);
  if (!r || !detail::sizeAllowed(w, h)) return -1;
  QImage out = detail::blank(w, h);
  if (out.isNull()) return -1;
  out.fill(0xFF000000u);   // parts outside the source are black
  const QImage& s = r->img;
  int x0 = std::max(x, 0), y0 = std::max(y, 0);
  int x1 = int(std::min<int64_t>(int64_t(x) + w, s.width()));
  int y1 = int(std::min<int64_t>(int64_t(y) + h, s.height()));
  for (int yy = y0; yy < y1 && x0 < x1; ++yy)
    std::memcpy(row(out, yy - y) + (x0 - x), crow(s, yy) + x0, size_t(x1 - x0) * 4);
  return detail::adoptImage(dst, std::move(out), r->depth);
}

int loadImage(int num, const std::string& path) {
  std::vector<uint8_t> data;
  if (!detail::readFile(path, data)) {
    detail::g_error = "cannot read file " + path;
    return -1;
  }
  codec::Picture pic;
  std::string err;
  bool ok;
  if (codec::sniff(data.data(), data.size(), path) == codec::Format::TIFF)
    ok = codec::decodeTIFFFile(detail::localPath(path), pic, err);
  else
    ok = codec::decode(data.data(), data.size(), pic, err, path);
  if (!ok) {
    detail::g_error = err.empty() ? "cannot decode " + path : err;
    return -1;
  }
  return detail::adoptPicture(num, pic);
}

int loadImageFromMemory(int num, const uint8_t* data, size_t size) {
  if (!data || !size) {
    detail::setImageError("no data");
    return -1;
  }
  codec::Picture pic;
  std::string err;
  if (!codec::decode(data, size, pic, err)) {
    detail::g_error = err.empty() ? "cannot decode picture" : err;
    return -1;
  }
  return detail::adoptPicture(num, pic);
}

bool saveImage(int num, const std::string& path, ImageFormat format, int quality, int depth) {
  auto* r = rec(num);
  if (!r) {
    detail::setImageError("no such image");
    return false;
  }
  codec::Picture pic = detail::toPicture(r->img);
  std::vector<uint8_t> out;
  bool ok = false;
  switch (format) {
    case FormatBMP: ok = codec::encodeBMP(pic, out, depth == 32 ? 32 : 24); break;
    case FormatPNG: ok = codec::encodePNG(pic, out, false); break;
    case FormatJPEG: {
      // Quality 0..10 runs linearly from 5 to 100 on the JPEG scale.
      int q = std::clamp(quality, 0, 10);
      ok = codec::encodeJPEG(pic, out, 5 + (q * 95 + 5) / 10);
      break;
    }
    default: detail::setImageError("unknown format"); return false;
  }
  if (!ok) {
    detail::setImageError("encoding failed");
    return false;
  }
  // Written beside the target and renamed over it: a failed save leaves no half file.
  // (Through the file layer, which checks every write: a save file of the GUI library
  // may report a file cut short by a full disk as written.)
  if (!tk::writeWholeFile(path, out.data(), out.size())) {
    detail::g_error = "cannot write " + path;
    return false;
  }
  return true;
}

std::string lastImageError() { return detail::g_error; }

// ---- transfer to and from pixel arrays ---------------------------------------------

bool imageToPixels(int num, uint32_t* cells, int w, int h, int stride, bool bottomUp) {
  auto* r = rec(num);
  if (!r || !cells || w <= 0 || h <= 0 || stride < w) return false;
  const QImage& img = r->img;
  const int cw = std::min(w, img.width()), ch = std::min(h, img.height());
  const int last = img.height() - 1;
  for (int y = 0; y < ch; ++y)
    std::memcpy(cells + size_t(y) * size_t(stride), crow(img, bottomUp ? last - y : y),
                size_t(cw) * 4);
  return true;
}

bool pixelsToImage(int num, const uint32_t* cells, int w, int h, int stride, bool bottomUp) {
  auto* r = rec(num);
  if (!r || !cells || w <= 0 || h <= 0 || stride < w) return false;
  QImage& img = r->img;
  const int cw = std::min(w, img.width()), ch = std::min(h, img.height());
  const int last = img.height() - 1;
  for (int y = 0; y < ch; ++y)
    std::memcpy(row(img, bottomUp ? last - y : y), cells + size_t(y) * size_t(stride),
                size_t(cw) * 4);
  detail::notifyImageChanged(num);
  return true;
}

bool pixelsToImageRect(int num, const uint32_t* cells, int stride, int sx, int sy, int w, int h,
                       int dx, int dy) {
  auto* r = rec(num);
  if (!r || !cells || stride <= 0 || sx < 0 || sy < 0 || w <= 0 || h <= 0) return false;
  QImage& img = r->img;
  w = std::min(w, stride - sx);
  // Clip against the image.
  if (dx < 0) { sx -= dx; w += dx; dx = 0; }
  if (dy < 0) { sy -= dy; h += dy; dy = 0; }
  w = std::min(w, img.width() - dx);
  h = std::min(h, img.height() - dy);
  if (w > 0 && h > 0) {
    for (int y = 0; y < h; ++y)
      std::memcpy(row(img, dy + y) + dx, cells + size_t(sy + y) * size_t(stride) + size_t(sx),
                  size_t(w) * 4);
  }
  detail::notifyImageChanged(num);
  return true;
}

uint32_t* imageCells(int num, int* stride) {
  auto* r = rec(num);
  if (!r) return nullptr;
  if (stride) *stride = int(r->img.bytesPerLine() / 4);
  detail::dropShown(num);   // the program may write into it
  return reinterpret_cast<uint32_t*>(r->img.bits());
}

void imageChanged(int num) {
  if (isImage(num)) detail::notifyImageChanged(num);
}

}  // namespace tk
