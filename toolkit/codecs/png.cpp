// PNG through libpng. libpng reports errors by longjmp: the functions holding the
// setjmp keep only plain data in their frames, so nothing is skipped on the way out.
#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <cstring>

#include "toolkit/codecs/codec_util.h"

namespace tk::codec {
namespace {
using namespace detail;

struct PngRead {
  const uint8_t* data;
  size_t n, pos;
  Picture* pic;        // cells sized by prepare() or grown row by row through grow
  GrowingCells* grow;
  char msg[160];
};

// Deflate turns one byte into at most 1032 (258-byte matches of one bit each plus the
// block overhead): the filtered rows of a picture cannot outgrow that share of the file.
constexpr uint64_t kDeflateMaxRatio = 1032;

void pngError(png_structp png, png_const_charp text) {
  auto* ctx = static_cast<PngRead*>(png_get_error_ptr(png));
  std::snprintf(ctx->msg, sizeof ctx->msg, "PNG: %s", text);
  png_longjmp(png, 1);
}
void pngWarning(png_structp, png_const_charp) {}

void pngReadData(png_structp png, png_bytep dst, png_size_t len) {
  auto* ctx = static_cast<PngRead*>(png_get_io_ptr(png));
  if (ctx->n - ctx->pos < len) png_error(png, "truncated data");
  std::memcpy(dst, ctx->data + ctx->pos, len);
  ctx->pos += len;
}

// Sizes the cells and the row table; C++ allocation happens here, outside the
// setjmp frame. False when out of memory.
bool prepare(PngRead* ctx, int w, int h, png_bytep** rows) noexcept {
  try {
    ctx->pic->w = w;
    ctx->pic->h = h;
    ctx->pic->cells.resize(size_t(w) * size_t(h));
    *rows = new png_bytep[h];
  } catch (...) {
    return false;
  }
  for (int y = 0; y < h; ++y)
    (*rows)[y] = reinterpret_cast<png_bytep>(ctx->pic->cells.data() + size_t(y) * w);
  return true;
}

// Returns 0 on success; ctx->msg says why not.
int readPng(PngRead* ctx) {
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, ctx, pngError, pngWarning);
  if (!png) return std::snprintf(ctx->msg, sizeof ctx->msg, "PNG: out of memory"), 1;
  png_infop info = png_create_info_struct(png);
  png_bytep* volatile rows = nullptr;
  if (!info || setjmp(png_jmpbuf(png))) {
    png_destroy_read_struct(&png, info ? &info : nullptr, nullptr);
    delete[] rows;
    return 1;
  }
  png_set_read_fn(png, ctx, pngReadData);
  png_read_info(png, info);
  png_uint_32 w = png_get_image_width(png, info), h = png_get_image_height(png, info);
  if (!sizeOk(w, h)) png_error(png, "picture too large");
  // The file's own rows (one filter byte each) must fit what its data can inflate to.
  if (uint64_t(h) * (uint64_t(png_get_rowbytes(png, info)) + 1) > kDeflateMaxRatio * uint64_t(ctx->n))
    png_error(png, "data too short for the picture size");
  int type = png_get_color_type(png, info);
  bool alpha = (type & PNG_COLOR_MASK_ALPHA) || png_get_valid(png, info, PNG_INFO_tRNS);
  png_set_expand(png);
  png_set_strip_16(png);
  if (!(type & PNG_COLOR_MASK_COLOR)) png_set_gray_to_rgb(png);
  png_set_bgr(png);
  if (!alpha) png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
  const int passes = png_set_interlace_handling(png);
  png_read_update_info(png, info);
  if (png_get_rowbytes(png, info) != size_t(w) * 4) png_error(png, "unexpected row layout");
  ctx->pic->w = int(w);
  ctx->pic->h = int(h);
  if (passes > 1) {
    // Every pass touches every row: the whole picture first, when the data can fill it.
    if (!wholeFits(w, h, ctx->n)) png_error(png, "data too short for the picture size");
    png_bytep* r = nullptr;
    if (!prepare(ctx, int(w), int(h), &r)) png_error(png, "out of memory");
    rows = r;
    png_read_image(png, r);
  } else {
    // Row by row: a file whose data ends early stops after the rows it held.
    ctx->grow->expect(uint64_t(w) * h, ctx->n);
    for (png_uint_32 y = 0; y < h; ++y) {
      uint32_t* row = ctx->grow->extend(w);
      if (!row) png_error(png, "out of memory");
      png_read_row(png, reinterpret_cast<png_bytep>(row), nullptr);
    }
  }
  ctx->pic->hasAlpha = alpha;
  png_destroy_read_struct(&png, &info, nullptr);
  delete[] rows;
  return 0;
}

struct PngWrite {
  std::vector<uint8_t>* out;
  bool failed;
};

void pngWriteData(png_structp png, png_bytep src, png_size_t len) {
  auto* ctx = static_cast<PngWrite*>(png_get_io_ptr(png));
  bool ok = true;
  try {
    ctx->out->insert(ctx->out->end(), src, src + len);
  } catch (...) {
    ok = false;
  }
  if (!ok) png_error(png, "out of memory");
}
void pngFlush(png_structp) {}
void pngWriteError(png_structp png, png_const_charp) {
  static_cast<PngWrite*>(png_get_error_ptr(png))->failed = true;
  png_longjmp(png, 1);
}

int writePng(PngWrite* ctx, const Picture* p, png_bytep* rows, bool alpha) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, ctx, pngWriteError, pngWarning);
  if (!png) return 1;
  png_infop info = png_create_info_struct(png);
  if (!info || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, info ? &info : nullptr);
    return 1;
  }
  png_set_write_fn(png, ctx, pngWriteData, pngFlush);
  png_set_IHDR(png, info, p->w, p->h, 8, alpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  png_set_bgr(png);
  if (!alpha) png_set_filler(png, 0, PNG_FILLER_AFTER);   // drops the fourth byte
  png_write_image(png, rows);
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  return 0;
}

}  // namespace

bool decodePNG(const uint8_t* data, size_t n, Picture& out, std::string& err) {
  Picture pic;
  GrowingCells grow(pic.cells, size_t(MaxCells));
  PngRead ctx{data, n, 0, &pic, &grow, {0}};
  if (readPng(&ctx) != 0) return fail(err, ctx.msg[0] ? ctx.msg : "PNG: cannot read");
  out = std::move(pic);
  return true;
}

bool encodePNG(const Picture& p, std::vector<uint8_t>& out, bool withAlpha) {
  if (!validPicture(p)) return false;
  std::vector<png_bytep> rows(p.h);
  for (int y = 0; y < p.h; ++y)
    rows[y] = reinterpret_cast<png_bytep>(const_cast<uint32_t*>(p.cells.data()) + size_t(y) * p.w);
  size_t base = out.size();
  PngWrite ctx{&out, false};
  if (writePng(&ctx, &p, rows.data(), withAlpha) != 0) {
    out.resize(base);
    return false;
  }
  return true;
}

}  // namespace tk::codec
