// Opening and saving a 4000 x 3000 photo-like picture as PNG and JPEG through the
// program's reader (file into the image arrays) and SaveBitmap (image arrays into the
// file), against the bare libraries reading and writing the same files in the same run;
// and mapping that picture onto a 256-entry palette against a plain copy of its cells.
// One line per case: "<case> ours=<ms> bare=<ms> ratio=<x>".
// Run by hand: QT_QPA_PLATFORM=offscreen ./file_bench
#include <cstdio>
// jpeglib.h needs FILE and size_t first.
#include <jpeglib.h>
#include <png.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <csetjmp>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "documents/documents.h"
#include "shell/shell.h"
#include "toolkit/codecs/codecs.h"
#include "toolkit/toolkit.h"

namespace {

constexpr int W = 4000, H = 3000, Rounds = 3;

std::vector<uint32_t> Photo() {
  std::vector<uint32_t> cells(size_t(W) * H);
  uint32_t s = 12345;
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x) {
      s ^= s << 13; s ^= s >> 17; s ^= s << 5;
      const int n = int(s & 15) - 8;
      auto ch = [n](int v) { return uint32_t(std::clamp(v + n, 0, 255)); };
      const int r = 128 + int(100 * std::sin(x * 0.002 + y * 0.001));
      const int g = (x * 255 / W + y * 128 / H) / 2 + 40;
      const int b = 200 - y * 150 / H;
      cells[size_t(y) * W + x] = ch(r) << 16 | ch(g) << 8 | ch(b);
    }
  return cells;
}

double Ms(const std::function<void()>& f) {
  const auto t0 = std::chrono::steady_clock::now();
  f();
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
}

// Best of Rounds, ours and bare taking turns.
void Run(const char* name, const std::function<void()>& ours, const std::function<void()>& bare) {
  double o = 1e30, b = 1e30;
  for (int i = 0; i < Rounds; ++i) {
    o = std::min(o, Ms(ours));
    b = std::min(b, Ms(bare));
  }
  std::printf("%s ours=%.1f bare=%.1f ratio=%.2f\n", name, o, b, o / b);
  std::fflush(stdout);
}

std::vector<uint8_t> ReadAll(const std::string& path) {
  std::vector<uint8_t> d;
  if (FILE* f = std::fopen(path.c_str(), "rb")) {
    std::fseek(f, 0, SEEK_END);
    d.resize(size_t(std::ftell(f)));
    std::fseek(f, 0, SEEK_SET);
    if (std::fread(d.data(), 1, d.size(), f) != d.size()) d.clear();
    std::fclose(f);
  }
  return d;
}

void WriteAll(const std::string& path, const std::vector<uint8_t>& d) {
  if (FILE* f = std::fopen(path.c_str(), "wb")) {
    std::fwrite(d.data(), 1, d.size(), f);
    std::fclose(f);
  }
}

// ---- bare libpng and libjpeg: the file read whole, decoded into BGRA rows; rows encoded
// into memory, then written out ----

