// Requesters: message box, text input, file, folder, colour and font choosers.
// In test mode they answer from a queue the test fills and never open a window.
#include <QApplication>
#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <deque>

#include "toolkit/internal.h"
#include "toolkit/tk_image.h"
#include "toolkit/tk_rich.h"

namespace tk {

namespace {

enum class AnswerKind { Result, String, File, Color, Font };

const char* kindName(AnswerKind k) {
  switch (k) {
    case AnswerKind::Result: return "message result";
    case AnswerKind::String: return "text";
    case AnswerKind::File: return "file answer";
    case AnswerKind::Color: return "colour";
    case AnswerKind::Font: return "font";
  }
  return "?";
}

struct Answer {
  AnswerKind kind = AnswerKind::Result;
  int result = 0;
  std::string text;
  int pattern = -1;
  int64_t color = -1;
  FontChoice font;
  bool ok = false;
};

bool g_testMode = false;
std::deque<Answer> g_answers;
std::vector<std::string> g_shown;

// Takes the next queued answer, which must be one of the kinds `accepted` lists;
// anything else is a fault of the test and ends it at once (the queue is left as is).
Answer take(const std::string& requester, std::initializer_list<AnswerKind> accepted) {
  if (g_answers.empty())
    throw TestRequesterError{"requester \"" + requester + "\" opened with no answer queued"};
  for (AnswerKind k : accepted) {
    if (g_answers.front().kind == k) {
      Answer a = std::move(g_answers.front());
      g_answers.pop_front();
      return a;
    }
  }
  throw TestRequesterError{"requester \"" + requester + "\" found a " +
                           kindName(g_answers.front().kind) + " next in the queue"};
}

// The program writes line breaks as "\r" (or "\r\n"); Qt wants "\n".
QString displayText(const std::string& s) {
  QString t = toQt(s);
  t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return t;
}

QWidget* dialogParent() { return QApplication::activeWindow(); }

QColor toColor(uint32_t v) { return QColor(int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF)); }
uint32_t fromColor(const QColor& c) {
  return uint32_t(c.red()) | (uint32_t(c.green()) << 8) | (uint32_t(c.blue()) << 16);
}

// "Name|*.a;*.b|Name2|*.c" -> {"Name (*.a *.b)", "Name2 (*.c)"}. A name without a
// pattern after it stands for all files.
QStringList nameFilters(const std::string& patterns) {
  QStringList parts = toQt(patterns).split(QLatin1Char('|'));
  QStringList out;
  for (qsizetype i = 0; i < parts.size(); i += 2) {
    QString name = parts[i].trimmed();
    QString pat = i + 1 < parts.size() ? parts[i + 1] : QString();
    if (name.isEmpty() && pat.trimmed().isEmpty()) continue;
    QStringList globs;
    for (const QString& g : pat.split(QLatin1Char(';'), Qt::SkipEmptyParts)) globs << g.trimmed();
    if (globs.isEmpty()) globs << QStringLiteral("*");
    if (name.isEmpty()) name = globs.join(QLatin1Char(' '));
    out << name + QStringLiteral(" (") + globs.join(QLatin1Char(' ')) + QLatin1Char(')');
  }
  return out;
}

std::string fileDialog(bool save, const std::string& title, const std::string& defaultFile,
                       const std::string& patterns, int patternIndex, int* selectedPattern) {
  g_shown.push_back(title);
  if (g_testMode) {
    Answer a = take(title, {AnswerKind::String, AnswerKind::File});
    if (selectedPattern) *selectedPattern = a.kind == AnswerKind::File ? a.pattern : patternIndex;
    return a.text;
  }
  QFileDialog dlg(dialogParent(), displayText(title));
  dlg.setOption(QFileDialog::DontUseNativeDialog, true);
  dlg.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dlg.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  if (save) dlg.setOption(QFileDialog::DontConfirmOverwrite, true);  // the program asks itself
  QStringList filters = nameFilters(patterns);
  if (!filters.isEmpty()) {
    dlg.setNameFilters(filters);
    if (patternIndex >= 0 && patternIndex < filters.size()) dlg.selectNameFilter(filters[patternIndex]);
  }
  if (!defaultFile.empty()) {
    QFileInfo fi(QString::fromStdString(detail::localPath(defaultFile)));
    if (fi.isDir()) {
      dlg.setDirectory(fi.absoluteFilePath());
    } else {
      dlg.setDirectory(fi.absolutePath());
      if (!fi.fileName().isEmpty()) dlg.selectFile(fi.fileName());
    }
  }
  dlg.setWindowModality(Qt::ApplicationModal);
  if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) {
    if (selectedPattern) *selectedPattern = patternIndex;
    return std::string();
  }
  if (selectedPattern) {
    int i = int(filters.indexOf(dlg.selectedNameFilter()));
    *selectedPattern = i >= 0 ? i : patternIndex;
  }
  return fromQt(dlg.selectedFiles().first());
}

}  // namespace

