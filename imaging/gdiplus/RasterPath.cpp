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

void RasterPath::Extend(double x, double y) {
  if (points_.empty()) {
    bounds_ = RasterBounds{x, y, x, y};
    return;
  }
  bounds_.left = std::min(bounds_.left, x);
  bounds_.top = std::min(bounds_.top, y);
  bounds_.right = std::max(bounds_.right, x);
  bounds_.bottom = std::max(bounds_.bottom, y);
}

void RasterPath::Add(double x, double y) {
  if (problem_ == InvalidParameter || !Check(x, y)) return;
  Extend(x, y);
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
  // Every point of the curve lies in the hull of its control points, so
  // checking those (and widening the bounds by them) covers the whole curve.
  // An unusable path is never drawn; stop adding to it.
  if (!Check(x1, y1) || !Check(x2, y2) || !Check(x3, y3) || problem_ != Ok) return;
  Extend(x1, y1);
  Extend(x2, y2);
  Extend(x3, y3);
  AppendCubic(x1, y1, x2, y2, x3, y3, CurveSteps(points_.back(), x1, y1, x2, y2, x3, y3));
}

int RasterPath::CurveSteps(const RasterPoint& p0, double x1, double y1, double x2, double y2,
                           double x3, double y3) const {
  // Uniform steps: the chord error is at most 3/4 of the larger second
  // difference of the control polygon, divided by the square of the steps.
  const double ddx = std::max(std::fabs(p0.x - 2 * x1 + x2), std::fabs(x1 - 2 * x2 + x3));
  const double ddy = std::max(std::fabs(p0.y - 2 * y1 + y2), std::fabs(y1 - 2 * y2 + y3));
  // steps^4 >= (3/4 · |dd| / flatness)^2; small counts are found without
  // square roots, which dominate for the tiny curves drawn by the thousand.
  const double target = 0.5625 * (ddx * ddx + ddy * ddy) / (flatness_ * flatness_);
  for (int steps = 1; steps <= 8; ++steps) {
    if (double(steps * steps) * double(steps * steps) >= target) return steps;
  }
  const double steps = std::ceil(std::sqrt(std::sqrt(target)));
  return int(std::clamp<double>(steps, 1, kMaxCurveSegments));
}

void RasterPath::AppendCubic(double x1, double y1, double x2, double y2, double x3, double y3,
                             int steps) {
  const RasterPoint p0 = points_.back();
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
    points_.push_back({x, y});
  }
  points_.push_back({x3, y3});
  figures_.back().end = std::uint32_t(points_.size());
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
  // The four quarters are mirror images and the ellipse lies in its
  // rectangle: one check and one step count serve them all.
  if (!Check(x, y) || !Check(x + width, y + height) || problem_ != Ok) return;
  MoveTo(cx + rx, cy);
  Extend(x, y);
  Extend(x + width, y + height);
  const int steps = CurveSteps(points_.back(), cx + rx, cy + ky, cx + kx, cy + ry, cx, cy + ry);
  AppendCubic(cx + rx, cy + ky, cx + kx, cy + ry, cx, cy + ry, steps);
  AppendCubic(cx - kx, cy + ry, cx - rx, cy + ky, cx - rx, cy, steps);
  AppendCubic(cx - rx, cy - ky, cx - kx, cy - ry, cx, cy - ry, steps);
  AppendCubic(cx + kx, cy - ry, cx + rx, cy - ky, cx + rx, cy, steps);
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
