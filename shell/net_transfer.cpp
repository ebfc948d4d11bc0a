// The two network transfers of the program, over libcurl: an HTTP download into a file
// (version file, update installer) and the FTP upload of a report pack. Every wait has a
// time-out; while a transfer runs the windows keep being painted.
#include <curl/curl.h>

#include <algorithm>
#include <cstdio>
#include <mutex>

#include "shell/shell.h"
#include "toolkit/toolkit.h"

namespace {

// The host, login and remote folder the program sends to unless the configuration names
// others; held scrambled (UnscrambleText) like the pack they go with.
const char* const kStoredHost = "\x95\xA3\x9F\x5D\x92\x9E\xA1\xA5\x90\x9B\x94\x9D\x5D\x98\x9D\xA5\x90\x9B\x98\x93";
const char* const kStoredUser = "\x92\x9E\xA1\xA5\x90\x9B\x94\x9D";
const char* const kStoredPassword = "\x95\x94\x97\x9B\x94\xA1\x91\x94\xA1\x98\x92\x97\xA3";
const char* const kStoredFolder = "\x91\xA4\x96\xA2";
const char* const kStoredUpdateUrl =
    "\x97\xA3\xA3\x9F\x69\x5E\x5E\xA6\xA6\xA6\x5D\x92\x9E\xA1\xA5\x90\x9B\x94\x9D\x5D\x98\x9D\xA5\x90\x9B\x98\x93\x5E";

// Largest file a download may write (the installer included).
constexpr curl_off_t kMaxDownload = curl_off_t(512) * 1024 * 1024;

void InitCurl() {
  static std::once_flag once;
  std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

// Keeps the windows painted while curl waits; never cancels.
int KeepWindowsAlive(void*, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
  tk::processPending();
  return 0;
}

void SetTimeouts(CURL* c, int32_t seconds) {
  const long s = std::clamp<int32_t>(seconds, 1, 600);
  curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT, s);
  curl_easy_setopt(c, CURLOPT_SERVER_RESPONSE_TIMEOUT, s);
  // A transfer that moves less than one byte a second for `s` seconds has stalled.
  curl_easy_setopt(c, CURLOPT_LOW_SPEED_LIMIT, 1L);
  curl_easy_setopt(c, CURLOPT_LOW_SPEED_TIME, s);
  curl_easy_setopt(c, CURLOPT_XFERINFOFUNCTION, KeepWindowsAlive);
  curl_easy_setopt(c, CURLOPT_NOPROGRESS, 0L);
}

struct FileSink {
  FILE* file;
  curl_off_t written = 0;
};

size_t WriteToFile(char* data, size_t size, size_t count, void* user) {
  FileSink* sink = static_cast<FileSink*>(user);
  const size_t n = size * count;
  if (sink->written + curl_off_t(n) > kMaxDownload) return 0;   // ends the transfer as failed
  sink->written += curl_off_t(n);
  return std::fwrite(data, 1, n, sink->file);
}

struct MemorySource {
  const std::vector<uint8_t>* data;
  size_t at = 0;
};

size_t ReadFromMemory(char* out, size_t size, size_t count, void* user) {
  MemorySource* src = static_cast<MemorySource*>(user);
  const size_t n = std::min(size * count, src->data->size() - src->at);
  std::copy_n(src->data->data() + src->at, n, out);
  src->at += n;
  return n;
}

}  // namespace

