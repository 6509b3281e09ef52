#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <tuple>

#include "EncoderTestSupport.h"
#include "PngEncoder.h"

namespace encoder_tests {
namespace {

using namespace Gdiplus;

constexpr int kRgbaColorType = 6;

struct PngCase {
  const char* name;
  int width;
  int height;
  Color (*colorAt)(int, int);
};

void PrintTo(const PngCase& value, std::ostream* out) {
  *out << value.name;
}

class PngRoundTrip : public testing::TestWithParam<PngCase> {};

// Straight alpha survives exactly, and so do the colours of fully
// transparent pixels. Few-colour pictures stay RGBA too: never indexed.
TEST_P(PngRoundTrip, DecodesToTheSameStraightRgba) {
  const PngCase& c = GetParam();
  auto bitmap = MakeBitmap(c.width, c.height, c.colorAt);
  const Saved saved = SaveToBytes(*bitmap, kPngEncoder);
  ASSERT_EQ(saved.status, Ok);

  DecodedPicture picture;
  PngFacts facts;
  std::string error;
  ASSERT_TRUE(DecodePng(saved.bytes, picture, facts, error)) << error;
  EXPECT_EQ(picture.width, UINT(c.width));
  EXPECT_EQ(picture.height, UINT(c.height));
  EXPECT_EQ(facts.colorType, kRgbaColorType);
  EXPECT_EQ(facts.bitDepth, 8);
  EXPECT_EQ(picture.rgba, PixelsOf(*bitmap).rgba);
}

INSTANTIATE_TEST_SUITE_P(Pictures, PngRoundTrip,
                         testing::Values(PngCase{"AlphaRamp250x50", 250, 50, AlphaRamp},
                                         PngCase{"FewColors250x50", 250, 50, FewColors},
                                         PngCase{"Noise3x7", 3, 7, Noise},
                                         PngCase{"OnePixel", 1, 1, AlphaRamp},
                                         PngCase{"Tall1x300", 1, 300, Noise}),
                         [](const auto& info) { return std::string(info.param.name); });

std::uint32_t BigEndian32(const std::uint8_t* p) {
  return std::uint32_t(p[0]) << 24 | std::uint32_t(p[1]) << 16 | std::uint32_t(p[2]) << 8 | p[3];
}

// Decoders drop an ancillary chunk with a wrong CRC silently, so the chunks
// are walked here, with the standard's CRC-32 worked bit by bit.
TEST(PngFile, ChunksHaveValidCrcsAndA96DpiPhys) {
  const Saved saved = SaveToBytes(*MakeBitmap(250, 50, AlphaRamp), kPngEncoder);
  ASSERT_EQ(saved.status, Ok);
  const Bytes& file = saved.bytes;
  std::string order;
  Bytes phys;
  std::size_t at = 8;
  for (; at + 12 <= file.size(); at += 12 + BigEndian32(&file[at])) {
    const std::uint32_t length = BigEndian32(&file[at]);
    ASSERT_LE(length, file.size() - at - 12);
    std::uint32_t crc = 0xffffffffu;
    for (std::size_t i = at + 4; i < at + 8 + length; ++i) {
      crc ^= file[i];
      for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xedb88320u & (0u - (crc & 1u)));
    }
    const std::string type(file.begin() + at + 4, file.begin() + at + 8);
    EXPECT_EQ(BigEndian32(&file[at + 8 + length]), ~crc) << type;
    if (type == "pHYs") phys.assign(&file[at + 8], &file[at + 8 + length]);
    if (!order.ends_with(type + " ")) order += type + " ";
  }
  EXPECT_EQ(at, file.size());
  EXPECT_EQ(order, "IHDR pHYs IDAT IEND ");
  EXPECT_EQ(phys, (Bytes{0, 0, 14, 196, 0, 0, 14, 196, 1}));  // 3780 per metre
}

// Sizes beyond any bitmap's are refused before anything is allocated or read.
TEST(PngFile, SizesBeyondAnyBitmapAreRefused) {
  const BYTE pixel[4] = {};
  for (const auto& [width, height, expected] : {std::tuple{0x1fffffffu, 2u, OutOfMemory},
                                                {1u, 0x7fffffffu, OutOfMemory},
                                                {1u, 0x80000000u, ValueOverflow}}) {
    StreamRef stream;
    ASSERT_EQ(CreateStreamOnHGlobal(nullptr, TRUE, stream.out()), S_OK);
    EncoderSink sink(stream.get());
    EXPECT_EQ(EncodePng({width, height, 0x7ffffffc, pixel}, nullptr, sink), expected);
    EXPECT_TRUE(ReadAll(stream.get()).empty());
  }
}

}  // namespace
}  // namespace encoder_tests
