#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "CurvedText.h"
#include "GuideCurves.h"

using namespace Gdiplus;
using MirelGlyphward::CurvedText;

namespace {

struct Curves {
  std::vector<PointF> top, bottom;
  Curves() { CurvedText::LoadCurves(1, top, bottom); }
};

// The first point of the curve at x, or -1 where the curve has none.
int FirstYAt(const std::vector<PointF>& curve, int x) {
  for (const PointF& p : curve) {
    if (p.X == float(x)) return int(p.Y);
  }
  return -1;
}

}  // namespace

TEST(GuideCurvesTest, LoadingReplacesWithTheBuiltInCurves) {
  std::vector<PointF> top(7, PointF(1, 1)), bottom(3, PointF(2, 2));
  CurvedText::LoadCurves(1, top, bottom);
  ASSERT_EQ(top.size(), 452u);
  ASSERT_EQ(bottom.size(), 469u);
  EXPECT_TRUE(top.front().Equals(PointF(163, 179)));
  EXPECT_TRUE(top.back().Equals(PointF(592, 170)));
  EXPECT_TRUE(bottom.front().Equals(PointF(169, 363)));
  EXPECT_TRUE(bottom.back().Equals(PointF(614, 320)));
  std::vector<PointF> top2, bottom2;
  CurvedText::LoadCurves(2, top2, bottom2);
  EXPECT_EQ(top2.size(), 452u);
  EXPECT_EQ(bottom2.size(), 469u);
}

TEST(GuideCurvesTest, OtherKindsLeaveTheListsAlone) {
  for (int kind : {0, 3, -1, 100}) {
    std::vector<PointF> top(2, PointF(5, 6)), bottom(1, PointF(7, 8));
    CurvedText::LoadCurves(kind, top, bottom);
    ASSERT_EQ(top.size(), 2u);
    ASSERT_EQ(bottom.size(), 1u);
    EXPECT_TRUE(top[1].Equals(PointF(5, 6)));
    EXPECT_TRUE(bottom[0].Equals(PointF(7, 8)));
  }
}

TEST(GuideCurvesTest, SampleTable) {
  const Curves c;
  // x, upper y, lower y (-1: no point).
  const int table[][3] = {
      {163, 179, -1},  {178, 173, 362}, {193, 170, 360}, {208, 167, 359}, {223, 163, 356},
      {238, 159, 353}, {253, 153, 357}, {268, 149, 363}, {283, 144, 372}, {298, 140, 378},
      {313, 138, 382}, {328, 139, 383}, {343, 142, 382}, {358, 149, 377}, {373, 159, 371},
      {388, 175, 364}, {403, 202, 358}, {418, 214, 358}, {433, 221, 358}, {448, 223, 357},
      {463, 222, 357}, {478, 217, 357}, {493, 210, 357}, {508, 200, 357}, {523, 186, 358},
      {538, 175, 360}, {553, 170, 361}, {568, 168, 362}, {583, 168, 360}, {598, -1, 353},
      {613, -1, 326},
  };
  for (const auto& row : table) {
    EXPECT_EQ(FirstYAt(c.top, row[0]), row[1]) << "upper at x " << row[0];
    EXPECT_EQ(FirstYAt(c.bottom, row[0]), row[2]) << "lower at x " << row[0];
  }
}

TEST(GuideCurvesTest, ChainsAreConnectedAndNeverTurnBack) {
  const Curves c;
  for (const auto* curve : {&c.top, &c.bottom}) {
    for (std::size_t i = 1; i < curve->size(); ++i) {
      const float dx = (*curve)[i].X - (*curve)[i - 1].X;
      const float dy = (*curve)[i].Y - (*curve)[i - 1].Y;
      EXPECT_TRUE(dx == 0 || dx == 1) << i;
      EXPECT_LE(std::abs(dy), 1) << i;
      EXPECT_FALSE(dx == 0 && dy == 0) << i;
    }
  }
}

TEST(GuideCurvesTest, MalformedChainStopsCleanly) {
  std::vector<PointF> points;
  MirelGlyphward::ExpandGuideChain({PointF(0, 0), "E3x9E"}, points);
  ASSERT_EQ(points.size(), 4u);
  EXPECT_TRUE(points.back().Equals(PointF(3, 0)));
}
