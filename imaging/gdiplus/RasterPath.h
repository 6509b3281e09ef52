// Flattened figures in device coordinates (pixel (i, j) centred on the point
// (i, j)), the common input of the fill, stroke and clip rasterisers.
#pragma once

#include <cstdint>
#include <vector>

#include "GdiplusTypes.h"

namespace Gdiplus {

struct RasterPoint {
  double x = 0, y = 0;
};

struct RasterFigure {
  std::uint32_t begin = 0;  // first point
  std::uint32_t end = 0;    // one past the last point
  bool closed = false;
};

// x' = x·scaleX + offsetX, y' = y·scaleY + offsetY.
struct RasterPlacement {
  double scaleX = 1, scaleY = 1, offsetX = 0, offsetY = 0;
};

struct RasterBounds {
  double left = 0, top = 0, right = 0, bottom = 0;
  bool Intersects(double l, double t, double r, double b) const {
    return left < r && l < right && top < b && t < bottom;
  }
};

class RasterPath {
 public:
  // Coordinates beyond this magnitude (GDI+'s own limit for regions) mark
  // the path unusable rather than overflowing the rasterisers.
  static constexpr double kMaxCoordinate = 4194304.0;
  // Greatest distance between a curve and its chords, in pixels.
  static constexpr double kDefaultFlatness = 0.25;

  void Clear();
  void SetFlatness(double flatness) { flatness_ = flatness; }

  void MoveTo(double x, double y);
  void LineTo(double x, double y);
  // A cubic Bezier from the current point, flattened at once.
  void BezierTo(double x1, double y1, double x2, double y2, double x3, double y3);
  void CloseFigure();

  // Whole figures of the shapes GDI+ draws: the ellipse inscribed in the
  // rectangle as four Bezier quarters, the rectangle clockwise from its
  // top-left corner.
  void AddEllipse(double x, double y, double width, double height);
  void AddRectangle(double x, double y, double width, double height);
  // Points with GDI+ path point types (start, line, Bezier; close flag),
  // placed as given. A Bezier run cut short is read as lines.
  void AddPathPoints(const PointF* points, const BYTE* types, std::size_t count,
                     const RasterPlacement& placement = {});

  const std::vector<RasterPoint>& Points() const { return points_; }
  const std::vector<RasterFigure>& Figures() const { return figures_; }
  bool Empty() const { return points_.empty(); }
  // False once a coordinate was not finite or beyond kMaxCoordinate;
  // Problem() then says which: InvalidParameter or ValueOverflow.
  bool Usable() const { return problem_ == Ok; }
  Status Problem() const { return problem_; }
  // Holds every point, and the control points of curves.
  const RasterBounds& Bounds() const { return bounds_; }

 private:
  // Records a problem with the coordinates; true when they are usable.
  bool Check(double x, double y);
  // Widens the bounds to hold the point.
  void Extend(double x, double y);
  // Steps that keep a cubic from the point p0 within the flatness.
  int CurveSteps(const RasterPoint& p0, double x1, double y1, double x2, double y2, double x3,
                 double y3) const;
  // Appends the cubic from the last point in equal parameter steps.
  void AppendCubic(double x1, double y1, double x2, double y2, double x3, double y3, int steps);
  void Add(double x, double y);

  std::vector<RasterPoint> points_;
  std::vector<RasterFigure> figures_;
  RasterBounds bounds_;
  double flatness_ = kDefaultFlatness;
  Status problem_ = Ok;
  bool figureOpen_ = false;
};

}  // namespace Gdiplus
