#include "RasterThinLine.h"

#include <algorithm>
#include <cmath>

#include "RenderTarget.h"

namespace Gdiplus {

namespace {

// The pixel whose centre is nearest: halves go to the larger index. Lines
// light a pixel per step, so the floor is taken without a library call
// where the value is safely inside long long.
long long Nearest(double v) {
  const double x = v + 0.5;
  if (!(std::fabs(x) < 4.0e18)) return (long long)std::floor(x);
  const long long t = (long long)x;
  return double(t) > x ? t - 1 : t;
}

}  // namespace

void ThinLineRasterizer::Draw(const RasterPath& path, bool includeEnds, RenderTarget& target) {
  const auto& points = path.Points();
  for (const RasterFigure& figure : path.Figures()) {
    const std::uint32_t count = figure.end - figure.begin;
    if (count < 2) continue;
    hasLast_ = false;
    const std::uint32_t segments = figure.closed ? count : count - 1;
    for (std::uint32_t s = 0; s < segments; ++s) {
      const bool last = s + 1 == segments;
      Segment(points[figure.begin + s], points[figure.begin + (last && figure.closed ? 0 : s + 1)],
              includeEnds || figure.closed || !last, target);
    }
  }
}

void ThinLineRasterizer::Segment(const RasterPoint& a, const RasterPoint& b, bool includeEnd,
                                 RenderTarget& target) {
  const Rect& clip = target.Clip().Bounds();
  const double dx = b.x - a.x, dy = b.y - a.y;
  if (dx == 0 && dy == 0) return;
  const bool xMajor = std::fabs(dx) >= std::fabs(dy);
  const double fromMajor = xMajor ? a.x : a.y, toMajor = xMajor ? b.x : b.y;
  const double fromMinor = xMajor ? a.y : a.x;
  const double slope = xMajor ? dy / dx : dx / dy;
  const long long first = Nearest(fromMajor);
  long long last = Nearest(toMajor);
  const long long step = last >= first ? 1 : -1;
  if (!includeEnd) {
    if (last == first) return;
    last -= step;
  }
  // Only steps whose major coordinate can land inside the clip are walked.
  const long long low = xMajor ? clip.X : clip.Y;
  const long long high = low + (xMajor ? clip.Width : clip.Height) - 1;
  long long begin = first, end = last;
  if (step > 0) {
    begin = std::max(begin, low);
    end = std::min(end, high);
  } else {
    begin = std::min(begin, high);
    end = std::max(end, low);
  }
  if ((end - begin) * step < 0) {
    hasLast_ = false;
    return;
  }
  const double spanLow = std::min(fromMajor, toMajor), spanHigh = std::max(fromMajor, toMajor);
  for (long long major = begin;; major += step) {
    // The minor coordinate where the line crosses the major pixel centre,
    // held to the segment's own span at its ends.
    const double along = std::clamp(double(major), spanLow, spanHigh);
    const long long minor = Nearest(fromMinor + (along - fromMajor) * slope);
    Plot(xMajor ? major : minor, xMajor ? minor : major, target);
    if (major == end) break;
  }
}

void ThinLineRasterizer::Plot(long long x, long long y, RenderTarget& target) {
  if (hasLast_ && x == lastX_ && y == lastY_) return;
  lastX_ = x;
  lastY_ = y;
  hasLast_ = true;
  // Coordinates stay within RasterPath::kMaxCoordinate, well inside INT.
  target.BlendDot(INT(x), INT(y));
}

}  // namespace Gdiplus
