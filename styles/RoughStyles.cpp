#include "RoughStyles.h"

#include "Stipple.h"
#include "Pen.h"
#include "SolidBrush.h"
#include "TextFrame.h"
#include "Tools.h"

namespace MirelGlyphward {

using namespace Gdiplus;

namespace {

constexpr ARGB kBlack = 0xFF000000;
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
  // The budget follows the picture's area alone, whatever the code's length.
  const int n = int(frame.rectImage.Width * frame.rectImage.Height * 0.4f);
  std::unique_ptr<GraphicsPath> path = frame.FittedPath();

  // Letter bodies: dots are thrown over the whole frame and the letter clip
  // keeps those that fall on a letter; there is no solid fill.
  frame.g.SetClip(path.get(), CombineModeReplace);
  SprinkleDots(frame.g, frame.rand, frame.rectFBorders, n, kBlack, 1);
  SprinkleDots(frame.g, frame.rand, frame.rectFBorders, n / 10, kWhite, 1);
  frame.g.ResetClip();

  // Larger dots on a band along the outlines roughen the letter edges.
  const Pen pen{Color(kWhite), 3.0f};
  path->Widen(&pen, nullptr, 0.25f);
  frame.g.SetClip(path.get(), CombineModeReplace);
  SprinkleDots(frame.g, frame.rand, frame.rectFBorders, n / 10, kBlack, 2);
  SprinkleDots(frame.g, frame.rand, frame.rectFBorders, n / 7, kWhite, 2);
  frame.g.ResetClip();

  // Grain over the whole picture, letters included.
  SprinkleDots(frame.g, frame.rand, frame.rectImage, n / 10, kBlack, 1);
  SprinkleDots(frame.g, frame.rand, frame.rectImage, n / 7, kWhite, 1);
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
