// Every combine mode checked pixel by pixel against point-in-polygon tests.
#include <gtest/gtest.h>

#include <vector>

#include "GraphicsPath.h"
#include "Matrix.h"
#include "Region.h"

using namespace Gdiplus;

namespace {

using Polygon = std::vector<PointF>;

// Vertices sit off the integer grid so that no pixel centre lies on an edge.
const Polygon kStar = {PointF(20.3f, 2.2f), PointF(31.7f, 36.1f), PointF(2.6f, 14.4f),
                       PointF(38.1f, 14.3f), PointF(8.4f, 36.7f)};
const Polygon kTriangle = {PointF(5.3f, 30.2f), PointF(44.6f, 4.8f), PointF(35.2f, 44.3f)};

// Winding number of (x, y) by the crossing rule with half-open edges.
int WindingAt(const Polygon& polygon, double x, double y) {
  int winding = 0;
  for (std::size_t i = 0; i < polygon.size(); ++i) {
    const PointF a = polygon[i], b = polygon[(i + 1) % polygon.size()];
    if ((a.Y <= y) != (b.Y <= y)) {
      const double cx = a.X + (y - a.Y) * (double(b.X) - a.X) / (double(b.Y) - a.Y);
      if (cx > x) winding += b.Y > a.Y ? 1 : -1;
    }
  }
  return winding;
}

bool Inside(const Polygon& polygon, FillMode mode, double x, double y) {
  const int w = WindingAt(polygon, x, y);
  return mode == FillModeWinding ? w != 0 : (w % 2) != 0;
}

GraphicsPath PathOf(const Polygon& polygon, FillMode mode) {
  GraphicsPath path(mode);
  path.AddPolygon(polygon.data(), INT(polygon.size()));
  return path;
}

bool Expected(CombineMode mode, bool a, bool b) {
  switch (mode) {
    case CombineModeIntersect:
      return a && b;
    case CombineModeUnion:
      return a || b;
    case CombineModeXor:
      return a != b;
    case CombineModeExclude:
      return a && !b;
    case CombineModeComplement:
      return b && !a;
    default:
      return b;
  }
}

}  // namespace

class RegionCombineTest : public testing::TestWithParam<std::tuple<CombineMode, FillMode>> {};

TEST_P(RegionCombineTest, MatchesPointInPolygonPerPixel) {
  const auto [mode, fill] = GetParam();
  const GraphicsPath star = PathOf(kStar, fill);
  const GraphicsPath triangle = PathOf(kTriangle, FillModeAlternate);
  Region region(&star);
  ASSERT_EQ(region.Combine(&triangle, mode), Ok);
  int inside = 0;
  for (int y = -2; y < 50; ++y) {
    for (int x = -2; x < 50; ++x) {
      const bool a = Inside(kStar, fill, x, y);
      const bool b = Inside(kTriangle, FillModeAlternate, x, y);
      const bool expected = Expected(mode, a, b);
      ASSERT_EQ(region.IsVisible(x, y), expected) << "pixel " << x << "," << y;
      inside += expected;
    }
  }
  // Scans cover exactly the pixels that are in.
  INT count = region.GetRegionScansCount(nullptr);
  std::vector<Rect> scans(std::size_t(count) + 1);
  region.GetRegionScans(nullptr, scans.data(), &count);
  int area = 0;
  for (INT i = 0; i < count; ++i) area += scans[i].Width * scans[i].Height;
  EXPECT_EQ(area, inside);
}

TEST_P(RegionCombineTest, RegionOperandsAndMatricesAgree) {
  const auto [mode, fill] = GetParam();
  const GraphicsPath star = PathOf(kStar, fill);
  const GraphicsPath triangle = PathOf(kTriangle, FillModeAlternate);
  Region region(&star);
  const Region other(&triangle);
  region.Combine(&other, mode);
  // Under a matrix the geometry moves before it is turned into pixels.
  const Matrix shift(1, 0, 0, 1, 0.5f, -3.25f);
  INT count = region.GetRegionScansCount(&shift);
  std::vector<Rect> scans(std::size_t(count) + 1);
  region.GetRegionScans(&shift, scans.data(), &count);
  int area = 0, expectedArea = 0;
  for (INT i = 0; i < count; ++i) area += scans[i].Width * scans[i].Height;
  for (int y = -6; y < 50; ++y) {
    for (int x = -2; x < 52; ++x) {
      expectedArea += Expected(mode, Inside(kStar, fill, x - 0.5, y + 3.25),
                               Inside(kTriangle, FillModeAlternate, x - 0.5, y + 3.25));
    }
  }
  EXPECT_EQ(area, expectedArea);
}

INSTANTIATE_TEST_SUITE_P(
    AllModes, RegionCombineTest,
    testing::Combine(testing::Values(CombineModeReplace, CombineModeIntersect, CombineModeUnion,
                                     CombineModeXor, CombineModeExclude, CombineModeComplement),
                     testing::Values(FillModeAlternate, FillModeWinding)));

TEST(RegionCombineRectTest, RectangleOperandsMatchRegionOperands) {
  const GraphicsPath star = PathOf(kStar, FillModeWinding);
  for (CombineMode mode : {CombineModeIntersect, CombineModeUnion, CombineModeXor,
                           CombineModeExclude, CombineModeComplement}) {
    Region byRect(&star);
    Region byRegion(&star);
    const RectF rect(10.5f, 8.25f, 20, 15);
    byRect.Combine(rect, mode);
    const Region rectRegion(rect);
    byRegion.Combine(&rectRegion, mode);
    for (int y = 0; y < 45; ++y) {
      for (int x = 0; x < 45; ++x) {
        const bool inRect = x >= 10.5 && x < 30.5 && y >= 8.25 && y < 23.25;
        ASSERT_EQ(byRect.IsVisible(x, y),
                  Expected(mode, Inside(kStar, FillModeWinding, x, y), inRect));
        ASSERT_EQ(byRect.IsVisible(x, y), byRegion.IsVisible(x, y));
      }
    }
  }
}

TEST(RegionCombineRectTest, InfiniteOperands) {
  Region infinite;
  infinite.Exclude(RectF(0, 0, 10, 10));
  EXPECT_FALSE(infinite.IsVisible(5, 5));
  EXPECT_TRUE(infinite.IsVisible(-1000, 5));
  EXPECT_FALSE(infinite.IsInfinite());
  Region complement(RectF(0, 0, 10, 10));
  Region all;
  complement.Complement(&all);
  EXPECT_TRUE(complement.IsVisible(50, 50));
  EXPECT_FALSE(complement.IsVisible(5, 5));
  Region intersect;
  intersect.Intersect(RectF(1, 2, 3, 4));
  INT count = 0;
  Rect scan;
  intersect.GetRegionScans(nullptr, &scan, &count);
  EXPECT_EQ(count, 1);
  EXPECT_TRUE(scan.Equals(Rect(1, 2, 3, 4)));
}
