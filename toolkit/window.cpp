// Windows by number and per-window timers.
#include <QCloseEvent>
#include <QCursor>
#include <QGuiApplication>
#include <QMenuBar>
#include <QPainter>
#include <QResizeEvent>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>

#include "toolkit/internal.h"
#include "toolkit/tk_image.h"

namespace tk {
namespace detail {

namespace {
std::map<int, WindowRec> g_windows;
int g_current = -1;
std::map<std::pair<int, int>, QTimer*> g_timers;
std::map<int, std::pair<int, int>> g_mouseOverride;

// The top-level widget of a numbered window. Its close box and resizes become events.
class TopWindow : public QWidget {
 public:
  explicit TopWindow(int num) : num_(num) { setAttribute(Qt::WA_DeleteOnClose, false); }
  int num_;

 protected:
  void closeEvent(QCloseEvent* e) override {
    e->ignore();
    auto* rec = window(num_);
    if (rec && rec->callback && rec->callback(num_, EvClose, 0, 0)) return;
    Event ev;
    ev.code = EvClose;
    ev.window = num_;
    postEvent(ev);
  }
};

// The inner area: gadgets are absolute children; resizes are reported.
class ClientArea : public QWidget {
 public:
  explicit ClientArea(int num, QWidget* parent) : QWidget(parent), num_(num) {
    setMouseTracking(true);
  }
  int num_;

 protected:
  void paintEvent(QPaintEvent*) override {
    if (!isImage(WindowImageBase + num_)) return;
    QPainter p(this);
    p.drawPixmap(0, 0, imagePixmap(WindowImageBase + num_));
  }
  void resizeEvent(QResizeEvent* e) override {
    QWidget::resizeEvent(e);
    layoutBars(num_);
    auto* rec = window(num_);
    intptr_t size = (intptr_t(width()) & 0xFFFF) | ((intptr_t(height()) & 0xFFFF) << 16);
    if (rec && rec->callback && rec->callback(num_, EvResize, 0, size)) return;
    Event ev;
    ev.code = EvResize;
    ev.window = num_;
    ev.lParam = size;
    postEvent(ev);
  }
};
}  // namespace

std::map<int, WindowRec>& windows() { return g_windows; }

WindowRec* window(int num) {
  auto it = g_windows.find(num);
  if (it == g_windows.end() || !it->second.top) return nullptr;
  return &it->second;
}

int windowOf(const QWidget* w) {
  if (!w) return -1;
  const QWidget* top = w->window();
  for (auto& [num, rec] : g_windows)
    if (rec.top == top) return num;
  return -1;
}

void layoutBars(int num) {
  auto* rec = window(num);
  if (!rec || !rec->client) return;
  int w = rec->client->width(), h = rec->client->height();
  if (rec->toolBar) {
    rec->toolBar->setGeometry(0, 0, w, rec->toolBar->sizeHint().height());
    rec->toolBar->raise();
  }
  if (rec->statusBar) {
    int sh = rec->statusBar->sizeHint().height();
    rec->statusBar->setGeometry(0, h - sh, w, sh);
    rec->statusBar->raise();
  }
}

}  // namespace detail

using detail::g_current;
using detail::g_windows;
using detail::window;

int openWindow(int num, int x, int y, int w, int h, const std::string& title, unsigned flags,
               int owner) {
  if (!initialised()) return -1;
  if (num < 0) {
    num = 1000;
    while (g_windows.count(num)) ++num;
  }
  if (window(num)) closeWindow(num);
  QWidget* ownerTop = nullptr;
  if (auto* o = window(owner)) ownerTop = o->top;
  auto* top = new detail::TopWindow(num);
  Qt::WindowFlags wf = ownerTop ? Qt::Dialog : Qt::Window;
  if (flags & WfBorderless) {
    wf = Qt::FramelessWindowHint | (ownerTop ? Qt::Tool : Qt::Window);
  } else {
    wf |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (flags & WfSystemMenu) wf |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (flags & WfMinimize) wf |= Qt::WindowMinimizeButtonHint;
    if (flags & WfMaximize) wf |= Qt::WindowMaximizeButtonHint;
    if (flags & WfTool) wf |= Qt::Tool;
  }
  if (flags & WfTopmost) wf |= Qt::WindowStaysOnTopHint;
  if (ownerTop) top->setParent(ownerTop, wf);
  else top->setWindowFlags(wf);
  top->setWindowTitle(toQt(title));
  auto* layout = new QVBoxLayout(top);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  auto* client = new detail::ClientArea(num, top);
  layout->addWidget(client);
  detail::WindowRec rec;
  rec.num = num;
  rec.top = top;
  rec.client = client;
  rec.flags = flags;
  rec.owner = owner;
  g_windows[num] = rec;
  if (flags & WfCentered) {
    QRect s = QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->geometry()
                                                : QRect(0, 0, 1024, 768);
    x = s.x() + (s.width() - w) / 2;
    y = s.y() + (s.height() - h) / 2;
  }
  top->move(x, y);
  top->resize(w, h);
  if (!(flags & WfSizing)) top->setFixedSize(w, h);
  if (!(flags & WfHidden)) top->show();
  g_current = num;
  return num;
}

void closeWindow(int num) {
  auto it = g_windows.find(num);
  if (it == g_windows.end()) return;
  for (auto t = detail::g_timers.begin(); t != detail::g_timers.end();) {
    if (t->first.first == num) {
      delete t->second;
      t = detail::g_timers.erase(t);
    } else {
      ++t;
    }
  }
  QWidget* top = it->second.top;
  g_windows.erase(it);
  if (top) {
    top->hide();
    delete top;
  }
  if (g_current == num) g_current = -1;
}

bool isWindow(int num) { return window(num) != nullptr; }

void hideWindow(int num, bool hide) {
  if (auto* r = window(num)) r->top->setVisible(!hide);
}

bool windowHidden(int num) {
  auto* r = window(num);
  return !r || !r->top->isVisible();
}

void disableWindow(int num, bool disable) {
  if (auto* r = window(num)) r->top->setEnabled(!disable);
}

void activateWindow(int num) {
  if (auto* r = window(num)) {
    r->top->show();
    r->top->raise();
    r->top->activateWindow();
  }
}

void bringToFront(int num) {
  if (auto* r = window(num)) r->top->raise();
}

int activeWindow() {
  QWidget* a = QApplication::activeWindow();
  return a ? detail::windowOf(a) : -1;
}

int windowX(int num) {
  auto* r = window(num);
  return r ? r->top->x() : 0;
}
int windowY(int num) {
  auto* r = window(num);
  return r ? r->top->y() : 0;
}
int windowWidth(int num) {
  auto* r = window(num);
  return r ? r->client->width() : 0;
}
int windowHeight(int num) {
  auto* r = window(num);
  return r ? r->client->height() : 0;
}

void resizeWindow(int num, int x, int y, int w, int h) {
  auto* r = window(num);
  if (!r) return;
  if (x != -1 || y != -1) r->top->move(x == -1 ? r->top->x() : x, y == -1 ? r->top->y() : y);
  if (w != -1 || h != -1) {
    int extraH = r->top->height() - r->client->height();
    int extraW = r->top->width() - r->client->width();
    int nw = (w == -1 ? r->client->width() : w) + extraW;
    int nh = (h == -1 ? r->client->height() : h) + extraH;
    if (!(r->flags & WfSizing)) r->top->setFixedSize(nw, nh);
    else r->top->resize(nw, nh);
    // Offscreen and hidden windows lay out at once, so sizes read back are current.
    if (auto* l = r->top->layout()) l->activate();
  }
}

void setWindowTitle(int num, const std::string& title) {
  if (auto* r = window(num)) r->top->setWindowTitle(toQt(title));
}

std::string windowTitle(int num) {
  auto* r = window(num);
  return r ? fromQt(r->top->windowTitle()) : std::string();
}

void setWindowIcon(int num, int image) {
  auto* r = window(num);
  if (!r) return;
  if (isImage(image)) r->top->setWindowIcon(QIcon(detail::imagePixmap(image)));
}

void setWindowColor(int num, uint32_t c) {
  auto* r = window(num);
  if (!r) return;
  QPalette p = r->client->palette();
  p.setColor(QPalette::Window, QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF));
  r->client->setPalette(p);
  r->client->setAutoFillBackground(true);
}

