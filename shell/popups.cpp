// The canvas popup, the recent-colour swatches, the document tabs and the colour gadgets
// of the main window and the colour window.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cctype>
#include <cstdlib>
#include <string>

#include "documents/documents.h"
#include "effects/effects.h"
#include "shell/shell.h"
#include "toolkit/toolkit.h"
#include "tools/tools.h"

void OnInsertPopup(int32_t id) {
  if (PendingHandlerSpy) PendingHandlerSpy("OnInsertPopup", id);
  switch (id) {
    case 239: InsertImageFromFile(rightklick_x, rightklick_y); break;
    case 240: PasteClipboardImage(rightklick_x, rightklick_y); break;
    case 241: CopyImageToClipboard(); break;
    case 242: CutImage(); break;
    case 243: CopyAreaToClipboard(); break;
    case 244: CutArea(); break;
    default:
      if (id >= 245 && id <= 254) RecallBuffer(id - 245, rightklick_x, rightklick_y);
      break;
  }
}

void OnSwatch(int32_t id) {
  if (PendingHandlerSpy) PendingHandlerSpy("OnSwatch", id);
  const int32_t image = id - 392;
  if (image < 59 || image > 68 || !tk::isImage(image) || !tk::startDrawing(tk::imageOutput(image))) return;
  const uint32_t c = tk::point(20, 10);
  tk::stopDrawing();
  if (c == 0xFFFFFFFFu) return;
  Rot = uint8_t(c);
  Gruen = uint8_t(c >> 8);
  Blau = uint8_t(c >> 16);
  UpdateColourDisplays();
}

void OnDocumentTab(int32_t eventtype, int32_t gadget) {
  const int32_t n = gadget - 160;
  if (n < 1 || n > 10 || n > ImageCount) return;
  if (eventtype == tk::EtButtonClick) {
    if (n != CurrentImage) SwitchImage(n);
    else tk::setGadgetState(gadget, 1);   // the active tab never looks released
  } else if (eventtype == tk::EtButtonMenu) {
    CloseImage(n);
  }
}

int32_t ClampedChannelText(const std::string& text) {
  const long v = std::strtol(text.c_str(), nullptr, 10);
  return int32_t(std::clamp<long>(v, 0, 255));
}

void HexColour(const std::string& text, uint8_t* red, uint8_t* green, uint8_t* blue) {
  std::string t = text.size() > 6 ? text.substr(0, 6) : std::string(6 - text.size(), '0') + text;
  // Only hexadecimal digits are read; anything else counts as 0.
  for (char& ch : t)
    if (!std::isxdigit(static_cast<unsigned char>(ch))) ch = '0';
  const std::string reversed = t.substr(4, 2) + t.substr(2, 2) + t.substr(0, 2);
  const uint32_t v = uint32_t(HexToNumber(reversed));
  *red = uint8_t(v);
  *green = uint8_t(v >> 8);
  *blue = uint8_t(v >> 16);
}

void BrightnessColour(float shareRed, float shareGreen, float shareBlue, int32_t s, int32_t* red, int32_t* green,
                      int32_t* blue) {
  int32_t c[3] = {int32_t(std::lround(shareRed * float(s))), int32_t(std::lround(shareGreen * float(s))),
                  int32_t(std::lround(shareBlue * float(s)))};
  // An overflowing channel spills half its excess into each of the two others.
  for (int i = 0; i < 3; ++i) {
    if (c[i] > 255) {
      const int32_t e = (c[i] - 255) / 2;
      c[i] = 255;
      c[(i + 1) % 3] += e;
      c[(i + 2) % 3] += e;
    }
  }
  for (int32_t& v : c) v = std::clamp(v, 0, 255);
  *red = c[0];
  *green = c[1];
  *blue = c[2];
}

void OnMainGadget(int32_t gadget) {
  if (PendingHandlerSpy) PendingHandlerSpy("OnMainGadget", gadget);
  const int32_t type = tk::eventType();
  uint8_t* const channels[3] = {&Rot, &Gruen, &Blau};
  if (gadget == 805) {
    if (type == 0) ChooseCurrentColour();
    else if (type == 1) tk::showPopupMenu(16, 0);
  } else if (gadget >= 806 && gadget <= 808) {
    if (type != tk::EtChange) return;
    const int32_t v = ClampedChannelText(tk::gadgetText(gadget));
    if (tk::gadgetText(gadget) != std::to_string(v)) tk::setGadgetText(gadget, std::to_string(v));
    *channels[gadget - 806] = uint8_t(v);
    UpdateColourDisplays();
  } else if (gadget == 811 || gadget == 813 || gadget == 815) {
    *channels[(gadget - 811) / 2] = uint8_t(std::clamp(tk::gadgetState(gadget), 0, 255));
    UpdateColourDisplays();
  } else if (gadget == 816 || gadget == 818 || gadget == 820) {
    *channels[(gadget - 816) / 2] = uint8_t(std::clamp(tk::gadgetState(gadget), 0, 255));
    UpdateColourDisplays();
    tk::setActiveGadget(11);
    DropPendingEvents();
  } else if (gadget == 823) {
    HexColour(tk::gadgetText(822), &Rot, &Gruen, &Blau);
    UpdateColourDisplays();
  } else if (gadget == 824) {
    // The shares stay those of the colour the bar started from, so every move scales it.
    const float r = TintShareRed, g = TintShareGreen, b = TintShareBlue;
    int32_t nr, ng, nb;
    BrightnessColour(r, g, b, std::clamp(tk::gadgetState(824), 0, 768), &nr, &ng, &nb);
    Rot = uint8_t(nr);
    Gruen = uint8_t(ng);
    Blau = uint8_t(nb);
    UpdateColourDisplays();
    TintShareRed = r;
    TintShareGreen = g;
    TintShareBlue = b;
  } else {
    for (int32_t row = 0; row < 16; ++row)
      for (int32_t col = 0; col < 16; ++col) {
        const PaletteCell& cell = PaletteCells[col][row];
        if (cell.gadget < 0 || cell.gadget != gadget) continue;
        Rot = cell.red;
        Gruen = cell.green;
        Blau = cell.blue;
        UpdateColourDisplays();
        if (CurrentColourChanged() == 1) PushRecentColour();
        return;
      }
  }
}
