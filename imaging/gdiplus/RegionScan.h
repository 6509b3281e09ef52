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

// Most edge crossings one scan conversion may visit (each active edge on
// each row it is evaluated for). It bounds time and, since every span takes
// two crossings, the rectangles produced; it is far beyond what a picture's
// text needs even on the largest bitmaps.
constexpr long long kMaxScanWork = 1LL << 25;

// Scan-converts flattened figures (start and line points; each figure
// implicitly closed) into out, replacing its content. Returns false, with out
// empty, when the work would exceed kMaxScanWork.
bool ScanConvert(const std::vector<PointF>& points, const std::vector<BYTE>& types,
                 FillMode fillMode, RegionMask* out);

}  // namespace Gdiplus
