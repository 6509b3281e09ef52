// A host's view of one Captcha object: typed calls over its function table,
// with wide and narrow text converted at this edge (the terminal speaks UTF-8).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "MirelGlyphward.h"
#include "ModuleDiagnostics.h"

namespace glyphward_cli {

// A failure the component reported; the tool exits 3 with the message.
struct ComponentError {
  std::string message;
};

class CaptchaClient {
 public:
  // With `preferRegistered`, a registered component is used the way any host
  // reaches it; otherwise, and when none is registered, the class linked into
  // the tool serves.
  explicit CaptchaClient(bool preferRegistered);
  ~CaptchaClient();
  CaptchaClient(const CaptchaClient&) = delete;
  CaptchaClient& operator=(const CaptchaClient&) = delete;

  void SetLong(HRESULT (STDMETHODCALLTYPE ICaptcha::*put)(LONG), std::int32_t value);
  void SetFormat(const std::string& utf8);
  std::string Value();
  std::string HashValue();
  bool Validate(const std::string& answer, const std::string& hash);
  // The hash Validate compares an answer's hash with.
  std::string HashOfText(const std::string& utf8);
  // An empty code asks for a new one.
  std::vector<unsigned char> Picture(const std::string& code);
  std::vector<unsigned char> Sound(const std::string& code);

  // The serving component's random engine: its state and its step count.
  bool SetSeed(std::int32_t seed) { return SUCCEEDED(diagnostics_.setSeed(seed)); }
  std::uint64_t EngineSteps() const;

 private:
  void Check(HRESULT hr, const char* operation);
  std::vector<unsigned char> Bytes(VARIANT& result);

  ICaptchaClass* captcha_ = nullptr;
  Diagnostics diagnostics_;
};

std::u16string WideFromUtf8(const std::string& utf8);
std::string Utf8FromWide(const char16_t* wide);

}  // namespace glyphward_cli
