// The code's letters, dark, each in a face, height and tilt of its own,
// hidden in a crowd of small pale letters turned every which way on a light
// yellow ground.
#pragma once

#include "GdiplusTypes.h"
#include "ITextGenerator.h"

namespace MirelGlyphward {

class MassTextGenerator final : public ITextGenerator {
 public:
  void Draw(std::string text, Gdiplus::Bitmap* bitmap) override;

 private:
  static void DrawBackground(Gdiplus::Bitmap* bitmap, const Gdiplus::SizeF& codeLetterSize);
};

}  // namespace MirelGlyphward
