#include "PngEncoder.h"

#include <png.h>

namespace Gdiplus {

namespace {

// 96 dots per inch in the metre-based unit of the pHYs chunk.
constexpr png_uint_32 kPixelsPerMetre = 3780;
constexpr png_uint_32 kMaxDimension = 0x7fffffff;

// libpng reports fatal errors through this, which must not return: it jumps
// back to the setjmp in Compress, and only trivially destructible objects
// lie between.
[[noreturn]] void OnFatalError(png_structp png, png_const_charp) {
  png_longjmp(png, 1);
}

// libpng would print warnings to stderr; a component has none.
void DiscardWarning(png_structp, png_const_charp) {}

// A failed write is remembered by the sink and reported after compression.
void WriteToSink(png_structp png, png_bytep data, size_t size) {
  static_cast<EncoderSink*>(png_get_io_ptr(png))->Write(data, size);
}

void FlushNothing(png_structp) {}

// Owns a libpng write structure and its info structure.
class PngWriter {
 public:
  PngWriter() {
    png_ = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, OnFatalError, DiscardWarning);
    if (png_) info_ = png_create_info_struct(png_);
  }
  PngWriter(PngWriter&& other) noexcept : png_(other.png_), info_(other.info_) {
    other.png_ = nullptr;
    other.info_ = nullptr;
  }
  PngWriter& operator=(PngWriter&& other) noexcept {
    if (this != &other) {
      Destroy();
      png_ = other.png_;
      info_ = other.info_;
      other.png_ = nullptr;
      other.info_ = nullptr;
    }
    return *this;
  }
  ~PngWriter() { Destroy(); }

  png_structp png() const { return png_; }
  png_infop info() const { return info_; }

 private:
  void Destroy() {
    if (png_) png_destroy_write_struct(&png_, info_ ? &info_ : nullptr);
    png_ = nullptr;
    info_ = nullptr;
  }

  png_structp png_ = nullptr;
  png_infop info_ = nullptr;
};

// All libpng calls that may fail happen here, below the setjmp that
// OnFatalError returns to.
bool Compress(png_structp png, png_infop info, const EncoderPixels& pixels, EncoderSink* sink) {
  if (setjmp(png_jmpbuf(png)) != 0) return false;

  png_set_write_fn(png, sink, WriteToSink, FlushNothing);
  // libpng's default limits are meant for reading untrusted files; the
  // pictures written here are bounded by the bitmap instead.
  png_set_user_limits(png, kMaxDimension, kMaxDimension);
  png_set_IHDR(png, info, pixels.width, pixels.height, 8, PNG_COLOR_TYPE_RGB_ALPHA,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_set_pHYs(png, info, kPixelsPerMetre, kPixelsPerMetre, PNG_RESOLUTION_METER);
  png_write_info(png, info);
  // The rows are B, G, R, A; libpng swaps them into its own row copy.
  png_set_bgr(png);
  for (UINT y = 0; y < pixels.height; ++y) png_write_row(png, pixels.Row(y));
  png_write_end(png, nullptr);
  return true;
}

}  // namespace

Status EncodePng(const EncoderPixels& pixels, const EncoderParameters*, EncoderSink& sink) {
  if (!pixels.IsValid()) return InvalidParameter;
  if (pixels.width > kMaxDimension || pixels.height > kMaxDimension) return ValueOverflow;
  PngWriter writer;
  if (!writer.png() || !writer.info()) return OutOfMemory;
  if (!Compress(writer.png(), writer.info(), pixels, &sink)) {
    return sink.Failed() ? Win32Error : GenericError;
  }
  return sink.Failed() ? Win32Error : Ok;
}

}  // namespace Gdiplus
