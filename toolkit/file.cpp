// Files by number with their own read/write buffer, and advisory lock files.
//
// The program streams whole images through readByte/readLong/writeLong one cell at a
// time, so every value call is a table look-up plus a copy out of (or into) a 64 KiB
// buffer; the system is called only when the buffer runs dry or fills up.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

#include "toolkit/internal.h"
#include "toolkit/tk_file.h"

namespace tk {

namespace {

constexpr size_t kBufSize = size_t(1) << 16;
constexpr int kFirstFreeNumber = 1000;

// The buffer is a window of the file: buf[0 .. len) mirrors the bytes at
// bufStart .. bufStart + len (read from disk or written by the program), the position
// is bufStart + pos with pos <= len. Written bytes not yet on disk lie in
// buf[dirtyLo .. dirtyHi).
struct FileRec {
  int fd = -1;
  bool writable = false;
  bool error = false;
  int64_t bufStart = 0;
  size_t len = 0;
  size_t pos = 0;
  size_t dirtyLo = 0, dirtyHi = 0;
  int64_t size = 0;
  std::unique_ptr<uint8_t[]> buf{new uint8_t[kBufSize]};

  bool flush() {
    if (dirtyHi > dirtyLo) {
      const uint8_t* p = buf.get() + dirtyLo;
      size_t n = dirtyHi - dirtyLo;
      int64_t at = bufStart + int64_t(dirtyLo);
      dirtyLo = dirtyHi = 0;
      while (n > 0) {
        ssize_t w = ::pwrite(fd, p, n, off_t(at));
        if (w < 0 && errno == EINTR) continue;
        if (w <= 0) {
          error = true;
          return false;
        }
        p += w;
        n -= size_t(w);
        at += w;
      }
    }
    return true;
  }

  // Moves the window to start at the current position, empty.
  bool restart() {
    bool ok = flush();
    bufStart += int64_t(pos);
    pos = len = 0;
    return ok;
  }

  // Reads from the disk at `at` until n bytes or the end.
  size_t readAt(uint8_t* dst, size_t n, int64_t at) {
    size_t got = 0;
    while (got < n) {
      ssize_t r = ::pread(fd, dst + got, n - got, off_t(at + int64_t(got)));
      if (r < 0 && errno == EINTR) continue;
      if (r <= 0) break;
      got += size_t(r);
    }
    return got;
  }

  // True when n bytes are available at the position; refills the buffer if needed.
  bool ensure(size_t n) {
    if (len - pos >= n) return true;
    restart();
    len = readAt(buf.get(), kBufSize, bufStart);
    return len >= n;
  }

  // Copies n bytes out; false (position at the end) when fewer are left.
  bool get(void* dst, size_t n) {
    if (len - pos < n && !ensure(n)) {
      pos = len;
      return false;
    }
    std::memcpy(dst, buf.get() + pos, n);
    pos += n;
    return true;
  }

  bool put(const void* src, size_t n) {
    if (!writable || error) return false;
    const uint8_t* p = static_cast<const uint8_t*>(src);
    while (n > 0) {
      if (pos == kBufSize && !restart()) return false;
      size_t k = std::min(n, kBufSize - pos);
      std::memcpy(buf.get() + pos, p, k);
      if (dirtyHi <= dirtyLo) {
        dirtyLo = pos;
        dirtyHi = pos + k;
      } else {
        dirtyLo = std::min(dirtyLo, pos);
        dirtyHi = std::max(dirtyHi, pos + k);
      }
      pos += k;
      len = std::max(len, pos);
      size = std::max(size, bufStart + int64_t(pos));
      p += k;
      n -= k;
    }
    return true;
  }

