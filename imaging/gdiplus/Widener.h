// Builds the outline a pen stroke covers along flattened figures, with
// GDI+'s point structure: an open figure gives one closed contour (one side
// forward, end cap, the other side back, start cap); a closed figure gives
// the outer contour and then the inner one. Convex corners get the pen's
// join; concave corners keep both offset segment ends, as GDI+ does, which
// under the winding fill covers the same area as a clean join.
#pragma once

#include <vector>

#include "GdiplusTypes.h"

namespace Gdiplus {

struct StrokeSettings {
  double width = 1;  // world units, already adjusted for the pen's unit rules
  PenAlignment alignment = PenAlignmentCenter;
  LineJoin lineJoin = LineJoinMiter;
  double miterLimit = 10;
  LineCap startCap = LineCapFlat;
  LineCap endCap = LineCapFlat;
  double flatness = FlatnessDefault;  // for round joins and caps
};

class Widener {
 public:
  explicit Widener(const StrokeSettings& settings) : settings_(settings) {}

  // Adds the outline of one figure; repeated points are ignored and a figure
  // of fewer than two distinct points adds nothing.
  void AddFigure(const PointF* points, std::size_t count, bool closed);
  // Adds an open piece with the given caps (dash pieces use the dash cap).
  void AddOpen(const PointF* points, std::size_t count, LineCap startCap, LineCap endCap);

  std::vector<PointF>& Points() { return points_; }
  std::vector<BYTE>& Types() { return types_; }

 private:
  struct Vec {
    double x, y;
  };
  void Distinct(const PointF* points, std::size_t count, bool closed);
  void StrokeOpen(LineCap startCap, LineCap endCap);
  void StrokeClosed();
  // One side of the figure at signed offset: side +1 lies along (dy, -dx) of
  // each segment's direction, side -1 opposite.
  void Side(bool closed, int side, double offset, bool reverse);
  void Join(const Vec& v, const Vec& d1, const Vec& d2, int side, double offset);
  void Cap(const Vec& end, const Vec& direction, LineCap cap, double halfWidth);
  void Arc(const Vec& center, double radius, double fromAngle, double sweep);
  void Emit(double x, double y);
  void BeginContour();
  void EndContour();

  StrokeSettings settings_;
  std::vector<Vec> figure_;
  std::vector<Vec> sidePoints_;
  std::vector<PointF> points_;
  std::vector<BYTE> types_;
  std::size_t contourStart_ = 0;
};

}  // namespace Gdiplus
