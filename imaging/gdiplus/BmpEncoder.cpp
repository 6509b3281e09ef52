#include "BmpEncoder.h"

#include <array>
#include <cstdint>
#include <limits>

namespace Gdiplus {

namespace {

constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kPixelOffset = kFileHeaderSize + kInfoHeaderSize;
constexpr std::uint32_t kBiRgb = 0;
// 96 dots per inch.
constexpr std::int32_t kPixelsPerMetre = 3780;

// Lays out the little-endian fields of the two headers.
class HeaderWriter {
 public:
  void U16(std::uint16_t value) {
    bytes_[at_++] = BYTE(value);
    bytes_[at_++] = BYTE(value >> 8);
  }
  void U32(std::uint32_t value) {
    U16(std::uint16_t(value));
    U16(std::uint16_t(value >> 16));
  }
  void I32(std::int32_t value) { U32(std::uint32_t(value)); }
  const std::array<BYTE, kPixelOffset>& bytes() const { return bytes_; }

 private:
  std::array<BYTE, kPixelOffset> bytes_{};
  std::size_t at_ = 0;
};

}  // namespace

Status EncodeBmp(const EncoderPixels& pixels, const EncoderParameters*, EncoderSink& sink) {
  if (!pixels.IsValid()) return InvalidParameter;
  // The sizes are signed 32-bit in the info header and the file size is
  // unsigned 32-bit in the file header.
  constexpr std::uint64_t kMaxDimension = std::numeric_limits<std::int32_t>::max();
  const std::uint64_t rowBytes = std::uint64_t(pixels.width) * 4;
  const std::uint64_t imageBytes = rowBytes * pixels.height;
  if (pixels.width > kMaxDimension || pixels.height > kMaxDimension ||
      imageBytes > std::numeric_limits<std::uint32_t>::max() - kPixelOffset) {
    return ValueOverflow;
  }

  HeaderWriter header;
  // BITMAPFILEHEADER
  header.U16(0x4D42);  // "BM"
  header.U32(kPixelOffset + std::uint32_t(imageBytes));
  header.U16(0);
  header.U16(0);
  header.U32(kPixelOffset);
  // BITMAPINFOHEADER; a positive height means rows run bottom-up.
  header.U32(kInfoHeaderSize);
  header.I32(std::int32_t(pixels.width));
  header.I32(std::int32_t(pixels.height));
  header.U16(1);   // planes
  header.U16(32);  // bits per pixel
  header.U32(kBiRgb);
  header.U32(std::uint32_t(imageBytes));
  header.I32(kPixelsPerMetre);
  header.I32(kPixelsPerMetre);
  header.U32(0);  // colours used: no palette
  header.U32(0);  // important colours: all

  sink.Write(header.bytes().data(), header.bytes().size());
  // The stored B, G, R, A order is BMP's own, so rows go out unchanged.
  for (UINT y = pixels.height; y-- > 0 && !sink.Failed();) {
    sink.Write(pixels.Row(y), std::size_t(rowBytes));
  }
  return sink.Failed() ? Win32Error : Ok;
}

}  // namespace Gdiplus
