// Structure-effect table: the effects that the structure fill can stack on the black and
// the white plane, with their settings panel and default parameters, built at start-up
// from the structure effect range of the script function list.
#include <algorithm>

#include "script/script.h"
#include "tools/tools.h"
#include "toolkit/toolkit.h"

std::vector<StructureEffectEntry> StructureEffectTable;

namespace {

// Settings panel of every position 0..64.
const int32_t kPanels[StructureEffectPositions] = {
    223, 221, 0,   0,   0,   0,   0,   0,   0,   0,    // 0-9
    0,   233, 222, 222, 222, 222, 222, 222, 222, 0,    // 10-19
    223, 222, 224, 0,   0,   0,   0,   0,   0,   0,    // 20-29
    0,   0,   0,   0,   0,   225, 0,   0,   226, 227,  // 30-39
    227, 227, 0,   0,   0,   0,   0,   0,   0,   0,    // 40-49
    228, 0,   223, 222, 222, 0,   229, 222, 230, 231,  // 50-59
    222, 222, 222, 222, 232};                          // 60-64

void setDefaults(int pos, StructureEffectEntry& e) {
  switch (pos) {
    case 11:  // BiChromaticDithering: white and black replaced by themselves
      e.param10 = e.param11 = e.param12 = -128;
      e.param13 = e.param14 = e.param15 = 127;
      break;
    case 35:  // Colormove
      e.param7 = e.param8 = e.param9 = 1;
      break;
    case 38:  // SetColorspec: minimum, maximum, turning point per channel
      e.param10 = e.param11 = e.param12 = 0;
      e.param13 = e.param14 = e.param15 = 255;
      e.param16 = e.param17 = e.param18 = 50;
      break;
    case 56:  // Waves
      e.param2 = 100;
      e.param3 = 100;
      break;
    case 58:  // ClearColorRange
      e.param7 = e.param8 = e.param9 = e.param10 = e.param11 = e.param12 = 128;
      e.param16 = e.param17 = e.param18 = 128;
      break;
    default:
      break;
  }
}

}  // namespace

void BuildStructureEffectTable() {
  int64_t size = int64_t(effects_end) - int64_t(effects_start) + 1;
  size = std::clamp<int64_t>(size, 0, MaxFunctionEntries);
  StructureEffectTable.assign(size_t(size), StructureEffectEntry{});

  for (int64_t i = 0; i < size; ++i) {
    StructureEffectEntry& e = StructureEffectTable[i];
    int64_t listIndex = int64_t(effects_start) + i;
    if (listIndex >= 1 && listIndex < int64_t(FunctionNamesInFileOrder.size()))
      e.name = FunctionNamesInFileOrder[size_t(listIndex)];
    int32_t last = std::min<int32_t>(FunctionCount, int32_t(FunctionTable.size()) - 1);
    for (int32_t k = 0; k <= last; ++k)
      if (FunctionTable[k].name == e.name) e.help = FunctionTable[k].help;
    if (i < StructureEffectPositions) {
      e.settingsPanel = kPanels[i];
      setDefaults(int(i), e);
    }
  }

  if (FunctionsDatDamaged) {
    tk::messageRequester("Fehler",
                         "Die Datei Data/Functions.dat ist beschädigt.\rDie Script-Befehle und die "
                         "Struktur-Effekte stehen nur so weit zur Verfügung, wie sie lesbar sind.",
                         tk::MsgError);
  } else if (size < StructureEffectPositions) {
    tk::messageRequester("Fehler",
                         "Die Datei Data/Functions.dat enthält nur " + std::to_string(size) +
                             " der 65 Struktur-Effekte.\rDie Strukturfüllung bietet nur diese an.",
                         tk::MsgError);
  }
}
