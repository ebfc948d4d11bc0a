// Block structures: If/ElseIf/Else/EndIf, For/Next, Repeat/Until, While/Wend. Each block
// word is an ordinary statement; a jump moves ScriptPosition (the loop adds 1 after it).
#include <cmath>
#include <limits>

#include "script/script.h"
#include "shell/shell.h"

std::vector<uint8_t> IfStack(31);
uint8_t IfDepth = 0, ForDepth = 0, WhileDepth = 0, RepeatDepth = 0;
std::vector<ForFrame> ForStack(10);
std::vector<int32_t> RepeatStack(11);
std::vector<int32_t> WhileStack(11);

namespace {

int32_t Row(const char* name) { return FindScriptCommand(name); }

int32_t CommandAt(size_t i) { return StatementList[i].command; }   // "For" is -3

int32_t WholeNumber(const std::string& text) {
  const double v = std::round(double(TextToFloat(text)));
  if (!(v > double(std::numeric_limits<int32_t>::min()))) return std::numeric_limits<int32_t>::min();
  if (v > double(std::numeric_limits<int32_t>::max())) return std::numeric_limits<int32_t>::max();
  return int32_t(v);
}

bool Numeric(const std::string& v) { return IsNumberText(v) != 0; }
bool Quoted(const std::string& v) { return IsQuotedText(v) != 0; }

std::string Inner(const std::string& op) { return op.size() >= 2 ? op.substr(1, op.size() - 2) : std::string(); }

int32_t Condition() {
  return TestCondition(WholeNumber(StatementArgs[1]), Inner(StatementArgs[2]), WholeNumber(StatementArgs[3]));
}

// To the next ElseIf, Else or EndIf of this level; with countFor the skipped For and
// Next statements are counted, and the count is returned.
int32_t ScanToNextBranch(bool endIfOnly) {
  static const int32_t rowIf = Row("If"), rowElseIf = Row("ElseIf"), rowElse = Row("Else"),
                       rowEndIf = Row("EndIf"), rowNext = Row("Next");
  int32_t depth = 0, forCount = 0;
  const size_t n = StatementList.size();
  for (size_t j = size_t(ScriptPosition) + 1; j < n; ++j) {
    const int32_t c = CommandAt(j);
    if (depth <= 0 && (c == rowEndIf || (!endIfOnly && (c == rowElseIf || c == rowElse)))) {
      ScriptPosition = int32_t(j) - 1;
      return forCount;
    }
    if (c == rowIf) ++depth;
    else if (c == rowEndIf) --depth;
    else if (c == -3) ++forCount;
    else if (c == rowNext) --forCount;
  }
  ScriptPosition = int32_t(n);
  return forCount;
}

// Behind the Wend that belongs to this While, counting the nested ones.
void ScanBehindWend() {
  static const int32_t rowWhile = Row("While"), rowWend = Row("Wend");
  int32_t depth = 0;
  const size_t n = StatementList.size();
  for (size_t j = size_t(ScriptPosition) + 1; j < n; ++j) {
    const int32_t c = CommandAt(j);
    if (c == rowWhile) {
      ++depth;
    } else if (c == rowWend) {
      if (depth == 0) {
        ScriptPosition = int32_t(j);
        return;
      }
      --depth;
    }
  }
  ScriptPosition = int32_t(n);
}

// The comparison of If and ElseIf at the current depth; true when the branch is taken.
void IfComparison(bool countFor) {
  const std::string &a = StatementArgs[1], &op = StatementArgs[2], &b = StatementArgs[3];
  if (!Quoted(op)) return ReportScriptError("Der Operator muss in Form eines Strings vorliegen");
  if (Numeric(a) && Numeric(b)) {
    IfStack[IfDepth] = uint8_t(Condition());
    if (!IfStack[IfDepth]) ScanToNextBranch(false);
  } else if (Quoted(a) && Quoted(b)) {
    if (Inner(op) != "=") return ReportScriptError("Strings können nur durch\"=\" verglichen werden");
    if (a == b) {
      IfStack[IfDepth] = 1;
    } else {
      IfStack[IfDepth] = 0;
      if (ScanToNextBranch(false) > 0 && countFor) ReportScriptError("Falsche Reihenfolge");
    }
  } else {
    ReportScriptError("Vergleich zwischen String und  Zahl nicht möglich");
  }
}

void PushWhile() {
  ++WhileDepth;
  WhileStack[WhileDepth] = ScriptPosition;
}

}  // namespace

void ResetScriptRunState() {
  IfStack.assign(31, 0);
  ForStack.assign(10, ForFrame{});
  RepeatStack.assign(11, 0);
  WhileStack.assign(11, 0);
  IfDepth = ForDepth = WhileDepth = RepeatDepth = 0;
  MarkState = FreeMarkOpen = PointMode = StructureSectionOpen = 0;
  MinLocateState = MaxLocateState = 0;
  RunStopRequested = 0;
  ResetCommandRunState();
}

void CmdIf() {
  if (ScriptArgumentCount != 3) return ReportScriptError("Falsche Anzahl an Parametern");
  if (IfDepth >= 30) {
    IfDepth = 31;
    return ReportScriptError("Es können nicht mehr als 30 If-Verzweigungen ineinander Verschachtelt werden");
  }
  ++IfDepth;
  IfComparison(true);
}

