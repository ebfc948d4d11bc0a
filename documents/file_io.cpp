// The pieces every file reader and writer of the documents shares: names and extensions,
// the messages of failed reads and writes, the raster reader, putting a read picture into
// the live image, and the palette strip (entry k as the 2 x 20 box at x = 2k).
#include <algorithm>
#include <cctype>

#include "documents/documents.h"
#include "documents/files_internal.h"
#include "toolkit/codecs/codecs.h"
#include "toolkit/toolkit.h"

namespace files {

std::string FilePart(const std::string& path) {
  const size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string ExtensionOf(const std::string& path) {
  const std::string name = FilePart(path);
  const size_t dot = name.rfind('.');
  return dot == std::string::npos ? std::string() : name.substr(dot + 1);
}

std::string Lower(std::string s) {
  for (char& c : s) c = char(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

bool ReadWhole(const std::string& file, std::vector<uint8_t>& out, const char* title) {
  if (!tk::fileExists(file)) {
    tk::messageRequester(title, "Datei nicht gefunden", tk::MsgOk | tk::MsgError);
    return false;
  }
  if (!tk::readWholeFile(file, out)) {
    tk::messageRequester(title, "Die Datei konnte nicht gelesen werden:\r" + file, tk::MsgOk | tk::MsgError);
    return false;
  }
  return true;
}

void ReportBroken(const std::string& file, const char* title) {
  tk::messageRequester(title, "Die Datei ist beschädigt oder hat ein unbekanntes Format:\r" + file,
                       tk::MsgOk | tk::MsgError);
}

void ReportWriteFailed(const std::string& file) {
  tk::messageRequester("Fehler",
                       "Die Datei konnte nicht gespeichert werden:\r" + file +
                           "\rÜberprüfen sie den Dateipfad und den freien Speicherplatz.",
                       tk::MsgOk | tk::MsgError);
}

bool ReadRaster(const std::string& file, LoadedPicture& out) {
  std::vector<uint8_t> data;
  if (!ReadWhole(file, data, "Error")) return false;
  tk::codec::Picture pic;
  std::string err;
  bool ok;
  if (tk::codec::sniff(data.data(), data.size(), file) == tk::codec::Format::TIFF)
    ok = tk::codec::decodeTIFFFile(tk::toUtf8(tk::resolvePath(file)), pic, err);
  else
    ok = tk::codec::decode(data.data(), data.size(), pic, err, file);
  if (!ok || CellsOfExtents(pic.w - 1, pic.h - 1) == 0 || pic.cells.size() != size_t(pic.w) * size_t(pic.h)) {
    ReportBroken(file, "Error");
    return false;
  }
  out.kind = LoadedPicture::Raster;
  out.width = pic.w;
  out.height = pic.h;
  out.cells.swap(pic.cells);
  // A picture without transparency brings no flag byte: every flag is clear.
  if (!pic.hasAlpha)
    for (uint32_t& c : out.cells) c &= 0x00FFFFFFu;
  return true;
}

namespace {

// The read cells become the image arrays as they are, as SetImageDimensions would size
// them, without first filling a new block that the cells then replace.
bool AdoptCells(std::vector<PixelCell>& cells, int32_t width, int32_t height, int32_t store) {
  const size_t n = CellsOfExtents(width - 1, height - 1);
  if (n == 0 || cells.size() != n) return false;
  std::vector<PixelCell> held;
  std::vector<uint8_t> plane;
  try {
    // The held block is a scratch copy that a tool fills before it reads it.
    if (HeldImage.size() == n) held.swap(HeldImage);
    else held.assign(n, 0);
    if (Colornumber == 1) plane.assign(n, 0);
  } catch (const std::bad_alloc&) {
    return false;
  }
  bildlang = width - 1;
  bildhoch = height - 1;
  if (store == 1 && CurrentImage >= 0 && CurrentImage < int32_t(ImageRecords.size())) {
    ImageRecords[CurrentImage].laenge = bildlang;
    ImageRecords[CurrentImage].hoehe = bildhoch;
  }
  ImagePixels.swap(cells);
  if (Colornumber == 1) IndexPlane.swap(plane);
  HeldImage.swap(held);
  UpdateZoomedSizes();
  UpdateScrollBars();
  return true;
}

}  // namespace

bool InstallPicture(LoadedPicture& p, int32_t store) {
  if (p.kind == LoadedPicture::Raster && AdoptCells(p.cells, p.width, p.height, store)) return true;
  if (SetImageDimensions(p.height, p.width, store) == 0) {
    tk::messageRequester("Fehler", "Für dieses Bild ist nicht genug Speicher frei.", tk::MsgOk | tk::MsgError);
    return false;
  }
  const size_t cells = size_t(p.width) * size_t(p.height);
  switch (p.kind) {
    case LoadedPicture::Raster:
      if (p.cells.size() == cells) ImagePixels.swap(p.cells);
      break;
    case LoadedPicture::Palette8:
      Palette.assign(p.palette, p.palette + 256);
      IndexPlane.assign(p.bytes.begin(), p.bytes.end());
      // Each cell takes its entry whole, the entry's fourth byte as the flag.
      for (size_t i = 0; i < cells && i < p.bytes.size(); ++i) ImagePixels[i] = p.palette[p.bytes[i]];
      PaintPaletteStrip(49);
      break;
    case LoadedPicture::Grey:
      for (size_t i = 0; i < cells && i < p.bytes.size(); ++i) ImagePixels[i] = PixelCell(p.bytes[i]) * 0x010101u;
      break;
    default:
      break;
  }
  return true;
}

// ---- the palette strip ----

void FillStripEntry(int image, int k, uint32_t colourValue) {
  int stride = 0;
  uint32_t* cells = tk::imageCells(image, &stride);
  if (!cells || k < 0 || k > 255) return;
  const int w = tk::imageWidth(image), h = tk::imageHeight(image);
  const uint32_t cell = 0xFF000000u | (colourValue & 0xFFu) << 16 | (colourValue & 0xFF00u) |
                        ((colourValue >> 16) & 0xFFu);
  for (int y = 0; y < h && y < 20; ++y)
    for (int x = 2 * k; x < 2 * k + 2 && x < w; ++x) cells[size_t(y) * stride + x] = cell;
  tk::imageChanged(image);
}

void PaintStrip(int image, const uint8_t rgb[768]) {
  if (!tk::isImage(image)) tk::createImage(image, 512, 20);
  for (int k = 0; k < 256; ++k)
    FillStripEntry(image, k, rgb[3 * k] | uint32_t(rgb[3 * k + 1]) << 8 | uint32_t(rgb[3 * k + 2]) << 16);
}

uint32_t StripColour(int image, int x, int y) {
  int stride = 0;
  const uint32_t* cells = tk::imageCells(image, &stride);
  if (!cells || x < 0 || y < 0 || x >= tk::imageWidth(image) || y >= tk::imageHeight(image)) return 0;
  const uint32_t c = cells[size_t(y) * stride + x];
  return ((c >> 16) & 0xFFu) | (c & 0xFF00u) | (c & 0xFFu) << 16;
}

void StripToRgb(int image, int y, uint8_t rgb[768]) {
  for (int k = 0; k < 256; ++k) {
    const uint32_t c = StripColour(image, 2 * k + 1, y);
    rgb[3 * k] = uint8_t(c);
    rgb[3 * k + 1] = uint8_t(c >> 8);
    rgb[3 * k + 2] = uint8_t(c >> 16);
  }
}

}  // namespace files
