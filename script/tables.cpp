// Script tables: the built-in function names with their help texts, the letter index,
// the system constants, the evaluator's function names and the thanks list, read once
// at start-up from "Data/Functions.dat".
#include <algorithm>

#include "script/script.h"
#include "toolkit/toolkit.h"

std::vector<FunctionEntry> FunctionTable;
int32_t FunctionCount = 0;
std::vector<std::string> FunctionNamesInFileOrder;
int32_t effects_start = 0;
int32_t effects_end = 0;
std::vector<LetterIndexEntry> FunctionLetterIndex;
std::vector<SystemConstant> SystemConstantTable;
std::vector<EvaluatorFunction> EvaluatorFunctions;
std::vector<ThanksEntry> ThanksList;
int32_t ThanksLastIndex = 0;

namespace {

const char* const kEvaluatorNames[15] = {
    "",    "Sin",         "Cos",           "Tan",          "Min", "Max", "Pow", "Random",
    "GetRedColor", "GetGreenColor", "GetBlueColor", "Sqr", "Pos", "Chr", "Str"};

// The start-up's dimensioning of the evaluator names and the thanks list.
struct StartTables {
  StartTables() { ResetScriptTables(); }
} g_startTables;

std::string replaceByte160(const std::string& s, const char* with) {
  std::string out;
  out.reserve(s.size());
  for (char c : s) {
    if (uint8_t(c) == 160)
      out += with;
    else
      out += c;
  }
  return out;
}

char foldAsciiUpper(char c) { return (c >= 'A' && c <= 'Z') ? char(c + 32) : c; }

// Byte by byte after folding A..Z onto a..z, bytes compared as signed values, a prefix first.
bool nameLess(const std::string& a, const std::string& b) {
  size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    signed char ca = static_cast<signed char>(foldAsciiUpper(a[i]));
    signed char cb = static_cast<signed char>(foldAsciiUpper(b[i]));
    if (ca != cb) return ca < cb;
  }
  return a.size() < b.size();
}

bool isAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// Lines announced by a count beyond what the tables hold are read and dropped so that the
// fields behind them stay in place; a file that ends early stops the skipping.
void skipLines(int file, int64_t lines) {
  for (int64_t i = 0; i < lines && !tk::eof(file); ++i) tk::readLine(file);
}

std::string programFolderText() {
  std::string folder = tk::programFolder();
  std::replace(folder.begin(), folder.end(), '/', '\\');
  if (folder.empty() || folder.back() != '\\') folder += '\\';
  return folder;
}

void setFixedConstantValues() {
  auto set = [](int index, const std::string& value) { SystemConstantTable[index].value = value; };
  set(2, "3.141592653");
  set(22, "4");
  set(23, "256");
  set(24, "512");
  set(25, "8");
  for (int k = 0; k <= 12; ++k) set(26 + k, std::to_string(k));
  set(46, "-113");
  set(47, "-128");
  set(48, "1");
  set(49, "2");
  set(50, "4");
  set(51, "8");
  set(52, "\"" + programFolderText() + "\"");
}

void sortFunctionTable() {
  for (int i = 1; i <= MaxFunctionEntries; ++i) {
    FunctionEntry& e = FunctionTable[i];
    e.nameLength = int32_t(e.name.size());
    FunctionNamesInFileOrder[i] = e.name;
  }
  // Non-empty names move to the front in sorted order, each keeping its own help text and
  // length; names that compare equal keep their file order.
  auto first = FunctionTable.begin() + 1;
  auto last = FunctionTable.end();
  auto mid = std::stable_partition(first, last, [](const FunctionEntry& e) { return !e.name.empty(); });
  std::stable_sort(first, mid,
                   [](const FunctionEntry& a, const FunctionEntry& b) { return nameLess(a.name, b.name); });
}

void buildLetterIndex() {
  // Entry 0 covers the names sorted ahead of the letters (names that do not begin with a
  // letter), so that "A" starts behind them.
  int32_t leading = 0;
  for (int i = 1; i <= MaxFunctionEntries; ++i) {
    const std::string& name = FunctionTable[i].name;
    if (name.empty() || isAsciiLetter(name[0])) break;
    // Only names that sort ahead of "a" stand before the letters.
    if (!nameLess(name, "a")) break;
    ++leading;
  }
  FunctionLetterIndex[0] = {leading, 1};
  for (int n = 1; n <= 26; ++n) {
    LetterIndexEntry& e = FunctionLetterIndex[n];
    e.first = FunctionLetterIndex[n - 1].first + FunctionLetterIndex[n - 1].count;
    e.count = 0;
    char upper = char(64 + n), lower = char(96 + n);
    for (int i = e.first; i <= MaxFunctionEntries; ++i) {
      const std::string& name = FunctionTable[i].name;
      if (name.empty() || (name[0] != upper && name[0] != lower)) break;
      ++e.count;
    }
  }
}

}  // namespace

