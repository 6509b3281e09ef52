#include "CrossShadowStyles.h"

#include "Region.h"
#include "SolidBrush.h"
#include "TextFrame.h"

namespace MirelGlyphward {

using namespace Gdiplus;

namespace {

void SetUpFrame(TextFrame& frame, int styleNumber) {
  frame.SetInner(0.2f, 0.2f, 0.6f, 0.6f);
  // The outer frame leaves the right and bottom tenth free for the shadow.
  const RectF rectOuter = frame.Fraction(0.0f, 0.0f, 0.9f, 0.9f);
  frame.DrawBorders(rectOuter);
  frame.ChooseFont(styleNumber, FontStyleBold);
}

void DrawWithShadow(TextFrame& frame, const Color& lettersColor, const Color& shadowColor,
                    const Color& intersectColor) {
  frame.ClearGround(intersectColor);
  // Relative to the picture, not to the text.
  const float shift = 0.04f;
  const auto pathLetters = frame.FittedPath();
  const Region rgnLetters(pathLetters.get());
  Region rgnShadow(pathLetters.get());
  rgnShadow.Translate(frame.rectImage.Width * shift, frame.rectImage.Height * shift);

  const SolidBrush lettersBrush(lettersColor), shadowBrush(shadowColor),
      intersectBrush(intersectColor);
  frame.g.FillRegion(&lettersBrush, &rgnLetters);
  frame.g.FillRegion(&shadowBrush, &rgnShadow);
  Region rgnIntersect(pathLetters.get());
  rgnIntersect.Intersect(&rgnShadow);
  frame.g.FillRegion(&intersectBrush, &rgnIntersect);
}

}  // namespace

void CrossShadowTextGenerator::Draw(std::string text, Bitmap* bitmap) {
  TextFrame frame(text, bitmap);
  SetUpFrame(frame, 26);
  DrawWithShadow(frame, Color(0xFF008000), Color(0xFF90EE90), Color(0xFFFF0000));
}

void CrossShadow2TextGenerator::Draw(std::string text, Bitmap* bitmap) {
  TextFrame frame(text, bitmap);
  SetUpFrame(frame, 27);
  // Channels of at most 135 keep the shadow's 1.5-fold shade within 202 and
  // start at 1 so that the ground's 256 - c stays within a byte.
  const float factor = 1.5f;
  const int maxC = int(256.0 / 1.5 * 0.8);
  const Color lettersColor = frame.rand.NextColor(1, maxC, 1, maxC, 1, maxC);
  const int r = lettersColor.GetR(), g = lettersColor.GetG(), b = lettersColor.GetB();
  const Color shadowColor(BYTE(int(float(r) * factor)), BYTE(int(float(g) * factor)),
                          BYTE(int(float(b) * factor)));
  const Color intersectColor(BYTE(256 - r), BYTE(256 - g), BYTE(256 - b));
  DrawWithShadow(frame, lettersColor, shadowColor, intersectColor);
}

}  // namespace MirelGlyphward
