// The largest font at which a text fits a width: sizes are tried one point
// apart, downward from just below a start size, and the first that fits is
// kept. Several typeset styles size their text this way.
#pragma once

#include <memory>
#include <string>

#include "Font.h"
#include "GdiplusTypes.h"
#include "Graphics.h"

namespace MirelGlyphward {

struct FittedFont {
  // The size the walk ended at, in points; not positive when no size fitted.
  Gdiplus::REAL emSize = 0;
  // The text's box measured at that size; empty when no font could be made.
  Gdiplus::SizeF size;
  // Font(familyName, emSize, fontStyle, UnitPoint); unavailable when emSize
  // is not positive.
  std::unique_ptr<Gdiplus::Font> font;
};

// Walks startSize − 1, startSize − 2, … and ends at the first size at which
// g.MeasureString of the whole text (from the origin, no format) is no wider
// than width, or at the first size that is not positive. Start sizes that
// are not finite or exceed 2^24 points, where one point is below single
// precision's resolution, are taken as 2^24 (or end the walk at once for NaN).
FittedFont FitFontToWidth(const Gdiplus::Graphics& g, const std::u16string& text,
                          const Gdiplus::WCHAR* familyName, Gdiplus::INT fontStyle,
                          Gdiplus::REAL startSize, Gdiplus::REAL width);

}  // namespace MirelGlyphward
