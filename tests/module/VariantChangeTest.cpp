// VariantChangeType between the types scripting hosts pass.
#include <gtest/gtest.h>

#include "oleauto.h"

namespace {

struct Variant {
  VARIANT v;
  Variant() { VariantInit(&v); }
  ~Variant() { VariantClear(&v); }
};

VARIANT I4(LONG x) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_I4;
  v.lVal = x;
  return v;
}

VARIANT R8(double x) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_R8;
  v.dblVal = x;
  return v;
}

struct Text {
  VARIANT v;
  explicit Text(const char16_t* s) {
    VariantInit(&v);
    v.vt = VT_BSTR;
    v.bstrVal = SysAllocString(s);
  }
  ~Text() { VariantClear(&v); }
};

TEST(VariantChangeType, NumbersBetweenTypesRoundHalfToEven) {
  const struct {
    double in;
    LONG out;
  } cases[] = {{2.5, 2}, {3.5, 4}, {-2.5, -2}, {1.49, 1}, {-7.51, -8}};
  for (const auto& c : cases) {
    Variant out;
    VARIANT in = R8(c.in);
    ASSERT_EQ(VariantChangeType(&out.v, &in, 0, VT_I4), S_OK) << c.in;
    EXPECT_EQ(out.v.vt, VT_I4);
    EXPECT_EQ(out.v.lVal, c.out) << c.in;
  }
}

TEST(VariantChangeType, OutOfRangeIsOverflow) {
  Variant out;
  VARIANT big = I4(40000);
  EXPECT_EQ(VariantChangeType(&out.v, &big, 0, VT_I2), DISP_E_OVERFLOW);
  EXPECT_EQ(out.v.vt, VT_EMPTY);
  VARIANT huge = R8(3e9);
  EXPECT_EQ(VariantChangeType(&out.v, &huge, 0, VT_I4), DISP_E_OVERFLOW);
  VARIANT negative = I4(-1);
  EXPECT_EQ(VariantChangeType(&out.v, &negative, 0, VT_UI4), DISP_E_OVERFLOW);
}

TEST(VariantChangeType, TextsBecomeNumbersOrMismatch) {
  Text number(u"  -12.5e1 ");
  Variant out;
  ASSERT_EQ(VariantChangeType(&out.v, &number.v, 0, VT_R8), S_OK);
  EXPECT_DOUBLE_EQ(out.v.dblVal, -125.0);
  ASSERT_EQ(VariantChangeType(&out.v, &number.v, 0, VT_I2), S_OK);
  EXPECT_EQ(out.v.iVal, -125);
  Text word(u"twelve");
  EXPECT_EQ(VariantChangeType(&out.v, &word.v, 0, VT_I4), DISP_E_TYPEMISMATCH);
  Text empty(u"");
  EXPECT_EQ(VariantChangeType(&out.v, &empty.v, 0, VT_I4), DISP_E_TYPEMISMATCH);
}

TEST(VariantChangeType, BooleansBothWays) {
  Variant out;
  VARIANT seven = I4(7);
  ASSERT_EQ(VariantChangeType(&out.v, &seven, 0, VT_BOOL), S_OK);
  EXPECT_EQ(out.v.boolVal, VARIANT_TRUE);
  Text word(u"False");
  ASSERT_EQ(VariantChangeType(&out.v, &word.v, 0, VT_BOOL), S_OK);
  EXPECT_EQ(out.v.boolVal, VARIANT_FALSE);
  VARIANT truth;
  VariantInit(&truth);
  truth.vt = VT_BOOL;
  truth.boolVal = VARIANT_TRUE;
  ASSERT_EQ(VariantChangeType(&out.v, &truth, 0, VT_I4), S_OK);
  EXPECT_EQ(out.v.lVal, -1);
  ASSERT_EQ(VariantChangeType(&out.v, &truth, 0, VT_BSTR), S_OK);
  EXPECT_EQ(std::u16string(out.v.bstrVal), u"-1");
  ASSERT_EQ(VariantChangeType(&out.v, &truth, VARIANT_ALPHABOOL, VT_BSTR), S_OK);
  EXPECT_EQ(std::u16string(out.v.bstrVal), u"True");
}

TEST(VariantChangeType, NumbersBecomeTexts) {
  Variant out;
  VARIANT number = I4(-42);
  ASSERT_EQ(VariantChangeType(&out.v, &number, 0, VT_BSTR), S_OK);
  EXPECT_EQ(std::u16string(out.v.bstrVal), u"-42");
  VARIANT real = R8(2.25);
  ASSERT_EQ(VariantChangeType(&out.v, &real, 0, VT_BSTR), S_OK);
  EXPECT_EQ(std::u16string(out.v.bstrVal), u"2.25");
}

TEST(VariantChangeType, LooksThroughReferencesAndConvertsInPlace) {
  LONG target = 99;
  VARIANT reference;
  VariantInit(&reference);
  reference.vt = VT_BYREF | VT_I4;
  reference.plVal = &target;
  Variant out;
  ASSERT_EQ(VariantChangeType(&out.v, &reference, 0, VT_R8), S_OK);
  EXPECT_DOUBLE_EQ(out.v.dblVal, 99.0);

  VARIANT inner = R8(6.0);
  VARIANT outer;
  VariantInit(&outer);
  outer.vt = VT_BYREF | VT_VARIANT;
  outer.pvarVal = &inner;
  ASSERT_EQ(VariantChangeType(&out.v, &outer, 0, VT_I2), S_OK);
  EXPECT_EQ(out.v.iVal, 6);

  VARIANT null;
  VariantInit(&null);
  null.vt = VT_BYREF | VT_I4;
  null.plVal = nullptr;
  EXPECT_EQ(VariantChangeType(&out.v, &null, 0, VT_I4), E_INVALIDARG);

  Text same(u"17");
  ASSERT_EQ(VariantChangeType(&same.v, &same.v, 0, VT_I4), S_OK);
  EXPECT_EQ(same.v.vt, VT_I4);
  EXPECT_EQ(same.v.lVal, 17);
}

TEST(VariantChangeType, RefusesWhatHasNoScalarForm) {
  Variant out;
  VARIANT null;
  VariantInit(&null);
  null.vt = VT_NULL;
  EXPECT_EQ(VariantChangeType(&out.v, &null, 0, VT_I4), DISP_E_TYPEMISMATCH);
  VARIANT number = I4(1);
  EXPECT_EQ(VariantChangeType(&out.v, &number, 0, VT_BYREF | VT_I4), DISP_E_BADVARTYPE);
  EXPECT_EQ(VariantChangeType(nullptr, &number, 0, VT_I4), E_INVALIDARG);
}

}  // namespace
