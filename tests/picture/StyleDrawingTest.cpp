#include <gtest/gtest.h>

#include "PictureTestSupport.h"

using namespace picture_tests;
using Gdiplus::Color;

namespace {

bool IsTransparent(const Color& c) {
  return c.GetA() == 0;
}
bool IsOpaqueWhite(const Color& c) {
  return c.GetValue() == 0xFFFFFFFF;
}
bool IsStrongRed(const Color& c) {
  return c.GetA() == 255 && c.GetR() > 200 && c.GetG() < 80 && c.GetB() < 80;
}
// Painted at any coverage in something other than white.
bool IsNotChalk(const Color& c) {
  return c.GetA() != 0 && (c.GetR() != 255 || c.GetG() != 255 || c.GetB() != 255);
}
bool IsGreenish(const Color& c) {
  return c.GetA() == 255 && c.GetG() > c.GetR() + 40 && c.GetG() > c.GetB() + 40;
}

TEST(Chalkboard, WhiteOutlinesOnAnUntouchedGround) {
  Seed(31);
  auto bitmap = Draw(31, "AB2CD");
  const int total = 250 * 50;
  const int transparent = CountPixels(*bitmap, IsTransparent);
  const int white = CountPixels(*bitmap, IsOpaqueWhite);
  EXPECT_EQ(CountPixels(*bitmap, IsNotChalk), 0);
  EXPECT_GT(white, 150);
  EXPECT_GT(transparent, total / 2);
  Color corner;
  bitmap->GetPixel(0, 49, &corner);
  EXPECT_EQ(corner.GetValue(), 0u);
}

TEST(Graffiti, WhiteWallGreenSpecksRedOutlines) {
  for (int style : {38, 39}) {
    Seed(38);
    auto bitmap = Draw(style, "AB2CD");
    EXPECT_EQ(CountPixels(*bitmap, IsTransparent), 0) << style;
    EXPECT_GT(CountPixels(*bitmap, IsOpaqueWhite), 250 * 50 / 10) << style;
    EXPECT_GT(CountPixels(*bitmap, IsGreenish), 250 * 50 / 20) << style;
    EXPECT_GT(CountPixels(*bitmap, IsStrongRed), 150) << style;
  }
}

TEST(Graffiti, FilledLettersCarryMoreGreenThanOutlinedOnes) {
  Seed(5);
  auto outlined = Draw(38, "MWMW");
  Seed(5);
  auto filled = Draw(39, "MWMW");
  auto solidGreen = [](const Color& c) { return c.GetValue() == 0xFF008000; };
  EXPECT_GT(CountPixels(*filled, solidGreen), CountPixels(*outlined, solidGreen) + 500);
}

TEST(Styles, TextTheFontsCannotDrawLeavesNothingBroken) {
  const std::string texts[] = {"", "     ", std::string(3, '\0'), "\xA0\xA0"};
  for (int style : {31, 38, 39}) {
    for (const std::string& text : texts) {
      Seed(3);
      auto bitmap = Draw(style, text);
      // The ground is drawn and no outline appears.
      if (style == 31)
        EXPECT_EQ(CountPixels(*bitmap, [](const Color& c) { return c.GetA() != 0; }), 0);
      else
        EXPECT_EQ(CountPixels(*bitmap, IsStrongRed), 0);
    }
  }
}

TEST(Styles, CharactersOutsideTheFontsStayInsideThePicture) {
  // Controls have no glyphs; whatever stands in for them is still white
  // chalk drawn from finite coordinates.
  Seed(8);
  auto bitmap = Draw(31, "\x81\x8D\x8F\x90");
  EXPECT_EQ(CountPixels(*bitmap, IsNotChalk), 0);
}

}  // namespace
