// The PNG encoder's own deflate over arbitrary scanlines:
//   [0] the row width in pixels less one (0..63), [1] bit 0: pixels are
//   indices into an 8-colour palette taken from the next 32 bytes, so that
//   rows repeat as pictures' do; otherwise the bytes are the pixels.
// Every stream must inflate, Adler-32 checked, to exactly the rows given.
#include <libdeflate.h>

#include <cstring>
#include <vector>

#include "FuzzSupport.h"
#include "PixelDeflate.h"

using glyphward_fuzz::Fail;

namespace {

constexpr std::size_t kHeader = 2;
constexpr std::size_t kPalette = 32;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < kHeader) return 0;
  const std::size_t width = (data[0] & 63) + 1;
  const bool indexed = data[1] & 1;
  std::vector<std::uint8_t> pixels;
  if (indexed) {
    if (size < kHeader + kPalette) return 0;
    const std::uint8_t* palette = data + kHeader;
    for (std::size_t i = kHeader + kPalette; i < size; ++i) {
      const std::uint8_t* colour = palette + 4 * (data[i] & 7);
      pixels.insert(pixels.end(), colour, colour + 4);
    }
  } else {
    pixels.assign(data + kHeader, data + size);
  }
  const std::size_t height = pixels.size() / (4 * width);
  if (height == 0) return 0;

  const std::size_t rowBytes = 4 * width + 1;
  std::vector<std::uint8_t> rows(rowBytes * height, 0);
  for (std::size_t y = 0; y < height; ++y) {
    std::memcpy(&rows[y * rowBytes + 1], &pixels[y * 4 * width], 4 * width);
  }
  std::vector<std::uint8_t> stream;
  if (!Gdiplus::DeflatePixelRows(rows.data(), rowBytes, height, stream)) Fail("out of memory");

  std::vector<std::uint8_t> inflated(rows.size());
  std::size_t inflatedSize = 0;
  libdeflate_decompressor* decompressor = libdeflate_alloc_decompressor();
  const libdeflate_result result = libdeflate_zlib_decompress(
      decompressor, stream.data(), stream.size(), inflated.data(), inflated.size(), &inflatedSize);
  libdeflate_free_decompressor(decompressor);
  if (result != LIBDEFLATE_SUCCESS) Fail("the stream does not inflate");
  if (inflatedSize != rows.size() || inflated != rows) Fail("the stream inflates to other rows");
  return 0;
}
