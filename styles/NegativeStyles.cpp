#include "NegativeStyles.h"

#include <algorithm>

#include "HatchBrush.h"
#include "RandomSource.h"
#include "StringFormat.h"
#include "TextFrame.h"
#include "TypesetText.h"

namespace MirelGlyphward {

using namespace Gdiplus;

namespace {

constexpr ARGB kBlack = 0xFF000000;
constexpr ARGB kWhite = 0xFFFFFFFF;
constexpr ARGB kLightGray = 0xFFD3D3D3;

// The confetti ground and `count` black specks at random pixels, each place
// drawn row first. A speck is drawn as soon as it is placed: drawing takes
// nothing from the engine, so the draws come in the same order as placing
// them all first would give, without a list as long as the picture's area.
void SpeckleGround(TextFrame& frame, int width, int height, int count) {
  const HatchBrush hatchBrush(HatchStyleLargeConfetti, Color(kLightGray), Color(kWhite));
  frame.g.FillRectangle(&hatchBrush, frame.rectImage);
  Bitmap bm(1, 1, PixelFormat32bppARGB);
  bm.SetPixel(0, 0, Color(kBlack));
  for (int i = 0; i < count; ++i) {
    const int y = RandomNumber(height);
    const int x = RandomNumber(width);
    frame.g.DrawImage(&bm, x, y);
  }
}

}  // namespace

void NegativeTextGenerator::Draw(std::string text, Bitmap* bitmap) {
  TextFrame frame(text, bitmap);
  const UINT width = bitmap->GetWidth(), height = bitmap->GetHeight();
  // The text keeps clear of the top 15 % of the picture.
  const RectF rectForText = LowerTextBand(width, height);
  SpeckleGround(frame, INT(width), INT(height), INT(width * height));
  const FittedFont fitted =
      FitCourier(frame.g, frame.wText, REAL(height) / 1.3f + 1.0f, frame.rectImage.Width);
  DrawCentredText(frame.g, frame.wText, fitted.font.get(), rectForText, kWhite);
}

void WaveTextGenerator::Draw(std::string text, Bitmap* bitmap) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
  TextFrame frame(text, bitmap);
  const UINT width = bitmap->GetWidth(), height = bitmap->GetHeight();
  SpeckleGround(frame, INT(width), INT(height), INT(width * height) / 7);
  const FittedFont fitted =
      FitCourier(frame.g, frame.wText, REAL(height) / 2.0f + 1.0f, frame.rectImage.Width);

  StringFormat format(0, 0);
  format.SetLineAlignment(StringAlignmentNear);
  format.SetAlignment(StringAlignmentNear);
  const HatchBrush drawingHatchBrush(HatchStyleSmallConfetti, Color(kBlack), Color(kBlack));
  // Letters advance by a fixed share of the width whatever their own widths,
  // each at a random height that keeps it above the bottom edge.
  const UINT len = UINT(frame.wText.size());
  const double room = double(height) - 1.01 * double(fitted.size.Height);
  const int heightRange = int(std::clamp(room, -2147483647.0, 2147483647.0));
  for (UINT i = 0; i < len; ++i) {
    const REAL y = REAL(RandomNumber(heightRange));
    const REAL x = REAL(i * (width / len) * 0.95);
    const RectF currentRect(x, y, 1000.0f, 1000.0f);
    frame.g.DrawString(&frame.wText[i], 1, fitted.font.get(), currentRect, &format,
                       &drawingHatchBrush);
  }
}

}  // namespace MirelGlyphward
