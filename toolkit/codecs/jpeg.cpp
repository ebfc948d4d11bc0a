// JPEG through libjpeg. The library's error exit is replaced by one that records the
// message and longjmps back to the function holding the setjmp; those functions keep
// only plain data in their frames.
#include <cstdio>
// jpeglib.h needs size_t and FILE declared first.
#include <jpeglib.h>
#include <jerror.h>

#include <algorithm>
#include <csetjmp>
#include <cstring>

#include "toolkit/codecs/codec_util.h"

namespace tk::codec {
namespace {
using namespace detail;

struct JpegErr {
  jpeg_error_mgr mgr;
  jmp_buf jump;
  char msg[JMSG_LENGTH_MAX + 8];
};

void jpegErrorExit(j_common_ptr cinfo) {
  auto* e = reinterpret_cast<JpegErr*>(cinfo->err);
  char text[JMSG_LENGTH_MAX];
  e->mgr.format_message(cinfo, text);
  std::snprintf(e->msg, sizeof e->msg, "JPEG: %s", text);
  longjmp(e->jump, 1);
}
// Warnings pass quietly, except the two that say the data ended before the picture did:
// the library would go on and make up the missing rows, so a few bytes with a large
// header would turn into a large grey picture.
void jpegQuiet(j_common_ptr cinfo, int level) {
  if (level >= 0) return;   // trace messages
  const int code = cinfo->err->msg_code;
  if (code == JWRN_JPEG_EOF || code == JWRN_HIT_MARKER) {
    auto* e = reinterpret_cast<JpegErr*>(cinfo->err);
    std::snprintf(e->msg, sizeof e->msg, "JPEG: data ends before the picture");
    longjmp(e->jump, 1);
  }
}
void jpegNoOutput(j_common_ptr) {}

void setupErrors(JpegErr& e) {
  jpeg_std_error(&e.mgr);
  e.mgr.error_exit = jpegErrorExit;
  e.mgr.emit_message = jpegQuiet;
  e.mgr.output_message = jpegNoOutput;
  e.msg[0] = 0;
}

// A picture whose coefficients are all kept before any row comes out (progressive or
// several scans) codes every 8 x 8 block of its first scan in at least one bit.
constexpr uint64_t kBlocksPerByte = 8;

// Adobe CMYK (stored inverted) to cells, in place: the row holds 4 bytes a cell.
void cmykRow(uint32_t* row, int w, bool inverted) {
  auto* q = reinterpret_cast<uint8_t*>(row);
  for (int x = 0; x < w; ++x, q += 4) {
    unsigned c = q[0], m = q[1], y = q[2], k = q[3];
    if (!inverted) { c = 255 - c; m = 255 - m; y = 255 - y; k = 255 - k; }
    // c, m, y, k now hold 255 - ink
    unsigned r = c * k / 255, g = m * k / 255, b = y * k / 255;
    row[x] = 0xFF000000u | (r << 16) | (g << 8) | b;
  }
}

int readJpeg(const uint8_t* data, size_t n, Picture* pic, GrowingCells* grow, JpegErr* err) {
  jpeg_decompress_struct cinfo;
  setupErrors(*err);
  cinfo.err = &err->mgr;
  if (setjmp(err->jump)) {
    jpeg_destroy_decompress(&cinfo);
    return 1;
  }
  jpeg_create_decompress(&cinfo);
  cinfo.mem->max_memory_to_use = 1L << 30;
  jpeg_mem_src(&cinfo, data, (unsigned long)n);
  jpeg_read_header(&cinfo, TRUE);
  if (!sizeOk(cinfo.image_width, cinfo.image_height)) {
    std::snprintf(err->msg, sizeof err->msg, "JPEG: picture too large");
    jpeg_destroy_decompress(&cinfo);
    return 1;
  }
  if (jpeg_has_multiple_scans(&cinfo) &&
      ((uint64_t(cinfo.image_width) + 7) / 8) * ((uint64_t(cinfo.image_height) + 7) / 8) >
          kBlocksPerByte * uint64_t(n)) {
    std::snprintf(err->msg, sizeof err->msg, "JPEG: data too short for the picture size");
    jpeg_destroy_decompress(&cinfo);
    return 1;
  }
  const bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
  cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGRA;
  jpeg_start_decompress(&cinfo);
  const int w = int(cinfo.output_width), h = int(cinfo.output_height);
  if (cinfo.output_components != 4) {
    std::snprintf(err->msg, sizeof err->msg, "JPEG: cannot decode");
    jpeg_destroy_decompress(&cinfo);
    return 1;
  }
  pic->w = w;
  pic->h = h;
  grow->expect(uint64_t(w) * uint64_t(h), n);
  // The cells grow with the rows decoded: a file cut short stops after what it held.
  JSAMPROW rows[16];
  while (cinfo.output_scanline < cinfo.output_height) {
    int first = int(cinfo.output_scanline);
    int k = std::min(16, h - first);
    uint32_t* block = grow->extend(size_t(k) * size_t(w));
    if (!block) {
      std::snprintf(err->msg, sizeof err->msg, "JPEG: out of memory");
      jpeg_destroy_decompress(&cinfo);
      return 1;
    }
    for (int i = 0; i < k; ++i) rows[i] = reinterpret_cast<JSAMPROW>(block + size_t(i) * w);
    JDIMENSION got = jpeg_read_scanlines(&cinfo, rows, k);
    if (cmyk)
      for (JDIMENSION i = 0; i < got; ++i) cmykRow(block + size_t(i) * w, w, cinfo.saw_Adobe_marker);
    if (int(got) < k) grow->shrinkTo(size_t(first + int(got)) * size_t(w));
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  pic->hasAlpha = false;
  return 0;
}

// Destination writing straight into the caller's vector.
struct VecDest {
  jpeg_destination_mgr mgr;
  std::vector<uint8_t>* out;
  size_t start;   // where this picture begins in *out
  bool failed;
};

void grow(j_compress_ptr cinfo, size_t used) {
  auto* d = reinterpret_cast<VecDest*>(cinfo->dest);
  size_t size = used < 65536 ? 65536 : used;
  bool ok = true;
  try {
    d->out->resize(d->start + used + size);
  } catch (...) {
    ok = false;
  }
  if (!ok) {
    d->failed = true;
    ERREXIT1(cinfo, JERR_OUT_OF_MEMORY, 0);
  }
  d->mgr.next_output_byte = d->out->data() + d->start + used;
  d->mgr.free_in_buffer = size;
}
void destInit(j_compress_ptr cinfo) { grow(cinfo, 0); }
boolean destEmpty(j_compress_ptr cinfo) {
  auto* d = reinterpret_cast<VecDest*>(cinfo->dest);
  grow(cinfo, d->out->size() - d->start);   // the whole buffer is full
  return TRUE;
}
void destTerm(j_compress_ptr cinfo) {
  auto* d = reinterpret_cast<VecDest*>(cinfo->dest);
  d->out->resize(d->out->size() - d->mgr.free_in_buffer);
}

int writeJpeg(const Picture* p, VecDest* dest, int quality, JpegErr* err) {
  jpeg_compress_struct cinfo;
  setupErrors(*err);
  cinfo.err = &err->mgr;
  if (setjmp(err->jump)) {
    jpeg_destroy_compress(&cinfo);
    return 1;
  }
  jpeg_create_compress(&cinfo);
  dest->mgr.init_destination = destInit;
  dest->mgr.empty_output_buffer = destEmpty;
  dest->mgr.term_destination = destTerm;
  cinfo.dest = &dest->mgr;
  cinfo.image_width = p->w;
  cinfo.image_height = p->h;
  cinfo.input_components = 4;
  cinfo.in_color_space = JCS_EXT_BGRX;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, quality, TRUE);
  jpeg_start_compress(&cinfo, TRUE);
  JSAMPROW rows[16];
  while (cinfo.next_scanline < cinfo.image_height) {
    int first = int(cinfo.next_scanline), k = 0;
    for (; k < 16 && first + k < p->h; ++k)
      rows[k] = reinterpret_cast<JSAMPROW>(const_cast<uint32_t*>(p->cells.data()) + size_t(first + k) * p->w);
    jpeg_write_scanlines(&cinfo, rows, k);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  return 0;
}

}  // namespace

bool decodeJPEG(const uint8_t* data, size_t n, Picture& out, std::string& err) {
  if (n == 0) return fail(err, "JPEG: empty file");
  Picture pic;
  GrowingCells grow(pic.cells, size_t(MaxCells));
  JpegErr e;
  if (readJpeg(data, n, &pic, &grow, &e) != 0) return fail(err, e.msg[0] ? e.msg : "JPEG: cannot read");
  out = std::move(pic);
  return true;
}

bool encodeJPEG(const Picture& p, std::vector<uint8_t>& out, int quality) {
  if (!validPicture(p) || p.w > 65500 || p.h > 65500) return false;
  quality = quality < 0 ? 0 : quality > 100 ? 100 : quality;
  VecDest dest{};
  dest.out = &out;
  dest.start = out.size();
  JpegErr e;
  if (writeJpeg(&p, &dest, quality, &e) != 0) {
    out.resize(dest.start);
    return false;
  }
  return true;
}

}  // namespace tk::codec
