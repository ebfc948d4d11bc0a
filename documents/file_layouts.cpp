// The byte layouts of the program's own files and the palette mapping kernel (see the
// header). Parsers never trust a count: each one is checked against the bytes present
// before anything is allocated for it.
#include "documents/file_layouts.h"

#include <algorithm>
#include <cstring>

namespace layouts {
namespace {

uint32_t Le32(const uint8_t* p) {
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}
uint16_t Le16(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }
void Put16(std::vector<uint8_t>& o, uint32_t v) {
  o.push_back(uint8_t(v));
  o.push_back(uint8_t(v >> 8));
}
void Put32(std::vector<uint8_t>& o, uint32_t v) {
  Put16(o, v & 0xFFFF);
  Put16(o, v >> 16);
}

// Cells of last indices lastX, lastY; 0 when they cannot be an image.
uint64_t CellsOf(int64_t lastX, int64_t lastY) {
  if (lastX < 0 || lastY < 0) return 0;
  const uint64_t c = uint64_t(lastX + 1) * uint64_t(lastY + 1);
  return c <= uint64_t(MaxCells) ? c : 0;
}

}  // namespace

bool ParseStructure(const uint8_t* data, size_t n, GreyMap& out) {
  if (!data || n < 8) return false;
  const int32_t lastX = int32_t(Le32(data)), lastY = int32_t(Le32(data + 4));
  const uint64_t cells = CellsOf(lastX, lastY);
  if (cells == 0 || cells > n - 8) return false;
  out.lastX = lastX;
  out.lastY = lastY;
  out.grey.assign(data + 8, data + 8 + cells);
  return true;
}

void BuildStructure(const GreyMap& map, std::vector<uint8_t>& out) {
  out.clear();
  out.reserve(8 + map.grey.size());
  Put32(out, uint32_t(map.lastX));
  Put32(out, uint32_t(map.lastY));
  out.insert(out.end(), map.grey.begin(), map.grey.end());
}

bool ParseBrushForm(const uint8_t* data, size_t n, BrushFormData& out) {
  if (!data || n < 6) return false;
  const int32_t side = int32_t(Le32(data));
  if (side < 1) return false;
  const uint64_t cells = CellsOf(side - 1, side - 1);
  if (cells == 0 || cells > n - 6) return false;
  out.side = side;
  out.maxRot = int8_t(data[4]);
  out.minRot = int8_t(data[5]);
  out.grey.assign(data + 6, data + 6 + cells);
  return true;
}

void BuildBrushForm(const BrushFormData& form, std::vector<uint8_t>& out) {
  out.clear();
  out.reserve(6 + form.grey.size());
  Put32(out, uint32_t(form.side));
  out.push_back(uint8_t(form.maxRot));
  out.push_back(uint8_t(form.minRot));
  out.insert(out.end(), form.grey.begin(), form.grey.end());
}

void ParsePalette(const uint8_t* data, size_t n, uint8_t rgb[PaletteFileSize]) {
  std::memset(rgb, 0, PaletteFileSize);
  if (data && n) std::memcpy(rgb, data, std::min(n, PaletteFileSize));
}

std::string ParseCodeText(const uint8_t* data, size_t n) {
  std::string out;
  if (!data || !n) return out;
  out.reserve(n + n / 16 + 2);
  size_t start = 0;
  for (size_t i = 0; i < n; ++i) {
    if (data[i] != '\r' && data[i] != '\n') continue;
    out.append(reinterpret_cast<const char*>(data) + start, i - start);
    out += "\r\n";
    if (data[i] == '\r' && i + 1 < n && data[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < n) {
    out.append(reinterpret_cast<const char*>(data) + start, n - start);
    out += "\r\n";
  }
  return out;
}

bool ParseIconDirectory(const uint8_t* data, size_t n, std::vector<IconEntry>& out) {
  out.clear();
  if (!data || n < 6 || Le16(data) != 0 || Le16(data + 2) != 1) return false;
  const size_t count = Le16(data + 4);
  if (count == 0 || count > (n - 6) / 16) return false;
  out.reserve(count);
  for (size_t i = 0; i < count; ++i) {
    const uint8_t* e = data + 6 + 16 * i;
    IconEntry entry;
    entry.width = e[0] ? e[0] : 256;
    entry.height = e[1] ? e[1] : 256;
    entry.bytes = Le32(e + 8);
    entry.offset = Le32(e + 12);
    out.push_back(entry);
  }
  return true;
}

bool DecodeIconEntry(const uint8_t* data, size_t n, const IconEntry& entry, IconImage& out) {
  if (!data || entry.offset > n || entry.bytes > n - entry.offset || entry.bytes < 40 + 1024) return false;
  const uint8_t* img = data + entry.offset;
  const uint32_t headerSize = Le32(img);
  const int32_t w = int32_t(Le32(img + 4));
  const int32_t h2 = int32_t(Le32(img + 8));   // colour rows and mask rows together
  const uint16_t bits = Le16(img + 14);
  const uint32_t compression = Le32(img + 16);
  if (headerSize != 40 || bits != 8 || compression != 0) return false;
  // The picture's own size wins over the directory's; the directory's height applies
  // when the header's is not twice it (some writers store the colour rows only).
  if (w < 1 || w > 256 || h2 < 1) return false;
  int32_t h = h2 / 2;
  if (h < 1 || h > 256) h = std::min(h2, 256);
  const size_t stride = (size_t(w) + 3) & ~size_t(3);
  const size_t need = 40 + 1024 + stride * size_t(h);
  if (need > entry.bytes) return false;
  out.width = w;
  out.height = h;
  for (int k = 0; k < 256; ++k) out.palette[k] = Le32(img + 40 + 4 * k);
  out.indices.resize(size_t(w) * size_t(h));
  const uint8_t* rows = img + 40 + 1024;
  for (int32_t r = 0; r < h; ++r)   // the file's first row is the bottom one
    std::memcpy(out.indices.data() + size_t(h - 1 - r) * size_t(w), rows + size_t(r) * stride, size_t(w));
  return true;
}

bool SingleIconFile(const uint8_t* data, size_t n, int entryIndex, std::vector<uint8_t>& out) {
  std::vector<IconEntry> entries;
  if (!ParseIconDirectory(data, n, entries) || entryIndex < 0 || size_t(entryIndex) >= entries.size()) return false;
  const IconEntry& e = entries[size_t(entryIndex)];
  if (e.offset > n || e.bytes > n - e.offset) return false;
  out.clear();
  out.reserve(22 + e.bytes);
  Put16(out, 0);
  Put16(out, 1);
  Put16(out, 1);
  const uint8_t* d = data + 6 + 16 * size_t(entryIndex);
  out.insert(out.end(), d, d + 12);
  Put32(out, 22);
  out.insert(out.end(), data + e.offset, data + e.offset + e.bytes);
  return true;
}

bool BuildIcon(const uint32_t* cells, const uint8_t* index, const uint32_t* palette, bool with16,
               bool with32, bool with64, std::vector<uint8_t>& out) {
  int sizes[3];
  int count = 0;
  if (with16) sizes[count++] = 16;
  if (with32) sizes[count++] = 32;
  if (with64) sizes[count++] = 64;
  out.clear();
  if (count == 0) return false;
  auto imageBytes = [](int w) {
    const size_t maskStride = size_t((w + 31) / 32) * 4;
    return uint32_t(40 + 1024 + size_t(w) * w + maskStride * w);
  };
  Put16(out, 0);
  Put16(out, 1);
  Put16(out, uint32_t(count));
  uint32_t offset = uint32_t(6 + 16 * count);
  for (int i = 0; i < count; ++i) {
    const int w = sizes[i];
    out.push_back(uint8_t(w));
    out.push_back(uint8_t(w));
    out.push_back(0);   // colour count: 0 stands for 256
    out.push_back(0);
    Put16(out, 1);      // planes
    Put16(out, 8);      // bits per pixel
    Put32(out, imageBytes(w));
    Put32(out, offset);
    offset += imageBytes(w);
  }
  for (int i = 0; i < count; ++i) {
    const int w = sizes[i], s = 64 / w;
    const size_t maskStride = size_t((w + 31) / 32) * 4;
    Put32(out, 40);
    Put32(out, uint32_t(w));
    Put32(out, uint32_t(2 * w));
    Put16(out, 1);
    Put16(out, 8);
    Put32(out, 0);
    Put32(out, w == 16 ? 320u : uint32_t(w) * uint32_t(w));   // as the program always wrote it
    for (int k = 0; k < 4; ++k) Put32(out, 0);
    for (int k = 0; k < 256; ++k) {
      out.push_back(uint8_t(palette[k]));
      out.push_back(uint8_t(palette[k] >> 8));
      out.push_back(uint8_t(palette[k] >> 16));
      out.push_back(0);
    }
    // Icon row r counts from the bottom and samples image row 63 - s r.
    for (int r = 0; r < w; ++r) {
      const size_t y = size_t(63 - s * r);
      for (int c = 0; c < w; ++c) out.push_back(index[y * 64 + size_t(s * c)]);
    }
    const size_t at = out.size();
    out.resize(at + maskStride * size_t(w), 0);
    for (int r = 0; r < w; ++r) {
      const size_t y = size_t(63 - s * r);
      uint8_t* m = out.data() + at + size_t(r) * maskStride;
      for (int c = 0; c < w; ++c)
        if ((cells[y * 64 + size_t(s * c)] >> 24) == 1) m[c >> 3] |= uint8_t(0x80 >> (c & 7));
    }
  }
  return true;
}

int NearestPaletteEntry(uint32_t cell, const uint32_t* palette) {
  const int b = int(cell & 0xFF), g = int((cell >> 8) & 0xFF), r = int((cell >> 16) & 0xFF);
  int best = 769, found = 0;
  for (int k = 0; k < 256; ++k) {
    const uint32_t p = palette[k];
    const int d = std::abs(b - int(p & 0xFF)) + std::abs(g - int((p >> 8) & 0xFF)) + std::abs(r - int((p >> 16) & 0xFF));
    if (d < best) {
      best = d;
      found = k;
      if (d == 0) break;
    }
  }
  return found;
}

namespace {

// The palette split by channel, so that the distances to all 256 entries are computed
// side by side. The first entry of the smallest distance is the entry the search in
// order finds: an exact match is distance 0, the smallest there is.
struct PaletteTable {
  int16_t b[256], g[256], r[256];
  explicit PaletteTable(const uint32_t* palette) {
    for (int k = 0; k < 256; ++k) {
      b[k] = int16_t(palette[k] & 0xFF);
      g[k] = int16_t((palette[k] >> 8) & 0xFF);
      r[k] = int16_t((palette[k] >> 16) & 0xFF);
    }
  }
  int Nearest(uint32_t colour) const {
    const int16_t cb = int16_t(colour & 0xFF), cg = int16_t((colour >> 8) & 0xFF), cr = int16_t((colour >> 16) & 0xFF);
    int16_t d[256];
    for (int k = 0; k < 256; ++k) {
      const int16_t db = int16_t(b[k] - cb), dg = int16_t(g[k] - cg), dr = int16_t(r[k] - cr);
      d[k] = int16_t((db < 0 ? -db : db) + (dg < 0 ? -dg : dg) + (dr < 0 ? -dr : dr));
    }
    int16_t least = d[0];
    for (int k = 1; k < 256; ++k) least = d[k] < least ? d[k] : least;
    int k = 0;
    while (d[k] != least) ++k;
    return k;
  }
};

}  // namespace

void QuantizeCells(uint32_t* cells, uint8_t* index, size_t count, const uint32_t* palette) {
  const PaletteTable table(palette);
  // Neighbouring cells mostly repeat colours: a direct-mapped memo of colour -> entry
  // spares the search; each slot remembers its colour whole, so a hit is always exact.
  constexpr size_t Slots = 1 << 14;
  std::vector<uint32_t> key(Slots, 0xFFFFFFFFu);
  std::vector<uint8_t> value(Slots, 0);
  for (size_t i = 0; i < count; ++i) {
    const uint32_t colour = cells[i] & 0xFFFFFF;
    const size_t slot = ((colour * 2654435761u) >> 18) & (Slots - 1);
    int k;
    if (key[slot] == colour) {
      k = value[slot];
    } else {
      k = table.Nearest(colour);
      key[slot] = colour;
      value[slot] = uint8_t(k);
    }
    index[i] = uint8_t(k);
    if ((palette[k] & 0xFFFFFF) != colour) cells[i] = palette[k];
  }
}

}  // namespace layouts
