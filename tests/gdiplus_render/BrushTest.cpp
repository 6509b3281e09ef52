#include <gtest/gtest.h>

#include <memory>

#include "SolidBrush.h"

using namespace Gdiplus;

namespace {

TEST(SolidBrush, KeepsAndClonesItsColour) {
  SolidBrush brush(Color(0x7F123456));
  EXPECT_EQ(brush.GetType(), BrushTypeSolidColor);
  std::unique_ptr<Brush> copy(brush.Clone());
  ASSERT_NE(copy, nullptr);
  brush.SetColor(Color(0xFF000000));
  Color color;
  ASSERT_EQ(static_cast<SolidBrush&>(*copy).GetColor(&color), Ok);
  EXPECT_EQ(color.GetValue(), 0x7F123456u);
  ASSERT_EQ(brush.GetColor(&color), Ok);
  EXPECT_EQ(color.GetValue(), 0xFF000000u);
}

TEST(SolidBrush, NullOutputIsRefused) {
  SolidBrush brush(Color(0xFF000000));
  EXPECT_EQ(brush.GetColor(nullptr), InvalidParameter);
  EXPECT_EQ(brush.GetLastStatus(), InvalidParameter);
  EXPECT_EQ(brush.GetLastStatus(), Ok);
}

}  // namespace
