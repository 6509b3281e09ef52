#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "Captcha.h"
#include "MirelGlyphward.h"

namespace testing_support {

// The minimal standard generator computed independently of the engine.
struct ReferenceLcg {
  std::uint64_t x;
  explicit ReferenceLcg(std::uint32_t seed) : x(seed) {}
  double NextUnit() {
    x = (48271 * x) % 2147483647;
    return double(std::int64_t(x) - 1) / 2147483646.0;
  }
  int Number(int n) { return int(NextUnit() * (n == 0 ? 1 : n)); }
};

// Restores the engine's defaults, seeds it and clears the thread's error slot.
void FreshEngine(std::int32_t seed = 4242);
std::uint64_t Steps();

// A Captcha object released on scope exit.
struct CaptchaPtr {
  ICaptchaClass* p = nullptr;
  CaptchaPtr();
  ~CaptchaPtr();
  ICaptchaClass* operator->() const { return p; }
};

struct Bstr {
  BSTR value = nullptr;
  Bstr() = default;
  explicit Bstr(const char16_t* text) : value(SysAllocString(text)) {}
  ~Bstr() { SysFreeString(value); }
  std::u16string str() const { return value ? std::u16string(value) : std::u16string(); }
};

std::u16string Value(ICaptcha* captcha);

// The bytes of a byte-array VARIANT (checking its type and lower bound).
std::vector<unsigned char> ArrayBytes(const VARIANT& v);
// The description of the thread's error information, which it takes.
std::u16string TakeErrorDescription();
std::u16string HashValue(ICaptcha* captcha);

}  // namespace testing_support
