// The drawing calls the text styles make by the thousand, on the default
// 250 x 50 picture.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "FontFamily.h"
#include "Graphics.h"
#include "GraphicsPath.h"
#include "HatchBrush.h"
#include "Pen.h"
#include "SolidBrush.h"

using namespace Gdiplus;

namespace {

constexpr INT kWidth = 250;
constexpr INT kHeight = 50;

// Positions spread over the picture without a random engine in the loop.
std::vector<PointF> Spread(std::size_t count) {
  std::vector<PointF> points;
  unsigned state = 12345;
  for (std::size_t i = 0; i < count; ++i) {
    state = state * 1103515245u + 12345u;
    const float x = float(state % 25000) / 100.0f;
    state = state * 1103515245u + 12345u;
    const float y = float(state % 5000) / 100.0f;
    points.emplace_back(x, y);
  }
  return points;
}

void FillEllipseUnitAntiAliased(benchmark::State& state) {
  Bitmap bitmap(kWidth, kHeight);
  Graphics g(&bitmap);
  g.SetSmoothingMode(SmoothingModeAntiAlias);
  g.Clear(Color(0xFFFFFFFF));
  SolidBrush brush(Color(0xFF008000));
  const std::vector<PointF> points = Spread(4096);
  std::size_t i = 0;
  for (auto _ : state) {
    const PointF& p = points[i++ & 4095];
    benchmark::DoNotOptimize(g.FillEllipse(&brush, RectF(p.X, p.Y, 1.0f, 1.0f)));
  }
}
BENCHMARK(FillEllipseUnitAntiAliased);

// The small double arches of the engraving style: Bezier curves a few
// pixels across, one pixel wide.
void DrawBezierSmall(benchmark::State& state) {
  Bitmap bitmap(kWidth, kHeight);
  Graphics g(&bitmap);
  g.SetSmoothingMode(state.range(0) ? SmoothingModeAntiAlias : SmoothingModeNone);
  g.Clear(Color(0xFFF5F5F5));
  Pen pen(Color(0xFF000000), 1.0f);
  const std::vector<PointF> points = Spread(4096);
  std::size_t i = 0;
  for (auto _ : state) {
    const PointF& p = points[i++ & 4095];
    benchmark::DoNotOptimize(g.DrawBezier(&pen, p, PointF(p.X + 0.8f, p.Y - 1.1f),
                                          PointF(p.X + 1.2f, p.Y - 0.9f), PointF(p.X + 2.0f, p.Y)));
  }
  state.SetLabel(state.range(0) ? "anti-aliased" : "aliased");
}
BENCHMARK(DrawBezierSmall)->Arg(0)->Arg(1);

// Scribbles: one-pixel anti-aliased Beziers whose points lie in a random
// box, tiny (8 x 2) or medium (25 x 5), over the whole picture or clipped to
// the letters of a text, most of them then falling between the letters.
void DrawBezierScribble(benchmark::State& state) {
  const bool medium = state.range(0) != 0;
  const float boxW = medium ? 25.0f : 8.3f, boxH = medium ? 5.0f : 1.7f;
  Bitmap bitmap(kWidth, kHeight);
  Graphics g(&bitmap);
  g.SetSmoothingMode(SmoothingModeAntiAlias);
  g.Clear(Color(0xFFC0C0C0));
  FontFamily family(u"Arial");
  GraphicsPath path;
  path.AddString(u"W8kQ3", -1, &family, FontStyleRegular, 40.0f, PointF(30, 0), nullptr);
  if (state.range(1)) g.SetClip(&path);
  Pen pen(Color(0xFFFF4500), 1.0f);
  const std::vector<PointF> boxes = Spread(4096);
  const std::vector<PointF> offsets = Spread(4 * 4096 + 3);
  std::size_t i = 0;
  for (auto _ : state) {
    const std::size_t k = i++ & 4095;
    const float left = boxes[k].X / kWidth * (kWidth - boxW);
    const float top = boxes[k].Y / kHeight * (kHeight - boxH);
    PointF p[4];
    for (int j = 0; j < 4; ++j) {
      const PointF& o = offsets[4 * k + j];
      p[j] = PointF(left + o.X / kWidth * boxW, top + o.Y / kHeight * boxH);
    }
    benchmark::DoNotOptimize(g.DrawBezier(&pen, p[0], p[1], p[2], p[3]));
  }
  state.SetLabel(std::string(medium ? "25x5" : "8x2") + (state.range(1) ? " text clip" : ""));
}
BENCHMARK(DrawBezierScribble)->Args({0, 0})->Args({0, 1})->Args({1, 0})->Args({1, 1});

// Rings of radius 0 to 885 around a point of the picture, clipped to the
// outline of a text, as the ring styles draw them.
void DrawEllipseRingsClipped(benchmark::State& state) {
  Bitmap bitmap(kWidth, kHeight);
  Graphics g(&bitmap);
  g.SetSmoothingMode(SmoothingModeAntiAlias);
  g.Clear(Color(0xFFFFFFFF));
  FontFamily family(u"Arial");
  GraphicsPath path;
  path.AddString(u"W8kQ3", -1, &family, FontStyleBold, 48.0f, PointF(5, -5), nullptr);
  g.SetClip(&path);
  Pen pen(Color(0xFF000000), 1.5f);
  const PointF centre(float(state.range(0)), 30.0f);
  float r = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(g.DrawEllipse(&pen, RectF(centre.X - r, centre.Y - r, 2 * r, 2 * r)));
    r += 3;
    if (r >= 888) r = 0;
  }
}
BENCHMARK(DrawEllipseRingsClipped)->Arg(125)->Arg(-40);

