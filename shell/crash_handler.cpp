// The crash handler. Fatal signals take the signal path: only async-signal-safe work,
// with buffers and paths prepared beforehand and write(2) on raw descriptors; nothing is
// asked (the next start offers the recovery). An uncaught C++ exception takes the full
// path of OnFatalError, which may still ask the user for a description.
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <ucontext.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <exception>

#include "documents/documents.h"
#include "shell/crash_io.h"
#include "shell/shell.h"
#include "toolkit/toolkit.h"

namespace {

constexpr int kFatalSignals[] = {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT};

// Set by the first fatal error: a second one (a fault inside the handler) ends at once.
volatile sig_atomic_t g_inCrash = 0;
alignas(16) char g_altStack[64 * 1024];
uint8_t g_reportBuffer[6 + BugReportFixedSize];
// "Undo/startet.ind" holds at most this many numbers that the handler reads back.
constexpr size_t kMaxInstances = 4096;
int32_t g_instances[kMaxInstances];

// Writes the report with an empty description, counted like every report.
void WriteReportRaw() {
  char counter[crash_io::kPathMax], report[crash_io::kPathMax];
  crash_io::ProgramPath(counter, "Error/index.num");
  int32_t n = 0;
  int fd = ::open(counter, O_RDONLY | O_CLOEXEC);
  if (fd >= 0) {
    uint8_t b[4];
    if (crash_io::ReadAll(fd, b, 4) == 4) n = int32_t(b[0] | b[1] << 8 | b[2] << 16 | uint32_t(b[3]) << 24);
    ::close(fd);
  }
  if (n < 0) n = 0;
  const uint32_t next = uint32_t(n) + 1;
  const uint8_t le[4] = {uint8_t(next), uint8_t(next >> 8), uint8_t(next >> 16), uint8_t(next >> 24)};
  // A missing "Error" folder makes this fail: then neither file is written.
  if (!crash_io::WriteFileRaw(counter, le, 4)) return;
  crash_io::ProgramPath(report, "Error/Error_");
  crash_io::AppendNumber(report, n);
  crash_io::AppendText(report, ".bug");
  crash_io::RefreshCurrentRecord();
  const size_t size = BuildBugReport("", 0, g_reportBuffer);
  crash_io::WriteFileRaw(report, g_reportBuffer, size);
}

// Takes this instance out of "Undo/startet.ind" under the instances' lock (waiting at
// most two seconds for it: a crash must not hang on another copy).
void ReleaseInstanceRaw() {
  if (UndoAvailable == 0 || CVNIndex <= 0) return;
  char list[crash_io::kPathMax], lock[crash_io::kPathMax];
  crash_io::ProgramPath(list, "Undo/startet.ind");
  crash_io::ProgramPath(lock, "Undo/startet.lock");
  const int lockFd = ::open(lock, O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  if (lockFd >= 0) {
    for (int i = 0; i < 200 && ::flock(lockFd, LOCK_EX | LOCK_NB) != 0; ++i) {
      const timespec t{0, 10 * 1000 * 1000};
      ::nanosleep(&t, nullptr);
    }
  }
  const int fd = ::open(list, O_RDONLY | O_CLOEXEC);
  if (fd >= 0) {
    struct stat st;
    size_t count = 0;
    if (::fstat(fd, &st) == 0) {
      const off_t entries = st.st_size / 4;
      const off_t first = entries > off_t(kMaxInstances) ? entries - off_t(kMaxInstances) : 0;
      if (::lseek(fd, first * 4, SEEK_SET) == first * 4) {
        uint8_t* bytes = reinterpret_cast<uint8_t*>(g_instances);
        count = crash_io::ReadAll(fd, bytes, size_t(entries - first) * 4) / 4;
      }
    }
    ::close(fd);
    size_t kept = 0;
    for (size_t i = 0; i < count; ++i) {
      const uint8_t* b = reinterpret_cast<const uint8_t*>(&g_instances[i]);
      const int32_t v = int32_t(b[0] | b[1] << 8 | b[2] << 16 | uint32_t(b[3]) << 24);
      if (v != CVNIndex) g_instances[kept++] = g_instances[i];   // the bytes stay little endian
    }
    crash_io::WriteFileRaw(list, g_instances, kept * 4);
  }
  if (lockFd >= 0) {
    ::flock(lockFd, LOCK_UN);
    ::close(lockFd);
  }
}

void FatalSignal(int sig, siginfo_t* info, void* context) {
  if (g_inCrash) {
    ::signal(sig, SIG_DFL);
    ::raise(sig);
    return;
  }
  g_inCrash = 1;
#if defined(__x86_64__)
  LastErrorAddress = intptr_t(static_cast<ucontext_t*>(context)->uc_mcontext.gregs[REG_RIP]);
#else
  LastErrorAddress = intptr_t(info ? info->si_addr : nullptr);
#endif
  WriteCrashFilesSignalSafe();
  // Ends the process by the signal's default action once the handler returns (a fault
  // repeats at once; a raised signal is taken when it is unblocked).
  ::signal(sig, SIG_DFL);
  ::raise(sig);
}

void UncaughtException() {
  if (g_inCrash) std::_Exit(1);
  OnFatalError();
}

}  // namespace

void WriteCrashFilesSignalSafe() {
  if (Settings.CreateError == 1) WriteReportRaw();
  if (Settings.BackUp == 1) crash_io::WriteCrashStateRaw();
  ReleaseInstanceRaw();
}

void InstallCrashHandler() {
  crash_io::SetProgramFolder(tk::toUtf8(tk::programFolder()));
  stack_t ss{};
  ss.ss_sp = g_altStack;
  ss.ss_size = sizeof g_altStack;
  ::sigaltstack(&ss, nullptr);   // a stack overflow still reaches the handler
  struct sigaction sa{};
  sa.sa_sigaction = FatalSignal;
  sa.sa_flags = SA_SIGINFO | SA_ONSTACK;
  sigemptyset(&sa.sa_mask);
  for (int sig : kFatalSignals) ::sigaction(sig, &sa, nullptr);
  std::set_terminate(UncaughtException);
}

void OnFatalError() {
  g_inCrash = 1;
  crash_io::SetProgramFolder(tk::toUtf8(tk::programFolder()));
  if (Settings.CreateError == 1) {
    std::string text;
    try {
      text = tk::inputRequester("Fehler ist aufgetreten",
                                "Geben sie eine kurze erklärung ab, was sie gemacht haben, als der Fehler auftrat", "");
    } catch (...) {
      // No answer can be had: the report goes without a description.
    }
    WriteBugReport(text);
  }
  if (Settings.BackUp == 1) WriteCrashState();
  ReleaseInstanceNumber();
  std::_Exit(1);
}
