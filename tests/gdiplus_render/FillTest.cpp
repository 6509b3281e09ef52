#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <ostream>
#include <random>
#include <thread>
#include <vector>

#include "Graphics.h"
#include "GraphicsPath.h"
#include "HatchBrush.h"
#include "RasterAntiAliased.h"
#include "RasterDotCache.h"
#include "Region.h"
#include "RenderTarget.h"
#include "RenderTestSupport.h"
#include "SolidBrush.h"

using namespace Gdiplus;
using RenderTest::PixelAt;

namespace {

constexpr ARGB kRed = 0xFFFF0000;

bool Inside(int x, int y, int left, int top, int right, int bottom) {
  return x >= left && x < right && y >= top && y < bottom;
}

TEST(Fill, AliasedIntegerRectangleFillsExactlyItsPixels) {
  Bitmap bitmap(40, 30);
  Graphics g(&bitmap);
  SolidBrush brush{Color(kRed)};
  ASSERT_EQ(g.FillRectangle(&brush, 3, 4, 10, 7), Ok);
  EXPECT_EQ(RenderTest::FirstMismatch(
                bitmap, [](int x, int y) { return Inside(x, y, 3, 4, 13, 11) ? kRed : 0; }),
            "");
}

// Centre sampling: a pixel is in when its centre (x, y) lies in
// [left, right) x [top, bottom).
struct FractionalRect {
  RectF rect;
  int left, top, right, bottom;  // expected pixel range, right/bottom exclusive
};

void PrintTo(const FractionalRect& c, std::ostream* out) {
  *out << c.rect.X << "," << c.rect.Y << " " << c.rect.Width << "x" << c.rect.Height;
}

class AliasedFractionalRectangle : public testing::TestWithParam<FractionalRect> {};

TEST_P(AliasedFractionalRectangle, FillsPixelsWhoseCentresAreInside) {
  const FractionalRect& c = GetParam();
  Bitmap bitmap(80, 80);
  Graphics g(&bitmap);
  g.SetSmoothingMode(SmoothingModeNone);
  SolidBrush brush{Color(kRed)};
  ASSERT_EQ(g.FillRectangle(&brush, c.rect), Ok);
  EXPECT_EQ(
      RenderTest::FirstMismatch(
          bitmap,
          [&](int x, int y) { return Inside(x, y, c.left, c.top, c.right, c.bottom) ? kRed : 0; }),
      "");
}

INSTANTIATE_TEST_SUITE_P(
    Rects, AliasedFractionalRectangle,
    testing::Values(FractionalRect{RectF(10.2f, 20.2f, 30.2f, 40.2f), 11, 21, 41, 61},
                    FractionalRect{RectF(10.5f, 20.5f, 30.5f, 40.5f), 11, 21, 41, 61},
                    FractionalRect{RectF(10.6f, 20.6f, 30.6f, 40.6f), 11, 21, 42, 62},
                    FractionalRect{RectF(0.0f, 0.0f, 0.5f, 0.5f), 0, 0, 1, 1},
                    FractionalRect{RectF(0.1f, 0.1f, 0.8f, 0.8f), 0, 0, 0, 0},
                    // Parts beyond the bitmap are cut.
                    FractionalRect{RectF(-5.0f, 70.0f, 10.0f, 30.0f), 0, 70, 5, 80}));

TEST(Fill, AliasedUnitEllipseDrawsNothing) {
  Bitmap bitmap(20, 20);
  Graphics g(&bitmap);
  SolidBrush brush{Color(kRed)};
  ASSERT_EQ(g.FillEllipse(&brush, 5, 6, 1, 1), Ok);
  EXPECT_EQ(RenderTest::CountPainted(bitmap), 0);
}

TEST(Fill, AntiAliasedUnitEllipseCoversFourPixelsFaintly) {
  Bitmap bitmap(20, 20);
  Graphics g(&bitmap);
  g.SetSmoothingMode(SmoothingModeAntiAlias);
  SolidBrush brush{Color(kRed)};
  ASSERT_EQ(g.FillEllipse(&brush, 5, 6, 1, 1), Ok);
  EXPECT_EQ(RenderTest::CountPainted(bitmap), 4);
  for (int y = 6; y <= 7; ++y) {
    for (int x = 5; x <= 6; ++x) {
      const ARGB pixel = PixelAt(bitmap, x, y);
      // About pi/16 of each pixel: alpha near 50, colour kept straight.
      EXPECT_NEAR(int(pixel >> 24), 50, 8) << x << "," << y;
      EXPECT_EQ(pixel & 0xFFFFFF, kRed & 0xFFFFFF);
    }
  }
}

TEST(Fill, AntiAliasedEdgesOnWholeCoordinatesAreHalfCovered) {
  Bitmap bitmap(30, 30);
  Graphics g(&bitmap);
  g.SetSmoothingMode(SmoothingModeAntiAlias);
  SolidBrush brush{Color(kRed)};
  ASSERT_EQ(g.FillRectangle(&brush, 10, 10, 5, 5), Ok);
  // The edge at x = 10 runs through the middle of pixel column 10.
  EXPECT_NEAR(int(PixelAt(bitmap, 10, 12) >> 24), 128, 2);
  EXPECT_NEAR(int(PixelAt(bitmap, 15, 12) >> 24), 128, 2);
  EXPECT_NEAR(int(PixelAt(bitmap, 12, 10) >> 24), 128, 2);
  EXPECT_NEAR(int(PixelAt(bitmap, 10, 10) >> 24), 64, 2);
  EXPECT_EQ(PixelAt(bitmap, 12, 12), kRed);
  EXPECT_EQ(PixelAt(bitmap, 9, 12), 0u);
  EXPECT_EQ(PixelAt(bitmap, 16, 12), 0u);
}

TEST(Fill, AntiAliasedFillOnTransparentGroundKeepsStraightColour) {
  Bitmap bitmap(40, 40);
  Graphics g(&bitmap);
  g.SetSmoothingMode(SmoothingModeAntiAlias);
  const ARGB colour = 0xFF3C7AB4;
  SolidBrush brush{Color(colour)};
  ASSERT_EQ(g.FillEllipse(&brush, 3.3f, 4.7f, 30.1f, 22.9f), Ok);
  int partial = 0;
  EXPECT_EQ(RenderTest::CountPixels(bitmap,
                                    [&](ARGB v) {
                                      if (v == 0) return false;
                                      partial += (v >> 24) != 0xFF;
                                      return (v & 0xFFFFFF) != (colour & 0xFFFFFF);
                                    }),
            0);
  EXPECT_GT(partial, 20);
}

TEST(Fill, TranslucentOverOpaqueMixes) {
  Bitmap bitmap(4, 4);
  Graphics g(&bitmap);
  g.Clear(Color(0xFF0000FF));
  SolidBrush brush(Color(0x80FF0000));
  g.FillRectangle(&brush, 0, 0, 4, 4);
  const ARGB pixel = PixelAt(bitmap, 1, 1);
  EXPECT_EQ(pixel >> 24, 0xFFu);
  EXPECT_NEAR(int((pixel >> 16) & 0xFF), 128, 1);
  EXPECT_NEAR(int(pixel & 0xFF), 127, 1);
}

TEST(Fill, TranslucentOverTranslucentCombinesAlpha) {
  Bitmap bitmap(2, 2);
  Graphics g(&bitmap);
  g.Clear(Color(0x800000FF));
  SolidBrush brush(Color(0x80FF0000));
  g.FillRectangle(&brush, 0, 0, 2, 2);
  const ARGB pixel = PixelAt(bitmap, 0, 0);
  // 1 - (1 - 0.5)^2 = 0.75 coverage; red and blue weigh 0.5 and 0.25.
  EXPECT_NEAR(int(pixel >> 24), 192, 1);
  EXPECT_NEAR(int((pixel >> 16) & 0xFF), 170, 1);
  EXPECT_NEAR(int(pixel & 0xFF), 85, 1);
}

TEST(Fill, PolygonFillModes) {
  // Two overlapping squares drawn in the same direction: winding fills the
  // overlap, alternate leaves it empty.
  const PointF points[] = {{2, 2}, {12, 2}, {12, 12}, {2, 12}, {2, 2},
                           {7, 7}, {17, 7}, {17, 17}, {7, 17}, {7, 7}};
  for (FillMode mode : {FillModeAlternate, FillModeWinding}) {
    Bitmap bitmap(20, 20);
    Graphics g(&bitmap);
    SolidBrush brush{Color(kRed)};
    ASSERT_EQ(g.FillPolygon(&brush, points, 10, mode), Ok);
    const bool overlapFilled = PixelAt(bitmap, 9, 9) == kRed;
    EXPECT_EQ(overlapFilled, mode == FillModeWinding);
    EXPECT_EQ(PixelAt(bitmap, 3, 3), kRed);
    EXPECT_EQ(PixelAt(bitmap, 15, 15), kRed);
    EXPECT_EQ(PixelAt(bitmap, 15, 3), 0u);
  }
}

TEST(Fill, PathUsesItsFillMode) {
  GraphicsPath path(FillModeAlternate);
  path.AddRectangle(RectF(2, 2, 16, 16));
  path.AddRectangle(RectF(6, 6, 8, 8));
  Bitmap bitmap(20, 20);
  Graphics g(&bitmap);
  SolidBrush brush{Color(kRed)};
  ASSERT_EQ(g.FillPath(&brush, &path), Ok);
  EXPECT_EQ(RenderTest::FirstMismatch(
                bitmap,
                [](int x, int y) {
                  return Inside(x, y, 2, 2, 18, 18) && !Inside(x, y, 6, 6, 14, 14) ? kRed : 0;
                }),
            "");
}

TEST(Fill, RegionFillsItsPixels) {
  Region region(Rect(1, 1, 5, 3));
  region.Union(Rect(8, 2, 2, 6));
  Bitmap bitmap(12, 12);
  Graphics g(&bitmap);
  g.SetSmoothingMode(SmoothingModeAntiAlias);
  SolidBrush brush{Color(kRed)};
  ASSERT_EQ(g.FillRegion(&brush, &region), Ok);
  EXPECT_EQ(RenderTest::FirstMismatch(bitmap,
                                      [](int x, int y) {
                                        return Inside(x, y, 1, 1, 6, 4) || Inside(x, y, 8, 2, 10, 8)
                                                   ? kRed
                                                   : 0;
                                      }),
            "");
}

TEST(Fill, SmoothingModesReadBackAsGdiplusDoes) {
  Bitmap bitmap(2, 2);
  Graphics g(&bitmap);
  EXPECT_EQ(g.GetSmoothingMode(), SmoothingModeNone);
  g.SetSmoothingMode(SmoothingModeHighQuality);
  EXPECT_EQ(g.GetSmoothingMode(), SmoothingModeAntiAlias);
  g.SetSmoothingMode(SmoothingModeDefault);
  EXPECT_EQ(g.GetSmoothingMode(), SmoothingModeNone);
  g.SetSmoothingMode(SmoothingModeHighSpeed);
  EXPECT_EQ(g.GetSmoothingMode(), SmoothingModeNone);
  EXPECT_EQ(g.SetSmoothingMode(SmoothingModeInvalid), InvalidParameter);
  EXPECT_EQ(g.SetSmoothingMode(SmoothingMode(7)), InvalidParameter);
  EXPECT_EQ(g.GetSmoothingMode(), SmoothingModeNone);
}

// AGG's fill of RasterPath::AddEllipse at the anti-aliased flatness (0.1).
void FillWithAgg(RenderTarget& target, const Brush& brush, REAL x, REAL y, REAL width,
                 REAL height) {
  RasterPath path;
  path.SetFlatness(0.1);
  path.AddEllipse(x, y, width, height);
  AntiAliasedRasterizer agg;
  agg.Reset(target.Clip().Bounds());
  agg.AddPath(path);
  BrushPaint paint;
  brush.GetPaint(&paint);
  target.SetPaint(paint);
  agg.Sweep(FillModeAlternate, target);
}

// Small ellipses skip the path, and their coverage is remembered per
// thread; every pixel must still be AGG's fill of RasterPath::AddEllipse at
// the anti-aliased flatness (0.1): dots at whole and fractional positions,
// of many sizes, inside and across the clip, on opaque and translucent
// grounds.
std::string DotsAgreeWithAgg(unsigned seed) {
  std::mt19937 random(seed);
  std::uniform_real_distribution<double> unit(0, 1);
  Bitmap fast(48, 24), reference(48, 24);
  Graphics g(&fast);
  g.SetSmoothingMode(SmoothingModeAntiAlias);
  const Rect clipRect(5, 3, 30, 15);
  RasterClip clip;
  clip.Reset(48, 24);
  if (seed % 2) g.SetClip(clipRect), clip.SetRects(48, 24, &clipRect, 1);
  RenderTarget target;
  target.Attach(reference.Surface(), &clip);
  g.Clear(Color(seed % 3 ? 0xFFFFFFFF : 0x80FFFFFF));
  target.Replace(Rect(0, 0, 48, 24), seed % 3 ? 0xFFFFFFFF : 0x80FFFFFF);
  const SolidBrush solid{Color(0xFF008000)}, translucent{Color(0x90204080)};
  const HatchBrush hatch(HatchStyleSmallConfetti, Color(0xFF000000), Color(0xFFC0C0C0));
  const Brush* brushes[] = {&solid, &solid, &translucent, &hatch};
  for (int i = 0; i < 600;) {
    // Half the threads throw batches of one brush through FillEllipses.
    const int batch = seed >= 3 ? 1 + int(unit(random) * 40) : 1;
    const Brush* const brush = brushes[i % 4];
    std::vector<RectF> rects;
    for (; int(rects.size()) < batch && i < 600; ++i) {
      double x = unit(random) * 52 - 2, y = unit(random) * 28 - 2;
      if (i % 3 == 0) x = std::floor(x), y = std::floor(y);
      const double size = i % 4 == 0 ? 0.05 + unit(random) * 16 : 1 + i % 3 / 2;
      const REAL width = REAL(size), height = REAL(i % 7 ? size : size / 3);
      rects.emplace_back(REAL(x), REAL(y), width, height);
      FillWithAgg(target, *brush, REAL(x), REAL(y), width, height);
    }
    const Status status = seed >= 3 ? g.FillEllipses(brush, rects.data(), INT(rects.size()))
                                    : g.FillEllipse(brush, rects[0]);
    if (status != Ok) return "failed";
  }
  return RenderTest::FirstMismatch(fast, [&](int x, int y) { return PixelAt(reference, x, y); });
}

TEST(Fill, EllipseBatchesReportAsSingleFills) {
  Bitmap bitmap(8, 8);
  Graphics g(&bitmap);
  g.SetSmoothingMode(SmoothingModeAntiAlias);
  const SolidBrush brush{Color(kRed)};
  const RectF rects[] = {{1, 1, 1, 1}, {2.5f, 3.25f, 2, 1}};
  EXPECT_EQ(g.FillEllipses(&brush, nullptr, 2), InvalidParameter);
  EXPECT_EQ(g.FillEllipses(&brush, rects, -1), InvalidParameter);
  EXPECT_EQ(g.FillEllipses(nullptr, rects, 2), g.FillEllipse(nullptr, rects[0]));
  EXPECT_EQ(RenderTest::CountPainted(bitmap), 0);
  EXPECT_EQ(g.FillEllipses(&brush, rects, 0), Ok);
  EXPECT_EQ(g.FillEllipses(&brush, rects, 2), Ok);
  EXPECT_GT(RenderTest::CountPainted(bitmap), 4);
}

TEST(Fill, SmallEllipsesMatchAggOnSeveralThreadsAtOnce) {
  std::vector<std::string> results(6);
  std::vector<std::thread> threads;
  for (unsigned seed = 0; seed < 6; ++seed) {
    threads.emplace_back([&results, seed] { results[seed] = DotsAgreeWithAgg(seed); });
  }
  for (std::thread& thread : threads) thread.join();
  for (unsigned seed = 0; seed < 6; ++seed) EXPECT_EQ(results[seed], "") << seed;
}

// Dots at whole positions reuse the coverage of the last one of their size:
// that must hold far from the origin too, where the sums behind an outline
// round at another scale, and past 32767, where AGG's narrow spans end.
TEST(Fill, WholePositionDotsMatchAggAcrossTheCoordinateRange) {
  constexpr int kWidth = 65530, kHeight = 4;
  Bitmap fast(kWidth, kHeight), reference(kWidth, kHeight);
  Graphics g(&fast);
  g.SetSmoothingMode(SmoothingModeAntiAlias);
  g.Clear(Color(0xFFFFFFFF));
  RasterClip clip;
  clip.Reset(kWidth, kHeight);
  RenderTarget target;
  target.Attach(reference.Surface(), &clip);
  target.Replace(Rect(0, 0, kWidth, kHeight), 0xFFFFFFFF);
  const SolidBrush brush{Color(0xFF008000)};
  int x = 0;
  for (const REAL size : {1.0f, 2.0f, 0.75f, 1.5f, 3.0f, 2.25f}) {
    for (int at = 1; at < kWidth - 8; at = at * 2 + 1, x = at) {
      for (const int step : {0, 3}) {
        ASSERT_EQ(g.FillEllipse(&brush, REAL(x + step), 0.0f, size, size), Ok);
        FillWithAgg(target, brush, REAL(x + step), 0.0f, size, size);
      }
    }
  }
  EXPECT_EQ(
      RenderTest::FirstMismatch(fast, [&](int px, int py) { return PixelAt(reference, px, py); }),
      "");
}

// The coverage cache keys an outline by all its points but the last, which
// repeats the first: outlines differing in any bit of any coordinate (below
// 3 cells, 768) must differ in key.
TEST(Fill, DotCacheKeysTellOutlinesApart) {
  std::mt19937 random(3);
  for (int count : {5, 9, 13}) {
    SubpixelPoint points[13];
    for (int i = 0; i < count; ++i) points[i] = {int(random() % 768), int(random() % 768)};
    DotCoverCache::Key key, changed;
    points[count - 1] = points[0];
    ASSERT_TRUE(DotCoverCache::MakeKey(points, count, 0, 0, &key));
    for (int i = 0; i < 20 * (count - 1); ++i) {
      int& coordinate = i / 10 % 2 ? points[i / 20].y : points[i / 20].x;
      if ((coordinate ^ 1 << i % 10) >= 768) continue;
      coordinate ^= 1 << i % 10;
      points[count - 1] = points[0];
      EXPECT_TRUE(DotCoverCache::MakeKey(points, count, 0, 0, &changed) && !(changed == key)) << i;
      coordinate ^= 1 << i % 10;
    }
  }
}

// Dots of a pixel or so are cached by where they fall in their cell and by
// their spans: sizes a sixteenth apart across, down or both at one phase,
// each drawn twice so that the second is looked up, and once more at another
// phase down, must each keep AGG's coverage. A fresh thread's cache is awake
// from its first dot.
TEST(Fill, DotsSharingAPhaseKeepTheirOwnCoverage) {
  std::string result;
  std::thread([&result] {
    Bitmap fast(96, 12), reference(96, 12);
    Graphics g(&fast);
    g.SetSmoothingMode(SmoothingModeAntiAlias);
    g.Clear(Color(0xFFFFFFFF));
    RasterClip clip;
    clip.Reset(96, 12);
    RenderTarget target;
    target.Attach(reference.Surface(), &clip);
    target.Replace(Rect(0, 0, 96, 12), 0xFFFFFFFF);
    const SolidBrush brush{Color(0xFF008000)};
    REAL x = 1.3f;
    // A flat dot has spans down of 0 or 1.
    const SizeF sizes[] = {{0.5f, 0.375f}, {0.5625f, 0.375f},  {1.0f, 0.75f}, {1.0f, 0.8125f},
                           {1.5f, 1.125f}, {1.5625f, 1.1875f}, {1.0f, 0.02f}};
    for (const SizeF& size : sizes) {
      for (const REAL y : {2.7f, 5.2f, 7.7f}) {
        const RectF rect(x, y, size.Width, size.Height);
        if (g.FillEllipses(&brush, &rect, 1) != Ok) result = "failed";
        FillWithAgg(target, brush, rect.X, rect.Y, rect.Width, rect.Height);
      }
      x += 5;
    }
    if (result.empty()) {
      result =
          RenderTest::FirstMismatch(fast, [&](int x, int y) { return PixelAt(reference, x, y); });
    }
  }).join();
  EXPECT_EQ(result, "");
}

// Opaque paint on opaque pixels takes shortcuts in RenderTarget, one for
// runs and one for dots: with either, every coverage (row), paint channel
// and pixel channel (column) must blend as BlendPixel does.
TEST(Fill, OpaqueCoversBlendAsBlendPixel) {
  Bitmap bitmap(256, 256);
  RasterClip clip;
  clip.Reset(256, 256);
  RenderTarget target;
  target.Attach(bitmap.Surface(), &clip);
  const BitmapSurface surface = bitmap.Surface();
  for (ARGB v = 0; v < 256; ++v) {
    const ARGB color = 0xFF000000 | (v * 0x010101 ^ 0x00FF00);
    target.SetPaint(BrushPaint{nullptr, color, true});
    for (ARGB y = 0; y < 256; ++y) {
      BYTE* const row = surface.scan0 + y * surface.stride;
      std::vector<BYTE> covers(256, BYTE(y)), expected(4 * 256);
      for (ARGB x = 0; x < 256; ++x) {
        StorePixel(row + 4 * x, 0xFF000000 | x * 0x010101);
        StorePixel(&expected[4 * x], 0xFF000000 | x * 0x010101);
        BlendPixel(&expected[4 * x], color, y);
      }
      target.BlendCovers(INT(y), 0, 256, covers.data());
      ASSERT_EQ(std::memcmp(expected.data(), row, expected.size()), 0) << color << " " << y;
      for (ARGB x = 0; x < 256; ++x) StorePixel(row + 4 * x, 0xFF000000 | x * 0x010101);
      target.BlendBlock(0, INT(y), 256, 1, covers.data());
      ASSERT_EQ(std::memcmp(expected.data(), row, expected.size()), 0) << color << " " << y;
    }
  }
}

}  // namespace
