#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "FontFace.h"
#include "FontFamily.h"
#include "GraphicsPath.h"
#include "StringFormat.h"

using namespace Gdiplus;

namespace {

const FontFamily& Arial() {
  static const FontFamily family(u"Arial");
  return family;
}

GraphicsPath Text(const char16_t* text, REAL emSize, PointF origin = PointF(0, 0),
                  const FontFamily& family = Arial(), INT style = FontStyleRegular) {
  GraphicsPath path;
  const StringFormat format;
  EXPECT_EQ(path.AddString(text, -1, &family, style, emSize, origin, &format), Ok);
  return path;
}

RectF BoundsOf(const GraphicsPath& path) {
  RectF bounds;
  path.GetBounds(&bounds);
  return bounds;
}

}  // namespace

TEST(PathStringTest, EveryContourOfALetterIsClosed) {
  const GraphicsPath path = Text(u"B", 100);
  const auto& types = path.Types();
  ASSERT_GT(types.size(), 10u);
  int figures = 0;
  for (std::size_t i = 0; i < types.size(); ++i) {
    if ((types[i] & PathPointTypePathTypeMask) == PathPointTypeStart) {
      ++figures;
      if (i > 0) {
        EXPECT_TRUE(types[i - 1] & PathPointTypeCloseSubpath) << i;
      }
    }
  }
  EXPECT_EQ(figures, 3);  // B: outline and two counters
  EXPECT_TRUE(types.back() & PathPointTypeCloseSubpath);
  EXPECT_TRUE(types.back() & PathPointTypePathMarker);
  EXPECT_EQ(types.front(), PathPointTypeStart);
  // Curves are cubic Beziers; a round letter ends with one, closed and marked.
  const GraphicsPath o = Text(u"O", 100);
  const auto beziers = std::count_if(o.Types().begin(), o.Types().end(), [](BYTE type) {
    return (type & PathPointTypePathTypeMask) == 3;
  });
  EXPECT_GT(beziers, 0);
  EXPECT_EQ(beziers % 3, 0);
  EXPECT_EQ(o.Types().back(), 0xA3);
}

TEST(PathStringTest, EmptyStringAddsNothing) {
  const GraphicsPath path = Text(u"", 100);
  EXPECT_EQ(path.GetPointCount(), 0);
  const GraphicsPath blanks = Text(u"   ", 100);
  EXPECT_EQ(blanks.GetPointCount(), 0);
}

TEST(PathStringTest, BoundsScaleWithEmSizeAndMoveWithTheOrigin) {
  const RectF small = BoundsOf(Text(u"Ag", 100));
  const RectF large = BoundsOf(Text(u"Ag", 250));
  EXPECT_NEAR(large.X, small.X * 2.5, 1e-3);
  EXPECT_NEAR(large.Y, small.Y * 2.5, 1e-3);
  EXPECT_NEAR(large.Width, small.Width * 2.5, 1e-3);
  EXPECT_NEAR(large.Height, small.Height * 2.5, 1e-3);
  const RectF moved = BoundsOf(Text(u"Ag", 100, PointF(12.5f, -7)));
  EXPECT_NEAR(moved.X, small.X + 12.5f, 1e-4);
  EXPECT_NEAR(moved.Y, small.Y - 7, 1e-4);
  EXPECT_NEAR(moved.Width, small.Width, 1e-4);
}

TEST(PathStringTest, BaselineSitsOneAscentBelowTheOrigin) {
  // H stands on the baseline; Arial's ascent is 1854 of 2048 units.
  const RectF h = BoundsOf(Text(u"H", 2048, PointF(0, 10)));
  EXPECT_NEAR(h.Y + h.Height, 10 + 1854, 1e-2);
  EXPECT_GT(h.X, 0);  // a left side bearing, no padding before it
  EXPECT_LT(h.X, 2048 / 6.0);
}

TEST(PathStringTest, AdvancesWithoutKerning) {
  // At an em of 2048 world units design units come through unscaled; Arial's
  // A advances 1366 units, and "AV" would be kerned closer by a font that kerns.
  const GraphicsPath a = Text(u"A", 2048);
  const GraphicsPath v = Text(u"V", 2048, PointF(1366, 0));
  const GraphicsPath av = Text(u"AV", 2048);
  ASSERT_EQ(av.GetPointCount(), a.GetPointCount() + v.GetPointCount());
  for (int i = 0; i < v.GetPointCount(); ++i) {
    EXPECT_TRUE(av.Points()[std::size_t(a.GetPointCount() + i)].Equals(v.Points()[std::size_t(i)]));
  }
}

