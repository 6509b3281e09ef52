#include "BulletsStyles.h"

#include "SolidBrush.h"
#include "TextFrame.h"
#include "Tools.h"

namespace MirelGlyphward {

using namespace Gdiplus;

namespace {

void SetUpFrame(TextFrame& frame, int styleNumber) {
  frame.SetInner(0.2f, 0.2f, 0.6f, 0.6f);
  const RectF rectOuter = frame.Fraction(0.1f, 0.1f, 0.8f, 0.8f);
  frame.DrawBorders(rectOuter);
  frame.ChooseFont(styleNumber, FontStyleBold);
}

void Shoot(TextFrame& frame, const Color& lettersColor, const Color& backColor) {
  const Color holeColor = backColor;
  frame.ClearGround(backColor);
  // More and larger holes in larger pictures, but only with the logarithm of
  // the area, so that small pictures keep their letters readable.
  const float area = frame.rectImage.Width * frame.rectImage.Height;
  const int count = int(8.0f * Tools::NaturalLog(area));
  const int maxDiameter = int(0.8f * Tools::NaturalLog(area));

  const auto pathLetters = frame.FittedPath();
  const SolidBrush lettersBrush(lettersColor);
  frame.g.FillPath(&lettersBrush, pathLetters.get());

  // The holes are not clipped to the letters: those that miss them vanish
  // into the ground.
  const SolidBrush holeBrush(holeColor);
  for (int i = 0; i < count; ++i) {
    const PointF pt = frame.rand.NextPoint(frame.rectFBorders);
    const int d = frame.rand.Next(0, maxDiameter);
    const Rect rect(int(pt.X), int(pt.Y), d, d);
    frame.g.FillEllipse(&holeBrush, rect);
  }
}

}  // namespace

void BulletsTextGenerator::Draw(std::string text, Bitmap* bitmap) {
  TextFrame frame(text, bitmap);
  SetUpFrame(frame, 48);
  Shoot(frame, Color(0xFFFF0000), Color(0xFF008000));
}

void Bullets2TextGenerator::Draw(std::string text, Bitmap* bitmap) {
  TextFrame frame(text, bitmap);
  SetUpFrame(frame, 49);
  const Color lettersColor = frame.rand.NextColor(0, 100, 0, 100, 0, 100);
  const Color backColor(BYTE(255 - lettersColor.GetR()), BYTE(255 - lettersColor.GetG()),
                        BYTE(255 - lettersColor.GetB()));
  Shoot(frame, lettersColor, backColor);
}

}  // namespace MirelGlyphward
