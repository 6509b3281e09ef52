#include "HaloStyles.h"

#include "Matrix.h"
#include "Pen.h"
#include "SolidBrush.h"
#include "TextFrame.h"

namespace MirelGlyphward {

using namespace Gdiplus;

void HaloTextGenerator::Draw(std::string text, Bitmap* bitmap) {
  TextFrame frame(text, bitmap);
  frame.SetInner(0.2f, 0.2f, 0.6f, 0.6f);
  const RectF rectOuter = frame.Fraction(0.1f, 0.1f, 0.8f, 0.7f);
  frame.DrawBorders(rectOuter);
  frame.ChooseFont(19, FontStyleRegular);

  // The size of the small copy sets the width of the halo: each of its
  // pixels spreads over about 1 / scale picture pixels when stretched back.
  const REAL scale = 0.15f;
  const Color colorHalo(0xFFFF0000);
  const Color colorText(0xFF000000);
  const Pen penHallo(colorHalo, 1.0f);
  const SolidBrush fillText(colorText);
  const SolidBrush brushHalo(colorHalo);
  const Color& fillBack = colorText;

  std::unique_ptr<GraphicsPath> path = frame.FittedPath();
  const REAL width = frame.rectImage.Width, height = frame.rectImage.Height;
  Bitmap bmSmall(INT(width * scale), INT(height * scale));
  std::unique_ptr<GraphicsPath> pathSmall = frame.FittedPath();
  Matrix mx;
  mx.Scale(scale, scale, MatrixOrderPrepend);
  pathSmall->Transform(&mx);

  // A side under 1 / scale pixels leaves no small bitmap to draw in or from;
  // then only the black letters reach the picture.
  if (bmSmall.GetWidth() > 0 && bmSmall.GetHeight() > 0) {
    Graphics GrfxSmall(&bmSmall);
    GrfxSmall.Clear(fillBack);
    GrfxSmall.DrawPath(&penHallo, pathSmall.get());
    GrfxSmall.FillPath(&brushHalo, pathSmall.get());
  }

  frame.g.SetSmoothingMode(SmoothingModeAntiAlias);
  frame.g.SetInterpolationMode(InterpolationModeHighQualityBilinear);
  if (bmSmall.GetWidth() > 0 && bmSmall.GetHeight() > 0) {
    const Rect rectDest(0, 0, INT(bitmap->GetWidth()), INT(bitmap->GetHeight()));
    const Rect rectSource(0, 0, INT(bmSmall.GetWidth()), INT(bmSmall.GetHeight()));
    frame.g.DrawImage(&bmSmall, rectDest, rectSource.X, rectSource.Y, rectSource.Width,
                      rectSource.Height, UnitPixel, nullptr, nullptr, nullptr);
  }
  frame.g.FillPath(&fillText, path.get());
}

}  // namespace MirelGlyphward
