// Letters that show only as the places where a grid of coloured lines turns
// thick: the lines are 4 pixels wide inside the letter shapes and 1 pixel
// wide everywhere else, and nothing else is drawn.
#pragma once

#include "ITextGenerator.h"

namespace MirelGlyphward {

// Every line a shade of one primary colour.
class ThickThinLinesTextGenerator final : public ITextGenerator {
 public:
  void Draw(std::string text, Gdiplus::Bitmap* bitmap) override;
};

// Every line a colour of its own, no channel darker than 50.
class ThickThinLines2TextGenerator final : public ITextGenerator {
 public:
  void Draw(std::string text, Gdiplus::Bitmap* bitmap) override;
};

}  // namespace MirelGlyphward
