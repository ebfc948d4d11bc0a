// Windows by number and per-window timers.
#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QGuiApplication>
#include <QMenuBar>
#include <QPainter>
#include <QResizeEvent>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include "toolkit/internal.h"
#include "toolkit/tk_image.h"

namespace tk {
namespace detail {

void forgetWindowShortcuts(int win);   // keyboard.cpp
void setWindowMenuBar(int num, QMenuBar* bar);
void menuBarChanged(QMenuBar* bar);

namespace {
// Each record lives on its own, so a reference held by a frame below stays valid while
// the map changes; a record closed inside a window event is kept in g_closedRecords
// until control is back in the event loop (the frames that called into the callback
// may still lay it out).
std::map<int, std::unique_ptr<WindowRec>> g_windows;
std::vector<std::unique_ptr<WindowRec>> g_closedRecords;
int g_current = -1;
std::map<std::pair<int, int>, QTimer*> g_timers;
std::map<int, std::pair<int, int>> g_mouseOverride;
// Depth of window callbacks and window event handlers running: a window closed from
// inside one of them is deleted once control is back in the event loop.
int g_inWindowEvent = 0;

// Frees the records closed inside window events once no callback is running (a nested
// event loop inside a callback waits for the next turn after it).
void freeClosedRecordsLater() {
  QTimer::singleShot(0, [] {
    if (g_inWindowEvent > 0) freeClosedRecordsLater();
    else g_closedRecords.clear();
  });
}

int callCallback(WindowRec* rec, int msg, intptr_t wp, intptr_t lp) {
  if (!rec || !rec->callback) return 0;
  WindowCallback cb = rec->callback;   // the callback may replace itself
  ++g_inWindowEvent;
  int r = cb(rec->num, msg, wp, lp);
  --g_inWindowEvent;
  return r;
}

int menuBarHeight(const WindowRec& r) {
  return r.menuBar && !r.menuBar->isHidden() ? r.menuBar->sizeHint().height() : 0;
}

// Menu bar at the top, the inner area below it.
void layoutTop(WindowRec& r) {
  if (!r.top || !r.client) return;
  int mh = menuBarHeight(r);
  int w = r.top->width(), h = r.top->height();
  if (r.menuBar) r.menuBar->setGeometry(0, 0, w, mh);
  r.client->setGeometry(0, mh, w, std::max(0, h - mh));
  layoutBars(r.num);
}

// Gives the window the outer size that holds an inner area of w x h.
void setInnerSize(WindowRec& r, int w, int h) {
  w = std::max(w, 0);
  h = std::max(h, 0);
  int th = h + menuBarHeight(r);
  if (!(r.flags & WfSizing)) r.top->setFixedSize(w, th);
  else r.top->resize(w, th);
  layoutTop(r);
}

// The top-level widget of a numbered window. Its close box and resizes become events.
class TopWindow : public QWidget {
 public:
  TopWindow(int num, QWidget* parent, Qt::WindowFlags f) : QWidget(parent, f), num_(num) {}
  int num_;

