// The rich editor gadget: a QTextEdit that takes plain text only and is driven by
// character offsets. A document position is an offset: the paragraph break between
// two lines is one character, handed out as "\r".
#include <QKeyEvent>
#include <QMimeData>
#include <QStyle>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <algorithm>
#include <memory>

#include "toolkit/internal.h"
#include "toolkit/tk_rich.h"

namespace tk {

namespace {

class RichEdit : public QTextEdit {
 public:
  explicit RichEdit(QWidget* parent) : QTextEdit(parent) {
    setAcceptRichText(false);
    setProperty("tkClass", QStringLiteral("RichEdit20A"));
    connect(this, &QTextEdit::textChanged, this, [this] {
      if (quiet_ > 0) return;
      int num = detail::gadgetOfWidget(this);
      if (num < 0) return;
      Event e;
      e.code = EvGadget;
      e.gadget = num;
      e.window = detail::windowOf(this);
      e.type = EtChange;
      postEvent(e);
    });
  }

  // Changes the program makes raise no change event.
  struct Quiet {
    explicit Quiet(RichEdit* r) : r(r) { ++r->quiet_; }
    ~Quiet() { --r->quiet_; }
    RichEdit* r;
  };

  int32_t length() const { return int32_t(document()->characterCount() - 1); }
  int32_t clampOffset(int32_t o) const { return std::clamp<int32_t>(o, 0, length()); }

 protected:
  // The program sees the key (EvKeyDown, queued by the input filter) before the
  // editor acts on it: the key is applied when the program next waits or polls.
  void keyPressEvent(QKeyEvent* e) override {
    if (applying_) {
      QTextEdit::keyPressEvent(e);
      return;
    }
    // Keys the program carries out itself reach it (EvKeyDown) but not the editor.
    if (!ignored_.empty()) {
      const int key = detail::virtualKey(e) | ((e->modifiers() & Qt::ShiftModifier) ? ModShift : 0) |
                      ((e->modifiers() & Qt::ControlModifier) ? ModCtrl : 0) |
                      ((e->modifiers() & Qt::AltModifier) ? ModAlt : 0);
      if (std::find(ignored_.begin(), ignored_.end(), key) != ignored_.end()) {
        e->accept();
        return;
      }
    }
    std::shared_ptr<QKeyEvent> copy(e->clone());
    QPointer<RichEdit> self(this);
    deferToNextWait([self, copy] {
      if (!self) return;
      self->applying_ = true;
      self->QTextEdit::keyPressEvent(copy.get());
      self->applying_ = false;
    });
    e->accept();
  }

  bool canInsertFromMimeData(const QMimeData* source) const override { return source->hasText(); }
  void insertFromMimeData(const QMimeData* source) override {
    if (source->hasText()) textCursor().insertText(source->text());
  }

 public:
  std::vector<int> ignored_;
  int batch_ = 0;              // nesting of richBeginChanges
  QTextCursor batchCursor_;    // holds the document's edit block open

 private:
  int quiet_ = 0;
  bool applying_ = false;
};

RichEdit* rich(int gadget) { return dynamic_cast<RichEdit*>(detail::gadgetWidget(gadget)); }

// The program's line breaks ("\r\n", "\r" or "\n") as QTextCursor::insertText wants them.
QString toDocText(const std::string& s) {
  QString t = toQt(s);
  t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return t;
}

// Document text (paragraph and line separators) to the program's: breaks become "\r".
std::string fromDocText(QString t) {
  for (QChar& c : t)
    if (c == QChar::ParagraphSeparator || c == QChar::LineSeparator || c == QLatin1Char('\n'))
      c = QLatin1Char('\r');
  return fromQt(t);
}

// The document as one string, one character per offset; breaks as '\n'.
QString flatText(const QTextDocument* d) {
  QString t = d->toRawText();
  for (QChar& c : t)
    if (c == QChar::ParagraphSeparator || c == QChar::LineSeparator) c = QLatin1Char('\n');
  return t;
}

QColor toColor(uint32_t v) { return QColor(int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF)); }
uint32_t fromColor(const QColor& c) {
  return uint32_t(c.red()) | (uint32_t(c.green()) << 8) | (uint32_t(c.blue()) << 16);
}

bool isWordChar(QChar c) { return c.isLetterOrNumber() || c == QLatin1Char('_'); }

int32_t caretLine(RichEdit* r) { return r->textCursor().block().blockNumber(); }

}  // namespace