std::vector<std::string> fileFilters(const std::string& patterns) {
  std::vector<std::string> out;
  for (const QString& f : nameFilters(patterns)) out.push_back(fromQt(f));
  return out;
}

namespace test {
void enable(bool on) { g_testMode = on; }
bool enabled() { return g_testMode; }
void queueResult(int result) {
  Answer a;
  a.kind = AnswerKind::Result;
  a.result = result;
  g_answers.push_back(a);
}
void queueString(const std::string& answer) {
  Answer a;
  a.kind = AnswerKind::String;
  a.text = answer;
  g_answers.push_back(a);
}
void queueFileAnswer(const std::string& path, int pattern) {
  Answer a;
  a.kind = AnswerKind::File;
  a.text = path;
  a.pattern = pattern;
  g_answers.push_back(a);
}
void queueColor(int64_t colorValue) {
  Answer a;
  a.kind = AnswerKind::Color;
  a.color = colorValue;
  g_answers.push_back(a);
}
void queueFont(const FontChoice& f, bool ok) {
  Answer a;
  a.kind = AnswerKind::Font;
  a.font = f;
  a.ok = ok;
  g_answers.push_back(a);
}
int pending() { return int(g_answers.size()); }
void clear() {
  g_answers.clear();
  g_shown.clear();
}
std::vector<std::string>& shown() { return g_shown; }
}  // namespace test

int messageRequester(const std::string& title, const std::string& text, unsigned flags) {
  g_shown.push_back(title + "|" + text);
  unsigned buttons = flags & 0x0F;
  if (g_testMode) {
    if (g_answers.empty() || g_answers.front().kind != AnswerKind::Result)
      (void)take(title, {AnswerKind::Result});  // throws with the reason
    int r = g_answers.front().result;
    bool possible = buttons == MsgYesNoCancel ? (r == ResultYes || r == ResultNo || r == ResultCancel)
                    : buttons == MsgYesNo     ? (r == ResultYes || r == ResultNo)
                                              : r == ResultOk;
    if (!possible)
      throw TestRequesterError{"message \"" + title + "\" has no button for the queued result " +
                               std::to_string(r)};
    g_answers.pop_front();
    return r;
  }
  QMessageBox box(dialogParent());
  box.setWindowTitle(displayText(title));
  box.setText(displayText(text));
  if (flags & MsgError) box.setIcon(QMessageBox::Critical);
  else if (flags & MsgWarning) box.setIcon(QMessageBox::Warning);
  else if (flags & MsgInfo) box.setIcon(QMessageBox::Information);
  QPushButton* ok = nullptr;
  QPushButton* yes = nullptr;
  QPushButton* no = nullptr;
  QPushButton* cancel = nullptr;
  if (buttons == MsgYesNo || buttons == MsgYesNoCancel) {
    yes = box.addButton(QStringLiteral("Ja"), QMessageBox::YesRole);
    no = box.addButton(QStringLiteral("Nein"), QMessageBox::NoRole);
    if (buttons == MsgYesNoCancel) {
      cancel = box.addButton(QStringLiteral("Abbrechen"), QMessageBox::RejectRole);
      box.setEscapeButton(cancel);
    } else {
      box.setEscapeButton(no);
    }
    box.setDefaultButton(yes);
  } else {
    ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.setEscapeButton(ok);
    box.setDefaultButton(ok);
  }
  box.setWindowModality(Qt::ApplicationModal);
  box.exec();
  QAbstractButton* c = box.clickedButton();
  if (ok) return ResultOk;
  if (c == yes) return ResultYes;
  if (c == no || (!cancel && c != yes)) return ResultNo;
  return ResultCancel;
}

