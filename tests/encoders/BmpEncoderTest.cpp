#include <gtest/gtest.h>

#include <ostream>

#include "EncoderTestSupport.h"

namespace encoder_tests {
namespace {

using namespace Gdiplus;

struct BmpCase {
  const char* name;
  int width;
  int height;
  Color (*colorAt)(int, int);
};

void PrintTo(const BmpCase& value, std::ostream* out) {
  *out << value.name;
}

class BmpRoundTrip : public testing::TestWithParam<BmpCase> {};

TEST_P(BmpRoundTrip, DecodesToTheSamePixelsAlphaIncluded) {
  const BmpCase& c = GetParam();
  auto bitmap = MakeBitmap(c.width, c.height, c.colorAt);
  const Saved saved = SaveToBytes(*bitmap, kBmpEncoder);
  ASSERT_EQ(saved.status, Ok);

  DecodedPicture picture;
  BmpFacts facts;
  std::string error;
  ASSERT_TRUE(DecodeBmp(saved.bytes, picture, facts, error)) << error;
  EXPECT_EQ(picture.width, UINT(c.width));
  EXPECT_EQ(picture.height, UINT(c.height));
  EXPECT_EQ(picture.rgba, PixelsOf(*bitmap).rgba);

  const std::uint32_t imageBytes = std::uint32_t(c.width) * std::uint32_t(c.height) * 4;
  EXPECT_EQ(facts.fileSize, saved.bytes.size());
  EXPECT_EQ(saved.bytes.size(), 14u + 40u + imageBytes);
  EXPECT_EQ(facts.pixelOffset, 54u);
  EXPECT_EQ(facts.infoSize, 40u);
  EXPECT_EQ(facts.width, c.width);
  EXPECT_EQ(facts.height, c.height);  // positive: bottom-up
  EXPECT_EQ(facts.planes, 1);
  EXPECT_EQ(facts.bitCount, 32);
  EXPECT_EQ(facts.compression, 0u);  // BI_RGB
  EXPECT_EQ(facts.imageSize, imageBytes);
}

INSTANTIATE_TEST_SUITE_P(Pictures, BmpRoundTrip,
                         testing::Values(BmpCase{"AlphaRamp250x50", 250, 50, AlphaRamp},
                                         BmpCase{"Noise3x7", 3, 7, Noise},
                                         BmpCase{"OnePixel", 1, 1, Noise}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(BmpEncoder, BottomRowComesFirstWithItsBytesAsStored) {
  auto bitmap = MakeBitmap(2, 3, [](int x, int y) {
    return Color(BYTE(10 + x), BYTE(20 + y), BYTE(30 + x), BYTE(40 + y));
  });
  const Saved saved = SaveToBytes(*bitmap, kBmpEncoder);
  ASSERT_EQ(saved.status, Ok);
  ASSERT_GE(saved.bytes.size(), 54u + 8u);
  // Pixel (0, 2), then (1, 2): B, G, R, A.
  const Bytes firstRow(saved.bytes.begin() + 54, saved.bytes.begin() + 62);
  EXPECT_EQ(firstRow, (Bytes{42, 30, 22, 10, 42, 31, 22, 11}));
}

}  // namespace
}  // namespace encoder_tests
