// VariantChangeType between the types scripting hosts pass.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "oleauto.h"

namespace {

struct Variant {
  VARIANT v;
  Variant() { VariantInit(&v); }
  Variant(VARTYPE vt, double number, const char16_t* text = nullptr) : Variant() {
    v.vt = vt;
    if (vt == VT_I4) v.lVal = LONG(number);
    if (vt == VT_R8) v.dblVal = number;
    if (vt == VT_BOOL) v.boolVal = number != 0 ? VARIANT_TRUE : VARIANT_FALSE;
    if (vt == VT_BSTR) v.bstrVal = SysAllocString(text);
  }
  ~Variant() { VariantClear(&v); }
};

// The converted value as text, to compare across types.
std::string Text(const VARIANT& v) {
  char number[32];
  switch (v.vt) {
    case VT_I2:
      return std::to_string(v.iVal);
    case VT_I4:
      return std::to_string(v.lVal);
    case VT_BOOL:
      return std::to_string(v.boolVal);
    case VT_R8:
      std::snprintf(number, sizeof number, "%g", v.dblVal);
      return number;
    case VT_BSTR:
      return std::string(v.bstrVal, v.bstrVal + SysStringLen(v.bstrVal));
    default:
      return "vt " + std::to_string(v.vt);
  }
}

struct Case {
  VARTYPE from;
  double number;
  const char16_t* text;
  VARTYPE to;
  HRESULT status;
  std::string result;  // VARIANT_TRUE is -1
  USHORT flags = 0;
};

// Numbers round half to even; out of range is overflow; texts parse with
// blanks around them or mismatch; booleans go both ways.
TEST(VariantChangeType, ConvertsOrRefuses) {
  const Case cases[] = {{VT_R8, 2.5, nullptr, VT_I4, S_OK, "2"},
                        {VT_R8, 3.5, nullptr, VT_I4, S_OK, "4"},
                        {VT_R8, -2.5, nullptr, VT_I4, S_OK, "-2"},
                        {VT_R8, 1.49, nullptr, VT_I4, S_OK, "1"},
                        {VT_R8, -7.51, nullptr, VT_I4, S_OK, "-8"},
                        {VT_I4, 40000, nullptr, VT_I2, DISP_E_OVERFLOW, "vt 0"},
                        {VT_R8, 3e9, nullptr, VT_I4, DISP_E_OVERFLOW, "vt 0"},
                        {VT_I4, -1, nullptr, VT_UI4, DISP_E_OVERFLOW, "vt 0"},
                        {VT_BSTR, 0, u"  -12.5e1 ", VT_R8, S_OK, "-125"},
                        {VT_BSTR, 0, u"  -12.5e1 ", VT_I2, S_OK, "-125"},
                        {VT_BSTR, 0, u"twelve", VT_I4, DISP_E_TYPEMISMATCH, "vt 0"},
                        {VT_BSTR, 0, u"", VT_I4, DISP_E_TYPEMISMATCH, "vt 0"},
                        {VT_I4, 7, nullptr, VT_BOOL, S_OK, "-1"},
                        {VT_BSTR, 0, u"False", VT_BOOL, S_OK, "0"},
                        {VT_BOOL, 1, nullptr, VT_I4, S_OK, "-1"},
                        {VT_BOOL, 1, nullptr, VT_BSTR, S_OK, "-1"},
                        {VT_BOOL, 1, nullptr, VT_BSTR, S_OK, "True", VARIANT_ALPHABOOL},
                        {VT_I4, -42, nullptr, VT_BSTR, S_OK, "-42"},
                        {VT_R8, 2.25, nullptr, VT_BSTR, S_OK, "2.25"},
                        {VT_NULL, 0, nullptr, VT_I4, DISP_E_TYPEMISMATCH, "vt 0"},
                        {VT_I4, 1, nullptr, VT_BYREF | VT_I4, DISP_E_BADVARTYPE, "vt 0"}};
  for (const Case& c : cases) {
    Variant in(c.from, c.number, c.text), out;
    EXPECT_EQ(VariantChangeType(&out.v, &in.v, c.flags, c.to), c.status)
        << Text(in.v) << " to " << c.to;
    EXPECT_EQ(Text(out.v), c.result) << Text(in.v) << " to " << c.to;
    if (c.status == S_OK) {
      EXPECT_EQ(out.v.vt, c.to);
    }
  }
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

  Variant inner(VT_R8, 6.0);
  VARIANT outer;
  VariantInit(&outer);
  outer.vt = VT_BYREF | VT_VARIANT;
  outer.pvarVal = &inner.v;
  ASSERT_EQ(VariantChangeType(&out.v, &outer, 0, VT_I2), S_OK);
  EXPECT_EQ(out.v.iVal, 6);

  reference.plVal = nullptr;
  EXPECT_EQ(VariantChangeType(&out.v, &reference, 0, VT_I4), E_INVALIDARG);
  EXPECT_EQ(VariantChangeType(nullptr, &inner.v, 0, VT_I4), E_INVALIDARG);

  Variant same(VT_BSTR, 0, u"17");
  ASSERT_EQ(VariantChangeType(&same.v, &same.v, 0, VT_I4), S_OK);
  EXPECT_EQ(same.v.vt, VT_I4);
  EXPECT_EQ(same.v.lVal, 17);
}

// The fuzz target's find (fuzz/regressions/variant_change_fuzz): texts were
// read through a double, so 64-bit integers beyond 2^53 came back changed.
TEST(VariantChangeType, SixtyFourBitTextsAreReadExactly) {
  const struct {
    const char16_t* text;
    VARTYPE to;
    HRESULT status;
    ULONGLONG bits;
  } cases[] = {{u"9114861777597660798", VT_I8, S_OK, 0x7E7E7E7E7E7E7E7Eull},
               {u"9007199254740993", VT_UI8, S_OK, 9007199254740993ull},
               {u"-9223372036854775808", VT_I8, S_OK, 0x8000000000000000ull},
               {u"18446744073709551615", VT_UI8, S_OK, 0xFFFFFFFFFFFFFFFFull},
               {u"9223372036854775808", VT_I8, DISP_E_OVERFLOW, 0}};
  for (const auto& c : cases) {
    Variant in(VT_BSTR, 0, c.text), out;
    EXPECT_EQ(VariantChangeType(&out.v, &in.v, 0, c.to), c.status) << Text(in.v);
    EXPECT_EQ(out.v.vt, c.status == S_OK ? c.to : VARTYPE(VT_EMPTY)) << Text(in.v);
    if (c.status == S_OK) {
      EXPECT_EQ(out.v.ullVal, c.bits) << Text(in.v);
    }
  }
}

}  // namespace
