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
int FlattenDot(double x, double y, double width, double height, double flatness,
               SubpixelPoint* points);

// A dot of one or two steps per quarter is known by the values its outline
// takes on each axis: the low axis point, the step point below the middle,
// the middle, the step point above it, and the high axis point (with one
// step, the step points are 0 and unused).
struct DotAxes {
  int steps;
  int x[5], y[5];
};

// The axis values of FlattenDotSteps' outline; false when steps is not 1 or
// 2, or a step point lies too near a rounding tie to be sure of.
bool DotAxesOf(double x, double y, double width, double height, int steps, DotAxes* axes);

// FlattenDot for an ellipse known to take the given steps per quarter, as
// RasterPath::EllipseSteps counts them.
int FlattenDotSteps(double x, double y, double width, double height, double flatness, int steps,
                    SubpixelPoint* points);

// The steps per quarter of every ellipse of this size whose rectangle lies
// in (-0.5, 65536) on both axes, or 0 when the count could differ between
// positions by rounding, or the size is below a subpixel.
int SureEllipseSteps(double width, double height, double flatness);

// Whether FlattenDot's outline for this rectangle, moved by whole pixels, is
// its outline for every rectangle of this size at whole x and y: true when
// x and y are whole, the size is a whole number of subpixels, so that the
// axis points are exact, and neither the step count nor any other point
// sat near a rounding decision that moving could tip.
bool DotShiftable(double x, double y, double width, double height, double flatness);

}  // namespace Gdiplus
