// The preprocessor: from the editor's text to the statement list (bracket check, name and
// argument split, include files, comments, NoCreate blocks, blanks).
#include <algorithm>

#include "script/script.h"
#include "shell/shell.h"
#include "toolkit/toolkit.h"

namespace {

void Trim(std::string& s) {
  size_t b = 0, e = s.size();
  while (b < e && s[b] == ' ') ++b;
  while (e > b && s[e - 1] == ' ') --e;
  s.erase(e);
  s.erase(0, b);
}

void Stand(const Statement& st) {
  ScriptErrorLine = st.line;
  ScriptErrorName = st.name;
}

// Splits a raw line into name and arguments at the first "(" or "=" outside literals.
void Normalise(Statement& st) {
  Trim(st.name);
  const std::string& t = st.name;
  size_t stop = std::string::npos;
  for (size_t i = 0; i < t.size(); ++i) {
    if (t[i] == '"') {
      const size_t close = t.find('"', i + 1);
      if (close == std::string::npos) break;
      i = close;
      continue;
    }
    if (t[i] == '(' || t[i] == '=') {
      stop = i;
      break;
    }
  }
  if (stop == std::string::npos) {
    st.name.clear();
    st.arguments.clear();
  } else {
    st.arguments.assign(t, stop + 1, std::string::npos);
    st.name.resize(stop);
  }
  st.normalised = 1;
}

void DropEmptyNames() {
  StatementList.erase(std::remove_if(StatementList.begin(), StatementList.end(),
                                     [](const Statement& s) { return s.name.empty(); }),
                      StatementList.end());
}

void RemoveBlanksOutsideLiterals(std::string& s) {
  size_t w = 0;
  bool literal = false;
  for (size_t r = 0; r < s.size(); ++r) {
    const char c = s[r];
    if (c == '"') literal = !literal;
    if (c == ' ' && !literal) continue;
    s[w++] = c;
  }
  s.resize(w);
}

constexpr size_t MaxIncludeNesting = 16;

// Puts the lines of one include file into out; false when the pass must end.
bool IncludeInto(std::vector<Statement>& out, const std::string& arguments, int32_t line,
                 std::vector<std::string>& chain) {
  std::string arg = arguments;
  if (!arg.empty() && arg.back() == ')') arg.pop_back();
  if (!IsQuotedText(arg)) {
    ReportScriptError(
        "Hier wird ein String erwartet, Str() und Chr() sowie Variablen können hier nicht verwand werden");
    return true;
  }
  const std::string name = arg.substr(1, arg.size() - 2);
  const std::string resolved = tk::resolvePath(name);
  if (std::find(chain.begin(), chain.end(), resolved) != chain.end()) {
    ReportScriptError("Die Datei bindet sich selbst ein: " + name);
    return false;
  }
  if (chain.size() >= MaxIncludeNesting) {
    ReportScriptError("Zu viele ineinander eingebundene Dateien: " + name);
    return false;
  }
  const int f = tk::readFile(-1, name);
  if (f < 0) {
    ReportScriptError("Datei nicht gefunden");
    return false;
  }
  chain.push_back(resolved);
  bool goOn = true;
  while (goOn && !tk::eof(f)) {
    Statement st;
    st.name = tk::readLine(f);
    st.line = line;
    Normalise(st);
    if (st.name.empty()) continue;
    if (st.name == "IncludeFile") {
      goOn = IncludeInto(out, st.arguments, line, chain);
      continue;
    }
    if (out.size() >= MaxScriptStatements) {
      ReportScriptError("Das Skript ist zu lang");
      goOn = false;
      break;
    }
    out.push_back(std::move(st));
  }
  chain.pop_back();
  tk::closeFile(f);
  return goOn;
}

}  // namespace

void SaveLastRunCode(int32_t editor) {
  const std::string text = tk::richText(editor);
  tk::writeWholeFile("Lastcreatet.cod", text.data(), text.size());
}

