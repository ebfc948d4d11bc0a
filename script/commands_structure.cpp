// Structure sections: a white and a black list of commands run on the image (or the
// marked area) and its copy, then the structure's grey map mixes the two results.
#include <algorithm>

#include "documents/documents.h"
#include "script/commands.h"
#include "toolkit/toolkit.h"
#include "tools/tools.h"

using namespace script_cmd;

namespace {

struct Section {
  int32_t open = 0;
  int32_t whiteState = 0, whiteOpen = 0;   // state: 0 not yet, 1 ran first, 2 ran second
  int32_t blackState = 0, blackOpen = 0;
  int32_t orientation = 0;                 // 0 tile, 1 stretch
  std::string path;
  int32_t lastX = 0, lastY = 0;            // extents of the target when the section opened
};
Section ImageSection, AreaSection;

// The section's target: the image or the marked area.
struct Target {
  std::vector<PixelCell>& cells;
  std::vector<PixelCell>& copy;
  std::vector<uint8_t>& grey;
  int32_t& lastX;
  int32_t& lastY;
};
Target ImageTarget() { return {ImagePixels, StructurePlaneCopy, StructureGreyMap, bildlang, bildhoch}; }
Target AreaTarget() { return {AreaPixels, StructureAreaCopy, StructureAreaGreyMap, arealang, areahoch}; }

const char* const kResized = "Die Größe hat sich innerhalb der StructureSection geändert";

// The two planes can only be exchanged and mixed while they still have one size.
bool SameExtents(const Section& s, const Target& t) {
  if (t.lastX == s.lastX && t.lastY == s.lastY && t.copy.size() == t.cells.size()) return true;
  ReportScriptError(kResized);
  return false;
}

void Exchange(Target& t) {
  for (size_t i = 0; i < t.cells.size(); ++i) {
    const PixelCell a = t.cells[i], b = t.copy[i];
    t.cells[i] = (a & 0xFF000000u) | (b & 0x00FFFFFFu);
    t.copy[i] = (b & 0xFF000000u) | (a & 0x00FFFFFFu);
  }
}

void Release(Target& t) {
  t.copy.clear();
  t.copy.shrink_to_fit();
  t.grey.clear();
  t.grey.shrink_to_fit();
}

// Reads the structure file into the grey map at the target's extents; false after a
// script error. The header must describe exactly the grey bytes that follow it.
bool LoadGreyMap(const Section& s, Target& t) {
  std::vector<uint8_t> file;
  if (!tk::readWholeFile(s.path, file)) {
    ReportScriptError("Structure nicht gefunden");
    return false;
  }
  auto long32 = [&](size_t at) {
    return int32_t(uint32_t(file[at]) | uint32_t(file[at + 1]) << 8 | uint32_t(file[at + 2]) << 16 |
                   uint32_t(file[at + 3]) << 24);
  };
  const int32_t sx = file.size() >= 8 ? long32(0) : -1, sy = file.size() >= 8 ? long32(4) : -1;
  if (sx < 0 || sy < 0 || uint64_t(sx + 1ull) * uint64_t(sy + 1ull) != file.size() - 8) {
    ReportScriptError("Die Structure-Datei ist beschädigt");
    return false;
  }
  const size_t sw = size_t(sx) + 1, sh = size_t(sy) + 1;
  const size_t w = size_t(t.lastX) + 1, h = size_t(t.lastY) + 1;
  const uint8_t* grey = file.data() + 8;
  t.grey.resize(w * h);
  if (sx == t.lastX && sy == t.lastY) {
    std::copy(grey, grey + w * h, t.grey.begin());
  } else if (s.orientation == 0) {
    for (size_t y = 0; y < h; ++y) {
      const uint8_t* row = grey + (y % sh) * sw;
      for (size_t x = 0; x < w; ++x) t.grey[y * w + x] = row[x % sw];
    }
  } else {
    // Stretched through a toolkit image whose three channels carry the grey.
    std::vector<PixelCell> cells(sw * sh);
    for (size_t i = 0; i < cells.size(); ++i) cells[i] = PixelCell(grey[i]) * 0x010101u;
    const int image = tk::createImage(-1, int(sw), int(sh));
    if (image < 0) {
      ReportScriptError("Structure nicht gefunden");
      return false;
    }
    tk::pixelsToImage(image, cells.data(), int(sw), int(sh), int(sw));
    tk::resizeImage(image, int(w), int(h));
    cells.assign(w * h, 0);
    tk::imageToPixels(image, cells.data(), int(w), int(h), int(w));
    tk::freeImage(image);
    for (size_t i = 0; i < w * h; ++i) t.grey[i] = uint8_t((cells[i] >> 16) & 0xFF);
  }
  return true;
}

struct Words {
  const char* sectionOpenAgain;
  const char* painting;
  const char* blackOpen;      // WhiteEffects while the black list is open
  const char* whiteTwiceOpen;
  const char* whiteTwice;
  const char* whiteOpen;      // BlackEffects while the white list is open
  const char* blackTwiceOpen;
  const char* blackTwice;
};
const Words ImageWords = {
    "EndStructureSection muss aufgerufen werden, bevor StructureSection erneut aufgerufen werden kann",
    "Der ZeichenModus muss vor StructureSection geschlossen werden",
    "EndBlackEffects fehlt",
    "2 Fehler:\r1.)EndWhiteEffects muss aufgerufen werden, bevor WhiteEffects zum zweiten Mal aufgerufen werden "
    "kann\r2.)WhiteEffects kann nicht 2mal in der gleichen StructureSection aufgerufen werden",
    "WhiteEffects kann nicht 2mal in der gleichen StructureSection aufgerufen werden",
    "EndWhiteEffects fehlt",
    "2 Fehler:\r1.)EndBlackEffects muss aufgerufen werden, bevor BlackEffects zum zweiten Mal aufgerufen werden "
    "kann\r2.)BlackEffects kann nicht 2mal in der gleichen StructureSection aufgerufen werden",
    "BlackEffects kann nicht 2mal in der gleichen StructureSection aufgerufen werden",
};
const Words AreaWords = {
    "EndStructureSection_Marked muss aufgerufen werden, bevor StructureSection_Marked erneut aufgerufen werden "
    "kann",
    "Der ZeichenModus muss vor StructureSection_Marked geschlossen werden",
    "EndBlackEffects_Marked fehlt",
    "2 Fehler:\r1.)EndWhiteEffects_Marked muss aufgerufen werden, bevor WhiteEffects_Marked zum zweiten Mal "
    "aufgerufen werden kann\r2.)WhiteEffects_Marked kann nicht 2mal in der gleichen StructureSection aufgerufen "
    "werden",
    "WhiteEffects_Marked kann nicht 2mal in der gleichen StructureSection aufgerufen werden",
    "EndWhiteEffects fehlt",
    "2 Fehler:\r1.)EndBlackEffects_Marked muss aufgerufen werden, bevor BlackEffects_Marked zum zweiten Mal "
    "aufgerufen werden kann\r2.)BlackEffects_Marked kann nicht 2mal in der gleichen StructureSection aufgerufen "
    "werden",
    "BlackEffects_Marked kann nicht 2mal in der gleichen StructureSection aufgerufen werden",
};

void Open(Section& s, Target t, const Words& words, bool marked) {
  if (!NeedImage()) return;
  if (marked && MarkState != 1 && MarkState != 2) return ReportScriptError("Kein Markierter Bereich vorhanden");
  if (!NeedCount(2)) return;
  if (s.open) return ReportScriptError(words.sectionOpenAgain);
  if (PointMode != 0) return ReportScriptError(words.painting);
  const std::string& file = StatementArgs[1];
  if (file.size() < 2 || file.front() != '"' || file.back() != '"') return ReportScriptError("Ein String wird erwartet");
  if (!IsNumberText(StatementArgs[2])) return ReportScriptError("Hier wird eine Zahl erwartet");
  const int32_t orientation = TextToInteger(StatementArgs[2]);
  if (!NeedRange(orientation, 0, 1, "Ausrichtung muss 0 oder 1 sein")) return;
  const std::string path = ResolveScriptPath(file.substr(1, file.size() - 2));
  const int f = tk::readFile(-1, path);
  if (f < 0) return ReportScriptError("Structure nicht gefunden");
  tk::closeFile(f);
  s = Section{};
  s.open = 1;
  s.orientation = orientation;
  s.path = path;
  s.lastX = t.lastX;
  s.lastY = t.lastY;
  t.copy = t.cells;
  if (!marked) StructureSectionOpen = 1;
}

void White(Section& s, Target t, const Words& words) {
  if (!NeedImage()) return;
  if (s.blackOpen) return ReportScriptError(words.blackOpen);
  if (!s.open) return ReportScriptError("Keine StructureSection vorhanden");
  if (s.whiteOpen) return ReportScriptError(words.whiteTwiceOpen);
  if (s.whiteState != 0) return ReportScriptError(words.whiteTwice);
  if (s.blackState == 1) {
    if (!SameExtents(s, t)) return;
    s.whiteState = 2;
    Exchange(t);
  } else {
    s.whiteState = 1;
  }
  s.whiteOpen = 1;
}

void Black(Section& s, Target t, const Words& words) {
  if (!NeedImage()) return;
  if (s.whiteOpen) return ReportScriptError(words.whiteOpen);
  if (!s.open) return ReportScriptError("Keine StructureSection vorhanden");
  if (s.blackOpen) return ReportScriptError(words.blackTwiceOpen);
  if (s.blackState != 0) return ReportScriptError(words.blackTwice);
  if (!SameExtents(s, t)) return;
  s.blackState = s.whiteState == 1 ? 2 : 1;
  Exchange(t);
  s.blackOpen = 1;
}

void Close(Section& s, Target t, bool marked) {
  if (!NeedImage()) return;
  if (!s.open)
    return ReportScriptError("StructureSection muss aufgerufen werden, bevor EndStructureSection aufgerufen werden kann");
  if (!SameExtents(s, t)) return;
  // The image must hold the white result and the copy the black one: the black list
  // left its result in the image when it ran second, or when no white list ran after it.
  if (s.blackState == 2 || (s.blackState == 1 && s.whiteState == 0)) Exchange(t);
  if (!LoadGreyMap(s, t)) return;
  if (marked) BlendStructure_Marked();
  else BlendStructure();
  Release(t);
  s = Section{};
  if (!marked) StructureSectionOpen = 0;
}

}  // namespace

