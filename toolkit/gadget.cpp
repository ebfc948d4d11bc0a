// Gadgets by number: the registry, the open gadget lists and every gadget kind.
#include <QAbstractSpinBox>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QAbstractItemView>
#include <QComboBox>
#include <QEventLoop>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <QSplitter>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <vector>

#include "toolkit/internal.h"
#include "toolkit/tk_image.h"

namespace tk {
namespace detail {

namespace {

struct GadgetRec {
  int num = -1;
  GadgetKind kind = GkNone;
  QPointer<QWidget> w;
  unsigned flags = 0;
  GadgetCallback cb;
  int image = -1;                  // image, image button
  int spinValue = 0;               // spin: the value apart from the shown text
  int listHeight = 0;              // combo
  std::string text;                // multi-line buttons: the text as given
  uint32_t front = 0xFFFFFFFF, back = 0xFFFFFFFF;
  bool filtered = false;           // raw-event filter installed
};

std::map<int, GadgetRec> g_gadgets;

// An open gadget list: gadgets created now go into `target`.
struct OpenList {
  int gadget = -1;
  QPointer<QWidget> target;
};
std::vector<OpenList> g_lists;

// The option group being built, ended by any other gadget.
QPointer<QButtonGroup> g_optionGroup;
QPointer<QWidget> g_optionParent;

GadgetRec* rec(int num) {
  auto it = g_gadgets.find(num);
  if (it == g_gadgets.end()) return nullptr;
  if (!it->second.w) {
    g_gadgets.erase(it);
    return nullptr;
  }
  return &it->second;
}

GadgetRec* rec(int num, GadgetKind kind) {
  GadgetRec* r = rec(num);
  return r && r->kind == kind ? r : nullptr;
}

void postGadget(int num, int type) {
  GadgetRec* r = rec(num);
  if (!r) return;
  Event e;
  e.code = EvGadget;
  e.window = windowOf(r->w);
  e.gadget = num;
  e.type = type;
  postEvent(e);
}

intptr_t packPoint(QPoint p) {
  return (intptr_t(p.x()) & 0xFFFF) | ((intptr_t(p.y()) & 0xFFFF) << 16);
}

// Text from the program: "\r\n" and a lone "\r" are line breaks.
QString shown(const std::string& s) {
  std::string t;
  t.reserve(s.size());
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '\r') {
      t += '\n';
      if (i + 1 < s.size() && s[i + 1] == '\n') ++i;
    } else {
      t += s[i];
    }
  }
  return toQt(t);
}

// Multi-line text back to the program, lines ending in "\r\n".
std::string crlf(const QString& q) {
  std::string s = fromQt(q), out;
  out.reserve(s.size());
  for (char c : s) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

const char* className(GadgetKind k) {
  switch (k) {
    case GkLabel: return "Static";
    case GkButton: return "Button";
    case GkImageButton: return "ImageButton";
    case GkCheckBox: return "CheckBox";
    case GkOption: return "Option";
    case GkString: case GkSpin: case GkEditor: return "Edit";
    case GkTextBox: return "TextBox";
    case GkCombo: return "ComboBox";
    case GkSlider: return "Slider";
    case GkProgress: return "Progress";
    case GkImage: return "Image";
    case GkFrame: return "Frame";
    case GkContainer: return "Container";
    case GkScrollArea: return "ScrollArea";
    case GkPanel: return "Panel";
    case GkList: return "ListBox";
    case GkColumnList: return "ColumnList";
    case GkTree: return "Tree";
    case GkSplitter: return "Splitter";
    case GkScrollBar: return "ScrollBar";
    case GkHyperlink: return "Hyperlink";
    case GkHtml: return "Html";
    case GkRichEdit: return "RichEdit20A";
    case GkCanvas: return "Canvas";
    default: return "Gadget";
  }
}

// ---- widget classes --------------------------------------------------------------

// Push, toggle and image buttons: a left click reports type 0, a right click type 1
// (the close request of document tabs, the popup of colour fields).
class Button : public QPushButton {
 public:
  explicit Button(QWidget* parent) : QPushButton(parent) {}
  int num = -1;
  QLabel* wrap = nullptr;   // multi-line text
  void setWrapped(const QString& t) {
    if (!wrap) {
      wrap = new QLabel(this);
      wrap->setWordWrap(true);
      wrap->setAlignment(Qt::AlignCenter);
      wrap->setAttribute(Qt::WA_TransparentForMouseEvents);
      auto* l = new QVBoxLayout(this);
      l->setContentsMargins(4, 2, 4, 2);
      l->addWidget(wrap);
    }
    wrap->setText(t);
  }

 protected:
  void mousePressEvent(QMouseEvent* e) override {
    if (e->button() == Qt::RightButton) {
      postGadget(num, EtButtonMenu);
      e->accept();
      return;
    }
    QPushButton::mousePressEvent(e);
  }
};

class StringField : public QLineEdit {
 public:
  explicit StringField(QWidget* parent) : QLineEdit(parent) {}
  int num = -1;

 protected:
  void focusInEvent(QFocusEvent* e) override {
    QLineEdit::focusInEvent(e);
    postGadget(num, EtFocus);
  }
  void focusOutEvent(QFocusEvent* e) override {
    QLineEdit::focusOutEvent(e);
    postGadget(num, EtLostFocus);
  }
};

// A spin field keeps its value apart from the text it shows.
class SpinField : public QAbstractSpinBox {
 public:
  explicit SpinField(QWidget* parent) : QAbstractSpinBox(parent) {
    lineEdit()->setProperty("tkClass", "Edit");
    connect(lineEdit(), &QLineEdit::textEdited, this, [this](const QString& t) {
      bool ok = false;
      int v = t.trimmed().toInt(&ok);
      if (ok) value = std::clamp(v, min, max);
      postGadget(num, EtChange);
    });
  }
  int num = -1, min = 0, max = 100, value = 0;
  QLineEdit* edit() const { return lineEdit(); }
  void setShown(const QString& t) {
    QSignalBlocker b(lineEdit());
    lineEdit()->setText(t);
  }
  void stepBy(int steps) override {
    int v = std::clamp(value + steps, min, max);
    if (v == value) return;
    value = v;
    setShown(QString::number(v));
    postGadget(num, EtChange);
  }

 protected:
  StepEnabled stepEnabled() const override {
    StepEnabled s = StepNone;
    if (value < max) s |= StepUpEnabled;
    if (value > min) s |= StepDownEnabled;
    return s;
  }
};

// Hyperlink: a coloured, underlined label; a click raises a gadget event.
class Hyperlink : public QLabel {
 public:
  explicit Hyperlink(QWidget* parent) : QLabel(parent) { setCursor(Qt::PointingHandCursor); }
  int num = -1;

 protected:
  void mouseReleaseEvent(QMouseEvent* e) override {
    if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()))
      postGadget(num, EtLeftClick);
    QLabel::mouseReleaseEvent(e);
  }
};

// Canvas: shows its own image and hands raw mouse events to the gadget callback
// (the input filter queues the button events).
class Canvas : public QWidget {
 public:
  explicit Canvas(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
  }
  int num = -1;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    int img = CanvasImageBase + num;
    if (isImage(img)) p.drawPixmap(0, 0, imagePixmap(img));
    else p.fillRect(rect(), Qt::white);
  }

 public:
  // The picture follows the gadget's size; what was drawn stays at the top left. Also
  // run by resizeGadget, so the picture has its new size at once in a hidden window too.
  void fitPicture() {
    QImage* img = image(CanvasImageBase + num);
    if (img && img->size() != size() && width() > 0 && height() > 0) {
      QImage n(size(), QImage::Format_ARGB32);
      n.fill(0xFFFFFFFFu);
      {
        QPainter p(&n);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.drawImage(0, 0, *img);
      }
      *img = n;
      notifyImageChanged(CanvasImageBase + num);
    }
  }

 protected:
  void resizeEvent(QResizeEvent* e) override {
    QWidget::resizeEvent(e);
    fitPicture();
  }
  void mouse(QMouseEvent* e, int msg) {
    GadgetRec* r = rec(num);
    if (!r || !r->cb) return;
    intptr_t buttons = ((e->buttons() & Qt::LeftButton) ? 1 : 0) |
                       ((e->buttons() & Qt::RightButton) ? 2 : 0);
    r->cb(num, msg, buttons, packPoint(e->position().toPoint()));
  }
  void mousePressEvent(QMouseEvent* e) override {
    if (e->button() == Qt::LeftButton) mouse(e, EvLeftDown);
    else if (e->button() == Qt::RightButton) mouse(e, EvRightDown);
  }
  void mouseReleaseEvent(QMouseEvent* e) override {
    if (e->button() == Qt::LeftButton) mouse(e, EvLeftUp);
    else if (e->button() == Qt::RightButton) mouse(e, EvRightUp);
  }
  void mouseMoveEvent(QMouseEvent* e) override { mouse(e, EvMouseMove); }
};

