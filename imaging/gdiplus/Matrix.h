// A 3x2 affine matrix with GDI+'s conventions: points are row vectors, so a
// point (x, y) maps to (x·m11 + y·m21 + dx, x·m12 + y·m22 + dy), and
// MatrixOrderPrepend applies a new operation before the existing ones.
#pragma once

#include "GdiplusTypes.h"

namespace Gdiplus {

class Matrix {
 public:
  // The identity.
  Matrix() = default;
  Matrix(REAL m11, REAL m12, REAL m21, REAL m22, REAL dx, REAL dy);

  // A copy owned by the caller.
  Matrix* Clone() const;

  Status SetElements(REAL m11, REAL m12, REAL m21, REAL m22, REAL dx, REAL dy);
  // Writes m11, m12, m21, m22, dx, dy into m[0..5].
  Status GetElements(REAL* m) const;
  Status Reset();

  Status Translate(REAL offsetX, REAL offsetY, MatrixOrder order = MatrixOrderPrepend);
  Status Scale(REAL scaleX, REAL scaleY, MatrixOrder order = MatrixOrderPrepend);
  // Angle in degrees, clockwise on a y-down surface.
  Status Rotate(REAL angle, MatrixOrder order = MatrixOrderPrepend);
  // The rotation about center (a move of center to the origin, the turn and
  // the move back), composed with the matrix in the given order. On failure
  // the matrix is left as it was.
  Status RotateAt(REAL angle, const PointF& center, MatrixOrder order = MatrixOrderPrepend);
  Status Shear(REAL shearX, REAL shearY, MatrixOrder order = MatrixOrderPrepend);
  Status Multiply(const Matrix* matrix, MatrixOrder order = MatrixOrderPrepend);
  // Fails with InvalidParameter, leaving the matrix unchanged, when singular.
  Status Invert();

  Status TransformPoints(PointF* points, INT count = 1) const;
  Status TransformPoints(Point* points, INT count = 1) const;
  // Applies the linear part only (no translation).
  Status TransformVectors(PointF* points, INT count = 1) const;

  bool IsIdentity() const;
  bool IsInvertible() const;
  bool Equals(const Matrix* matrix) const;
  REAL OffsetX() const { return dx_; }
  REAL OffsetY() const { return dy_; }

  // Like GDI+, returns the status of the last failed call and clears it.
  Status GetLastStatus() const;

  // Allocation-free single-point form for the rasterising code.
  PointF Apply(const PointF& point) const {
    return PointF(point.X * m11_ + point.Y * m21_ + dx_, point.X * m12_ + point.Y * m22_ + dy_);
  }

 private:
  Status SetStatus(Status status) const;
  // this = first · second in row-vector order (first applied first); false,
  // leaving this unchanged, when an element would not be finite.
  bool Assign(const Matrix& first, const Matrix& second);

  REAL m11_ = 1, m12_ = 0, m21_ = 0, m22_ = 1, dx_ = 0, dy_ = 0;
  mutable Status lastResult_ = Ok;
};

}  // namespace Gdiplus
