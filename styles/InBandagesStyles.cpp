#include "InBandagesStyles.h"

#include <vector>

#include "LetterCuts.h"
#include "Pen.h"
#include "Region.h"
#include "SolidBrush.h"
#include "TextFrame.h"
#include "Tools.h"

namespace MirelGlyphward {

using namespace Gdiplus;

namespace {

constexpr ARGB kWhite = 0xFFFFFFFF;
constexpr ARGB kWebLetters = 0xFF0000FF;
constexpr ARGB kWebGround = 0xFFFFFFE0;

constexpr float kBandageLineFactor = 1.1f;
constexpr float kBandageWidth = 3.1f;
constexpr float kWebLineFactor = 3.6f;
constexpr float kWebLineWidth = 1.0f;
constexpr float kWebRingWidth = 0.5f;
constexpr float kWebRingStep = 5.0f;
// Far enough to reach every part of the letters in pictures of usual size.
constexpr float kWebRingLimit = 888.0f;

void SetUpFrame(TextFrame& frame, int styleNumber) {
  frame.SetInner(0.2f, 0.2f, 0.6f, 0.6f);
  frame.DrawBorders();
  frame.ChooseFont(styleNumber, FontStyleBold);
}

Color Complement(const Color& color) {
  return Color(BYTE(255 - color.GetR()), BYTE(255 - color.GetG()), BYTE(255 - color.GetB()));
}

// Rings on whole-pixel squares: each square's corner is truncated on its
// own, so the rings sit slightly unevenly around the centre.
void DrawIntegerRings(Graphics& g, const PointF& center, const Color& color) {
  const Pen pen(color, kWebRingWidth);
  for (float r = 0.0f; r < kWebRingLimit; r += kWebRingStep) {
    const RectF rectF(center.X - r, center.Y - r, 2 * r, 2 * r);
    g.DrawEllipse(&pen, Tools::ToRect(rectF));
  }
}

}  // namespace

void InBandagesTextGenerator::Draw(std::string text, Bitmap* bitmap) {
  TextFrame frame(text, bitmap);
  SetUpFrame(frame, 43);
  std::vector<ColoredLine> arrLines;
  CreateLines(*bitmap, kBandageLineFactor, kWhite, arrLines);
  const auto pathLetters = frame.FittedPath();
  const Color letterColor = frame.rand.NextColor(0, 100, 0, 100, 0, 100);
  const Color backColor = Complement(letterColor);

  frame.ClearGround(backColor);
  const SolidBrush lettersBrush(letterColor);
  frame.g.FillPath(&lettersBrush, pathLetters.get());
  // Unclipped: on the ground the strips vanish, across the letters they cut.
  DrawLines(frame.g, arrLines, backColor, kBandageWidth);
}

void SpiderWebTextGenerator::Draw(std::string text, Bitmap* bitmap) {
  TextFrame frame(text, bitmap);
  SetUpFrame(frame, 41);
  std::vector<ColoredLine> arrLines;
  CreateLines(*bitmap, kWebLineFactor, kWhite, arrLines);
  const auto pathLetters = frame.FittedPath();
  const Region rgnLetters(pathLetters.get());
  const Color letterColor(kWebLetters), backColor(kWebGround);
  const PointF ptCenter = frame.rand.NextPoint(frame.rectFBorders);

  frame.ClearGround(backColor);
  const SolidBrush lettersBrush(letterColor);
  frame.g.FillPath(&lettersBrush, pathLetters.get());
  frame.g.SetClip(&rgnLetters, CombineModeIntersect);
  DrawLines(frame.g, arrLines, backColor, kWebLineWidth);
  DrawIntegerRings(frame.g, ptCenter, backColor);
  frame.g.ResetClip();
}

}  // namespace MirelGlyphward
