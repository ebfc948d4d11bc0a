// Image readers and writers behind image load and save. No GUI dependency: the fuzz
// targets link these alone. Every reader checks each length and offset against the
// data and fails cleanly (false with a message) on a broken or hostile file.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tk::codec {

// A decoded picture: w*h cells, top row first, 0xAARRGGBB (byte 0 blue, byte 3 alpha
// or the program's flag byte).
struct Picture {
  int w = 0, h = 0;
  std::vector<uint32_t> cells;
  bool hasAlpha = false;   // the source carried transparency
};

// Largest picture a reader accepts (cells); larger headers fail as broken.
constexpr int64_t MaxCells = int64_t(1) << 28;

enum class Format { Unknown, BMP, PNG, JPEG, TIFF, TGA, ICO, CUR };
Format sniff(const uint8_t* data, size_t n, const std::string& nameHint = "");

bool decode(const uint8_t* data, size_t n, Picture& out, std::string& err,
            const std::string& nameHint = "");
bool decodeBMP(const uint8_t* data, size_t n, Picture& out, std::string& err);
bool decodePNG(const uint8_t* data, size_t n, Picture& out, std::string& err);
bool decodeJPEG(const uint8_t* data, size_t n, Picture& out, std::string& err);
bool decodeTIFF(const uint8_t* data, size_t n, Picture& out, std::string& err);
bool decodeTIFFFile(const std::string& path, Picture& out, std::string& err);
bool decodeTGA(const uint8_t* data, size_t n, Picture& out, std::string& err);
// ICO and CUR: the largest (then deepest) entry, or entry `index` when >= 0.
bool decodeICO(const uint8_t* data, size_t n, Picture& out, std::string& err, int index = -1);
int countICOEntries(const uint8_t* data, size_t n);

// Writers append to out. quality 0..100 for JPEG; bmpDepth 24 or 32.
bool encodeBMP(const Picture& p, std::vector<uint8_t>& out, int bmpDepth = 24);
bool encodePNG(const Picture& p, std::vector<uint8_t>& out, bool withAlpha = false);
bool encodeJPEG(const Picture& p, std::vector<uint8_t>& out, int quality);
// Several sizes in one icon file (each entry 32-bit with an AND mask).
bool encodeICO(const std::vector<Picture>& entries, std::vector<uint8_t>& out, bool cursor = false,
               int hotX = 0, int hotY = 0);

}  // namespace tk::codec
