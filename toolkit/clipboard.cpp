// The clipboard: pictures and text.
//
// A picture goes out twice: as an opaque image for other programs and as the raw
// cells under a private type, so that the flag bytes survive a copy and paste inside
// the program. Reading prefers the private cells.
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include <cstring>

#include "toolkit/codecs/codecs.h"
#include "toolkit/image_store.h"
#include "toolkit/internal.h"
#include "toolkit/tk_image.h"

namespace tk {
namespace {

const char* const CellsType = "application/x-corvalen-cells";

QClipboard* board() { return QGuiApplication::clipboard(); }

uint32_t readLE32(const char* p) {
  const auto* u = reinterpret_cast<const uint8_t*>(p);
  return uint32_t(u[0]) | uint32_t(u[1]) << 8 | uint32_t(u[2]) << 16 | uint32_t(u[3]) << 24;
}

void appendLE32(QByteArray& out, uint32_t v) {
  const char b[4] = {char(v), char(v >> 8), char(v >> 16), char(v >> 24)};
  out.append(b, 4);
}

// The private cells: width, height (little endian), then the cells top row first.
// A null image when the data is not well formed.
QImage cellsFromData(const QByteArray& data) {
  if (data.size() < 8) return QImage();
  const uint32_t w = readLE32(data.constData()), h = readLE32(data.constData() + 4);
  if (w == 0 || h == 0 || w > 0x7FFFFFFFu || h > 0x7FFFFFFFu ||
      !detail::sizeAllowed(int(w), int(h)))
    return QImage();
  if (uint64_t(data.size()) != 8 + uint64_t(w) * h * 4) return QImage();
  QImage img(int(w), int(h), QImage::Format_ARGB32);
  if (img.isNull()) return img;
  for (int y = 0; y < int(h); ++y)
    std::memcpy(img.scanLine(y), data.constData() + 8 + size_t(y) * w * 4, size_t(w) * 4);
  return img;
}

}  // namespace

bool clipboardHasImage() {
  const QMimeData* m = board() ? board()->mimeData() : nullptr;
  return m && (m->hasFormat(CellsType) || m->hasImage());
}

int clipboardImage(int num) {
  const QMimeData* m = board() ? board()->mimeData() : nullptr;
  if (!m) return -1;
  if (m->hasFormat(CellsType)) {
    QImage img = cellsFromData(m->data(CellsType));
    if (!img.isNull()) return detail::adoptImage(num, std::move(img), 32);
  }
  if (!m->hasImage()) return -1;
  QImage img = qvariant_cast<QImage>(m->imageData());
  if (img.isNull() || !detail::sizeAllowed(img.width(), img.height())) return -1;
  // A foreign picture: its alpha (0xFF when it has none) becomes the flag byte.
  const int depth = img.hasAlphaChannel() ? 32 : 24;
  img = img.convertToFormat(QImage::Format_ARGB32);
  return detail::adoptImage(num, std::move(img), depth);
}

bool setClipboardImage(int num) {
  QImage* img = detail::image(num);
  if (!img || !board()) return false;
  QImage opaque = detail::opaqueCopy(*img);
  if (opaque.isNull()) return false;
  const int w = img->width(), h = img->height();
  QByteArray cells;
  cells.reserve(qsizetype(8 + size_t(w) * h * 4));
  appendLE32(cells, uint32_t(w));
  appendLE32(cells, uint32_t(h));
  for (int y = 0; y < h; ++y)
    cells.append(reinterpret_cast<const char*>(img->constScanLine(y)), qsizetype(w) * 4);
  auto* m = new QMimeData;
  m->setImageData(opaque);
  m->setData(CellsType, cells);
  board()->setMimeData(m);
  return true;
}

std::string clipboardText() { return board() ? fromQt(board()->text()) : std::string(); }

void setClipboardText(const std::string& text) {
  if (board()) board()->setText(toQt(text));
}

void clearClipboard() {
  if (board()) board()->clear();
}

}  // namespace tk
