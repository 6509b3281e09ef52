#include "LegoStyles.h"

#include <vector>

#include "OpaqueBars.h"
#include "Region.h"
#include "TextFrame.h"
#include "Tools.h"

namespace MirelGlyphward {

using namespace Gdiplus;

namespace {

constexpr ARGB kBlack = 0xFF000000;
constexpr ARGB kWhite = 0xFFFFFFFF;

// Growth scales with the picture's area.
float GrowthUnit(const RectF& rectImage) {
  return rectImage.Width * rectImage.Height * 0.00003f;
}

// Moves the left and top edges out by dx and dy and the right and bottom
// edges by as much.
void Grow(RectF& rect, float dx, float dy) {
  rect.X -= dx;
  rect.Y -= dy;
  rect.Width += 2 * dx;
  rect.Height += 2 * dy;
}

// The frame both styles share, up to the letters' scan rectangles, in the
// order of its draws: the text's rectangle, then the bold font.
std::vector<RectF> LetterRectangles(TextFrame& frame, int style) {
  frame.SetInner(0.2f, 0.2f, 0.7f, 0.7f);
  const RectF rectOuter = frame.Fraction(0.1f, 0.1f, 0.8f, 0.8f);
  frame.DrawBorders(rectOuter);
  frame.ChooseFont(style, FontStyleBold);
  const auto pathLetters = frame.FittedPath();
  const Region rgnLetters(pathLetters.get());
  std::vector<RectF> arrRectangles;
  Tools::GetRegionRects(rgnLetters, arrRectangles);
  return arrRectangles;
}

// Each bar filled in its colour, truncated to whole pixels, in list order.
void FillBars(TextFrame& frame, const std::vector<OpaqueBar>& bars) {
  FillOpaqueBars(frame.g, bars, int(frame.rectImage.Width), int(frame.rectImage.Height));
}

}  // namespace

void LegoTextGenerator::Draw(std::string text, Bitmap* bitmap) {
  constexpr float kMinGrowth = 1.0f, kMaxGrowth = 3.0f, kHeightFactor = 2.5f;
  constexpr std::size_t kColourPeriod = 30;
  TextFrame frame(text, bitmap);
  const std::vector<RectF> arrRectangles = LetterRectangles(frame, 28);
  frame.ClearGround(frame.rand.NextColor(200, 255, 200, 255, 200, 255));
  const float k = GrowthUnit(frame.rectImage);
  Color color(kBlack);
  std::vector<OpaqueBar> bars;
  bars.reserve(arrRectangles.size());
  for (std::size_t i = 0; i < arrRectangles.size(); ++i) {
    RectF rectSingle = arrRectangles[i];
    if (i % kColourPeriod == 0) color = frame.rand.NextColor(0, 200, 0, 200, 0, 200);
    // Every second brick is grown, more in height than in width.
    if (i % 2 == 0) {
      const float dy =
          frame.rand.NextFloat(kHeightFactor * kMinGrowth * k, kHeightFactor * kMaxGrowth * k);
      const float dx = frame.rand.NextFloat(kMinGrowth * k, kMaxGrowth * k);
      Grow(rectSingle, dx, dy);
    }
    bars.push_back({Tools::ToRect(rectSingle), color});
  }
  FillBars(frame, bars);
}

void StrippyTextGenerator::Draw(std::string text, Bitmap* bitmap) {
  constexpr float kGrowth = 4.0f;
  constexpr std::size_t kColourPeriod = 40;
  TextFrame frame(text, bitmap);
  const std::vector<RectF> arrRectangles = LetterRectangles(frame, 29);
  const Color backColor(kWhite);
  frame.ClearGround(backColor);
  const float k = GrowthUnit(frame.rectImage);
  Color color(kBlack);
  std::vector<OpaqueBar> bars;
  bars.reserve(arrRectangles.size());
  for (std::size_t i = 0; i < arrRectangles.size(); ++i) {
    RectF rectSingle = arrRectangles[i];
    if (i % kColourPeriod == 0) color = frame.rand.NextColor();
    Grow(rectSingle, kGrowth * k, kGrowth * k);
    bars.push_back({Tools::ToRect(rectSingle), color});
  }
  FillBars(frame, bars);
}

}  // namespace MirelGlyphward
