#include "ThickThinLinesStyles.h"

#include <vector>

#include "Pen.h"
#include "Region.h"
#include "TextFrame.h"
#include "Tools.h"

namespace MirelGlyphward {

using namespace Gdiplus;

namespace {

constexpr int kOneHueStyle = 20;
constexpr int kManyHuesStyle = 21;
constexpr ARGB kWhite = 0xFFFFFFFF;
constexpr REAL kThickWidth = 4.0f;
constexpr REAL kThinWidth = 1.0f;

// One grid line: its colour, then the y of a horizontal or the x of a
// vertical line.
struct GridLine {
  ARGB clrLine;
  REAL coord;
};

struct ChannelBounds {
  int redMin = 0, redMax = 0, greenMin = 0, greenMax = 0, blueMin = 0, blueMax = 0;
};

ChannelBounds DrawChannelBounds(const RandomClass& rand, int style) {
  ChannelBounds bounds;
  if (style != kOneHueStyle) {
    bounds = {50, 255, 50, 255, 50, 255};
    return bounds;
  }
  // Channels left at [0, 0) always come out 0.
  switch (rand.Next(1, 4)) {
    case 1:
      bounds.greenMin = 100, bounds.greenMax = 255;
      break;
    case 2:
      bounds.blueMin = 100, bounds.blueMax = 255;
      break;
    default:
      bounds.redMin = 100, bounds.redMax = 255;
      break;
  }
  return bounds;
}

// About 4 lines per doubling of the side, spread by random gaps of 0.7 to 1.3
// times the mean; the first line stands one gap from the edge. A side of one
// pixel gets no lines, so its mean gap is never needed.
void DrawOffsets(const RandomClass& rand, REAL side, std::vector<float>& offsets) {
  const int count = int(4.1f * Tools::NaturalLog(side));
  if (count <= 0) return;
  const REAL step = side / REAL(count);
  rand.NextOffsets(0.7f * step, 1.3f * step, count, offsets);
}

void ColourLines(const RandomClass& rand, const ChannelBounds& b, const std::vector<float>& offsets,
                 std::vector<GridLine>& lines) {
  for (const float offset : offsets) {
    const Color lineColor =
        rand.NextColor(b.redMin, b.redMax, b.greenMin, b.greenMax, b.blueMin, b.blueMax);
    lines.push_back({lineColor.GetValue(), offset});
  }
}

// The grid is drawn before the font is chosen, so its draws come between the
// frame's rectangle and the font.
void BuildLineSets(Bitmap* bitmap, int style, std::vector<GridLine>& arrHor,
                   std::vector<GridLine>& arrVert) {
  const RectF rectImage(0, 0, REAL(bitmap->GetWidth()), REAL(bitmap->GetHeight()));
  const RandomClass rand;
  const ChannelBounds bounds = DrawChannelBounds(rand, style);
  std::vector<float> arrVertLinesCoords, arrHorLinesCoords;
  DrawOffsets(rand, rectImage.Width, arrVertLinesCoords);
  DrawOffsets(rand, rectImage.Height, arrHorLinesCoords);
  ColourLines(rand, bounds, arrVertLinesCoords, arrVert);
  ColourLines(rand, bounds, arrHorLinesCoords, arrHor);
}

void DrawGrid(Graphics& g, const RectF& rectImage, const std::vector<GridLine>& arrHor,
              const std::vector<GridLine>& arrVert, REAL width) {
  for (const GridLine& line : arrHor) {
    const Pen pen(Color(line.clrLine), width);
    g.DrawLine(&pen, 0.0f, line.coord, rectImage.GetRight(), line.coord);
  }
  for (const GridLine& line : arrVert) {
    const Pen pen(Color(line.clrLine), width);
    g.DrawLine(&pen, line.coord, 0.0f, line.coord, rectImage.GetBottom());
  }
}

void DrawThickThinLines(const std::string& text, Bitmap* bitmap, int style) {
  TextFrame frame(text, bitmap);
  frame.SetInner(0.2f, 0.2f, 0.6f, 0.6f);
  frame.DrawBorders();
  std::vector<GridLine> arrHor, arrVert;
  BuildLineSets(bitmap, style, arrHor, arrVert);
  frame.ChooseFont(style, FontStyleRegular);
  const auto pathLetters = frame.FittedPath();
  const Region rgnLetters(pathLetters.get());
  frame.ClearGround(Color(kWhite));

  frame.g.SetClip(&rgnLetters, CombineModeIntersect);
  DrawGrid(frame.g, frame.rectImage, arrHor, arrVert, kThickWidth);
  frame.g.ResetClip();
  frame.g.SetClip(&rgnLetters, CombineModeExclude);
  DrawGrid(frame.g, frame.rectImage, arrHor, arrVert, kThinWidth);
}

}  // namespace

void ThickThinLinesTextGenerator::Draw(std::string text, Bitmap* bitmap) {
  DrawThickThinLines(text, bitmap, kOneHueStyle);
}

void ThickThinLines2TextGenerator::Draw(std::string text, Bitmap* bitmap) {
  DrawThickThinLines(text, bitmap, kManyHuesStyle);
}

}  // namespace MirelGlyphward
