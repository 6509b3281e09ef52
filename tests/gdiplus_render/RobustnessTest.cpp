#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>

#include "Graphics.h"
#include "GraphicsPath.h"
#include "Pen.h"
#include "Region.h"
#include "RenderTestSupport.h"
#include "SolidBrush.h"

using namespace Gdiplus;

namespace {

constexpr REAL kNaN = std::numeric_limits<REAL>::quiet_NaN();
constexpr REAL kInf = std::numeric_limits<REAL>::infinity();

struct BadCall {
  std::string name;
  std::function<Status(Graphics&)> call;
};

std::vector<BadCall> BadCalls(REAL bad) {
  static SolidBrush brush(Color(0xFFFF0000));
  static Pen pen(Color(0xFF00FF00), 2.0f);
  return {
      {"FillEllipse", [=](Graphics& g) { return g.FillEllipse(&brush, bad, 1.0f, 5.0f, 5.0f); }},
      {"FillEllipseSize",
       [=](Graphics& g) { return g.FillEllipse(&brush, 1.0f, 1.0f, bad, 5.0f); }},
      {"FillEllipses",
       [=](Graphics& g) {
         const RectF rects[] = {{bad, 1, 5, 5}, {1, 1, 1, bad}};
         return g.FillEllipses(&brush, rects, 2);
       }},
      {"FillRectangle",
       [=](Graphics& g) { return g.FillRectangle(&brush, 1.0f, bad, 5.0f, 5.0f); }},
      {"DrawLine", [=](Graphics& g) { return g.DrawLine(&pen, 1.0f, 1.0f, bad, 5.0f); }},
      {"DrawBezier",
       [=](Graphics& g) {
         return g.DrawBezier(&pen, 1.0f, 1.0f, 2.0f, bad, 3.0f, 3.0f, 4.0f, 1.0f);
       }},
      {"DrawEllipse", [=](Graphics& g) { return g.DrawEllipse(&pen, 1.0f, 1.0f, 5.0f, bad); }},
      {"DrawRectangle", [=](Graphics& g) { return g.DrawRectangle(&pen, bad, bad, 5.0f, 5.0f); }},
      {"FillPolygon",
       [=](Graphics& g) {
         const PointF points[] = {{1, 1}, {bad, 3}, {3, 9}};
         return g.FillPolygon(&brush, points, 3);
       }},
      {"FillPath",
       [=](Graphics& g) {
         const PointF points[] = {{1, 1}, {9, bad}, {3, 9}};
         const BYTE types[] = {0, 1, 0x81};
         GraphicsPath path(points, types, 3);
         // The path itself refuses non-finite points.
         if (const Status refused = path.GetLastStatus(); refused != Ok) return refused;
         return g.FillPath(&brush, &path);
       }},
      {"DrawPath",
       [=](Graphics& g) {
         const PointF points[] = {{1, 1}, {9, bad}, {3, 9}};
         const BYTE types[] = {0, 1, 1};
         GraphicsPath path(points, types, 3);
         if (const Status refused = path.GetLastStatus(); refused != Ok) return refused;
         return g.DrawPath(&pen, &path);
       }},
  };
}

class BadCoordinates : public testing::TestWithParam<REAL> {};

TEST_P(BadCoordinates, DrawNothingAndReportAStatus) {
  for (SmoothingMode mode : {SmoothingModeNone, SmoothingModeAntiAlias}) {
    for (const BadCall& bad : BadCalls(GetParam())) {
      Bitmap bitmap(16, 16);
      Graphics g(&bitmap);
      g.SetSmoothingMode(mode);
      const Status status = bad.call(g);
      EXPECT_TRUE(status == InvalidParameter || status == ValueOverflow)
          << bad.name << " gave " << status;
      EXPECT_EQ(RenderTest::CountPainted(bitmap), 0) << bad.name;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Values, BadCoordinates,
                         testing::Values(kNaN, kInf, -kInf, 1e30f, -3e38f, 5e6f));

TEST(Robustness, LargeButSaneCoordinatesStillDraw) {
  Bitmap bitmap(50, 50);
  Graphics g(&bitmap);
  g.SetSmoothingMode(SmoothingModeAntiAlias);
  Pen pen(Color(0xFF000000), 1.0f);
  // A line from far away into the picture.
  ASSERT_EQ(g.DrawLine(&pen, -1e6f, 25.0f, 25.0f, 25.0f), Ok);
  EXPECT_GT(RenderTest::CountPainted(bitmap), 20);
}

TEST(Robustness, ExtremePenWidths) {
  Bitmap bitmap(20, 20);
  Graphics g(&bitmap);
  Pen hugePen(Color(0xFF000000), 1e20f);
  EXPECT_EQ(g.DrawLine(&hugePen, 1, 1, 10, 10), ValueOverflow);
  EXPECT_EQ(RenderTest::CountPainted(bitmap), 0);
  // A wide but finite pen floods the picture.
  Pen widePen(Color(0xFF000000), 1e5f);
  EXPECT_EQ(g.DrawLine(&widePen, 1, 10, 10, 10), Ok);
}

TEST(Robustness, NullArgumentsAreRefused) {
  Bitmap bitmap(8, 8);
  Graphics g(&bitmap);
  SolidBrush brush(Color(0xFF000000));
  Pen pen(Color(0xFF000000));
  EXPECT_EQ(g.FillRectangle(nullptr, 0, 0, 4, 4), InvalidParameter);
  EXPECT_EQ(g.DrawLine(nullptr, 0, 0, 4, 4), InvalidParameter);
  EXPECT_EQ(g.FillPath(&brush, nullptr), InvalidParameter);
  EXPECT_EQ(g.DrawPath(&pen, nullptr), InvalidParameter);
  EXPECT_EQ(g.FillRegion(&brush, nullptr), InvalidParameter);
  EXPECT_EQ(g.SetClip(static_cast<const GraphicsPath*>(nullptr)), InvalidParameter);
  EXPECT_EQ(g.SetClip(static_cast<const Region*>(nullptr)), InvalidParameter);
  EXPECT_EQ(g.DrawLines(&pen, static_cast<const PointF*>(nullptr), 3), InvalidParameter);
  const PointF one[] = {{1, 1}};
  EXPECT_EQ(g.DrawLines(&pen, one, 1), InvalidParameter);
  EXPECT_EQ(g.FillPolygon(&brush, one, -1), InvalidParameter);
  EXPECT_EQ(g.GetLastStatus(), InvalidParameter);
  EXPECT_EQ(g.GetLastStatus(), Ok);
  EXPECT_EQ(RenderTest::CountPainted(bitmap), 0);
}

TEST(Robustness, GraphicsOnUnusableImageFails) {
  Bitmap empty(0, 5);
  Graphics g(&empty);
  EXPECT_EQ(g.GetLastStatus(), InvalidParameter);
  SolidBrush brush(Color(0xFF000000));
  EXPECT_EQ(g.FillRectangle(&brush, 0, 0, 1, 1), InvalidParameter);
  EXPECT_EQ(g.Clear(Color(0xFF000000)), InvalidParameter);
  Graphics none(nullptr);
  EXPECT_EQ(none.GetLastStatus(), InvalidParameter);
}

TEST(Robustness, ClipOfBadRectangleIsHarmless) {
  Bitmap bitmap(8, 8);
  Graphics g(&bitmap);
  g.SetClip(RectF(kNaN, 0, 4, 4));
  SolidBrush brush(Color(0xFF000000));
  g.FillRectangle(&brush, 0, 0, 8, 8);
  // Whatever the region makes of it, the fill stays inside the picture and
  // nothing crashes.
  EXPECT_LE(RenderTest::CountPainted(bitmap), 64);
}

TEST(Robustness, SelfIntersectingAndDegenerateShapes) {
  Bitmap bitmap(20, 20);
  Graphics g(&bitmap);
  g.SetSmoothingMode(SmoothingModeAntiAlias);
  SolidBrush brush(Color(0xFF000000));
  Pen pen(Color(0xFF000000), 3.0f);
  const PointF same[] = {{5, 5}, {5, 5}, {5, 5}};
  EXPECT_EQ(g.FillPolygon(&brush, same, 3), Ok);
  EXPECT_EQ(g.DrawLines(&pen, same, 3), Ok);
  EXPECT_EQ(g.DrawEllipse(&pen, 5.0f, 5.0f, 0.0f, 0.0f), Ok);
  EXPECT_EQ(g.FillEllipse(&brush, 5.0f, 5.0f, -3.0f, -3.0f), Ok);
  EXPECT_EQ(RenderTest::CountPainted(bitmap) <= 16, true);
}

}  // namespace
