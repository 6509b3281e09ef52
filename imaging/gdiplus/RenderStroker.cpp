#include "RenderStroker.h"

#include <agg_math_stroke.h>
#include <agg_vcgen_contour.h>
#include <agg_vertex_sequence.h>

#include <vector>

#include "RasterSmallShape.h"
#include "StrokeJoins.h"

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

// Coordinates are finite: plain comparisons do what fmin and fmax would,
// without their calls.
bool SegmentVisible(const RasterPoint& a, const RasterPoint& b, const RasterBounds& box) {
  const bool aLeft = a.x < b.x, aTop = a.y < b.y;
  return !((aLeft ? b.x : a.x) < box.left || (aLeft ? a.x : b.x) > box.right ||
           (aTop ? b.y : a.y) < box.top || (aTop ? a.y : b.y) > box.bottom);
}

}  // namespace

// AGG's stroke generator, driven directly: the same joins and caps in the
// same order as agg::vcgen_stroke produces them, without its per-vertex
// state machine, which costs more than the joins on short curves.
struct RenderStroker::Engine {
  using Points = agg::pod_bvector<agg::point_d, 6>;
  agg::math_stroke<Points> stroke;
  Points joint;
  std::vector<agg::vertex_dist> vertices;
  // Per segment, its offsets as math_stroke computes them going forward
  // and going back.
  std::vector<SegmentOffsets> offsets;
  agg::vcgen_contour contour;
  // Set for the current Stroke call when its joins and caps need no AGG.
  bool direct = false;
  StrokeJoins joins{1, 1, agg::miter_join, false};
};

namespace {

// Appends a vertex, first dropping the previous one when it coincides with
// the one before it, as agg::vertex_sequence does.
void AddVertex(std::vector<agg::vertex_dist>& vertices, const agg::vertex_dist& vertex) {
  const std::size_t size = vertices.size();
  if (size > 1 && !vertices[size - 2](vertices[size - 1])) vertices.pop_back();
  vertices.push_back(vertex);
}

// Drops coincident trailing vertices (and, for closed figures, those that
// coincide with the first), measuring each remaining segment.
void CloseVertices(std::vector<agg::vertex_dist>& vertices, bool closed) {
  while (vertices.size() > 1) {
    if (vertices[vertices.size() - 2](vertices[vertices.size() - 1])) break;
    const agg::vertex_dist last = vertices.back();
    vertices.pop_back();
    if (!vertices.empty()) vertices.pop_back();
    AddVertex(vertices, last);
  }
  if (closed) {
    while (vertices.size() > 1) {
      if (vertices[vertices.size() - 1](vertices[0])) break;
      vertices.pop_back();
    }
  }
}

}  // namespace

RenderStroker::RenderStroker() : engine_(std::make_unique<Engine>()) {}

RenderStroker::~RenderStroker() = default;

void RenderStroker::Stroke(const RasterPath& path, const StrokeStyle& style,
                           const RasterBounds& visible, RasterSink& sink) {
  StrokeTo(path, style, visible, sink);
}

void RenderStroker::Stroke(const RasterPath& path, const StrokeStyle& style,
                           const RasterBounds& visible, SmallShapeRasterizer& sink) {
  StrokeTo(path, style, visible, sink);
}

