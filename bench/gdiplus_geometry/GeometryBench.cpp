// Costs of the geometry the styles lean on for every picture: the outline of
// a five-letter code at the frame's em size (fonts and glyphs already
// cached), its region at the default picture size, widening and warping.
#include <benchmark/benchmark.h>

#include "FontFamily.h"
#include "GraphicsPath.h"
#include "Matrix.h"
#include "Pen.h"
#include "Region.h"
#include "StringFormat.h"

using namespace Gdiplus;

namespace {

const char16_t kCode[] = u"K7QXW";

GraphicsPath CodePath(REAL emSize) {
  static const FontFamily family(u"Times New Roman");
  GraphicsPath path(FillModeWinding);
  const StringFormat format;
  path.AddString(kCode, 5, &family, FontStyleRegular, emSize, PointF(0, 0), &format);
  return path;
}

// The code's outline scaled into a 250 × 50 picture, as the frame fits it.
GraphicsPath FittedCode() {
  GraphicsPath path = CodePath(200);
  RectF bounds;
  path.GetBounds(&bounds);
  Matrix m;
  m.Translate(20, 5);
  m.Scale(210 / bounds.Width, 40 / bounds.Height);
  m.Translate(-bounds.X, -bounds.Y);
  path.Transform(&m);
  return path;
}

void BM_AddStringFiveLetters(benchmark::State& state) {
  const FontFamily family(u"Arial");
  const StringFormat format;
  GraphicsPath path;
  path.AddString(kCode, 5, &family, FontStyleBold, 200, PointF(0, 0), &format);  // warm the cache
  for (auto _ : state) {
    path.Reset();
    path.AddString(kCode, 5, &family, FontStyleBold, 200, PointF(0, 0), &format);
    benchmark::DoNotOptimize(path.Points().data());
  }
  state.counters["points"] = double(path.GetPointCount());
}
BENCHMARK(BM_AddStringFiveLetters);

void BM_RegionFromTextPath(benchmark::State& state) {
  const GraphicsPath path = FittedCode();
  INT scans = 0;
  for (auto _ : state) {
    const Region region(&path);
    scans = region.GetRegionScansCount(nullptr);
    benchmark::DoNotOptimize(scans);
  }
  state.counters["scans"] = scans;
}
BENCHMARK(BM_RegionFromTextPath);

void BM_WidenSmallBezier(benchmark::State& state) {
  GraphicsPath source;
  source.AddBezier(10, 10, 40, -20, 60, 60, 90, 20);
  const Pen pen(Color(0xFF000000), 3);
  GraphicsPath path;
  for (auto _ : state) {
    path = source;
    path.Widen(&pen);
    benchmark::DoNotOptimize(path.Points().data());
  }
  state.counters["points"] = double(path.GetPointCount());
}
BENCHMARK(BM_WidenSmallBezier);

void BM_WidenTextOutline(benchmark::State& state) {
  const GraphicsPath source = FittedCode();
  const Pen pen(Color(0xFFFFFFFF), 3);
  GraphicsPath path;
  for (auto _ : state) {
    path = source;
    path.Widen(&pen);
    benchmark::DoNotOptimize(path.Points().data());
  }
  state.counters["points"] = double(path.GetPointCount());
}
BENCHMARK(BM_WidenTextOutline);

void BM_WarpTextOutline(benchmark::State& state) {
  const GraphicsPath source = FittedCode();
  RectF bounds;
  source.GetBounds(&bounds);
  const PointF corners[4] = {PointF(-20, 0), PointF(270, 0), PointF(-80, 50), PointF(330, 50)};
  GraphicsPath path;
  for (auto _ : state) {
    path = source;
    path.Warp(corners, 4, bounds);
    benchmark::DoNotOptimize(path.Points().data());
  }
}
BENCHMARK(BM_WarpTextOutline);

}  // namespace

BENCHMARK_MAIN();
