#include "Flatten.h"

#include <algorithm>
#include <cmath>

#include "PathGeometry.h"

namespace Gdiplus {

int BezierSegmentCount(const PointF& p0, const PointF& p1, const PointF& p2, const PointF& p3,
                       REAL flatness) {
  const double ax = double(p0.X) - 2.0 * p1.X + p2.X, ay = double(p0.Y) - 2.0 * p1.Y + p2.Y;
  const double bx = double(p1.X) - 2.0 * p2.X + p3.X, by = double(p1.Y) - 2.0 * p2.Y + p3.Y;
  const double d = std::max(std::hypot(ax, ay), std::hypot(bx, by));
  const double tolerance = std::max(double(flatness), 1e-3);
  const double n = std::ceil(std::sqrt(0.75 * d / tolerance));
  if (!(n >= 1)) return 1;
  return int(std::min(n, double(kMaxSegmentsPerCurve)));
}

void FlattenPath(const std::vector<PointF>& points, const std::vector<BYTE>& types, REAL flatness,
                 std::vector<PointF>* outPoints, std::vector<BYTE>* outTypes) {
  outPoints->clear();
  outTypes->clear();
  const std::size_t count = std::min(points.size(), types.size());
  outPoints->reserve(count);
  outTypes->reserve(count);
  bool figureOpen = false;
  for (std::size_t i = 0; i < count; ++i) {
    const BYTE type = types[i];
    const BYTE flags = type & ~PathPointTypePathTypeMask & ~PathPointTypeDashMode;
    if (!figureOpen || BaseType(type) == PathPointTypeStart) {
      outPoints->push_back(points[i]);
      outTypes->push_back(PathPointTypeStart | (flags & PathPointTypePathMarker));
      figureOpen = true;
      if (IsClosing(type)) {
        outTypes->back() |= PathPointTypeCloseSubpath;
        figureOpen = false;
      }
      continue;
    }
    const bool fullBezier = BaseType(type) == PathPointTypeBezier && i + 2 < count &&
                            BaseType(types[i + 1]) == PathPointTypeBezier &&
                            BaseType(types[i + 2]) == PathPointTypeBezier;
    BYTE endFlags = flags;
    if (fullBezier) {
      const PointF p0 = points[i - 1], p1 = points[i], p2 = points[i + 1], p3 = points[i + 2];
      endFlags = types[i + 2] & ~PathPointTypePathTypeMask & ~PathPointTypeDashMode;
      const int n = BezierSegmentCount(p0, p1, p2, p3, flatness);
      for (int k = 1; k < n; ++k) {
        const double t = double(k) / n, u = 1.0 - t;
        const double b0 = u * u * u, b1 = 3 * u * u * t, b2 = 3 * u * t * t, b3 = t * t * t;
        outPoints->emplace_back(REAL(b0 * p0.X + b1 * p1.X + b2 * p2.X + b3 * p3.X),
                                REAL(b0 * p0.Y + b1 * p1.Y + b2 * p2.Y + b3 * p3.Y));
        outTypes->push_back(PathPointTypeLine);
      }
      outPoints->push_back(p3);
      i += 2;
    } else {
      outPoints->push_back(points[i]);
    }
    outTypes->push_back(PathPointTypeLine | endFlags);
    if (IsClosing(endFlags)) figureOpen = false;
  }
}

}  // namespace Gdiplus
