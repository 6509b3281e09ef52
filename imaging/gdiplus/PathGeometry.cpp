#include "PathGeometry.h"

#include <algorithm>

namespace Gdiplus {

RectF BoundsOf(const PointF* points, std::size_t count) {
  if (count == 0) return RectF();
  REAL minX = points[0].X, maxX = points[0].X, minY = points[0].Y, maxY = points[0].Y;
  for (std::size_t i = 1; i < count; ++i) {
    minX = std::min(minX, points[i].X);
    maxX = std::max(maxX, points[i].X);
    minY = std::min(minY, points[i].Y);
    maxY = std::max(maxY, points[i].Y);
  }
  return RectF(minX, minY, maxX - minX, maxY - minY);
}

}  // namespace Gdiplus
