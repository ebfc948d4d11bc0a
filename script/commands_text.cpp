// Text into a box of the image, and the four-quadrant stretch around a split point. Both
// work on toolkit images of their own numbers, freed before the command ends.
#include <cmath>
#include <vector>

#include "documents/documents.h"
#include "script/commands.h"
#include "toolkit/toolkit.h"

using namespace script_cmd;

namespace {
bool IsString(const std::string& t) { return t.size() >= 2 && t.front() == '"' && t.back() == '"'; }
}  // namespace

void CmdText() {
  if (!NeedImage() || !NeedCount(12)) return;
  for (int i : {1, 2, 3, 4, 7, 8, 9, 10, 11, 12})
    if (!IsNumberText(StatementArgs[size_t(i)])) return ReportScriptError("Hier wird ein numerischer Wert verlangt");
  if (!IsString(StatementArgs[5]) || !IsString(StatementArgs[6]))
    return ReportScriptError("Hier wird ein String verlangt");
  int32_t v[13];
  ConvertNumbers(12, v);
  const int32_t x0 = v[1] - 1, y0 = v[2] - 1, w = v[3], h = v[4];
  if (x0 < 0 || y0 < 0 || x0 > bildlang || y0 > bildhoch) return ReportScriptError("Bereich ausserhalb des Bildes");
  if (w < 1 || h < 1 || int64_t(x0) + (w - 1) > bildlang || int64_t(y0) + (h - 1) > bildhoch)
    return ReportScriptError(
        "Masse des Schreibbereichs müssen zwischen 1 und der Größe des Bildes - den Anfangskoordinaten des Bereichs");
  const int32_t size = v[7], style = v[8], transparency = v[9];
  if (!NeedRange(size, 1, 200, "'Größe' muss zwischen 1 und 200 liegen") ||
      !NeedRange(transparency, 0, 100, "Bei 'Transparenz' muss ein Prozentsatz zwischen 0 und 100 angegeben werden") ||
      !NeedRange(v[10], 0, 255, "'Rotwert muss zwischen 0 und 255 liegen") ||
      !NeedRange(v[11], 0, 255, "Gruenwert muss zwischen 0 und 255 liegen") ||
      !NeedRange(v[12], 0, 255, "Blauwert  muss zwischen 0 und 255 liegen"))
    return;
  unsigned fontStyle = 0;
  if (style & 256) fontStyle |= tk::FontBold;
  if (style & 512) fontStyle |= tk::FontItalic;
  if (style & 4) fontStyle |= tk::FontUnderline;
  if (style & 8) fontStyle |= tk::FontStrikeOut;
  const std::string face = StatementArgs[6].substr(1, StatementArgs[6].size() - 2);
  const int font = tk::loadFont(-1, face, size, fontStyle);
  if (font < 0) return ReportScriptError("Font nicht gefunden");

  // The box, blended with the given colour by the transparency.
  const float t = float(transparency) / 100.0f;
  const size_t stride = size_t(bildlang) + 1, bw = size_t(w), bh = size_t(h);
  std::vector<PixelCell> box(bw * bh);
  const int32_t colour[3] = {v[12], v[11], v[10]};   // blue, green, red as the cell holds them
  for (size_t j = 0; j < bh; ++j)
    for (size_t i = 0; i < bw; ++i) {
      const PixelCell old = ImagePixels[(size_t(y0) + j) * stride + size_t(x0) + i];
      PixelCell out = 0;
      for (int c = 0; c < 3; ++c) {
        const float o = float((old >> (8 * c)) & 0xFF);
        out |= PixelCell(std::lround(o * (1.0f - t) + float(colour[c]) * t) & 0xFF) << (8 * c);
      }
      box[j * bw + i] = out;
    }
  const int image = tk::createImage(-1, w, h, 32);
  if (image < 0) {
    tk::freeFont(font);
    return;
  }
  tk::pixelsToImage(image, box.data(), w, h, w);
  const std::string text = StatementArgs[5].substr(1, StatementArgs[5].size() - 2);
  if (tk::startDrawing(tk::imageOutput(image))) {
    tk::drawingFont(font);
    tk::drawingMode(tk::DrawTransparent);
    const uint32_t front = uint32_t(Rot) | uint32_t(Gruen) << 8 | uint32_t(Blau) << 16;
    size_t start = 0;
    for (int k = 0;; ++k) {
      const size_t end = text.find('\r', start);
      const std::string line = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
      tk::drawText(0, int(std::lround(double(k) * size * 1.5)), line, front, 0);
      if (end == std::string::npos) break;
      start = end + 1;
    }
    tk::stopDrawing();
    if (tk::imageToPixels(image, box.data(), w, h, w))
      for (size_t j = 0; j < bh; ++j)
        for (size_t i = 0; i < bw; ++i) {
          PixelCell& cell = ImagePixels[(size_t(y0) + j) * stride + size_t(x0) + i];
          cell = (cell & 0xFF000000u) | (box[j * bw + i] & 0x00FFFFFFu);
        }
  }
  tk::freeImage(image);
  tk::freeFont(font);
}

