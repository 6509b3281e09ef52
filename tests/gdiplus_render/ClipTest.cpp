#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "Graphics.h"
#include "GraphicsPath.h"
#include "Pen.h"
#include "Region.h"
#include "RenderTestSupport.h"
#include "SolidBrush.h"

using namespace Gdiplus;
using RenderTest::PixelAt;

namespace {

constexpr ARGB kGround = 0xFF102030;
constexpr ARGB kPaint = 0xFFE0C0A0;

bool In(const Rect& r, int x, int y) {
  return x >= r.X && x < r.X + r.Width && y >= r.Y && y < r.Y + r.Height;
}

const Rect kFirst(2, 3, 14, 10);
const Rect kSecond(9, 7, 15, 12);

struct ModeCase {
  CombineMode mode;
  bool (*inside)(bool inFirst, bool inSecond);
};

class ClipCombine : public testing::TestWithParam<ModeCase> {};

const char* const kModeNames[] = {"Replace", "Intersect", "Union", "Xor", "Exclude", "Complement"};

void PrintTo(const ModeCase& c, std::ostream* out) {
  *out << kModeNames[c.mode];
}

std::string ModeName(const testing::TestParamInfo<ModeCase>& info) {
  return kModeNames[info.param.mode];
}

// The clip starts as kFirst and is combined with kSecond; a fill of the
// whole picture then shows exactly the combined pixel set.
TEST_P(ClipCombine, FillShowsTheCombinedSet) {
  const ModeCase& c = GetParam();
  Bitmap bitmap(30, 25);
  Graphics g(&bitmap);
  g.Clear(Color(kGround));
  ASSERT_EQ(g.SetClip(kFirst), Ok);
  ASSERT_EQ(g.SetClip(kSecond, c.mode), Ok);
  SolidBrush brush{Color(kPaint)};
  g.FillRectangle(&brush, 0, 0, 30, 25);
  EXPECT_EQ(RenderTest::FirstMismatch(bitmap,
                                      [&](int x, int y) {
                                        return c.inside(In(kFirst, x, y), In(kSecond, x, y))
                                                   ? kPaint
                                                   : kGround;
                                      }),
            "");
}

INSTANTIATE_TEST_SUITE_P(
    Modes, ClipCombine,
    testing::Values(ModeCase{CombineModeReplace, [](bool, bool b) { return b; }},
                    ModeCase{CombineModeIntersect, [](bool a, bool b) { return a && b; }},
                    ModeCase{CombineModeUnion, [](bool a, bool b) { return a || b; }},
                    ModeCase{CombineModeXor, [](bool a, bool b) { return a != b; }},
                    ModeCase{CombineModeExclude, [](bool a, bool b) { return a && !b; }},
                    ModeCase{CombineModeComplement, [](bool a, bool b) { return b && !a; }}),
    ModeName);

TEST(Clip, ClearReplacesInsideOnlyWithoutBlending) {
  Bitmap bitmap(20, 20);
  Graphics g(&bitmap);
  g.Clear(Color(0xFFFF0000));
  const Rect area(4, 5, 6, 7);
  g.SetClip(area);
  ASSERT_EQ(g.Clear(Color(0x40112233)), Ok);
  EXPECT_EQ(RenderTest::FirstMismatch(
                bitmap, [&](int x, int y) { return In(area, x, y) ? 0x40112233u : 0xFFFF0000u; }),
            "");
  // Clearing to transparent really makes the pixels transparent.
  g.Clear(Color(0x00000000));
  EXPECT_EQ(PixelAt(bitmap, 5, 6), 0u);
  EXPECT_EQ(PixelAt(bitmap, 0, 0), 0xFFFF0000u);
}

TEST(Clip, PathClipIsAliasedEvenWhenSmoothing) {
  GraphicsPath path;
  path.AddEllipse(RectF(3.3f, 2.7f, 20.5f, 14.2f));
  Bitmap bitmap(30, 20);
  Graphics g(&bitmap);
  g.SetSmoothingMode(SmoothingModeAntiAlias);
  ASSERT_EQ(g.SetClip(&path), Ok);
  SolidBrush brush{Color(kPaint)};
  g.FillRectangle(&brush, 0, 0, 30, 20);
  // Every pixel is either untouched or fully painted, and the painted set
  // is the region's own pixel set.
  Region region(&path);
  EXPECT_EQ(RenderTest::FirstMismatch(
                bitmap, [&](int x, int y) { return region.IsVisible(x, y) ? kPaint : 0u; }),
            "");
  EXPECT_GT(RenderTest::CountPainted(bitmap), 150);
}

TEST(Clip, RegionClipAndGetClipRoundTrip) {
  Region region(Rect(1, 1, 4, 4));
  region.Union(Rect(6, 6, 3, 3));
  Bitmap bitmap(10, 10);
  Graphics g(&bitmap);
  ASSERT_EQ(g.SetClip(&region), Ok);
  Region copy;
  ASSERT_EQ(g.GetClip(&copy), Ok);
  for (int y = 0; y < 10; ++y) {
    for (int x = 0; x < 10; ++x) EXPECT_EQ(copy.IsVisible(x, y), region.IsVisible(x, y));
  }
  g.ResetClip();
  ASSERT_EQ(g.GetClip(&copy), Ok);
  EXPECT_TRUE(copy.IsInfinite());
}

TEST(Clip, IntersectAndExcludeClip) {
  Bitmap bitmap(12, 12);
  Graphics g(&bitmap);
  g.IntersectClip(Rect(2, 2, 8, 8));
  g.ExcludeClip(Rect(4, 4, 2, 2));
  g.Clear(Color(kPaint));
  EXPECT_EQ(RenderTest::FirstMismatch(
                bitmap,
                [](int x, int y) {
                  return In(Rect(2, 2, 8, 8), x, y) && !In(Rect(4, 4, 2, 2), x, y) ? kPaint : 0u;
                }),
            "");
  Rect bounds;
  ASSERT_EQ(g.GetClipBounds(&bounds), Ok);
  EXPECT_TRUE(bounds.Equals(Rect(2, 2, 8, 8)));
}

TEST(Clip, UnknownCombineModeLeavesTheClip) {
  Bitmap bitmap(10, 10);
  Graphics g(&bitmap);
  g.SetClip(Rect(1, 1, 3, 3));
  EXPECT_EQ(g.SetClip(Rect(5, 5, 3, 3), CombineMode(7)), InvalidParameter);
  g.Clear(Color(kPaint));
  EXPECT_EQ(RenderTest::CountPainted(bitmap), 9);
  EXPECT_EQ(PixelAt(bitmap, 1, 1), kPaint);
}

TEST(Clip, EmptyClipDrawsNothing) {
  Bitmap bitmap(10, 10);
  Graphics g(&bitmap);
  g.SetClip(Rect(1, 1, 3, 3));
  g.SetClip(Rect(6, 6, 3, 3), CombineModeIntersect);
  EXPECT_TRUE(g.IsClipEmpty());
  SolidBrush brush{Color(kPaint)};
  EXPECT_EQ(g.FillRectangle(&brush, 0, 0, 10, 10), Ok);
  EXPECT_EQ(g.Clear(Color(kPaint)), Ok);
  EXPECT_EQ(RenderTest::CountPainted(bitmap), 0);
}

TEST(Clip, ClipAppliesToStrokesAndImages) {
  Bitmap bitmap(20, 20);
  Graphics g(&bitmap);
  g.SetClip(Rect(0, 0, 10, 20));
  Pen pen(Color(kPaint), 3.0f);
  g.DrawLine(&pen, 0, 5, 20, 5);
  Bitmap source(20, 2);
  Graphics(&source).Clear(Color(kPaint));
  g.DrawImage(&source, 0, 12);
  const Rect bounds = RenderTest::PaintedBounds(bitmap);
  EXPECT_EQ(bounds.GetRight(), 10);
  EXPECT_EQ(PixelAt(bitmap, 9, 5), kPaint);
  EXPECT_EQ(PixelAt(bitmap, 9, 13), kPaint);
  EXPECT_EQ(PixelAt(bitmap, 10, 5), 0u);
}

}  // namespace
