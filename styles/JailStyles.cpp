#include "JailStyles.h"

#include <algorithm>
#include <cstdint>

#include "HatchBrush.h"
#include "Pen.h"
#include "TextFrame.h"
#include "TypesetText.h"

namespace MirelGlyphward {

using namespace Gdiplus;

namespace {

constexpr ARGB kBlack = 0xFF000000;
constexpr ARGB kWhite = 0xFFFFFFFF;
constexpr ARGB kLightGray = 0xFFD3D3D3;

// Bars about seven pixels apart, the first on the picture's edge.
constexpr std::int64_t kBarPitch = 7;

void FillWhite(Graphics& g, const RectF& rect) {
  const HatchBrush brush(HatchStyleSmallConfetti, Color(kWhite), Color(kWhite));
  g.FillRectangle(&brush, rect);
}

// The tile grid: square pieces of the typeset text, laid out a gap apart.
struct Tiles {
  explicit Tiles(UINT width, UINT height) {
    gap = std::min(10u, height / 10u);
    parts = std::max(2u, height / 25u);
    textHeight = height - parts * gap;
    cell = (height + gap) / (parts + 1u);
    // Below three pixels of height the pitch is zero; the pieces are then
    // empty too, and one column of them is enough.
    columns = cell > 0 ? (width + gap) / cell : 0u;
    textWidth = width - columns * gap;
    piece = INT(textHeight) / INT(parts + 1u);
  }
  UINT gap, parts, textHeight, cell, columns, textWidth;
  INT piece;
};

}  // namespace

void JailTextGenerator::Draw(std::string text, Bitmap* bitmap) {
  TextFrame frame(text, bitmap);
  const UINT width = bitmap->GetWidth(), height = bitmap->GetHeight();
  const RectF rectForText = LowerTextBand(width, height);
  FillWhite(frame.g, frame.rectImage);

  const FittedFont fitted = FitCourier(frame.g, frame.wText, REAL(height) / 1.2f, REAL(width));
  DrawCentredText(frame.g, frame.wText, fitted.font.get(), rectForText, kBlack);

  const Pen pen(Color(kBlack), 1.0f);
  const std::int64_t w = width, h = height;
  const std::int64_t rows = h / kBarPitch, columns = w / kBarPitch;
  for (std::int64_t j = 0; j < rows; ++j) {
    const INT y = INT(j * h / rows);
    frame.g.DrawLine(&pen, 0, y, INT(w), y);
  }
  for (std::int64_t i = 0; i < columns; ++i) {
    const INT x = INT(i * w / columns);
    frame.g.DrawLine(&pen, x, 0, x, INT(h));
  }
}

void SplitTextGenerator::Draw(std::string text, Bitmap* bitmap) {
  const UINT width = bitmap->GetWidth(), height = bitmap->GetHeight();
  const Tiles tiles(width, height);
  TextFrame frame(text, bitmap);
  const Rect mainRect(0, 0, INT(width), INT(height));
  const INT textTop = 15 * INT(tiles.textHeight) / 100;
  const Rect textRect(0, textTop, INT(tiles.textWidth), INT(tiles.textHeight) - textTop);

  const FittedFont fitted =
      FitCourier(frame.g, frame.wText, REAL(textRect.Height) + 1.0f, REAL(textRect.Width));

  // The text is typeset narrower and lower than the picture on a half-tone
  // of its own; spreading the tiles apart brings it back to about full size.
  Bitmap b(INT(width), INT(height), PixelFormat32bppARGB);
  {
    Graphics g2(&b);
    g2.SetSmoothingMode(SmoothingModeAntiAlias);
    const HatchBrush hatchBrush1(HatchStyle50Percent, Color(kWhite), Color(kLightGray));
    g2.FillRectangle(&hatchBrush1, mainRect);
    const RectF textRectF(REAL(textRect.X), REAL(textRect.Y), REAL(textRect.Width),
                          REAL(textRect.Height));
    DrawCentredText(g2, frame.wText, fitted.font.get(), textRectF, kBlack);
  }

  Graphics g3(bitmap);
  FillWhite(g3, frame.rectImage);
  const INT piece = tiles.piece;
  for (UINT i = 0; i <= tiles.columns; ++i)
    for (UINT j = 0; j <= tiles.parts; ++j)
      g3.DrawImage(&b, INT(i * tiles.cell), INT(j * tiles.cell), INT(i) * piece, INT(j) * piece,
                   piece, piece, UnitPixel);
}

}  // namespace MirelGlyphward
