// Format detection and the decoder for any supported file.
#include <algorithm>
#include <cctype>
#include <cstring>

#include "toolkit/codecs/codec_util.h"

namespace tk::codec {

Format sniff(const uint8_t* d, size_t n, const std::string& nameHint) {
  if (n >= 8 && std::memcmp(d, "\x89PNG\r\n\x1A\n", 8) == 0) return Format::PNG;
  if (n >= 3 && d[0] == 0xFF && d[1] == 0xD8 && d[2] == 0xFF) return Format::JPEG;
  if (n >= 4 && (std::memcmp(d, "II*\0", 4) == 0 || std::memcmp(d, "MM\0*", 4) == 0 ||
                 std::memcmp(d, "II+\0", 4) == 0 || std::memcmp(d, "MM\0+", 4) == 0))
    return Format::TIFF;
  if (n >= 2 && d[0] == 'B' && d[1] == 'M') return Format::BMP;
  if (n >= 6 && d[0] == 0 && d[1] == 0 && d[3] == 0 && (d[2] == 1 || d[2] == 2) &&
      (d[4] | d[5]) != 0)
    return d[2] == 1 ? Format::ICO : Format::CUR;
  // TGA has no leading magic: the footer of newer files, else the name.
  static const char footer[] = "TRUEVISION-XFILE.";
  if (n >= 44 && std::memcmp(d + n - 18, footer, 18) == 0) return Format::TGA;
  if (nameHint.size() >= 4) {
    std::string ext = nameHint.substr(nameHint.size() - 4);
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
    if (ext == ".tga") return Format::TGA;
  }
  return Format::Unknown;
}

bool decode(const uint8_t* data, size_t n, Picture& out, std::string& err,
            const std::string& nameHint) {
  switch (sniff(data, n, nameHint)) {
    case Format::BMP: return decodeBMP(data, n, out, err);
    case Format::PNG: return decodePNG(data, n, out, err);
    case Format::JPEG: return decodeJPEG(data, n, out, err);
    case Format::TIFF: return decodeTIFF(data, n, out, err);
    case Format::TGA: return decodeTGA(data, n, out, err);
    case Format::ICO:
    case Format::CUR: return decodeICO(data, n, out, err);
    default: return detail::fail(err, "unknown picture format");
  }
}

}  // namespace tk::codec
