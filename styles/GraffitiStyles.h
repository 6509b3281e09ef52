// Curved letters drawn as outlines over a simple ground: chalk on a dark
// board, and red graffiti over a white wall sprayed with green dots.
#pragma once

#include "ITextGenerator.h"

namespace MirelGlyphward {

class ChalkboardTextGenerator final : public ITextGenerator {
 public:
  void Draw(std::string text, Gdiplus::Bitmap* bitmap) override;
};

class Graffiti2TextGenerator final : public ITextGenerator {
 public:
  void Draw(std::string text, Gdiplus::Bitmap* bitmap) override;
};

class GraffitiTextGenerator final : public ITextGenerator {
 public:
  void Draw(std::string text, Gdiplus::Bitmap* bitmap) override;
};

}  // namespace MirelGlyphward