  int64_t position() const { return bufStart + int64_t(pos); }
};

std::map<int, std::unique_ptr<FileRec>> g_files;
// Numbers whose last close lost data (the final flush failed), until reused.
std::map<int, bool> g_closeFailed;
// One-entry cache: the streaming calls hit the same number again and again.
int g_lastNum = -1;
FileRec* g_lastRec = nullptr;

inline FileRec* rec(int num) {
  if (num == g_lastNum && g_lastRec) return g_lastRec;
  auto it = g_files.find(num);
  if (it == g_files.end()) return nullptr;
  g_lastNum = num;
  g_lastRec = it->second.get();
  return g_lastRec;
}

int openWith(int num, const std::string& path, int flags, bool writable) {
  if (num < -1) return -1;
  if (num >= 0 && rec(num)) closeFile(num);
  std::string local = detail::localPath(path);
  if (local.empty()) return -1;
  int fd;
  do fd = ::open(local.c_str(), flags | O_CLOEXEC, 0666);
  while (fd < 0 && errno == EINTR);
  if (fd < 0) return -1;
  struct stat st;
  if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
    ::close(fd);
    return -1;
  }
  if (num < 0) {
    num = kFirstFreeNumber;
    while (g_files.count(num)) ++num;
  }
  auto r = std::make_unique<FileRec>();
  r->fd = fd;
  r->writable = writable;
  r->size = int64_t(st.st_size);
  g_closeFailed.erase(num);
  g_files[num] = std::move(r);
  g_lastNum = -1;
  g_lastRec = nullptr;
  return num;
}

inline uint16_t le16(const uint8_t* b) { return uint16_t(b[0] | (b[1] << 8)); }
inline uint32_t le32(const uint8_t* b) {
  return uint32_t(b[0]) | (uint32_t(b[1]) << 8) | (uint32_t(b[2]) << 16) | (uint32_t(b[3]) << 24);
}

// handle -> descriptor; guarded, since a waiting lock may sit on another thread.
std::mutex g_lockMutex;
std::map<int, int> g_locks;
int g_nextLock = 1;

int lockWith(const std::string& path, bool wait) {
  std::string local = detail::localPath(path);
  int fd;
  do fd = ::open(local.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
  while (fd < 0 && errno == EINTR);
  if (fd < 0) return -1;
  int rc;
  do rc = ::flock(fd, LOCK_EX | (wait ? 0 : LOCK_NB));
  while (rc != 0 && errno == EINTR);
  if (rc != 0) {
    ::close(fd);
    return -1;
  }
  std::lock_guard<std::mutex> guard(g_lockMutex);
  int handle = g_nextLock++;
  g_locks[handle] = fd;
  return handle;
}

}  // namespace

int openFile(int num, const std::string& path) { return openWith(num, path, O_RDWR | O_CREAT, true); }
int readFile(int num, const std::string& path) { return openWith(num, path, O_RDONLY, false); }
int createFile(int num, const std::string& path) {
  return openWith(num, path, O_RDWR | O_CREAT | O_TRUNC, true);
}

void closeFile(int num) {
  auto it = g_files.find(num);
  if (it == g_files.end()) return;
  FileRec& r = *it->second;
  r.flush();
  if (::close(r.fd) != 0 && errno != EINTR && r.writable) r.error = true;
  if (r.error) g_closeFailed[num] = true;
  g_files.erase(it);
  g_lastNum = -1;
  g_lastRec = nullptr;
}

bool isFile(int num) { return rec(num) != nullptr; }

int64_t fileSize(int num) {
  FileRec* r = rec(num);
  return r ? r->size : 0;
}

int64_t filePos(int num) {
  FileRec* r = rec(num);
  return r ? r->position() : 0;
}

void fileSeek(int num, int64_t pos) {
  FileRec* r = rec(num);
  if (!r) return;
  if (pos < 0) pos = 0;
  if (pos >= r->bufStart && pos <= r->bufStart + int64_t(r->len)) {
    r->pos = size_t(pos - r->bufStart);
    return;
  }
  r->flush();
  r->bufStart = pos;
  r->pos = r->len = 0;
}

bool eof(int num) {
  FileRec* r = rec(num);
  return !r || r->position() >= r->size;
}

uint8_t readByte(int num) {
  FileRec* r = rec(num);
  if (!r) return 0;
  if (r->pos < r->len) return r->buf[r->pos++];
  uint8_t b;
  return r->get(&b, 1) ? b : 0;
}

int16_t readWord(int num) {
  FileRec* r = rec(num);
  uint8_t b[2];
  if (!r || !r->get(b, 2)) return 0;
  return int16_t(le16(b));
}

int32_t readLong(int num) {
  FileRec* r = rec(num);
  uint8_t b[4];
  if (!r || !r->get(b, 4)) return 0;
  return int32_t(le32(b));
}

float readFloat(int num) {
  FileRec* r = rec(num);
  uint8_t b[4];
  if (!r || !r->get(b, 4)) return 0.0f;
  uint32_t u = le32(b);
  float f;
  std::memcpy(&f, &u, 4);
  return f;
}

size_t readData(int num, void* buf, size_t n) {
  FileRec* r = rec(num);
  if (!r || !buf) return 0;
  uint8_t* dst = static_cast<uint8_t*>(buf);
  size_t done = 0;
  while (done < n) {
    size_t avail = r->len - r->pos;
    if (avail == 0) {
      size_t rest = n - done;
      if (rest >= kBufSize) {
        // Large blocks go straight from the disk into the caller's memory.
        r->restart();
        size_t got = r->readAt(dst + done, rest, r->bufStart);
        r->bufStart += int64_t(got);
        done += got;
        break;
      }
      if (!r->ensure(1)) break;
      avail = r->len - r->pos;
    }
    size_t k = std::min(avail, n - done);
    std::memcpy(dst + done, r->buf.get() + r->pos, k);
    r->pos += k;
    done += k;
  }
  return done;
}

std::string readLine(int num) {
  std::string out;
  FileRec* r = rec(num);
  if (!r) return out;
  for (;;) {
    if (r->pos == r->len && !r->ensure(1)) return out;   // last line without an end
    const uint8_t* b = r->buf.get();
    size_t start = r->pos, p = start;
    while (p < r->len && b[p] != '\r' && b[p] != '\n') ++p;
    out.append(reinterpret_cast<const char*>(b + start), p - start);
    r->pos = p;
    if (p == r->len) continue;
    uint8_t c = b[r->pos++];
    // A CR LF may be split by the end of the buffer: look at the next byte after a refill.
    if (c == '\r' && r->ensure(1) && r->buf[r->pos] == '\n') ++r->pos;
    return out;
  }
}

bool writeByte(int num, uint8_t v) {
  FileRec* r = rec(num);
  return r && r->put(&v, 1);
}

bool writeWord(int num, int16_t v) {
  FileRec* r = rec(num);
  uint16_t u = uint16_t(v);
  uint8_t b[2] = {uint8_t(u), uint8_t(u >> 8)};
  return r && r->put(b, 2);
}

bool writeLong(int num, int32_t v) {
  FileRec* r = rec(num);
  uint32_t u = uint32_t(v);
  uint8_t b[4] = {uint8_t(u), uint8_t(u >> 8), uint8_t(u >> 16), uint8_t(u >> 24)};
  return r && r->put(b, 4);
}

bool writeFloat(int num, float v) {
  uint32_t u;
  std::memcpy(&u, &v, 4);
  return writeLong(num, int32_t(u));
}

bool writeData(int num, const void* buf, size_t n) {
  FileRec* r = rec(num);
  if (!r) return false;
  if (n == 0) return r->writable && !r->error;
  return buf && r->put(buf, n);
}

bool writeText(int num, const std::string& text) { return writeData(num, text.data(), text.size()); }

bool writeLine(int num, const std::string& text) {
  FileRec* r = rec(num);
  return r && r->put(text.data(), text.size()) && r->put("\r\n", 2);
}

bool fileError(int num) {
  if (FileRec* r = rec(num)) return r->error;
  auto it = g_closeFailed.find(num);
  return it != g_closeFailed.end() && it->second;
}

int lockFile(const std::string& path) { return lockWith(path, true); }
int tryLockFile(const std::string& path) { return lockWith(path, false); }

void unlockFile(int handle) {
  std::unique_lock<std::mutex> guard(g_lockMutex);
  auto it = g_locks.find(handle);
  if (it == g_locks.end()) return;
  int fd = it->second;
  g_locks.erase(it);
  guard.unlock();
  ::flock(fd, LOCK_UN);
  ::close(fd);
}

}  // namespace tk
