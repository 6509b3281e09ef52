// Solid letters torn by straight lines in the ground colour: a few thick
// strips across the whole picture that wrap the letters like bandages, or a
// fine web of lines and rings kept inside the letters.
#pragma once

#include "ITextGenerator.h"

namespace MirelGlyphward {

class InBandagesTextGenerator final : public ITextGenerator {
 public:
  void Draw(std::string text, Gdiplus::Bitmap* bitmap) override;
};

class SpiderWebTextGenerator final : public ITextGenerator {
 public:
  void Draw(std::string text, Gdiplus::Bitmap* bitmap) override;
};

}  // namespace MirelGlyphward
