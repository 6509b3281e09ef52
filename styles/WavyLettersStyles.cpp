#include "WavyLettersStyles.h"

#include "TextFrame.h"

namespace MirelGlyphward {

using namespace Gdiplus;

namespace {

constexpr ARGB kGreenYellow = 0xFFADFF2F;

}  // namespace

void ThinWavyLettersTextGenerator::Draw(std::string text, Bitmap* bitmap) {
  TextFrame frame(text, bitmap);
  frame.SetInner(0.01f, 0.01f, 0.95f, 0.8f);
  frame.DrawBorders();
  frame.ChooseFont(30, FontStyleRegular);
  // No ground: off the outline the picture keeps its transparent start.
  const Pen outlinePen(Color(kGreenYellow), 1.0f);
  CurvedText objCurvedText = frame.LoadCurvedText();
  objCurvedText.DrawOutline(frame.g, frame.rectFBorders, frame.wText, *frame.font, outlinePen);
}

void WavyColorLettersTextGenerator::Draw(std::string text, Bitmap* bitmap) {
  TextFrame frame(text, bitmap);
  // The inner rectangle starts at the top edge, so the curves are always
  // fitted from the picture's top downward.
  frame.SetInner(0.1f, 0.0f, 0.85f, 0.8f);
  frame.DrawBorders();
  frame.ChooseFont(32, FontStyleBold);
  const Color textColor = frame.rand.NextColor(0, 120, 0, 120, 0, 120);
  const Color outsideColor(BYTE(255 - textColor.GetR()), BYTE(255 - textColor.GetG()),
                           BYTE(255 - textColor.GetB()));
  frame.ClearGround(outsideColor);
  const Pen outlinePen(textColor, 3.0f);
  CurvedText objCurvedText = frame.LoadCurvedText();
  objCurvedText.DrawOutline(frame.g, frame.rectFBorders, frame.wText, *frame.font, outlinePen);
}

}  // namespace MirelGlyphward
