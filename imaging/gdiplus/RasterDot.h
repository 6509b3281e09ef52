// The outline of a small ellipse in AGG's subpixel coordinates, made as the
// fill of RasterPath::AddEllipse would see it but without the path: dots
// are drawn by the thousand, and for them building the path costs more than
// filling it.
#pragma once

namespace Gdiplus {

struct SubpixelPoint {
  int x, y;
};

// Four quarters of at most 16 steps, and the starting point.
constexpr int kMaxDotPoints = 4 * 16 + 1;

// Writes ToSubpixel (RasterSubpixel.h) of each point that
// RasterPath::AddEllipse would append for the ellipse at the given
// flatness, in its order, and returns their count; 0 when there would be
// more than kMaxDotPoints. The rectangle must lie in (-0.5, 65536) on both
// axes.
//
// With shiftable, also tells whether the outline, moved by whole pixels, is
// the outline of every rectangle of this size at whole x and y: whenever
// the size is a whole number of subpixels, so that the axis points are
// exact, and no other point nor the step count was near a rounding
// decision, which moving could then tip.
int FlattenDot(double x, double y, double width, double height, double flatness,
               SubpixelPoint* points, bool* shiftable = nullptr);

}  // namespace Gdiplus
