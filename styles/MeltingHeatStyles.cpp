#include "MeltingHeatStyles.h"

#include "LetterGlow.h"

namespace MirelGlyphward {

using namespace Gdiplus;

void MeltingHeatTextGenerator::Draw(std::string text, Bitmap* bitmap) {
  TextFrame frame(text, bitmap);
  // The frame may start a little above the picture and always touches its
  // left side.
  frame.SetInner(0.0f, -0.1f, 0.85f, 0.8f);
  frame.DrawBorders();
  frame.ChooseFont(36, FontStyleRegular);

  // A slightly larger small copy than the flat halo's, for a narrower glow
  // that follows the bent letters.
  CurvedText objCurvedText = frame.LoadCurvedText();
  const std::shared_ptr<GraphicsPath> path =
      objCurvedText.CreatePath(frame.rectFBorders, frame.wText, *frame.font);
  DrawGlowingLetters(frame, *path, 0.19f);
}

}  // namespace MirelGlyphward
