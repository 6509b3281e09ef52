// The code typeset once, as large as fits, into private bitmaps whose pixels
// are then copied into the picture: cut into a chessboard of inverted and
// plain cells, or pushed along two sine waves. Nothing here is random.
#pragma once

#include "ITextGenerator.h"

namespace MirelGlyphward {

class ChessTextGenerator final : public ITextGenerator {
 public:
  void Draw(std::string text, Gdiplus::Bitmap* bitmap) override;
};

class DistortionTextGenerator final : public ITextGenerator {
 public:
  void Draw(std::string text, Gdiplus::Bitmap* bitmap) override;
};

}  // namespace MirelGlyphward
