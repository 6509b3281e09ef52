#include "Matrix.h"

#include <cmath>
#include <initializer_list>
#include <numbers>

namespace Gdiplus {
namespace {

bool AllFinite(std::initializer_list<REAL> values) {
  for (REAL v : values) {
    if (!std::isfinite(v)) return false;
  }
  return true;
}

// GDI+ rounds integer points to the nearest integer; out-of-range values
// saturate instead of overflowing.
INT RoundToInt(REAL v) {
  const double r = std::floor(double(v) + 0.5);
  if (!(r > -2147483648.0)) return INT(-2147483647 - 1);
  if (r > 2147483647.0) return 2147483647;
  return INT(r);
}

}  // namespace

Matrix::Matrix(REAL m11, REAL m12, REAL m21, REAL m22, REAL dx, REAL dy) {
  SetElements(m11, m12, m21, m22, dx, dy);
}

Matrix* Matrix::Clone() const {
  return new Matrix(m11_, m12_, m21_, m22_, dx_, dy_);
}

Status Matrix::SetStatus(Status status) const {
  if (status != Ok) lastResult_ = status;
  return status;
}

Status Matrix::GetLastStatus() const {
  Status status = lastResult_;
  lastResult_ = Ok;
  return status;
}

Status Matrix::SetElements(REAL m11, REAL m12, REAL m21, REAL m22, REAL dx, REAL dy) {
  // Non-finite elements would only ever produce non-finite points.
  if (!AllFinite({m11, m12, m21, m22, dx, dy})) return SetStatus(InvalidParameter);
  m11_ = m11;
  m12_ = m12;
  m21_ = m21;
  m22_ = m22;
  dx_ = dx;
  dy_ = dy;
  return Ok;
}

Status Matrix::GetElements(REAL* m) const {
  if (m == nullptr) return SetStatus(InvalidParameter);
  m[0] = m11_;
  m[1] = m12_;
  m[2] = m21_;
  m[3] = m22_;
  m[4] = dx_;
  m[5] = dy_;
  return Ok;
}

Status Matrix::Reset() {
  return SetElements(1, 0, 0, 1, 0, 0);
}

bool Matrix::Assign(const Matrix& a, const Matrix& b) {
  // Products in double so that chains of operations lose no more than the
  // float storage must.
  const double m11 = double(a.m11_) * b.m11_ + double(a.m12_) * b.m21_;
  const double m12 = double(a.m11_) * b.m12_ + double(a.m12_) * b.m22_;
  const double m21 = double(a.m21_) * b.m11_ + double(a.m22_) * b.m21_;
  const double m22 = double(a.m21_) * b.m12_ + double(a.m22_) * b.m22_;
  const double dx = double(a.dx_) * b.m11_ + double(a.dy_) * b.m21_ + b.dx_;
  const double dy = double(a.dx_) * b.m12_ + double(a.dy_) * b.m22_ + b.dy_;
  const REAL e[6] = {REAL(m11), REAL(m12), REAL(m21), REAL(m22), REAL(dx), REAL(dy)};
  if (!AllFinite({e[0], e[1], e[2], e[3], e[4], e[5]})) return false;
  m11_ = e[0];
  m12_ = e[1];
  m21_ = e[2];
  m22_ = e[3];
  dx_ = e[4];
  dy_ = e[5];
  return true;
}

Status Matrix::Multiply(const Matrix* matrix, MatrixOrder order) {
  if (matrix == nullptr) return SetStatus(InvalidParameter);
  if (order != MatrixOrderPrepend && order != MatrixOrderAppend) {
    return SetStatus(InvalidParameter);
  }
  const Matrix self = *this;
  const Matrix other = *matrix;
  const bool ok = order == MatrixOrderPrepend ? Assign(other, self) : Assign(self, other);
  return ok ? Ok : SetStatus(ValueOverflow);
}

Status Matrix::Translate(REAL offsetX, REAL offsetY, MatrixOrder order) {
  const Matrix t(1, 0, 0, 1, offsetX, offsetY);
  if (t.lastResult_ != Ok) return SetStatus(InvalidParameter);
  return Multiply(&t, order);
}

Status Matrix::Scale(REAL scaleX, REAL scaleY, MatrixOrder order) {
  const Matrix s(scaleX, 0, 0, scaleY, 0, 0);
  if (s.lastResult_ != Ok) return SetStatus(InvalidParameter);
  return Multiply(&s, order);
}

Status Matrix::Rotate(REAL angle, MatrixOrder order) {
  if (!std::isfinite(angle)) return SetStatus(InvalidParameter);
  const double radians = std::fmod(double(angle), 360.0) * std::numbers::pi / 180.0;
  const REAL c = REAL(std::cos(radians));
  const REAL s = REAL(std::sin(radians));
  const Matrix r(c, s, -s, c, 0, 0);
  return Multiply(&r, order);
}

Status Matrix::RotateAt(REAL angle, const PointF& center, MatrixOrder order) {
  if (order != MatrixOrderPrepend && order != MatrixOrderAppend) {
    return SetStatus(InvalidParameter);
  }
  // Each step prepends, so the move to the origin comes first.
  Matrix about;
  about.Translate(center.X, center.Y);
  about.Rotate(angle);
  about.Translate(-center.X, -center.Y);
  const Status status = about.GetLastStatus();
  if (status != Ok) return SetStatus(status);
  return Multiply(&about, order);
}

Status Matrix::Shear(REAL shearX, REAL shearY, MatrixOrder order) {
  const Matrix s(1, shearY, shearX, 1, 0, 0);
  if (s.lastResult_ != Ok) return SetStatus(InvalidParameter);
  return Multiply(&s, order);
}

Status Matrix::Invert() {
  const double det = double(m11_) * m22_ - double(m12_) * m21_;
  if (det == 0 || !std::isfinite(det)) return SetStatus(InvalidParameter);
  const double i11 = m22_ / det;
  const double i12 = -m12_ / det;
  const double i21 = -m21_ / det;
  const double i22 = m11_ / det;
  const double idx = -(dx_ * i11 + dy_ * i21);
  const double idy = -(dx_ * i12 + dy_ * i22);
  if (!AllFinite({REAL(i11), REAL(i12), REAL(i21), REAL(i22), REAL(idx), REAL(idy)})) {
    return SetStatus(InvalidParameter);
  }
  return SetElements(REAL(i11), REAL(i12), REAL(i21), REAL(i22), REAL(idx), REAL(idy));
}

Status Matrix::TransformPoints(PointF* points, INT count) const {
  if (points == nullptr || count <= 0) return SetStatus(InvalidParameter);
  for (INT i = 0; i < count; ++i) points[i] = Apply(points[i]);
  return Ok;
}

Status Matrix::TransformPoints(Point* points, INT count) const {
  if (points == nullptr || count <= 0) return SetStatus(InvalidParameter);
  for (INT i = 0; i < count; ++i) {
    const PointF p = Apply(PointF(REAL(points[i].X), REAL(points[i].Y)));
    // GDI+ rounds to the nearest integer here.
    points[i] = Point(RoundToInt(p.X), RoundToInt(p.Y));
  }
  return Ok;
}

Status Matrix::TransformVectors(PointF* points, INT count) const {
  if (points == nullptr || count <= 0) return SetStatus(InvalidParameter);
  for (INT i = 0; i < count; ++i) {
    const PointF v = points[i];
    points[i] = PointF(v.X * m11_ + v.Y * m21_, v.X * m12_ + v.Y * m22_);
  }
  return Ok;
}

bool Matrix::IsIdentity() const {
  return m11_ == 1 && m12_ == 0 && m21_ == 0 && m22_ == 1 && dx_ == 0 && dy_ == 0;
}

bool Matrix::IsInvertible() const {
  const double det = double(m11_) * m22_ - double(m12_) * m21_;
  return det != 0 && std::isfinite(det);
}

bool Matrix::Equals(const Matrix* matrix) const {
  return matrix != nullptr && m11_ == matrix->m11_ && m12_ == matrix->m12_ &&
         m21_ == matrix->m21_ && m22_ == matrix->m22_ && dx_ == matrix->dx_ && dy_ == matrix->dy_;
}

}  // namespace Gdiplus
