// The shared numbering that the report viewer names against the started program: every
// menu, popup, tool bar and shortcut id the program built, every window it opened and
// every gadget of the named panels has its name, and no name stands at a number twice.
#include <regex>
#include <set>
#include <sstream>

#include "shell/loops_fixture.h"
#include "shell/program_numbers.h"

namespace {

template <size_t N>
std::set<int32_t> Values(const program_numbers::NumberName (&names)[N]) {
  std::set<int32_t> v;
  for (const auto& n : names) EXPECT_TRUE(v.insert(n.value).second) << "twice: " << n.value;
  return v;
}

TEST(ProgramNumbers, NameWhatTheStartedProgramHas) {
  loops_test::EnsureProgramStarted();
  const std::set<int32_t> menus = Values(program_numbers::kMenus);
  const std::regex item(R"(^\s*(\d+) )");
  int seen = 0;
  for (int m = 0; m < 64; ++m) {
    if (!tk::isMenu(m)) continue;
    std::istringstream lines(tk::testMenuStructure(m));
    for (std::string line; std::getline(lines, line);) {
      std::smatch match;
      if (!std::regex_search(line, match, item)) continue;
      ++seen;
      EXPECT_TRUE(menus.count(std::stoi(match[1]))) << "menu " << m << ": " << line;
    }
  }
  EXPECT_GT(seen, 300);
  for (int id : {0, 1, 2, 14, 15, 17, 25, 211, 219, 221, 237, 369, 378, 389, 425, 435, 447})
    EXPECT_TRUE(menus.count(id)) << "tool bar button or shortcut " << id;

  const std::set<int32_t> windows = Values(program_numbers::kWindows);
  for (int w = 0; w < 64; ++w)
    if (tk::isWindow(w)) EXPECT_TRUE(windows.count(w)) << "window " << w;

  const std::set<int32_t> gadgets = Values(program_numbers::kGadgets);
  for (int g : {0, 11, 12, 13, 14, 17, 9, 120, 352, 495, 582, 161, 170, 496, 832, 836})
    EXPECT_TRUE(gadgets.count(g)) << "gadget " << g;
  Values(program_numbers::kErrorLocations1);
  Values(program_numbers::kErrorLocations2);
}

}  // namespace
