#include <gtest/gtest.h>

#include <functional>
#include <set>

#include "RandomClass.h"
#include "RandomSource.h"
#include "TestSupport.h"

using namespace MirelGlyphward;
using Gdiplus::PointF;
using Gdiplus::RectF;
using testing_support::ReferenceLcg;

namespace {

// Runs `body` on an engine of its own and returns how many steps it took.
std::uint64_t StepsOf(const std::function<void()>& body, std::int32_t seed = 2024) {
  RandomSource source(seed);
  RandomSource* previous = BindThreadRandomSource(&source);
  body();
  BindThreadRandomSource(previous);
  return source.Steps();
}

struct DrawCount {
  const char* name;
  std::function<void(const RandomClass&)> call;
  std::uint64_t steps;
};

void PrintTo(const DrawCount& c, std::ostream* out) {
  *out << c.name;
}

class DrawCounts : public ::testing::TestWithParam<DrawCount> {};

TEST_P(DrawCounts, TakesExactlyItsSteps) {
  RandomClass rand;
  EXPECT_EQ(StepsOf([&] { GetParam().call(rand); }), GetParam().steps) << GetParam().name;
}

const RectF kRect(10, 20, 100, 50);

INSTANTIATE_TEST_SUITE_P(
    Operations, DrawCounts,
    ::testing::Values(
        DrawCount{"Next", [](const RandomClass& r) { r.Next(0, 10); }, 1},
        DrawCount{"NextFloat", [](const RandomClass& r) { r.NextFloat(0, 1); }, 1},
        DrawCount{"NextColor", [](const RandomClass& r) { r.NextColor(); }, 3},
        DrawCount{"NextColorRanges", [](const RandomClass& r) { r.NextColor(0, 10, 0, 10, 0, 10); },
                  3},
        DrawCount{"NextBorders", [](const RandomClass& r) { r.NextBorders(kRect, kRect); }, 4},
        DrawCount{"NextPoint", [](const RandomClass& r) { r.NextPoint(kRect); }, 2},
        DrawCount{"NextPointAround",
                  [](const RandomClass& r) { r.NextPointAround(PointF(5, 5), 4); }, 2},
        DrawCount{"NextPoints",
                  [](const RandomClass& r) {
                    PointF a, b, c, d;
                    r.NextPoints(kRect, a, b, c, d);
                  },
                  8},
        DrawCount{"NextRectInside", [](const RandomClass& r) { r.NextRectInside(kRect, 5, 5); }, 2},
        DrawCount{"NextOffsets",
                  [](const RandomClass& r) {
                    std::vector<float> list;
                    r.NextOffsets(0, 1, 7, list);
                  },
                  7},
        DrawCount{"NextOffsetsNone",
                  [](const RandomClass& r) {
                    std::vector<float> list;
                    r.NextOffsets(0, 1, -3, list);
                  },
                  0},
        DrawCount{"NextChar", [](const RandomClass& r) { r.NextChar(); }, 1},
        DrawCount{"NextFontName4", [](const RandomClass& r) { r.NextFontName(4); }, 1},
        DrawCount{"NextFontName7", [](const RandomClass& r) { r.NextFontName(7); }, 1},
        DrawCount{"NextFontName31", [](const RandomClass& r) { r.NextFontName(31); }, 1},
        DrawCount{"DefaultFontName", [](const RandomClass& r) { r.DefaultFontName(); }, 0}));

TEST(RandomClass, NextBoundsAndEqualLimits) {
  RandomClass rand;
  StepsOf([&] {
    EXPECT_EQ(rand.Next(5, 5), 5);
    std::set<int> seen;
    for (int i = 0; i < 20000; ++i) {
      const int v = rand.Next(0, 256);
      ASSERT_GE(v, 0);
      ASSERT_LT(v, 256);
      seen.insert(v);
    }
    EXPECT_EQ(seen.size(), 256u);
    for (int i = 0; i < 100; ++i) {
      const int v = rand.Next(10, 5);  // max < min: values in max+1..min
      ASSERT_GE(v, 6);
      ASSERT_LE(v, 10);
    }
  });
}

TEST(RandomClass, NextFloatIsOneOfTenThousandSteps) {
  RandomClass rand;
  ReferenceLcg reference(2024);
  StepsOf([&] {
    EXPECT_EQ(rand.NextFloat(2.0f, 2.0f), 2.0f);
    reference.NextUnit();
    for (int i = 0; i < 1000; ++i) {
      const float v = rand.NextFloat(0.0f, 1.0f);
      const int k = reference.Number(10000);
      ASSERT_EQ(v, float(k) / 10000.0f);
      ASSERT_LT(v, 1.0f);
    }
  });
}

TEST(RandomClass, NextColorDrawsBlueGreenRed) {
  RandomClass rand;
  ReferenceLcg reference(2024);
  Gdiplus::Color c;
  StepsOf([&] { c = rand.NextColor(); });
  const int b = reference.Number(256), g = reference.Number(256), r = reference.Number(256);
  EXPECT_EQ(c.GetValue(),
            Gdiplus::Color::MakeARGB(255, Gdiplus::BYTE(r), Gdiplus::BYTE(g), Gdiplus::BYTE(b)));
}

TEST(RandomClass, NextBordersContainsInnerInsideOuter) {
  RandomClass rand;
  const RectF outer(0, 0, 250, 50), inner(25, 0, 212.5f, 40);
  StepsOf([&] {
    EXPECT_TRUE(rand.NextBorders(kRect, kRect).Equals(kRect));
    for (int i = 0; i < 2000; ++i) {
      const RectF r = rand.NextBorders(outer, inner);
      ASSERT_GE(r.GetLeft(), outer.GetLeft());
      ASSERT_LE(r.GetLeft(), inner.GetLeft());
      ASSERT_GE(r.GetTop(), outer.GetTop());
      ASSERT_LE(r.GetTop(), inner.GetTop());
      ASSERT_GE(r.GetRight(), inner.GetRight());
      ASSERT_LE(r.GetRight(), outer.GetRight());
      ASSERT_GE(r.GetBottom(), inner.GetBottom());
      ASSERT_LE(r.GetBottom(), outer.GetBottom());
    }
  });
}

TEST(RandomClass, NextBordersDrawsTopLeftRightBottom) {
  RandomClass rand;
  ReferenceLcg reference(2024);
  const RectF outer(0, 0, 100, 100), inner(40, 40, 20, 20);
  RectF r;
  StepsOf([&] { r = rand.NextBorders(outer, inner); });
  const float top = 40.0f * (float(reference.Number(10000)) / 10000.0f);
  const float left = 40.0f * (float(reference.Number(10000)) / 10000.0f);
  const float right = 40.0f * (float(reference.Number(10000)) / 10000.0f) + 60.0f;
  const float bottom = 40.0f * (float(reference.Number(10000)) / 10000.0f) + 60.0f;
  EXPECT_FLOAT_EQ(r.Y, top);
  EXPECT_FLOAT_EQ(r.X, left);
  EXPECT_FLOAT_EQ(r.X + r.Width, right);
  EXPECT_FLOAT_EQ(r.Y + r.Height, bottom);
}

TEST(RandomClass, NextPointDrawsYThenX) {
  RandomClass rand;
  ReferenceLcg reference(2024);
  PointF p;
  StepsOf([&] { p = rand.NextPoint(RectF(0, 0, 100, 10)); });
  const float y = 10.0f * (float(reference.Number(10000)) / 10000.0f);
  const float x = 100.0f * (float(reference.Number(10000)) / 10000.0f);
  EXPECT_FLOAT_EQ(p.X, x);
  EXPECT_FLOAT_EQ(p.Y, y);
}

TEST(RandomClass, NextRectInsideStaysInside) {
  RandomClass rand;
  StepsOf([&] {
    for (int i = 0; i < 1000; ++i) {
      const RectF r = rand.NextRectInside(kRect, 30, 20);
      ASSERT_EQ(r.Width, 30);
      ASSERT_EQ(r.Height, 20);
      ASSERT_GE(r.X, kRect.X);
      ASSERT_LE(r.GetRight(), kRect.GetRight());
      ASSERT_GE(r.Y, kRect.Y);
      ASSERT_LE(r.GetBottom(), kRect.GetBottom());
    }
  });
}

TEST(RandomClass, NextOffsetsAppendsRunningSums) {
  RandomClass rand;
  std::vector<float> list = {-1.0f};
  StepsOf([&] { rand.NextOffsets(1.0f, 1.0f, 4, list); });
  EXPECT_EQ(list, (std::vector<float>{-1.0f, 1.0f, 2.0f, 3.0f, 4.0f}));
}

TEST(RandomClass, NextCharCoversItsSetWithoutZero) {
  RandomClass rand;
  std::set<char> seen;
  StepsOf([&] {
    for (int i = 0; i < 20000; ++i) seen.insert(rand.NextChar());
  });
  EXPECT_EQ(seen.size(), 35u);
  EXPECT_EQ(seen.count('0'), 0u);
  EXPECT_EQ(seen.count('Z'), 1u);
  EXPECT_EQ(seen.count('1'), 1u);
}

TEST(RandomClass, FontNamesByStyle) {
  RandomClass rand;
  std::set<std::u16string> general, eight;
  StepsOf([&] {
    for (int i = 0; i < 200; ++i) {
      EXPECT_EQ(rand.NextFontName(4), u"Courier New");
      EXPECT_EQ(rand.NextFontName(7), u"Times New Roman");
      general.insert(rand.NextFontName(15));
      eight.insert(rand.NextFontName(8));
    }
  });
  const std::set<std::u16string> five = {u"Arial", u"Verdana", u"Times New Roman", u"Tahoma",
                                         u"Courier New"};
  EXPECT_EQ(general, five);
  EXPECT_EQ(eight, five);
  EXPECT_EQ(rand.DefaultFontName(), u"Times New Roman");
}

}  // namespace
