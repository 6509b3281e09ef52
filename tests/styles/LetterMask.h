// Where the letters of a flat style lie, worked out again from the seed: the
// engine is seeded, the random frame and the font are drawn as such a style
// draws them, and the fitted outline is turned into a pixel mask. The engine
// is left right after the frame, so a test can go on with the style's own
// draws to learn where its shapes went.
#pragma once

#include <cstdint>
#include <string>

#include "GdiplusTypes.h"
#include "RandomClass.h"
#include "Region.h"

namespace style_tests {

class LetterMask {
 public:
  LetterMask(std::int32_t seed, const std::string& code, int style, Gdiplus::INT fontStyle,
             const Gdiplus::RectF& outer, const Gdiplus::RectF& inner);

  // 1 when pixel (x, y) and its eight neighbours are all inside the letters,
  // 0 when all are outside, -1 on an edge, where anti-aliasing or rounding
  // may go either way.
  int At(int x, int y) const;

  MirelGlyphward::RandomClass rand;
  Gdiplus::RectF rectFBorders;

 private:
  Gdiplus::Region letters_;
};

}  // namespace style_tests
