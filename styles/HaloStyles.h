// Black letters on a black ground, made readable by a soft red glow: the
// letters are drawn small in red and stretched back over the picture, which
// blurs them into a halo around the sharp black letters drawn on top.
#pragma once

#include "ITextGenerator.h"

namespace MirelGlyphward {

class HaloTextGenerator final : public ITextGenerator {
 public:
  void Draw(std::string text, Gdiplus::Bitmap* bitmap) override;
};

}  // namespace MirelGlyphward
