#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "GraphicsPath.h"
#include "Region.h"
#include "StringFormat.h"
#include "Tools.h"

using namespace Gdiplus;
using MirelGlyphward::Tools;

namespace {

RectF BoundsOf(const GraphicsPath& path) {
  RectF bounds;
  path.GetBounds(&bounds);
  return bounds;
}

void ExpectRect(const RectF& r, const RectF& expected, float tolerance) {
  EXPECT_NEAR(r.X, expected.X, tolerance);
  EXPECT_NEAR(r.Y, expected.Y, tolerance);
  EXPECT_NEAR(r.Width, expected.Width, tolerance);
  EXPECT_NEAR(r.Height, expected.Height, tolerance);
}

}  // namespace

TEST(ToolsTest, FittedStringFillsTheTargetForEachFontAndStyle) {
  for (const char16_t* name : {u"Arial", u"Verdana", u"Times New Roman", u"Tahoma", u"Courier New"})
    for (INT style : {FontStyleRegular, FontStyleBold}) {
      const Font font(name, 200, style, UnitPoint);
      GraphicsPath path(FillModeAlternate);
      Tools::AddFittedString(u"Q7xW", font, RectF(25.5f, 3.25f, 200, 40), &path);
      EXPECT_EQ(path.GetFillMode(), FillModeWinding);
      ExpectRect(BoundsOf(path), RectF(25.5f, 3.25f, 200, 40), 2e-3f);
    }
}

TEST(ToolsTest, FittedStringUsesTheFontSizeAsEmSize) {
  // Before stretching the outline is laid out at em 200 world units; stretching
  // to the same size must then be the identity on its points.
  const Font font(u"Arial", 200, FontStyleRegular, UnitPoint);
  FontFamily family;
  font.GetFamily(&family);
  GraphicsPath plain;
  const StringFormat format;
  plain.AddString(u"H", 1, &family, 0, 200, PointF(0, 0), &format);
  const RectF natural = BoundsOf(plain);
  GraphicsPath fitted;
  Tools::AddFittedString(u"H", font, natural, &fitted);
  ASSERT_EQ(fitted.GetPointCount(), plain.GetPointCount());
  for (int i = 0; i < plain.GetPointCount(); ++i) {
    EXPECT_NEAR(fitted.Points()[i].X, plain.Points()[i].X, 1e-3);
    EXPECT_NEAR(fitted.Points()[i].Y, plain.Points()[i].Y, 1e-3);
  }
}

// Blank text, an unusable font or a target without finite size make no outline.
TEST(ToolsTest, NothingToOutlineLeavesThePathEmpty) {
  const Font font(u"Arial", 200, FontStyleBold, UnitPoint);
  const Font broken(u"Arial", -5, FontStyleRegular, UnitPoint);
  const RectF target(0, 0, 100, 50), infinite(0, 0, std::numeric_limits<float>::infinity(), 50);
  const struct {
    const char16_t* text;
    const Font* font;
    RectF target;
  } cases[] = {{u"", &font, target},
               {u"   ", &font, target},
               {u"AB", &broken, target},
               {u"AB", &font, infinite}};
  for (const auto& c : cases) {
    GraphicsPath path;
    Tools::AddFittedString(c.text, *c.font, c.target, &path);
    EXPECT_EQ(path.GetPointCount(), 0);
    EXPECT_EQ(path.GetFillMode(), FillModeWinding);
  }
  Tools::AddFittedString(u"AB", font, target, nullptr);  // no path, no effect
}

TEST(ToolsTest, RegionRectsComeTopToBottom) {
  Region region(RectF(0, 10, 5, 5));
  region.Union(RectF(20, 0, 5, 5));
  region.Union(RectF(0, 0, 5, 5));
  std::vector<RectF> rects = {RectF(9, 9, 9, 9)};  // replaced, not added to
  Tools::GetRegionRects(region, rects);
  ASSERT_EQ(rects.size(), 3u);
  EXPECT_TRUE(rects[0].Equals(RectF(0, 0, 5, 5)));
  EXPECT_TRUE(rects[1].Equals(RectF(20, 0, 5, 5)));
  EXPECT_TRUE(rects[2].Equals(RectF(0, 10, 5, 5)));
  Region empty;
  empty.MakeEmpty();
  Tools::GetRegionRects(empty, rects);
  EXPECT_TRUE(rects.empty());
}

TEST(ToolsTest, ToRectTruncatesTowardZero) {
  EXPECT_TRUE(Tools::ToRect(RectF(1.9f, -1.9f, 10.5f, 0.99f)).Equals(Rect(1, -1, 10, 0)));
  EXPECT_TRUE(Tools::ToRect(RectF(-0.5f, 2.0f, -3.7f, 7.0f)).Equals(Rect(0, 2, -3, 7)));
  // Out of range values saturate instead of overflowing.
  const Rect huge = Tools::ToRect(RectF(1e20f, -1e20f, std::nanf(""), 0));
  EXPECT_EQ(huge.X, 2147483647);
  EXPECT_EQ(huge.Y, -2147483647 - 1);
  EXPECT_EQ(huge.Width, 0);
}
