#include "HaloStyles.h"

#include "LetterGlow.h"

namespace MirelGlyphward {

using namespace Gdiplus;

void HaloTextGenerator::Draw(std::string text, Bitmap* bitmap) {
  TextFrame frame(text, bitmap);
  frame.SetInner(0.2f, 0.2f, 0.6f, 0.6f);
  const RectF rectOuter = frame.Fraction(0.1f, 0.1f, 0.8f, 0.7f);
  frame.DrawBorders(rectOuter);
  frame.ChooseFont(19, FontStyleRegular);

  // A copy at 0.15 of the size gives a glow a few pixels wide.
  const std::unique_ptr<GraphicsPath> path = frame.FittedPath();
  DrawGlowingLetters(frame, *path, 0.15f);
}

}  // namespace MirelGlyphward
