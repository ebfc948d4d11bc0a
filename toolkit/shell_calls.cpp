// Starting programs and opening files or addresses with the desktop's handler.
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

#include "toolkit/internal.h"
#include "toolkit/tk_file.h"
#include "toolkit/tk_rich.h"

namespace tk {

namespace {

std::vector<std::string>* g_recorder = nullptr;

// A program path is taken from the program folder like every other path; a bare name
// that is not there ("firefox") is left for the system's search path.
std::string programPath(const std::string& program) {
  std::string resolved = resolvePath(program);
  if (program.find_first_of("/\\") == std::string::npos &&
      !QFileInfo::exists(QString::fromStdString(toUtf8(resolved))))
    return program;
  return resolved;
}

bool isAddress(const std::string& t) {
  auto starts = [&](const char* p) { return compareNoCase(t.substr(0, std::char_traits<char>::length(p)), p) == 0; };
  return t.find("://") != std::string::npos || starts("www.") || starts("mailto:");
}

}  // namespace

bool runProgram(const std::string& program, const std::string& arguments, const std::string& workingFolder) {
  if (program.empty()) return false;
  std::string path = programPath(program);
  std::string folder = workingFolder.empty() ? std::string() : resolvePath(workingFolder);
  if (g_recorder) {
    g_recorder->push_back("run|" + path + "|" + arguments + "|" + folder);
    return true;
  }
  QStringList args = QProcess::splitCommand(toQt(arguments));
  QString dir = folder.empty() ? QString() : QString::fromStdString(toUtf8(folder));
  return QProcess::startDetached(QString::fromStdString(toUtf8(path)), args, dir);
}

bool openWithShell(const std::string& target) {
  if (target.empty()) return false;
  if (g_recorder) {
    g_recorder->push_back("open|" + target);
    return true;
  }
  QUrl url;
  if (isAddress(target)) {
    QString t = toQt(target);
    url = t.contains(QLatin1String("://")) || t.startsWith(QLatin1String("mailto:"), Qt::CaseInsensitive)
              ? QUrl(t)
              : QUrl(QStringLiteral("http://") + t);
  } else {
    url = QUrl::fromLocalFile(QString::fromStdString(detail::localPath(target)));
  }
  return url.isValid() && QDesktopServices::openUrl(url);
}

// The wallpaper goes through the freedesktop portal on the session bus; without a bus or
// a portal there nobody answers and nothing changes.
bool setDesktopWallpaper(const std::string& imageFile) {
  if (imageFile.empty() || !fileExists(imageFile)) return false;
  const std::string local = detail::localPath(imageFile);
  if (g_recorder) {
    g_recorder->push_back("wallpaper|" + fromUtf8(local));
    return true;
  }
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected()) return false;
  const QString service = QStringLiteral("org.freedesktop.portal.Desktop");
  QDBusConnectionInterface* names = bus.interface();
  if (names && !names->isServiceRegistered(service).value() &&
      !names->activatableServiceNames().value().contains(service))
    return false;
  QDBusMessage call = QDBusMessage::createMethodCall(service, QStringLiteral("/org/freedesktop/portal/desktop"),
                                                     QStringLiteral("org.freedesktop.portal.Wallpaper"),
                                                     QStringLiteral("SetWallpaperURI"));
  QVariantMap options;
  options.insert(QStringLiteral("show-preview"), false);
  options.insert(QStringLiteral("set-on"), QStringLiteral("background"));
  call << QString() << QUrl::fromLocalFile(QString::fromStdString(local)).toString() << options;
  constexpr int kPortalTimeoutMs = 5000;
  const QDBusMessage reply = bus.call(call, QDBus::Block, kPortalTimeoutMs);
  return reply.type() == QDBusMessage::ReplyMessage;
}

void testSetShellRecorder(std::vector<std::string>* record) { g_recorder = record; }

}  // namespace tk
