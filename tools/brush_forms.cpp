// The brush-form library in "Forms/" (its list file, one 16 x 16 icon per form, the
// chooser's list 491) and the stamp of tool 56, which stretches one form over a dragged
// rectangle with bilinear interpolation.
#include <algorithm>
#include <string>
#include <vector>

#include "documents/documents.h"
#include "documents/file_layouts.h"
#include "toolkit/toolkit.h"
#include "tools/tools.h"

std::vector<uint8_t> FormLoadBuffer(1, 0);
std::vector<PixelCell> FormIconCells(1, 0);
std::vector<uint8_t> StampBuffer(1, 0);

namespace {

constexpr const char* kListFile = "Forms/writeforms.tx";

// The extension test is exact: "Rund.DF" is not a form.
bool IsFormName(const std::string& name) {
  const size_t dot = name.rfind('.');
  return dot != std::string::npos && name.compare(dot + 1, std::string::npos, "df") == 0;
}

void ReportBrokenForm(const std::string& path) {
  tk::messageRequester("Fehler", "Die Pinselform ist beschädigt und wird übersprungen:\r" + path,
                       tk::MsgOk | tk::MsgError);
}

// Reads and checks a form file. Missing or unreadable: false, nothing said (the library
// lists it without an icon, the stamp paints nothing). Broken: false, the user is told.
bool ReadForm(const std::string& path, layouts::BrushFormData& form) {
  std::vector<uint8_t> data;
  if (tk::fileSizeOf(path) < 0 || !tk::readWholeFile(path, data)) return false;
  if (!layouts::ParseBrushForm(data.data(), data.size(), form) ||
      CellsOfExtents(form.side - 1, form.side - 1) == 0) {
    ReportBrokenForm(path);
    return false;
  }
  return true;
}

// The icon of form k: image `image`, the grey map shrunk to 16 x 16.
void BuildFormIcon(int image, layouts::BrushFormData& form) {
  const int32_t side = form.side;
  FormLoadBuffer.swap(form.grey);
  if (tk::createImage(image, side, side, 24) >= 0) {
    // Rows upside down for the bottom-up transfer: the image's top row is file row 0.
    FormIconCells.assign(FormLoadBuffer.size(), 0);
    for (int32_t y = 0; y < side; ++y) {
      const uint8_t* src = FormLoadBuffer.data() + size_t(side - 1 - y) * side;
      PixelCell* dst = FormIconCells.data() + size_t(y) * side;
      for (int32_t x = 0; x < side; ++x) dst[x] = uint32_t(src[x]) * 0x010101u;
    }
    PixelBufferToImage(image, FormIconCells.data(), side, side);
    tk::resizeImage(image, 16, 16, true);
  }
  FormLoadBuffer.assign(1, 0);
  FormIconCells.assign(1, 0);
}

}  // namespace

void LoadBrushForms() {
  if (!tk::folderExists("Forms/")) return;
  std::vector<std::string> names;
  for (const tk::FolderEntry& e : tk::listFolder("Forms/", "*.*"))
    if (!e.isFolder && IsFormName(e.name)) names.push_back(e.name);
  const int list = tk::createFile(-1, kListFile);
  if (list >= 0) {
    for (const std::string& n : names) tk::writeLine(list, n);
    tk::closeFile(list);
  }
  // Form k (line k of the list) has image 140 + k whether or not its neighbours opened,
  // so no icon ever stands beside another form's name.
  for (size_t k = 0; k < names.size(); ++k) {
    layouts::BrushFormData form;
    if (ReadForm("Forms/" + names[k], form)) BuildFormIcon(FirstFormImage + int(k), form);
  }
  if (!tk::isGadget(491)) return;
  for (size_t k = 0; k < names.size(); ++k) {
    const int image = FirstFormImage + int(k);
    tk::addGadgetItem(491, -1, names[k].substr(0, names[k].size() - 3), tk::isImage(image) ? image : -1);
  }
}

void ReloadBrushForms() {
  const int n = tk::isGadget(491) ? tk::countGadgetItems(491) : 0;
  for (int i = 0; i <= n; ++i)
    if (tk::isImage(FirstFormImage + i)) tk::freeImage(FirstFormImage + i);
  if (tk::isGadget(491)) tk::clearGadgetItems(491);
  LoadBrushForms();
}

void StampBrushForm(int32_t, int32_t x0, int32_t y0, int32_t w, int32_t h, int32_t, int32_t, uint8_t quiet) {
  if (quiet == 0) CreateUndoPoint();
  // The form is line ToolFormStates[8] of the list file.
  std::string path;
  const int list = tk::readFile(-1, kListFile);
  if (list >= 0) {
    for (int32_t i = 0; i < ToolFormStates[8] && !tk::eof(list); ++i) tk::readLine(list);
    path = "Forms/" + tk::readLine(list);
    tk::closeFile(list);
  }
  layouts::BrushFormData form;
  if (!path.empty() && w >= 1 && h >= 1 && ReadForm(path, form)) {
    StampBuffer.swap(form.grey);
    const int32_t side = form.side, s = side - 1;
    StampBuffer[0] = 255;
    const float fx = float(s) / float(w), fy = float(s) / float(h);
    auto g = [&](int32_t p, int32_t q) { return float(255 - StampBuffer[size_t(p) * side + q]) / 255.0f; };
    for (int32_t i = 0; i <= h; ++i) {
      const int64_t y = int64_t(y0) + i;
      if (y < 0 || y > bildhoch) continue;
      const float v = float(i) * fy;
      // Rounding may carry v a hair past the last row: it never indexes beyond it.
      const int32_t iv = std::min(int32_t(v), s), iv1 = std::min(iv + 1, s);
      const float fv = std::max(v - float(iv), 0.0f);
      for (int32_t j = 0; j <= w; ++j) {
        const int64_t x = int64_t(x0) + j;
        if (x < 0 || x > bildlang) continue;
        const float u = float(j) * fx;
        const int32_t iu = std::min(int32_t(u), s), iu1 = std::min(iu + 1, s);
        const float fu = std::max(u - float(iu), 0.0f);
        float a = g(iv, iu) * (1 - fu) * (1 - fv);
        if (fv != 0) a += g(iv1, iu) * (1 - fu) * fv;
        if (fu != 0) a += g(iv, iu1) * fu * (1 - fv);
        if (fu != 0 && fv != 0) a += g(iv1, iu1) * fu * fv;
        DrawPixel(int32_t(y), int32_t(x), int8_t(fillstate), a * transstate);
      }
    }
  }
  StampBuffer.assign(1, 0);
  if (quiet == 0) RedrawCanvas();
}