// Raw events of other gadgets for their callback (mouse with gadget-relative
// positions, resizes). Splitters report through their handle.
class RawFilter : public QObject {
 public:
  explicit RawFilter(int num, QObject* parent) : QObject(parent), num_(num) {}
  bool eventFilter(QObject* obj, QEvent* ev) override {
    GadgetRec* r = rec(num_);
    if (!r || !r->cb) return false;
    int msg = 0;
    intptr_t wParam = 0, lParam = 0;
    switch (ev->type()) {
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonRelease:
      case QEvent::MouseMove: {
        auto* me = static_cast<QMouseEvent*>(ev);
        bool press = ev->type() == QEvent::MouseButtonPress;
        if (ev->type() == QEvent::MouseMove) msg = EvMouseMove;
        else if (me->button() == Qt::LeftButton) msg = press ? EvLeftDown : EvLeftUp;
        else if (me->button() == Qt::RightButton) msg = press ? EvRightDown : EvRightUp;
        else return false;
        QPoint p = r->w->mapFromGlobal(me->globalPosition().toPoint());
        lParam = packPoint(p);
        wParam = ((me->buttons() & Qt::LeftButton) ? 1 : 0) | ((me->buttons() & Qt::RightButton) ? 2 : 0);
        if (r->kind == GkSplitter) {
          // Drags are reported after the move, by the splitter itself.
          if (msg == EvMouseMove && (me->buttons() & Qt::LeftButton)) return false;
          wParam = gadgetState(num_);
        }
        break;
      }
      case QEvent::Resize:
        if (obj != r->w) return false;
        msg = EvResize;
        lParam = packPoint(QPoint(r->w->width(), r->w->height()));
        break;
      default:
        return false;
    }
    r->cb(num_, msg, wParam, lParam);
    return false;
  }

 private:
  int num_;
};

// ---- image listener ---------------------------------------------------------------

void showImage(GadgetRec& r) {
  QPixmap pm = r.image >= 0 && isImage(r.image) ? imagePixmap(r.image) : QPixmap();
  if (r.kind == GkImage) {
    static_cast<QLabel*>(r.w.data())->setPixmap(pm);
  } else if (r.kind == GkImageButton) {
    auto* b = static_cast<QPushButton*>(r.w.data());
    b->setIcon(QIcon(pm));
    b->setIconSize(pm.isNull() ? QSize() : pm.size());
  }
}

void imageChangedListener(int num) {
  for (auto& [n, r] : g_gadgets) {
    if (!r.w) continue;
    if ((r.kind == GkImage || r.kind == GkImageButton) && r.image == num) showImage(r);
    else if (r.kind == GkCanvas && num == CanvasImageBase + n) r.w->update();
  }
}

// ---- creation ---------------------------------------------------------------------

int freeNumber() {
  int num = 10000;
  while (rec(num)) ++num;
  return num;
}

// Common start of every creation: the parent, the end of a running option group.
QWidget* startGadget(GadgetKind kind) {
  static bool listening = false;
  if (!listening) {
    addImageListener(&imageChangedListener);
    listening = true;
  }
  QWidget* parent = gadgetParent();
  if (kind != GkOption || g_optionParent != parent) g_optionGroup = nullptr;
  return parent;
}

int finish(int num, QWidget* w, GadgetKind kind, int x, int y, int wd, int ht, unsigned flags) {
  if (!w->property("tkClass").isValid()) w->setProperty("tkClass", className(kind));
  int n = registerGadget(num, w, kind, x, y, wd, ht);
  if (GadgetRec* r = rec(n)) r->flags = flags;
  return n;
}

void pushList(int gadget, QWidget* target) { g_lists.push_back({gadget, target}); }

}  // namespace

QWidget* gadgetWidget(int num) {
  GadgetRec* r = rec(num);
  return r ? r->w.data() : nullptr;
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
  auto* r = window(cur);
  return r ? r->client.data() : nullptr;
}

int registerGadget(int num, QWidget* w, GadgetKind kind, int x, int y, int wd, int ht) {
  if (!w) return -1;
  if (num < 0) num = freeNumber();
  else if (gadgetWidget(num) && gadgetWidget(num) != w) freeGadget(num);
  if (kind != GkOption) g_optionGroup = nullptr;
  GadgetRec& r = g_gadgets[num];
  r = GadgetRec{};
  r.num = num;
  r.kind = kind;
  r.w = w;
  w->setProperty("tkGadget", num);
  if (!w->property("tkClass").isValid()) w->setProperty("tkClass", className(kind));
  w->setGeometry(x, y, std::max(wd, 0), std::max(ht, 0));
  w->show();
  return num;
}

}  // namespace detail

using detail::GadgetRec;
using detail::rec;

// ---- gadget lists ---------------------------------------------------------------------

void closeGadgetList() {
  if (!detail::g_lists.empty()) detail::g_lists.pop_back();
  detail::g_optionGroup = nullptr;
}

void openGadgetList(int gadget, int tab) {
  GadgetRec* r = rec(gadget);
  if (!r) return;
  QWidget* target = nullptr;
  switch (r->kind) {
    case GkContainer: target = r->w; break;
    case GkScrollArea: target = static_cast<QScrollArea*>(r->w.data())->widget(); break;
    case GkPanel: {
      auto* t = static_cast<QTabWidget*>(r->w.data());
      target = t->widget(tab < 0 ? t->count() - 1 : tab);
      break;
    }
    default: break;
  }
  if (target) detail::pushList(gadget, target);
  detail::g_optionGroup = nullptr;
}

// ---- creation -------------------------------------------------------------------------

int label(int num, int x, int y, int w, int h, const std::string& text, unsigned flags) {
  QWidget* p = detail::startGadget(GkLabel);
  if (!p) return -1;
  auto* l = new QLabel(detail::shown(text), p);
  Qt::Alignment a = Qt::AlignTop | ((flags & GfCenter) ? Qt::AlignHCenter
                                    : (flags & GfRight) ? Qt::AlignRight : Qt::AlignLeft);
  l->setAlignment(a);
  l->setWordWrap(flags & GfMultiLine);
  if (flags & GfBorder) l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  return detail::finish(num, l, GkLabel, x, y, w, h, flags);
}

int button(int num, int x, int y, int w, int h, const std::string& text, unsigned flags) {
  QWidget* p = detail::startGadget(GkButton);
  if (!p) return -1;
  auto* b = new detail::Button(p);
  if (flags & GfMultiLine) b->setWrapped(detail::shown(text));
  else b->setText(toQt(text));
  b->setCheckable(flags & GfToggle);
  int n = detail::finish(num, b, GkButton, x, y, w, h, flags);
  b->num = n;
  detail::rec(n)->text = text;
  QObject::connect(b, &QPushButton::clicked, b, [n] { detail::postGadget(n, EtButtonClick); });
  return n;
}

