#include "SnowStyles.h"

#include <memory>

#include "Bitmap.h"
#include "DotBatch.h"
#include "FontFitting.h"
#include "Graphics.h"
#include "GraphicsPath.h"
#include "HatchBrush.h"
#include "Matrix.h"
#include "Pen.h"
#include "RandomClass.h"
#include "RandomSource.h"
#include "SolidBrush.h"
#include "TextFrame.h"
#include "Tools.h"

namespace MirelGlyphward {

using namespace Gdiplus;

namespace {

constexpr int kStyleNumber = 4;
constexpr std::array<ARGB, 4> kColors = {0xFFF8F8FF, 0xFFD3D3D3, 0xFFA9A9A9, 0xFF000000};
constexpr ARGB kShadow = 0xFF000000;
// How far each warped corner may be pulled in, per draw, as a share of the
// text rectangle's side.
constexpr float kCornerPull = 0.05f;

HatchBrush MakeHatch(int style, ARGB fore, ARGB back) {
  return HatchBrush(HatchStyle(style), Color(fore), Color(back));
}

void UpperCase(std::string& text) {
  for (char& c : text)
    if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
}

// One pull of up to 5 % of a side; RandomNumber(side) is one engine step.
float Pull(int side) {
  return kCornerPull * float(RandomNumber(side));
}

}  // namespace

SnowTextGenerator::SnowTextGenerator()
    : arrColors(kColors),
      groundHatch(HatchStyleSmallConfetti),
      textHatch(HatchStyleWideUpwardDiagonal),
      speckHatch(HatchStyleSphere),
      rectSnowArea(-1, -1, 2, 2) {}

void SnowTextGenerator::Draw(std::string text, Bitmap* bitmap) {
  // The case change draws nothing at random, so it may come before the text
  // is widened for the frame.
  UpperCase(text);
  TextFrame frame(text, bitmap);
  rectSnowArea =
      RectF(-1, -1, REAL(double(bitmap->GetWidth()) + 2), REAL(double(bitmap->GetHeight()) + 2));
  ChooseSettings();
  DrawBackground(frame.g);
  DrawText(frame.g, frame.wText);
  DrawForeground(frame.g);
}

int SnowTextGenerator::AreaUnits() const {
  return int(rectSnowArea.Width * rectSnowArea.Height);
}

void SnowTextGenerator::ChooseSettings() {
  arrColors = kColors;
  groundHatch = RandomNumber(2) != 0 ? HatchStyleSmallConfetti : HatchStyleLargeConfetti;
  textHatch = RandomNumber(2) != 0 ? HatchStyleWideUpwardDiagonal : HatchStyleWideDownwardDiagonal;
  speckHatch = HatchStyleSphere;
}

void SnowTextGenerator::DrawBackground(Graphics& g) const {
  const HatchBrush backBrush = MakeHatch(groundHatch, arrColors[0], arrColors[0]);
  const HatchBrush noiseBrush = MakeHatch(speckHatch, arrColors[2], arrColors[2]);
  // Each speck takes the black or the light grey of the diagonal pattern
  // where it lands.
  const HatchBrush snowBrush = MakeHatch(textHatch, arrColors[3], arrColors[1]);
  g.FillRectangle(&backBrush, rectSnowArea);
  const int n = AreaUnits();
  const int aw = int(rectSnowArea.Width), ah = int(rectSnowArea.Height);
  const int noiseCount = int(0.4f * float(n));
  DotBatch noise(g, noiseBrush);
  for (int i = 0; i < noiseCount; ++i) {
    const int x = RandomNumber(aw);
    const int y = RandomNumber(ah);
    noise.Add(RectF(REAL(x), REAL(y), 1, 1));
  }
  noise.Flush();
  const int snowCount = int(0.3f * float(n));
  DotBatch snow(g, snowBrush);
  for (int i = 0; i < snowCount; ++i) {
    const int x = RandomNumber(aw);
    const int y = RandomNumber(ah);
    snow.Add(RectF(REAL(x), REAL(y), 1, 1));
  }
}

void SnowTextGenerator::DrawText(Graphics& g, const std::u16string& wText) const {
  const REAL aw = rectSnowArea.Width, ah = rectSnowArea.Height;
  const RectF rectInner(0.1f * aw, 0.1f * ah, 0.85f * aw, 0.85f * ah);
  const RectF rectOuter(0.01f * aw, 0.01f * ah, 0.99f * aw, 0.99f * ah);
  const RandomClass rand;
  const RectF rectText = rand.NextBorders(rectOuter, rectInner);
  const std::u16string fontName = rand.NextFontName(kStyleNumber);

  const FittedFont fitted =
      FitFontToWidth(g, wText, fontName.c_str(), FontStyleRegular, rectText.Height, rectText.Width);
  GraphicsPath textPath;
  Tools::AddFittedString(wText, *fitted.font, rectText, &textPath);

  // The corners are measured from the picture's origin, not from the text
  // rectangle's: the warp also moves the text up and left by the rectangle's
  // offset. The top-left corner is pulled in twice.
  const int rw = int(rectText.Width), rh = int(rectText.Height);
  PointF points[4];
  points[0].Y = Pull(rh);
  points[0].Y += Pull(rh);
  points[0].X = Pull(rw);
  points[0].X += Pull(rw);
  points[1].Y = Pull(rh);
  points[1].X = rectText.Width - Pull(rw);
  points[2].Y = rectText.Height - Pull(rh);
  points[2].X = Pull(rw);
  points[3].Y = rectText.Height - Pull(rh);
  points[3].X = rectText.Width - Pull(rw);
  Matrix matrix;
  matrix.Translate(0, 0);
  textPath.Warp(points, 4, rectText, &matrix, WarpModePerspective, 1.0f);

  const HatchBrush textBrush = MakeHatch(textHatch, arrColors[2], arrColors[3]);
  g.FillPath(&textBrush, &textPath);
  DrawShadow(g, textPath, rectText);
  // The sharp letters again, over their blurred shadow.
  g.FillPath(&textBrush, &textPath);
}

void SnowTextGenerator::DrawShadow(Graphics& g, const GraphicsPath& textPath,
                                   const RectF& rectText) const {
  // Larger pictures get a smaller shadow bitmap and so a softer shadow once
  // it is enlarged; from an area of 192000 on there is nothing left to draw.
  const REAL scale = REAL(0.6 - double(AreaUnits()) / 320000.0);
  const INT subWidth = INT(rectText.Width * scale), subHeight = INT(rectText.Height * scale);
  if (subWidth <= 0 || subHeight <= 0) return;
  Bitmap subImage(subWidth, subHeight, PixelFormat32bppARGB);
  Matrix mx;
  mx.Scale(scale, scale);
  const std::unique_ptr<GraphicsPath> subTextPath(textPath.Clone());
  subTextPath->Transform(&mx);
  {
    Graphics gSubImage(&subImage);
    Pen outlinePen(Color(kShadow), 1.0f);
    outlinePen.SetAlignment(PenAlignmentCenter);
    gSubImage.DrawPath(&outlinePen, subTextPath.get());
    const SolidBrush shadowBrush{Color(kShadow)};
    gSubImage.FillPath(&shadowBrush, subTextPath.get());
  }
  g.SetInterpolationMode(InterpolationModeHighQualityBilinear);
  const RectF rectDest(0, 0, rectText.Width, rectText.Height);
  const RectF rectSource(0, 0, REAL(subWidth), REAL(subHeight));
  g.DrawImage(&subImage, rectDest, rectSource, UnitPixel);
}

void SnowTextGenerator::DrawForeground(Graphics& g) const {
  const HatchBrush backBrush = MakeHatch(groundHatch, arrColors[0], arrColors[0]);
  const int n = AreaUnits();
  const int aw = int(rectSnowArea.Width), ah = int(rectSnowArea.Height);
  // Flakes stay 2 pixels across until the area passes about 66667.
  const int flakeSpread = int(float(n) * 0.00003f);
  DotBatch flakes(g, backBrush);
  for (int i = 0; float(i) < 0.05f * float(n); ++i) {
    const int x = RandomNumber(aw);
    const int y = RandomNumber(ah);
    const int w = RandomNumber(flakeSpread) + 2;
    const int h = RandomNumber(flakeSpread) + 2;
    flakes.Add(RectF(REAL(x), REAL(y), REAL(w), REAL(h)));
  }
  for (int j = 0; float(j) < 0.5f * float(n); ++j) {
    const int x = RandomNumber(aw);
    const int y = RandomNumber(ah);
    flakes.Add(RectF(REAL(x), REAL(y), 1, 1));
  }
}

}  // namespace MirelGlyphward
