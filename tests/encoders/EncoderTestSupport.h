// Test pictures, the published encoder class identifiers, and saving a
// bitmap into a fresh memory stream.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "Bitmap.h"
#include "Decoded.h"
#include "EncoderParameters.h"
#include "GdiplusTypes.h"
#include "objidl.h"

namespace encoder_tests {

// GDI+'s built-in encoders.
inline constexpr CLSID kBmpEncoder = {
    0x557cf400, 0x1a04, 0x11d3, {0x9a, 0x73, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};
inline constexpr CLSID kJpegEncoder = {
    0x557cf401, 0x1a04, 0x11d3, {0x9a, 0x73, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};
inline constexpr CLSID kGifEncoder = {
    0x557cf402, 0x1a04, 0x11d3, {0x9a, 0x73, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};
inline constexpr CLSID kTiffEncoder = {
    0x557cf405, 0x1a04, 0x11d3, {0x9a, 0x73, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};
inline constexpr CLSID kPngEncoder = {
    0x557cf406, 0x1a04, 0x11d3, {0x9a, 0x73, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};

using ColorAt = std::function<Gdiplus::Color(int x, int y)>;

std::unique_ptr<Gdiplus::Bitmap> MakeBitmap(int width, int height, const ColorAt& colorAt);

// Opaque, smooth diagonal colour ramps: thousands of colours.
Gdiplus::Color SmoothColor(int x, int y);
// Bands of seven colours, one of them transparent, one half transparent.
Gdiplus::Color FewColors(int x, int y);
// Every alpha from 0 to 255 over varying colours.
Gdiplus::Color AlphaRamp(int x, int y);
// Pseudo-random colours and alphas from a fixed seed: no two alike.
Gdiplus::Color Noise(int x, int y);

// One quality parameter, laid out as a caller would.
struct QualityBlock {
  ULONG quality = 100;
  Gdiplus::EncoderParameters params{};

  explicit QualityBlock(ULONG value);
  QualityBlock(const QualityBlock&) = delete;
  QualityBlock& operator=(const QualityBlock&) = delete;
};

struct Saved {
  Gdiplus::Status status = Gdiplus::GenericError;
  Bytes bytes;
};

// Saves into a new memory stream and reads the whole stream back.
Saved SaveToBytes(Gdiplus::Image& image, const CLSID& encoder,
                  const Gdiplus::EncoderParameters* params = nullptr);

// Owns one reference to a stream.
class StreamRef {
 public:
  StreamRef() = default;
  explicit StreamRef(IStream* stream) : stream_(stream) {}
  StreamRef(StreamRef&& other) noexcept : stream_(other.stream_) { other.stream_ = nullptr; }
  StreamRef& operator=(StreamRef&& other) noexcept;
  ~StreamRef();
  IStream* get() const { return stream_; }
  IStream** out();

 private:
  IStream* stream_ = nullptr;
};

// The stream's bytes from the start, leaving its position at the end.
Bytes ReadAll(IStream* stream);

// Peak signal-to-noise ratio of the colour channels, in decibels.
double ColorPsnr(const DecodedPicture& a, const DecodedPicture& b);

// The bitmap as straight R, G, B, A bytes, rows top to bottom.
DecodedPicture PixelsOf(Gdiplus::Bitmap& bitmap);

}  // namespace encoder_tests