int imageButton(int num, int x, int y, int w, int h, int image, unsigned flags) {
  QWidget* p = detail::startGadget(GkImageButton);
  if (!p) return -1;
  auto* b = new detail::Button(p);
  b->setCheckable(flags & GfToggle);
  int n = detail::finish(num, b, GkImageButton, x, y, w, h, flags);
  b->num = n;
  detail::rec(n)->image = image;
  detail::showImage(*detail::rec(n));
  QObject::connect(b, &QPushButton::clicked, b, [n] { detail::postGadget(n, EtButtonClick); });
  return n;
}

int checkBox(int num, int x, int y, int w, int h, const std::string& text, unsigned flags) {
  QWidget* p = detail::startGadget(GkCheckBox);
  if (!p) return -1;
  auto* c = new QCheckBox(toQt(text), p);
  int n = detail::finish(num, c, GkCheckBox, x, y, w, h, flags);
  QObject::connect(c, &QCheckBox::clicked, c, [n] { detail::postGadget(n, EtLeftClick); });
  return n;
}

int option(int num, int x, int y, int w, int h, const std::string& text) {
  QWidget* p = detail::startGadget(GkOption);
  if (!p) return -1;
  auto* o = new QRadioButton(toQt(text), p);
  if (!detail::g_optionGroup) {
    detail::g_optionGroup = new QButtonGroup(p);
    detail::g_optionParent = p;
  }
  detail::g_optionGroup->addButton(o);
  QPointer<QButtonGroup> group = detail::g_optionGroup;
  int n = detail::finish(num, o, GkOption, x, y, w, h, 0);
  detail::g_optionGroup = group;   // registering may not end the group
  detail::g_optionParent = p;
  QObject::connect(o, &QRadioButton::clicked, o, [n] { detail::postGadget(n, EtLeftClick); });
  return n;
}

int stringField(int num, int x, int y, int w, int h, const std::string& text, unsigned flags) {
  QWidget* p = detail::startGadget(GkString);
  if (!p) return -1;
  auto* e = new detail::StringField(p);
  e->setText(toQt(text));
  if (flags & GfNumbers)
    e->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), e));
  e->setReadOnly(flags & GfReadOnly);
  if (flags & GfPassword) e->setEchoMode(QLineEdit::Password);
  int n = detail::finish(num, e, GkString, x, y, w, h, flags);
  e->num = n;
  QObject::connect(e, &QLineEdit::textEdited, e, [n] { detail::postGadget(n, EtChange); });
  return n;
}

static int plainText(GadgetKind kind, int num, int x, int y, int w, int h, unsigned flags) {
  QWidget* p = detail::startGadget(kind);
  if (!p) return -1;
  auto* e = new QPlainTextEdit(p);
  e->setReadOnly(kind == GkTextBox || (flags & GfReadOnly));
  e->setLineWrapMode((kind == GkTextBox || (flags & GfWordWrap)) ? QPlainTextEdit::WidgetWidth
                                                                 : QPlainTextEdit::NoWrap);
  int n = detail::finish(num, e, kind, x, y, w, h, flags);
  if (kind == GkEditor)
    QObject::connect(e, &QPlainTextEdit::textChanged, e, [n] { detail::postGadget(n, EtChange); });
  return n;
}

int textBox(int num, int x, int y, int w, int h, const std::string& text) {
  int n = plainText(GkTextBox, num, x, y, w, h, 0);
  if (n >= 0) setGadgetText(n, text);
  return n;
}

int editor(int num, int x, int y, int w, int h, unsigned flags) {
  return plainText(GkEditor, num, x, y, w, h, flags);
}

int comboBox(int num, int x, int y, int w, int h, unsigned flags) {
  QWidget* p = detail::startGadget(GkCombo);
  if (!p) return -1;
  auto* c = new QComboBox(p);
  c->setEditable(flags & GfEditable);
  if (c->lineEdit()) c->lineEdit()->setProperty("tkClass", "Edit");
  c->setProperty("tkClass", (flags & GfEditable) ? "Edit" : "ComboBox");
  int shownH = std::min(h, c->sizeHint().height());
  int n = detail::finish(num, c, GkCombo, x, y, w, shownH > 0 ? shownH : h, flags);
  detail::rec(n)->listHeight = h;
  QObject::connect(c, qOverload<int>(&QComboBox::activated), c,
                   [n] { detail::postGadget(n, EtLeftClick); });
  if (c->lineEdit())
    QObject::connect(c->lineEdit(), &QLineEdit::textEdited, c,
                     [n] { detail::postGadget(n, EtChange); });
  return n;
}

int spinField(int num, int x, int y, int w, int h, int min, int max, unsigned flags) {
  QWidget* p = detail::startGadget(GkSpin);
  if (!p) return -1;
  auto* s = new detail::SpinField(p);
  s->min = std::min(min, max);
  s->max = std::max(min, max);
  s->value = s->min;
  s->setShown(QString::number(s->value));
  s->setReadOnly(flags & GfReadOnly);
  int n = detail::finish(num, s, GkSpin, x, y, w, h, flags);
  s->num = n;
  return n;
}

int slider(int num, int x, int y, int w, int h, int min, int max, unsigned flags) {
  QWidget* p = detail::startGadget(GkSlider);
  if (!p) return -1;
  auto* s = new QSlider((flags & GfVertical) ? Qt::Vertical : Qt::Horizontal, p);
  s->setRange(min, max);
  int n = detail::finish(num, s, GkSlider, x, y, w, h, flags);
  QObject::connect(s, &QSlider::valueChanged, s, [n] { detail::postGadget(n, EtChange); });
  return n;
}

int progressBar(int num, int x, int y, int w, int h, int min, int max, unsigned flags) {
  QWidget* p = detail::startGadget(GkProgress);
  if (!p) return -1;
  auto* b = new QProgressBar(p);
  b->setRange(min, max);
  b->setValue(min);
  b->setTextVisible(false);
  if (flags & GfVertical) b->setOrientation(Qt::Vertical);
  return detail::finish(num, b, GkProgress, x, y, w, h, flags);
}

int imageGadget(int num, int x, int y, int w, int h, int image, unsigned flags) {
  QWidget* p = detail::startGadget(GkImage);
  if (!p) return -1;
  auto* l = new QLabel(p);
  l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  if (flags & GfBorder) l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  int n = detail::finish(num, l, GkImage, x, y, w, h, flags);
  detail::rec(n)->image = image;
  detail::showImage(*detail::rec(n));
  return n;
}

int frame(int num, int x, int y, int w, int h, const std::string& title, unsigned flags) {
  QWidget* p = detail::startGadget(GkFrame);
  if (!p) return -1;
  QWidget* f;
  if (flags & (GfSunken | GfFlat)) {
    auto* q = new QFrame(p);
    q->setFrameStyle((flags & GfFlat) ? (QFrame::Box | QFrame::Plain) : (QFrame::Panel | QFrame::Sunken));
    q->setProperty("tkTitle", toQt(title));
    f = q;
  } else {
    f = new QGroupBox(toQt(title), p);
  }
  f->setAttribute(Qt::WA_TransparentForMouseEvents);
  int n = detail::finish(num, f, GkFrame, x, y, w, h, flags);
  f->lower();   // decoration: gadgets placed over it stay clickable and visible
  return n;
}

int container(int num, int x, int y, int w, int h, unsigned flags) {
  QWidget* p = detail::startGadget(GkContainer);
  if (!p) return -1;
  auto* c = new QFrame(p);
  if (flags & GfBorder) c->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  int n = detail::finish(num, c, GkContainer, x, y, w, h, flags);
  detail::pushList(n, c);
  return n;
}

int scrollArea(int num, int x, int y, int w, int h, int innerW, int innerH, int step, unsigned flags) {
  QWidget* p = detail::startGadget(GkScrollArea);
  if (!p) return -1;
  auto* a = new QScrollArea(p);
  auto* inner = new QWidget;
  inner->resize(std::max(innerW, 0), std::max(innerH, 0));
  a->setWidget(inner);
  a->setWidgetResizable(false);
  if (!(flags & GfBorder)) a->setFrameStyle(QFrame::NoFrame);
  a->horizontalScrollBar()->setSingleStep(std::max(step, 1));
  a->verticalScrollBar()->setSingleStep(std::max(step, 1));
  int n = detail::finish(num, a, GkScrollArea, x, y, w, h, flags);
  detail::pushList(n, inner);
  return n;
}