struct Mem {
  const uint8_t* d;
  size_t n, pos;
};
void PngRead(png_structp png, png_bytep out, png_size_t len) {
  auto* m = static_cast<Mem*>(png_get_io_ptr(png));
  if (m->n - m->pos < len) png_error(png, "short");
  std::memcpy(out, m->d + m->pos, len);
  m->pos += len;
}
void BarePngLoad(const std::string& path, std::vector<uint8_t>& pix) {
  const std::vector<uint8_t> f = ReadAll(path);
  Mem m{f.data(), f.size(), 0};
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  std::vector<png_bytep> rows;
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_read_struct(&png, &info, nullptr);
    return;
  }
  png_set_read_fn(png, &m, PngRead);
  png_read_info(png, info);
  const int w = int(png_get_image_width(png, info)), h = int(png_get_image_height(png, info));
  png_set_expand(png);
  png_set_strip_16(png);
  png_set_bgr(png);
  png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
  png_read_update_info(png, info);
  pix.assign(size_t(w) * h * 4, 0);
  rows.resize(size_t(h));
  for (int y = 0; y < h; ++y) rows[size_t(y)] = pix.data() + size_t(y) * w * 4;
  png_read_image(png, rows.data());
  png_destroy_read_struct(&png, &info, nullptr);
}
void PngWrite(png_structp png, png_bytep d, png_size_t len) {
  auto* v = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
  v->insert(v->end(), d, d + len);
}
void PngFlush(png_structp) {}
void BarePngSave(const std::string& path, const std::vector<uint32_t>& cells) {
  std::vector<uint8_t> out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  std::vector<png_bytep> rows(H);
  for (int y = 0; y < H; ++y) rows[size_t(y)] = (png_bytep)(cells.data() + size_t(y) * W);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return;
  }
  png_set_write_fn(png, &out, PngWrite, PngFlush);
  png_set_IHDR(png, info, W, H, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  png_set_bgr(png);
  png_set_filler(png, 0, PNG_FILLER_AFTER);
  png_write_image(png, rows.data());
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  WriteAll(path, out);
}
void BareJpegLoad(const std::string& path, std::vector<uint8_t>& pix) {
  const std::vector<uint8_t> f = ReadAll(path);
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
void BareJpegSave(const std::string& path, const std::vector<uint32_t>& cells, int quality) {
  jpeg_compress_struct c;
  jpeg_error_mgr e;
  c.err = jpeg_std_error(&e);
  jpeg_create_compress(&c);
  unsigned char* buf = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&c, &buf, &size);
  c.image_width = W;
  c.image_height = H;
  c.input_components = 4;
  c.in_color_space = JCS_EXT_BGRX;
  jpeg_set_defaults(&c);
  jpeg_set_quality(&c, quality, TRUE);
  jpeg_start_compress(&c, TRUE);
  while (c.next_scanline < c.image_height) {
    JSAMPROW row = (JSAMPROW)(cells.data() + size_t(c.next_scanline) * W);
    jpeg_write_scanlines(&c, &row, 1);
  }
  jpeg_finish_compress(&c);
  jpeg_destroy_compress(&c);
  WriteAll(path, std::vector<uint8_t>(buf, buf + size));
  free(buf);
}

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  tk::init(argc, argv);
  tk::test::enable(true);
  const std::string folder =
      (std::filesystem::temp_directory_path() / ("file_bench_" + std::to_string(::getpid()))).string() + "/";
  std::filesystem::create_directories(folder);
  ResetDocumentsState();
  const std::vector<uint32_t> photo = Photo();
  SetImageDimensions(H, W, 1);
  ImagePixels = photo;
  // The JPEG level 7 the program writes an opened picture with is quality 72.
  ImageRecords[1].compression = 7;
  const int jpegQuality = 5 + (7 * 95 + 5) / 10;
  if (SaveBitmap(folder + "photo.png", 1) != 1 || SaveBitmap(folder + "photo.jpg", 1) != 1) {
    std::printf("file_bench: cannot write the pictures\n");
    return 1;
  }
  // Each load fills fresh memory, as opening a file does.
  Run("open_png_4000x3000", [&] { LoadBitmapImage(folder + "photo.png"); },
      [&] {
        std::vector<uint8_t> pix;
        BarePngLoad(folder + "photo.png", pix);
      });
  Run("open_jpeg_4000x3000", [&] { LoadBitmapImage(folder + "photo.jpg"); },
      [&] {
        std::vector<uint8_t> pix;
        BareJpegLoad(folder + "photo.jpg", pix);
      });
  ImagePixels = photo;
  Run("save_png_4000x3000", [&] { SaveBitmap(folder + "ours.png", 1); },
      [&] { BarePngSave(folder + "bare.png", photo); });
  Run("save_jpeg_4000x3000", [&] { SaveBitmap(folder + "ours.jpg", 1); },
      [&] { BareJpegSave(folder + "bare.jpg", photo, jpegQuality); });

  // Palette quantising: a 6 x 6 x 6 colour cube plus greys, the photo mapped onto it.
  Palette.assign(256, 0);
  for (int k = 0; k < 216; ++k) Palette[k] = PixelCell(k % 6 * 51) | PixelCell(k / 6 % 6 * 51) << 8 | PixelCell(k / 36 * 51) << 16;
  for (int k = 216; k < 256; ++k) Palette[k] = PixelCell((k - 216) * 6) * 0x010101u;
  // Both start from a fresh copy of the photo; ours maps it as well.
  Run("quantize_256_4000x3000_vs_copy",
      [&] {
        ImagePixels = photo;
        QuantizeToPalette(1);
      },
      [&] { ImagePixels = photo; });
  std::filesystem::remove_all(folder);
  return 0;
}
