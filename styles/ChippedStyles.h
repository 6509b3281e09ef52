// Letters made of short random Bézier scribbles: dense inside the letters,
// chipped by scribbles of the ground colour, sharpened along the outlines,
// and scattered over the whole picture as noise. Chipped draws large green
// scribbles on light yellow, Corrosion small dense orange-red ones on silver.
#pragma once

#include "ITextGenerator.h"

namespace MirelGlyphward {

class ChippedTextGenerator final : public ITextGenerator {
 public:
  void Draw(std::string text, Gdiplus::Bitmap* bitmap) override;
};

class CorrosionTextGenerator final : public ITextGenerator {
 public:
  void Draw(std::string text, Gdiplus::Bitmap* bitmap) override;
};

}  // namespace MirelGlyphward
