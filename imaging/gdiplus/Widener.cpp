#include "Widener.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace Gdiplus {
namespace {

// Points closer than this are one point: a direction from them would be noise.
constexpr double kSamePoint = 1e-6;
constexpr int kMaxArcSegments = 128;

}  // namespace

void Widener::Emit(double x, double y) {
  points_.emplace_back(REAL(x), REAL(y));
  types_.push_back(points_.size() - 1 == contourStart_ ? PathPointTypeStart : PathPointTypeLine);
}

void Widener::BeginContour() {
  contourStart_ = points_.size();
}

void Widener::EndContour() {
  if (points_.size() - contourStart_ < 3) {
    // Fewer than three points enclose nothing.
    points_.resize(contourStart_);
    types_.resize(contourStart_);
    return;
  }
  types_.back() |= PathPointTypeCloseSubpath;
}

void Widener::Distinct(const PointF* points, std::size_t count, bool closed) {
  figure_.clear();
  for (std::size_t i = 0; i < count; ++i) {
    const Vec p{points[i].X, points[i].Y};
    if (!figure_.empty() && std::abs(p.x - figure_.back().x) <= kSamePoint &&
        std::abs(p.y - figure_.back().y) <= kSamePoint) {
      continue;
    }
    figure_.push_back(p);
  }
  while (closed && figure_.size() > 1 &&
         std::abs(figure_.back().x - figure_.front().x) <= kSamePoint &&
         std::abs(figure_.back().y - figure_.front().y) <= kSamePoint) {
    figure_.pop_back();
  }
}

void Widener::AddFigure(const PointF* points, std::size_t count, bool closed) {
  Distinct(points, count, closed);
  if (figure_.size() < 2) return;
  if (closed && figure_.size() >= 3) {
    StrokeClosed();
  } else {
    StrokeOpen(settings_.startCap, settings_.endCap);
  }
}

void Widener::AddOpen(const PointF* points, std::size_t count, LineCap startCap, LineCap endCap) {
  Distinct(points, count, false);
  if (figure_.size() < 2) return;
  StrokeOpen(startCap, endCap);
}

void Widener::StrokeOpen(LineCap startCap, LineCap endCap) {
  const double halfWidth = settings_.width / 2;
  auto direction = [&](std::size_t from, std::size_t to) {
    const double dx = figure_[to].x - figure_[from].x, dy = figure_[to].y - figure_[from].y;
    const double length = std::hypot(dx, dy);
    return Vec{dx / length, dy / length};
  };
  const std::size_t n = figure_.size();
  const Vec first = direction(0, 1), last = direction(n - 2, n - 1);
  BeginContour();
  Side(false, +1, halfWidth, false);
  Cap(figure_[n - 1], last, endCap, halfWidth);
  Side(false, -1, halfWidth, true);
  Cap(figure_[0], Vec{-first.x, -first.y}, startCap, halfWidth);
  EndContour();
}

void Widener::StrokeClosed() {
  double area = 0;
  const std::size_t n = figure_.size();
  for (std::size_t i = 0; i < n; ++i) {
    const Vec& a = figure_[i];
    const Vec& b = figure_[(i + 1) % n];
    area += a.x * b.y - b.x * a.y;
  }
  // With y pointing down, a positive area means side +1 faces outwards.
  const int outerSide = area >= 0 ? +1 : -1;
  double outerOffset = settings_.width / 2, innerOffset = settings_.width / 2;
  if (settings_.alignment == PenAlignmentInset) {
    outerOffset = 0;
    innerOffset = settings_.width;
  }
  BeginContour();
  Side(true, outerSide, outerOffset, false);
  EndContour();
  BeginContour();
  Side(true, -outerSide, innerOffset, true);
  EndContour();
}

void Widener::Side(bool closed, int side, double offset, bool reverse) {
  sidePoints_.clear();
  const std::size_t n = figure_.size();
  auto direction = [&](std::size_t from) {
    const Vec& a = figure_[from];
    const Vec& b = figure_[(from + 1) % n];
    const double length = std::hypot(b.x - a.x, b.y - a.y);
    return Vec{(b.x - a.x) / length, (b.y - a.y) / length};
  };
  if (closed) {
    for (std::size_t i = 0; i < n; ++i) {
      Join(figure_[i], direction((i + n - 1) % n), direction(i), side, offset);
    }
  } else {
    const Vec d0 = direction(0);
    sidePoints_.push_back(
        {figure_[0].x + side * offset * d0.y, figure_[0].y - side * offset * d0.x});
    for (std::size_t i = 1; i + 1 < n; ++i) {
      Join(figure_[i], direction(i - 1), direction(i), side, offset);
    }
    const Vec dn = direction(n - 2);
    sidePoints_.push_back(
        {figure_[n - 1].x + side * offset * dn.y, figure_[n - 1].y - side * offset * dn.x});
  }
  if (reverse) std::reverse(sidePoints_.begin(), sidePoints_.end());
  for (const Vec& p : sidePoints_) Emit(p.x, p.y);
}

