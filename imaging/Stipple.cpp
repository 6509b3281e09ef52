#include "Stipple.h"

#include "DotBatch.h"
#include "Pen.h"
#include "SolidBrush.h"

namespace MirelGlyphward {

using namespace Gdiplus;

namespace {

constexpr ARGB kBlack = 0xFF000000;
constexpr ARGB kWhite = 0xFFFFFFFF;

}  // namespace

void SprinkleDots(Graphics& g, const RandomClass& rand, const RectF& area, int count, ARGB color,
                  INT size) {
  const SolidBrush brush{Color(color)};
  DotBatch dots(g, brush);
  for (int i = 0; i < count; ++i) {
    const PointF pt = rand.NextPoint(area);
    dots.Add(RectF(REAL(INT(pt.X)), REAL(INT(pt.Y)), REAL(size), REAL(size)));
  }
}

void DrawStippledLetters(TextFrame& frame, GraphicsPath& pathLetters, int (*bandBlack)(int n)) {
  const int n = int(frame.rectImage.Width * frame.rectImage.Height * 0.4f);

  frame.g.SetClip(&pathLetters, CombineModeReplace);
  SprinkleDots(frame.g, frame.rand, frame.rectFBorders, n, kBlack, 1);
  SprinkleDots(frame.g, frame.rand, frame.rectFBorders, n / 10, kWhite, 1);
  frame.g.ResetClip();

  const Pen pen{Color(kWhite), 3.0f};
  pathLetters.Widen(&pen, nullptr, 0.25f);
  frame.g.SetClip(&pathLetters, CombineModeReplace);
  SprinkleDots(frame.g, frame.rand, frame.rectFBorders, bandBlack(n), kBlack, 2);
  SprinkleDots(frame.g, frame.rand, frame.rectFBorders, n / 7, kWhite, 2);
  frame.g.ResetClip();

  SprinkleDots(frame.g, frame.rand, frame.rectImage, n / 10, kBlack, 1);
  SprinkleDots(frame.g, frame.rand, frame.rectImage, n / 7, kWhite, 1);
}

}  // namespace MirelGlyphward
