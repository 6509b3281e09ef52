#include <gtest/gtest.h>

#include <algorithm>

#include "Graphics.h"
#include "RenderTestSupport.h"
#include "SolidBrush.h"

using namespace Gdiplus;
using RenderTest::PixelAt;

namespace {

// A source whose every pixel differs, some translucent.
void Paint(Bitmap& bitmap) {
  for (int y = 0; y < int(bitmap.GetHeight()); ++y) {
    for (int x = 0; x < int(bitmap.GetWidth()); ++x) {
      const ARGB alpha = (x + y) % 3 == 0 ? 0x80u : 0xFFu;
      bitmap.SetPixel(x, y, Color((alpha << 24) | ARGB(x * 20) << 16 | ARGB(y * 30) << 8 | 0x5A));
    }
  }
}

TEST(DrawImage, UnscaledCopyIsExact) {
  Bitmap source(6, 5);
  Paint(source);
  Bitmap bitmap(20, 20);
  Graphics g(&bitmap);
  g.SetSmoothingMode(SmoothingModeAntiAlias);
  g.SetInterpolationMode(InterpolationModeHighQualityBicubic);
  ASSERT_EQ(g.DrawImage(&source, 7, 9), Ok);
  EXPECT_EQ(RenderTest::FirstMismatch(bitmap,
                                      [&](int x, int y) {
                                        const bool in = x >= 7 && x < 13 && y >= 9 && y < 14;
                                        return in ? PixelAt(source, x - 7, y - 9) : 0u;
                                      }),
            "");
}

TEST(DrawImage, SameSizeRectangleIsAnUnscaledCopy) {
  Bitmap source(6, 5);
  Paint(source);
  Bitmap bitmap(10, 10);
  Graphics g(&bitmap);
  ASSERT_EQ(g.DrawImage(&source, Rect(2, 3, 6, 5)), Ok);
  EXPECT_EQ(PixelAt(bitmap, 2, 3), PixelAt(source, 0, 0));
  EXPECT_EQ(PixelAt(bitmap, 7, 7), PixelAt(source, 5, 4));
  EXPECT_EQ(RenderTest::CountPainted(bitmap), 30);
}

TEST(DrawImage, SourceRectangleLandsAtThePoint) {
  Bitmap source(8, 8);
  Paint(source);
  Bitmap bitmap(12, 12);
  Graphics g(&bitmap);
  ASSERT_EQ(g.DrawImage(&source, 1, 2, 3, 4, 2, 3, UnitPixel), Ok);
  EXPECT_EQ(RenderTest::FirstMismatch(bitmap,
                                      [&](int x, int y) {
                                        const bool in = x >= 1 && x < 3 && y >= 2 && y < 5;
                                        return in ? PixelAt(source, x + 2, y + 2) : 0u;
                                      }),
            "");
}

TEST(DrawImage, PartsOutsideEitherBitmapAreCut) {
  Bitmap source(8, 8);
  Paint(source);
  Bitmap bitmap(10, 10);
  Graphics g(&bitmap);
  // The source rectangle reaches past the source, the destination past the
  // picture's top-left corner.
  ASSERT_EQ(g.DrawImage(&source, -2, -3, 5, 5, 10, 10, UnitPixel), Ok);
  EXPECT_EQ(RenderTest::FirstMismatch(bitmap,
                                      [&](int x, int y) {
                                        const int sx = x + 7, sy = y + 8;
                                        return sx < 8 && sy < 8 ? PixelAt(source, sx, sy) : 0u;
                                      }),
            "");
}

TEST(DrawImage, SourceOverBlendsOntoGround) {
  Bitmap source(1, 1);
  source.SetPixel(0, 0, Color(0x80FFFFFF));
  Bitmap bitmap(3, 3);
  Graphics g(&bitmap);
  g.Clear(Color(0xFF000000));
  g.DrawImage(&source, 1, 1);
  const ARGB pixel = PixelAt(bitmap, 1, 1);
  EXPECT_EQ(pixel >> 24, 0xFFu);
  EXPECT_NEAR(int(pixel & 0xFF), 128, 1);
  EXPECT_EQ(PixelAt(bitmap, 0, 0), 0xFF000000u);
}

TEST(DrawImage, OnePixelImageBlackensOnePixel) {
  Bitmap dot(1, 1);
  dot.SetPixel(0, 0, Color(0xFF000000));
  Bitmap bitmap(10, 10);
  Graphics g(&bitmap);
  g.Clear(Color(0xFFFFFFFF));
  g.DrawImage(&dot, 4, 6);
  g.DrawImage(&dot, 9, 9);
  g.DrawImage(&dot, 10, 3);  // outside: nothing
  EXPECT_EQ(RenderTest::CountPixels(bitmap, [](ARGB v) { return v == 0xFF000000; }), 2);
  EXPECT_EQ(PixelAt(bitmap, 4, 6), 0xFF000000u);
}

TEST(DrawImage, NearestNeighbourDoublingMakesBlocks) {
  Bitmap source(3, 2);
  Paint(source);
  Bitmap bitmap(10, 10);
  Graphics g(&bitmap);
  g.SetInterpolationMode(InterpolationModeNearestNeighbor);
  ASSERT_EQ(g.DrawImage(&source, Rect(2, 2, 6, 4), 0, 0, 3, 2, UnitPixel), Ok);
  EXPECT_EQ(RenderTest::FirstMismatch(bitmap,
                                      [&](int x, int y) {
                                        const bool in = x >= 2 && x < 8 && y >= 2 && y < 6;
                                        return in ? PixelAt(source, (x - 2) / 2, (y - 2) / 2) : 0u;
                                      }),
            "");
}

TEST(DrawImage, ScaledDrawCoversTheDestinationRectangle) {
  Bitmap source(4, 4);
  Graphics(&source).Clear(Color(0xFF3366CC));
  for (InterpolationMode mode :
       {InterpolationModeBilinear, InterpolationModeHighQualityBilinear, InterpolationModeBicubic,
        InterpolationModeHighQualityBicubic, InterpolationModeNearestNeighbor}) {
    Bitmap bitmap(30, 30);
    Graphics g(&bitmap);
    g.SetInterpolationMode(mode);
    ASSERT_EQ(g.DrawImage(&source, Rect(3, 5, 20, 12)), Ok);
    // Destination pixel centres map onto source points from the first
    // pixel's centre on; nearest neighbour leaves empty the pixels nearer to
    // a centre beyond the source, the last half source pixel each way.
    const Rect expected =
        mode == InterpolationModeNearestNeighbor ? Rect(3, 5, 18, 11) : Rect(3, 5, 20, 12);
    const Rect bounds = RenderTest::PaintedBounds(bitmap);
    EXPECT_TRUE(bounds.Equals(expected)) << mode;
    // Well inside, the colour is the source's.
    EXPECT_EQ(PixelAt(bitmap, 12, 11), 0xFF3366CCu) << mode;
  }
}

TEST(DrawImage, EnlargingGivesSoftEdgesAndSolidMiddle) {
  Bitmap source(5, 5);
  Graphics(&source).Clear(Color(0xFFFF0000));
  Bitmap bitmap(50, 50);
  Graphics g(&bitmap);
  g.SetInterpolationMode(InterpolationModeHighQualityBilinear);
  g.DrawImage(&source, Rect(0, 0, 50, 50), 0, 0, 5, 5, UnitPixel);
  // The first pixel samples the first source pixel's centre; towards the
  // right and bottom, samples fall between the last centre and transparent
  // ones beyond the source, so those edges fade while staying red.
  EXPECT_EQ(PixelAt(bitmap, 0, 0), 0xFFFF0000u);
  const ARGB corner = PixelAt(bitmap, 49, 49);
  EXPECT_LT(corner >> 24, 0x40u);
  EXPECT_GT(corner >> 24, 0u);
  EXPECT_EQ(corner & 0xFFFFFF, 0xFF0000u);
  EXPECT_LT(PixelAt(bitmap, 49, 25) >> 24, 0x40u);
  EXPECT_EQ(PixelAt(bitmap, 25, 25), 0xFFFF0000u);
}

TEST(DrawImage, ShrinkingAveragesPixels) {
  Bitmap source(8, 8);
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 8; ++x) source.SetPixel(x, y, Color((x + y) % 2 ? 0xFFFFFFFF : 0xFF000000));
  }
  Bitmap bitmap(4, 4);
  Graphics g(&bitmap);
  g.SetInterpolationMode(InterpolationModeHighQualityBilinear);
  g.DrawImage(&source, Rect(0, 0, 4, 4));
  const ARGB middle = PixelAt(bitmap, 1, 1);
  EXPECT_NEAR(int(middle & 0xFF), 128, 20);
}