TEST(PathStringTest, NegativeEmSizeIsAccepted) {
  const RectF upright = BoundsOf(Text(u"L", 50));
  const RectF flipped = BoundsOf(Text(u"L", -50));
  EXPECT_NEAR(flipped.Width, upright.Width, 1e-3);
  EXPECT_NEAR(flipped.Height, upright.Height, 1e-3);
}

TEST(PathStringTest, BoldIsADifferentOutline) {
  const RectF regular = BoundsOf(Text(u"l", 100, PointF(0, 0), Arial(), FontStyleRegular));
  const RectF bold = BoundsOf(Text(u"l", 100, PointF(0, 0), Arial(), FontStyleBold));
  EXPECT_GT(bold.Width, regular.Width);
}

TEST(PathStringTest, LayoutRectangleAlignments) {
  const FontFace* face = Arial().GetFace(FontStyleRegular);
  const REAL em = 100;
  const REAL advance = face->Glyph(U'H').advance * em / 2048;
  const REAL lineHeight = 2355 * em / 2048.0f;
  StringFormat centred;
  centred.SetAlignment(StringAlignmentCenter);
  centred.SetLineAlignment(StringAlignmentCenter);
  GraphicsPath inRect;
  ASSERT_EQ(inRect.AddString(u"H", 1, &Arial(), 0, em, RectF(0, 0, 300, 200), &centred), Ok);
  const RectF plain = BoundsOf(Text(u"H", em));
  const RectF placed = BoundsOf(inRect);
  EXPECT_NEAR(placed.X, plain.X + 150 - advance / 2, 1e-3);
  EXPECT_NEAR(placed.Y, plain.Y + 100 - lineHeight / 2, 1e-3);

  StringFormat far;
  far.SetAlignment(StringAlignmentFar);
  far.SetLineAlignment(StringAlignmentFar);
  GraphicsPath atFar;
  ASSERT_EQ(atFar.AddString(u"H", 1, &Arial(), 0, em, RectF(0, 0, 300, 200), &far), Ok);
  EXPECT_NEAR(BoundsOf(atFar).X, plain.X + 300 - advance, 1e-3);
  EXPECT_NEAR(BoundsOf(atFar).Y, plain.Y + 200 - lineHeight, 1e-3);
}

TEST(PathStringTest, LineFeedsStartNewLines) {
  const RectF one = BoundsOf(Text(u"H", 100));
  const RectF two = BoundsOf(Text(u"H\nH", 100));
  EXPECT_NEAR(two.Height, one.Height + 2355 * 100 / 2048.0, 1e-3);
  EXPECT_NEAR(two.Width, one.Width, 1e-3);
}

TEST(PathStringTest, BadArgumentsAreRefused) {
  GraphicsPath path;
  const StringFormat format;
  EXPECT_EQ(path.AddString(nullptr, 1, &Arial(), 0, 10, PointF(), &format), InvalidParameter);
  EXPECT_EQ(path.AddString(u"A", 1, nullptr, 0, 10, PointF(), &format), InvalidParameter);
  EXPECT_EQ(path.AddString(u"A", 1, &Arial(), 0, std::nanf(""), PointF(), &format),
            InvalidParameter);
  const FontFamily missing(u"No Such Family 12345");
  EXPECT_EQ(path.AddString(u"A", 1, &missing, 0, 10, PointF(), &format), FontFamilyNotFound);
  EXPECT_EQ(path.GetPointCount(), 0);
  // Overflowing em sizes leave the path as it was.
  EXPECT_EQ(path.AddString(u"W", 1, &Arial(), 0, 3e38f, PointF(3e38f, 0), &format), ValueOverflow);
  EXPECT_EQ(path.GetPointCount(), 0);
}

TEST(PathStringTest, UnpairedSurrogatesAndMissingGlyphsDoNotFail) {
  const char16_t text[] = {0xD800, u'A', 0xDC00, 0};
  GraphicsPath path;
  const StringFormat format;
  EXPECT_EQ(path.AddString(text, -1, &Arial(), 0, 40, PointF(), &format), Ok);
  for (const PointF& p : path.Points()) EXPECT_TRUE(std::isfinite(p.X) && std::isfinite(p.Y));
}

TEST(PathStringTest, NullFormatActsAsDefault) {
  GraphicsPath path;
  ASSERT_EQ(path.AddString(u"x", 1, &Arial(), 0, 40, PointF(3, 4), nullptr), Ok);
  const RectF withFormat = BoundsOf(Text(u"x", 40, PointF(3, 4)));
  EXPECT_TRUE(BoundsOf(path).Equals(withFormat));
}