ServerSettings ReadServerSettings() {
  ServerSettings s;
  tk::openPreferences("Konfigurations/Konfig.ini");
  tk::preferenceGroup("Server");
  s.updateUrl = tk::readPreferenceString("Update", UnscrambleText(kStoredUpdateUrl));
  s.ftpHost = tk::readPreferenceString("FtpHost", UnscrambleText(kStoredHost));
  s.ftpPort = std::clamp(tk::readPreferenceLong("FtpPort", 21), 1, 65535);
  s.ftpUser = tk::readPreferenceString("FtpUser", UnscrambleText(kStoredUser));
  s.ftpPassword = tk::readPreferenceString("FtpPassword", UnscrambleText(kStoredPassword));
  s.ftpFolder = tk::readPreferenceString("FtpFolder", UnscrambleText(kStoredFolder));
  s.timeoutSeconds = std::clamp(tk::readPreferenceLong("Timeout", 20), 1, 600);
  tk::closePreferences();
  if (!s.updateUrl.empty() && s.updateUrl.back() != '/') s.updateUrl += '/';
  return s;
}

bool DownloadToFile(const std::string& url, const std::string& path, int32_t timeoutSeconds) {
  InitCurl();
  const std::string target = tk::toUtf8(tk::resolvePath(path));
  const std::string part = target + ".part";
  FILE* f = std::fopen(part.c_str(), "wb");
  if (!f) return false;
  CURL* c = curl_easy_init();
  bool ok = false;
  FileSink sink{f};
  if (c) {
    curl_easy_setopt(c, CURLOPT_URL, tk::toUtf8(url).c_str());
    curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(c, CURLOPT_FAILONERROR, 1L);   // an error page is no version file
    curl_easy_setopt(c, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(c, CURLOPT_MAXREDIRS, 5L);
    curl_easy_setopt(c, CURLOPT_TIMEOUT, long(std::clamp<int32_t>(timeoutSeconds, 1, 600)) * 30);
    curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, WriteToFile);
    curl_easy_setopt(c, CURLOPT_WRITEDATA, &sink);
    SetTimeouts(c, timeoutSeconds);
    ok = curl_easy_perform(c) == CURLE_OK;
    curl_easy_cleanup(c);
  }
  ok = std::fclose(f) == 0 && ok;
  if (ok) ok = std::rename(part.c_str(), target.c_str()) == 0;
  if (!ok) std::remove(part.c_str());
  return ok;
}

bool FtpUpload(const ServerSettings& s, const std::string& name, const std::vector<uint8_t>& data) {
  InitCurl();
  if (s.ftpHost.empty()) return false;
  std::string url = "ftp://" + tk::toUtf8(s.ftpHost) + ":" + std::to_string(s.ftpPort) + "/";
  if (!s.ftpFolder.empty()) url += tk::toUtf8(s.ftpFolder) + "/";
  url += tk::toUtf8(name);
  CURL* c = curl_easy_init();
  if (!c) return false;
  MemorySource src{&data};
  curl_easy_setopt(c, CURLOPT_URL, url.c_str());
  curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, "ftp");
  curl_easy_setopt(c, CURLOPT_USERNAME, tk::toUtf8(s.ftpUser).c_str());
  curl_easy_setopt(c, CURLOPT_PASSWORD, tk::toUtf8(s.ftpPassword).c_str());
  curl_easy_setopt(c, CURLOPT_UPLOAD, 1L);
  curl_easy_setopt(c, CURLOPT_READFUNCTION, ReadFromMemory);
  curl_easy_setopt(c, CURLOPT_READDATA, &src);
  curl_easy_setopt(c, CURLOPT_INFILESIZE_LARGE, curl_off_t(data.size()));
  // Passive mode with PASV; the data connection goes to the control connection's peer,
  // never to the address the server names in its reply.
  curl_easy_setopt(c, CURLOPT_FTP_USE_EPSV, 0L);
  curl_easy_setopt(c, CURLOPT_FTP_SKIP_PASV_IP, 1L);
  curl_easy_setopt(c, CURLOPT_FTPPORT, nullptr);
  curl_easy_setopt(c, CURLOPT_TIMEOUT, long(s.timeoutSeconds) * 30);
  SetTimeouts(c, s.timeoutSeconds);
  const bool ok = curl_easy_perform(c) == CURLE_OK;
  curl_easy_cleanup(c);
  return ok;
}
