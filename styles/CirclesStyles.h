// Black letters and a row of black discs on white; where a letter and a
// disc overlap the colour flips back to white.
#pragma once

#include "ITextGenerator.h"

namespace Gdiplus {
class GraphicsPath;
}

namespace MirelGlyphward {

class CirclesTextGenerator final : public ITextGenerator {
 public:
  void Draw(std::string text, Gdiplus::Bitmap* bitmap) override;

 private:
  // Adds the discs, marching from left to right across the bitmap, to path.
  static void CreateCircles(Gdiplus::Bitmap* bitmap, Gdiplus::GraphicsPath* path);
};

}  // namespace MirelGlyphward
