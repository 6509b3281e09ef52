#include <gtest/gtest.h>

#include "oleauto.h"

namespace {

TEST(SafeArray, OneDimensionalBytes) {
  SAFEARRAYBOUND bound{44, 0};
  SAFEARRAY* psa = SafeArrayCreate(VT_UI1, 1, &bound);
  ASSERT_NE(psa, nullptr);
  EXPECT_EQ(SafeArrayGetDim(psa), 1u);
  EXPECT_EQ(psa->cbElements, 1u);
  LONG lower = -1, upper = -1;
  EXPECT_EQ(SafeArrayGetLBound(psa, 1, &lower), S_OK);
  EXPECT_EQ(SafeArrayGetUBound(psa, 1, &upper), S_OK);
  EXPECT_EQ(lower, 0);
  EXPECT_EQ(upper, 43);
  VARTYPE vt = 0;
  EXPECT_EQ(SafeArrayGetVartype(psa, &vt), S_OK);
  EXPECT_EQ(vt, VT_UI1);
  EXPECT_EQ(SafeArrayGetLBound(psa, 2, &lower), DISP_E_BADINDEX);
  EXPECT_EQ(SafeArrayGetLBound(psa, 0, &lower), DISP_E_BADINDEX);

  void* data = nullptr;
  ASSERT_EQ(SafeArrayAccessData(psa, &data), S_OK);
  auto* bytes = static_cast<unsigned char*>(data);
  for (int i = 0; i < 44; ++i) EXPECT_EQ(bytes[i], 0) << i;
  EXPECT_EQ(psa->cLocks, 1u);
  EXPECT_EQ(SafeArrayDestroy(psa), DISP_E_ARRAYISLOCKED);
  EXPECT_EQ(SafeArrayUnaccessData(psa), S_OK);
  EXPECT_EQ(SafeArrayUnaccessData(psa), E_UNEXPECTED);
  EXPECT_EQ(SafeArrayDestroy(psa), S_OK);
}

TEST(SafeArray, BoundsStoredLastDimensionFirst) {
  SAFEARRAYBOUND bounds[2] = {{3, 1}, {5, -2}};
  SAFEARRAY* psa = SafeArrayCreate(VT_I4, 2, bounds);
  ASSERT_NE(psa, nullptr);
  EXPECT_EQ(psa->rgsabound[0].cElements, 5u);
  EXPECT_EQ(psa->rgsabound[1].cElements, 3u);
  LONG value = 0;
  SafeArrayGetLBound(psa, 1, &value);
  EXPECT_EQ(value, 1);
  SafeArrayGetUBound(psa, 2, &value);
  EXPECT_EQ(value, 2);
  SafeArrayDestroy(psa);
}

TEST(SafeArray, RefusesWhatCannotBeAllocated) {
  SAFEARRAYBOUND huge[2] = {{0x10000, 0}, {0x10000, 0}};
  EXPECT_EQ(SafeArrayCreate(VT_VARIANT, 2, huge), nullptr);
  SAFEARRAYBOUND one{1, 0};
  EXPECT_EQ(SafeArrayCreate(VT_RECORD, 1, &one), nullptr);
  EXPECT_EQ(SafeArrayCreate(VT_UI1, 0, &one), nullptr);
}

TEST(SafeArray, DestroyFreesStrings) {
  SAFEARRAY* psa = SafeArrayCreateVector(VT_BSTR, 0, 2);
  ASSERT_NE(psa, nullptr);
  static_cast<BSTR*>(psa->pvData)[0] = SysAllocString(u"a");
  SAFEARRAY* copy = nullptr;
  ASSERT_EQ(SafeArrayCopy(psa, &copy), S_OK);
  EXPECT_EQ(std::u16string(static_cast<BSTR*>(copy->pvData)[0]), u"a");
  EXPECT_EQ(SafeArrayDestroy(psa), S_OK);
  EXPECT_EQ(SafeArrayDestroy(copy), S_OK);
}

}  // namespace
