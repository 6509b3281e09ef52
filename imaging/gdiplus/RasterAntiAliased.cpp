#include "RasterAntiAliased.h"

#include <agg_rasterizer_scanline_aa.h>
#include <agg_rasterizer_sl_clip.h>
#include <agg_scanline_u.h>

#include "RenderTarget.h"

namespace Gdiplus {

namespace {

// AGG centres pixel (i, j) on (i + 0.5, j + 0.5), GDI+ on (i, j).
constexpr double kPixelCentreShift = 0.5;

// scanline_u8 keeps span positions in 16 bits: shapes reaching past them
// sweep into scanline32_u8, a little slower.
constexpr int kNarrowLimit = 32767;

template <class Rasterizer, class Scanline>
void SweepSpans(Rasterizer& rasterizer, Scanline& scanline, RenderTarget& target) {
  scanline.reset(rasterizer.min_x(), rasterizer.max_x());
  while (rasterizer.sweep_scanline(scanline)) {
    const INT y = scanline.y();
    unsigned spans = scanline.num_spans();
    auto span = scanline.begin();
    for (; spans > 0; --spans, ++span) target.BlendCovers(y, span->x, span->len, span->covers);
  }
}

template <class Rasterizer>
void SweepInto(Rasterizer& rasterizer, agg::scanline_u8& narrow, agg::scanline32_u8& wide,
               FillMode fillMode, RenderTarget& target) {
  rasterizer.filling_rule(fillMode == FillModeWinding ? agg::fill_non_zero : agg::fill_even_odd);
  if (!rasterizer.rewind_scanlines()) return;
  if (rasterizer.min_x() >= -kNarrowLimit && rasterizer.max_x() <= kNarrowLimit) {
    SweepSpans(rasterizer, narrow, target);
  } else {
    SweepSpans(rasterizer, wide, target);
  }
}

}  // namespace

struct AntiAliasedRasterizer::Engine {
  // Clipping in double precision keeps far-away vertices out of AGG's
  // fixed-point cells; shapes known to lie inside need none of it.
  agg::rasterizer_scanline_aa<agg::rasterizer_sl_clip_dbl> clipped;
  agg::rasterizer_scanline_aa<agg::rasterizer_sl_no_clip> unclipped;
  agg::scanline_u8 scanline;
  agg::scanline32_u8 wideScanline;
};

AntiAliasedRasterizer::AntiAliasedRasterizer() : engine_(std::make_unique<Engine>()) {}

AntiAliasedRasterizer::~AntiAliasedRasterizer() = default;

void AntiAliasedRasterizer::Reset(const Rect& area, const RasterBounds* bounds) {
  clipping_ = !bounds || !(bounds->left > area.X && bounds->top > area.Y &&
                           bounds->right < area.X + area.Width - 1.0 &&
                           bounds->bottom < area.Y + area.Height - 1.0);
  if (clipping_) {
    engine_->clipped.reset();
    engine_->clipped.clip_box(area.X, area.Y, double(area.X) + area.Width,
                              double(area.Y) + area.Height);
  } else {
    engine_->unclipped.reset();
  }
}

void AntiAliasedRasterizer::AddPath(const RasterPath& path) {
  AddFigures(path, *this);
}

void AntiAliasedRasterizer::MoveTo(double x, double y) {
  if (clipping_) {
    engine_->clipped.move_to_d(x + kPixelCentreShift, y + kPixelCentreShift);
  } else {
    engine_->unclipped.move_to_d(x + kPixelCentreShift, y + kPixelCentreShift);
  }
}

void AntiAliasedRasterizer::LineTo(double x, double y) {
  if (clipping_) {
    engine_->clipped.line_to_d(x + kPixelCentreShift, y + kPixelCentreShift);
  } else {
    engine_->unclipped.line_to_d(x + kPixelCentreShift, y + kPixelCentreShift);
  }
}

void AntiAliasedRasterizer::ClosePolygon() {
  if (clipping_) {
    engine_->clipped.close_polygon();
  } else {
    engine_->unclipped.close_polygon();
  }
}

void AntiAliasedRasterizer::Sweep(FillMode fillMode, RenderTarget& target) {
  if (clipping_) {
    SweepInto(engine_->clipped, engine_->scanline, engine_->wideScanline, fillMode, target);
  } else {
    SweepInto(engine_->unclipped, engine_->scanline, engine_->wideScanline, fillMode, target);
  }
}

}  // namespace Gdiplus