int panel(int num, int x, int y, int w, int h) {
  QWidget* p = detail::startGadget(GkPanel);
  if (!p) return -1;
  auto* t = new QTabWidget(p);
  // Tabs as narrow as the classic ones, so a row of short titles fits a side panel.
  t->setStyleSheet("QTabBar::tab { padding: 3px 4px; }");
  int n = detail::finish(num, t, GkPanel, x, y, w, h, 0);
  detail::pushList(n, nullptr);
  detail::g_lists.back().target = t;   // no tab yet: gadgets before the first tab sit on it
  QObject::connect(t, &QTabWidget::currentChanged, t, [n] { detail::postGadget(n, EtLeftClick); });
  return n;
}

namespace {
// List-like gadgets report a right click (selecting the item under the pointer).
class RightClickFilter : public QObject {
 public:
  RightClickFilter(int num, QObject* parent) : QObject(parent), num_(num) {}
  bool eventFilter(QObject*, QEvent* ev) override {
    if (ev->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(ev)->button() == Qt::RightButton)
      detail::postGadget(num_, EtRightClick);
    return false;
  }

 private:
  int num_;
};
}  // namespace

int listBox(int num, int x, int y, int w, int h, unsigned flags) {
  QWidget* p = detail::startGadget(GkList);
  if (!p) return -1;
  auto* l = new QListWidget(p);
  int n = detail::finish(num, l, GkList, x, y, w, h, flags);
  QObject::connect(l, &QListWidget::currentRowChanged, l, [n] { detail::postGadget(n, EtLeftClick); });
  QObject::connect(l, &QListWidget::itemDoubleClicked, l,
                   [n] { detail::postGadget(n, EtLeftDoubleClick); });
  l->viewport()->installEventFilter(new RightClickFilter(n, l));
  return n;
}

static int treeLike(GadgetKind kind, int num, int x, int y, int w, int h, unsigned flags) {
  QWidget* p = detail::startGadget(kind);
  if (!p) return -1;
  auto* t = new QTreeWidget(p);
  int n = detail::finish(num, t, kind, x, y, w, h, flags);
  QObject::connect(t, &QTreeWidget::currentItemChanged, t, [n] { detail::postGadget(n, EtLeftClick); });
  QObject::connect(t, &QTreeWidget::itemDoubleClicked, t,
                   [n] { detail::postGadget(n, EtLeftDoubleClick); });
  t->viewport()->installEventFilter(new RightClickFilter(n, t));
  return n;
}

int columnList(int num, int x, int y, int w, int h, const std::string& firstTitle, int firstWidth,
               unsigned flags) {
  int n = treeLike(GkColumnList, num, x, y, w, h, flags);
  if (n < 0) return n;
  auto* t = static_cast<QTreeWidget*>(detail::gadgetWidget(n));
  t->setRootIsDecorated(false);
  t->setItemsExpandable(false);
  t->setAllColumnsShowFocus(true);
  t->setHeaderLabels({toQt(firstTitle)});
  t->setColumnWidth(0, std::max(firstWidth, 0));
  t->header()->setStretchLastSection(false);
  return n;
}

void addColumn(int gadget, int column, const std::string& title, int width) {
  GadgetRec* r = rec(gadget, GkColumnList);
  if (!r || column < 0) return;
  auto* t = static_cast<QTreeWidget*>(r->w.data());
  int count = t->columnCount();
  if (column > count) column = count;
  // Columns are appended; a column inside the range renames and resizes it.
  if (column == count) t->setColumnCount(count + 1);
  t->headerItem()->setText(column, toQt(title));
  t->setColumnWidth(column, std::max(width, 0));
}

int tree(int num, int x, int y, int w, int h, unsigned flags) {
  int n = treeLike(GkTree, num, x, y, w, h, flags);
  if (n >= 0) static_cast<QTreeWidget*>(detail::gadgetWidget(n))->setHeaderHidden(true);
  return n;
}

int splitter(int num, int x, int y, int w, int h, int first, int second, unsigned flags) {
  QWidget* a = detail::gadgetWidget(first);
  QWidget* b = detail::gadgetWidget(second);
  if (!a || !b || a == b) return -1;
  QWidget* p = detail::startGadget(GkSplitter);
  if (!p) return -1;
  auto* s = new QSplitter((flags & GfVertical) ? Qt::Vertical : Qt::Horizontal, p);
  s->setChildrenCollapsible(false);
  s->addWidget(a);
  s->addWidget(b);
  // A resize goes to the second part; the first keeps the size the user gave it.
  s->setStretchFactor(0, 0);
  s->setStretchFactor(1, 1);
  a->show();
  b->show();
  int n = detail::finish(num, s, GkSplitter, x, y, w, h, flags);
  auto* filter = new detail::RawFilter(n, s);
  s->handle(1)->installEventFilter(filter);
  QObject::connect(s, &QSplitter::splitterMoved, s, [n](int pos) {
    GadgetRec* r = rec(n);
    if (r && r->cb) r->cb(n, EvMouseMove, pos, 0);
  });
  return n;
}

int scrollBar(int num, int x, int y, int w, int h, int min, int max, int page, unsigned flags) {
  QWidget* p = detail::startGadget(GkScrollBar);
  if (!p) return -1;
  auto* s = new QScrollBar((flags & GfVertical) ? Qt::Vertical : Qt::Horizontal, p);
  s->setRange(min, max);
  s->setPageStep(std::max(page, 1));
  int n = detail::finish(num, s, GkScrollBar, x, y, w, h, flags);
  QObject::connect(s, &QScrollBar::valueChanged, s, [n](int v) {
    GadgetRec* r = rec(n);
    if (r && r->cb && r->cb(n, EvGadget, v, 0)) return;
    detail::postGadget(n, EtChange);
  });
  // The user's request reaches the callback before the bar moves (the slider position
  // already holds where it would go); a handled request leaves the bar where the
  // program put it.
  QObject::connect(s, &QAbstractSlider::actionTriggered, s, [n, s](int action) {
    GadgetRec* r = rec(n);
    if (!r || !r->cb) return;
    int request;
    switch (action) {
      case QAbstractSlider::SliderSingleStepSub: request = SbLineUp; break;
      case QAbstractSlider::SliderSingleStepAdd: request = SbLineDown; break;
      case QAbstractSlider::SliderPageStepSub: request = SbPageUp; break;
      case QAbstractSlider::SliderPageStepAdd: request = SbPageDown; break;
      case QAbstractSlider::SliderToMinimum: request = SbTop; break;
      case QAbstractSlider::SliderToMaximum: request = SbBottom; break;
      case QAbstractSlider::SliderMove: request = SbThumbTrack; break;
      default: return;
    }
    if (r->cb(n, EvScroll, request, s->sliderPosition())) s->setSliderPosition(s->value());
  });
  return n;
}

int hyperlink(int num, int x, int y, int w, int h, const std::string& text, uint32_t colorValue) {
  QWidget* p = detail::startGadget(GkHyperlink);
  if (!p) return -1;
  auto* l = new detail::Hyperlink(p);
  l->setText(toQt(text));
  QFont f = l->font();
  f.setUnderline(true);
  l->setFont(f);
  QPalette pal = l->palette();
  pal.setColor(QPalette::WindowText,
               QColor(colorValue & 0xFF, (colorValue >> 8) & 0xFF, (colorValue >> 16) & 0xFF));
  l->setPalette(pal);
  int n = detail::finish(num, l, GkHyperlink, x, y, w, h, 0);
  l->num = n;
  return n;
}

