// The arithmetic evaluator: numbers, operators, brackets and the built-in numeric
// functions, the syntax check, and the per-cell entry of the formula effects.
#include <charconv>
#include <cmath>
#include <limits>

#include "documents/documents.h"
#include "script/script.h"
#include "script/script_internal.h"
#include "shell/shell.h"
#include "toolkit/toolkit.h"

using namespace script_detail;

namespace {

const char* const kDivisionMessage =
    "Dividieren durch 0? Ne du, dat geht nu echt nicht\rUnd Modulo muss ja nunmal dividieren";

bool IsOperator(char c) {
  return c == '-' || c == '+' || c == '*' || c == '/' || c == '^' || c == '%' || c == '|';
}

bool ContainsStringPart(std::string_view t) {
  return t.find('"') != std::string_view::npos || t.find("Chr(") != std::string_view::npos ||
         t.find("Str(") != std::string_view::npos;
}

void Fail(std::string& out) {
  allok = 0;
  out.assign("_");
}

float NumericFunction(std::string_view text, int32_t index);

// One evaluation of an arithmetic text at the next scratch level.
void Evaluate(std::string_view in, std::string& out) {
  Level lv;
  if (!lv.ok()) return Fail(out);
  Scratch& s = lv.s();
  std::string& w = s.a;
  w.assign(in.data(), in.size());
  for (char& c : w) {
    if (c == '{') c = '(';
    else if (c == '}') c = ')';
    else if (c == ':' || c == '\\') c = '/';
  }
  if (!w.empty() && w[0] == '(' && MatchingBracket(w, 0) == w.size() - 1) {
    w.pop_back();
    w.erase(0, 1);
  }
  if (w.find('(') != std::string::npos) {
    char buffer[64];
    for (int i = 1; i <= 12; ++i) {
      const std::string_view name = FunctionName(i);
      size_t from = 0, p;
      while ((p = w.find(name.data(), from, name.size())) != std::string::npos) {
        const size_t open = p + name.size();
        if (open >= w.size() || w[open] != '(') {
          from = p + 1;
          continue;
        }
        const size_t close = MatchingBracket(w, open);
        if (close == std::string::npos) {
          ReportScriptError("Vermutlich eine Falsch gesetzte Klammer");
          return Fail(out);
        }
        s.b.assign(w, open + 1, close - open - 1);
        const float v = NumericFunction(s.b, i);
        if (allok != 1) return Fail(out);
        const size_t n = FormatFloat6(v, buffer);
        ReplaceRange(w, p, close + 1 - p, std::string_view(buffer, n));
        from = p + n;
      }
    }
    size_t from = 0, p;
    while ((p = w.find('(', from)) != std::string::npos) {
      const size_t close = MatchingBracket(w, p);
      if (close == std::string::npos) {
        ReportScriptError("Vermutlich eine Falsch gesetzte Klammer");
        return Fail(out);
      }
      s.b.assign(w, p + 1, close - p - 1);
      Evaluate(s.b, s.d);
      if (allok != 1) return Fail(out);
      ReplaceRange(w, p, close + 1 - p, s.d);
      from = p;
    }
  }
  for (char c : w) {
    if (!((c >= '0' && c <= '9') || c == '.' || IsOperator(c))) {
      ReportScriptError("Dies ist keine Rechnung oder Zahl:\r" + w);
      return Fail(out);
    }
  }

  // Fields between the operators; a minus right after an operator signs the next number.
  std::string& arena = s.c;
  arena.assign(w);
  std::vector<Field>& fields = s.f1;
  std::vector<Field>& next = s.f2;
  std::string& ops = s.ops1;
  std::string& nextOps = s.ops2;
  fields.clear();
  ops.clear();
  uint32_t start = 0;
  for (uint32_t i = 0; i < uint32_t(w.size()); ++i) {
    const char c = w[i];
    if (!IsOperator(c)) continue;
    if (c == '-' && i > 0 && i == start && IsOperator(w[i - 1])) continue;
    fields.push_back({start, i - start});
    ops.push_back(c);
    start = i + 1;
  }
  fields.push_back({start, uint32_t(w.size()) - start});
  if (ops.empty()) {
    out.assign(w);
    return;
  }
  auto text = [&](Field f) { return std::string_view(arena).substr(f.off, f.len); };
  auto asFloat = [&](Field f) { return TextToFloat(text(f)); };
  auto asInt = [&](Field f) { return TextToInteger(text(f)); };
  auto pushFloat = [&](float v) {
    char buffer[64];
    const size_t n = FormatFloat6(v, buffer);
    Field f{uint32_t(arena.size()), uint32_t(n)};
    arena.append(buffer, n);
    return f;
  };
  auto pushInt = [&](int64_t v) {
    char buffer[32];
    const auto r = std::to_chars(buffer, buffer + sizeof buffer, v);
    Field f{uint32_t(arena.size()), uint32_t(r.ptr - buffer)};
    arena.append(buffer, size_t(r.ptr - buffer));
    return f;
  };

  // Powers, then remainders: passes from the left; the operator behind a handled one
  // waits for the next pass, so 2^3^2 is (2^3)^2.
  for (const char level : {'^', '%'}) {
    while (ops.find(level) != std::string::npos) {
      next.clear();
      nextOps.clear();
      next.push_back(fields[0]);
      for (size_t k = 0; k < ops.size(); ++k) {
        if (ops[k] == level) {
          if (level == '^') {
            next.back() = pushFloat(std::pow(asFloat(next.back()), asFloat(fields[k + 1])));
          } else {
            const int64_t a = asInt(next.back()), b = asInt(fields[k + 1]);
            if (b == 0) {
              ReportScriptError(kDivisionMessage);
              return Fail(out);
            }
            next.back() = pushInt(a % b);
          }
          if (k + 1 < ops.size()) {
            nextOps.push_back(ops[k + 1]);
            next.push_back(fields[k + 2]);
            ++k;
          }
        } else {
          nextOps.push_back(ops[k]);
          next.push_back(fields[k + 1]);
        }
      }
      fields.swap(next);
      ops.swap(nextOps);
    }
  }
  // Products and quotients, from the left.
  next.clear();
  nextOps.clear();
  next.push_back(fields[0]);
  for (size_t k = 0; k < ops.size(); ++k) {
    const char op = ops[k];
    if (op == '*' || op == '/') {
      const float a = asFloat(next.back()), b = asFloat(fields[k + 1]);
      if (op == '/' && b == 0.0f) {
        ReportScriptError(kDivisionMessage);
        return Fail(out);
      }
      next.back() = pushFloat(op == '*' ? a * b : a / b);
    } else {
      nextOps.push_back(op);
      next.push_back(fields[k + 1]);
    }
  }
  // Sums and bitwise or, from the left.
  Field acc = next[0];
  for (size_t k = 0; k < nextOps.size(); ++k) {
    const char op = nextOps[k];
    if (op == '|') acc = pushInt(int64_t(asInt(acc)) | int64_t(asInt(next[k + 1])));
    else if (op == '+') acc = pushFloat(asFloat(acc) + asFloat(next[k + 1]));
    else acc = pushFloat(asFloat(acc) - asFloat(next[k + 1]));
  }
  out.assign(text(acc));
}

float ColourOfCell(float a, float b, int32_t index) {
  if (isimage == 0) {
    ReportScriptError("Es ist kein Bild vorhanden, Funktion kann nicht verwand werden");
    return 0.0f;
  }
  const float x = a - 1.0f, y = b - 1.0f;
  if (!(x >= 0.0f && x <= float(bildlang) && y >= 0.0f && y <= float(bildhoch))) {
    static const char* const messages[3] = {"Fehler in GetRedColor; Punkt ausserhalb des Bildes",
                                            "Fehler in GetGreenColor; Punkt ausserhalb des Bildes",
                                            "Fehler in GetBlueColor; Punkt ausserhalb des Bildes"};
    ReportScriptError(messages[index - 8]);
    return 0.0f;
  }
  const size_t cell = size_t(int32_t(y)) * size_t(bildlang + 1) + size_t(int32_t(x));
  if (cell >= ImagePixels.size()) return 0.0f;
  const PixelCell c = ImagePixels[cell];
  const int shift = index == 8 ? 16 : index == 9 ? 8 : 0;   // red byte 2, green 1, blue 0
  return float((c >> shift) & 255u);
}

float NumericFunction(std::string_view text, int32_t index) {
  Level lv;
  if (!lv.ok()) return 0.0f;
  Scratch& s = lv.s();
  if (ContainsStringPart(text)) {
    ReportFunctionError(index, "Hier wird ein numerischer wert verlangt");
    return 0.0f;
  }
  if (index >= 1 && index <= 10) {
    const int32_t comma = FindAtTopLevel(text, ',', 1);
    if (comma == 0 || FindAtTopLevel(text.substr(size_t(comma)), ',', 1) != 0) {
      ReportFunctionError(index, "Falsche Anzahl an Parametern");
      return 0.0f;
    }
    Evaluate(text.substr(0, size_t(comma - 1)), s.a);
    if (allok == 1) Evaluate(text.substr(size_t(comma)), s.b);
    if (allok != 1 || s.a == "_" || s.b == "_") {
      allok = 0;
      return 0.0f;
    }
    float a = TextToFloat(s.a), b = TextToFloat(s.b);
    switch (index) {
      case 1: case 2: case 3:
        if (b != 0.0f) return index == 1 ? std::sin(a) : index == 2 ? std::cos(a) : std::tan(a);
        if (!(a >= -1.0f && a <= 1.0f)) {
          ReportFunctionError(index, "Der eingabewert für den Arcsinus muss zwischen -1 und 1 liegen", "sin");
          return 0.0f;
        }
        return index == 1 ? std::asin(a) : index == 2 ? std::acos(a) : std::atan(a);
      case 4: return b < a ? b : a;
      case 5: return b > a ? b : a;
      case 6: return std::pow(a, b);
      case 7: {
        if (a > b) {
          const float old = a;
          a = float(RoundNearest(b));
          b = old;
        }
        const float span = std::nearbyint(b - a);
        const int32_t n = span >= 2.0e9f ? 2000000000 : span <= 0.0f ? 0 : int32_t(span);
        return a + float(tk::random(n));
      }
      default: return ColourOfCell(a, b, index);
    }
  }
  // Sqr, Pos, Chr, Str: the calls at depth 0 in the argument first.
  std::string& arg = s.a;
  arg.assign(text.data(), text.size());
  char buffer[64];
  for (int k = 1; k <= 12; ++k) {
    const std::string_view name = FunctionName(k);
    size_t from = 0, p;
    while ((p = arg.find(name.data(), from, name.size())) != std::string::npos) {
      const size_t open = p + name.size();
      if (open >= arg.size() || arg[open] != '(' || InsideLiteral(arg, p) || DepthOver(arg, p + 1) != 0) {
        from = p + 1;
        continue;
      }
      int32_t depth = 1;
      bool literal = false;
      size_t close = std::string::npos;
      for (size_t j = open + 1; j < arg.size(); ++j) {
        const char c = arg[j];
        if (c == '"') literal = !literal;
        else if (!literal && c == '(') ++depth;
        else if (!literal && c == ')' && --depth <= 0) {
          close = j;
          break;
        }
      }
      if (close == std::string::npos) {
        ReportScriptError("Vermutlich eine Falsch gesetzte Klammer");
        break;
      }
      s.b.assign(arg, open + 1, close - open - 1);
      const float v = NumericFunction(s.b, k);
      if (allok != 1) {
        from = close + 1;
        continue;
      }
      const size_t n = FormatFloat6(v, buffer);
      ReplaceRange(arg, p, close + 1 - p, std::string_view(buffer, n));
      from = p + n;
    }
  }
  if (allok != 1) return 0.0f;   // a call in the argument failed and said so
  if (ValidateArithmetic(arg) == 0) {
    ReportFunctionError(index, "Dies ist keine rechnung oder zahl:\r" + arg);
    return 0.0f;
  }
  Evaluate(arg, s.b);
  const float v = TextToFloat(s.b);
  if (index == 11) return std::sqrt(v);
  if (index == 12) return std::fabs(v);
  return v;
}

}  // namespace

