// Aliased scan conversion for regions and clips: pixel (i, j) belongs to the
// result when the point (i, j) lies inside the figures under the fill mode,
// left and top edges inclusive, right and bottom exclusive.
#pragma once

#include <vector>

#include "GdiplusTypes.h"

namespace Gdiplus {

class RegionMask;

// The bounds of GDI+'s infinite region; scan conversion clips to them.
constexpr INT kInfiniteRegionMin = -4194304;
constexpr INT kInfiniteRegionSize = 8388608;

// Scan-converts flattened figures (start and line points; each figure
// implicitly closed) into out, replacing its content.
void ScanConvert(const std::vector<PointF>& points, const std::vector<BYTE>& types,
                 FillMode fillMode, RegionMask* out);

}  // namespace Gdiplus
