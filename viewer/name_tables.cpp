// The viewer's name tables, filled from the main program's own numbering (shell/
// program_numbers.h), and the lookups that turn a report's numbers into names.
#include <algorithm>

#include "shell/program_numbers.h"
#include "toolkit/toolkit.h"
#include "viewer/viewer.h"

std::vector<std::string> WindowNames, GadgetNames, MenuNames, ErrorLocationNames1, ErrorLocationNames2;
std::vector<OsNameEntry> OsNames;
std::vector<EventNameEntry> EventNames;
std::string ChosenReportFile;

namespace {

template <size_t N>
std::vector<std::string> TableOf(const program_numbers::NumberName (&names)[N]) {
  int32_t top = -1;
  for (const auto& n : names) top = std::max(top, n.value);
  std::vector<std::string> table(size_t(top + 1));
  for (const auto& n : names) table[size_t(n.value)] = n.name;
  return table;
}

std::string OutOfBounds(int32_t value) { return "Out of Bounds: " + std::to_string(value); }

std::string Lookup(const std::vector<std::string>& table, int32_t value) {
  if (value < 0 || size_t(value) >= table.size()) return OutOfBounds(value);
  return table[size_t(value)];
}

}  // namespace

void BuildNameTables() {
  WindowNames = TableOf(program_numbers::kWindows);
  GadgetNames = TableOf(program_numbers::kGadgets);
  MenuNames = TableOf(program_numbers::kMenus);
  ErrorLocationNames1 = TableOf(program_numbers::kErrorLocations1);
  ErrorLocationNames2 = TableOf(program_numbers::kErrorLocations2);
}

void BuildOsAndEventNames() {
  OsNames = {{3, "Amiga 0_o?"}, {2, "Linux 0_o?"},     {50, "Windows 2000"},
             {10, "Windows 95 ^^"}, {30, "Windows 98"}, {100, "Zukünftiges Windows"},
             {40, "Windows ME"}, {5, "Windows NT3_51"}, {20, "Windows NT4"},
             {60, "Windows XP"}};
  EventNames.clear();
  for (const auto& e : program_numbers::kEvents) EventNames.push_back({e.value, e.name});
}

// The table's top is the highest value the program names: above it is out of bounds.
std::string LookupGadgetName(int32_t value) { return Lookup(GadgetNames, value); }
std::string LookupWindowName(int32_t value) { return Lookup(WindowNames, value); }
std::string LookupMenuName(int32_t value) { return Lookup(MenuNames, value); }
std::string LookupErrorLocation1(int32_t value) { return Lookup(ErrorLocationNames1, value); }
std::string LookupErrorLocation2(int32_t value) { return Lookup(ErrorLocationNames2, value); }

std::string LookupOsName(int32_t code) {
  for (const OsNameEntry& e : OsNames)
    if (e.code == code) return e.name;
  return "";
}

std::string LookupEventName(int32_t value) {
  for (const EventNameEntry& e : EventNames)
    if (e.value == value) return e.name;
  return "Unbekannt: NR. " + std::to_string(value);
}

std::string GetProgramDirectory() { return tk::programFolder(); }

int OrvandelEntry() {
  BuildNameTables();
  ChosenReportFile = tk::openFileRequester("Fehlerbericht laden", GetProgramDirectory(), "Bugfixfiles|*.bug*", 0);
  BuildOsAndEventNames();
  if (!ShowBugReport(ChosenReportFile)) return 0;
  RunViewerLoop();
  return 0;
}
