#include "RasterPath.h"

#include <algorithm>
#include <cmath>

namespace Gdiplus {

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
  AppendCubic(x1, y1, x2, y2, x3, y3,
              CurveSteps(points_.back(), x1, y1, x2, y2, x3, y3, flatness_));
}

void RasterPath::AppendCubic(double x1, double y1, double x2, double y2, double x3, double y3,
                             int steps) {
  FlattenCubic(points_.back(), x1, y1, x2, y2, x3, y3, steps, [this](double x, double y) {
    points_.push_back({x, y});
  });
  figures_.back().end = std::uint32_t(points_.size());
}

void RasterPath::CloseFigure() {
  if (!figureOpen_) return;
  figures_.back().closed = true;
  figureOpen_ = false;
}

void RasterPath::AddEllipse(double x, double y, double width, double height) {
  // The ellipse lies in its rectangle: checking the corners covers it.
  if (!Check(x, y) || !Check(x + width, y + height) || problem_ != Ok) return;
  FlattenEllipse(
      x, y, width, height, flatness_,
      [&](double px, double py) {
        MoveTo(px, py);
        Extend(x, y);
        Extend(x + width, y + height);
      },
      [this](double px, double py) {
        points_.push_back({px, py});
      });
  figures_.back().end = std::uint32_t(points_.size());
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
