// Menu bars and popup menus by number. Items raise EvMenu with their id; menu ids are
// one space shared with tool bar buttons and shortcuts.
#include <QAction>
#include <QCursor>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <vector>

#include "toolkit/internal.h"
#include "toolkit/tk_image.h"

namespace tk {
namespace detail {
void setWindowMenuBar(int num, QMenuBar* bar);          // window.cpp
void menuBarChanged(QMenuBar* bar);                     // window.cpp
void setToolBarIdEnabled(int id, bool enable);          // toolbar.cpp
bool toolBarIdEnabled(int id, bool* found);             // toolbar.cpp
}  // namespace detail

namespace {

struct ItemPics {
  int off = -1, on = -1;   // own check pictures; -1 none
  int image = -1;          // the item's picture when it has no check pictures
};

struct MenuRec {
  bool popup = false;
  QPointer<QMenuBar> bar;
  QPointer<QMenu> menu;          // popup menus
  int popupWindow = -1;          // window the popup was last shown for
  std::vector<QPointer<QAction>> items;   // every item, in order of creation
};

std::map<int, MenuRec> g_menus;
// The menu under construction and its open title and sub-menus.
int g_build = -1;
std::vector<QPointer<QMenu>> g_stack;
bool g_listening = false;

MenuRec* menuRec(int num) {
  auto it = g_menus.find(num);
  if (it == g_menus.end()) return nullptr;
  MenuRec& r = it->second;
  if (r.popup ? !r.menu : !r.bar) return nullptr;
  return &r;
}

int windowOfBar(const QMenuBar* bar) {
  for (auto& [n, w] : detail::windows())
    if (w->top && w->menuBar == bar) return n;
  return -1;
}

int menuWindow(int num) {
  auto* r = menuRec(num);
  if (!r) return -1;
  return r->popup ? r->popupWindow : windowOfBar(r->bar);
}

QAction* findItem(MenuRec* r, int id) {
  if (!r) return nullptr;
  for (auto& a : r->items)
    if (a && a->data().toInt() == id) return a;
  return nullptr;
}

QIcon iconOf(int image) {
  if (image < 0 || !isImage(image)) return QIcon();
  return QIcon(detail::imagePixmap(image));
}

ItemPics pics(QAction* a) {
  QVariantList l = a->property("tkPics").toList();
  if (l.size() != 3) return {};
  return {l[0].toInt(), l[1].toInt(), l[2].toInt()};
}

// Shows the item's state: own check pictures replace the check mark.
void refreshItem(QAction* a) {
  ItemPics p = pics(a);
  bool checked = a->property("tkChecked").toBool();
  if (p.off >= 0 || p.on >= 0) {
    a->setCheckable(false);
    a->setIcon(iconOf(checked ? p.on : p.off));
  } else {
    a->setCheckable(checked);
    a->setChecked(checked);
    a->setIcon(iconOf(p.image));
  }
}

void setPics(QAction* a, ItemPics p) {
  a->setProperty("tkPics", QVariantList{p.off, p.on, p.image});
  refreshItem(a);
}

void onImageChanged(int image) {
  for (auto& [n, r] : g_menus)
    for (auto& a : r.items) {
      if (!a) continue;
      ItemPics p = pics(a);
      if (p.off == image || p.on == image || p.image == image) refreshItem(a);
    }
}

void raiseMenuEvent(int num, QAction* a) {
  // Qt flips a checkable item on its own; the program sets check marks itself.
  a->setChecked(a->property("tkChecked").toBool());
  Event e;
  e.code = EvMenu;
  e.window = menuWindow(num);
  e.menu = a->data().toInt();
  postEvent(e);
}

QMenu* buildTarget() {
  while (!g_stack.empty() && !g_stack.back()) g_stack.pop_back();
  return g_stack.empty() ? nullptr : g_stack.back().data();
}

void structure(const QList<QAction*>& actions, int level, std::string& out) {
  std::string ind(size_t(level) * 2, ' ');
  for (QAction* a : actions) {
    if (a->isSeparator()) {
      out += ind + "---\n";
    } else if (a->menu()) {
      out += ind + "> " + fromQt(a->text()) + "\n";
      structure(a->menu()->actions(), level + 1, out);
    } else {
      out += ind + std::to_string(a->data().toInt()) + " " + fromQt(a->text());
      if (a->property("tkChecked").toBool()) out += " [x]";
      if (!a->isEnabled()) out += " [-]";
      out += "\n";
    }
  }
}

void freeRec(int num) {
  auto it = g_menus.find(num);
  if (it == g_menus.end()) return;
  MenuRec r = it->second;
  g_menus.erase(it);
  if (g_build == num) {
    g_build = -1;
    g_stack.clear();
  }
  if (r.bar) {
    int w = windowOfBar(r.bar);
    if (w >= 0) detail::setWindowMenuBar(w, nullptr);
    if (auto* wr = detail::window(w)) wr->menuNum = -1;
    r.bar->deleteLater();
    r.bar->hide();
  }
  if (r.menu) {
    r.menu->hide();
    r.menu->deleteLater();
  }
}

int newNumber() {
  int n = 1000;
  while (g_menus.count(n)) ++n;
  return n;
}

void listen() {
  if (g_listening) return;
  g_listening = true;
  detail::addImageListener(&onImageChanged);
}

}  // namespace

bool createMenu(int num, int window) {
  if (!initialised()) return false;
  listen();
  if (num < 0) num = newNumber();
  freeRec(num);
  MenuRec r;
  r.bar = new QMenuBar;
  g_menus[num] = r;
  g_build = num;
  g_stack.clear();
  if (detail::window(window)) attachMenu(num, window);
  return true;
}

bool createPopupMenu(int num) {
  if (!initialised()) return false;
  listen();
  if (num < 0) num = newNumber();
  freeRec(num);
  MenuRec r;
  r.popup = true;
  r.menu = new QMenu;
  g_menus[num] = r;
  g_build = num;
  g_stack.clear();
  g_stack.push_back(r.menu);
  return true;
}

void menuTitle(const std::string& title) {
  auto* r = menuRec(g_build);
  if (!r) return;
  if (r->popup) {
    // A popup has no titles: a title opens a sub-menu level in it.
    g_stack.resize(1);
    return;
  }
  QMenu* m = r->bar->addMenu(toQt(title));
  g_stack.clear();
  g_stack.push_back(m);
  detail::menuBarChanged(r->bar);
}

void menuItem(int id, const std::string& text, int image) {
  auto* r = menuRec(g_build);
  QMenu* m = buildTarget();
  if (!r || !m) return;
  QAction* a = m->addAction(toQt(text));
  a->setData(id);
  a->setProperty("tkChecked", false);
  int num = g_build;
  QObject::connect(a, &QAction::triggered, a, [num, a] { raiseMenuEvent(num, a); });
  r->items.push_back(a);
  if (image >= 0) setPics(a, {-1, -1, image});
}

void menuSeparator() {
  if (QMenu* m = buildTarget()) m->addSeparator();
}

void openSubMenu(const std::string& title, int image) {
  QMenu* m = buildTarget();
  if (!m) return;
  QMenu* sub = m->addMenu(toQt(title));
  if (image >= 0) sub->setIcon(iconOf(image));
  g_stack.push_back(sub);
}

void closeSubMenu() {
  if (g_stack.size() > 1) g_stack.pop_back();
}

void freeMenu(int num) { freeRec(num); }

bool isMenu(int num) { return menuRec(num) != nullptr; }

void attachMenu(int num, int window) {
  auto* r = menuRec(num);
  auto* w = detail::window(window);
  if (!r || r->popup || !w) return;
  // The bar it replaces stays numbered and can be attached again.
  for (auto& [n, other] : detail::windows())
    if (other->menuNum == num) other->menuNum = -1;
  detail::setWindowMenuBar(window, r->bar);
  w->menuNum = num;
}

void detachMenu(int window) {
  auto* w = detail::window(window);
  if (!w) return;
  detail::setWindowMenuBar(window, nullptr);
  w->menuNum = -1;
}

int attachedMenu(int window) {
  auto* w = detail::window(window);
  if (!w || !w->menuBar) return -1;
  for (auto& [n, r] : g_menus)
    if (r.bar == w->menuBar) return n;
  return -1;
}

void showPopupMenu(int num, int window, int x, int y) {
  auto* r = menuRec(num);
  if (!r || !r->popup) return;
  r->popupWindow = window;
  QPoint at = QCursor::pos();
  auto* w = detail::window(window);
  if (w && x != -1 && y != -1) at = w->client->mapToGlobal(QPoint(x, y));
  r->menu->popup(at);
}

void setMenuItemChecked(int num, int id, bool checked) {
  auto* r = menuRec(num);
  if (!r) return;
  for (auto& a : r->items)
    if (a && a->data().toInt() == id) {
      a->setProperty("tkChecked", checked);
      refreshItem(a);
    }
}

bool menuItemChecked(int num, int id) {
  QAction* a = findItem(menuRec(num), id);
  return a && a->property("tkChecked").toBool();
}

void setMenuItemText(int num, int id, const std::string& text) {
  auto* r = menuRec(num);
  if (!r) return;
  for (auto& a : r->items)
    if (a && a->data().toInt() == id) a->setText(toQt(text));
}

std::string menuItemText(int num, int id) {
  QAction* a = findItem(menuRec(num), id);
  return a ? fromQt(a->text()) : std::string();
}

void setMenuItemImages(int num, int id, int imageOff, int imageOn) {
  auto* r = menuRec(num);
  if (!r) return;
  for (auto& a : r->items)
    if (a && a->data().toInt() == id) {
      ItemPics p = pics(a);
      p.off = imageOff;
      p.on = imageOn;
      setPics(a, p);
    }
}

void setMenuItemImage(int num, int id, int image) {
  auto* r = menuRec(num);
  if (!r) return;
  for (auto& a : r->items)
    if (a && a->data().toInt() == id) setPics(a, {-1, -1, image});
}

void enableMenuId(int id, bool enable) {
  for (auto& [n, r] : g_menus)
    for (auto& a : r.items)
      if (a && a->data().toInt() == id) a->setEnabled(enable);
  detail::setToolBarIdEnabled(id, enable);
}

bool menuIdEnabled(int id) {
  for (auto& [n, r] : g_menus)
    for (auto& a : r.items)
      if (a && a->data().toInt() == id) return a->isEnabled();
  bool found = false;
  bool e = detail::toolBarIdEnabled(id, &found);
  return found ? e : true;
}

void enableMenuItem(int num, int id, bool enable) {
  if (QAction* a = findItem(menuRec(num), id)) a->setEnabled(enable);
}

bool menuItemEnabled(int num, int id) {
  QAction* a = findItem(menuRec(num), id);
  return a && a->isEnabled();
}

bool testTriggerMenuItem(int num, int id) {
  QAction* a = findItem(menuRec(num), id);
  if (!a || !a->isEnabled()) return false;
  a->trigger();
  return true;
}

std::string testMenuStructure(int num) {
  auto* r = menuRec(num);
  if (!r) return std::string();
  std::string out;
  if (r->popup) {
    structure(r->menu->actions(), 0, out);
  } else {
    for (QAction* t : r->bar->actions()) {
      out += fromQt(t->text()) + "\n";
      if (t->menu()) structure(t->menu()->actions(), 1, out);
    }
  }
  return out;
}

}  // namespace tk
