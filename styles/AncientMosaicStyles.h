// Curved letters made only of dots, like a mosaic of black and white stones
// on a white ground.
#pragma once

#include "ITextGenerator.h"

namespace MirelGlyphward {

class AncientMosaicTextGenerator final : public ITextGenerator {
 public:
  void Draw(std::string text, Gdiplus::Bitmap* bitmap) override;
};

}  // namespace MirelGlyphward
