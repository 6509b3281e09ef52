#include "TestSupport.h"

#include <gtest/gtest.h>

#include "CaptchaEngine.h"

namespace testing_support {

void FreshEngine(std::int32_t seed) {
  MirelGlyphward::CaptchaEngine::Instance().ResetForTesting();
  EXPECT_EQ(GlyphwardSetSeed(seed), S_OK);
  IErrorInfo* stale = nullptr;
  if (GetErrorInfo(0, &stale) == S_OK && stale) stale->Release();
}

std::uint64_t Steps() {
  ULONGLONG steps = 0;
  EXPECT_EQ(GlyphwardGetEngineSteps(&steps), S_OK);
  return steps;
}

CaptchaPtr::CaptchaPtr() {
  void* object = nullptr;
  EXPECT_EQ(MirelGlyphward::Captcha::CreateInstance(nullptr, IID_ICaptcha, &object), S_OK);
  p = static_cast<ICaptchaClass*>(static_cast<ICaptcha*>(object));
}

CaptchaPtr::~CaptchaPtr() {
  if (p) p->Release();
}

std::u16string Value(ICaptcha* captcha) {
  Bstr out;
  EXPECT_EQ(captcha->GetValue(&out.value), S_OK);
  return out.str();
}

std::u16string HashValue(ICaptcha* captcha) {
  Bstr out;
  EXPECT_EQ(captcha->GetHashValue(&out.value), S_OK);
  return out.str();
}

std::vector<unsigned char> ArrayBytes(const VARIANT& v) {
  EXPECT_EQ(v.vt, VT_ARRAY | VT_UI1);
  if (v.vt != (VT_ARRAY | VT_UI1) || !v.parray) return {};
  LONG lower = -1, upper = -2;
  SafeArrayGetLBound(v.parray, 1, &lower);
  SafeArrayGetUBound(v.parray, 1, &upper);
  EXPECT_EQ(lower, 0);
  const auto* data = static_cast<const unsigned char*>(v.parray->pvData);
  return std::vector<unsigned char>(data, data + (upper + 1));
}

std::u16string TakeErrorDescription() {
  IErrorInfo* info = nullptr;
  if (GetErrorInfo(0, &info) != S_OK) return u"<none>";
  Bstr description;
  info->GetDescription(&description.value);
  info->Release();
  return description.str();
}

}  // namespace testing_support
