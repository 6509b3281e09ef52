// A host's view of one Captcha object: typed calls over its function table,
// with wide and narrow text converted at this edge (the terminal speaks UTF-8).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "MirelGlyphward.h"

namespace glyphward_cli {

// A failure the component reported; the tool exits 3 with the message.
struct ComponentError {
  std::string message;
};

class CaptchaClient {
 public:
  CaptchaClient();
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

 private:
  void Check(HRESULT hr, const char* operation);
  std::vector<unsigned char> Bytes(VARIANT& result);

  ICaptchaClass* captcha_ = nullptr;
};

std::u16string WideFromUtf8(const std::string& utf8);
std::string Utf8FromWide(const char16_t* wide);

}  // namespace glyphward_cli