// The split point P moves to Q; each quadrant is scaled with it. Points count from the
// right edge in x and from the bottom in y. A quadrant of no width or height is skipped.
void CmdStretch() {
  int32_t v[5];
  if (!NeedImage() || !NeedCount(4) || !NeedNumbers(4, kNumberV, v)) return;
  const int32_t px = bildlang - v[1], py = bildhoch - v[2], qx = bildlang - v[3], qy = bildhoch - v[4];
  for (int32_t c : {px, qx})
    if (c < 0 || c > bildlang) return ReportScriptError("Einer der Punkte ist ausserhalb des Bereichs");
  for (int32_t c : {py, qy})
    if (c < 0 || c > bildhoch) return ReportScriptError("Einer der Punkte ist ausserhalb des Bereichs");
  const int W = bildlang + 1, H = bildhoch + 1;
  for (PixelCell& c : ImagePixels) c ^= 0x00808080u;   // + 128 in every channel, modulo 256
  const int work = tk::createImage(-1, W, H, 32);
  if (work >= 0) {
    tk::pixelsToImage(work, ImagePixels.data(), W, H, W, true);
    struct Part { int sx, sy, sw, sh, dx, dy, dw, dh; };
    const Part parts[4] = {
        {0, 0, px + 1, py + 1, 0, 0, qx + 1, qy + 1},
        {px + 1, 0, bildlang - px, py + 1, qx + 1, 0, bildlang - qx, qy + 1},
        {0, py + 1, px + 1, bildhoch - py, 0, qy + 1, qx + 1, bildhoch - qy},
        {px + 1, py + 1, bildlang - px, bildhoch - py, qx + 1, qy + 1, bildlang - qx, bildhoch - qy},
    };
    int images[4] = {-1, -1, -1, -1};
    for (int i = 0; i < 4; ++i) {
      const Part& p = parts[i];
      if (p.sw <= 0 || p.sh <= 0 || p.dw <= 0 || p.dh <= 0) continue;
      images[i] = tk::grabImage(work, -1, p.sx, p.sy, p.sw, p.sh);
      if (images[i] >= 0) tk::resizeImage(images[i], p.dw, p.dh);
    }
    if (tk::startDrawing(tk::imageOutput(work))) {
      for (int i = 0; i < 4; ++i)
        if (images[i] >= 0) tk::drawImage(images[i], parts[i].dx, parts[i].dy);
      tk::stopDrawing();
      ImagePixels.assign(size_t(W) * H, 0);
      tk::imageToPixels(work, ImagePixels.data(), W, H, W, true);
    }
    for (int im : images)
      if (im >= 0) tk::freeImage(im);
    tk::freeImage(work);
  }
  lang = hoch = 0;
  for (PixelCell& c : ImagePixels) c ^= 0x00808080u;
}
