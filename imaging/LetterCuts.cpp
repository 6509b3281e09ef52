#include "LetterCuts.h"

#include "RandomClass.h"
#include "Tools.h"

namespace MirelGlyphward {

using namespace Gdiplus;

namespace {

int LineCount(const RectF& rectImage, float factor) {
  const float count = factor * Tools::NaturalLog(rectImage.Width * rectImage.Height);
  // A one-pixel picture has no lines; the cap only keeps a wild factor from
  // overflowing the conversion.
  if (!(count >= 1.0f)) return 0;
  if (!(count < 1.0e6f)) return 1000000;
  return int(count);
}

template <typename ChooseColor>
void AppendLines(const Bitmap& bitmap, float factor, std::vector<ColoredLine>& list,
                 ChooseColor chooseColor) {
  const RectF rectImage(0, 0, REAL(bitmap.GetWidth()), REAL(bitmap.GetHeight()));
  const RandomClass rand;
  const int n = LineCount(rectImage, factor);
  list.reserve(list.size() + std::size_t(n));
  for (int i = 0; i < n; ++i) {
    const ARGB lineColor = chooseColor(rand);
    const RectF rectUpper(rectImage.GetLeft(), rectImage.GetTop(), rectImage.Width,
                          0.1f * rectImage.Height);
    const RectF rectLower(rectImage.GetLeft(), rectImage.GetTop() + 0.9f * rectImage.Height,
                          rectImage.Width, 0.1f * rectImage.Height);
    const PointF ptBottom = rand.NextPoint(rectLower);
    const PointF ptTop = rand.NextPoint(rectUpper);
    list.push_back(ColoredLine{lineColor, ptBottom, ptTop});
  }
}

}  // namespace

void CreateLines(const Bitmap& bitmap, float factor, ARGB color, std::vector<ColoredLine>& list) {
  AppendLines(bitmap, factor, list, [color](const RandomClass&) { return color; });
}

void CreateColoredLines(const Bitmap& bitmap, float factor, int minChannel, int maxChannel,
                        std::vector<ColoredLine>& list) {
  AppendLines(bitmap, factor, list, [=](const RandomClass& rand) {
    return rand.NextColor(minChannel, maxChannel, minChannel, maxChannel, minChannel, maxChannel)
        .GetValue();
  });
}

void DrawLines(Graphics& g, const std::vector<ColoredLine>& list, const Color& color, float width) {
  const Pen pen(color, width);
  for (const ColoredLine& line : list) g.DrawLine(&pen, line.ptTop, line.ptBottom);
}

void DrawColoredLines(Graphics& g, const std::vector<ColoredLine>& list, float width) {
  Pen pen(Color(0xFFFFFFFF), width);
  for (const ColoredLine& line : list) {
    pen.SetColor(Color(line.color));
    g.DrawLine(&pen, line.ptTop, line.ptBottom);
  }
}

void DrawRings(Graphics& g, const PointF& center, float step, float limit, const Color& color,
               float width) {
  // Without a step that is positive and not lost beside the limit, the
  // radii would never reach it.
  if (!(step > 0.0f) || !(limit / step < 1.0e6f)) return;
  const Pen pen(color, width);
  for (float r = 0.0f; r < limit; r += step)
    g.DrawEllipse(&pen, RectF(center.X - r, center.Y - r, 2 * r, 2 * r));
}

}  // namespace MirelGlyphward
