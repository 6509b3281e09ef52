// Solid black letters on white, each stretched into its own slot and pushed
// into its neighbour, so that the word fuses into one black mass.
#pragma once

#include "ITextGenerator.h"

namespace MirelGlyphward {

class BlackOverlapTextGenerator final : public ITextGenerator {
 public:
  void Draw(std::string text, Gdiplus::Bitmap* bitmap) override;
};

}  // namespace MirelGlyphward
