#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "oleauto.h"

namespace {

std::u16string ToWide(UINT codePage, const std::string& narrow) {
  const int n = MultiByteToWideChar(codePage, 0, narrow.data(), int(narrow.size()), nullptr, 0);
  std::u16string wide(std::size_t(n), u'\0');
  EXPECT_EQ(MultiByteToWideChar(codePage, 0, narrow.data(), int(narrow.size()), wide.data(), n), n);
  return wide;
}

std::string ToNarrow(UINT codePage, const std::u16string& wide, BOOL* usedDefault = nullptr) {
  const int n =
      WideCharToMultiByte(codePage, 0, wide.data(), int(wide.size()), nullptr, 0, nullptr, nullptr);
  std::string narrow(std::size_t(n), '\0');
  EXPECT_EQ(WideCharToMultiByte(codePage, 0, wide.data(), int(wide.size()), narrow.data(), n,
                                nullptr, usedDefault),
            n);
  return narrow;
}

struct Pair {
  const char* narrow;
  std::u16string wide;
};

// The narrow side in hex: the samples are mostly bytes above 0x7F.
void PrintTo(const Pair& p, std::ostream* out) {
  for (const char* c = p.narrow; *c; ++c)
    *out << std::hex << int(static_cast<unsigned char>(*c)) << ' ';
}

class Windows1252 : public ::testing::TestWithParam<Pair> {};

TEST_P(Windows1252, BothDirections) {
  for (UINT cp : {UINT(CP_ACP), UINT(CP_THREAD_ACP), 1252u}) {
    EXPECT_EQ(ToWide(cp, GetParam().narrow), GetParam().wide);
    EXPECT_EQ(ToNarrow(cp, GetParam().wide), GetParam().narrow);
  }
}

INSTANTIATE_TEST_SUITE_P(Samples, Windows1252,
                         ::testing::Values(Pair{"AB2CD", u"AB2CD"},
                                           Pair{"\xE9t\xE9", u"\u00E9t\u00E9"},
                                           Pair{"\x80", u"\u20AC"}, Pair{"\x9F", u"\u0178"},
                                           Pair{"\x8A\x9A", u"\u0160\u0161"},
                                           Pair{"\xFF", u"\u00FF"}, Pair{"\x81", u"\u0081"}));

TEST(CodePage, UnrepresentableBecomesQuestionMark) {
  BOOL usedDefault = FALSE;
  EXPECT_EQ(ToNarrow(CP_ACP, u"a\u4E2Db", &usedDefault), "a?b");
  EXPECT_TRUE(usedDefault);
  // A surrogate pair is one character and gets one default character.
  EXPECT_EQ(ToNarrow(CP_ACP, u"x\U0001F600y"), "x?y");
}

TEST(CodePage, TerminatedInputCountsTheTerminatorAndStopsAtIt) {
  const char text[] = "ab\0cd";
  EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0), 3);
  char16_t wide[8] = {};
  EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, text, -1, wide, 8), 3);
  EXPECT_EQ(std::u16string(wide), u"ab");
  const char16_t wideText[] = {u'x', 0, u'y', 0};
  char narrow[8] = {};
  EXPECT_EQ(WideCharToMultiByte(CP_ACP, 0, wideText, -1, narrow, 8, nullptr, nullptr), 2);
  EXPECT_STREQ(narrow, "x");
}

TEST(CodePage, SmallBufferFailsWithInsufficientBuffer) {
  char16_t wide[2];
  EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, "abcd", 4, wide, 2), 0);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_INSUFFICIENT_BUFFER));
  EXPECT_EQ(MultiByteToWideChar(1251, 0, "abcd", 4, nullptr, 0), 0);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_PARAMETER));
}

TEST(CodePage, Utf8RoundTrip) {
  const std::string utf8 = "\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80";
  const std::u16string wide = ToWide(CP_UTF8, utf8);
  EXPECT_EQ(wide, u"\u00E9\u20AC\U0001F600");
  EXPECT_EQ(ToNarrow(CP_UTF8, wide), utf8);
  EXPECT_EQ(ToWide(CP_UTF8, "a\xFF"), u"a\uFFFD");
}

}  // namespace
