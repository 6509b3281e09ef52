#include <gtest/gtest.h>

#include <set>

#include "StyleLookup.h"
#include "Styles.h"

using namespace MirelGlyphward;

namespace {

TEST(StyleTable, NumbersNameTheirClasses) {
  EXPECT_EQ(FindStyle(0)->className, "ChessTextGenerator");
  EXPECT_EQ(FindStyle(31)->className, "ChalkboardTextGenerator");
  EXPECT_EQ(FindStyle(38)->className, "Graffiti2TextGenerator");
  EXPECT_EQ(FindStyle(39)->className, "GraffitiTextGenerator");
  EXPECT_EQ(FindStyle(49)->className, "Bullets2TextGenerator");
}

TEST(StyleTable, OutsideTheTableThereIsNothing) {
  for (int style : {50, -1, 1000, INT32_MIN}) {
    EXPECT_EQ(FindStyle(style), nullptr) << style;
    EXPECT_EQ(CreateTextGenerator(style), nullptr) << style;
  }
}

TEST(StyleTable, StylesMakeTheirOwnClass) {
  EXPECT_NE(dynamic_cast<ChessTextGenerator*>(CreateTextGenerator(0).get()), nullptr);
  EXPECT_NE(dynamic_cast<ChalkboardTextGenerator*>(CreateTextGenerator(31).get()), nullptr);
  EXPECT_NE(dynamic_cast<Bullets2TextGenerator*>(CreateTextGenerator(49).get()), nullptr);
}

TEST(StyleTable, EveryLookupMakesANewObject) {
  auto first = CreateTextGenerator(31);
  auto second = CreateTextGenerator(31);
  ASSERT_NE(first, nullptr);
  EXPECT_NE(first.get(), second.get());
}

TEST(StyleTable, ClassNamesAreUniqueAndFollowTheNamingRule) {
  std::set<std::string_view> names;
  for (int style = 0; style < kStyleCount; ++style) {
    const StyleEntry* entry = FindStyle(style);
    ASSERT_NE(entry, nullptr);
    EXPECT_TRUE(entry->className.ends_with("TextGenerator")) << entry->className;
    names.insert(entry->className);
  }
  EXPECT_EQ(names.size(), std::size_t(kStyleCount));
}

}  // namespace
