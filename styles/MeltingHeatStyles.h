// Black curved letters on black, found only by the soft red glow of a
// small red copy of them stretched over the whole picture.
#pragma once

#include "ITextGenerator.h"

namespace MirelGlyphward {

class MeltingHeatTextGenerator final : public ITextGenerator {
 public:
  void Draw(std::string text, Gdiplus::Bitmap* bitmap) override;
};

}  // namespace MirelGlyphward
