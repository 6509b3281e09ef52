#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <utility>
#include <vector>

#include "GraphicsPath.h"
#include "Pen.h"
#include "Region.h"

using namespace Gdiplus;

namespace {

RectF BoundsOf(const GraphicsPath& path) {
  RectF bounds;
  path.GetBounds(&bounds);
  return bounds;
}

void ExpectRect(const RectF& r, REAL x, REAL y, REAL w, REAL h, REAL tolerance = 1e-4f) {
  EXPECT_NEAR(r.X, x, tolerance);
  EXPECT_NEAR(r.Y, y, tolerance);
  EXPECT_NEAR(r.Width, w, tolerance);
  EXPECT_NEAR(r.Height, h, tolerance);
}

// [first, last) point ranges of the figures.
std::vector<std::pair<std::size_t, std::size_t>> Figures(const GraphicsPath& path) {
  std::vector<std::pair<std::size_t, std::size_t>> figures;
  const auto& types = path.Types();
  for (std::size_t i = 0; i < types.size(); ++i) {
    if ((types[i] & PathPointTypePathTypeMask) == PathPointTypeStart) {
      figures.emplace_back(i, i);
    }
    figures.back().second = i + 1;
  }
  return figures;
}

RectF FigureBounds(const GraphicsPath& path, std::pair<std::size_t, std::size_t> figure) {
  GraphicsPath part;
  std::vector<PointF> points(path.Points().begin() + figure.first,
                             path.Points().begin() + figure.second);
  std::vector<BYTE> types(path.Types().begin() + figure.first,
                          path.Types().begin() + figure.second);
  part.SetPoints(points, types);
  return BoundsOf(part);
}

GraphicsPath Widened(GraphicsPath path, const Pen& pen) {
  EXPECT_EQ(path.Widen(&pen), Ok);
  return path;
}

}  // namespace

TEST(PathWidenTest, HorizontalLineBecomesItsBand) {
  GraphicsPath path;
  path.AddLine(5, 10, 50, 10);
  const GraphicsPath wide = Widened(path, Pen(Color(0xFF000000), 10));
  EXPECT_EQ(wide.GetFillMode(), FillModeWinding);
  EXPECT_EQ(wide.Types(), (std::vector<BYTE>{0, 1, 1, 0x81}));
  ExpectRect(BoundsOf(wide), 5, 5, 45, 10);
}

TEST(PathWidenTest, ClosedRectangleGivesOuterAndInnerContours) {
  GraphicsPath path;
  path.AddRectangle(RectF(1, 1, 2, 2));
  const GraphicsPath wide = Widened(path, Pen(Color(0xFF000000), 1));
  ASSERT_EQ(wide.GetPointCount(), 12);
  EXPECT_EQ(wide.Types(), (std::vector<BYTE>{0, 1, 1, 0x81, 0, 1, 1, 1, 1, 1, 1, 0x81}));
  const auto figures = Figures(wide);
  ASSERT_EQ(figures.size(), 2u);
  ExpectRect(FigureBounds(wide, figures[0]), 0.5f, 0.5f, 3, 3);
  // Inner edges run the full length of the original sides.
  std::set<std::pair<REAL, REAL>> inner;
  for (std::size_t i = 4; i < 12; ++i) inner.emplace(wide.Points()[i].X, wide.Points()[i].Y);
  const std::set<std::pair<REAL, REAL>> expected = {{1.0f, 1.5f}, {3.0f, 1.5f}, {2.5f, 1.0f},
                                                    {2.5f, 3.0f}, {3.0f, 2.5f}, {1.0f, 2.5f},
                                                    {1.5f, 3.0f}, {1.5f, 1.0f}};
  EXPECT_EQ(inner, expected);
  // The pair GDI+ lists at the lower-left corner, in its order.
  bool found = false;
  for (std::size_t i = 4; i + 1 < 12; ++i) {
    found = found || (wide.Points()[i].Equals(PointF(1.5f, 3.0f)) &&
                      wide.Points()[i + 1].Equals(PointF(1.0f, 2.5f)));
  }
  EXPECT_TRUE(found);
}

