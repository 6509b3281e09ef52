#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>

#include "Matrix.h"

using namespace Gdiplus;

namespace {

PointF Map(const Matrix& m, PointF p) {
  m.TransformPoints(&p, 1);
  return p;
}

std::array<REAL, 6> Elements(const Matrix& m) {
  std::array<REAL, 6> e{};
  m.GetElements(e.data());
  return e;
}

}  // namespace

TEST(MatrixTest, ElementsMapRowVectors) {
  const Matrix m(1, 2, 3, 4, 5, 6);
  // x' = x·m11 + y·m21 + dx, y' = x·m12 + y·m22 + dy.
  const PointF p = Map(m, PointF(1, 1));
  EXPECT_EQ(p.X, 9);
  EXPECT_EQ(p.Y, 12);
  EXPECT_FALSE(m.IsIdentity());
  EXPECT_TRUE(Matrix().IsIdentity());
}

TEST(MatrixTest, PrependAppliesNewOperationFirst) {
  Matrix prepend;
  prepend.Scale(2, 2);
  prepend.Translate(10, 0, MatrixOrderPrepend);
  EXPECT_EQ(Map(prepend, PointF(0, 0)).X, 20);  // translate, then scale

  Matrix append;
  append.Scale(2, 2);
  append.Translate(10, 0, MatrixOrderAppend);
  EXPECT_EQ(Map(append, PointF(0, 0)).X, 10);  // scale, then translate
}

TEST(MatrixTest, RotateTurnsClockwiseOnScreen) {
  Matrix m;
  m.Rotate(90);
  const PointF p = Map(m, PointF(1, 0));
  EXPECT_NEAR(p.X, 0, 1e-6);
  EXPECT_NEAR(p.Y, 1, 1e-6);
}

TEST(MatrixTest, RotateAtKeepsCentreAndComposesInOrder) {
  // Prepended, the turn about (10, 20) happens before the existing scale.
  Matrix prepend;
  prepend.Scale(2, 2);
  prepend.RotateAt(90, PointF(10, 20));
  const PointF centre = Map(prepend, PointF(10, 20));
  EXPECT_NEAR(centre.X, 20, 1e-4);
  EXPECT_NEAR(centre.Y, 40, 1e-4);
  const PointF right = Map(prepend, PointF(11, 20));  // turns to (10, 21), then doubles
  EXPECT_NEAR(right.X, 20, 1e-4);
  EXPECT_NEAR(right.Y, 42, 1e-4);

  // Appended, it happens after: the scaled point is turned about (10, 20).
  Matrix append;
  append.Scale(2, 2);
  append.RotateAt(90, PointF(10, 20), MatrixOrderAppend);
  const PointF p = Map(append, PointF(6, 10));  // (12, 20) after the scale
  EXPECT_NEAR(p.X, 10, 1e-4);
  EXPECT_NEAR(p.Y, 22, 1e-4);

  Matrix refused;
  refused.Scale(3, 3);
  EXPECT_EQ(refused.RotateAt(30, PointF(std::numeric_limits<REAL>::quiet_NaN(), 0)),
            InvalidParameter);
  EXPECT_EQ(Elements(refused), (std::array<REAL, 6>{3, 0, 0, 3, 0, 0}));
}

TEST(MatrixTest, MultiplyMatchesSequentialTransforms) {
  Matrix a(1, 2, 3, 4, 5, 6);
  const Matrix b(0.5f, 0, 0, 2, -1, 3);
  const PointF viaSteps = Map(b, Map(a, PointF(2, -1)));
  a.Multiply(&b, MatrixOrderAppend);
  const PointF combined = Map(a, PointF(2, -1));
  EXPECT_FLOAT_EQ(combined.X, viaSteps.X);
  EXPECT_FLOAT_EQ(combined.Y, viaSteps.Y);
}

TEST(MatrixTest, InvertUndoes) {
  Matrix m(2, 1, -1, 3, 4, -5);
  Matrix inverse(2, 1, -1, 3, 4, -5);
  ASSERT_EQ(inverse.Invert(), Ok);
  const PointF p = Map(inverse, Map(m, PointF(7, -3)));
  EXPECT_NEAR(p.X, 7, 1e-5);
  EXPECT_NEAR(p.Y, -3, 1e-5);
}

TEST(MatrixTest, SingularInvertFailsAndKeepsElements) {
  Matrix m(1, 2, 2, 4, 1, 1);
  EXPECT_FALSE(m.IsInvertible());
  EXPECT_EQ(m.Invert(), InvalidParameter);
  EXPECT_EQ(Elements(m), (std::array<REAL, 6>{1, 2, 2, 4, 1, 1}));
  EXPECT_EQ(m.GetLastStatus(), InvalidParameter);
  EXPECT_EQ(m.GetLastStatus(), Ok);
}

TEST(MatrixTest, NonFiniteElementsAreRefused) {
  Matrix m;
  const REAL nan = std::numeric_limits<REAL>::quiet_NaN();
  EXPECT_EQ(m.SetElements(nan, 0, 0, 1, 0, 0), InvalidParameter);
  EXPECT_EQ(m.Translate(std::numeric_limits<REAL>::infinity(), 0), InvalidParameter);
  EXPECT_EQ(m.Rotate(nan), InvalidParameter);
  EXPECT_TRUE(m.IsIdentity());
}

TEST(MatrixTest, OverflowingProductIsRefused) {
  Matrix m;
  m.Scale(1e30f, 1e30f);
  EXPECT_EQ(m.Scale(1e30f, 1e30f), ValueOverflow);
  EXPECT_EQ(Elements(m)[0], 1e30f);
}

TEST(MatrixTest, ResetAndShear) {
  Matrix m(3, 0, 0, 3, 1, 1);
  m.Reset();
  EXPECT_TRUE(m.IsIdentity());
  m.Shear(2, 0);
  const PointF p = Map(m, PointF(1, 1));
  EXPECT_EQ(p.X, 3);
  EXPECT_EQ(p.Y, 1);
}

TEST(MatrixTest, IntegerPointsRound) {
  Matrix m;
  m.Translate(0.5f, -0.4f);
  Point p(1, 1);
  m.TransformPoints(&p, 1);
  EXPECT_EQ(p.X, 2);
  EXPECT_EQ(p.Y, 1);
}
