// The 8x8 cells of GDI+'s 53 hatch styles.
#pragma once

#include <cstdint>

#include "GdiplusTypes.h"

namespace Gdiplus {

// Row r of the cell of style s is kHatchRows[s][r], top row first; bit 0x80
// is the leftmost pixel and a set bit takes the foreground colour.
extern const std::uint8_t kHatchRows[HatchStyleTotal][8];

// The diagonal styles GDI+ draws with softened edges, whatever the
// smoothing mode.
constexpr bool HatchIsAntiAliased(HatchStyle style) {
  return style == HatchStyleForwardDiagonal || style == HatchStyleBackwardDiagonal ||
         style == HatchStyleDiagonalCross;
}

}  // namespace Gdiplus
