#include "WidenDash.h"

#include <cmath>

namespace Gdiplus {

bool SplitIntoDashes(const std::vector<PointF>& polyline, bool closed,
                     const std::vector<double>& pattern, double offset, std::size_t maxPieces,
                     std::vector<DashPiece>* pieces) {
  double period = 0;
  for (double length : pattern) {
    if (!(length > 0) || !std::isfinite(length)) return false;
    period += length;
  }
  if (pattern.empty() || !std::isfinite(period)) return false;
  const std::size_t n = polyline.size();
  if (n < 2) return true;
  const std::size_t segments = closed ? n : n - 1;

  double total = 0;
  for (std::size_t i = 0; i < segments; ++i) {
    const PointF a = polyline[i], b = polyline[(i + 1) % n];
    total += std::hypot(double(b.X) - a.X, double(b.Y) - a.Y);
  }
  const double estimate = std::ceil(total / period) * double(pattern.size()) / 2.0 + 1.0;
  if (!std::isfinite(total) || estimate + double(pieces->size()) > double(maxPieces)) {
    return false;
  }

  // Position in the pattern: entry index and distance left in that entry.
  std::size_t entry = 0;
  double phase = std::fmod(offset, period);
  if (phase < 0) phase += period;
  while (phase >= pattern[entry]) {
    phase -= pattern[entry];
    entry = (entry + 1) % pattern.size();
  }
  double left = pattern[entry] - phase;
  bool inDash = entry % 2 == 0;
  DashPiece current;
  if (inDash) current.points.push_back(polyline[0]);

  for (std::size_t i = 0; i < segments; ++i) {
    const PointF a = polyline[i], b = polyline[(i + 1) % n];
    const double dx = double(b.X) - a.X, dy = double(b.Y) - a.Y;
    const double length = std::hypot(dx, dy);
    double at = 0;
    while (length - at > left) {
      at += left;
      const PointF cut(REAL(a.X + dx * at / length), REAL(a.Y + dy * at / length));
      if (inDash) {
        current.points.push_back(cut);
        pieces->push_back(std::move(current));
        current = DashPiece();
      } else {
        current.points.push_back(cut);
      }
      inDash = !inDash;
      entry = (entry + 1) % pattern.size();
      left = pattern[entry];
    }
    left -= length - at;
    if (inDash) current.points.push_back(b);
  }
  if (inDash && current.points.size() >= 2) pieces->push_back(std::move(current));
  return true;
}

}  // namespace Gdiplus