int htmlView(int num, int x, int y, int w, int h, const std::string& html) {
  QWidget* p = detail::startGadget(GkHtml);
  if (!p) return -1;
  auto* b = new QTextBrowser(p);
  b->setOpenLinks(false);
  b->setHtml(toQt(html));
  return detail::finish(num, b, GkHtml, x, y, w, h, 0);
}

int canvas(int num, int x, int y, int w, int h, unsigned flags) {
  QWidget* p = detail::startGadget(GkCanvas);
  if (!p) return -1;
  if (num < 0) num = detail::freeNumber();
  else freeGadget(num);   // before its picture is made anew
  auto* c = new detail::Canvas(p);
  c->num = num;
  createImage(detail::CanvasImageBase + num, std::max(w, 1), std::max(h, 1), 24, 0xFFFFFF);
  // The picture lives as long as the widget (also when its window closes).
  QObject::connect(c, &QObject::destroyed, [num] { freeImage(detail::CanvasImageBase + num); });
  return detail::finish(num, c, GkCanvas, x, y, w, h, flags);
}

int canvasImage(int gadget) {
  return rec(gadget, GkCanvas) ? detail::CanvasImageBase + gadget : -1;
}

// ---- queries --------------------------------------------------------------------------

bool isGadget(int num) { return rec(num) != nullptr; }

void freeGadget(int num) {
  GadgetRec* r = rec(num);
  if (!r) return;
  QWidget* w = r->w;
  detail::g_gadgets.erase(num);
  w->hide();
  delete w;
}

GadgetKind gadgetKind(int num) {
  GadgetRec* r = rec(num);
  return r ? r->kind : GkNone;
}

int gadgetWindow(int num) {
  GadgetRec* r = rec(num);
  return r ? detail::windowOf(r->w) : -1;
}

// ---- state ------------------------------------------------------------------------------

namespace {

QTreeWidgetItem* flatItem(QTreeWidget* t, int index) {
  if (index < 0) return nullptr;
  int i = 0;
  for (QTreeWidgetItemIterator it(t); *it; ++it, ++i)
    if (i == index) return *it;
  return nullptr;
}

int flatIndex(QTreeWidget* t, QTreeWidgetItem* item) {
  if (!item) return -1;
  int i = 0;
  for (QTreeWidgetItemIterator it(t); *it; ++it, ++i)
    if (*it == item) return i;
  return -1;
}

int flatCount(QTreeWidget* t) {
  int i = 0;
  for (QTreeWidgetItemIterator it(t); *it; ++it) ++i;
  return i;
}

int itemLevel(QTreeWidgetItem* item) {
  int l = 0;
  for (auto* p = item->parent(); p; p = p->parent()) ++l;
  return l;
}

}  // namespace

void setGadgetState(int num, int state) {
  GadgetRec* r = rec(num);
  if (!r) return;
  QWidget* w = r->w;
  QSignalBlocker block(w);
  switch (r->kind) {
    case GkButton:
    case GkImageButton:
    case GkCheckBox:
      static_cast<QAbstractButton*>(w)->setChecked(state != 0);
      break;
    case GkOption: {
      auto* o = static_cast<QRadioButton*>(w);
      QButtonGroup* g = o->group();
      if (g && state == 0) g->setExclusive(false);
      o->setChecked(state != 0);
      if (g && state == 0) g->setExclusive(true);
      break;
    }
    case GkCombo:
      static_cast<QComboBox*>(w)->setCurrentIndex(state >= -1 && state < static_cast<QComboBox*>(w)->count() ? state : -1);
      break;
    case GkSpin: {
      auto* s = static_cast<detail::SpinField*>(w);
      s->value = std::clamp(state, s->min, s->max);
      s->setShown(QString::number(s->value));
      break;
    }
    case GkSlider:
      static_cast<QSlider*>(w)->setValue(state);
      break;
    case GkScrollBar:
      static_cast<QScrollBar*>(w)->setValue(state);
      break;
    case GkProgress:
      static_cast<QProgressBar*>(w)->setValue(
          std::clamp(state, static_cast<QProgressBar*>(w)->minimum(), static_cast<QProgressBar*>(w)->maximum()));
      break;
    case GkImage:
      r->image = state;
      detail::showImage(*r);
      break;
    case GkPanel: {
      auto* t = static_cast<QTabWidget*>(w);
      if (state >= 0 && state < t->count()) t->setCurrentIndex(state);
      break;
    }
    case GkList: {
      auto* l = static_cast<QListWidget*>(w);
      if (state < 0 || state >= l->count()) {
        l->clearSelection();
        l->setCurrentRow(-1);
      } else {
        l->setCurrentRow(state);
      }
      break;
    }
    case GkColumnList:
    case GkTree: {
      auto* t = static_cast<QTreeWidget*>(w);
      QTreeWidgetItem* item = flatItem(t, state);
      if (item) {
        t->setCurrentItem(item);
      } else {
        t->clearSelection();
        t->setCurrentItem(nullptr);
      }
      break;
    }
    case GkSplitter: {
      auto* s = static_cast<QSplitter*>(w);
      int total = s->orientation() == Qt::Horizontal ? s->width() : s->height();
      total -= s->handleWidth();
      int first = std::clamp(state, 0, std::max(total, 0));
      s->setSizes({first, std::max(total - first, 0)});
      break;
    }
    default:
      break;
  }
}

int gadgetState(int num) {
  GadgetRec* r = rec(num);
  if (!r) return 0;
  QWidget* w = r->w;
  switch (r->kind) {
    case GkButton:
    case GkImageButton:
    case GkCheckBox:
    case GkOption:
      return static_cast<QAbstractButton*>(w)->isChecked() ? 1 : 0;
    case GkCombo: return static_cast<QComboBox*>(w)->currentIndex();
    case GkSpin: return static_cast<detail::SpinField*>(w)->value;
    case GkSlider: return static_cast<QSlider*>(w)->value();
    case GkScrollBar: return static_cast<QScrollBar*>(w)->value();
    case GkProgress: return static_cast<QProgressBar*>(w)->value();
    case GkImage: return r->image;
    case GkPanel: return static_cast<QTabWidget*>(w)->currentIndex();
    case GkList: {
      auto* l = static_cast<QListWidget*>(w);
      return l->currentItem() && l->currentItem()->isSelected() ? l->currentRow() : -1;
    }
    case GkColumnList:
    case GkTree: {
      auto* t = static_cast<QTreeWidget*>(w);
      QTreeWidgetItem* c = t->currentItem();
      return c && c->isSelected() ? flatIndex(t, c) : -1;
    }
    case GkSplitter: {
      auto* s = static_cast<QSplitter*>(w);
      QList<int> sizes = s->sizes();
      return sizes.isEmpty() ? 0 : sizes[0];
    }
    default: return 0;
  }
}

void setGadgetText(int num, const std::string& text) {
  GadgetRec* r = rec(num);
  if (!r) return;
  QWidget* w = r->w;
  QSignalBlocker block(w);
  switch (r->kind) {
    case GkLabel: static_cast<QLabel*>(w)->setText(detail::shown(text)); break;
    case GkHyperlink: static_cast<QLabel*>(w)->setText(toQt(text)); break;
    case GkButton: {
      auto* b = static_cast<detail::Button*>(w);
      r->text = text;
      if (b->wrap) b->setWrapped(detail::shown(text));
      else b->setText(toQt(text));
      break;
    }
    case GkImageButton: static_cast<QPushButton*>(w)->setText(toQt(text)); break;
    case GkCheckBox:
    case GkOption: static_cast<QAbstractButton*>(w)->setText(toQt(text)); break;
    case GkString: static_cast<QLineEdit*>(w)->setText(toQt(text)); break;
    case GkSpin: {
      auto* s = static_cast<detail::SpinField*>(w);
      s->setShown(toQt(text));
      break;
    }
    case GkTextBox:
    case GkEditor: static_cast<QPlainTextEdit*>(w)->setPlainText(detail::shown(text)); break;
    case GkHtml: static_cast<QTextBrowser*>(w)->setHtml(toQt(text)); break;
    case GkCombo: {
      auto* c = static_cast<QComboBox*>(w);
      if (c->isEditable()) {
        c->setEditText(toQt(text));
      } else {
        int i = c->findText(toQt(text), Qt::MatchFixedString);
        if (i >= 0) c->setCurrentIndex(i);
      }
      break;
    }
    case GkFrame:
      if (auto* g = qobject_cast<QGroupBox*>(w)) g->setTitle(toQt(text));
      else w->setProperty("tkTitle", toQt(text));
      break;
    case GkPanel: {
      auto* t = static_cast<QTabWidget*>(w);
      if (t->currentIndex() >= 0) t->setTabText(t->currentIndex(), toQt(text));
      break;
    }
    case GkList:
    case GkColumnList:
    case GkTree: {
      int i = gadgetState(num);
      if (i >= 0) setGadgetItemText(num, i, text);
      break;
    }
    default:
      break;
  }
}

