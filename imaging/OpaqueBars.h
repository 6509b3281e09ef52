// Opaque integer rectangles filled one after another under anti-aliasing,
// exactly as FillRectangle fills them one by one, but without painting what a
// later rectangle covers completely anyway. Many large, heavily overlapping
// bars then cost about the area that shows rather than the sum of their
// areas; the resulting pixels are the same.
#pragma once

#include <vector>

#include "Graphics.h"

namespace MirelGlyphward {

struct OpaqueBar {
  Gdiplus::Rect rect;
  Gdiplus::Color color;
};

// Fills the bars in order on g, whose device is width x height pixels.
void FillOpaqueBars(Gdiplus::Graphics& g, const std::vector<OpaqueBar>& bars, int width,
                    int height);

}  // namespace MirelGlyphward
