// TIFF through libtiff, from a file or from memory (the first page). Errors and
// warnings go to handlers that keep the message instead of printing it.
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

bool readOpen(TIFF* tif, TiffMsg& msg, Picture& out, std::string& err) {
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
  Picture p;
  p.w = int(w);
  p.h = int(h);
  p.cells.resize(size_t(w) * h);
  int ok = TIFFReadRGBAImageOriented(tif, w, h, p.cells.data(), ORIENTATION_TOPLEFT, 0);
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
  return readOpen(tif, msg, out, err);
}

bool decodeTIFFFile(const std::string& path, Picture& out, std::string& err) {
  TiffMsg msg{};
  TIFFOpenOptions* o = makeOptions(&msg);
  TIFF* tif = TIFFOpenExt(path.c_str(), "r", o);
  TIFFOpenOptionsFree(o);
  return readOpen(tif, msg, out, err);
}

}  // namespace tk::codec
