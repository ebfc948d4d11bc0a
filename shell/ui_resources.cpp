// The interface images: the small pictures drawn at start-up (check marks, colour
// fields, option faces, slider marks, channel bars) and the ones loaded from "Data/".
#include <algorithm>
#include <string>

#include "shell/shell.h"
#include "toolkit/toolkit.h"

namespace {

constexpr uint32_t Rgb(int r, int g, int b) {
  return uint32_t(r) | (uint32_t(g) << 8) | (uint32_t(b) << 16);
}
constexpr uint32_t White = Rgb(255, 255, 255);
constexpr uint32_t Black = Rgb(0, 0, 0);
constexpr uint32_t Grey = Rgb(128, 128, 128);
constexpr uint32_t LightGrey = Rgb(212, 208, 200);

// Creates image num filled with colour and starts drawing on it; false when refused.
bool StartImage(int num, int w, int h, uint32_t fill) {
  if (tk::createImage(num, w, h, 24, fill) < 0) return false;
  if (!tk::startDrawing(tk::imageOutput(num))) return false;
  tk::drawingMode(tk::DrawDefault);
  tk::drawingFont(-1);
  return true;
}

void Outline(int x, int y, int w, int h, uint32_t c) {
  tk::drawingMode(tk::DrawOutlined);
  tk::box(x, y, w, h, c);
  tk::drawingMode(tk::DrawDefault);
}

// A plain field of one colour with a thin dark frame.
void ColourField(int num, int w, int h, uint32_t fill) {
  if (!StartImage(num, w, h, fill)) return;
  Outline(0, 0, w, h, Grey);
  tk::stopDrawing();
}

// The option pictures: 100 x 40, black on white.
void OptionLine(int num, int thickness) {
  if (!StartImage(num, 100, 40, White)) return;
  tk::box(20, 20 - thickness / 2, 60, thickness, Black);
  tk::stopDrawing();
}

void OptionShape(int num, int kind, bool filled) {
  if (!StartImage(num, 100, 40, White)) return;
  tk::drawingMode(filled ? tk::DrawDefault : tk::DrawOutlined);
  switch (kind) {
    case 0: tk::circle(50, 20, 18, Black); break;          // circle
    case 1: tk::ellipse(50, 20, 38, 18, Black); break;     // ellipse
    case 2: tk::box(30, 10, 40, 20, Black); break;         // box
    default: {                                             // rhombus
      tk::drawingMode(tk::DrawDefault);
      for (int dy = -18; dy <= 18; ++dy) {
        int half = (18 - std::abs(dy)) * 2;
        if (filled) {
          tk::line(50 - half, 20 + dy, 50 + half, 20 + dy, Black);
        } else {
          tk::plot(50 - half, 20 + dy, Black);
          tk::plot(50 + half, 20 + dy, Black);
          if (std::abs(dy) < 18) {
            int next = (18 - std::abs(dy) - 1) * 2;
            tk::line(50 - half, 20 + dy, 50 - next, 20 + dy, Black);
            tk::line(50 + next, 20 + dy, 50 + half, 20 + dy, Black);
          }
        }
      }
      break;
    }
  }
  tk::drawingMode(tk::DrawDefault);
  tk::stopDrawing();
}

// Random dots: in a square of side `size` or a circle of radius `size` / 2.
void OptionSpray(int num, int dots, int size, bool round) {
  if (!StartImage(num, 100, 40, White)) return;
  const int r = size / 2;
  for (int i = 0; i < dots; ++i) {
    int dx = tk::random(size) - r, dy = tk::random(size) - r;
    if (round && dx * dx + dy * dy > r * r) {
      --i;
      continue;
    }
    tk::plot(50 + dx, 20 + dy, Black);
  }
  tk::stopDrawing();
}

void LoadFile(int num, const std::string& path) {
  // A missing or unreadable file leaves the image absent.
  if (tk::loadImage(num, path) < 0) tk::freeImage(num);
}

}  // namespace

