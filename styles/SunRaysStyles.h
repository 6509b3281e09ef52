// Letters hatched by a fan of thin rays bursting from one point: red rays on
// a green-yellow ground, or a dark random colour on its exact inverse.
#pragma once

#include "ITextGenerator.h"

namespace MirelGlyphward {

class SunRaysTextGenerator final : public ITextGenerator {
 public:
  void Draw(std::string text, Gdiplus::Bitmap* bitmap) override;
};

class SunRays2TextGenerator final : public ITextGenerator {
 public:
  void Draw(std::string text, Gdiplus::Bitmap* bitmap) override;
};

}  // namespace MirelGlyphward
