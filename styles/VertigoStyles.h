// Concentric rings over the whole picture, drawn once inside the curved
// letters and once outside them: the letters show only where the rings
// change colour and thickness.
#pragma once

#include "ITextGenerator.h"

namespace MirelGlyphward {

class VertigoTextGenerator final : public ITextGenerator {
 public:
  void Draw(std::string text, Gdiplus::Bitmap* bitmap) override;
};

class SunAndWarmAirTextGenerator final : public ITextGenerator {
 public:
  void Draw(std::string text, Gdiplus::Bitmap* bitmap) override;
};

}  // namespace MirelGlyphward
