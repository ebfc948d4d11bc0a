// Packing and scrambling of the error reports before they are sent, the list of reports
// that may be sent, and the text helpers of the passive-mode reply.
#include <zlib.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>

#include "shell/shell.h"
#include "toolkit/toolkit.h"

std::vector<std::string> BugReportRows;
std::vector<std::string> PackedReports;

namespace {

// The number n of "Error_<n>.bug", -1 for any other name.
int64_t ReportNumber(const std::string& name) {
  const std::string head = "Error_", tail = ".bug";
  if (name.size() <= head.size() + tail.size() || name.compare(0, head.size(), head) != 0 ||
      name.compare(name.size() - tail.size(), tail.size(), tail) != 0)
    return -1;
  int64_t n = 0;
  for (size_t i = head.size(); i < name.size() - tail.size(); ++i) {
    if (!IsDigitCode(uint8_t(name[i])) || n > 100000000) return -1;
    n = n * 10 + (name[i] - '0');
  }
  return n;
}

void PutLong(std::vector<uint8_t>& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(uint8_t(v >> (8 * i)));
}

}  // namespace

std::vector<std::string> ListBugReports() {
  std::vector<std::string> names;
  for (const tk::FolderEntry& e : tk::listFolder("Error/", "*")) {
    if (e.isFolder) continue;
    const size_t dot = e.name.rfind('.');
    // The extension is compared exactly: "x.BUG" is not a report.
    if (dot != std::string::npos && e.name.compare(dot + 1, std::string::npos, "bug") == 0) names.push_back(e.name);
  }
  // Numbered reports by their number, then any other by name.
  std::stable_sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    const int64_t na = ReportNumber(a), nb = ReportNumber(b);
    if ((na < 0) != (nb < 0)) return na >= 0;
    if (na >= 0) return na < nb;
    return false;
  });
  return names;
}

bool PackReportFiles(const std::string& base, const std::vector<std::string>& names) {
  std::vector<uint8_t> pack;
  for (const std::string& name : names) {
    std::vector<uint8_t> data;
    if (!tk::readWholeFile("Error/" + name, data)) continue;   // gone since it was listed
    uLongf packed = compressBound(uLong(data.size()));
    std::vector<uint8_t> z(packed);
    if (compress2(z.data(), &packed, data.data(), uLong(data.size()), Z_BEST_COMPRESSION) != Z_OK) return false;
    PutLong(pack, uint32_t(name.size()));
    pack.insert(pack.end(), name.begin(), name.end());
    PutLong(pack, uint32_t(data.size()));
    PutLong(pack, uint32_t(packed));
    pack.insert(pack.end(), z.begin(), z.begin() + packed);
  }
  ScrambleBytes(pack);
  return tk::writeWholeFile("Error/" + base + ".up", pack.data(), pack.size());
}

void DeleteSentReports(const std::string& base, const std::vector<std::string>& names) {
  tk::deleteFile("Error/" + base + ".up");
  for (const std::string& name : names) tk::deleteFile("Error/" + name);
}

void ScrambleBytes(std::vector<uint8_t>& bytes) {
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = uint8_t((255 - bytes[i]) + i % 255);
  std::reverse(bytes.begin(), bytes.end());
}

void ScrambleFile(const std::string& path) {
  std::vector<uint8_t> bytes;
  if (!tk::readWholeFile(path, bytes)) return;
  ScrambleBytes(bytes);
  tk::writeWholeFile(path, bytes.data(), bytes.size());
}

std::string UnscrambleText(const std::string& text) {
  constexpr int kShift = 0x2F;
  std::string plain(text.size(), '\0');
  for (size_t i = 0; i < text.size(); ++i) {
    int c = uint8_t(text[i]) - kShift;
    if (c < 0) c += 256;
    plain[i] = char(c);
  }
  return plain;
}

std::string ReverseText(const std::string& text) { return std::string(text.rbegin(), text.rend()); }

int32_t IsDigitCode(int32_t code) { return code >= 48 && code <= 57 ? 1 : 0; }

int32_t FirstDigitPosition(const std::string& text) {
  for (size_t i = 0; i < text.size(); ++i)
    if (IsDigitCode(uint8_t(text[i]))) return int32_t(i + 1);
  return 0;
}

bool ParsePassiveReply(const std::string& reply, std::string& address, int32_t& port) {
  const size_t blank = reply.find(' ');
  if (blank == std::string::npos) return false;
  std::string code = reply.substr(0, blank);
  while (!code.empty() && (code.back() == ' ' || code.back() == '\t')) code.pop_back();
  while (!code.empty() && (code.front() == ' ' || code.front() == '\t')) code.erase(0, 1);
  if (code != "227") return false;
  std::string rest = reply.substr(blank + 1);
  while (!rest.empty() && (rest.back() == '\r' || rest.back() == '\n')) rest.pop_back();
  const int32_t first = FirstDigitPosition(rest);
  const int32_t lastFromEnd = FirstDigitPosition(ReverseText(rest));
  if (first == 0) return false;
  rest = rest.substr(size_t(first - 1), rest.size() - size_t(first - 1) - size_t(lastFromEnd - 1));
  int32_t v[6];
  size_t at = 0;
  for (int k = 0; k < 6; ++k) {
    const size_t comma = k < 5 ? rest.find(',', at) : rest.size();
    if (comma == std::string::npos) return false;
    std::string field = rest.substr(at, comma - at);
    while (!field.empty() && field.front() == ' ') field.erase(0, 1);
    while (!field.empty() && field.back() == ' ') field.pop_back();
    if (field.empty() || field.size() > 3) return false;
    v[k] = 0;
    for (char c : field) {
      if (!IsDigitCode(uint8_t(c))) return false;
      v[k] = v[k] * 10 + (c - '0');
    }
    if (v[k] > 255) return false;
    at = comma + 1;
  }
  address = std::to_string(v[0]) + "." + std::to_string(v[1]) + "." + std::to_string(v[2]) + "." +
            std::to_string(v[3]);
  port = v[4] * 256 + v[5];
  return port > 0;
}

std::string PackBugReports() {
  if (tk::isGadget(836)) tk::setGadgetText(836, "Fehlerberichte packen....");
  const std::string base = "Load" + std::to_string(int64_t(std::time(nullptr)));
  std::vector<std::string> names;
  for (size_t i = 0; i < BugReportRows.size(); ++i) {
    if (tk::isGadget(832) && !(tk::gadgetItemState(832, int(i)) & tk::ItemChecked)) continue;
    if (tk::isGadget(836)) tk::setGadgetText(836, "Packe: " + BugReportRows[i]);
    names.push_back(BugReportRows[i]);
  }
  if (tk::isGadget(836)) tk::setGadgetText(836, "Gepackte Datei verschlüsseln (zur Sicherheit)");
  if (!PackReportFiles(base, names)) return "";
  PackedReports = names;
  return base;
}