std::string inputRequester(const std::string& title, const std::string& prompt, const std::string& def) {
  g_shown.push_back(title);
  if (g_testMode) return take(title, {AnswerKind::String}).text;
  QInputDialog dlg(dialogParent());
  dlg.setWindowTitle(displayText(title));
  dlg.setLabelText(displayText(prompt));
  dlg.setTextValue(toQt(def));
  dlg.setOkButtonText(QStringLiteral("OK"));
  dlg.setCancelButtonText(QStringLiteral("Abbrechen"));
  dlg.setWindowModality(Qt::ApplicationModal);
  if (dlg.exec() != QDialog::Accepted) return std::string();
  return fromQt(dlg.textValue());
}

std::string openFileRequester(const std::string& title, const std::string& defaultFile,
                              const std::string& patterns, int patternIndex, int* selectedPattern) {
  return fileDialog(false, title, defaultFile, patterns, patternIndex, selectedPattern);
}

std::string saveFileRequester(const std::string& title, const std::string& defaultFile,
                              const std::string& patterns, int patternIndex, int* selectedPattern) {
  return fileDialog(true, title, defaultFile, patterns, patternIndex, selectedPattern);
}

std::string folderRequester(const std::string& title, const std::string& initial) {
  g_shown.push_back(title);
  if (g_testMode) return take(title, {AnswerKind::String}).text;
  QFileDialog dlg(dialogParent(), displayText(title));
  dlg.setOption(QFileDialog::DontUseNativeDialog, true);
  dlg.setOption(QFileDialog::ShowDirsOnly, true);
  dlg.setFileMode(QFileDialog::Directory);
  if (!initial.empty()) dlg.setDirectory(QString::fromStdString(detail::localPath(initial)));
  dlg.setWindowModality(Qt::ApplicationModal);
  if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return std::string();
  std::string path = fromQt(dlg.selectedFiles().first());
  if (!path.empty() && path.back() != '/') path += '/';
  return path;
}

int64_t colorRequester(uint32_t initial, uint32_t* customColors) {
  g_shown.push_back("Farbe");
  if (g_testMode) return take("Farbe", {AnswerKind::Color}).color;
  if (customColors)
    for (int i = 0; i < 16; ++i) QColorDialog::setCustomColor(i, toColor(customColors[i]));
  QColorDialog dlg(toColor(initial & 0xFFFFFF), dialogParent());
  dlg.setWindowTitle(QStringLiteral("Farbe"));
  dlg.setOption(QColorDialog::DontUseNativeDialog, true);
  dlg.setWindowModality(Qt::ApplicationModal);
  bool accepted = dlg.exec() == QDialog::Accepted;
  if (customColors)
    for (int i = 0; i < 16; ++i) customColors[i] = fromColor(QColorDialog::customColor(i));
  if (!accepted) return -1;
  return int64_t(fromColor(dlg.selectedColor()));
}

bool fontRequester(FontChoice& inOut) {
  g_shown.push_back("Schriftart");
  if (g_testMode) {
    Answer a = take("Schriftart", {AnswerKind::Font});
    if (a.ok) inOut = a.font;
    return a.ok;
  }
  QFont f(toQt(inOut.face), inOut.size > 0 ? inOut.size : 10);
  f.setBold(inOut.style & FontBold);
  f.setItalic(inOut.style & FontItalic);
  f.setUnderline(inOut.style & FontUnderline);
  f.setStrikeOut(inOut.style & FontStrikeOut);
  QFontDialog dlg(f, dialogParent());
  dlg.setWindowTitle(QStringLiteral("Schriftart"));
  dlg.setOption(QFontDialog::DontUseNativeDialog, true);
  dlg.setWindowModality(Qt::ApplicationModal);
  if (dlg.exec() != QDialog::Accepted) return false;
  QFont r = dlg.selectedFont();
  inOut.face = fromQt(r.family());
  inOut.size = r.pointSize() > 0 ? r.pointSize() : inOut.size;
  inOut.style = (r.bold() ? FontBold : 0) | (r.italic() ? FontItalic : 0) |
                (r.underline() ? FontUnderline : 0) | (r.strikeOut() ? FontStrikeOut : 0);
  return true;
}

}  // namespace tk
