// Status bars by number: fields of fixed width (the last may take the rest) with a
// text, a picture and the look flags of each field.
#include <QPainter>
#include <QPointer>
#include <QStyle>
#include <QStyleOption>
#include <QWidget>
#include <vector>

#include "toolkit/internal.h"
#include "toolkit/tk_image.h"

namespace tk {

namespace {

struct Field {
  int width = -1;     // -1: the rest of the bar
  std::string text;
  unsigned flags = 0;
  int image = -1;
};

class StatusBarWidget : public QWidget {
 public:
  explicit StatusBarWidget(QWidget* parent) : QWidget(parent) {
    setProperty("tkClass", "msctls_statusbar32");
    setAutoFillBackground(true);
    // The small interface font of a status line; pictures are scaled to its height.
    QFont f = font();
    f.setPixelSize(11);
    setFont(f);
  }
  std::vector<Field> fields;

  QSize sizeHint() const override {
    return QSize(200, std::max(fontMetrics().height() + 8, 22));
  }

  // Field rectangles across the current width.
  std::vector<QRect> rects() const {
    std::vector<QRect> out;
    int x = 0;
    for (size_t i = 0; i < fields.size(); ++i) {
      int w = fields[i].width;
      if (w < 0 || w >= 9999) w = std::max(0, width() - x);
      out.emplace_back(x, 0, w, height());
      x += w;
    }
    return out;
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    auto rs = rects();
    for (size_t i = 0; i < fields.size(); ++i) {
      const Field& f = fields[i];
      QRect r = rs[i].adjusted(1, 2, -1, -1);
      if (r.width() <= 0) continue;
      if (!(f.flags & SbBorderless)) {
        QColor dark = palette().color(QPalette::Dark), light = palette().color(QPalette::Light);
        bool raised = f.flags & SbRaised;
        p.setPen(raised ? light : dark);
        p.drawLine(r.topLeft(), r.topRight());
        p.drawLine(r.topLeft(), r.bottomLeft());
        p.setPen(raised ? dark : light);
        p.drawLine(r.bottomLeft(), r.bottomRight());
        p.drawLine(r.topRight(), r.bottomRight());
      }
      QRect in = r.adjusted(3, 1, -3, -1);
      p.setClipRect(in);
      int tx = in.left();
      if (f.image >= 0 && isImage(f.image)) {
        QPixmap pm = detail::imagePixmap(f.image);
        int side = std::min(16, in.height());
        if (pm.height() > side) pm = pm.scaled(side, side, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        p.drawPixmap(tx, in.top() + (in.height() - pm.height()) / 2, pm);
        tx += pm.width() + 3;
      }
      int align = Qt::AlignVCenter | ((f.flags & SbRight)    ? Qt::AlignRight
                                      : (f.flags & SbCenter) ? Qt::AlignHCenter
                                                             : Qt::AlignLeft);
      p.setPen(palette().color(QPalette::WindowText));
      p.drawText(QRect(tx, in.top(), in.right() - tx + 1, in.height()), align, toQt(f.text));
      p.setClipping(false);
    }
  }
};

struct BarRec {
  QPointer<StatusBarWidget> w;
  int window = -1;
};

std::map<int, BarRec> g_bars;
int g_build = -1;
bool g_listening = false;

StatusBarWidget* bar(int num) {
  auto it = g_bars.find(num);
  return it == g_bars.end() ? nullptr : it->second.w.data();
}

Field* field(int num, int f) {
  auto* b = bar(num);
  if (!b || f < 0 || f >= int(b->fields.size())) return nullptr;
  return &b->fields[size_t(f)];
}

void onImageChanged(int image) {
  for (auto& [n, r] : g_bars)
    if (r.w)
      for (const Field& f : r.w->fields)
        if (f.image == image) {
          r.w->update();
          break;
        }
}

}  // namespace

bool createStatusBar(int num, int window) {
  auto* w = detail::window(window);
  if (!w || num < 0) return false;
  if (!g_listening) {
    g_listening = true;
    detail::addImageListener(&onImageChanged);
  }
  freeStatusBar(num);
  // One status bar per window: a new one replaces the old.
  if (w->statusBar) freeStatusBar(w->statusBarNum);
  auto* b = new StatusBarWidget(w->client);
  b->show();
  g_bars[num] = {b, window};
  w->statusBar = b;
  w->statusBarNum = num;
  g_build = num;
  detail::layoutBars(window);
  return true;
}

void addStatusBarField(int width) {
  auto* b = bar(g_build);
  if (!b) return;
  Field f;
  f.width = width;
  b->fields.push_back(f);
  b->update();
}

void setStatusBarText(int num, int f, const std::string& text, unsigned flags) {
  Field* fd = field(num, f);
  if (!fd) return;
  fd->text = text;
  fd->flags = flags;
  bar(num)->update();
}

std::string statusBarText(int num, int f) {
  Field* fd = field(num, f);
  return fd ? fd->text : std::string();
}

void setStatusBarImage(int num, int f, int image) {
  Field* fd = field(num, f);
  if (!fd) return;
  fd->image = image;
  auto* b = bar(num);
  b->updateGeometry();
  b->update();
  auto it = g_bars.find(num);
  detail::layoutBars(it->second.window);
}

int statusBarImage(int num, int f) {
  Field* fd = field(num, f);
  return fd ? fd->image : -1;
}

void freeStatusBar(int num) {
  auto it = g_bars.find(num);
  if (it == g_bars.end()) return;
  BarRec r = it->second;
  g_bars.erase(it);
  if (g_build == num) g_build = -1;
  if (auto* w = detail::window(r.window); w && w->statusBarNum == num) {
    w->statusBar = nullptr;
    w->statusBarNum = -1;
  }
  delete r.w.data();
}

bool isStatusBar(int num) { return bar(num) != nullptr; }

int statusBarHeight(int num) {
  auto* b = bar(num);
  return b ? b->sizeHint().height() : 0;
}

}  // namespace tk
