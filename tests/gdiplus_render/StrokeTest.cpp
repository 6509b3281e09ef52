#include <gtest/gtest.h>

#include <cstdlib>

#include "Graphics.h"
#include "GraphicsPath.h"
#include "Pen.h"
#include "RenderTestSupport.h"

using namespace Gdiplus;
using RenderTest::PixelAt;

namespace {

constexpr ARGB kInk = 0xFF000000;

bool In(int x, int y, int left, int top, int right, int bottom) {
  return x >= left && x < right && y >= top && y < bottom;
}

TEST(Stroke, AliasedHorizontalLineLightsOneRow) {
  Bitmap bitmap(40, 20);
  Graphics g(&bitmap);
  Pen pen(Color(kInk), 1.0f);
  ASSERT_EQ(g.DrawLine(&pen, 5, 10, 30, 10), Ok);
  EXPECT_EQ(RenderTest::FirstMismatch(
                bitmap, [](int x, int y) { return y == 10 && x >= 5 && x <= 30 ? kInk : 0; }),
            "");
}

TEST(Stroke, AliasedThinDiagonalHasOnePixelPerColumn) {
  Bitmap bitmap(40, 40);
  Graphics g(&bitmap);
  Pen pen(Color(kInk), 1.0f);
  g.DrawLine(&pen, 2.0f, 3.0f, 32.0f, 18.0f);  // slope 1/2
  for (int x = 0; x < 40; ++x) {
    int inColumn = 0;
    for (int y = 0; y < 40; ++y) inColumn += PixelAt(bitmap, x, y) == kInk;
    EXPECT_EQ(inColumn, x >= 2 && x <= 32 ? 1 : 0) << "column " << x;
  }
  // The pixel nearest the line at each column.
  EXPECT_EQ(PixelAt(bitmap, 12, 8), kInk);
  EXPECT_EQ(PixelAt(bitmap, 32, 18), kInk);
}

TEST(Stroke, WidthsUnderOneDrawOnePixelWide) {
  for (REAL width : {0.0f, 0.1f, 0.5f, 1.0f}) {
    Bitmap bitmap(20, 20);
    Graphics g(&bitmap);
    Pen pen(Color(kInk), width);
    g.DrawLine(&pen, 2, 7, 17, 7);
    EXPECT_EQ(RenderTest::CountPainted(bitmap), 16) << width;
    EXPECT_EQ(RenderTest::PaintedBounds(bitmap).Height, 1) << width;
  }
}

TEST(Stroke, AntiAliasedWidthOneLineOnWholeRowIsSolid) {
  Bitmap bitmap(40, 20);
  Graphics g(&bitmap);
  g.SetSmoothingMode(SmoothingModeAntiAlias);
  Pen pen(Color(kInk), 1.0f);
  g.DrawLine(&pen, 5, 10, 30, 10);
  // The stroke covers y 9.5 to 10.5: exactly pixel row 10.
  for (int x = 6; x < 30; ++x) EXPECT_EQ(PixelAt(bitmap, x, 10), kInk) << x;
  EXPECT_EQ(RenderTest::PaintedBounds(bitmap).Height, 1);
}

TEST(Stroke, AliasedWideLineHasFlatCaps) {
  Bitmap bitmap(60, 20);
  Graphics g(&bitmap);
  Pen pen(Color(kInk), 3.0f);
  g.DrawLine(&pen, 5, 10, 50, 10);
  // y from 8.5 to 11.5 and x from 5 to 50, pixel centres inside.
  EXPECT_EQ(RenderTest::FirstMismatch(
                bitmap, [](int x, int y) { return In(x, y, 5, 9, 50, 12) ? kInk : 0; }),
            "");
}

TEST(Stroke, AliasedRectangleOutline) {
  Bitmap bitmap(30, 30);
  Graphics g(&bitmap);
  Pen pen(Color(kInk), 1.0f);
  ASSERT_EQ(g.DrawRectangle(&pen, 5, 6, 10, 8), Ok);
  EXPECT_EQ(RenderTest::FirstMismatch(bitmap,
                                      [](int x, int y) {
                                        const bool onEdge =
                                            In(x, y, 5, 6, 16, 15) && !In(x, y, 6, 7, 15, 14);
                                        return onEdge ? kInk : 0;
                                      }),
            "");
}

TEST(Stroke, InsetPutsTheWidthInside) {
  for (SmoothingMode mode : {SmoothingModeNone, SmoothingModeAntiAlias}) {
    Bitmap bitmap(50, 50);
    Graphics g(&bitmap);
    g.SetSmoothingMode(mode);
    Pen pen(Color(kInk), 4.0f);
    pen.SetAlignment(PenAlignmentInset);
    g.DrawRectangle(&pen, 10, 10, 20, 20);
    // The band covers x (and y) from 10 to 14 and 26 to 30.
    const Rect bounds = RenderTest::PaintedBounds(bitmap);
    EXPECT_GE(bounds.X, 10) << mode;
    EXPECT_LE(bounds.GetRight(), 31) << mode;
    EXPECT_EQ(PixelAt(bitmap, 12, 20), kInk) << mode;
    EXPECT_EQ(PixelAt(bitmap, 27, 20), kInk) << mode;
    EXPECT_EQ(PixelAt(bitmap, 20, 20), 0u) << mode;
    EXPECT_EQ(PixelAt(bitmap, 16, 20), 0u) << mode;
  }
}

TEST(Stroke, CenteredPenStraddlesTheOutline) {
  Bitmap bitmap(50, 50);
  Graphics g(&bitmap);
  Pen pen(Color(kInk), 4.0f);
  g.DrawRectangle(&pen, 10, 10, 20, 20);
  // x from 8 to 12 along the left edge; the miter fills the corners.
  EXPECT_EQ(RenderTest::PaintedBounds(bitmap).X, 8);
  EXPECT_EQ(RenderTest::PaintedBounds(bitmap).GetRight(), 32);
  EXPECT_EQ(PixelAt(bitmap, 8, 8), kInk);
  EXPECT_EQ(PixelAt(bitmap, 12, 20), 0u);
}

TEST(Stroke, DashPiecesAreMultiplesOfTheWidth) {
  // Width 10, Dash: 30 on, 10 off, from x = 5: pieces 5-35 and 45-50.
  Bitmap bitmap(60, 20);
  Graphics g(&bitmap);
  Pen pen(Color(kInk), 10.0f);
  pen.SetDashStyle(DashStyleDash);
  g.DrawLine(&pen, 5, 10, 50, 10);
  for (int x = 0; x < 60; ++x) {
    const bool on = (x >= 5 && x < 35) || (x >= 45 && x < 50);
    EXPECT_EQ(PixelAt(bitmap, x, 10), on ? kInk : 0u) << x;
  }
}

TEST(Stroke, ThinDotsAlternate) {
  Bitmap bitmap(30, 5);
  Graphics g(&bitmap);
  Pen pen(Color(kInk), 1.0f);
  pen.SetDashStyle(DashStyleDot);
  g.DrawLine(&pen, 0.0f, 2.0f, 20.0f, 2.0f);
  // Dot: one on, one off, in whole pixels from the start.
  int painted = 0;
  for (int x = 0; x < 30; ++x) painted += PixelAt(bitmap, x, 2) == kInk;
  EXPECT_GE(painted, 9);
  EXPECT_LE(painted, 12);
  EXPECT_EQ(PixelAt(bitmap, 0, 2), kInk);
  EXPECT_EQ(RenderTest::PaintedBounds(bitmap).Height, 1);
}

TEST(Stroke, BezierStaysWithinItsControlHull) {
  Bitmap bitmap(40, 40);
  Graphics g(&bitmap);
  g.SetSmoothingMode(SmoothingModeAntiAlias);
  Pen pen(Color(kInk), 1.0f);
  ASSERT_EQ(g.DrawBezier(&pen, PointF(5, 30), PointF(10, 5), PointF(25, 5), PointF(30, 30)), Ok);
  const Rect bounds = RenderTest::PaintedBounds(bitmap);
  EXPECT_GE(bounds.X, 4);
  EXPECT_LE(bounds.GetRight(), 32);
  // The curve's highest point is at y = 30 - 0.75 * 25 = 11.25.
  EXPECT_NEAR(bounds.Y, 11, 1);
  EXPECT_GT(RenderTest::CountPainted(bitmap), 40);
}

TEST(Stroke, EllipseRingOutlineIsSymmetric) {
  Bitmap bitmap(41, 41);
  Graphics g(&bitmap);
  Pen pen(Color(kInk), 1.0f);
  g.DrawEllipse(&pen, 5, 5, 30, 30);
  for (int y = 0; y < 41; ++y) {
    for (int x = 0; x < 41; ++x) {
      EXPECT_EQ(PixelAt(bitmap, x, y) != 0, PixelAt(bitmap, 40 - x, y) != 0) << x << "," << y;
    }
  }
  EXPECT_EQ(PixelAt(bitmap, 20, 20), 0u);
  EXPECT_EQ(PixelAt(bitmap, 5, 20), kInk);
  EXPECT_EQ(PixelAt(bitmap, 35, 20), kInk);
}

TEST(Stroke, HugeRingsAroundThePictureStillDrawWhereTheyCross) {
  Bitmap bitmap(250, 50);
  Graphics g(&bitmap);
  g.SetSmoothingMode(SmoothingModeAntiAlias);
  Pen pen(Color(kInk), 1.5f);
  // Centre far to the left: a ring of radius 300 crosses the picture near
  // x = 300 - 100 = 200.
  g.DrawEllipse(&pen, RectF(-400.0f, -275.0f, 600.0f, 600.0f));
  const Rect bounds = RenderTest::PaintedBounds(bitmap);
  EXPECT_GE(bounds.X, 196);
  EXPECT_LE(bounds.GetRight(), 203);
  EXPECT_EQ(bounds.Height, 50);
}

TEST(Stroke, PathWithClosedFigures) {
  GraphicsPath path;
  path.AddRectangle(RectF(2, 2, 6, 6));
  Bitmap bitmap(12, 12);
  Graphics g(&bitmap);
  Pen pen(Color(kInk), 1.0f);
  ASSERT_EQ(g.DrawPath(&pen, &path), Ok);
  EXPECT_EQ(RenderTest::CountPainted(bitmap), 24);
}

}  // namespace
