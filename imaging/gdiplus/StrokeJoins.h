// The joins and the butt and square caps of agg::math_stroke for a positive
// width, with its arithmetic in its order, so that every vertex comes out
// bit for bit as AGG's. What it saves: each segment's offsets are computed
// once for both sides and both of its joins, a cut miter's bevel distance
// only where one is cut, and a miter well inside its limit skips the square
// root of its length.
#pragma once

#include <agg_math.h>
#include <agg_math_stroke.h>
#include <agg_vertex_sequence.h>

#include <cfloat>
#include <cmath>

namespace Gdiplus {

// One segment's offsets as math_stroke's calc_join computes them, walked
// from its first vertex to its second and back.
struct SegmentOffsets {
  double dx, dy, backDx, backDy;
  // The segment's length over the half width.
  double lengthOverWidth;
};

class StrokeJoins {
 public:
  // halfWidth must be positive; join is not round, which stays AGG's.
  StrokeJoins(double halfWidth, double miterLimit, agg::line_join_e join, bool squareCap)
      : w_(halfWidth),
        eps_(halfWidth / 1024.0),
        miterLimit_(miterLimit),
        join_(join),
        squareCap_(squareCap) {}

  // a.dist is the segment's length.
  SegmentOffsets Offsets(const agg::vertex_dist& a, const agg::vertex_dist& b) const {
    const double ey = b.y - a.y, ex = b.x - a.x;
    SegmentOffsets o;
    o.dx = w_ * ey / a.dist;
    o.dy = w_ * ex / a.dist;
    // Walked back, a difference changes sign exactly, unless it is zero.
    o.backDx = ey != 0 ? -o.dx : w_ * (a.y - b.y) / a.dist;
    o.backDy = ex != 0 ? -o.dy : w_ * (a.x - b.x) / a.dist;
    o.lengthOverWidth = a.dist / w_;
    return o;
  }

  // calc_join(v0, v1, v2, len1, len2), given its offsets and the lengths
  // over the half width (dividing the lesser length gives the lesser
  // quotient, so that math_stroke's inner limit comes out the same).
  template <class Emit>
  void Join(const agg::vertex_dist& v0, const agg::vertex_dist& v1, const agg::vertex_dist& v2,
            double dx1, double dy1, double dx2, double dy2, double ratio1, double ratio2,
            Emit& emit) const {
    const double cp = agg::cross_product(v0.x, v0.y, v1.x, v1.y, v2.x, v2.y);
    // Which side is inner follows the path's turns, which no branch
    // predictor guesses: the two sides differ only in their parameters.
    const bool inner = cp > 0;
    if (inner || join_ != agg::bevel_join) {
      // The inner side takes math_stroke's inner miter.
      double limit = (ratio1 < ratio2) ? ratio1 : ratio2;
      limit = limit < kInnerMiterLimit ? kInnerMiterLimit : limit;
      Miter(v0, v1, v2, dx1, dy1, dx2, dy2, inner ? agg::miter_join_revert : join_,
            inner ? limit : miterLimit_, emit);
      return;
    }
    const double dx = (dx1 + dx2) / 2, dy = (dy1 + dy2) / 2;
    const double dbevel = std::sqrt(dx * dx + dy * dy);
    if (w_ - dbevel < eps_) {
      // No visible bevel: one point, as math_stroke chooses.
      double x = 0, y = 0;
      if (agg::calc_intersection(v0.x + dx1, v0.y - dy1, v1.x + dx1, v1.y - dy1, v1.x + dx2,
                                 v1.y - dy2, v2.x + dx2, v2.y - dy2, &x, &y)) {
        emit(x, y);
      } else {
        emit(v1.x + dx1, v1.y - dy1);
      }
      return;
    }
    emit(v1.x + dx1, v1.y - dy1);
    emit(v1.x + dx2, v1.y - dy2);
  }

