#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <vector>

#include "CurvedText.h"
#include "StringFormat.h"

using namespace Gdiplus;
using MirelGlyphward::CurvedText;

namespace {

CurvedText BuiltIn() {
  std::vector<PointF> top, bottom;
  CurvedText::LoadCurves(1, top, bottom);
  return CurvedText(top, bottom);
}

RectF JointBounds(const CurvedText& text) {
  GraphicsPath both;
  both.AddLines(text.Top().data(), INT(text.Top().size()));
  both.StartFigure();
  both.AddLines(text.Bottom().data(), INT(text.Bottom().size()));
  RectF bounds;
  both.GetBounds(&bounds);
  return bounds;
}

void ExpectRect(const RectF& r, const RectF& expected, float tolerance) {
  EXPECT_NEAR(r.X, expected.X, tolerance);
  EXPECT_NEAR(r.Y, expected.Y, tolerance);
  EXPECT_NEAR(r.Width, expected.Width, tolerance);
  EXPECT_NEAR(r.Height, expected.Height, tolerance);
}

void ExpectPoint(const PointF& p, const PointF& expected, float tolerance = 1e-4f) {
  EXPECT_NEAR(p.X, expected.X, tolerance);
  EXPECT_NEAR(p.Y, expected.Y, tolerance);
}

// An outline laid out from the origin, with box (0, 0)-(100, 50).
GraphicsPath Probe(const std::vector<PointF>& points) {
  GraphicsPath path;
  path.AddLines(points.data(), INT(points.size()));
  return path;
}

}  // namespace

TEST(CurvedTextTest, FitToRectMakesTheJointBoundsTheTarget) {
  CurvedText text = BuiltIn();
  // Upper curve x 163..592, lower 169..614; y 138..383.
  ExpectRect(JointBounds(text), RectF(163, 138, 451, 245), 0);
  const RectF target(12.5f, 3.0f, 212.5f, 37.0f);
  text.FitToRect(target);
  ExpectRect(JointBounds(text), target, 1e-4f);
  const std::vector<PointF> once = text.Top();
  text.FitToRect(target);
  for (std::size_t i = 0; i < once.size(); ++i) ExpectPoint(text.Top()[i], once[i], 1e-4f);
  // The first point of the upper curve: x 163 is the joint left edge.
  EXPECT_NEAR(text.Top()[0].X, target.X, 1e-5);
}

TEST(CurvedTextTest, FitToRectOfFlatCurvesCollapsesOntoTheEdge) {
  CurvedText text({PointF(5, 7)}, {PointF(5, 7)});
  text.FitToRect(RectF(10, 20, 30, 40));
  EXPECT_TRUE(text.Top()[0].Equals(PointF(10, 20)));
  CurvedText empty({}, {});
  empty.FitToRect(RectF(10, 20, 30, 40));
  EXPECT_TRUE(empty.Top().empty());
}

TEST(CurvedTextTest, WarpMapsTheBoxEdgesOntoTheCurves) {
  CurvedText text = BuiltIn();
  text.FitToRect(RectF(0, 0, 250, 50));
  const auto& top = text.Top();
  const auto& bottom = text.Bottom();
  const GraphicsPath probe = Probe({PointF(0, 0), PointF(100, 0), PointF(100, 50), PointF(0, 50),
                                    PointF(30, 0), PointF(50, 25), PointF(-20, 0)});
  const std::shared_ptr<GraphicsPath> warped = text.Warp(probe);
  ASSERT_EQ(warped->GetPointCount(), 7);
  EXPECT_EQ(warped->Types(), probe.Types());
  EXPECT_EQ(warped->GetFillMode(), FillModeAlternate);
  const auto& p = warped->Points();
  ExpectPoint(p[0], top.front());    // X = 0 on the first points, Y = 0 on the upper curve
  ExpectPoint(p[1], top.back());     // X = size.Width on the last points
  ExpectPoint(p[2], bottom.back());  // and Y = size.Height on the lower curve
  ExpectPoint(p[3], bottom.front());
  ExpectPoint(p[4], top[std::size_t(int(0.3f * 451.0f))]);
  const PointF t = top[std::size_t(int(0.5f * 451.0f))],
               b = bottom[std::size_t(int(0.5f * 468.0f))];
  ExpectPoint(p[5], PointF((t.X + b.X) / 2, (t.Y + b.Y) / 2));
  // Left of the origin: held at the first index.
  ExpectPoint(p[6], top.front());
}