void CmdElseIf() {
  if (IfStack[IfDepth] == 1) {
    ScanToNextBranch(false);
    return;
  }
  if (ScriptArgumentCount != 3) return ReportScriptError("Falsche Anzahl an Parametern");
  IfComparison(false);
}

void CmdElse() {
  if (IfStack[IfDepth] == 0) IfStack[IfDepth] = 1;
  else ScanToNextBranch(true);
}

void CmdEndIf() {
  if (IfDepth == 0) return ReportScriptError("Keine If-Verzweigung gefunden");
  IfStack[IfDepth] = 0;
  --IfDepth;
}

void CmdFor() {
  if (ScriptArgumentCount != 4) return ReportScriptError("Falsche Anzahl an Parametern");
  if (ForDepth >= 9) return ReportScriptError("Es können nicht mehr als 9 ForSchleifen ineinander verschachtelt werden");
  const std::string var = StatementArgs[1];
  if (var.empty() || var[0] != '#') return ReportScriptError("SyntaxFehler");
  const std::string_view name = std::string_view(var).substr(1);
  if (FindSystemConstant(name) >= 0) return ReportScriptError("SystemConstanten können nicht verändert werden");
  ++ForDepth;
  ForFrame& frame = ForStack[ForDepth];
  frame.variable = FindOrAddScriptVariable(name);
  if (!frame.variable) return;
  for (int i = 1; i <= 3; ++i) StatementArgs[size_t(i)].swap(StatementArgs[size_t(i + 1)]);
  StatementArgs[4].clear();
  paramlist = 3;
  EvaluateStatementArguments();
  if (allok != 1) return;
  for (int i = 1; i <= 3; ++i)
    if (!Numeric(StatementArgs[size_t(i)])) return ReportScriptError("Ein numerischer Wert wird hier erwartet");
  frame.loopLine = ScriptPosition + 1;
  frame.counter = TextToFloat(StatementArgs[1]);
  frame.end = TextToFloat(StatementArgs[2]);
  frame.step = TextToFloat(StatementArgs[3]);
  frame.variable->value = std::to_string(WholeNumber(StatementArgs[1]));
  frame.variable->kind = 0;
  if (frame.step == 0.0f) return ReportScriptError("ForSchleife mit 0 Schritten führt zu Dauerschleife");
  if ((frame.step < 0.0f && frame.end > frame.counter) || (frame.step > 0.0f && frame.end < frame.counter))
    return ReportScriptError("DauerSchleife");
}

void CmdNext() {
  if (ForDepth == 0) return ReportScriptError("Next ohne For");
  ForFrame& frame = ForStack[ForDepth];
  frame.counter += frame.step;
  if ((frame.step > 0.0f && frame.counter > frame.end) || (frame.step < 0.0f && frame.counter < frame.end) ||
      !std::isfinite(frame.counter)) {
    --ForDepth;
    return;
  }
  char buffer[64];
  frame.variable->value.assign(buffer, FormatFloat6(frame.counter, buffer));
  frame.variable->kind = 0;
  ScriptPosition = frame.loopLine - 1;
}

void CmdRepeat() {
  if (RepeatDepth >= 10)
    return ReportScriptError("Es können nicht mehr als 10 Repeat-Schleifen ineinander verschachtelt werden");
  ++RepeatDepth;
  RepeatStack[RepeatDepth] = ScriptPosition;
}

void CmdUntil() {
  if (ScriptArgumentCount != 3) return ReportScriptError("Falsche Anzahl an Parametern");
  if (RepeatDepth == 0) return ReportScriptError("Until ohne Repeat");
  const std::string &a = StatementArgs[1], &op = StatementArgs[2], &b = StatementArgs[3];
  bool done;
  if (Quoted(a) && Quoted(b)) {
    if (op != "\"=\"") return ReportScriptError("Strings können nur mittels '=' verglichen werden");
    done = a == b;
  } else if (Numeric(a) && Numeric(b)) {
    done = Condition() == 1;
  } else {
    return ReportScriptError("Strings können nicht mit numerischen Werten verglichen werden");
  }
  if (done) --RepeatDepth;
  else ScriptPosition = RepeatStack[RepeatDepth];
}

void CmdWhile() {
  if (ScriptArgumentCount != 3) return ReportScriptError("Falsche Anzahl an Parametern");
  if (WhileDepth >= 10)
    return ReportScriptError("Es können nicht mehr als 10 While-Schleifen ineinander verschachtelt werden");
  const std::string &a = StatementArgs[1], &op = StatementArgs[2], &b = StatementArgs[3];
  bool holds;
  if (Quoted(a) && Quoted(b)) {
    if (op != "\"=\"") return ReportScriptError("Strings können nur mittels '=' verglichen werden");
    holds = a == b;
  } else if (Numeric(a) && Numeric(b)) {
    holds = Condition() == 1;
  } else {
    // Reported as Until reports it, rather than running the body once unchecked.
    return ReportScriptError("Strings können nicht mit numerischen Werten verglichen werden");
  }
  if (holds) PushWhile();
  else ScanBehindWend();
}

void CmdWend() {
  if (WhileDepth == 0) return ReportScriptError("Wend ohne While");
  const int32_t at = WhileStack[WhileDepth];
  --WhileDepth;
  ScriptPosition = at - 1;
}
