#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <vector>

#include "GraphicsPath.h"
#include "Matrix.h"

using namespace Gdiplus;

namespace {

std::vector<BYTE> TypesOf(const GraphicsPath& path) {
  return path.Types();
}

void ExpectPoint(const PointF& p, REAL x, REAL y, REAL tolerance = 1e-5f) {
  EXPECT_NEAR(p.X, x, tolerance);
  EXPECT_NEAR(p.Y, y, tolerance);
}

}  // namespace

TEST(PathBuildTest, RectangleIsOneClosedFigureOfFourPoints) {
  GraphicsPath path;
  ASSERT_EQ(path.AddRectangle(RectF(1, 2, 3, 4)), Ok);
  ASSERT_EQ(path.GetPointCount(), 4);
  EXPECT_EQ(TypesOf(path), (std::vector<BYTE>{0, 1, 1, 0x81}));
  ExpectPoint(path.Points()[0], 1, 2);
  ExpectPoint(path.Points()[1], 4, 2);
  ExpectPoint(path.Points()[2], 4, 6);
  ExpectPoint(path.Points()[3], 1, 6);
}

TEST(PathBuildTest, EllipseIsThirteenPointsOfFourBeziers) {
  GraphicsPath path;
  ASSERT_EQ(path.AddEllipse(0, 0, 20, 10), Ok);
  ASSERT_EQ(path.GetPointCount(), 13);
  std::vector<BYTE> expected(13, PathPointTypeBezier);
  expected[0] = PathPointTypeStart;
  expected[12] = 0x83;
  EXPECT_EQ(TypesOf(path), expected);
  // Quarter points: right, bottom, left, top, right again.
  ExpectPoint(path.Points()[0], 20, 5);
  ExpectPoint(path.Points()[3], 10, 10);
  ExpectPoint(path.Points()[6], 0, 5);
  ExpectPoint(path.Points()[9], 10, 0);
  ExpectPoint(path.Points()[12], 20, 5);
  // Handles 4/3·tan(22.5°) ≈ 0.55228 of the radius long.
  ExpectPoint(path.Points()[1], 20, 5 + 0.5522847f * 5, 1e-4f);
  ExpectPoint(path.Points()[2], 10 + 0.5522847f * 10, 10, 1e-4f);
}

TEST(PathBuildTest, LinesContinueTheOpenFigure) {
  GraphicsPath path;
  path.AddLine(0, 0, 10, 0);
  path.AddLine(10, 5, 20, 5);
  EXPECT_EQ(TypesOf(path), (std::vector<BYTE>{0, 1, 1, 1}));
  path.StartFigure();
  path.AddLine(0, 10, 5, 10);
  EXPECT_EQ(TypesOf(path), (std::vector<BYTE>{0, 1, 1, 1, 0, 1}));
  path.CloseFigure();
  EXPECT_EQ(TypesOf(path).back(), 0x81);
  path.AddLine(1, 1, 2, 2);
  EXPECT_EQ(TypesOf(path)[6], PathPointTypeStart);
}

TEST(PathBuildTest, BezierTypes) {
  GraphicsPath path;
  path.AddBezier(PointF(0, 0), PointF(1, 1), PointF(2, 1), PointF(3, 0));
  EXPECT_EQ(TypesOf(path), (std::vector<BYTE>{0, 3, 3, 3}));
  const PointF bad[5] = {};
  EXPECT_EQ(path.AddBeziers(bad, 5), InvalidParameter);
  EXPECT_EQ(path.GetPointCount(), 4);
}

TEST(PathBuildTest, AddPathConnectsOnlyWhenAsked) {
  GraphicsPath other;
  other.AddLine(10, 10, 20, 20);
  GraphicsPath joined;
  joined.AddLine(0, 0, 5, 5);
  joined.AddPath(&other, true);
  EXPECT_EQ(TypesOf(joined), (std::vector<BYTE>{0, 1, 1, 1}));
  GraphicsPath separate;
  separate.AddLine(0, 0, 5, 5);
  separate.AddPath(&other, false);
  EXPECT_EQ(TypesOf(separate), (std::vector<BYTE>{0, 1, 0, 1}));
  // A path may be added to itself.
  separate.AddPath(&separate, false);
  EXPECT_EQ(separate.GetPointCount(), 8);
}

TEST(PathBuildTest, PointsAndTypesConstructor) {
  const PointF points[3] = {PointF(0, 0), PointF(4, 0), PointF(4, 3)};
  const BYTE types[3] = {0, 1, 0x81};
  GraphicsPath path(points, types, 3, FillModeWinding);
  EXPECT_EQ(path.GetPointCount(), 3);
  EXPECT_EQ(path.GetFillMode(), FillModeWinding);
  EXPECT_EQ(TypesOf(path), (std::vector<BYTE>{0, 1, 0x81}));

  GraphicsPath negative(points, types, -1);
  EXPECT_EQ(negative.GetPointCount(), 0);
  EXPECT_EQ(negative.GetLastStatus(), InvalidParameter);
}

