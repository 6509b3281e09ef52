#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>

#include "oleauto.h"

namespace {

TEST(Layout, MatchesWindowsX64) {
  EXPECT_EQ(sizeof(VARIANT), 24u);
  EXPECT_EQ(offsetof(VARIANT, vt), 0u);
  EXPECT_EQ(offsetof(VARIANT, lVal), 8u);
  EXPECT_EQ(offsetof(VARIANT, parray), 8u);
  EXPECT_EQ(sizeof(SAFEARRAY), 32u);
  EXPECT_EQ(offsetof(SAFEARRAY, cbElements), 4u);
  EXPECT_EQ(offsetof(SAFEARRAY, cLocks), 8u);
  EXPECT_EQ(offsetof(SAFEARRAY, pvData), 16u);
  EXPECT_EQ(offsetof(SAFEARRAY, rgsabound), 24u);
  EXPECT_EQ(sizeof(SAFEARRAYBOUND), 8u);
  EXPECT_EQ(sizeof(GUID), 16u);
  EXPECT_EQ(sizeof(LONG), 4u);
  EXPECT_EQ(sizeof(OLECHAR), 2u);
  EXPECT_EQ(sizeof(VARIANT_BOOL), 2u);
  EXPECT_EQ(sizeof(DISPPARAMS), 24u);
  EXPECT_EQ(sizeof(EXCEPINFO), 64u);
  EXPECT_EQ(offsetof(EXCEPINFO, bstrDescription), 16u);
  EXPECT_EQ(offsetof(EXCEPINFO, scode), 56u);
}

// A byte count before the characters and a terminator after them, which an
// embedded NUL does not shorten; a null source gives zeroed characters.
TEST(Bstr, CountPrefixAndTerminator) {
  const char16_t text[] = {u'A', u'B', 0, u'D', u'E'};
  BSTR s = SysAllocStringLen(text, 5);
  ASSERT_NE(s, nullptr);
  std::uint32_t prefix = 0;
  std::memcpy(&prefix, reinterpret_cast<const char*>(s) - 4, 4);
  EXPECT_EQ(prefix, 10u);
  EXPECT_EQ(SysStringLen(s), 5u);
  EXPECT_EQ(SysStringByteLen(s), 10u);
  EXPECT_EQ(s[4], u'E');
  EXPECT_EQ(s[5], 0);
  SysFreeString(s);
  BSTR zeroed = SysAllocStringLen(nullptr, 4);
  ASSERT_NE(zeroed, nullptr);
  for (int i = 0; i <= 4; ++i) EXPECT_EQ(zeroed[i], 0);
  SysFreeString(zeroed);
}

TEST(Bstr, NullAndAbsurdInputs) {
  EXPECT_EQ(SysAllocString(nullptr), nullptr);
  EXPECT_EQ(SysStringLen(nullptr), 0u);
  SysFreeString(nullptr);
  EXPECT_EQ(SysAllocStringLen(nullptr, 0xFFFFFFF0u), nullptr);
}

TEST(Variant, InitAndClearFreeOwnedValues) {
  VARIANT v;
  std::memset(&v, 0xAB, sizeof v);
  VariantInit(&v);
  EXPECT_EQ(v.vt, VT_EMPTY);
  v.vt = VT_BSTR;
  v.bstrVal = SysAllocString(u"x");
  EXPECT_EQ(VariantClear(&v), S_OK);
  EXPECT_EQ(v.vt, VT_EMPTY);

  v.vt = VT_ARRAY | VT_UI1;
  v.parray = SafeArrayCreateVector(VT_UI1, 0, 8);
  EXPECT_EQ(VariantClear(&v), S_OK);
  EXPECT_EQ(v.vt, VT_EMPTY);

  v.vt = 0x0FFF;
  EXPECT_EQ(VariantClear(&v), DISP_E_BADVARTYPE);
}

TEST(Variant, CopyDuplicatesStringsAndArrays) {
  VARIANT a, b;
  VariantInit(&a);
  VariantInit(&b);
  a.vt = VT_BSTR;
  a.bstrVal = SysAllocString(u"hello");
  ASSERT_EQ(VariantCopy(&b, &a), S_OK);
  EXPECT_NE(b.bstrVal, a.bstrVal);
  EXPECT_EQ(std::u16string(b.bstrVal), u"hello");
  VariantClear(&a);
  VariantClear(&b);
}

}  // namespace
