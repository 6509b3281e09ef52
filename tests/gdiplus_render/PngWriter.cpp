#include "PngWriter.h"

#include <png.h>

#include <cstdio>
#include <memory>
#include <vector>

namespace RenderTest {

namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

// Owns a libpng write struct and its info struct.
class PngWriteHandle {
 public:
  PngWriteHandle() {
    png_ = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (png_) info_ = png_create_info_struct(png_);
  }
  ~PngWriteHandle() { png_destroy_write_struct(&png_, info_ ? &info_ : nullptr); }
  PngWriteHandle(const PngWriteHandle&) = delete;
  PngWriteHandle& operator=(const PngWriteHandle&) = delete;

  png_structp png() const { return png_; }
  png_infop info() const { return info_; }

 private:
  png_structp png_ = nullptr;
  png_infop info_ = nullptr;
};

}  // namespace

bool WritePng(const Gdiplus::Bitmap& bitmap, const std::string& path) {
  const Gdiplus::BitmapSurface surface = bitmap.Surface();
  if (!surface.scan0) return false;
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
  if (!file) return false;
  PngWriteHandle handle;
  if (!handle.info()) return false;
  std::vector<png_byte> row(std::size_t(surface.width) * 4);
  if (setjmp(png_jmpbuf(handle.png()))) return false;
  png_init_io(handle.png(), file.get());
  png_set_IHDR(handle.png(), handle.info(), png_uint_32(surface.width), png_uint_32(surface.height),
               8, PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  png_write_info(handle.png(), handle.info());
  for (int y = 0; y < surface.height; ++y) {
    const Gdiplus::BYTE* in = surface.scan0 + std::size_t(y) * surface.stride;
    for (int x = 0; x < surface.width; ++x) {
      row[x * 4 + 0] = in[x * 4 + 2];
      row[x * 4 + 1] = in[x * 4 + 1];
      row[x * 4 + 2] = in[x * 4 + 0];
      row[x * 4 + 3] = in[x * 4 + 3];
    }
    png_write_row(handle.png(), row.data());
  }
  png_write_end(handle.png(), nullptr);
  return true;
}

}  // namespace RenderTest
