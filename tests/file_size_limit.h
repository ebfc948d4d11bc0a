// A full disk for the tests: while a FileSizeLimit lives, no file of this process grows past
// `bytes` (a write beyond it fails instead of raising SIGXFSZ); the old limit comes back at
// the end of the scope.
#pragma once
#include <sys/resource.h>

#include <csignal>

struct FileSizeLimit {
  explicit FileSizeLimit(rlim_t bytes) {
    oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    getrlimit(RLIMIT_FSIZE, &old_);
    rlimit small = old_;
    small.rlim_cur = bytes;
    ok = setrlimit(RLIMIT_FSIZE, &small) == 0;
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &old_);
    std::signal(SIGXFSZ, oldHandler_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;
  bool ok = false;

 private:
  rlimit old_{};
  void (*oldHandler_)(int) = nullptr;
};
