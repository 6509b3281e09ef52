// Small helpers shared by the path, region and widening code.
#pragma once

#include <cmath>
#include <vector>

#include "GdiplusTypes.h"

namespace Gdiplus {

inline bool IsFinitePoint(const PointF& p) {
  return std::isfinite(p.X) && std::isfinite(p.Y);
}

inline bool AllFinite(const std::vector<PointF>& points) {
  for (const PointF& p : points) {
    if (!IsFinitePoint(p)) return false;
  }
  return true;
}

inline BYTE BaseType(BYTE type) {
  return type & PathPointTypePathTypeMask;
}
inline bool IsClosing(BYTE type) {
  return (type & PathPointTypeCloseSubpath) != 0;
}

// The box of the points; (0, 0, 0, 0) when there are none.
RectF BoundsOf(const PointF* points, std::size_t count);

}  // namespace Gdiplus
