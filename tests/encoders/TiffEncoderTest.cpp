#include <gtest/gtest.h>

#include <ostream>

#include <tiffio.h>

#include "EncoderTestSupport.h"

namespace encoder_tests {
namespace {

using namespace Gdiplus;

struct TiffCase {
  const char* name;
  int width;
  int height;
  Color (*colorAt)(int, int);
};

void PrintTo(const TiffCase& value, std::ostream* out) {
  *out << value.name;
}

class TiffRoundTrip : public testing::TestWithParam<TiffCase> {};

TEST_P(TiffRoundTrip, DecodesToTheSameRgbaWithUnassociatedAlpha) {
  const TiffCase& c = GetParam();
  auto bitmap = MakeBitmap(c.width, c.height, c.colorAt);
  const Saved saved = SaveToBytes(*bitmap, kTiffEncoder);
  ASSERT_EQ(saved.status, Ok);

  DecodedPicture picture;
  TiffFacts facts;
  std::string error;
  ASSERT_TRUE(DecodeTiff(saved.bytes, picture, facts, error)) << error;
  EXPECT_EQ(picture.width, UINT(c.width));
  EXPECT_EQ(picture.height, UINT(c.height));
  EXPECT_EQ(facts.bitsPerSample, 8);
  EXPECT_EQ(facts.samplesPerPixel, 4);
  EXPECT_EQ(facts.photometric, PHOTOMETRIC_RGB);
  EXPECT_EQ(facts.compression, COMPRESSION_LZW);
  EXPECT_EQ(facts.extraSamples, std::vector<std::uint16_t>{EXTRASAMPLE_UNASSALPHA});
  EXPECT_EQ(picture.rgba, PixelsOf(*bitmap).rgba);
}

INSTANTIATE_TEST_SUITE_P(Pictures, TiffRoundTrip,
                         testing::Values(TiffCase{"AlphaRamp250x50", 250, 50, AlphaRamp},
                                         TiffCase{"Noise3x7", 3, 7, Noise},
                                         TiffCase{"OnePixel", 1, 1, Noise},
                                         // Many strips, and a file that outgrows
                                         // several buffer doublings.
                                         TiffCase{"Noise700x400", 700, 400, Noise}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(TiffEncoder, LzwShrinksAPlainPicture) {
  auto bitmap = MakeBitmap(250, 50, FewColors);
  const Saved saved = SaveToBytes(*bitmap, kTiffEncoder);
  ASSERT_EQ(saved.status, Ok);
  EXPECT_LT(saved.bytes.size(), 250u * 50u * 4u / 4u);
}

}  // namespace
}  // namespace encoder_tests
