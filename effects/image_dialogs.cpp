// Dialogs of the image commands that are built like the effect dialogs: the JPEG quality
// (window 16), the image size (29), the list of images to save before quitting (35), the
// name and folder of a new structure file (36) and the choice of a picture buffer (34).
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "documents/documents.h"
#include "effects/dialog_internal.h"
#include "effects/effects.h"
#include "shell/shell.h"
#include "toolkit/toolkit.h"

int32_t ImageQualityDialog(int32_t level) {
  OnErrorCode1 = 13;
  if (!OpenDialogWindow(16, 400, 300, 200, 50, "Bildqualität einstellen")) return level;
  tk::comboBox(623, 0, 5, 200, 200);
  for (const char* name : {"Sehr Schlecht", "Schlecht", "Kaum Erkennbar", "Sehr Grob", "Grob", "Etwas Grober",
                           "Normal", "Etwas besser", "Fein", "Sehr Fein", "Bestmöglich"})
    tk::addGadgetItem(623, -1, name);
  tk::setGadgetState(623, std::clamp(level, 0, 10));
  tk::button(624, 0, 30, 100, 20, "OK");
  tk::button(625, 100, 30, 100, 20, "Abbrechen");
  // The close box cancels like "Abbrechen": it must not choose the worst quality.
  int32_t result = -1;
  for (bool open = true; open;) {
    KeepDialogInFront(16);
    const int ev = tk::waitEvent();
    LastEvent = ev;
    if (IsDialogCancel(ev, 16)) break;
    if (ev != tk::EvGadget) continue;
    if (tk::eventGadget() == 624) {
      result = std::clamp(tk::gadgetState(623), 0, 10);
      open = false;
    } else if (tk::eventGadget() == 625) {
      open = false;
    }
  }
  CloseDialogWindow(16);
  return result;
}

// ---- image size ---------------------------------------------------------------------------

int32_t AspectSide(int32_t typed, int32_t typedSide, int32_t otherSide) {
  if (typedSide <= 0) return typed;
  return int32_t(std::clamp<int64_t>(int64_t(typed) * otherSide / typedSide, INT32_MIN, INT32_MAX));
}

void AnchorOffset(int32_t anchor, int32_t oldLastX, int32_t oldLastY, int32_t newLastX, int32_t newLastY,
                  int32_t& offsetX, int32_t& offsetY) {
  const int32_t dx = int32_t(std::min<int64_t>(std::llabs(int64_t(oldLastX) - newLastX), INT32_MAX));
  const int32_t dy = int32_t(std::min<int64_t>(std::llabs(int64_t(oldLastY) - newLastY), INT32_MAX));
  anchor = std::clamp(anchor, 0, 8);
  // Anchors go down the left column first, then the middle, then the right one.
  const int column = anchor / 3, row = anchor % 3;
  offsetX = column == 0 ? 0 : column == 1 ? dx / 2 : dx;
  offsetY = row == 0 ? 0 : row == 1 ? dy / 2 : dy;
}

namespace {

// The default printer's page in pixels: A4 at the printer's resolution, or at 30 pixels a
// centimetre when there is no printer.
void PrinterPage(double& width, double& height) {
  const int32_t dpi = DefaultPrinterResolution();
  const double perCm = dpi > 0 ? dpi / 2.54 : 30.0;
  width = 21.0 * perCm;
  height = 29.7 * perCm;
}

}  // namespace

bool ResizePresetSize(int32_t preset, int32_t& width, int32_t& height) {
  double pw = 0, ph = 0;
  switch (preset) {
    case 0: width = bildlang + 1; height = bildhoch + 1; return true;
    case 1: width = height = 32; return true;
    case 2: PrinterPage(pw, ph); width = int32_t(std::lround(pw)); height = int32_t(std::lround(ph)); return true;
    case 3:
      PrinterPage(pw, ph);
      width = int32_t(std::lround(std::max(pw, ph) * 12.6 / 29.7));
      height = int32_t(std::lround(std::min(pw, ph) * 12.5 / 21.1));
      return true;
    case 4:
      PrinterPage(pw, ph);
      width = int32_t(std::floor(pw * 10.7 / 21.0));
      height = int32_t(std::floor(ph * 10.7 / 29.8));
      return true;
    case 5: width = 1024; height = 768; return true;
    case 6: width = 800; height = 600; return true;
    case 7: width = 640; height = 480; return true;
    default: return false;
  }
}