void useWindow(int num) {
  if (window(num)) g_current = num;
}

int currentWindow() { return g_current; }

int windowMouseX(int num) {
  auto o = detail::g_mouseOverride.find(num);
  if (o != detail::g_mouseOverride.end()) return o->second.first;
  auto* r = window(num);
  if (!r) return -1;
  QPoint p = r->client->mapFromGlobal(QCursor::pos());
  return r->client->rect().contains(p) ? p.x() : -1;
}

int windowMouseY(int num) {
  auto o = detail::g_mouseOverride.find(num);
  if (o != detail::g_mouseOverride.end()) return o->second.second;
  auto* r = window(num);
  if (!r) return -1;
  QPoint p = r->client->mapFromGlobal(QCursor::pos());
  return r->client->rect().contains(p) ? p.y() : -1;
}

void testSetWindowMouse(int num, int x, int y) {
  if (x == -2) detail::g_mouseOverride.erase(num);
  else detail::g_mouseOverride[num] = {x, y};
}

void setWindowCallback(int num, WindowCallback cb) {
  if (auto* r = window(num)) r->callback = std::move(cb);
}

void addTimer(int win, int timer, int ms, std::function<void()> callback) {
  removeTimer(win, timer);
  auto* r = window(win);
  if (!r) return;
  auto* t = new QTimer(r->top);
  QObject::connect(t, &QTimer::timeout, std::move(callback));
  t->start(ms);
  detail::g_timers[{win, timer}] = t;
}

void removeTimer(int win, int timer) {
  auto it = detail::g_timers.find({win, timer});
  if (it == detail::g_timers.end()) return;
  delete it->second;
  detail::g_timers.erase(it);
}

}  // namespace tk
