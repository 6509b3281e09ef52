#include "VertigoStyles.h"

#include "Pen.h"
#include "TextFrame.h"

namespace MirelGlyphward {

using namespace Gdiplus;

namespace {

constexpr ARGB kBlack = 0xFF000000;
constexpr ARGB kGrey = 0xFF808080;
constexpr ARGB kWhite = 0xFFFFFFFF;

// Rings reach this far whatever the picture size, so both passes always
// draw the same number of circles.
constexpr REAL kLargestRadius = 888.0f;

struct RingSettings {
  int styleNumber;
  INT fontStyle;
  REAL ringStep;
  REAL textPenWidth;
  REAL outsidePenWidth;
};

void DrawRings(Graphics& g, const Pen& pen, const PointF& ptCenter, REAL step) {
  for (REAL r = 0.0f; r < kLargestRadius; r += step) {
    const RectF rectF(ptCenter.X - r, ptCenter.Y - r, 2 * r, 2 * r);
    g.DrawEllipse(&pen, rectF);
  }
}

// The frame and the letters, then the colours (which may draw), the centre
// and the two passes of rings. A grey letter ground, when given, is laid
// inside the letters only.
template <typename ChooseColours>
void DrawRingedText(const std::string& text, Bitmap* bitmap, const RingSettings& settings,
                    ChooseColours chooseColours, const Color* letterGround) {
  TextFrame frame(text, bitmap);
  frame.SetInner(0.1f, 0.1f, 0.75f, 0.7f);
  frame.DrawBorders();
  frame.ChooseFont(settings.styleNumber, settings.fontStyle);
  CurvedText objCurvedText = frame.LoadCurvedText();
  const std::shared_ptr<GraphicsPath> pathLetters =
      objCurvedText.CreatePath(frame.rectFBorders, frame.wText, *frame.font);

  Color textColor, outsideColor;
  chooseColours(frame, textColor, outsideColor);
  const PointF ptCenter = frame.rand.NextPoint(frame.rectFBorders);

  frame.g.SetClip(pathLetters.get(), CombineModeReplace);
  if (letterGround) frame.g.Clear(*letterGround);
  const Pen penText(textColor, settings.textPenWidth);
  DrawRings(frame.g, penText, ptCenter, settings.ringStep);

  frame.g.ResetClip();
  frame.g.SetClip(pathLetters.get(), CombineModeExclude);
  const Pen penOutside(outsideColor, settings.outsidePenWidth);
  DrawRings(frame.g, penOutside, ptCenter, settings.ringStep);
  frame.g.ResetClip();
}

}  // namespace

void VertigoTextGenerator::Draw(std::string text, Bitmap* bitmap) {
  const RingSettings settings{34, FontStyleRegular, 3.0f, 2.0f, 1.0f};
  DrawRingedText(
      text, bitmap, settings,
      [](TextFrame& frame, Color& textColor, Color& outsideColor) {
        textColor = frame.rand.NextColor(0, 120, 0, 120, 0, 120);
        outsideColor = Color(BYTE(255 - textColor.GetR()), BYTE(255 - textColor.GetG()),
                             BYTE(255 - textColor.GetB()));
        frame.ClearGround(Color(kWhite));
      },
      nullptr);
}

void SunAndWarmAirTextGenerator::Draw(std::string text, Bitmap* bitmap) {
  const RingSettings settings{37, FontStyleBold, 4.0f, 3.0f, 2.0f};
  // No ground outside the letters: the gaps between the white rings keep
  // the picture's transparent start.
  const Color grey(kGrey);
  DrawRingedText(
      text, bitmap, settings,
      [](TextFrame&, Color& textColor, Color& outsideColor) {
        textColor = Color(kBlack);
        outsideColor = Color(kWhite);
      },
      &grey);
}

}  // namespace MirelGlyphward
