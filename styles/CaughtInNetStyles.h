// Solid curved letters caught in a net: thin lines from top to bottom and
// rings around a point of the text, all in the ground colour and clipped to
// the letters, so the ground itself stays plain.
#pragma once

#include "ITextGenerator.h"

namespace MirelGlyphward {

// Light yellow letters on dark blue.
class CaughtInNetTextGenerator final : public ITextGenerator {
 public:
  void Draw(std::string text, Gdiplus::Bitmap* bitmap) override;
};

// Random dark letters on their complement.
class CaughtInNet2TextGenerator final : public ITextGenerator {
 public:
  void Draw(std::string text, Gdiplus::Bitmap* bitmap) override;
};

}  // namespace MirelGlyphward
