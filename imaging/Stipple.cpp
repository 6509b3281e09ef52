#include "Stipple.h"

#include "SolidBrush.h"

namespace MirelGlyphward {

using namespace Gdiplus;

void SprinkleDots(Graphics& g, const RandomClass& rand, const RectF& area, int count, ARGB color,
                  INT size) {
  const SolidBrush brush{Color(color)};
  for (int i = 0; i < count; ++i) {
    const PointF pt = rand.NextPoint(area);
    g.FillEllipse(&brush, INT(pt.X), INT(pt.Y), size, size);
  }
}

}  // namespace MirelGlyphward
