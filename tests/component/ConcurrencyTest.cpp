// Many threads on the one engine: shared and separate objects, objects made
// and released while the module is asked whether it may unload, and error
// information that stays with the thread that reported it.
#include <gtest/gtest.h>

#include <atomic>
#include <latch>
#include <string>
#include <thread>
#include <vector>

#include "CaptchaEngine.h"
#include "ModuleLoader.h"
#include "TestSupport.h"

using namespace testing_support;

namespace {

constexpr int kThreads = 16;

// Runs body(t) on kThreads threads that start together.
template <class Body>
void OnThreads(Body body) {
  std::latch start(kThreads);
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t)
    threads.emplace_back([&, t] {
      start.arrive_and_wait();
      body(t);
    });
  for (auto& thread : threads) thread.join();
}

class Callers : public ::testing::TestWithParam<bool> {};

TEST_P(Callers, NeitherCorruptNorLoseDraws) {
  const bool shared = GetParam();
  FreshEngine();
  // Every fourth call makes a sound (five draws); the rest are the cheap
  // calls that interleave most.
  constexpr int kCalls = 200;
  constexpr int kSoundEvery = 4;
  CaptchaPtr sharedObject;
  std::vector<int> bad(kThreads, 0);
  OnThreads([&](int t) {
    CaptchaPtr own;
    ICaptchaClass* captcha = shared ? sharedObject.p : own.p;
    for (int i = 0; i < kCalls; ++i) {
      captcha->AddRef();
      if (i % kSoundEvery == 0) {
        VARIANT result;
        VariantInit(&result);
        if (captcha->CreateSound(&result) != S_OK) ++bad[std::size_t(t)];
        VariantClear(&result);
      }
      captcha->put_TextStyle(t);
      Bstr value;
      captcha->GetValue(&value.value);
      if (SysStringLen(value.value) != 5) ++bad[std::size_t(t)];
      Bstr hash;
      captcha->GetHashValue(&hash.value);
      if (SysStringLen(hash.value) != 128) ++bad[std::size_t(t)];
      Bstr format(u"png");
      captcha->put_Format(format.value);
      captcha->Release();
    }
  });
  for (int b : bad) EXPECT_EQ(b, 0);
  EXPECT_EQ(Steps(), std::uint64_t(kThreads) * (kCalls / kSoundEvery) * 5);
  Bstr format;
  sharedObject->get_Format(&format.value);
  EXPECT_EQ(format.str(), u"PNG");
}

INSTANTIATE_TEST_SUITE_P(Concurrency, Callers, ::testing::Values(true, false),
                         [](const ::testing::TestParamInfo<bool>& info) {
                           return info.param ? "OnOneObject" : "OnAnObjectEach";
                         });

TEST(Concurrency, ObjectsComeAndGoWhileTheModuleIsAskedToUnload) {
  module_tests::ModuleLoader module;
  ASSERT_TRUE(module.Loaded());
  constexpr int kRounds = 200;
  std::atomic<int> wronglyUnloadable{0}, failures{0}, working{kThreads - 1};
  // Thread 0 holds an object and keeps asking while the others make, query
  // and release objects and lock and unlock the server. The first requests
  // for the class object race too: the module is freshly loaded.
  OnThreads([&](int t) {
    if (t == 0) {
      ICaptchaClass* keep = module.Create();
      if (!keep) return void(++failures);
      do {
        if (module.CanUnloadNow() != S_FALSE) ++wronglyUnloadable;
      } while (working > 0);
      keep->Release();
      return;
    }
    for (int i = 0; i < kRounds; ++i) {
      IClassFactory* factory = nullptr;
      if (FAILED(module.GetClassObject(CLSID_Captcha, IID_IClassFactory,
                                       reinterpret_cast<void**>(&factory)))) {
        ++failures;
        continue;
      }
      factory->LockServer(TRUE);
      void* object = nullptr;
      if (SUCCEEDED(factory->CreateInstance(nullptr, IID_IDispatch, &object))) {
        void* captcha = nullptr;
        if (FAILED(static_cast<IUnknown*>(object)->QueryInterface(IID_ICaptcha, &captcha)))
          ++failures;
        else
          static_cast<IUnknown*>(captcha)->Release();
        static_cast<IUnknown*>(object)->Release();
      } else {
        ++failures;
      }
      factory->LockServer(FALSE);
      factory->Release();
    }
    --working;
  });
  EXPECT_EQ(failures, 0);
  EXPECT_EQ(wronglyUnloadable, 0);
  EXPECT_EQ(module.CanUnloadNow(), S_OK);
}

TEST(Concurrency, ErrorInformationStaysWithItsThread) {
  FreshEngine();
  constexpr int kCalls = 200;
  const std::u16string tooLong(MirelGlyphward::kMaxCodeLength + 1, u'A');
  std::vector<int> bad(kThreads, 0);
  OnThreads([&](int t) {
    CaptchaPtr captcha;
    Bstr code(tooLong.c_str());
    for (int i = 0; i < kCalls; ++i) {
      VARIANT result;
      VariantInit(&result);
      const bool failed = captcha->CreateSoundFromCode(code.value, &result) == E_FAIL;
      const bool reported = TakeErrorDescription() == u"The code is too long !";
      // The slot is emptied by reading; then this thread's own report.
      const bool emptied = TakeErrorDescription() == u"<none>";
      const std::u16string mine = u"thread " + std::u16string(1, char16_t(u'A' + t));
      ICreateErrorInfo* create = nullptr;
      IErrorInfo* info = nullptr;
      bool own = false;
      if (SUCCEEDED(CreateErrorInfo(&create))) {
        create->SetDescription(const_cast<LPOLESTR>(mine.c_str()));
        if (SUCCEEDED(create->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&info)))) {
          SetErrorInfo(0, info);
          info->Release();
          std::this_thread::yield();
          own = TakeErrorDescription() == mine;
        }
        create->Release();
      }
      if (!(failed && reported && emptied && own)) ++bad[std::size_t(t)];
    }
  });
  for (int b : bad) EXPECT_EQ(b, 0);
}

}  // namespace
