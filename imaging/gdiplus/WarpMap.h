// The maps GraphicsPath::Warp applies: a source rectangle onto a
// quadrilateral given as upper-left, upper-right, lower-left, lower-right.
#pragma once

#include "GdiplusTypes.h"

namespace Gdiplus {

class WarpMap {
 public:
  // false when the arguments define no usable map: a count other than 3 or 4,
  // an unknown mode, a source rectangle of zero width or height, non-finite
  // values or (perspective) a degenerate quadrilateral. With 3 points the
  // lower-right corner completes a parallelogram.
  static bool Make(const PointF* destPoints, int count, const RectF& srcRect, WarpMode mode,
                   WarpMap* out);

  // false when the point has no finite image (it lies on the perspective
  // map's line at infinity, or the image overflows a float).
  bool Apply(const PointF& point, PointF* out) const;

 private:
  double x0_ = 0, y0_ = 0, width_ = 1, height_ = 1;
  WarpMode mode_ = WarpModePerspective;
  // Perspective: x = (a·u + b·v + c) / (g·u + h·v + 1), y likewise with d, e, f.
  double a_ = 1, b_ = 0, c_ = 0, d_ = 0, e_ = 1, f_ = 0, g_ = 0, h_ = 0;
  // Bilinear: the four corners.
  double px_[4] = {}, py_[4] = {};
};

}  // namespace Gdiplus
