// The report viewer Orvandel: one error report of the main program, read field by field
// and shown in tabbed lists beside the main program's names for its numbers.
// The program's globals and procedures.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// ==== Start and name tables (viewer/name_tables.cpp) ======================================
struct OsNameEntry {
  int32_t code;
  std::string name;
};
struct EventNameEntry {
  int32_t value;
  std::string name;
};
// Indexed by value; a slot no name fills holds "".
extern std::vector<std::string> WindowNames, GadgetNames, MenuNames, ErrorLocationNames1, ErrorLocationNames2;
extern std::vector<OsNameEntry> OsNames;
extern std::vector<EventNameEntry> EventNames;
extern std::string ChosenReportFile;
void BuildNameTables();          // windows, gadgets, menus, both error-location lists
void BuildOsAndEventNames();
std::string LookupGadgetName(int32_t value);
std::string LookupWindowName(int32_t value);
std::string LookupMenuName(int32_t value);
std::string LookupErrorLocation1(int32_t value);
std::string LookupErrorLocation2(int32_t value);
std::string LookupOsName(int32_t code);       // "" when no row has the code
std::string LookupEventName(int32_t value);   // "Unbekannt: NR. <value>" when none
std::string GetProgramDirectory();
// The whole program: tables, requester, report, event loop. Returns the exit code.
int OrvandelEntry();

// ==== Report reading and display (viewer/report_display.cpp) ==============================
// Reads the report at path and builds window 1 with its thirteen tabs; false (nothing
// shown) when the file or the window cannot be opened.
bool ShowBugReport(const std::string& path);
void RunViewerLoop();            // until window 1 is closed; then closes it
// Tests: the gadgets made for each tab (position 0..12), in creation order, and for the
// nested image tabs the lists of images 1..10.
extern std::vector<std::vector<int>> ViewerTabGadgets;
extern std::vector<int> ImageBlockLists;
void ResetViewerState();
