// The code drawn flat over a chessboard seen in perspective, inverting the
// squares beneath it.
#pragma once

#include "ITextGenerator.h"

namespace MirelGlyphward {

class Chess3DTextGenerator final : public ITextGenerator {
 public:
  void Draw(std::string text, Gdiplus::Bitmap* bitmap) override;
};

}  // namespace MirelGlyphward
