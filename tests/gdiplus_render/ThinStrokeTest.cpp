// Thin anti-aliased strokes take a shortcut (a dense cell grid, early
// rejection against the clip's runs, a direct drive of AGG's stroke maths).
// These tests hold the shortcut to the general route pixel for pixel, and
// the stroker to agg::vcgen_stroke vertex for vertex, on random shapes.
#include <agg_vcgen_stroke.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include "Graphics.h"
#include "Pen.h"
#include "RasterAntiAliased.h"
#include "RasterClip.h"
#include "RasterPath.h"
#include "RasterSmallShape.h"
#include "RenderStroker.h"
#include "RenderTarget.h"
#include "RenderTestSupport.h"

using namespace Gdiplus;

namespace {

struct Recorded {
  char command;  // 'M', 'L' or 'C'
  double x, y;
  bool operator==(const Recorded&) const = default;
};

class RecordingSink final : public RasterSink {
 public:
  void MoveTo(double x, double y) override { out.push_back({'M', x, y}); }
  void LineTo(double x, double y) override { out.push_back({'L', x, y}); }
  void ClosePolygon() override { out.push_back({'C', 0, 0}); }
  std::vector<Recorded> out;
};

// What agg::vcgen_stroke makes of one polyline, in the sink's terms.
std::vector<Recorded> ReferenceStroke(const std::vector<RasterPoint>& points, bool closed,
                                      const StrokeStyle& style) {
  agg::vcgen_stroke stroke;
  stroke.width(style.width);
  stroke.miter_limit(style.miterLimit);
  stroke.line_join(style.lineJoin == LineJoinBevel          ? agg::bevel_join
                   : style.lineJoin == LineJoinRound        ? agg::round_join
                   : style.lineJoin == LineJoinMiterClipped ? agg::miter_join_revert
                                                            : agg::miter_join);
  stroke.line_cap(style.lineCap == LineCapSquare  ? agg::square_cap
                  : style.lineCap == LineCapRound ? agg::round_cap
                                                  : agg::butt_cap);
  for (std::size_t i = 0; i < points.size(); ++i) {
    stroke.add_vertex(points[i].x, points[i].y,
                      i == 0 ? agg::path_cmd_move_to : agg::path_cmd_line_to);
  }
  if (closed)
    stroke.add_vertex(0, 0, unsigned(agg::path_cmd_end_poly) | unsigned(agg::path_flags_close));
  stroke.rewind(0);
  RecordingSink sink;
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
  return sink.out;
}

TEST(ThinStroke, StrokerMatchesAggVertexForVertex) {
  std::mt19937 random(7);
  std::uniform_real_distribution<double> coordinate(0.0, 12.0);
  const LineJoin joins[] = {LineJoinMiter, LineJoinBevel, LineJoinRound, LineJoinMiterClipped};
  const LineCap caps[] = {LineCapFlat, LineCapSquare, LineCapRound};
  RenderStroker stroker;
  const RasterBounds everywhere{-1e6, -1e6, 1e6, 1e6};
  int vertices = 0;
  for (int trial = 0; trial < 3000; ++trial) {
    StrokeStyle style;
    style.width = 0.5 + (trial % 7) * 0.5;
    style.miterLimit = 1.0 + (trial % 11);
    style.lineJoin = joins[trial % 4];
    style.lineCap = caps[(trial / 4) % 3];
    const bool closed = trial % 5 == 0;
    const int count = 1 + int(random() % 9);
    std::vector<RasterPoint> points;
    for (int i = 0; i < count; ++i) {
      // Repeated and collinear points are the cases the vertex list trims.
      if (i > 0 && random() % 6 == 0) {
        points.push_back(points.back());
      } else if (i > 1 && random() % 8 == 0) {
        const RasterPoint& a = points[points.size() - 2];
        const RasterPoint& b = points.back();
        points.push_back({2 * b.x - a.x, 2 * b.y - a.y});
      } else {
        points.push_back({coordinate(random), coordinate(random)});
      }
    }
    RasterPath path;
    for (const RasterPoint& p : points) path.LineTo(p.x, p.y);
    if (closed) path.CloseFigure();
    RecordingSink sink;
    stroker.Stroke(path, style, everywhere, sink);
    // Figures of one point are skipped before they reach the stroke maths.
    const std::vector<Recorded> expected =
        count < 2 ? std::vector<Recorded>{} : ReferenceStroke(points, closed, style);
    ASSERT_EQ(sink.out, expected) << "trial " << trial;
    vertices += int(expected.size());
  }
  EXPECT_GT(vertices, 30000);
}

// Miters whose length lies at the limit, within a step of a double either
// way, pass the stroker's shortcuts to its exact comparison: they must still
// come out as AGG's, outer and inner (the inner limit is the shorter
// segment over the half width).
TEST(ThinStroke, StrokerMatchesAggAtTheMiterLimit) {
  RenderStroker stroker;
  const RasterBounds everywhere{-1e6, -1e6, 1e6, 1e6};
  for (int degrees = 2; degrees < 180; degrees += 3) {
    const double angle = degrees * 3.14159265358979323846 / 180;
    const double limit = 1 / std::sin(angle / 2);
    for (const double width : {1.0, 2.0, 3.5}) {
      const double length = width / 2 * limit;
      const std::vector<RasterPoint> points = {
          {0, 0}, {length, 0}, {length - length * std::cos(angle), length * std::sin(angle)}};
      for (const double miterLimit :
           {std::nextafter(limit, 0.0), limit, std::nextafter(limit, 2 * limit)}) {
        for (const LineJoin join : {LineJoinMiter, LineJoinBevel, LineJoinMiterClipped}) {
          for (const bool closed : {false, true}) {
            StrokeStyle style;
            style.width = width;
            style.miterLimit = std::max(miterLimit, 1.0);
            style.lineJoin = join;
            RasterPath path;
            for (const RasterPoint& p : points) path.LineTo(p.x, p.y);
            if (closed) path.CloseFigure();
            RecordingSink sink;
            stroker.Stroke(path, style, everywhere, sink);
            ASSERT_EQ(sink.out, ReferenceStroke(points, closed, style))
                << degrees << " degrees, width " << width << ", join " << int(join);
          }
        }
      }
    }
  }
}

std::vector<Rect> RandomRects(std::mt19937& random, int count) {
  std::vector<Rect> rects;
  for (int i = 0; i < count; ++i) {
    const INT x = INT(random() % 60), y = INT(random() % 40);
    rects.emplace_back(x, y, 1 + INT(random() % 12), 1 + INT(random() % 6));
  }
  return rects;
}

// Fills random small polygons both ways, with and without a clip of runs.
TEST(ThinStroke, SmallShapesFillAsTheGeneralRasteriser) {
  std::mt19937 random(11);
  std::uniform_real_distribution<double> offset(-6.0, 6.0);
  int drawn = 0, rejected = 0;
  for (int trial = 0; trial < 1500; ++trial) {
    Bitmap fast(64, 48), general(64, 48);
    RasterClip clip;
    const std::vector<Rect> rects = RandomRects(random, 6);
    if (trial % 3 == 0) {
      clip.Reset(64, 48);
    } else {
      clip.SetRects(64, 48, rects.data(), rects.size());
    }
    const FillMode fillMode = trial % 2 ? FillModeWinding : FillModeAlternate;
    const double cx = 2 + (random() % 600) / 10.0, cy = 2 + (random() % 440) / 10.0;

    SmallShapeRasterizer small;
    small.Reset();
    AntiAliasedRasterizer aa;
    aa.Reset(clip.Bounds());
    for (int figure = 0; figure < 2; ++figure) {
      const int count = 3 + int(random() % 6);
      for (int i = 0; i < count; ++i) {
        const double x = cx + offset(random), y = cy + offset(random);
        if (i == 0) {
          small.MoveTo(x, y);
          aa.MoveTo(x, y);
        } else {
          small.LineTo(x, y);
          aa.LineTo(x, y);
        }
      }
      small.ClosePolygon();
      aa.ClosePolygon();
    }
    const BrushPaint paint{nullptr, 0xC0204080, false};
    RenderTarget generalTarget;
    generalTarget.Attach(general.Surface(), &clip);
    generalTarget.SetPaint(paint);
    aa.Sweep(fillMode, generalTarget);

    if (!small.Touches(clip)) {
      ++rejected;
      EXPECT_EQ(RenderTest::CountPainted(general), 0) << "trial " << trial;
      continue;
    }
    if (!small.Fits(clip.Bounds())) continue;
    ++drawn;
    RenderTarget fastTarget;
    fastTarget.Attach(fast.Surface(), &clip);
    fastTarget.SetPaint(paint);
    small.Sweep(fillMode, fastTarget);
    ASSERT_EQ(RenderTest::FirstMismatch(
                  fast, [&](int x, int y) { return RenderTest::PixelAt(general, x, y); }),
              "")
        << "trial " << trial;
  }
  EXPECT_GT(drawn, 500);
  EXPECT_GT(rejected, 50);
}

// Random thin Beziers and lines drawn through Graphics, against the same
// outlines rasterised by AGG's general scanline rasteriser under the same
// clip.
TEST(ThinStroke, GraphicsStrokesMatchTheGeneralRoute) {
  std::mt19937 random(5);
  std::uniform_real_distribution<float> unit(0.0f, 1.0f);
  constexpr INT kWidth = 90, kHeight = 40;
  int painted = 0;
  for (int trial = 0; trial < 800; ++trial) {
    Bitmap fast(kWidth, kHeight), general(kWidth, kHeight);
    Graphics g(&fast);
    g.SetSmoothingMode(SmoothingModeAntiAlias);
    const std::vector<Rect> rects = RandomRects(random, 8);
    RasterClip clip;
    if (trial % 4 == 0) {
      clip.Reset(kWidth, kHeight);
    } else {
      g.SetClip(rects[0]);
      for (std::size_t i = 1; i < rects.size(); ++i) g.SetClip(rects[i], CombineModeUnion);
      clip.SetRects(kWidth, kHeight, rects.data(), rects.size());
    }
    const float width = trial % 3 == 0 ? 1.0f : 0.5f + 2.5f * unit(random);
    Pen pen(Color(0xFF000000 | (random() & 0xFFFFFF)), width);
    // Boxes from 1 to 30 pixels across, some reaching past the picture.
    const float boxW = 1 + 29 * unit(random), boxH = 1 + 8 * unit(random);
    const float left = -5 + (kWidth + 10 - boxW) * unit(random);
    const float top = -3 + (kHeight + 6 - boxH) * unit(random);
    PointF p[4];
    for (PointF& point : p) point = PointF(left + boxW * unit(random), top + boxH * unit(random));
    const bool line = trial % 5 == 0;
    if (line) {
      ASSERT_EQ(g.DrawLine(&pen, p[0], p[3]), Ok);
    } else {
      ASSERT_EQ(g.DrawBezier(&pen, p[0], p[1], p[2], p[3]), Ok);
    }

    RasterPath path;
    path.SetFlatness(0.1);
    path.MoveTo(p[0].X, p[0].Y);
    if (line) {
      path.LineTo(p[3].X, p[3].Y);
    } else {
      path.BezierTo(p[1].X, p[1].Y, p[2].X, p[2].Y, p[3].X, p[3].Y);
    }
    StrokeStyle style;
    style.width = std::max<double>(width, 1.0);
    style.miterLimit = pen.GetMiterLimit();
    const double margin = style.width / 2 * style.miterLimit + 2;
    const Rect& area = clip.Bounds();
    const RasterBounds visible{area.X - margin, area.Y - margin, area.X + area.Width + margin,
                               area.Y + area.Height + margin};
    const RasterBounds& bounds = path.Bounds();
    const RasterBounds reach{bounds.left - margin, bounds.top - margin, bounds.right + margin,
                             bounds.bottom + margin};
    AntiAliasedRasterizer aa;
    aa.Reset(area, &reach);
    RenderStroker stroker;
    if (bounds.Intersects(visible.left, visible.top, visible.right, visible.bottom)) {
      stroker.Stroke(path, style, visible, aa);
    }
    Color color;
    pen.GetColor(&color);
    RenderTarget target;
    target.Attach(general.Surface(), &clip);
    target.SetPaint(BrushPaint{nullptr, color.GetValue(), true});
    aa.Sweep(FillModeWinding, target);

    painted += RenderTest::CountPainted(general) > 0;
    ASSERT_EQ(RenderTest::FirstMismatch(
                  fast, [&](int x, int y) { return RenderTest::PixelAt(general, x, y); }),
              "")
        << "trial " << trial;
  }
  EXPECT_GT(painted, 200);
}

}  // namespace
