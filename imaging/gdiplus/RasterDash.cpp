#include "RasterDash.h"

#include <algorithm>
#include <cmath>

namespace Gdiplus {

namespace {

// Shorter periods draw solid: their dashes could not be told apart, and
// walking them over a long line would take unbounded time.
constexpr double kMinimumPeriod = 0.5;

// The parameter range [t0, t1] of segment a-b inside the box (Liang-Barsky);
// false when the segment misses it.
bool VisibleRange(const RasterPoint& a, const RasterPoint& b, const RasterBounds& box, double* t0,
                  double* t1) {
  *t0 = 0;
  *t1 = 1;
  const double dx = b.x - a.x, dy = b.y - a.y;
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {a.x - box.left, box.right - a.x, a.y - box.top, box.bottom - a.y};
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0) {
      if (q[i] < 0) return false;
      continue;
    }
    const double r = q[i] / p[i];
    if (p[i] < 0) {
      *t0 = std::max(*t0, r);
    } else {
      *t1 = std::min(*t1, r);
    }
  }
  return *t0 <= *t1;
}

}  // namespace

void RasterDasher::SetPattern(const std::vector<double>& lengths, double offset) {
  lengths_.clear();
  period_ = 0;
  for (double length : lengths) {
    const double usable = std::isfinite(length) && length > 0 ? length : 0;
    lengths_.push_back(usable);
    period_ += usable;
  }
  // An odd count repeats once so that on and off alternate across periods.
  if (lengths_.size() % 2 == 1) {
    const std::size_t count = lengths_.size();
    for (std::size_t i = 0; i < count; ++i) lengths_.push_back(lengths_[i]);
    period_ *= 2;
  }
  if (!(period_ >= kMinimumPeriod) || !std::isfinite(period_)) {
    lengths_.clear();
    period_ = 0;
  }
  offset_ = period_ > 0 && std::isfinite(offset) ? std::fmod(offset, period_) : 0;
  if (offset_ < 0) offset_ += period_;
}

void RasterDasher::Advance(double distance, Cursor* cursor) const {
  if (distance < cursor->left) {
    cursor->left -= distance;
    return;
  }
  double rest = std::fmod(distance - cursor->left, period_);
  std::size_t entry = (cursor->entry + 1) % lengths_.size();
  while (rest >= lengths_[entry]) {
    rest -= lengths_[entry];
    entry = (entry + 1) % lengths_.size();
  }
  cursor->entry = entry;
  cursor->left = lengths_[entry] - rest;
}

void RasterDasher::Apply(const RasterPath& path, const RasterBounds& visible,
                         RasterPath* out) const {
  const auto& points = path.Points();
  for (const RasterFigure& figure : path.Figures()) {
    const std::uint32_t count = figure.end - figure.begin;
    if (count < 2) continue;
    if (lengths_.empty()) {
      out->MoveTo(points[figure.begin].x, points[figure.begin].y);
      for (std::uint32_t i = figure.begin + 1; i < figure.end; ++i) {
        out->LineTo(points[i].x, points[i].y);
      }
      if (figure.closed) out->CloseFigure();
      continue;
    }
    Cursor cursor{lengths_.size() - 1, 0};
    Advance(offset_, &cursor);
    bool drawing = false;

    const std::uint32_t segments = figure.closed ? count : count - 1;
    for (std::uint32_t s = 0; s < segments; ++s) {
      const RasterPoint& a = points[figure.begin + s];
      const RasterPoint& b = points[figure.begin + (s + 1) % count];
      const double length = std::hypot(b.x - a.x, b.y - a.y);
      if (!(length > 0)) continue;
      double t0 = 0, t1 = 0;
      if (!VisibleRange(a, b, visible, &t0, &t1)) {
        // Pieces ending in the hidden part end there, unseen.
        Advance(length, &cursor);
        drawing = false;
        continue;
      }
      if (t0 > 0) {
        Advance(t0 * length, &cursor);
        drawing = false;
      }
      double done = t0 * length;
      const double end = t1 * length;
      while (done < end) {
        const bool reachesEnd = cursor.left >= end - done;
        const double step = reachesEnd ? end - done : cursor.left;
        if (cursor.entry % 2 == 0 && step > 0) {
          if (!drawing) {
            out->MoveTo(a.x + (b.x - a.x) * done / length, a.y + (b.y - a.y) * done / length);
          }
          out->LineTo(a.x + (b.x - a.x) * (done + step) / length,
                      a.y + (b.y - a.y) * (done + step) / length);
          drawing = true;
        }
        done = reachesEnd ? end : done + step;
        cursor.left -= step;
        if (cursor.left <= 0) {
          cursor.entry = (cursor.entry + 1) % lengths_.size();
          cursor.left = lengths_[cursor.entry];
          drawing = false;
        }
      }
      if (t1 < 1) {
        Advance(length - end, &cursor);
        drawing = false;
      }
    }
  }
}

}  // namespace Gdiplus