void Widener::Join(const Vec& v, const Vec& d1, const Vec& d2, int side, double offset) {
  if (offset == 0) {
    sidePoints_.push_back(v);
    return;
  }
  const Vec m1{side * d1.y, -side * d1.x};
  const Vec m2{side * d2.y, -side * d2.x};
  const Vec p1{v.x + offset * m1.x, v.y + offset * m1.y};
  const Vec p2{v.x + offset * m2.x, v.y + offset * m2.y};
  const double cross = d1.x * d2.y - d1.y * d2.x;
  const double dot = d1.x * d2.x + d1.y * d2.y;
  const bool straight = std::abs(cross) <= 1e-12 && dot > 0;
  const bool reversal = std::abs(cross) <= 1e-12 && dot <= 0;
  if (straight) {
    sidePoints_.push_back(p1);
    return;
  }
  if (!reversal && side * cross < 0) {
    // Concave side: both segment ends, no join.
    sidePoints_.push_back(p1);
    sidePoints_.push_back(p2);
    return;
  }
  // The outward bisector; straight ahead when the figure folds back.
  Vec b{m1.x + m2.x, m1.y + m2.y};
  double bLength = std::hypot(b.x, b.y);
  if (reversal || bLength < 1e-9) {
    b = d1;
    bLength = 1;
  }
  b = {b.x / bLength, b.y / bLength};
  switch (settings_.lineJoin) {
    case LineJoinRound: {
      sidePoints_.push_back(p1);
      double sweep = std::atan2(m1.x * m2.y - m1.y * m2.x, m1.x * m2.x + m1.y * m2.y);
      if (reversal) {
        const double turn = m1.x * d1.y - m1.y * d1.x;
        sweep = turn >= 0 ? std::numbers::pi : -std::numbers::pi;
      }
      Arc(v, offset, std::atan2(m1.y, m1.x), sweep);
      sidePoints_.push_back(p2);
      return;
    }
    case LineJoinBevel:
      sidePoints_.push_back(p1);
      sidePoints_.push_back(p2);
      return;
    case LineJoinMiter:
    case LineJoinMiterClipped:
    default: {
      const double cosHalf = b.x * m1.x + b.y * m1.y;
      if (cosHalf > 0 && 1.0 / cosHalf <= settings_.miterLimit) {
        sidePoints_.push_back({v.x + b.x * offset / cosHalf, v.y + b.y * offset / cosHalf});
        return;
      }
      const double along1 = d1.x * b.x + d1.y * b.y;
      const double along2 = d2.x * b.x + d2.y * b.y;
      if (settings_.lineJoin == LineJoinMiterClipped || std::abs(along1) < 1e-12 ||
          std::abs(along2) < 1e-12) {
        sidePoints_.push_back(p1);
        sidePoints_.push_back(p2);
        return;
      }
      // Cut the miter off square to the bisector at the limit's distance.
      const double reach = settings_.miterLimit * offset;
      const double t1 = (reach - offset * (m1.x * b.x + m1.y * b.y)) / along1;
      const double t2 = (reach - offset * (m2.x * b.x + m2.y * b.y)) / along2;
      sidePoints_.push_back({p1.x + t1 * d1.x, p1.y + t1 * d1.y});
      sidePoints_.push_back({p2.x + t2 * d2.x, p2.y + t2 * d2.y});
      return;
    }
  }
}

void Widener::Arc(const Vec& center, double radius, double fromAngle, double sweep) {
  const double tolerance = std::max(settings_.flatness, 1e-3);
  double step = std::numbers::pi / 2;
  if (tolerance < radius) step = std::min(step, 2 * std::acos(1 - tolerance / radius));
  const int segments = std::clamp(int(std::ceil(std::abs(sweep) / step)), 1, kMaxArcSegments);
  for (int k = 1; k < segments; ++k) {
    const double a = fromAngle + sweep * k / segments;
    sidePoints_.push_back({center.x + radius * std::cos(a), center.y + radius * std::sin(a)});
  }
}

void Widener::Cap(const Vec& end, const Vec& direction, LineCap cap, double halfWidth) {
  // The contour arrives on the side along (dy, -dx) of direction and leaves on
  // the opposite side.
  const Vec from{direction.y, -direction.x};
  sidePoints_.clear();
  switch (cap) {
    case LineCapSquare:
      Emit(end.x + halfWidth * (from.x + direction.x), end.y + halfWidth * (from.y + direction.y));
      Emit(end.x + halfWidth * (direction.x - from.x), end.y + halfWidth * (direction.y - from.y));
      break;
    case LineCapTriangle:
      Emit(end.x + halfWidth * direction.x, end.y + halfWidth * direction.y);
      break;
    case LineCapRound: {
      const double turn = from.x * direction.y - from.y * direction.x;
      Arc(end, halfWidth, std::atan2(from.y, from.x),
          turn >= 0 ? std::numbers::pi : -std::numbers::pi);
      for (const Vec& p : sidePoints_) Emit(p.x, p.y);
      break;
    }
    case LineCapFlat:
    default:
      break;
  }
}

}  // namespace Gdiplus