template <class Sink>
void RenderStroker::StrokeTo(const RasterPath& path, const StrokeStyle& style,
                             const RasterBounds& visible, Sink& sink) {
  auto& stroke = engine_->stroke;
  Configure(stroke, style);
  stroke.width(style.width);
  stroke.line_cap(ToAgg(style.lineCap));
  engine_->direct =
      style.width > 0 && style.lineJoin != LineJoinRound && style.lineCap != LineCapRound;
  if (engine_->direct) {
    engine_->joins = StrokeJoins(style.width * 0.5, stroke.miter_limit(), ToAgg(style.lineJoin),
                                 style.lineCap == LineCapSquare);
  }

  const auto& points = path.Points();
  // A path well inside the box hides no segment: most strokes are short
  // curves far from the edges, and need no test per segment. The pixel of
  // slack covers curve points rounded a hair outside their hull.
  const RasterBounds& bounds = path.Bounds();
  const bool allVisible = bounds.left > visible.left + 1 && bounds.right < visible.right - 1 &&
                          bounds.top > visible.top + 1 && bounds.bottom < visible.bottom - 1;
  for (const RasterFigure& figure : path.Figures()) {
    const std::uint32_t count = figure.end - figure.begin;
    if (count < 2) continue;
    if (allVisible) {
      StrokeRun(path, figure.begin, count, 0, count, figure.closed, sink);
      continue;
    }
    const std::uint32_t segments = figure.closed ? count : count - 1;
    auto visibleSegment = [&](std::uint32_t s) {
      // No modulo: these run once per segment of every stroke.
      return SegmentVisible(points[figure.begin + s],
                            points[figure.begin + (s + 1 == count ? 0 : s + 1)], visible);
    };
    // Start right after a hidden segment, so that no visible run wraps
    // around the start of a closed figure.
    std::uint32_t start = 0;
    bool anyHidden = false;
    for (std::uint32_t s = 0; s < segments; ++s) {
      if (!visibleSegment(s)) {
        start = figure.closed && s + 1 < segments ? s + 1 : 0;
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
    for (std::uint32_t k = 0, s = start; k < segments; ++k, s = s + 1 == segments ? 0 : s + 1) {
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

template <class Sink>
void RenderStroker::StrokeRun(const RasterPath& path, std::uint32_t figureBegin,
                              std::uint32_t count, std::uint32_t first, std::uint32_t points,
                              bool closed, Sink& sink) {
  auto& v = engine_->vertices;
  const auto& all = path.Points();
  v.clear();
  v.reserve(points);
  for (std::uint32_t k = 0, i = first; k < points; ++k, i = i + 1 == count ? 0 : i + 1) {
    const RasterPoint& p = all[figureBegin + i];
    AddVertex(v, agg::vertex_dist(p.x, p.y));
  }
  CloseVertices(v, closed);
  const std::size_t n = v.size();
  if (n < 3) closed = false;
  if (n < 2 + std::size_t(closed)) {
    sink.ClosePolygon();
    return;
  }

  if (engine_->direct) {
    DirectRun(closed, sink);
  } else {
    AggRun(closed, sink);
  }
  sink.ClosePolygon();
  sink.ClosePolygon();
}

template <class Sink>
void RenderStroker::DirectRun(bool closed, Sink& sink) {
  const auto& v = engine_->vertices;
  auto& offsets = engine_->offsets;
  const StrokeJoins& joins = engine_->joins;
  const std::size_t n = v.size();
  const std::size_t segments = closed ? n : n - 1;
  offsets.resize(segments);
  for (std::size_t s = 0; s < segments; ++s) {
    offsets[s] = joins.Offsets(v[s], v[s + 1 < n ? s + 1 : 0]);
  }

  bool startFigure = true;
  auto emit = [&](double x, double y) {
    if (startFigure) {
      sink.MoveTo(x, y);
      startFigure = false;
    } else {
      sink.LineTo(x, y);
    }
  };
  // The joins at vertex i, i - 1 and i + 1 taken around the figure.
  auto forward = [&](std::size_t p, std::size_t i, std::size_t q) {
    joins.Join(v[p], v[i], v[q], offsets[p].dx, offsets[p].dy, offsets[i].dx, offsets[i].dy,
               offsets[p].lengthOverWidth, offsets[i].lengthOverWidth, emit);
  };
  auto back = [&](std::size_t p, std::size_t i, std::size_t q) {
    joins.Join(v[q], v[i], v[p], offsets[i].backDx, offsets[i].backDy, offsets[p].backDx,
               offsets[p].backDy, offsets[i].lengthOverWidth, offsets[p].lengthOverWidth, emit);
  };
  if (closed) {
    forward(n - 1, 0, 1);
    for (std::size_t i = 1; i + 1 < n; ++i) forward(i - 1, i, i + 1);
    forward(n - 2, n - 1, 0);
    sink.ClosePolygon();
    startFigure = true;
    back(n - 2, n - 1, 0);
    for (std::size_t i = n - 2; i >= 1; --i) back(i - 1, i, i + 1);
    back(n - 1, 0, 1);
    return;
  }
  joins.Cap(v[0], v[1], v[0].dist, emit);
  for (std::size_t i = 1; i + 1 < n; ++i) forward(i - 1, i, i + 1);
  joins.Cap(v[n - 1], v[n - 2], v[n - 2].dist, emit);
  for (std::size_t i = n - 2; i >= 1; --i) back(i - 1, i, i + 1);
}

void RenderStroker::AggRun(bool closed, RasterSink& sink) {
  auto& stroke = engine_->stroke;
  auto& joint = engine_->joint;
  const auto& v = engine_->vertices;
  const std::size_t n = v.size();
  bool startFigure = true;
  auto emit = [&] {
    for (unsigned i = 0; i < joint.size(); ++i) {
      if (startFigure) {
        sink.MoveTo(joint[i].x, joint[i].y);
        startFigure = false;
      } else {
        sink.LineTo(joint[i].x, joint[i].y);
      }
    }
  };
  auto prev = [&](std::size_t i) -> const agg::vertex_dist& { return v[(i + n - 1) % n]; };
  auto next = [&](std::size_t i) -> const agg::vertex_dist& { return v[(i + 1) % n]; };

  if (closed) {
    for (std::size_t i = 0; i < n; ++i) {
      stroke.calc_join(joint, prev(i), v[i], next(i), prev(i).dist, v[i].dist);
      emit();
    }
    sink.ClosePolygon();
    startFigure = true;
    for (std::size_t i = n; i-- > 0;) {
      stroke.calc_join(joint, next(i), v[i], prev(i), v[i].dist, prev(i).dist);
      emit();
    }
    return;
  }
  stroke.calc_cap(joint, v[0], v[1], v[0].dist);
  emit();
  for (std::size_t i = 1; i + 1 < n; ++i) {
    stroke.calc_join(joint, v[i - 1], v[i], v[i + 1], v[i - 1].dist, v[i].dist);
    emit();
  }
  stroke.calc_cap(joint, v[n - 1], v[n - 2], v[n - 2].dist);
  emit();
  for (std::size_t i = n - 2; i >= 1; --i) {
    stroke.calc_join(joint, v[i + 1], v[i], v[i - 1], v[i].dist, v[i - 1].dist);
    emit();
  }
}

namespace {

// Segments at least this long are kept by the stroker and have directions
// that rounding cannot turn around, at any coordinate a path may hold.
constexpr double kSureSegmentSquared = 1e-6;

// True when every segment of path's figures is surely kept and every two
// adjacent ones, the closing segment included, turn by at most a right
// angle. Offset lines then meet within half the width times the square
// root of two of their vertex, on either side, so no miter is cut or
// reverted beyond that, and caps reach no farther.
bool GentleTurns(const RasterPath& path) {
  const auto& points = path.Points();
  for (const RasterFigure& figure : path.Figures()) {
    const std::uint32_t count = figure.end - figure.begin;
    if (count < 2) continue;
    const RasterPoint* p = &points[figure.begin];
    const std::uint32_t segments = figure.closed ? count : count - 1;
    double firstX = 0, firstY = 0, lastX = 0, lastY = 0;
    for (std::uint32_t s = 0; s < segments; ++s) {
      const RasterPoint& a = p[s];
      const RasterPoint& b = p[s + 1 == count ? 0 : s + 1];
      const double dx = b.x - a.x, dy = b.y - a.y;
      if (!(dx * dx + dy * dy >= kSureSegmentSquared)) return false;
      if (s == 0) {
        firstX = dx;
        firstY = dy;
      } else if (lastX * dx + lastY * dy < 0) {
        return false;
      }
      lastX = dx;
      lastY = dy;
    }
    if (figure.closed && lastX * firstX + lastY * firstY < 0) return false;
  }
  return true;
}

}  // namespace

double RenderStroker::Reach(const RasterPath& path, const StrokeStyle& style) {
  constexpr double kSqrt2 = 1.4142135623730951;
  const double half = style.width / 2;
  return GentleTurns(path) ? half * kSqrt2 : half * (style.miterLimit + 1);
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
