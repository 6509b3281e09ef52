#include "Chess3DStyles.h"

#include "ChessFloor.h"
#include "TextFrame.h"

namespace MirelGlyphward {

using namespace Gdiplus;

void Chess3DTextGenerator::Draw(std::string text, Bitmap* bitmap) {
  TextFrame frame(text, bitmap);
  frame.SetInner(0.2f, 0.2f, 0.5f, 0.5f);
  const RectF rectOuter = frame.Fraction(0.05f, 0.05f, 0.8f, 0.8f);
  frame.DrawBorders(rectOuter);
  frame.ChooseFont(9, FontStyleBold);
  const auto pathLetters = frame.FittedPath();
  // No ground: the warped board reaches past every edge of the picture.
  PaintChessFloor(frame.g, frame.rand, frame.rectImage, *pathLetters);
}

}  // namespace MirelGlyphward