namespace {

uint32_t BackgroundOfCurrentImage() {
  if (CurrentImage < 1 || CurrentImage >= int32_t(ImageRecords.size())) return 0xFFFFFF;
  const ImageRecord& r = ImageRecords[CurrentImage];
  return DialogColor(r.bgcolor[2], r.bgcolor[1], r.bgcolor[0]);
}

void BuildResizeWindow() {
  tk::label(768, 70, 20, 160, 40, "Bildgröße ändern:\r\nBreite" + std::string(15, ' ') + "Höhe", tk::GfMultiLine);
  tk::stringField(769, 60, 60, 60, 20, std::to_string(bildlang + 1), tk::GfNumbers);
  tk::stringField(770, 140, 60, 60, 20, std::to_string(bildhoch + 1), tk::GfNumbers);
  tk::checkBox(771, 60, 85, 200, 20, "Größenverhältnis beibehalten");
  tk::label(772, 50, 130, 70, 20, "Sondergröße:");
  tk::comboBox(773, 120, 125, 100, 200);
  for (const char* p : {"Momentan", "Icon", "Druckerseite", "CdHülle", "Kasettenhülle", "Screen:1024X768",
                        "Screen:800X600", "Screen:640X480"})
    tk::addGadgetItem(773, -1, p);
  tk::setGadgetState(773, 0);
  tk::checkBox(774, 50, 185, 160, 20, "Bildgröße beibehalten");
  tk::comboBox(775, 90, 205, 100, 200);
  for (const char* a : {"links oben", "links Mitte", "links unten", "Mitte oben", "Mitte", "Mitte unten",
                        "Rechts oben", "Rechts", "Rechts unten"})
    tk::addGadgetItem(775, -1, a);
  tk::setGadgetState(775, 0);
  tk::disableGadget(775, true);
  tk::imageButton(776, 90, 240, 100, 20, 24);
  tk::button(777, 100, 285, 80, 20, "Anpassen");
  tk::button(778, 200, 285, 80, 20, "Abbrechen");
}

}  // namespace

int32_t ResizeImageDialog() {
  FillDialogSwatch(24, 100, 20, BackgroundOfCurrentImage());
  if (!OpenDialogWindow(29, 200, 200, 300, 320, "Bildgröße ändern")) return 0;
  BuildResizeWindow();
  bool apply = false;
  for (bool open = true; open;) {
    const int ev = tk::waitEvent();
    if (IsDialogCancel(ev, 29)) break;
    if (ev != tk::EvGadget) continue;
    switch (tk::eventGadget()) {
      case 769:
      case 770:
        if (tk::gadgetState(771) == 1) {
          const bool widthTyped = tk::eventGadget() == 769;
          const int32_t typed = FieldNumber(tk::gadgetText(tk::eventGadget()));
          const int32_t other = widthTyped ? AspectSide(typed, bildlang + 1, bildhoch + 1)
                                           : AspectSide(typed, bildhoch + 1, bildlang + 1);
          tk::setGadgetText(widthTyped ? 770 : 769, std::to_string(other));
        }
        break;
      case 773: {
        int32_t w = 0, h = 0;
        if (ResizePresetSize(tk::gadgetState(773), w, h)) {
          tk::setGadgetText(769, std::to_string(w));
          tk::setGadgetText(770, std::to_string(h));
        }
        tk::setActiveGadget(768);
        DropPendingEvents();
        break;
      }
      case 774:
        tk::disableGadget(775, tk::gadgetState(774) == 0);
        break;
      case 776: {
        const int64_t c = Colornumber == 0 ? ShowSystemColourDialog(BackgroundOfCurrentImage()) : ChoosePaletteColor();
        tk::activateWindow(29);
        if (c < 0) break;
        FillDialogSwatch(24, 100, 20, uint32_t(c));
        if (CurrentImage >= 1 && CurrentImage < int32_t(ImageRecords.size())) {
          ImageRecord& r = ImageRecords[CurrentImage];
          r.bgcolor[2] = uint8_t(c);
          r.bgcolor[1] = uint8_t(c >> 8);
          r.bgcolor[0] = uint8_t(c >> 16);
        }
        tk::setGadgetAttribute(776, tk::AttrImage, 24);
        break;
      }
      case 777:
        // An empty or zero side would leave an image of no cells.
        if (FieldNumber(tk::gadgetText(769)) < 1 || FieldNumber(tk::gadgetText(770)) < 1) {
          tk::messageRequester("Fehler", "Breite und Höhe müssen mindestens 1 Pixel betragen.",
                               tk::MsgOk | tk::MsgError);
          tk::activateWindow(29);
          break;
        }
        apply = true;
        open = false;
        break;
      case 778:
        open = false;
        break;
      default:
        break;
    }
  }
  const int32_t newLastX = FieldNumber(tk::gadgetText(769)) - 1;
  const int32_t newLastY = FieldNumber(tk::gadgetText(770)) - 1;
  const int32_t keep = tk::gadgetState(774);
  const int32_t anchor = tk::gadgetState(775);
  CloseDialogWindow(29);
  if (!apply) return 0;
  int32_t ox = 0, oy = 0;
  if (keep == 1) AnchorOffset(anchor, bildlang, bildhoch, newLastX, newLastY, ox, oy);
  uint32_t fill = 0xFFFFFF;
  if (tk::startDrawing(tk::imageOutput(24))) {
    fill = tk::point(10, 10);
    tk::stopDrawing();
  }
  ReportEffectCall(FormatEffectCall("ChangeImageSize", {double(newLastX), double(newLastY), double(keep), double(ox),
                                                        double(oy), double(fill & 0xFF), double((fill >> 8) & 0xFF),
                                                        double((fill >> 16) & 0xFF), 0}));
  ChangeImageSize(newLastX, newLastY, keep, ox, oy, int32_t(fill & 0xFF), int32_t((fill >> 8) & 0xFF),
                  int32_t((fill >> 16) & 0xFF), 0);
  RedrawCanvas();
  if (tk::isGadget(70)) tk::setGadgetAttribute(70, tk::AttrImage, 24);
  if (tk::isGadget(63)) tk::setGadgetText(63, std::to_string(bildlang + 1));
  if (tk::isGadget(64)) tk::setGadgetText(64, std::to_string(bildhoch + 1));
  return 0;
}

