#include <gtest/gtest.h>

#include <set>

#include "StyleLookup.h"
#include "Styles.h"

using namespace MirelGlyphward;

namespace {

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
  // Every lookup makes a new object.
  EXPECT_NE(CreateTextGenerator(31).get(), CreateTextGenerator(31).get());
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