TEST(DrawImage, ImageOntoItselfReadsTheOriginal) {
  Bitmap bitmap(6, 1);
  for (int x = 0; x < 6; ++x) bitmap.SetPixel(x, 0, Color(0xFF000000 | ARGB(x + 1)));
  Graphics g(&bitmap);
  g.DrawImage(&bitmap, 1, 0, 0, 0, 5, 1, UnitPixel);
  for (int x = 1; x < 6; ++x) EXPECT_EQ(PixelAt(bitmap, x, 0), 0xFF000000 | ARGB(x)) << x;
}

TEST(DrawImage, BadArgumentsAreRefused) {
  Bitmap source(2, 2);
  Bitmap empty(0, 0);
  Bitmap bitmap(4, 4);
  Graphics g(&bitmap);
  EXPECT_EQ(g.DrawImage(nullptr, 0, 0), InvalidParameter);
  EXPECT_EQ(g.DrawImage(&empty, 0, 0), InvalidParameter);
  EXPECT_EQ(g.DrawImage(&source, 0, 0, 0, 0, -1, 2, UnitPixel), InvalidParameter);
  EXPECT_EQ(g.DrawImage(&source, 0, 0, 0, 0, 2, 2, UnitInch), NotImplemented);
  EXPECT_EQ(g.DrawImage(&source, RectF(0, 0, 1e30f, 2)), ValueOverflow);
  EXPECT_EQ(RenderTest::CountPainted(bitmap), 0);
}

