// The process-wide state behind every Captcha object: six settings and the
// current code. Failures inside are raised as message texts (std::string)
// and turned into COM errors only at the interface.
#pragma once

#include <cstdint>
#include <mutex>
#include <string>

#include "ByteResults.h"

namespace MirelGlyphward {

// Codes longer than this are refused: a picture or a sound of them would cost
// memory and time out of all proportion to a test a person can take.
constexpr std::size_t kMaxCodeLength = 1024;

struct ImageSize {
  std::int32_t width = 250;
  std::int32_t height = 50;
};

class CaptchaEngine {
 public:
  static CaptchaEngine& Instance();

  // Engine calls from several threads are serialised on this lock, so a
  // picture's draws from the random engine are never interleaved.
  std::mutex& Mutex() { return mutex_; }

  const std::string& Format() const { return format_; }
  void SetFormat(const std::string& name);
  std::int32_t CodeLength() const { return codeLength_; }
  void SetCodeLength(std::int32_t value) { codeLength_ = value; }
  std::int32_t ImageWidth() const { return size_.width; }
  void SetImageWidth(std::int32_t value) { size_.width = value; }
  std::int32_t ImageHeight() const { return size_.height; }
  void SetImageHeight(std::int32_t value) { size_.height = value < 11 ? 10 : value; }
  std::int32_t CodeType() const { return codeType_; }
  void SetCodeType(std::int32_t value) { codeType_ = value; }
  std::int32_t TextStyle() const { return textStyle_; }
  void SetTextStyle(std::int32_t value) { textStyle_ = value; }
  const std::string& CurrentCode() const { return currentCode_; }

  // Settle the current code (a new one when `code` is empty), then build the
  // picture or the sound of it.
  ByteResult CreatePicture(const std::string& code);
  ByteResult CreateSound(const std::string& code);

  // Restores the defaults; for tests that need a fresh engine.
  void ResetForTesting();

 private:
  CaptchaEngine() = default;
  void SettleCode(const std::string& code);

  std::mutex mutex_;
  std::string format_ = "JPEG";
  std::int32_t codeLength_ = 5;
  ImageSize size_;
  std::int32_t codeType_ = 0;
  std::string currentCode_;
  std::int32_t textStyle_ = 31;
};

// The hash of a text as 128 upper-case hexadecimal characters.
std::string HashOf(const std::string& text);

}  // namespace MirelGlyphward
