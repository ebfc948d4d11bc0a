// Tool bars by number: image and standard buttons in the menu id space.
#include <QAction>
#include <QPainter>
#include <QPainterPath>
#include <QPointer>
#include <QToolBar>
#include <QToolButton>
#include <vector>

#include "toolkit/internal.h"
#include "toolkit/tk_image.h"

namespace tk {

namespace {

struct ToolBarRec {
  QPointer<QToolBar> bar;
  int window = -1;
  std::vector<QPointer<QAction>> buttons;
};

std::map<int, ToolBarRec> g_bars;
int g_build = -1;
bool g_listening = false;

ToolBarRec* barRec(int num) {
  auto it = g_bars.find(num);
  if (it == g_bars.end() || !it->second.bar) return nullptr;
  return &it->second;
}

QAction* findButton(int num, int id) {
  auto* r = barRec(num);
  if (!r) return nullptr;
  for (auto& a : r->buttons)
    if (a && a->data().toInt() == id) return a;
  return nullptr;
}

// The standard pictures, drawn small in the system's plain style.
QPixmap standardPixmap(StandardIcon icon) {
  QPixmap pm(16, 16);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing, true);
  const QColor ink(40, 40, 40), paper(255, 255, 255), blue(30, 90, 200), yellow(230, 190, 60);
  auto page = [&](QRectF r) {
    QPainterPath path;
    path.moveTo(r.left(), r.top());
    path.lineTo(r.right() - 3, r.top());
    path.lineTo(r.right(), r.top() + 3);
    path.lineTo(r.right(), r.bottom());
    path.lineTo(r.left(), r.bottom());
    path.closeSubpath();
    p.setPen(ink);
    p.setBrush(paper);
    p.drawPath(path);
  };
  auto lens = [&](QPointF c, double rad) {
    p.setPen(QPen(ink, 1.5));
    p.setBrush(QColor(200, 230, 255));
    p.drawEllipse(c, rad, rad);
    p.drawLine(c + QPointF(rad * 0.7, rad * 0.7), c + QPointF(rad * 0.7 + 4, rad * 0.7 + 4));
  };
  auto arrow = [&](bool left) {
    p.setPen(QPen(blue, 2));
    p.setBrush(Qt::NoBrush);
    QPainterPath path;
    if (left) {
      path.moveTo(3, 7);
      path.cubicTo(6, 2, 13, 3, 13, 9);
      p.drawPath(path);
      p.setBrush(blue);
      p.drawPolygon(QPolygonF({QPointF(1, 4), QPointF(6, 8), QPointF(1, 10)}));
    } else {
      path.moveTo(13, 7);
      path.cubicTo(10, 2, 3, 3, 3, 9);
      p.drawPath(path);
      p.setBrush(blue);
      p.drawPolygon(QPolygonF({QPointF(15, 4), QPointF(10, 8), QPointF(15, 10)}));
    }
  };
  switch (icon) {
    case IconNew: page(QRectF(3, 1, 10, 14)); break;
    case IconOpen:
      p.setPen(ink);
      p.setBrush(yellow);
      p.drawRect(QRectF(1, 4, 13, 10));
      p.drawRect(QRectF(1, 2, 5, 2));
      break;
    case IconSave:
      p.setPen(ink);
      p.setBrush(blue);
      p.drawRect(QRectF(1.5, 1.5, 13, 13));
      p.setBrush(paper);
      p.drawRect(QRectF(4, 2, 8, 5));
      p.setBrush(QColor(180, 180, 180));
      p.drawRect(QRectF(4, 10, 8, 4.5));
      break;
    case IconCut:
      p.setPen(QPen(ink, 1.5));
      p.drawLine(QPointF(4, 1), QPointF(11, 10));
      p.drawLine(QPointF(12, 1), QPointF(5, 10));
      p.setBrush(Qt::NoBrush);
      p.drawEllipse(QPointF(4, 12.5), 2.5, 2.5);
      p.drawEllipse(QPointF(12, 12.5), 2.5, 2.5);
      break;
    case IconCopy:
      page(QRectF(1, 1, 9, 11));
      page(QRectF(6, 4, 9, 11));
      break;
    case IconPaste:
      p.setPen(ink);
      p.setBrush(QColor(170, 120, 60));
      p.drawRect(QRectF(1.5, 2.5, 10, 12));
      p.setBrush(QColor(200, 200, 200));
      p.drawRect(QRectF(4, 1, 5, 3));
      page(QRectF(7, 6, 8, 9));
      break;
    case IconUndo: arrow(true); break;
    case IconRedo: arrow(false); break;
    case IconPrint:
    case IconPrintPreview:
      if (icon == IconPrint) {
        page(QRectF(4, 1, 8, 6));
        p.setBrush(QColor(190, 190, 190));
        p.drawRect(QRectF(1.5, 6.5, 13, 6));
        p.setBrush(paper);
        p.drawRect(QRectF(4, 10, 8, 5));
      } else {
        page(QRectF(1, 1, 10, 14));
        lens(QPointF(9, 8), 3.5);
      }
      break;
    case IconProperties:
      page(QRectF(2, 1, 11, 14));
      p.setPen(ink);
      for (int y = 5; y <= 11; y += 3) p.drawLine(5, y, 10, y);
      break;
    case IconHelp: {
      p.setPen(ink);
      p.setBrush(blue);
      p.drawEllipse(QRectF(1, 1, 14, 14));
      QFont f = p.font();
      f.setBold(true);
      f.setPixelSize(11);
      p.setFont(f);
      p.setPen(paper);
      p.drawText(QRectF(1, 1, 14, 14), Qt::AlignCenter, "?");
      break;
    }
    case IconFind: lens(QPointF(6, 6), 4.5); break;
    case IconReplace: {
      lens(QPointF(5, 5), 3.5);
      QFont f = p.font();
      f.setPixelSize(8);
      p.setFont(f);
      p.setPen(blue);
      p.drawText(QRectF(7, 8, 9, 8), Qt::AlignCenter, "ab");
      break;
    }
  }
  return pm;
}

void onImageChanged(int image) {
  for (auto& [n, r] : g_bars)
    for (auto& a : r.buttons)
      if (a && a->property("tkImage").toInt() == image && isImage(image))
        a->setIcon(QIcon(detail::imagePixmap(image)));
}

void addButton(int id, const QIcon& icon, bool toggle, int image) {
  auto* r = barRec(g_build);
  if (!r) return;
  QAction* a = r->bar->addAction(icon, QString());
  a->setData(id);
  a->setProperty("tkImage", image);
  a->setCheckable(toggle);
  int win = r->window;
  QObject::connect(a, &QAction::triggered, a, [win, id] {
    Event e;
    e.code = EvMenu;
    e.window = win;
    e.menu = id;
    postEvent(e);
  });
  r->buttons.push_back(a);
  detail::layoutBars(win);
}

}  // namespace

