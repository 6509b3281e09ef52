// Draws sample pictures with the graphics layer and writes them as PNG
// files into the folder given as the first argument, for looking at.
#include <cmath>
#include <cstdio>
#include <string>

#include "Font.h"
#include "Graphics.h"
#include "GraphicsPath.h"
#include "HatchBrush.h"
#include "Pen.h"
#include "PngWriter.h"
#include "SolidBrush.h"
#include "StringFormat.h"

using namespace Gdiplus;

namespace {

// Writes the bitmap and a copy enlarged four times, pixel for pixel.
void WritePng(const Bitmap& bitmap, const std::string& path) {
  RenderTest::WritePng(bitmap, path);
  const INT width = INT(bitmap.GetWidth()) * 4, height = INT(bitmap.GetHeight()) * 4;
  Bitmap zoomed(width, height);
  Graphics g(&zoomed);
  g.SetInterpolationMode(InterpolationModeNearestNeighbor);
  g.DrawImage(const_cast<Bitmap*>(&bitmap), Rect(0, 0, width, height));
  RenderTest::WritePng(zoomed, path.substr(0, path.size() - 4) + "_x4.png");
}

void Shapes(const std::string& folder) {
  Bitmap bitmap(250, 50);
  Graphics g(&bitmap);
  g.Clear(Color(0xFFFFFFFF));
  SolidBrush red(Color(0xFFD02020));
  Pen blue(Color(0xFF2040C0), 2.5f);
  g.SetSmoothingMode(SmoothingModeAntiAlias);
  g.FillEllipse(&red, 5.5f, 5.5f, 40.0f, 38.0f);
  g.DrawBezier(&blue, PointF(50, 45), PointF(70, -10), PointF(90, 60), PointF(110, 5));
  g.SetSmoothingMode(SmoothingModeNone);
  g.FillEllipse(&red, 115.0f, 5.0f, 40.0f, 38.0f);
  Pen thin(Color(0xFF000000), 1.0f);
  g.DrawBezier(&thin, PointF(160, 45), PointF(180, -10), PointF(200, 60), PointF(220, 5));
  Pen dashed(Color(0xFF008000), 1.0f);
  dashed.SetDashStyle(DashStyleDot);
  g.DrawRectangle(&dashed, 225, 5, 20, 40);
  WritePng(bitmap, folder + "/shapes.png");
}

void Hatches(const std::string& folder) {
  Bitmap bitmap(53 * 12, 24);
  Graphics g(&bitmap);
  g.Clear(Color(0xFFFFFFFF));
  for (int style = 0; style < HatchStyleTotal; ++style) {
    HatchBrush brush(HatchStyle(style), Color(0xFF000000), Color(0xFFFFFFFF));
    g.FillRectangle(&brush, style * 12, 0, 10, 24);
  }
  WritePng(bitmap, folder + "/hatches.png");
}

void RingsInText(const std::string& folder) {
  Bitmap bitmap(250, 50);
  Graphics g(&bitmap);
  g.SetSmoothingMode(SmoothingModeAntiAlias);
  g.Clear(Color(0xFFFFFFFF));
  Font font(u"Arial", 36.0f, FontStyleBold, UnitPixel);
  GraphicsPath path;
  FontFamily family(u"Arial");
  path.AddString(u"Gly42", -1, &family, FontStyleBold, 44.0f, PointF(10, -4), nullptr);
  g.SetClip(&path);
  Pen pen(Color(0xFF802000), 1.5f);
  for (float r = 0; r < 888; r += 3) g.DrawEllipse(&pen, RectF(60 - r, 30 - r, 2 * r, 2 * r));
  g.ResetClip();
  g.SetClip(&path, CombineModeExclude);
  Pen outside(Color(0xFFB0B0B0), 1.0f);
  for (float r = 0; r < 888; r += 3) g.DrawEllipse(&outside, RectF(60 - r, 30 - r, 2 * r, 2 * r));
  g.ResetClip();
  StringFormat format;
  format.SetAlignment(StringAlignmentFar);
  SolidBrush ink(Color(0xFF000000));
  g.DrawString(u"ward", -1, &font, RectF(120, 0, 130, 50), &format, &ink);
  WritePng(bitmap, folder + "/rings.png");
}

void Stretch(const std::string& folder) {
  Bitmap small(12, 6);
  Graphics gs(&small);
  gs.Clear(Color(0xFF000000));
  SolidBrush red(Color(0xFFFF0000));
  gs.FillEllipse(&red, 2, 1, 8, 4);
  Bitmap bitmap(250, 50);
  Graphics g(&bitmap);
  g.SetInterpolationMode(InterpolationModeHighQualityBilinear);
  g.DrawImage(&small, Rect(0, 0, 125, 50), 0, 0, 12, 6, UnitPixel);
  g.SetInterpolationMode(InterpolationModeNearestNeighbor);
  g.DrawImage(&small, Rect(125, 0, 125, 50), 0, 0, 12, 6, UnitPixel);
  WritePng(bitmap, folder + "/stretch.png");
}

// Dotted inset outline of text on a dark ground, aliased, and a centred
// string in a hatch brush.
void StitchAndString(const std::string& folder) {
  Bitmap bitmap(250, 50);
  Graphics g(&bitmap);
  g.Clear(Color(0xFF203040));
  FontFamily family(u"Times New Roman");
  GraphicsPath path;
  path.AddString(u"Stitch", -1, &family, FontStyleBold, 46.0f, PointF(2, -2), nullptr);
  Pen pen(Color(0xFFFFFFFF), 1.0f);
  pen.SetAlignment(PenAlignmentInset);
  pen.SetDashStyle(DashStyleDot);
  g.DrawPath(&pen, &path);
  HatchBrush white(HatchStyleSmallConfetti, Color(0xFFFFFFFF), Color(0xFFFFFFFF));
  HatchBrush stripes(HatchStyleDiagonalCross, Color(0xFFFFD000), Color(0xFF203040));
  g.FillRectangle(&stripes, 130, 0, 120, 50);
  Font font(u"Courier New", 24.0f, FontStyleBold, UnitPoint);
  StringFormat format;
  format.SetAlignment(StringAlignmentCenter);
  format.SetLineAlignment(StringAlignmentCenter);
  g.SetSmoothingMode(SmoothingModeAntiAlias);
  g.DrawString(u"A7x", -1, &font, RectF(130, 0, 120, 50), &format, &white);
  WritePng(bitmap, folder + "/stitch.png");
}

}  // namespace

int main(int argc, char** argv) {
  const std::string folder = argc > 1 ? argv[1] : ".";
  Shapes(folder);
  Hatches(folder);
  RingsInText(folder);
  Stretch(folder);
  StitchAndString(folder);
  std::printf("wrote shapes, hatches, rings, stretch, stitch to %s\n", folder.c_str());
  return 0;
}
