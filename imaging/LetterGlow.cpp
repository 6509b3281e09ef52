#include "LetterGlow.h"

#include <memory>

#include "Matrix.h"
#include "Pen.h"
#include "SolidBrush.h"

namespace MirelGlyphward {

using namespace Gdiplus;

void DrawGlowingLetters(TextFrame& frame, const GraphicsPath& pathLetters, REAL scale) {
  const Color colorHalo(0xFFFF0000);
  const Color colorText(0xFF000000);
  const Pen penHallo(colorHalo, 1.0f);
  const SolidBrush fillText(colorText);
  const SolidBrush brushHalo(colorHalo);
  const Color& fillBack = colorText;

  const REAL width = frame.rectImage.Width, height = frame.rectImage.Height;
  Bitmap bmSmall(INT(width * scale), INT(height * scale));
  // A side under 1 / scale pixels leaves no small bitmap to draw in or from;
  // then only the black letters reach the picture.
  const bool hasSmall = bmSmall.GetWidth() > 0 && bmSmall.GetHeight() > 0;
  if (hasSmall) {
    std::unique_ptr<GraphicsPath> pathSmall(pathLetters.Clone());
    Matrix mx;
    mx.Scale(scale, scale, MatrixOrderPrepend);
    pathSmall->Transform(&mx);
    Graphics GrfxSmall(&bmSmall);
    GrfxSmall.Clear(fillBack);
    GrfxSmall.DrawPath(&penHallo, pathSmall.get());
    GrfxSmall.FillPath(&brushHalo, pathSmall.get());
  }

  frame.g.SetSmoothingMode(SmoothingModeAntiAlias);
  frame.g.SetInterpolationMode(InterpolationModeHighQualityBilinear);
  if (hasSmall) {
    const Rect rectDest(0, 0, INT(width), INT(height));
    frame.g.DrawImage(&bmSmall, rectDest, 0, 0, INT(bmSmall.GetWidth()), INT(bmSmall.GetHeight()),
                      UnitPixel, nullptr, nullptr, nullptr);
  }
  frame.g.FillPath(&fillText, &pathLetters);
}

}  // namespace MirelGlyphward
