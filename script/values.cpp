// Value evaluation of script arguments: indexes, variables and constants put in, numbers
// evaluated, strings built from literals, Chr and Str calls and "+" joins.
#include <charconv>
#include <cstring>
#include <unordered_map>

#include "script/script.h"
#include "script/script_internal.h"
#include "shell/shell.h"

using namespace script_detail;

namespace {

// ---- lookup index of VariableList ---------------------------------------------------------
// Name -> first variable of that name and its place in the list. Rebuilt whenever the list
// does not look like the one indexed (size or first element); appends through this file
// keep it up to date.
struct TransparentHash {
  using is_transparent = void;
  size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
};
struct IndexEntry {
  ScriptVariable* variable;
  size_t order;
};
struct VariableIndex {
  std::unordered_map<std::string, IndexEntry, TransparentHash, std::equal_to<>> byName;
  std::unordered_map<std::string, int, TransparentHash, std::equal_to<>> constants;
  size_t size = size_t(-1);
  const ScriptVariable* front = nullptr;
  // A name holding a character that ends a name in the substitution (or "#", '"'): the
  // quick one-pass substitution cannot see such names, so every text takes the long way.
  bool oddNames = false;
} g_index;

bool EndsName(char c) {   // what may follow a substituted name
  return c == '-' || c == '+' || c == '*' || c == '%' || c == '/' || c == ')' || c == ',' || c == '|';
}

bool OddName(std::string_view name) {
  for (char c : name)
    if (EndsName(c) || c == '#' || c == '"') return true;
  return false;
}

void AddToIndex(ScriptVariable& v, size_t order) {
  g_index.byName.try_emplace(v.name, IndexEntry{&v, order});
  if (OddName(v.name)) g_index.oddNames = true;
}

void EnsureIndex() {
  const ScriptVariable* front = VariableList.empty() ? nullptr : &VariableList.front();
  if (g_index.size == VariableList.size() && g_index.front == front) return;
  g_index.byName.clear();
  g_index.constants.clear();
  g_index.oddNames = false;
  size_t order = 0;
  for (ScriptVariable& v : VariableList) AddToIndex(v, order++);
  for (int i = 0; i < int(SystemConstantTable.size()); ++i) {
    const std::string& n = SystemConstantTable[size_t(i)].name;
    g_index.constants.try_emplace(n, i);
    if (OddName(n)) g_index.oddNames = true;
  }
  g_index.size = VariableList.size();
  g_index.front = front;
}

// nullptr (after the message) when the list is full.
ScriptVariable* AppendVariable(std::string_view name, std::string_view value, uint8_t kind) {
  EnsureIndex();
  if (VariableList.size() >= MaxScriptVariables) {
    ReportScriptError("Zu viele Variablen");
    return nullptr;
  }
  VariableList.push_back(ScriptVariable{std::string(name), std::string(value), kind});
  ScriptVariable& v = VariableList.back();
  AddToIndex(v, VariableList.size() - 1);
  g_index.size = VariableList.size();
  g_index.front = &VariableList.front();
  return &v;
}

bool UnknownNameEnd(char c) {
  const unsigned char u = static_cast<unsigned char>(c);
  return (u >= 37 && u <= 47) || c == '[' || c == ']' || c == '=' || c == '|';
}

// Step 4 of the substitution: every "#" left outside literals starts an unknown name,
// which becomes a new variable (0, or the empty string in a string expression).
void CreateUnknownNames(std::string& t) {
  if (t.find('#') == std::string::npos) return;
  const bool stringy = t.find('"') != std::string::npos || t.find("Chr(") != std::string::npos ||
                       t.find("Str(") != std::string::npos;
  bool literal = false;
  for (size_t i = 0; i < t.size(); ++i) {
    const char c = t[i];
    if (c == '"') {
      literal = !literal;
      continue;
    }
    if (literal || c != '#') continue;
    size_t end = i + 1;
    while (end < t.size() && !UnknownNameEnd(t[end])) ++end;
    const std::string_view value = stringy ? std::string_view("\"\"") : std::string_view("0");
    if (!AppendVariable(std::string_view(t).substr(i + 1, end - i - 1), value, stringy ? 1 : 0)) return;
    ReplaceRange(t, i, end - i, value);
    i += value.size() - 1;
  }
}

bool SafeValue(const std::string& v) {
  // A value put in must not change which later positions are inside literals, nor bring
  // in a "#" outside its own literal.
  size_t quotes = 0;
  bool hash = false;
  for (char c : v) {
    quotes += c == '"';
    hash |= c == '#';
  }
  if (quotes & 1) return false;
  if (hash && !(quotes == 2 && v.front() == '"' && v.back() == '"')) return false;
  return true;
}

// The long way: each variable in list order, then each constant, over the whole text.
void SubstituteSlowly(std::string& t) {
  auto substitute = [&](const std::string& name, const std::string& value) {
    if (t.find('#') == std::string::npos) return;
    size_t from = 0, p;
    while ((p = t.find('#', from)) != std::string::npos) {
      from = p + 1;
      if (t.compare(p + 1, name.size(), name) != 0) continue;
      const size_t after = p + 1 + name.size();
      if (after < t.size() && !EndsName(t[after])) continue;
      if (InsideLiteral(t, p)) continue;
      ReplaceRange(t, p, name.size() + 1, value);
      from = p + value.size();
    }
  };
  for (const ScriptVariable& v : VariableList) substitute(v.name, v.value);
  for (const SystemConstant& c : SystemConstantTable) substitute(c.name, c.value);
}

// The quick way, one pass over the text, used when it gives what the long way gives:
// each "#" is followed by a name free of "#", and no name or value could shift others.
bool SubstituteQuickly(std::string& t, std::string& scratch) {
  EnsureIndex();
  if (g_index.oddNames) return false;
  scratch.clear();
  bool literal = false;
  size_t copied = 0;
  for (size_t i = 0; i < t.size(); ++i) {
    const char c = t[i];
    if (c == '"') {
      literal = !literal;
      continue;
    }
    if (literal || c != '#') continue;
    size_t end = i + 1;
    while (end < t.size() && !EndsName(t[end])) {
      if (t[end] == '#') return false;
      ++end;
    }
    const std::string_view name = std::string_view(t).substr(i + 1, end - i - 1);
    const std::string* value = nullptr;
    auto v = g_index.byName.find(name);
    if (v != g_index.byName.end()) {
      value = &v->second.variable->value;
    } else {
      auto k = g_index.constants.find(name);
      if (k != g_index.constants.end()) value = &SystemConstantTable[size_t(k->second)].value;
    }
    if (!value) continue;
    if (!SafeValue(*value)) return false;
    scratch.append(t, copied, i - copied);
    scratch.append(*value);
    copied = end;
    i = end - 1;
  }
  if (copied == 0) return true;
  scratch.append(t, copied, std::string::npos);
  t.swap(scratch);
  return true;
}

void ResolveIndexesIn(std::string& t);

void SubstituteIn(std::string& t) {
  ResolveIndexesIn(t);
  if (t.find('#') == std::string::npos) return;
  Level lv;
  if (!lv.ok()) return;
  if (!SubstituteQuickly(t, lv.s().d)) SubstituteSlowly(t);
  CreateUnknownNames(t);
}

void ResolveIndexesIn(std::string& t) {
  if (t.find('[') == std::string::npos) return;
  Level lv;
  if (!lv.ok()) return;
  Scratch& s = lv.s();
  size_t from = 0, open;
  while ((open = t.find('[', from)) != std::string::npos) {
    from = open + 1;
    if (InsideLiteral(t, open)) continue;
    if (t.rfind('#', open) == std::string::npos) {
      ReportScriptError("Syntaxerror");
      return;
    }
    int64_t depth = 1;
    bool literal = InsideLiteral(t, open);
    size_t close = std::string::npos;
    for (size_t j = open + 1; j < t.size(); ++j) {
      const char c = t[j];
      if (c == '"') literal = !literal;
      else if (!literal && c == '[') ++depth;
      else if (!literal && c == ']' && --depth == 0) {
        close = j;
        break;
      }
    }
    if (close == std::string::npos) {
      ReportScriptError("Syntaxerror");
      return;
    }
    s.a.assign(t, open + 1, close - open - 1);
    EvaluateValueInto(s.a, s.b);
    char buffer[16];
    const auto r = std::to_chars(buffer, buffer + sizeof buffer, TextToInteger(s.b));
    ReplaceRange(t, open + 1, close - open - 1, std::string_view(buffer, size_t(r.ptr - buffer)));
  }
}

bool HasStringPart(std::string_view t) {
  return t.find('"') != std::string_view::npos || t.find("Chr(") != std::string_view::npos ||
         t.find("Str(") != std::string_view::npos;
}

const char* const kMixed = "Strings und numerische Werte können nicht vermischt werden";

// Replaces the numeric calls (functions 1..12) at depth 0 of arg by their values.
bool PutInNumericCalls(std::string& arg, std::string& scratch) {
  char buffer[64];
  for (int k = 1; k <= 12; ++k) {
    const std::string_view name = FunctionName(k);
    size_t from = 0, p;
    while ((p = arg.find(name.data(), from, name.size())) != std::string::npos) {
      const size_t open = p + name.size();
      if (open >= arg.size() || arg[open] != '(' || InsideLiteral(arg, p) || DepthOver(arg, p) != 0) {
        from = p + 1;
        continue;
      }
      const int32_t close = FindClosingBracket(arg, ')', int32_t(p + 1));
      if (close == 0) {
        ReportScriptError("Syntaxfehler");
        return false;
      }
      scratch.assign(arg, open + 1, size_t(close) - 1 - open - 1);
      const float v = EvaluateNumericExpression(scratch, k);
      if (allok != 1) return false;
      const size_t n = FormatFloat6(v, buffer);
      ReplaceRange(arg, p, size_t(close) - p, std::string_view(buffer, n));
      from = p + n;
    }
  }
  return true;
}

void BuildString(std::string& t) {
  Level lv;
  if (!lv.ok()) return;
  Scratch& s = lv.s();
  static const char* const numeric[] = {"Sqr", "Pow", "Sin", "Tan", "Cos", "Random", "Pos", "Min", "Max",
                                        "GetRedColor", "GetGreenColor", "GetBlueColor"};
  for (const char* name : numeric) {
    const size_t p = t.find(name);
    if (p != std::string::npos && !InsideLiteral(t, p) && DepthOver(t, p + 1) == 0) {
      ReportScriptError(kMixed);
      return;
    }
  }
  for (const char* call : {"Chr(", "Str("}) {
    const bool chr = call[0] == 'C';
    size_t from = 0, p;
    while ((p = t.find(call, from)) != std::string::npos) {
      from = p + 1;
      if (InsideLiteral(t, p) || DepthOver(t, p) != 0) continue;
      const int32_t close = FindClosingBracket(t, ')', int32_t(p + 1));
      if (close == 0) {
        ReportScriptError("Syntaxfehler");
        break;
      }
      s.a.assign(t, p + 4, size_t(close) - 1 - (p + 4));
      if (HasStringPart(s.a)) {
        ReportScriptError(kMixed);
        break;
      }
      if (!PutInNumericCalls(s.a, s.c)) break;
      EvaluateArithmeticInto(s.a, s.b);
      if (allok != 1) break;
      const int32_t v = TextToInteger(s.b);
      s.d.assign("\"");
      if (chr) {
        // A code outside 1..255 gives its low byte, and never a NUL byte.
        const uint8_t code = uint8_t(uint32_t(v) & 255u);
        if (code != 0) s.d.push_back(char(code));
      } else {
        char buffer[16];
        const auto r = std::to_chars(buffer, buffer + sizeof buffer, v);
        s.d.append(buffer, size_t(r.ptr - buffer));
      }
      s.d.push_back('"');
      ReplaceRange(t, p, size_t(close) - p, s.d);
      from = p + s.d.size();
    }
    if (allok != 1) return;
  }
  if (t != "\"+\"") {
    size_t w = 0;
    for (size_t r = 0; r < t.size();) {
      if (r + 2 < t.size() && t[r] == '"' && t[r + 1] == '+' && t[r + 2] == '"') {
        r += 3;
        continue;
      }
      t[w++] = t[r++];
    }
    t.resize(w);
  }
}

}  // namespace

