#include <gtest/gtest.h>

#include <cstdlib>

#include "EncoderTestSupport.h"

namespace encoder_tests {
namespace {

using namespace Gdiplus;

struct Decoded {
  DecodedPicture picture;
  JpegFacts facts;
};

Decoded DecodeOrFail(const Bytes& bytes) {
  Decoded decoded;
  std::string error;
  EXPECT_TRUE(DecodeJpeg(bytes, decoded.picture, decoded.facts, error)) << error;
  return decoded;
}

int MaxColorError(const DecodedPicture& picture, const Color& expected) {
  int worst = 0;
  for (std::size_t i = 0; i < picture.rgba.size(); i += 4) {
    worst = std::max({worst, std::abs(picture.rgba[i] - expected.GetR()),
                      std::abs(picture.rgba[i + 1] - expected.GetG()),
                      std::abs(picture.rgba[i + 2] - expected.GetB())});
  }
  return worst;
}

TEST(JpegEncoder, QualityHundredIsCloseToTheOriginal) {
  auto bitmap = MakeBitmap(250, 50, SmoothColor);
  QualityBlock quality(100);
  const Saved saved = SaveToBytes(*bitmap, kJpegEncoder, &quality.params);
  ASSERT_EQ(saved.status, Ok);
  const Decoded decoded = DecodeOrFail(saved.bytes);
  ASSERT_EQ(decoded.picture.width, 250u);
  ASSERT_EQ(decoded.picture.height, 50u);
  EXPECT_GT(ColorPsnr(decoded.picture, PixelsOf(*bitmap)), 40.0);
}

TEST(JpegEncoder, WritesJfifWithFourTwoZeroChromaAt96Dpi) {
  auto bitmap = MakeBitmap(250, 50, SmoothColor);
  QualityBlock quality(100);
  const Saved saved = SaveToBytes(*bitmap, kJpegEncoder, &quality.params);
  ASSERT_EQ(saved.status, Ok);
  const JpegFacts facts = DecodeOrFail(saved.bytes).facts;
  EXPECT_EQ(facts.components, 3);
  EXPECT_TRUE(facts.jfif);
  EXPECT_EQ(facts.lumaH, 2);
  EXPECT_EQ(facts.lumaV, 2);
  EXPECT_EQ(facts.chromaH, 1);
  EXPECT_EQ(facts.chromaV, 1);
  EXPECT_EQ(facts.densityUnit, 1);
  EXPECT_EQ(facts.xDensity, 96);
  EXPECT_EQ(facts.yDensity, 96);
}

// Alpha is dropped and the stored colour kept, transparent or not.
TEST(JpegEncoder, TransparentPixelsKeepTheirStoredColour) {
  for (const ARGB argb : {ARGB(0x00000000), ARGB(0x00C81E1E), ARGB(0x7F1E64C8)}) {
    SCOPED_TRACE(argb);
    auto bitmap = MakeBitmap(16, 16, [argb](int, int) { return Color(argb); });
    const Saved saved = SaveToBytes(*bitmap, kJpegEncoder);
    ASSERT_EQ(saved.status, Ok);
    const Decoded decoded = DecodeOrFail(saved.bytes);
    EXPECT_LE(MaxColorError(decoded.picture, Color(argb)), 2);
  }
}

TEST(JpegEncoder, OddSizesKeepTheirSize) {
  for (const auto& [width, height] : {std::pair{1, 1}, std::pair{3, 7}, std::pair{17, 2}}) {
    auto bitmap = MakeBitmap(width, height, Noise);
    const Saved saved = SaveToBytes(*bitmap, kJpegEncoder);
    ASSERT_EQ(saved.status, Ok);
    const Decoded decoded = DecodeOrFail(saved.bytes);
    EXPECT_EQ(decoded.picture.width, UINT(width));
    EXPECT_EQ(decoded.picture.height, UINT(height));
  }
}

TEST(JpegEncoder, DefaultQualityIs75) {
  auto bitmap = MakeBitmap(250, 50, Noise);
  QualityBlock seventyFive(75);
  QualityBlock hundred(100);
  const Saved plain = SaveToBytes(*bitmap, kJpegEncoder);
  const Saved explicit75 = SaveToBytes(*bitmap, kJpegEncoder, &seventyFive.params);
  const Saved explicit100 = SaveToBytes(*bitmap, kJpegEncoder, &hundred.params);
  ASSERT_EQ(plain.status, Ok);
  EXPECT_EQ(plain.bytes, explicit75.bytes);
  EXPECT_NE(plain.bytes, explicit100.bytes);
}

TEST(JpegEncoder, LowerQualityGivesSmallerFiles) {
  auto bitmap = MakeBitmap(250, 50, Noise);
  std::size_t previous = 0;
  for (const ULONG value : {0u, 10u, 50u, 90u, 100u}) {
    QualityBlock quality(value);
    const Saved saved = SaveToBytes(*bitmap, kJpegEncoder, &quality.params);
    ASSERT_EQ(saved.status, Ok) << value;
    DecodeOrFail(saved.bytes);
    EXPECT_GT(saved.bytes.size(), previous) << value;
    previous = saved.bytes.size();
  }
}

TEST(JpegEncoder, BadQualityIsRefusedBeforeWriting) {
  auto bitmap = MakeBitmap(8, 8, Noise);
  for (const ULONG value : {101u, 1000u, 0xFFFFFFFFu}) {
    QualityBlock quality(value);
    const Saved saved = SaveToBytes(*bitmap, kJpegEncoder, &quality.params);
    EXPECT_EQ(saved.status, InvalidParameter) << value;
    EXPECT_TRUE(saved.bytes.empty());
  }
  QualityBlock wrongType(90);
  wrongType.params.Parameter[0].Type = EncoderParameterValueTypeByte;
  EXPECT_EQ(SaveToBytes(*bitmap, kJpegEncoder, &wrongType.params).status, InvalidParameter);
  QualityBlock twoValues(90);
  twoValues.params.Parameter[0].NumberOfValues = 2;
  EXPECT_EQ(SaveToBytes(*bitmap, kJpegEncoder, &twoValues.params).status, InvalidParameter);
  QualityBlock noValue(90);
  noValue.params.Parameter[0].Value = nullptr;
  EXPECT_EQ(SaveToBytes(*bitmap, kJpegEncoder, &noValue.params).status, InvalidParameter);
}

TEST(JpegEncoder, UnknownParametersAreIgnored) {
  auto bitmap = MakeBitmap(40, 20, SmoothColor);
  QualityBlock other(5000);
  other.params.Parameter[0].Guid = {0x12345678, 0x9abc, 0xdef0, {1, 2, 3, 4, 5, 6, 7, 8}};
  const Saved withOther = SaveToBytes(*bitmap, kJpegEncoder, &other.params);
  const Saved plain = SaveToBytes(*bitmap, kJpegEncoder);
  ASSERT_EQ(withOther.status, Ok);
  EXPECT_EQ(withOther.bytes, plain.bytes);
  EncoderParameters none{};
  none.Count = 0;
  EXPECT_EQ(SaveToBytes(*bitmap, kJpegEncoder, &none).bytes, plain.bytes);
}

}  // namespace
}  // namespace encoder_tests
