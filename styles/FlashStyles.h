// Letters scattered one by one, each in a face, dark colour, height and tilt
// of its own, over a light yellow ground crossed by a loose grid of lines.
#pragma once

#include "ITextGenerator.h"

namespace MirelGlyphward {

class FlashTextGenerator final : public ITextGenerator {
 public:
  void Draw(std::string text, Gdiplus::Bitmap* bitmap) override;

 private:
  static void DrawBackground(Gdiplus::Bitmap* bitmap);
};

}  // namespace MirelGlyphward
