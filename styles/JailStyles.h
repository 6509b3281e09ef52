// Typeset bold typewriter text that no random choice touches: black letters
// behind a grid of thin black bars, or letters drawn on a grey half-tone and
// cut into square tiles laid out again on white with gaps between them.
#pragma once

#include "ITextGenerator.h"

namespace MirelGlyphward {

class JailTextGenerator final : public ITextGenerator {
 public:
  void Draw(std::string text, Gdiplus::Bitmap* bitmap) override;
};

class SplitTextGenerator final : public ITextGenerator {
 public:
  void Draw(std::string text, Gdiplus::Bitmap* bitmap) override;
};

}  // namespace MirelGlyphward
