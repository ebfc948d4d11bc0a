// The script as an HTML page: the editor's lines cut into the pieces the colouring knows
// (call names, "#" names, strings, comments), each wrapped in the font tags of its style.
#include <cstdio>

#include "script/script.h"
#include "shell/shell.h"
#include "toolkit/toolkit.h"

std::string HtmlStyleTags[7][2];

namespace {

// The style records in force (before the settings window first confirmed them, the
// settings' own).
const CharFormatRecord& StyleRecord(int n) {
  const CharFormatRecord& r = ScriptStyleFormats[n];
  return r.height > 0 || !r.face.empty() ? r : Settings.formats[n];
}

bool IsDelimiter(char c) {
  return (c >= 37 && c <= 47) || c == '[' || c == ']' || c == '=' || c == '|';
}

// Text as it shows in the page: markup characters and blanks as entities.
void AppendEscaped(std::string& out, const char* p, size_t n) {
  for (size_t i = 0; i < n; ++i) {
    switch (p[i]) {
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '&': out += "&amp;"; break;
      case ' ': out += "&nbsp;"; break;
      default: out += p[i]; break;
    }
  }
}

void AppendPiece(std::string& out, int style, const std::string& line, size_t from, size_t to) {
  out += HtmlStyleTags[style][0];
  AppendEscaped(out, line.data() + from, to - from);
  out += HtmlStyleTags[style][1];
}

}  // namespace

std::string HtmlColourText(uint32_t v) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "%02X%02X%02X", unsigned(v & 0xFF), unsigned((v >> 8) & 0xFF),
                unsigned((v >> 16) & 0xFF));
  return buf;
}

void BuildHtmlStyleTags() {
  for (int s = 1; s <= 5; ++s) {
    const CharFormatRecord& r = StyleRecord(s);
    std::string open = "<font face=\"" + r.face + "\"><font color=\"#" + HtmlColourText(r.color) +
                       "\"><font size=\"" + std::to_string(r.height / 100) + "\">";
    std::string close = "</font></font></font>";
    if (r.effects & 1) {
      open += "<b>";
      close = "</b>" + close;
    }
    if (r.effects & 2) {
      open += "<i>";
      close = "</i>" + close;
    }
    if (r.effects & 4) {
      open += "<u>";
      close = "</u>" + close;
    }
    HtmlStyleTags[s][0] = open;
    HtmlStyleTags[s][1] = close;
  }
}

std::string ScriptLineToHtml(const std::string& line) {
  std::string out;
  const size_t n = line.size();
  size_t plain = 0;   // start of the text not yet written, which belongs to no piece
  auto flushTo = [&](size_t to) {
    AppendEscaped(out, line.data() + plain, to - plain);
    plain = to;
  };
  for (size_t i = 0; i < n;) {
    const char c = line[i];
    if (c == '"') {
      const size_t close = line.find('"', i + 1);
      const size_t end = close == std::string::npos ? n : close + 1;
      flushTo(i);
      AppendPiece(out, 4, line, i, end);
      plain = i = end;
    } else if (c == ';') {
      flushTo(i);
      AppendPiece(out, 5, line, i, n);
      plain = i = n;
    } else if (c == '(') {
      // The word just before the bracket, back to a delimiter or a blank.
      size_t start = i;
      while (start > plain && !IsDelimiter(line[start - 1]) && line[start - 1] != ' ') --start;
      flushTo(start);
      if (start < i) AppendPiece(out, 2, line, start, i);
      out += '(';
      plain = ++i;
    } else if (c == '#') {
      size_t end = i + 1;
      while (end < n && !IsDelimiter(line[end]) && line[end] != ';') ++end;
      flushTo(i);
      AppendPiece(out, 3, line, i, end);
      plain = i = end;
    } else {
      ++i;
    }
  }
  flushTo(n);
  out += "<br>";
  return out;
}

int32_t ExportScriptHtml(const std::string& path) {
  BuildHtmlStyleTags();
  std::string page;
  auto line = [&](const std::string& text) { page += text + "\r\n"; };
  line("<html>");
  line("<head>");
  line("</head>");
  line("<body bgcolor=\"#" + HtmlColourText(uint32_t(Settings.All_BG)) + "\" text=\"#" +
       HtmlColourText(Settings.formats[0].color) + "\">");
  line(HtmlStyleTags[1][0]);
  const int32_t lines = tk::isGadget(ScriptEditorGadget) ? tk::richLineCount(ScriptEditorGadget) : 0;
  // An empty editor has one empty line and writes no line of its own.
  if (!(lines == 1 && tk::richTextLength(ScriptEditorGadget) == 0))
    for (int32_t k = 0; k < lines; ++k) line(ScriptLineToHtml(tk::richLine(ScriptEditorGadget, k)));
  line(HtmlStyleTags[1][1]);
  line("</body>");
  line("</html>");
  // Written whole through a temporary file: a failed write keeps an older page.
  if (!tk::writeWholeFile(path, page.data(), page.size()))
    tk::messageRequester("Fehler", "Die Datei konnte nicht geschrieben werden:\r" + path, tk::MsgOk | tk::MsgError);
  return 0;
}

std::string HtmlExportFileName(const std::string& chosen) {
  const size_t slash = chosen.find_last_of("\\/");
  const std::string file = slash == std::string::npos ? chosen : chosen.substr(slash + 1);
  const size_t dot = file.rfind('.');
  std::string ext = dot == std::string::npos ? std::string() : file.substr(dot + 1);
  for (char& c : ext)
    if (c >= 'a' && c <= 'z') c = char(c - 32);
  return ext == "HTML" ? chosen : chosen + ".html";
}
