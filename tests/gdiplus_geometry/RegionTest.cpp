#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "GraphicsPath.h"
#include "Matrix.h"
#include "Region.h"

using namespace Gdiplus;

namespace {

std::vector<Rect> Scans(const Region& region, const Matrix* matrix = nullptr) {
  INT count = region.GetRegionScansCount(matrix);
  std::vector<Rect> rects(std::size_t(count) + 1);
  EXPECT_EQ(region.GetRegionScans(matrix, rects.data(), &count), Ok);
  rects.resize(std::size_t(count));
  return rects;
}

void ExpectScans(const Region& region, const std::vector<Rect>& expected,
                 const Matrix* matrix = nullptr) {
  const std::vector<Rect> scans = Scans(region, matrix);
  ASSERT_EQ(scans.size(), expected.size());
  for (std::size_t i = 0; i < scans.size(); ++i) {
    EXPECT_TRUE(scans[i].Equals(expected[i])) << i << ": " << scans[i].X << "," << scans[i].Y << ","
                                              << scans[i].Width << "," << scans[i].Height;
  }
}

}  // namespace

TEST(RegionTest, RectanglesTakePixelsWhoseCentresLieInside) {
  ExpectScans(Region(RectF(10.2f, 20.2f, 30.2f, 40.2f)), {Rect(11, 21, 30, 40)});
  ExpectScans(Region(RectF(10.5f, 20.5f, 30.5f, 40.5f)), {Rect(11, 21, 30, 40)});
  ExpectScans(Region(RectF(10.6f, 20.6f, 30.6f, 40.6f)), {Rect(11, 21, 31, 41)});
  ExpectScans(Region(Rect(3, 4, 5, 6)), {Rect(3, 4, 5, 6)});
}

TEST(RegionTest, PathRegionOfAnAxisAlignedRectangleIsOneScan) {
  GraphicsPath path;
  path.AddRectangle(RectF(10.2f, 20.2f, 30.2f, 40.2f));
  ExpectScans(Region(&path), {Rect(11, 21, 30, 40)});
}

TEST(RegionTest, TouchingSquaresGiveTwoScansUpperFirst) {
  Region region(RectF(0, 0, 5, 5));
  region.Union(RectF(5, 5, 5, 5));
  ExpectScans(region, {Rect(0, 0, 5, 5), Rect(5, 5, 5, 5)});
}

TEST(RegionTest, RectangleUnderShearingMatrixHas162Scans) {
  const Region region(RectF(10, 20, 30, 40));
  const Matrix matrix(1, 2, 3, 4, 5, 6);
  EXPECT_EQ(region.GetRegionScansCount(&matrix), 162);
  // The region itself is unchanged.
  EXPECT_EQ(region.GetRegionScansCount(nullptr), 1);
}

TEST(RegionTest, InfiniteEmptyAndDegenerate) {
  const Region infinite;
  EXPECT_TRUE(infinite.IsInfinite());
  EXPECT_FALSE(infinite.IsEmpty());
  ExpectScans(infinite, {Rect(-4194304, -4194304, 8388608, 8388608)});
  Region empty;
  empty.MakeEmpty();
  EXPECT_TRUE(empty.IsEmpty());
  EXPECT_EQ(empty.GetRegionScansCount(nullptr), 0);
  EXPECT_EQ(Region(RectF(5, 5, 0, 10)).GetRegionScansCount(nullptr), 0);
  EXPECT_EQ(Region(RectF(5, 5, -3, 10)).GetRegionScansCount(nullptr), 0);
  // No pixel centre in [5.1, 5.5).
  EXPECT_EQ(Region(RectF(5.1f, 5.1f, 0.4f, 0.4f)).GetRegionScansCount(nullptr), 0);
  ExpectScans(Region(RectF(5, 5, 0.4f, 0.4f)), {Rect(5, 5, 1, 1)});
}

TEST(RegionTest, PointsRoundHalfUpToTheirPixel) {
  const Region region(RectF(10, 10, 20, 20));
  EXPECT_TRUE(region.IsVisible(PointF(9.5f, 15)));
  EXPECT_TRUE(region.IsVisible(PointF(29.4f, 15)));
  EXPECT_FALSE(region.IsVisible(PointF(9.4f, 15)));
  EXPECT_FALSE(region.IsVisible(PointF(29.5f, 15)));
  EXPECT_TRUE(region.IsVisible(10, 29));
  EXPECT_FALSE(region.IsVisible(10, 30));
  EXPECT_FALSE(region.IsVisible(PointF(std::nanf(""), 15)));
}

TEST(RegionTest, TranslateMovesTheGeometry) {
  Region region(RectF(10, 10, 5, 5));
  region.Translate(3, 4);
  ExpectScans(region, {Rect(13, 14, 5, 5)});
  // Half a pixel moves the edges onto other pixel centres: [10.5, 15.5).
  Region half(RectF(10, 10, 5, 5));
  half.Translate(0.5f, 0.5f);
  ExpectScans(half, {Rect(11, 11, 5, 5)});
  half.Translate(-0.5f, -0.5f);
  ExpectScans(half, {Rect(10, 10, 5, 5)});
  Region infinite;
  infinite.Translate(100, 100);
  EXPECT_TRUE(infinite.IsInfinite());
}

