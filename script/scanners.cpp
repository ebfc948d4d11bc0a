// Text scanners shared by the evaluator, the statement splitter, the preprocessor and the
// formula effects, and the reading and writing of numbers as the script does it.
#include <charconv>
#include <deque>
#include <cmath>
#include <cstdio>
#include <limits>

#include "script/script.h"
#include "script/script_internal.h"
#include "shell/shell.h"

namespace script_detail {

Scratch& ScratchAt(int level) {
  static std::deque<Scratch> pool;   // elements stay where they are while it grows
  while (int(pool.size()) <= level) pool.emplace_back();
  return pool[size_t(level)];
}

bool InsideLiteral(std::string_view text, size_t pos) {
  size_t quotes = 0;
  const size_t n = std::min(pos, text.size());
  for (size_t i = 0; i < n; ++i) quotes += text[i] == '"';
  return (quotes & 1) != 0;
}

size_t MatchingBracket(std::string_view text, size_t open) {
  int64_t depth = 1;
  for (size_t i = open + 1; i < text.size(); ++i) {
    if (text[i] == '(') ++depth;
    else if (text[i] == ')' && --depth == 0) return i;
  }
  return std::string_view::npos;
}

int EvaluationDepth = 0;

Level::Level() {
  if (EvaluationDepth >= MaxEvaluationDepth) {
    ok_ = false;
    if (allok == 1) ReportScriptError("Die Rechnung ist zu tief verschachtelt");
    allok = 0;
  }
  s_ = &ScratchAt(EvaluationDepth);
  ++EvaluationDepth;
}
Level::~Level() {
  --EvaluationDepth;
  // A hostile text may have grown a buffer far past what scripts need: give it back.
  constexpr size_t keep = size_t(1) << 20;
  for (std::string* t : {&s_->a, &s_->b, &s_->c, &s_->d, &s_->e})
    if (t->capacity() > keep) std::string().swap(*t);
}

std::string_view FunctionName(int index) {
  static const char* const fixed[15] = {"", "Sin", "Cos", "Tan", "Min", "Max", "Pow", "Random", "GetRedColor",
                                        "GetGreenColor", "GetBlueColor", "Sqr", "Pos", "Chr", "Str"};
  if (index < 1 || index > 14) return "";
  if (size_t(index) < EvaluatorFunctions.size() && !EvaluatorFunctions[size_t(index)].name.empty())
    return EvaluatorFunctions[size_t(index)].name;
  return fixed[index];
}

}  // namespace script_detail

using namespace script_detail;

int32_t IsInsideString(std::string_view text, int32_t pos) {
  if (pos <= 1) return 0;
  return InsideLiteral(text, size_t(pos - 1)) ? 1 : 0;
}

// Balance of brackets over text[0, end), literals skipped; stops where a literal is open at
// the last counted position or at the end of the text.
int32_t script_detail::DepthOver(std::string_view text, size_t end) {
  end = std::min(end, text.size());
  int32_t depth = 0;
  bool inLiteral = false;
  for (size_t i = 0; i < end; ++i) {
    const char c = text[i];
    if (c == '"') inLiteral = !inLiteral;
    else if (!inLiteral) {
      if (c == '(') ++depth;
      else if (c == ')') --depth;
    }
  }
  return depth;
}

namespace {
int32_t ScanTopLevel(std::string_view text, char c, int32_t start, bool closing) {
  if (start < 1) start = 1;
  int64_t depth = 0;
  for (size_t i = size_t(start - 1); i < text.size(); ++i) {
    const char ch = text[i];
    if (ch == '"') {
      const size_t close = text.find('"', i + 1);
      if (close == std::string_view::npos) return 0;   // literal left open
      i = close;
      continue;
    }
    if (ch == '(') {
      ++depth;
    } else if (ch == ')') {
      --depth;
      if (closing && c == ')' && depth == 0) return int32_t(i + 1);
    } else if (ch == c && depth == 0) {
      return int32_t(i + 1);
    }
  }
  return 0;
}
}  // namespace

