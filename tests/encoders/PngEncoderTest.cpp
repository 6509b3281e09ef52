#include <gtest/gtest.h>

#include <ostream>

#include "EncoderTestSupport.h"

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

}  // namespace
}  // namespace encoder_tests
