#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "TestSupport.h"

using namespace testing_support;

namespace {

TEST(Concurrency, ParallelCallersNeitherCorruptNorLoseDraws) {
  FreshEngine();
  constexpr int kThreads = 8;
  constexpr int kCalls = 300;
  std::vector<std::thread> threads;
  std::vector<int> badLengths(kThreads, 0);
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([t, &badLengths] {
      CaptchaPtr captcha;
      for (int i = 0; i < kCalls; ++i) {
        VARIANT result;
        VariantInit(&result);
        captcha->CreateSound(&result);
        VariantClear(&result);
        captcha->put_TextStyle(t);
        Bstr value;
        captcha->GetValue(&value.value);
        if (SysStringLen(value.value) != 5) ++badLengths[std::size_t(t)];
        Bstr format(u"png");
        captcha->put_Format(format.value);
      }
    });
  }
  for (auto& thread : threads) thread.join();
  for (int bad : badLengths) EXPECT_EQ(bad, 0);
  EXPECT_EQ(Steps(), std::uint64_t(kThreads) * kCalls * 5);
  CaptchaPtr captcha;
  Bstr format;
  captcha->get_Format(&format.value);
  EXPECT_EQ(format.str(), u"PNG");
}

}  // namespace
