// Directory commands: up to nine listings of a folder, stepped through by the script with
// a filter of image file kinds; the current entry's name is handed over in system
// constant 45.
#include <array>

#include "script/commands.h"
#include "toolkit/toolkit.h"

using namespace script_cmd;

namespace {

struct DirectorySlot {
  std::string path;
  int32_t loopLine = 0;
  int32_t filter = 0;
  std::vector<tk::FolderEntry> entries;   // the listing, read at ExamineDirectory
  size_t next = 0;                        // the entry the next step reads
  std::string current;                    // name of the entry the last step found
};
std::array<DirectorySlot, 10> Slots;   // 1..9

constexpr size_t kEntryConstant = 45;

void SetEntryConstant(const std::string& text) {
  if (kEntryConstant < SystemConstantTable.size()) SystemConstantTable[kEntryConstant].value = text;
}

std::string UpperExtension(const std::string& name) {
  const size_t dot = name.find_last_of('.');
  if (dot == std::string::npos) return "";
  std::string e = name.substr(dot + 1);
  for (char& ch : e) {
    const unsigned char u = static_cast<unsigned char>(ch);
    if ((u >= 'a' && u <= 'z') || u >= 224) ch = char(u - 32);
  }
  return e;
}

// Any bit from 128 up stands for BMP.
bool Admitted(int32_t filter, const std::string& ext) {
  return ((filter & ~127) != 0 && ext == "BMP") || ((filter & 2) && ext == "PNG") || ((filter & 1) && ext == "JPG") ||
         ((filter & 4) && ext == "STRUC") || ((filter & 8) && ext == "DF");
}

// 1 a file, 2 a folder, 0 when the listing has no further admitted entry.
int32_t StepDirectory(DirectorySlot& s) {
  while (s.next < s.entries.size()) {
    const tk::FolderEntry& e = s.entries[s.next++];
    if (e.name == "." || e.name == "..") continue;
    if (!Admitted(s.filter, UpperExtension(e.name))) continue;
    s.current = e.name;
    SetEntryConstant("\"" + e.name + "\"");
    return e.isFolder ? 2 : 1;
  }
  return 0;
}

// The checks of the one-argument commands; the slot, or 0 after an error.
int32_t SlotArgument() {
  int32_t v[2];
  if (!NeedCount(1) || !NeedNumbers(1, kNumberE, v)) return 0;
  if (!NeedRange(v[1], 1, 9, "Index muss zwischen 1 und 9 liegen")) return 0;
  return v[1];
}

}  // namespace

void ResetDirectorySlots() {
  for (DirectorySlot& s : Slots) s = DirectorySlot{};
}

void CmdExamineDirectory() {
  if (!NeedCount(3)) return;
  const std::string& folder = StatementArgs[2];
  if (!IsNumberText(StatementArgs[1]) || folder.size() < 2 || folder.front() != '"' || folder.back() != '"')
    return ReportScriptError("Falsche Parameterart");
  const int32_t slot = TextToInteger(StatementArgs[1]);
  if (!NeedRange(slot, 1, 9, "Index muss zwischen 1 und 9 liegen")) return;
  DirectorySlot& s = Slots[size_t(slot)];
  s = DirectorySlot{};
  s.path = ResolveScriptPath(folder.substr(1, folder.size() - 2));
  s.entries = tk::listFolder(s.path, "*.*");   // a folder that cannot be read lists nothing
  s.filter = TextToInteger(StatementArgs[3]);
  StepDirectory(s);
}

void CmdForEachDirectoryEntry() {
  if (const int32_t slot = SlotArgument()) Slots[size_t(slot)].loopLine = ScriptPosition;
}

void CmdNextDirectoryEntry() {
  const int32_t slot = SlotArgument();
  if (!slot) return;
  DirectorySlot& s = Slots[size_t(slot)];
  if (StepDirectory(s) != 0) ScriptPosition = s.loopLine;   // the loop advances past it
}

void CmdSkipDirectoryEntry() {
  if (const int32_t slot = SlotArgument()) StepDirectory(Slots[size_t(slot)]);
}

void CmdUseDirectory() {
  if (const int32_t slot = SlotArgument()) {
    const DirectorySlot& s = Slots[size_t(slot)];
    SetEntryConstant(s.path + "\\" + s.current);
  }
}
