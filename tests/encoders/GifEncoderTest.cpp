#include <gtest/gtest.h>

#include <set>

#include "EncoderTestSupport.h"

namespace encoder_tests {
namespace {

using namespace Gdiplus;

struct Decoded {
  DecodedPicture picture;
  GifFacts facts;
};

Decoded SaveAndDecode(Bitmap& bitmap) {
  Decoded decoded;
  const Saved saved = SaveToBytes(bitmap, kGifEncoder);
  EXPECT_EQ(saved.status, Ok);
  std::string error;
  EXPECT_TRUE(DecodeGif(saved.bytes, decoded.picture, decoded.facts, error)) << error;
  return decoded;
}

// The bitmap's colours with alpha ignored, as a GIF holds them.
DecodedPicture OpaqueOf(Bitmap& bitmap) {
  DecodedPicture picture = PixelsOf(bitmap);
  for (std::size_t i = 3; i < picture.rgba.size(); i += 4) picture.rgba[i] = 255;
  return picture;
}

// n distinct colours, each on a run of pixels, some transparent.
Color Distinct(int n, int x, int y) {
  const int k = (y * 250 + x) / 3 % n;
  return Color(BYTE(k % 5 == 0 ? 0 : 255), BYTE(k * 37), BYTE(k), BYTE(k * 91 >> 3));
}

TEST(GifEncoder, FewColoursAreKeptExactlyWithTransparencyDropped) {
  auto bitmap = MakeBitmap(250, 50, FewColors);
  const Decoded decoded = SaveAndDecode(*bitmap);
  EXPECT_EQ(decoded.facts.signature, "GIF89a");
  EXPECT_EQ(decoded.facts.imageCount, 1);
  EXPECT_FALSE(decoded.facts.hasGraphicsControl);
  EXPECT_EQ(decoded.facts.colorCount, 8);
  ASSERT_EQ(decoded.picture.width, 250u);
  ASSERT_EQ(decoded.picture.height, 50u);
  EXPECT_EQ(decoded.picture.rgba, OpaqueOf(*bitmap).rgba);
}

TEST(GifEncoder, UpTo256ColoursAreKeptExactly) {
  for (const int n : {1, 2, 3, 129, 255, 256}) {
    SCOPED_TRACE(n);
    auto bitmap = MakeBitmap(250, 50, [n](int x, int y) { return Distinct(n, x, y); });
    const Decoded decoded = SaveAndDecode(*bitmap);
    EXPECT_EQ(decoded.picture.rgba, OpaqueOf(*bitmap).rgba);
    int tableSize = 2;
    while (tableSize < n) tableSize *= 2;
    EXPECT_EQ(decoded.facts.colorCount, tableSize);
  }
}

// Neighbouring colours, one step apart, must not merge while they fit.
TEST(GifEncoder, ColoursOneStepApartAreKeptExactly) {
  auto greys = MakeBitmap(256, 4, [](int x, int) { return Color(255, BYTE(x), BYTE(x), BYTE(x)); });
  EXPECT_EQ(SaveAndDecode(*greys).picture.rgba, OpaqueOf(*greys).rgba);
}

// Two ramps of 256 colours each: over the limit, so neighbouring steps
// merge, but no pixel moves much further than its histogram cell (8 steps
// wide) allows: an RMS error of about 4 is 36 dB.
TEST(GifEncoder, TwoRampsOverTheLimitStayClose) {
  auto ramps = MakeBitmap(256, 8, [](int x, int y) {
    return Color(255, BYTE(x), BYTE(x), BYTE(y % 2 == 0 ? x : 255 - x));
  });
  EXPECT_GT(ColorPsnr(SaveAndDecode(*ramps).picture, OpaqueOf(*ramps)), 36.0);
}

// Steps of 51 per channel, as a 6 x 6 x 6 cube has, would give about 25 dB
// here; the palette must follow
// the picture's colours more closely than that.
TEST(GifEncoder, ManyColoursDecodeToACloseMatch) {
  auto bitmap = MakeBitmap(250, 50, SmoothColor);
  const Decoded decoded = SaveAndDecode(*bitmap);
  ASSERT_EQ(decoded.picture.width, 250u);
  ASSERT_EQ(decoded.picture.height, 50u);
  EXPECT_EQ(decoded.facts.colorCount, 256);
  EXPECT_GT(ColorPsnr(decoded.picture, OpaqueOf(*bitmap)), 32.0);
}

TEST(GifEncoder, TwoHundredFiftySevenColoursStayClose) {
  auto bitmap = MakeBitmap(250, 50, [](int x, int y) { return Distinct(257, x, y); });
  const Decoded decoded = SaveAndDecode(*bitmap);
  std::set<std::uint32_t> colours;
  for (std::size_t i = 0; i < decoded.picture.rgba.size(); i += 4) {
    colours.insert(std::uint32_t(decoded.picture.rgba[i]) << 16 |
                   std::uint32_t(decoded.picture.rgba[i + 1]) << 8 | decoded.picture.rgba[i + 2]);
  }
  EXPECT_LE(colours.size(), 256u);
  EXPECT_GT(ColorPsnr(decoded.picture, OpaqueOf(*bitmap)), 30.0);
}

TEST(GifEncoder, NoiseStillDecodesAtItsSize) {
  auto bitmap = MakeBitmap(97, 31, Noise);
  const Decoded decoded = SaveAndDecode(*bitmap);
  EXPECT_EQ(decoded.picture.width, 97u);
  EXPECT_EQ(decoded.picture.height, 31u);
  // Uniform noise fills the whole cube: 256 colours leave a few steps of
  // error per channel at best, far better than none.
  EXPECT_GT(ColorPsnr(decoded.picture, OpaqueOf(*bitmap)), 20.0);
}

}  // namespace
}  // namespace encoder_tests
