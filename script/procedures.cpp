// Script procedures: declarations cut out of the statement list and checked, calls inside
// bodies expanded by text, calls in the list replaced by parameter assignments and bodies.
#include <algorithm>

#include "script/script.h"
#include "shell/shell.h"

std::vector<ScriptProcedure> ProcedureList;

namespace {

std::string Upper(std::string_view s) {
  std::string u(s);
  for (char& c : u) {
    const unsigned char b = static_cast<unsigned char>(c);
    if ((b >= 'a' && b <= 'z') || b >= 0xE0) c = char(b - 0x20);
  }
  return u;
}

void Trim(std::string& s) {
  size_t b = 0, e = s.size();
  while (b < e && s[b] == ' ') ++b;
  while (e > b && s[e - 1] == ' ') --e;
  s.erase(e);
  s.erase(0, b);
}

std::vector<std::string> CommaFields(const std::string& s) {
  std::vector<std::string> f;
  size_t start = 0;
  while (true) {
    const size_t c = s.find(',', start);
    f.push_back(s.substr(start, c == std::string::npos ? std::string::npos : c - start));
    if (c == std::string::npos) break;
    start = c + 1;
  }
  return f;
}

bool HasAny(const std::string& s, const char* chars) { return s.find_first_of(chars) != std::string::npos; }

// Argument texts of a call: commas outside literals and brackets split.
std::vector<std::string> CallArguments(std::string_view text) {
  std::vector<std::string> args;
  if (text.empty()) return args;
  size_t start = 0;
  int64_t depth = 0;
  bool literal = false;
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '"') literal = !literal;
    else if (literal) continue;
    else if (c == '(') ++depth;
    else if (c == ')') --depth;
    else if (c == ',' && depth == 0) {
      args.emplace_back(text.substr(start, i - start));
      start = i + 1;
    }
  }
  args.emplace_back(text.substr(start));
  return args;
}

bool ParameterEdge(char c) {
  return c == '(' || c == ')' || c == '-' || c == '+' || c == '*' || c == '/' || c == '|' || c == '=' ||
         c == '%' || c == ',';
}

// Q's body with its parameters replaced by the call's argument texts.
std::string BodyWithArguments(const ScriptProcedure& q, const std::vector<std::string>& args) {
  std::string body = q.body;
  for (int i = 0; i < q.parameterCount && size_t(i) < args.size(); ++i) {
    const std::string& param = q.parameters[size_t(i)];
    if (param.empty()) continue;
    size_t from = 0, p;
    while ((p = body.find(param, from)) != std::string::npos) {
      const size_t after = p + param.size();
      if (p == 0 || after >= body.size() || !ParameterEdge(body[p - 1]) || !ParameterEdge(body[after]) ||
          IsInsideString(body, int32_t(p + 1))) {
        from = p + 1;
        continue;
      }
      body.replace(p, param.size(), args[size_t(i)]);
      from = p + args[size_t(i)].size();
      if (body.size() > MaxScriptTextLength) return body;
    }
  }
  return body;
}

}  // namespace

void CollectProcedures() {
  ProcedureList.clear();
  size_t i = 0;
  while (i < StatementList.size()) {
    if (StatementList[i].name != "Procedure") {
      ++i;
      continue;
    }
    ScriptErrorLine = StatementList[i].line;
    ScriptErrorName = StatementList[i].name;
    const std::vector<std::string> fields = CommaFields(StatementList[i].arguments);
    ScriptProcedure proc;
    proc.name = fields[0];
    Trim(proc.name);
    if (HasAny(proc.name, "\"+*-%/()[]{};.")) {
      ReportScriptError("Syntaxfehler im Funktionsnamen");
      return;
    }
    const std::string upper = Upper(proc.name);
    for (const ScriptProcedure& other : ProcedureList) {
      if (Upper(other.name) == upper) {
        ReportScriptError("Funktion ist bereits deklariert");
        return;
      }
    }
    for (int f = 1; f <= FunctionCount && size_t(f) < FunctionTable.size(); ++f) {
      if (Upper(FunctionTable[size_t(f)].name) == upper) {
        ReportScriptError("Selber Funktionsname wie eine vorgegebene Funktion");
        return;
      }
    }
    bool parameterError = false;
    for (size_t k = 1; k < fields.size() && proc.parameters.size() < 9; ++k) {
      if (fields[k].empty()) break;
      proc.parameters.push_back(fields[k]);
    }
    proc.parameterCount = int32_t(proc.parameters.size());
    for (const std::string& p : proc.parameters) {
      if (p[0] != '#') {
        ReportScriptError("Syntaxfehler, Parameter müssen mit '#' beginnen");
        parameterError = true;
        break;
      }
      if (HasAny(p, "\"-+*/%(){[]};=|^.:")) {
        ReportScriptError("Syntaxfehler, falsche Zeichen im Parameternamen");
        parameterError = true;
        break;
      }
    }
    // The body: the statements up to EndProcedure (or the end of the list).
    size_t j = i + 1;
    proc.line = j < StatementList.size() ? StatementList[j].line : 0;
    bool selfCall = false, ended = false;
    for (; j < StatementList.size(); ++j) {
      const Statement& s = StatementList[j];
      if (s.name == "EndProcedure") {
        ended = true;
        break;
      }
      if (s.name == proc.name) {
        ScriptErrorLine = s.line;
        ScriptErrorName = s.name;
        ReportScriptError("Eine Procedure kann nicht in sich selbst aufgerufen werden");
        selfCall = true;
        break;
      }
      proc.body += ProcedureSeparator;
      proc.body += s.name;
      proc.body += '(';
      proc.body += s.arguments;
      proc.body += ')';
    }
    StatementList.erase(StatementList.begin() + long(i),
                        StatementList.begin() + long(std::min(StatementList.size(), j + ((ended || selfCall) ? 1 : 0))));
    ProcedureList.push_back(std::move(proc));
    if (selfCall || parameterError) return;
  }
}

