#include "RasterAntiAliased.h"

#include <agg_rasterizer_scanline_aa.h>
#include <agg_rasterizer_sl_clip.h>
#include <agg_scanline_u.h>

#include "RenderTarget.h"

namespace Gdiplus {

namespace {

// AGG centres pixel (i, j) on (i + 0.5, j + 0.5), GDI+ on (i, j).
constexpr double kPixelCentreShift = 0.5;

}  // namespace

struct AntiAliasedRasterizer::Engine {
  agg::rasterizer_scanline_aa<agg::rasterizer_sl_clip_dbl> rasterizer;
  agg::scanline_u8 scanline;
};

AntiAliasedRasterizer::AntiAliasedRasterizer() : engine_(std::make_unique<Engine>()) {}

AntiAliasedRasterizer::~AntiAliasedRasterizer() = default;

void AntiAliasedRasterizer::Reset(const Rect& area) {
  engine_->rasterizer.reset();
  // Clipping in double precision keeps far-away vertices out of AGG's
  // fixed-point cells.
  engine_->rasterizer.clip_box(area.X, area.Y, double(area.X) + area.Width,
                               double(area.Y) + area.Height);
}

void AntiAliasedRasterizer::AddPath(const RasterPath& path) {
  const auto& points = path.Points();
  for (const RasterFigure& figure : path.Figures()) {
    if (figure.end - figure.begin < 2) continue;
    MoveTo(points[figure.begin].x, points[figure.begin].y);
    for (std::uint32_t i = figure.begin + 1; i < figure.end; ++i) {
      LineTo(points[i].x, points[i].y);
    }
    ClosePolygon();
  }
}

void AntiAliasedRasterizer::MoveTo(double x, double y) {
  engine_->rasterizer.move_to_d(x + kPixelCentreShift, y + kPixelCentreShift);
}

void AntiAliasedRasterizer::LineTo(double x, double y) {
  engine_->rasterizer.line_to_d(x + kPixelCentreShift, y + kPixelCentreShift);
}

void AntiAliasedRasterizer::ClosePolygon() { engine_->rasterizer.close_polygon(); }

void AntiAliasedRasterizer::Sweep(FillMode fillMode, RenderTarget& target) {
  auto& rasterizer = engine_->rasterizer;
  auto& scanline = engine_->scanline;
  rasterizer.filling_rule(fillMode == FillModeWinding ? agg::fill_non_zero : agg::fill_even_odd);
  if (!rasterizer.rewind_scanlines()) return;
  scanline.reset(rasterizer.min_x(), rasterizer.max_x());
  while (rasterizer.sweep_scanline(scanline)) {
    const INT y = scanline.y();
    unsigned spans = scanline.num_spans();
    auto span = scanline.begin();
    for (; spans > 0; --spans, ++span) target.BlendCovers(y, span->x, span->len, span->covers);
  }
}

}  // namespace Gdiplus
