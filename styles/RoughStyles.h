// Letters spattered with dots: stippled from tiny black and white dots on
// white, or green-yellow letters splashed with blobs of their own colour on
// a tomato-red ground.
#pragma once

#include "ITextGenerator.h"

namespace MirelGlyphward {

class PaintMessTextGenerator final : public ITextGenerator {
 public:
  void Draw(std::string text, Gdiplus::Bitmap* bitmap) override;
};

class RoughTextGenerator final : public ITextGenerator {
 public:
  void Draw(std::string text, Gdiplus::Bitmap* bitmap) override;
};

}  // namespace MirelGlyphward
