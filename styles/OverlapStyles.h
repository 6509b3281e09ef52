// Black outline letters on white, each stretched into its own slot and
// pushed into its left neighbour, so that neighbouring outlines cross and
// the word has no gaps to cut it at. The two styles differ only in the
// number they give the font chooser.
#pragma once

#include "ITextGenerator.h"

namespace MirelGlyphward {

class OverlapTextGenerator final : public ITextGenerator {
 public:
  void Draw(std::string text, Gdiplus::Bitmap* bitmap) override;
};

class Overlap2TextGenerator final : public ITextGenerator {
 public:
  void Draw(std::string text, Gdiplus::Bitmap* bitmap) override;
};

}  // namespace MirelGlyphward
