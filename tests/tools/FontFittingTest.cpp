// Fitting a font to a width: the result must be the one a walk down one
// point at a time finds, and the walk must end for any text and width.
#include <gtest/gtest.h>

#include <ostream>
#include <cmath>
#include <limits>
#include <string>

#include "Bitmap.h"
#include "FontFitting.h"
#include "Graphics.h"

namespace {

using namespace Gdiplus;
using MirelGlyphward::FitFontToWidth;

// The plain walk, one measurement per point of size.
REAL WalkDown(const Graphics& g, const std::u16string& text, INT style, REAL start, REAL width) {
  REAL s = start;
  for (;;) {
    s -= 1.0f;
    Font font(u"Courier New", s, style, UnitPoint);
    RectF box(0, 0, 0, 0);
    g.MeasureString(text.data(), INT(text.size()), &font, PointF(0, 0), &box);
    if (box.Width <= width || !(s > 0)) return s;
  }
}

struct FitCase {
  std::u16string text;
  REAL start;
  REAL width;
};

void PrintTo(const FitCase& c, std::ostream* out) {
  *out << c.text.size() << " characters from " << c.start << " to width " << c.width;
}

class FontFitting : public ::testing::TestWithParam<FitCase> {};

TEST_P(FontFitting, EndsWhereTheWalkDownEnds) {
  const FitCase& c = GetParam();
  Bitmap bitmap(1, 1);
  Graphics g(&bitmap);
  const auto fitted = FitFontToWidth(g, c.text, u"Courier New", FontStyleBold, c.start, c.width);
  const REAL expected = WalkDown(g, c.text, FontStyleBold, c.start, c.width);
  EXPECT_EQ(fitted.emSize, expected);
  ASSERT_TRUE(fitted.font);
  EXPECT_EQ(fitted.font->IsAvailable(), expected > 0);
  RectF box(0, 0, 0, 0);
  g.MeasureString(c.text.data(), INT(c.text.size()), fitted.font.get(), PointF(0, 0), &box);
  EXPECT_EQ(fitted.size.Width, box.Width);
  EXPECT_EQ(fitted.size.Height, box.Height);
}

INSTANTIATE_TEST_SUITE_P(
    Walks, FontFitting,
    ::testing::Values(FitCase{u"ABCDE", 50 / 1.3f + 1.0f, 250},     // fits at the first size
                      FitCase{u"ABCDEFGHIJKL", 41.666668f, 250},    // a few points down
                      FitCase{std::u16string(64, u'M'), 200, 173},  // many points down
                      FitCase{std::u16string(300, u'8'), 3414, 1},  // nothing fits
                      FitCase{u"AB", 2.5f, -10},                    // no width at all
                      FitCase{u"", 30.0f, 20},                      // padding only
                      FitCase{u"AB", 0.4f, 100},                    // starts below one point
                      FitCase{u"AB", -3.0f, 100}));

TEST(FontFittingLimits, StartSizesWithoutAStepEndAtOnceOrStayBounded) {
  Bitmap bitmap(1, 1);
  Graphics g(&bitmap);
  const auto fromNaN = FitFontToWidth(g, u"AB", u"Arial", FontStyleRegular,
                                      std::numeric_limits<REAL>::quiet_NaN(), 10);
  EXPECT_TRUE(std::isnan(fromNaN.emSize));
  EXPECT_FALSE(fromNaN.font->IsAvailable());
  const auto fromInfinity = FitFontToWidth(g, u"AB", u"Arial", FontStyleRegular,
                                           std::numeric_limits<REAL>::infinity(), 10);
  EXPECT_GT(fromInfinity.emSize, 0.0f);
  EXPECT_LE(fromInfinity.size.Width, 10.0f);
}

}  // namespace
