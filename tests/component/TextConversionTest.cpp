#include <gtest/gtest.h>

#include <cstring>

#include "ByteResults.h"
#include "TestSupport.h"
#include "TextConversion.h"

using namespace MirelGlyphward;
using testing_support::Bstr;

namespace {

TEST(TextConversion, IncomingStopsAtTheFirstNul) {
  const char16_t text[] = {u'A', u'B', 0, u'C'};
  BSTR b = SysAllocStringLen(text, 4);
  EXPECT_EQ(NarrowFromBSTR(b).value(), "AB");
  SysFreeString(b);
  EXPECT_EQ(NarrowFromBSTR(nullptr).value(), "");
}

TEST(TextConversion, IncomingUsesTheAnsiCodePage) {
  Bstr b(u"\u00e9\u20ac\u4e2d");
  EXPECT_EQ(NarrowFromBSTR(b.value).value(), "\xE9\x80?");
}

TEST(TextConversion, IncomingTooLongIsRefused) {
  Bstr b(u"abcd");
  EXPECT_FALSE(NarrowFromBSTR(b.value, 5).has_value());
  EXPECT_TRUE(NarrowFromBSTR(b.value, 6).has_value());
}

// The Validate fuzz target's find (fuzz/regressions/captcha_validate_fuzz): a
// BSTR of an odd byte count ended in half a 16-bit terminator, so the scan
// for NUL read past the block. A freed block of the same size full of 0xFF is
// what the allocator hands back, so a missing terminator shows without ASan.
TEST(TextConversion, OddByteCountsStopInsideTheString) {
  BSTR stale = SysAllocStringByteLen(nullptr, 32);
  ASSERT_NE(stale, nullptr);
  std::memset(stale, 0xFF, 34);
  SysFreeString(stale);
  BSTR b = SysAllocStringByteLen("0123456789012345678901234567890", 31);
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(b[16], 0);
  EXPECT_EQ(NarrowFromBSTR(b).value(), std::string(15, '?') + "0");
  SysFreeString(b);

  const char answer[] = "x\0\0\0y\0";
  const char hash[] = "\x9c\0o\0t\0 \0a\0 \0\xf3\0a\0s\0h\0-";
  Bstr oddAnswer, oddHash;
  oddAnswer.value = SysAllocStringByteLen(answer, 6);
  oddHash.value = SysAllocStringByteLen(hash, 21);
  testing_support::CaptchaPtr captcha;
  VARIANT_BOOL valid = VARIANT_TRUE;
  EXPECT_EQ(captcha->Validate(oddAnswer.value, oddHash.value, &valid), S_OK);
  EXPECT_EQ(valid, VARIANT_FALSE);
}

TEST(TextConversion, OutgoingExactLengthAndEmptyIsNotNull) {
  BSTR b = BSTRFromNarrow("\xE9t\xE9");
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(SysStringLen(b), 3u);
  EXPECT_EQ(std::u16string(b), u"\u00e9t\u00e9");
  SysFreeString(b);
  BSTR empty = BSTRFromNarrow("");
  ASSERT_NE(empty, nullptr);
  EXPECT_EQ(SysStringLen(empty), 0u);
  SysFreeString(empty);
  BSTR zeros = BSTRFromNarrow(std::string(4, '\0'));
  ASSERT_NE(zeros, nullptr);
  EXPECT_EQ(SysStringLen(zeros), 0u);
  SysFreeString(zeros);
}

TEST(ByteArrayVariant, HoldsTheBytesFromIndexZero) {
  ByteResult result;
  result.count = 5;
  result.bytes.reset(new unsigned char[5]{0xFF, 0xD8, 1, 2, 3});
  VARIANT v;
  VariantInit(&v);
  ASSERT_EQ(MakeByteArrayVariant(result, &v), S_OK);
  EXPECT_EQ(v.vt, VT_ARRAY | VT_UI1);
  LONG lower = -1, upper = -1;
  SafeArrayGetLBound(v.parray, 1, &lower);
  SafeArrayGetUBound(v.parray, 1, &upper);
  EXPECT_EQ(lower, 0);
  EXPECT_EQ(upper, 4);
  const auto* data = static_cast<unsigned char*>(v.parray->pvData);
  EXPECT_EQ(data[0], 0xFF);
  EXPECT_EQ(data[4], 3);
  EXPECT_EQ(v.parray->cLocks, 0u);
  VariantClear(&v);
}

TEST(ByteArrayVariant, InconsistentResultLeavesTheVariantAlone) {
  ByteResult result;
  result.count = 3;  // no buffer
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_I4;
  EXPECT_TRUE(FAILED(MakeByteArrayVariant(result, &v)));
  EXPECT_EQ(v.vt, VT_I4);
}

}  // namespace
