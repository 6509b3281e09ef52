#include "FlashStyles.h"

#include <vector>

#include "Graphics.h"
#include "LetterLayout.h"
#include "Pen.h"
#include "RandomClass.h"
#include "TextFrame.h"
#include "Tools.h"

namespace MirelGlyphward {

using namespace Gdiplus;

namespace {

constexpr int kStyleNumber = 13;
constexpr int kLetterChannelEnd = 150;
constexpr ARGB kGround = 0xFFFFFFE0;

// Lines about one per ln(side) · 1.1 across a side; sides of one or two
// pixels get none.
int LineCount(float side) {
  const float count = 1.1f * Tools::NaturalLog(side);
  return count >= 1.0f ? int(count) : 0;
}

}  // namespace

void FlashTextGenerator::DrawBackground(Bitmap* bitmap) {
  Graphics g(bitmap);
  g.SetSmoothingMode(SmoothingModeAntiAlias);
  const RectF rectImage(0, 0, REAL(bitmap->GetWidth()), REAL(bitmap->GetHeight()));
  const RandomClass rand;
  g.Clear(Color(kGround));

  // Gaps vary by 30 % around an even spread, so the last line may fall
  // beyond the far edge.
  std::vector<float> arrVertLinesCoords, arrHorLinesCoords;
  const int nV = LineCount(rectImage.Width);
  if (nV > 0) {
    const float stepV = rectImage.Width / float(nV);
    rand.NextOffsets(0.7f * stepV, 1.3f * stepV, nV, arrVertLinesCoords);
  }
  const int nH = LineCount(rectImage.Height);
  if (nH > 0) {
    const float stepH = rectImage.Height / float(nH);
    rand.NextOffsets(0.7f * stepH, 1.3f * stepH, nH, arrHorLinesCoords);
  }
  for (const float x : arrVertLinesCoords) {
    const Color lineColor = rand.NextColor(0, 256, 0, 256, 0, 256);
    const Pen pen(lineColor, 1.0f);
    g.DrawLine(&pen, PointF(x, 0), PointF(x, rectImage.GetBottom()));
  }
  for (const float y : arrHorLinesCoords) {
    const Color lineColor = rand.NextColor(0, 256, 0, 256, 0, 256);
    const Pen pen(lineColor, 1.0f);
    g.DrawLine(&pen, PointF(0, y), PointF(rectImage.GetRight(), y));
  }
}

void FlashTextGenerator::Draw(std::string text, Bitmap* bitmap) {
  TextFrame frame(text, bitmap);
  frame.SetInner(0.2f, 0.2f, 0.6f, 0.6f);
  frame.DrawBorders();
  DrawBackground(bitmap);
  DrawTiltedLetters(frame.g, frame.rand, frame.wText, frame.rectFBorders, kStyleNumber,
                    kLetterChannelEnd);
}

}  // namespace MirelGlyphward
