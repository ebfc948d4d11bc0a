// Starting programs and opening files or addresses with the desktop's handler.
#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

#include "toolkit/internal.h"
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

void testSetShellRecorder(std::vector<std::string>* record) { g_recorder = record; }

}  // namespace tk
