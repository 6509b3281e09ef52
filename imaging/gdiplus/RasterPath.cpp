#include "RasterPath.h"

#include <algorithm>
#include <cmath>

namespace Gdiplus {

namespace {

// The distance of a Bezier control point from the ends of its quarter
// ellipse, as a share of the radius: 4/3 (sqrt(2) - 1).
constexpr double kKappa = 0.5522847498307936;
// Bounds the work a single curve may cause.
constexpr int kMaxCurveSegments = 4096;

}  // namespace

void RasterPath::Clear() {
  points_.clear();
  figures_.clear();
  bounds_ = RasterBounds{};
  problem_ = Ok;
  figureOpen_ = false;
}

bool RasterPath::Check(double x, double y) {
  if (!std::isfinite(x) || !std::isfinite(y)) {
    problem_ = InvalidParameter;
    return false;
  }
  if (std::fabs(x) > kMaxCoordinate || std::fabs(y) > kMaxCoordinate) {
    if (problem_ == Ok) problem_ = ValueOverflow;
    return false;
  }
  return true;
}

void RasterPath::Add(double x, double y) {
  if (problem_ == InvalidParameter || !Check(x, y)) return;
  if (points_.empty()) {
    bounds_ = RasterBounds{x, y, x, y};
  } else {
    bounds_.left = std::min(bounds_.left, x);
    bounds_.top = std::min(bounds_.top, y);
    bounds_.right = std::max(bounds_.right, x);
    bounds_.bottom = std::max(bounds_.bottom, y);
  }
  points_.push_back({x, y});
  figures_.back().end = std::uint32_t(points_.size());
}

void RasterPath::MoveTo(double x, double y) {
  const auto begin = std::uint32_t(points_.size());
  if (figureOpen_ && figures_.back().begin == figures_.back().end) {
    figures_.back() = RasterFigure{begin, begin, false};
  } else {
    figures_.push_back(RasterFigure{begin, begin, false});
  }
  figureOpen_ = true;
  Add(x, y);
}

void RasterPath::LineTo(double x, double y) {
  if (!figureOpen_) {
    MoveTo(x, y);
    return;
  }
  Add(x, y);
}

void RasterPath::BezierTo(double x1, double y1, double x2, double y2, double x3, double y3) {
  if (!figureOpen_ || points_.empty() || figures_.back().begin == figures_.back().end) {
    MoveTo(x1, y1);
  }
  // Control points are never added, so check them here; an unusable path
  // is never drawn, so stop adding to it.
  Check(x1, y1);
  Check(x2, y2);
  if (problem_ != Ok) return;
  const RasterPoint p0 = points_.back();
  // Uniform steps: the chord error is at most 3/4 of the larger second
  // difference of the control polygon, divided by the square of the steps.
  const double ddx = std::max(std::fabs(p0.x - 2 * x1 + x2), std::fabs(x1 - 2 * x2 + x3));
  const double ddy = std::max(std::fabs(p0.y - 2 * y1 + y2), std::fabs(y1 - 2 * y2 + y3));
  const double second = std::hypot(ddx, ddy);
  double steps = std::ceil(std::sqrt(0.75 * second / flatness_));
  if (!(steps >= 1)) steps = 1;  // NaN input falls through to Add's check
  const int n = int(std::min<double>(steps, kMaxCurveSegments));
  for (int i = 1; i < n; ++i) {
    const double t = double(i) / n;
    const double u = 1 - t;
    const double b0 = u * u * u, b1 = 3 * u * u * t, b2 = 3 * u * t * t, b3 = t * t * t;
    Add(b0 * p0.x + b1 * x1 + b2 * x2 + b3 * x3, b0 * p0.y + b1 * y1 + b2 * y2 + b3 * y3);
  }
  Add(x3, y3);
}

void RasterPath::CloseFigure() {
  if (!figureOpen_) return;
  figures_.back().closed = true;
  figureOpen_ = false;
}

void RasterPath::AddEllipse(double x, double y, double width, double height) {
  const double rx = width / 2, ry = height / 2;
  const double cx = x + rx, cy = y + ry;
  const double kx = rx * kKappa, ky = ry * kKappa;
  MoveTo(cx + rx, cy);
  BezierTo(cx + rx, cy + ky, cx + kx, cy + ry, cx, cy + ry);
  BezierTo(cx - kx, cy + ry, cx - rx, cy + ky, cx - rx, cy);
  BezierTo(cx - rx, cy - ky, cx - kx, cy - ry, cx, cy - ry);
  BezierTo(cx + kx, cy - ry, cx + rx, cy - ky, cx + rx, cy);
  CloseFigure();
}

void RasterPath::AddRectangle(double x, double y, double width, double height) {
  MoveTo(x, y);
  LineTo(x + width, y);
  LineTo(x + width, y + height);
  LineTo(x, y + height);
  CloseFigure();
}

void RasterPath::AddPathPoints(const PointF* points, const BYTE* types, std::size_t count,
                               const RasterPlacement& placement) {
  auto x = [&](std::size_t i) { return points[i].X * placement.scaleX + placement.offsetX; };
  auto y = [&](std::size_t i) { return points[i].Y * placement.scaleY + placement.offsetY; };
  for (std::size_t i = 0; i < count; ++i) {
    const BYTE kind = types[i] & PathPointTypePathTypeMask;
    std::size_t last = i;
    if (kind == PathPointTypeStart || !figureOpen_) {
      MoveTo(x(i), y(i));
    } else if (kind == PathPointTypeBezier && i + 2 < count &&
               (types[i + 1] & PathPointTypePathTypeMask) == PathPointTypeBezier &&
               (types[i + 2] & PathPointTypePathTypeMask) == PathPointTypeBezier) {
      BezierTo(x(i), y(i), x(i + 1), y(i + 1), x(i + 2), y(i + 2));
      last = i + 2;
    } else {
      LineTo(x(i), y(i));
    }
    // The close flag sits on the last point of a figure, inside a Bezier
    // run only on its final point.
    if (types[last] & PathPointTypeCloseSubpath) CloseFigure();
    i = last;
  }
}

}  // namespace Gdiplus
