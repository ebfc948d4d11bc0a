// Full-screen windows: a borderless window laid over the whole of one screen.
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include "toolkit/internal.h"
#include "toolkit/tk_window.h"

namespace tk {

bool showFullScreen(int num, int onWindow) {
  detail::WindowRec* r = detail::window(num);
  if (!r || !r->top) return false;
  QScreen* screen = nullptr;
  if (detail::WindowRec* o = detail::window(onWindow); o && o->top) screen = o->top->screen();
  if (!screen) screen = QGuiApplication::primaryScreen();
  if (!screen) return false;
  const QRect g = screen->geometry();
  if (g.width() < 1 || g.height() < 1) return false;
  resizeWindow(num, g.x(), g.y(), g.width(), g.height());
  r->top->setScreen(screen);
  r->top->showFullScreen();
  r->top->raise();
  r->top->activateWindow();
  return true;
}

}  // namespace tk
