// The byte layouts of the program's own files and the palette mapping kernel, without
// any window: sizes and offsets as written, readers against broken and hostile bytes, and
// the files the fuzzers kept.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "documents/file_layouts.h"

using namespace layouts;

namespace {

uint32_t Le32(const std::vector<uint8_t>& b, size_t at) {
  return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8 | uint32_t(b[at + 2]) << 16 | uint32_t(b[at + 3]) << 24;
}
uint16_t Le16(const std::vector<uint8_t>& b, size_t at) { return uint16_t(b[at] | b[at + 1] << 8); }
std::vector<uint8_t> Bytes(std::initializer_list<int> v) { return std::vector<uint8_t>(v.begin(), v.end()); }

// A 64 x 64 picture whose index names its cell's column and row, transparent (flag 1)
// where x + y is a multiple of 5, and a grey palette.
struct IconSource {
  std::vector<uint32_t> cells = std::vector<uint32_t>(64 * 64);
  std::vector<uint8_t> index = std::vector<uint8_t>(64 * 64);
  std::vector<uint32_t> palette = std::vector<uint32_t>(256);
  IconSource() {
    for (int k = 0; k < 256; ++k) palette[k] = uint32_t(k) * 0x010101u;
    for (int y = 0; y < 64; ++y)
      for (int x = 0; x < 64; ++x) {
        index[y * 64 + x] = uint8_t((x + 3 * y) & 0xFF);
        cells[y * 64 + x] = palette[index[y * 64 + x]] | ((x + y) % 5 == 0 ? 0x01000000u : 0);
      }
  }
};

}  // namespace

TEST(FileLayouts, StructureAndBrushFormBytes) {
  GreyMap map;
  map.lastX = 2;
  map.lastY = 1;
  map.grey = {1, 2, 3, 4, 5, 6};
  std::vector<uint8_t> b;
  BuildStructure(map, b);
  ASSERT_EQ(b.size(), 14u);   // 8 + 3 x 2
  EXPECT_EQ(Le32(b, 0), 2u);
  EXPECT_EQ(Le32(b, 4), 1u);
  EXPECT_EQ(std::vector<uint8_t>(b.begin() + 8, b.end()), map.grey);
  GreyMap back;
  ASSERT_TRUE(ParseStructure(b.data(), b.size(), back));
  EXPECT_EQ(back.grey, map.grey);

  BrushFormData form;
  form.side = 4;
  form.maxRot = 127;
  form.minRot = -128;
  form.grey.assign(16, 9);
  BuildBrushForm(form, b);
  ASSERT_EQ(b.size(), 22u);   // 6 + 4 x 4
  EXPECT_EQ(Le32(b, 0), 4u);
  EXPECT_EQ(b[4], 127);
  EXPECT_EQ(b[5], 0x80);
  BrushFormData formBack;
  ASSERT_TRUE(ParseBrushForm(b.data(), b.size(), formBack));
  EXPECT_EQ(formBack.side, 4);
  EXPECT_EQ(formBack.minRot, -128);
}

TEST(FileLayouts, BrokenStructuresAndBrushFormsAreRefused) {
  struct Case {
    const char* what;
    std::vector<uint8_t> bytes;
  };
  const Case structures[] = {
      {"empty", {}},
      {"header cut", Bytes({2, 0, 0, 0, 1, 0})},
      {"map cut", Bytes({2, 0, 0, 0, 1, 0, 0, 0, 1, 2, 3, 4, 5})},
      {"negative last x", Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 1})},
      {"huge extents", Bytes({0xFF, 0xFF, 0xFF, 0x7F, 0xFF, 0xFF, 0xFF, 0x7F, 1, 2})},
      {"product past the limit", Bytes({0xFF, 0xFF, 0, 0, 0xFF, 0xFF, 0, 0, 1})},
  };
  for (const Case& c : structures) {
    GreyMap map;
    EXPECT_FALSE(ParseStructure(c.bytes.data(), c.bytes.size(), map)) << c.what;
  }
  const Case forms[] = {
      {"empty", {}},
      {"side 0", Bytes({0, 0, 0, 0, 0, 0})},
      {"negative side", Bytes({0xFE, 0xFF, 0xFF, 0xFF, 0, 0, 1})},
      {"grey cut", Bytes({2, 0, 0, 0, 0, 0, 1, 2, 3})},
      {"huge side", Bytes({0xFF, 0xFF, 0xFF, 0x7F, 0, 0, 1})},
  };
  for (const Case& c : forms) {
    BrushFormData form;
    EXPECT_FALSE(ParseBrushForm(c.bytes.data(), c.bytes.size(), form)) << c.what;
  }
}