std::string gadgetText(int num) {
  GadgetRec* r = rec(num);
  if (!r) return "";
  QWidget* w = r->w;
  switch (r->kind) {
    case GkLabel: return detail::crlf(static_cast<QLabel*>(w)->text());
    case GkHyperlink: return fromQt(static_cast<QLabel*>(w)->text());
    case GkButton: return r->text;
    case GkImageButton:
    case GkCheckBox:
    case GkOption: return fromQt(static_cast<QAbstractButton*>(w)->text());
    case GkString: return fromQt(static_cast<QLineEdit*>(w)->text());
    case GkSpin: return fromQt(static_cast<detail::SpinField*>(w)->edit()->text());
    case GkTextBox:
    case GkEditor: return detail::crlf(static_cast<QPlainTextEdit*>(w)->toPlainText());
    case GkHtml: return fromQt(static_cast<QTextBrowser*>(w)->toHtml());
    case GkCombo: return fromQt(static_cast<QComboBox*>(w)->currentText());
    case GkFrame:
      if (auto* g = qobject_cast<QGroupBox*>(w)) return fromQt(g->title());
      return fromQt(w->property("tkTitle").toString());
    case GkPanel: {
      auto* t = static_cast<QTabWidget*>(w);
      return t->currentIndex() >= 0 ? fromQt(t->tabText(t->currentIndex())) : std::string();
    }
    case GkList:
    case GkColumnList:
    case GkTree: {
      int i = gadgetState(num);
      return i >= 0 ? gadgetItemText(num, i) : std::string();
    }
    default: return "";
  }
}

// ---- items --------------------------------------------------------------------------------

int addGadgetItem(int num, int pos, const std::string& text, int image, int level) {
  GadgetRec* r = rec(num);
  if (!r) return -1;
  QWidget* w = r->w;
  QSignalBlocker block(w);
  QIcon icon = image >= 0 && isImage(image) ? QIcon(detail::imagePixmap(image)) : QIcon();
  switch (r->kind) {
    case GkCombo: {
      auto* c = static_cast<QComboBox*>(w);
      if (pos < 0 || pos > c->count()) pos = c->count();
      c->insertItem(pos, icon, toQt(text));
      return pos;
    }
    case GkList: {
      auto* l = static_cast<QListWidget*>(w);
      if (pos < 0 || pos > l->count()) pos = l->count();
      auto* item = new QListWidgetItem(icon, toQt(text));
      l->insertItem(pos, item);
      return pos;
    }
    case GkColumnList: {
      auto* t = static_cast<QTreeWidget*>(w);
      int count = t->topLevelItemCount();
      if (pos < 0 || pos > count) pos = count;
      auto* item = new QTreeWidgetItem;
      QStringList cols = toQt(text).split('\n');
      for (int c = 0; c < cols.size(); ++c) item->setText(c, cols[c]);
      item->setIcon(0, icon);
      if (r->flags & GfCheckBoxes) {
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(0, Qt::Unchecked);
      }
      t->insertTopLevelItem(pos, item);
      return pos;
    }
    case GkTree: {
      auto* t = static_cast<QTreeWidget*>(w);
      int count = flatCount(t);
      if (pos < 0 || pos > count) pos = count;
      // The parent is the nearest item before pos that lies one level up.
      QTreeWidgetItem* parent = nullptr;
      int want = std::max(level, 0);
      for (int i = pos - 1; i >= 0 && want > 0; --i) {
        QTreeWidgetItem* it = flatItem(t, i);
        int l = itemLevel(it);
        if (l < want) {
          parent = it;
          break;
        }
      }
      auto* item = new QTreeWidgetItem;
      item->setText(0, toQt(text));
      item->setIcon(0, icon);
      if (r->flags & GfCheckBoxes) {
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(0, Qt::Unchecked);
      }
      // Among the parent's children, it goes after those that come before pos.
      int index = 0;
      int n = parent ? parent->childCount() : t->topLevelItemCount();
      for (; index < n; ++index) {
        QTreeWidgetItem* sib = parent ? parent->child(index) : t->topLevelItem(index);
        if (flatIndex(t, sib) >= pos) break;
      }
      if (parent) parent->insertChild(index, item);
      else t->insertTopLevelItem(index, item);
      return flatIndex(t, item);
    }
    case GkPanel: {
      auto* t = static_cast<QTabWidget*>(w);
      if (pos < 0 || pos > t->count()) pos = t->count();
      auto* page = new QWidget;
      t->insertTab(pos, page, icon, toQt(text));
      // The new tab takes the following gadgets while the panel's list is open.
      for (auto it = detail::g_lists.rbegin(); it != detail::g_lists.rend(); ++it) {
        if (it->gadget == num) {
          if (it == detail::g_lists.rbegin()) it->target = page;
          break;
        }
      }
      detail::g_optionGroup = nullptr;
      return pos;
    }
    default:
      return -1;
  }
}

void removeGadgetItem(int num, int item) {
  GadgetRec* r = rec(num);
  if (!r || item < 0) return;
  QWidget* w = r->w;
  QSignalBlocker block(w);
  switch (r->kind) {
    case GkCombo:
      if (item < static_cast<QComboBox*>(w)->count()) static_cast<QComboBox*>(w)->removeItem(item);
      break;
    case GkList: delete static_cast<QListWidget*>(w)->takeItem(item); break;
    case GkColumnList:
    case GkTree: delete flatItem(static_cast<QTreeWidget*>(w), item); break;
    case GkPanel: {
      auto* t = static_cast<QTabWidget*>(w);
      if (item < t->count()) {
        QWidget* page = t->widget(item);
        t->removeTab(item);
        delete page;
      }
      break;
    }
    default: break;
  }
}

void clearGadgetItems(int num) {
  GadgetRec* r = rec(num);
  if (!r) return;
  QWidget* w = r->w;
  QSignalBlocker block(w);
  switch (r->kind) {
    case GkCombo: static_cast<QComboBox*>(w)->clear(); break;
    case GkList: static_cast<QListWidget*>(w)->clear(); break;
    case GkColumnList:
    case GkTree: static_cast<QTreeWidget*>(w)->clear(); break;
    case GkPanel: {
      auto* t = static_cast<QTabWidget*>(w);
      while (t->count()) {
        QWidget* page = t->widget(0);
        t->removeTab(0);
        delete page;
      }
      break;
    }
    default: break;
  }
}

int countGadgetItems(int num) {
  GadgetRec* r = rec(num);
  if (!r) return 0;
  QWidget* w = r->w;
  switch (r->kind) {
    case GkCombo: return static_cast<QComboBox*>(w)->count();
    case GkList: return static_cast<QListWidget*>(w)->count();
    case GkColumnList:
    case GkTree: return flatCount(static_cast<QTreeWidget*>(w));
    case GkPanel: return static_cast<QTabWidget*>(w)->count();
    default: return 0;
  }
}

