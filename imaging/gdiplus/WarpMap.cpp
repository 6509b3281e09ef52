#include "WarpMap.h"

#include <cmath>

namespace Gdiplus {

bool WarpMap::Make(const PointF* destPoints, int count, const RectF& srcRect, WarpMode mode,
                   WarpMap* out) {
  if (destPoints == nullptr || out == nullptr || (count != 3 && count != 4)) return false;
  if (mode != WarpModePerspective && mode != WarpModeBilinear) return false;
  if (!std::isfinite(srcRect.X) || !std::isfinite(srcRect.Y) || !std::isfinite(srcRect.Width) ||
      !std::isfinite(srcRect.Height) || srcRect.Width == 0 || srcRect.Height == 0) {
    return false;
  }
  WarpMap map;
  for (int i = 0; i < count; ++i) {
    if (!std::isfinite(destPoints[i].X) || !std::isfinite(destPoints[i].Y)) return false;
    map.px_[i] = destPoints[i].X;
    map.py_[i] = destPoints[i].Y;
  }
  if (count == 3) {
    map.px_[3] = map.px_[1] + map.px_[2] - map.px_[0];
    map.py_[3] = map.py_[1] + map.py_[2] - map.py_[0];
  }
  map.x0_ = srcRect.X;
  map.y0_ = srcRect.Y;
  map.width_ = srcRect.Width;
  map.height_ = srcRect.Height;
  map.mode_ = mode;
  if (mode == WarpModePerspective) {
    // The projective map of the unit square onto the quadrilateral (Heckbert,
    // "Fundamentals of Texture Mapping and Image Warping", 1989), corners taken
    // round the square: (0,0), (1,0), (1,1), (0,1).
    const double x0 = map.px_[0], y0 = map.py_[0], x1 = map.px_[1], y1 = map.py_[1];
    const double x2 = map.px_[3], y2 = map.py_[3], x3 = map.px_[2], y3 = map.py_[2];
    const double sx = x0 - x1 + x2 - x3, sy = y0 - y1 + y2 - y3;
    if (sx == 0 && sy == 0) {
      map.a_ = x1 - x0;
      map.b_ = x3 - x0;
      map.d_ = y1 - y0;
      map.e_ = y3 - y0;
      map.g_ = map.h_ = 0;
    } else {
      const double dx1 = x1 - x2, dx2 = x3 - x2, dy1 = y1 - y2, dy2 = y3 - y2;
      const double den = dx1 * dy2 - dx2 * dy1;
      if (den == 0) return false;
      map.g_ = (sx * dy2 - sy * dx2) / den;
      map.h_ = (dx1 * sy - dy1 * sx) / den;
      map.a_ = x1 - x0 + map.g_ * x1;
      map.b_ = x3 - x0 + map.h_ * x3;
      map.d_ = y1 - y0 + map.g_ * y1;
      map.e_ = y3 - y0 + map.h_ * y3;
    }
    map.c_ = x0;
    map.f_ = y0;
    if (!std::isfinite(map.a_ + map.b_ + map.d_ + map.e_ + map.g_ + map.h_)) return false;
  }
  *out = map;
  return true;
}

bool WarpMap::Apply(const PointF& point, PointF* out) const {
  const double u = (point.X - x0_) / width_;
  const double v = (point.Y - y0_) / height_;
  double x, y;
  if (mode_ == WarpModePerspective) {
    const double w = g_ * u + h_ * v + 1.0;
    if (w == 0) return false;
    x = (a_ * u + b_ * v + c_) / w;
    y = (d_ * u + e_ * v + f_) / w;
  } else {
    const double k0 = (1 - u) * (1 - v), k1 = u * (1 - v), k2 = (1 - u) * v, k3 = u * v;
    x = k0 * px_[0] + k1 * px_[1] + k2 * px_[2] + k3 * px_[3];
    y = k0 * py_[0] + k1 * py_[1] + k2 * py_[2] + k3 * py_[3];
  }
  const PointF result(static_cast<REAL>(x), static_cast<REAL>(y));
  if (!std::isfinite(result.X) || !std::isfinite(result.Y)) return false;
  *out = result;
  return true;
}

}  // namespace Gdiplus
