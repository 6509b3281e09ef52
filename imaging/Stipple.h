// Small round dots at random whole-pixel positions: the stipple several
// styles build letters, outlines and noise from. Under a clip, the dots it
// hides still take their engine draws; the graphics layer skips drawing them.
#pragma once

#include "GdiplusTypes.h"
#include "Graphics.h"
#include "RandomClass.h"

namespace MirelGlyphward {

// `count` dots filled with `color`, each in the size x size square whose
// corner is the truncated point NextPoint(area): two engine draws per dot.
void SprinkleDots(Gdiplus::Graphics& g, const RandomClass& rand, const Gdiplus::RectF& area,
                  int count, Gdiplus::ARGB color, Gdiplus::INT size);

}  // namespace MirelGlyphward
