#include "AncientMosaicStyles.h"

#include "Stipple.h"
#include "TextFrame.h"

namespace MirelGlyphward {

using namespace Gdiplus;

namespace {

constexpr ARGB kWhite = 0xFFFFFFFF;

}  // namespace

void AncientMosaicTextGenerator::Draw(std::string text, Bitmap* bitmap) {
  TextFrame frame(text, bitmap);
  frame.SetInner(0.1f, 0.1f, 0.85f, 0.8f);
  frame.DrawBorders();
  frame.ChooseFont(33, FontStyleRegular);
  frame.ClearGround(Color(kWhite));
  CurvedText objCurvedText = frame.LoadCurvedText();
  std::shared_ptr<GraphicsPath> path =
      objCurvedText.CreatePath(frame.rectFBorders, frame.wText, *frame.font);
  // Bent letters of small stones, with a dense band of larger black ones
  // along the outlines.
  DrawStippledLetters(frame, *path, [](int n) { return n / 2; });
}

}  // namespace MirelGlyphward
