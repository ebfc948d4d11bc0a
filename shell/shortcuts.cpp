// Keyboard shortcut sets of window 0: the image set, the script set and the panel set.
// A shortcut raises the menu event of its id; one flag (cutsda) tells whether a set is in.
#include <vector>

#include "shell/shell.h"
#include "toolkit/toolkit.h"

int32_t cutsda = 0;

namespace {

struct Shortcut {
  int key;
  int id;
};

constexpr int Ctrl = tk::ModCtrl, Shift = tk::ModShift, Alt = tk::ModAlt;
constexpr int VkReturn = 0x0D, VkSpace = 0x20, VkNumpad0 = 0x60, VkAdd = 0x6B, VkSubtract = 0x6D,
              VkF1 = 0x70, VkF5 = 0x74;

std::vector<Shortcut> MakeImageSet() {
  std::vector<Shortcut> s = {
      {Ctrl + 'S', 369}, {Ctrl + 'N', 370}, {Ctrl + 'O', 371}, {Ctrl + 'W', 372},
      {Ctrl + 'C', 373}, {Shift + 'C', 374}, {Ctrl + 'V', 375}, {Shift + 'V', 376},
      {Ctrl + 'X', 377}, {Shift + 'X', 378},
  };
  for (int d = 1; d <= 9; ++d) s.push_back({'0' + d, 379 + d});
  s.push_back({'0', 389});
  for (int c = 'A'; c <= 'Y'; ++c) s.push_back({c, 392 + (c - 'A')});   // no Z
  s.insert(s.end(), {{Ctrl + VkAdd, 417}, {Ctrl + VkSubtract, 418}, {Ctrl + '1', 419},
                     {Ctrl + '2', 420}, {Ctrl + '3', 421}, {Ctrl + '4', 422},
                     {Ctrl + VkSpace, 423}, {VkReturn, 424}, {VkNumpad0, 425}, {VkF1, 211}});
  return s;
}

const std::vector<Shortcut>& ImageSet() {
  static const std::vector<Shortcut> s = MakeImageSet();
  return s;
}

const std::vector<Shortcut>& ScriptSet() {
  static const std::vector<Shortcut> s = {
      {Ctrl + 'S', 435}, {Ctrl + 'N', 436}, {Ctrl + 'W', 437}, {Ctrl + 'O', 438},
      {Ctrl + 'B', 439}, {VkF5, 440},       {Ctrl + 'C', 441}, {Ctrl + 'X', 442},
      {Ctrl + 'V', 443}, {Alt + 'B', 444},  {Ctrl + 'F', 445}, {Ctrl + 'A', 446},
      {Ctrl + VkSpace, 447}, {VkF1, 211},
  };
  return s;
}

const std::vector<Shortcut>& PanelSet() {
  static const std::vector<Shortcut> s = {
      {Ctrl + 'Z', 5},     {Ctrl + 'Y', 6},          {Ctrl + 'S', 369},     {Ctrl + 'N', 370},
      {Ctrl + 'O', 371},   {Ctrl + 'W', 372},        {Ctrl + VkAdd, 417},   {Ctrl + VkSubtract, 418},
      {Ctrl + VkSpace, 423}, {VkF1, 211},
  };
  return s;
}

void Install(const std::vector<Shortcut>& set) {
  if (cutsda != 0) return;
  cutsda = 1;
  for (const Shortcut& s : set) tk::addShortcut(0, s.key, s.id);
}

void Remove(const std::vector<Shortcut>& set) {
  if (cutsda != 1) return;
  cutsda = 0;
  for (const Shortcut& s : set) tk::removeShortcut(0, s.key);
}

}  // namespace

void AddImageShortcuts() { Install(ImageSet()); }
void AddScriptShortcuts() { Install(ScriptSet()); }
void AddPanelShortcuts() { Install(PanelSet()); }
void RemoveImageShortcuts() { Remove(ImageSet()); }
void RemoveScriptShortcuts() { Remove(ScriptSet()); }
void RemovePanelShortcuts() { Remove(PanelSet()); }
