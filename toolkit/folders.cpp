// Whole files and folders: existence, size, delete, copy, rename, folder trees and
// listings. Replacing writes go to a temporary file beside the target first, so a
// failed write leaves the old file as it was.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "toolkit/internal.h"
#include "toolkit/tk_file.h"

namespace tk {

namespace {

bool statPath(const std::string& local, struct stat& st) {
  return !local.empty() && ::stat(local.c_str(), &st) == 0;
}

bool writeAll(int fd, const uint8_t* p, size_t n) {
  while (n > 0) {
    ssize_t w = ::write(fd, p, n);
    if (w < 0 && errno == EINTR) continue;
    if (w <= 0) return false;
    p += w;
    n -= size_t(w);
  }
  return true;
}

// Writes a new file under a temporary name in the target's folder and renames it over
// the target. `fill` writes the contents to the descriptor; false aborts.
template <class Fill>
bool replaceFile(const std::string& local, mode_t mode, Fill fill) {
  struct stat st;
  if (statPath(local, st)) {
    if (S_ISDIR(st.st_mode)) return false;
    mode = st.st_mode & 07777;
  }
  std::string tmpl = local + ".XXXXXX";
  std::vector<char> name(tmpl.begin(), tmpl.end());
  name.push_back('\0');
  int fd = ::mkostemp(name.data(), O_CLOEXEC);
  if (fd < 0) return false;
  bool ok = fill(fd);
  ok = (::fchmod(fd, mode) == 0) && ok;
  ok = (::close(fd) == 0) && ok;
  if (ok && ::rename(name.data(), local.c_str()) == 0) return true;
  ::unlink(name.data());
  return false;
}

uint8_t fold(uint8_t b) {
  if (b >= 'a' && b <= 'z') return b - 32;
  if (b >= 0xE0 && b <= 0xFE && b != 0xF7) return b - 32;
  return b;
}

// '*' any run, '?' one character; letters match without regard to case.
bool matchPattern(const char* p, const char* s) {
  const char* star = nullptr;
  const char* resume = nullptr;
  while (*s) {
    if (*p == '*') {
      star = p++;
      resume = s;
    } else if (*p == '?' || (*p && fold(uint8_t(*p)) == fold(uint8_t(*s)))) {
      ++p;
      ++s;
    } else if (star) {
      p = star + 1;
      s = ++resume;
    } else {
      return false;
    }
  }
  while (*p == '*') ++p;
  return *p == 0;
}

bool removeTree(const std::string& local) {
  struct stat st;
  if (::lstat(local.c_str(), &st) != 0) return false;
  if (!S_ISDIR(st.st_mode)) return ::unlink(local.c_str()) == 0;
  bool ok = true;
  if (DIR* d = ::opendir(local.c_str())) {
    std::vector<std::string> names;
    while (dirent* e = ::readdir(d)) {
      if (std::strcmp(e->d_name, ".") && std::strcmp(e->d_name, "..")) names.push_back(e->d_name);
    }
    ::closedir(d);
    for (const auto& n : names) ok = removeTree(local + "/" + n) && ok;
  } else {
    return false;
  }
  return ::rmdir(local.c_str()) == 0 && ok;
}

bool copyLocal(const std::string& from, const std::string& to) {
  int in = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
  if (in < 0) return false;
  struct stat sst, dst;
  if (::fstat(in, &sst) != 0 || S_ISDIR(sst.st_mode)) {
    ::close(in);
    return false;
  }
  if (statPath(to, dst) && dst.st_dev == sst.st_dev && dst.st_ino == sst.st_ino) {
    ::close(in);
    return true;   // the same file
  }
  bool ok = replaceFile(to, sst.st_mode & 07777, [&](int out) {
    std::vector<uint8_t> buf(size_t(1) << 16);
    for (;;) {
      ssize_t r = ::read(in, buf.data(), buf.size());
      if (r < 0 && errno == EINTR) continue;
      if (r < 0) return false;
      if (r == 0) return true;
      if (!writeAll(out, buf.data(), size_t(r))) return false;
    }
  });
  ::close(in);
  return ok;
}

}  // namespace

bool fileExists(const std::string& path) {
  struct stat st;
  return statPath(detail::localPath(path), st) && !S_ISDIR(st.st_mode);
}

bool folderExists(const std::string& path) {
  struct stat st;
  return statPath(detail::localPath(path), st) && S_ISDIR(st.st_mode);
}

int64_t fileSizeOf(const std::string& path) {
  struct stat st;
  if (!statPath(detail::localPath(path), st)) return -1;
  return S_ISDIR(st.st_mode) ? -2 : int64_t(st.st_size);
}

bool deleteFile(const std::string& path) {
  std::string local = detail::localPath(path);
  struct stat st;
  if (::lstat(local.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) return false;
  return ::unlink(local.c_str()) == 0;
}

bool copyFile(const std::string& from, const std::string& to) {
  return copyLocal(detail::localPath(from), detail::localPath(to));
}

// An existing target is never replaced (the caller deletes it first if it means to).
bool renameFile(const std::string& from, const std::string& to) {
  std::string a = detail::localPath(from), b = detail::localPath(to);
  struct stat sa, sb;
  if (::lstat(a.c_str(), &sa) != 0) return false;
  if (::lstat(b.c_str(), &sb) == 0 && !(sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino))
    return false;
  if (::rename(a.c_str(), b.c_str()) == 0) return true;
  // Another file system: copy, then remove the original.
  if (errno != EXDEV || S_ISDIR(sa.st_mode)) return false;
  if (!copyLocal(a, b)) return false;
  return ::unlink(a.c_str()) == 0;
}

bool createFolder(const std::string& path) {
  std::string local = detail::localPath(path);
  if (local.empty()) return false;
  for (size_t i = 1; i <= local.size(); ++i) {
    if (i < local.size() && local[i] != '/') continue;
    std::string part = local.substr(0, i);
    if (::mkdir(part.c_str(), 0777) != 0 && errno != EEXIST) return false;
  }
  struct stat st;
  return statPath(local, st) && S_ISDIR(st.st_mode);
}

bool deleteFolder(const std::string& path, bool recursive) {
  std::string local = detail::localPath(path);
  while (local.size() > 1 && local.back() == '/') local.pop_back();
  struct stat st;
  if (::lstat(local.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return false;
  return recursive ? removeTree(local) : ::rmdir(local.c_str()) == 0;
}

std::vector<FolderEntry> listFolder(const std::string& path, const std::string& pattern) {
  std::vector<FolderEntry> out;
  std::string local = detail::localPath(path);
  if (local.empty()) return out;
  if (local.back() != '/') local += '/';
  DIR* d = ::opendir(local.c_str());
  if (!d) return out;
  // "*.*" means every entry, also those without a dot.
  bool all = pattern.empty() || pattern == "*" || pattern == "*.*";
  while (dirent* e = ::readdir(d)) {
    if (!std::strcmp(e->d_name, ".") || !std::strcmp(e->d_name, "..")) continue;
    FolderEntry fe;
    fe.name = fromUtf8(e->d_name);
    if (!all && !matchPattern(pattern.c_str(), fe.name.c_str())) continue;
    struct stat st;
    bool known = ::stat((local + e->d_name).c_str(), &st) == 0;
    fe.isFolder = known && S_ISDIR(st.st_mode);
    fe.size = known && !fe.isFolder ? int64_t(st.st_size) : 0;
    out.push_back(std::move(fe));
  }
  ::closedir(d);
  std::sort(out.begin(), out.end(), [](const FolderEntry& a, const FolderEntry& b) {
    int c = compareNoCase(a.name, b.name);
    return c != 0 ? c < 0 : a.name < b.name;
  });
  return out;
}

bool readWholeFile(const std::string& path, std::vector<uint8_t>& out) {
  out.clear();
  std::string local = detail::localPath(path);
  int fd = ::open(local.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat st;
  if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
    ::close(fd);
    return false;
  }
  out.resize(size_t(st.st_size));
  size_t got = 0;
  bool ok = true;
  for (;;) {
    if (got == out.size()) out.resize(out.size() + 4096);   // the file may have grown
    ssize_t r = ::read(fd, out.data() + got, out.size() - got);
    if (r < 0 && errno == EINTR) continue;
    if (r < 0) ok = false;
    if (r <= 0) break;
    got += size_t(r);
  }
  ::close(fd);
  out.resize(ok ? got : 0);
  return ok;
}

bool writeWholeFile(const std::string& path, const void* data, size_t n) {
  if (n && !data) return false;
  return replaceFile(detail::localPath(path), 0666 & ~[] {
    mode_t m = ::umask(0);
    ::umask(m);
    return m;
  }(), [&](int fd) { return writeAll(fd, static_cast<const uint8_t*>(data), n); });
}

namespace {

// The blocks as iovecs, empty ones left out; false for a block without data.
bool gatherBlocks(const DataBlock* blocks, size_t count, std::vector<iovec>& io) {
  if (count && !blocks) return false;
  for (size_t i = 0; i < count; ++i) {
    if (blocks[i].size == 0) continue;
    if (!blocks[i].data) return false;
    io.push_back({const_cast<void*>(blocks[i].data), blocks[i].size});
  }
  return true;
}

// One gathering write for all that is left; a short write resumes inside a block.
bool writeBlocks(int fd, std::vector<iovec>& io) {
  size_t first = 0;
  while (first < io.size()) {
    const int n = int(std::min<size_t>(io.size() - first, IOV_MAX));
    ssize_t w = ::writev(fd, io.data() + first, n);
    if (w < 0 && errno == EINTR) continue;
    if (w <= 0) return false;
    size_t done = size_t(w);
    while (first < io.size() && done >= io[first].iov_len) done -= io[first++].iov_len;
    if (first < io.size()) {
      io[first].iov_base = static_cast<uint8_t*>(io[first].iov_base) + done;
      io[first].iov_len -= done;
    }
  }
  return true;
}

}  // namespace

bool writeWholeFileBlocks(const std::string& path, const DataBlock* blocks, size_t count) {
  std::vector<iovec> io;
  if (!gatherBlocks(blocks, count, io)) return false;
  const mode_t mask = [] {
    mode_t m = ::umask(0);
    ::umask(m);
    return m;
  }();
  return replaceFile(detail::localPath(path), 0666 & ~mask, [&](int fd) { return writeBlocks(fd, io); });
}

bool overwriteWholeFileBlocks(const std::string& path, const DataBlock* blocks, size_t count) {
  std::vector<iovec> io;
  if (!gatherBlocks(blocks, count, io)) return false;
  off_t total = 0;
  for (const iovec& v : io) total += off_t(v.iov_len);
  const std::string local = detail::localPath(path);
  if (local.empty()) return false;
  const int fd = ::open(local.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
  if (fd < 0) return false;
  bool ok = writeBlocks(fd, io);
  ok = ok && ::ftruncate(fd, total) == 0;
  ok = (::close(fd) == 0) && ok;
  if (!ok) ::unlink(local.c_str());
  return ok;
}

}  // namespace tk
