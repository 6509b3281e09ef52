#include "LetterLayout.h"

#include "FontFamily.h"
#include "Matrix.h"
#include "SolidBrush.h"
#include "StringFormat.h"
#include "Tools.h"

namespace MirelGlyphward {

using namespace Gdiplus;

namespace {

constexpr REAL kEmSize = 200.0f;
constexpr float kOverlapMin = 0.03f;
constexpr float kOverlapMax = 0.13f;
constexpr float kTiltedWidthFactor = 1.0f;
constexpr float kTiltedHeightFactor = 2.2f;
constexpr float kTiltedFill = 0.8f;
constexpr float kTiltMin = -40.0f;
constexpr float kTiltMax = 40.0f;

// Each letter's outline width at the font's size, as the letter would be
// typeset alone from the origin.
std::vector<float> NaturalWidths(const std::u16string& text, const Font& font) {
  FontFamily family;
  font.GetFamily(&family);
  const StringFormat format(0, LANG_NEUTRAL);
  const PointF pt(0, 0);
  std::vector<float> widths;
  widths.reserve(text.size());
  GraphicsPath path(FillModeWinding);
  for (std::size_t i = 0; i < text.size(); ++i) {
    path.Reset();
    path.AddString(&text[i], 1, &family, font.GetStyle(), font.GetSize(), pt, &format);
    RectF rectFBounds;
    path.GetBounds(&rectFBounds);
    widths.push_back(rectFBounds.Width);
  }
  return widths;
}

}  // namespace

GraphicsPath FitLetter(const std::u16string& text, std::size_t index, const Font& font,
                       const RectF& box) {
  GraphicsPath path(FillModeAlternate);
  if (index < text.size()) Tools::AddFittedString(text.substr(index, 1), font, box, &path);
  return path;
}

std::vector<RectF> OverlappingSlots(const RandomClass& rand, const std::u16string& text,
                                    const Font& font, const RectF& frame) {
  const std::size_t n = text.size();
  std::vector<float> arrOverlaps;
  arrOverlaps.reserve(n);
  for (std::size_t i = 0; i < n; ++i)
    arrOverlaps.push_back(rand.NextFloat(kOverlapMin, kOverlapMax));
  float sum = 0;
  for (std::size_t i = 0; i + 1 < n; ++i) sum += arrOverlaps[i];
  const REAL overWidth = frame.Width * (1 + sum);

  std::vector<float> arrLetterWidths = NaturalWidths(text, font);
  float total = 0;
  for (const float width : arrLetterWidths) total += width;
  // Blanks alone have no width to share out; their slots stay empty.
  if (total > 0)
    for (float& width : arrLetterWidths) width /= total;

  std::vector<RectF> slots;
  slots.reserve(n);
  float x = 0;
  for (std::size_t i = 0; i < n; ++i) {
    const REAL w = arrLetterWidths[i] * overWidth;
    slots.emplace_back(frame.GetLeft() + x, frame.GetTop(), w, frame.Height);
    x = x + w - arrOverlaps[i] * frame.Width;
  }
  return slots;
}

SizeF TiltedLetterSize(const RectF& frame, std::size_t count) {
  const float n = float(count);
  return SizeF(frame.Width / n * kTiltedWidthFactor, frame.Height / n * kTiltedHeightFactor);
}

void DrawTiltedLetters(Graphics& g, const RandomClass& rand, const std::u16string& text,
                       const RectF& frame, int styleNumber, int channelEnd) {
  if (text.empty()) return;
  const SizeF letter = TiltedLetterSize(frame, text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const std::u16string fontName = rand.NextFontName(styleNumber);
    const Font font(fontName.c_str(), kEmSize, FontStyleRegular, UnitPoint);
    // The range spans the whole letter height, the box only its filled part.
    const float top = rand.NextFloat(0, frame.Height - letter.Height);
    const RectF rectLetter(letter.Width * float(i), top, letter.Width * kTiltedFill,
                           letter.Height * kTiltedFill);
    GraphicsPath path = FitLetter(text, i, font, rectLetter);
    Matrix matrix;
    matrix.RotateAt(rand.NextFloat(kTiltMin, kTiltMax), Tools::CenterOf(rectLetter),
                    MatrixOrderPrepend);
    path.Transform(&matrix);
    // Boxes are laid out from the frame's corner.
    matrix.Reset();
    matrix.Translate(frame.GetLeft(), frame.GetTop(), MatrixOrderPrepend);
    path.Transform(&matrix);
    const SolidBrush brush(rand.NextColor(0, channelEnd, 0, channelEnd, 0, channelEnd));
    g.FillPath(&brush, &path);
  }
}

}  // namespace MirelGlyphward
