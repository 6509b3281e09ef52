#include "WavyChessStyles.h"

#include "ChessFloor.h"
#include "TextFrame.h"

namespace MirelGlyphward {

using namespace Gdiplus;

void WavyChessTextGenerator::Draw(std::string text, Bitmap* bitmap) {
  TextFrame frame(text, bitmap);
  // The inner top lies above the picture, so the text may start above it.
  frame.SetInner(0.1f, -0.1f, 0.75f, 0.8f);
  frame.DrawBorders();
  frame.UseFont(frame.rand.DefaultFontName(), FontStyleBold);
  CurvedText objCurvedText = frame.LoadCurvedText();
  const auto pathLetters = objCurvedText.CreatePath(frame.rectFBorders, frame.wText, *frame.font);
  // No ground: the warped board reaches past every edge of the picture.
  PaintChessFloor(frame.g, frame.rand, frame.rectImage, *pathLetters);
}

}  // namespace MirelGlyphward
