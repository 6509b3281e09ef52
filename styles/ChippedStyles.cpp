#include "ChippedStyles.h"

#include "Pen.h"
#include "TextFrame.h"

namespace MirelGlyphward {

using namespace Gdiplus;

namespace {

// What tells the two styles apart. Pass counts are fractions of the budget n;
// the unclipped main-colour pass may also use a larger box.
struct ScribbleStyle {
  int styleNumber;
  ARGB mainColor;
  ARGB backColor;
  float cellDivisor;
  INT fontStyle;
  float budgetPerPixel;
  int lettersMain;
  int outlineMainDivisor;
  int noiseMainDivisor;
  float noiseMainBox;
  int noiseBackDivisor;
};

constexpr ScribbleStyle kChipped{.styleNumber = 12,
                                 .mainColor = 0xFF008000,
                                 .backColor = 0xFFFFFFE0,
                                 .cellDivisor = 10.0f,
                                 .fontStyle = FontStyleBold,
                                 .budgetPerPixel = 0.07f,
                                 .lettersMain = 2,
                                 .outlineMainDivisor = 10,
                                 .noiseMainDivisor = 20,
                                 .noiseMainBox = 2.0f,
                                 .noiseBackDivisor = 4};
constexpr ScribbleStyle kCorrosion{.styleNumber = 11,
                                   .mainColor = 0xFFFF4500,
                                   .backColor = 0xFFC0C0C0,
                                   .cellDivisor = 30.0f,
                                   .fontStyle = FontStyleRegular,
                                   .budgetPerPixel = 0.2f,
                                   .lettersMain = 1,
                                   .outlineMainDivisor = 1,
                                   .noiseMainDivisor = 10,
                                   .noiseMainBox = 1.0f,
                                   .noiseBackDivisor = 2};

// `count` scribbles, each a Bézier whose four points lie in a random
// cellW × cellH box inside the picture, so no scribble leaves the picture.
void Scribble(TextFrame& frame, const Pen& pen, int count, float cellW, float cellH) {
  for (int i = 0; i < count; ++i) {
    PointF pt1, pt2, pt3, pt4;
    const RectF rect = frame.rand.NextRectInside(frame.rectImage, cellW, cellH);
    frame.rand.NextPoints(rect, pt1, pt2, pt3, pt4);
    frame.g.DrawBezier(&pen, pt1, pt2, pt3, pt4);
  }
}

void DrawScribbled(const std::string& text, Bitmap* bitmap, const ScribbleStyle& style) {
  TextFrame frame(text, bitmap);
  frame.SetInner(0.2f, 0.2f, 0.6f, 0.6f);
  frame.DrawBorders();
  const REAL cellW = frame.rectImage.Width / style.cellDivisor;
  const REAL cellH = frame.rectImage.Height / style.cellDivisor;
  frame.ChooseFont(style.styleNumber, style.fontStyle);
  frame.ClearGround(Color(style.backColor));
  const int n = int(frame.rectImage.Width * frame.rectImage.Height * style.budgetPerPixel);

  const Pen penMain{Color(style.mainColor), 1.0f};
  const Pen penBack{Color(style.backColor), 1.0f};
  std::unique_ptr<GraphicsPath> path = frame.FittedPath();
  frame.g.SetClip(path.get(), CombineModeReplace);
  Scribble(frame, penMain, n * style.lettersMain, cellW, cellH);
  Scribble(frame, penBack, n / 10, cellW, cellH);
  frame.g.ResetClip();

  // A band three pixels wide along the outlines keeps the letter edges crisp
  // under the chipping.
  const Pen pen{Color(0xFFFFFFFF), 3.0f};
  path->Widen(&pen, nullptr, 0.25f);
  frame.g.SetClip(path.get(), CombineModeReplace);
  Scribble(frame, penMain, n / style.outlineMainDivisor, cellW, cellH);
  frame.g.ResetClip();

  Scribble(frame, penMain, n / style.noiseMainDivisor, style.noiseMainBox * cellW,
           style.noiseMainBox * cellH);
  Scribble(frame, penBack, n / style.noiseBackDivisor, cellW, cellH);
}

}  // namespace

void ChippedTextGenerator::Draw(std::string text, Bitmap* bitmap) {
  DrawScribbled(text, bitmap, kChipped);
}

void CorrosionTextGenerator::Draw(std::string text, Bitmap* bitmap) {
  DrawScribbled(text, bitmap, kCorrosion);
}

}  // namespace MirelGlyphward