  // calc_cap(v0, v1, len) for butt and square caps.
  template <class Emit>
  void Cap(const agg::vertex_dist& v0, const agg::vertex_dist& v1, double len, Emit& emit) const {
    double dx1 = (v1.y - v0.y) / len;
    double dy1 = (v1.x - v0.x) / len;
    double dx2 = 0, dy2 = 0;
    dx1 *= w_;
    dy1 *= w_;
    if (squareCap_) {
      dx2 = dy1;
      dy2 = dx1;
    }
    emit(v0.x - dx1 - dx2, v0.y + dy1 - dy2);
    emit(v0.x + dx1 - dx2, v0.y - dy1 - dy2);
  }

 private:
  static constexpr double kInnerMiterLimit = 1.01;
  // Below this fraction of the squared limit, or above this one, rounding
  // cannot carry the miter's length across the limit: the square root
  // would decide as the comparison does.
  static constexpr double kSurelyInside = 1 - 1e-12;
  static constexpr double kSurelyOutside = 1 + 1e-12;

  // calc_miter for miter and miter-revert joins.
  template <class Emit>
  void Miter(const agg::vertex_dist& v0, const agg::vertex_dist& v1, const agg::vertex_dist& v2,
             double dx1, double dy1, double dx2, double dy2, agg::line_join_e join, double mlimit,
             Emit& emit) const {
    const double lim = w_ * mlimit;
    const double ax = v0.x + dx1, ay = v0.y - dy1;
    const double bx = v1.x + dx1, by = v1.y - dy1;
    const double cx = v1.x + dx2, cy = v1.y - dy2;
    const double ex = v2.x + dx2, ey = v2.y - dy2;
    // agg::calc_intersection of a-b and c-e.
    const double num = (ay - cy) * (ex - cx) - (ax - cx) * (ey - cy);
    const double den = (bx - ax) * (ey - cy) - (by - ay) * (ex - cx);
    if (std::fabs(den) < agg::intersection_epsilon) {
      // Parallel offsets: a straight continuation, or a turn back.
      if ((agg::cross_product(v0.x, v0.y, v1.x, v1.y, bx, by) < 0.0) ==
          (agg::cross_product(v1.x, v1.y, v2.x, v2.y, bx, by) < 0.0)) {
        emit(bx, by);
      } else if (join == agg::miter_join_revert) {
        emit(bx, by);
        emit(cx, cy);
      } else {
        emit(v1.x + dx1 + dy1 * mlimit, v1.y - dy1 + dx1 * mlimit);
        emit(v1.x + dx2 - dy2 * mlimit, v1.y - dy2 - dx2 * mlimit);
      }
      return;
    }
    const double r = num / den;
    const double xi = ax + r * (bx - ax), yi = ay + r * (by - ay);
    const double mx = xi - v1.x, my = yi - v1.y;
    const double squared = mx * mx + my * my;
    const double limSquared = lim * lim;
    if (squared <= limSquared * kSurelyInside && limSquared <= DBL_MAX) {
      emit(xi, yi);
      return;
    }
    if (join == agg::miter_join_revert && squared > limSquared * kSurelyOutside &&
        limSquared >= DBL_MIN) {
      emit(bx, by);
      emit(cx, cy);
      return;
    }
    const double di = std::sqrt(squared);
    if (di <= lim) {
      emit(xi, yi);
    } else if (join == agg::miter_join_revert) {
      emit(bx, by);
      emit(cx, cy);
    } else {
      const double dx = (dx1 + dx2) / 2, dy = (dy1 + dy2) / 2;
      const double dbevel = std::sqrt(dx * dx + dy * dy);
      const double t = (lim - dbevel) / (di - dbevel);
      emit(bx + (xi - bx) * t, by + (yi - by) * t);
      emit(cx + (xi - cx) * t, cy + (yi - cy) * t);
    }
  }

  double w_, eps_, miterLimit_;
  agg::line_join_e join_;
  bool squareCap_;
};

}  // namespace Gdiplus
