#include "ClippedDots.h"

#include <algorithm>

#include "Region.h"
#include "SolidBrush.h"
#include "Tools.h"

namespace MirelGlyphward {

using namespace Gdiplus;

ClipPixels::ClipPixels(const Graphics& g, int width, int height)
    : width_(std::max(width, 0)), height_(std::max(height, 0)) {
  Region region;
  g.GetClip(&region);
  std::vector<RectF> rects;
  Tools::GetRegionRects(region, rects);
  open_.assign(std::size_t(width_) * std::size_t(height_), 0);
  for (const RectF& r : rects) {
    // An unclipped graphics reports one rectangle far larger than the device.
    const int x0 = int(std::max(r.X, 0.0f)), x1 = int(std::min(r.GetRight(), REAL(width_)));
    const int y0 = int(std::max(r.Y, 0.0f)), y1 = int(std::min(r.GetBottom(), REAL(height_)));
    for (int y = y0; y < y1; ++y)
      if (x0 < x1) std::fill(open_.begin() + Index(x0, y), open_.begin() + Index(x1, y), 1);
  }
}

bool ClipPixels::MayShow(int x, int y, int size) const {
  const int x0 = std::max(x, 0), x1 = std::min(x + size, width_ - 1);
  const int y0 = std::max(y, 0), y1 = std::min(y + size, height_ - 1);
  for (int py = y0; py <= y1; ++py)
    for (int px = x0; px <= x1; ++px)
      if (open_[Index(px, py)]) return true;
  return false;
}

void SprinkleDots(Graphics& g, const RandomClass& rand, const RectF& area, int count, ARGB color,
                  INT size, const ClipPixels* clip) {
  const SolidBrush brush{Color(color)};
  for (int i = 0; i < count; ++i) {
    const PointF pt = rand.NextPoint(area);
    const INT x = INT(pt.X), y = INT(pt.Y);
    if (clip && !clip->MayShow(x, y, size)) continue;
    g.FillEllipse(&brush, x, y, size, size);
  }
}

}  // namespace MirelGlyphward