void ReportFunctionError(int32_t index, const std::string& message, const char* nameOverride) {
  const std::string name = nameOverride ? std::string(nameOverride) : std::string(FunctionName(index));
  tk::messageRequester("Zeile " + std::to_string(ScriptErrorLine) + ": Fehler in " + name, message);
  allok = 0;
}

void EvaluateArithmeticInto(std::string_view text, std::string& out) { Evaluate(text, out); }

std::string EvaluateArithmetic(const std::string& text) {
  std::string out;
  Evaluate(text, out);
  return out;
}

float EvaluateNumericExpression(std::string_view text, int32_t index) {
  if (index < 1 || index > 14) return 0.0f;
  return NumericFunction(text, index);
}

int32_t ValidateArithmetic(std::string_view text) {
  Level lv;
  if (!lv.ok()) return 0;
  std::string& t = lv.s().e;
  t.clear();
  for (char c : text)
    if (c != ' ') t.push_back(c);
  int32_t result = 1;
  for (char c : t)
    if (!((c >= 40 && c <= 58) || c == '%' || c == '!')) result = 0;
  // A division by a number whose value is 0 ("/0", "/0.0", "/-0"); 1/0.5 may be evaluated.
  for (size_t i = 0; i + 1 < t.size(); ++i) {
    if (t[i] != '/') continue;
    size_t j = i + 1;
    if (j < t.size() && t[j] == '-') ++j;
    size_t end = j;
    bool digit = false;
    while (end < t.size() && ((t[end] >= '0' && t[end] <= '9') || t[end] == '.')) digit |= t[end++] != '.';
    if (digit && TextToFloat(std::string_view(t).substr(j, end - j)) == 0.0f) {
      ReportScriptError("Durch null kann nicht dividiert werden");
      return 0;
    }
  }
  // The forbidden neighbours: "*/", "/*", "**", "//", "+*", "-*", "+/", "-/", "+.", "-.",
  // "/.", "*.", ".+", ".-", "./", ".*" and ")(", found in one pass.
  auto mulDiv = [](char c) { return c == '*' || c == '/'; };
  auto addSub = [](char c) { return c == '+' || c == '-'; };
  for (size_t i = 0; i + 1 < t.size(); ++i) {
    const char a = t[i], b = t[i + 1];
    const bool bad = (mulDiv(b) && (mulDiv(a) || addSub(a))) || (b == '.' && (mulDiv(a) || addSub(a))) ||
                     (a == '.' && (mulDiv(b) || addSub(b))) || (a == ')' && b == '(');
    if (bad) {
      ReportScriptError("Syntaxfehler");
      return 0;
    }
  }
  return result;
}

