// Loading and saving a 4000 x 3000 photo-like picture as PNG and JPEG through our
// codecs, against the bare libraries doing the same work in the same run.
// One line per case: "<case> ours=<ms> bare=<ms> ratio=<x>".
#include <cstdio>
// jpeglib.h needs FILE and size_t first.
#include <jpeglib.h>
#include <png.h>

#include <algorithm>
#include <cmath>
#include <chrono>
#include <csetjmp>
#include <cstring>
#include <functional>
#include <vector>

#include "toolkit/codecs/codecs.h"

using namespace tk::codec;

namespace {

constexpr int W = 4000, H = 3000, Rounds = 3;

Picture photo() {
  Picture p;
  p.w = W;
  p.h = H;
  p.cells.resize(size_t(W) * H);
  uint32_t s = 12345;
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x) {
      s ^= s << 13; s ^= s >> 17; s ^= s << 5;
      int n = int(s & 15) - 8;
      auto ch = [n](int v) { return uint32_t(std::clamp(v + n, 0, 255)); };
      int r = 128 + int(100 * std::sin(x * 0.002 + y * 0.001));
      int g = (x * 255 / W + y * 128 / H) / 2 + 40;
      int b = 200 - y * 150 / H;
      p.cells[size_t(y) * W + x] = 0xFF000000u | ch(r) << 16 | ch(g) << 8 | ch(b);
    }
  return p;
}

double ms(const std::function<void()>& f) {
  auto t0 = std::chrono::steady_clock::now();
  f();
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
}

// Best of Rounds, ours and bare taking turns.
void run(const char* name, const std::function<void()>& ours, const std::function<void()>& bare) {
  double o = 1e30, b = 1e30;
  for (int i = 0; i < Rounds; ++i) {
    o = std::min(o, ms(ours));
    b = std::min(b, ms(bare));
  }
  std::printf("%s ours=%.1f bare=%.1f ratio=%.2f\n", name, o, b, o / b);
  std::fflush(stdout);
}

// ---- bare libpng ----------------------------------------------------------------------

struct Mem { const uint8_t* d; size_t n, pos; };

void pngRead(png_structp png, png_bytep out, png_size_t len) {
  auto* m = static_cast<Mem*>(png_get_io_ptr(png));
  if (m->n - m->pos < len) png_error(png, "short");
  std::memcpy(out, m->d + m->pos, len);
  m->pos += len;
}

bool barePngDecode(const std::vector<uint8_t>& f, std::vector<uint8_t>& pix) {
  Mem m{f.data(), f.size(), 0};
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  std::vector<png_bytep> rows;
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_read_struct(&png, &info, nullptr);
    return false;
  }
  png_set_read_fn(png, &m, pngRead);
  png_read_info(png, info);
  int w = png_get_image_width(png, info), h = png_get_image_height(png, info);
  png_set_expand(png);
  png_set_strip_16(png);
  png_set_bgr(png);
  png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
  png_read_update_info(png, info);
  pix.assign(size_t(w) * h * 4, 0);
  rows.resize(h);
  for (int y = 0; y < h; ++y) rows[y] = pix.data() + size_t(y) * w * 4;
  png_read_image(png, rows.data());
  png_destroy_read_struct(&png, &info, nullptr);
  return true;
}

void pngWrite(png_structp png, png_bytep d, png_size_t len) {
  auto* v = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
  v->insert(v->end(), d, d + len);
}
void pngFlush(png_structp) {}

bool barePngEncode(const Picture& p, std::vector<uint8_t>& out) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  std::vector<png_bytep> rows(p.h);
  for (int y = 0; y < p.h; ++y) rows[y] = (png_bytep)(p.cells.data() + size_t(y) * p.w);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_set_write_fn(png, &out, pngWrite, pngFlush);
  png_set_IHDR(png, info, p.w, p.h, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  png_set_bgr(png);
  png_set_filler(png, 0, PNG_FILLER_AFTER);
  png_write_image(png, rows.data());
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  return true;
}

// ---- bare libjpeg ---------------------------------------------------------------------

void bareJpegDecode(const std::vector<uint8_t>& f, std::vector<uint8_t>& pix) {
  jpeg_decompress_struct c;
  jpeg_error_mgr e;
  c.err = jpeg_std_error(&e);
  jpeg_create_decompress(&c);
  jpeg_mem_src(&c, f.data(), f.size());
  jpeg_read_header(&c, TRUE);
  c.out_color_space = JCS_EXT_BGRA;
  jpeg_start_decompress(&c);
  pix.assign(size_t(c.output_width) * c.output_height * 4, 0);
  while (c.output_scanline < c.output_height) {
    JSAMPROW row = pix.data() + size_t(c.output_scanline) * c.output_width * 4;
    jpeg_read_scanlines(&c, &row, 1);
  }
  jpeg_finish_decompress(&c);
  jpeg_destroy_decompress(&c);
}

void bareJpegEncode(const Picture& p, std::vector<uint8_t>& out) {
  jpeg_compress_struct c;
  jpeg_error_mgr e;
  c.err = jpeg_std_error(&e);
  jpeg_create_compress(&c);
  unsigned char* buf = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&c, &buf, &size);
  c.image_width = p.w;
  c.image_height = p.h;
  c.input_components = 4;
  c.in_color_space = JCS_EXT_BGRX;
  jpeg_set_defaults(&c);
  jpeg_set_quality(&c, 90, TRUE);
  jpeg_start_compress(&c, TRUE);
  while (c.next_scanline < c.image_height) {
    JSAMPROW row = (JSAMPROW)(p.cells.data() + size_t(c.next_scanline) * p.w);
    jpeg_write_scanlines(&c, &row, 1);
  }
  jpeg_finish_compress(&c);
  jpeg_destroy_compress(&c);
  out.assign(buf, buf + size);
  free(buf);
}

}  // namespace

int main() {
  const Picture src = photo();
  std::vector<uint8_t> png, jpeg, scratch;
  if (!encodePNG(src, png) || !encodeJPEG(src, jpeg, 90)) {
    std::printf("codec_bench: cannot encode\n");
    return 1;
  }
  std::string err;
  // Each load fills a fresh picture or buffer.
  run("png_load", [&] { Picture got; decodePNG(png.data(), png.size(), got, err); },
      [&] { std::vector<uint8_t> pix; barePngDecode(png, pix); });
  run("png_save", [&] { scratch.clear(); encodePNG(src, scratch); },
      [&] { scratch.clear(); barePngEncode(src, scratch); });
  run("jpeg_load", [&] { Picture got; decodeJPEG(jpeg.data(), jpeg.size(), got, err); },
      [&] { std::vector<uint8_t> pix; bareJpegDecode(jpeg, pix); });
  run("jpeg_save_q90", [&] { scratch.clear(); encodeJPEG(src, scratch, 90); },
      [&] { scratch.clear(); bareJpegEncode(src, scratch); });
  return 0;
}
