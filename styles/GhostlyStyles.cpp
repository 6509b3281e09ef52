#include "GhostlyStyles.h"

#include <algorithm>

#include "SolidBrush.h"
#include "TextFrame.h"

namespace MirelGlyphward {

using namespace Gdiplus;

void GhostlyTextGenerator::Draw(std::string text, Bitmap* bitmap) {
  TextFrame frame(text, bitmap);
  frame.SetInner(0.1f, 0.0f, 0.85f, 0.8f);
  frame.DrawBorders();
  frame.ChooseFont(44, FontStyleRegular);
  CurvedText objCurvedText = frame.LoadCurvedText();

  const Color lineColor = frame.rand.NextColor(170, 250, 170, 250, 170, 250);
  const int lineR = lineColor.GetR(), lineG = lineColor.GetG(), lineB = lineColor.GetB();
  const int backR = 255 - lineR, backG = 255 - lineG, backB = 255 - lineB;
  const Color backColor{BYTE(backR), BYTE(backG), BYTE(backB)};
  frame.ClearGround(backColor);

  const SolidBrush lineBrush(lineColor);
  const Pen linePen(lineColor, 1.0f);
  objCurvedText.DrawOutlineAndFill(frame.g, frame.rectFBorders, frame.wText, *frame.font, linePen,
                                   lineBrush);

  // One stroke per 2.7 pixels of the smaller side, widest and darkest first,
  // so that each narrower, lighter stroke stays visible on the one below.
  const float divisor = 2.7f;
  const int n = int(std::min(frame.rectImage.Width, frame.rectImage.Height) / divisor);
  for (int i = n; i >= 1; --i) {
    // The channel step is truncated before it is scaled, so the widest
    // stroke only comes close to the ground colour.
    const int red = lineR + ((backR - lineR) / n) * i;
    const int green = lineG + ((backG - lineG) / n) * i;
    const int blue = lineB + ((backB - lineB) / n) * i;
    const Pen pen{Color(BYTE(red), BYTE(green), BYTE(blue)), REAL(i)};
    objCurvedText.DrawOutline(frame.g, frame.rectFBorders, frame.wText, *frame.font, pen);
  }
}

}  // namespace MirelGlyphward
