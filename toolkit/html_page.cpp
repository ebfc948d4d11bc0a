// Local HTML pages in an HTML view gadget (a text browser; there is no web engine).
//
// A page is read whole and synchronously, so its load is bounded by the size check below;
// links inside the program folder's pages follow in the view, links to the outside (web
// addresses, mail) go to the desktop's handler.
#include <QTextBrowser>
#include <QUrl>

#include "toolkit/internal.h"
#include "toolkit/tk_file.h"
#include "toolkit/tk_gadget.h"
#include "toolkit/tk_rich.h"

namespace tk {
namespace {

// Pages larger than this are not shown (the help pages are a few kilobytes).
constexpr int64_t MaxPageBytes = 4 << 20;

QTextBrowser* browser(int gadget) {
  if (gadgetKind(gadget) != GkHtml) return nullptr;
  return qobject_cast<QTextBrowser*>(detail::gadgetWidget(gadget));
}

void showNote(QTextBrowser* b, const std::string& text) {
  b->setHtml(QStringLiteral("<p style=\"font-size:14pt\">") + toQt(text).toHtmlEscaped() + QStringLiteral("</p>"));
}

bool showLocalPage(QTextBrowser* b, const std::string& path) {
  const int64_t size = fileSizeOf(path);
  if (size < 0) {
    showNote(b, "Die Seite \"" + path + "\" wurde nicht gefunden.");
    return false;
  }
  if (size > MaxPageBytes) {
    showNote(b, "Die Seite \"" + path + "\" ist zu groß, um angezeigt zu werden.");
    return false;
  }
  b->setSource(QUrl::fromLocalFile(QString::fromStdString(detail::localPath(path))));
  return true;
}

void followLink(QTextBrowser* b, const QUrl& link) {
  const QUrl target = link.isRelative() ? b->source().resolved(link) : link;
  if (!target.isLocalFile()) {
    openWithShell(fromQt(target.toString()));
    return;
  }
  if (target.adjusted(QUrl::RemoveFragment) == b->source().adjusted(QUrl::RemoveFragment) &&
      target.hasFragment()) {
    b->scrollToAnchor(target.fragment());
    return;
  }
  showLocalPage(b, fromUtf8(target.toLocalFile().toStdString()));
}

}  // namespace

bool loadHtmlPage(int gadget, const std::string& address) {
  QTextBrowser* b = browser(gadget);
  if (!b) return false;
  if (!b->property("tkPageLinks").toBool()) {
    b->setProperty("tkPageLinks", true);
    b->setOpenLinks(false);
    QObject::connect(b, &QTextBrowser::anchorClicked, b, [b](const QUrl& u) { followLink(b, u); });
  }
  std::string path = address;
  if (path.size() >= 5 && compareNoCase(path.substr(0, 5), "file:") == 0) {
    path = path.substr(5);
    for (char& c : path)
      if (c == '\\') c = '/';
    // "file:\\/folder/page" and "file:///folder/page": one leading slash is the root.
    const size_t first = path.find_first_not_of('/');
    if (first != std::string::npos && first > 0) path = "/" + path.substr(first);
  } else if (path.find("://") != std::string::npos || compareNoCase(path.substr(0, 7), "mailto:") == 0) {
    openWithShell(address);
    showNote(b, "Die Seite wurde im Browser geöffnet.");
    return false;
  }
  return showLocalPage(b, path);
}

}  // namespace tk