void ResetStructureSections() {
  ImageSection = Section{};
  AreaSection = Section{};
  Target a = ImageTarget(), b = AreaTarget();
  Release(a);
  Release(b);
}

void CmdStructureSection() { Open(ImageSection, ImageTarget(), ImageWords, false); }
void CmdWhiteEffects() { White(ImageSection, ImageTarget(), ImageWords); }
void CmdEndWhiteEffects() {
  if (NeedImage()) ImageSection.whiteOpen = 0;
}
void CmdBlackEffects() { Black(ImageSection, ImageTarget(), ImageWords); }
void CmdEndBlackEffects() {
  if (NeedImage()) ImageSection.blackOpen = 0;
}
void CmdEndStructureSection() { Close(ImageSection, ImageTarget(), false); }

void CmdStructureSection_Marked() { Open(AreaSection, AreaTarget(), AreaWords, true); }
void CmdWhiteEffects_Marked() { White(AreaSection, AreaTarget(), AreaWords); }
void CmdEndWhiteEffects_Marked() {
  if (!NeedImage()) return;
  if (!AreaSection.whiteOpen)
    return ReportScriptError("WhiteEffects_Marked muss aufgerufen werden, bevor EndWhiteEffects aufgerufen werden kann");
  AreaSection.whiteOpen = 0;
}
void CmdBlackEffects_Marked() { Black(AreaSection, AreaTarget(), AreaWords); }
void CmdEndBlackEffects_Marked() {
  if (NeedImage()) AreaSection.blackOpen = 0;
}
void CmdEndStructureSection_Marked() { Close(AreaSection, AreaTarget(), true); }
