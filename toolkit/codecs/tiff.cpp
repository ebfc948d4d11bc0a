// TIFF through libtiff, from a file or from memory (the first page). Errors and
// warnings go to handlers that keep the message instead of printing it.
#include <sys/stat.h>
#include <tiffio.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <mutex>

#include "toolkit/codecs/codec_util.h"

namespace tk::codec {
namespace {
using namespace detail;

struct TiffMsg {
  char text[200];
};

int tiffError(TIFF*, void* user, const char* module, const char* fmt, va_list ap) {
  auto* m = static_cast<TiffMsg*>(user);
  if (m && !m->text[0]) {   // the first error is the telling one
    int k = std::snprintf(m->text, sizeof m->text, "TIFF: ");
    std::vsnprintf(m->text + k, sizeof m->text - k, fmt, ap);
  }
  return 1;   // handled: nothing printed
}
int tiffWarning(TIFF*, void*, const char*, const char*, va_list) { return 1; }
void silentGlobal(const char*, const char*, va_list) {}

TIFFOpenOptions* makeOptions(TiffMsg* msg) {
  // Messages raised without a handle go to the global handlers: silence those too.
  static std::once_flag once;
  std::call_once(once, [] {
    TIFFSetErrorHandler(silentGlobal);
    TIFFSetWarningHandler(silentGlobal);
  });
  TIFFOpenOptions* o = TIFFOpenOptionsAlloc();
  if (!o) return nullptr;
  TIFFOpenOptionsSetErrorHandlerExtR(o, tiffError, msg);
  TIFFOpenOptionsSetWarningHandlerExtR(o, tiffWarning, nullptr);
  TIFFOpenOptionsSetMaxSingleMemAlloc(o, tmsize_t(MaxCells) * 4);
  return o;
}

struct MemFile {
  const uint8_t* data;
  size_t n, pos;
};

tmsize_t memRead(thandle_t h, void* buf, tmsize_t size) {
  auto* f = static_cast<MemFile*>(h);
  if (size <= 0 || f->pos >= f->n) return 0;
  size_t k = std::min(size_t(size), f->n - f->pos);
  std::memcpy(buf, f->data + f->pos, k);
  f->pos += k;
  return tmsize_t(k);
}
tmsize_t memWrite(thandle_t, void*, tmsize_t) { return 0; }
toff_t memSeek(thandle_t h, toff_t off, int whence) {
  auto* f = static_cast<MemFile*>(h);
  uint64_t base = whence == SEEK_SET ? 0 : whence == SEEK_CUR ? f->pos : f->n;
  uint64_t to = base + off;   // toff_t is unsigned: a negative offset wraps
  if (to > f->n) return toff_t(-1);
  f->pos = size_t(to);
  return to;
}
int memClose(thandle_t) { return 0; }
toff_t memSize(thandle_t h) { return static_cast<MemFile*>(h)->n; }
int memMap(thandle_t h, void** base, toff_t* size) {
  auto* f = static_cast<MemFile*>(h);
  *base = const_cast<uint8_t*>(f->data);
  *size = f->n;
  return 1;
}
void memUnmap(thandle_t, void*, toff_t) {}

// Rows decoded per band at least (whole strips are decoded each time, so a band never
// cuts one).
constexpr uint64_t kBandCells = uint64_t(1) << 20;

// Whether every strip or tile can be as large as it claims: stored ones need their bytes
// in the file, packed ones may expand each byte at most kMaxExpansion times (beyond a
// free allowance for very flat pictures). A file whose header promises far more than its
// data is broken, and libtiff would allocate the promised strip first.
constexpr uint64_t kMaxExpansion = 1032;
constexpr uint64_t kFreeBytes = uint64_t(1) << 24;

bool dataCanFill(TIFF* tif, uint64_t fileBytes) {
  uint16_t compression = COMPRESSION_NONE, planar = PLANARCONFIG_CONTIG, spp = 1;
  TIFFGetFieldDefaulted(tif, TIFFTAG_COMPRESSION, &compression);
  TIFFGetFieldDefaulted(tif, TIFFTAG_PLANARCONFIG, &planar);
  TIFFGetFieldDefaulted(tif, TIFFTAG_SAMPLESPERPIXEL, &spp);
  const bool tiled = TIFFIsTiled(tif);
  const uint32_t count = tiled ? TIFFNumberOfTiles(tif) : TIFFNumberOfStrips(tif);
  // Each strip has its offset in the file (one strip may keep it in its entry).
  if (count == 0 || (count > 1 && count > fileBytes / 2)) return false;
  uint32_t w = 0, h = 0;
  TIFFGetField(tif, TIFFTAG_IMAGEWIDTH, &w);
  TIFFGetField(tif, TIFFTAG_IMAGELENGTH, &h);
  if (!wholeFits(w, h, fileBytes)) return false;
  const uint64_t need = tiled ? uint64_t(count) * TIFFTileSize64(tif)
                              : TIFFScanlineSize64(tif) * h * (planar == PLANARCONFIG_SEPARATE ? spp : 1);
  uint64_t total = 0;
  for (uint32_t i = 0; i < count; ++i) total += TIFFGetStrileByteCount(tif, i);
  if (compression == COMPRESSION_NONE) return total >= need;
  return total * kMaxExpansion + kFreeBytes >= need;
}

bool readOpen(TIFF* tif, uint64_t fileBytes, TiffMsg& msg, Picture& out, std::string& err) {
  if (!tif) return fail(err, msg.text[0] ? msg.text : "TIFF: cannot open");
  uint32_t w = 0, h = 0;
  TIFFGetField(tif, TIFFTAG_IMAGEWIDTH, &w);
  TIFFGetField(tif, TIFFTAG_IMAGELENGTH, &h);
  if (!sizeOk(w, h)) {
    TIFFClose(tif);
    return fail(err, "TIFF: picture too large or empty");
  }
  uint16_t extra = 0;
  uint16_t* extraTypes = nullptr;
  bool alpha = TIFFGetField(tif, TIFFTAG_EXTRASAMPLES, &extra, &extraTypes) && extra > 0;
  char emsg[1024] = "";
  if (!TIFFRGBAImageOK(tif, emsg)) {
    TIFFClose(tif);
    err = std::string("TIFF: ") + emsg;
    return false;
  }
  if (!dataCanFill(tif, fileBytes)) {
    TIFFClose(tif);
    return fail(err, "TIFF: data too short for the picture size");
  }
  Picture p;
  p.w = int(w);
  p.h = int(h);
  // In bands of whole strips (or tile rows), the cells growing band by band, stopping
  // at the first strip that cannot be read: a file cut short fails after what it held.
  TIFFRGBAImage img;
  if (!TIFFRGBAImageBegin(&img, tif, 1, emsg)) {
    TIFFClose(tif);
    err = std::string("TIFF: ") + emsg;
    return false;
  }
  img.req_orientation = ORIENTATION_TOPLEFT;
  uint32_t band = 0;
  if (TIFFIsTiled(tif)) TIFFGetField(tif, TIFFTAG_TILELENGTH, &band);
  else TIFFGetFieldDefaulted(tif, TIFFTAG_ROWSPERSTRIP, &band);
  band = std::max<uint32_t>(band, 1);
  if (uint64_t(band) * w < kBandCells) band *= uint32_t(std::min<uint64_t>(kBandCells / (uint64_t(band) * w), h));
  band = std::min(band, h);
  GrowingCells cells(p.cells, size_t(w) * h);
  bool ok = true;
  for (uint32_t y = 0; ok && y < h; y += band) {
    const uint32_t rows = std::min(band, h - y);
    uint32_t* dst = cells.extend(size_t(rows) * w);
    img.row_offset = int(y);
    ok = dst && TIFFRGBAImageGet(&img, dst, w, rows);
  }
  TIFFRGBAImageEnd(&img);
  TIFFClose(tif);
  if (!ok) return fail(err, msg.text[0] ? msg.text : "TIFF: cannot read");
  // libtiff packs red in the low byte: swap to blue low.
  for (uint32_t& c : p.cells) c = (c & 0xFF00FF00u) | ((c >> 16) & 0xFF) | ((c & 0xFF) << 16);
  if (alpha)   // libtiff hands alpha over premultiplied; cells carry it straight
    for (uint32_t& c : p.cells) {
      uint32_t a = c >> 24;
      if (a == 255) continue;
      if (a == 0) { c = 0; continue; }
      uint32_t r = std::min<uint32_t>(255, (((c >> 16) & 255) * 255 + a / 2) / a);
      uint32_t g = std::min<uint32_t>(255, (((c >> 8) & 255) * 255 + a / 2) / a);
      uint32_t b = std::min<uint32_t>(255, ((c & 255) * 255 + a / 2) / a);
      c = (a << 24) | (r << 16) | (g << 8) | b;
    }
  p.hasAlpha = alpha;
  out = std::move(p);
  return true;
}

}  // namespace

bool decodeTIFF(const uint8_t* data, size_t n, Picture& out, std::string& err) {
  TiffMsg msg{};
  MemFile f{data, n, 0};
  TIFFOpenOptions* o = makeOptions(&msg);
  TIFF* tif = TIFFClientOpenExt("memory", "r", &f, memRead, memWrite, memSeek, memClose,
                                memSize, memMap, memUnmap, o);
  TIFFOpenOptionsFree(o);
  return readOpen(tif, n, msg, out, err);
}

bool decodeTIFFFile(const std::string& path, Picture& out, std::string& err) {
  TiffMsg msg{};
  TIFFOpenOptions* o = makeOptions(&msg);
  TIFF* tif = TIFFOpenExt(path.c_str(), "r", o);
  TIFFOpenOptionsFree(o);
  struct stat st;
  const uint64_t bytes = ::stat(path.c_str(), &st) == 0 ? uint64_t(st.st_size) : 0;
  return readOpen(tif, bytes, msg, out, err);
}

}  // namespace tk::codec
