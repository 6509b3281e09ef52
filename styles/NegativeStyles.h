// Bold typewriter text over a light confetti ground peppered with single
// black pixels: white letters on a ground that the specks have turned dark,
// or black lower-case letters bobbing at random heights on a lighter one.
#pragma once

#include "ITextGenerator.h"

namespace MirelGlyphward {

class NegativeTextGenerator final : public ITextGenerator {
 public:
  void Draw(std::string text, Gdiplus::Bitmap* bitmap) override;
};

class WaveTextGenerator final : public ITextGenerator {
 public:
  void Draw(std::string text, Gdiplus::Bitmap* bitmap) override;
};

}  // namespace MirelGlyphward