 protected:
  void closeEvent(QCloseEvent* e) override {
    e->ignore();
    auto* rec = detail::window(num_);
    if (!rec) return;
    if (callCallback(rec, EvClose, 0, 0)) return;
    Event ev;
    ev.code = EvClose;
    ev.window = num_;
    postEvent(ev);
  }
  void resizeEvent(QResizeEvent* e) override {
    QWidget::resizeEvent(e);
    if (auto* rec = detail::window(num_)) layoutTop(*rec);
  }
};

// The inner area: gadgets are absolute children; resizes are reported.
class ClientArea : public QWidget {
 public:
  ClientArea(int num, QWidget* parent) : QWidget(parent), num_(num) { setMouseTracking(true); }
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
    auto* rec = detail::window(num_);
    if (!rec) return;
    intptr_t size = (intptr_t(width()) & 0xFFFF) | ((intptr_t(height()) & 0xFFFF) << 16);
    if (callCallback(rec, EvResize, 0, size)) return;
    Event ev;
    ev.code = EvResize;
    ev.window = num_;
    ev.lParam = size;
    postEvent(ev);
  }
};
}  // namespace

std::map<int, std::unique_ptr<WindowRec>>& windows() { return g_windows; }

WindowRec* window(int num) {
  auto it = g_windows.find(num);
  if (it == g_windows.end() || !it->second->top) return nullptr;
  return it->second.get();
}

int windowOf(const QWidget* w) {
  if (!w) return -1;
  const QWidget* top = w->window();
  for (auto& [num, rec] : g_windows)
    if (rec->top == top) return num;
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

// Attaches bar (nullptr: none) as the window's menu bar; the inner size stays.
void setWindowMenuBar(int num, QMenuBar* bar) {
  auto* r = window(num);
  if (!r) return;
  if (r->menuBar == bar) return;
  int cw = r->client->width(), ch = r->client->height();
  if (r->menuBar) {
    r->menuBar->hide();
    r->menuBar->setParent(nullptr);
  }
  r->menuBar = bar;
  if (bar) {
    // A bar attached elsewhere moves here.
    for (auto& [n, other] : g_windows)
      if (n != num && other->menuBar == bar) {
        other->menuBar = nullptr;
        setInnerSize(*other, other->client->width(), other->client->height() + bar->sizeHint().height());
      }
    bar->setParent(r->top);
    bar->show();
  }
  setInnerSize(*r, cw, ch);
}

// The bar's contents changed (a title added): its height may differ, the inner size stays.
void menuBarChanged(QMenuBar* bar) {
  // By number: a resize callback may close windows while this runs.
  std::vector<int> holding;
  for (auto& [n, r] : g_windows)
    if (r->top && r->menuBar == bar) holding.push_back(n);
  for (int n : holding)
    if (WindowRec* r = window(n)) setInnerSize(*r, r->client->width(), r->client->height());
}

}  // namespace detail

using detail::g_current;
using detail::g_windows;
using detail::window;

int openWindow(int num, int x, int y, int w, int h, const std::string& title, unsigned flags,
               int owner) {
  if (!initialised()) return -1;
  if (w < 0 || h < 0 || w > 32767 || h > 32767) return -1;
  if (num < 0) {
    num = 1000;
    while (g_windows.count(num)) ++num;
  }
  if (window(num)) closeWindow(num);
  QWidget* ownerTop = nullptr;
  if (auto* o = window(owner)) ownerTop = o->top;
  Qt::WindowFlags wf = ownerTop ? Qt::Dialog : Qt::Window;
  if (flags & WfBorderless) {
    wf = Qt::FramelessWindowHint | (ownerTop ? Qt::Tool : Qt::Window);
  } else {
    if (flags & WfTool) wf = Qt::Tool;
    wf |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (flags & WfSystemMenu) wf |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (flags & WfMinimize) wf |= Qt::WindowMinimizeButtonHint;
    if (flags & WfMaximize) wf |= Qt::WindowMaximizeButtonHint;
  }
  if (flags & WfTopmost) wf |= Qt::WindowStaysOnTopHint;
  auto* top = new detail::TopWindow(num, ownerTop, wf);
  top->setWindowTitle(toQt(title));
  auto* client = new detail::ClientArea(num, top);
  auto rec = std::make_unique<detail::WindowRec>();
  rec->num = num;
  rec->top = top;
  rec->client = client;
  rec->flags = flags;
  rec->owner = owner;
  detail::WindowRec& placed = *rec;
  g_windows[num] = std::move(rec);
  if (flags & WfCentered) {
    x = (desktopWidth() - w) / 2;
    y = (desktopHeight() - h) / 2;
  }
  top->move(x, y);
  detail::setInnerSize(placed, w, h);
  if (!(flags & WfHidden)) top->show();
  g_current = num;
  return num;
}

void closeWindow(int num) {
  auto it = g_windows.find(num);
  if (it == g_windows.end()) return;
  for (auto t = detail::g_timers.begin(); t != detail::g_timers.end();) {
    if (t->first.first == num) {
      t->second->stop();
      t->second->deleteLater();
      t = detail::g_timers.erase(t);
    } else {
      ++t;
    }
  }
  detail::forgetWindowShortcuts(num);
  // The menu bar is numbered on its own and outlives the window.
  std::unique_ptr<detail::WindowRec> rec = std::move(it->second);
  g_windows.erase(it);
  if (rec->menuBar) {
    rec->menuBar->hide();
    rec->menuBar->setParent(nullptr);
  }
  QWidget* top = rec->top;
  if (top) top->hide();
  if (detail::g_inWindowEvent > 0) {
    // The frames that led into this callback may still use the record and the widget.
    if (top) top->deleteLater();
    if (detail::g_closedRecords.empty()) detail::freeClosedRecordsLater();
    detail::g_closedRecords.push_back(std::move(rec));
  } else {
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
  if (w != -1 || h != -1)
    detail::setInnerSize(*r, w == -1 ? r->client->width() : w, h == -1 ? r->client->height() : h);
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

static int mouseCoord(int num, bool wantX) {
  auto o = detail::g_mouseOverride.find(num);
  if (o != detail::g_mouseOverride.end()) return wantX ? o->second.first : o->second.second;
  auto* r = window(num);
  if (!r) return -1;
  QPoint p = r->client->mapFromGlobal(QCursor::pos());
  if (!r->client->rect().contains(p)) return -1;
  return wantX ? p.x() : p.y();
}

int windowMouseX(int num) { return mouseCoord(num, true); }
int windowMouseY(int num) { return mouseCoord(num, false); }

void testSetWindowMouse(int num, int x, int y) {
  if (x == -2) detail::g_mouseOverride.erase(num);
  else detail::g_mouseOverride[num] = {x, y};
}

void setWindowCallback(int num, WindowCallback cb) {
  if (auto* r = window(num)) r->callback = std::move(cb);
}

void addTimer(int win, int timer, int ms, std::function<void()> callback) {
  removeTimer(win, timer);
  if (!window(win) || !callback) return;
  // Not a child of the window: a callback may close its own window.
  auto* t = new QTimer;
  QObject::connect(t, &QTimer::timeout, std::move(callback));
  t->start(std::max(ms, 1));
  detail::g_timers[{win, timer}] = t;
}

void removeTimer(int win, int timer) {
  auto it = detail::g_timers.find({win, timer});
  if (it == detail::g_timers.end()) return;
  // The timer may be the one whose callback is running now.
  it->second->stop();
  it->second->deleteLater();
  detail::g_timers.erase(it);
}

int timerInterval(int win, int timer) {
  auto it = detail::g_timers.find({win, timer});
  return it == detail::g_timers.end() ? -1 : it->second->interval();
}

}  // namespace tk
