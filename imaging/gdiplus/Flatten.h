// Turns cubic Bezier segments into line segments.
#pragma once

#include <vector>

#include "GdiplusTypes.h"

namespace Gdiplus {

// Most line segments one Bezier segment may become, bounding the output of
// tiny flatness values and huge curves.
constexpr int kMaxSegmentsPerCurve = 1024;

// Number of equal parameter steps that keep the chords of the cubic within
// flatness of the curve: with second differences d1, d2 the curve's second
// derivative is at most 6·max|d|, and a chord over a parameter step h strays
// at most h²/8 of that.
int BezierSegmentCount(const PointF& p0, const PointF& p1, const PointF& p2, const PointF& p3,
                       REAL flatness);

// Writes the path with every Bezier segment replaced by lines deviating at
// most flatness from it. Figure starts, close and marker flags are kept; a
// Bezier run cut short by malformed types is read as lines.
void FlattenPath(const std::vector<PointF>& points, const std::vector<BYTE>& types, REAL flatness,
                 std::vector<PointF>* outPoints, std::vector<BYTE>* outTypes);

}  // namespace Gdiplus
