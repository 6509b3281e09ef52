// Places the characters of a text for AddString, DrawString and
// MeasureString: lines broken at line feeds (and at spaces when a layout
// width is given and wrapping is allowed), advances from the unhinted design
// metrics without kerning, StringFormat alignment in the layout rectangle.
#pragma once

#include <vector>

#include "GdiplusTypes.h"

namespace Gdiplus {

class FontFace;
class StringFormat;
struct GlyphOutline;

struct GlyphPlacement {
  const GlyphOutline* glyph = nullptr;
  // Pen position on the baseline, in world units.
  REAL x = 0;
  REAL baseline = 0;
};

struct TextLayout {
  std::vector<GlyphPlacement> glyphs;
  // The text box (padding included), in world units, placed by the alignments.
  RectF box;
  INT codepointsFitted = 0;
  INT linesFilled = 0;
};

// layout.Width or layout.Height of 0 means unbounded in that direction (the
// point-origin form). emSize is the em height in world units; padding adds
// emSize/6 on the left and right as GDI+ does for non-typographic formats.
// Fails with InvalidParameter on a null face or non-finite arguments.
Status LayoutText(const FontFace& face, REAL emSize, const WCHAR* text, INT length,
                  const RectF& layout, const StringFormat* format, bool padding, TextLayout* out);

}  // namespace Gdiplus
