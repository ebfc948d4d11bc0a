// Preference (ini) files: one open at a time, held as its lines so that comments and
// lines we do not understand survive a rewrite. Changed keys are rewritten in place.
#include <charconv>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "toolkit/internal.h"
#include "toolkit/tk_file.h"

namespace tk {

namespace {

struct Line {
  enum Kind { Other, Group, Key } kind = Other;
  std::string raw;      // the line as read (Other, Group)
  std::string name;     // group or key name, trimmed
  std::string prefix;   // key lines: everything up to the value ("key = ")
  std::string value;    // key lines: the value, trimmed
};

struct Prefs {
  bool open = false;
  bool changed = false;
  std::string path;
  std::vector<Line> lines;
  std::string group;
} g;

std::string trim(const std::string& s) {
  size_t a = 0, b = s.size();
  while (a < b && (s[a] == ' ' || s[a] == '\t')) ++a;
  while (b > a && (s[b - 1] == ' ' || s[b - 1] == '\t')) --b;
  return s.substr(a, b - a);
}

Line parseLine(const std::string& raw) {
  Line l;
  l.raw = raw;
  std::string t = trim(raw);
  if (t.empty() || t[0] == ';' || t[0] == '#') return l;
  if (t[0] == '[') {
    size_t close = t.find(']');
    if (close != std::string::npos) {
      l.kind = Line::Group;
      l.name = trim(t.substr(1, close - 1));
    }
    return l;
  }
  size_t eq = raw.find('=');
  if (eq == std::string::npos) return l;
  std::string key = trim(raw.substr(0, eq));
  if (key.empty()) return l;
  size_t v = eq + 1;
  while (v < raw.size() && (raw[v] == ' ' || raw[v] == '\t')) ++v;
  l.kind = Line::Key;
  l.name = key;
  l.prefix = raw.substr(0, v);
  l.value = trim(raw.substr(v));
  return l;
}

bool sameName(const std::string& a, const std::string& b) { return compareNoCase(a, b) == 0; }

// The lines [begin, end) of the first section of the group; begin is the header line
// (or 0 for the unnamed group). false when the group has no section.
bool findGroup(const std::string& group, size_t& begin, size_t& end) {
  const auto& ls = g.lines;
  size_t i = 0;
  if (!group.empty()) {
    while (i < ls.size() && !(ls[i].kind == Line::Group && sameName(ls[i].name, group))) ++i;
    if (i == ls.size()) return false;
    begin = i++;
  } else {
    begin = 0;
  }
  while (i < ls.size() && ls[i].kind != Line::Group) ++i;
  end = i;
  return true;
}

Line* findKey(const std::string& key) {
  size_t b, e;
  if (!g.open || !findGroup(g.group, b, e)) return nullptr;
  for (size_t i = b; i < e; ++i)
    if (g.lines[i].kind == Line::Key && sameName(g.lines[i].name, key)) return &g.lines[i];
  return nullptr;
}

bool isBlank(const Line& l) { return l.kind == Line::Other && trim(l.raw).empty(); }

void setValue(const std::string& key, const std::string& value) {
  if (!g.open || trim(key).empty()) return;
  if (Line* l = findKey(key)) {
    if (l->value != value) {
      l->value = value;
      g.changed = true;
    }
    return;
  }
  Line nl;
  nl.kind = Line::Key;
  nl.name = trim(key);
  nl.prefix = nl.name + " = ";
  nl.value = value;
  size_t b, e;
  if (findGroup(g.group, b, e)) {
    // After the group's last non-blank line.
    size_t at = e;
    while (at > b && isBlank(g.lines[at - 1])) --at;
    if (at == b && !g.group.empty()) at = b + 1;
    g.lines.insert(g.lines.begin() + ptrdiff_t(at), nl);
  } else {
    if (!g.lines.empty() && !isBlank(g.lines.back())) g.lines.push_back(Line{});
    Line h;
    h.kind = Line::Group;
    h.name = g.group;
    h.raw = "[" + g.group + "]";
    g.lines.push_back(h);
    g.lines.push_back(nl);
  }
  g.changed = true;
}

void reset() { g = Prefs{}; }

}  // namespace

bool openPreferences(const std::string& path) {
  if (g.open) closePreferences();
  reset();
  std::vector<uint8_t> data;
  if (!readWholeFile(path, data)) return false;
  g.open = true;
  g.path = path;
  std::string cur;
  for (size_t i = 0; i < data.size(); ++i) {
    char c = char(data[i]);
    if (c == '\r' || c == '\n') {
      if (c == '\r' && i + 1 < data.size() && data[i + 1] == '\n') ++i;
      g.lines.push_back(parseLine(cur));
      cur.clear();
    } else {
      cur.push_back(c);
    }
  }
  if (!cur.empty()) g.lines.push_back(parseLine(cur));
  return true;
}

bool createPreferences(const std::string& path) {
  if (g.open) closePreferences();
  reset();
  if (path.empty()) return false;
  g.open = true;
  g.changed = true;
  g.path = path;
  return true;
}

bool closePreferences() {
  if (!g.open) return false;
  bool ok = true;
  if (g.changed) {
    std::string out;
    for (const Line& l : g.lines) {
      out += l.kind == Line::Key ? l.prefix + l.value : l.raw;
      out += "\r\n";
    }
    ok = writeWholeFile(g.path, out.data(), out.size());
  }
  reset();
  return ok;
}

void preferenceGroup(const std::string& group) { g.group = trim(group); }

std::string readPreferenceString(const std::string& key, const std::string& def) {
  const Line* l = findKey(trim(key));
  return l ? l->value : def;
}

int32_t readPreferenceLong(const std::string& key, int32_t def) {
  const Line* l = findKey(trim(key));
  if (!l) return def;
  const char* s = l->value.c_str();
  const char* e = s + l->value.size();
  if (s < e && *s == '+') ++s;
  long long v = 0;
  auto [p, ec] = std::from_chars(s, e, v);
  if (p == s) return def;
  // A 32-bit value, signed or as written unsigned (4294967295 reads as -1); anything
  // beyond would wrap into an unrelated value, so the key reads as missing.
  if (ec == std::errc::result_out_of_range || v < INT32_MIN || v > int64_t(UINT32_MAX)) return def;
  return int32_t(uint32_t(uint64_t(v)));
}

// Accepts '.' or ',' as the decimal point whatever the locale.
float readPreferenceFloat(const std::string& key, float def) {
  const Line* l = findKey(trim(key));
  if (!l) return def;
  std::string v = l->value;
  for (char& c : v)
    if (c == ',') c = '.';
  const char* s = v.c_str();
  if (*s == '+') ++s;
  float f = 0;
  auto [p, ec] = std::from_chars(s, v.c_str() + v.size(), f);
  if (p == s || ec != std::errc()) return def;
  return f;
}

void writePreferenceString(const std::string& key, const std::string& value) {
  setValue(key, value);
}

void writePreferenceLong(const std::string& key, int32_t value) {
  setValue(key, std::to_string(value));
}

void writePreferenceFloat(const std::string& key, float value) {
  char buf[64];
  auto [p, ec] = std::to_chars(buf, buf + sizeof buf, value);
  setValue(key, ec == std::errc() ? std::string(buf, p) : "0");
}

void removePreferenceKey(const std::string& key) {
  Line* l = findKey(trim(key));
  if (!l) return;
  g.lines.erase(g.lines.begin() + (l - g.lines.data()));
  g.changed = true;
}

std::vector<std::string> preferenceGroups() {
  std::vector<std::string> out;
  for (const Line& l : g.lines) {
    if (l.kind != Line::Group) continue;
    bool seen = false;
    for (const auto& n : out) seen = seen || sameName(n, l.name);
    if (!seen) out.push_back(l.name);
  }
  return out;
}

std::vector<std::string> preferenceKeys() {
  std::vector<std::string> out;
  size_t b, e;
  if (!g.open || !findGroup(g.group, b, e)) return out;
  for (size_t i = b; i < e; ++i)
    if (g.lines[i].kind == Line::Key) out.push_back(g.lines[i].name);
  return out;
}

}  // namespace tk
