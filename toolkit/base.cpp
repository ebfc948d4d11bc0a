// Start-up, program folder, text conversion, random numbers and the event queue.
#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QFile>
#include <QFont>
#include <QFontDatabase>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <deque>
#include <random>

#include "toolkit/internal.h"

namespace tk {

namespace {

std::string g_programFolder;
std::deque<Event> g_queue;
Event g_current;
std::vector<std::function<void()>> g_deferred;
// The program's random numbers: a small 64-bit generator (a Weyl sequence through a
// 128-bit multiply), fast enough for effects that draw several numbers per cell.
struct FastRandom {
  uint64_t state;
  void seed(uint64_t s) { state = s * 0x9E3779B97F4A7C15ull + 1; }
  uint64_t next() {
    state += 0xA0761D6478BD642Full;
    const __uint128_t m = __uint128_t(state) * (state ^ 0xE7037ED1A0B428DBull);
    return uint64_t(m >> 64) ^ uint64_t(m);
  }
} g_random{std::random_device{}()};
// Test overrides of key states; -1 means the real state.
struct KeyOverrides {
  int state[256];
  KeyOverrides() { for (int& k : state) k = -1; }
  int& operator[](int vk) { return state[vk]; }
} g_keyOverride;
bool g_keyState[256];     // keys seen pressed and not yet released in our windows
int g_desktopW = -1, g_desktopH = -1, g_osCode = -1;
QApplication* g_app = nullptr;

// Windows-1252 bytes 0x80..0x9F; the five unassigned bytes map to the C1 controls of
// the same value so that every byte survives a round trip.
const char16_t kHigh[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char16_t toUnicode(uint8_t b) { return (b >= 0x80 && b < 0xA0) ? kHigh[b - 0x80] : char16_t(b); }

char fromUnicode(char16_t c) {
  if (c < 0x80 || (c >= 0xA0 && c < 0x100)) return char(c);
  for (int i = 0; i < 32; ++i)
    if (kHigh[i] == c) return char(0x80 + i);
  return '?';
}

uint8_t foldCase(uint8_t b) {
  if (b >= 'a' && b <= 'z') return b - 32;
  if (b >= 0xE0 && b <= 0xFE && b != 0xF7) return b - 32;
  if (b == 0x9A || b == 0x9C || b == 0x9E) return b - 16;  // š œ ž
  if (b == 0xFF) return 0x9F;                                // ÿ
  return b;
}

// Sees the raw input of our windows: keys, focus changes and mouse buttons become
// queue events; key presses are matched against the window's shortcuts first.
class InputFilter : public QObject {
 public:
  bool eventFilter(QObject* obj, QEvent* ev) override {
    switch (ev->type()) {
      case QEvent::KeyPress:
      case QEvent::KeyRelease:
      case QEvent::ShortcutOverride:
      case QEvent::FocusIn:
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonRelease:
      case QEvent::MouseMove:
        break;
      default:
        return false;
    }
    if (!obj->isWidgetType()) return false;
    auto* w = static_cast<QWidget*>(obj);
    int win = detail::windowOf(w);
    if (win < 0) return false;
    if (ev->type() == QEvent::FocusIn) {
      if (g_queue.empty() || g_queue.back().code != EvFocus) {
        Event e;
        e.code = EvFocus;
        e.window = win;
        e.gadget = detail::gadgetOfWidget(w);
        postEvent(e);
      }
      return false;
    }
    if (ev->type() == QEvent::ShortcutOverride) {
      // Our shortcuts act like accelerators: claim the key before the widget's own.
      auto* ke = static_cast<QKeyEvent*>(ev);
      int vk = detail::virtualKey(ke);
      int key = vk | ((ke->modifiers() & Qt::ShiftModifier) ? ModShift : 0) |
                ((ke->modifiers() & Qt::ControlModifier) ? ModCtrl : 0) |
                ((ke->modifiers() & Qt::AltModifier) ? ModAlt : 0);
      if (vk && hasShortcut(win, key)) ev->accept();
      return false;
    }
    if (ev->type() == QEvent::KeyPress || ev->type() == QEvent::KeyRelease) {
      auto* ke = static_cast<QKeyEvent*>(ev);
      // Key events propagate to parents; handle each once.
      if (propagated(ke, w)) return false;
      int vk = detail::virtualKey(ke);
      if (!vk) return false;
      g_keyState[vk & 0xFF] = ev->type() == QEvent::KeyPress;
      if (ev->type() == QEvent::KeyPress) {
        int key = vk | ((ke->modifiers() & Qt::ShiftModifier) ? ModShift : 0) |
                  ((ke->modifiers() & Qt::ControlModifier) ? ModCtrl : 0) |
                  ((ke->modifiers() & Qt::AltModifier) ? ModAlt : 0);
        if (detail::matchShortcut(win, key)) return true;
      }
      Event e;
      e.code = ev->type() == QEvent::KeyPress ? EvKeyDown : EvKeyUp;
      e.window = win;
      e.gadget = detail::gadgetOfWidget(w);
      e.wParam = vk;
      postEvent(e);
      return false;
    }
    auto* me = static_cast<QMouseEvent*>(ev);
    if (propagated(me, w)) return false;
    auto* rec = detail::window(win);
    QPoint p = rec && rec->client ? rec->client->mapFromGlobal(me->globalPosition().toPoint())
                                  : me->position().toPoint();
    Event e;
    e.window = win;
    e.gadget = detail::gadgetOfWidget(w);
    e.lParam = (intptr_t(p.x()) & 0xFFFF) | ((intptr_t(p.y()) & 0xFFFF) << 16);
    if (ev->type() == QEvent::MouseMove) {
      e.code = EvMouseMove;
    } else if (ev->type() == QEvent::MouseButtonPress) {
      if (me->button() == Qt::LeftButton) e.code = EvLeftDown;
      else if (me->button() == Qt::RightButton) e.code = EvRightDown;
      else return false;
    } else {
      if (me->button() == Qt::LeftButton) e.code = EvLeftUp;
      else if (me->button() == Qt::RightButton) e.code = EvRightUp;
      else return false;
    }
    if (rec && rec->callback) {
      WindowCallback cb = rec->callback;   // it may replace itself
      if (cb(win, e.code, 0, e.lParam)) return false;
    }
    if (e.code == EvMouseMove && !g_queue.empty() && g_queue.back().code == EvMouseMove &&
        g_queue.back().window == win) {
      g_queue.back() = e;  // coalesce moves
      return false;
    }
    postEvent(e);
    return false;
  }

 private:
  // True when ev is an input event we already handled, now passed on to the parent of
  // the widget that ignored it (mouse events travel as copies, so the address tells
  // nothing; synthesised input may repeat time stamps, so the receiver's parentage
  // decides).
  bool propagated(const QInputEvent* ev, QWidget* receiver) {
    int what = 0;
    QPointF where;
    if (ev->type() == QEvent::KeyPress || ev->type() == QEvent::KeyRelease) {
      what = static_cast<const QKeyEvent*>(ev)->key();
    } else {
      auto* me = static_cast<const QMouseEvent*>(ev);
      what = int(me->button());
      where = me->globalPosition();
    }
    bool again = ev->type() == lastType_ && ev->timestamp() == lastTime_ && what == lastWhat_ &&
                 where == lastWhere_ && lastReceiver_ && receiver == lastReceiver_->parentWidget();
    lastType_ = ev->type();
    lastTime_ = ev->timestamp();
    lastWhat_ = what;
    lastWhere_ = where;
    lastReceiver_ = receiver;
    return again;
  }
  QEvent::Type lastType_ = QEvent::None;
  quint64 lastTime_ = 0;
  int lastWhat_ = 0;
  QPointF lastWhere_;
  QPointer<QWidget> lastReceiver_;
};

InputFilter* g_filter = nullptr;

}  // namespace

void init(int argc, char** argv) {
  if (g_programFolder.empty() && argc > 0 && argv && argv[0]) {
    QFileInfo fi(QString::fromLocal8Bit(argv[0]));
    std::string dir = fi.absoluteDir().absolutePath().toStdString();
    setProgramFolder(fromUtf8(dir));
  }
  if (!g_app && !QCoreApplication::instance()) {
    static int s_argc = 1;
    static char s_name[] = "Corvalen";
    static char* s_argv[] = {s_name, nullptr};
    g_app = new QApplication(s_argc, s_argv);
    QApplication::setQuitOnLastWindowClosed(false);
  }
  static bool fontsRegistered = false;
  if (!fontsRegistered) {
    fontsRegistered = true;
    // The dialog layouts are measured in the narrow 8-point face: the Tahoma-compatible face
    // ships outside the font paths, so it is registered here and made the default.
    for (const char* face : {"/usr/share/wine/fonts/tahoma.ttf", "/usr/share/wine/fonts/tahomabd.ttf"})
      if (QFile::exists(QString::fromLatin1(face))) QFontDatabase::addApplicationFont(QString::fromLatin1(face));
    if (QFontDatabase::families().contains(QStringLiteral("Tahoma"))) {
      QFont font(QStringLiteral("Tahoma"));
      font.setPointSize(8);
      QApplication::setFont(font);
    }
  }
  if (!g_filter) {
    g_filter = new InputFilter;
    QCoreApplication::instance()->installEventFilter(g_filter);
  }
}

bool initialised() { return g_filter != nullptr; }

void processPending() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

const std::string& programFolder() {
  if (g_programFolder.empty()) {
    std::string dir = fromUtf8(QDir::currentPath().toStdString());
    g_programFolder = dir + "/";
  }
  return g_programFolder;
}

void setProgramFolder(const std::string& folder) {
  g_programFolder = folder;
  std::replace(g_programFolder.begin(), g_programFolder.end(), '\\', '/');
  if (g_programFolder.empty() || g_programFolder.back() != '/') g_programFolder += '/';
}

std::string resolvePath(const std::string& path) {
  std::string p = path;
  std::replace(p.begin(), p.end(), '\\', '/');
  if (p.empty() || p[0] == '/') return p;
  return programFolder() + p;
}

QString toQt(const std::string& s) {
  QString out;
  out.resize(qsizetype(s.size()));
  for (size_t i = 0; i < s.size(); ++i) out[qsizetype(i)] = QChar(toUnicode(uint8_t(s[i])));
  return out;
}

std::string fromQt(const QString& s) {
  std::string out;
  out.reserve(size_t(s.size()));
  for (QChar c : s) out.push_back(fromUnicode(c.unicode()));
  return out;
}

std::string toUtf8(const std::string& cp1252) { return toQt(cp1252).toUtf8().toStdString(); }

std::string fromUtf8(const std::string& utf8) {
  return fromQt(QString::fromUtf8(utf8.data(), qsizetype(utf8.size())));
}

int compareNoCase(const std::string& a, const std::string& b) {
  size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    uint8_t x = foldCase(uint8_t(a[i])), y = foldCase(uint8_t(b[i]));
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

void sortNoCase(std::string* first, std::string* last) {
  std::stable_sort(first, last,
                   [](const std::string& a, const std::string& b) { return compareNoCase(a, b) < 0; });
}

namespace {
std::function<int32_t(int32_t)> g_randomSource;
}

void testSetRandomSource(std::function<int32_t(int32_t)> draw) { g_randomSource = std::move(draw); }

int32_t random(int32_t n) {
  if (g_randomSource) [[unlikely]] return g_randomSource(n);
  if (n <= 0) return 0;
  // 0..n without bias: the high half of a 32 x 32-bit product, redrawn in the rare case
  // that the low half falls into the uneven remainder.
  const uint64_t range = uint64_t(n) + 1;
  uint64_t m = (g_random.next() & 0xFFFFFFFFu) * range;
  if (uint32_t(m) < range) {
    const uint32_t threshold = uint32_t(-uint32_t(range)) % uint32_t(range);
    while (uint32_t(m) < threshold) m = (g_random.next() & 0xFFFFFFFFu) * range;
  }
  return int32_t(m >> 32);
}

void randomSeed(uint32_t seed) { g_random.seed(seed); }

void postEvent(const Event& e) {
  g_queue.push_back(e);
  if (auto* d = QAbstractEventDispatcher::instance()) d->wakeUp();
}

int queuedEvents() { return int(g_queue.size()); }

void deferToNextWait(std::function<void()> work) {
  g_deferred.push_back(std::move(work));
  if (auto* d = QAbstractEventDispatcher::instance()) d->wakeUp();
}

static void runDeferred() {
  while (!g_deferred.empty()) {
    auto work = std::move(g_deferred);
    g_deferred.clear();
    for (auto& w : work) w();
  }
}

static int takeEvent() {
  g_current = g_queue.front();
  g_queue.pop_front();
  return g_current.code;
}

int waitEvent(int timeoutMs) {
  runDeferred();
  if (!QCoreApplication::instance()) return EvNone;
  QElapsedTimer clock;
  clock.start();
  bool timedOut = false;
  QTimer timer;
  if (timeoutMs >= 0) {
    timer.setSingleShot(true);
    timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer, &QTimer::timeout, [&] { timedOut = true; });
    timer.start(timeoutMs);
  }
  // Let what is already pending (paints, posted input) run before deciding to sleep.
  QCoreApplication::processEvents(QEventLoop::AllEvents);
  runDeferred();
  while (g_queue.empty()) {
    if (timedOut || (timeoutMs >= 0 && clock.elapsed() >= timeoutMs)) {
      g_current = Event{};
      return EvNone;
    }
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    runDeferred();
  }
  return takeEvent();
}

int pollEvent() {
  runDeferred();
  if (QCoreApplication::instance()) QCoreApplication::processEvents(QEventLoop::AllEvents);
  runDeferred();
  if (g_queue.empty()) {
    g_current = Event{};
    return EvNone;
  }
  return takeEvent();
}

void drainEvents() {
  if (QCoreApplication::instance()) QCoreApplication::processEvents(QEventLoop::AllEvents);
  runDeferred();
  g_queue.clear();
}

bool takeEventsThrough(int code) {
  runDeferred();
  if (QCoreApplication::instance()) QCoreApplication::processEvents(QEventLoop::AllEvents);
  runDeferred();
  while (!g_queue.empty())
    if (takeEvent() == code) return true;
  g_current = Event{};
  return false;
}

bool dropQueuedEvent(int code) {
  for (auto it = g_queue.begin(); it != g_queue.end(); ++it)
    if (it->code == code) {
      g_queue.erase(it);
      return true;
    }
  return false;
}

const Event& currentEvent() { return g_current; }

bool keyDown(int vk) {
  if (vk >= 0 && vk < 256 && g_keyOverride[vk] >= 0) return g_keyOverride[vk] != 0;
  Qt::KeyboardModifiers m = QGuiApplication::queryKeyboardModifiers();
  switch (vk) {
    case 0x10: return m & Qt::ShiftModifier;
    case 0x11: return m & Qt::ControlModifier;
    case 0x12: return m & Qt::AltModifier;
    case 0x01: return QGuiApplication::mouseButtons() & Qt::LeftButton;
    case 0x02: return QGuiApplication::mouseButtons() & Qt::RightButton;
    default: return vk >= 0 && vk < 256 && g_keyState[vk];
  }
}

void testSetKeyDown(int vk, int state) {
  if (vk >= 0 && vk < 256) g_keyOverride[vk] = state;
}

int desktopWidth() {
  if (g_desktopW >= 0) return g_desktopW;
  auto* s = QGuiApplication::primaryScreen();
  return s ? s->geometry().width() : 1024;
}

int desktopHeight() {
  if (g_desktopH >= 0) return g_desktopH;
  auto* s = QGuiApplication::primaryScreen();
  return s ? s->geometry().height() : 768;
}

void testSetDesktopSize(int w, int h) {
  g_desktopW = w;
  g_desktopH = h;
}

// A current system: never one of the old codes (30, 40) the program treats apart.
int operatingSystemCode() { return g_osCode >= 0 ? g_osCode : 100; }
void testSetOperatingSystemCode(int code) { g_osCode = code; }

namespace detail {
std::string localPath(const std::string& path) { return toUtf8(resolvePath(path)); }
}  // namespace detail

}  // namespace tk
