// Solid letters shot through: small round holes in the ground colour are
// punched at random over the text's frame.
#pragma once

#include "ITextGenerator.h"

namespace MirelGlyphward {

// Red letters on green.
class BulletsTextGenerator final : public ITextGenerator {
 public:
  void Draw(std::string text, Gdiplus::Bitmap* bitmap) override;
};

// A random dark letter colour on its complement.
class Bullets2TextGenerator final : public ITextGenerator {
 public:
  void Draw(std::string text, Gdiplus::Bitmap* bitmap) override;
};

}  // namespace MirelGlyphward
