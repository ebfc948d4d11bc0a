// Fonts by number and the list of font families.
#include <QApplication>
#include <QFontDatabase>

#include <algorithm>
#include <map>

#include "toolkit/internal.h"
#include "toolkit/tk_image.h"

namespace tk {
namespace {
std::map<int, QFont> g_fonts;
constexpr int FirstFreeFont = 100000;
constexpr int MaxPointSize = 1000;
}  // namespace

namespace detail {
QFont font(int num) {
  auto it = g_fonts.find(num);
  return it == g_fonts.end() ? QApplication::font() : it->second;
}
}  // namespace detail

int loadFont(int num, const std::string& face, int size, unsigned style) {
  if (num < -1 || size > MaxPointSize) return -1;
  if (num == -1) {
    num = FirstFreeFont;
    while (g_fonts.count(num)) ++num;
  }
  QFont f = QApplication::font();
  if (!face.empty()) f.setFamilies({toQt(face)});
  if (size > 0) f.setPointSize(size);   // 0 or less keeps the default size
  f.setBold(style & FontBold);
  f.setItalic(style & FontItalic);
  f.setUnderline(style & FontUnderline);
  f.setStrikeOut(style & FontStrikeOut);
  g_fonts[num] = f;
  return num;
}

void freeFont(int num) { g_fonts.erase(num); }
bool isFont(int num) { return g_fonts.count(num) != 0; }

std::vector<std::string> fontFamilies() {
  std::vector<std::string> out;
  for (const QString& q : QFontDatabase::families()) {
    std::string s = fromQt(q);
    // A name Windows-1252 cannot hold could not be asked for again: left out.
    if (toQt(s) != q) continue;
    out.push_back(std::move(s));
  }
  if (!out.empty()) sortNoCase(out.data(), out.data() + out.size());
  out.erase(std::unique(out.begin(), out.end()), out.end());
  return out;
}

}  // namespace tk