TEST(PathWidenTest, TriangleOuterContourHasMiterCorners) {
  const PointF corners[3] = {PointF(5, 5), PointF(15, 5), PointF(10, 15)};
  GraphicsPath path;
  path.AddPolygon(corners, 3);
  const GraphicsPath wide = Widened(path, Pen(Color(0xFF000000), 1));
  EXPECT_EQ(wide.Types(), (std::vector<BYTE>{0, 1, 129, 0, 1, 1, 1, 1, 129}));
  const auto& p = wide.Points();
  EXPECT_NEAR(p[0].X, 4.19f, 0.01f);
  EXPECT_NEAR(p[0].Y, 4.5f, 1e-5f);
  EXPECT_NEAR(p[1].X, 15.81f, 0.01f);
  EXPECT_NEAR(p[1].Y, 4.5f, 1e-5f);
  EXPECT_NEAR(p[2].X, 10, 1e-4f);
  EXPECT_NEAR(p[2].Y, 16.12f, 0.01f);
}

TEST(PathWidenTest, WorldPensThinnerThanOneActAsOne) {
  for (REAL width : {0.0f, 0.5f, 1.0f, -3.0f}) {
    GraphicsPath path;
    path.AddRectangle(RectF(1, 1, 2, 2));
    ExpectRect(BoundsOf(Widened(path, Pen(Color(0xFF000000), width))), 0.5f, 0.5f, 3, 3);
  }
  GraphicsPath path;
  path.AddRectangle(RectF(1, 1, 2, 2));
  ExpectRect(BoundsOf(Widened(path, Pen(Color(0xFF000000), 1.1f))), 0.45f, 0.45f, 3.1f, 3.1f);
}

TEST(PathWidenTest, PixelPensKeepThinWidthsAndZeroCoversNothing) {
  GraphicsPath line;
  line.AddLine(0, 10, 20, 10);
  ExpectRect(BoundsOf(Widened(line, Pen(Color(0xFF000000), 0.5f, UnitPixel))), 0, 9.75f, 20, 0.5f);
  const GraphicsPath none = Widened(line, Pen(Color(0xFF000000), 0, UnitPixel));
  EXPECT_EQ(none.GetPointCount(), 0);
  EXPECT_EQ(none.GetFillMode(), FillModeWinding);
}

// Each style's pattern, in multiples of the width.
TEST(PathWidenTest, DashPiecesFollowThePatternTimesTheWidth) {
  struct Case {
    DashStyle style;
    REAL width;
    REAL length;
    std::vector<std::pair<REAL, REAL>> pieces;
  };
  const Case cases[] = {
      {DashStyleDash, 10, 45, {{0, 30}, {40, 45}}},
      {DashStyleDot, 2, 20, {{0, 2}, {4, 6}, {8, 10}, {12, 14}, {16, 18}}},
      {DashStyleDashDot, 1, 12, {{0, 3}, {4, 5}, {6, 9}, {10, 11}}},
      {DashStyleDashDotDot, 1, 10, {{0, 3}, {4, 5}, {6, 7}, {8, 10}}},
      // A world pen under one unit dashes as if one wide.
      {DashStyleDot, 0.25f, 4, {{0, 1}, {2, 3}}},
  };
  for (const Case& c : cases) {
    GraphicsPath path;
    path.AddLine(0, 0, c.length, 0);
    Pen pen(Color(0xFF000000), c.width);
    pen.SetDashStyle(c.style);
    const GraphicsPath wide = Widened(path, pen);
    const auto figures = Figures(wide);
    ASSERT_EQ(figures.size(), c.pieces.size()) << "style " << c.style;
    for (std::size_t i = 0; i < figures.size(); ++i) {
      const RectF r = FigureBounds(wide, figures[i]);
      EXPECT_NEAR(r.X, c.pieces[i].first, 1e-4);
      EXPECT_NEAR(r.X + r.Width, c.pieces[i].second, 1e-4);
    }
  }
}

TEST(PathWidenTest, DashPatternRestartsWithEachFigure) {
  GraphicsPath path;
  path.AddLine(0, 0, 5, 0);
  path.StartFigure();
  path.AddLine(0, 10, 5, 10);
  Pen pen(Color(0xFF000000), 1);
  pen.SetDashStyle(DashStyleDash);
  const GraphicsPath wide = Widened(path, pen);
  const auto figures = Figures(wide);
  ASSERT_EQ(figures.size(), 4u);
  EXPECT_NEAR(FigureBounds(wide, figures[2]).X, 0, 1e-5);
  EXPECT_NEAR(FigureBounds(wide, figures[2]).Width, 3, 1e-5);
}

