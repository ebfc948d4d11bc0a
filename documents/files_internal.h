// Shared by the image-file, own-format and palette sources of the documents: name
// helpers, the messages of failed reads and writes, and the two halves of every reader
// (read and check the file, then put it into the live image), so that opening can read a
// file whole before it parks the active image.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "documents/file_layouts.h"

namespace files {

std::string FilePart(const std::string& path);      // after the last '/' or '\'
std::string ExtensionOf(const std::string& path);   // after the last dot of the file part, "" none
std::string Lower(std::string s);
// The whole file; false (and the user told that it is missing or unreadable) otherwise.
bool ReadWhole(const std::string& file, std::vector<uint8_t>& out, const char* title);
// "<file> is damaged or not of this kind" for a file that was read but makes no sense.
void ReportBroken(const std::string& file, const char* title);
// A write that failed: the user is told, the old file stayed as it was.
void ReportWriteFailed(const std::string& file);

// A file read and checked, not yet in the live image.
struct LoadedPicture {
  enum Kind { None, Raster, Palette8, Grey, Code } kind = None;
  int32_t width = 0, height = 0;
  std::vector<uint32_t> cells;      // Raster: top row first, flag byte as it comes
  std::vector<uint8_t> bytes;       // Palette8: index per cell; Grey: grey per cell
  uint32_t palette[256] = {};       // Palette8
  std::string text;                 // Code
};
bool ReadRaster(const std::string& file, LoadedPicture& out);
bool ReadStructureData(const std::string& file, LoadedPicture& out);
bool ReadBrushFormData(const std::string& file, LoadedPicture& out);
bool ReadCodeData(const std::string& file, LoadedPicture& out);
// Lets the user choose one icon of the file (window 33); false when the file is broken
// (told) or the window was closed (not told).
bool ChooseIcon(const std::string& file, LoadedPicture& out);
bool ReadIconEntry(const std::string& file, int32_t entry, LoadedPicture& out);
// The loaded picture becomes the live image (store 1: its size also into the record);
// false only when the arrays could not be had (told).
bool InstallPicture(LoadedPicture& p, int32_t store);   // takes the cells over
void InstallCode(const std::string& text);

// The palette strip layout: entry k is the 2 x 20 box at x = 2k.
void PaintStrip(int image, const uint8_t rgb[768]);
void StripToRgb(int image, int y, uint8_t rgb[768]);   // the colours at (2k + 1, y)
uint32_t StripColour(int image, int x, int y);        // ColorValue; 0 when outside
void FillStripEntry(int image, int k, uint32_t colourValue);
}  // namespace files
