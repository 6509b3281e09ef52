#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "oleauto.h"

namespace {

IErrorInfo* MakeError(const char16_t* description) {
  ICreateErrorInfo* create = nullptr;
  EXPECT_EQ(CreateErrorInfo(&create), S_OK);
  create->SetDescription(const_cast<LPOLESTR>(description));
  create->SetSource(const_cast<LPOLESTR>(u"Test.Source"));
  IErrorInfo* info = nullptr;
  EXPECT_EQ(create->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&info)), S_OK);
  create->Release();
  return info;
}

std::u16string Description(IErrorInfo* info) {
  BSTR text = nullptr;
  info->GetDescription(&text);
  std::u16string result = text ? text : u"";
  SysFreeString(text);
  return result;
}

TEST(ErrorInfo, GetHandsOverAndEmptiesTheSlot) {
  IErrorInfo* info = MakeError(u"first");
  ASSERT_EQ(SetErrorInfo(0, info), S_OK);
  info->Release();

  IErrorInfo* got = nullptr;
  ASSERT_EQ(GetErrorInfo(0, &got), S_OK);
  ASSERT_NE(got, nullptr);
  EXPECT_EQ(Description(got), u"first");
  BSTR source = nullptr;
  got->GetSource(&source);
  EXPECT_EQ(std::u16string(source), u"Test.Source");
  SysFreeString(source);
  got->Release();

  IErrorInfo* again = reinterpret_cast<IErrorInfo*>(1);
  EXPECT_EQ(GetErrorInfo(0, &again), S_FALSE);
  EXPECT_EQ(again, nullptr);
}

TEST(ErrorInfo, SlotIsPerThreadAndReplaced) {
  IErrorInfo* mine = MakeError(u"main");
  SetErrorInfo(0, mine);
  mine->Release();
  IErrorInfo* newer = MakeError(u"newer");
  SetErrorInfo(0, newer);
  newer->Release();

  bool otherSawNothing = false;
  std::thread other([&] {
    IErrorInfo* got = nullptr;
    otherSawNothing = GetErrorInfo(0, &got) == S_FALSE && got == nullptr;
    IErrorInfo* own = MakeError(u"other");
    SetErrorInfo(0, own);  // released when the thread ends
    own->Release();
  });
  other.join();
  EXPECT_TRUE(otherSawNothing);

  IErrorInfo* got = nullptr;
  ASSERT_EQ(GetErrorInfo(0, &got), S_OK);
  EXPECT_EQ(Description(got), u"newer");
  got->Release();
}

TEST(ErrorInfo, QueryInterfaceAnswersOnlyItsInterfaces) {
  IErrorInfo* info = MakeError(u"x");
  void* p = nullptr;
  EXPECT_EQ(info->QueryInterface(IID_IUnknown, &p), S_OK);
  static_cast<IUnknown*>(p)->Release();
  EXPECT_EQ(info->QueryInterface(IID_ICreateErrorInfo, &p), S_OK);
  static_cast<IUnknown*>(p)->Release();
  EXPECT_EQ(info->QueryInterface(IID_IDispatch, &p), E_NOINTERFACE);
  EXPECT_EQ(p, nullptr);
  EXPECT_EQ(SetErrorInfo(0, nullptr), S_OK);
  info->Release();
}

}  // namespace