TEST(FileLayouts, PaletteFilesOfAnyLengthAndCodeLines) {
  uint8_t rgb[PaletteFileSize];
  std::vector<uint8_t> shortFile = {10, 20, 30, 40};
  ParsePalette(shortFile.data(), shortFile.size(), rgb);
  EXPECT_EQ(rgb[0], 10);
  EXPECT_EQ(rgb[3], 40);
  EXPECT_EQ(rgb[4], 0);
  EXPECT_EQ(rgb[767], 0);
  std::vector<uint8_t> longFile(1000, 7);
  ParsePalette(longFile.data(), longFile.size(), rgb);
  EXPECT_EQ(rgb[767], 7);

  const struct {
    std::string in, out;
  } code[] = {
      {"", ""},
      {"a", "a\r\n"},
      {"a\r\nb", "a\r\nb\r\n"},
      {"a\nb\r", "a\r\nb\r\n"},
      {"a\r\rb\r\n", "a\r\n\r\nb\r\n"},
  };
  for (const auto& c : code)
    EXPECT_EQ(ParseCodeText(reinterpret_cast<const uint8_t*>(c.in.data()), c.in.size()), c.out) << c.in;
}

TEST(FileLayouts, IconWithAllSizesHasItsSizesOffsetsIndicesAndMask) {
  IconSource s;
  std::vector<uint8_t> b;
  ASSERT_TRUE(BuildIcon(s.cells.data(), s.index.data(), s.palette.data(), true, true, true, b));
  ASSERT_EQ(b.size(), 9326u);   // 6 + 48 + 1384 + 2216 + 5672
  EXPECT_EQ(Le16(b, 0), 0);
  EXPECT_EQ(Le16(b, 2), 1);
  EXPECT_EQ(Le16(b, 4), 3);
  const int sizes[3] = {16, 32, 64};
  const uint32_t bytes[3] = {1384, 2216, 5672}, offsets[3] = {54, 1438, 3654};
  for (int i = 0; i < 3; ++i) {
    const size_t e = 6 + 16 * size_t(i);
    SCOPED_TRACE(sizes[i]);
    EXPECT_EQ(b[e], sizes[i]);
    EXPECT_EQ(b[e + 1], sizes[i]);
    EXPECT_EQ(Le16(b, e + 4), 1);   // planes
    EXPECT_EQ(Le16(b, e + 6), 8);
    EXPECT_EQ(Le32(b, e + 8), bytes[i]);
    EXPECT_EQ(Le32(b, e + 12), offsets[i]);
    const size_t img = offsets[i];
    EXPECT_EQ(Le32(b, img + 4), uint32_t(sizes[i]));
    EXPECT_EQ(Le32(b, img + 8), uint32_t(2 * sizes[i]));
    EXPECT_EQ(b[img + 40 + 4 * 200], 200);   // palette entry 200: blue
    EXPECT_EQ(b[img + 40 + 4 * 200 + 3], 0);
    // Index row r (from the bottom), column c samples cell (s c, 63 - s r).
    const int w = sizes[i], step = 64 / w;
    const size_t rows = img + 40 + 1024, mask = rows + size_t(w) * w, maskStride = size_t((w + 31) / 32) * 4;
    for (int r = 0; r < w; ++r)
      for (int c = 0; c < w; ++c) {
        const int x = step * c, y = 63 - step * r;
        ASSERT_EQ(b[rows + size_t(r) * w + c], s.index[y * 64 + x]) << r << "," << c;
        const bool bit = (b[mask + size_t(r) * maskStride + c / 8] >> (7 - c % 8)) & 1;
        ASSERT_EQ(bit, (x + y) % 5 == 0) << r << "," << c;
      }
    if (w == 16)   // the mask rows' padding stays clear
      for (int r = 0; r < 16; ++r) EXPECT_EQ(Le16(b, mask + 4 * r + 2), 0);
  }
  // Read back: each entry gives its indices top row first.
  std::vector<IconEntry> entries;
  ASSERT_TRUE(ParseIconDirectory(b.data(), b.size(), entries));
  ASSERT_EQ(entries.size(), 3u);
  IconImage icon;
  ASSERT_TRUE(DecodeIconEntry(b.data(), b.size(), entries[1], icon));
  EXPECT_EQ(icon.width, 32);
  EXPECT_EQ(icon.indices[0], s.index[1 * 64]);                   // top row: image row 1
  EXPECT_EQ(icon.indices[31 * 32 + 5], s.index[63 * 64 + 10]);   // bottom row: image row 63
  EXPECT_EQ(icon.palette[9], 0x090909u);
  std::vector<uint8_t> single;
  ASSERT_TRUE(SingleIconFile(b.data(), b.size(), 2, single));
  EXPECT_EQ(single.size(), 22u + 5672u);
  EXPECT_EQ(Le32(single, 18), 22u);
  EXPECT_EQ(std::memcmp(single.data() + 22, b.data() + 3654, 5672), 0);
}

