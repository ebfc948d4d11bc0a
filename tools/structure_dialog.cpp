// The structure dialog (window 5, "Füllen"): choose a structure, build the black and the
// white plane's effect lists with their settings, and fill the image or the marked area.
#include <algorithm>
#include <functional>

#include "documents/documents.h"
#include "script/script.h"
#include "shell/shell.h"
#include "toolkit/toolkit.h"
#include "tools/tools.h"

namespace {

// The gadgets of one plane's container in the "Effekte" tab.
struct PlaneGadgets {
  int container, other, choice, help, list;
  EffectList* effects;
};
PlaneGadgets Black() { return {203, 210, 208, 205, 209, &BlackEffectList}; }
PlaneGadgets White() { return {210, 203, 215, 212, 216, &WhiteEffectList}; }

void AddEffect(const PlaneGadgets& p) {
  if (tk::gadgetText(p.choice).empty()) return;
  const int32_t pos = tk::gadgetState(p.choice);
  const int32_t row = tk::gadgetState(p.list);
  const int32_t at = InsertEffect(*p.effects, row, pos);
  if (at < 0) return;
  tk::addGadgetItem(p.list, at, p.effects->items[size_t(at)].name);
  tk::setGadgetState(p.list, at);
  ShowCurrentEffectSettings(*p.effects);
}

void RemoveSelected(const PlaneGadgets& p) {
  const int32_t row = tk::gadgetState(p.list);
  if (p.effects->items.empty() || row < 0 || size_t(row) >= p.effects->items.size()) return;
  tk::removeGadgetItem(p.list, row);
  RemoveEffect(*p.effects, row);
  // The container follows the new current element, so edits go where the user sees them.
  if (p.effects->current >= 0) tk::setGadgetState(p.list, p.effects->current);
  ShowCurrentEffectSettings(*p.effects);
}

void SelectEffect(const PlaneGadgets& p) {
  const int32_t row = tk::gadgetState(p.list);
  if (tk::countGadgetItems(p.list) == 0 || row < 0 || size_t(row) >= p.effects->items.size()) return;
  p.effects->current = row;
  ShowCurrentEffectSettings(*p.effects);
}

void ShowPlane(const PlaneGadgets& p) {
  tk::hideGadget(p.other, true);
  tk::hideGadget(p.container, false);
  for (int c = 221; c <= 233; ++c) tk::hideGadget(c, true);
  SelectEffect(p);
}

void DropQueued() {
  while (tk::queuedEvents() > 0) tk::pollEvent();
}

void BuildPlane(int container, int check, const char* checkText, int choice, int add, int remove, int list,
                int help) {
  tk::container(container, 0, 60, 594, 450);
  tk::checkBox(check, 10, 5, 400, 20, checkText);
  tk::comboBox(choice, 10, 35, 250, 300);
  for (const StructureEffectEntry& e : StructureEffectTable) tk::addGadgetItem(choice, -1, e.name);
  tk::button(add, 270, 35, 100, 22, "Hinzufügen");
  tk::button(remove, 380, 35, 100, 22, "Entfernen");
  tk::columnList(list, 10, 70, 260, 360, "Effekte", 240, tk::GfFullRow);
  tk::textBox(help, 280, 70, 300, 360, "");
  tk::closeGadgetList();
  tk::setGadgetState(check, 1);
}

}  // namespace

int32_t AddBlackEffect() {
  OnErrorCode2 = 13;
  AddEffect(Black());
  OnErrorCode2 = 0;
  return 0;
}
int32_t AddWhiteEffect() {
  OnErrorCode2 = 14;
  AddEffect(White());
  OnErrorCode2 = 0;
  return 0;
}
int32_t RemoveBlackEffect() { RemoveSelected(Black()); return 0; }
int32_t RemoveWhiteEffect() { RemoveSelected(White()); return 0; }
int32_t ShowBlackEffectSettings() { SelectEffect(Black()); return 0; }
int32_t ShowWhiteEffectSettings() {
  OnErrorCode2 = 16;
  SelectEffect(White());
  OnErrorCode2 = 0;
  return 0;
}
int32_t ShowBlackEffectList() {
  OnErrorCode2 = 15;
  ShowPlane(Black());
  OnErrorCode2 = 0;
  return 0;
}
int32_t ShowWhiteEffectList() {
  OnErrorCode2 = 16;
  ShowPlane(White());
  OnErrorCode2 = 0;
  return 0;
}

void PreviewStructure() {
  std::vector<uint8_t> grey;
  int32_t w = 0, h = 0;
  if (!ReadStructureFile(StructureEntryPath(tk::gadgetState(195)), grey, w, h)) return;
  const int32_t cw = w + 1, ch = h + 1;
  std::vector<uint32_t> cells(grey.size());
  for (size_t i = 0; i < grey.size(); ++i) cells[i] = uint32_t(grey[i]) * 0x010101u;
  if (tk::createImage(39, cw, ch, 32) == 39 && tk::pixelsToImage(39, cells.data(), cw, ch, cw))
    tk::resizeImage(39, 100, 100);
  tk::setGadgetAttribute(196, tk::AttrImage, 39);
  tk::setGadgetText(197, std::to_string(ch));
  tk::setGadgetText(198, std::to_string(cw));
}