std::string gadgetItemText(int num, int item, int column) {
  GadgetRec* r = rec(num);
  if (!r || item < 0 || column < 0) return "";
  QWidget* w = r->w;
  switch (r->kind) {
    case GkCombo: {
      auto* c = static_cast<QComboBox*>(w);
      return item < c->count() ? fromQt(c->itemText(item)) : std::string();
    }
    case GkList: {
      auto* it = static_cast<QListWidget*>(w)->item(item);
      return it ? fromQt(it->text()) : std::string();
    }
    case GkColumnList:
    case GkTree: {
      auto* t = static_cast<QTreeWidget*>(w);
      auto* it = flatItem(t, item);
      return it && column < t->columnCount() ? fromQt(it->text(column)) : std::string();
    }
    case GkPanel: {
      auto* t = static_cast<QTabWidget*>(w);
      return item < t->count() ? fromQt(t->tabText(item)) : std::string();
    }
    default: return "";
  }
}

void setGadgetItemText(int num, int item, const std::string& text, int column) {
  GadgetRec* r = rec(num);
  if (!r || item < 0 || column < 0) return;
  QWidget* w = r->w;
  QSignalBlocker block(w);
  switch (r->kind) {
    case GkCombo: {
      auto* c = static_cast<QComboBox*>(w);
      if (item < c->count()) c->setItemText(item, toQt(text));
      break;
    }
    case GkList:
      if (auto* it = static_cast<QListWidget*>(w)->item(item)) it->setText(toQt(text));
      break;
    case GkColumnList:
    case GkTree: {
      auto* t = static_cast<QTreeWidget*>(w);
      if (auto* it = flatItem(t, item); it && column < t->columnCount()) it->setText(column, toQt(text));
      break;
    }
    case GkPanel: {
      auto* t = static_cast<QTabWidget*>(w);
      if (item < t->count()) t->setTabText(item, toQt(text));
      break;
    }
    default: break;
  }
}

int gadgetItemState(int num, int item) {
  GadgetRec* r = rec(num);
  if (!r || item < 0) return 0;
  QWidget* w = r->w;
  switch (r->kind) {
    case GkCombo: return static_cast<QComboBox*>(w)->currentIndex() == item ? ItemSelected : 0;
    case GkPanel: return static_cast<QTabWidget*>(w)->currentIndex() == item ? ItemSelected : 0;
    case GkList: {
      auto* it = static_cast<QListWidget*>(w)->item(item);
      return it && it->isSelected() ? ItemSelected : 0;
    }
    case GkColumnList:
    case GkTree: {
      auto* it = flatItem(static_cast<QTreeWidget*>(w), item);
      if (!it) return 0;
      int s = 0;
      if (it->isSelected()) s |= ItemSelected;
      if ((r->flags & GfCheckBoxes) && it->checkState(0) == Qt::Checked) s |= ItemChecked;
      if (it->isExpanded()) s |= ItemExpanded;
      return s;
    }
    default: return 0;
  }
}

void setGadgetItemState(int num, int item, int state) {
  GadgetRec* r = rec(num);
  if (!r || item < 0) return;
  QWidget* w = r->w;
  QSignalBlocker block(w);
  switch (r->kind) {
    case GkCombo:
    case GkPanel:
    case GkList:
      if (item < countGadgetItems(num)) {
        if (state & ItemSelected) setGadgetState(num, item);
        else if (r->kind == GkList) {
          if (auto* it = static_cast<QListWidget*>(w)->item(item)) it->setSelected(false);
        }
      }
      break;
    case GkColumnList:
    case GkTree: {
      auto* t = static_cast<QTreeWidget*>(w);
      auto* it = flatItem(t, item);
      if (!it) break;
      if (state & ItemSelected) t->setCurrentItem(it);
      else it->setSelected(false);
      if (r->flags & GfCheckBoxes) it->setCheckState(0, (state & ItemChecked) ? Qt::Checked : Qt::Unchecked);
      if (r->kind == GkTree) it->setExpanded(state & ItemExpanded);
      break;
    }
    default: break;
  }
}

void setGadgetItemImage(int num, int item, int image) {
  GadgetRec* r = rec(num);
  if (!r || item < 0) return;
  QIcon icon = image >= 0 && isImage(image) ? QIcon(detail::imagePixmap(image)) : QIcon();
  QWidget* w = r->w;
  switch (r->kind) {
    case GkCombo:
      if (item < static_cast<QComboBox*>(w)->count()) static_cast<QComboBox*>(w)->setItemIcon(item, icon);
      break;
    case GkList:
      if (auto* it = static_cast<QListWidget*>(w)->item(item)) it->setIcon(icon);
      break;
    case GkColumnList:
    case GkTree:
      if (auto* it = flatItem(static_cast<QTreeWidget*>(w), item)) it->setIcon(0, icon);
      break;
    case GkPanel:
      if (item < static_cast<QTabWidget*>(w)->count()) static_cast<QTabWidget*>(w)->setTabIcon(item, icon);
      break;
    default: break;
  }
}

// ---- attributes --------------------------------------------------------------------------

void setGadgetAttribute(int num, GadgetAttribute attr, int value) {
  GadgetRec* r = rec(num);
  if (!r) return;
  QWidget* w = r->w;
  QSignalBlocker block(w);
  switch (r->kind) {
    case GkSlider:
    case GkScrollBar: {
      auto* s = static_cast<QAbstractSlider*>(w);
      if (attr == AttrMinimum) s->setMinimum(value);
      else if (attr == AttrMaximum) s->setMaximum(value);
      else if (attr == AttrPageLength) s->setPageStep(std::max(value, 1));
      break;
    }
    case GkProgress: {
      auto* b = static_cast<QProgressBar*>(w);
      if (attr == AttrMinimum) b->setMinimum(value);
      else if (attr == AttrMaximum) b->setMaximum(value);
      break;
    }
    case GkSpin: {
      auto* s = static_cast<detail::SpinField*>(w);
      if (attr == AttrMinimum) s->min = value;
      else if (attr == AttrMaximum) s->max = value;
      else if (attr == AttrSpinValue) s->value = value;
      if (s->max < s->min) s->max = s->min;
      s->value = std::clamp(s->value, s->min, s->max);
      break;
    }
    case GkScrollArea: {
      auto* a = static_cast<QScrollArea*>(w);
      QWidget* inner = a->widget();
      switch (attr) {
        case AttrInnerWidth: inner->resize(std::max(value, 0), inner->height()); break;
        case AttrInnerHeight: inner->resize(inner->width(), std::max(value, 0)); break;
        case AttrScrollX: a->horizontalScrollBar()->setValue(value); break;
        case AttrScrollY: a->verticalScrollBar()->setValue(value); break;
        case AttrScrollStep:
          a->horizontalScrollBar()->setSingleStep(std::max(value, 1));
          a->verticalScrollBar()->setSingleStep(std::max(value, 1));
          break;
        default: break;
      }
      break;
    }
    case GkImage:
    case GkImageButton:
      if (attr == AttrImage) {
        r->image = value;
        detail::showImage(*r);
      }
      break;
    case GkColumnList:
      if (attr >= AttrColumnWidth0 && attr < AttrColumnWidth0 + static_cast<QTreeWidget*>(w)->columnCount())
        static_cast<QTreeWidget*>(w)->setColumnWidth(attr - AttrColumnWidth0, std::max(value, 0));
      break;
    case GkCombo:
      if (attr == AttrListHeight) {
        r->listHeight = value;
        auto* c = static_cast<QComboBox*>(w);
        c->setMaxVisibleItems(std::max(1, value / std::max(1, c->fontMetrics().height() + 2)));
      }
      break;
    case GkSplitter: {
      auto* s = static_cast<QSplitter*>(w);
      int i = attr == AttrFirstMinimum ? 0 : attr == AttrSecondMinimum ? 1 : -1;
      if (i >= 0 && s->widget(i)) {
        if (s->orientation() == Qt::Horizontal) s->widget(i)->setMinimumWidth(std::max(value, 0));
        else s->widget(i)->setMinimumHeight(std::max(value, 0));
      }
      break;
    }
    default: break;
  }
}

