// Pale curved letters on a dark ground of the complementary colour, wrapped
// in a glow that fades in steps from the letter edges into the ground.
#pragma once

#include "ITextGenerator.h"

namespace MirelGlyphward {

class GhostlyTextGenerator final : public ITextGenerator {
 public:
  void Draw(std::string text, Gdiplus::Bitmap* bitmap) override;
};

}  // namespace MirelGlyphward
