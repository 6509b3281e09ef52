#include "TypesetText.h"

#include "HatchBrush.h"
#include "StringFormat.h"

namespace MirelGlyphward {

using namespace Gdiplus;

RectF LowerTextBand(UINT width, UINT height) {
  // The top edge is taken in float, the height in whole pixels, so the band
  // may reach up to a pixel past the bottom.
  return RectF(0.0f, 15.0f * REAL(height) / 100.0f, REAL(width),
               REAL(height - 15u * height / 100u));
}

FittedFont FitCourier(const Graphics& g, const std::u16string& text, REAL startSize, REAL width) {
  return FitFontToWidth(g, text, u"Courier New", FontStyleBold, startSize, width);
}

void DrawCentredText(Graphics& g, const std::u16string& text, const Font* font,
                     const RectF& layoutRect, ARGB color) {
  StringFormat format(0, 0);
  format.SetLineAlignment(StringAlignmentCenter);
  format.SetAlignment(StringAlignmentCenter);
  const HatchBrush brush(HatchStyleSmallConfetti, Color(color), Color(color));
  g.DrawString(text.c_str(), INT(text.size()), font, layoutRect, &format, &brush);
}

}  // namespace MirelGlyphward
