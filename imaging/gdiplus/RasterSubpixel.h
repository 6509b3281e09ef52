// AGG's subpixel coordinates, for the rasterisers that repeat its cell
// arithmetic: 1/256 pixel, with pixel (i, j) centred on (i + 0.5, j + 0.5).
// Only for .cpp files, which see AGG's headers.
#pragma once

#include <agg_basics.h>

namespace Gdiplus {

constexpr int kSubpixelShift = agg::poly_subpixel_shift;
constexpr int kSubpixelScale = agg::poly_subpixel_scale;
constexpr int kSubpixelMask = agg::poly_subpixel_mask;

// The subpixel AGG's rasterisers make of device coordinate v.
inline int ToSubpixel(double v) {
  return agg::iround((v + 0.5) * double(kSubpixelScale));
}

}  // namespace Gdiplus
