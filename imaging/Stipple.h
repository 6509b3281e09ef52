// Small round dots at random whole-pixel positions: the stipple several
// styles build letters, outlines and noise from. Under a clip, the dots it
// hides still take their engine draws; the graphics layer skips drawing them.
#pragma once

#include "GdiplusTypes.h"
#include "GraphicsPath.h"
#include "TextFrame.h"

namespace MirelGlyphward {

// `count` dots filled with `color`, each in the size x size square whose
// corner is the truncated point NextPoint(area): two engine draws per dot.
void SprinkleDots(Gdiplus::Graphics& g, const RandomClass& rand, const Gdiplus::RectF& area,
                  int count, Gdiplus::ARGB color, Gdiplus::INT size);

// Letters made only of dots on the ground already laid: n black and n / 10
// white single dots thrown at the frame and kept by the letters; then
// `bandBlack` black and n / 7 white 2 x 2 dots kept by a 3-pixel band along
// the outlines (pathLetters is widened into it); then n / 10 black and n / 7
// white single dots anywhere. n = (int)(W · H · 0.4), the picture's area
// alone deciding the budget.
void DrawStippledLetters(TextFrame& frame, Gdiplus::GraphicsPath& pathLetters,
                         int (*bandBlack)(int n));

}  // namespace MirelGlyphward