// The worst single ring: one that crosses the whole picture and the text.
void DrawEllipseRingCrossing(benchmark::State& state) {
  Bitmap bitmap(kWidth, kHeight);
  Graphics g(&bitmap);
  g.SetSmoothingMode(SmoothingModeAntiAlias);
  FontFamily family(u"Arial");
  GraphicsPath path;
  path.AddString(u"W8kQ3", -1, &family, FontStyleBold, 48.0f, PointF(5, -5), nullptr);
  g.SetClip(&path);
  Pen pen(Color(0xFF000000), 1.5f);
  const float r = float(state.range(0));
  for (auto _ : state) {
    benchmark::DoNotOptimize(g.DrawEllipse(&pen, RectF(125 - r, 30 - r, 2 * r, 2 * r)));
  }
}
BENCHMARK(DrawEllipseRingCrossing)->Arg(30)->Arg(120)->Arg(885);

void FillRectangleHatched(benchmark::State& state) {
  Bitmap bitmap(kWidth, kHeight);
  Graphics g(&bitmap);
  HatchBrush brush(HatchStyleLargeConfetti, Color(0xFFD3D3D3), Color(0xFFFFFFFF));
  for (auto _ : state) {
    benchmark::DoNotOptimize(g.FillRectangle(&brush, RectF(0, 0, kWidth, kHeight)));
  }
}
BENCHMARK(FillRectangleHatched);

void FillRectangleSmall(benchmark::State& state) {
  Bitmap bitmap(kWidth, kHeight);
  Graphics g(&bitmap);
  SolidBrush brush(Color(0xFF336699));
  const std::vector<PointF> points = Spread(4096);
  std::size_t i = 0;
  for (auto _ : state) {
    const PointF& p = points[i++ & 4095];
    benchmark::DoNotOptimize(g.FillRectangle(&brush, Rect(INT(p.X), INT(p.Y), 6, 4)));
  }
}
BENCHMARK(FillRectangleSmall);

void Clear(benchmark::State& state) {
  Bitmap bitmap(kWidth, kHeight);
  Graphics g(&bitmap);
  for (auto _ : state) benchmark::DoNotOptimize(g.Clear(Color(0xFFFFFFFF)));
}
BENCHMARK(Clear);

// The speckle of the confetti styles: one-pixel images at whole positions.
void DrawImageDot(benchmark::State& state) {
  Bitmap bitmap(kWidth, kHeight);
  Graphics g(&bitmap);
  Bitmap dot(1, 1);
  dot.SetPixel(0, 0, Color(0xFF000000));
  const std::vector<PointF> points = Spread(4096);
  std::size_t i = 0;
  for (auto _ : state) {
    const PointF& p = points[i++ & 4095];
    benchmark::DoNotOptimize(g.DrawImage(&dot, INT(p.X), INT(p.Y)));
  }
}
BENCHMARK(DrawImageDot);

}  // namespace

BENCHMARK_MAIN();