// Resampling filters are normalised: away from the edges, where every sample
// comes from the source, a flat source stays flat at any scale (up to the
// rounding of two-dimensional filter weights).
TEST(DrawImage, FlatColourStaysFlat) {
  Bitmap source(10, 10);
  Graphics(&source).Clear(Color(0xFF3366CC));
  for (InterpolationMode mode : {InterpolationModeBilinear, InterpolationModeHighQualityBilinear,
                                 InterpolationModeBicubic, InterpolationModeHighQualityBicubic}) {
    for (const Rect& dest : {Rect(0, 0, 67, 71), Rect(0, 0, 7, 6)}) {
      Bitmap bitmap(dest.Width, dest.Height);
      Graphics g(&bitmap);
      g.SetInterpolationMode(mode);
      ASSERT_EQ(g.DrawImage(&source, dest, 0, 0, 10, 10, UnitPixel), Ok);
      // Two source pixels clear of each edge, beyond any filter's reach.
      const int x0 = dest.Width / 5 + 1, y0 = dest.Height / 5 + 1;
      for (int y = y0; y < dest.Height - y0; ++y)
        for (int x = x0; x < dest.Width - x0; ++x)
          for (int shift : {0, 8, 16, 24})
            ASSERT_NEAR(int(PixelAt(bitmap, x, y) >> shift & 0xFF),
                        int(0xFF3366CCu >> shift & 0xFF), 1)
                << mode << " " << x << "," << y;
    }
  }
}

// A single white pixel in the middle of a black source, enlarged tenfold,
// becomes a soft patch centred where the pixel's centre lands (point 20),
// the same seen from left and right, top and bottom, and along the diagonal.
TEST(DrawImage, BlurredDotSpreadsSymmetrically) {
  Bitmap source(5, 5);
  Graphics(&source).Clear(Color(0xFF000000));
  source.SetPixel(2, 2, Color(0xFFFFFFFF));
  for (InterpolationMode mode : {InterpolationModeHighQualityBilinear, InterpolationModeBicubic}) {
    Bitmap bitmap(50, 50);
    Graphics g(&bitmap);
    g.SetInterpolationMode(mode);
    ASSERT_EQ(g.DrawImage(&source, Rect(0, 0, 50, 50), 0, 0, 5, 5, UnitPixel), Ok);
    auto grey = [&](int x, int y) { return int(PixelAt(bitmap, x, y) & 0xFF); };
    int brightest = 0;
    for (int y = 0; y <= 40; ++y)
      for (int x = 0; x <= 40; ++x) {
        ASSERT_NEAR(grey(x, y), grey(40 - x, y), 1) << mode << " " << x << "," << y;
        ASSERT_NEAR(grey(x, y), grey(x, 40 - y), 1) << mode << " " << x << "," << y;
        ASSERT_NEAR(grey(x, y), grey(y, x), 1) << mode << " " << x << "," << y;
        brightest = std::max(brightest, grey(x, y));
      }
    EXPECT_EQ(grey(20, 20), brightest) << mode;
    EXPECT_GT(brightest, 100) << mode;
    // Blurred, not a block of ten pixels: grey well away from the centre,
    // black beyond the filters' reach of two source pixels.
    EXPECT_GT(grey(14, 20), 20) << mode;
    EXPECT_LT(grey(14, 20), brightest - 20) << mode;
    EXPECT_EQ(grey(41, 20), 0) << mode;
    EXPECT_EQ(grey(20, 41), 0) << mode;
  }
}

// Only pixels inside the source rectangle are sampled, however the filter
// reaches: the red around a green middle never shows.
TEST(DrawImage, NoColourBleedsInFromOutsideTheSourceRectangle) {
  Bitmap source(12, 12);
  Graphics(&source).Clear(Color(0xFFFF0000));
  SolidBrush green(Color(0xFF00FF00));
  Graphics(&source).FillRectangle(&green, 4, 4, 4, 4);
  for (InterpolationMode mode : {InterpolationModeNearestNeighbor, InterpolationModeBilinear,
                                 InterpolationModeHighQualityBilinear, InterpolationModeBicubic,
                                 InterpolationModeHighQualityBicubic}) {
    for (const Rect& dest : {Rect(1, 1, 40, 40), Rect(1, 1, 3, 3)}) {
      Bitmap bitmap(45, 45);
      Graphics g(&bitmap);
      g.SetInterpolationMode(mode);
      ASSERT_EQ(g.DrawImage(&source, dest, 4, 4, 4, 4, UnitPixel), Ok);
      EXPECT_EQ(RenderTest::CountPixels(bitmap, [](ARGB v) { return (v & 0x00FF00FFu) != 0; }), 0)
          << mode;
      EXPECT_GT(RenderTest::CountPainted(bitmap), dest.Width * dest.Height / 2) << mode;
    }
  }
}

}  // namespace
