// Syntax colouring of one editor line, the indentation after Enter, the hints of procedures
// declared in the editor and the conversion of a free text into a string expression.
// A line is coloured in five styles (1 Normal, 2 Function, 3 Constant, 4 String,
// 5 Comment); later rules win: a "#" name or a string inside a comment is Comment.
#include <algorithm>

#include "documents/documents.h"
#include "script/script.h"
#include "shell/shell.h"
#include "toolkit/toolkit.h"

std::list<ProcedureHint> ProcedureHints;
int32_t currentline = 0;
CharFormatRecord ScriptStyleFormats[6];

namespace {

constexpr int Ed = ScriptEditorGadget;

bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool IsSymbolDelimiter(char c) { return (c >= 37 && c <= 47) || c == '[' || c == ']' || c == '='; }
// Where a function name ends going left from its "(".
bool IsNameDelimiter(char c) { return IsSymbolDelimiter(c) || c == ' '; }
// Where a "#" name ends going right.
bool IsConstantDelimiter(char c) { return IsSymbolDelimiter(c) || c == '|'; }

// A name recognised before a "(": where it stands and how the table or the hints spell it.
struct NameMatch {
  size_t start = 0, length = 0;
  const std::string* spelling = nullptr;
  const std::string* help = nullptr;
};

const FunctionEntry* FindFunction(const char* name, size_t n) {
  const int letter = (name[0] & ~0x20) - 'A' + 1;
  if (letter < 1 || letter > 26 || size_t(letter) >= FunctionLetterIndex.size()) return nullptr;
  const LetterIndexEntry& e = FunctionLetterIndex[size_t(letter)];
  const std::string key(name, n);
  for (int32_t i = e.first; i < e.first + e.count && size_t(i) < FunctionTable.size(); ++i) {
    const FunctionEntry& f = FunctionTable[size_t(i)];
    if (f.name.size() == n && tk::compareNoCase(f.name, key) == 0) return &f;
  }
  return nullptr;
}

const ProcedureHint* FindHint(const char* name, size_t n) {
  const std::string key(name, n);
  for (const ProcedureHint& h : ProcedureHints)
    if (!h.name.empty() && h.name.size() == n && tk::compareNoCase(h.name, key) == 0) return &h;
  return nullptr;
}

// The styles of every byte of a line and the names recognised in it.
void ScanLine(const std::string& line, std::vector<uint8_t>& styles, std::vector<NameMatch>* matches) {
  const size_t n = line.size();
  styles.assign(n, 1);
  // inLiteral[i]: byte i lies after an opening quote that is not closed before it.
  std::vector<uint8_t> inLiteral(n, 0);
  bool open = false;
  for (size_t i = 0; i < n; ++i) {
    inLiteral[i] = open;
    if (line[i] == '"') open = !open;
  }
  // Function and procedure names before "(".
  for (size_t i = 0; i < n; ++i) {
    if (line[i] != '(') continue;
    size_t start = i;
    while (start > 0 && !IsNameDelimiter(line[start - 1])) --start;
    if (start == i || inLiteral[start] || !IsAsciiLetter(line[start])) continue;
    NameMatch m;
    m.start = start;
    m.length = i - start;
    if (const FunctionEntry* f = FindFunction(line.data() + start, m.length)) {
      m.spelling = &f->name;
      m.help = &f->help;
    } else if (const ProcedureHint* h = FindHint(line.data() + start, m.length)) {
      m.spelling = &h->name;
      m.help = &h->hint;
    } else {
      continue;
    }
    std::fill(styles.begin() + long(start), styles.begin() + long(i), uint8_t(2));
    if (matches) matches->push_back(m);
  }
  // "#" names.
  for (size_t i = 0; i < n; ++i) {
    if (line[i] != '#' || inLiteral[i]) continue;
    size_t j = i + 1;
    while (j < n && !IsConstantDelimiter(line[j])) ++j;
    std::fill(styles.begin() + long(i), styles.begin() + long(j), uint8_t(3));
    i = j - 1;
  }
  // String literals; an unclosed one runs to the line end.
  for (size_t i = 0; i < n; ++i) {
    if (line[i] != '"') continue;
    const size_t close = line.find('"', i + 1);
    const size_t end = close == std::string::npos ? n : close + 1;
    std::fill(styles.begin() + long(i), styles.begin() + long(end), uint8_t(4));
    i = end - 1;
  }
  // The comment: the first ";" outside a literal.
  for (size_t i = 0; i < n; ++i)
    if (line[i] == ';' && !inLiteral[i]) {
      std::fill(styles.begin() + long(i), styles.end(), uint8_t(5));
      break;
    }
}

tk::CharFormat StyleFormat(int n) {
  // The formats in force; before the settings window first confirmed them, the settings'.
  const CharFormatRecord& r = ScriptStyleFormats[n].height > 0 || !ScriptStyleFormats[n].face.empty()
                                  ? ScriptStyleFormats[n]
                                  : Settings.formats[n];
  tk::CharFormat f;
  f.mask = ~0u;
  f.color = r.color & 0xFFFFFF;
  f.bold = r.effects & 1;
  f.italic = r.effects & 2;
  f.underline = r.effects & 4;
  f.face = r.face;
  f.heightTwips = r.height;
  return f;
}

int32_t LeadingBlanks(const std::string& s) {
  int32_t n = 0;
  while (size_t(n) < s.size() && s[size_t(n)] == ' ') ++n;
  return n;
}

bool StartsWithAny(const std::string& text, const char* const* words, size_t count) {
  for (size_t i = 0; i < count; ++i)
    if (text.rfind(words[i], 0) == 0) return true;
  return false;
}

const char* const kOpeners[] = {
    "Procedure(", "For(", "MinLocate(", "MaxLocate(", "If(", "StructureSection(", "StructureSection_Marked(",
    "Mark(", "NoCreate(", "WhiteEffects(", "WhiteEffects_Marked(", "BlackEffects(", "BlackEffects_Marked(",
    "PasteBitmap(", "FreeMark(", "FreePaint(", "Rubber(", "Brush(", "Smear(", "While(", "Repeat("};
const char* const kMiddles[] = {"Else(", "ElseIf("};
const char* const kClosers[] = {
    "Next(", "EndIf(", "EndProcedure(", "EndMinLocate(", "EndMaxLocate(", "EndNoCreate(", "EndStructureSection(",
    "EndWhiteEffects(", "EndBlackEffects(", "EndStructureSection_Marked(", "EndWhiteEffects_Marked(",
    "EndBlackEffects_Marked(", "EndMark(", "EndFreePaint(", "EndRubber(", "EndBrush(", "EndSmear(", "Wend(",
    "Until("};

// Rewrites line `line` with `blanks` leading blanks and colours it again.
void Reindent(int32_t line, int32_t blanks) {
  const int32_t start = tk::richLineIndex(Ed, line);
  const std::string text = tk::richLine(Ed, line);
  const int32_t had = LeadingBlanks(text);
  tk::richReplaceRange(Ed, start, start + had, std::string(size_t(std::max(blanks, 0)), ' '));
  int32_t s = 0, e = 0;
  tk::richGetSelection(Ed, &s, &e);
  tk::richSetSelection(Ed, start, start);
  HighlightSyntax();
  tk::richSetSelection(Ed, s, e);
}

}  // namespace

