#include "RenderStroker.h"

#include <agg_vcgen_contour.h>
#include <agg_vcgen_stroke.h>

namespace Gdiplus {

namespace {

constexpr unsigned kClose = unsigned(agg::path_cmd_end_poly) | unsigned(agg::path_flags_close);

// GDI+'s LineJoinMiter cuts a miter off at the limit, LineJoinMiterClipped
// falls back to a bevel.
agg::line_join_e ToAgg(LineJoin join) {
  switch (join) {
    case LineJoinBevel:
      return agg::bevel_join;
    case LineJoinRound:
      return agg::round_join;
    case LineJoinMiterClipped:
      return agg::miter_join_revert;
    default:
      return agg::miter_join;
  }
}

agg::line_cap_e ToAgg(LineCap cap) {
  switch (cap) {
    case LineCapSquare:
      return agg::square_cap;
    case LineCapRound:
      return agg::round_cap;
    default:
      return agg::butt_cap;
  }
}

template <class Generator>
void Configure(Generator& generator, const StrokeStyle& style) {
  generator.line_join(ToAgg(style.lineJoin));
  generator.miter_limit(style.miterLimit >= 1 ? style.miterLimit : 1);
}

bool SegmentVisible(const RasterPoint& a, const RasterPoint& b, const RasterBounds& box) {
  return !(std::fmax(a.x, b.x) < box.left || std::fmin(a.x, b.x) > box.right ||
           std::fmax(a.y, b.y) < box.top || std::fmin(a.y, b.y) > box.bottom);
}

}  // namespace

struct RenderStroker::Engine {
  agg::vcgen_stroke stroke;
  agg::vcgen_contour contour;
};

RenderStroker::RenderStroker() : engine_(std::make_unique<Engine>()) {}

RenderStroker::~RenderStroker() = default;

void RenderStroker::Stroke(const RasterPath& path, const StrokeStyle& style,
                           const RasterBounds& visible, RasterSink& sink) {
  auto& stroke = engine_->stroke;
  Configure(stroke, style);
  stroke.width(style.width);
  stroke.line_cap(ToAgg(style.lineCap));

  const auto& points = path.Points();
  for (const RasterFigure& figure : path.Figures()) {
    const std::uint32_t count = figure.end - figure.begin;
    if (count < 2) continue;
    const std::uint32_t segments = figure.closed ? count : count - 1;
    auto visibleSegment = [&](std::uint32_t s) {
      return SegmentVisible(points[figure.begin + s], points[figure.begin + (s + 1) % count],
                            visible);
    };
    // Start right after a hidden segment, so that no visible run wraps
    // around the start of a closed figure.
    std::uint32_t start = 0;
    bool anyHidden = false;
    for (std::uint32_t s = 0; s < segments; ++s) {
      if (!visibleSegment(s)) {
        start = figure.closed ? (s + 1) % segments : 0;
        anyHidden = true;
        break;
      }
    }
    if (!anyHidden) {
      StrokeRun(path, figure.begin, count, 0, count, figure.closed, sink);
      continue;
    }
    // Visible runs become open polylines; their cut ends lie outside the box.
    std::uint32_t runStart = 0, runLength = 0;
    for (std::uint32_t k = 0; k < segments; ++k) {
      const std::uint32_t s = (start + k) % segments;
      if (visibleSegment(s)) {
        if (runLength == 0) runStart = s;
        ++runLength;
        continue;
      }
      if (runLength > 0) StrokeRun(path, figure.begin, count, runStart, runLength + 1, false, sink);
      runLength = 0;
    }
    if (runLength > 0) StrokeRun(path, figure.begin, count, runStart, runLength + 1, false, sink);
  }
}

void RenderStroker::StrokeRun(const RasterPath& path, std::uint32_t figureBegin,
                              std::uint32_t count, std::uint32_t first, std::uint32_t points,
                              bool closed, RasterSink& sink) {
  auto& stroke = engine_->stroke;
  const auto& all = path.Points();
  stroke.remove_all();
  for (std::uint32_t k = 0; k < points; ++k) {
    const RasterPoint& p = all[figureBegin + (first + k) % count];
    stroke.add_vertex(p.x, p.y, k == 0 ? agg::path_cmd_move_to : agg::path_cmd_line_to);
  }
  if (closed) stroke.add_vertex(0, 0, kClose);
  stroke.rewind(0);
  double x = 0, y = 0;
  for (;;) {
    const unsigned command = stroke.vertex(&x, &y);
    if (agg::is_stop(command)) break;
    if (agg::is_move_to(command)) {
      sink.MoveTo(x, y);
    } else if (agg::is_vertex(command)) {
      sink.LineTo(x, y);
    } else if (agg::is_end_poly(command)) {
      sink.ClosePolygon();
    }
  }
  sink.ClosePolygon();
}

void RenderStroker::Inset(const RasterPath& path, double distance, const StrokeStyle& style,
                          RasterPath* out) {
  auto& contour = engine_->contour;
  Configure(contour, style);
  contour.auto_detect_orientation(true);
  // A negative width moves the outline toward the inside.
  contour.width(-2 * distance);
  const auto& points = path.Points();
  for (const RasterFigure& figure : path.Figures()) {
    if (figure.end - figure.begin < 2) continue;
    if (!figure.closed) {
      out->MoveTo(points[figure.begin].x, points[figure.begin].y);
      for (std::uint32_t i = figure.begin + 1; i < figure.end; ++i) {
        out->LineTo(points[i].x, points[i].y);
      }
      continue;
    }
    contour.remove_all();
    for (std::uint32_t i = figure.begin; i < figure.end; ++i) {
      contour.add_vertex(points[i].x, points[i].y,
                         i == figure.begin ? agg::path_cmd_move_to : agg::path_cmd_line_to);
    }
    contour.add_vertex(0, 0, kClose);
    contour.rewind(0);
    double x = 0, y = 0;
    bool started = false;
    for (;;) {
      const unsigned command = contour.vertex(&x, &y);
      if (agg::is_stop(command)) break;
      if (agg::is_vertex(command)) {
        if (!started || agg::is_move_to(command)) {
          out->MoveTo(x, y);
          started = true;
        } else {
          out->LineTo(x, y);
        }
      } else if (agg::is_end_poly(command)) {
        out->CloseFigure();
      }
    }
  }
}

}  // namespace Gdiplus
