// The steps most styles start their drawing with: the text in wide form, a
// graphics on the bitmap, the image and inner rectangles, a random frame
// between them, a font, the ground, and the text outline fitted (flat) or
// bent between the guide curves (curved). Each style calls the steps it uses,
// in its own order, then draws what is its own.
#pragma once

#include <memory>
#include <string>

#include "Bitmap.h"
#include "CurvedText.h"
#include "Font.h"
#include "Graphics.h"
#include "GraphicsPath.h"
#include "RandomClass.h"

namespace MirelGlyphward {

class TextFrame {
 public:
  // The text, a graphics with the given smoothing and the image rectangle.
  TextFrame(const std::string& text, Gdiplus::Bitmap* bitmap,
            Gdiplus::SmoothingMode smoothing = Gdiplus::SmoothingModeAntiAlias);

  // The inner rectangle as fractions of the image's width and height.
  void SetInner(float fx, float fy, float fw, float fh);
  // A rectangle between the inner and the image rectangle, by fractions.
  Gdiplus::RectF Fraction(float fx, float fy, float fw, float fh) const;
  // The random frame between `outer` (the image unless given) and the inner
  // rectangle: four engine draws.
  void DrawBorders();
  void DrawBorders(const Gdiplus::RectF& outer);
  // The font chosen for the style number (one engine draw), em size 200 pt.
  void ChooseFont(int styleNumber, Gdiplus::INT fontStyle);
  void UseFont(const std::u16string& name, Gdiplus::INT fontStyle);
  void ClearGround(const Gdiplus::Color& color);
  // The text outline stretched to fill the frame exactly (alternate fill).
  std::unique_ptr<Gdiplus::GraphicsPath> FittedPath() const;
  // The guide curves loaded into a curved-text object.
  CurvedText LoadCurvedText() const;

  std::u16string wText;
  Gdiplus::Graphics g;
  Gdiplus::RectF rectImage;
  Gdiplus::RectF rectInner;
  RandomClass rand;
  Gdiplus::RectF rectFBorders;
  std::u16string fontName;
  std::unique_ptr<Gdiplus::Font> font;
};

}  // namespace MirelGlyphward
