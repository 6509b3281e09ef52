// Only the outline of the text, bent along the guide curves so that the
// line of letters swells and waves; no fill and no noise.
#pragma once

#include "ITextGenerator.h"

namespace MirelGlyphward {

// A thin green-yellow outline on the untouched, transparent picture.
class ThinWavyLettersTextGenerator final : public ITextGenerator {
 public:
  void Draw(std::string text, Gdiplus::Bitmap* bitmap) override;
};

// A thick outline in a random dark colour on its exact inverse.
class WavyColorLettersTextGenerator final : public ITextGenerator {
 public:
  void Draw(std::string text, Gdiplus::Bitmap* bitmap) override;
};

}  // namespace MirelGlyphward