// ---- save before quitting -------------------------------------------------------------------

int32_t SaveBeforeQuitDialog() {
  OnErrorCode1 = 13;
  if (!OpenDialogWindow(35, 400, 200, 505, 340, "Speichern vor dem Beenden")) return 0;
  tk::label(-1, 10, 10, 485, 20, "Wählen sie hier die Dateien aus, die sie vor dem Beenden speichern wollen");
  tk::columnList(787, 5, 40, 495, 200, "Dateipfad", 800, tk::GfCheckBoxes);
  for (int32_t k = 1; k <= ImageCount && k < int32_t(ImageRecords.size()); ++k) {
    tk::addGadgetItem(787, -1, ImageRecords[k].DisplayName);
    tk::setGadgetItemState(787, k - 1, tk::ItemSelected);
  }
  tk::button(789, 10, 245, 240, 40, "Alle Speichern");
  tk::button(790, 255, 245, 245, 40, "Beenden ohne Speichern");
  tk::button(791, 10, 290, 240, 40, "Abbrechen");
  tk::button(788, 255, 290, 245, 40, "OK");
  int choice = 791;
  for (bool open = true; open;) {
    KeepDialogInFront(35);
    const int ev = tk::waitEvent();
    LastEvent = ev;
    if (IsDialogCancel(ev, 35)) break;
    if (ev != tk::EvGadget) continue;
    const int g = tk::eventGadget();
    if (g == 788 || g == 789 || g == 790 || g == 791) {
      choice = g;
      open = false;
    }
  }
  std::vector<int32_t> toSave;
  for (int32_t k = 1; k <= ImageCount && k < int32_t(ImageRecords.size()); ++k)
    if (choice == 789 || (choice == 788 && (tk::gadgetItemState(787, k - 1) & tk::ItemChecked)))
      toSave.push_back(k);
  CloseDialogWindow(35);
  if (choice == 791) return 0;
  // Each image is saved as the Save command saves it: to its file, or, when it never had
  // one, to the name the user gives. A save that did not happen keeps the program open, so
  // that no image is lost without the user seeing it.
  for (int32_t k : toSave) {
    if (k != CurrentImage) SwitchImage(k);
    if (SaveImage() != 1) return 0;
  }
  return 1;
}

// ---- new structure file -----------------------------------------------------------------------

