// Statement helpers: the argument splitter and evaluation, conditions, the script error
// box and the resolution of path arguments.
#include <algorithm>

#include "documents/documents.h"
#include "script/script.h"
#include "shell/shell.h"
#include "toolkit/toolkit.h"

std::vector<Statement> StatementList;
int32_t CurrentStatement = 0;
int32_t ScriptErrorLine = 0;
std::string ScriptErrorName;
std::vector<std::string> StatementArgs(21);
int32_t paramlist = 0;
int32_t isimage = 0;

int32_t SplitStatementArguments(std::string_view text) {
  if (StatementArgs.size() != 21) StatementArgs.resize(21);
  for (std::string& a : StatementArgs) a.clear();
  int32_t n = 1;
  size_t start = 0, i = 0;
  int64_t depth = 0;
  while (i < text.size() && n < 20) {
    const char c = text[i];
    if (c == '"') {
      const size_t close = text.find('"', i + 1);
      if (close == std::string_view::npos) break;   // open literal: no further comma
      i = close + 1;
      continue;
    }
    if (c == '(') ++depth;
    else if (c == ')') --depth;
    else if (c == ',' && depth == 0) {
      StatementArgs[size_t(n)].assign(text.data() + start, i - start);
      ++n;
      start = i + 1;
    }
    ++i;
  }
  StatementArgs[size_t(n)].assign(text.data() + start, text.size() - start);
  paramlist = n;
  return n;
}

int32_t CountCallArguments(std::string_view text) {
  return text.empty() ? 0 : SplitStatementArguments(text);
}

void EvaluateStatementArguments() {
  OnErrorCode2 = 22;
  const int32_t n = std::min<int32_t>(paramlist, 20);
  for (int32_t i = 1; i <= n; ++i) {
    std::string& a = StatementArgs[size_t(i)];
    EvaluateValueInto(a, a);
    size_t b = 0, e = a.size();
    while (b < e && a[b] == ' ') ++b;
    while (e > b && a[e - 1] == ' ') --e;
    if (b > 0 || e < a.size()) {
      a.erase(e);
      a.erase(0, b);
    }
    if (allok == 0) break;
  }
  OnErrorCode2 = 0;
}

int32_t TestCondition(int32_t a, const std::string& op, int32_t b) {
  if (op == "=") return a == b;
  if (op == "%") return b != 0 && (b == -1 || a % b == 0);
  if (op == "<") return a < b;
  if (op == ">") return a > b;
  if (op == "=>" || op == ">=") return a >= b;
  if (op == "<=" || op == "=<") return a <= b;
  if (op == "<>" || op == "><") return a != b;
  if (op == "&") return (a & b) != 0;
  return 0;
}

void ReportScriptError(const std::string& message) {
  tk::messageRequester("Fehler in Zeile " + std::to_string(ScriptErrorLine) + " : " + ScriptErrorName, message);
  allok = 0;
}

std::string ResolveScriptPath(const std::string& path) {
  std::string p = path;
  if (!p.empty() && (p[0] == '/' || p[0] == '\\')) p.erase(0, 1);
  if (p.size() >= 2 && p[1] == ':') return p;
  std::string folder;
  if (CurrentImage >= 1 && size_t(CurrentImage) < ImageRecords.size()) {
    const std::string& name = ImageRecords[size_t(CurrentImage)].DisplayName;
    const size_t cut = name.find_last_of("\\/");
    if (cut != std::string::npos) folder = name.substr(0, cut + 1);
    folder.erase(std::remove(folder.begin(), folder.end(), '"'), folder.end());
  }
  return folder + p;
}