void BuildStatementList(int32_t editor) {
  StatementList.clear();
  const std::string text = tk::richText(editor);
  size_t start = 0;
  int32_t line = 1;
  while (start <= text.size()) {
    size_t end = text.find('\r', start);
    if (end == std::string::npos) end = text.size();
    if (end > start) {
      if (StatementList.size() >= MaxScriptStatements) {
        ScriptErrorLine = line;
        ScriptErrorName.clear();
        ReportScriptError("Das Skript ist zu lang");
        return;
      }
      Statement st;
      st.name.assign(text, start, end - start);
      st.line = line;
      StatementList.push_back(std::move(st));
    }
    start = end + 1;
    ++line;
  }
}

void CheckBracketBalance() {
  for (const Statement& st : StatementList) {
    const std::string& t = st.name;
    int64_t depth = 0;
    bool bad = false;
    for (size_t i = 0; i < t.size() && !bad; ++i) {
      const char c = t[i];
      if (c == '"') {
        const size_t close = t.find('"', i + 1);
        if (close == std::string::npos) break;
        i = close;
      } else if (c == ';') {
        break;
      } else if (c == '(') {
        ++depth;
      } else if (c == ')') {
        bad = --depth < 0;
      }
    }
    if (bad || depth > 0) {
      Stand(st);
      ReportScriptError("Syntaxfehler, irgendwo fehlt eine Klammer");
      return;
    }
  }
}

void NormaliseStatements() {
  for (Statement& st : StatementList)
    if (st.normalised == 0) Normalise(st);
  DropEmptyNames();
}

void ExpandIncludeFiles() {
  if (allok != 1) return;
  bool any = false;
  for (const Statement& st : StatementList) any |= st.name == "IncludeFile";
  if (!any) return;
  std::vector<Statement> out;
  out.reserve(StatementList.size());
  std::vector<std::string> chain;
  bool goOn = true;
  for (Statement& st : StatementList) {
    if (!goOn) break;
    if (st.name != "IncludeFile") {
      out.push_back(std::move(st));
      continue;
    }
    Stand(st);
    const std::string arguments = st.arguments;
    const int32_t line = st.line;
    if (!IsQuotedText(arguments.empty() || arguments.back() != ')' ? arguments
                                                                   : arguments.substr(0, arguments.size() - 1))) {
      out.push_back(std::move(st));   // reported below; the walk goes on
    }
    goOn = IncludeInto(out, arguments, line, chain);
  }
  if (!goOn) return;   // the list is discarded with the failed run
  StatementList.swap(out);
  if (allok == 1) NormaliseStatements();
}

void StripComments() {
  if (allok != 1) return;
  for (Statement& st : StatementList) {
    const size_t inName = st.name.find(';');
    if (inName != std::string::npos) {
      st.name.resize(inName);
      continue;
    }
    bool literal = false;
    for (size_t i = 0; i < st.arguments.size(); ++i) {
      const char c = st.arguments[i];
      if (c == '"') literal = !literal;
      else if (c == ';' && !literal) {
        st.arguments.resize(i);
        break;
      }
    }
  }
  DropEmptyNames();
}

void DropNoCreateBlocks() {
  if (allok != 1) return;
  std::vector<Statement> out;
  out.reserve(StatementList.size());
  bool skipping = false;
  for (Statement& st : StatementList) {
    if (skipping) {
      if (st.name == "EndNoCreate") skipping = false;
      continue;
    }
    if (st.name == "NoCreate") {
      skipping = true;
      continue;
    }
    out.push_back(std::move(st));
  }
  StatementList.swap(out);
}

void StripBlanks() {
  if (allok != 1) return;
  for (Statement& st : StatementList) {
    Trim(st.name);
    Trim(st.arguments);
  }
  for (Statement& st : StatementList) {
    RemoveBlanksOutsideLiterals(st.name);
    RemoveBlanksOutsideLiterals(st.arguments);
  }
  for (Statement& st : StatementList)
    if ((st.name.empty() || st.name[0] != '#') && !st.arguments.empty() && st.arguments.back() == ')')
      st.arguments.pop_back();
}

void PreprocessScript(int32_t editor) {
  SaveLastRunCode(editor);
  BuildStatementList(editor);
  if (allok == 1) CheckBracketBalance();
  if (allok != 1) return;
  NormaliseStatements();
  ExpandIncludeFiles();
  StripComments();
  DropNoCreateBlocks();
  StripBlanks();
  if (allok == 1) CollectProcedures();
  if (allok == 1) ExpandNestedCalls();
  if (allok == 1) InlineProcedureCalls();
}