TEST(RegionTest, BoundsOfThePixels) {
  Region region(RectF(0, 0, 5, 5));
  region.Union(RectF(20, 30, 2, 2));
  Rect bounds;
  ASSERT_EQ(region.GetBounds(&bounds), Ok);
  EXPECT_TRUE(bounds.Equals(Rect(0, 0, 22, 32)));
  RectF boundsF;
  Region infinite;
  ASSERT_EQ(infinite.GetBounds(&boundsF), Ok);
  EXPECT_TRUE(boundsF.Equals(RectF(-4194304, -4194304, 8388608, 8388608)));
}

TEST(RegionTest, FillModeOfThePathDecidesOverlaps) {
  GraphicsPath path;
  path.AddRectangle(RectF(0, 0, 10, 10));
  path.AddRectangle(RectF(5, 0, 10, 10));
  const Region alternate(&path);
  path.SetFillMode(FillModeWinding);
  const Region winding(&path);
  EXPECT_FALSE(alternate.IsVisible(7, 5));
  EXPECT_TRUE(alternate.IsVisible(2, 5));
  EXPECT_TRUE(winding.IsVisible(7, 5));
  ExpectScans(alternate, {Rect(0, 0, 5, 10), Rect(10, 0, 5, 10)});
  ExpectScans(winding, {Rect(0, 0, 15, 10)});
}

TEST(RegionTest, ReplaceAndCopiesAreIndependent) {
  Region a(RectF(0, 0, 4, 4));
  Region b(RectF(10, 10, 2, 2));
  std::unique_ptr<Region> copy(a.Clone());
  a.Combine(&b, CombineModeReplace);
  ExpectScans(a, {Rect(10, 10, 2, 2)});
  ExpectScans(*copy, {Rect(0, 0, 4, 4)});
  a.Xor(&a);
  EXPECT_TRUE(a.IsEmpty());
  a.MakeInfinite();
  EXPECT_TRUE(a.IsInfinite());
}

TEST(RegionTest, LongCombinationChainsStayUsable) {
  Region region;
  region.MakeEmpty();
  for (int i = 0; i < 300; ++i) region.Union(Rect(i * 2, 0, 1, 1));
  EXPECT_EQ(region.GetRegionScansCount(nullptr), 300);
  region.Translate(1, 0);
  const std::vector<Rect> scans = Scans(region);
  ASSERT_EQ(scans.size(), 300u);
  EXPECT_TRUE(scans[0].Equals(Rect(1, 0, 1, 1)));
  // The geometry stays exact: (1, 0, 1, 1) doubles to (2, 0, 2, 2).
  Matrix twice;
  twice.Scale(2, 2);
  const std::vector<Rect> scaled = Scans(region, &twice);
  ASSERT_EQ(scaled.size(), 300u);
  EXPECT_TRUE(scaled[0].Equals(Rect(2, 0, 2, 2)));
  EXPECT_TRUE(scaled[299].Equals(Rect(1198, 0, 2, 2)));
}

TEST(RegionTest, VeryDeepChainsNeitherOverflowTheStack) {
  auto region = std::make_unique<Region>(Rect(0, 0, 1, 1));
  for (int i = 0; i < 200000; ++i) region->Xor(Rect(i % 2, 0, 1, 1));
  // 100000 toggles of each pixel leave the first one in.
  ExpectScans(*region, {Rect(0, 0, 1, 1)});
  region.reset();
}

TEST(RegionTest, HugePathsAreClippedToTheInfiniteBounds) {
  GraphicsPath path;
  path.AddRectangle(RectF(-1e30f, -1e30f, 2e30f, 2e30f));
  const Region region(&path);
  ExpectScans(region, {Rect(-4194304, -4194304, 8388608, 8388608)});
}

TEST(RegionTest, ScansTooCostlyToWorkOutAreAnError) {
  // Forty sloped edges across all 8388608 rows of the region space.
  GraphicsPath path;
  for (int i = 0; i < 20; ++i) {
    const PointF sliver[3] = {PointF(REAL(i * 100), -1e7f), PointF(REAL(i * 100 + 50), -1e7f),
                              PointF(REAL(i * 100 + 1000), 1e7f)};
    path.AddPolygon(sliver, 3);
  }
  const Region region(&path);
  INT count = 7;
  Rect scan;
  EXPECT_EQ(region.GetRegionScans(nullptr, &scan, &count), OutOfMemory);
  EXPECT_EQ(count, 0);
  EXPECT_TRUE(region.IsEmpty());
  EXPECT_EQ(region.GetLastStatus(), OutOfMemory);
}

TEST(RegionTest, NullPathGivesAnEmptyRegionAndAnError) {
  Region region(static_cast<const GraphicsPath*>(nullptr));
  EXPECT_EQ(region.GetLastStatus(), InvalidParameter);
  EXPECT_TRUE(region.IsEmpty());
  EXPECT_EQ(region.Combine(static_cast<const Region*>(nullptr), CombineModeUnion),
            InvalidParameter);
  EXPECT_EQ(region.Combine(RectF(0, 0, 1, 1), CombineMode(9)), InvalidParameter);
}
