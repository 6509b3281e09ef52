#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "Font.h"
#include "Graphics.h"
#include "RenderTestSupport.h"
#include "SolidBrush.h"
#include "StringFormat.h"

using namespace Gdiplus;

namespace {

const WCHAR kFamily[] = u"Arial";

class Text : public testing::Test {
 protected:
  void SetUp() override {
    font_ = std::make_unique<Font>(kFamily, 30.0f, FontStyleBold, UnitPixel);
    if (!font_->IsAvailable()) GTEST_SKIP() << "no scalable font installed";
  }
  std::unique_ptr<Font> font_;
};

TEST_F(Text, MeasureAddsAPadOfOneSixthEmPerSide) {
  Bitmap bitmap(10, 10);
  Graphics g(&bitmap);
  RectF ab, a, b;
  ASSERT_EQ(g.MeasureString(u"AB", 2, font_.get(), PointF(0, 0), &ab), Ok);
  ASSERT_EQ(g.MeasureString(u"A", 1, font_.get(), PointF(0, 0), &a), Ok);
  ASSERT_EQ(g.MeasureString(u"B", 1, font_.get(), PointF(0, 0), &b), Ok);
  // Each measurement carries the two pads once: 2 * 30 / 6 = 10.
  EXPECT_NEAR(a.Width + b.Width - ab.Width, 10.0f, 0.01f);
  EXPECT_GT(ab.Height, 30.0f);
  RectF typographic;
  ASSERT_EQ(g.MeasureString(u"AB", 2, font_.get(), PointF(0, 0), StringFormat::GenericTypographic(),
                            &typographic),
            Ok);
  EXPECT_NEAR(ab.Width - typographic.Width, 10.0f, 0.01f);
}

TEST_F(Text, UnavailableFontLeavesTheBoxAlone) {
  Bitmap bitmap(10, 10);
  Graphics g(&bitmap);
  Font bad(kFamily, -2.0f, FontStyleBold, UnitPoint);
  RectF box(0, 0, 0, 0);
  EXPECT_NE(g.MeasureString(u"AB", 2, &bad, PointF(0, 0), &box), Ok);
  EXPECT_EQ(box.Width, 0.0f);
}

TEST_F(Text, CentredTextSitsInTheMiddleOfTheLayoutBox) {
  Bitmap bitmap(200, 60);
  Graphics g(&bitmap);
  StringFormat format;
  format.SetAlignment(StringAlignmentCenter);
  format.SetLineAlignment(StringAlignmentCenter);
  SolidBrush brush(Color(0xFF000000));
  ASSERT_EQ(g.DrawString(u"HH", 2, font_.get(), RectF(0, 0, 200, 60), &format, &brush), Ok);
  const Rect ink = RenderTest::PaintedBounds(bitmap);
  ASSERT_GT(ink.Width, 10);
  // H is symmetric: the ink's middle is the box's middle.
  EXPECT_NEAR(ink.X + ink.Width / 2.0, 100.0, 2.0);
  EXPECT_GT(ink.Y, 5);
  EXPECT_LT(ink.GetBottom(), 55);
}

TEST_F(Text, TextIsCutAtTheLayoutRectangle) {
  Bitmap bitmap(200, 60);
  Graphics g(&bitmap);
  SolidBrush brush(Color(0xFF000000));
  Font big(kFamily, 50.0f, FontStyleRegular, UnitPixel);
  ASSERT_EQ(g.DrawString(u"WWWW", 4, &big, RectF(10, 10, 40, 20), nullptr, &brush), Ok);
  const Rect ink = RenderTest::PaintedBounds(bitmap);
  EXPECT_GE(ink.X, 10);
  EXPECT_GE(ink.Y, 10);
  EXPECT_LE(ink.GetRight(), 50);
  EXPECT_LE(ink.GetBottom(), 30);
  EXPECT_GT(RenderTest::CountPainted(bitmap), 0);
}

TEST_F(Text, DrawStringWithHatchBrushPaintsOnlyItsColours) {
  Bitmap bitmap(120, 50);
  Graphics g(&bitmap);
  SolidBrush brush(Color(0xFFFFFFFF));
  ASSERT_EQ(g.DrawString(u"Ag", 2, font_.get(), PointF(0, 0), &brush), Ok);
  EXPECT_GT(RenderTest::CountPainted(bitmap), 50);
  EXPECT_EQ(
      RenderTest::CountPixels(bitmap, [](ARGB v) { return v != 0 && (v & 0xFFFFFF) != 0xFFFFFF; }),
      0);
}

TEST_F(Text, BadArgumentsAreRefused) {
  Bitmap bitmap(10, 10);
  Graphics g(&bitmap);
  SolidBrush brush(Color(0xFF000000));
  RectF box;
  EXPECT_EQ(g.MeasureString(u"A", 1, nullptr, PointF(0, 0), &box), InvalidParameter);
  EXPECT_EQ(g.MeasureString(nullptr, 3, font_.get(), PointF(0, 0), &box), InvalidParameter);
  EXPECT_EQ(g.MeasureString(u"A", 1, font_.get(), PointF(0, 0), nullptr), InvalidParameter);
  EXPECT_EQ(g.DrawString(u"A", 1, font_.get(), PointF(0, 0), nullptr), InvalidParameter);
  EXPECT_EQ(g.DrawString(u"A", -7, font_.get(), PointF(0, 0), &brush), InvalidParameter);
  EXPECT_EQ(g.DrawString(u"A", 1, font_.get(), PointF(std::nanf(""), 0), &brush), InvalidParameter);
  EXPECT_EQ(RenderTest::CountPainted(bitmap), 0);
}

}  // namespace