void LoadResources() {
  // Menu check pictures: 74 a filled mark, 75 an empty one.
  if (StartImage(74, 10, 10, White)) {
    Outline(0, 0, 10, 10, Grey);
    tk::box(2, 2, 6, 6, Black);
    tk::stopDrawing();
  }
  ColourField(75, 10, 10, White);

  ColourField(43, 150, 150, White);                   // wave preview field
  if (StartImage(138, 100, 40, White)) tk::stopDrawing();   // brush-form face, drawn by the tools

  for (int k = 59; k <= 68; ++k) ColourField(k, 40, 20, White);   // recent colours

  // Text tool colour swatches with their labels.
  if (StartImage(72, 120, 40, Black)) {
    tk::drawingMode(tk::DrawTransparent);
    tk::drawText(40, 10, "Text", Rgb(128, 128, 128), Black);
    tk::stopDrawing();
  }
  if (StartImage(73, 120, 40, White)) {
    tk::drawingMode(tk::DrawTransparent);
    tk::drawText(20, 10, "Hintergrund", Rgb(127, 127, 127), White);
    tk::stopDrawing();
  }

  // Option faces 20 x 20: the red, green and blue marks, contrast, brightness, transparency.
  ColourField(76, 20, 20, Rgb(255, 0, 0));
  ColourField(77, 20, 20, Rgb(0, 255, 0));
  ColourField(78, 20, 20, Rgb(0, 0, 255));
  if (StartImage(79, 20, 20, Rgb(150, 150, 150))) {       // low contrast
    tk::box(10, 0, 10, 20, Rgb(110, 110, 110));
    Outline(0, 0, 20, 20, Grey);
    tk::stopDrawing();
  }
  if (StartImage(80, 20, 20, White)) {                    // high contrast
    tk::box(10, 0, 10, 20, Black);
    Outline(0, 0, 20, 20, Grey);
    tk::stopDrawing();
  }
  ColourField(81, 20, 20, Rgb(40, 40, 40));               // dark
  ColourField(82, 20, 20, Rgb(245, 245, 220));            // bright
  ColourField(83, 20, 20, Black);                         // no transparency
  if (StartImage(84, 20, 20, White)) {                    // total transparency
    for (int y = 0; y < 20; y += 5)
      for (int x = (y / 5 % 2) * 5; x < 20; x += 10) tk::box(x, y, 5, 5, LightGrey);
    Outline(0, 0, 20, 20, Grey);
    tk::stopDrawing();
  }

  // Small 16 x 16 icons: the editor window and "Bild erstellen".
  if (StartImage(87, 16, 16, LightGrey)) {
    tk::box(2, 1, 12, 14, White);
    Outline(2, 1, 12, 14, Black);
    for (int y = 4; y <= 12; y += 2) tk::line(4, y, 4 + (y % 4 ? 7 : 5), y, Rgb(0, 0, 160));
    tk::stopDrawing();
  }
  if (StartImage(92, 16, 16, LightGrey)) {
    for (int x = 0; x < 10; ++x) tk::line(4 + x, 2 + x / 2, 4 + x, 13 - x / 2, Rgb(0, 140, 0));
    tk::stopDrawing();
  }

  // Option pictures of the tools: line widths, shapes filled and outlined, spray patterns.
  for (int k = 0; k <= 7; ++k) OptionLine(116 + k, 1 + 2 * k);
  OptionShape(124, 0, true);
  OptionShape(125, 0, false);
  OptionShape(126, 1, true);
  OptionShape(127, 1, false);
  OptionShape(128, 2, true);
  OptionShape(129, 2, false);
  OptionSpray(130, 140, 20, false);
  OptionSpray(131, 280, 40, false);
  OptionSpray(132, 60, 20, true);
  OptionSpray(133, 240, 40, true);
  OptionShape(134, 3, true);
  OptionShape(135, 3, false);
  if (StartImage(140, 100, 40, White)) tk::stopDrawing();

  // The palette strip: entry k at x = 2k, two pixels wide (a grey ramp until a palette is set).
  if (StartImage(49, 512, 20, Black)) {
    for (int k = 0; k < 256; ++k) tk::box(2 * k, 0, 2, 20, Rgb(k, k, k));
    tk::stopDrawing();
  }

  // Swatches: 40 the effects colour field, 42 its chosen colour, 24 the background colour.
  ColourField(40, 100, 20, Black);
  ColourField(42, 100, 20, Black);
  if (StartImage(24, 100, 20, White)) tk::stopDrawing();

  // Current-colour fields of the panels and of the colour window.
  ColourField(55, 220, 70, Black);
  ColourField(56, 110, 70, Black);
  ColourField(57, 220, 35, Black);
  ColourField(58, 130, 50, Black);

  // Slider marks: small arrows pointing up and down.
  for (int k = 112; k <= 115; ++k) {
    if (!StartImage(k, 6, 12, LightGrey)) continue;
    const bool up = (k % 2 == 0);
    for (int i = 0; i < 3; ++i) {
      int y = up ? 3 + i : 8 - i;
      tk::line(2 - i, y, 3 + i, y, Black);
    }
    tk::stopDrawing();
  }

  // Channel bars of the colour window: full at the top, none at the bottom.
  for (int c = 0; c < 3; ++c) {
    if (!StartImage(69 + c, 10, 182, Black)) continue;
    for (int y = 0; y < 182; ++y) {
      int v = 255 - y * 255 / 181;
      tk::line(0, y, 9, y, Rgb(c == 0 ? v : 0, c == 1 ? v : 0, c == 2 ? v : 0));
    }
    tk::stopDrawing();
  }

  // Interface files.
  LoadFile(85, "Data/Screen.bmp");
  LoadFile(86, "Data/OperationenIcon.ico");
  LoadFile(89, "Data/EffectsIcon.ico");
  LoadFile(10, "Data/Operationenbar.png");
  LoadFile(11, "Data/Markbar.png");
  LoadFile(14, "Data/effectbar.png");
  LoadFile(12, "Data/Textbar.png");
  LoadFile(13, "Data/Scriptbar.png");
  LoadFile(38, "Data/tdt.ico");
  LoadFile(97, "Data/rot.ico");
  LoadFile(98, "Data/gruen.ico");
  LoadFile(99, "Data/blau.ico");
  LoadFile(100, "Data\\OK.ico");
  LoadFile(101, "Data/wait.ico");
  LoadFile(102, "Data/Stift_oben.ico");
  LoadFile(103, "Data/Stift_unten.ico");
  LoadFile(90, "Data/Structure.ico");
  LoadFile(93, "Data/Error.ico");
  LoadFile(94, "Data/Error2.ico");
  LoadFile(136, "Data/Zirkel_voll.png");
  LoadFile(137, "Data/Zirkel_leer.png");
}
