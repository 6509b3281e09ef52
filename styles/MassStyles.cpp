#include "MassStyles.h"

#include <string>

#include "Font.h"
#include "Graphics.h"
#include "GraphicsPath.h"
#include "LetterLayout.h"
#include "Matrix.h"
#include "RandomClass.h"
#include "SolidBrush.h"
#include "TextFrame.h"
#include "Tools.h"

namespace MirelGlyphward {

using namespace Gdiplus;

namespace {

constexpr int kStyleNumber = 14;
constexpr int kLetterChannelEnd = 120;
constexpr int kCrowdChannelMin = 170;
constexpr int kCrowdChannelEnd = 256;
constexpr float kCrowdSizeMin = 0.3f;
constexpr float kCrowdSizeMax = 0.7f;
constexpr float kCrowdDensity = 0.007f;
constexpr REAL kEmSize = 200.0f;
constexpr ARGB kGround = 0xFFFFFFE0;

}  // namespace

void MassTextGenerator::DrawBackground(Bitmap* bitmap, const SizeF& codeLetterSize) {
  Graphics g(bitmap);
  const RectF rectImage(0, 0, REAL(bitmap->GetWidth()), REAL(bitmap->GetHeight()));
  const RandomClass rand;
  const SizeF smallLetterSizeMin(codeLetterSize.Width * kCrowdSizeMin,
                                 codeLetterSize.Height * kCrowdSizeMin);
  const SizeF smallLetterSizeMax(codeLetterSize.Width * kCrowdSizeMax,
                                 codeLetterSize.Height * kCrowdSizeMax);
  const int count = int(rectImage.Width * rectImage.Height * kCrowdDensity);
  g.Clear(Color(kGround));

  GraphicsPath path;
  Matrix matrix;
  for (int i = 0; i < count; ++i) {
    const std::u16string fontName = rand.NextFontName(kStyleNumber);
    const Font font(fontName.c_str(), kEmSize, FontStyleRegular, UnitPoint);
    SizeF letterSize;
    letterSize.Height = rand.NextFloat(smallLetterSizeMin.Height, smallLetterSizeMax.Height);
    letterSize.Width = rand.NextFloat(smallLetterSizeMin.Width, smallLetterSizeMax.Width);
    const PointF letterPos = rand.NextPoint(rectImage);
    const RectF rectLetter(letterPos.X, letterPos.Y, letterSize.Width, letterSize.Height);
    const std::u16string oneLetter(1, char16_t(rand.NextChar()));
    path.Reset();
    Tools::AddFittedString(oneLetter, font, rectLetter, &path);
    // The bounds are given high to low: the turn lies in (-180, 180].
    matrix.Reset();
    matrix.RotateAt(rand.NextFloat(180, -180), Tools::CenterOf(rectLetter), MatrixOrderPrepend);
    path.Transform(&matrix);
    const SolidBrush brush(rand.NextColor(kCrowdChannelMin, kCrowdChannelEnd, kCrowdChannelMin,
                                          kCrowdChannelEnd, kCrowdChannelMin, kCrowdChannelEnd));
    g.FillPath(&brush, &path);
  }
}

void MassTextGenerator::Draw(std::string text, Bitmap* bitmap) {
  TextFrame frame(text, bitmap);
  frame.SetInner(0.2f, 0.2f, 0.6f, 0.6f);
  frame.DrawBorders();
  DrawBackground(bitmap, TiltedLetterSize(frame.rectFBorders, frame.wText.size()));
  DrawTiltedLetters(frame.g, frame.rand, frame.wText, frame.rectFBorders, kStyleNumber,
                    kLetterChannelEnd);
}

}  // namespace MirelGlyphward