namespace detail {
void setToolBarIdEnabled(int id, bool enable) {
  for (auto& [n, r] : g_bars)
    for (auto& a : r.buttons)
      if (a && a->data().toInt() == id) a->setEnabled(enable);
}

bool toolBarIdEnabled(int id, bool* found) {
  for (auto& [n, r] : g_bars)
    for (auto& a : r.buttons)
      if (a && a->data().toInt() == id) {
        *found = true;
        return a->isEnabled();
      }
  *found = false;
  return true;
}
}  // namespace detail

bool createToolBar(int num, int window) {
  auto* w = detail::window(window);
  if (!w || num < 0) return false;
  if (!g_listening) {
    g_listening = true;
    detail::addImageListener(&onImageChanged);
  }
  if (auto* old = barRec(num)) {
    if (auto* ow = detail::window(old->window); ow && ow->toolBar == old->bar) {
      ow->toolBar = nullptr;
      ow->toolBarNum = -1;
    }
    delete old->bar.data();
  }
  if (w->toolBar) {
    // One tool bar per window: a new one replaces the old.
    delete w->toolBar.data();
    g_bars.erase(w->toolBarNum);
  }
  auto* bar = new QToolBar(w->client);
  bar->setIconSize(QSize(16, 16));
  bar->setMovable(false);
  bar->setFloatable(false);
  bar->setProperty("tkClass", "ToolbarWindow32");
  bar->show();
  ToolBarRec r;
  r.bar = bar;
  r.window = window;
  g_bars[num] = r;
  w->toolBar = bar;
  w->toolBarNum = num;
  g_build = num;
  detail::layoutBars(window);
  return true;
}

void toolBarStandardButton(int id, StandardIcon icon, bool toggle) {
  addButton(id, QIcon(standardPixmap(icon)), toggle, -1);
}

void toolBarImageButton(int id, int image, bool toggle) {
  addButton(id, isImage(image) ? QIcon(detail::imagePixmap(image)) : QIcon(), toggle, image);
}

void toolBarSeparator() {
  if (auto* r = barRec(g_build)) r->bar->addSeparator();
}

void toolBarToolTip(int num, int id, const std::string& text) {
  if (QAction* a = findButton(num, id)) a->setToolTip(toQt(text));
}

void setToolBarButtonImage(int num, int id, int image) {
  QAction* a = findButton(num, id);
  if (!a) return;
  a->setProperty("tkImage", image);
  a->setIcon(isImage(image) ? QIcon(detail::imagePixmap(image)) : QIcon());
}

void hideToolBarButton(int num, int id, bool hide) {
  if (QAction* a = findButton(num, id)) a->setVisible(!hide);
}

void disableToolBarButton(int num, int id, bool disable) {
  if (QAction* a = findButton(num, id)) a->setEnabled(!disable);
}

bool toolBarButtonEnabled(int num, int id) {
  QAction* a = findButton(num, id);
  return a && a->isEnabled();
}

void setToolBarButtonState(int num, int id, bool pressed) {
  if (QAction* a = findButton(num, id); a && a->isCheckable()) a->setChecked(pressed);
}

bool toolBarButtonState(int num, int id) {
  QAction* a = findButton(num, id);
  return a && a->isChecked();
}

int toolBarHeight(int num) {
  auto* r = barRec(num);
  return r ? r->bar->sizeHint().height() : 0;
}

bool testClickToolBarButton(int num, int id) {
  auto* r = barRec(num);
  QAction* a = findButton(num, id);
  if (!r || !a || !a->isVisible() || !a->isEnabled()) return false;
  auto* b = qobject_cast<QToolButton*>(r->bar->widgetForAction(a));
  if (!b) return false;
  b->click();
  return true;
}

}  // namespace tk
