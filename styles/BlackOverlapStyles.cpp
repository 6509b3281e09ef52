#include "BlackOverlapStyles.h"

#include "LetterLayout.h"
#include "SolidBrush.h"
#include "TextFrame.h"

namespace MirelGlyphward {

using namespace Gdiplus;

void BlackOverlapTextGenerator::Draw(std::string text, Bitmap* bitmap) {
  TextFrame frame(text, bitmap);
  frame.SetInner(0.1f, 0.1f, 0.5f, 0.5f);
  frame.DrawBorders();
  frame.ChooseFont(16, FontStyleRegular);
  const std::vector<RectF> slots =
      OverlappingSlots(frame.rand, frame.wText, *frame.font, frame.rectFBorders);
  frame.ClearGround(Color(0xFFFFFFFF));
  const SolidBrush brush{Color(0xFF000000)};
  for (std::size_t i = 0; i < slots.size(); ++i) {
    const GraphicsPath path = FitLetter(frame.wText, i, *frame.font, slots[i]);
    frame.g.FillPath(&brush, &path);
  }
}

}  // namespace MirelGlyphward