void PrepareCellFormula(CellFormula& f, const std::string& formula) {
  f.formula = formula;
  f.work.reserve(formula.size() + 64);
  f.result.reserve(64);
}

int32_t EvaluateCellFormula(CellFormula& f, int32_t x, int32_t y, int32_t* value) {
  char xs[16], ys[16];
  const size_t xn = size_t(std::to_chars(xs, xs + sizeof xs, x).ptr - xs);
  const size_t yn = size_t(std::to_chars(ys, ys + sizeof ys, y).ptr - ys);
  std::string& w = f.work;
  w.clear();
  const std::string& src = f.formula;
  for (size_t i = 0; i < src.size(); ++i) {
    if (src[i] == '#' && i + 1 < src.size() && (src[i + 1] == 'x' || src[i + 1] == 'y')) {
      if (src[i + 1] == 'x') w.append(xs, xn);
      else w.append(ys, yn);
      ++i;
    } else {
      w.push_back(src[i]);
    }
  }
  char buffer[64];
  // Every call has its "(": a formula without one has no call to replace.
  const int32_t functions = w.find('(') == std::string::npos ? 0 : 12;
  for (int i = 1; i <= functions; ++i) {
    const std::string_view name = FunctionName(i);
    size_t from = 0, p;
    while ((p = w.find(name.data(), from, name.size())) != std::string::npos) {
      const size_t open = p + name.size();
      if (open >= w.size() || w[open] != '(' || InsideLiteral(w, p) || DepthOver(w, p) != 0) {
        from = p + 1;
        continue;
      }
      int32_t depth = DepthOver(w, open + 1);
      bool literal = InsideLiteral(w, open + 1);
      size_t close = std::string::npos;
      for (size_t j = open + 1; j < w.size(); ++j) {
        const char c = w[j];
        if (c == '"') literal = !literal;
        else if (!literal && c == '(') ++depth;
        else if (!literal && c == ')' && --depth <= 0) {
          close = j;
          break;
        }
      }
      if (close == std::string::npos) return 0;   // no closing bracket: the formula is defective
      const float v = EvaluateNumericExpression(std::string_view(w).substr(open + 1, close - open - 1), i);
      if (allok != 1) return -1;
      const size_t n = FormatFloat6(v, buffer);
      ReplaceRange(w, p, close + 1 - p, std::string_view(buffer, n));
      from = p + 1;
    }
  }
  if (ValidateArithmetic(w) == 0 || allok != 1) return 0;
  EvaluateArithmeticInto(w, f.result);
  if (allok != 1) return -1;
  *value = TextToInteger(f.result);
  return 1;
}