std::vector<uint8_t> LineStyles(const std::string& line) {
  std::vector<uint8_t> styles;
  ScanLine(line, styles, nullptr);
  return styles;
}

void HighlightLine(int32_t line) {
  const int32_t start = tk::richLineIndex(Ed, line);
  if (start < 0) return;
  std::string text = tk::richLine(Ed, line);
  std::vector<uint8_t> styles;
  std::vector<NameMatch> matches;
  ScanLine(text, styles, &matches);
  tk::richBeginChanges(Ed);
  // Recognised names take their declared spelling (same length: no offset moves).
  for (const NameMatch& m : matches) {
    if (tk::isGadget(ScriptHelpLine)) tk::setGadgetText(ScriptHelpLine, *m.help);
    if (text.compare(m.start, m.length, *m.spelling) != 0) {
      // Same length: the selection goes back exactly where it was.
      int32_t s = 0, e = 0;
      tk::richGetSelection(Ed, &s, &e);
      tk::richReplaceRange(Ed, start + int32_t(m.start), start + int32_t(m.start + m.length), *m.spelling);
      tk::richSetSelection(Ed, s, e);
      text.replace(m.start, m.length, *m.spelling);
    }
  }
  // Whole line Normal, then one range per run of another style. The selection and the
  // view stay where they are.
  tk::richFormatRange(Ed, start, start + int32_t(text.size()), StyleFormat(1));
  for (size_t i = 0; i < styles.size();) {
    size_t j = i;
    while (j < styles.size() && styles[j] == styles[i]) ++j;
    if (styles[i] != 1) tk::richFormatRange(Ed, start + int32_t(i), start + int32_t(j), StyleFormat(styles[i]));
    i = j;
  }
  tk::richEndChanges(Ed);
}