int richEditor(int num, int x, int y, int w, int h, unsigned flags) {
  QWidget* parent = detail::gadgetParent();
  if (!parent) return -1;
  auto* r = new RichEdit(parent);
  r->setLineWrapMode((flags & GfWordWrap) ? QTextEdit::WidgetWidth : QTextEdit::NoWrap);
  r->setReadOnly(flags & GfReadOnly);
  int n = detail::registerGadget(num, r, GkRichEdit, x, y, w, h);
  if (n < 0) delete r;
  return n;
}

std::string richText(int gadget) {
  auto* r = rich(gadget);
  return r ? fromDocText(r->document()->toRawText()) : std::string();
}

void setRichText(int gadget, const std::string& text) {
  auto* r = rich(gadget);
  if (!r) return;
  RichEdit::Quiet q(r);
  r->setPlainText(toDocText(text));
}

void richGetSelection(int gadget, int32_t* start, int32_t* end) {
  auto* r = rich(gadget);
  QTextCursor c = r ? r->textCursor() : QTextCursor();
  if (start) *start = r ? c.selectionStart() : 0;
  if (end) *end = r ? c.selectionEnd() : 0;
}

void richSetSelection(int gadget, int32_t start, int32_t end) {
  auto* r = rich(gadget);
  if (!r) return;
  QTextCursor c = r->textCursor();
  if (start < 0) {  // no selection: the caret stays where the selection ends
    c.clearSelection();
  } else {
    c.setPosition(r->clampOffset(start));
    c.setPosition(end < 0 ? r->length() : r->clampOffset(end), QTextCursor::KeepAnchor);
  }
  r->setTextCursor(c);
}

std::string richSelectedText(int gadget) {
  auto* r = rich(gadget);
  return r ? fromDocText(r->textCursor().selectedText()) : std::string();
}

void richReplaceSelection(int gadget, const std::string& text, bool canUndo) {
  auto* r = rich(gadget);
  if (!r) return;
  RichEdit::Quiet q(r);
  QTextDocument* d = r->document();
  QTextCursor c = r->textCursor();
  if (canUndo) {
    c.beginEditBlock();
    c.insertText(toDocText(text));
    c.endEditBlock();
  } else {
    // An edit outside the undo record leaves the older steps pointing at the wrong
    // places, so the record is emptied with it.
    d->setUndoRedoEnabled(false);
    c.insertText(toDocText(text));
    d->setUndoRedoEnabled(true);
  }
  r->setTextCursor(c);
}

int32_t richLineFromChar(int gadget, int32_t offset) {
  auto* r = rich(gadget);
  if (!r) return 0;
  if (offset < 0) return caretLine(r);
  return r->document()->findBlock(r->clampOffset(offset)).blockNumber();
}

int32_t richLineIndex(int gadget, int32_t line) {
  auto* r = rich(gadget);
  if (!r) return -1;
  if (line < 0) line = caretLine(r);
  QTextBlock b = r->document()->findBlockByNumber(line);
  return b.isValid() ? b.position() : -1;
}

int32_t richLineCount(int gadget) {
  auto* r = rich(gadget);
  return r ? r->document()->blockCount() : 0;
}

int32_t richLineLength(int gadget, int32_t offset) {
  auto* r = rich(gadget);
  if (!r) return 0;
  QTextBlock b = offset < 0 ? r->textCursor().block() : r->document()->findBlock(r->clampOffset(offset));
  return b.isValid() ? b.length() - 1 : 0;
}

std::string richLine(int gadget, int32_t line) {
  auto* r = rich(gadget);
  if (!r || line < 0) return std::string();
  QTextBlock b = r->document()->findBlockByNumber(line);
  return b.isValid() ? fromDocText(b.text()) : std::string();
}

