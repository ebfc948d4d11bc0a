// Mouse cursors: standard shapes and cursor files, set per gadget.
#include <QCursor>
#include <QFile>
#include <QImage>
#include <QPixmap>
#include <QWidget>
#include <map>

#include "toolkit/codecs/codecs.h"
#include "toolkit/internal.h"

namespace tk {

namespace {

// Handles 1..6 are the standard shapes; loaded files count from 100.
constexpr int LoadedBase = 100;
std::map<int, QCursor> g_loaded;
std::map<int, int> g_gadgetCursor;   // gadget -> handle
int g_next = LoadedBase;

Qt::CursorShape shapeOf(int handle) {
  switch (handle - 1) {
    case CursorSizeNS: return Qt::SizeVerCursor;
    case CursorSizeWE: return Qt::SizeHorCursor;
    case CursorCross: return Qt::CrossCursor;
    case CursorWait: return Qt::WaitCursor;
    case CursorHand: return Qt::PointingHandCursor;
    default: return Qt::ArrowCursor;
  }
}

uint16_t le16(const uint8_t* p) { return uint16_t(p[0] | (p[1] << 8)); }

}  // namespace

int loadCursor(const std::string& path) {
  QFile f(QString::fromUtf8(detail::localPath(path).c_str()));
  if (!f.open(QIODevice::ReadOnly)) return standardCursor(CursorArrow);
  QByteArray bytes = f.readAll();
  const auto* d = reinterpret_cast<const uint8_t*>(bytes.constData());
  size_t n = size_t(bytes.size());
  int count = codec::countICOEntries(d, n);
  if (count <= 0) return standardCursor(CursorArrow);
  // The entry the picture comes from: the largest, then the deepest; its hotspot is
  // in the directory entry of a cursor file (type 2).
  int best = 0, bestArea = -1, bestDepth = -1;
  for (int i = 0; i < count; ++i) {
    size_t off = 6 + size_t(i) * 16;
    if (off + 16 > n) break;
    int w = d[off] ? d[off] : 256, h = d[off + 1] ? d[off + 1] : 256;
    int depth = le16(d + off + 6);
    if (w * h > bestArea || (w * h == bestArea && depth > bestDepth)) {
      best = i;
      bestArea = w * h;
      bestDepth = depth;
    }
  }
  codec::Picture pic;
  std::string err;
  if (!codec::decodeICO(d, n, pic, err, best) || pic.w <= 0 || pic.h <= 0)
    return standardCursor(CursorArrow);
  int hx = 0, hy = 0;
  size_t off = 6 + size_t(best) * 16;
  if (n >= 6 && le16(d + 2) == 2 && off + 16 <= n) {
    hx = le16(d + off + 4);
    hy = le16(d + off + 6);
  }
  QImage img(reinterpret_cast<const uchar*>(pic.cells.data()), pic.w, pic.h, pic.w * 4,
             QImage::Format_ARGB32);
  QPixmap pm = QPixmap::fromImage(img.copy());
  int handle = g_next++;
  g_loaded[handle] = QCursor(pm, std::clamp(hx, 0, pic.w - 1), std::clamp(hy, 0, pic.h - 1));
  return handle;
}

int standardCursor(StandardCursor which) {
  if (which < CursorArrow || which > CursorHand) which = CursorArrow;
  return int(which) + 1;
}

void setGadgetCursor(int gadget, int cursor) {
  QWidget* w = detail::gadgetWidget(gadget);
  if (!w) return;
  auto it = g_loaded.find(cursor);
  if (cursor <= 0) {
    w->unsetCursor();
    g_gadgetCursor.erase(gadget);
    return;
  }
  if (it != g_loaded.end()) w->setCursor(it->second);
  else w->setCursor(QCursor(shapeOf(cursor)));
  g_gadgetCursor[gadget] = cursor;
}

int gadgetCursor(int gadget) {
  auto it = g_gadgetCursor.find(gadget);
  return it == g_gadgetCursor.end() || !detail::gadgetWidget(gadget) ? 0 : it->second;
}

}  // namespace tk
