#include <gtest/gtest.h>

#include <cmath>

#include "GraphicsPath.h"
#include "Matrix.h"

using namespace Gdiplus;

namespace {

const PointF kQuad[4] = {PointF(10, 10), PointF(90, 20), PointF(0, 110), PointF(120, 100)};

// The path of the square's corners and its centre and upper-edge midpoint.
GraphicsPath Probe() {
  GraphicsPath path;
  path.AddRectangle(RectF(0, 0, 100, 100));
  path.AddLine(50, 50, 50, 0);
  return path;
}

PointF Intersect(PointF a, PointF b, PointF c, PointF d) {
  const double den = double(a.X - b.X) * (c.Y - d.Y) - double(a.Y - b.Y) * (c.X - d.X);
  const double t = (double(a.X - c.X) * (c.Y - d.Y) - double(a.Y - c.Y) * (c.X - d.X)) / den;
  return PointF(REAL(a.X + t * (b.X - a.X)), REAL(a.Y + t * (b.Y - a.Y)));
}

}  // namespace

TEST(PathWarpTest, PerspectiveSendsCornersToTheQuadrilateral) {
  GraphicsPath path = Probe();
  ASSERT_EQ(path.Warp(kQuad, 4, RectF(0, 0, 100, 100)), Ok);
  const auto& p = path.Points();
  ASSERT_EQ(p.size(), 6u);
  // Rectangle order: upper-left, upper-right, lower-right, lower-left.
  EXPECT_NEAR(p[0].X, 10, 1e-4);
  EXPECT_NEAR(p[0].Y, 10, 1e-4);
  EXPECT_NEAR(p[1].X, 90, 1e-4);
  EXPECT_NEAR(p[1].Y, 20, 1e-4);
  EXPECT_NEAR(p[2].X, 120, 1e-4);
  EXPECT_NEAR(p[2].Y, 100, 1e-4);
  EXPECT_NEAR(p[3].X, 0, 1e-4);
  EXPECT_NEAR(p[3].Y, 110, 1e-4);
  // A projective map keeps incidence: the centre goes to where the diagonals cross.
  const PointF centre = Intersect(kQuad[0], kQuad[3], kQuad[1], kQuad[2]);
  EXPECT_NEAR(p[4].X, centre.X, 1e-3);
  EXPECT_NEAR(p[4].Y, centre.Y, 1e-3);
  EXPECT_EQ(path.Types(), (std::vector<BYTE>{0, 1, 1, 0x81, 0, 1}));
}

TEST(PathWarpTest, BilinearBlendsTheCorners) {
  GraphicsPath path = Probe();
  ASSERT_EQ(path.Warp(kQuad, 4, RectF(0, 0, 100, 100), nullptr, WarpModeBilinear), Ok);
  const auto& p = path.Points();
  EXPECT_NEAR(p[2].X, 120, 1e-4);
  EXPECT_NEAR(p[2].Y, 100, 1e-4);
  // Centre: the mean of the corners; upper midpoint: the middle of the upper edge.
  EXPECT_NEAR(p[4].X, (10 + 90 + 0 + 120) / 4.0, 1e-4);
  EXPECT_NEAR(p[4].Y, (10 + 20 + 110 + 100) / 4.0, 1e-4);
  EXPECT_NEAR(p[5].X, 50, 1e-4);
  EXPECT_NEAR(p[5].Y, 15, 1e-4);
}

TEST(PathWarpTest, ThreePointsMakeAParallelogram) {
  GraphicsPath path;
  path.AddRectangle(RectF(10, 10, 20, 10));
  const PointF dest[3] = {PointF(0, 0), PointF(40, 10), PointF(5, 30)};
  ASSERT_EQ(path.Warp(dest, 3, RectF(10, 10, 20, 10)), Ok);
  const auto& p = path.Points();
  EXPECT_NEAR(p[2].X, 45, 1e-4);
  EXPECT_NEAR(p[2].Y, 40, 1e-4);
}

