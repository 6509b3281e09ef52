// Flattened figures in device coordinates (pixel (i, j) centred on the point
// (i, j)), the common input of the fill, stroke and clip rasterisers.
#pragma once

#include <algorithm>
#include <cmath>
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
  // Bounds the work a single curve may cause.
  static constexpr int kMaxCurveSegments = 4096;
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

  // The distance of a Bezier control point from the ends of its quarter
  // ellipse, as a share of the radius: 4/3 (sqrt(2) - 1).
  static constexpr double kEllipseKappa = 0.5522847498307936;

  // The steps per quarter of AddEllipse at the given flatness: the fewest
  // whose fourth power reaches EllipseStepsTarget.
  static int EllipseSteps(double x, double y, double width, double height, double flatness);
  static double EllipseStepsTarget(double x, double y, double width, double height,
                                   double flatness);
  // The points AddEllipse appends for the ellipse at the given flatness, in
  // order: start(x, y) for the first, at the right end of the horizontal
  // axis, then emit(x, y) for each quarter's, clockwise (in device space),
  // each ending on its axis point. Returns the steps per quarter.
  template <class Start, class Emit>
  static int FlattenEllipse(double x, double y, double width, double height, double flatness,
                            Start&& start, Emit&& emit);

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
  static int CurveSteps(const RasterPoint& p0, double x1, double y1, double x2, double y2,
                        double x3, double y3, double flatness);
  static double CurveStepsTarget(const RasterPoint& p0, double x1, double y1, double x2, double y2,
                                 double x3, double y3, double flatness);
  // The fewest steps whose fourth power reaches target.
  static int StepsFor(double target);
  // The points of the cubic from p0 in equal parameter steps, after p0 and
  // ending on (x3, y3), passed to emit(x, y).
  template <class Emit>
  static void FlattenCubic(RasterPoint p0, double x1, double y1, double x2, double y2, double x3,
                           double y3, int steps, Emit&& emit);
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

// Inlined so that dots by the thousand keep their points in registers.
template <class Emit>
[[gnu::always_inline]] inline void RasterPath::FlattenCubic(RasterPoint p0, double x1, double y1,
                                                            double x2, double y2, double x3,
                                                            double y3, int steps, Emit&& emit) {
  // Forward differences of the cubic at parameter step 1/steps.
  const double h = 1.0 / steps, h2 = h * h, h3 = h2 * h;
  const double ax = x3 - p0.x + 3 * (x1 - x2), ay = y3 - p0.y + 3 * (y1 - y2);
  const double bx = 3 * (p0.x - 2 * x1 + x2), by = 3 * (p0.y - 2 * y1 + y2);
  const double cx = 3 * (x1 - p0.x), cy = 3 * (y1 - p0.y);
  double x = p0.x, y = p0.y;
  double dx = ax * h3 + bx * h2 + cx * h, dy = ay * h3 + by * h2 + cy * h;
  double ddx = 6 * ax * h3 + 2 * bx * h2, ddy = 6 * ay * h3 + 2 * by * h2;
  const double dddx = 6 * ax * h3, dddy = 6 * ay * h3;
  for (int i = 1; i < steps; ++i) {
    x += dx;
    y += dy;
    dx += ddx;
    dy += ddy;
    ddx += dddx;
    ddy += dddy;
    emit(x, y);
  }
  emit(x3, y3);
}

inline double RasterPath::CurveStepsTarget(const RasterPoint& p0, double x1, double y1, double x2,
                                           double y2, double x3, double y3, double flatness) {
  // Uniform steps: the chord error is at most 3/4 of the larger second
  // difference of the control polygon, divided by the square of the steps:
  // steps^4 >= (3/4 · |dd| / flatness)^2.
  const double ddx = std::max(std::fabs(p0.x - 2 * x1 + x2), std::fabs(x1 - 2 * x2 + x3));
  const double ddy = std::max(std::fabs(p0.y - 2 * y1 + y2), std::fabs(y1 - 2 * y2 + y3));
  return 0.5625 * (ddx * ddx + ddy * ddy) / (flatness * flatness);
}

inline int RasterPath::StepsFor(double target) {
  // Small counts are found without square roots, which dominate for the
  // tiny curves drawn by the thousand.
  for (int steps = 1; steps <= 8; ++steps) {
    if (double(steps * steps) * double(steps * steps) >= target) return steps;
  }
  const double steps = std::ceil(std::sqrt(std::sqrt(target)));
  return int(std::clamp<double>(steps, 1, kMaxCurveSegments));
}

inline int RasterPath::CurveSteps(const RasterPoint& p0, double x1, double y1, double x2, double y2,
                                  double x3, double y3, double flatness) {
  return StepsFor(CurveStepsTarget(p0, x1, y1, x2, y2, x3, y3, flatness));
}

inline int RasterPath::EllipseSteps(double x, double y, double width, double height,
                                    double flatness) {
  return StepsFor(EllipseStepsTarget(x, y, width, height, flatness));
}

inline double RasterPath::EllipseStepsTarget(double x, double y, double width, double height,
                                             double flatness) {
  // The four quarters are mirror images: one step count serves them all.
  const double rx = width / 2, ry = height / 2;
  const double cx = x + rx, cy = y + ry;
  const double kx = rx * kEllipseKappa, ky = ry * kEllipseKappa;
  return CurveStepsTarget({cx + rx, cy}, cx + rx, cy + ky, cx + kx, cy + ry, cx, cy + ry, flatness);
}

template <class Start, class Emit>
[[gnu::always_inline]] inline int RasterPath::FlattenEllipse(double x, double y, double width,
                                                             double height, double flatness,
                                                             Start&& start, Emit&& emit) {
  const double rx = width / 2, ry = height / 2;
  const double cx = x + rx, cy = y + ry;
  const double kx = rx * kEllipseKappa, ky = ry * kEllipseKappa;
  const RasterPoint first{cx + rx, cy};
  start(first.x, first.y);
  const int steps = EllipseSteps(x, y, width, height, flatness);
  FlattenCubic(first, cx + rx, cy + ky, cx + kx, cy + ry, cx, cy + ry, steps, emit);
  FlattenCubic({cx, cy + ry}, cx - kx, cy + ry, cx - rx, cy + ky, cx - rx, cy, steps, emit);
  FlattenCubic({cx - rx, cy}, cx - rx, cy - ky, cx - kx, cy - ry, cx, cy - ry, steps, emit);
  FlattenCubic({cx, cy - ry}, cx + kx, cy - ry, cx + rx, cy - ky, cx + rx, cy, steps, emit);
  return steps;
}

// Hands every figure of two points or more to a rasteriser as a closed
// polygon; the rasterisers share this so that they see one path alike.
template <class Rasterizer>
void AddFigures(const RasterPath& path, Rasterizer& rasterizer) {
  const auto& points = path.Points();
  for (const RasterFigure& figure : path.Figures()) {
    if (figure.end - figure.begin < 2) continue;
    rasterizer.MoveTo(points[figure.begin].x, points[figure.begin].y);
    for (std::uint32_t i = figure.begin + 1; i < figure.end; ++i)
      rasterizer.LineTo(points[i].x, points[i].y);
    rasterizer.ClosePolygon();
  }
}

}  // namespace Gdiplus
