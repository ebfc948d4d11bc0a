// The custom formula effect on the image (OwnEffect) and on the marked area (OwnEffect_Marked):
// every cell (#x, #y) takes the colour bytes of the cell (x2, y2) of a copy made at the start,
// x2 and y2 being the whole-number values of two formulas in the script's arithmetic, clamped
// to the array. The formulas are rewritten and evaluated afresh for every cell (the script's
// per-cell entry, EvaluateCellFormula); the flag byte of every cell stays.
//
// The first cell whose formula fails ends the effect at once: cells already done keep their
// new colours, the rest their old ones. A formula the check refuses gets one message box of
// its own; an error inside a function call has the evaluator's message only. Either way
// `allok` is 0 afterwards, so a running script stops too.
//
// The texts may come from a script command with their two enclosing double quotes; those are
// taken off first (a formula itself can never be a quoted text).
#include <algorithm>
#include <cctype>

#include "effects/area_frame.h"
#include "effects/effects.h"
#include "script/script.h"
#include "shell/shell.h"
#include "toolkit/toolkit.h"

namespace {

const char* const FunctionNames[12] = {"Sin",         "Cos",           "Tan",          "Min",
                                       "Max",         "Pow",           "Random",       "GetRedColor",
                                       "GetGreenColor", "GetBlueColor", "Sqr",          "Pos"};

void ReplaceAll(std::string& text, const std::string& what, const std::string& by) {
  for (size_t p = text.find(what); p != std::string::npos; p = text.find(what, p + by.size()))
    text.replace(p, what.size(), by);
}

// The formula as the effect reads it: quotes of a script text off, the image placeholders in.
std::string PrepareText(const std::string& text) {
  std::string t = text;
  if (t.size() >= 2 && t.front() == '"' && t.back() == '"') t = t.substr(1, t.size() - 2);
  ReplaceAll(t, "#cvn_width", std::to_string(bildhoch));    // the last row index
  ReplaceAll(t, "#cvn_height", std::to_string(bildlang));   // the last column index
  ReplaceAll(t, "#cvn_pi", "3.1415");
  return t;
}

// Every occurrence of a function name, in any letter case, spelled as the evaluator knows it.
void NormaliseFunctionNames(std::string& t) {
  for (const char* name : FunctionNames) {
    const size_t n = std::char_traits<char>::length(name);
    for (size_t p = 0; p + n <= t.size(); ++p) {
      bool same = true;
      for (size_t k = 0; k < n && same; ++k)
        same = std::tolower(static_cast<unsigned char>(t[p + k])) == std::tolower(static_cast<unsigned char>(name[k]));
      if (same) std::copy_n(name, n, t.begin() + ptrdiff_t(p));
    }
  }
}

// One formula for one cell: true with the clamped value, false when the effect must stop.
bool CellValue(CellFormula& f, int32_t x, int32_t y, int32_t last, const char* message, int32_t& value) {
  const int32_t r = EvaluateCellFormula(f, x, y, &value);
  if (r == 1) {
    value = std::clamp(value, 0, last);
    return true;
  }
  if (r == 0) tk::messageRequester("Fehler", message);
  allok = 0;
  return false;
}

// The walk shared by both forms: cells of `cells` (rows of lastX + 1) from `copy`.
void RemapCells(std::vector<uint32_t>& cells, const std::vector<uint32_t>& copy, int32_t lastX, int32_t lastY,
                CellFormula& fx2, CellFormula& fy2) {
  const size_t row = size_t(lastX) + 1;
  if (lastX < 0 || lastY < 0 || cells.size() < row * (size_t(lastY) + 1) || copy.size() < cells.size()) return;
  int32_t x2 = 0, y2 = 0;
  for (lang = 0; lang <= lastX; ++lang) {
    for (hoch = 0; hoch <= lastY; ++hoch) {
      if (!CellValue(fx2, lang, hoch, lastX, "Die Funktion für x2 ist Defekt", x2)) return;
      if (!CellValue(fy2, lang, hoch, lastY, "Die Funktion für Y2 ist defekt", y2)) return;
      uint32_t& c = cells[size_t(hoch) * row + size_t(lang)];
      c = (c & fx::FlagMask) | (copy[size_t(y2) * row + size_t(x2)] & fx::ColourMask);
    }
  }
}

}  // namespace

int32_t OwnEffect(const std::string& x2Formula, const std::string& y2Formula, uint8_t quiet) {
  fx::BeginEffect(quiet);
  allok = 1;
  TransformCopy = ImagePixels;
  std::string tx = PrepareText(x2Formula), ty = PrepareText(y2Formula);
  NormaliseFunctionNames(tx);
  NormaliseFunctionNames(ty);
  // The evaluator's messages name the effect; a running script's statement comes back after.
  const int32_t keptLine = ScriptErrorLine;
  std::string keptName = ScriptErrorName;
  ScriptErrorLine = 0;
  ScriptErrorName = "Eigene Effektfunktion";
  CellFormula fx2, fy2;
  PrepareCellFormula(fx2, tx);
  PrepareCellFormula(fy2, ty);
  RemapCells(ImagePixels, TransformCopy, bildlang, bildhoch, fx2, fy2);
  ScriptErrorLine = keptLine;
  ScriptErrorName = std::move(keptName);
  TransformCopy.assign(1, 0u);
  fx::EndEffect(quiet);
  return 0;
}

int32_t OwnEffect_Marked(const std::string& x2Formula, const std::string& y2Formula, int32_t quiet) {
  fx::BeginAreaEffect();
  allok = 1;
  AreaTransformCopy = AreaPixels;
  CellFormula fx2, fy2;
  PrepareCellFormula(fx2, PrepareText(x2Formula));
  PrepareCellFormula(fy2, PrepareText(y2Formula));
  RemapCells(AreaPixels, AreaTransformCopy, arealang, areahoch, fx2, fy2);
  AreaTransformCopy.assign(1, 0u);
  fx::EndAreaEffect(quiet);
  return 0;
}
