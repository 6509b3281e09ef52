// Draws one sheet of the drawing primitives the styles build on (fitted text,
// curved text, a widened path, a warped path, the hatch styles and a region's
// scans) and writes it as PNG, for a person to check at a glance. Exits 1 if
// any primitive reports a failure.
#include <cstdio>
#include <fstream>
#include <vector>

#include "Bitmap.h"
#include "CurvedText.h"
#include "Font.h"
#include "FontFamily.h"
#include "Graphics.h"
#include "GraphicsPath.h"
#include "HatchBrush.h"
#include "ImageCodecInfo.h"
#include "Matrix.h"
#include "Pen.h"
#include "Region.h"
#include "SaveImage.h"
#include "SolidBrush.h"
#include "StringFormat.h"
#include "Tools.h"
#include "objidl.h"

using namespace Gdiplus;
using MirelGlyphward::CurvedText;
using MirelGlyphward::Tools;

namespace {

int failures = 0;

void Check(Status status, const char* what) {
  if (status != Ok) {
    std::fprintf(stderr, "%s failed with status %d\n", what, int(status));
    ++failures;
  }
}

void Label(Graphics& g, const char16_t* text, REAL x, REAL y) {
  Font font(u"Arial", 9.0f, FontStyleRegular, UnitPoint);
  SolidBrush ink(Color(0xFF404040));
  Check(g.DrawString(text, -1, &font, PointF(x, y), &ink), "DrawString");
}

void FittedText(Graphics& g) {
  const RectF target(10, 20, 260, 70);
  Pen frame(Color(0xFFB0B0B0), 1.0f);
  Check(g.DrawRectangle(&frame, target), "DrawRectangle");
  Font font(u"Times New Roman", 200.0f, FontStyleRegular, UnitPoint);
  GraphicsPath path;
  Tools::AddFittedString(u"Fit7", font, target, &path);
  SolidBrush black(Color(0xFF000000));
  Check(g.FillPath(&black, &path), "FillPath (fitted)");
  Label(g, u"fitted text: the outline fills the grey frame exactly", 10, 92);
}

void CurvedTextSample(Graphics& g) {
  const RectF target(300, 20, 290, 70);
  Pen frame(Color(0xFFB0B0B0), 1.0f);
  g.DrawRectangle(&frame, target);
  std::vector<PointF> top, bottom;
  CurvedText::LoadCurves(1, top, bottom);
  CurvedText curved(top, bottom);
  Font font(u"Verdana", 200.0f, FontStyleBold, UnitPoint);
  Pen red(Color(0xFFFF0000), 2.0f);
  SolidBrush green(Color(0xFF008000));
  curved.DrawOutlineAndFill(g, target, u"Curve", font, red, green);
  Pen guide(Color(0xFF3070FF), 1.0f);
  Check(g.DrawLines(&guide, curved.Top().data(), INT(curved.Top().size())), "DrawLines (top)");
  Check(g.DrawLines(&guide, curved.Bottom().data(), INT(curved.Bottom().size())),
        "DrawLines (bottom)");
  Label(g, u"curved text between the blue guide curves", 300, 92);
}

void WidenedPath(Graphics& g) {
  GraphicsPath path;
  path.AddBezier(PointF(20, 170), PointF(80, 100), PointF(160, 220), PointF(260, 130));
  GraphicsPath widened;
  widened.AddPath(&path, false);
  Pen wide(Color(0xFF000000), 14.0f);
  Check(widened.Widen(&wide), "Widen");
  SolidBrush blue(Color(0xFF80A0FF));
  Check(g.FillPath(&blue, &widened), "FillPath (widened)");
  Pen outline(Color(0xFF000080), 1.0f);
  g.DrawPath(&outline, &widened);

  GraphicsPath dashed;
  dashed.AddLine(20, 225, 260, 225);
  Pen dashPen(Color(0xFF000000), 8.0f);
  dashPen.SetDashStyle(DashStyleDashDot);
  Check(dashed.Widen(&dashPen), "Widen (dashed)");
  g.FillPath(&blue, &dashed);
  Pen red(Color(0xFFFF0000), 1.0f);
  g.DrawPath(&red, &path);
  Label(g, u"widened Bezier (width 14) and dash-dot line (width 8)", 10, 235);
}

void WarpedPath(Graphics& g) {
  GraphicsPath path;
  FontFamily family(u"Arial");
  StringFormat format;
  Check(path.AddString(u"Warp", -1, &family, FontStyleBold, 60.0f, PointF(0, 0), &format),
        "AddString");
  RectF bounds;
  path.GetBounds(&bounds);
  const PointF corners[4] = {PointF(330, 110), PointF(570, 125), PointF(310, 215),
                             PointF(590, 180)};
  Check(path.Warp(corners, 4, bounds), "Warp");
  SolidBrush purple(Color(0xFF802080));
  g.FillPath(&purple, &path);
  Pen frame(Color(0xFFB0B0B0), 1.0f);
  const PointF quad[5] = {corners[0], corners[1], corners[3], corners[2], corners[0]};
  g.DrawLines(&frame, quad, 5);
  Label(g, u"text warped onto the grey quadrilateral", 300, 235);
}

void HatchSwatches(Graphics& g) {
  for (int style = 0; style < HatchStyleTotal; ++style) {
    const INT x = 10 + (style % 18) * 32, y = 260 + (style / 18) * 32;
    HatchBrush brush(HatchStyle(style), Color(0xFF000000), Color(0xFFFFFFFF));
    Check(g.FillRectangle(&brush, x, y, 28, 28), "FillRectangle (hatch)");
  }
  Label(g, u"the 53 hatch styles, 0 to 52, left to right, top to bottom", 10, 356);
}

void RegionScans(Graphics& g) {
  GraphicsPath path;
  FontFamily family(u"Courier New");
  StringFormat format;
  path.AddString(u"Scan", -1, &family, FontStyleBold, 48.0f, PointF(10, 370), &format);
  Region region(&path);
  Matrix identity;
  const INT count = region.GetRegionScansCount(&identity);
  std::vector<RectF> scans(std::size_t(count > 0 ? count : 0));
  INT got = count;
  Check(region.GetRegionScans(&identity, scans.data(), &got), "GetRegionScans");
  const ARGB colours[3] = {0xFFFF8040, 0xFF40B040, 0xFF4080FF};
  for (INT i = 0; i < got; ++i) {
    SolidBrush brush(Color(colours[i % 3]));
    g.FillRectangle(&brush, scans[std::size_t(i)]);
  }
  Label(g, u"a text region's scan rectangles, in three alternating colours", 10, 445);
}

bool WritePng(Bitmap& bitmap, const char* path) {
  IStream* stream = nullptr;
  if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, &stream))) return false;
  const CLSID png = {0x557CF406, 0x1A04, 0x11D3, {0x9A, 0x73, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};
  bool ok = SaveImageToStream(&bitmap, stream, &png, nullptr) == Ok;
  ULARGE_INTEGER size{};
  LARGE_INTEGER zero{};
  ok = ok && SUCCEEDED(stream->Seek(zero, STREAM_SEEK_END, &size)) &&
       SUCCEEDED(stream->Seek(zero, STREAM_SEEK_SET, nullptr));
  std::vector<char> bytes(ok ? std::size_t(size.QuadPart) : 0);
  ULONG read = 0;
  ok = ok && SUCCEEDED(stream->Read(bytes.data(), ULONG(bytes.size()), &read));
  stream->Release();
  std::ofstream file(path, std::ios::binary);
  file.write(bytes.data(), std::streamsize(bytes.size()));
  return ok && bool(file);
}

}  // namespace

int main(int argc, char** argv) {
  const char* out = argc > 1 ? argv[1] : "primitives.png";
  Bitmap bitmap(600, 470);
  Graphics g(&bitmap);
  g.Clear(Color(0xFFFFFFFF));
  g.SetSmoothingMode(SmoothingModeAntiAlias);
  FittedText(g);
  CurvedTextSample(g);
  WidenedPath(g);
  WarpedPath(g);
  HatchSwatches(g);
  RegionScans(g);
  if (!WritePng(bitmap, out)) {
    std::fprintf(stderr, "cannot write %s\n", out);
    return 1;
  }
  return failures == 0 ? 0 : 1;
}
