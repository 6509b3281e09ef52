// Ordinary typeset text in bold "Courier New", for the styles that draw the
// code with a string drawing call instead of an outline: sized by the fitting
// walk to a width, kept below the top of the picture, drawn centred in one
// colour.
#pragma once

#include <string>

#include "FontFitting.h"
#include "GdiplusTypes.h"
#include "Graphics.h"

namespace MirelGlyphward {

// The picture's full width from 15 % of its height down to the bottom.
Gdiplus::RectF LowerTextBand(Gdiplus::UINT width, Gdiplus::UINT height);

// The fitting walk for bold Courier New from startSize, against width.
FittedFont FitCourier(const Gdiplus::Graphics& g, const std::u16string& text,
                      Gdiplus::REAL startSize, Gdiplus::REAL width);

// The whole text centred both ways in layoutRect, filled with a confetti
// hatch whose two colours are both `color`.
void DrawCentredText(Gdiplus::Graphics& g, const std::u16string& text, const Gdiplus::Font* font,
                     const Gdiplus::RectF& layoutRect, Gdiplus::ARGB color);

}  // namespace MirelGlyphward