uint8_t FunctionsDatDamaged = 0;

void ResetScriptTables() {
  FunctionsDatDamaged = 0;
  FunctionTable.assign(MaxFunctionEntries + 1, FunctionEntry{});
  FunctionCount = 0;
  FunctionNamesInFileOrder.assign(MaxFunctionEntries + 1, std::string());
  effects_start = 0;
  effects_end = 0;
  FunctionLetterIndex.assign(27, LetterIndexEntry{});
  SystemConstantTable.assign(SystemConstantCount, SystemConstant{});
  EvaluatorFunctions.assign(15, EvaluatorFunction{});
  for (int i = 1; i <= 14; ++i) EvaluatorFunctions[i].name = kEvaluatorNames[i];
  ThanksList.assign(ThanksListSize, ThanksEntry{});
  ThanksLastIndex = 0;
}

void LoadScriptTables() {
  FunctionNamesInFileOrder.assign(MaxFunctionEntries + 1, std::string());
  FunctionTable.assign(MaxFunctionEntries + 1, FunctionEntry{});
  FunctionLetterIndex.assign(27, LetterIndexEntry{});
  SystemConstantTable.assign(SystemConstantCount, SystemConstant{});
  FunctionCount = 0;
  effects_start = 0;
  effects_end = 0;
  if (EvaluatorFunctions.size() < 15) EvaluatorFunctions.resize(15);
  for (int i = 1; i <= 14; ++i) EvaluatorFunctions[i].length = int32_t(EvaluatorFunctions[i].name.size());
  if (ThanksList.size() < size_t(ThanksListSize)) ThanksList.resize(ThanksListSize);

  int32_t count = 0;
  FunctionsDatDamaged = 0;
  int file = tk::readFile(-1, "Data/Functions.dat");
  if (file >= 0) {
    // The file is read on with empty entries where it ends early, but it counts as
    // damaged then, and when its header does not fit its entries.
    auto promised = [&] {
      if (tk::eof(file)) FunctionsDatDamaged = 1;
    };
    if (tk::fileSize(file) < 12) FunctionsDatDamaged = 1;
    int32_t n1 = tk::readLong(file);
    effects_start = tk::readLong(file);
    effects_end = tk::readLong(file);
    if (n1 < 0 || effects_start < 1 || effects_end < effects_start || effects_end > n1) FunctionsDatDamaged = 1;
    int32_t keep = std::clamp(n1, 0, MaxFunctionEntries);
    for (int32_t i = 1; i <= keep; ++i) {
      FunctionEntry& e = FunctionTable[i];
      promised();
      e.name = tk::readLine(file);
      e.help = replaceByte160(tk::readLine(file), "\r\n");
    }
    count = keep;
    if (n1 > keep) skipLines(file, 2 * int64_t(n1 - keep));

    promised();
    int32_t n2 = tk::readLong(file);
    int32_t keepNames = std::clamp(n2, 0, SystemConstantCount);
    for (int32_t i = 0; i < keepNames; ++i) {
      promised();
      SystemConstantTable[i].name = tk::readLine(file);
    }
    if (n2 > keepNames) skipLines(file, int64_t(n2) - keepNames);

    promised();
    int32_t n3 = tk::readLong(file);
    int32_t lastIndex = std::clamp(n3, -1, ThanksListSize - 1);
    for (int32_t i = 0; i <= lastIndex; ++i) {
      ThanksEntry& t = ThanksList[i];
      promised();
      t.name = tk::readLine(file);
      t.text = replaceByte160(tk::readLine(file), "\r");
      t.link = tk::readLine(file);
    }
    ThanksLastIndex = lastIndex;
    tk::closeFile(file);
  }
  FunctionCount = count;
  setFixedConstantValues();
  sortFunctionTable();
  buildLetterIndex();
  InvalidateVariableIndex();   // the constants' names may have changed
}
