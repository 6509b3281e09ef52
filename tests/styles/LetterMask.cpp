#include "LetterMask.h"

#include "Font.h"
#include "GraphicsPath.h"
#include "StyleTestSupport.h"
#include "Tools.h"

namespace style_tests {

using namespace Gdiplus;

LetterMask::LetterMask(std::int32_t seed, const std::string& code, int style, INT fontStyle,
                       const RectF& outer, const RectF& inner) {
  Seed(seed);
  rectFBorders = rand.NextBorders(outer, inner);
  const std::u16string fontName = rand.NextFontName(style);
  const Font font(fontName.c_str(), 200.0f, fontStyle, UnitPoint);
  GraphicsPath path(FillModeAlternate);
  MirelGlyphward::Tools::AddFittedString(std::u16string(code.begin(), code.end()), font,
                                         rectFBorders, &path);
  letters_ = Region(&path);
}

int LetterMask::At(int x, int y) const {
  const bool centre = letters_.IsVisible(x, y);
  for (int dy = -1; dy <= 1; ++dy)
    for (int dx = -1; dx <= 1; ++dx)
      if (letters_.IsVisible(x + dx, y + dy) != centre) return -1;
  return centre ? 1 : 0;
}

}  // namespace style_tests
