// Gadgets by number: the registry, the open gadget lists and every gadget kind.
#include <QWidget>
#include <vector>

#include "toolkit/internal.h"

namespace tk {
namespace detail {

namespace {

struct GadgetRec {
  int num = -1;
  GadgetKind kind = GkNone;
  QPointer<QWidget> w;
};

std::map<int, GadgetRec> g_gadgets;

// An open gadget list: gadgets created now go into `target`.
struct OpenList {
  int gadget = -1;
  QPointer<QWidget> target;
};
std::vector<OpenList> g_lists;

}  // namespace

QWidget* gadgetWidget(int num) {
  auto it = g_gadgets.find(num);
  return it == g_gadgets.end() ? nullptr : it->second.w.data();
}

int gadgetOfWidget(const QWidget* w) {
  for (; w; w = w->parentWidget()) {
    QVariant v = w->property("tkGadget");
    if (v.isValid()) {
      int num = v.toInt();
      if (gadgetWidget(num) == w) return num;
    }
    if (w->isWindow()) break;
  }
  return -1;
}

QWidget* gadgetParent() {
  while (!g_lists.empty() && !g_lists.back().target) g_lists.pop_back();
  int cur = currentWindow();
  if (!g_lists.empty() && windowOf(g_lists.back().target) == cur) return g_lists.back().target;
  auto* rec = window(cur);
  return rec ? rec->client.data() : nullptr;
}

int registerGadget(int num, QWidget* w, GadgetKind kind, int x, int y, int wd, int ht) {
  if (!w) return -1;
  if (num < 0) {
    num = 10000;
    while (gadgetWidget(num)) ++num;
  } else if (gadgetWidget(num) && gadgetWidget(num) != w) {
    freeGadget(num);
  }
  GadgetRec& r = g_gadgets[num];
  r = GadgetRec{};
  r.num = num;
  r.kind = kind;
  r.w = w;
  w->setProperty("tkGadget", num);
  w->setGeometry(x, y, wd, ht);
  w->show();
  return num;
}

}  // namespace detail

void freeGadget(int num) {
  auto it = detail::g_gadgets.find(num);
  if (it == detail::g_gadgets.end()) return;
  QWidget* w = it->second.w;
  detail::g_gadgets.erase(it);
  delete w;
}

}  // namespace tk