TEST(PathWidenTest, ClosedFigureDashesRunAcrossTheClosingSide) {
  GraphicsPath path;
  path.AddRectangle(RectF(0, 0, 10, 10));
  Pen pen(Color(0xFF000000), 1);
  pen.SetDashStyle(DashStyleDash);
  const GraphicsPath wide = Widened(path, pen);
  // Perimeter 40 in periods of 4: ten dashes, the last along the left side.
  const auto figures = Figures(wide);
  ASSERT_EQ(figures.size(), 10u);
  // The third dash runs from (8, 0) round the corner to (10, 1) in one piece.
  ExpectRect(FigureBounds(wide, figures[2]), 8, -0.5f, 2.5f, 1.5f);
  ExpectRect(FigureBounds(wide, figures[9]), -0.5f, 1, 1, 3);
}

TEST(PathWidenTest, CenteredAndInsetBandsPixelExact) {
  GraphicsPath square;
  square.AddRectangle(RectF(0.25f, 0.25f, 10, 10));
  Pen centred(Color(0xFF000000), 2);
  Pen inset(Color(0xFF000000), 2);
  inset.SetAlignment(PenAlignmentInset);
  const GraphicsPath centredPath = Widened(square, centred);
  const GraphicsPath insetPath = Widened(square, inset);
  const Region centredBand(&centredPath);
  const Region insetBand(&insetPath);
  // Row 5: the centred band covers x in [-0.75, 1.25) and [9.25, 11.25); the
  // inset band [0.25, 2.25) and [8.25, 10.25).
  std::vector<int> centredRow, insetRow;
  for (int x = -5; x < 16; ++x) {
    if (centredBand.IsVisible(x, 5)) centredRow.push_back(x);
    if (insetBand.IsVisible(x, 5)) insetRow.push_back(x);
  }
  EXPECT_EQ(centredRow, (std::vector<int>{0, 1, 10, 11}));
  EXPECT_EQ(insetRow, (std::vector<int>{1, 2, 9, 10}));
}

TEST(PathWidenTest, CurvesComeOutFlattened) {
  GraphicsPath path;
  path.AddEllipse(0, 0, 40, 40);
  const GraphicsPath wide = Widened(path, Pen(Color(0xFF000000), 4));
  for (BYTE type : wide.Types()) EXPECT_NE(type & PathPointTypePathTypeMask, 3);
  ExpectRect(BoundsOf(wide), -2, -2, 44, 44, 0.05f);
  // Closed: an outer and an inner contour.
  EXPECT_EQ(Figures(wide).size(), 2u);
}

TEST(PathWidenTest, BadArgumentsAreRefused) {
  GraphicsPath path;
  path.AddLine(0, 0, 1, 1);
  EXPECT_EQ(path.Widen(nullptr), InvalidParameter);
  const Pen pen(Color(0xFF000000), 1);
  EXPECT_EQ(path.Widen(&pen, nullptr, std::nanf("")), InvalidParameter);
  EXPECT_EQ(path.GetPointCount(), 2);
}

TEST(PathWidenTest, RunawayDashCountIsRefused) {
  GraphicsPath path;
  path.AddLine(0, 0, 3e7f, 0);
  Pen pen(Color(0xFF000000), 1);
  pen.SetDashStyle(DashStyleDot);
  EXPECT_EQ(path.Widen(&pen), OutOfMemory);
  EXPECT_EQ(path.GetPointCount(), 2);
}

TEST(PathWidenTest, DashBudgetCoversAllFiguresTogether) {
  // 100000 dots per line: each alone fits, the three together do not.
  GraphicsPath path;
  for (int i = 0; i < 3; ++i) {
    path.StartFigure();
    path.AddLine(0, REAL(i * 10), 200000, REAL(i * 10));
  }
  Pen pen(Color(0xFF000000), 1);
  pen.SetDashStyle(DashStyleDot);
  EXPECT_EQ(path.Widen(&pen), OutOfMemory);
  EXPECT_EQ(path.GetPointCount(), 6);
}

TEST(PathWidenTest, DegenerateFiguresAddNothing) {
  GraphicsPath path;
  path.AddLine(3, 3, 3, 3);
  const GraphicsPath wide = Widened(path, Pen(Color(0xFF000000), 2));
  EXPECT_EQ(wide.GetPointCount(), 0);
}
