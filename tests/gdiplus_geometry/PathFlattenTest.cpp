#include <gtest/gtest.h>

#include <cmath>

#include "GraphicsPath.h"
#include "Matrix.h"

using namespace Gdiplus;

namespace {

// Largest distance from the centre of a circle of the given radius to the
// chord midpoints of a flattened figure, and the smallest.
void ChordMidpointRadii(const GraphicsPath& path, REAL cx, REAL cy, double* lowest,
                        double* highest) {
  const auto& p = path.Points();
  *lowest = 1e9;
  *highest = 0;
  for (std::size_t i = 0; i < p.size(); ++i) {
    const PointF a = p[i], b = p[(i + 1) % p.size()];
    const double r = std::hypot((a.X + b.X) / 2.0 - cx, (a.Y + b.Y) / 2.0 - cy);
    *lowest = std::min(*lowest, r);
    *highest = std::max(*highest, r);
  }
}

}  // namespace

TEST(PathFlattenTest, CircleStaysWithinFlatness) {
  GraphicsPath path;
  path.AddEllipse(0, 0, 100, 100);
  ASSERT_EQ(path.Flatten(nullptr, 0.25f), Ok);
  const auto& types = path.Types();
  ASSERT_GT(types.size(), 8u);
  EXPECT_EQ(types.front(), PathPointTypeStart);
  EXPECT_EQ(types.back(), 0x81);
  for (std::size_t i = 1; i + 1 < types.size(); ++i) EXPECT_EQ(types[i], PathPointTypeLine);
  // The cubic circle itself strays from the true circle by under 0.03 % of
  // the radius; the chords may add the flatness.
  double lowest = 0, highest = 0;
  ChordMidpointRadii(path, 50, 50, &lowest, &highest);
  EXPECT_GT(lowest, 50 - 0.25 - 0.02);
  EXPECT_LT(highest, 50 + 0.02);
  for (const PointF& p : path.Points()) {
    EXPECT_NEAR(std::hypot(p.X - 50.0, p.Y - 50.0), 50.0, 0.02);
  }
  // A finer flatness takes more chords.
  GraphicsPath fine;
  fine.AddEllipse(0, 0, 100, 100);
  fine.Flatten(nullptr, 0.01f);
  EXPECT_GT(fine.GetPointCount(), 2 * path.GetPointCount());
  ChordMidpointRadii(fine, 50, 50, &lowest, &highest);
  EXPECT_GT(lowest, 50 - 0.01 - 0.02);
}

TEST(PathFlattenTest, LinesAreUntouched) {
  GraphicsPath path;
  path.AddRectangle(RectF(1, 1, 5, 5));
  path.AddLine(0, 0, 9, 9);
  const auto points = path.Points();
  const auto types = path.Types();
  ASSERT_EQ(path.Flatten(), Ok);
  EXPECT_EQ(path.Types(), types);
  ASSERT_EQ(path.GetPointCount(), int(points.size()));
  for (std::size_t i = 0; i < points.size(); ++i) EXPECT_TRUE(path.Points()[i].Equals(points[i]));
}

TEST(PathFlattenTest, MatrixAppliesBeforeFlattening) {
  GraphicsPath path;
  path.AddEllipse(0, 0, 10, 10);
  Matrix m;
  m.Scale(10, 10);
  ASSERT_EQ(path.Flatten(&m, 0.25f), Ok);
  double lowest = 0, highest = 0;
  ChordMidpointRadii(path, 50, 50, &lowest, &highest);
  // Flattened after scaling, so the chords hold the flatness at the large size.
  EXPECT_GT(lowest, 50 - 0.25 - 0.02);
}

TEST(PathFlattenTest, NonFiniteFlatnessIsRefused) {
  GraphicsPath path;
  path.AddEllipse(0, 0, 10, 10);
  EXPECT_EQ(path.Flatten(nullptr, std::nanf("")), InvalidParameter);
  EXPECT_EQ(path.GetPointCount(), 13);
}

TEST(PathFlattenTest, ZeroFlatnessStaysBounded) {
  GraphicsPath path;
  path.AddBezier(0, 0, 1e6f, 1e6f, -1e6f, 1e6f, 0, 0);
  ASSERT_EQ(path.Flatten(nullptr, 0), Ok);
  // At most 1024 segments per Bezier segment.
  EXPECT_LE(path.GetPointCount(), 1025);
}
