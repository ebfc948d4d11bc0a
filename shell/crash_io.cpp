// Raw file writing for the crash handler (see crash_io.h), and the crash-state writer.
#include "shell/crash_io.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "documents/documents.h"
#include "shell/shell.h"
#include "tools/tools.h"

namespace crash_io {

namespace {

char g_folder[kPathMax] = "";

// A buffered writer on a descriptor over one fixed block.
uint8_t g_block[64 * 1024];
struct RawWriter {
  int fd;
  size_t used = 0;
  bool ok = true;
  void flush() {
    if (ok && used > 0) ok = WriteAll(fd, g_block, used);
    used = 0;
  }
  void put(const void* data, size_t n) {
    const uint8_t* p = static_cast<const uint8_t*>(data);
    if (n >= sizeof g_block) {
      flush();
      if (ok) ok = WriteAll(fd, p, n);
      return;
    }
    if (used + n > sizeof g_block) flush();
    std::memcpy(g_block + used, p, n);
    used += n;
  }
  void zeros(size_t n) {
    static const uint8_t kZero[4096] = {};
    while (n > 0) {
      const size_t k = std::min(n, sizeof kZero);
      put(kZero, k);
      n -= k;
    }
  }
  void l(int32_t v) {
    const uint32_t u = uint32_t(v);
    const uint8_t b[4] = {uint8_t(u), uint8_t(u >> 8), uint8_t(u >> 16), uint8_t(u >> 24)};
    put(b, 4);
  }
  void line(const std::string& text) {
    put(text.data(), text.size());
    put("\r\n", 2);
  }
};

// Byte offsets of the two places where the crash state inserts the texts into a block.
constexpr size_t kSpareTextAt = 20;
constexpr size_t kDisplayNameAt = 130;

}  // namespace

void SetProgramFolder(const std::string& folder) {
  const size_t n = std::min(folder.size(), kPathMax - 2);
  std::memcpy(g_folder, folder.data(), n);
  g_folder[n] = '\0';
  if (n > 0 && g_folder[n - 1] != '/') {
    g_folder[n] = '/';
    g_folder[n + 1] = '\0';
  }
}

void ProgramPath(char* out, const char* relative) {
  out[0] = '\0';
  AppendText(out, g_folder);
  AppendText(out, relative);
}

void AppendText(char* out, const char* text) {
  size_t n = std::strlen(out);
  while (*text && n + 1 < kPathMax) out[n++] = *text++;
  out[n] = '\0';
}

void AppendNumber(char* out, int64_t value) {
  char digits[24];
  int k = 0;
  const bool negative = value < 0;
  uint64_t u = negative ? uint64_t(-(value + 1)) + 1 : uint64_t(value);
  do {
    digits[k++] = char('0' + u % 10);
    u /= 10;
  } while (u > 0);
  char text[26];
  int t = 0;
  if (negative) text[t++] = '-';
  while (k > 0) text[t++] = digits[--k];
  text[t] = '\0';
  AppendText(out, text);
}

size_t ReadAll(int fd, void* data, size_t n) {
  size_t got = 0;
  while (got < n) {
    const ssize_t r = ::read(fd, static_cast<uint8_t*>(data) + got, n - got);
    if (r < 0 && errno == EINTR) continue;
    if (r <= 0) break;
    got += size_t(r);
  }
  return got;
}

bool WriteAll(int fd, const void* data, size_t n) {
  const uint8_t* p = static_cast<const uint8_t*>(data);
  while (n > 0) {
    const ssize_t w = ::write(fd, p, n);
    if (w < 0 && errno == EINTR) continue;
    if (w <= 0) return false;
    p += w;
    n -= size_t(w);
  }
  return true;
}

bool WriteFileRaw(const char* path, const void* data, size_t n) {
  char temp[kPathMax];
  temp[0] = '\0';
  AppendText(temp, path);
  AppendText(temp, ".tmp");
  const int fd = ::open(temp, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  const bool ok = WriteAll(fd, data, n);
  if (::close(fd) != 0 || !ok || ::rename(temp, path) != 0) {
    ::unlink(temp);
    return false;
  }
  return true;
}

void RefreshCurrentRecord() {
  if (CurrentImage < 1 || size_t(CurrentImage) >= ImageRecords.size()) return;
  ImageRecord& r = ImageRecords[size_t(CurrentImage)];
  r.laenge = bildlang;
  r.hoehe = bildhoch;
  r.verty = vert;
  r.horzx = horz;
  r.GadgetState = paintstate;
  r.colornumber = Colornumber;
  r.KeyBoardModus = KeyboardModus;
  r.KeyBoardModus_Hold = KeyboardModus_hold;
  r.Keydrawmode = Keydrawmode;
  r.KeyBoardX = KeyboardX;
  r.KeyBoardY = KeyboardY;
  r.PixSize = length;
  r.AreaState = areamark;
  r.AreaStartX = startx;
  r.AreaStartY = starty;
  r.AreaLaenge = arealang;
  r.AreaHoehe = areahoch;
  r.AreaVert = vert2;
  r.AreaHorz = horz2;
  r.UndoState = undostate;
  r.Redo = RedoState;
  r.fgcolor[0] = Blau;
  r.fgcolor[1] = Gruen;
  r.fgcolor[2] = Rot;
  r.Tolleranz = tolleranz;
  r.Colororder = colororder;
  r.areaorder = areacolororder;
}

bool WriteCrashStateRaw() {
  RefreshCurrentRecord();
  char path[kPathMax], temp[kPathMax];
  ProgramPath(path, "Undo/hold.error");
  ProgramPath(temp, "Undo/hold.error.tmp");
  const int fd = ::open(temp, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  RawWriter w{fd};
  const int32_t count = std::clamp<int32_t>(ImageCount, 0, std::min<int32_t>(10, int32_t(ImageRecords.size()) - 1));
  w.l(CVNIndex);
  w.l(count);
  uint8_t block[ImageRecordBlockSize];
  for (int32_t i = 1; i <= count; ++i) {
    const ImageRecord& r = ImageRecords[size_t(i)];
    PackImageRecord(r, block);
    w.put(block, kSpareTextAt);
    w.line(r.SpareText);
    w.put(block + kSpareTextAt, kDisplayNameAt - kSpareTextAt);
    w.line(r.DisplayName);
    w.put(block + kDisplayNameAt, ImageRecordBlockSize - kDisplayNameAt);
  }
  const uint8_t current = uint8_t(CurrentImage);
  w.put(&current, 1);
  // Exactly as many cells as the refreshed record's extents say; an array that holds
  // fewer is made up with zeros so that the reader's sizes still agree.
  const size_t cells = CellsOfExtents(bildlang, bildhoch);
  const size_t have = std::min(cells, ImagePixels.size());
  w.put(ImagePixels.data(), have * 4);
  w.zeros((cells - have) * 4);
  w.flush();
  const bool ok = w.ok;
  if (::close(fd) != 0 || !ok || ::rename(temp, path) != 0) {
    ::unlink(temp);
    return false;
  }
  return true;
}

}  // namespace crash_io