void ExpandNestedCalls() {
  for (int round = 0;; ++round) {
    bool changed = false;
    for (ScriptProcedure& p : ProcedureList) {
      std::string copy = p.body;
      ScriptErrorLine = p.line;
      ScriptErrorName = p.name;
      for (const ScriptProcedure& q : ProcedureList) {
        const std::string wanted = Upper(q.name) + "(";
        const std::string upper = Upper(copy);
        size_t from = 0, at = std::string::npos;
        while ((at = upper.find(wanted, from)) != std::string::npos) {
          // Only a whole statement is a call: the name stands right behind a separator.
          if (at > 0 && copy[at - 1] == ProcedureSeparator && !IsInsideString(copy, int32_t(at + 1))) break;
          from = at + 1;
        }
        if (at == std::string::npos) continue;
        const size_t open = at + q.name.size();
        // The call ends at the bracket that closes its own.
        size_t close = copy.size();
        int64_t depth = 0;
        bool literal = false;
        for (size_t k = open; k < copy.size(); ++k) {
          const char c = copy[k];
          if (c == '"') literal = !literal;
          else if (literal) continue;
          else if (c == '(') ++depth;
          else if (c == ')' && --depth == 0) {
            close = k;
            break;
          }
        }
        const size_t argEnd = std::min(close, copy.size());
        const std::vector<std::string> args =
            CallArguments(std::string_view(copy).substr(open + 1, argEnd > open ? argEnd - open - 1 : 0));
        if (int32_t(args.size()) != q.parameterCount) {
          ReportScriptError("Falsche Parameterangabe in der Procedure : " + q.name);
          return;
        }
        const std::string body = BodyWithArguments(q, args);
        copy.replace(at - 1, std::min(copy.size(), close + 1) - (at - 1), body);
        changed = true;
        if (copy.size() > MaxScriptTextLength) {
          ReportScriptError("Die Procedure " + p.name + " wird zu groß");
          return;
        }
      }
      p.body.swap(copy);
    }
    if (!changed) return;
    if (round + 1 >= MaxExpansionRounds) {
      ReportScriptError("Procedures rufen sich gegenseitig auf");
      return;
    }
  }
}

void InlineProcedureCalls() {
  if (ProcedureList.empty()) return;
  std::vector<Statement> out;
  out.reserve(StatementList.size());
  bool tooLong = false;
  for (Statement& st : StatementList) {
    const ScriptProcedure* q = nullptr;
    for (const ScriptProcedure& p : ProcedureList)
      if (p.name == st.name) {
        q = &p;
        break;
      }
    if (!q) {
      out.push_back(std::move(st));
      continue;
    }
    const std::vector<std::string> args = CallArguments(st.arguments);
    if (int32_t(args.size()) != q->parameterCount) {
      ScriptErrorLine = st.line;
      ScriptErrorName = st.name;
      ReportScriptError("Falsche Parameterangabe in der Procedure : " + q->name);
      out.push_back(std::move(st));
      continue;
    }
    for (int i = 0; i < q->parameterCount; ++i) {
      Statement a;
      a.name = q->parameters[size_t(i)];
      a.arguments = args[size_t(i)];
      out.push_back(std::move(a));
    }
    const std::string& body = q->body;
    bool literal = false;
    size_t start = std::string::npos;
    auto piece = [&](size_t from, size_t to) {
      std::string text = body.substr(from, to - from);
      Trim(text);
      Statement s;
      const size_t open = text.find('(');
      if (open == std::string::npos) {
        s.name = text;
      } else {
        s.name = text.substr(0, open);
        if (text.size() >= open + 2) s.arguments = text.substr(open + 1, text.size() - open - 2);
      }
      out.push_back(std::move(s));
    };
    for (size_t k = 0; k < body.size(); ++k) {
      const char c = body[k];
      if (c == '"') literal = !literal;
      if (c == ProcedureSeparator && !literal) {
        if (start != std::string::npos) piece(start, k);
        start = k + 1;
      }
    }
    if (start != std::string::npos) piece(start, body.size());
    if (out.size() > MaxScriptStatements) {
      tooLong = true;
      break;
    }
  }
  if (tooLong) {
    ReportScriptError("Das Skript ist zu lang");
    return;
  }
  StatementList.swap(out);
}