TEST(FileLayouts, BrokenIconsAreRefused) {
  IconSource s;
  std::vector<uint8_t> good;
  BuildIcon(s.cells.data(), s.index.data(), s.palette.data(), true, false, false, good);
  auto withEntry = [&](size_t at, uint32_t value) {
    std::vector<uint8_t> b = good;
    for (int k = 0; k < 4; ++k) b[at + k] = uint8_t(value >> (8 * k));
    return b;
  };
  std::vector<uint8_t> countPast = good;
  countPast[4] = 200;   // 200 entries do not fit the file
  std::vector<uint8_t> cut(good.begin(), good.begin() + 600);
  std::vector<uint8_t> wide = good;
  wide[22 + 4] = 0;     // header width 0
  std::vector<uint8_t> deep = good;
  deep[22 + 14] = 32;   // not an 8-bit icon
  const struct {
    const char* what;
    std::vector<uint8_t> bytes;
    bool directory;
  } cases[] = {
      {"count past the end", countPast, false},
      {"cursor, not icon", withEntry(0, 0x00020000), false},
      {"offset past the end", withEntry(6 + 12, 0xFFFFFFF0u), true},
      {"size past the end", withEntry(6 + 8, 0x7FFFFFFF), true},
      {"image cut", cut, true},
      {"width 0", wide, true},
      {"32 bits", deep, true},
  };
  for (const auto& c : cases) {
    std::vector<IconEntry> entries;
    const bool dir = ParseIconDirectory(c.bytes.data(), c.bytes.size(), entries);
    EXPECT_EQ(dir, c.directory) << c.what;
    if (!dir) continue;
    IconImage icon;
    EXPECT_FALSE(DecodeIconEntry(c.bytes.data(), c.bytes.size(), entries[0], icon)) << c.what;
  }
}

TEST(FileLayouts, QuantizingFindsTheNearestLowestEntryAndKeepsExactCells) {
  std::vector<uint32_t> palette(256, 0x00102030);   // every other entry far away
  palette[0] = 0x000000;
  palette[3] = 0x646464;
  palette[5] = 0x646464;                            // the same colour again: 3 wins
  palette[7] = 0x01FFFFFF;                          // white, fourth byte 1
  palette[9] = 0x80C8C8C8;                          // (200, 200, 200), fourth byte 0x80
  palette[10] = 0x000001;
  palette[11] = 0x000100;                           // equally far from (0, 0, 0, ...) below
  std::vector<uint32_t> cells = {
      0x00C8C8C9,   // one off (200, 200, 200): entry 9, takes its fourth byte
      0x05646464,   // exactly entry 3 (and 5): keeps its own flag 5
      0x00FAFAFA,   // nearer white (15) than (200,200,200) (150): entry 7
      0x00000101,   // 1 from entry 10 and from entry 11, 2 from black: 10
  };
  std::vector<uint8_t> index(cells.size());
  QuantizeCells(cells.data(), index.data(), cells.size(), palette.data());
  EXPECT_EQ(index, (std::vector<uint8_t>{9, 3, 7, 10}));
  EXPECT_EQ(cells[0], 0x80C8C8C8u);
  EXPECT_EQ(cells[1], 0x05646464u);
  EXPECT_EQ(cells[2], 0x01FFFFFFu);
  EXPECT_EQ(cells[3], 0x00000001u);
  // The black-and-white palette: (200, 200, 200) is 165 from white, 600 from black.
  std::vector<uint32_t> bw(256, 0);
  bw[255] = 0xFFFFFF;
  EXPECT_EQ(NearestPaletteEntry(0xC8C8C8, bw.data()), 255);
  // The memo never mixes up colours that share its slot: the result equals the search.
  std::vector<uint32_t> many(70000), copy;
  for (size_t i = 0; i < many.size(); ++i) many[i] = uint32_t(i * 2654435761u) & 0xFFFFFF;
  copy = many;
  std::vector<uint8_t> idx(many.size());
  QuantizeCells(many.data(), idx.data(), many.size(), palette.data());
  for (size_t i = 0; i < many.size(); i += 97) ASSERT_EQ(idx[i], NearestPaletteEntry(copy[i], palette.data())) << i;
}

// Files the fuzzers of these readers kept (named after their target) fail or read cleanly.
TEST(FileLayouts, FoundFilesReplay) {
  namespace fs = std::filesystem;
  const fs::path dir = fs::path(TEST_DATA_DIR) / "codecs" / "found";
  if (!fs::exists(dir)) GTEST_SKIP() << "no saved files";
  for (const auto& e : fs::directory_iterator(dir)) {
    const std::string name = e.path().filename().string();
    std::ifstream in(e.path(), std::ios::binary);
    const std::vector<uint8_t> b((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (name.rfind("struc", 0) == 0) {
      GreyMap m;
      if (ParseStructure(b.data(), b.size(), m)) EXPECT_EQ(m.grey.size(), size_t(m.lastX + 1) * (m.lastY + 1));
    } else if (name.rfind("df", 0) == 0) {
      BrushFormData f;
      if (ParseBrushForm(b.data(), b.size(), f)) EXPECT_EQ(f.grey.size(), size_t(f.side) * f.side);
    } else if (name.rfind("icon8", 0) == 0) {
      std::vector<IconEntry> entries;
      if (!ParseIconDirectory(b.data(), b.size(), entries)) continue;
      for (const IconEntry& en : entries) {
        IconImage icon;
        if (DecodeIconEntry(b.data(), b.size(), en, icon))
          EXPECT_EQ(icon.indices.size(), size_t(icon.width) * icon.height);
      }
    } else if (name.rfind("cod", 0) == 0) {
      ParseCodeText(b.data(), b.size());
    }
  }
}
