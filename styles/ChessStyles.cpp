#include "ChessStyles.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "FontFitting.h"
#include "HatchBrush.h"
#include "StringFormat.h"
#include "TextFrame.h"

namespace MirelGlyphward {

using namespace Gdiplus;

namespace {

constexpr ARGB kBlack = 0xFF000000;
constexpr ARGB kWhite = 0xFFFFFFFF;

// A confetti hatch whose two colours agree paints solid.
HatchBrush SolidHatch(ARGB color) {
  return HatchBrush(HatchStyleSmallConfetti, Color(color), Color(color));
}

// The code centred in `layout` on a bitmap of the picture's size.
std::unique_ptr<Bitmap> Typeset(const TextFrame& frame, const Font& font, const RectF& layout,
                                ARGB ground, ARGB ink) {
  auto rendering =
      std::make_unique<Bitmap>(INT(layout.Width), INT(layout.Height), PixelFormat32bppARGB);
  Graphics g(rendering.get());
  g.SetSmoothingMode(SmoothingModeAntiAlias);
  StringFormat format(0, 0);
  format.SetLineAlignment(StringAlignmentCenter);
  format.SetAlignment(StringAlignmentCenter);
  const HatchBrush groundBrush = SolidHatch(ground);
  const HatchBrush inkBrush = SolidHatch(ink);
  g.FillRectangle(&groundBrush, frame.rectImage);
  g.DrawString(frame.wText.c_str(), INT(frame.wText.size()), &font, layout, &format, &inkBrush);
  return rendering;
}

}  // namespace

void ChessTextGenerator::Draw(std::string text, Bitmap* bitmap) {
  TextFrame frame(text, bitmap);
  const INT width = INT(bitmap->GetWidth()), height = INT(bitmap->GetHeight());
  const FittedFont fitted = FitFontToWidth(frame.g, frame.wText, u"Courier New", FontStyleBold,
                                           REAL(double(height) / 1.2), REAL(width));
  // The layout box sits 5 pixels right of and below the picture, so the word
  // is off centre by as much.
  const RectF trect(5.0f, 5.0f, frame.rectImage.Width, frame.rectImage.Height);
  const std::unique_ptr<Bitmap> b1 = Typeset(frame, *fitted.font, trect, kBlack, kWhite);
  const std::unique_ptr<Bitmap> b2 = Typeset(frame, *fitted.font, trect, kWhite, kBlack);

  // Cells start at (j·W)/cols but are W/cols wide, both truncated, so single
  // columns and rows may stay unpainted; the picture is not cleared first.
  const int cols = width / 30, rows = height / 25;
  for (int i = 0; i < rows; ++i)
    for (int j = 0; j < cols; ++j) {
      const int x = (j * width) / cols, y = (i * height) / rows;
      Bitmap* source = (i + j) % 2 == 0 ? b1.get() : b2.get();
      frame.g.DrawImage(source, x, y, x, y, width / cols, height / rows, UnitPixel);
    }
}

void DistortionTextGenerator::Draw(std::string text, Bitmap* bitmap) {
  TextFrame frame(text, bitmap);
  const INT width = INT(bitmap->GetWidth()), height = INT(bitmap->GetHeight());
  const FittedFont fitted = FitFontToWidth(frame.g, frame.wText, u"Arial", FontStyleRegular,
                                           REAL(double(height) / 1.5), REAL(width));
  const RectF trect(0.0f, 0.0f, frame.rectImage.Width, frame.rectImage.Height);
  const std::unique_ptr<Bitmap> b = Typeset(frame, *fitted.font, trect, kWhite, kBlack);
  const std::unique_ptr<Bitmap> copy = Typeset(frame, *fitted.font, trect, kWhite, kBlack);

  // The horizontal shift depends only on the row and the vertical one only
  // on the column, so each sine is taken once per row or column.
  constexpr double kAmplitude = 5.0;
  constexpr double kPi = 3.141592654;
  std::vector<double> rowShift(static_cast<std::size_t>(height));
  std::vector<double> columnShift(static_cast<std::size_t>(width));
  for (int y = 0; y < height; ++y) rowShift[std::size_t(y)] = kAmplitude * std::sin(kPi * y / 32.0);
  for (int x = 0; x < width; ++x)
    columnShift[std::size_t(x)] = kAmplitude * std::cos(kPi * x / 32.0);

  // Sources that fall off the picture are read from column or row 1, not
  // from the nearest edge; a picture one pixel across has only column 0.
  const int fallbackX = std::min(1, width - 1), fallbackY = std::min(1, height - 1);
  Color c;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      int sx = int(x + rowShift[std::size_t(y)]);
      int sy = int(y + columnShift[std::size_t(x)]);
      if (sx <= 0 || sx >= width) sx = fallbackX;
      if (sy <= 0 || sy >= height) sy = fallbackY;
      copy->GetPixel(sx, sy, &c);
      b->SetPixel(x, y, c);
    }
  frame.g.DrawImage(b.get(), Rect(0, 0, width, height));
}

}  // namespace MirelGlyphward
