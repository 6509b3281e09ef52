#include <gtest/gtest.h>

#include "StringFormat.h"

using namespace Gdiplus;

TEST(StringFormatTest, GenericTypographic) {
  const StringFormat* format = StringFormat::GenericTypographic();
  EXPECT_EQ(format->GetFormatFlags(), 0x6004);
  EXPECT_EQ(format->GetTrimming(), StringTrimmingNone);
  EXPECT_FALSE(format->HasPadding());
  EXPECT_EQ(format, StringFormat::GenericTypographic());
}

TEST(StringFormatTest, UnknownAlignmentIsRefused) {
  StringFormat format;
  ASSERT_EQ(format.SetAlignment(StringAlignmentCenter), Ok);
  EXPECT_EQ(format.SetAlignment(StringAlignment(3)), InvalidParameter);
  EXPECT_EQ(format.GetAlignment(), StringAlignmentCenter);
  EXPECT_EQ(format.GetLastStatus(), InvalidParameter);
}
