#include <gtest/gtest.h>
#include <libdeflate.h>

#include <cstdint>
#include <ostream>
#include <vector>

#include "PixelDeflate.h"

namespace encoder_tests {
namespace {

using Gdiplus::BYTE;

struct Rows {
  std::size_t rowBytes, height;
  std::vector<BYTE> bytes;
};

// Scanlines as the PNG encoder gives them: a zero filter byte, then pixels.
Rows MakeRows(std::size_t width, std::size_t height,
              std::uint32_t (*pixelAt)(std::size_t, std::size_t)) {
  Rows rows{width * 4 + 1, height, {}};
  rows.bytes.reserve(rows.rowBytes * height);
  for (std::size_t y = 0; y < height; ++y) {
    rows.bytes.push_back(0);
    for (std::size_t x = 0; x < width; ++x) {
      const std::uint32_t pixel = pixelAt(x, y);
      for (int b = 0; b < 4; ++b) rows.bytes.push_back(BYTE(pixel >> (8 * b)));
    }
  }
  return rows;
}

std::uint32_t Hashed(std::size_t x, std::size_t y) {
  std::uint64_t v = (x * 0x9E3779B97F4A7C15ull) ^ (y * 0xC2B2AE3D27D4EB4Full);
  v ^= v >> 29;
  return std::uint32_t(v * 0xBF58476D1CE4E5B9ull >> 32);
}

struct DeflateCase {
  const char* name;
  std::size_t width, height;
  std::uint32_t (*pixelAt)(std::size_t, std::size_t);
  // Most bytes the stream may take: matching that stops working shows here.
  std::size_t maxBytes;
};

void PrintTo(const DeflateCase& value, std::ostream* out) {
  *out << value.name;
}

class PixelDeflateRoundTrip : public testing::TestWithParam<DeflateCase> {};

// Every stream inflates, Adler-32 checked, to exactly its rows.
TEST_P(PixelDeflateRoundTrip, InflatesToTheSameRows) {
  const DeflateCase& c = GetParam();
  const Rows rows = MakeRows(c.width, c.height, c.pixelAt);
  std::vector<BYTE> out{0xAA};  // appended to, not replaced
  ASSERT_TRUE(Gdiplus::DeflatePixelRows(rows.bytes.data(), rows.rowBytes, rows.height, out));
  ASSERT_EQ(out[0], 0xAA);
  EXPECT_LE(out.size() - 1, c.maxBytes);

  std::vector<BYTE> inflated(rows.bytes.size() + 1);
  std::size_t size = 0;
  libdeflate_decompressor* d = libdeflate_alloc_decompressor();
  const auto result = libdeflate_zlib_decompress(d, out.data() + 1, out.size() - 1, inflated.data(),
                                                 inflated.size(), &size);
  libdeflate_free_decompressor(d);
  ASSERT_EQ(result, LIBDEFLATE_SUCCESS);
  inflated.resize(size);
  EXPECT_EQ(inflated, rows.bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Pictures, PixelDeflateRoundTrip,
    testing::Values(
        // One colour: a match per 64 pixels, from the left then from above.
        DeflateCase{"OneColour250x50", 250, 50,
                    [](std::size_t, std::size_t) { return 0xFF336699u; }, 450},
        // A 7-pixel pattern repeats along rows and shifts by one each row:
        // only matches at other distances find it.
        DeflateCase{"ShiftedPattern250x50", 250, 50,
                    [](std::size_t x, std::size_t y) { return Hashed((x + y) % 7, 0); }, 1200},
        // Every byte value, no repeats: literals only, with long codes.
        DeflateCase{"Noise97x31", 97, 31, Hashed, 97 * 31 * 4 * 9 / 8},
        DeflateCase{"OnePixel", 1, 1, Hashed, 20},
        // Rows longer than the window cannot reach the row above.
        DeflateCase{"Wide9000x3", 9000, 3,
                    [](std::size_t x, std::size_t y) { return Hashed(x / 3, y / 2); }, 60000},
        // More tokens than one block holds.
        DeflateCase{"ManyBlocks400x300", 400, 300,
                    [](std::size_t x, std::size_t y) { return y % 3 ? 0xFF000000u : Hashed(x, y); },
                    400 * 100 * 4 * 9 / 8}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace encoder_tests
