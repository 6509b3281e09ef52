#include "CaughtInNetStyles.h"

#include "LetterCuts.h"
#include "Region.h"
#include "SolidBrush.h"
#include "TextFrame.h"

namespace MirelGlyphward {

using namespace Gdiplus;

namespace {

constexpr float kLineFactor = 3.0f;
constexpr float kNetWidth = 1.5f;
constexpr float kRingStep = 5.0f;
// Far enough to reach every part of the letters in pictures of usual size.
constexpr float kRingLimit = 888.0f;

constexpr ARGB kDarkBlue = 0xFF000096;

Color Complement(const Color& color) {
  return Color(BYTE(255 - color.GetR()), BYTE(255 - color.GetG()), BYTE(255 - color.GetB()));
}

void DrawCaughtInNet(const std::string& text, Bitmap* bitmap, int fontChooser, bool randomColors) {
  TextFrame frame(text, bitmap);
  frame.SetInner(0.0f, 0.0f, 0.9f, 0.9f);
  frame.DrawBorders();
  frame.ChooseFont(fontChooser, FontStyleBold);

  std::vector<ColoredLine> arrLines;
  CreateLines(*bitmap, kLineFactor, 0xFFFFFFFF, arrLines);

  CurvedText objCurvedText = frame.LoadCurvedText();
  const std::shared_ptr<GraphicsPath> pathLetters =
      objCurvedText.CreatePath(frame.rectFBorders, frame.wText, *frame.font);
  const Region rgnLetters(pathLetters.get());

  Color letterColor, backColor;
  if (randomColors) {
    letterColor = frame.rand.NextColor(0, 100, 0, 100, 0, 100);
    backColor = Complement(letterColor);
  } else {
    backColor = Color(kDarkBlue);
    letterColor = Complement(backColor);
  }
  const PointF ptCenter = frame.rand.NextPoint(frame.rectFBorders);

  frame.ClearGround(backColor);
  const SolidBrush lettersBrush(letterColor);
  frame.g.FillPath(&lettersBrush, pathLetters.get());
  frame.g.SetClip(&rgnLetters, CombineModeIntersect);
  DrawLines(frame.g, arrLines, backColor, kNetWidth);
  DrawRings(frame.g, ptCenter, kRingStep, kRingLimit, backColor, kNetWidth);
}

}  // namespace

void CaughtInNetTextGenerator::Draw(std::string text, Bitmap* bitmap) {
  DrawCaughtInNet(text, bitmap, 46, false);
}

void CaughtInNet2TextGenerator::Draw(std::string text, Bitmap* bitmap) {
  DrawCaughtInNet(text, bitmap, 47, true);
}

}  // namespace MirelGlyphward