int32_t richTextLength(int gadget) {
  auto* r = rich(gadget);
  return r ? r->length() : 0;
}

void richHideSelection(int gadget, bool hide) {
  auto* r = rich(gadget);
  if (!r) return;
  // Hidden: the selection is drawn like the rest of the text (no highlight).
  QPalette p = r->palette();
  QPalette def = r->style() ? r->style()->standardPalette() : QPalette();
  for (auto g : {QPalette::Active, QPalette::Inactive}) {
    p.setBrush(g, QPalette::Highlight, hide ? QBrush(Qt::transparent) : def.brush(g, QPalette::Highlight));
    p.setBrush(g, QPalette::HighlightedText,
               hide ? p.brush(g, QPalette::Text) : def.brush(g, QPalette::HighlightedText));
  }
  r->setPalette(p);
}

void richSetCharFormat(int gadget, const CharFormat& f) {
  auto* r = rich(gadget);
  if (!r) return;
  RichEdit::Quiet q(r);
  QTextCharFormat fmt;
  if (f.mask & CharFormat::HasColor) fmt.setForeground(toColor(f.color));
  if (f.mask & CharFormat::HasBold) fmt.setFontWeight(f.bold ? QFont::Bold : QFont::Normal);
  if (f.mask & CharFormat::HasItalic) fmt.setFontItalic(f.italic);
  if (f.mask & CharFormat::HasUnderline) fmt.setFontUnderline(f.underline);
  if ((f.mask & CharFormat::HasFace) && !f.face.empty())
    fmt.setFontFamilies(QStringList{toQt(f.face.substr(0, 31))});
  if ((f.mask & CharFormat::HasSize) && f.heightTwips > 0) fmt.setFontPointSize(f.heightTwips / 20.0);
  // With a selection this formats it; without, it is the format of what is typed next.
  r->mergeCurrentCharFormat(fmt);
}

CharFormat richCharFormat(int gadget) {
  CharFormat out;
  auto* r = rich(gadget);
  if (!r) return out;
  QTextCursor sel = r->textCursor();
  QTextCharFormat fmt;
  if (sel.hasSelection()) {
    QTextCursor c(r->document());
    c.setPosition(sel.selectionStart() + 1);  // the format of the character before
    fmt = c.charFormat();
  } else {
    fmt = r->currentCharFormat();
  }
  QFont def = r->document()->defaultFont();
  out.mask = CharFormat::HasColor | CharFormat::HasBold | CharFormat::HasItalic | CharFormat::HasUnderline |
             CharFormat::HasFace | CharFormat::HasSize;
  out.color = fromColor(fmt.foreground().style() == Qt::NoBrush ? r->palette().color(QPalette::Text)
                                                                : fmt.foreground().color());
  out.bold = fmt.fontWeight() >= QFont::Bold;
  out.italic = fmt.fontItalic();
  out.underline = fmt.fontUnderline();
  QStringList fam = fmt.fontFamilies().toStringList();
  out.face = fromQt(fam.isEmpty() ? def.family() : fam.first()).substr(0, 31);
  double pt = fmt.fontPointSize() > 0 ? fmt.fontPointSize() : def.pointSizeF();
  out.heightTwips = int32_t(pt * 20 + 0.5);
  return out;
}

void richSetBackground(int gadget, uint32_t colorValue) {
  auto* r = rich(gadget);
  if (!r) return;
  QPalette p = r->palette();
  QColor c = colorValue > 0xFFFFFF ? (r->style() ? r->style()->standardPalette().color(QPalette::Base) : Qt::white)
                                   : toColor(colorValue);
  p.setColor(QPalette::Active, QPalette::Base, c);
  p.setColor(QPalette::Inactive, QPalette::Base, c);
  r->setPalette(p);
}

void richEmptyUndo(int gadget) {
  if (auto* r = rich(gadget)) r->document()->clearUndoRedoStacks();
}