int gadgetAttribute(int num, GadgetAttribute attr) {
  GadgetRec* r = rec(num);
  if (!r) return 0;
  QWidget* w = r->w;
  switch (r->kind) {
    case GkSlider:
    case GkScrollBar: {
      auto* s = static_cast<QAbstractSlider*>(w);
      if (attr == AttrMinimum) return s->minimum();
      if (attr == AttrMaximum) return s->maximum();
      if (attr == AttrPageLength) return s->pageStep();
      return 0;
    }
    case GkProgress:
      if (attr == AttrMinimum) return static_cast<QProgressBar*>(w)->minimum();
      if (attr == AttrMaximum) return static_cast<QProgressBar*>(w)->maximum();
      return 0;
    case GkSpin: {
      auto* s = static_cast<detail::SpinField*>(w);
      if (attr == AttrMinimum) return s->min;
      if (attr == AttrMaximum) return s->max;
      if (attr == AttrSpinValue) return s->value;
      return 0;
    }
    case GkScrollArea: {
      auto* a = static_cast<QScrollArea*>(w);
      switch (attr) {
        case AttrInnerWidth: return a->widget()->width();
        case AttrInnerHeight: return a->widget()->height();
        case AttrScrollX: return a->horizontalScrollBar()->value();
        case AttrScrollY: return a->verticalScrollBar()->value();
        case AttrScrollStep: return a->verticalScrollBar()->singleStep();
        default: return 0;
      }
    }
    case GkImage:
    case GkImageButton: return attr == AttrImage ? r->image : 0;
    case GkColumnList: {
      auto* t = static_cast<QTreeWidget*>(w);
      if (attr >= AttrColumnWidth0 && attr < AttrColumnWidth0 + t->columnCount())
        return t->columnWidth(attr - AttrColumnWidth0);
      return 0;
    }
    case GkCombo: return attr == AttrListHeight ? r->listHeight : 0;
    case GkSplitter: {
      auto* s = static_cast<QSplitter*>(w);
      int i = attr == AttrFirstMinimum ? 0 : attr == AttrSecondMinimum ? 1 : -1;
      if (i < 0 || !s->widget(i)) return 0;
      return s->orientation() == Qt::Horizontal ? s->widget(i)->minimumWidth()
                                                : s->widget(i)->minimumHeight();
    }
    default: return 0;
  }
}

// ---- common properties ------------------------------------------------------------------

void setGadgetToolTip(int num, const std::string& text) {
  if (GadgetRec* r = rec(num)) r->w->setToolTip(toQt(text));
}

std::string gadgetToolTip(int num) {
  GadgetRec* r = rec(num);
  return r ? fromQt(r->w->toolTip()) : std::string();
}

void setGadgetFont(int num, int font) {
  GadgetRec* r = rec(num);
  if (!r) return;
  QFont f = font < 0 ? QApplication::font() : detail::font(font);
  if (r->kind == GkHyperlink) f.setUnderline(true);
  r->w->setFont(f);
}

void setGadgetColor(int num, ColorKind which, uint32_t c) {
  GadgetRec* r = rec(num);
  if (!r) return;
  (which == ColorFront ? r->front : r->back) = c;
  QWidget* w = r->w;
  QPalette p = QApplication::palette(w);
  if (r->kind == GkHyperlink) p.setColor(QPalette::WindowText, w->palette().color(QPalette::WindowText));
  auto colour = [](uint32_t v) { return QColor(v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF); };
  if (r->front != 0xFFFFFFFF)
    for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
      p.setColor(role, colour(r->front));
  if (r->back != 0xFFFFFFFF)
    for (auto role : {QPalette::Window, QPalette::Base, QPalette::Button})
      p.setColor(role, colour(r->back));
  w->setPalette(p);
  w->setAutoFillBackground(r->back != 0xFFFFFFFF);
}

int gadgetX(int num) {
  GadgetRec* r = rec(num);
  return r ? r->w->x() : 0;
}
int gadgetY(int num) {
  GadgetRec* r = rec(num);
  return r ? r->w->y() : 0;
}
int gadgetWidth(int num) {
  GadgetRec* r = rec(num);
  return r ? r->w->width() : 0;
}
int gadgetHeight(int num) {
  GadgetRec* r = rec(num);
  return r ? r->w->height() : 0;
}

void resizeGadget(int num, int x, int y, int w, int h) {
  GadgetRec* r = rec(num);
  if (!r) return;
  QWidget* g = r->w;
  g->setGeometry(x == -1 ? g->x() : x, y == -1 ? g->y() : y, w == -1 ? g->width() : std::max(w, 0),
                 h == -1 ? g->height() : std::max(h, 0));
  if (r->kind == GkCanvas) static_cast<detail::Canvas*>(g)->fitPicture();
}

void hideGadget(int num, bool hide) {
  if (GadgetRec* r = rec(num)) r->w->setVisible(!hide);
}

bool gadgetHidden(int num) {
  GadgetRec* r = rec(num);
  return !r || r->w->isHidden();
}

void disableGadget(int num, bool disable) {
  if (GadgetRec* r = rec(num)) r->w->setEnabled(!disable);
}

bool gadgetDisabled(int num) {
  GadgetRec* r = rec(num);
  return !r || r->w->testAttribute(Qt::WA_ForceDisabled);
}

void setActiveGadget(int num) {
  GadgetRec* r = rec(num);
  if (!r) return;
  r->w->setFocus(Qt::OtherFocusReason);
}

int activeGadget() { return detail::gadgetOfWidget(QApplication::focusWidget()); }

int gadgetAt(int win, int x, int y) {
  auto* w = detail::window(win);
  if (!w || !w->client) return -1;
  return detail::gadgetOfWidget(w->client->childAt(x, y));
}

void setGadgetCallback(int num, GadgetCallback cb) {
  GadgetRec* r = rec(num);
  if (!r) return;
  r->cb = std::move(cb);
  // Canvases, splitters and scroll bars report on their own; others get the filter.
  if (!r->filtered && r->kind != GkCanvas && r->kind != GkSplitter && r->kind != GkScrollBar) {
    r->w->installEventFilter(new detail::RawFilter(num, r->w));
    r->filtered = true;
  }
}

// ---- combo lists ---------------------------------------------------------------------

namespace {
QComboBox* comboOf(int num) {
  GadgetRec* r = rec(num);
  return r && r->kind == GkCombo ? qobject_cast<QComboBox*>(r->w.data()) : nullptr;
}

QWidget* comboPopup(QComboBox* c) {
  QAbstractItemView* v = c ? c->view() : nullptr;
  return v ? v->window() : nullptr;
}

// Ends a wait when the list it watches is hidden.
class HideWatch : public QObject {
 public:
  explicit HideWatch(QEventLoop* loop) : loop_(loop) {}
  bool eventFilter(QObject*, QEvent* ev) override {
    if (ev->type() == QEvent::Hide) loop_->quit();
    return false;
  }

 private:
  QEventLoop* loop_;
};
}  // namespace

bool comboListShown(int num) {
  QComboBox* c = comboOf(num);
  QWidget* popup = comboPopup(c);
  return c && popup && popup->isVisible() && popup != c->window();
}

void waitComboClosed(int num) {
  if (!comboListShown(num)) return;
  QComboBox* c = comboOf(num);
  QWidget* popup = comboPopup(c);
  QEventLoop loop;
  HideWatch watch(&loop);
  popup->installEventFilter(&watch);
  auto picked = QObject::connect(c, qOverload<int>(&QComboBox::activated), &loop, &QEventLoop::quit);
  auto gone = QObject::connect(c, &QObject::destroyed, &loop, &QEventLoop::quit);
  loop.exec();
  QObject::disconnect(picked);
  QObject::disconnect(gone);
  if (QWidget* p = comboPopup(comboOf(num))) p->removeEventFilter(&watch);
}

void testShowComboList(int num, bool show) {
  if (QComboBox* c = comboOf(num)) {
    if (show) c->showPopup();
    else c->hidePopup();
  }
}

}  // namespace tk
