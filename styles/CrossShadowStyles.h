// Letters and a copy of them shifted down and to the right; where the two
// overlap the ground shows through, leaving only the crescents of each.
#pragma once

#include "ITextGenerator.h"

namespace MirelGlyphward {

// Green letters with a light green shadow on red.
class CrossShadowTextGenerator final : public ITextGenerator {
 public:
  void Draw(std::string text, Gdiplus::Bitmap* bitmap) override;
};

// A random dark colour, a lighter shade of it for the shadow, a light ground.
class CrossShadow2TextGenerator final : public ITextGenerator {
 public:
  void Draw(std::string text, Gdiplus::Bitmap* bitmap) override;
};

}  // namespace MirelGlyphward
