// An old engraving: the whole ground hatched with tiny double arches, drawn
// densely inside the letters and thinned out by erasing strokes around them.
#pragma once

#include "ITextGenerator.h"

namespace MirelGlyphward {

class WantedCircularTextGenerator final : public ITextGenerator {
 public:
  void Draw(std::string text, Gdiplus::Bitmap* bitmap) override;
};

}  // namespace MirelGlyphward