TEST(PathBuildTest, CopyOutNeedsRoom) {
  GraphicsPath path;
  path.AddRectangle(RectF(0, 0, 1, 1));
  PointF points[3];
  BYTE types[3];
  EXPECT_EQ(path.GetPathPoints(points, 3), InsufficientBuffer);
  EXPECT_EQ(path.GetPathTypes(types, 3), InsufficientBuffer);
  PointF all[4];
  EXPECT_EQ(path.GetPathPoints(all, 4), Ok);
  ExpectPoint(all[2], 1, 1);
}

TEST(PathBuildTest, BoundsAreTheBoxOfThePoints) {
  GraphicsPath path;
  RectF bounds;
  ASSERT_EQ(path.GetBounds(&bounds), Ok);
  EXPECT_TRUE(bounds.Equals(RectF(0, 0, 0, 0)));
  // Bezier control points count: GDI+ world bounds are the box of the points.
  path.AddBezier(PointF(0, 0), PointF(5, 20), PointF(10, -20), PointF(15, 0));
  ASSERT_EQ(path.GetBounds(&bounds), Ok);
  EXPECT_TRUE(bounds.Equals(RectF(0, -20, 15, 40)));
  Matrix twice;
  twice.Scale(2, 2);
  ASSERT_EQ(path.GetBounds(&bounds, &twice), Ok);
  EXPECT_TRUE(bounds.Equals(RectF(0, -40, 30, 80)));
  Rect integer;
  GraphicsPath fractional;
  fractional.AddLine(0.5f, 0.5f, 2.2f, 3.7f);
  ASSERT_EQ(fractional.GetBounds(&integer), Ok);
  EXPECT_TRUE(integer.Equals(Rect(0, 0, 3, 4)));
}

TEST(PathBuildTest, TransformMovesPointsKeepsTypesOrLeavesThePathOnOverflow) {
  GraphicsPath path;
  path.AddEllipse(0, 0, 10, 10);
  const std::vector<BYTE> types = path.Types();
  Matrix m;
  m.Translate(5, -2);
  ASSERT_EQ(path.Transform(&m), Ok);
  EXPECT_EQ(path.Types(), types);
  ExpectPoint(path.Points()[0], 15, 3);
  GraphicsPath far;
  far.AddLine(1e30f, 0, 0, 0);
  Matrix huge;
  huge.Scale(1e30f, 1);
  EXPECT_EQ(far.Transform(&huge), ValueOverflow);
  EXPECT_EQ(far.Points()[0].X, 1e30f);
}

TEST(PathBuildTest, NonFiniteInputIsRefused) {
  GraphicsPath path;
  const REAL nan = std::numeric_limits<REAL>::quiet_NaN();
  EXPECT_EQ(path.AddLine(0, 0, nan, 1), InvalidParameter);
  EXPECT_EQ(path.AddRectangle(RectF(0, 0, std::numeric_limits<REAL>::infinity(), 1)),
            InvalidParameter);
  EXPECT_EQ(path.AddEllipse(nan, 0.0f, 1.0f, 1.0f), InvalidParameter);
  EXPECT_EQ(path.GetPointCount(), 0);
  EXPECT_EQ(path.SetPoints({PointF(nan, 0)}, {0}), InvalidParameter);
  EXPECT_EQ(path.GetPointCount(), 0);
}

TEST(PathBuildTest, CloneIsIndependent) {
  GraphicsPath path(FillModeWinding);
  path.AddRectangle(RectF(0, 0, 2, 2));
  std::unique_ptr<GraphicsPath> copy(path.Clone());
  path.Reset();
  EXPECT_EQ(path.GetPointCount(), 0);
  EXPECT_EQ(path.GetFillMode(), FillModeAlternate);
  EXPECT_EQ(copy->GetPointCount(), 4);
  EXPECT_EQ(copy->GetFillMode(), FillModeWinding);
}

TEST(PathBuildTest, MarkersAndLastPoint) {
  GraphicsPath path;
  path.AddLine(0, 0, 3, 4);
  path.SetMarker();
  EXPECT_EQ(path.Types().back(), PathPointTypeLine | PathPointTypePathMarker);
  path.ClearMarkers();
  EXPECT_EQ(path.Types().back(), PathPointTypeLine);
  PointF last;
  ASSERT_EQ(path.GetLastPoint(&last), Ok);
  ExpectPoint(last, 3, 4);
}
