// Letters drawn only as concentric rings 3 pixels apart about one random
// point: fingerprint ridges inside the letters on white, or dartboard rings
// over the whole picture that change colour and weight at the letter edges.
#pragma once

#include "ITextGenerator.h"

namespace MirelGlyphward {

class DartsTextGenerator final : public ITextGenerator {
 public:
  void Draw(std::string text, Gdiplus::Bitmap* bitmap) override;
};

class FingerPrintsTextGenerator final : public ITextGenerator {
 public:
  void Draw(std::string text, Gdiplus::Bitmap* bitmap) override;
};

}  // namespace MirelGlyphward
