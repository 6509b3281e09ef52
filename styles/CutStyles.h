// Flat letters seen through straight lines that run from the top tenth of
// the picture to its bottom tenth, the lines clipped to the letters: red
// letters sliced by a few lines in the green ground colour, or letters made
// of nothing but hundreds of light-coloured strips on white.
#pragma once

#include "ITextGenerator.h"

namespace MirelGlyphward {

class CutTextGenerator final : public ITextGenerator {
 public:
  void Draw(std::string text, Gdiplus::Bitmap* bitmap) override;
};

class CollageTextGenerator final : public ITextGenerator {
 public:
  void Draw(std::string text, Gdiplus::Bitmap* bitmap) override;
};

}  // namespace MirelGlyphward
