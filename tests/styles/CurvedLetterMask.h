// Where the letters of a curved style lie, worked out again from the seed:
// the random frame and the font are drawn as such a style draws them, and
// the text bent between the guide curves is turned into a pixel mask. The
// engine is left right after the frame, so a test can go on with the style's
// own draws.
#pragma once

#include <cstdint>
#include <string>

#include "GdiplusTypes.h"
#include "RandomClass.h"
#include "Region.h"

namespace style_tests {

class CurvedLetterMask {
 public:
  CurvedLetterMask(std::int32_t seed, const std::string& code, int style, Gdiplus::INT fontStyle,
                   const Gdiplus::RectF& outer, const Gdiplus::RectF& inner);

  // 1 when pixel (x, y) and its neighbours up to two pixels away are all
  // inside the letters, 0 when all are outside, -1 near an edge, where
  // anti-aliasing may go either way.
  int At(int x, int y) const;

  MirelGlyphward::RandomClass rand;
  Gdiplus::RectF rectFBorders;

 private:
  Gdiplus::Region letters_;
};

}  // namespace style_tests