bool richCanUndo(int gadget) {
  auto* r = rich(gadget);
  return r && r->document()->isUndoAvailable();
}

void richUndo(int gadget) {
  auto* r = rich(gadget);
  if (!r) return;
  RichEdit::Quiet q(r);
  r->undo();
}

int32_t richFind(int gadget, const std::string& what, int32_t from, int32_t to, unsigned flags,
                 int32_t* matchEnd) {
  if (matchEnd) *matchEnd = -1;
  auto* r = rich(gadget);
  if (!r || what.empty()) return -1;
  const QString text = flatText(r->document());
  const QString needle = toDocText(what);
  const int32_t len = int32_t(text.size()), n = int32_t(needle.size());
  bool down = flags & FindDown;
  int32_t a = r->clampOffset(from);
  int32_t b = to < 0 ? (down ? len : 0) : r->clampOffset(to);
  int32_t lo = std::min(a, b), hi = std::max(a, b);
  if (hi - lo < n) return -1;
  Qt::CaseSensitivity cs = (flags & FindMatchCase) ? Qt::CaseSensitive : Qt::CaseInsensitive;
  auto matches = [&](int32_t p) {
    if (QStringView(text).mid(p, n).compare(needle, cs) != 0) return false;
    if (flags & FindWholeWord) {
      if (p > 0 && isWordChar(text[p - 1]) && isWordChar(needle[0])) return false;
      if (p + n < len && isWordChar(text[p + n]) && isWordChar(needle[n - 1])) return false;
    }
    return true;
  };
  for (int32_t i = 0; i <= hi - lo - n; ++i) {
    int32_t p = down ? lo + i : hi - n - i;
    if (matches(p)) {
      if (matchEnd) *matchEnd = p + n;
      return p;
    }
  }
  return -1;
}

void richFormatRange(int gadget, int32_t start, int32_t end, const CharFormat& f) {
  auto* r = rich(gadget);
  if (!r) return;
  RichEdit::Quiet q(r);
  QTextCharFormat fmt;
  fmt.setForeground(toColor(f.color));
  fmt.setFontWeight(f.bold ? QFont::Bold : QFont::Normal);
  fmt.setFontItalic(f.italic);
  fmt.setFontUnderline(f.underline);
  if (!f.face.empty()) fmt.setFontFamilies(QStringList{toQt(f.face.substr(0, 31))});
  if (f.heightTwips > 0) fmt.setFontPointSize(f.heightTwips / 20.0);
  QTextCursor c(r->document());
  c.setPosition(r->clampOffset(start));
  c.setPosition(r->clampOffset(end), QTextCursor::KeepAnchor);
  if (c.hasSelection()) c.setCharFormat(fmt);
}

void richReplaceRange(int gadget, int32_t start, int32_t end, const std::string& text) {
  auto* r = rich(gadget);
  if (!r) return;
  RichEdit::Quiet q(r);
  QTextDocument* d = r->document();
  QTextCursor c(d);
  c.setPosition(r->clampOffset(start));
  c.setPosition(r->clampOffset(end), QTextCursor::KeepAnchor);
  d->setUndoRedoEnabled(false);
  c.insertText(toDocText(text));
  d->setUndoRedoEnabled(true);
}

void richBeginChanges(int gadget) {
  auto* r = rich(gadget);
  if (!r) return;
  if (r->batch_++ == 0) {
    r->batchCursor_ = QTextCursor(r->document());
    r->batchCursor_.beginEditBlock();
  }
}

void richEndChanges(int gadget) {
  auto* r = rich(gadget);
  if (!r || r->batch_ == 0) return;
  if (--r->batch_ == 0) {
    RichEdit::Quiet q(r);
    r->batchCursor_.endEditBlock();
    r->batchCursor_ = QTextCursor();
  }
}

void richIgnoreKeys(int gadget, const std::vector<int>& keys) {
  if (auto* r = rich(gadget)) r->ignored_ = keys;
}

void richScrollCaret(int gadget) {
  if (auto* r = rich(gadget)) r->ensureCursorVisible();
}

}  // namespace tk
