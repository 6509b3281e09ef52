#include "CurvedLetterMask.h"

#include <vector>

#include "CurvedText.h"
#include "Font.h"
#include "GraphicsPath.h"
#include "StyleTestSupport.h"

namespace style_tests {

using namespace Gdiplus;

CurvedLetterMask::CurvedLetterMask(std::int32_t seed, const std::string& code, int style,
                                   INT fontStyle, const RectF& outer, const RectF& inner) {
  Seed(seed);
  rectFBorders = rand.NextBorders(outer, inner);
  const std::u16string fontName = rand.NextFontName(style);
  const Font font(fontName.c_str(), 200.0f, fontStyle, UnitPoint);
  std::vector<PointF> top, bottom;
  MirelGlyphward::CurvedText::LoadCurves(1, top, bottom);
  MirelGlyphward::CurvedText curved(top, bottom);
  const auto path = curved.CreatePath(rectFBorders, std::u16string(code.begin(), code.end()), font);
  letters_ = Region(path.get());
}

int CurvedLetterMask::At(int x, int y) const {
  const bool centre = letters_.IsVisible(x, y);
  for (int dy = -2; dy <= 2; ++dy)
    for (int dx = -2; dx <= 2; ++dx)
      if (letters_.IsVisible(x + dx, y + dy) != centre) return -1;
  return centre ? 1 : 0;
}

}  // namespace style_tests
