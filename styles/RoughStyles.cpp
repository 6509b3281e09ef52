#include "RoughStyles.h"

#include "Stipple.h"
#include "SolidBrush.h"
#include "TextFrame.h"
#include "Tools.h"

namespace MirelGlyphward {

using namespace Gdiplus;

namespace {

constexpr ARGB kWhite = 0xFFFFFFFF;
constexpr ARGB kTomato = 0xFFFF6347;
constexpr ARGB kGreenYellow = 0xFFADFF2F;

}  // namespace

void RoughTextGenerator::Draw(std::string text, Bitmap* bitmap) {
  TextFrame frame(text, bitmap);
  frame.SetInner(0.2f, 0.2f, 0.6f, 0.6f);
  frame.DrawBorders();
  frame.ChooseFont(15, FontStyleRegular);
  frame.ClearGround(Color(kWhite));
  std::unique_ptr<GraphicsPath> path = frame.FittedPath();
  // Stippled letters with no solid fill; a light band of larger dots
  // roughens their edges.
  DrawStippledLetters(frame, *path, [](int n) { return n / 10; });
}

void PaintMessTextGenerator::Draw(std::string text, Bitmap* bitmap) {
  TextFrame frame(text, bitmap);
  frame.SetInner(0.2f, 0.2f, 0.6f, 0.6f);
  const RectF rectOuter = frame.Fraction(0.1f, 0.1f, 0.8f, 0.8f);
  frame.DrawBorders(rectOuter);
  frame.ChooseFont(45, FontStyleBold);
  const Color backColor(kTomato), lettersColor(kGreenYellow);
  const Color holeColor = lettersColor;
  frame.ClearGround(backColor);
  // More and larger blobs in larger pictures, but only with the logarithm of
  // the area.
  const float area = frame.rectImage.Width * frame.rectImage.Height;
  const int count = int(12.0f * Tools::NaturalLog(area));
  const int bound = int(0.8f * Tools::NaturalLog(area));

  const auto pathLetters = frame.FittedPath();
  const SolidBrush lettersBrush(lettersColor);
  frame.g.FillPath(&lettersBrush, pathLetters.get());

  // Not clipped: the blobs splash the ground around the letters as well.
  const SolidBrush holeBrush(holeColor);
  for (int i = 0; i < count; ++i) {
    const PointF pt = frame.rand.NextPoint(frame.rectFBorders);
    const int blobWidth = frame.rand.Next(0, bound);
    const int blobHeight = frame.rand.Next(0, bound);
    frame.g.FillEllipse(&holeBrush, Rect(int(pt.X), int(pt.Y), blobWidth, blobHeight));
  }
}

}  // namespace MirelGlyphward
