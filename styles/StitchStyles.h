// The letters' outlines sewn in black dots on white, with no fill.
#pragma once

#include "ITextGenerator.h"

namespace MirelGlyphward {

class StitchTextGenerator final : public ITextGenerator {
 public:
  void Draw(std::string text, Gdiplus::Bitmap* bitmap) override;
};

}  // namespace MirelGlyphward
