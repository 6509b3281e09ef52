#include "PictureTestSupport.h"

#include <gtest/gtest.h>

#include "MirelGlyphward.h"
#include "StyleLookup.h"

namespace picture_tests {

void Seed(std::int32_t seed) {
  ASSERT_EQ(GlyphwardSetSeed(seed), S_OK);
}

std::uint64_t Steps() {
  ULONGLONG steps = 0;
  GlyphwardGetEngineSteps(&steps);
  return steps;
}

std::unique_ptr<Gdiplus::Bitmap> Draw(int style, const std::string& code, int width, int height) {
  auto bitmap = std::make_unique<Gdiplus::Bitmap>(width, height);
  auto generator = MirelGlyphward::CreateTextGenerator(style);
  EXPECT_NE(generator, nullptr) << style;
  if (generator) generator->Draw(code, bitmap.get());
  return bitmap;
}

DecodedPicture Decode(const std::string& format, const std::vector<unsigned char>& bytes) {
  DecodedPicture picture;
  std::string error;
  bool ok = false;
  const std::span<const std::uint8_t> file(bytes.data(), bytes.size());
  if (format == "JPEG") {
    encoder_tests::JpegFacts facts;
    ok = encoder_tests::DecodeJpeg(file, picture, facts, error);
  } else if (format == "PNG") {
    encoder_tests::PngFacts facts;
    ok = encoder_tests::DecodePng(file, picture, facts, error);
  } else if (format == "GIF") {
    encoder_tests::GifFacts facts;
    ok = encoder_tests::DecodeGif(file, picture, facts, error);
  } else if (format == "TIFF") {
    encoder_tests::TiffFacts facts;
    ok = encoder_tests::DecodeTiff(file, picture, facts, error);
  } else if (format == "BMP") {
    encoder_tests::BmpFacts facts;
    ok = encoder_tests::DecodeBmp(file, picture, facts, error);
  }
  EXPECT_TRUE(ok) << format << ": " << error;
  return picture;
}

}  // namespace picture_tests