TEST(PathWarpTest, SourceRectangleIsMeasuredFromItsCorner) {
  GraphicsPath path;
  path.AddLine(50, 60, 60, 60);
  const PointF dest[4] = {PointF(0, 0), PointF(10, 0), PointF(0, 10), PointF(10, 10)};
  ASSERT_EQ(path.Warp(dest, 4, RectF(50, 60, 20, 20)), Ok);
  EXPECT_NEAR(path.Points()[0].X, 0, 1e-5);
  EXPECT_NEAR(path.Points()[1].X, 5, 1e-5);
}

TEST(PathWarpTest, CurvesAreFlattenedFirst) {
  GraphicsPath path;
  path.AddEllipse(0, 0, 100, 100);
  ASSERT_EQ(path.Warp(kQuad, 4, RectF(0, 0, 100, 100)), Ok);
  EXPECT_GT(path.GetPointCount(), 13);
  for (BYTE type : path.Types()) EXPECT_NE(type & PathPointTypePathTypeMask, 3);
}

TEST(PathWarpTest, EmptySourceRectangleEmptiesThePath) {
  GraphicsPath path(FillModeWinding);
  path.AddRectangle(RectF(0, 0, 10, 10));
  EXPECT_EQ(path.Warp(kQuad, 4, RectF(0, 0, 0, 10)), InvalidParameter);
  EXPECT_EQ(path.GetPointCount(), 0);
  EXPECT_EQ(path.GetFillMode(), FillModeWinding);
}

TEST(PathWarpTest, BadCountOrModeEmptiesThePath) {
  GraphicsPath path;
  path.AddRectangle(RectF(0, 0, 10, 10));
  EXPECT_EQ(path.Warp(kQuad, 2, RectF(0, 0, 10, 10)), InvalidParameter);
  EXPECT_EQ(path.GetPointCount(), 0);
  path.AddRectangle(RectF(0, 0, 10, 10));
  EXPECT_EQ(path.Warp(kQuad, 4, RectF(0, 0, 10, 10), nullptr, WarpMode(7)), InvalidParameter);
  EXPECT_EQ(path.GetPointCount(), 0);
}

TEST(PathWarpTest, MatrixAppliesBeforeTheWarp) {
  GraphicsPath path;
  path.AddLine(0, 0, 5, 5);
  Matrix m;
  m.Scale(2, 2);
  const PointF dest[4] = {PointF(0, 0), PointF(1, 0), PointF(0, 1), PointF(1, 1)};
  ASSERT_EQ(path.Warp(dest, 4, RectF(0, 0, 10, 10), &m), Ok);
  EXPECT_NEAR(path.Points()[1].X, 1, 1e-5);
  EXPECT_NEAR(path.Points()[1].Y, 1, 1e-5);
}

TEST(PathWarpTest, FoldedQuadrilateralsNeverYieldNonFinitePoints) {
  // Bow-ties and collinear corners put the perspective map's line at infinity
  // across the source rectangle.
  const PointF quads[][4] = {
      {PointF(0, 0), PointF(100, 0), PointF(100, 100), PointF(0, 100)},
      {PointF(0, 0), PointF(0, 0), PointF(0, 0), PointF(0, 0)},
      {PointF(0, 0), PointF(50, 0), PointF(100, 0), PointF(150, 0)},
      {PointF(100, 0), PointF(0, 0), PointF(0, 100), PointF(100, 100)},
  };
  for (const auto& quad : quads) {
    GraphicsPath path;
    for (int i = 0; i <= 10; ++i) path.AddLine(REAL(i * 10), 0, REAL(i * 10), 100);
    path.AddEllipse(0, 0, 100, 100);
    const Status status = path.Warp(quad, 4, RectF(0, 0, 100, 100));
    for (const PointF& p : path.Points()) {
      EXPECT_TRUE(std::isfinite(p.X) && std::isfinite(p.Y));
    }
    if (status != Ok) {
      EXPECT_EQ(path.GetPointCount(), 0);
    }
  }
}