void script_detail::ResolveIndexesInPlace(std::string& text) { ResolveIndexesIn(text); }

ScriptVariable* AppendScriptVariable(std::string_view name, std::string_view value, uint8_t kind) {
  return AppendVariable(name, value, kind);
}

int32_t FindSystemConstant(std::string_view name) {
  EnsureIndex();
  auto k = g_index.constants.find(name);
  return k == g_index.constants.end() ? -1 : k->second;
}

void InvalidateVariableIndex() {
  g_index.size = size_t(-1);
  g_index.front = nullptr;
}

ScriptVariable* FindScriptVariable(std::string_view name) {
  EnsureIndex();
  auto v = g_index.byName.find(name);
  return v == g_index.byName.end() ? nullptr : v->second.variable;
}

ScriptVariable* FindOrAddScriptVariable(std::string_view name) {
  if (ScriptVariable* v = FindScriptVariable(name)) return v;
  return AppendVariable(name, "", 0);
}

std::string ResolveIndexes(const std::string& text) {
  std::string t = text;
  ResolveIndexesIn(t);
  return t;
}

std::string SubstituteVariables(const std::string& text) {
  std::string t = text;
  SubstituteIn(t);
  return t;
}

void EvaluateValueInto(std::string_view text, std::string& out) {
  Level lv;
  if (!lv.ok()) {
    out.assign("_");
    return;
  }
  std::string& t = lv.s().a;
  t.assign(text.data(), text.size());
  SubstituteIn(t);
  if (allok != 1) {
    out.assign(t);
    return;
  }
  if (!HasStringPart(t)) {
    EvaluateArithmeticInto(t, out);
  } else {
    BuildString(t);
    out.assign(t);
  }
  if (out.size() > MaxScriptTextLength) {
    ReportScriptError("Der Text ist zu lang");
    out.assign("\"\"");
  }
}

std::string EvaluateValue(const std::string& text) {
  std::string out;
  EvaluateValueInto(text, out);
  return out;
}
