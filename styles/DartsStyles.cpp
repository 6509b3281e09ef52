#include "DartsStyles.h"

#include "TextFrame.h"

namespace MirelGlyphward {

using namespace Gdiplus;

namespace {

constexpr ARGB kWhite = 0xFFFFFFFF;
// Ring spacing.
constexpr REAL step = 3.0f;
// The rings reach this far whatever the picture's size.
constexpr REAL kRingReach = 888.0f;

void DrawRings(Graphics& g, const Pen& pen, const PointF& ptCenter) {
  for (REAL r = 0.0f; r < kRingReach; r += step) {
    const RectF rectF(ptCenter.X - r, ptCenter.Y - r, 2 * r, 2 * r);
    g.DrawEllipse(&pen, rectF);
  }
}

Color Complement(const Color& color) {
  return Color(BYTE(255 - color.GetR()), BYTE(255 - color.GetG()), BYTE(255 - color.GetB()));
}

struct RingSetting {
  int styleNumber;
  int channelMin;  // text colour channels in [channelMin, channelMax)
  int channelMax;
  REAL textPenWidth;
  bool ringOutside;  // thinner rings of the complementary colour off the letters
};

void DrawRingLetters(const std::string& text, Bitmap* bitmap, const RingSetting& setting) {
  TextFrame frame(text, bitmap);
  frame.SetInner(0.2f, 0.2f, 0.6f, 0.6f);
  frame.DrawBorders();
  frame.ChooseFont(setting.styleNumber, FontStyleRegular);
  const std::unique_ptr<GraphicsPath> path = frame.FittedPath();
  const int lo = setting.channelMin, hi = setting.channelMax;
  const Color textColor = frame.rand.NextColor(lo, hi, lo, hi, lo, hi);
  frame.ClearGround(Color(kWhite));
  const PointF ptCenter = frame.rand.NextPoint(frame.rectFBorders);

  frame.g.SetClip(path.get(), CombineModeReplace);
  const Pen penText(textColor, setting.textPenWidth);
  DrawRings(frame.g, penText, ptCenter);
  frame.g.ResetClip();
  if (!setting.ringOutside) return;

  frame.g.SetClip(path.get(), CombineModeExclude);
  const Pen penOutside(Complement(textColor), 1.0f);
  DrawRings(frame.g, penOutside, ptCenter);
  frame.g.ResetClip();
}

}  // namespace

void DartsTextGenerator::Draw(std::string text, Bitmap* bitmap) {
  DrawRingLetters(text, bitmap, RingSetting{24, 0, 190, 2.0f, true});
}

void FingerPrintsTextGenerator::Draw(std::string text, Bitmap* bitmap) {
  DrawRingLetters(text, bitmap, RingSetting{25, 1, 180, 1.0f, false});
}

}  // namespace MirelGlyphward
