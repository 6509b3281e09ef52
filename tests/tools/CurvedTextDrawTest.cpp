#include <gtest/gtest.h>

#include "Bitmap.h"
#include "CurvedText.h"
#include "Graphics.h"
#include "SolidBrush.h"

using namespace Gdiplus;
using MirelGlyphward::CurvedText;

namespace {

CurvedText BuiltIn() {
  std::vector<PointF> top, bottom;
  CurvedText::LoadCurves(1, top, bottom);
  return CurvedText(top, bottom);
}

struct Census {
  int painted = 0;  // alpha above zero
  int outside = 0;  // painted beyond the target and the pen's reach
  int green = 0;    // opaque fill colour
};

Census Count(Bitmap& bitmap, const RectF& target, float reach) {
  Census census;
  for (INT y = 0; y < INT(bitmap.GetHeight()); ++y) {
    for (INT x = 0; x < INT(bitmap.GetWidth()); ++x) {
      Color c;
      bitmap.GetPixel(x, y, &c);
      if (c.GetA() == 0) continue;
      ++census.painted;
      if (c.GetValue() == 0xFF008000) ++census.green;
      if (x < target.X - reach || x > target.GetRight() + reach || y < target.Y - reach ||
          y > target.GetBottom() + reach) {
        ++census.outside;
      }
    }
  }
  return census;
}

}  // namespace

TEST(CurvedTextDrawTest, OutlineStaysInTheTargetAndLeavesAntiAliasingOn) {
  Bitmap bitmap(250, 50);
  Graphics g(&bitmap);
  g.SetSmoothingMode(SmoothingModeNone);
  CurvedText text = BuiltIn();
  const Font font(u"Arial", 200, FontStyleRegular, UnitPoint);
  const Pen pen(Color(0xFFFFFFFF), 2);
  const RectF target(25, 0, 212.5f, 40);
  text.DrawOutline(g, target, u"AB12", font, pen);
  EXPECT_EQ(g.GetSmoothingMode(), SmoothingModeAntiAlias);
  const Census census = Count(bitmap, target, 2);
  EXPECT_GT(census.painted, 300);
  EXPECT_EQ(census.outside, 0);
}

TEST(CurvedTextDrawTest, FillAddsTheLetterBodies) {
  const RectF target(5, 2, 240, 45);
  const Font font(u"Verdana", 200, FontStyleBold, UnitPoint);
  const Pen pen(Color(0xFFFF0000), 2);
  const SolidBrush brush(Color(0xFF008000));
  Bitmap outlined(250, 50), filled(250, 50);
  {
    Graphics g(&outlined);
    CurvedText text = BuiltIn();
    text.DrawOutline(g, target, u"HIT", font, pen);
  }
  {
    Graphics g(&filled);
    CurvedText text = BuiltIn();
    text.DrawOutlineAndFill(g, target, u"HIT", font, pen, brush);
  }
  const Census line = Count(outlined, target, 2);
  const Census body = Count(filled, target, 2);
  EXPECT_EQ(line.green, 0);
  EXPECT_GT(body.green, 100);
  EXPECT_GT(body.painted, line.painted);
  EXPECT_EQ(body.outside, 0);
}