TEST(CurvedTextTest, WarpIndicesStayInsideTheCurves) {
  // Two-point curves: every point picks index 0 or 1, never beyond.
  CurvedText text({PointF(0, 0), PointF(10, 0)}, {PointF(0, 10), PointF(10, 10)});
  std::vector<PointF> points;
  for (int i = -5; i <= 100; ++i) points.emplace_back(REAL(i), REAL(i % 50));
  const std::shared_ptr<GraphicsPath> warped = text.Warp(Probe(points));
  ASSERT_EQ(warped->GetPointCount(), int(points.size()));
  for (const PointF& p : warped->Points()) {
    EXPECT_TRUE(p.X == 0 || p.X == 10);
    EXPECT_TRUE(std::isfinite(p.Y));
  }
  EXPECT_EQ(warped->Points().back().X, 10);
}

TEST(CurvedTextTest, WarpWithoutExtentOrCurvesIsEmpty) {
  CurvedText text = BuiltIn();
  EXPECT_EQ(text.Warp(GraphicsPath())->GetPointCount(), 0);
  EXPECT_EQ(text.Warp(Probe({PointF(-5, 0), PointF(0, 10)}))->GetPointCount(), 0);
  EXPECT_EQ(text.Warp(Probe({PointF(0, -5), PointF(10, 0)}))->GetPointCount(), 0);
  CurvedText none({}, {PointF(0, 0)});
  EXPECT_EQ(none.Warp(Probe({PointF(0, 0), PointF(10, 10)}))->GetPointCount(), 0);
  const REAL nan = std::numeric_limits<REAL>::quiet_NaN();
  CurvedText broken({PointF(nan, 0)}, {PointF(0, 0)});
  EXPECT_EQ(broken.Warp(Probe({PointF(0, 0), PointF(10, 10)}))->GetPointCount(), 0);
}

TEST(CurvedTextTest, CreatePathBendsTheTextIntoTheTarget) {
  CurvedText text = BuiltIn();
  const Font font(u"Times New Roman", 200, FontStyleRegular, UnitPoint);
  const RectF target(25, 2, 212.5f, 38);
  const std::shared_ptr<GraphicsPath> path = text.CreatePath(target, u"K7QW", font);
  ASSERT_NE(path, nullptr);
  ASSERT_GT(path->GetPointCount(), 20);
  EXPECT_EQ(path->GetFillMode(), FillModeAlternate);
  // Same point types as the plain outline.
  FontFamily family;
  font.GetFamily(&family);
  GraphicsPath plain;
  const StringFormat format;
  plain.AddString(u"K7QW", 4, &family, 0, 200, PointF(0, 0), &format);
  EXPECT_EQ(path->Types(), plain.Types());
  // Glyphs stand inside the box of the outline, so the blend stays inside
  // the box of the fitted curves: the target.
  RectF bounds;
  path->GetBounds(&bounds);
  EXPECT_GE(bounds.X, target.X - 1e-3f);
  EXPECT_GE(bounds.Y, target.Y - 1e-3f);
  EXPECT_LE(bounds.GetRight(), target.GetRight() + 1e-3f);
  EXPECT_LE(bounds.GetBottom(), target.GetBottom() + 1e-3f);
  EXPECT_GT(bounds.Width, target.Width * 0.5f);
  // The curves were refitted in place.
  ExpectRect(JointBounds(text), target, 1e-3f);
}

TEST(CurvedTextTest, EmptyOrBlankTextGivesAnEmptyPath) {
  CurvedText text = BuiltIn();
  const Font font(u"Arial", 200, FontStyleBold, UnitPoint);
  for (const char16_t* blank : {u"", u"  "}) {
    const std::shared_ptr<GraphicsPath> path = text.CreatePath(RectF(0, 0, 100, 40), blank, font);
    ASSERT_NE(path, nullptr);
    EXPECT_EQ(path->GetPointCount(), 0);
  }
  // A target without area squeezes the text onto a line, finitely.
  const std::shared_ptr<GraphicsPath> flat = text.CreatePath(RectF(0, 10, 100, 0), u"AB", font);
  for (const PointF& p : flat->Points()) {
    EXPECT_TRUE(std::isfinite(p.X));
    EXPECT_FLOAT_EQ(p.Y, 10);
  }
}