int32_t BracketDepthAt(std::string_view text, int32_t pos) {
  if (pos <= 0) return DepthOver(text, text.size());
  return DepthOver(text, size_t(pos));
}

int32_t BracketDepthBefore(std::string_view text, int32_t pos) {
  if (pos <= 1) return 0;
  return DepthOver(text, size_t(pos - 1));
}

int32_t FindAtTopLevel(std::string_view text, char c, int32_t start) {
  if (c == '(' || c == ')') return 0;
  return ScanTopLevel(text, c, start, false);
}

int32_t FindClosingBracket(std::string_view text, char c, int32_t start) {
  return ScanTopLevel(text, c, start, true);
}

int32_t IsNumberText(std::string_view text) {
  for (char c : text)
    if (!((c >= '0' && c <= '9') || c == '.' || c == '-')) return 0;
  return 1;
}

int32_t IsDigitsOnly(std::string_view text) {
  for (char c : text)
    if (!(c >= '0' && c <= '9')) return 0;
  return 1;
}

int32_t IsQuotedText(std::string_view text) {
  return text.size() >= 2 && text.front() == '"' && text.back() == '"' ? 1 : 0;
}

float TextToFloat(std::string_view text) {
  size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  // Only digits and one point take part; reading stops at the first other character.
  size_t end = i;
  bool point = false, digits = false;
  while (end < text.size()) {
    const char c = text[end];
    if (c >= '0' && c <= '9') digits = true;
    else if (c == '.' && !point) point = true;
    else break;
    ++end;
  }
  if (!digits) return 0.0f;
  float v = 0.0f;
  const auto r = std::from_chars(text.data() + i, text.data() + end, v, std::chars_format::fixed);
  if (r.ec == std::errc::result_out_of_range) {
    // Too long for a float: huge when a digit other than 0 stands before the point.
    bool big = false;
    for (size_t k = i; k < end && text[k] != '.'; ++k) big |= text[k] > '0';
    v = big ? std::numeric_limits<float>::infinity() : 0.0f;
  } else if (r.ec != std::errc()) {
    v = 0.0f;
  }
  return negative ? -v : v;
}

int32_t TextToInteger(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  int64_t v = 0;
  while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
    v = v * 10 + (text[i++] - '0');
    if (v > int64_t(1) << 32) v = int64_t(1) << 32;   // saturates; clamped below
  }
  if (negative) v = -v;
  if (v > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
  if (v < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
  return int32_t(v);
}

size_t FormatFloat6(float value, char* buffer) {
  const double d = value;
  // value * 10^6 is exact in a double (24 + 20 significant bits), so rounding it to an
  // integer, ties to even, gives the digits "%.6f" prints.
  if (std::isfinite(d) && std::fabs(d) < 9.0e12) {
    const long long scaled = std::llrint(d * 1e6);
    unsigned long long m = scaled < 0 ? 0ull - (unsigned long long)scaled : (unsigned long long)scaled;
    char tmp[32];
    size_t n = 0;
    for (int k = 0; k < 6; ++k) {
      tmp[n++] = char('0' + m % 10);
      m /= 10;
    }
    tmp[n++] = '.';
    do {
      tmp[n++] = char('0' + m % 10);
      m /= 10;
    } while (m != 0);
    size_t out = 0;
    if (std::signbit(d)) buffer[out++] = '-';
    while (n > 0) buffer[out++] = tmp[--n];
    buffer[out] = 0;
    return out;
  }
  const int n = std::snprintf(buffer, 64, "%.6f", d);
  const size_t len = n < 0 ? 0 : std::min(size_t(n), size_t(63));
  for (size_t i = 0; i < len; ++i)
    if (buffer[i] == ',') buffer[i] = '.';   // whatever the C locale says
  return len;
}

std::string FloatToText(float v) {
  char buffer[64];
  return std::string(buffer, FormatFloat6(v, buffer));
}
