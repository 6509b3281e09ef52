// Straight lines running from the bottom tenth of the picture to its top
// tenth, and rings around a point: drawn clipped to the letters in the
// ground colour they cut the letters without touching the ground, or in
// colours of their own they make up the letters.
#pragma once

#include <vector>

#include "Bitmap.h"
#include "GdiplusTypes.h"
#include "Graphics.h"
#include "Pen.h"

namespace MirelGlyphward {

struct ColoredLine {
  Gdiplus::ARGB color;
  Gdiplus::PointF ptBottom;  // in the bottom tenth of the picture
  Gdiplus::PointF ptTop;     // in the top tenth of the picture
};

// Appends (int)(factor · ln(W · H)) lines of colour `color`, their ends
// anywhere across the picture's width: per line the bottom point, then the
// top point (two engine draws each, y first).
void CreateLines(const Gdiplus::Bitmap& bitmap, float factor, Gdiplus::ARGB color,
                 std::vector<ColoredLine>& list);
// As CreateLines, each line with an opaque colour of its own drawn before
// its points: blue, green, red, each in [minChannel, maxChannel).
void CreateColoredLines(const Gdiplus::Bitmap& bitmap, float factor, int minChannel, int maxChannel,
                        std::vector<ColoredLine>& list);

// Every line from its top point to its bottom point, in list order, with a
// pen of the given colour and width (the lines' own colours are not used).
void DrawLines(Gdiplus::Graphics& g, const std::vector<ColoredLine>& list,
               const Gdiplus::Color& color, float width);
// Every line in its own colour, with a pen of the given width.
void DrawColoredLines(Gdiplus::Graphics& g, const std::vector<ColoredLine>& list, float width);

// Circles around center with radii 0, step, 2·step, … below limit, with a
// pen of the given colour and width.
void DrawRings(Gdiplus::Graphics& g, const Gdiplus::PointF& center, float step, float limit,
               const Gdiplus::Color& color, float width);

}  // namespace MirelGlyphward