void HighlightSyntax() {
  OnErrorCode1 = 37;
  if (!tk::isGadget(Ed)) return;
  UpdateScriptStatusBar();
  int32_t s = 0, e = 0;
  tk::richGetSelection(Ed, &s, &e);
  HighlightLine(tk::richLineFromChar(Ed, s));
  if (CurrentMode == ModeScript) tk::setActiveGadget(Ed);
}

void HighlightScriptLines(int32_t first, int32_t last) {
  if (!tk::isGadget(Ed)) return;
  last = std::min(last, tk::richLineCount(Ed) - 1);
  tk::richBeginChanges(Ed);
  for (int32_t line = std::max(first, 0); line <= last; ++line) HighlightLine(line);
  tk::richEndChanges(Ed);
}

void AutoIndent() {
  if (tk::richLineCount(Ed) <= 1) return;
  const int32_t line = tk::richLineFromChar(Ed, -1);
  currentline = line;
  if (line < 1) return;
  const std::string above = tk::richLine(Ed, line - 1);
  const int32_t indent = LeadingBlanks(above);
  const std::string keyword = above.substr(size_t(indent));
  const int32_t step = Settings.Rueckwidth;
  int32_t blanks = indent;
  if (StartsWithAny(keyword, kOpeners, std::size(kOpeners))) {
    blanks = indent + step;
  } else if (StartsWithAny(keyword, kMiddles, std::size(kMiddles))) {
    if (indent >= step) {
      Reindent(line - 1, indent - step);
      EditCaptureDone = 0;
      CreateEditUndo(5);
    }
    blanks = indent;
  } else if (StartsWithAny(keyword, kClosers, std::size(kClosers))) {
    Reindent(line - 1, std::max(indent - step, 0));
    EditCaptureDone = 0;
    CreateEditUndo(5);
    blanks = indent >= step ? indent - step : 0;
  }
  const int32_t start = tk::richLineIndex(Ed, line);
  const std::string before = tk::richLine(Ed, line);
  EditStep st;
  st.position = start;
  st.text = before;
  st.end = start + EditorTextLength(before) + blanks;
  EditUndoList.push_back(st);
  while (EditUndoList.size() > size_t(std::max(EditUndoDepth, 0))) EditUndoList.pop_front();
  if (blanks > 0) tk::richReplaceRange(Ed, start, start, std::string(size_t(blanks), ' '));
  tk::richSetSelection(Ed, start + blanks, start + blanks);
  HighlightSyntax();
  EditCaptureDone = 0;
  CreateEditUndo(5);
}

void RecordProcedureHint() {
  if (tk::richLineCount(Ed) <= 1) return;
  const int32_t line = tk::richLineFromChar(Ed, -1);
  if (line >= 1) RecordProcedureHintOfLine(line - 1);
}

void RecordProcedureHintOfLine(int32_t line) {
  std::string above = tk::richLine(Ed, line);
  above.erase(0, size_t(LeadingBlanks(above)));
  static const std::string kDecl = "Procedure(";
  if (above.rfind(kDecl, 0) != 0 || above.find("EndProcedure") != std::string::npos) return;
  auto trim = [](std::string s) {
    const size_t a = s.find_first_not_of(' ');
    if (a == std::string::npos) return std::string();
    return s.substr(a, s.find_last_not_of(' ') - a + 1);
  };
  const std::string rest = above.substr(kDecl.size());
  const size_t comma = rest.find(',');
  const std::string name = comma == std::string::npos ? std::string() : trim(rest.substr(0, comma));
  const std::string params = comma == std::string::npos ? trim(rest) : trim(rest.substr(comma + 1));
  std::string hint = name + "(";
  for (char c : params) {
    if (c == ';') hint += "\r\n";
    else hint += c;
  }
  for (ProcedureHint& h : ProcedureHints)
    if (tk::compareNoCase(h.name, name) == 0) {
      h.name = name;
      h.hint = hint;
      return;
    }
  ProcedureHints.push_back({name, hint});
}

std::string TextToStringExpression(const std::string& text) {
  std::string s;
  for (char c : text) {
    if (c == '"') s += "\"+Chr(34)+\"";
    else s += c;
  }
  // Line ends, "\r\n", a lone "\r" or a lone "\n", each become one CR LF.
  std::string t;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '\r' || s[i] == '\n') {
      if (s[i] == '\r' && i + 1 < s.size() && s[i + 1] == '\n') ++i;
      t += "\"+Chr(13)+Chr(10)+\"";
    } else {
      t += s[i];
    }
  }
  t = "\"" + t + "\"";
  std::string out;
  for (size_t i = 0; i < t.size();) {
    if (t.compare(i, 3, "+\"\"") == 0) i += 3;
    else out += t[i++];
  }
  return out;
}
