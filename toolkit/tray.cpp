// Tray icons (the desktop's notification area) and the clipboard's change count.
//
// A tray icon belongs to a window: it goes when the window is closed. Clicks on it are
// queued as EvTray with the window, the icon's number in `gadget` and the type 1 (left
// click or double click) or 2 (right click).
#include <QClipboard>
#include <QGuiApplication>
#include <QIcon>
#include <QPointer>
#include <QSystemTrayIcon>

#include <map>

#include "toolkit/internal.h"
#include "toolkit/tk_image.h"
#include "toolkit/tk_window.h"

namespace tk {
namespace {

std::map<int, QPointer<QSystemTrayIcon>> g_trayIcons;
int g_trayOverride = -1;

QSystemTrayIcon* trayIcon(int num) {
  auto it = g_trayIcons.find(num);
  return it == g_trayIcons.end() ? nullptr : it->second.data();
}

QIcon iconOf(int image) {
  QPixmap p = isImage(image) ? detail::imagePixmap(image) : QPixmap();
  return p.isNull() ? QIcon() : QIcon(p);
}

// The change count starts at 1, so that a picture on the clipboard before the first look
// differs from "nothing seen yet" (0).
uint32_t g_clipboardSerial = 1;
bool g_clipboardWatched = false;

}  // namespace

bool trayAvailable() {
  if (g_trayOverride >= 0) return g_trayOverride != 0;
  return QSystemTrayIcon::isSystemTrayAvailable();
}

void testSetTrayAvailable(int state) { g_trayOverride = state < 0 ? -1 : (state ? 1 : 0); }

bool addTrayIcon(int num, int window, int image) {
  auto* w = detail::window(window);
  if (!w || num < 0) return false;
  removeTrayIcon(num);
  // A child of the window's top widget: closing the window takes the icon with it.
  auto* icon = new QSystemTrayIcon(iconOf(image), w->top);
  QObject::connect(icon, &QSystemTrayIcon::activated, icon, [num, window](QSystemTrayIcon::ActivationReason r) {
    Event e;
    e.code = EvTray;
    e.window = window;
    e.gadget = num;
    e.type = r == QSystemTrayIcon::Context ? 2 : 1;
    postEvent(e);
  });
  g_trayIcons[num] = icon;
  if (trayAvailable()) icon->show();
  return true;
}

void removeTrayIcon(int num) {
  auto it = g_trayIcons.find(num);
  if (it == g_trayIcons.end()) return;
  if (it->second) {
    it->second->hide();
    delete it->second.data();
  }
  g_trayIcons.erase(it);
}

bool isTrayIcon(int num) { return trayIcon(num) != nullptr; }

void setTrayIconImage(int num, int image) {
  if (auto* icon = trayIcon(num)) icon->setIcon(iconOf(image));
}

void setTrayIconToolTip(int num, const std::string& text) {
  if (auto* icon = trayIcon(num)) icon->setToolTip(toQt(text));
}

uint32_t clipboardSerial() {
  if (!g_clipboardWatched) {
    QClipboard* board = QGuiApplication::clipboard();
    if (!board) return g_clipboardSerial;
    g_clipboardWatched = true;
    QObject::connect(board, &QClipboard::dataChanged, board, [] {
      if (++g_clipboardSerial == 0) g_clipboardSerial = 1;   // 0 stays "nothing seen"
    });
  }
  return g_clipboardSerial;
}

}  // namespace tk
