#include <cmath>

#include "GraphicsPath.h"
#include "Matrix.h"
#include "WarpMap.h"

namespace Gdiplus {

Status GraphicsPath::Warp(const PointF* destPoints, INT count, const RectF& srcRect,
                          const Matrix* matrix, WarpMode warpMode, REAL flatness) {
  const FillMode fillMode = fillMode_;
  WarpMap map;
  // GDI+ itself turns an empty source rectangle into NaN points; an empty
  // path keeps them from reaching anything that draws.
  if (!WarpMap::Make(destPoints, count, srcRect, warpMode, &map) || !std::isfinite(flatness)) {
    Reset();
    fillMode_ = fillMode;
    return SetStatus(InvalidParameter);
  }
  if (points_.empty()) return Ok;
  if (matrix != nullptr) {
    const Status status = Transform(matrix);
    if (status != Ok) {
      Reset();
      fillMode_ = fillMode;
      return status;
    }
  }
  Flatten(nullptr, flatness);
  for (PointF& p : points_) {
    if (!map.Apply(p, &p)) {
      Reset();
      fillMode_ = fillMode;
      return SetStatus(ValueOverflow);
    }
  }
  return Ok;
}

}  // namespace Gdiplus
