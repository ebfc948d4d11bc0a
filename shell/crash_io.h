// Raw file writing for the crash handler: fixed buffers, open/read/write/rename on
// descriptors, nothing that allocates or locks, so the signal path may use all of it.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace crash_io {

constexpr size_t kPathMax = 4096;

// The program folder as the file system names it (UTF-8, ending in '/'), copied into a
// fixed buffer; called outside the signal path whenever the folder is set.
void SetProgramFolder(const std::string& folder);
// out := program folder + relative (cut to kPathMax).
void ProgramPath(char* out, const char* relative);
void AppendText(char* out, const char* text);
void AppendNumber(char* out, int64_t value);
size_t ReadAll(int fd, void* data, size_t n);
bool WriteAll(int fd, const void* data, size_t n);
// Writes path anew through a temporary file that is renamed over it: a failed write
// leaves the old file.
bool WriteFileRaw(const char* path, const void* data, size_t n);
// "Undo/hold.error": the current record refreshed from the live image first, then the
// instance number, the image count, a block per image, the current image and its cells.
bool WriteCrashStateRaw();
// The fields of the current image's record that the live globals hold (no texts, no
// gadgets): what a crash dump needs to describe the pixels it writes.
void RefreshCurrentRecord();

}  // namespace crash_io
