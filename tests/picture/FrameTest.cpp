#include <gtest/gtest.h>

#include "PictureTestSupport.h"
#include "RandomSource.h"
#include "TextFrame.h"

using namespace MirelGlyphward;
using Gdiplus::RectF;

namespace {

double Unit(std::uint64_t& x) {
  x = (48271 * x) % 2147483647;
  return double(std::int64_t(x) - 1) / 2147483646.0;
}

float Between(std::uint64_t& x, float min, float max) {
  const int k = int(Unit(x) * 10000);
  return (max - min) * (float(k) / 10000.0f) + min;
}

TEST(Frame, BordersFromTheFirstFourDrawsFontFromTheFifth) {
  const char16_t* names[] = {u"Arial", u"Verdana", u"Times New Roman", u"Tahoma", u"Courier New"};
  for (std::int32_t seed : {1, 777, 123456789}) {
    picture_tests::Seed(seed);
    Gdiplus::Bitmap bitmap(250, 50);
    TextFrame frame("AB2CD", &bitmap);
    frame.SetInner(0.1f, 0.0f, 0.85f, 0.8f);
    frame.DrawBorders();
    frame.ChooseFont(31, Gdiplus::FontStyleRegular);
    EXPECT_EQ(picture_tests::Steps(), 5u);

    std::uint64_t x = std::uint64_t(seed);
    const RectF inner(25, 0, 212.5f, 40);
    const float top = Between(x, 0, inner.Y);
    const float left = Between(x, 0, inner.X);
    const float right = Between(x, inner.GetRight(), 250);
    const float bottom = Between(x, inner.GetBottom(), 50);
    EXPECT_FLOAT_EQ(frame.rectFBorders.X, left);
    EXPECT_FLOAT_EQ(frame.rectFBorders.Y, top);
    EXPECT_FLOAT_EQ(frame.rectFBorders.GetRight(), right);
    EXPECT_FLOAT_EQ(frame.rectFBorders.GetBottom(), bottom);
    EXPECT_EQ(frame.fontName, names[int(Unit(x) * 5)]);
    ASSERT_NE(frame.font, nullptr);
    EXPECT_EQ(frame.font->GetSize(), 200.0f);
    EXPECT_EQ(frame.font->GetUnit(), Gdiplus::UnitPoint);
  }
}

TEST(Frame, BordersContainTheInnerRectangleInsideTheImage) {
  picture_tests::Seed(99);
  Gdiplus::Bitmap bitmap(300, 80);
  for (int i = 0; i < 200; ++i) {
    TextFrame frame("X", &bitmap);
    frame.SetInner(0.2f, 0.2f, 0.6f, 0.6f);
    frame.DrawBorders();
    const RectF& r = frame.rectFBorders;
    ASSERT_LE(r.X, frame.rectInner.X);
    ASSERT_LE(r.Y, frame.rectInner.Y);
    ASSERT_GE(r.GetRight(), frame.rectInner.GetRight());
    ASSERT_GE(r.GetBottom(), frame.rectInner.GetBottom());
    ASSERT_GE(r.X, 0);
    ASSERT_GE(r.Y, 0);
    ASSERT_LE(r.GetRight(), 300);
    ASSERT_LE(r.GetBottom(), 80);
  }
}

TEST(Frame, FittedOutlineHasTheFramesBounds) {
  picture_tests::Seed(4);
  Gdiplus::Bitmap bitmap(250, 50);
  TextFrame frame("W7KQ", &bitmap);
  frame.SetInner(0.2f, 0.2f, 0.6f, 0.6f);
  frame.DrawBorders();
  frame.ChooseFont(15, Gdiplus::FontStyleBold);
  auto path = frame.FittedPath();
  RectF bounds;
  ASSERT_EQ(path->GetBounds(&bounds), Gdiplus::Ok);
  EXPECT_NEAR(bounds.X, frame.rectFBorders.X, 1e-3);
  EXPECT_NEAR(bounds.Y, frame.rectFBorders.Y, 1e-3);
  EXPECT_NEAR(bounds.Width, frame.rectFBorders.Width, 1e-3);
  EXPECT_NEAR(bounds.Height, frame.rectFBorders.Height, 1e-3);
  EXPECT_EQ(path->GetFillMode(), Gdiplus::FillModeWinding);
}

TEST(Frame, TextIsTheCodeUpToItsFirstZeroByte) {
  Gdiplus::Bitmap bitmap(20, 20);
  TextFrame frame(std::string("AB\0CD", 5), &bitmap);
  EXPECT_EQ(frame.wText, u"AB");
  TextFrame accented("\xE9\x80", &bitmap);
  EXPECT_EQ(accented.wText, u"\u00E9\u20AC");
}

}  // namespace
