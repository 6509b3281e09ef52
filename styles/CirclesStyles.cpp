#include "CirclesStyles.h"

#include <vector>

#include "Region.h"
#include "SolidBrush.h"
#include "TextFrame.h"

namespace MirelGlyphward {

using namespace Gdiplus;

void CirclesTextGenerator::CreateCircles(Bitmap* bitmap, GraphicsPath* path) {
  const RectF rectImage(0, 0, REAL(bitmap->GetWidth()), REAL(bitmap->GetHeight()));
  const RandomClass rand;
  // Disc sizes, their number and spacing follow the picture's mean side.
  const float s = (rectImage.Width + rectImage.Height) / 2.0f;
  const float minR = 0.05f * s;
  const float maxR = 0.15f * s;
  const int count = int(rand.NextFloat(0.04f * s, 0.12f * s));
  std::vector<float> arrOffsets;
  rand.NextOffsets(2.0f * minR, 2.0f * maxR, count, arrOffsets);
  std::vector<float> arrOffsetsWithZero{0.0f};
  arrOffsetsWithZero.insert(arrOffsetsWithZero.end(), arrOffsets.begin(), arrOffsets.end());
  for (int i = 0; i < count; ++i) {
    const int r = int(rand.NextFloat(minR, maxR));
    const int y = int(rand.NextFloat(-maxR / 2.0f, rectImage.Height));
    const int x =
        int((arrOffsetsWithZero[std::size_t(i) + 1] + arrOffsetsWithZero[std::size_t(i)]) / 2.0f);
    path->AddEllipse(x, y, 2 * r, 2 * r);
  }
}

void CirclesTextGenerator::Draw(std::string text, Bitmap* bitmap) {
  const Color mainColor(0xFF000000), backColor(0xFFFFFFFF);
  TextFrame frame(text, bitmap);
  frame.SetInner(0.2f, 0.2f, 0.5f, 0.5f);
  frame.DrawBorders();
  frame.ChooseFont(10, FontStyleRegular);
  frame.ClearGround(backColor);

  const auto pathLetters = frame.FittedPath();
  const Region rgnLetters(pathLetters.get());
  // Alternate filling: where two discs overlap they cancel out.
  GraphicsPath pathCircles(FillModeAlternate);
  CreateCircles(bitmap, &pathCircles);
  const Region rgnCircles(&pathCircles);

  const SolidBrush mainBrush(mainColor), backBrush(backColor);
  frame.g.FillRegion(&mainBrush, &rgnLetters);
  frame.g.FillRegion(&mainBrush, &rgnCircles);
  Region rgnIntersect(pathLetters.get());
  rgnIntersect.Intersect(&rgnCircles);
  frame.g.FillRegion(&backBrush, &rgnIntersect);
}

}  // namespace MirelGlyphward
