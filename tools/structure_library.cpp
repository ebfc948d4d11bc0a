// The structure library: the structure files under "Structures/", reading one as a grey map
// and bringing the map to the size of the image or area it fills.
#include <algorithm>
#include <cstddef>

#include "toolkit/toolkit.h"
#include "tools/tools.h"

std::vector<StructureListEntry> StructureList;

void ReloadStructures() {
  StructureList.clear();
  ScanStructureFolder("Structures\\", 1);
}

// Files and sub-folders in listing order; a folder's entry stands before its contents.
void ScanStructureFolder(const std::string& path, int32_t directoryNumber) {
  std::vector<tk::FolderEntry> entries = tk::listFolder(path, "*.*");
  for (const tk::FolderEntry& e : entries) {
    if (e.name.rfind(".", 0) == 0) continue;   // "." and ".."
    if (e.isFolder) {
      AddStructureFile(path + e.name + "\\", 1, 2);
      ScanStructureFolder(path + e.name + "\\", directoryNumber + 1);
    } else {
      AddStructureFile(path + e.name, 0, 1);
    }
  }
}

void AddStructureFile(const std::string& path, uint8_t isFolder, int32_t entryKind) {
  StructureListEntry e;
  e.entryKind = entryKind;
  if (isFolder == 0) {
    const size_t cut = path.find_last_of("\\/");
    e.folder = cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
    const std::string file = cut == std::string::npos ? path : path.substr(cut + 1);
    e.name = file.size() > 6 ? file.substr(0, file.size() - 6) : std::string();
    std::vector<uint8_t> bytes;
    if (tk::readWholeFile(path, bytes) && bytes.size() >= 8) {
      int32_t w = 0, h = 0;
      std::copy(bytes.begin(), bytes.begin() + 4, reinterpret_cast<uint8_t*>(&w));
      std::copy(bytes.begin() + 4, bytes.begin() + 8, reinterpret_cast<uint8_t*>(&h));
      e.width = int32_t(int64_t(w) + 1);
      e.height = int32_t(int64_t(h) + 1);
    }
  } else {
    e.isFolder = 1;
    std::string p = path;
    while (!p.empty() && (p.back() == '\\' || p.back() == '/')) p.pop_back();
    const size_t cut = p.find_last_of("\\/");
    e.name = cut == std::string::npos ? p : p.substr(cut + 1);
  }
  StructureList.push_back(std::move(e));
}

std::string StructureEntryPath(int32_t index) {
  if (index < 0 || size_t(index) >= StructureList.size()) return {};
  const StructureListEntry& e = StructureList[size_t(index)];
  if (e.isFolder) return {};
  return e.folder + e.name + ".struc";
}

bool ReadStructureFile(const std::string& path, std::vector<uint8_t>& grey, int32_t& w, int32_t& h) {
  std::vector<uint8_t> bytes;
  if (!tk::readWholeFile(path, bytes) || bytes.size() < 8) return false;
  int32_t fw = 0, fh = 0;
  std::copy(bytes.begin(), bytes.begin() + 4, reinterpret_cast<uint8_t*>(&fw));
  std::copy(bytes.begin() + 4, bytes.begin() + 8, reinterpret_cast<uint8_t*>(&fh));
  if (fw < 0 || fh < 0) return false;
  const uint64_t cells = (uint64_t(fw) + 1) * (uint64_t(fh) + 1);
  if (cells > bytes.size() - 8) return false;   // the header promises more than the file holds
  grey.assign(bytes.begin() + 8, bytes.begin() + 8 + std::ptrdiff_t(cells));
  w = fw;
  h = fh;
  return true;
}

void FitStructureMap(std::vector<uint8_t>& grey, int32_t w, int32_t h, int32_t lastX, int32_t lastY,
                     uint8_t mode) {
  if (w == lastX && h == lastY) return;
  const size_t sw = size_t(w) + 1, sh = size_t(h) + 1;
  const size_t tw = size_t(lastX) + 1, th = size_t(lastY) + 1;
  std::vector<uint8_t> out(tw * th);
  if (mode == 0) {
    for (size_t y = 0; y < th; ++y) {
      const uint8_t* src = grey.data() + (y % sh) * sw;
      uint8_t* dst = out.data() + y * tw;
      for (size_t x = 0; x < tw; ++x) dst[x] = src[x % sw];
    }
  } else {
    // Stretch through the toolkit's image resize; the red byte carries the grey.
    std::vector<uint32_t> cells(sw * sh);
    for (size_t i = 0; i < cells.size(); ++i) cells[i] = uint32_t(grey[i]) * 0x010101u;
    bool ok = tk::createImage(41, int(sw), int(sh), 32) == 41 &&
              tk::pixelsToImage(41, cells.data(), int(sw), int(sh), int(sw)) &&
              tk::resizeImage(41, int(tw), int(th));
    if (ok) {
      cells.assign(tw * th, 0);
      ok = tk::imageToPixels(41, cells.data(), int(tw), int(th), int(tw));
    }
    tk::freeImage(41);
    if (ok) {
      for (size_t i = 0; i < out.size(); ++i) out[i] = uint8_t(cells[i] >> 16);
    } else {
      // Without the toolkit image the map is scaled by nearest cell, so the blend still
      // finds a map of the target's size.
      for (size_t y = 0; y < th; ++y)
        for (size_t x = 0; x < tw; ++x) out[y * tw + x] = grey[(y * sh / th) * sw + x * sw / tw];
    }
  }
  grey.swap(out);
}
