// Builds "Data/Functions.dat" from the readable list data/functions/functions.txt (UTF-8).
// Output: Windows-1252, CR LF lines, little-endian longs; a "\n" in a help or thanks text
// becomes byte 160, the program's line break inside one line.
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

namespace {

// UTF-8 to Windows-1252; characters without a code there become '?'.
std::string toCp1252(const std::string& in) {
  static const struct { uint32_t cp; uint8_t b; } kHigh[] = {
      {0x20AC, 0x80}, {0x201A, 0x82}, {0x0192, 0x83}, {0x201E, 0x84}, {0x2026, 0x85}, {0x2020, 0x86},
      {0x2021, 0x87}, {0x02C6, 0x88}, {0x2030, 0x89}, {0x0160, 0x8A}, {0x2039, 0x8B}, {0x0152, 0x8C},
      {0x017D, 0x8E}, {0x2018, 0x91}, {0x2019, 0x92}, {0x201C, 0x93}, {0x201D, 0x94}, {0x2022, 0x95},
      {0x2013, 0x96}, {0x2014, 0x97}, {0x02DC, 0x98}, {0x2122, 0x99}, {0x0161, 0x9A}, {0x203A, 0x9B},
      {0x0153, 0x9C}, {0x017E, 0x9E}, {0x0178, 0x9F}};
  std::string out;
  for (size_t i = 0; i < in.size();) {
    uint8_t c = uint8_t(in[i]);
    uint32_t cp = c;
    int extra = 0;
    if (c >= 0xF0) { cp = c & 7; extra = 3; }
    else if (c >= 0xE0) { cp = c & 15; extra = 2; }
    else if (c >= 0xC0) { cp = c & 31; extra = 1; }
    ++i;
    for (int k = 0; k < extra && i < in.size(); ++k, ++i) cp = (cp << 6) | (uint8_t(in[i]) & 63);
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
      out += char(cp);
      continue;
    }
    char b = '?';
    for (const auto& h : kHigh)
      if (h.cp == cp) b = char(h.b);
    out += b;
  }
  return out;
}

std::string breaksTo160(const std::string& s) {
  std::string out;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '\\' && i + 1 < s.size() && s[i + 1] == 'n') {
      out += char(160);
      ++i;
    } else {
      out += s[i];
    }
  }
  return out;
}

void putLong(std::string& out, int32_t v) {
  uint32_t u = uint32_t(v);
  for (int k = 0; k < 4; ++k) out += char((u >> (8 * k)) & 255);
}
void putLine(std::string& out, const std::string& s) { out += s + "\r\n"; }

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: make_functions functions.txt Functions.dat\n";
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  if (!in) {
    std::cerr << "cannot read " << argv[1] << "\n";
    return 1;
  }
  struct Entry { std::string name, help; };
  struct Thanks { std::string name, text, link; };
  std::vector<Entry> functions;
  std::vector<std::string> constants;
  std::vector<Thanks> thanks;
  int32_t effectsStart = 0, effectsEnd = 0;
  std::string section, line;
  int lineNo = 0;
  while (std::getline(in, line)) {
    ++lineNo;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    if (line == "[effects]") { effectsStart = int32_t(functions.size()) + 1; continue; }
    if (line == "[/effects]") { effectsEnd = int32_t(functions.size()); continue; }
    if (line.front() == '[') { section = line; continue; }
    std::string text = toCp1252(line);
    if (section == "[functions]") {
      size_t bar = text.find('|');
      if (bar == std::string::npos) { std::cerr << "line " << lineNo << ": name|help expected\n"; return 1; }
      functions.push_back({text.substr(0, bar), breaksTo160(text.substr(bar + 1))});
    } else if (section == "[constants]") {
      constants.push_back(text);
    } else if (section == "[thanks]") {
      size_t a = text.find('|'), b = a == std::string::npos ? a : text.find('|', a + 1);
      if (b == std::string::npos) { std::cerr << "line " << lineNo << ": name|text|link expected\n"; return 1; }
      thanks.push_back({text.substr(0, a), breaksTo160(text.substr(a + 1, b - a - 1)), text.substr(b + 1)});
    }
  }
  if (functions.size() > 300 || constants.size() != 53 || thanks.empty() || thanks.size() > 7 ||
      effectsEnd - effectsStart + 1 != 65) {
    std::cerr << "functions " << functions.size() << ", constants " << constants.size() << ", thanks "
              << thanks.size() << ", effects " << effectsStart << ".." << effectsEnd << ": out of range\n";
    return 1;
  }
  std::string out;
  putLong(out, int32_t(functions.size()));
  putLong(out, effectsStart);
  putLong(out, effectsEnd);
  for (const Entry& e : functions) {
    putLine(out, e.name);
    putLine(out, e.help);
  }
  putLong(out, int32_t(constants.size()));
  for (const std::string& c : constants) putLine(out, c);
  putLong(out, int32_t(thanks.size()) - 1);
  for (const Thanks& t : thanks) {
    putLine(out, t.name);
    putLine(out, t.text);
    putLine(out, t.link);
  }
  std::ofstream of(argv[2], std::ios::binary);
  of.write(out.data(), std::streamsize(out.size()));
  return of ? 0 : 1;
}
