// One-pixel-wide aliased lines: one pixel per step along the major axis,
// at the pixel whose centre lies nearest the line, as GDI+ draws pens of
// width 1 and less without anti-aliasing.
#pragma once

#include "RasterPath.h"

namespace Gdiplus {

class RenderTarget;

class ThinLineRasterizer {
 public:
  // Draws every figure of path (closed ones back to their start). Shared
  // end points of consecutive segments are drawn once. With includeEnds
  // false, the pixel under the end of an open figure is left out, so that
  // a dash one pixel long lights one pixel.
  void Draw(const RasterPath& path, bool includeEnds, RenderTarget& target);

 private:
  void Segment(const RasterPoint& a, const RasterPoint& b, bool includeEnd, RenderTarget& target);
  void Plot(long long x, long long y, RenderTarget& target);

  long long lastX_ = 0, lastY_ = 0;
  bool hasLast_ = false;
};

}  // namespace Gdiplus
