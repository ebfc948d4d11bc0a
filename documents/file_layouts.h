// The byte layouts of the program's own files: structures (.struc), brush forms (.df),
// palettes (.pal), script sources (.cod) and the 8-bit icons it reads and writes (.ico),
// plus the palette mapping kernel. Plain functions over byte spans with no GUI and no
// globals, so that the fuzz targets link this file alone.
//
// Every parser checks each size, count and offset against the data before it allocates
// or reads, and fails (false) on anything the data cannot hold. Numbers are little endian.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace layouts {

// Largest picture any of these files may describe, in cells (the image arrays' limit).
constexpr int64_t MaxCells = int64_t(1) << 28;

// ---- structures: long last x, long last y, then one grey byte a cell, top row first ----
struct GreyMap {
  int32_t lastX = 0, lastY = 0;
  std::vector<uint8_t> grey;   // (lastX + 1) x (lastY + 1)
};
// Bytes past the map are ignored; a map the file cannot fill is broken.
bool ParseStructure(const uint8_t* data, size_t n, GreyMap& out);
void BuildStructure(const GreyMap& map, std::vector<uint8_t>& out);

// ---- brush forms: long side, signed byte max red - 128, signed byte min red - 128, then
// side x side grey bytes, top row first ----
struct BrushFormData {
  int32_t side = 0;
  int8_t maxRot = 0, minRot = 0;
  std::vector<uint8_t> grey;
};
bool ParseBrushForm(const uint8_t* data, size_t n, BrushFormData& out);
void BuildBrushForm(const BrushFormData& form, std::vector<uint8_t>& out);

// ---- palettes: 256 x (red, green, blue), no header. A short file leaves the missing
// bytes 0, bytes past 768 are ignored: every file gives a palette. ----
constexpr size_t PaletteFileSize = 768;
void ParsePalette(const uint8_t* data, size_t n, uint8_t rgb[PaletteFileSize]);

// ---- script sources: Windows-1252 text. The lines (ended by CR LF, CR or LF) come back
// each followed by CR LF, so a last line without its end gains one. ----
std::string ParseCodeText(const uint8_t* data, size_t n);

// ---- icons ----
struct IconEntry {
  int width = 0, height = 0;   // from the directory (a size byte 0 reads as 256)
  uint32_t bytes = 0;          // bytes of the entry's image
  uint32_t offset = 0;         // where they start in the file
};
// The directory; false when the header is not an icon's or the entries do not fit.
// Entries whose image lies outside the file are kept (DecodeIconEntry refuses them).
bool ParseIconDirectory(const uint8_t* data, size_t n, std::vector<IconEntry>& out);
// An 8-bit palette icon: 40-byte header, 256 x (blue, green, red, fourth), then the
// index rows bottom row first, each padded to 4 bytes. `indices` comes back top row first.
struct IconImage {
  int width = 0, height = 0;
  uint32_t palette[256] = {};  // blue | green << 8 | red << 16 | fourth << 24
  std::vector<uint8_t> indices;
};
// False for an entry outside the file, a header that is not 8 bits with its palette, or
// rows that do not fit the entry (the caller may try another reader for such icons).
bool DecodeIconEntry(const uint8_t* data, size_t n, const IconEntry& entry, IconImage& out);
// One entry as a file of its own (header, the entry with offset 22, its image bytes);
// false when the entry's bytes lie outside the data.
bool SingleIconFile(const uint8_t* data, size_t n, int entryIndex, std::vector<uint8_t>& out);
// The icon file of a 64 x 64 picture: `cells` 64 x 64 top row first (the flag byte 1
// marks a transparent cell), `index` the palette entry of each cell, `palette` 256 cells
// (blue, green, red). Sizes in the order 16, 32, 64; each is sampled from every s-th cell
// (s = 64 / size). Nothing is written for no size (false).
bool BuildIcon(const uint32_t* cells, const uint8_t* index, const uint32_t* palette, bool with16,
               bool with32, bool with64, std::vector<uint8_t>& out);

// ---- palette mapping ----
// Maps `count` cells onto the 256 palette cells: index[i] := the entry nearest by the sum
// of the channel differences, the lowest entry among equals. A cell that matches no entry
// exactly takes the entry's blue, green, red and fourth byte; an exact match keeps all its
// four bytes.
void QuantizeCells(uint32_t* cells, uint8_t* index, size_t count, const uint32_t* palette);
// The search alone (the nearest entry of one colour).
int NearestPaletteEntry(uint32_t cell, const uint32_t* palette);

}  // namespace layouts
