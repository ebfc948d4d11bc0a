// Toolkit layer: files by number, folders and preference (ini) files.
// Paths go through resolvePath (tk_base.h): '\\' becomes '/', relative paths start in
// the program folder. Binary values are little endian.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace tk {

// ---- files by number ----------------------------------------------------------------
int openFile(int num, const std::string& path);     // read and write; -1 fails
int readFile(int num, const std::string& path);     // read only
int createFile(int num, const std::string& path);   // new or emptied
void closeFile(int num);                            // flushes
bool isFile(int num);
int64_t fileSize(int num);                          // length of the open file
int64_t filePos(int num);
void fileSeek(int num, int64_t pos);
bool eof(int num);
// Reads at or past the end give 0 / an empty string.
uint8_t readByte(int num);
int16_t readWord(int num);
int32_t readLong(int num);
float readFloat(int num);
size_t readData(int num, void* buf, size_t n);      // returns bytes read
// A text line: ends at CR LF, CR or LF (not returned).
std::string readLine(int num);
bool writeByte(int num, uint8_t v);
bool writeWord(int num, int16_t v);
bool writeLong(int num, int32_t v);
bool writeFloat(int num, float v);
bool writeData(int num, const void* buf, size_t n);
bool writeLine(int num, const std::string& text);   // adds CR LF
bool writeText(int num, const std::string& text);   // no line end
// A write failed (disk full ...): every later write of the file returns false. When
// the flush at closeFile fails, fileError(num) stays true until num is opened again.
bool fileError(int num);

// ---- whole files and folders ----------------------------------------------------------
bool fileExists(const std::string& path);
bool folderExists(const std::string& path);
int64_t fileSizeOf(const std::string& path);        // -1 missing, -2 folder
bool deleteFile(const std::string& path);
bool copyFile(const std::string& from, const std::string& to);
bool renameFile(const std::string& from, const std::string& to);
bool createFolder(const std::string& path);         // parents too
bool deleteFolder(const std::string& path, bool recursive = true);
struct FolderEntry { std::string name; int64_t size; bool isFolder; };
std::vector<FolderEntry> listFolder(const std::string& path, const std::string& pattern = "*");
bool readWholeFile(const std::string& path, std::vector<uint8_t>& out);
bool writeWholeFile(const std::string& path, const void* data, size_t n);
// The blocks one after the other as the new contents of path, written like writeWholeFile
// (a failed write keeps the old file) with as few system calls as the blocks allow.
struct DataBlock {
  const void* data;
  size_t size;
};
bool writeWholeFileBlocks(const std::string& path, const DataBlock* blocks, size_t count);
// The same contents written over the old file in place: no new file is made and the old
// one's space is reused, which is much cheaper for large files whose old contents are of
// no further use. A failed write leaves no file at all rather than a half-written one.
bool overwriteWholeFileBlocks(const std::string& path, const DataBlock* blocks, size_t count);

// ---- preference files -----------------------------------------------------------------
// One open at a time. Groups "[name]" and keys "key = value"; names match without
// regard to case. Every read takes a default. Written files use CR LF.
bool openPreferences(const std::string& path);      // false when missing (reads give defaults)
bool createPreferences(const std::string& path);    // starts an empty file (written on close)
bool closePreferences();                            // writes when changed; false on failure
void preferenceGroup(const std::string& group);     // "" = before any group
std::string readPreferenceString(const std::string& key, const std::string& def);
int32_t readPreferenceLong(const std::string& key, int32_t def);
float readPreferenceFloat(const std::string& key, float def);
void writePreferenceString(const std::string& key, const std::string& value);
void writePreferenceLong(const std::string& key, int32_t value);
void writePreferenceFloat(const std::string& key, float value);
void removePreferenceKey(const std::string& key);
std::vector<std::string> preferenceGroups();
std::vector<std::string> preferenceKeys();          // of the current group

// ---- advisory locks ----------------------------------------------------------------------
// Exclusive lock on a lock file beside the program's shared files; blocks until held.
int lockFile(const std::string& path);              // handle > 0, -1 fails
int tryLockFile(const std::string& path);           // does not wait: -1 when held elsewhere
void unlockFile(int handle);

}  // namespace tk
