// Helpers shared by the script language's own sources only.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace script_detail {

// Scratch texts reused between calls, one set per nesting level of the evaluator, so that
// a steady run allocates nothing once the buffers have grown to the texts it meets.
struct Field {
  uint32_t off = 0, len = 0;
};
struct Scratch {
  std::string a, b, c, d, e;
  std::vector<Field> f1, f2;
  std::string ops1, ops2;
};
Scratch& ScratchAt(int level);
// Takes the next scratch level for the time of one evaluation step; ok() is false (and a
// script error has been reported) when the text nests deeper than MaxEvaluationDepth.
class Level {
 public:
  Level();
  ~Level();
  bool ok() const { return ok_; }
  Scratch& s() { return *s_; }
 private:
  bool ok_ = true;
  Scratch* s_ = nullptr;
};
// Bracket balance over text[0, end), literals skipped.
int32_t DepthOver(std::string_view text, size_t end);

// Replaces text[pos, pos + len) by `with` in place.
inline void ReplaceRange(std::string& text, size_t pos, size_t len, std::string_view with) {
  text.replace(pos, len, with.data(), with.size());
}
// Parity of double quotes in text[0, pos): true inside a literal.
bool InsideLiteral(std::string_view text, size_t pos);
// Position of the ')' closing the '(' at open (literal-blind depth count); npos at the end.
size_t MatchingBracket(std::string_view text, size_t open);
// Nesting guard of the recursive evaluator.
constexpr int MaxEvaluationDepth = 200;
extern int EvaluationDepth;
// Function names 1..14 of the evaluator (EvaluatorFunctions, else the fixed spelling).
std::string_view FunctionName(int index);

// Writes every index of a "#" name as a whole number, in place.
void ResolveIndexesInPlace(std::string& text);

}  // namespace script_detail