namespace {

// The folders below root, depth first, each with its tree level and its path.
void AddFolders(const std::string& path, int level, std::vector<std::string>& paths) {
  if (level > 16) return;
  for (const tk::FolderEntry& e : tk::listFolder(path)) {
    if (!e.isFolder || e.name == "." || e.name == "..") continue;
    tk::addGadgetItem(802, -1, e.name, -1, level);
    paths.push_back(path + e.name + "/");
    AddFolders(path + e.name + "/", level + 1, paths);
  }
}

}  // namespace

std::string AddStructureDialog(const std::string& name) {
  if (!OpenDialogWindow(36, 300, 300, 300, 350, "Structure Hinzufügen")) return "";
  tk::label(-1, 5, 5, 290, 40, "In diesem Dialog können sie eine Structure zur Liste der Structures hinzufügen",
            tk::GfMultiLine);
  tk::label(-1, 5, 45, 60, 20, "Name:");
  tk::stringField(801, 65, 45, 220, 20, name);
  tk::label(-1, 5, 100, 60, 20, "Ordner:");
  tk::tree(802, 70, 100, 200, 200);
  const std::string root = tk::programFolder() + "Structures/";
  std::vector<std::string> paths{root};
  tk::addGadgetItem(802, -1, "Structures", -1, 0);
  AddFolders(root, 1, paths);
  tk::setGadgetState(802, 0);
  tk::button(803, 20, 320, 100, 20, "Hinzufügen");
  tk::button(804, 180, 320, 100, 20, "Abbrechen");
  std::string result;
  for (bool open = true; open;) {
    if (tk::activeWindow() == 0) tk::activateWindow(36);
    const int ev = tk::waitEvent();
    LastEvent = ev;
    if (IsDialogCancel(ev, 36)) break;
    if (ev != tk::EvGadget) continue;
    if (tk::eventGadget() == 803) {
      const int item = tk::gadgetState(802);
      const std::string& folder = item >= 0 && size_t(item) < paths.size() ? paths[item] : root;
      result = folder + tk::gadgetText(801) + ".struc";
      open = false;
    } else if (tk::eventGadget() == 804) {
      open = false;
    }
  }
  CloseDialogWindow(36);
  return result;
}

// ---- picture buffer -------------------------------------------------------------------------

std::string BufferEntryDescription(const std::string& entry) {
  const size_t bracket = entry.find(')');
  return bracket == std::string::npos ? "" : entry.substr(bracket + 1);
}

int32_t StoreBufferDialog(int32_t which) {
  if (!OpenDialogWindow(34, 200, 250, 400, 130, "Bild in Zwischenspeicher legen")) return 0;
  tk::label(-1, 5, 5, 390, 40,
            "Wählen sie den Speicher aus, in den Sie das Bild legen wollen. Geben sie dann eine kurze Beschreibung "
            "für das zu speichernde Bild an.",
            tk::GfMultiLine);
  tk::comboBox(797, 5, 45, 390, 200);
  for (int i = 0; i < 10; ++i) tk::addGadgetItem(797, -1, std::to_string(i + 1) + ".) " + PictureBufferLabels[i + 1]);
  tk::setGadgetState(797, 1);
  tk::stringField(798, 5, 70, 390, 20, "");
  tk::button(800, 5, 100, 150, 20, "Abbrechen");
  tk::button(799, 200, 100, 150, 20, "In Buffer ablegen");
  bool store = false;
  for (bool open = true; open;) {
    KeepDialogInFront(34);
    const int ev = tk::waitEvent();
    LastEvent = ev;
    if (IsDialogCancel(ev, 34)) break;
    if (ev != tk::EvGadget) continue;
    const int g = tk::eventGadget();
    if (g == 797) {
      const int item = tk::gadgetState(797);
      if (item >= 0) tk::setGadgetText(798, BufferEntryDescription(tk::gadgetItemText(797, item)));
    } else if (g == 799) {
      store = true;
      open = false;
    } else if (g == 800) {
      open = false;
    }
  }
  const int32_t index = std::clamp(tk::gadgetState(797), 0, 9);
  const std::string text = tk::gadgetText(798);
  CloseDialogWindow(34);
  if (!store) return 0;
  // Buffers are numbered 1 to 10; the list's entry i is buffer i + 1.
  if (which == 1) StoreAreaBuffer(index + 1, text);
  else StoreImageBuffer(index + 1, text);
  return 0;
}
