// Letters rebuilt from the rectangles that make up their region, each grown a
// little and filled in a colour that changes every so many rectangles, so
// the letters show as stacked bars in bands of colour from top to bottom.
#pragma once

#include "ITextGenerator.h"

namespace MirelGlyphward {

// Dark bricks on a light ground; every second brick grown by a random amount.
class LegoTextGenerator final : public ITextGenerator {
 public:
  void Draw(std::string text, Gdiplus::Bitmap* bitmap) override;
};

// Even stripes of any colour on white; every bar grown by the same amount.
class StrippyTextGenerator final : public ITextGenerator {
 public:
  void Draw(std::string text, Gdiplus::Bitmap* bitmap) override;
};

}  // namespace MirelGlyphward