int32_t OpenStructureDialog(uint8_t marked) {
  OnErrorCode1 = 34;
  BlackEffectList = EffectList{};
  WhiteEffectList = EffectList{};
  tk::createImage(39, 100, 100, 24, 0);
  tk::disableWindow(0, true);
  if (tk::openWindow(5, 300, 70, 600, 620, "Füllen", tk::WfCaption | tk::WfSystemMenu, 0) < 0) {
    tk::disableWindow(0, false);
    tk::freeImage(39);
    return 0;
  }
  tk::useWindow(5);
  CreateBlackWhiteSwatches();
  tk::panel(194, 3, 5, 594, 560);
  tk::addGadgetItem(194, -1, "Structuren");
  tk::tree(195, 5, 5, 260, 520);
  bool folderOpen = false;
  for (const StructureListEntry& e : StructureList) {
    if (e.isFolder) {
      tk::addGadgetItem(195, -1, e.name, -1, 0);
      folderOpen = true;
    } else {
      tk::addGadgetItem(195, -1, e.name, -1, folderOpen ? 1 : 0);
    }
  }
  tk::imageGadget(196, 270, 50, 100, 100, 39);
  tk::frame(-1, 270, 170, 100, 100, "Angaben");
  tk::label(-1, 280, 195, 80, 20, "Höhe");
  tk::label(-1, 280, 225, 80, 20, "Breite");
  tk::frame(-1, 380, 170, 100, 100, "Structure");
  tk::label(197, 390, 195, 80, 20, "");
  tk::label(198, 390, 225, 80, 20, "");
  tk::frame(-1, 490, 170, 100, 100, "Bild");
  tk::label(-1, 500, 195, 80, 20, std::to_string(bildhoch + 1));
  tk::label(-1, 500, 225, 80, 20, std::to_string(bildlang + 1));
  tk::frame(-1, 280, 400, 130, 70, "Ausrichtung");
  tk::option(199, 290, 420, 110, 20, "Fläche");
  tk::option(200, 290, 442, 110, 20, "Gestreckt");
  tk::setGadgetState(200, 1);
  tk::addGadgetItem(194, -1, "Effekte");
  tk::option(202, 10, 10, 250, 20, "Effekte der weißen Ebene");
  tk::option(201, 10, 32, 250, 20, "Effekte der schwarzen Ebene");
  tk::setGadgetState(201, 1);   // the black plane is shown, so edits go to its list
  BuildPlane(203, 204, "Effekte auf schwarze Ebene anwenden", 208, 206, 207, 209, 205);
  BuildPlane(210, 211, "Effekte auf weiße Ebene anwenden", 215, 213, 214, 216, 212);
  tk::hideGadget(210, true);
  tk::addGadgetItem(194, -1, "Effekteinstellungen");
  BuildStructureSettingsContainers();
  tk::closeGadgetList();
  tk::button(217, 50, 580, 100, 30, "OK");
  tk::button(218, 250, 580, 100, 30, "Abbrechen");
  if (tk::countGadgetItems(195) > 0) {
    tk::setGadgetState(195, 0);
    PreviewStructure();
  }
  tk::setGadgetState(194, 0);
  tk::activateWindow(5);

  bool quit = false;
  while (!quit) {
    if (tk::activeWindow() == 0) tk::activateWindow(5);
    LastEvent = tk::waitEvent();
    if (LastEvent == tk::EvClose && tk::eventWindow() == 5) quit = true;
    if (LastEvent != tk::EvGadget) continue;
    const int g = tk::eventGadget();
    if (g > 218) {
      UpdateEffectSettingsPanel(g);
      continue;
    }
    switch (g) {
      case 208: case 215: {
        tk::waitComboClosed(g);
        const int row = tk::gadgetState(g);
        if (row >= 0 && size_t(row) < StructureEffectTable.size())
          tk::setGadgetText(g == 208 ? 205 : 212, StructureEffectTable[size_t(row)].help);
        break;
      }
      case 201: ShowBlackEffectList(); break;
      case 202: ShowWhiteEffectList(); break;
      case 206: AddBlackEffect(); DropQueued(); break;
      case 213: AddWhiteEffect(); DropQueued(); break;
      case 207: RemoveBlackEffect(); DropQueued(); break;
      case 214: RemoveWhiteEffect(); DropQueued(); break;
      case 209: ShowBlackEffectSettings(); DropQueued(); break;
      case 216: ShowWhiteEffectSettings(); DropQueued(); break;
      case 195: PreviewStructure(); break;
      case 217: {
        const int sel = tk::gadgetState(195);
        if (sel < 0 || size_t(sel) >= StructureList.size() || StructureList[size_t(sel)].isFolder) {
          tk::messageRequester("Fehler", "Es ist keine Structure gewählt worden");
          break;
        }
        if (marked) ApplyStructure_Marked(uint8_t(tk::gadgetState(200)));
        else ApplyStructure(uint8_t(tk::gadgetState(200)));
        quit = true;
        break;
      }
      case 218: quit = true; break;
      default: break;
    }
  }
  tk::closeWindow(5);
  tk::disableWindow(0, false);
  tk::freeImage(39);
  tk::setWindowCallback(0, MainWindowCallback);
  tk::activateWindow(0);
  tk::useWindow(0);
  LastEvent = 0;
  BlackEffectList = EffectList{};
  WhiteEffectList = EffectList{};
  return 0;
}
